// Attendance changes on the console: entry and exit with the count, the LED
// presence map, the thresholds, the console label and the projected board;
// the exit mark of the presiding roles, declared absents, the place
// exchange; the correction of a running vote and the lists of who must vote.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>

#include "BancoPresenze.h"
#include "board/Etichetta.h"
#include "board/frmVideo.h"
#include "console/ColoriPosti.h"
#include "links/Tabellone.h"
#include "links/frmLED.h"
#include "platform/Elenchi.h"

namespace obx::test {
namespace {

constexpr int32_t kVerdeLed = 0x00FF00;
constexpr int32_t kBiancoLed = 0xFFFFFF;

class Presenze : public BancoPresenze {
protected:
    void SetUp() override
    {
        BancoPresenze::SetUp();
        // An LED board of the first type, not wired: the driver keeps the
        // commands it is given.
        iTipoTAB = 1;
    }
};

// A vote as its opening leaves it: every seat without a key.
void VotoAperto(int modo)
{
    iModoVoto = modo;
    dInizioVoto = Clock().Adesso();
    cVoti.Azzera(u'0');
    cTastiRicevuti.Azzera(QChar(0));
    for (size_t i = 1; i < aPosti.size(); ++i) aPosti[i].cVoto = QStringLiteral("0");
}

TEST_F(Presenze, EntrataEUscitaAggiornanoContoMappaESoglie)
{
    // The base of a computed majority is those present who may vote.
    iConfigOBX = kOpzBaseSenzaNonVotanti;
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    FrmVideo& video = frmVideo();
    const int verdi = Seggio("VERDI A.");
    ASSERT_GT(verdi, 0);
    const Posto& p = aPosti[size_t(verdi)];
    const int led = p.iPannelloAN, etichetta = p.iPulsanteAN;
    // An item whose majority is computed.
    f->CalcolaQuorum(0, false);

    EXPECT_EQ(f->EntraEsce(verdi), QStringLiteral("E"));
    EXPECT_EQ(p.iStato & 17, 1);
    EXPECT_EQ(iPresenti, 1);
    EXPECT_EQ(f->lblVoto(1)->text(), QStringLiteral("01"));
    EXPECT_EQ(cLedPresenze.at(led - 1), u'2');
    EXPECT_EQ(cLedPresenze.count(u'2'), 1);
    EXPECT_EQ(iQuorum[3], 1);
    EXPECT_EQ(f->lblVoto(2)->text(), QStringLiteral("01"));
    EXPECT_EQ(f->txtAnag(etichetta)->BackColor(), kColoreVotante);
    EXPECT_EQ(video.txtAnag(etichetta)->ForeColor(), cColoriTabVideo[1]);
    ASSERT_NE(frmLEDCaricato(), nullptr);
    EXPECT_EQ(frmLEDCaricato()->lblAnag(led - 1)->BackColor(), kVerdeLed);
    EXPECT_EQ(oTabellone->UltimoComando(), QStringLiteral("E"));

    for (const char* n : {"ESPOSITO G.", "ROMANO F.", "COLOMBO S."}) EXPECT_EQ(f->EntraEsce(Seggio(n)), "E");
    EXPECT_EQ(iPresenti, 4);
    EXPECT_EQ(f->lblVoto(2)->text(), QStringLiteral("03"));

    EXPECT_EQ(f->EntraEsce(verdi), QStringLiteral("U"));
    EXPECT_EQ(p.iStato & 1, 0);
    EXPECT_EQ(iPresenti, 3);
    EXPECT_EQ(f->lblVoto(1)->text(), QStringLiteral("03"));
    EXPECT_EQ(cLedPresenze.at(led - 1), u'0');
    EXPECT_EQ(f->lblVoto(2)->text(), QStringLiteral("02"));
    EXPECT_EQ(f->txtAnag(etichetta)->BackColor(), kColoreAssente);
    EXPECT_EQ(video.txtAnag(etichetta)->ForeColor(), cColoriTabVideo[0]);
    EXPECT_EQ(frmLEDCaricato()->lblAnag(led - 1)->BackColor(), kBiancoLed);
    EXPECT_EQ(oTabellone->UltimoComando(), QStringLiteral("U"));

    // Each change is logged once, with the member's name.
    const auto ev = Eventi();
    ASSERT_EQ(ev.size(), 6u);  // "A" and five changes
    EXPECT_EQ(ev[1].lettera, QStringLiteral("E"));
    EXPECT_EQ(TrimSpazi(ev[1].nome), QStringLiteral("Anna Verdi"));
    EXPECT_EQ(ev[5].lettera, QStringLiteral("U"));
    EXPECT_EQ(ev[5].presenti, 3);
}

TEST_F(Presenze, ColoriPerRuoloEStato)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    struct Caso {
        const char* breve;
        int stato;
        const char* ruolo;
        int32_t colore;
        int presentiPiu;
    };
    const Caso casi[] = {
        {"ROSSI M.", 8, "P", kColorePresidente, 1},   {"VERDI A.", 8 | 4, "C", kColoreNonVotante, 1},
        {"ESPOSITO G.", 8, "C", kColoreVotante, 1},   {"ROMANO F.", 0, "C", kColoreSenzaVoto, 0},
        {"COLOMBO S.", 4, "C", kColoreNonVotante, 0},  // not voting, no vote: never counted
    };
    for (const Caso& c : casi) {
        const int i = Seggio(c.breve);
        Posto& p = aPosti[size_t(i)];
        p.iStato = c.stato;
        p.cTipoAN = QString::fromLatin1(c.ruolo);
        const int prima = iPresenti;
        EXPECT_EQ(f->CambiaPresenza(i, p.iPulsanteAN, false), QStringLiteral("E")) << c.breve;
        EXPECT_EQ(f->txtAnag(p.iPulsanteAN)->BackColor(), c.colore) << c.breve;
        EXPECT_EQ(iPresenti, prima + c.presentiPiu) << c.breve;
        EXPECT_EQ(f->CambiaPresenza(i, p.iPulsanteAN, false), QStringLiteral("U")) << c.breve;
        EXPECT_EQ(iPresenti, prima) << c.breve;
        EXPECT_EQ(f->txtAnag(p.iPulsanteAN)->BackColor(), kColoreAssente) << c.breve;
    }
}

TEST_F(Presenze, DichiaratoAssenteESegnoDiUscita)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    const int bianchi = Seggio("BIANCHI L.");  // role "S"
    Posto& s = aPosti[size_t(bianchi)];

    // Declared absent and out: nothing changes, nothing is logged.
    s.iStato = 8 | 16;
    const size_t eventi = Eventi().size();
    EXPECT_EQ(f->EntraEsce(bianchi), QString());
    EXPECT_EQ(s.iStato, 8 | 16);
    EXPECT_EQ(iPresenti, 0);
    EXPECT_EQ(Eventi().size(), eventi);

    // Present and declared absent: leaves with the declared-absent colour.
    s.iStato = 8 | 16 | 1;
    iPresenti = 1;
    EXPECT_EQ(f->CambiaPresenza(bianchi, s.iPulsanteAN, false), QStringLiteral("U"));
    EXPECT_EQ(f->txtAnag(s.iPulsanteAN)->BackColor(), kColoreDichiaratoAssente);
    EXPECT_EQ(iPresenti, 0);

    // The exit mark of the presiding roles stays across an entry and is set
    // again at the next exit; a councillor never gets it.
    s.iStato = 8;
    f->CambiaPresenza(bianchi, s.iPulsanteAN, false);
    f->CambiaPresenza(bianchi, s.iPulsanteAN, false);
    EXPECT_EQ(s.iStato, 8 | 32);
    f->CambiaPresenza(bianchi, s.iPulsanteAN, false);
    EXPECT_EQ(s.iStato, 8 | 32 | 1);
    f->CambiaPresenza(bianchi, s.iPulsanteAN, false);
    EXPECT_EQ(s.iStato, 8 | 32);
    const int verdi = Seggio("VERDI A.");
    f->CambiaPresenza(verdi, aPosti[size_t(verdi)].iPulsanteAN, false);
    f->CambiaPresenza(verdi, aPosti[size_t(verdi)].iPulsanteAN, false);
    EXPECT_EQ(aPosti[size_t(verdi)].iStato, 8);

    // An index outside the seats changes nothing.
    EXPECT_EQ(f->CambiaPresenza(0, 0, true), QString());
    EXPECT_EQ(f->CambiaPresenza(int(aPosti.size()), 1, true), QString());
}

TEST_F(Presenze, ScambioDiPostoConIlVotatoreDiUnAssente)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    FrmVideo& video = frmVideo();
    const int verdi = Seggio("VERDI A."), espo = Seggio("ESPOSITO G."), romano = Seggio("ROMANO F.");
    Posto& v = aPosti[size_t(verdi)];
    Posto& e = aPosti[size_t(espo)];
    v.nTopTvAN = 100, v.nSinTvAN = 200;
    e.nTopTvAN = 300, e.nSinTvAN = 400;
    const float vTop = v.nTopAN, vLeft = v.nLeftAN, eTop = e.nTopAN, eLeft = e.nLeftAN;
    const int vUnita = v.iVotatoreAN, eUnita = e.iVotatoreAN;

    // Verdi enters holding Esposito's unit while Esposito is out.
    v.iVotatoreUso = eUnita;
    EXPECT_EQ(f->CambiaPresenza(verdi, v.iPulsanteAN, false), QStringLiteral("E"));
    EXPECT_EQ(v.iVotatoreAN, eUnita);
    EXPECT_EQ(e.iVotatoreAN, vUnita);
    EXPECT_EQ(v.nTopAN, eTop);
    EXPECT_EQ(v.nLeftAN, eLeft);
    EXPECT_EQ(e.nTopAN, vTop);
    EXPECT_EQ(e.nLeftAN, vLeft);
    EXPECT_NEAR(f->txtAnag(v.iPulsanteAN)->Top(), eTop, 20);
    EXPECT_NEAR(f->txtAnag(e.iPulsanteAN)->Left(), vLeft, 20);
    EXPECT_NEAR(video.txtAnag(v.iPulsanteAN)->Top(), 300, 20);
    EXPECT_NEAR(video.txtAnag(e.iPulsanteAN)->Left(), 200, 20);

    // With the owner of the unit present nothing is exchanged.
    Posto& r = aPosti[size_t(romano)];
    f->CambiaPresenza(espo, e.iPulsanteAN, false);
    const float rTop = r.nTopAN;
    r.iVotatoreUso = e.iVotatoreAN;
    const int rUnita = r.iVotatoreAN;
    f->CambiaPresenza(romano, r.iPulsanteAN, false);
    EXPECT_EQ(r.iVotatoreAN, rUnita);
    EXPECT_EQ(r.nTopAN, rTop);
}

TEST_F(Presenze, DuranteIlVotoLettereMinuscoleEMappaNonRinviata)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    const int verdi = Seggio("VERDI A.");
    const int led = aPosti[size_t(verdi)].iPannelloAN;
    frmLED().lblAnag(led - 1)->SetBackColor(0x123456);
    VotoAperto(1);
    EXPECT_EQ(f->CambiaPresenza(verdi, aPosti[size_t(verdi)].iPulsanteAN, true), QStringLiteral("E"));
    EXPECT_EQ(oTabellone->UltimoComando(), QStringLiteral("e"));
    EXPECT_EQ(cLedPresenze.at(led - 1), u'2');
    EXPECT_EQ(frmLED().lblAnag(led - 1)->BackColor(), 0x123456);  // not resent

    // One voter at a time: the one entering lights up on the panel's map.
    iModoVoto = 1 | 16;
    cLedQuadro = QString(48, u'0');
    const int espo = Seggio("ESPOSITO G.");
    const int ledE = aPosti[size_t(espo)].iPannelloAN;
    EXPECT_EQ(f->CambiaPresenza(espo, aPosti[size_t(espo)].iPulsanteAN, true), QStringLiteral("E"));
    EXPECT_EQ(cLedQuadro.at(ledE - 1), u'2');
    EXPECT_EQ(cLedPresenze.at(ledE - 1), u'0');
    EXPECT_EQ(frmLED().lblAnag(ledE - 1)->BackColor(), kVerdeLed);
    EXPECT_EQ(f->CambiaPresenza(espo, aPosti[size_t(espo)].iPulsanteAN, true), QStringLiteral("U"));
    EXPECT_EQ(cLedQuadro.at(ledE - 1), u'2');
    EXPECT_EQ(oTabellone->UltimoComando(), QStringLiteral("u"));
    iModoVoto = 0;
}

TEST_F(Presenze, ElencoDeiVotantiSegueLePresenzeDuranteIlVoto)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    const int verdi = Seggio("VERDI A."), espo = Seggio("ESPOSITO G."), romano = Seggio("ROMANO F.");
    for (int i : {verdi, espo}) f->EntraEsce(i);

    // The vote opens: who is present and votes must vote.
    VotoAperto(1);
    f->MostraVotanti(0);
    ASSERT_EQ(f->lstVotanti()->ListCount(), 2);

    // Verdi keyed yes and leaves: the key goes and so does the name.
    Posto& v = aPosti[size_t(verdi)];
    v.cVoto = QStringLiteral("3");
    cVoti.Set(v.bCodiceAN, u'3');
    cTastiRicevuti.Set(v.bCodiceAN, QChar(v.bCodiceAN));
    EXPECT_EQ(f->EntraEsce(verdi), QStringLiteral("u"));
    EXPECT_EQ(v.cVoto, QStringLiteral("0"));
    EXPECT_EQ(cVoti.At(v.bCodiceAN), u'0');
    EXPECT_EQ(cTastiRicevuti.At(v.bCodiceAN), QChar(0));
    ASSERT_EQ(f->lstVotanti()->ListCount(), 1);
    EXPECT_EQ(f->lstVotanti()->List(0), QStringLiteral("ESPOSITO G."));

    // Romano enters during the vote: now he must vote.
    EXPECT_EQ(f->EntraEsce(romano), QStringLiteral("e"));
    ASSERT_EQ(f->lstVotanti()->ListCount(), 2);
    EXPECT_EQ(f->lstVotanti()->List(1), QStringLiteral("ROMANO F."));

    // An absent member who keyed is listed as one who may not vote; when
    // he enters he leaves that list.
    const int colombo = Seggio("COLOMBO S.");
    aPosti[size_t(colombo)].cVoto = QStringLiteral("*");
    f->lstAssenti()->AddItem(QStringLiteral("COLOMBO S."));
    EXPECT_EQ(f->EntraEsce(colombo), QStringLiteral("e"));
    EXPECT_EQ(f->lstAssenti()->ListCount(), 0);
    EXPECT_EQ(f->lstVotanti()->ListCount(), 2);

    const auto ev = Eventi();
    ASSERT_GE(ev.size(), 3u);
    // Changes during a vote are stored as entries and exits dated just
    // before its opening.
    EXPECT_EQ(ev[ev.size() - 3].lettera, QStringLiteral("U"));
    EXPECT_EQ(ev[ev.size() - 2].lettera, QStringLiteral("E"));
    EXPECT_LT(ev.back().data, dInizioVoto);
    iModoVoto = 0;
}

TEST_F(Presenze, VisteDelVotoEDellePresenze)
{
    iPrenotazioni = kPrenotazioniPannello;
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    // Of four voting members one present, one present and not voting, one
    // absent, one declared absent: only the first must vote.
    aPosti[size_t(Seggio("VERDI A."))].iStato = 8 | 1;
    aPosti[size_t(Seggio("ESPOSITO G."))].iStato = 8 | 4 | 1;
    aPosti[size_t(Seggio("ROMANO F."))].iStato = 8;
    aPosti[size_t(Seggio("COLOMBO S."))].iStato = 8 | 16;
    f->lstAssenti()->AddItem(QStringLiteral("resto"));

    f->MostraVotanti(0);
    EXPECT_TRUE(f->boxConsiglio(4)->isVisibleTo(f));
    EXPECT_TRUE(f->boxConsiglio(5)->isVisibleTo(f));
    EXPECT_FALSE(f->boxConsiglio(1)->isVisibleTo(f));
    EXPECT_FALSE(f->boxConsiglio(6)->isVisibleTo(f));
    ASSERT_EQ(f->lstVotanti()->ListCount(), 1);
    EXPECT_EQ(f->lstVotanti()->List(0), QStringLiteral("VERDI A."));
    EXPECT_EQ(f->lstAssenti()->ListCount(), 0);

    f->MostraVotanti(2);
    EXPECT_TRUE(f->boxConsiglio(4)->isVisibleTo(f));
    EXPECT_EQ(f->lstVotanti()->ListCount(), 0);

    f->MostraVotanti(1);
    EXPECT_TRUE(f->boxConsiglio(1)->isVisibleTo(f));
    EXPECT_TRUE(f->boxConsiglio(6)->isVisibleTo(f));
    EXPECT_FALSE(f->boxConsiglio(4)->isVisibleTo(f));
    EXPECT_FALSE(f->boxConsiglio(5)->isVisibleTo(f));
    EXPECT_EQ(f->lstVotanti()->ListCount(), 0);
}

}  // namespace
}  // namespace obx::test
