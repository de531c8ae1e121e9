// A picture of the board during a vote, for the eye: built only when
// OBX_FOTO_TABELLONE names the PNG file to write (run under a real X
// server, e.g. xvfb-run, for the fonts the operators see).
#include <QPixmap>

#include "platform/Testo.h"
#include "support/ScriptedUI.h"

#include "Banco.h"

using namespace obx;
using namespace obx::test;

namespace {

class Foto : public BancoTabellone {
public:
    void TestBody() override
    {
        // A projector of 1280 x 1024 and the colours an installation picks
        // for it: light text on a dark board.
        lMonitor[0] = {1, 0, 0, 1024, 1280};
        iPrenotazioni = kPrenotazioniPannello;
        cColoriTabVideo[5] = 0x401000;
        for (int i : {7, 9, 10, 12, 13, 16, 17}) cColoriTabVideo[size_t(i)] = 0xFFFFFF;
        cColoriTabVideo[8] = 0x00CCFF;
        cColoriTabVideo[21] = 0x401000;
        SedutaConVoto();
        FakeServices servizi;
        FrmVideo& b = frmVideo();
        b.Mostra();
        ScriviTitoliVoto(b);
        const QString file = qEnvironmentVariable("OBX_FOTO_TABELLONE");
        ASSERT_TRUE(b.grab().save(file, "PNG")) << file.toStdString();

        // The same vote on the full-screen result table, as the console
        // shows it with the results option on.
        b.boxPosti()->hide();
        b.imgStemma()->hide();
        for (int n = 0; n <= 13; ++n) b.txtTitolo(n)->hide();
        const int valori[] = {iFavorevoli + iContrari + iAstenuti, iFavorevoli, iContrari, iAstenuti};
        for (int n = 5; n <= 8; ++n) b.txtDormisco(n)->SetCaption(Formato(valori[n - 5], QStringLiteral("0 0")));
        for (int n = 0; n <= 11; ++n) b.txtDormisco(n)->show();
        QString risultati = file;
        risultati.replace(QStringLiteral(".png"), QStringLiteral("_risultati.png"));
        ASSERT_TRUE(b.grab().save(risultati, "PNG")) << risultati.toStdString();
    }
};

const bool g_registrato = [] {
    if (qEnvironmentVariableIsSet("OBX_FOTO_TABELLONE"))
        ::testing::RegisterTest("Foto", "TabelloneDuranteIlVoto", nullptr, nullptr, __FILE__, __LINE__,
                                []() -> ::testing::Test* { return new Foto; });
    return true;
}();

}  // namespace
