#include "shell/CampiNumerici.h"

#include "platform/Dialoghi.h"
#include "platform/Testo.h"

namespace obx {

bool NumeroCampo(const QString& testo, int minimo, int massimo, int& valore)
{
    int v = 0;
    if (!Val16(testo, v) || v < minimo || v > massimo) return false;
    valore = v;
    return true;
}

void AvvisaCampo(const QString& nome, int minimo, int massimo)
{
    UI().MsgBox(QStringLiteral("Valore non valido nel campo \"%1\"\n(ammessi i numeri da %2 a %3)")
                    .arg(nome)
                    .arg(minimo)
                    .arg(massimo),
                vbExclamation);
}

}  // namespace obx
