// What the commands show off the LED board: the preview window frmLED and
// the title cells of the projected board.
#include <QLabel>
#include <QPushButton>

#include "Banco.h"
#include "board/Etichetta.h"

using namespace obx;
using namespace obx::test;

namespace {

class Anteprima : public BoardTest {
protected:
    void SetUp() override
    {
        BoardTest::SetUp();
        iModoOBX = 0;  // nothing on a line: the windows only
    }
};

class TitoliVideo : public BoardTest {
protected:
    void SetUp() override
    {
        BoardTest::SetUp();
        iModoOBX = 0;
        lMonitor = {};
        lMonitor[0] = {1, 0, 0, 768, 1024};
        cColoriTabVideo = kColoriTabVideoPredefiniti;
        ImpostaSuono(&suono);
        FrmVideo::CaricaAnagrafe = nullptr;
        FrmVideo::Attivazione = nullptr;
        v = &frmVideo();
        for (int n = 0; n < 14; ++n) v->txtTitolo(n)->SetCaption(QStringLiteral("prima"));
    }
    void TearDown() override
    {
        ScaricaFrmVideo();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ImpostaSuono(nullptr);
        lMonitor = {};
        BoardTest::TearDown();
    }
    QStringList Celle() const
    {
        QStringList r;
        for (int n = 0; n < 14; ++n) r << v->txtTitolo(n)->Caption();
        return r;
    }
    // Cells 0..13 after the command: "prima" where it left them alone.
    QStringList Dopo(const QString& comando)
    {
        for (int n = 0; n < 14; ++n) v->txtTitolo(n)->SetCaption(QStringLiteral("prima"));
        oTabellone->DettaglioTesto(comando);
        return Celle();
    }
    SuonoFinto suono;
    FrmVideo* v = nullptr;
};

QStringList Attese(std::initializer_list<std::pair<int, const char*>> celle)
{
    QStringList r;
    for (int n = 0; n < 14; ++n) r << QStringLiteral("prima");
    for (auto [n, t] : celle) r[n] = QString::fromUtf8(t);
    return r;
}

}  // namespace

TEST_F(Anteprima, MappaColoraLeEtichetteDeiPosti)
{
    EXPECT_EQ(frmLEDCaricato(), nullptr);
    // 48 positions: the eight LED characters, then others.
    const QString mappa = QStringLiteral("01623457x") + QString(36, u'0') + QStringLiteral("777");
    ASSERT_EQ(mappa.size(), 48);
    oTabellone->DettaglioLed(mappa);
    FrmLED* f = frmLEDCaricato();
    ASSERT_NE(f, nullptr);
    EXPECT_FALSE(f->isVisible()) << "built, not shown";
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Tabellone LED"));
    struct Atteso {
        int i;
        int32_t colore;
        const char* caption;
    };
    const Atteso attesi[] = {
        {0, 16777215, ""}, {1, 255, ""},      {2, 65280, "LAMP."}, {3, 65280, ""}, {4, 65535, ""},
        {5, 16777215, ""}, {6, 255, "LAMP."}, {7, 65535, "LAMP."}, {8, 0, ""},     {44, 16777215, ""},
    };
    for (const Atteso& a : attesi) {
        EXPECT_EQ(f->lblAnag(a.i)->BackColor(), a.colore) << "lblAnag(" << a.i << ")";
        EXPECT_EQ(f->lblAnag(a.i)->Caption(), QString::fromLatin1(a.caption)) << "lblAnag(" << a.i << ")";
    }
    EXPECT_EQ(f->lblAnag(45), nullptr) << "positions 46 to 48 have no label";

    // A shorter map changes only its own positions.
    oTabellone->DettaglioLed(QStringLiteral("6"));
    EXPECT_EQ(f->lblAnag(0)->BackColor(), 65280);
    EXPECT_EQ(f->lblAnag(0)->Caption(), QStringLiteral("LAMP."));
    EXPECT_EQ(f->lblAnag(1)->BackColor(), 255);
}

TEST_F(Anteprima, RigheDelTabelloneSenzaCodiciDiCampo)
{
    NuovoDriver(2);
    oTabellone->DettaglioTesto(QStringLiteral("0"));  // builds the preview (attendance map)
    FrmLED* f = frmLEDCaricato();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->lblInfo(1)->text(), QStringLiteral("  gg G LL "));
    oTabellone->DettaglioTesto(QStringLiteral("V"));
    EXPECT_EQ(f->lblInfo(5)->text(), QStringLiteral("PRESENTI 12 QUOR. 07"));
    EXPECT_EQ(f->lblInfo(7)->text(), QStringLiteral("  VOTAZIONE APERTA"));
    oTabellone->DettaglioTesto(QStringLiteral("D"));
    EXPECT_EQ(f->lblInfo(7)->text(), QStringLiteral("ROSSI MARIO       PD"));
    EXPECT_EQ(f->lblInfo(8)->text(), QStringLiteral("TEMPO "));
    // Only the rows of the frames sent change: "S" goes to controller 3.
    f->lblInfo(1)->setText(QStringLiteral("tenuta"));
    oTabellone->DettaglioTesto(QStringLiteral("S"));
    EXPECT_EQ(f->lblInfo(5)->text(), QStringLiteral("   SEDUTA SOSPESA"));
    EXPECT_EQ(f->lblInfo(1)->text(), QStringLiteral("tenuta"));
    EXPECT_EQ(f->lblInfo(0), nullptr);
    EXPECT_EQ(f->lblInfo(9), nullptr);
}

TEST_F(Anteprima, NascondiTornaAllaConsoleChiudiScarica)
{
    int attivazioni = 0;
    FrmLED::AttivaConsole = [&] { ++attivazioni; };
    FrmLED& f = frmLED();
    f.Mostra();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.cmdLed(0)->text(), QStringLiteral("Nascondi"));
    EXPECT_EQ(f.cmdLed(1)->text(), QStringLiteral("Chiudi"));
    f.cmdLed(0)->click();
    EXPECT_EQ(attivazioni, 1);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(frmLEDCaricato(), &f) << "hidden, still loaded";
    f.Mostra();
    f.cmdLed(1)->click();
    EXPECT_EQ(frmLEDCaricato(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // The driver goes on with a new preview.
    oTabellone->DettaglioLed(QStringLiteral("1"));
    ASSERT_NE(frmLEDCaricato(), nullptr);
    EXPECT_EQ(frmLEDCaricato()->lblAnag(0)->BackColor(), 255);
    // Closing the window unloads it as "Chiudi" does.
    frmLEDCaricato()->close();
    EXPECT_EQ(frmLEDCaricato(), nullptr);
    EXPECT_EQ(attivazioni, 1);
}

TEST_F(TitoliVideo, ComandiSulleCelleDeiTitoli)
{
    NuovoDriver(1);
    EXPECT_EQ(
        Dopo(QStringLiteral("G")),
        Attese(
            {{6, "Bilancio di previsione 2026"}, {7, ""}, {8, ""}, {9, ""}, {10, ""}, {11, ""}, {12, ""}, {13, ""}}));
    EXPECT_EQ(Dopo(QStringLiteral("2")),
              Attese({{4, "Presenti 12"}, {6, ""}, {7, ""}, {8, ""}, {9, ""}, {10, ""}, {11, ""}, {12, ""}, {13, ""}}));
    EXPECT_EQ(Dopo(QStringLiteral("V")), Attese({{4, "Presenti 12"}, {7, "Quorum 07"}, {8, "Votazione APERTA"}}));
    EXPECT_EQ(Dopo(QStringLiteral("D")), Attese({{8, "Parla: Consigliere ROSSI MARIO"}}));
    EXPECT_EQ(Dopo(QStringLiteral("H")), Attese({{8, ""}, {13, ""}}));
    EXPECT_EQ(Dopo(QStringLiteral("8")), Attese({{6, "ROSSI MARIO"}}));
    EXPECT_EQ(Dopo(QStringLiteral("W")), Attese({{6, "Bilancio di previsione 2026 (I.E.)"}}));
    cArgomentoPendente = QStringLiteral("EMENDAMENTO 4");
    EXPECT_EQ(Dopo(QStringLiteral("M")), Attese({{6, "Bilancio di previsione 2026 EMENDA"}}));
    EXPECT_EQ(Dopo(QStringLiteral("I")), Attese({{8, "Votazione ANNULLATA"}}));
    EXPECT_EQ(Dopo(QStringLiteral("S")), Attese({{6, ""}, {8, "SEDUTA SOSPESA"}}));
    EXPECT_EQ(Dopo(QStringLiteral("R")), Attese({{4, "Presenti 12"}, {8, ""}}));
    EXPECT_EQ(Dopo(QStringLiteral("A")), Attese({{4, "Presenti 12"}, {8, "APERTURA SEDUTA"}}));
    EXPECT_EQ(Dopo(QStringLiteral("4")), Attese({{4, "Presenti 00"}, {8, "APPELLO"}}));
    EXPECT_EQ(Dopo(QStringLiteral("0")), Attese({}));
    QStringList vuote;
    for (int n = 0; n < 14; ++n) vuote << QString();
    EXPECT_EQ(Dopo(QStringLiteral("9")), vuote);
    vuote[8] = QStringLiteral("CHIUSURA SEDUTA");
    EXPECT_EQ(Dopo(QStringLiteral("C")), vuote);
    // No item: its title is left as it was; no quorum: no quorum cell.
    iDelibera = 0;
    iQuorum[3] = 0;
    EXPECT_EQ(Dopo(QStringLiteral("m")), Attese({}));
    EXPECT_EQ(Dopo(QStringLiteral("V")), Attese({{4, "Presenti 12"}, {8, "Votazione APERTA"}}));
    // The title without leading blanks; an item without a title by number.
    iDelibera = 23;
    cArgomento[5] = QStringLiteral("   Mozione urgente  ");
    EXPECT_EQ(Dopo(QStringLiteral("m")), Attese({{6, "Mozione urgente"}}));
    cArgomento[5] = QString(10, u' ');
    EXPECT_EQ(Dopo(QStringLiteral("m")), Attese({{6, "Ordine del Giorno n. 23"}}));
}

TEST_F(TitoliVideo, RisultatiOpachiSulColoreDiSfondo)
{
    cColoriTabVideo[6] = 0x123456;
    NuovoDriver(5);  // projection only: the cells follow all the same
    EXPECT_EQ(Dopo(QStringLiteral("T")), Attese({{7, "Quorum 07"},
                                                 {8, ""},
                                                 {9, "Favorevoli 10"},
                                                 {10, "Contrari 03"},
                                                 {11, "Astenuti 01"},
                                                 {12, "Votanti 13"}}));
    for (int n : {4, 7, 9, 10, 11, 12, 13}) {
        EXPECT_EQ(v->txtTitolo(n)->BackStyle(), 1) << n;
        EXPECT_EQ(v->txtTitolo(n)->BackColor(), 0x123456) << n;
    }
    EXPECT_EQ(v->txtTitolo(8)->BackStyle(), 0);

    cTipoVoto = QStringLiteral("H");
    iConfigOBX = kOpzVotantiAstenuti | kOpzNascondeNVotanti;  // abstentions among the voters, no voters cell
    EXPECT_EQ(
        Dopo(QStringLiteral("T")),
        Attese(
            {{7, "Quorum 07"}, {8, "VOTO SEGRETO"}, {9, "Favorevoli 10"}, {10, "Contrari 03"}, {11, "Astenuti 01"}}));
    iConfigOBX = kOpzVotantiAstenuti;
    EXPECT_EQ(Dopo(QStringLiteral("T")).value(12), QStringLiteral("Votanti 14"));
}

TEST_F(TitoliVideo, AppelloNonLasciaGliAstenutiDiPrima)
{
    NuovoDriver(1);
    oTabellone->DettaglioTesto(QStringLiteral("T"));
    EXPECT_EQ(v->txtTitolo(11)->Caption(), QStringLiteral("Astenuti 01"));
    cTipoVoto = QStringLiteral("A");
    iFavorevoli = 12;  // the number present
    oTabellone->DettaglioTesto(QStringLiteral("T"));
    EXPECT_EQ(v->txtTitolo(9)->Caption(), QStringLiteral("Presenti 12"));
    EXPECT_EQ(v->txtTitolo(10)->Caption(), QStringLiteral("Assenti 3"));
    EXPECT_EQ(v->txtTitolo(11)->Caption(), QString()) << "an earlier vote's abstentions are cleared";
    EXPECT_EQ(v->txtTitolo(12)->Caption(), QStringLiteral("Votanti 15"));
}

TEST_F(BoardTest, IlTabelloneVideoNonVieneCreatoPerICommandi)
{
    iModoOBX = 0;
    ScaricaFrmVideo();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    oTabellone->DettaglioTesto(QStringLiteral("G"));
    oTabellone->DettaglioTesto(QStringLiteral("T"));
    EXPECT_EQ(frmVideoCaricato(), nullptr);
}
