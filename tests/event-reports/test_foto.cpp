// A picture of the window for the eye: the log of two sittings with a note
// and two rows selected, and the four reports printed from it.  Built only
// when OBX_FOTO_EVENTI names the folder of the PNG and PDF files (run under
// a real X server, e.g. xvfb-run, for the fonts the operators see).
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <functional>

#include "BancoEventi.h"
#include "platform/GrigliaDati.h"

using namespace obx;
using namespace obx::test;

namespace {

class Foto : public BancoEventi {
public:
    void TestBody() override
    {
        DueSedute();
        frmEvent* f = Finestra();
        f->broEventi->SelezionaRiga(1, false);
        f->getNota->setText(QStringLiteral("Arriva in ritardo"));
        f->cmdEventi(3)->click();
        f->broEventi->SelezionaRiga(4, false);
        f->broEventi->SelezionaRiga(8, true);
        f->getNota->setText(QStringLiteral("Nota di prova"));
        Gira(100);
        const QString file = QDir(qEnvironmentVariable("OBX_FOTO_EVENTI")).filePath(QStringLiteral("eventi.png"));
        EXPECT_TRUE(f->grab().save(file, "PNG")) << file.toStdString();
        // Maximised (a window manager would give it the screen).
        f->showMaximized();
        f->resize(1200, 800);
        Gira(200);
        const QString grande = QDir(qEnvironmentVariable("OBX_FOTO_EVENTI")).filePath(QStringLiteral("eventi_max.png"));
        EXPECT_TRUE(f->grab().save(grande, "PNG")) << grande.toStdString();
        delete f;

        // One report of each kind.
        auto stampa = [this](const char* nome, const QString& domanda, const std::function<void(frmEvent*)>& scelta) {
            frmEvent* w = Finestra();
            scelta(w);
            Stampa(w, domanda);
            const QString dove = QDir(qEnvironmentVariable("OBX_FOTO_EVENTI")).filePath(QString::fromLatin1(nome));
            QFile::remove(dove);
            EXPECT_TRUE(QFile::copy(FileStampa(), dove)) << dove.toStdString();
            delete w;
        };
        stampa("eventi_T.pdf", QStringLiteral("Stampa Intera Lista Eventi"), [](frmEvent*) {});
        stampa("eventi_M.pdf", QStringLiteral("Stampa Movimenti di Anna Verdi"),
               [](frmEvent* w) { w->broEventi->ImpostaCorrente(1, 2); });
        stampa("eventi_P.pdf", QStringLiteral("Stampa Elenco Presenti al momento"),
               [](frmEvent* w) { w->broEventi->SelezionaRiga(10, false); });
        stampa("eventi_I.pdf", QStringLiteral("Stampa Gruppo 5 Eventi da .. a .."), [](frmEvent* w) {
            w->broEventi->SelezionaRiga(4, false);
            w->broEventi->SelezionaRiga(8, true);
        });
    }
};

const bool g_registrato = [] {
    if (qEnvironmentVariableIsSet("OBX_FOTO_EVENTI"))
        ::testing::RegisterTest("Foto", "ListaEventi", nullptr, nullptr, __FILE__, __LINE__,
                                []() -> ::testing::Test* { return new Foto; });
    return true;
}();

}  // namespace
