// The layout model without a window: which seats stand on a panel, the
// grid, placing and removing, and what a save writes.
#include <gtest/gtest.h>

#include <QSqlQuery>

#include "Banco.h"
#include "board/Disposizione.h"
#include "platform/Database.h"
#include "shell/Anagrafe.h"
#include "shell/Globali.h"

using namespace obx;
using namespace obx::test;

namespace {

using Pannello = Disposizione::Pannello;

Posto Seggio(const char* breve, int etichetta, double top = 0, double left = 0, double topTv = 0, double sinTv = 0)
{
    Posto p;
    p.cNomeBreveAN = QString::fromLatin1(breve).leftJustified(16, u' ');
    p.iPulsanteAN = etichetta;
    p.nTopAN = float(top);
    p.nLeftAN = float(left);
    p.nTopTvAN = float(topTv);
    p.nSinTvAN = float(sinTv);
    return p;
}

std::vector<Posto> Seggi(std::initializer_list<Posto> l)
{
    std::vector<Posto> v(1);
    v.insert(v.end(), l);
    return v;
}

}  // namespace

TEST(Griglia, AllineaVersoLAngoloInAltoASinistra)
{
    struct Caso {
        double v;
        int passo;
        double atteso;
    };
    const Caso casi[] = {
        {1234, 100, 1200}, {567, 100, 500}, {-30, 100, -100}, {200, 100, 200},
        {-100, 100, -100}, {1234, 0, 1234}, {1234, -5, 1234}, {359, 360, 0},
    };
    for (const Caso& c : casi) EXPECT_EQ(Disposizione::Allinea(c.v, c.passo), c.atteso) << c.v << " passo " << c.passo;
}

TEST(Modello, ConsoleUnNumeroDiEtichettaFuoriDalPannelloLasciaIlPostoDaPiazzare)
{
    Disposizione d(Pannello::Console);
    d.Imposta(
        Seggi({Seggio("A", 1), Seggio("B", 0), Seggio("C", 73), Seggio("D", -2), Seggio("E", 1), Seggio("F", 72)}));
    EXPECT_EQ(d.EtichettaDel(1), 1);
    EXPECT_EQ(d.EtichettaDel(6), 72);
    EXPECT_EQ(d.PostoDellEtichetta(1), 1);
    // Label 1 belongs to the first seat that holds it: the second is listed.
    EXPECT_EQ(d.Liberi(), (std::vector<int>{2, 3, 4, 5}));
    // Saved as the editor shows them: without a label.
    EXPECT_EQ(d.Modificati(), (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(d.Posti()[5].iPulsanteAN, 0);
}

TEST(Modello, TabelloneUnaPosizioneZeroOMenoSuEntrambiGliAssiNonEUnPosto)
{
    Disposizione d(Pannello::Tabellone);
    d.Imposta(Seggi({Seggio("A", 1, 0, 0, 0, 300),        // shown: one axis above 0
                     Seggio("B", 2, 0, 0, 0, 0),          // listed
                     Seggio("C", 3, 0, 0, -10, -5),       // listed: the board hides it too
                     Seggio("D", 4, 0, 0, 300, -1),       // shown
                     Seggio("E", 0, 0, 0, 100, 100),      // no console label: not on the board
                     Seggio("F", 80, 0, 0, 100, 100)}));  // a label the board has not
    EXPECT_EQ(d.EtichettaDel(1), 1);
    EXPECT_EQ(d.EtichettaDel(4), 4);
    EXPECT_EQ(d.Liberi(), (std::vector<int>{2, 3, 5, 6}));
    // The board model never changes label numbers.
    EXPECT_TRUE(d.Modificati().empty());
}

TEST(Modello, ConsoleDaLElencoPrendeLaPrimaEtichettaLibera)
{
    std::vector<Posto> v(1);
    for (int k = 1; k <= 72; ++k) v.push_back(Seggio("X", k == 3 ? 0 : k, 100, 100));
    v.push_back(Seggio("ULTIMO", 0, 500, 600));
    Disposizione d(Pannello::Console);
    d.Imposta(v);
    EXPECT_EQ(d.Liberi(), (std::vector<int>{3, 73}));
    EXPECT_EQ(d.Assegna(73), 3);
    EXPECT_EQ(d.Posti()[73].iPulsanteAN, 3);
    // Placed from the list, the seat keeps its position until it is dropped.
    EXPECT_EQ(d.Left(73), 600);
    EXPECT_EQ(d.Top(73), 500);
    // All 72 labels in use: nothing changes.
    EXPECT_EQ(d.Assegna(3), 0);
    EXPECT_EQ(d.Posti()[3].iPulsanteAN, 0);
    EXPECT_EQ(d.Liberi(), (std::vector<int>{3}));
}

TEST(Modello, TabelloneDaLElencoSoloConLEtichettaDellaConsole)
{
    Disposizione d(Pannello::Tabellone);
    d.Imposta(Seggi({Seggio("A", 5), Seggio("B", 0), Seggio("C", 5)}));
    EXPECT_EQ(d.Assegna(2), 0);
    EXPECT_FALSE(d.EtichettaConsole(2));
    // Label 5 is the first seat's: the third has none of its own.
    EXPECT_FALSE(d.EtichettaConsole(3));
    EXPECT_EQ(d.Assegna(3), 0);
    EXPECT_EQ(d.Assegna(1), 5);
    EXPECT_EQ(d.PostoDellEtichetta(5), 1);

    double left = 1234, top = 567;
    EXPECT_TRUE(d.Posiziona(1, left, top, 100));
    EXPECT_EQ(left, 1200);
    EXPECT_EQ(top, 500);
    EXPECT_EQ(d.Posti()[1].nSinTvAN, 1200.0f);
    EXPECT_EQ(d.Posti()[1].nTopTvAN, 500.0f);
    // The console's fields are never the board's to change.
    EXPECT_EQ(d.Posti()[1].iPulsanteAN, 5);

    // Dropped where the board shows nothing: unplaced again.
    left = -30;
    top = 40;
    EXPECT_FALSE(d.Posiziona(1, left, top, 100));
    EXPECT_EQ(left, -100);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(d.EtichettaDel(1), 0);
    EXPECT_EQ(d.PostoDellEtichetta(5), 0);
}

TEST(Modello, RimozioneDelPostoDellEtichettaNonDelPrimoConLoStessoNome)
{
    Disposizione console(Pannello::Console);
    console.Imposta(Seggi({Seggio("ROSSI", 1, 10, 20), Seggio("ROSSI", 2, 30, 40)}));
    EXPECT_TRUE(console.Rimuove(2));
    EXPECT_EQ(console.Posti()[1].iPulsanteAN, 1);
    EXPECT_EQ(console.Posti()[2].iPulsanteAN, 0);
    // The console keeps the position of a seat that lost its label.
    EXPECT_EQ(console.Posti()[2].nTopAN, 30.0f);
    EXPECT_FALSE(console.Rimuove(2));

    Disposizione tabellone(Pannello::Tabellone);
    tabellone.Imposta(Seggi({Seggio("ROSSI", 1, 0, 0, 10, 20), Seggio("ROSSI", 2, 0, 0, 30, 40)}));
    EXPECT_TRUE(tabellone.Rimuove(2));
    EXPECT_EQ(tabellone.Posti()[1].nTopTvAN, 10.0f);
    EXPECT_EQ(tabellone.Posti()[2].nTopTvAN, 0.0f);
    EXPECT_EQ(tabellone.Posti()[2].nSinTvAN, 0.0f);
    EXPECT_EQ(tabellone.Posti()[2].iPulsanteAN, 2);
}

TEST(Modello, AzzeramentoDiOgniPannello)
{
    const auto seggi = Seggi({Seggio("A", 1, 10, 20, 30, 40), Seggio("B", 2, 50, 60, 70, 80)});
    Disposizione console(Pannello::Console);
    console.Imposta(seggi);
    console.Azzera();
    EXPECT_EQ(console.Liberi(), (std::vector<int>{1, 2}));
    for (int i : {1, 2}) {
        const Posto& p = console.Posti()[size_t(i)];
        EXPECT_EQ(p.iPulsanteAN, 0);
        EXPECT_EQ(p.nTopAN, 0.0f);
        EXPECT_EQ(p.nLeftAN, 0.0f);
        EXPECT_EQ(p.nTopTvAN, seggi[size_t(i)].nTopTvAN);
    }
    Disposizione tabellone(Pannello::Tabellone);
    tabellone.Imposta(seggi);
    tabellone.Azzera();
    EXPECT_EQ(tabellone.Liberi(), (std::vector<int>{1, 2}));
    // The label numbers stay: everyone can be placed again at once.
    EXPECT_EQ(tabellone.Assegna(1), 1);
    EXPECT_EQ(tabellone.Assegna(2), 2);
    EXPECT_EQ(tabellone.Posti()[2].nLeftAN, 60.0f);
}

// ---------------------------------------------------------------------------
// With the archive.

class ModelloArchivio : public BancoDisposizione {};

TEST_F(ModelloArchivio, LaCopiaDelModelloLasciaStareIPostiDellaSeduta)
{
    ASSERT_TRUE(GestisceAnagrafe(true));
    aPosti[3].iStato |= 1;
    aPosti[3].cVoto = QStringLiteral("3");
    aPosti[4].iInterventi = 2;
    const std::vector<Posto> prima = aPosti;
    Disposizione d(Pannello::Console);
    ASSERT_TRUE(d.Carica());
    EXPECT_EQ(d.Ultimo(), 8);
    double l = 1500, t = 1500;
    d.Posiziona(3, l, t, 0);
    ASSERT_TRUE(d.Salva());
    ASSERT_EQ(aPosti.size(), prima.size());
    for (size_t i = 1; i < aPosti.size(); ++i) {
        EXPECT_EQ(aPosti[i].iStato, prima[i].iStato) << i;
        EXPECT_EQ(aPosti[i].cVoto, prima[i].cVoto) << i;
        EXPECT_EQ(aPosti[i].iInterventi, prima[i].iInterventi) << i;
        EXPECT_EQ(aPosti[i].nLeftAN, prima[i].nLeftAN) << i;
    }
}

TEST_F(ModelloArchivio, OgniEditorScriveSoloICampiSuoiEDeiPostiCheHaCambiato)
{
    Disposizione console(Pannello::Console);
    Disposizione tabellone(Pannello::Tabellone);
    ASSERT_TRUE(console.Carica());
    ScriveRiga(3, {3, 600, 120, 900, 1000});
    ASSERT_TRUE(tabellone.Carica());

    // Both copies are now stale for what the other writes; meanwhile a
    // substitution rewrites seat 6 in the archive.
    double l = 2400, t = 1200;
    ASSERT_TRUE(console.Posiziona(4, l, t, 0));
    ASSERT_TRUE(console.Rimuove(5));
    l = 3000;
    t = 3300;
    ASSERT_TRUE(tabellone.Posiziona(3, l, t, 0));
    ScriveRiga(6, {9, 111, 222, 333, 444});

    ASSERT_TRUE(console.Salva());
    ASSERT_TRUE(tabellone.Salva());

    const RigaPosto r3 = LeggeRiga(3), r4 = LeggeRiga(4), r5 = LeggeRiga(5), r6 = LeggeRiga(6);
    EXPECT_EQ(r3.etichetta, 3);
    EXPECT_EQ(r3.top, 600);
    EXPECT_EQ(r3.topTv, 3300);
    EXPECT_EQ(r3.sinTv, 3000);
    EXPECT_EQ(r4.left, 2400);
    EXPECT_EQ(r4.top, 1200);
    EXPECT_EQ(r4.topTv, 0);
    EXPECT_EQ(r5.etichetta, 0);
    EXPECT_EQ(r5.top, 960);  // a seat without its label keeps its place
    // Untouched by either editor: the substitution's row stands.
    EXPECT_EQ(r6.etichetta, 9);
    EXPECT_EQ(r6.top, 111);
    EXPECT_EQ(r6.left, 222);
    EXPECT_EQ(r6.topTv, 333);
    EXPECT_EQ(r6.sinTv, 444);

    // Saved: nothing is left to write.
    EXPECT_FALSE(console.Modificata());
    EXPECT_FALSE(tabellone.Modificata());
}

TEST_F(ModelloArchivio, UnRegistroVuotoLoDiceELasciaIlModelloSenzaPosti)
{
    Disposizione d(Pannello::Console);
    ASSERT_TRUE(d.Carica());
    dbArchivio.Execute(QStringLiteral("DELETE FROM ANAGRAFE"));
    (*ui)->AttendiMsg(QStringLiteral("Archivio Anagrafico Vuoto"));
    EXPECT_FALSE(d.Carica());
    EXPECT_EQ(d.Ultimo(), 0);
    EXPECT_TRUE(d.Liberi().empty());
}

TEST_F(ModelloArchivio, UnSalvataggioRifiutatoNonScriveNulla)
{
    Disposizione d(Pannello::Console);
    ASSERT_TRUE(d.Carica());
    double l = 2400, t = 1200;
    d.Posiziona(4, l, t, 0);
    d.Posiziona(5, l, t, 0);
    // The archive refuses the second row: the first must not stay written.
    QSqlQuery q(dbArchivio.Connessione());
    ASSERT_TRUE(q.exec(QStringLiteral("CREATE TRIGGER rifiuta BEFORE UPDATE ON ANAGRAFE WHEN NEW.bCodiceAN = 5 "
                                      "BEGIN SELECT RAISE(ABORT, 'rifiutato'); END")));
    (*ui)->AttendiMsg(QString(), vbOK, true);
    EXPECT_FALSE(d.Salva());
    EXPECT_EQ(LeggeRiga(4).left, 1440);
    EXPECT_TRUE(d.Modificata());
}
