// The frames on the line: the LED map, when the attendance map goes with
// a command, the card reader's port shared or not, "LogFile.txt", the
// parallel port and the failures the operator is asked about.
#include <QElapsedTimer>

#include "Banco.h"

using namespace obx;
using namespace obx::test;

namespace {

const QString kMappa0 = QString(48, u'0');

class Trasmissione : public BoardTest {
protected:
    // The card step of the console's one-second engine: a port marked
    // closed is set up again (closed first if open), then what waits is read.
    static QString LetturaMotore()
    {
        if (iStatoCARD == 0) {
            if (oComCARD.PortOpen()) oComCARD.SetPortOpen(false);
            oComCARD.SetCommPort(iPortaRAD);
            oComCARD.SetSettings(QStringLiteral("9600,N,8,1"));
            oComCARD.SetDTREnable(true);
            oComCARD.SetRTSEnable(true);
            oComCARD.SetInputLen(0);
            oComCARD.SetPortOpen(true);
            if (oComCARD.PortOpen()) iStatoCARD = 2;
        }
        if (oComCARD.PortOpen() && oComCARD.InBufferCount() > 0) return oComCARD.Input();
        return {};
    }

    void ScrivePorteTesto(const QByteArray& righe)
    {
        QFile f(cCartella + QStringLiteral("Porte.txt"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(righe);
    }
};

}  // namespace

TEST_F(Trasmissione, MappaLedELaSuaRegistrazione)
{
    AvviaTabellone();
    EXPECT_EQ(Frame([] { oTabellone->DettaglioLed(kMappa0); }), QStringList{QStringLiteral("BOARD LED 2 ") + kMappa0});
    EXPECT_EQ(Log(), QStringLiteral("Porta COM3: 9600,n,8,1 (01-15-2026 09:30:05)\r\n"
                                    "TxInfo=Dettaglio Voti\r\n"
                                    "Tx:\x05"
                                    "2\x01") +
                         kMappa0 + QStringLiteral("\x04\r\nTx=OK\r\n"));
    oTabellone->cCodePaginaLed = QStringLiteral("7");
    EXPECT_EQ(Frame([] { oTabellone->DettaglioLed(QStringLiteral("0123456712")); }),
              QStringList{QStringLiteral("BOARD LED 7 0123456712")});
}

TEST_F(Trasmissione, LeRigheDelFrameSpezzanoLaRigaTxDelLog)
{
    AvviaTabellone();
    NuovoDriver(3);
    oTabellone->DettaglioTesto(QStringLiteral("1"));
    const QString log = Log();
    EXPECT_TRUE(log.endsWith(QStringLiteral("TxInfo=CPU=1\r\n"
                                            "Tx:\x05"
                                            "1\x01"
                                            "0501\x02 PROVA VOTATORI\r\n\x03\x04\r\n"
                                            "Tx=OK\r\n")))
        << log.toStdString();
    EXPECT_EQ(log.count(QStringLiteral("Porta COM3: 9600,n,8,1 (01-15-2026 09:30:05)\r\n")), 2)
        << "the attendance map, then the text: one record each, appended";
}

TEST_F(Trasmissione, SenzaTabelloneCablatoSoloIlLogConPortaChiusa)
{
    AvviaTabellone();
    iModoOBX = 0;
    EXPECT_TRUE(Frame([] { oTabellone->DettaglioLed(kMappa0); }).isEmpty());
    EXPECT_TRUE(Log().endsWith(QStringLiteral("TxInfo=Dettaglio Voti\r\nTx:\x05"
                                              "2\x01") +
                               kMappa0 + QStringLiteral("\x04\r\nPorta Chiusa\r\n")));
    EXPECT_FALSE(oComTAB.PortOpen());
}

TEST_F(Trasmissione, SenzaBitDiTracciaNessunLog)
{
    AvviaTabellone();
    iTraccia = 2;
    EXPECT_EQ(Frame([] { oTabellone->DettaglioLed(kMappa0); }).size(), 1);
    EXPECT_FALSE(QFile::exists(cFileLog));
}

TEST_F(Trasmissione, TabelloneSullaPortaParallela)
{
    AvviaTabellone();
    iModoOBX = kCablaggioTabellone | kCablaggioParallela;
    ScrivePorteTesto("PRN=" + sim->Percorso().toLocal8Bit() + "\r\n");
    NuovoDriver(1);
    EXPECT_EQ(Frame([] { oTabellone->DettaglioTesto(QStringLiteral("C")); }),
              (QStringList{QStringLiteral("BOARD LED 2 ") + cLedPresenze,
                           QStringLiteral("BOARD TEXT 1 [    CHIUSURA SEDUTA]")}));
    const QString log = Log();
    EXPECT_TRUE(log.startsWith(QStringLiteral("Porta PRN: (01-15-2026 09:30:05)\r\nTxInfo=Dettaglio Voti\r\n")))
        << log.toStdString();
    EXPECT_EQ(log.count(QStringLiteral("Tx=OK\r\n")), 2);
    EXPECT_FALSE(oComTAB.PortOpen()) << "the serial port is not used";
}

TEST_F(Trasmissione, ParallelaSuFileTieneLUltimoFrame)
{
    iModoOBX = kCablaggioTabellone | kCablaggioParallela;
    const QString file = cCartella + QStringLiteral("stampante.bin");
    ScrivePorteTesto("PRN=" + file.toLocal8Bit() + "\n");
    oTabellone->DettaglioLed(QStringLiteral("2220"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("\x05"
                                      "2\x01"
                                      "2220\x04"));
}

TEST_F(Trasmissione, ParallelaMancanteChiedeRiprovaOAnnulla)
{
    iModoOBX = kCablaggioTabellone | kCablaggioParallela;
    ScrivePorteTesto("PRN=/nonexistent/lp9\n");
    ui->AttendiMsg(QStringLiteral("Errore di Trasmissione su COM3"), vbRetry);
    ui->AttendiMsg(QStringLiteral("Errore di Trasmissione su COM3"), vbCancel);
    oTabellone->DettaglioLed(kMappa0);
    ASSERT_EQ(ui->Storia().size(), 2u);
    EXPECT_EQ(ui->Storia()[0].stile, vbCritical + vbRetryCancel);
    EXPECT_TRUE(ui->Storia()[0].titolo.contains(QStringLiteral("/nonexistent/lp9")));
    EXPECT_TRUE(Log().endsWith(QStringLiteral("Porta Chiusa\r\n")));
}

TEST_F(Trasmissione, PortaNonApribileUnMessaggioEPortaChiusa)
{
    ScrivePorte(cCartella, {{kPorta, QStringLiteral("/nonexistent/ttyUSB9")}});
    ui->AttendiMsg(QStringLiteral("Errore su COM3 9600,n,8,1"));
    oTabellone->DettaglioLed(kMappa0);
    ASSERT_EQ(ui->Storia().size(), 1u);
    EXPECT_TRUE(ui->Storia()[0].titolo.contains(QStringLiteral("/nonexistent/ttyUSB9")))
        << ui->Storia()[0].titolo.toStdString();
    EXPECT_TRUE(Log().endsWith(QStringLiteral("Porta Chiusa\r\n")));
    EXPECT_FALSE(oComTAB.PortOpen());
    // Port 0: no board port, no message.
    oTabellone->iPorta = 0;
    oTabellone->DettaglioLed(kMappa0);
    EXPECT_EQ(ui->Storia().size(), 1u);
}

TEST_F(Trasmissione, LineaCheNonPrendeDatiRiprovaEAnnulla)
{
    Avvia({QStringLiteral("--device"), QStringLiteral("board"), QStringLiteral("--stall")});
    oComTAB.SetTempoScrittura(200);
    ui->AttendiMsg(QStringLiteral("Errore di Trasmissione su COM3"), vbRetry);
    ui->AttendiMsg(QStringLiteral("Errore di Trasmissione su COM3"), vbCancel);
    QElapsedTimer t;
    t.start();
    oTabellone->DettaglioLed(QString(300000, u'2'));
    EXPECT_LT(t.elapsed(), 5000);
    oComTAB.SetTempoScrittura(0);
    EXPECT_EQ(ui->Storia().size(), 2u);
    EXPECT_FALSE(oComTAB.PortOpen()) << "Cancel closes the board port";
    EXPECT_TRUE(Log().endsWith(QStringLiteral("\x04\r\nPorta Chiusa\r\n")));
}

TEST_F(Trasmissione, PorteOltreLaQuartaSonoPorteVere)
{
    AvviaTabellone();
    ScrivePorte(cCartella, {{7, sim->Percorso()}});
    iPortaTAB = 7;
    oTabellone->iPorta = 7;
    EXPECT_EQ(Frame([] { oTabellone->DettaglioLed(kMappa0); }), QStringList{QStringLiteral("BOARD LED 2 ") + kMappa0});
    EXPECT_TRUE(Log().startsWith(QStringLiteral("Porta COM7: ")));
    EXPECT_FALSE(oComTAB.PortOpen());
}

TEST_F(Trasmissione, FrameUnoDopoLAltroArrivanoTutti)
{
    // The port is opened and closed around every frame: none may be lost
    // to the next opening.
    AvviaTabellone();
    NuovoDriver(2);
    Frame([] { oTabellone->DettaglioTesto(QStringLiteral("G")); });
    QStringList attesi;
    const QStringList visti = Frame([&] {
        for (int i = 0; i < 10; ++i) {
            iPresenti = i;
            oTabellone->DettaglioTesto(QStringLiteral("V"));
            attesi << QStringLiteral("BOARD TEXT 3 [PRESENTI 0%1 QUOR. 07]").arg(i)
                   << Codici(QStringLiteral("BOARD TEXT 4 [][{0}  VOTAZIONE APERTA{0}][]"));
        }
    });
    EXPECT_EQ(visti, attesi);
}

TEST_F(Trasmissione, MappaDiPresenzaPrimaDelComandoQuandoDovuta)
{
    AvviaTabellone();
    struct Caso {
        const char* prima;
        int modoVoto;
        bool mappa;
    };
    const Caso casi[] = {
        {"", 0, true},  // nothing kept yet
        {"T", 0, true},  {"I", 0, true},  {"W", 0, true},
        {"T", 1, false},  // a vote running: its own map is on the board
        {"G", 0, false}, {"V", 0, false}, {"D", 0, false},
    };
    for (const Caso& c : casi) {
        NuovoDriver(1);
        iModoVoto = 0;
        if (*c.prima) Frame([&] { oTabellone->DettaglioTesto(QString::fromLatin1(c.prima)); });
        iModoVoto = c.modoVoto;
        const QStringList visti = Frame([] { oTabellone->DettaglioTesto(QStringLiteral("R")); });
        ASSERT_FALSE(visti.isEmpty());
        EXPECT_EQ(visti.first() == QStringLiteral("BOARD LED 2 ") + cLedPresenze, c.mappa)
            << "after \"" << c.prima << "\" with vote mode " << c.modoVoto;
        EXPECT_EQ(visti.size(), c.mappa ? 2 : 1);
    }
    // "0", "1", "2", "3" and "9" are never kept: the letter before decides.
    iModoVoto = 0;
    NuovoDriver(1);
    Frame([] { oTabellone->DettaglioTesto(QStringLiteral("T")); });
    for (const char* l : {"2", "0", "1", "3", "9", "R"}) {
        const QStringList visti = Frame([&] { oTabellone->DettaglioTesto(QString::fromLatin1(l)); });
        EXPECT_EQ(visti.value(0), QStringLiteral("BOARD LED 2 ") + cLedPresenze) << l;
    }
    EXPECT_EQ(oTabellone->UltimoComando(), QStringLiteral("R"));
    EXPECT_EQ(Frame([] { oTabellone->DettaglioTesto(QStringLiteral("2")); }).size(), 1);
}

TEST_F(Trasmissione, OrologioDelTabelloneOttoRighe)
{
    AvviaTabellone();
    NuovoDriver(2);
    fermo.Imposta(QDateTime(QDate(2026, 1, 18), QTime(23, 59, 58)));  // a Sunday
    const QStringList visti = Frame([] { oTabellone->DettaglioTesto(QStringLiteral("0")); });
    EXPECT_EQ(visti.value(0), QStringLiteral("BOARD CLOCK 23:59:58 18-01-26 day=1"));
    EXPECT_EQ(visti.size(), 5) << "the clock, the attendance map, three text frames";
    fermo.Imposta(QDateTime(QDate(2026, 1, 24), QTime(7, 5, 0)));  // a Saturday
    EXPECT_EQ(Frame([] { oTabellone->DettaglioTesto(QStringLiteral("0")); }).value(0),
              QStringLiteral("BOARD CLOCK 07:05:00 24-01-26 day=7"));
    EXPECT_TRUE(Log().contains(QStringLiteral("TxInfo=0:Init data e ora\r\nTx:\x05O0705002401260"
                                              "7\x03\r\n")));
}

TEST_F(Trasmissione, LettoreETabelloneSullaStessaPorta)
{
    Avvia({QStringLiteral("--device"), QStringLiteral("board"), QStringLiteral("--device"), QStringLiteral("card")});
    iModoOBX = kCablaggioTabellone | kCablaggioTessere;
    iPortaRAD = kPorta;
    LetturaMotore();
    ASSERT_TRUE(oComCARD.PortOpen());
    ASSERT_EQ(iStatoCARD, 2);
    // The board borrows the line: the card port is closed for the frame
    // and handed back closed.
    EXPECT_EQ(Frame([] { oTabellone->DettaglioLed(kMappa0); }), QStringList{QStringLiteral("BOARD LED 2 ") + kMappa0});
    EXPECT_EQ(iStatoCARD, 0);
    EXPECT_FALSE(oComCARD.PortOpen());
    // The engine's next tick sets it up again and reads the cards.
    LetturaMotore();
    EXPECT_EQ(iStatoCARD, 2);
    sim->Comando(QStringLiteral("card 9"));
    QString letto;
    EXPECT_TRUE(Finche([&] { return (letto += LetturaMotore()).contains(QStringLiteral("%N?;0009")); }));
}

TEST_F(Trasmissione, DueNumeriDiPortaSullaStessaLinea)
{
    AvviaTabellone();
    ScrivePorte(cCartella, {{kPorta, sim->Percorso()}, {5, sim->Percorso()}});
    iModoOBX = kCablaggioTabellone | kCablaggioTessere;
    iPortaRAD = 5;
    LetturaMotore();
    ASSERT_TRUE(oComCARD.PortOpen());
    // "Porte.txt" names one line twice: it is borrowed all the same (a card
    // port left open would hold the line and the board could not open it).
    EXPECT_EQ(Frame([] { oTabellone->DettaglioLed(kMappa0); }), QStringList{QStringLiteral("BOARD LED 2 ") + kMappa0});
    EXPECT_EQ(iStatoCARD, 0);
    EXPECT_FALSE(oComCARD.PortOpen());
}

TEST_F(Trasmissione, LetturaInAttesaSuUnaPortaSeparataNonSiPerde)
{
    AvviaTabellone();
    Simulatore carta(PercorsoSimulatore(), {QStringLiteral("--device"), QStringLiteral("card")});
    ASSERT_FALSE(carta.Percorso().isEmpty());
    ScrivePorte(cCartella, {{kPorta, sim->Percorso()}, {4, carta.Percorso()}});
    iModoOBX = kCablaggioTabellone | kCablaggioTessere;
    iPortaRAD = 4;
    LetturaMotore();
    ASSERT_EQ(iStatoCARD, 2);
    const uint64_t aperture = oComCARD.Aperture();
    // A card passed just before the board gets a page.
    carta.Comando(QStringLiteral("card 7"));
    ASSERT_TRUE(Finche([] { return oComCARD.InBufferCount() > 0; }));
    NuovoDriver(2);
    const QStringList visti = Frame([] {
        oTabellone->DettaglioTesto(QStringLiteral("G"));
        oTabellone->DettaglioLed(cLedPresenze);
    });
    EXPECT_EQ(visti.size(), 5);
    EXPECT_EQ(iStatoCARD, 2) << "the card port is not the board's: it is left alone";
    EXPECT_TRUE(oComCARD.PortOpen());
    EXPECT_EQ(oComCARD.Aperture(), aperture);
    EXPECT_TRUE(LetturaMotore().contains(QStringLiteral("%N?;0007")));
}

TEST_F(Trasmissione, UnFrameChiestoMentreUnAltroAttendeLOperatoreNonParte)
{
    ScrivePorte(cCartella, {{kPorta, QStringLiteral("/nonexistent/ttyUSB9")}});
    DialoghiConAzione d;
    d.Fallimento = [](const QString& m) { ADD_FAILURE() << m.toStdString(); };
    d.AttendiMsg(QStringLiteral("Errore su COM3 9600,n,8,1"));
    // While the operator reads the message, the timer sends a page: it
    // composes its rows but does not take the port from under the frame
    // waiting, nor asks anything.
    d.azione = [] { oTabellone->DettaglioTesto(QStringLiteral("2")); };
    ImpostaUI(&d);
    oTabellone->DettaglioLed(kMappa0);
    ImpostaUI(&*ui);
    EXPECT_EQ(d.Storia().size(), 1u);
    EXPECT_TRUE(d.Restanti().empty());
    EXPECT_EQ(oTabellone->RigaLed(1), QStringLiteral("12 "));
    EXPECT_EQ(Log().count(QStringLiteral("TxInfo=")), 3) << "the map inside, its page, the map outside";
}

TEST_F(Trasmissione, IlSimulatoreSegnalaUnFrameTroncatoESiRiallinea)
{
    // The decoder the other tests rely on: a frame cut short is reported
    // and the frame after it is still read.
    AvviaTabellone();
    const QStringList visti = Frame([&] {
        QFile f(sim->Percorso());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        f.write(QByteArray("\x05"
                           "1\x01"
                           "0501\x02"
                           "AB") +
                QByteArray("\x05"
                           "2\x01"
                           "0022\x04"));
    });
    EXPECT_EQ(visti, (QStringList{QStringLiteral("BOARD ERR \\x051\\x010501\\x02AB (frame cut short)"),
                                  QStringLiteral("BOARD LED 2 0022")}));
}
