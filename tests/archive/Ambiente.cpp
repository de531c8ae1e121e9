#include "Ambiente.h"

#include "shell/Configurazione.h"
#include "shell/Globali.h"
#include "shell/Manutenzione.h"
#include "support/ScriptedUI.h"

namespace obx::test {

QApplication& App()
{
    static int argc = 1;
    static char nome[] = "test_archive";
    static char* argv[] = {nome, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

void Vocabolari(int tipoAssemblea)
{
    ImpostaTabelleFisse();
    iTipoAssemblea = tipoAssemblea;
    ImpostaVocabolari();
    cSepara = QStringLiteral("\\");
}

bool NuovoArchivio(const QString& percorso)
{
    cPathArchivio = percorso;
    dbArchivio.Close();
    {
        ScriptedUI ui;
        if (!GestisceArchivi(QStringLiteral("C"), true)) return false;
    }
    dbArchivio.Open(cPathArchivio);
    return true;
}

int NumeroErrore(const std::function<void()>& f)
{
    try {
        f();
    } catch (const Errore& e) {
        return e.Numero();
    }
    return 0;
}

}  // namespace obx::test
