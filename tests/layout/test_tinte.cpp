// The two colour windows of the projected board: swatches and font lines,
// the dialogs' titles, what is written to the configuration and what a
// cancelled dialog leaves.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFontDialog>
#include <QLabel>
#include <QTimer>

#include "Banco.h"
#include "board/Tinte.h"
#include "board/frmColori.h"
#include "board/frmTinteQZ.h"
#include "platform/Dialoghi.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"

using namespace obx;
using namespace obx::test;

namespace {

class Tinte : public BancoDisposizione {
protected:
    // The configuration read back from the file into emptied tables.
    static void Rilegge()
    {
        cColoriTabVideo.fill(0);
        cFont = {};
        GestisceConfig(true);
    }
    QString UltimoValore() { return (*ui)->Storia().back().valore; }
};

QColor Sfondo(const QLabel* l) { return l->palette().color(QPalette::Window); }

}  // namespace

TEST_F(Tinte, CampioniEDidascalieDelleDueFinestre)
{
    frmColori c;
    ASSERT_EQ(c.Campioni(), 16);
    EXPECT_EQ(c.windowTitle(), QStringLiteral("Impostazione Colori per Tabellone Video"));
    EXPECT_EQ(c.lblPrompt(5)->text(), QStringLiteral("Sfondo Tabellone"));
    EXPECT_EQ(c.lblPrompt(10)->text(), QStringLiteral("N. Presenti / Votanti"));
    for (int k = 0; k < 16; ++k) EXPECT_EQ(Sfondo(c.lblColori(k)), ColoreQt(cColoriTabVideo[size_t(k)])) << k;
    // The results' swatches lie in their frame.
    for (int k : {2, 3, 4, 14, 15})
        EXPECT_EQ(c.lblColori(k)->parentWidget()->objectName(), QStringLiteral("fraRisultati")) << k;
    EXPECT_EQ(c.lblColori(5)->parentWidget(), &c);
    ASSERT_EQ(c.RigheFont(), 4);
    const char* didascalie[4] = {"Font titolo Consiglio:", "Font Consiglieri:", "Font Risultati:", "Font Assenti:"};
    const int voci[4] = {0, 1, 3, 4};
    for (int n = 0; n < 4; ++n) {
        EXPECT_EQ(c.lblDidascaliaFont(n)->text(), QString::fromLatin1(didascalie[n]));
        EXPECT_EQ(c.lblFont(n)->text(), cFont[size_t(voci[n])]);
    }

    frmTinteQZ q;
    ASSERT_EQ(q.Campioni(), 7);
    EXPECT_EQ(q.windowTitle(), QStringLiteral("Impostazione Colori per Tabellone Video"));
    EXPECT_EQ(q.lblPrompt(0)->text(), QStringLiteral("Colore Titoli"));
    EXPECT_EQ(q.lblPrompt(6)->text(), QStringLiteral("Sfondo Risultati"));
    for (int k = 0; k < 7; ++k) EXPECT_EQ(Sfondo(q.lblColori(k)), ColoreQt(cColoriTabVideo[size_t(k + 16)])) << k;
    EXPECT_EQ(q.lblFont(0)->text(), cFont[2]);
    EXPECT_EQ(q.lblFont(1)->text(), cFont[3]);
    EXPECT_EQ(q.lblDidascaliaFont(0)->text(), QStringLiteral("Font Titoli:"));
}

TEST_F(Tinte, UnColoreSceltoScrittoAllaChiusuraERiletto)
{
    {
        frmColori c;
        (*ui)->AttendiColore(0x123456, true, QStringLiteral("Impostazione Colore per Sfondo Tabellone"));
        c.lblColori_Click(5);
        EXPECT_EQ(cColoriTabVideo[5], 0x123456);
        EXPECT_EQ(Sfondo(c.lblColori(5)), ColoreQt(0x123456));
        // The file is written when the window closes, not before.
        EXPECT_FALSE(QFile::exists(cFileConfig));
        c.reject();
    }
    EXPECT_TRUE(QFile::exists(cFileConfig));
    {
        frmTinteQZ q;
        (*ui)->AttendiColore(0x00AB00, true, QStringLiteral("Impostazione Colore per Sfondo Risultati"));
        q.lblColori_Click(6);
        EXPECT_EQ(cColoriTabVideo[22], 0x00AB00);
        q.accept();
    }
    Rilegge();
    EXPECT_EQ(cColoriTabVideo[5], 0x123456);
    EXPECT_EQ(cColoriTabVideo[22], 0x00AB00);
    EXPECT_EQ(cColoriTabVideo[0], kColoriTabVideoPredefiniti[0]);
}

TEST_F(Tinte, UnColoreAnnullatoLasciaLaVoceAncheDiSistema)
{
    frmColori c;
    ASSERT_EQ(cColoriTabVideo[7], int32_t(0x80000008u));
    const QColor prima = Sfondo(c.lblColori(7));
    (*ui)->AttendiColore(0x00FF00, false, QStringLiteral("Impostazione Colore per Data e Ora"));
    c.lblColori_Click(7);
    EXPECT_EQ(cColoriTabVideo[7], int32_t(0x80000008u));
    EXPECT_EQ(Sfondo(c.lblColori(7)), prima);
    // The dialog opened on the colour the swatch shows.
    EXPECT_EQ(UltimoValore(), QString::number(uint32_t(ColoreVB(prima)), 16).toUpper());
    c.reject();
    Rilegge();
    EXPECT_EQ(cColoriTabVideo[7], int32_t(0x80000008u));
}

TEST_F(Tinte, FontConfermatoRiscrittoInOrdineEArrotondato)
{
    cFont[1] = QStringLiteral("Arial,IB,12");
    cFont[4] = QStringLiteral("Arial,SU,14");
    {
        frmColori c;
        // Confirmed unchanged: B before I, name and size as they were.
        (*ui)->AttendiFont(QString(), true, QStringLiteral("Impostazione Font Consiglieri:"));
        c.lblFont_Click(1);
        EXPECT_EQ(UltimoValore(), QStringLiteral("Arial,BI,12"));
        EXPECT_EQ(cFont[1], QStringLiteral("Arial,BI,12"));
        EXPECT_EQ(c.lblFont(1)->text(), cFont[1]);
        // Underline and strikethrough kept here, in the order U, S.
        (*ui)->AttendiFont(QString(), true, QStringLiteral("Impostazione Font Assenti:"));
        c.lblFont_Click(3);
        EXPECT_EQ(cFont[4], QStringLiteral("Arial,US,14"));
        // A size with a fraction is stored as a whole number.
        (*ui)->AttendiFont(QStringLiteral("Liberation Sans,B,13.5"), true,
                           QStringLiteral("Impostazione Font Risultati:"));
        c.lblFont_Click(2);
        EXPECT_EQ(cFont[3], QStringLiteral("Liberation Sans,B,14"));
        c.reject();
    }
    Rilegge();
    EXPECT_EQ(cFont[1], QStringLiteral("Arial,BI,12"));
    EXPECT_EQ(cFont[3], QStringLiteral("Liberation Sans,B,14"));
    EXPECT_EQ(cFont[4], QStringLiteral("Arial,US,14"));
}

TEST_F(Tinte, FontAnnullatoLasciaLaStringaComEra)
{
    cFont[0] = QStringLiteral("Arial");
    cFont[3] = QStringLiteral("Arial,B,13.5");
    frmColori c;
    (*ui)->AttendiFont(QStringLiteral("Courier,I,9"), false, QStringLiteral("Impostazione Font Risultati:"));
    c.lblFont_Click(2);
    EXPECT_EQ(cFont[3], QStringLiteral("Arial,B,13.5"));

    // Without a comma the dialog opens on what it last showed; cancelled,
    // the string stays as it is.
    (*ui)->AttendiFont(QStringLiteral("Courier,I,9"), false, QStringLiteral("Impostazione Font titolo Consiglio:"));
    c.lblFont_Click(0);
    EXPECT_EQ(UltimoValore(), QStringLiteral("Arial,B,13.5"));
    EXPECT_EQ(cFont[0], QStringLiteral("Arial"));
    EXPECT_EQ(c.lblFont(0)->text(), QStringLiteral("Arial"));
    // Confirmed: a complete string takes its place.
    (*ui)->AttendiFont(QString(), true, QStringLiteral("Impostazione Font titolo Consiglio:"));
    c.lblFont_Click(0);
    EXPECT_EQ(cFont[0], QStringLiteral("Arial,B,14"));
}

TEST_F(Tinte, RisultatiSoloGrassettoECorsivo)
{
    frmTinteQZ q;
    (*ui)->AttendiFont(QStringLiteral("Arial,BUS,16"), true, QStringLiteral("Impostazione Font"));
    q.lblFont_Click(0);
    EXPECT_EQ(cFont[2], QStringLiteral("Arial,B,16"));
    cFont[3] = QStringLiteral("Arial,IU,20");
    (*ui)->AttendiFont(QString(), true, QStringLiteral("Impostazione Font"));
    q.lblFont_Click(1);
    // The dialog is not given underline, and the string does not keep it.
    EXPECT_EQ(UltimoValore(), QStringLiteral("Arial,I,20"));
    EXPECT_EQ(cFont[3], QStringLiteral("Arial,I,20"));
    q.reject();
    Rilegge();
    EXPECT_EQ(cFont[2], QStringLiteral("Arial,B,16"));
}

TEST_F(Tinte, AssembleaRegionaleFontArgomento)
{
    iTipoAssemblea = 4;
    frmColori c;
    EXPECT_EQ(c.lblDidascaliaFont(0)->text(), QStringLiteral("Font Argomento:"));
    (*ui)->AttendiFont(QString(), false, QStringLiteral("Impostazione Font Argomento:"));
    c.lblFont_Click(0);
    EXPECT_EQ(cFont[0], QStringLiteral("MS Sans Serif,B,14"));
}

TEST_F(Tinte, IlDialogoDeiFontConfermatoSenzaCambiLasciaNomeStiliEDimensione)
{
    // The system's own dialog, accepted as it opens: the stored faces are
    // rarely installed, and a substitute must not cost the string its name,
    // its bold or its plain style.
    DialoghiQt qt;
    struct Caso {
        const char* stringa;
        const char* attesa;
    };
    const Caso casi[] = {
        {"MS Sans Serif,B,14", "MS Sans Serif,B,14"},
        {"MS Sans Serif,S,14", "MS Sans Serif,S,14"},
        {"MS Sans Serif,,10", "MS Sans Serif,,10"},
        {"MS Sans Serif,IB,12", "MS Sans Serif,BI,12"},
        {"Arial,BIU,20", "Arial,BIU,20"},
        {"DejaVu Sans,,14", "DejaVu Sans,,14"},
    };
    for (const Caso& c : casi) {
        QString stringa = QString::fromLatin1(c.stringa);
        QTimer::singleShot(100, [] {
            if (auto* d = qobject_cast<QFontDialog*>(QApplication::activeModalWidget())) d->accept();
        });
        ASSERT_TRUE(qt.ScegliFont(stringa, QStringLiteral("Impostazione Font Consiglieri:"))) << c.stringa;
        EXPECT_EQ(stringa.toStdString(), c.attesa);
    }
}
