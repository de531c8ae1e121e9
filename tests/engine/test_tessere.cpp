// Card-reader records: the parser on its own, and the engine's port step
// against the obx-sim card reader on a pseudo-terminal.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

#include "console/LettoreTessere.h"
#include "links/ComSeriali.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"
#include "support/ScriptedUI.h"
#include "support/Simulatore.h"

using namespace obx;
using namespace obx::test;

namespace {

const QString kRecord7 = QStringLiteral("%N?;0007?;\r\n");

std::vector<int> V(std::initializer_list<int> l) { return std::vector<int>(l); }

}  // namespace

TEST(RecordTessere, OneReadTable)
{
    struct Caso {
        const char* testo;
        std::vector<int> carte;
    };
    const Caso casi[] = {
        {"%N?;0007?;\r\n", V({7})},       {"%N?;0007?;\r\n%N?;0012?;\r\n", V({7, 12})},  // both, in order
        {"%N?;0080?;\r\n", V({})},                                                       // outside 1..72
        {"%N?;0000?;\r\n", V({})},        {"%N?;ABCD?;\r\n", V({})},                     // malformed: card 0
        {"rumore%N?;0072", V({72})},       // only the 8 characters are needed
        {"%N?;0001%N?;0002", V({1, 2})},   // records without their tail, back to back
        {"%N?;00%N?;0002?;\r\n", V({2})},  // a record cut short gives way to the next
    };
    for (const Caso& c : casi) {
        RecordTessere r;
        EXPECT_EQ(r.Aggiungi(QString::fromLatin1(c.testo)), c.carte) << c.testo;
    }
}

TEST(RecordTessere, ARecordSplitAnywhereIsReadOnceWhole)
{
    const QString due = kRecord7 + QStringLiteral("%N?;0031?;\r\n");
    for (int taglio = 1; taglio < due.size(); ++taglio) {
        RecordTessere r;
        std::vector<int> letti = r.Aggiungi(due.left(taglio));
        for (int c : r.Aggiungi(due.mid(taglio))) letti.push_back(c);
        EXPECT_EQ(letti, V({7, 31})) << "cut at " << taglio;
        EXPECT_TRUE(r.Residuo().isEmpty()) << "cut at " << taglio;
    }
}

TEST(RecordTessere, ANewOpeningForgetsAPartialRecord)
{
    RecordTessere r;
    EXPECT_TRUE(r.Aggiungi(QStringLiteral("%N?;00")).empty());
    EXPECT_EQ(r.Residuo(), QStringLiteral("%N?;00"));
    r.Svuota();
    // The tail of another reading must not complete it.
    EXPECT_TRUE(r.Aggiungi(QStringLiteral("12?;\r\n")).empty());
}

namespace {

constexpr int kPortaTessere = 5;

class LettorePty : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppTest();
        ASSERT_TRUE(m_dir.isValid());
        cCartella = m_dir.path() + u'/';
        ImpostaConfigurazionePredefinita();
        AzzeraStatoSeduta();
        sim = std::make_unique<Simulatore>(PercorsoSimulatore(), QStringList{"--device", "card"});
        ASSERT_FALSE(sim->Percorso().isEmpty());
        ScrivePorte(cCartella, {{kPortaTessere, sim->Percorso()}});
        iPortaRAD = kPortaTessere;
        iModoOBX = kCablaggioTessere;
        iStatoCARD = 0;
        RecordTessereInCorso().Svuota();
        aPosti.assign(1, Posto{});
        for (int i = 1; i <= 4; ++i) {
            Posto p;
            p.cNomeBreveAN = QStringLiteral("POSTO%1").arg(i);
            p.iSmartCardAN = i == 3 ? 7 : 40 + i;
            aPosti.push_back(p);
        }
    }
    void TearDown() override
    {
        if (oComCARD.PortOpen()) oComCARD.SetPortOpen(false);
        iStatoCARD = 0;
        iModoOBX = 0;
    }

    // Sends the text from the reader and lets one tick read it.
    std::vector<int> Tick(const QString& testo)
    {
        sim->Comando(QStringLiteral("cardtext ") + testo);
        EXPECT_TRUE(sim->Sincronizza());
        EXPECT_TRUE(Finche([] { return oComCARD.InBufferCount() > 0; }));
        return LeggeTessere();
    }

    QTemporaryDir m_dir;
    ScriptedUI ui;
    std::unique_ptr<Simulatore> sim;
};

}  // namespace

TEST_F(LettorePty, FirstTickOpensThePortAndARecordSplitInTwoTogglesTheRightSeat)
{
    EXPECT_TRUE(LeggeTessere().empty());
    ASSERT_TRUE(oComCARD.PortOpen());
    EXPECT_EQ(iStatoCARD, 2);
    EXPECT_EQ(oComCARD.Settings().toUpper(), QStringLiteral("9600,N,8,1"));
    EXPECT_EQ(oComCARD.Handshaking(), comRTS);

    EXPECT_TRUE(Tick(QStringLiteral("%N?;00")).empty());
    EXPECT_EQ(Tick(QStringLiteral("07?;\\r\\n")), V({3}));
    // Nothing is left behind for the next reading.
    EXPECT_EQ(Tick(QStringLiteral("%N?;0041?;\\r\\n%N?;0099?;\\r\\n%N?;0042?;\\r\\n")), V({1, 2}));
}

TEST_F(LettorePty, NoCardIsLostWhateverTheRecordsLookLikeAndHowTheyAreRead)
{
    // Cards 41, 7, 42 belong to seats 1, 3, 2.  Each case is what the
    // reader sends, read by one tick after another.
    struct Caso {
        const char* nome;
        std::vector<QString> letture;
        std::vector<int> posti;
    };
    const QString r = QStringLiteral("?;\\r\\n");  // the usual tail, escaped for the reader
    const Caso casi[] = {
        {"records of 12 characters", {"%N?;0041" + r + "%N?;0007" + r + "%N?;0042" + r}, V({1, 3, 2})},
        {"records of 8 characters back to back", {"%N?;0041%N?;0007%N?;0042"}, V({1, 3, 2})},
        {"a record split across reads", {"%N?;0041" + r + "%N?;00", "07" + r + "%N?", ";0042" + r}, V({1, 3, 2})},
        {"a record without its tail, then another", {"%N?;0041", "%N?;0007" + r}, V({1, 3})},
        {"a short record ends a read, the next read starts a record", {"%N?;0041%N?;0007", "%N?;0042"}, V({1, 3, 2})},
        {"a record cut short, then another", {"%N?;00%N?;0007" + r}, V({3})},
    };
    LeggeTessere();
    ASSERT_EQ(iStatoCARD, 2);
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        RecordTessereInCorso().Svuota();
        std::vector<int> letti;
        for (const QString& l : c.letture)
            for (int p : Tick(l)) letti.push_back(p);
        EXPECT_EQ(letti, c.posti);
        EXPECT_TRUE(RecordTessereInCorso().Residuo().isEmpty());
    }
}

TEST_F(LettorePty, WholeRecordsFromTheReaderAndAnUnknownCard)
{
    LeggeTessere();
    ASSERT_EQ(iStatoCARD, 2);
    sim->Comando(QStringLiteral("card 7 44 60 42"));
    ASSERT_TRUE(sim->Sincronizza());
    std::vector<int> letti;
    ASSERT_TRUE(Finche([&] {
        for (int p : LeggeTessere()) letti.push_back(p);
        return letti.size() >= 3;
    }));
    EXPECT_EQ(letti, V({3, 4, 2}));
}

TEST_F(LettorePty, ThePortLentToTheBoardIsLeftAloneAndSetUpAgainAfterwards)
{
    LeggeTessere();
    ASSERT_EQ(iStatoCARD, 2);
    // The board driver borrows the line for a frame.
    iStatoCARD = 1;
    oComCARD.SetPortOpen(false);
    EXPECT_TRUE(LeggeTessere().empty());
    EXPECT_FALSE(oComCARD.PortOpen());
    EXPECT_EQ(iStatoCARD, 1);
    // Handed back: the next tick opens it again.
    iStatoCARD = 0;
    LeggeTessere();
    EXPECT_TRUE(oComCARD.PortOpen());
    EXPECT_EQ(iStatoCARD, 2);
    EXPECT_EQ(Tick(QStringLiteral("%N?;0044?;\\r\\n")), V({4}));
}

TEST_F(LettorePty, NoReaderWiredNoPortConfiguredNothingOpens)
{
    iModoOBX = 0;
    EXPECT_TRUE(LeggeTessere().empty());
    EXPECT_FALSE(oComCARD.PortOpen());
    iModoOBX = kCablaggioTessere;
    iPortaRAD = 0;
    EXPECT_TRUE(LeggeTessere().empty());
    EXPECT_FALSE(oComCARD.PortOpen());
    EXPECT_EQ(iStatoCARD, 0);
}
