// The printed minutes of a vote: what is placed where, for the vote just
// closed at the console and for the votes stored in the archive (written by
// the console's own vote-row writer).
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <array>
#include <functional>
#include <memory>
#include <sstream>

#include "Seggi.h"
#include "console/Registri.h"
#include "platform/Database.h"
#include "platform/Testo.h"
#include "reports/Stampa.h"
#include "reports/VerbaleVoto.h"
#include "shell/Anagrafe.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"
#include "support/ArchivioProva.h"
#include "support/QtApp.h"
#include "support/ScriptedUI.h"

using namespace obx;
using namespace obx::test;

namespace {

struct Stampato {
    int pagina, riga, colonna;
    QString testo;  // as placed, trailing blanks included
};

std::ostream& operator<<(std::ostream& os, const Stampato& s)
{
    return os << "p" << s.pagina << " (" << s.riga << "," << s.colonna << ") \"" << s.testo.toStdString() << "\"";
}

// What one expects on the printout: the text (trailing blanks ignored unless
// esatto) at the column, and at the row when riga is not 0.
struct Atteso {
    int riga, colonna;
    QString testo;
    bool esatto = false;
};

const QDateTime kInizio(QDate(2026, 5, 5), QTime(9, 7));  // a Tuesday

class Verbale : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureQApp();
        ASSERT_TRUE(m_dir.isValid());
        m_pdf = m_dir.path() + QStringLiteral("/verbale.pdf");
        Stampante().setOutputFormat(QPrinter::PdfFormat);
        Stampante().setOutputFileName(m_pdf);
        ImpostaOsservatoreStampa([this](int pg, int r, int c, const QString& t) { stampati.push_back({pg, r, c, t}); });
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

    // The console's state after a vote: the chair, the mayor and councillors
    // "Consigliere 03".. in seats 1..n, the secretaries as guests outside the
    // regional assembly (present seats in it), the keys of seats 1, 2...
    // and their counts.
    void Sala(int assemblea, const QString& tipo, const QString& tasti, int n = 8)
    {
        Assemblea(assemblea);
        Seggi(n);
        for (int i = 1; i <= n; ++i) {
            Posto& p = aPosti[size_t(i)];
            p.cNomeAN = i == 1   ? QStringLiteral("Mario Rossi")
                        : i == 2 ? QStringLiteral("Laura Bianchi")
                                 : QStringLiteral("Consigliere %1").arg(i, 2, 10, QChar(u'0'));
            p.cNomeAN = PadTaglia(p.cNomeAN, 30);
            p.cTipoAN = i == 1 ? QStringLiteral("P") : i == 2 ? QStringLiteral("S") : QStringLiteral("C");
        }
        aOspiti.assign(1, Ospite{});
        if (assemblea != 4) {
            aOspiti.push_back({QStringLiteral("Giulia Neri"), QStringLiteral("NERI G."), QStringLiteral("G"), 9});
            aOspiti.push_back(
                {QStringLiteral("Vittorio Gialli"), QStringLiteral("GIALLI V."), QStringLiteral("V"), 10});
        }
        cTipoVoto = tipo;
        iDelibera = 1;
        cArgomento = {};
        cArgomento[5] = QStringLiteral("Bilancio di previsione");
        cArgomento[6] = QStringLiteral("Legge 12/2026");
        cNotaArgomento.clear();
        cArgomentoPendente.clear();
        iQuorum[3] = 3;
        dInizioVoto = kInizio;
        Tasti(tasti);
    }
    void Tasti(const QString& tasti)
    {
        iFavorevoli = iContrari = iAstenuti = 0;
        iPresenti = 0;
        for (size_t i = 1; i < aPosti.size(); ++i) {
            const QChar k = int(i) <= tasti.size() ? tasti.at(int(i) - 1) : QChar(u'0');
            aPosti[i].cVoto = QString(k);
            if (k == u'3')
                ++iFavorevoli;
            else if (k == u'6')
                ++iContrari;
            else if (k == u'5')
                ++iAstenuti;
            if (aPosti[i].iStato & 1) ++iPresenti;
        }
    }

    bool Trova(const Atteso& a, int pagina = 0) const
    {
        for (const Stampato& s : stampati) {
            if (pagina && s.pagina != pagina) continue;
            if (a.riga && s.riga != a.riga) continue;
            if (s.colonna != a.colonna) continue;
            if (a.esatto ? s.testo == a.testo : RTrimSpazi(s.testo) == a.testo) return true;
        }
        return false;
    }
    bool Contiene(const QString& parte) const
    {
        for (const Stampato& s : stampati)
            if (s.testo.contains(parte)) return true;
        return false;
    }
    std::string Tutto() const
    {
        std::ostringstream os;
        for (const Stampato& s : stampati) os << s << "\n";
        return os.str();
    }
    int Volte(const QString& testo) const
    {
        int n = 0;
        for (const Stampato& s : stampati)
            if (RTrimSpazi(s.testo) == testo) ++n;
        return n;
    }

    std::vector<Stampato> stampati;
    QTemporaryDir m_dir;
    QString m_pdf;
};

QString Nome(int i) { return QStringLiteral("Consigliere %1").arg(i, 2, 10, QChar(u'0')); }

}  // namespace

TEST_F(Verbale, ConsoleVotesOfEachKind)
{
    struct Caso {
        const char* nome;
        int assemblea;
        const char* tipo;
        QString tasti;  // keys of seats 1..8
        std::function<void()> prepara;
        std::vector<Atteso> attesi;
        QStringList assenti;  // texts that must appear nowhere
    };
    const Caso casi[] = {
        {"secret vote: totals only",
         1,
         "H",
         QStringLiteral("33336655"),
         {},
         {{2, 5, QStringLiteral("Votazione di martedì, 05 maggio 2026 alle ore 9:07")},
          {3, 70, QStringLiteral("pag. 1")},
          {4, 5, QStringLiteral("Erano Presenti:")},
          {6, 5, QStringLiteral("Il Presidente del Consiglio Mario Rossi")},
          {8, 5, QStringLiteral("Il Sindaco Laura Bianchi")},
          {10, 5, QStringLiteral("Il Segretario Giulia Neri")},
          {12, 5, QStringLiteral("Il Segretario Vice Vittorio Gialli")},
          {14, 21, QString(39, u'*')},
          {15, 21, QStringLiteral("*         Votazione Segreta           *")},
          {16, 21, QString(39, u'*')},
          {17, 5, QStringLiteral("OdG n. 1")},
          {17, 21, QStringLiteral("Bilancio di previsione")},
          {20, 10, QStringLiteral("  Presenti: 008")},
          {20, 50, QStringLiteral("    Quorum: 003")},
          {21, 10, QStringLiteral("   Votanti: 006")},
          {21, 50, QStringLiteral("Favorevoli: 004")},
          {21, 68, QStringLiteral("APPROVATO")},
          {22, 10, QStringLiteral("  Astenuti: 002")},
          {22, 50, QStringLiteral("  Contrari: 002")},
          {23, 10, QStringLiteral("   Assenti: 000")}},
         {QStringLiteral("Favorevoli\n"), QStringLiteral("Mario Rossi\n"), QStringLiteral("Consigliere"),
          QStringLiteral("-----"), QStringLiteral("RESPINTO")}},
        {"roll call with two requesters",
         1,
         "I",
         QStringLiteral("33600000"),
         [] {
             iRichiedenti[4] = 3;
             iRichiedenti[5] = 4;
         },
         {{18, 5, QStringLiteral("Richiesto da Consigliere 03, Consigliere 04, "), true},
          {15, 21, QStringLiteral("*          Appello Nominale           *")},
          {20, 5, QStringLiteral("OdG n. 1")},
          {22, 5, QStringLiteral("Favorevoli")},
          {24, 5, QStringLiteral("Mario Rossi")},
          {25, 5, QStringLiteral("Laura Bianchi")},
          {24, 29, QStringLiteral("Consigliere 03")}},
         {}},
        {"open vote, regional assembly: no names",
         4,
         "P",
         QStringLiteral("33336650"),
         [] { iQuorum[3] = 5; },
         {{4, 5, QStringLiteral("Presiede: Mario Rossi")},
          {7, 21, QStringLiteral("*          Votazione Palese           *")},
          {9, 35, QStringLiteral("Quorum: 005")},
          {10, 5, QStringLiteral("Legge 12/2026")},
          {13, 10, QStringLiteral("Favorevoli: 004")},
          {13, 50, QStringLiteral("   Votanti: 006")},
          {14, 10, QStringLiteral("  Contrari: 002")},
          {14, 50, QStringLiteral("  Presenti: 008")},
          {15, 10, QStringLiteral("  Astenuti: 001")},
          {15, 50, QStringLiteral("   Assenti: 001")},
          {17, 36, QStringLiteral("RESPINTO")}},
         {QStringLiteral("Favorevoli\n"), QStringLiteral("Consigliere"), QStringLiteral("Erano Presenti"),
          QStringLiteral("Il Segretario")}},
        {"open vote, municipal: three name columns",
         1,
         "P",
         QStringLiteral("35633660"),
         {},
         {{15, 21, QStringLiteral("*          Votazione Palese           *")},
          {19, 5, QStringLiteral("Favorevoli")},
          {19, 29, QStringLiteral("Contrari")},
          {19, 53, QStringLiteral("Astenuti")},
          {20, 5, QString(23, u'-')},
          {20, 29, QString(23, u'-')},
          {20, 53, QString(23, u'-')},
          {21, 5, QStringLiteral("Mario Rossi")},
          {22, 5, QStringLiteral("Consigliere 04")},
          {23, 5, QStringLiteral("Consigliere 05")},
          {21, 29, QStringLiteral("Consigliere 03")},
          {22, 29, QStringLiteral("Consigliere 06")},
          {23, 29, QStringLiteral("Consigliere 07")},
          {21, 53, QStringLiteral("Laura Bianchi")},
          // The totals start two rows under the longest column.
          {26, 10, QStringLiteral("  Presenti: 008")},
          {27, 68, QStringLiteral("APPROVATO")}},
         {QStringLiteral("Consigliere 08")}},
        {"threshold 0: approved with one yes more than the no",
         1,
         "P",
         QStringLiteral("33366500"),
         [] { iQuorum[3] = 0; },
         {{0, 68, QStringLiteral("APPROVATO")}, {0, 50, QStringLiteral("Favorevoli: 003")}},
         {QStringLiteral("Quorum"), QStringLiteral("RESPINTO")}},
        {"threshold 0: rejected on a tie",
         1,
         "P",
         QStringLiteral("33660000"),
         [] { iQuorum[3] = 0; },
         {{0, 68, QStringLiteral("RESPINTO")}},
         {QStringLiteral("Quorum"), QStringLiteral("APPROVATO")}},
        {"presence check, threshold 0: valid",
         2,
         "V",
         QStringLiteral("0++00000"),
         [] { iQuorum[3] = 0; },
         {{8, 5, QStringLiteral("Il Presidente della Giunta Laura Bianchi")},
          {15, 21, QStringLiteral("*       Verifica Numero Legale        *")},
          {19, 5, QStringLiteral("Presenti")},
          {19, 29, QStringLiteral("Presenti")},
          {19, 53, QStringLiteral("Assenti")},
          {21, 5, QStringLiteral("Laura Bianchi")},
          {21, 29, QStringLiteral("Consigliere 03")},
          {21, 53, QStringLiteral("Mario Rossi")},
          {26, 53, QStringLiteral("Consigliere 08")},
          {29, 10, QStringLiteral("  Presenti: 000")},
          {29, 50, QStringLiteral("   Assenti: 008")},
          {30, 10, QStringLiteral("   Votanti: 000")},
          {31, 10, QStringLiteral("    Quorum: 000")},
          {31, 28, QStringLiteral("VALIDO")}},
         {QStringLiteral("NON VALIDO")}},
        {"presence check below the threshold: not valid",
         1,
         "V",
         QStringLiteral("0++00000"),
         [] {
             iQuorum[3] = 5;
             iFavorevoli = 2;
             iContrari = 4;
         },
         {{0, 10, QStringLiteral("  Presenti: 006")},
          {0, 50, QStringLiteral("NonVotanti: 004")},
          {0, 28, QStringLiteral("NON VALIDO")}},
         {}},
        {"vote without an item: its note from column 5",
         1,
         "P",
         QStringLiteral("33300000"),
         [] {
             iDelibera = 0;
             cNotaArgomento = QStringLiteral("Comunicazioni del Presidente");
         },
         {{17, 5, QStringLiteral("Comunicazioni del Presidente")}},
         {QStringLiteral("OdG"), QStringLiteral("Bilancio")}},
        {"immediate executability, sub-item and note under the item",
         1,
         "P",
         QStringLiteral("33300000"),
         [] {
             iFlagQuorum = kQuorumVotoImmEsec;
             iQuorum[4] = 6;
             cArgomentoPendente = QStringLiteral("Emendamento 2");
             cNotaArgomento = QStringLiteral("Urgente");
         },
         {{17, 5, QStringLiteral("OdG n. 1")},
          {17, 21, QStringLiteral("Immediata Esecutività")},
          {18, 21, QStringLiteral("Bilancio di previsione")},
          {19, 21, QStringLiteral("Emendamento 2")},
          {20, 21, QStringLiteral("Urgente")},
          {0, 50, QStringLiteral("    Quorum: 006")},
          {0, 68, QStringLiteral("RESPINTO")}},
         {}},
        {"abstentions with the extended minutes",
         1,
         "P",
         QStringLiteral("33500000"),
         [] { xVerbaleEsteso = true; },
         {{0, 5, QStringLiteral("Astenuti non computabili nel numero dei votanti ai sensi")},
          {0, 5, QStringLiteral("dell'art. 51, 2° comma, del regolamento del Consiglio Comunale")}},
         {}},
    };

    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        ScriptedUI ui;
        stampati.clear();
        Sala(c.assemblea, QString::fromLatin1(c.tipo), c.tasti);
        xVerbaleEsteso = false;
        if (c.prepara) c.prepara();
        StampaVerbaleVoto(false, QString());
        for (const Atteso& a : c.attesi)
            EXPECT_TRUE(Trova(a)) << "(" << a.riga << "," << a.colonna << ") \"" << a.testo.toStdString()
                                  << "\" not in\n"
                                  << Tutto();
        for (const QString& t : c.assenti) {
            const bool intera = t.endsWith(u'\n');
            const QString testo = intera ? t.chopped(1) : t;
            EXPECT_FALSE(intera ? Volte(testo) > 0 : Contiene(testo)) << testo.toStdString() << " in\n" << Tutto();
        }
    }
    EXPECT_GT(QFileInfo(m_pdf).size(), 0);
}

TEST_F(Verbale, NamesBeyondTheLastRowOfThePageContinueOnTheNextPage)
{
    ScriptedUI ui;
    // The rows of a page: those of the printable area (as set up for any report).
    ASSERT_TRUE(ImpostaStampante(0));
    FineStampa();
    const int ultima = iRighePagina;
    ASSERT_GT(ultima, 40);
    // A first page of names and twenty more on the second.
    const int n = ultima;
    Sala(1, QStringLiteral("P"), QString(n, u'3'), n);
    StampaVerbaleVoto(false, QString());

    // Names from row 21 to the page's last row on the first page, the rest
    // on the second under the same header and headings.
    const int primaPagina = ultima - 20;
    for (int i = 3; i <= primaPagina; ++i) EXPECT_TRUE(Trova({20 + i, 5, Nome(i)}, 1)) << Nome(i).toStdString();
    EXPECT_TRUE(Trova({ultima + 3, 5, QStringLiteral("segue pag. 2")}, 1)) << Tutto();
    for (int i = primaPagina + 1; i <= n; ++i)
        EXPECT_TRUE(Trova({i - primaPagina + 20, 5, Nome(i)}, 2)) << Nome(i).toStdString();
    EXPECT_TRUE(Trova({3, 70, QStringLiteral("pag. 2")}, 2));
    EXPECT_TRUE(Trova({2, 5, QStringLiteral("Votazione di martedì, 05 maggio 2026 alle ore 9:07")}, 2));
    EXPECT_TRUE(Trova({15, 21, QStringLiteral("*          Votazione Palese           *")}, 2));
    EXPECT_TRUE(Trova({19, 5, QStringLiteral("Favorevoli")}, 2));
    EXPECT_TRUE(Trova({20, 29, QString(23, u'-')}, 2));
    EXPECT_TRUE(Trova({44, 50, QStringLiteral("Favorevoli: %1").arg(n, 3, 10, QChar(u'0'))}, 2)) << Tutto();
    for (const Stampato& s : stampati) {
        EXPECT_LE(s.pagina, 2);
        if (s.pagina == 1 && s.testo.startsWith(QStringLiteral("Consigliere"))) EXPECT_LE(s.riga, ultima);
    }
    for (int i = 3; i <= n; ++i) EXPECT_EQ(Volte(Nome(i)), 1) << Nome(i).toStdString();
}

// ---------------------------------------------------------------------------
// Stored votes.

class VerbaleArchivio : public Verbale {
protected:
    // A vote stored by the console's writer: keys of seats 1..8 (person
    // codes 1..8), the requesters' seats, the item.
    void Memorizza(const QString& tipo, const QString& tasti, int delibera, std::array<int, 3> richiedenti = {},
                   int soglia = 0)
    {
        cTipoVoto = tipo;
        iDelibera = delibera;
        iFlagQuorum = 0;
        iQuorum[3] = soglia;
        dInizioVoto = kInizio;
        dFineVoto = kInizio.addSecs(60);
        cVoti.Azzera(QChar(u'0'));
        cTastiRicevuti.Azzera(QChar(0));
        cOspitiPresenti = QString(120, QChar(0));
        iFavorevoli = iContrari = iAstenuti = 0;
        for (int i = 0; i < tasti.size(); ++i) {
            const QChar k = tasti.at(i);
            if (k == u'0') continue;
            cVoti.Set(i + 1, k);
            cTastiRicevuti.Set(i + 1, QChar(i + 1));
            if (k == u'3')
                ++iFavorevoli;
            else if (k == u'6')
                ++iContrari;
            else if (k == u'5')
                ++iAstenuti;
        }
        iPresenti = 8;
        for (size_t k = 0; k < 3; ++k) iRichiedenti[k + 1] = richiedenti[k];
        Recordset rs = dbArchivio.OpenTable(cTabelle[4], QStringLiteral("TAG_A"));
        SalvaVotazione(rs, false);
        rs.Close();
    }
    // Prints with the printer dialog confirmed and the console closed.
    void Stampa(const QString& segnalibro)
    {
        stampati.clear();
        bConsoleAperta = false;
        aPosti.assign(1, Posto{});
        (*m_ui)->AttendiStampante(true);
        StampaVerbaleVoto(true, segnalibro);
    }
    void Prepara(int assemblea)
    {
        m_archivio = std::make_unique<ArchivioProva>(assemblea);
        ASSERT_TRUE(m_archivio->Valido());
        m_archivio->Consiglieri();
        m_archivio->Argomenti();
        cNotaArgomento.clear();
        cArgomentoPendente.clear();
        ASSERT_TRUE(GestisceAnagrafe(true));
        for (size_t i = 1; i < aPosti.size(); ++i) aPosti[i].iStato = 9;
    }
    void SetUp() override
    {
        Verbale::SetUp();
        m_ui = std::make_unique<ScriptedUI>();
    }
    void TearDown() override
    {
        m_ui.reset();
        m_archivio.reset();
        Verbale::TearDown();
    }
    std::unique_ptr<ScriptedUI> m_ui;
    std::unique_ptr<ArchivioProva> m_archivio;
};

TEST_F(VerbaleArchivio, AnEmptyTablePrintsNothingAndStartsNoJob)
{
    Prepara(1);
    Stampa(QString());
    EXPECT_TRUE(stampati.empty()) << Tutto();
    EXPECT_FALSE(QFileInfo::exists(m_pdf));

    // A cancelled dialog prints nothing either, and says nothing.
    Memorizza(QStringLiteral("P"), QStringLiteral("33"), 1);
    stampati.clear();
    (*m_ui)->AttendiStampante(false);
    StampaVerbaleVoto(true, QString());
    EXPECT_TRUE(stampati.empty());
    EXPECT_FALSE(QFileInfo::exists(m_pdf));
}

TEST_F(VerbaleArchivio, EveryStoredVoteFromItsOwnPageAndOneByItsBookmark)
{
    Prepara(1);
    // A roll call on item 2 requested by seats 3 and 4, then an open vote
    // on item 1 with a sub-item pending.
    Memorizza(QStringLiteral("I"), QStringLiteral("36533000"), 2, {3, 4, 0}, 5);
    cArgomentoPendente = QStringLiteral("Emendamento 2");
    Memorizza(QStringLiteral("P"), QStringLiteral("33360000"), 1);
    cArgomentoPendente.clear();

    Stampa(QString());
    // The first vote: its officers, requesters from the note, the item's
    // title from the agenda, names from the stored keys.
    EXPECT_TRUE(Trova({2, 5, QStringLiteral("Votazione di martedì, 05 maggio 2026 alle ore 9:07")}, 1));
    EXPECT_TRUE(Trova({6, 5, QStringLiteral("Il Presidente del Consiglio Mario Rossi")}, 1)) << Tutto();
    EXPECT_TRUE(Trova({8, 5, QStringLiteral("Il Sindaco Laura Bianchi")}, 1));
    EXPECT_TRUE(Trova({10, 5, QStringLiteral("Il Segretario Giulia Neri")}, 1));
    EXPECT_TRUE(Trova({12, 5, QStringLiteral("Il Segretario Vice Vittorio Gialli")}, 1));
    EXPECT_TRUE(Trova({15, 21, QStringLiteral("*          Appello Nominale           *")}, 1));
    EXPECT_TRUE(Trova({18, 5, QStringLiteral("Richiesto da Anna Verdi, Giorgio Esposito, "), true}, 1)) << Tutto();
    EXPECT_TRUE(Trova({20, 5, QStringLiteral("OdG n. 2")}, 1));
    EXPECT_TRUE(Trova({20, 21, QStringLiteral("Mozione sul trasporto")}, 1));
    EXPECT_TRUE(Trova({24, 5, QStringLiteral("Mario Rossi")}, 1));
    EXPECT_TRUE(Trova({25, 5, QStringLiteral("Giorgio Esposito")}, 1));
    EXPECT_TRUE(Trova({26, 5, QStringLiteral("Franca Romano")}, 1));
    EXPECT_TRUE(Trova({24, 29, QStringLiteral("Laura Bianchi")}, 1));
    EXPECT_TRUE(Trova({24, 53, QStringLiteral("Anna Verdi")}, 1));
    EXPECT_TRUE(Trova({0, 10, QStringLiteral("  Presenti: 008")}, 1));
    EXPECT_TRUE(Trova({0, 50, QStringLiteral("    Quorum: 005")}, 1));
    EXPECT_TRUE(Trova({0, 68, QStringLiteral("RESPINTO")}, 1));
    EXPECT_TRUE(Trova({0, 10, QStringLiteral("   Assenti: 000")}, 1));
    EXPECT_TRUE(Trova({0, 50, QStringLiteral("NonVotanti: 003")}, 1));
    // The second from a page of its own, numbered 1 again.
    EXPECT_TRUE(Trova({3, 70, QStringLiteral("pag. 1")}, 2));
    EXPECT_TRUE(Trova({15, 21, QStringLiteral("*          Votazione Palese           *")}, 2));
    EXPECT_TRUE(Trova({17, 5, QStringLiteral("OdG n. 1")}, 2));
    EXPECT_TRUE(Trova({17, 21, QStringLiteral("Bilancio di previsione")}, 2));
    EXPECT_TRUE(Trova({18, 21, QStringLiteral("Emendamento 2")}, 2)) << Tutto();
    EXPECT_TRUE(Trova({0, 68, QStringLiteral("APPROVATO")}, 2));
    for (const Stampato& s : stampati) EXPECT_LE(s.pagina, 2) << s;
    EXPECT_GT(QFileInfo(m_pdf).size(), 0);
    // The seats came from the registry; the keys of the stored votes were
    // the report's own.
    ASSERT_EQ(aPosti.size(), 9u);
    for (size_t i = 1; i < aPosti.size(); ++i) EXPECT_EQ(aPosti[i].cVoto, QStringLiteral(" ")) << i;

    // The second row alone, by its bookmark.
    Recordset rs = dbArchivio.OpenTable(cTabelle[4], QStringLiteral("TAG_A"));
    rs.MoveLast();
    const QString segnalibro = QString::number(rs.Bookmark());
    rs.Close();
    Stampa(segnalibro);
    EXPECT_TRUE(Trova({15, 21, QStringLiteral("*          Votazione Palese           *")}, 1)) << Tutto();
    EXPECT_FALSE(Contiene(QStringLiteral("Appello")));
    for (const Stampato& s : stampati) EXPECT_EQ(s.pagina, 1) << s;

    // A bookmark of no row is reported, once, and prints nothing.
    stampati.clear();
    (*m_ui)->AttendiStampante(true);
    (*m_ui)->AttendiMsg(QStringLiteral("Segnalibro non valido."));
    StampaVerbaleVoto(true, QStringLiteral("9999"));
    EXPECT_TRUE(stampati.empty()) << Tutto();
    ASSERT_FALSE((*m_ui)->Storia().empty());
    EXPECT_EQ((*m_ui)->Storia().back().titolo, kTitoloOBX);
    EXPECT_EQ((*m_ui)->Storia().back().stile & vbCritical, vbCritical);
}

TEST_F(VerbaleArchivio, StoredRollCallOfTheRegionalAssemblyCountsWhoAnswered)
{
    Prepara(4);
    cArgomento = {};
    // The roll call stores no counts; six members answered.
    Memorizza(QStringLiteral("A"), QStringLiteral("+++0++0+"), 0);
    Stampa(QString());
    EXPECT_TRUE(Trova({7, 21, QStringLiteral("*  Autocertificazione delle Presenze  *")})) << Tutto();
    EXPECT_TRUE(Trova({0, 10, QStringLiteral("  Presenti: 006")})) << Tutto();
    EXPECT_TRUE(Trova({0, 50, QStringLiteral("   Assenti: 002")}));
    EXPECT_TRUE(Trova({12, 5, QStringLiteral("Mario Rossi")}));
    EXPECT_TRUE(Trova({12, 29, QStringLiteral("Laura Bianchi")}));
    EXPECT_TRUE(Trova({13, 5, QStringLiteral("Anna Verdi")}));
    EXPECT_TRUE(Trova({12, 53, QStringLiteral("Giorgio Esposito")}));
    EXPECT_FALSE(Contiene(QStringLiteral("NUMERO LEGALE")));
    EXPECT_FALSE(Contiene(QStringLiteral("Quorum")));
}
