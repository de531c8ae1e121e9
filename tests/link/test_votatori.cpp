#include <QElapsedTimer>
#include <QTimer>

#include "platform/Testo.h"
#include "support/LinkFixture.h"

using namespace obx;
using namespace obx::test;

namespace {

const QString kMsgApertura =
    QStringLiteral("Verificare i collegamenti delle antenne di ricezione e riavviare il programma");

class Link4010 : public LinkTest {
protected:
    void SetUp() override
    {
        LinkTest::SetUp();
        iProtocolloTLV = 4010;
    }
    // Opens and starts a vote: "Av 61" -> "p1", "Sf" -> "p2".
    void ApreVoto()
    {
        iConfigOBX |= kOpzVerificaRisposta;
        ASSERT_TRUE(ApreComVotatori(kPorta, false));
        ASSERT_TRUE(TrasmetteVotatori(QStringLiteral("Av 61"), 2, QStringLiteral("p1")));
        ASSERT_TRUE(TrasmetteVotatori(QStringLiteral("Sf"), 2, QStringLiteral("p2")));
        ASSERT_TRUE(sim->AttendeRiga(QStringLiteral("EV open")));
    }
    QString Traccia() const { return cCartella + QStringLiteral("voto0012.txt"); }
};

class Link7777 : public LinkTest {
protected:
    void SetUp() override
    {
        LinkTest::SetUp();
        iProtocolloTLV = 7777;
    }
    QString Traccia() const { return cCartella + QStringLiteral("voto0012.txt"); }
};

}  // namespace

TEST_F(Link4010, PortZeroFailsSilentlyAndClosesAnOpenPort)
{
    Avvia({});
    ASSERT_TRUE(ApreComVotatori(kPorta, true));
    ASSERT_TRUE(oComTLV.PortOpen());
    EXPECT_FALSE(ApreComVotatori(0, false));
    EXPECT_FALSE(oComTLV.PortOpen());
    EXPECT_EQ(iFileTraccia, 0);
}

TEST_F(Link4010, OpenFailureIsReportedAndStartsNoTrace)
{
    ScrivePorte(cCartella, {{kPorta, QStringLiteral("/nonexistent/ttyUSB9")}});
    ui->AttendiMsg(QStringLiteral("Errore su COM3\nIl dispositivo /nonexistent/ttyUSB9 non esiste\n\n") + kMsgApertura);
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(ApreComVotatori(kPorta, false));
    EXPECT_LT(t.elapsed(), 1000);
    ASSERT_FALSE(ui->Storia().empty());
    EXPECT_EQ(ui->Storia().back().titolo, QStringLiteral("Apertura Fallita"));
    EXPECT_EQ(ui->Storia().back().stile, vbCritical);
    EXPECT_FALSE(oComTLV.PortOpen());
    EXPECT_EQ(iFileTraccia, 0);
    EXPECT_FALSE(QFile::exists(Traccia()));
}

TEST_F(Link4010, TraceIsNamedByItemOrRollCallAndReopeningOverwritesIt)
{
    Avvia({});
    struct Caso {
        const char* tipo;
        int item;
        const char* file;
    };
    const Caso casi[] = {{"P", 12, "voto0012.txt"}, {"A", 12, "Appello.txt"}, {"H", 7, "voto0007.txt"}};
    for (const Caso& c : casi) {
        cTipoVoto = QString::fromLatin1(c.tipo);
        iDelibera = c.item;
        ASSERT_TRUE(ApreComVotatori(kPorta, false));
        EXPECT_NE(iFileTraccia, 0);
        EXPECT_EQ(FileTraccia(), cCartella + QString::fromLatin1(c.file));
        TrasmetteVotatori(QStringLiteral("Sf"), 0, QString());
        ASSERT_TRUE(ChiudeComVotatori(0));
        EXPECT_EQ(iFileTraccia, 0);
        EXPECT_EQ(Righe(cCartella + QString::fromLatin1(c.file)),
                  QStringList({QStringLiteral("Tx:Sf"), QStringLiteral("Rx:Ok"), QStringLiteral("Chiusura")}))
            << c.file;
    }
    // Same item again: a new trace in place of the old one.
    cTipoVoto = QStringLiteral("P");
    iDelibera = 12;
    ASSERT_TRUE(ApreComVotatori(kPorta, false));
    ASSERT_TRUE(ChiudeComVotatori(0));
    EXPECT_EQ(Righe(Traccia()), QStringList({QStringLiteral("Chiusura")}));
    // No trace without the flag, or with the keypad trace off.
    QFile::remove(Traccia());
    ASSERT_TRUE(ApreComVotatori(kPorta, true));
    EXPECT_EQ(iFileTraccia, 0);
    iTraccia = 4;
    ASSERT_TRUE(ApreComVotatori(kPorta, false));
    EXPECT_EQ(iFileTraccia, 0);
    ChiudeComVotatori(0);
    EXPECT_FALSE(QFile::exists(Traccia()));
}

TEST_F(Link4010, TestOfTheCentralAnswersAndLeavesTheVoteTraceAlone)
{
    Avvia({});
    ApreVoto();
    ASSERT_TRUE(ChiudeComVotatori(3));
    const QStringList traccia = Righe(Traccia());
    ASSERT_FALSE(traccia.isEmpty());

    EXPECT_TRUE(TestaCentralina(kPorta));
    EXPECT_TRUE(sim->AttendeRiga(QStringLiteral("RX Rc")));
    EXPECT_FALSE(oComTLV.PortOpen());
    EXPECT_EQ(Righe(Traccia()), traccia);

    // A central that refuses, or says nothing.
    sim->Comando(QStringLiteral("error 2"));
    ASSERT_TRUE(sim->Sincronizza());
    EXPECT_FALSE(TestaCentralina(kPorta));
    sim->Comando(QStringLiteral("silent"));
    ASSERT_TRUE(sim->Sincronizza());
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(TestaCentralina(kPorta));
    EXPECT_LT(t.elapsed(), 2000);
    EXPECT_FALSE(oComTLV.PortOpen());
}

TEST_F(Link4010, TestOfAPort)
{
    Avvia({});
    EXPECT_TRUE(TestaPorta(kPorta));
    EXPECT_FALSE(oComTLV.PortOpen());
    ScrivePorte(cCartella, {{kPorta, QStringLiteral("/nonexistent/tty")}});
    EXPECT_FALSE(TestaPorta(kPorta));
    EXPECT_FALSE(TestaPorta(0));
}

TEST_F(Link4010, TransmitWaitsForTheExpectedReplyAndTracesIt)
{
    Avvia({QStringLiteral("--split"), QStringLiteral("1"), QStringLiteral("--gap"), QStringLiteral("5")});
    iConfigOBX = kOpzVerificaRisposta;
    ASSERT_TRUE(ApreComVotatori(kPorta, false));
    const QString mappa = QStringLiteral("Mp ") + QStringLiteral("1111") + QString(508, u'0');
    EXPECT_TRUE(TrasmetteVotatori(mappa, 2, QStringLiteral("Ok")));
    EXPECT_TRUE(sim->AttendeRiga(QStringLiteral("EV map")));
    ChiudeComVotatori(0);
    EXPECT_EQ(Righe(Traccia()),
              QStringList({QStringLiteral("Tx:") + mappa, QStringLiteral("Rx:Ok"), QStringLiteral("Chiusura")}));
}

TEST_F(Link4010, RefusalAsksRetryOrCancel)
{
    struct Caso {
        bool verifica;
        int risposta;
        bool esito;
    };
    const Caso casi[] = {
        {true, vbRetry, true}, {true, vbCancel, false}, {false, vbRetry, true}, {false, vbCancel, false}};
    Avvia({});
    for (const Caso& c : casi) {
        iConfigOBX = c.verifica ? 2 : 0;
        ASSERT_TRUE(ApreComVotatori(kPorta, false));
        // "Er" at once, the acknowledgement later: after Retry the link
        // reads on without sending again.
        sim->Comando(QStringLiteral("error 1"));
        ASSERT_TRUE(sim->Sincronizza());
        sim->Comando(QStringLiteral("await refused"));
        sim->Comando(QStringLiteral("wait 0.1"));
        sim->Comando(QStringLiteral("raw p1"));
        ui->AttendiMsg(QStringLiteral("Trasmissione Fallita"), c.risposta);
        EXPECT_EQ(TrasmetteVotatori(QStringLiteral("Av 61"), 2, QStringLiteral("p1")), c.esito);
        ASSERT_FALSE(ui->Storia().empty());
        EXPECT_EQ(ui->Storia().back().stile, vbQuestion + vbRetryCancel);
        EXPECT_EQ(ui->Storia().back().titolo, kTitoloOBX);
        ASSERT_TRUE(sim->AttendeRiga(QStringLiteral("TX p1")));
        ChiudeComVotatori(0);
        const QStringList r = Righe(Traccia());
        EXPECT_EQ(r.value(1), QStringLiteral("Rx:Er")) << r.join(u'|').toStdString();
        if (c.esito) EXPECT_EQ(r.value(2), QStringLiteral("Rx:p1")) << r.join(u'|').toStdString();
        // The data is not sent again.
        EXPECT_EQ(sim->Conta(QStringLiteral("RX Av 61")), 1 + int(&c - casi));
    }
}

TEST_F(Link4010, SilentCentralWithoutCheckIsOneWaitThenSuccess)
{
    Avvia({QStringLiteral("--silent")});
    iConfigOBX = 0;
    ASSERT_TRUE(ApreComVotatori(kPorta, false));
    const double inizio = Clock().Timer();
    EXPECT_TRUE(TrasmetteVotatori(QStringLiteral("Av 61"), 2, QStringLiteral("p1")));
    const double atteso = Trascorso(inizio, Clock().Timer());
    EXPECT_GE(atteso, 5.0);
    EXPECT_LT(atteso, 10.0);  // one wait, not two
    ChiudeComVotatori(0);
    EXPECT_EQ(Righe(Traccia()),
              QStringList({QStringLiteral("Tx:Av 61"), QStringLiteral("Rx:nothing"), QStringLiteral("Chiusura")}));
}

TEST_F(Link4010, SilentCentralWithCheckWaitsUntilCtrlIsHeld)
{
    Avvia({QStringLiteral("--silent")});
    iConfigOBX = kOpzVerificaRisposta;
    ASSERT_TRUE(ApreComVotatori(kPorta, false));
    QTimer::singleShot(1200, [this] { keys.ctrl = true; });  // after two waits of 5 s
    const double inizio = Clock().Timer();
    EXPECT_TRUE(TrasmetteVotatori(QStringLiteral("Av 61"), 2, QStringLiteral("p1")));
    EXPECT_GE(Trascorso(inizio, Clock().Timer()), 10.0);
    ChiudeComVotatori(0);
    EXPECT_GE(Righe(Traccia()).count(QStringLiteral("Rx:nothing")), 2);
}

TEST_F(Link4010, ClosingHandshakeStepsThroughP3P4Ok)
{
    Avvia({});
    ApreVoto();
    EXPECT_TRUE(ChiudeComVotatori(3));
    EXPECT_FALSE(oComTLV.PortOpen());
    EXPECT_EQ(sim->Conta(QStringLiteral("RX Sf")), 4);
    EXPECT_TRUE(sim->AttendeRiga(QStringLiteral("EV idle")));
    const QStringList r = Righe(Traccia());
    EXPECT_EQ(r.mid(r.size() - 7), QStringList({"Tx:Sf", "Rx:p3", "Tx:Sf", "Rx:p4", "Tx:Sf", "Rx:Ok", "Chiusura"}));
}

TEST_F(Link4010, ClosingHandshakeStopsAtACancelledStep)
{
    Avvia({});
    ApreVoto();
    sim->Comando(QStringLiteral("error 1 after 1"));  // the second "Sf" is refused
    ASSERT_TRUE(sim->Sincronizza());
    ui->AttendiMsg(QStringLiteral("Trasmissione Fallita"), vbCancel);
    EXPECT_FALSE(ChiudeComVotatori(3));
    EXPECT_FALSE(oComTLV.PortOpen());
    EXPECT_EQ(sim->Conta(QStringLiteral("RX Sf")), 1 + 2);
    EXPECT_EQ(Righe(Traccia()).constLast(), QStringLiteral("Chiusura"));
}

TEST_F(Link4010, ClosingHandshakeStopsWhenTheLinkIsClosedUnderIt)
{
    // A handler run inside the first step's wait closes the link: the
    // remaining steps are not sent to a closed port.
    Avvia({QStringLiteral("--silent")});
    ASSERT_TRUE(ApreComVotatori(kPorta, false));
    QTimer::singleShot(100, [] { ChiudeComVotatori(0); });
    QElapsedTimer t;
    t.start();
    ChiudeComVotatori(3);
    EXPECT_LT(t.elapsed(), 1000);
    EXPECT_FALSE(oComTLV.PortOpen());
    ASSERT_TRUE(sim->AttendeRiga(QStringLiteral("RX Sf")));
    ASSERT_TRUE(sim->Sincronizza());
    EXPECT_EQ(sim->Conta(QStringLiteral("RX Sf")), 1);
    EXPECT_EQ(Righe(Traccia()).constLast(), QStringLiteral("Chiusura"));
}

TEST_F(Link4010, ClosingAClosedPortSendsNothingAndEndsTheTrace)
{
    Avvia({});
    ASSERT_TRUE(ApreComVotatori(kPorta, false));
    oComTLV.SetPortOpen(false);
    EXPECT_TRUE(ChiudeComVotatori(3));
    EXPECT_EQ(iFileTraccia, 0);
    EXPECT_EQ(Righe(Traccia()), QStringList({QStringLiteral("Chiusura")}));
    EXPECT_EQ(sim->Conta(QStringLiteral("RX Sf")), 0);
}

TEST_F(Link4010, KeyFramesAreReadWholeAcrossSplitWrites)
{
    Avvia({QStringLiteral("--split"), QStringLiteral("1"), QStringLiteral("--gap"), QStringLiteral("3")});
    ApreVoto();
    sim->Comando(QStringLiteral("key 26 3"));
    sim->Comando(QStringLiteral("block 16 3 6 5 3 0 0 0 0"));
    sim->Comando(QStringLiteral("end"));
    EXPECT_EQ(RiceveVotatori(1, 5), QStringLiteral("V"));
    EXPECT_EQ(RiceveVotatori(7, 5), QStringLiteral("0001A0["));
    EXPECT_EQ(RiceveVotatori(1, 5), QStringLiteral("3"));
    EXPECT_EQ(RiceveVotatori(1, 5), QStringLiteral("V"));
    EXPECT_EQ(RiceveVotatori(7, 5), QStringLiteral("000100("));
    EXPECT_EQ(RiceveVotatori(16, 5), QStringLiteral("3060503000000000"));
    EXPECT_EQ(RiceveVotatori(1, 5), QStringLiteral("F"));
    EXPECT_EQ(RiceveVotatori(1, 0.5), QString());
    const QStringList r = Righe(Traccia());
    EXPECT_TRUE(r.contains(QStringLiteral("Rx:0001A0["))) << r.join(u'|').toStdString();
    EXPECT_EQ(r.constLast(), QStringLiteral("Rx:nothing"));
}

TEST_F(Link4010, ReadTakesNoMoreThanTheCountAndEndsByItsDeadline)
{
    Avvia({});
    ASSERT_TRUE(ApreComVotatori(kPorta, true));
    // Nothing waiting, no time-out: back at once.
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(RiceveVotatori(0, 0), QString());
    EXPECT_LT(t.elapsed(), 100);

    sim->Comando(QStringLiteral("raw abc"));
    EXPECT_EQ(RiceveVotatori(2, 5), QStringLiteral("ab"));
    EXPECT_EQ(RiceveVotatori(0, 0), QStringLiteral("c"));

    // Fewer characters than asked: what came is returned at the deadline,
    // also when they arrive one at a time.
    sim->Comando(QStringLiteral("split 1 20"));
    sim->Comando(QStringLiteral("raw xyz"));
    const double inizio = Clock().Timer();
    EXPECT_EQ(RiceveVotatori(7, 5), QStringLiteral("xyz"));
    const double atteso = Trascorso(inizio, Clock().Timer());
    EXPECT_GE(atteso, 5.0);
    EXPECT_LT(atteso, 20.0);
}

TEST_F(Link4010, ReadEndsAtOnceWhenThePortIsClosedDuringTheWait)
{
    Avvia({QStringLiteral("--silent")});
    ASSERT_TRUE(ApreComVotatori(kPorta, false));
    QTimer::singleShot(100, [] { ChiudeComVotatori(0); });
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(RiceveVotatori(1, 60), QString());
    EXPECT_LT(t.elapsed(), 1000);
    // And a transmission waiting for its reply fails rather than spin.
    ASSERT_TRUE(ApreComVotatori(kPorta, false));
    iConfigOBX = kOpzVerificaRisposta;
    QTimer::singleShot(100, [] { ChiudeComVotatori(0); });
    t.restart();
    EXPECT_FALSE(TrasmetteVotatori(QStringLiteral("Av 61"), 2, QStringLiteral("p1")));
    EXPECT_LT(t.elapsed(), 1000);
}

TEST_F(Link4010, WaitsEndAcrossMidnight)
{
    OrologioVeloce mezzanotte(10, 86399.8);
    ImpostaOrologio(&mezzanotte);
    Avvia({QStringLiteral("--silent")});
    ASSERT_TRUE(ApreComVotatori(kPorta, true));
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(RiceveVotatori(1, 1), QString());
    EXPECT_LT(t.elapsed(), 800);
    EXPECT_LT(mezzanotte.Timer(), 100.0);  // it did cross
    OrologioVeloce mezzanotte2(10, 86399.9);
    ImpostaOrologio(&mezzanotte2);
    t.restart();
    Attende(0.5);
    EXPECT_GE(t.elapsed(), 40);
    EXPECT_LT(t.elapsed(), 800);
    ImpostaOrologio(&clock);
}

TEST_F(Link4010, SendFailureOffersRetryWithTheErrorNumber)
{
    Avvia({});
    ASSERT_TRUE(ApreComVotatori(kPorta, false));
    sim->Termina();
    ui->AttendiMsg(QStringLiteral("8024\n"), vbRetry, true);
    ui->AttendiMsg(QStringLiteral("8024\n"), vbCancel, true);
    EXPECT_FALSE(TrasmetteVotatori(QStringLiteral("Sf"), 0, QString()));
    ASSERT_FALSE(ui->Storia().empty());
    EXPECT_EQ(ui->Storia().back().titolo, QStringLiteral("Trasmissione Fallita"));
    EXPECT_EQ(ui->Storia().back().stile, vbCritical + vbRetryCancel);
}

TEST_F(Link4010, ReadFailureIsReportedOnceAndTheWaitEnds)
{
    Avvia({});
    ASSERT_TRUE(ApreComVotatori(kPorta, false));
    sim->Termina();
    ui->AttendiMsg(QStringLiteral("Com Error 1011"));
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(RiceveVotatori(1, 2), QString());
    EXPECT_LT(t.elapsed(), 1500);
    ASSERT_FALSE(ui->Storia().empty());
    EXPECT_EQ(ui->Storia().back().titolo, QStringLiteral("Lettura Fallita"));
}

// --- radio central

TEST_F(Link7777, OpenSendsBytesAndReadsFramesSplitAcrossReads)
{
    Avvia({QStringLiteral("--device"), QStringLiteral("7777")});
    ASSERT_TRUE(ApreComVotatori(kPorta, false));
    EXPECT_EQ(oComTLV.Settings(), QStringLiteral("460800,N,8,1"));
    EXPECT_EQ(oComTLV.InputMode(), comInputModeBinary);
    EXPECT_TRUE(TrasmetteVotatori(QString(QChar(0xBB)), 0, QString()));
    ASSERT_TRUE(sim->AttendeRiga(QStringLiteral("EV open")));
    // The console's read: whatever has arrived, up to 2 seconds.  The frame
    // of unit 26's yes comes in two chunks, the second after the first read.
    sim->Comando(QStringLiteral("hex F1 0A"));
    QString frame = RiceveVotatori(0, 2);
    EXPECT_GE(frame.size(), 1);
    EXPECT_LE(frame.size(), 2);
    sim->Comando(QStringLiteral("hex 01 00 0A"));
    for (int letture = 0; frame.size() < 5 && letture < 10; ++letture) frame += RiceveVotatori(0, 2);
    ASSERT_EQ(frame.size(), 5);
    const QString atteso = QString(QChar(0xF1)) + QChar(0x0A) + QChar(0x01) + QChar(0x00) + QChar(0x0A);
    EXPECT_EQ(frame, atteso);
    // The same frame as a keypad sends it.
    sim->Comando(QStringLiteral("key 26 yes"));
    frame.clear();
    for (int letture = 0; frame.size() < 5 && letture < 10; ++letture) frame += RiceveVotatori(0, 2);
    EXPECT_EQ(frame, atteso);
    EXPECT_TRUE(ChiudeComVotatori(3));
    EXPECT_TRUE(sim->AttendeRiga(QStringLiteral("RX AA")));
    const QStringList r = Righe(Traccia());
    EXPECT_EQ(r.value(0), QStringLiteral("Tx:BB"));
    EXPECT_TRUE(r.value(1).startsWith(QStringLiteral("Rx:F1"))) << r.value(1).toStdString();
    EXPECT_EQ(r.mid(r.size() - 2), QStringList({QStringLiteral("Tx:AA"), QStringLiteral("Chiusura")}));
}

TEST_F(Link7777, TestOfTheCentralCallsAntennasUntilOneAnswers)
{
    Avvia({QStringLiteral("--device"), QStringLiteral("7777"), QStringLiteral("-c"), QStringLiteral("antennas 3,5")});
    EXPECT_TRUE(TestaCentralina(kPorta));
    EXPECT_TRUE(sim->AttendeRiga(QStringLiteral("RX 11")));
    EXPECT_TRUE(sim->AttendeRiga(QStringLiteral("RX 22")));
    EXPECT_TRUE(sim->AttendeRiga(QStringLiteral("RX 33")));
    EXPECT_TRUE(sim->AttendeRiga(QStringLiteral("RX AA")));
    EXPECT_EQ(sim->Conta(QStringLiteral("RX 44")), 0);
    EXPECT_FALSE(oComTLV.PortOpen());
    EXPECT_FALSE(QFile::exists(Traccia()));

    sim->Comando(QStringLiteral("antennas none"));
    ASSERT_TRUE(sim->Sincronizza());
    EXPECT_FALSE(TestaCentralina(kPorta));
    EXPECT_TRUE(sim->AttendeRiga(QStringLiteral("RX 88")));
}
