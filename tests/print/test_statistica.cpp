// The participation statistics: counts and percentages of a fixture with
// known votes, the seats of an open sitting, no votes, the pages of a long
// registry, and the main menu's entry.
#include <QAction>
#include <QLocale>

#include "BancoStampa.h"
#include "reports/Statistica.h"
#include "shell/Anagrafe.h"
#include "shell/frmMain.h"

using namespace obx;
using namespace obx::test;

namespace {

struct Posato {
    int pagina, riga, colonna;
    QString testo;
};

class Statistica : public BancoStampa {
protected:
    void SetUp() override
    {
        BancoStampa::SetUp();
        ImpostaOsservatoreStampa([this](int pg, int r, int c, const QString& t) { posati.push_back({pg, r, c, t}); });
    }
    // The text placed at the row and column of the page, or "<nulla>".
    QString A(int pagina, int riga, int colonna) const
    {
        for (const Posato& p : posati)
            if (p.pagina == pagina && p.riga == riga && p.colonna == colonna) return p.testo;
        return QStringLiteral("<nulla>");
    }
    // The row of the page where the name is.
    int RigaDi(const QString& nome, int pagina = 1) const
    {
        for (const Posato& p : posati)
            if (p.pagina == pagina && p.colonna == 8 && p.testo == nome) return p.riga;
        return -1;
    }
    static QString Pc(const char* intero)
    {
        return QString::fromLatin1(intero).replace(u'.', QLocale().decimalPoint());
    }
    // Votes keyed by the person codes given.
    static void Voto(std::initializer_list<int> codici, const QString& nota = QString())
    {
        VotoProva v;
        for (int c : codici) v.tasti[c] = u'3';
        v.nota = nota;
        MemorizzaVoto(v);
    }

    std::vector<Posato> posati;
};

TEST_F(Statistica, CountsAndPercentagesOfStoredVotes)
{
    Archivio(1);
    archivio->Consiglieri();
    // A seated person whose code is 0 owns no place in the per-seat
    // strings: the fillers must not count as answers.
    archivio->AggiungePersona({0, QStringLiteral("Senza Codice"), QStringLiteral("SENZA"), QStringLiteral("C"),
                               QStringLiteral("Insieme"), 0, 0, 0, 0, 0});
    Voto({1, 2, 3});
    Voto({1, 2});
    Voto({1, 3}, QStringLiteral("Votazione Annullata"));  // counted like any other
    Voto({1, 2, 3});

    // The registry itself warns of the code when it loads.
    (*ui)->AttendiMsg(QStringLiteral("Codice persona fuori dai limiti"), vbOK, true);
    AttendeFile();
    StampaStatistica();
    EXPECT_EQ(A(1, 1, 10), cConsiglio);
    EXPECT_EQ(A(1, 3, 25), QStringLiteral(" - Statistica di Partecipazione al Voto -"));
    EXPECT_EQ(A(1, 5, 10), QStringLiteral("Numero totale Votazioni 4"));
    EXPECT_EQ(A(1, 7, 8), QStringLiteral("Consigliere"));
    EXPECT_EQ(A(1, 7, 49), QStringLiteral("N. Voti"));
    EXPECT_EQ(A(1, 7, 59), QStringLiteral(" % Voti"));
    EXPECT_EQ(A(1, 8, 8), QString(40, u'-'));
    EXPECT_EQ(A(1, 8, 49), QString(7, u'-'));
    EXPECT_EQ(A(1, 8, 59), QString(7, u'-'));

    struct Atteso {
        const char* nome;
        const char* conta;
        const char* pc;
    };
    const Atteso attesi[] = {
        {"Mario Rossi", "      4", "100.00%"}, {"Laura Bianchi", "      3", " 75.00%"},
        {"Anna Verdi", "      3", " 75.00%"},  {"Giorgio Esposito", "      0", "  0.00%"},
        {"Enzo Marino", "      0", "  0.00%"}, {"Senza Codice", "      0", "  0.00%"},
    };
    for (const Atteso& a : attesi) {
        SCOPED_TRACE(a.nome);
        const int r = RigaDi(QString::fromLatin1(a.nome));
        ASSERT_GE(r, 9);
        EXPECT_EQ(A(1, r, 49), QString::fromLatin1(a.conta));
        EXPECT_EQ(A(1, r, 59), Pc(a.pc));
    }
    // One row per seat, in the registry's order, from row 9.
    EXPECT_EQ(RigaDi(QStringLiteral("Senza Codice")), 9);
    EXPECT_EQ(RigaDi(QStringLiteral("Mario Rossi")), 10);
    EXPECT_EQ(RigaDi(QStringLiteral("Enzo Marino")), 17);
    // The counts stay on the seats.
    ASSERT_EQ(aPosti.size(), 10u);
    EXPECT_EQ(aPosti[2].iConteggio, 4);

    // On paper: the columns where the grid puts them.
    ConservaPdf(FileStampa(), QStringLiteral("Statistica_Votazioni.pdf"));
    const Pdf pdf(FileStampa());
    ASSERT_TRUE(pdf.Valido());
    ASSERT_EQ(pdf.Pagine(), 1);
    const Griglia g = Griglia::DellaStampante();
    for (const ParolaPdf& w : pdf.Parole()) EXPECT_TRUE(g.Dentro(w)) << w.testo.toStdString();
    const auto rossi = pdf.Trova(QStringLiteral("Mario Rossi 4 ") + Pc("100.00%"));
    ASSERT_EQ(rossi.size(), 1u) << pdf.Tutto().toStdString();
    EXPECT_EQ(g.Colonna(rossi[0]), 8);
    EXPECT_EQ(g.Riga(rossi[0]), 10);
    const auto conta = pdf.Trova(QStringLiteral("4 ") + Pc("100.00%"));
    ASSERT_EQ(conta.size(), 1u);
    EXPECT_EQ(g.Colonna(conta[0]), 55);
}

TEST_F(Statistica, AnOpenSittingKeepsItsSeats)
{
    Archivio(1);
    archivio->Consiglieri();
    Voto({1, 2});
    // The console's seats: not those of the registry.
    ASSERT_TRUE(GestisceAnagrafe(true));
    bConsoleAperta = true;
    aPosti[2].cNomeAN = PadTaglia(QStringLiteral("Sostituto in aula"), 30);
    aPosti[2].iStato = 9;
    aPosti[2].cVoto = QStringLiteral("6");
    const size_t seggi = aPosti.size();

    AttendeFile();
    StampaStatistica();
    EXPECT_EQ(RigaDi(QStringLiteral("Sostituto in aula")), 10);
    EXPECT_EQ(RigaDi(QStringLiteral("Laura Bianchi")), -1);
    ASSERT_EQ(aPosti.size(), seggi);
    EXPECT_EQ(aPosti[2].iStato, 9);
    EXPECT_EQ(aPosti[2].cVoto, QStringLiteral("6"));
}

TEST_F(Statistica, NoStoredVotesPrintNothing)
{
    Archivio(1);
    archivio->Consiglieri();
    (*ui)->AttendiMsg(QStringLiteral("Nessuna Votazione Disponibile"));
    StampaStatistica();
    EXPECT_TRUE(FileStampe().isEmpty());
    ASSERT_FALSE((*ui)->Storia().empty());
    EXPECT_EQ((*ui)->Storia().back().stile, vbOKOnly);
}

TEST_F(Statistica, ALongRegistryGoesOnUnderARepeatedHeaderAndNoPageHoldsOnlyTheHeader)
{
    Archivio(1);
    ASSERT_TRUE(ImpostaStampante(0));
    FineStampa();
    const int perPagina = iRighePagina - 8;  // rows 9 to iRighePagina
    ASSERT_GT(perPagina, 20);

    // Exactly one page of seats: one page.
    Registro(perPagina);
    Voto({1});
    AttendeFile();
    StampaStatistica();
    EXPECT_EQ(Pdf(FileStampa()).Pagine(), 1);
    EXPECT_EQ(RigaDi(Nome(perPagina)), iRighePagina);

    // One seat more: a second page with the header and that seat.
    archivio->AggiungePersona({perPagina + 1, QStringLiteral("Ultimo Seggio"), QStringLiteral("ULTIMO"),
                               QStringLiteral("C"), QStringLiteral("Lista"), 0, 0, 0, 0, 0});
    posati.clear();
    orologio.Avanza(1);
    AttendeFile();
    StampaStatistica();
    const Pdf pdf(FileStampa());
    ASSERT_EQ(pdf.Pagine(), 2) << pdf.Tutto().toStdString();
    EXPECT_EQ(A(2, 5, 10), QStringLiteral("Numero totale Votazioni 1"));
    EXPECT_EQ(A(2, 7, 8), QStringLiteral("Consigliere"));
    EXPECT_EQ(RigaDi(QStringLiteral("Ultimo Seggio"), 2), 9);
    EXPECT_FALSE(pdf.Trova(QStringLiteral("Ultimo Seggio"), 2).empty());
    const Griglia g = Griglia::DellaStampante();
    for (const ParolaPdf& w : pdf.Parole()) EXPECT_TRUE(g.Dentro(w)) << w.testo.toStdString();
}

TEST_F(Statistica, TheMainMenuAsksBeforePrinting)
{
    Archivio(1);
    archivio->Consiglieri();
    Voto({1});
    frmMain m;
    ASSERT_TRUE(m.mnuArchivi[7]->isEnabled());
    EXPECT_EQ(m.mnuArchivi[7]->text(), QStringLiteral("Statistica Votazioni"));

    (*ui)->AttendiMsg(QStringLiteral("Confermi stampa Statistiche di Voto ?"), vbCancel);
    m.mnuArchivi[7]->trigger();
    EXPECT_TRUE(posati.empty());
    ASSERT_FALSE((*ui)->Storia().empty());
    EXPECT_EQ((*ui)->Storia().back().stile, vbOKCancel + vbQuestion);

    (*ui)->AttendiMsg(QStringLiteral("Confermi stampa Statistiche di Voto ?"), vbOK);
    AttendeFile();
    m.mnuArchivi[7]->trigger();
    EXPECT_EQ(RigaDi(QStringLiteral("Mario Rossi")), 9);
    EXPECT_EQ(FileStampe().size(), 1);
}

}  // namespace
