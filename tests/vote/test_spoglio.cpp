#include <gtest/gtest.h>

#include "Seggi.h"
#include "console/Quorum.h"
#include "shell/Configurazione.h"

using namespace obx;
using namespace obx::test;

namespace {

class Spoglio : public ::testing::Test {
protected:
    void SetUp() override
    {
        ImpostaConfigurazionePredefinita();
        AzzeraStatoSeduta();
        Assemblea(1);
        Seggi(20);
        iVotanti = 20;
        cVotiPrecedenti.Azzera(QChar(u'0'));
    }
    // Opens a vote of the kind and gives the keys in order to seats 1, 2...
    void Vota(int assemblea, const char* tipo, const QString& tasti)
    {
        Assemblea(assemblea);
        cTipoVoto = QString::fromLatin1(tipo);
        IniziaVoto(cTipoVoto, false, false);
        if (assemblea == 4) iVotanteUnico = -1;
        for (int i = 0; i < tasti.size(); ++i) {
            if (cTipoVoto == u"J" || cTipoVoto == u"W") iVotanteUnico = i + 1;
            MemorizzaVoti(i + 1, tasti.mid(i, 1));
        }
    }
};

}  // namespace

TEST_F(Spoglio, OutcomeOfEachKindInBothAssemblies)
{
    struct Caso {
        int assemblea;
        const char* tipo;
        int quorum;
        bool sub;
        QString tasti;
        int si, no, ast;
        const char* esito;
        int soglia;
    };
    const QString nove8tre = QString(9, u'3') + QString(8, u'6') + QString(3, u'5');
    const Caso casi[] = {
        {1, "P", 9, false, nove8tre, 9, 8, 3, "APPROVA", 9},
        {1, "P", 9, true, nove8tre, 9, 8, 3, "ACCOLTO", 9},
        {2, "H", 10, false, nove8tre, 9, 8, 3, "NON APPROVA", 10},
        {1, "M", 10, true, nove8tre, 9, 8, 3, "NON ACCOLTO", 10},
        {4, "P", 0, false, QString(5, u'3') + QString(5, u'6'), 5, 5, 0, "NON APPROVA", 6},
        {4, "P", 0, false, QString(6, u'3') + QString(5, u'6'), 6, 5, 0, "APPROVA", 6},
        {4, "I", 0, false, QString(6, u'3') + QString(5, u'6'), 6, 5, 0, "APPROVA", 6},
        {4, "J", 0, false, QString(6, u'3') + QString(5, u'6'), 6, 5, 0, "APPROVA", 6},
        {4, "R", 0, false, QString(3, u'3') + QString(5, u'6'), 3, 5, 0, "NON RINVIATO A COMMISSIONE", 6},
        {4, "R", 0, false, QString(6, u'3'), 6, 0, 0, "RINVIATO A COMMISSIONE", 1},
        {4, "S", 0, false, QString(6, u'3'), 6, 0, 0, "RINVIATO AD ALTRA SEDUTA", 1},
        {4, "S", 0, false, QString(6, u'6'), 0, 6, 0, "NON RINVIATO AD ALTRA SEDUTA", 7},
        {4, "V", 16, false, QString(16, u'3'), 16, 4, 0, "N. LEGALE PRESENTE", 16},
        {4, "W", 16, false, QString(15, u'3'), 15, 5, 0, "N. LEGALE ASSENTE", 16},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(std::to_string(c.assemblea) + c.tipo + " " + c.esito);
        Vota(c.assemblea, c.tipo, c.tasti);
        ContaVoti(cTipoVoto);
        EXPECT_EQ(iFavorevoli, c.si);
        EXPECT_EQ(iContrari, c.no);
        EXPECT_EQ(iAstenuti, c.ast);
        // Regional per-item thresholds are a simple majority of the cast votes.
        const int tipoQuorum = c.assemblea == 4 && c.quorum == 16 ? kQuorumMetaConsiglio : kQuorumAutomatico;
        const EsitoVoto e = CalcolaEsito(cTipoVoto, c.quorum, tipoQuorum, c.sub);
        EXPECT_EQ(e.cTesto, QString::fromLatin1(c.esito));
        EXPECT_EQ(e.iSoglia, c.soglia);
    }
}

TEST_F(Spoglio, CounterProofComparesWithThePreviousKeys)
{
    Vota(4, "P", QStringLiteral("3365"));
    ASSERT_TRUE(ChiudeSpoglio(kChiusura).xEseguita);
    const QString prima = cVotiPrecedenti.Testo();
    EXPECT_EQ(prima, cVoti.Testo());
    Vota(4, "C", QStringLiteral("3365"));
    ChiusuraVoto r = ChiudeSpoglio(kChiusura);
    EXPECT_EQ(r.esito.cTesto, QStringLiteral("CONFERMATA"));
    EXPECT_TRUE(r.xRipetuta);
    Vota(4, "C", QStringLiteral("3366"));
    r = ChiudeSpoglio(kChiusura);
    EXPECT_EQ(r.esito.cTesto, QStringLiteral("NON CONFERMATA"));
    EXPECT_EQ(cVotiPrecedenti.Testo(), prima);  // left as it was
}

TEST_F(Spoglio, VerificationMarksAbsentMembersAndCountsTheRequester)
{
    Vota(4, "V", QStringLiteral("3"));
    aPosti[5].iStato |= 64;
    iRichiedenti[1] = 2;
    ChiudeSpoglio(kChiusura);
    EXPECT_EQ(iFavorevoli, 2);
    EXPECT_EQ(iContrari, 18);
    EXPECT_EQ(aPosti[1].iStato & 64, 0);
    EXPECT_EQ(aPosti[2].iStato & 64, 0);
    EXPECT_EQ(aPosti[2].cVoto, QStringLiteral("+"));
    EXPECT_EQ(aPosti[3].iStato & 64, 64);
    // A test verification marks nobody.
    Vota(4, "V", QString());
    IniziaVoto(cTipoVoto, true, false);
    aPosti[3].iStato &= ~64;
    EXPECT_TRUE(ChiudeSpoglio(kChiusura).xProva);
    EXPECT_EQ(aPosti[3].iStato & 64, 0);
}

TEST_F(Spoglio, ClosingEventsStatusAndState)
{
    Vota(4, "P", QStringLiteral("336"));
    iFlagQuorum |= kQuorumArgomentoAperto;
    iStatoConsole = 2 | 32 | 128;
    ChiusuraVoto r = ChiudeSpoglio(kChiusura);
    EXPECT_EQ(r.cEventi, QStringList({QStringLiteral("T"), QStringLiteral("H")}));
    EXPECT_EQ(r.cStatoAtto, QStringLiteral("Votato"));
    EXPECT_EQ(iFlagQuorum & kQuorumArgomentoAperto, 0);
    EXPECT_EQ(iStatoConsole, 32 | 16);
    EXPECT_EQ(cEsito, r.esito.cTesto);
    EXPECT_EQ(r.iFavorevoli, 2);
    EXPECT_EQ(r.cVoti.left(4), QStringLiteral("3360"));
    EXPECT_EQ(r.iVotiRicevuti, 3);
    EXPECT_TRUE(r.xSalva);

    // A rejected referral does not mark the act as referred.
    Vota(4, "R", QStringLiteral("66"));
    EXPECT_TRUE(ChiudeSpoglio(kChiusura).cStatoAtto.isEmpty());
    // A verification and a test vote leave the act's status alone.
    Vota(4, "V", QStringLiteral("3"));
    r = ChiudeSpoglio(kChiusura);
    EXPECT_EQ(r.cEventi, QStringList({QStringLiteral("L"), QStringLiteral("H")}));
    EXPECT_TRUE(r.cStatoAtto.isEmpty());
    EXPECT_TRUE(r.xComando8);
    IniziaVoto(QStringLiteral("P"), true, false);
    cTipoVoto = QStringLiteral("P");
    EXPECT_TRUE(ChiudeSpoglio(kChiusura).cStatoAtto.isEmpty());

    // Annul: stored with zero counts, "I", no outcome.
    Vota(1, "P", QStringLiteral("333"));
    iStatoConsole = 2 | 32;
    r = ChiudeSpoglio(kAnnullo);
    EXPECT_TRUE(r.xSalva);
    EXPECT_FALSE(r.xEsito);
    EXPECT_EQ(r.cEventi, QStringList({QStringLiteral("I")}));
    EXPECT_EQ(r.iFavorevoli, 0);
    EXPECT_EQ(iStatoConsole, 32 | 65);
    EXPECT_TRUE(cEsito.isEmpty());
}

TEST_F(Spoglio, RollCallCorrectsAttendanceAndGivesTheNumberPresent)
{
    Assemblea(1);
    Seggi(5);
    aPosti[4].iStato = 8;  // absent
    aPosti[5].iStato = 8;
    aPosti[5].iPulsanteAN = 0;
    cTipoVoto = QStringLiteral("A");
    IniziaVoto(cTipoVoto, false, false);
    std::vector<TastoVoto> t;
    MemorizzaVoti(1, QStringLiteral("3"), &t);
    MemorizzaVoti(4, QStringLiteral("3"), &t);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_TRUE(t[1].xEntra);
    aPosti[4].iStato |= 1;  // the console let seat 4 in
    const ChiusuraVoto r = ChiudeSpoglio(kChiusura);
    EXPECT_EQ(r.iPresentiAppello, 2);
    EXPECT_FALSE(r.xEsito);
    EXPECT_EQ(r.aCambiPresenza, std::vector<int>({2, 3}));  // present, did not answer
    EXPECT_EQ(r.cEventi, QStringList({QStringLiteral("L")}));
    EXPECT_TRUE(r.xRipetuta);
    EXPECT_EQ(cVotiPrecedenti.Testo(), cVoti.Testo());
}

TEST_F(Spoglio, AVoteIsClosedAndStoredExactlyOnce)
{
    Vota(1, "P", QStringLiteral("33"));
    const int id = oVoto.Id();
    int nested = 0;
    // A close, then a second click and the countdown for the same vote.
    const ChiusuraVoto r = ChiudeSpoglio(kChiusura, {false, false, id});
    EXPECT_TRUE(r.xEseguita);
    EXPECT_EQ(r.iVoto, id);
    for (int m : {kChiusura, kAnnullo, kAbbandono})
        if (ChiudeSpoglio(m, {false, false, id}).xEseguita) ++nested;
    EXPECT_EQ(nested, 0);
    // A countdown armed for an older vote cannot close a newer one.
    Vota(1, "P", QStringLiteral("3"));
    EXPECT_FALSE(ChiudeSpoglio(kChiusura, {false, false, id}).xEseguita);
    EXPECT_TRUE(oVoto.RaccoglieTasti());
    // A dropped vote can no longer be closed or stored.
    const ChiusuraVoto d = ChiudeSpoglio(kAbbandono);
    EXPECT_TRUE(d.xEseguita);
    EXPECT_FALSE(d.xSalva);
    EXPECT_TRUE(d.cEventi.isEmpty());
    EXPECT_EQ(iModoVoto, 0);
    EXPECT_FALSE(ChiudeSpoglio(kChiusura).xEseguita);
    EXPECT_FALSE(ChiudeSpoglio(kAnnullo).xEseguita);
    EXPECT_EQ(oVoto.StatoVoto(), GuardiaVoto::Stato::Abbandonato);
}
