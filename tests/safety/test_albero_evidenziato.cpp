// The act the tree highlights is the act the buttons use: after a save, a
// removal, a rename that re-sorts, or a reload, the widget's highlighted
// and current item is the tree's selected node, in the acts register and at
// the console, and every expanded node stays expanded.  And the emptying of
// the vote table does not take Enter for a yes.
#include <QGroupBox>
#include <QLineEdit>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <functional>

#include "acts-register/BancoLeggi.h"
#include "console/frmCons.h"
#include "registers/Registri.h"
#include "reports/frmVoti.h"
#include "shell/RecordAtti.h"
#include "support/BancoConsole.h"

using namespace obx;
using namespace obx::test;

namespace {

// The widget shows the tree's selection: one highlighted item, the current
// one, that of the selected node (or none of either); and every node whose
// children are shown open is open in the widget.
void Coerente(const Albero& albero, QTreeWidget* vista)
{
    const NodoAlbero* scelto = albero.SelectedItem();
    const QList<QTreeWidgetItem*> evidenziati = vista->selectedItems();
    if (!scelto) {
        EXPECT_TRUE(evidenziati.isEmpty());
        EXPECT_EQ(vista->currentItem(), nullptr);
    } else {
        ASSERT_EQ(evidenziati.size(), 1);
        EXPECT_EQ(evidenziati.front()->data(0, Qt::UserRole).toString(), scelto->Key());
        ASSERT_NE(vista->currentItem(), nullptr);
        EXPECT_EQ(vista->currentItem()->data(0, Qt::UserRole).toString(), scelto->Key());
    }
    for (QTreeWidgetItemIterator it(vista); *it; ++it) {
        const QString chiave = (*it)->data(0, Qt::UserRole).toString();
        const NodoAlbero* n = albero.Find(chiave);
        ASSERT_NE(n, nullptr) << chiave.toStdString();
        if ((*it)->childCount() > 0) EXPECT_TRUE((*it)->isExpanded()) << chiave.toStdString();
        EXPECT_EQ((*it)->isExpanded(), n->Expanded()) << chiave.toStdString();
    }
}

QString EventoAtto(int codice)
{
    Recordset q = dbArchivio.OpenQuery(QStringLiteral("SELECT cDescEventoLG FROM LEGGI WHERE iCodLeggeLG = ?"), {codice});
    return q.Eof() ? QString() : TrimSpazi(q.Field(QStringLiteral("cDescEventoLG")).toString());
}

class AlberoRegistro : public BancoLeggi {
protected:
    // The law B 1 with its article J 3 and the article's amendment E 2, and
    // a second law B 2 without articles.
    void SetUp() override
    {
        BancoLeggi::SetUp();
        archivio->AggiungeAtto({5, QStringLiteral("BNB?????"), ChiaveAlbero({QStringLiteral("B2")}),
                                QStringLiteral("01/2026"), QStringLiteral("2"), {}, {}, 5});
    }
    // "Elimina" asks about the act highlighted; the question is refused.
    void EliminaChiedeDellEvidenziato()
    {
        QList<QTreeWidgetItem*> ev = f->VistaAlbero()->selectedItems();
        ASSERT_EQ(ev.size(), 1);
        const NodoAlbero* n = f->oAlbero().Find(ev.front()->data(0, Qt::UserRole).toString());
        ASSERT_NE(n, nullptr);
        ASSERT_FALSE(n->Tag().isEmpty());
        (*ui)->AttendiMsg(QStringLiteral("Confermi cancellazione ") + EventoAtto(int(Val(n->Tag().mid(3)))), vbCancel,
                          true);
        f->cmdLeggi_Click(1);
    }
    // Opens the register; the amendment gets a sub-act (a grandchild of
    // the article) when it has none, saved through the panel.
    void ApreConSottoatto()
    {
        Apre();
        NodoAlbero* e = f->oAlbero().Find(QStringLiteral("B1\\J3\\E2\\"));
        if (!e || !e->Children().empty()) return;
        Sceglie(e->Key());
        f->cmdLeggi_Click(4);
        f->cmbLegge(0)->setCurrentIndex(0);
        f->ImpostaTesto(2, QStringLiteral("1"));
        f->cmdLeggi_Click(5);
        ASSERT_EQ(e->Children().size(), 1u);
        sottoatto = e->Children().front()->Key();
    }
    QString sottoatto;
};

TEST_F(AlberoRegistro, TheHighlightedNodeIsTheOneTheButtonsUse)
{
    const QString legge = QStringLiteral("B1\\"), articolo = QStringLiteral("B1\\J3\\"),
                  emendamento = QStringLiteral("B1\\J3\\E2\\"), altra = QStringLiteral("B2\\");
    struct Caso {
        const char* nome;
        std::function<void()> agisce;
        QString evidenziato;  // the node highlighted after it
    };
    const Caso casi[] = {
        {"the state of an article with sub-acts saved", [&] {
             Sceglie(articolo);
             f->cmdLeggi_Click(0);
             SceglieStato(QStringLiteral("Votato"));
             f->cmdLeggi_Click(5);
         }, articolo},
        {"a new article saved under the law", [&] {
             Sceglie(legge);
             f->cmdLeggi_Click(4);
             SceglieTipo(QStringLiteral("Articolo"));
             f->ImpostaTesto(2, QStringLiteral("1"));
             f->cmdLeggi_Click(5);
         }, QStringLiteral("B1\\J1\\")},
        {"a law renamed so that it sorts after the other", [&] {
             Sceglie(altra);
             f->cmdLeggi_Click(0);
             f->ImpostaTesto(0, QStringLiteral("99/2026"));
             f->cmdLeggi_Click(5);
         }, altra},
        {"a leaf deleted: its parent", [&] {
             Sceglie(sottoatto);
             (*ui)->AttendiMsg(QStringLiteral("Confermi cancellazione "), vbOK, true);
             f->cmdLeggi_Click(1);
         }, emendamento},
        {"an act with sub-acts deleted: the tree reloaded, its parent", [&] {
             Sceglie(emendamento);
             (*ui)->AttendiMsg(QStringLiteral("e Atti subalterni ?"), vbOK, true);
             f->cmdLeggi_Click(1);
         }, articolo},
        {"a law without articles deleted: the root", [&] {
             Sceglie(altra);
             (*ui)->AttendiMsg(QStringLiteral("Confermi cancellazione "), vbOK, true);
             f->cmdLeggi_Click(1);
         }, QStringLiteral("*")},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        ApreConSottoatto();
        c.agisce();
        ASSERT_TRUE((*ui)->Restanti().empty());
        ASSERT_NE(f->oAlbero().SelectedItem(), nullptr);
        EXPECT_EQ(f->oAlbero().SelectedItem()->Key(), c.evidenziato);
        Coerente(f->oAlbero(), f->VistaAlbero());
        // The buttons take the highlighted node: "Aggiunge" opens a child of
        // it, "Elimina" asks about it.
        const NodoAlbero* n = f->oAlbero().Find(c.evidenziato);
        ASSERT_NE(n, nullptr);
        const int livello = n->Tag().isEmpty() ? 0 : int(Val(n->Tag().mid(1, 1)));
        if (livello < 4) {
            f->cmdLeggi_Click(4);
            EXPECT_EQ(f->iLivello, livello + 1);
        }
        if (livello > 0) EliminaChiedeDellEvidenziato();
        // Every deletion above reloaded or re-sorted: the database and the
        // tree still agree.
        EXPECT_TRUE((*ui)->Restanti().empty());
    }
}

class AlberoConsole : public BancoConsole {
protected:
    int Tipo() const override { return 4; }
    void SetUp() override
    {
        BancoConsole::SetUp();
        cConsiglio = QStringLiteral("Consiglio Regionale");
        cAttoCorrente = {};
        cTitoloTabellone = {};
    }
};

TEST_F(AlberoConsole, ARenamedOrNewActStaysTheHighlightedOne)
{
    archivio->AggiungeAtto({5, QStringLiteral("BNB?????"), ChiaveAlbero({QStringLiteral("B2")}),
                            QStringLiteral("01/2026"), QStringLiteral("2"), {}, {}, 5});
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    Albero& a = f->oAlbero();
    QTreeWidget* vista = f->oAlberoVista();
    const QString altra = QStringLiteral("B2\\");
    ASSERT_NE(a.Find(altra), nullptr);

    // A new sub-act under the amendment: selected, highlighted, shown.
    a.SetSelectedItem(a.Find(QStringLiteral("B1\\J3\\E2\\")));
    f->PreparaNuovoAtto();
    ASSERT_TRUE(f->boxCreaAtti()->isVisible());
    f->getIDAtto()->setText(QStringLiteral("1"));
    f->cmdAtto_Click(0);
    ASSERT_NE(a.SelectedItem(), nullptr);
    EXPECT_EQ(a.SelectedItem()->Parent(), a.Find(QStringLiteral("B1\\J3\\E2\\")));
    Coerente(a, vista);

    // A status written into a node's text re-sorts its siblings.
    a.SetSelectedItem(a.Find(altra));
    iCodiceAtto = 5;
    iDelibera = 5;
    f->AggiornaStatoPdL(2, QStringLiteral("Votato"));
    ASSERT_NE(a.SelectedItem(), nullptr);
    EXPECT_EQ(a.SelectedItem()->Key(), altra);
    Coerente(a, vista);

    // Reloaded: the same act stays selected.
    a.SetSelectedItem(a.Find(QStringLiteral("B1\\J3\\E2\\")));
    const QString scelto = a.SelectedItem()->Key();
    f->AttivaForm(kAttivaArgomenti);
    ASSERT_NE(a.SelectedItem(), nullptr);
    EXPECT_EQ(a.SelectedItem()->Key(), scelto);
    Coerente(a, vista);
    iCodiceAtto = 0;
    iDelibera = 0;
}

class AzzeraVoti : public RegistroProva {};

TEST_F(AzzeraVoti, CancelIsTheDefaultOfTheEmptying)
{
    frmVoti* w = frmVoti::Mostra();
    ASSERT_NE(w, nullptr);
    (*ui)->AttendiMsg(QStringLiteral("Azzera Votazioni"), vbCancel);
    w->cmdVoti(2)->click();
    ASSERT_FALSE((*ui)->Storia().empty());
    EXPECT_EQ((*ui)->Storia().back().stile & 0x300, vbDefaultButton2);
    Chiude(w);
}

}  // namespace
