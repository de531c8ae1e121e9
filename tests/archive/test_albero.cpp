// The acts tree: grammar, keys, proposed identifiers, loading into the tree view.
#include <QTreeWidget>

#include "Ambiente.h"
#include "platform/Albero.h"
#include "platform/Database.h"
#include "shell/AlberoAtti.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"
#include "shell/Manutenzione.h"
#include "support/ScriptedUI.h"

using namespace obx;

namespace {

class AlberoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ImpostaConfigurazionePredefinita();
        AzzeraStatoSeduta();
        test::Vocabolari(4);
        ASSERT_TRUE(test::NuovoArchivio(dir.Percorso("leggi.db")));
    }
    void TearDown() override { dbArchivio.Close(); }

    // Adds an act under the act keyed `padre` (empty at level 1) and
    // returns its tree key.
    QString Atto(const QString& padre, const QString& tipo, const QString& id, QChar stato = u'N',
                 const QString& numero = QString())
    {
        const int livello = padre.isEmpty() ? 1 : LivelloChiave(padre) + 1;
        const QString chiave = ChiaveFiglio(padre, livello, tipo, id);
        QString percorso;
        for (int k = 0; k < livello; ++k) percorso += chiave.at(k * kSegmentoChiave);
        QString parametri = tipo + stato + percorso;
        parametri = parametri.leftJustified(12, u'?');
        Recordset rs = dbArchivio.OpenTable("LEGGI", "TAG_A");
        rs.AddNew();
        rs.SetField("iCodLeggeLG", ++codice);
        rs.SetField("cTreeKeyLG", chiave);
        rs.SetField("cParametriLG", parametri);
        rs.SetField("cNumeroAttoLG", numero.isEmpty() ? id : numero);
        for (int k = 1; k <= livello; ++k)
            rs.SetField(CampoIDLivello(k), chiave.mid((k - 1) * kSegmentoChiave + 1, 10));
        rs.Update();
        return chiave;
    }

    test::Cartella dir;
    int codice = 0;
};

}  // namespace

TEST(Grammatica, TipiAmmessi)
{
    struct Caso {
        int livello;
        const char* padre;
        const char* figlio;
        const char* atteso;
    };
    const Caso casi[] = {
        {1, "", "", "KIGHMVQPBUFXNWYRST"},
        {1, "Z", "", "KIGHMVQPBUFXNWYRST"},
        {1, "", "B", "."},
        {1, "", "J", ""},
        {2, "B", "", "AJDOZ"},
        {2, "B", "D", "b."},
        {2, "B", "J", "b."},
        {2, "B", "A", "a."},
        {2, "U", "Z", "d."},
        {2, "B", "E", ""},
        {2, "P", "O", "b."},
        {2, "M", "X", "b."},
        {2, "I", "", "M"},
        {2, "I", "M", "."},
        {2, "K", "", ""},
        {3, "J", "", "E"},
        {3, "M", "E", "a."},
        {3, "D", "L", "."},
        {5, "C", "", "9"},
        {6, "C", "9", "."},
        {6, "9", "", ""},
        {7, "C", "", ""},
        {7, "L", "C", ""},
        {0, "", "", ""},
        {2, "b", "", ""},
        {2, "B", "JD", ""},
    };
    for (const Caso& c : casi)
        EXPECT_EQ(TipiAmmessi(c.livello, c.padre, c.figlio), c.atteso)
            << c.livello << " " << c.padre << " " << c.figlio;
}

TEST(Grammatica, ChiaviELivelli)
{
    const QString legge = ChiaveFiglio("", 1, "B", "1");
    EXPECT_EQ(legge.size(), 66);
    EXPECT_EQ(legge.left(11), "B1         ");
    const QString art = ChiaveFiglio(legge, 2, "J", "10");
    EXPECT_EQ(art.left(22), "B1         J10        ");
    EXPECT_NE(art.mid(11, 11), ChiaveFiglio(legge, 2, "J", "1").mid(11, 11));
    EXPECT_EQ(LivelloChiave(art), 2);
    EXPECT_EQ(LivelloChiave(QString(66, u' ')), 0);
    EXPECT_EQ(CampoIDLivello(1), "cIDLeggeLG");
    EXPECT_EQ(CampoIDLivello(6), "cIDSubSubSubLG");
    EXPECT_EQ(CampoIDLivello(7), "");
}

TEST_F(AlberoTest, IdentificativoProposto)
{
    EXPECT_EQ(CalcolaIDLegge("", "B", 1), "1");
    const QString b = Atto("", "B", "1");
    Atto("", "B", "2");
    Atto("", "B", "7");
    Atto("", "M", "40");  // another type
    EXPECT_EQ(CalcolaIDLegge("", "B", 1), "8");
    EXPECT_EQ(CalcolaIDLegge("", "M", 1), "41");
    EXPECT_EQ(CalcolaIDLegge(b, "J", 2), "1");
    const QString j1 = Atto(b, "J", "1");
    const QString j3 = Atto(b, "J", "3");
    Atto(b, "J", "bis");  // not a number: counts as 0
    Atto(j1, "E", "12");  // a grandchild
    Atto(j3, "E", "5");
    EXPECT_EQ(CalcolaIDLegge(b, "J", 2), "4");
    EXPECT_EQ(CalcolaIDLegge(j1, "E", 3), "13");
    // An added article follows the amendments of every article of the law.
    EXPECT_EQ(CalcolaIDLegge(b, "D", 2), "13");
    Atto(b, "D", "2");
    EXPECT_EQ(CalcolaIDLegge(b, "D", 2), "13");
    // Another law's articles never count.
    const QString b2 = ChiaveFiglio("", 1, "B", "2");
    EXPECT_EQ(CalcolaIDLegge(b2, "J", 2), "1");
    EXPECT_EQ(CalcolaIDLegge(b2, "D", 2), "1");
}

TEST_F(AlberoTest, IdentificativiConApiciEAsteriscoValgonoSoloPerSé)
{
    const QString stella = Atto("", "B", "1*");
    const QString altra = Atto("", "B", "12");
    const QString apice = Atto("", "B", "O'1");
    Atto(altra, "J", "9");
    Atto(apice, "J", "4");
    EXPECT_EQ(CalcolaIDLegge(stella, "J", 2), "1");
    EXPECT_EQ(CalcolaIDLegge(apice, "J", 2), "5");
    EXPECT_EQ(CalcolaIDLegge(altra, "J", 2), "10");
    Albero albero;
    CaricaAlbero(albero, 1, "", "", "", 0);
    ASSERT_NE(albero.Find("BO'1\\J4\\"), nullptr);
    ASSERT_NE(albero.Find("B12\\J9\\"), nullptr);
    EXPECT_TRUE(albero.Find("B1*\\")->Children().empty());
}

TEST_F(AlberoTest, CaricamentoConFratelloDuplicato)
{
    const QString b = Atto("", "B", "1", u'N', "PdL 15");
    Atto("", "M", "3", u'V');
    const QString j1 = Atto(b, "J", "1");
    Atto(b, "J", "10");
    Atto(b, "J", "2", u'V');
    Atto(b, "J", "2");  // same key as its sibling
    Atto(b, "D", "1");
    Atto(b, "A", "1");
    Atto(b, "O", "1", u'Q');  // a status letter outside the list
    const QString e = Atto(j1, "E", "1");
    const QString l = Atto(e, "L", "1");
    const QString c = Atto(l, "C", "1");  // level 5
    Atto(c, "9", "1");                    // level 6

    test::ScriptedUI ui;
    ui->AttendiMsg("Chiave Duplicata", vbOK, true);
    Albero albero;
    QTreeWidget vista;
    albero.Attach(&vista);
    CaricaAlbero(albero, 1, "", "", "", 1);
    ASSERT_EQ(ui->Storia().size(), 1u);
    EXPECT_TRUE(ui->Storia()[0].testo.contains("Atto 6"));
    EXPECT_EQ(albero.Count(), 12);
    EXPECT_EQ(vista.topLevelItemCount(), 2);

    // Top level grouped by type in the grammar's order: M before B.
    ASSERT_EQ(albero.Roots().size(), 2u);
    EXPECT_EQ(albero.Roots()[0]->Key(), "M3\\");
    EXPECT_EQ(albero.Roots()[0]->Text(), "Moz 3 (Votato)");
    const NodoAlbero* legge = albero.Roots()[1];
    EXPECT_EQ(legge->Text(), "PdL PdL 15 (Non Votato)");
    EXPECT_EQ(legge->Tag(), "B1N1");
    EXPECT_TRUE(legge->Expanded());
    QStringList figli;
    for (const NodoAlbero* n : legge->Children()) figli << n->Text();
    EXPECT_EQ(figli, QStringList({"a.OdGNP 1 (Non Votato)", "b.Art 1 (Non Votato)", "b.Art 10 (Non Votato)",
                                  "b.Art 2 (Votato)", "b.ArtAg 1 (Non Votato)", "c.OdG 1"}));
    const NodoAlbero* art1 = albero.Find("B1\\J1\\");
    ASSERT_NE(art1, nullptr);
    EXPECT_EQ(art1->Tag(), "J2N3");
    const NodoAlbero* em = albero.Find("B1\\J1\\E1\\");
    ASSERT_NE(em, nullptr);
    EXPECT_EQ(em->Text(), "Eme 1 (Non Votato)");  // one type only: no group
    const NodoAlbero* foglia = albero.Find("B1\\J1\\E1\\L1\\C1\\");
    ASSERT_NE(foglia, nullptr);
    ASSERT_EQ(foglia->Children().size(), 1u);
    EXPECT_EQ(foglia->Children()[0]->Text(), "SSSub 1 (Non Votato)");
    EXPECT_EQ(foglia->Children()[0]->Level(), 6);
    EXPECT_TRUE(foglia->Children()[0]->Children().empty());
    // The widget follows the tree.
    ASSERT_EQ(vista.topLevelItem(1)->childCount(), 6);
    EXPECT_EQ(vista.topLevelItem(1)->child(3)->text(0), "b.Art 2 (Votato)");
}

TEST_F(AlberoTest, SenzaStatiERicaricaNonTogliendoNulla)
{
    const QString b = Atto("", "B", "1");
    Atto(b, "J", "1", u'V');
    Albero albero;
    CaricaAlbero(albero, 1, "", "", "", 0);
    EXPECT_EQ(albero.Find("B1\\J1\\")->Text(), "b.Art 1");
    // Loading again onto the same control finds every key taken.
    test::ScriptedUI ui;
    ui->AttendiMsg("Chiave Duplicata", vbOK, true);
    CaricaAlbero(albero, 1, "", "", "", 0);
    EXPECT_EQ(albero.Count(), 2);
}

TEST(AlberoVista, ChiaveDuplicataRifiutata)
{
    test::App();
    Albero a;
    a.Add("", "R", "radice");
    NodoAlbero* b = a.Add("R", "R\\b", "b");
    a.Find("R")->SetSorted(true);
    a.Add("R", "R\\a", "a");
    try {
        a.Add("R", "R\\b", "altro");
        FAIL() << "chiave doppia accettata";
    } catch (const Errore& e) {
        EXPECT_EQ(e.Numero(), erralbero::kChiaveNonUnivoca);
    }
    try {
        a.Add("X", "Y", "orfano");
        FAIL() << "padre inesistente accettato";
    } catch (const Errore& e) {
        EXPECT_EQ(e.Numero(), erralbero::kElementoNonTrovato);
    }
    EXPECT_EQ(a.Count(), 3);
    EXPECT_EQ(b->Text(), "b");
    EXPECT_EQ(a.Find("R")->Children().front()->Key(), "R\\a");
    EXPECT_EQ(a.Index(b), 2);
    // Attached late, then the widget goes first.
    auto* w = new QTreeWidget;
    a.Attach(w);
    EXPECT_EQ(w->topLevelItem(0)->childCount(), 2);
    a.Remove("R\\a");
    EXPECT_EQ(w->topLevelItem(0)->childCount(), 1);
    delete w;
    b->SetText("bb");  // no widget any more: nothing breaks
    a.Clear();
    EXPECT_EQ(a.Count(), 0);
}
