// The rules of an attendance change and of the vote panel on the
// program-wide state alone, with no window: what changes in the seats, the
// count and the LED maps, and what the console and the boards are asked to
// draw.
#include <gtest/gtest.h>

#include "console/ColoriPosti.h"
#include "console/Presenza.h"
#include "console/QuadroVoti.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"

using namespace obx;

namespace {

// A chamber with nothing running and no seat yet; seat i gets label i and
// LED position i.
class RegolePresenza : public ::testing::Test {
protected:
    void SetUp() override
    {
        ImpostaConfigurazionePredefinita();
        AzzeraStatoSeduta();
        aPosti.assign(1, Posto{});
        iModoVoto = 0;
        iQuorum = {};
        iFavorevoli = iContrari = iAstenuti = 0;
        cLedPresenze = QString(48, u'0');
        cLedQuadro = QString(48, u'0');
    }
    void TearDown() override
    {
        aPosti.assign(1, Posto{});
        iModoVoto = 0;
        iConfigOBX = 0;
        iTipoAssemblea = 1;
        iPresenti = iFavorevoli = iContrari = iAstenuti = 0;
        cTipoVoto = QStringLiteral("-");
        cLedPresenze = QString(48, u'0');
        cLedQuadro = QString(48, u'0');
    }
    // Adds a seat; its index in aPosti.
    static int Seggio(int stato, const char* ruolo = "C", const char* voto = "0")
    {
        Posto p;
        const int i = int(aPosti.size());
        p.iStato = stato;
        p.cTipoAN = QString::fromLatin1(ruolo);
        p.cVoto = QString::fromLatin1(voto);
        p.iVotatoreAN = p.iVotatoreUso = i;
        p.bCodiceAN = i;
        p.iPulsanteAN = i;
        p.iPannelloAN = i;
        p.nTopAN = float(10 * i), p.nLeftAN = float(20 * i);
        p.nTopTvAN = float(30 * i), p.nSinTvAN = float(40 * i);
        aPosti.push_back(p);
        return i;
    }
    static QChar Led(const QString& mappa, int i) { return mappa.at(aPosti[size_t(i)].iPannelloAN - 1); }
};

// ---------------------------------------------------------------------------
// Attendance change

TEST_F(RegolePresenza, EntrataEUscitaPerRuoloEStato)
{
    struct Caso {
        const char* nome;
        int tipo;  // assembly kind
        int stato;
        const char* ruolo;
        const char* evento;
        int statoDopo;
        int presentiPiu;
        int32_t sfondo;
        char led;
    };
    constexpr int A = kAventeDiritto, P = kPresente;
    const Caso casi[] = {
        {"voting member enters", 1, A, "C", "E", A | P, 1, kColoreVotante, '2'},
        {"voting member leaves", 1, A | P, "C", "U", A, -1, kColoreAssente, '0'},
        {"member without a vote enters", 1, 0, "C", "E", P, 0, kColoreSenzaVoto, '2'},
        {"member without a vote leaves", 1, P, "C", "U", 0, 0, kColoreAssente, '0'},
        {"not voting enters", 1, A | kPresenteNonVotante, "C", "E", A | kPresenteNonVotante | P, 1, kColoreNonVotante,
         '2'},
        {"chair enters", 1, A, "P", "E", A | P, 1, kColorePresidente, '2'},
        {"present and declared absent leaves", 1, A | kAssenteDichiarato | P, "C", "U", A | kAssenteDichiarato, -1,
         kColoreDichiaratoAssente, '0'},
        {"presiding role leaves with the mark", 1, A | P, "S", "U", A | kUscitaPresidenza, -1, kColoreAssente, '0'},
        {"the mark stays on entering", 1, A | kUscitaPresidenza, "S", "E", A | kUscitaPresidenza | P, 1, kColoreVotante,
         '2'},
        {"regional: secretary without the mark", 4, A | P, "S", "U", A, -1, kColoreAssente, '0'},
        {"regional: G with the mark", 4, A | P, "G", "U", A | kUscitaPresidenza, -1, kColoreAssente, '0'},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        SetUp();
        iTipoAssemblea = c.tipo;
        Seggio(A);
        const int i = Seggio(c.stato, c.ruolo);
        iPresenti = 5;
        cLedPresenze[i - 1] = c.led == '2' ? u'0' : u'2';

        const CambioPresenza r = CalcolaCambioPresenza(i);
        EXPECT_EQ(r.cEvento, QString::fromLatin1(c.evento));
        EXPECT_EQ(aPosti[size_t(i)].iStato, c.statoDopo);
        EXPECT_EQ(iPresenti, 5 + c.presentiPiu);
        EXPECT_EQ(r.nSfondo, c.sfondo);
        EXPECT_EQ(r.xDentro, c.evento[0] == 'E');
        EXPECT_TRUE(r.spostate.empty());
        EXPECT_EQ(Led(cLedPresenze, i), QChar(c.led));
        EXPECT_EQ(cLedPresenze.count(u'2'), c.led == '2' ? 1 : 0);  // no other position touched
        // No vote running: the letter as it is, with the attendance map.
        EXPECT_EQ(r.cTestoTabellone, QString::fromLatin1(c.evento));
        EXPECT_EQ(r.cLedTabellone, cLedPresenze);
        EXPECT_EQ(aPosti[1].iStato, A);
    }
}

TEST_F(RegolePresenza, DichiaratoAssenteFuoriEIndiciFuoriDaiSeggiNonCambianoNulla)
{
    const int i = Seggio(kAventeDiritto | kAssenteDichiarato);
    iPresenti = 3;
    for (int indice : {i, 0, -1, int(aPosti.size())}) {
        SCOPED_TRACE(indice);
        const CambioPresenza r = CalcolaCambioPresenza(indice);
        EXPECT_TRUE(r.cEvento.isEmpty());
        EXPECT_TRUE(r.cTestoTabellone.isEmpty());
        EXPECT_FALSE(r.cLedTabellone.has_value());
        EXPECT_EQ(aPosti[size_t(i)].iStato, kAventeDiritto | kAssenteDichiarato);
        EXPECT_EQ(iPresenti, 3);
        EXPECT_EQ(cLedPresenze, QString(48, u'0'));
    }

    // A seat with no LED position enters without writing any map.
    aPosti[size_t(i)].iStato = kAventeDiritto;
    aPosti[size_t(i)].iPannelloAN = 0;
    EXPECT_EQ(CalcolaCambioPresenza(i).cEvento, QStringLiteral("E"));
    EXPECT_EQ(cLedPresenze, QString(48, u'0'));
    EXPECT_EQ(cLedQuadro, QString(48, u'0'));
}

TEST_F(RegolePresenza, ScambioDiPostoConIlPadroneDelVotatore)
{
    struct Caso {
        const char* nome;
        int statoPadrone;  // the seat whose unit the member holds
        int statoEntrante;
        bool scambio;
    };
    const Caso casi[] = {
        {"owner out: the two change places", kAventeDiritto, kAventeDiritto, true},
        {"owner present", kAventeDiritto | kPresente, kAventeDiritto, false},
        {"owner declared absent", kAventeDiritto | kAssenteDichiarato, kAventeDiritto, false},
        {"the one entering has the exit mark", kAventeDiritto, kAventeDiritto | kUscitaPresidenza, false},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        SetUp();
        const int v = Seggio(c.statoEntrante), e = Seggio(c.statoPadrone);
        const Posto vPrima = aPosti[size_t(v)], ePrima = aPosti[size_t(e)];
        aPosti[size_t(v)].iVotatoreUso = ePrima.iVotatoreAN;

        const CambioPresenza r = CalcolaCambioPresenza(v);
        ASSERT_EQ(r.cEvento, QStringLiteral("E"));
        const Posto& pv = aPosti[size_t(v)];
        const Posto& pe = aPosti[size_t(e)];
        if (!c.scambio) {
            EXPECT_TRUE(r.spostate.empty());
            EXPECT_EQ(pv.iVotatoreAN, vPrima.iVotatoreAN);
            EXPECT_EQ(pv.nTopAN, vPrima.nTopAN);
            EXPECT_EQ(pe.nTopAN, ePrima.nTopAN);
            continue;
        }
        EXPECT_EQ(pv.iVotatoreAN, ePrima.iVotatoreAN);
        EXPECT_EQ(pe.iVotatoreAN, vPrima.iVotatoreAN);
        EXPECT_EQ(pv.iVotatoreUso, ePrima.iVotatoreAN);
        EXPECT_EQ(pv.nTopAN, ePrima.nTopAN);
        EXPECT_EQ(pv.nLeftAN, ePrima.nLeftAN);
        EXPECT_EQ(pv.nTopTvAN, ePrima.nTopTvAN);
        EXPECT_EQ(pv.nSinTvAN, ePrima.nSinTvAN);
        EXPECT_EQ(pe.nTopAN, vPrima.nTopAN);
        EXPECT_EQ(pe.nSinTvAN, vPrima.nSinTvAN);
        // The labels keep their numbers and move: the owner's first.
        ASSERT_EQ(r.spostate.size(), 2u);
        EXPECT_EQ(r.spostate[0].iPulsante, ePrima.iPulsanteAN);
        EXPECT_EQ(r.spostate[0].nTop, vPrima.nTopAN);
        EXPECT_EQ(r.spostate[0].nLeft, vPrima.nLeftAN);
        EXPECT_EQ(r.spostate[0].nTopTv, vPrima.nTopTvAN);
        EXPECT_EQ(r.spostate[0].nSinTv, vPrima.nSinTvAN);
        EXPECT_EQ(r.spostate[1].iPulsante, vPrima.iPulsanteAN);
        EXPECT_EQ(r.spostate[1].nTop, ePrima.nTopAN);
        EXPECT_EQ(r.spostate[1].nSinTv, ePrima.nSinTvAN);
    }
}

TEST_F(RegolePresenza, MappaLedETestoDelTabelloneSecondoIlModoDelVoto)
{
    enum Invio { kNessuna, kPresenze, kQuadro };
    struct Caso {
        const char* nome;
        int modo;
        bool presente;  // before the change
        const char* testo;
        char ledPresenze, ledQuadro;  // after it; the panel's map starts at '3'
        Invio invio;
    };
    const Caso casi[] = {
        {"no vote, entry", 0, false, "E", '2', '3', kPresenze},
        {"no vote, exit", 0, true, "U", '0', '3', kPresenze},
        {"real vote, entry", kVotoReale, false, "e", '2', '3', kNessuna},
        {"real vote, exit", kVotoReale, true, "u", '0', '3', kNessuna},
        {"real vote by call, entry", kVotoReale | kVotoUnico, false, "e", '0', '2', kQuadro},
        {"real vote by call, exit", kVotoReale | kVotoUnico, true, "u", '2', '3', kQuadro},
        {"test vote, entry", kVotoProva, false, "E", '2', '3', kPresenze},
        // A test by call lights the panel's map, yet the board gets the
        // attendance map as it was.
        {"test vote by call, entry", kVotoProva | kVotoUnico, false, "E", '0', '2', kPresenze},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        SetUp();
        const int i = Seggio(kAventeDiritto | (c.presente ? kPresente : 0));
        cLedPresenze[i - 1] = c.presente ? u'2' : u'0';
        cLedQuadro[i - 1] = u'3';
        iModoVoto = c.modo;

        const CambioPresenza r = CalcolaCambioPresenza(i);
        EXPECT_EQ(r.cEvento, c.presente ? QStringLiteral("U") : QStringLiteral("E"));
        EXPECT_EQ(r.cTestoTabellone, QString::fromLatin1(c.testo));
        EXPECT_EQ(Led(cLedPresenze, i), QChar(c.ledPresenze));
        EXPECT_EQ(Led(cLedQuadro, i), QChar(c.ledQuadro));
        switch (c.invio) {
        case kNessuna: EXPECT_FALSE(r.cLedTabellone.has_value()); break;
        case kPresenze: EXPECT_EQ(r.cLedTabellone, cLedPresenze); break;
        case kQuadro: EXPECT_EQ(r.cLedTabellone, cLedQuadro); break;
        }
    }
}

// ---------------------------------------------------------------------------
// Vote panel

TEST(ColoriDeiTasti, SoloSiNoEAstenuto)
{
    struct Caso {
        const char* tasto;
        bool colore;
        int32_t console;
        int voce;
    };
    const Caso casi[] = {{"3", true, kColoreFavorevole, 2},
                         {"5", true, kColoreAstenuto, 4},
                         {"6", true, kColoreContrario, 3},
                         {"0", false},
                         {"+", false},
                         {"*", false},
                         {"", false}};
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.tasto);
        const auto r = ColoriTasto(QString::fromLatin1(c.tasto));
        ASSERT_EQ(r.has_value(), c.colore);
        if (!r) continue;
        EXPECT_EQ(r->nConsole, c.console);
        EXPECT_EQ(r->iVoceVideo, c.voce);
    }
}

class RegoleQuadro : public RegolePresenza {
protected:
    // A vote just tallied: yes, no, abstain, present not voting, absent,
    // absent who keyed, declared absent, a roll call's "+", present with
    // no key at all.
    int si = 0, no = 0, astenuto = 0, nonVotante = 0, assente = 0, chiave = 0, dichiarato = 0, appello = 0, muto = 0;
    void VotoChiuso(const char* tipo)
    {
        constexpr int A = kAventeDiritto, P = kPresente;
        si = Seggio(A | P, "C", "3");
        no = Seggio(A | P, "C", "6");
        astenuto = Seggio(A | P, "C", "5");
        nonVotante = Seggio(A | P | kPresenteNonVotante, "C", "0");
        assente = Seggio(A, "C", "0");
        chiave = Seggio(A, "C", "*");
        dichiarato = Seggio(A | kAssenteDichiarato, "C", "0");
        appello = Seggio(A | P, "C", "+");
        muto = Seggio(A | P, "C", " ");
        iPresenti = 6;
        iFavorevoli = 2;
        iContrari = 1;
        iAstenuti = 1;
        cTipoVoto = QString::fromLatin1(tipo);
        cLedQuadro = QString(48, u'9');
    }
};

TEST_F(RegoleQuadro, RisultatoPalese)
{
    VotoChiuso("P");
    for (const bool video : {true, false}) {
        SCOPED_TRACE(video);
        const int modo = kQuadroRisultato | (video ? kQuadroTabelloni : 0);
        const QuadroVoti q = ComponeQuadroVoti(modo);
        struct Atteso {
            int posto;
            std::optional<int32_t> sfondo;
            std::optional<bool> presenza;
            std::optional<int> tinta;
            char led;
        };
        const Atteso attesi[] = {
            {si, kColoreFavorevole, {}, 2, '2'},
            {no, kColoreContrario, {}, 3, '1'},
            {astenuto, kColoreAstenuto, {}, 4, '3'},
            {nonVotante, kColoreNonVotante, true, 14, '7'},
            {assente, kColoreNonVotante, false, 15, '0'},
            {chiave, {}, false, 15, '0'},
            {dichiarato, kColoreNonVotante, false, 15, '0'},
            {appello, kColoreFavorevole, {}, 2, '2'},
            {muto, {}, {}, {}, '0'},
        };
        ASSERT_EQ(q.posti.size(), aPosti.size());
        for (const Atteso& a : attesi) {
            SCOPED_TRACE(a.posto);
            const DisegnoPosto& d = q.posti[size_t(a.posto)];
            EXPECT_EQ(d.iPulsante, aPosti[size_t(a.posto)].iPulsanteAN);
            EXPECT_EQ(d.nSfondo, a.sfondo);
            // The projected board only when it is drawn.
            EXPECT_EQ(d.xPresenza, video ? a.presenza : std::nullopt);
            EXPECT_EQ(d.iTinta, video ? a.tinta : std::nullopt);
            EXPECT_EQ(Led(cLedQuadro, a.posto), QChar(a.led));
        }
        // The map is rebuilt from dark, whether it is sent or not.
        EXPECT_EQ(cLedQuadro.mid(int(aPosti.size()) - 1), QString(48 - int(aPosti.size()) + 1, u'0'));
        EXPECT_EQ(q.cLedTabellone, video ? std::optional<QString>(cLedQuadro) : std::nullopt);
        EXPECT_FALSE(q.cTestoTabellone.has_value());
        EXPECT_EQ(q.xTotaliVideo, video ? std::optional<bool>(true) : std::nullopt);
        EXPECT_EQ(iPresenti, 6);
        EXPECT_EQ(aPosti[size_t(nonVotante)].iStato & kPresenteNonVotante, kPresenteNonVotante);
    }

    // The regional assembly does not flash those present not voting.
    iTipoAssemblea = 4;
    ComponeQuadroVoti(kQuadroRisultato);
    EXPECT_EQ(Led(cLedQuadro, nonVotante), u'0');
}

TEST_F(RegoleQuadro, AzzeraNonVotantiDopoAverliDisegnati)
{
    VotoChiuso("P");
    const int dentroDichiarato = Seggio(kAventeDiritto | kPresente | kPresenteNonVotante | kAssenteDichiarato);
    for (const char* tipo : {"P", "H"}) {
        SCOPED_TRACE(tipo);
        cTipoVoto = QString::fromLatin1(tipo);
        aPosti[size_t(nonVotante)].iStato |= kPresenteNonVotante;
        ComponeQuadroVoti(kQuadroRisultato | kQuadroAzzeraNonVotanti);
        EXPECT_EQ(aPosti[size_t(nonVotante)].iStato, kAventeDiritto | kPresente);
        // Declared absent: the mark stays.
        EXPECT_NE(aPosti[size_t(dentroDichiarato)].iStato & kPresenteNonVotante, 0);
        // Drawn as present not voting, before the mark went.
        if (tipo[0] == 'P') EXPECT_EQ(Led(cLedQuadro, nonVotante), u'7');
    }
}

TEST_F(RegoleQuadro, RisultatoSegreto)
{
    for (const bool votanti : {false, true}) {
        SCOPED_TRACE(votanti);
        SetUp();
        VotoChiuso("H");
        iConfigOBX = votanti ? kOpzMostraVotantiSegreto : 0;
        const QuadroVoti q = ComponeQuadroVoti(kQuadroRisultato | kQuadroTabelloni);
        // At most who voted, all alike; never how, and nobody else.
        for (size_t i = 1; i < aPosti.size(); ++i) {
            SCOPED_TRACE(i);
            const bool mostrato = votanti && (int(i) == si || int(i) == no || int(i) == astenuto);
            const DisegnoPosto& d = q.posti[i];
            EXPECT_EQ(d.nSfondo, mostrato ? std::optional<int32_t>(kColoreAstenuto) : std::nullopt);
            EXPECT_EQ(d.iTinta, mostrato ? std::optional<int>(4) : std::nullopt);
            EXPECT_FALSE(d.xPresenza.has_value());
            EXPECT_EQ(Led(cLedQuadro, int(i)), mostrato ? u'3' : u'0');
        }
        EXPECT_EQ(q.cLedTabellone, cLedQuadro);
        EXPECT_EQ(q.xTotaliVideo, true);
        EXPECT_EQ(q.cContatori[3], QStringLiteral("02"));
    }
}

TEST_F(RegoleQuadro, ContatoriDelRisultato)
{
    struct Caso {
        int modo;
        int opzioni;
        std::optional<QString> votanti, favorevoli, astenuti, contrari;
    };
    const Caso casi[] = {
        {kQuadroRisultato, 0, "03", "02", "01", "01"},
        {kQuadroRisultato, kOpzVotantiAstenuti, "04", "02", "01", "01"},
        {kQuadroRisultato | kQuadroSoloFavorevoli, 0, "03", "02", {}, {}},
        {kQuadroRisultato | 0x10, 0, "03", {}, {}, {}},
        {kQuadroRisultato | 0x20, kOpzVotantiAstenuti, "04", {}, {}, {}},
    };
    VotoChiuso("P");
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.modo);
        iConfigOBX = c.opzioni;
        const QuadroVoti q = ComponeQuadroVoti(c.modo);
        EXPECT_EQ(q.cContatori[0], c.votanti);
        EXPECT_FALSE(q.cContatori[1].has_value());
        EXPECT_FALSE(q.cContatori[2].has_value());
        EXPECT_EQ(q.cContatori[3], c.favorevoli);
        EXPECT_EQ(q.cContatori[4], c.astenuti);
        EXPECT_EQ(q.cContatori[5], c.contrari);
        // Present and not voting: 6 - 2 - 1 - 1.
        EXPECT_EQ(q.cContatori[6], QStringLiteral("02"));
    }
}

TEST_F(RegoleQuadro, VistaDellePresenzeConIlRitornoDallAppello)
{
    struct Caso {
        int tipo;
        bool ritornano;
    };
    for (const Caso c : {Caso{4, true}, Caso{1, false}}) {
        SCOPED_TRACE(c.tipo);
        SetUp();
        iTipoAssemblea = c.tipo;
        constexpr int A = kAventeDiritto, P = kPresente;
        const int dentro = Seggio(A | P);
        const int nonVota = Seggio(A | P | kPresenteNonVotante);
        const int richiamato = Seggio(A | kAssenteAppello);
        const int senzaVoto = Seggio(kAssenteAppello);
        const int fuori = Seggio(A);
        const int assenteDichiarato = Seggio(A | kAssenteDichiarato | kPresenteNonVotante);
        iPresenti = 2;
        cLedPresenze[assenteDichiarato - 1] = u'5';
        iQuorum[3] = 7, iQuorum[4] = 9;

        const QuadroVoti q = ComponeQuadroVoti(kQuadroTabelloni | kQuadroAzzeraNonVotanti | kQuadroRitornoAppello);
        EXPECT_EQ(iPresenti, c.ritornano ? 3 : 2);  // the one without a vote is not counted
        EXPECT_EQ(aPosti[size_t(richiamato)].iStato, c.ritornano ? A | P : A | kAssenteAppello);
        EXPECT_EQ(aPosti[size_t(senzaVoto)].iStato, c.ritornano ? P : kAssenteAppello);
        EXPECT_EQ(aPosti[size_t(nonVota)].iStato, A | P);
        EXPECT_EQ(aPosti[size_t(assenteDichiarato)].iStato, A | kAssenteDichiarato);

        struct Atteso {
            int posto;
            int32_t sfondo;
            bool presente;
        };
        const Atteso attesi[] = {
            {dentro, kColoreVotante, true},
            {nonVota, kColoreVotante, true},  // the mark cleared first
            {richiamato, c.ritornano ? kColoreVotante : kColoreAssente, c.ritornano},
            {senzaVoto, c.ritornano ? kColoreSenzaVoto : kColoreAssente, c.ritornano},
            {fuori, kColoreAssente, false},
        };
        for (const Atteso& a : attesi) {
            SCOPED_TRACE(a.posto);
            EXPECT_EQ(q.posti[size_t(a.posto)].nSfondo, a.sfondo);
            EXPECT_EQ(q.posti[size_t(a.posto)].xPresenza, a.presente);
            EXPECT_FALSE(q.posti[size_t(a.posto)].iTinta.has_value());
            EXPECT_EQ(Led(cLedPresenze, a.posto), a.presente ? u'2' : u'0');
        }
        // Declared absent: left as it is, drawn nowhere.
        EXPECT_FALSE(q.posti[size_t(assenteDichiarato)].nSfondo.has_value());
        EXPECT_FALSE(q.posti[size_t(assenteDichiarato)].xPresenza.has_value());
        EXPECT_EQ(Led(cLedPresenze, assenteDichiarato), u'5');

        for (int n : {0, 3, 4, 5, 6}) EXPECT_EQ(q.cContatori[size_t(n)], QStringLiteral("00")) << n;
        EXPECT_EQ(q.cContatori[1], c.ritornano ? QStringLiteral("03") : QStringLiteral("02"));
        EXPECT_EQ(q.cContatori[2], QStringLiteral("07"));
        EXPECT_EQ(q.xTotaliVideo, false);
        EXPECT_EQ(q.cLedTabellone, cLedPresenze);
        EXPECT_EQ(q.cTestoTabellone, QStringLiteral("2"));
    }

    // Without the boards nothing goes to them; the threshold shown is the
    // one of immediate executability when the coming vote is on it.
    iFlagQuorum |= kQuorumVotoImmEsec;
    const QuadroVoti q = ComponeQuadroVoti(0);
    EXPECT_EQ(q.cContatori[2], QStringLiteral("09"));
    EXPECT_FALSE(q.xTotaliVideo.has_value());
    EXPECT_FALSE(q.cLedTabellone.has_value());
    EXPECT_FALSE(q.cTestoTabellone.has_value());
    EXPECT_FALSE(q.posti[1].xPresenza.has_value());
    // Without kQuadroAzzeraNonVotanti the mark stays.
    aPosti[1].iStato |= kPresenteNonVotante;
    EXPECT_EQ(ComponeQuadroVoti(0).posti[1].nSfondo, kColoreNonVotante);
    EXPECT_NE(aPosti[1].iStato & kPresenteNonVotante, 0);
}

TEST_F(RegoleQuadro, VistaVuota)
{
    for (const bool video : {true, false}) {
        SCOPED_TRACE(video);
        SetUp();
        VotoChiuso("A");
        const QuadroVoti q = ComponeQuadroVoti(kQuadroVuoto | (video ? kQuadroTabelloni : 0));
        EXPECT_EQ(iPresenti, 0);
        for (size_t i = 1; i < aPosti.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(aPosti[i].iStato & kPresente, 0);
            EXPECT_EQ(q.posti[i].nSfondo, kColoreAssente);
            EXPECT_EQ(q.posti[i].xPresenza, video ? std::optional<bool>(false) : std::nullopt);
            EXPECT_FALSE(q.posti[i].iTinta.has_value());
        }
        EXPECT_EQ(aPosti[size_t(nonVotante)].iStato, kAventeDiritto | kPresenteNonVotante);
        for (size_t n = 0; n < q.cContatori.size(); ++n)
            EXPECT_EQ(q.cContatori[n], n == 1 ? std::optional<QString>(QStringLiteral("00")) : std::nullopt) << n;
        // The dark map goes to the LED board even without the other boards.
        EXPECT_EQ(cLedQuadro, QString(48, u'0'));
        EXPECT_EQ(q.cLedTabellone, cLedQuadro);
        EXPECT_EQ(q.xTotaliVideo, video ? std::optional<bool>(false) : std::nullopt);
    }
}

TEST_F(RegoleQuadro, DueVisteInsiemeNonDisegnanoNulla)
{
    VotoChiuso("P");
    const std::vector<Posto> prima = aPosti;
    const QString presenze = cLedPresenze, quadro = cLedQuadro;
    for (int modo : {kQuadroRisultato | kQuadroVuoto,
                     kQuadroRisultato | kQuadroVuoto | kQuadroTabelloni | kQuadroAzzeraNonVotanti}) {
        SCOPED_TRACE(modo);
        const QuadroVoti q = ComponeQuadroVoti(modo);
        for (const DisegnoPosto& d : q.posti) {
            EXPECT_FALSE(d.nSfondo.has_value());
            EXPECT_FALSE(d.xPresenza.has_value());
            EXPECT_FALSE(d.iTinta.has_value());
        }
        for (const auto& c : q.cContatori) EXPECT_FALSE(c.has_value());
        EXPECT_FALSE(q.xTotaliVideo.has_value());
        EXPECT_FALSE(q.cLedTabellone.has_value());
        EXPECT_FALSE(q.cTestoTabellone.has_value());
        for (size_t i = 1; i < aPosti.size(); ++i) EXPECT_EQ(aPosti[i].iStato, prima[i].iStato) << i;
        EXPECT_EQ(iPresenti, 6);
        EXPECT_EQ(cLedPresenze, presenze);
        EXPECT_EQ(cLedQuadro, quadro);
    }
}

}  // namespace
