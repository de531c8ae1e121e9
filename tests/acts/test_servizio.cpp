// The console's service buttons on the acts tree: bringing up the selected
// act, recalling the stored result of a voted act (its own latest valid
// vote), and the buttons refused while a vote runs.
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "BancoAtti.h"
#include "console/Spoglio.h"
#include "links/Tabellone.h"
#include "platform/Albero.h"
#include "platform/Database.h"
#include "platform/Dialoghi.h"
#include "platform/Elenchi.h"
#include "platform/Testo.h"
#include "shell/Campi.h"
#include "shell/Globali.h"

using namespace obx;
using namespace obx::test;

namespace {

const QString kAttoVotato = QStringLiteral("B2\\");

class Servizio : public BancoAtti {
protected:
    void SetUp() override
    {
        BancoAtti::SetUp();
        // A second law, already voted (status "V"), code 4.
        archivio->AggiungeAtto({4, "BVB?????", ChiaveAlbero({"B2"}), "13/2026", "2", {}, {}, 4});
    }
    frmCons* ApreConVoti()
    {
        frmCons* f = Apre();
        if (f)
            for (int k = 1; k < int(aPosti.size()); ++k) aPosti[size_t(k)].cVoto = QStringLiteral("9");
        return f;
    }
    // A button as its own switch says (its frame may be disabled).
    static bool Abilitato(const QPushButton* b) { return b->isEnabledTo(b->parentWidget()); }
    static int VoceAtto(frmCons* f, int codice)
    {
        for (int i = 0; i < f->cmbArgo(0)->ListCount(); ++i)
            if (f->cmbArgo(0)->List(i).endsWith("[" + QString::number(codice) + "]")) return i;
        return -1;
    }
    static QString VotoDi(int persona)
    {
        for (size_t k = 1; k < aPosti.size(); ++k)
            if (aPosti[k].bCodiceAN == persona) return aPosti[k].cVoto;
        return QStringLiteral("<nessun seggio>");
    }
};

// The first vote of the act was superseded by a second one; the earlier
// valid rows (a check of the legal number, a vote on the agenda's order),
// a later check, the later vote on immediate executability and a vote of
// another act must not be taken for it.
TEST_F(Servizio, RichiamaLUltimoVotoValidoDellAtto)
{
    iTipoTAB = 1;  // a LED board (on no port) that keeps its last page
    frmCons* f = ApreConVoti();
    ASSERT_NE(f, nullptr);
    // Stored after the opening, which would offer to empty the table.
    AggiungeVoto({7, 4, "V", 0, "", 8, 8, 0, 0, {{1, '+'}}});
    AggiungeVoto({8, 4, "M", 0, "", 8, 0, 7, 1, {{1, '6'}}});
    AggiungeVoto({10, 4, "P", 0, "Votazione Annullata", 8, 1, 6, 1, {{1, '3'}, {3, '6'}}});
    AggiungeVoto(
        {11, 4, "P", 0, "", 8, 5, 1, 1, {{1, '3'}, {2, '3'}, {3, '6'}, {4, '5'}, {5, '3'}, {6, '3'}, {7, '3'}}});
    AggiungeVoto({12, 4, "V", 0, "", 8, 8, 0, 0, {{1, '+'}, {2, '+'}, {8, '+'}}});
    AggiungeVoto({13, 4, "P", -4, "", 8, 2, 2, 2, {{1, '6'}}});
    AggiungeVoto({14, 2, "P", 0, "", 8, 7, 0, 0, {{1, '5'}}});
    iPresenti = 3;
    cTipoVoto = "-";
    f->cmdVoto(0)->setEnabled(true);

    Sceglie(f, kAttoVotato);
    f->cmdServizio_Click(5);

    EXPECT_EQ(iFavorevoli, 5);
    EXPECT_EQ(iContrari, 1);
    EXPECT_EQ(iAstenuti, 1);
    EXPECT_EQ(iPresenti, 3);  // put back after the panel showed the stored number
    EXPECT_EQ(cTipoVoto, "P");
    const char* attesi[] = {"", "3", "3", "6", "5", "3", "3", "3", "0"};
    for (int p = 1; p <= 8; ++p) EXPECT_EQ(VotoDi(p), attesi[p]) << p;
    for (int i = 0; i < 6; ++i) EXPECT_EQ(Abilitato(f->cmdVoto(i)), i == 2) << i;
    EXPECT_EQ(oTabellone->UltimoComando(), "6");
    const int voce = VoceAtto(f, 4);
    ASSERT_GE(voce, 0);
    const QString testo = f->cmbArgo(0)->List(voce);
    EXPECT_EQ(cTitoloTabellone[0], PadTaglia(testo.left(testo.size() - 3), 24));
    EXPECT_EQ(f->cmbArgo(0)->ListIndex(), -1);  // the agenda selection stays
}

// Only the vote on immediate executability is valid: it is the one shown.
TEST_F(Servizio, SenzaVotoPrincipaleValeQuelloDiImmediataEseguibilita)
{
    frmCons* f = ApreConVoti();
    ASSERT_NE(f, nullptr);
    // Stored after the opening, which would offer to empty the table.
    AggiungeVoto({10, 4, "P", 0, "Votazione Annullata", 8, 1, 1, 1, {}});
    AggiungeVoto({11, 4, "P", -4, "", 8, 6, 1, 0, {{2, '3'}}});
    Sceglie(f, kAttoVotato);
    f->cmdServizio_Click(5);
    EXPECT_EQ(iFavorevoli, 6);
    EXPECT_EQ(VotoDi(2), "3");
}

TEST_F(Servizio, TipoDiVotoSconosciutoMostratoComePalese)
{
    frmCons* f = ApreConVoti();
    ASSERT_NE(f, nullptr);
    // Stored after the opening, which would offer to empty the table.
    AggiungeVoto({10, 4, "Q", 0, "", 8, 4, 4, 0, {{5, '6'}}});
    Sceglie(f, kAttoVotato);
    f->cmdServizio_Click(5);
    EXPECT_EQ(cTipoVoto, "P");
    EXPECT_EQ(VotoDi(5), "6");
    EXPECT_EQ(VotoDi(1), "0");
}

// Each refusal shows its message and changes nothing.
TEST_F(Servizio, RichiamoRifiutato)
{
    frmCons* f = ApreConVoti();
    ASSERT_NE(f, nullptr);
    // Stored after the opening, which would offer to empty the table.
    AggiungeVoto({10, 4, "P", 0, "", 8, 1, 1, 1, {{1, '3'}}});
    AggiungeVoto({11, 4, "H", 0, "", 8, 2, 2, 2, {{1, '6'}}});
    struct Caso {
        QString nodo;
        const char* messaggio;
    };
    const Caso casi[] = {
        {QString(), "Selezionare un Atto"}, {"B1\\J3\\", "Atto non Votato"}, {kAttoVotato, "Votazione Segreta"}};
    iFavorevoli = 0;
    cTipoVoto = "-";
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.messaggio);
        Sceglie(f, c.nodo);
        (*ui)->AttendiMsg(c.messaggio);
        f->cmdServizio_Click(5);
        EXPECT_TRUE((*ui)->Restanti().empty());
        EXPECT_EQ(iFavorevoli, 0);
        EXPECT_EQ(cTipoVoto, "-");
        EXPECT_EQ(VotoDi(1), "9");
    }
    // The root is no act.
    f->oAlbero().SetSelectedItem(f->oAlbero().Nodes().front());
    (*ui)->AttendiMsg("Selezionare un Atto");
    f->cmdServizio_Click(5);

    // The act's only valid vote annulled: not found.
    dbArchivio.Execute("UPDATE VOTI SET cNotaVotoVT = 'Votazione Annullata'");
    Sceglie(f, kAttoVotato);
    (*ui)->AttendiMsg("Votazione non trovata");
    f->cmdServizio_Click(5);
    EXPECT_EQ(iFavorevoli, 0);
}

// The recall writes the recalled act into the board's first title; once
// dismissed, the open act's titles are back for the pages that follow.
TEST_F(Servizio, IlTitoloDellAttoApertoTornaDopoIlRichiamo)
{
    frmCons* f = ApreConVoti();
    ASSERT_NE(f, nullptr);
    AggiungeVoto({10, 4, "P", 0, "", 8, 5, 1, 1, {{1, '3'}}});
    dbArchivio.Execute("UPDATE LEGGI SET cNomeLedLG = 'ART. 3' WHERE iCodLeggeLG = 2");
    f->cmbArgo(0)->SetListIndex(VoceAtto(f, 2));
    ASSERT_EQ(iDelibera, 2);
    const auto titoli = cTitoloTabellone;
    ASSERT_EQ(titoli[0], PadTaglia("ART. 3", 24));

    // Recalled twice before the dismissal: still the open act's titles.
    for (int volta = 0; volta < 2; ++volta) {
        Sceglie(f, kAttoVotato);
        f->cmdServizio_Click(5);
        ASSERT_NE(cTitoloTabellone[0], titoli[0]);
    }
    f->cmdVoto_Click(2);
    EXPECT_EQ(cTitoloTabellone, titoli);

    // An act opened while the recall was shown keeps its own titles.
    Sceglie(f, kAttoVotato);
    f->cmdServizio_Click(5);
    f->cmbArgo(0)->SetListIndex(VoceAtto(f, 1));
    const auto nuovi = cTitoloTabellone;
    f->cmdVoto_Click(2);
    EXPECT_EQ(cTitoloTabellone, nuovi);

    // A dismissal with no recall before it changes no title.
    cTitoloTabellone[1] = PadTaglia("ALTRO", 24);
    const auto dopo = cTitoloTabellone;
    f->cmdVoto_Click(2);
    EXPECT_EQ(cTitoloTabellone, dopo);
}

TEST_F(Servizio, VaiAllAttoSelezionato)
{
    frmCons* f = ApreConVoti();
    ASSERT_NE(f, nullptr);
    std::vector<int> scelte;
    f->cmbArgo(0)->Click = [&] { scelte.push_back(f->cmbArgo(0)->ListIndex()); };
    const int voce = VoceAtto(f, 4);
    ASSERT_GE(voce, 0);

    Sceglie(f, kAttoVotato);
    f->cmdServizio_Click(4);
    EXPECT_EQ(f->cmbArgo(0)->ListIndex(), voce);
    EXPECT_EQ(scelte, std::vector<int>{voce});
    EXPECT_TRUE(Abilitato(f->cmdVoto(0)));

    // Already selected: cleared and selected again, so the act opens anew.
    scelte.clear();
    f->cmdServizio_Click(4);
    EXPECT_EQ(scelte, (std::vector<int>{-1, voce}));

    // Nothing or the root selected: only the open-vote button.
    for (bool radice : {false, true}) {
        scelte.clear();
        f->cmdVoto(0)->setEnabled(false);
        if (radice)
            f->oAlbero().SetSelectedItem(f->oAlbero().Nodes().front());
        else
            Sceglie(f, QString());
        f->cmdServizio_Click(4);
        EXPECT_TRUE(scelte.empty());
        EXPECT_TRUE(Abilitato(f->cmdVoto(0)));
    }

    // With Ctrl: agenda cleared, first vote and quorum kind, second status.
    servizi->keys.ctrl = true;
    f->cmbTipoVoto()->setCurrentIndex(2);
    f->cmbTipoQuorum()->setCurrentIndex(2);
    f->cmdServizio_Click(4);
    EXPECT_EQ(f->cmbArgo(0)->ListIndex(), -1);
    EXPECT_EQ(f->cmbTipoVoto()->ListIndex(), 0);
    EXPECT_EQ(f->cmbTipoQuorum()->ListIndex(), 0);
    EXPECT_EQ(f->cmbArgo(3)->ListIndex(), 1);
    servizi->keys.ctrl = false;
}

// While a vote runs the buttons that would change the act, the acts or
// the vote kind do nothing at all.
TEST_F(Servizio, RifiutatiDuranteUnaVotazione)
{
    frmCons* f = ApreConVoti();
    ASSERT_NE(f, nullptr);
    // Stored after the opening, which would offer to empty the table.
    AggiungeVoto({10, 4, "P", 0, "", 8, 5, 1, 1, {{1, '3'}}});
    const int voce = VoceAtto(f, 2);
    ASSERT_GE(voce, 0);
    int scelte = 0;
    f->cmbArgo(0)->Click = [&] { ++scelte; };
    f->cmbTipoVoto()->setCurrentIndex(2);
    iFavorevoli = 0;

    // 0: a vote whose central has ended its data, still waiting for its close.
    for (int modo : {1, 2, 0}) {
        SCOPED_TRACE(modo);
        iModoVoto = modo;
        if (modo == 0) oVoto.Apre(1);
        for (bool ctrl : {false, true}) {
            servizi->keys.ctrl = ctrl;
            Sceglie(f, "B1\\J3\\");
            f->cmdServizio_Click(4);
            Sceglie(f, kAttoVotato);
            f->cmdServizio_Click(5);
            Sceglie(f, QString());
            f->cmdServizio_Click(5);  // not even "Selezionare un Atto"
            f->cmdServizio_Click(0);
        }
        EXPECT_EQ(scelte, 0);
        EXPECT_EQ(f->cmbArgo(0)->ListIndex(), -1);
        EXPECT_EQ(f->cmbTipoVoto()->ListIndex(), 2);
        EXPECT_FALSE(Abilitato(f->cmdVoto(0)));
        EXPECT_EQ(iFavorevoli, 0);
        EXPECT_EQ(VotoDi(1), "9");
        EXPECT_FALSE(f->boxCreaAtti()->isVisible());
    }
    servizi->keys.ctrl = false;
    iModoVoto = 0;
    oVoto.Abbandona();
    EXPECT_EQ(f->oAlbero().Count(), 5);
}

TEST_F(Servizio, SecondoRiquadroDelTitoloConCtrl)
{
    frmCons* f = ApreConVoti();
    ASSERT_NE(f, nullptr);
    f->getTesto(1)->hide();
    f->getTesto_Click(0);
    EXPECT_FALSE(f->getTesto(1)->isVisibleTo(f));
    servizi->keys.ctrl = true;
    f->getTesto_Click(0);
    EXPECT_TRUE(f->getTesto(1)->isVisibleTo(f));
    f->getTesto_Click(0);
    EXPECT_FALSE(f->getTesto(1)->isVisibleTo(f));
    f->getTesto_Click(0);
    f->getTesto_Click(1);
    EXPECT_FALSE(f->getTesto(1)->isVisibleTo(f));
    servizi->keys.ctrl = false;
}

}  // namespace
