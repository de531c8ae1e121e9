// What the printed reports show is what happened: those present at the
// closing of a sitting, and the totals of a vote's minutes that go on to
// the next page line by line.
#include <QPrinter>
#include <QTemporaryDir>
#include <set>

#include "event-reports/BancoEventi.h"
#include "platform/GrigliaDati.h"
#include "reports/VerbaleVoto.h"
#include "vote/Seggi.h"

using namespace obx;
using namespace obx::test;

namespace {

class PresentiAllaChiusura : public BancoEventi {};

// The report of those present on an event of the log: only entries and
// exits change who is there; the closing of the sitting does not.
TEST_F(PresentiAllaChiusura, TheClosingEventListsThoseStillThere)
{
    const QDate d = kPrimaSeduta;
    const std::vector<EventoLog> log = {
        {d, {9, 0}, "A", "Apertura Seduta", "", 0},       {d, {9, 1}, "E", "Entra", "Anna Verdi", 1},
        {d, {9, 2}, "E", "Entra", "Franca Romano", 2},    {d, {9, 3}, "E", "Entra", "Sergio Colombo", 3},
        {d, {9, 4}, "U", "Esce", "Sergio Colombo", 2},    {d, {9, 5}, "S", "Sospens. Consiglio", "", 2},
        {d, {9, 6}, "R", "Ripresa Consiglio", "", 2},     {d, {9, 10}, "C", "Chiusura Seduta", "", 2},
    };
    for (const EventoLog& e : log) ScriveEvento(e);
    struct Caso {
        int riga;
        std::set<QString> presenti;
    };
    const Caso casi[] = {
        {7, {"Anna Verdi", "Franca Romano"}},  // the closing itself
        {5, {"Anna Verdi", "Franca Romano"}},  // a suspension changes nobody
        {0, {}},                               // the opening: nobody yet
    };
    const QString tutti[] = {"Mario Rossi",    "Laura Bianchi", "Anna Verdi",  "Giorgio Esposito",
                             "Franca Romano", "Sergio Colombo", "Paola Ricci", "Enzo Marino"};
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.riga);
        frmEvent* f = Finestra();
        f->broEventi->SelezionaRiga(c.riga, false);
        const Pdf pdf = Stampa(f, QStringLiteral("Stampa Elenco Presenti al momento"));
        ASSERT_TRUE(pdf.Valido());
        const Griglia g = Griglia::DellaStampante();
        for (const QString& nome : tutti) {
            const auto w = pdf.Trova(nome);
            ASSERT_FALSE(w.empty()) << nome.toStdString();
            EXPECT_EQ(g.Colonna(w[0]), c.presenti.count(nome) ? 6 : 37) << nome.toStdString();
        }
        delete f;
    }
}

// The minutes of a vote whose totals reach past the page's last row.
class TotaliDelVerbale : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureQApp();
        ASSERT_TRUE(m_dir.isValid());
        Stampante().setOutputFormat(QPrinter::PdfFormat);
        Stampante().setOutputFileName(m_dir.path() + QStringLiteral("/verbale.pdf"));
        ImpostaOsservatoreStampa([this](int pg, int r, int c, const QString& t) { m_stampati.push_back({pg, r, c, t}); });
        ImpostaConfigurazionePredefinita();
        AzzeraStatoSeduta();
        bConsoleAperta = true;
    }
    void TearDown() override
    {
        ImpostaOsservatoreStampa(nullptr);
        FineStampa();
        bConsoleAperta = false;
    }
    // An open vote of n seats all voting yes, as the console leaves it.
    void Voto(int n)
    {
        Assemblea(1);
        Seggi(n);
        for (int i = 1; i <= n; ++i) {
            aPosti[size_t(i)].cNomeAN = PadTaglia(QStringLiteral("Consigliere %1").arg(i, 2, 10, QChar(u'0')), 30);
            aPosti[size_t(i)].cTipoAN = i == 1 ? QStringLiteral("P") : QStringLiteral("C");
            aPosti[size_t(i)].cVoto = QStringLiteral("3");
        }
        aOspiti.assign(1, Ospite{});
        cTipoVoto = QStringLiteral("P");
        iDelibera = 1;
        cArgomento = {};
        cArgomento[5] = QStringLiteral("Bilancio");
        iQuorum[3] = 3;
        dInizioVoto = QDateTime(QDate(2026, 5, 5), QTime(9, 7));
        iFavorevoli = iPresenti = n;
        iContrari = iAstenuti = 0;
    }
    // Page and row of the line that starts with testo; {0, 0} when none.
    std::pair<int, int> Dove(const QString& testo) const
    {
        for (const auto& s : m_stampati)
            if (s.testo.startsWith(testo)) return {s.pagina, s.riga};
        return {0, 0};
    }
    struct Stampato {
        int pagina, riga, colonna;
        QString testo;
    };
    std::vector<Stampato> m_stampati;
    QTemporaryDir m_dir;
};

TEST_F(TotaliDelVerbale, ThePageBreaksAfterTheLineThatPassesTheLastRow)
{
    ScriptedUI ui;
    ASSERT_TRUE(ImpostaStampante(0));
    FineStampa();
    const int ultima = iRighePagina;
    ASSERT_GT(ultima, 40);
    // Where the totals start under a few names: the row of "Presenti" less
    // the count of names.
    Voto(10);
    StampaVerbaleVoto(false, QString());
    FineStampa();
    const int r0 = Dove(QStringLiteral("  Presenti: ")).second - 10;
    ASSERT_GT(r0, 10);
    // The names end so that "Presenti" falls k rows above the last one.
    struct Caso {
        int nomi;
        int paginaPresenti, paginaFavorevoli, paginaAstenuti;
    };
    const Caso casi[] = {
        {ultima - r0 - 1, 1, 1, 2},  // two lines fit, the rest goes on
        {ultima - r0, 1, 2, 2},      // one line fits
        {ultima - r0 - 3, 1, 1, 1},  // everything fits
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nomi);
        m_stampati.clear();
        Voto(c.nomi);
        StampaVerbaleVoto(false, QString());
        const auto presenti = Dove(QStringLiteral("  Presenti: "));
        const auto favorevoli = Dove(QStringLiteral("Favorevoli: "));
        const auto astenuti = Dove(QStringLiteral("  Astenuti: "));
        EXPECT_EQ(presenti.first, c.paginaPresenti);
        EXPECT_EQ(favorevoli.first, c.paginaFavorevoli);
        EXPECT_EQ(astenuti.first, c.paginaAstenuti);
        for (const auto& s : m_stampati)
            if (s.pagina == 1 && !s.testo.startsWith(QStringLiteral("segue pag."))) EXPECT_LE(s.riga, ultima) << s.testo.toStdString();
        const auto segue = Dove(QStringLiteral("segue pag. 2"));
        if (c.paginaAstenuti == 2) {
            EXPECT_EQ(segue.first, 1);
        } else {
            EXPECT_EQ(segue.first, 0);
        }
    }
}

}  // namespace
