// Requests to speak from the radio keypads, polled between votes, against
// the obx-sim 7777 central on a pseudo-terminal (how the poll opens the
// central's port, frames whose spare bits are set); and the frame scan
// alone.
#include <sys/inotify.h>
#include <unistd.h>

#include "support/LinkFixture.h"

#include "console/Prenotazioni.h"
#include "console/TempoParola.h"

using namespace obx;
using namespace obx::test;

namespace {

QString B(std::initializer_list<int> byte)
{
    QString s;
    for (int b : byte) s += QChar(b);
    return s;
}

}  // namespace

TEST(FrameRichieste, AFrameSplitAcrossTwoReadsIsParsedOnceAtTheSecond)
{
    QString residuo;
    // Unit 0x123 = 291, key 13; then the unit 21 keying yes (10).
    const QString f = B({0xF1, 0x3, 0x2, 0x1, 13});
    EXPECT_TRUE(RichiesteParola(residuo, f.left(3)).empty());
    EXPECT_EQ(residuo, f.left(3));
    EXPECT_EQ(RichiesteParola(residuo, f.mid(3) + B({0xF1, 0x5, 0x1, 0x0, 10})), std::vector<int>{291});
    EXPECT_TRUE(residuo.isEmpty()) << "a read ending on a frame boundary leaves nothing";
    // Stray bytes before a frame are skipped.
    EXPECT_EQ(RichiesteParola(residuo, B({0x00, 0x42, 0xF2, 0x5, 0x1, 0x0, 13})), std::vector<int>{21});
}

namespace {

class Richieste : public LinkTest {
protected:
    void SetUp() override
    {
        LinkTest::SetUp();
        iProtocolloTLV = 7777;
        iPortaTLV = kPorta;
        iPrenotazioni = kPrenotazioniDaVotatori;
        iStatoConsole = kStatoOrologio;
        xRilievoRadio = false;
        cResiduoTLV.clear();
        aPosti.assign(1, Posto{});
        struct S {
            const char* nome;
            int unita;
            int stato;
        };
        const S posti[] = {{"ROSSI", 20, 9}, {"BIANCHI", 21, 9}, {"VERDI", 22, 8}, {"NERI", 23, 25}};
        for (const S& s : posti) {
            Posto p;
            p.cNomeBreveAN = QString::fromLatin1(s.nome);
            p.iVotatoreAN = s.unita;
            p.iStato = s.stato;
            aPosti.push_back(p);
        }
        GestiscePrenotati(0, kSvuota);
    }
    void TearDown() override
    {
        iPrenotazioni = 0;
        LinkTest::TearDown();
    }

    // Polls like the engine's ticks until a booking redraws the list.
    EsitoPrenotati Attende(int ms = 3000)
    {
        EsitoPrenotati e;
        Finche(
            [&] {
                e = InterrogaRichieste(true);
                return e.xRidisegna;
            },
            ms);
        return e;
    }
};

// Counts the openings of a device file.
class Aperture {
public:
    explicit Aperture(const QString& percorso)
    {
        m_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        // The closes are watched too: two openings in a row with nothing
        // between would be told as one.
        if (m_fd >= 0) m_w = inotify_add_watch(m_fd, percorso.toLocal8Bit().constData(), IN_OPEN | IN_CLOSE);
    }
    ~Aperture()
    {
        if (m_fd >= 0) ::close(m_fd);
    }
    bool Valido() const { return m_fd >= 0 && m_w >= 0; }
    int Conta()
    {
        alignas(inotify_event) char b[4096];
        for (;;) {
            const ssize_t n = ::read(m_fd, b, sizeof b);
            if (n <= 0) break;
            for (ssize_t i = 0; i < n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(b + i);
                if (e->mask & IN_OPEN) ++m_aperture;
                i += ssize_t(sizeof(inotify_event) + e->len);
            }
        }
        return m_aperture;
    }

private:
    int m_fd = -1;
    int m_w = -1;
    int m_aperture = 0;
};

}  // namespace

TEST_F(Richieste, ARequestBetweenVotesBooksTheSeatOfThatUnit)
{
    Avvia({"--device", "7777"});
    EXPECT_FALSE(InterrogaRichieste(true).xRidisegna);
    ASSERT_TRUE(oComTLV.PortOpen());
    ASSERT_TRUE(sim->AttendeRiga(QStringLiteral("RX BB (start)")));

    sim->Comando(QStringLiteral("speak 21"));
    EsitoPrenotati e = Attende();
    EXPECT_EQ(e.cRighe, QStringList{"BIANCHI"});
    ASSERT_EQ(aPrenotati.size(), 2u);
    EXPECT_EQ(aPrenotati[1].iChi, 2);
    EXPECT_EQ(aPrenotati[1].iOspite, 0);

    // Absent (22), declared absent (23) and unknown (99) units, and a vote
    // key: nobody is booked.
    sim->Comando(QStringLiteral("speak 22"));
    sim->Comando(QStringLiteral("speak 23"));
    sim->Comando(QStringLiteral("speak 99"));
    sim->Comando(QStringLiteral("key 20 10"));
    ASSERT_TRUE(sim->Sincronizza());
    EXPECT_FALSE(Attende(500).xRidisegna);
    EXPECT_EQ(aPrenotati.size(), 2u);
    EXPECT_TRUE(cResiduoTLV.isEmpty());
    // The port stays open between votes: one start byte only.
    EXPECT_EQ(sim->Conta(QStringLiteral("RX BB")), 1);
}

TEST_F(Richieste, NoPollWhileAVoteIsOnDisplayTheSittingIsSuspendedOrTheSurveyRuns)
{
    Avvia({"--device", "7777"});
    iStatoConsole = kStatoOrologio | kStatoVoto;
    EXPECT_FALSE(InterrogaRichieste(true).xRidisegna);
    iStatoConsole = kStatoOrologio;
    EXPECT_FALSE(InterrogaRichieste(false).xRidisegna);
    xRilievoRadio = true;
    EXPECT_FALSE(InterrogaRichieste(true).xRidisegna);
    xRilievoRadio = false;
    EXPECT_FALSE(oComTLV.PortOpen());
    iPrenotazioni = kPrenotazioniPannello;  // booking panel only, no requests from the units
    EXPECT_FALSE(InterrogaRichieste(true).xRidisegna);
    EXPECT_FALSE(oComTLV.PortOpen());
    // With the wired model nothing is opened nor sent.
    iPrenotazioni = kPrenotazioniDaVotatori;
    iProtocolloTLV = 4010;
    EXPECT_FALSE(InterrogaRichieste(true).xRidisegna);
    EXPECT_FALSE(oComTLV.PortOpen());
    ASSERT_TRUE(sim->Sincronizza());
    EXPECT_EQ(sim->Conta(QStringLiteral("RX ")), 0);
}

TEST_F(Richieste, APortThatCannotOpenStopsThePollSilently)
{
    ScrivePorte(cCartella, {{kPorta, QStringLiteral("/nonexistent/ttyUSB9")}});
    // No dialog is expected: the scripted UI fails the test on one.
    EXPECT_FALSE(InterrogaRichieste(true).xRidisegna);
    EXPECT_EQ(iPrenotazioni & 64, 64);
    EXPECT_TRUE(ui->Storia().empty());
    EXPECT_FALSE(InterrogaRichieste(true).xRidisegna);
}

TEST_F(Richieste, ThePollOpensTheCentralsPortOnceAtItsOwnSpeed)
{
    Avvia({"--device", "7777"});
    Aperture aperture(sim->Percorso());
    ASSERT_TRUE(aperture.Valido());
    EXPECT_FALSE(InterrogaRichieste(true).xRidisegna);
    ASSERT_TRUE(oComTLV.PortOpen());
    ASSERT_TRUE(sim->AttendeRiga(QStringLiteral("RX BB (start)")));
    // One opening, with the radio central's settings: the port was not
    // tried first at the speed of the wired one.
    EXPECT_EQ(aperture.Conta(), 1);
    EXPECT_EQ(oComTLV.Settings().toUpper(), QStringLiteral("460800,N,8,1"));
    EXPECT_EQ(oComTLV.InputMode(), comInputModeBinary);
    // Later polls use the port as it is.
    EXPECT_FALSE(InterrogaRichieste(true).xRidisegna);
    EXPECT_EQ(aperture.Conta(), 1);
    EXPECT_EQ(sim->Conta(QStringLiteral("RX BB")), 1);
}

TEST_F(Richieste, ARequestWhoseFrameCarriesHighBitsBooksItsSeat)
{
    Avvia({"--device", "7777"});
    EXPECT_FALSE(InterrogaRichieste(true).xRidisegna);
    ASSERT_TRUE(sim->AttendeRiga(QStringLiteral("RX BB (start)")));
    // Unit 21 (15 hexadecimal) asks to speak: 5, 1, 0 and the code 13 in
    // the low bits, anything in the high ones.
    sim->Comando(QStringLiteral("hex F1 35 51 A0 ED"));
    EsitoPrenotati e = Attende();
    EXPECT_EQ(e.cRighe, QStringList{"BIANCHI"});
    // And unit 20 with the spare bits clear, after a frame cut short.
    sim->Comando(QStringLiteral("hex F2 07 F1 04 01 00 0D"));
    e = Attende();
    EXPECT_EQ(e.cRighe, (QStringList{"BIANCHI", "ROSSI"}));
    EXPECT_TRUE(cResiduoTLV.isEmpty());
}
