// New acts created from the console under the selected node of the acts
// tree, at every level with the types allowed there, and the deletion of
// the selected act with exactly its subtree.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "BancoAtti.h"
#include "platform/Albero.h"
#include "platform/Database.h"
#include "platform/Dialoghi.h"
#include "platform/Elenchi.h"
#include "platform/Testo.h"
#include "shell/AlberoAtti.h"
#include "shell/Campi.h"
#include "shell/Globali.h"
#include "shell/RecordAtti.h"

using namespace obx;
using namespace obx::test;

namespace {

QString L(const QString& lettera) { return TipoAtto(lettera, 0); }
QString Nome(const QString& lettera) { return TipoAtto(lettera, 3); }

QStringList Voci(const ElencoCombo* c)
{
    QStringList v;
    for (int i = 0; i < c->ListCount(); ++i) v << c->List(i);
    return v;
}

QStringList NomiAmmessi(int livello, const QString& padre)
{
    QStringList v;
    for (const QChar t : TipiAmmessi(livello, padre, QString())) v << Nome(QString(t));
    return v;
}

class AttiConsole : public BancoAtti {
protected:
    // Offers a new act under the node selected, picks the type and types
    // the text into the box (proposal first, as the box's focus does).
    void Crea(frmCons* f, const QString& tipo, const QString& testo, bool proponi = false)
    {
        f->PreparaNuovoAtto();
        ASSERT_TRUE(f->boxCreaAtti()->isVisible());
        const int i = f->cmbTipoAtto()->findText(Nome(tipo));
        ASSERT_GE(i, 0) << tipo.toStdString();
        f->cmbTipoAtto()->SetListIndex(i);
        f->getIDAtto_GotFocus();
        if (!proponi) f->getIDAtto()->setText(testo);
        f->cmdAtto_Click(0);
    }
    static QString Campo(int codice, const char* nome)
    {
        Recordset q = dbArchivio.OpenQuery(QStringLiteral("SELECT * FROM LEGGI WHERE iCodLeggeLG = ?"), {codice});
        return q.Eof() ? QStringLiteral("<nessuna riga>") : q.Field(QString::fromLatin1(nome)).toString();
    }
};

// From the root down to level 6, one act per level, each under the one
// created before it; at level 6 nothing more is offered.
TEST_F(AttiConsole, UnAttoPerOgniLivelloDallaConsole)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    const int vociPrima = f->cmbArgo(0)->ListCount();

    struct Passo {
        int livello;
        const char* padre;
        const char* tipo;
        const char* testo;  // typed; nullptr takes the proposal
        const char* id;     // the identifier stored at the level
        // The event text: the number, the law's label, then each level's
        // identifier, with its type's label where the parent allows more
        // than one type ("OdG" under the law; one type from level 3 on).
        // Up to level 5 it fits in 24 characters; at level 6 it does not
        // and loses its blanks.
        const char* evento;
    };
    const Passo passi[] = {{1, "", "Q", "7/2026", "1", R"(7/2026 PAA)"},
                           {2, "Q", "O", "5", "5", R"(7/2026 PAA\OdG 5)"},
                           {3, "O", "E", nullptr, "1", R"(7/2026 PAA\OdG 5\1)"},
                           {4, "E", "L", "2'*", "2'*", R"(7/2026 PAA\OdG 5\1\2'*)"},
                           {5, "L", "C", "x", "x", R"(7/2026 PAA\OdG 5\1\2'*\x)"},
                           {6, "C", "9", nullptr, "1", R"(7/2026PAA\OdG5\1\2'*\x\1)"}};
    Sceglie(f, QString());
    QString chiave, parametri = QStringLiteral("??");
    QString nomePadre;
    int codice = 3;
    for (const Passo& p : passi) {
        SCOPED_TRACE(p.livello);
        f->PreparaNuovoAtto();
        ASSERT_TRUE(f->boxCreaAtti()->isVisible());
        EXPECT_EQ(f->iLivello, p.livello);
        EXPECT_EQ(Voci(f->cmbTipoAtto()), NomiAmmessi(p.livello, p.padre));
        EXPECT_EQ(f->cmbTipoAtto()->ListIndex(), 0);
        EXPECT_EQ(f->lblAtto(0)->text(), p.livello == 1 ? "Num:" : "ID:");
        EXPECT_EQ(f->getIDAtto()->maxLength(), p.livello == 1 ? 16 : 10);
        EXPECT_EQ(f->boxCreaAtti()->title(), nomePadre);
        EXPECT_EQ(cAttoCorrente[10], TrimSpazi(chiave));

        // At level 1 the box holds the number and the identifier is the
        // next free one; deeper a blank box takes the proposal.
        const QString id =
            (p.livello == 1 || !p.testo) ? CalcolaIDLegge(chiave, p.tipo, p.livello) : QString::fromLatin1(p.id);
        EXPECT_EQ(id, p.id);
        Crea(f, p.tipo, p.testo ? QString::fromLatin1(p.testo) : QString(), p.testo == nullptr);
        ++codice;
        EXPECT_FALSE(f->boxCreaAtti()->isVisible());
        ASSERT_TRUE(Esiste(codice));

        chiave = ChiaveFiglio(chiave, p.livello, p.tipo, id);
        parametri = p.livello == 1 ? QString(p.tipo) + "N" + p.tipo : QString(p.tipo) + "N" + parametri.mid(2) + p.tipo;
        EXPECT_EQ(Campo(codice, "cTreeKeyLG"), chiave);
        EXPECT_EQ(Campo(codice, "cParametriLG"), PadTaglia(parametri, 12).replace(' ', '?'));
        EXPECT_EQ(Campo(codice, "cNumeroAttoLG"), PadTaglia("7/2026", 16));
        EXPECT_EQ(Campo(codice, "iRadiceLeggeLG"), "4");
        EXPECT_EQ(TrimSpazi(Campo(codice, CampoIDLivello(p.livello).toLatin1().constData())), id);
        const QString evento = Campo(codice, "cDescEventoLG");
        EXPECT_EQ(evento.size(), 24);
        EXPECT_EQ(evento, PadTaglia(QString::fromLatin1(p.evento), 24)) << evento.toStdString();
        EXPECT_EQ(Campo(codice, "cDescLeggeLG"), p.livello == 1 ? "n.d." : ".");
        EXPECT_EQ(Campo(codice, "cNomeVideoLG"), AbbreviaTesto(evento));

        // The new node is selected, under its parent, with its tag and text.
        NodoAlbero* n = f->oAlbero().SelectedItem();
        ASSERT_NE(n, nullptr);
        EXPECT_EQ(n->Key(), ChiaveNodoAtto(chiave, p.livello));
        EXPECT_EQ(n->Tag(), QString(p.tipo) + QString::number(p.livello) + "N" + QString::number(codice));
        EXPECT_TRUE(n->Text().endsWith(" (Non Votato)")) << n->Text().toStdString();
        EXPECT_EQ(n->Level(), p.livello);
        if (p.livello > 1) EXPECT_TRUE(n->Parent() && n->Parent()->Key() == ChiaveNodoAtto(chiave, p.livello - 1));
        // And the agenda list has its entry.
        EXPECT_EQ(f->cmbArgo(0)->ListCount(), vociPrima + codice - 3);
        EXPECT_TRUE(f->cmbArgo(0)->List(f->cmbArgo(0)->ListCount() - 1).endsWith("[" + QString::number(codice) + "]"));
        nomePadre = TrimSpazi(Campo(codice, "cNomeVideoLG"));
    }
    EXPECT_EQ(Campo(4, "cDescEventoLG"), PadTaglia("7/2026 " + L("Q"), 24));
    EXPECT_EQ(Campo(5, "cDescEventoLG"), PadTaglia("7/2026 " + L("Q") + cSepara + L("O") + " 5", 24));
    EXPECT_EQ(f->oAlbero().Find(ChiaveNodoAtto(ChiaveFiglio(chiave.left(11), 2, "O", "5"), 2))->Text(),
              "b." + L("O") + " 5 (Non Votato)");

    // Below level 6 nothing may be created.
    (*ui)->AttendiMsg("Nessun Atto subalterno previsto");
    f->PreparaNuovoAtto();
    EXPECT_FALSE(f->boxCreaAtti()->isVisible());
    EXPECT_EQ(Righe(), 9);

    // The tree loaded again from the archive shows the same nodes.
    const QString ultimo = f->oAlbero().SelectedItem()->Key();
    f->AttivaForm(kAttivaArgomenti);
    ASSERT_NE(f->oAlbero().Find(ultimo), nullptr);
    EXPECT_EQ(f->oAlbero().Find(ultimo)->Tag(), "96N9");
}

// The number and the identifiers keep the blanks typed inside them: in the
// stored texts, in the entry of the agenda list when the act is created and
// in the same entry read again from the archive.
TEST_F(AttiConsole, IlNumeroEGliIdentificativiTengonoLeLoroParole)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    Sceglie(f, QString());
    Crea(f, "B", " 12 bis ");
    ASSERT_TRUE(Esiste(4));
    EXPECT_EQ(Campo(4, "cDescLeggeLG"), "n.d.");
    EXPECT_EQ(Campo(4, "cNumeroAttoLG"), PadTaglia("12 bis", 16));
    EXPECT_EQ(Campo(4, "cDescEventoLG"), PadTaglia("12 bis " + L("B"), 24));
    EXPECT_EQ(Campo(4, "cNomeVideoLG"), AbbreviaTesto(Campo(4, "cDescEventoLG")));

    // An article under it (the new law is selected; a law admits several
    // types there).
    ASSERT_EQ(f->oAlbero().SelectedItem()->Tag(), "B1N4");
    ASSERT_GT(TipiAmmessi(2, "B", QString()).size(), 1);
    Crea(f, "J", "3 ter");
    ASSERT_TRUE(Esiste(5));
    EXPECT_EQ(Campo(5, "cDescLeggeLG"), ".");
    const QString evento = "12 bis " + L("B") + cSepara + L("J") + " 3 ter";
    ASSERT_LE(evento.size(), 24);
    EXPECT_EQ(Campo(5, "cDescEventoLG"), PadTaglia(evento, 24));

    const QStringList creato = Voci(f->cmbArgo(0)).mid(3);
    EXPECT_EQ(creato, QStringList({L("B") + " 12 bis [4]", L("B") + " 12 bis" + cSepara + L("J") + " 3 ter [5]"}));
    const QString articolo = f->oAlbero().SelectedItem()->Key();
    f->AttivaForm(kAttivaArgomenti);
    EXPECT_EQ(Voci(f->cmbArgo(0)).mid(3), creato);

    // Past 24 characters a text below the first level loses its blanks.
    Sceglie(f, articolo);
    Crea(f, TipiAmmessi(3, "J", QString()).left(1), "uno due tre");
    ASSERT_TRUE(Esiste(6));
    EXPECT_FALSE(Campo(6, "cDescEventoLG").trimmed().contains(' ')) << Campo(6, "cDescEventoLG").toStdString();
    EXPECT_TRUE(Campo(6, "cDescEventoLG").startsWith("12bis"));
}

// The types offered under a first-level act of each kind.
TEST_F(AttiConsole, TipiAmmessiSottoOgniPadre)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    int numero = 20;
    for (const char* tipo : {"B", "Q", "M", "I", "X", "K"}) {
        SCOPED_TRACE(tipo);
        Sceglie(f, QString());
        Crea(f, tipo, QString::number(++numero) + "/2026");
        ASSERT_NE(f->oAlbero().SelectedItem(), nullptr);
        const QString atteso = TipiAmmessi(2, tipo, QString());
        if (atteso.isEmpty()) {
            (*ui)->AttendiMsg("Nessun Atto subalterno previsto");
            f->PreparaNuovoAtto();
            EXPECT_FALSE(f->boxCreaAtti()->isVisible());
        } else {
            f->PreparaNuovoAtto();
            EXPECT_EQ(Voci(f->cmbTipoAtto()), NomiAmmessi(2, tipo));
            f->cmdAtto_Click(1);
        }
    }
}

TEST_F(AttiConsole, ChiaveDuplicataEAnnullaNonScrivonoNulla)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    const int voci = f->cmbArgo(0)->ListCount();
    const int nodi = f->oAlbero().Count();

    // Article 3 of law 1 exists already.
    Sceglie(f, "B1\\");
    (*ui)->AttendiMsg("Chiave Duplicata");
    Crea(f, "J", "3");
    EXPECT_FALSE(f->boxCreaAtti()->isVisible());
    EXPECT_EQ(Righe(), 3);
    EXPECT_EQ(f->cmbArgo(0)->ListCount(), voci);
    EXPECT_EQ(f->oAlbero().Count(), nodi);

    // "Annulla" closes the panel.
    Sceglie(f, "B1\\");
    f->PreparaNuovoAtto();
    f->getIDAtto()->setText("9");
    f->cmdAtto_Click(1);
    EXPECT_FALSE(f->boxCreaAtti()->isVisible());
    EXPECT_EQ(Righe(), 3);

    // A blank identifier takes the proposal; a quote is stored as typed.
    Sceglie(f, "B1\\");
    const QString proposto = CalcolaIDLegge(PadTaglia("B1", 66), "J", 2);
    ASSERT_FALSE(proposto.isEmpty());
    Crea(f, "J", "   ");
    EXPECT_EQ(TrimSpazi(Campo(4, "cIDArticoloLG")), proposto);
    Sceglie(f, "B1\\");
    Crea(f, "J", "l'art");
    EXPECT_EQ(TrimSpazi(Campo(5, "cIDArticoloLG")), "l'art");
    EXPECT_EQ(Righe(), 5);
}

// Two laws with articles whose identifiers hold a quote and a "*" and
// siblings that a pattern would take for the same: the deletion takes the
// selected act with exactly its subtree.
TEST_F(AttiConsole, CancellazioneDiUnSottoalberoConApiceEAsterisco)
{
    auto atto = [this](int codice, const char* par, QStringList seg, const char* num) {
        archivio->AggiungeAtto({codice, par, ChiaveAlbero(seg), num, seg.value(0).mid(1), seg.value(1).mid(1),
                                seg.value(2).mid(1), seg[0] == "B1" ? 1 : 10});
    };
    atto(4, "JNBJ????", {"B1", "J1'*"}, "12/2026");
    atto(5, "ENBJE???", {"B1", "J1'*", "E1"}, "12/2026");
    atto(6, "LNBJEL??", {"B1", "J1'*", "E1", "L1"}, "12/2026");
    atto(7, "JNBJ????", {"B1", "J1'ab"}, "12/2026");
    atto(8, "JNBJ????", {"B1", "J1'"}, "12/2026");
    atto(9, "ENBJE???", {"B1", "J1'", "E1"}, "12/2026");
    atto(10, "BNB?????", {"B2"}, "13/2026");
    atto(11, "JNBJ????", {"B2", "J1'*"}, "13/2026");
    atto(12, "JNBJ????", {"B1", "J1"}, "12/2026");
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    const QString nodo = "B1\\J1'*\\";
    ASSERT_NE(f->oAlbero().Find(nodo), nullptr);

    // Refused: nothing changes.
    Sceglie(f, nodo);
    (*ui)->AttendiMsg("Confermi cancellazione ", vbCancel, true);
    f->CancellaAttoSelezionato();
    EXPECT_EQ(Righe(), 12);

    Sceglie(f, nodo);
    (*ui)->AttendiMsg("e Atti subalterni ?", vbOK, true);
    f->CancellaAttoSelezionato();
    for (int c : {4, 5, 6}) EXPECT_FALSE(Esiste(c)) << c;
    for (int c : {1, 2, 3, 7, 8, 9, 10, 11, 12}) EXPECT_TRUE(Esiste(c)) << c;
    // The tree and the agenda list are read again.
    EXPECT_EQ(f->oAlbero().Find(nodo), nullptr);
    EXPECT_NE(f->oAlbero().Find("B1\\J1'\\E1\\"), nullptr);
    for (int i = 0; i < f->cmbArgo(0)->ListCount(); ++i)
        EXPECT_FALSE(f->cmbArgo(0)->List(i).endsWith("[4]") || f->cmbArgo(0)->List(i).endsWith("[5]"));

    // An act without sub-acts: only its row, the question without the tail.
    Sceglie(f, "B1\\J1'ab\\");
    (*ui)->AttendiMsg("Confermi cancellazione ", vbOK, true);
    f->CancellaAttoSelezionato();
    ASSERT_FALSE((*ui)->Storia().empty());
    EXPECT_FALSE((*ui)->Storia().back().testo.contains("Atti subalterni"));
    EXPECT_EQ((*ui)->Storia().back().stile, vbOKCancel + vbQuestion);
    EXPECT_FALSE(Esiste(7));
    EXPECT_EQ(Righe(), 8);

    // The root or nothing selected: no question, nothing deleted.
    Sceglie(f, QString());
    f->CancellaAttoSelezionato();
    f->oAlbero().SetSelectedItem(f->oAlbero().Nodes().front());
    f->CancellaAttoSelezionato();
    EXPECT_EQ(Righe(), 8);
}

TEST_F(AttiConsole, NuovoAttoNonOffertoDuranteUnaVotazione)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    Sceglie(f, "B1\\");
    iModoVoto = 1;
    f->PreparaNuovoAtto();
    EXPECT_FALSE(f->boxCreaAtti()->isVisible());
    f->CancellaAttoSelezionato();
    EXPECT_EQ(Righe(), 3);
    iModoVoto = 0;
}

}  // namespace
