// Majority thresholds: the quorum kinds of each assembly kind, the fixed
// majorities of an item and the thresholds computed from attendance or from
// the tally, with the caption shown on the console.
#include <gtest/gtest.h>

#include "console/Quorum.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"

using namespace obx;

namespace {

class Soglie : public ::testing::Test {
protected:
    void SetUp() override
    {
        ImpostaConfigurazionePredefinita();
        AzzeraStatoSeduta();
        iQuorum = {};
        iVotanti = 0;
        iPresenti = iFavorevoli = iContrari = iAstenuti = 0;
        aPosti.assign(1, Posto{});
    }
    void TearDown() override
    {
        aPosti.assign(1, Posto{});
        iConfigOBX = 0;
        iTipoAssemblea = 1;
    }
    static void Conteggio(int si, int no, int astenuti)
    {
        iFavorevoli = si;
        iContrari = no;
        iAstenuti = astenuti;
    }
    static void Seggio(int stato)
    {
        Posto p;
        p.iStato = stato;
        aPosti.push_back(p);
    }
};

TEST(Aritmetica, MetaPiuUnoEDueTerzi)
{
    struct Caso {
        int n, meta, dueTerzi;
    };
    const Caso casi[] = {{31, 16, 21}, {30, 16, 20}, {1, 1, 1},    {0, 1, 0},  {2, 2, 2},
                         {17, 9, 12},  {20, 11, 14}, {21, 11, 14}, {-2, 0, -1}};
    for (const Caso& c : casi) {
        EXPECT_EQ(MetaPiuUno(c.n), c.meta) << c.n;
        EXPECT_EQ(DueTerzi(c.n), c.dueTerzi) << c.n;
    }
}

TEST(TipiQuorum, VociECodiciPerTipoAssemblea)
{
    for (int tipo : {1, 2}) {
        const QStringList voci = VociTipoQuorum(tipo);
        ASSERT_EQ(voci, QStringList{"Automatico"});
        EXPECT_EQ(CodiceTipoQuorum(0, voci.at(0)), kQuorumAutomatico);
        EXPECT_EQ(CodiceTipoQuorum(-1, voci.at(0)), kQuorumAutomatico);
    }
    const QStringList regionale = VociTipoQuorum(4);
    ASSERT_EQ(regionale, (QStringList{"Nessuno", "1/2+1 Consiglio", "2/3 Consiglio", "2/3 Votanti"}));
    EXPECT_EQ(CodiceTipoQuorum(0, regionale.at(0)), kQuorumNessuno);
    EXPECT_EQ(CodiceTipoQuorum(-1, regionale.at(0)), kQuorumNessuno);
    EXPECT_EQ(CodiceTipoQuorum(1, regionale.at(0)), kQuorumMetaConsiglio);
    EXPECT_EQ(CodiceTipoQuorum(2, regionale.at(0)), kQuorumDueTerziConsiglio);
    EXPECT_EQ(CodiceTipoQuorum(3, regionale.at(0)), kQuorumDueTerziVotanti);
}

TEST_F(Soglie, IlTipoStaNeiBitDa32A128SenzaToccareGliAltri)
{
    iFlagQuorum = kQuorumCalcolato | kQuorumArgomentoAperto | kQuorumImmEsecCalcolato | kQuorumVotoImmEsec;
    for (int codice = 0; codice <= 4; ++codice) {
        ImpostaTipoQuorum(codice);
        EXPECT_EQ(TipoQuorumCorrente(), codice);
        EXPECT_EQ(iFlagQuorum & 0x1F, 1 | 4 | 8 | 16);
        EXPECT_EQ(iFlagQuorum & ~0xFF, 0);
    }
}

// Per item, computed threshold: nothing until the tally is known, then
// half plus one of yes and no (and the abstentions with the option).
TEST_F(Soglie, PerArgomentoCalcolataSulloScrutinio)
{
    struct Caso {
        int si, no, ast, opzioni, attesa;
    };
    const Caso casi[] = {
        {10, 7, 3, 0, 9},    // 17 voters
        {10, 7, 3, 16, 11},  // 20 with the abstentions
        {10, 8, 0, 0, 10},   // even: 18 gives 10
        {0, 0, 0, 0, 1},     // nobody voted
        {0, 0, 5, 0, 1},     // only abstentions, not counted
        {0, 0, 5, 16, 3},
    };
    for (const Caso& c : casi) {
        SetUp();
        iConfigOBX = c.opzioni;
        EXPECT_EQ(RicalcolaQuorum(0, false, false), "00");
        EXPECT_EQ(iFlagQuorum & (kQuorumCalcolato | kQuorumImmEsecCalcolato),
                  kQuorumCalcolato | kQuorumImmEsecCalcolato);
        Conteggio(c.si, c.no, c.ast);
        EXPECT_EQ(RicalcolaQuorum(-1, true, false), QString("%1").arg(c.attesa, 2, 10, QChar('0')));
        EXPECT_EQ(iQuorum[3], c.attesa);
        EXPECT_EQ(iQuorum[4], c.attesa);
        EXPECT_EQ(iQuorum[1], 0);
        EXPECT_EQ(iQuorum[2], 0);
    }
}

TEST_F(Soglie, MaggioranzeFissateDallArgomento)
{
    Conteggio(30, 2, 1);
    CalcolaSoglie(16 + 128 * 25, true, kQuorumAutomatico);
    EXPECT_EQ(iQuorum[1], 16);
    EXPECT_EQ(iQuorum[2], 25);
    EXPECT_EQ(iQuorum[3], 16);
    EXPECT_EQ(iQuorum[4], 25);
    EXPECT_EQ(iFlagQuorum & (kQuorumCalcolato | kQuorumImmEsecCalcolato), 0);
    // Kept by the calls that pass -1, whatever the counts.
    Conteggio(3, 1, 0);
    CalcolaSoglie(-1, true, kQuorumAutomatico);
    EXPECT_EQ(iQuorum[3], 16);
    EXPECT_EQ(iQuorum[4], 25);

    // Only the immediate-executability majority fixed.
    CalcolaSoglie(128 * 25, true, kQuorumAutomatico);
    EXPECT_TRUE(iFlagQuorum & kQuorumCalcolato);
    EXPECT_FALSE(iFlagQuorum & kQuorumImmEsecCalcolato);
    EXPECT_EQ(iQuorum[3], 3);  // half plus one of 4
    EXPECT_EQ(iQuorum[4], 25);

    // Bits above 13 are not part of either majority.
    CalcolaSoglie(0x4000 | 7, false, kQuorumAutomatico);
    EXPECT_EQ(iQuorum[1], 7);
    EXPECT_TRUE(iFlagQuorum & kQuorumImmEsecCalcolato);
    EXPECT_EQ(iQuorum[2], 0);
}

// With option 8 the base is those present who may vote, before and at the close.
TEST_F(Soglie, PerArgomentoSuiPresenti)
{
    iConfigOBX = kOpzBaseSenzaNonVotanti;
    struct Caso {
        int presenti, nonVotanti, attesa;
    };
    const Caso casi[] = {{0, 0, 1}, {1, 0, 1}, {20, 0, 11}, {21, 0, 11}, {21, 2, 10}, {30, 1, 15}};
    for (const Caso& c : casi) {
        SetUp();
        iConfigOBX = kOpzBaseSenzaNonVotanti;
        iPresenti = c.presenti;
        for (int i = 0; i < c.presenti - c.nonVotanti; ++i) Seggio(1 | 8);
        for (int i = 0; i < c.nonVotanti; ++i) Seggio(1 | 4 | 8);
        EXPECT_EQ(RicalcolaQuorum(0, false, false).toInt(), c.attesa) << c.presenti;
        Conteggio(1, 0, 0);
        EXPECT_EQ(RicalcolaQuorum(-1, true, true).toInt(), c.attesa) << c.presenti;
    }
}

// Seats that iPresenti does not count (no vote, or declared absent) are not
// taken off it.
TEST_F(Soglie, NonVotantiSenzaVotoODichiaratiAssentiNonSiSottraggono)
{
    iConfigOBX = kOpzBaseSenzaNonVotanti;
    iPresenti = 20;
    for (int i = 0; i < 20; ++i) Seggio(1 | 8);
    Seggio(1 | 4);       // secretary present, not voting: not in iPresenti
    Seggio(1 | 4 | 16);  // declared absent
    Seggio(4 | 8);       // not present
    CalcolaSoglie(0, false, kQuorumAutomatico);
    EXPECT_EQ(iQuorum[3], 11);
    aPosti[1].iStato = 1 | 4 | 8;  // a voting member declares not to vote
    CalcolaSoglie(-1, false, kQuorumAutomatico);
    EXPECT_EQ(iQuorum[3], 10);
}

TEST_F(Soglie, TipiDelConsiglioRegionale)
{
    iTipoAssemblea = 4;
    struct Caso {
        int tipo, votanti, si, no, ast, opzioni;
        bool voto;
        int attesa;
    };
    const Caso casi[] = {
        {kQuorumNessuno, 31, 10, 2, 0, 0, true, 0},
        {kQuorumMetaConsiglio, 31, 0, 0, 0, 0, false, 16},
        {kQuorumMetaConsiglio, 30, 0, 0, 0, 0, false, 16},
        {kQuorumMetaConsiglio, 0, 0, 0, 0, 0, false, 1},
        {kQuorumDueTerziConsiglio, 31, 0, 0, 0, 0, false, 21},
        {kQuorumDueTerziConsiglio, 30, 0, 0, 0, 0, false, 20},
        {kQuorumDueTerziConsiglio, 0, 0, 0, 0, 0, false, 0},
        {kQuorumDueTerziVotanti, 50, 14, 7, 4, 0, false, 0},
        {kQuorumDueTerziVotanti, 50, 14, 7, 4, 0, true, 14},
        {kQuorumDueTerziVotanti, 50, 14, 7, 4, 16, true, 17},
        {kQuorumDueTerziVotanti, 50, 0, 0, 0, 0, true, 0},
    };
    for (const Caso& c : casi) {
        SetUp();
        iTipoAssemblea = 4;
        iVotanti = c.votanti;
        iConfigOBX = c.opzioni;
        Conteggio(c.si, c.no, c.ast);
        ImpostaTipoQuorum(c.tipo);
        // The item's own majorities do not matter for these kinds.
        const QString caption = RicalcolaQuorum(16 + 128 * 25, c.voto, false);
        for (int k = 1; k <= 4; ++k) EXPECT_EQ(iQuorum[k], c.attesa) << c.tipo << " " << c.votanti << " " << k;
        EXPECT_EQ(caption.toInt(), c.attesa);
        EXPECT_EQ(SogliaDaMostrare(true).toInt(), c.attesa);
    }
}

TEST_F(Soglie, LaCaselladellImmediataEseguibilitaSceglieLaSoglia)
{
    Conteggio(10, 7, 3);
    EXPECT_EQ(RicalcolaQuorum(5 + 128 * 123, true, false), "05");
    EXPECT_FALSE(iFlagQuorum & kQuorumVotoImmEsec);
    EXPECT_EQ(SogliaDaMostrare(true), "123");
    EXPECT_TRUE(iFlagQuorum & kQuorumVotoImmEsec);
    EXPECT_EQ(iQuorum[3], 5);
    EXPECT_EQ(iQuorum[4], 123);
    EXPECT_EQ(SogliaDaMostrare(false), "05");
    EXPECT_FALSE(iFlagQuorum & kQuorumVotoImmEsec);
}

TEST_F(Soglie, AllaChiusuraNelRegionaleSenzaSogliaBastaLaMaggioranzaSemplice)
{
    Conteggio(10, 7, 3);
    iTipoAssemblea = 4;
    EXPECT_EQ(SogliaApprovazione(0, kQuorumDueTerziVotanti), 8);
    EXPECT_EQ(SogliaApprovazione(14, kQuorumNessuno), 8);
    EXPECT_EQ(SogliaApprovazione(14, kQuorumAutomatico), 8);
    EXPECT_EQ(SogliaApprovazione(14, kQuorumDueTerziVotanti), 14);
    EXPECT_EQ(SogliaApprovazione(16, kQuorumMetaConsiglio), 16);
    iTipoAssemblea = 1;
    EXPECT_EQ(SogliaApprovazione(0, kQuorumAutomatico), 0);
    EXPECT_EQ(SogliaApprovazione(9, kQuorumAutomatico), 9);
}

TEST(TipoVoto, NomeInLettera)
{
    iTipoAssemblea = 4;
    ImpostaVocabolari();
    EXPECT_EQ(LetteraTipoVoto("Verifica N.Legale", "-"), QString(cLettereVoti.at(6)));
    EXPECT_EQ(LetteraTipoVoto("Verifica N.Legale", "-"), "V");
    EXPECT_EQ(LetteraTipoVoto(cNomiVoti[0], "-"), "P");
    EXPECT_EQ(LetteraTipoVoto("Sconosciuto", "M"), "M");
    iTipoAssemblea = 1;
    ImpostaVocabolari();
    EXPECT_EQ(LetteraTipoVoto("", "P"), "P");  // empty names of kinds this assembly lacks
    EXPECT_EQ(LetteraTipoVoto("Segreto", "-"), "H");
}

}  // namespace
