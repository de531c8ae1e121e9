#include <QLabel>
#include <QPushButton>

#include "links/frmTavelix.h"
#include "platform/Documenti.h"
#include "support/LinkFixture.h"

using namespace obx;
using namespace obx::test;

namespace {

constexpr int32_t kRosso = 0xFF, kVerde = 0xFF00, kVerdeScuro = 0x7E00;

QString Frame(int antenna, int unita, int batteria)
{
    QString f;
    f += QChar(0xF0 + antenna);
    f += QChar(unita & 15);
    f += QChar((unita >> 4) & 15);
    f += QChar((unita >> 8) & 15);
    f += QChar(batteria & 15);
    f += QChar((batteria >> 4) & 15);
    return f;
}

class Radio : public LinkTest {
protected:
    void SetUp() override
    {
        LinkTest::SetUp();
        iProtocolloTLV = 7777;
        iPortaTLV = kPorta;
        iPrimoTLV = 1;
        iUltimoTLV = 8;
        xRilievoRadio = false;
        ImpostaApriDocumento([this](const QString& p) {
            aperti << p;
            return true;
        });
    }
    void TearDown() override
    {
        ImpostaApriDocumento({});
        LinkTest::TearDown();
    }
    QStringList Rapporto() { return Righe(frmTavelix::FileRapporto()); }
    // The survey is over: no polling, the window ready for another, the
    // port released.
    static void RilievoFermo(frmTavelix& f)
    {
        EXPECT_EQ(f.iStatoRilievo, 0);
        EXPECT_FALSE(f.croAsta.isActive());
        EXPECT_EQ(f.cmdTest[0]->text(), QStringLiteral("Reset"));
        EXPECT_TRUE(f.cmdTest[1]->isEnabled());
        EXPECT_FALSE(oComTLV.PortOpen());
        EXPECT_FALSE(xRilievoRadio);
    }

    QStringList aperti;
};

}  // namespace

TEST_F(Radio, SurveyFramesAreParsedOnceAcrossReads)
{
    frmTavelix f;
    // Unit 5 heard by antennas 2 and 5 counts once; a frame cut at the end
    // waits for the rest.
    const QString due = Frame(2, 5, 250) + Frame(5, 5, 251);
    const QString terzo = Frame(1, 300, 200);
    f.AnalizzaRilievo(due + terzo.left(3));
    EXPECT_EQ(f.lRicevuti, 1);
    EXPECT_EQ(f.cResiduoRilievo, terzo.left(3));
    EXPECT_EQ(f.txtInfo->text(), QStringLiteral("Ricevuti 1"));
    f.AnalizzaRilievo(f.cResiduoRilievo + terzo.mid(3));
    EXPECT_EQ(f.lRicevuti, 2);
    EXPECT_TRUE(f.cResiduoRilievo.isEmpty());
    EXPECT_EQ(int(uchar(f.cMappaRilievo.at(2 * 5))), 2 | 16);
    EXPECT_EQ(int(uchar(f.cMappaRilievo.at(2 * 5 + 1))), 251);
    EXPECT_EQ(int(uchar(f.cMappaRilievo.at(2 * 300))), 1);
    // Battery code 0: the unit stays not heard and counts again.
    f.AnalizzaRilievo(Frame(3, 9, 0));
    EXPECT_EQ(f.lRicevuti, 3);
    f.AnalizzaRilievo(Frame(3, 9, 100));
    EXPECT_EQ(f.lRicevuti, 4);
    EXPECT_EQ(f.txtInfo->text(), QStringLiteral("Ricevuti 4"));
}

TEST_F(Radio, ReportListsTheRangeWithVoltsAndAntennas)
{
    frmTavelix f;
    iPrimoTLV = 4;
    iUltimoTLV = 7;
    f.AnalizzaRilievo(Frame(1, 5, 250) + Frame(3, 5, 250) + Frame(2, 6, 138) + Frame(8, 20, 200));
    int trovati = 0, non = 0, scarichi = 0;
    ASSERT_TRUE(f.ScriveRapporto(trovati, non, scarichi));
    EXPECT_EQ(trovati, 2);
    EXPECT_EQ(non, 2);
    EXPECT_EQ(scarichi, 1);
    EXPECT_EQ(Rapporto(), QStringList({
                              "TLV      Volt     Antenne",
                              "-----    -----    --------------------",
                              "    4             NON TROVATO",
                              "    5    11.05    1 3",
                              "    6     6.10    2",
                              "    7             NON TROVATO",
                              "",
                              "",
                              "    2 Votatori trovati",
                              "    2 Votatori non ricevuti",
                              "---------------",
                              "    1 Votatori con batteria scarica",
                          }));
}

TEST_F(Radio, AntennaScanShowsWhoAnswered)
{
    Avvia({QStringLiteral("--device"), QStringLiteral("7777"), QStringLiteral("-c"), QStringLiteral("antennas 1,4")});
    frmTavelix f;
    f.cmdTest_Click(1);
    for (int k = 0; k < 8; ++k) EXPECT_EQ(f.ColoreAntenna(k), (k == 0 || k == 3) ? kVerde : kRosso) << k;
    EXPECT_EQ(f.txtInfo->text(), QStringLiteral("Trovate 2 Antenne"));
    EXPECT_EQ(f.ColoreInfo(), kVerdeScuro);
    EXPECT_TRUE(f.cmdTest[0]->isEnabled());
    EXPECT_TRUE(f.cmdTest[2]->isEnabled());
    EXPECT_FALSE(oComTLV.PortOpen());
    EXPECT_FALSE(xRilievoRadio);
    EXPECT_TRUE(sim->AttendeRiga(QStringLiteral("RX 88")));
    EXPECT_TRUE(sim->AttendeRiga(QStringLiteral("RX AA")));
    // No trace of a vote is written by the diagnostics.
    EXPECT_FALSE(QFile::exists(cCartella + QStringLiteral("voto0012.txt")));

    sim->Comando(QStringLiteral("antennas none"));
    ASSERT_TRUE(sim->Sincronizza());
    f.cmdTest_Click(1);
    EXPECT_EQ(f.txtInfo->text(), QStringLiteral("Nessuna Antenna"));
    EXPECT_EQ(f.ColoreInfo(), kRosso);
}

TEST_F(Radio, SurveyHoldsThePortAndStopWritesAndOpensTheReport)
{
    Avvia({QStringLiteral("--device"), QStringLiteral("7777"), QStringLiteral("--split"), QStringLiteral("4"),
           QStringLiteral("--gap"), QStringLiteral("5"), QStringLiteral("-c"), QStringLiteral("units 1-3 250 1,2"),
           QStringLiteral("-c"), QStringLiteral("unit 7 138 3")});
    frmTavelix f;
    f.cmdTest_Click(2);
    EXPECT_EQ(f.txtInfo->text(), QStringLiteral("Premere i tasti C e ON"));
    EXPECT_EQ(f.iStatoRilievo, 1);
    EXPECT_TRUE(f.croAsta.isActive());
    EXPECT_EQ(f.cmdTest[0]->text(), QStringLiteral("Stop"));
    EXPECT_FALSE(f.cmdTest[1]->isEnabled());
    EXPECT_TRUE(oComTLV.PortOpen());
    EXPECT_TRUE(xRilievoRadio);
    ASSERT_TRUE(Finche([&] { return f.lRicevuti == 4; }, 5000)) << f.lRicevuti;
    EXPECT_EQ(f.txtInfo->text(), QStringLiteral("Ricevuti 4"));
    EXPECT_TRUE(xRilievoRadio);

    f.cmdTest_Click(0);
    EXPECT_EQ(f.txtInfo->text(), QStringLiteral("Trovati 4 Votatori"));
    EXPECT_EQ(f.ColoreInfo(), kVerdeScuro);
    RilievoFermo(f);
    EXPECT_EQ(aperti, QStringList({frmTavelix::FileRapporto()}));
    const QStringList r = Rapporto();
    ASSERT_EQ(r.size(), 2 + 8 + 6);
    EXPECT_EQ(r[2], QStringLiteral("    1    11.05    1 2"));
    EXPECT_EQ(r[8], QStringLiteral("    7     6.10    3"));
    EXPECT_EQ(r[9], QStringLiteral("    8             NON TROVATO"));
    EXPECT_EQ(r[12], QStringLiteral("    4 Votatori trovati"));
    EXPECT_EQ(r[15], QStringLiteral("    1 Votatori con batteria scarica"));
    EXPECT_TRUE(sim->AttendeRiga(QStringLiteral("RX EE")));
    EXPECT_TRUE(sim->AttendeRiga(QStringLiteral("RX AA")));
}

TEST_F(Radio, StopWithNothingHeardSaysSoInRed)
{
    Avvia({QStringLiteral("--device"), QStringLiteral("7777")});
    frmTavelix f;
    f.cmdTest_Click(2);
    ASSERT_EQ(f.iStatoRilievo, 1);
    f.cmdTest_Click(0);
    EXPECT_EQ(f.txtInfo->text(), QStringLiteral("Nessun Votatore"));
    EXPECT_EQ(f.ColoreInfo(), kRosso);
    const QStringList r = Rapporto();
    ASSERT_EQ(r.size(), 16);
    for (int i = 2; i < 10; ++i) EXPECT_TRUE(r[i].endsWith(QStringLiteral("NON TROVATO"))) << r[i].toStdString();
    EXPECT_EQ(r[13], QStringLiteral("    8 Votatori non ricevuti"));
}

TEST_F(Radio, ResetWhenIdle)
{
    Avvia({QStringLiteral("--device"), QStringLiteral("7777")});
    frmTavelix f;
    f.cmdTest_Click(0);
    EXPECT_EQ(f.txtInfo->text(), QStringLiteral("Comando Eseguito"));
    EXPECT_EQ(f.ColoreInfo(), kVerdeScuro);
    EXPECT_FALSE(oComTLV.PortOpen());
    EXPECT_TRUE(sim->AttendeRiga(QStringLiteral("RX AA")));
    EXPECT_TRUE(aperti.isEmpty());
}

TEST_F(Radio, ClosingTheWindowStopsTheSurvey)
{
    Avvia({QStringLiteral("--device"), QStringLiteral("7777"), QStringLiteral("-c"), QStringLiteral("unit 2 250 1")});
    frmTavelix f;
    f.show();
    f.cmdTest_Click(2);
    ASSERT_TRUE(Finche([&] { return f.lRicevuti == 1; }, 5000));
    f.close();
    EXPECT_EQ(f.iStatoRilievo, 0);
    EXPECT_FALSE(f.croAsta.isActive());
    EXPECT_FALSE(oComTLV.PortOpen());
    EXPECT_FALSE(xRilievoRadio);
    EXPECT_TRUE(sim->AttendeRiga(QStringLiteral("RX EE")));
    EXPECT_TRUE(sim->AttendeRiga(QStringLiteral("RX AA")));
    EXPECT_EQ(Rapporto().value(3), QStringLiteral("    2    11.05    1"));
}

TEST_F(Radio, AFailedStopIsReportedAndTheSurveyEnds)
{
    Avvia({QStringLiteral("--device"), QStringLiteral("7777")});
    frmTavelix f;
    f.cmdTest_Click(2);
    ASSERT_EQ(f.iStatoRilievo, 1);
    f.croAsta.stop();  // no poll in between: the first thing to fail is the stop
    sim->Termina();
    ui->AttendiMsg(QStringLiteral("8024\n"), vbCancel, true);  // the stop
    ui->AttendiMsg(QStringLiteral("8024\n"), vbCancel, true);  // the stop once more, on closing
    f.cmdTest_Click(0);
    EXPECT_EQ(f.txtInfo->text(), QStringLiteral("Trasmissione Fallita (0xAA)"));
    EXPECT_EQ(f.ColoreInfo(), kRosso);
    RilievoFermo(f);
    EXPECT_EQ(aperti.size(), 1);  // what was heard is reported all the same
}

TEST_F(Radio, ASurveyThatCannotStartLeavesTheScanAvailable)
{
    ScrivePorte(cCartella, {{kPorta, QStringLiteral("/nonexistent/ttyUSB9")}});
    ui->AttendiMsg(QStringLiteral("Errore su COM3"), vbOK, true);
    frmTavelix f;
    f.cmdTest_Click(2);
    EXPECT_EQ(f.txtInfo->text(), QStringLiteral("Apertura COM3 Fallita"));
    EXPECT_EQ(f.ColoreInfo(), kRosso);
    EXPECT_EQ(f.iStatoRilievo, 0);
    EXPECT_TRUE(f.cmdTest[1]->isEnabled());
    EXPECT_FALSE(xRilievoRadio);
}
