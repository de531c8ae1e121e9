#include <QElapsedTimer>

#include "support/LinkFixture.h"

using namespace obx;
using namespace obx::test;

namespace {

class SerialeTest : public LinkTest {};

}  // namespace

TEST_F(SerialeTest, PortNumberNamesTheDeviceOfPorteTxtElseTtyS)
{
    EXPECT_EQ(DispositivoCom(3), QStringLiteral("/dev/ttyS2"));
    EXPECT_EQ(DispositivoCom(1), QStringLiteral("/dev/ttyS0"));
    QFile f(cCartella + QStringLiteral("Porte.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("1=/dev/ttyUSB0\r\n3 = /dev/pts/77\nPRN=/dev/usb/lp0\n13=/dev/x13\n");
    f.close();
    EXPECT_EQ(DispositivoCom(1), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(DispositivoCom(2), QStringLiteral("/dev/ttyS1"));
    EXPECT_EQ(DispositivoCom(13), QStringLiteral("/dev/x13"));
    EXPECT_EQ(VocePorte(QStringLiteral("PRN")), QStringLiteral("/dev/usb/lp0"));
    Seriale s;
    ASSERT_TRUE(s.SetCommPort(1));
    EXPECT_EQ(s.Dispositivo(), QStringLiteral("/dev/ttyUSB0"));
    ASSERT_TRUE(s.SetDispositivo(QStringLiteral("/dev/pts/5")));
    EXPECT_EQ(s.Dispositivo(), QStringLiteral("/dev/pts/5"));
}

TEST_F(SerialeTest, SettingsAreChecked)
{
    struct Caso {
        const char* s;
        bool ok;
    };
    const Caso casi[] = {
        {"9600,n,8,1", true},  {"460800,N,8,1", true}, {"9600,E,7,2", true},  {"19200,o,8,1.5", true},
        {"9601,n,8,1", false}, {"9600,x,8,1", false},  {"9600,n,9,1", false}, {"9600,n,8", false},
        {"", false},           {"abc,n,8,1", false},   {"9600,n,8,3", false},
    };
    Seriale s;
    for (const Caso& c : casi) {
        const QString prima = s.Settings();
        EXPECT_EQ(s.SetSettings(QString::fromLatin1(c.s)), c.ok) << c.s;
        if (!c.ok) {
            EXPECT_EQ(s.Errore().numero, comErrImpostazioni) << c.s;
            EXPECT_EQ(s.Settings(), prima) << c.s;
        }
    }
}

TEST_F(SerialeTest, MissingOrWrongDeviceFailsAtOnceWithAMessage)
{
    struct Caso {
        QString dispositivo;
        int numero;
    };
    const Caso casi[] = {
        {QStringLiteral("/nonexistent/ttyUSB9"), comErrInesistente},
        {QStringLiteral("/dev/null"), comErrPortaNonValida},
    };
    for (const Caso& c : casi) {
        ScrivePorte(cCartella, {{kPorta, c.dispositivo}});
        Seriale s;
        ASSERT_TRUE(s.SetCommPort(kPorta));
        QElapsedTimer t;
        t.start();
        EXPECT_FALSE(s.SetPortOpen(true)) << c.dispositivo.toStdString();
        EXPECT_LT(t.elapsed(), 1000);
        EXPECT_FALSE(s.PortOpen());
        EXPECT_EQ(s.Errore().numero, c.numero) << c.dispositivo.toStdString();
        EXPECT_TRUE(s.Errore().descrizione.contains(c.dispositivo)) << s.Errore().descrizione.toStdString();
        EXPECT_FALSE(s.Output(QStringLiteral("x")));
        EXPECT_EQ(s.Errore().numero, comErrNonAperta);
    }
}

TEST_F(SerialeTest, ABusyDeviceIsRefused)
{
    Avvia({});
    Seriale a, b;
    ASSERT_TRUE(a.SetDispositivo(sim->Percorso()));
    ASSERT_TRUE(b.SetDispositivo(sim->Percorso()));
    ASSERT_TRUE(a.SetPortOpen(true));
    EXPECT_FALSE(b.SetPortOpen(true));
    EXPECT_EQ(b.Errore().numero, comErrPortaOccupata);
    EXPECT_TRUE(b.Errore().descrizione.contains(QStringLiteral("in uso")));
    ASSERT_TRUE(a.SetPortOpen(false));
    EXPECT_TRUE(b.SetPortOpen(true));
}

TEST_F(SerialeTest, TextModeIsWindows1252AndInputLenLimitsARead)
{
    Avvia({});
    Seriale s;
    ASSERT_TRUE(s.SetCommPort(kPorta));
    ASSERT_TRUE(s.SetPortOpen(true));
    // Modem lines on a device that has none are no failure.
    EXPECT_TRUE(s.SetDTREnable(true));
    EXPECT_TRUE(s.SetRTSEnable(true));
    EXPECT_TRUE(s.SetHandshaking(comRTS));
    EXPECT_TRUE(s.SetSettings(QStringLiteral("460800,N,8,1")));
    EXPECT_FALSE(s.SetCommPort(4));
    EXPECT_EQ(s.Errore().numero, comErrPortaAperta);

    sim->Comando(QStringLiteral("raw AB\\xE8\\x80"));
    ASSERT_TRUE(sim->AttendeRiga(QStringLiteral("TX AB")));
    QElapsedTimer t;
    t.start();
    while (s.InBufferCount() < 4 && t.elapsed() < 2000) s.AttendeDati(10);
    ASSERT_EQ(s.InBufferCount(), 4);
    s.SetInputLen(2);
    EXPECT_EQ(s.Input(), QStringLiteral("AB"));
    EXPECT_EQ(s.InBufferCount(), 2);
    s.SetInputLen(0);
    EXPECT_EQ(s.Input(), QString::fromUtf8("è€"));
    EXPECT_EQ(s.InBufferCount(), 0);

    EXPECT_TRUE(s.Output(QString::fromUtf8("Mp è")));
    ASSERT_TRUE(sim->AttendeRiga(QStringLiteral("RX Mp")));
    EXPECT_TRUE(s.SetPortOpen(false));
    EXPECT_TRUE(s.SetPortOpen(false));  // closing a closed port is harmless
}

TEST_F(SerialeTest, BinaryModeGivesOneCharacterPerByte)
{
    Avvia({QStringLiteral("--device"), QStringLiteral("7777")});
    Seriale s;
    ASSERT_TRUE(s.SetCommPort(kPorta));
    ASSERT_TRUE(s.SetInputMode(comInputModeBinary));
    ASSERT_TRUE(s.SetPortOpen(true));
    sim->Comando(QStringLiteral("hex F1 0A 00 80 FF"));
    QElapsedTimer t;
    t.start();
    while (s.InBufferCount() < 5 && t.elapsed() < 2000) s.AttendeDati(10);
    s.SetInputLen(2);
    const QString a = s.Input();
    ASSERT_EQ(a.size(), 2);
    EXPECT_EQ(a.at(0).unicode(), 0xF1);
    EXPECT_EQ(a.at(1).unicode(), 0x0A);
    s.SetInputLen(0);
    EXPECT_EQ(s.InputBytes(), QByteArray("\x00\x80\xFF", 3));
    // A string goes out one byte per character.
    EXPECT_TRUE(s.Output(QString(QChar(0xBB))));
    EXPECT_TRUE(sim->AttendeRiga(QStringLiteral("RX BB")));
}

TEST_F(SerialeTest, WriteAndCloseAreBoundedOnALineThatTakesNothing)
{
    Avvia({QStringLiteral("--stall")});
    for (int h : {comNone, comRTS}) {
        Seriale s;
        ASSERT_TRUE(s.SetCommPort(kPorta));
        ASSERT_TRUE(s.SetHandshaking(h));
        ASSERT_TRUE(s.SetPortOpen(true));
        s.SetTempoScrittura(300);
        QElapsedTimer t;
        t.start();
        EXPECT_FALSE(s.Output(QByteArray(1 << 20, 'x')));
        EXPECT_LT(t.elapsed(), 2000);
        EXPECT_EQ(s.Errore().numero, comErrScrittura);
        EXPECT_EQ(s.CommEvent(), comEventTxTimeout);
        t.restart();
        EXPECT_TRUE(s.SetPortOpen(false));
        EXPECT_LT(t.elapsed(), 1500);
    }
}

TEST_F(SerialeTest, AnUnpluggedDeviceIsReportedOnceAndNothingHangs)
{
    Avvia({});
    Seriale s;
    ASSERT_TRUE(s.SetCommPort(kPorta));
    ASSERT_TRUE(s.SetPortOpen(true));
    sim->Termina();
    QElapsedTimer t;
    t.start();
    int n = 0;
    while ((n = s.InBufferCount()) == 0 && t.elapsed() < 2000) s.AttendeDati(10);
    EXPECT_EQ(n, -1);
    EXPECT_EQ(s.Errore().numero, comErrScollegato);
    EXPECT_EQ(s.CommEvent(), comEventDevice);
    EXPECT_EQ(s.InBufferCount(), 0);  // said once
    EXPECT_FALSE(s.Output(QStringLiteral("Sf")));
    t.restart();
    EXPECT_TRUE(s.SetPortOpen(false));
    EXPECT_LT(t.elapsed(), 1000);
}

TEST_F(SerialeTest, CardReaderRecordsArriveOnAPortWithRtsHandshake)
{
    Avvia({QStringLiteral("--device"), QStringLiteral("card")});
    // The card port as the console sets it up.
    Seriale s;
    ASSERT_TRUE(s.SetCommPort(kPorta));
    ASSERT_TRUE(s.SetSettings(QStringLiteral("9600,N,8,1")));
    ASSERT_TRUE(s.SetOutBufferSize(1024));
    ASSERT_TRUE(s.SetInBufferSize(2048));
    ASSERT_TRUE(s.SetDTREnable(true));
    ASSERT_TRUE(s.SetRTSEnable(true));
    ASSERT_TRUE(s.SetHandshaking(comRTS));
    ASSERT_TRUE(s.SetParityReplace(QString()));
    ASSERT_TRUE(s.SetInputLen(0));
    ASSERT_TRUE(s.SetPortOpen(true));
    sim->Comando(QStringLiteral("card 7 80"));
    QElapsedTimer t;
    t.start();
    while (s.InBufferCount() < 24 && t.elapsed() < 2000) s.AttendeDati(10);
    EXPECT_EQ(s.Input(), QStringLiteral("%N?;0007?;\r\n%N?;0080?;\r\n"));
}
