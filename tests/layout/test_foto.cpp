// Pictures for the eye: a new council placed from the two editors, then
// the console and the projected board that show it.  Built only when
// OBX_FOTO_DISPOSIZIONE names the folder of the PNG files (run under a real
// X server, e.g. xvfb-run, for the fonts the operators see).
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include "Banco.h"
#include "board/frmColori.h"
#include "board/frmDisplay.h"
#include "board/frmPosti.h"
#include "board/frmTinteQZ.h"
#include "board/frmVideo.h"
#include "platform/Dialoghi.h"
#include "shell/Globali.h"

using namespace obx;
using namespace obx::test;

namespace {

class Foto : public BancoDisposizione {
public:
    void TestBody() override
    {
        const QDir cartella(qEnvironmentVariable("OBX_FOTO_DISPOSIZIONE"));
        auto salva = [&](QWidget* w, const char* nome) {
            const QString f = cartella.filePath(QString::fromLatin1(nome));
            EXPECT_TRUE(w->grab().save(f, "PNG")) << f.toStdString();
        };
        SenzaDisposizione();

        // The chamber: two rows of four facing the chair, placed from the
        // list one after the other.
        auto disponi = [&](EditorPosti* f, int passo, int alto, const char* foto) {
            Gira(20);
            for (int n = 0; n < 8; ++n) {
                CliccaLibero(*f, 0);
                Trascina(*f, n + 1, QPoint(2, 2), QPoint(12 + (n % 4) * passo, alto + (n / 4) * 60));
            }
            Gira(20);
            salva(f, foto);
            f->cmdPosti(1)->click();
        };
        disponi(frmPosti::Mostra(), 96, 40, "posti.png");
        xEsitoVideo = true;
        disponi(frmDisplay::Mostra(), 230, 80, "display.png");

        frmCons* c = Apre();
        ASSERT_NE(c, nullptr);
        c->txtAnag_MouseDown(2, 1, 0, 0, 0);
        Gira(50);
        salva(c, "console.png");
        FrmVideo& b = frmVideo();
        b.Mostra();
        c->txtAnag_MouseDown(3, 1, 0, 0, 0);
        Gira(50);
        salva(&b, "tabellone.png");

        frmColori colori;
        colori.show();
        Gira(20);
        salva(&colori, "colori.png");
        colori.hide();
        frmTinteQZ tinte;
        tinte.show();
        Gira(20);
        salva(&tinte, "tinteqz.png");
        tinte.hide();

        // The system's dialogs the swatches and font lines open.
        DialoghiQt qt;
        auto fotoDialogo = [&](const char* nome) {
            QTimer::singleShot(400, [&salva, nome] {
                if (QWidget* w = QApplication::activeModalWidget()) {
                    salva(w, nome);
                    w->close();
                }
            });
        };
        int32_t colore = cColoriTabVideo[5];
        fotoDialogo("dialogo_colore.png");
        qt.ScegliColore(colore, QStringLiteral("Impostazione Colore per Sfondo Tabellone"));
        QString font = cFont[1];
        fotoDialogo("dialogo_font.png");
        qt.ScegliFont(font, QStringLiteral("Impostazione Font Consiglieri:"));
    }
};

const bool g_registrato = [] {
    if (qEnvironmentVariableIsSet("OBX_FOTO_DISPOSIZIONE"))
        ::testing::RegisterTest("Foto", "ConsiglioNuovoDisposto", nullptr, nullptr, __FILE__, __LINE__,
                                []() -> ::testing::Test* { return new Foto; });
    return true;
}();

}  // namespace
