// The sitting's vote minutes over the acts tree of a laws-mode archive,
// read back from the PDF: acts in tree order with code, text and status,
// their closed votes and withdrawals at the right in pieces of 50
// characters, events of no act or of a vote without its code left out,
// and the pages with their header.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <map>
#include <tuple>

#include "BancoEventi.h"
#include "console/Spoglio.h"
#include "reports/VerbaleSeduta.h"
#include "shell/frmMain.h"

using namespace obx;
using namespace obx::test;

namespace {

struct AttoVerbale {
    int codice;
    QString parametri;   // type letter, status letter
    QStringList chiave;  // tree key segments
    QString evento;      // cDescEventoLG
};

void ScriveAtto(const AttoVerbale& a)
{
    Recordset rs = dbArchivio.OpenTable(cTabelle[5], QStringLiteral("TAG_A"));
    rs.AddNew();
    rs.SetField(QStringLiteral("iCodLeggeLG"), a.codice);
    rs.SetField(QStringLiteral("cParametriLG"), a.parametri);
    rs.SetField(QStringLiteral("cTreeKeyLG"), ChiaveAlbero(a.chiave));
    rs.SetField(QStringLiteral("cDescEventoLG"), a.evento);
    rs.SetField(QStringLiteral("iRadiceLeggeLG"), 1);
    rs.Update();
}

class VerbaleSeduta : public BancoStampa {
protected:
    void SetUp() override
    {
        BancoStampa::SetUp();
        Archivio(4);
    }

    Pdf Stampa()
    {
        AttendeFile();
        StampaVerbaleSeduta();
        return Pdf(FileStampa());
    }

    // The row of the report (page, grid row) as read back, and the column
    // where each of the words given starts on it.
    static QString Riga(const Pdf& pdf, int pagina, int riga, std::map<QString, int>* colonne = nullptr)
    {
        const Griglia g = Griglia::DellaStampante();
        QStringList parole;
        for (const auto& r : pdf.Righe(pagina)) {
            if (r.parole.empty() || g.Riga(r.parole.front()) != riga) continue;
            for (const ParolaPdf& w : r.parole) {
                parole << w.testo;
                if (colonne && !colonne->count(w.testo)) (*colonne)[w.testo] = g.Colonna(w);
            }
        }
        return parole.join(u' ');
    }
};

TEST_F(VerbaleSeduta, ActsInTreeOrderWithTheirVotesAndWithdrawals)
{
    // Stored out of tree order on purpose.
    ScriveAtto({4, "BZ", {"B2"}, "PdL 13/2026"});
    ScriveAtto({3, "ER", {"B1", "J3", "E1"}, "Emend. 3.1"});
    ScriveAtto({1, "BV", {"B1"}, "PdL 12/2026"});
    ScriveAtto({2, "JN", {"B1", "J3"}, "Art. 3"});

    VotoProva palese;
    palese.tasti = {{1, u'3'}, {2, u'3'}, {3, u'3'}, {4, u'6'}, {5, u'5'}};
    const int vPalese = VotoMemorizzato(palese);
    VotoProva verifica;
    verifica.tipo = QStringLiteral("V");
    verifica.tasti = {{1, u'3'}, {2, u'3'}, {3, u'3'}, {4, u'3'}, {5, u'3'}};
    const int vVerifica = VotoMemorizzato(verifica);
    VotoProva appello;
    appello.tipo = QStringLiteral("A");
    appello.tasti = {{1, u'+'}, {2, u'+'}, {3, u'+'}};
    const int vAppello = VotoMemorizzato(appello);

    const QDate d = kPrimaSeduta;
    // Act 1: a closed vote, a verification, a roll call, a withdrawal, an
    // entry (not printed), a closing without its vote's code and one whose
    // vote is gone (nothing printed for either).
    ScriveEvento({d, {9, 0}, "T", "Chiusura Votazione", "", 5, "", vPalese, 1});
    ScriveEvento({d, {9, 5}, "L", "Verifica N.L.", "", 0, "", vVerifica, 1});
    ScriveEvento({d, {9, 6}, "L", "Appello", "", 0, "", vAppello, 1});
    ScriveEvento({d, {9, 10}, "X", "Ritiro Emend.", "Emendamento 1.1", 5, "soppressivo", std::nullopt, 1});
    ScriveEvento({d, {9, 11}, "E", "Entra", "Anna Verdi", 6, "", std::nullopt, 1});
    ScriveEvento({d, {9, 12}, "T", "Chiusura Votazione", "", 6, "", std::nullopt, 1});
    ScriveEvento({d, {9, 13}, "T", "Chiusura Votazione", "", 6, "", 999, 1});
    // Act 3 is withdrawn, not voted: its withdrawal prints nothing.
    ScriveEvento({d, {9, 20}, "X", "Ritiro Emend.", "Emendamento 3.1", 5, "", std::nullopt, 3});
    // Events of no act.
    ScriveEvento({d, {9, 30}, "T", "Chiusura Votazione", "", 5, "", vPalese, QVariant()});
    ScriveEvento({d, {9, 31}, "T", "Chiusura Votazione", "", 5, "", vPalese, 0});

    const Pdf pdf = Stampa();
    ASSERT_TRUE(pdf.Valido());
    ASSERT_EQ(pdf.Pagine(), 1) << pdf.Tutto().toStdString();
    const auto& foglio = pdf.Fogli().at(0);
    EXPECT_GT(foglio.larghezza, foglio.altezza) << "landscape";

    // Header.
    std::map<QString, int> c;
    EXPECT_EQ(Riga(pdf, 1, 2, &c), cConsiglio + QStringLiteral(" Pag. 1"));
    EXPECT_EQ(c[QStringLiteral("Consiglio")], 10);
    EXPECT_EQ(c[QStringLiteral("Pag.")], 118);
    EXPECT_EQ(Riga(pdf, 1, 4, &c), QStringLiteral("- Verbale di Voto Seduta Consiliare -"));
    EXPECT_EQ(c[QStringLiteral("-")], 46);
    EXPECT_EQ(Riga(pdf, 1, 6, &c), QStringLiteral("Codice Atto Stato Eventi"));
    for (const auto& [parola, colonna] :
         std::map<QString, int>{{"Codice", 8}, {"Atto", 19}, {"Stato", 44}, {"Eventi", 55}})
        EXPECT_EQ(c[parola], colonna) << parola.toStdString();

    // Tree order; the act's events from its own row on, in logging order.
    const QStringList attese = {
        "1 PdL 12/2026 Votato Chiusura Votazione: Fav. 003 Con. 001 Ast. 001",
        "Verifica N.L.: Presenti 005",
        "Appello: Presenti 003",
        "Ritiro Emend.: Emendamento 1.1 soppressivo",
        "2 Art. 3 Non Votato",
        "3 Emend. 3.1 Ritirato",
        "4 PdL 13/2026",
    };
    for (int i = 0; i < int(attese.size()); ++i)
        EXPECT_EQ(Riga(pdf, 1, 8 + i), attese[i]) << "row " << 8 + i << "\n" << pdf.Tutto().toStdString();
    c.clear();
    Riga(pdf, 1, 8, &c);
    for (const auto& [parola, colonna] :
         std::map<QString, int>{{"1", 17}, {"PdL", 19}, {"Votato", 44}, {"Chiusura", 80}})
        EXPECT_EQ(c[parola], colonna) << parola.toStdString();
    c.clear();
    Riga(pdf, 1, 9, &c);
    EXPECT_EQ(c[QStringLiteral("Verifica")], 80);
    EXPECT_TRUE(Riga(pdf, 1, 8 + int(attese.size())).isEmpty());

    // A copy for the eye, where the window's picture goes.
    if (qEnvironmentVariableIsSet("OBX_FOTO_EVENTI")) {
        const QString dove =
            QDir(qEnvironmentVariable("OBX_FOTO_EVENTI")).filePath(QStringLiteral("verbale_seduta.pdf"));
        QFile::remove(dove);
        EXPECT_TRUE(QFile::copy(FileStampa(), dove));
    }
}

TEST_F(VerbaleSeduta, LongEventTextInPiecesOfFifty)
{
    ScriveAtto({1, "BV", {"B1"}, "PdL 12/2026"});
    ScriveAtto({2, "BN", {"B2"}, "PdL 13/2026"});
    // "Ritiro: " + 30 + " " + 88 characters: 127, in rows of 50, 50, 27.
    const QString nome(30, u'N'), extra(88, u'X');
    ScriveEvento({kPrimaSeduta, {9, 0}, "X", "Ritiro", nome, 5, extra, std::nullopt, 1});
    const QString testo = QStringLiteral("Ritiro: ") + nome + u' ' + extra;
    std::vector<std::tuple<int, int, QString>> posti;
    ImpostaOsservatoreStampa([&](int, int riga, int colonna, const QString& t) {
        if (riga >= 8) posti.emplace_back(riga, colonna, t);
    });
    const Pdf pdf = Stampa();
    ASSERT_TRUE(pdf.Valido());
    const std::vector<std::tuple<int, int, QString>> attesi = {{8, 8, QStringLiteral("         1")},
                                                               {8, 19, QStringLiteral("PdL 12/2026")},
                                                               {8, 44, QStringLiteral("Votato")},
                                                               {8, 80, testo.left(50)},
                                                               {9, 80, testo.mid(50, 50)},
                                                               {10, 80, testo.mid(100)},
                                                               {11, 8, QStringLiteral("         2")},
                                                               {11, 19, QStringLiteral("PdL 13/2026")},
                                                               {11, 44, QStringLiteral("Non Votato")}};
    EXPECT_EQ(posti, attesi);
}

TEST_F(VerbaleSeduta, FullPagesContinueUnderTheHeaderRepeated)
{
    for (int i = 1; i <= 70; ++i)
        ScriveAtto({i, "BN", {QStringLiteral("B%1").arg(i)}, QStringLiteral("Atto %1").arg(i)});
    std::map<int, std::pair<int, int>> righe;  // page -> first and last act row
    ImpostaOsservatoreStampa([&](int pagina, int riga, int colonna, const QString&) {
        if (colonna != 19 || riga < 8) return;
        auto [it, nuovo] = righe.try_emplace(pagina, riga, riga);
        if (!nuovo) it->second.second = riga;
    });
    const Pdf pdf = Stampa();
    ASSERT_TRUE(pdf.Valido());
    ASSERT_GE(pdf.Pagine(), 2);
    EXPECT_EQ(int(righe.size()), pdf.Pagine());
    for (const auto& [pagina, estremi] : righe) {
        EXPECT_EQ(estremi.first, 8) << pagina;
        if (pagina < pdf.Pagine()) EXPECT_EQ(estremi.second, iRighePagina) << pagina;
        EXPECT_FALSE(pdf.Trova(QStringLiteral("Pag.") + Str(pagina), pagina).empty()) << pagina;
        EXPECT_FALSE(pdf.Trova(QStringLiteral("Codice Atto Stato Eventi"), pagina).empty()) << pagina;
    }
    // Every act once, its code with its text.
    static const QRegularExpression atto(QStringLiteral(R"(^(\d+) Atto (\d+) Non Votato$)"));
    int atti = 0;
    for (int pg = 1; pg <= pdf.Pagine(); ++pg)
        for (const auto& r : pdf.Righe(pg)) {
            const auto m = atto.match(r.testo);
            if (!m.hasMatch()) continue;
            ++atti;
            EXPECT_EQ(m.captured(1), m.captured(2)) << r.testo.toStdString();
        }
    EXPECT_EQ(atti, 70);
    const Griglia g = Griglia::DellaStampante();
    for (const ParolaPdf& w : pdf.Parole()) EXPECT_TRUE(g.Dentro(w)) << w.testo.toStdString();
}

TEST_F(VerbaleSeduta, OnlyTheFirstFailureIsShownAndEveryActIsPrinted)
{
    VotoProva palese;
    palese.tasti = {{1, u'3'}, {2, u'6'}};
    const int v = VotoMemorizzato(palese);
    for (int i = 1; i <= 3; ++i) {
        ScriveAtto({i, "BV", {QStringLiteral("B%1").arg(i)}, QStringLiteral("Atto %1").arg(i)});
        ScriveEvento({kPrimaSeduta, {9, i}, "T", "Chiusura Votazione", "", 2, "", v, i});
    }
    // Every event text fails to print.
    ImpostaOsservatoreStampa([](int, int riga, int colonna, const QString&) {
        if (riga >= 8 && colonna == 80) throw Errore(482, QStringLiteral("Errore della stampante"));
    });
    (*ui)->AttendiMsg(QStringLiteral("Errore della stampante"), vbOK);
    const Pdf pdf = Stampa();
    const auto& visti = (*ui)->Storia();
    EXPECT_EQ(std::count_if(visti.begin(), visti.end(), [](const auto& x) { return x.stile == vbCritical; }), 1);
    ASSERT_TRUE(pdf.Valido());
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(Riga(pdf, 1, 7 + i), QStringLiteral("%1 Atto %1 Votato").arg(i)) << pdf.Tutto().toStdString();
}

TEST_F(VerbaleSeduta, EmptyTreePrintsNothing)
{
    StampaVerbaleSeduta();
    EXPECT_TRUE(FileStampe().isEmpty());
}

TEST_F(VerbaleSeduta, MainMenuAsksFirstAndRefusesDuringAVote)
{
    ScriveAtto({1, "BV", {"B1"}, "PdL 12/2026"});
    frmMain m;
    ASSERT_TRUE(m.mnuArchivi[6]->isVisible());
    ASSERT_TRUE(m.mnuArchivi[6]->isEnabled());
    EXPECT_EQ(m.mnuArchivi[6]->text(), QStringLiteral("Verbale di Voto"));

    (*ui)->AttendiMsg(QStringLiteral("Confermi stampa Verbale di Voto ?"), vbCancel);
    m.mnuArchivi[6]->trigger();
    EXPECT_TRUE(FileStampe().isEmpty());
    EXPECT_EQ((*ui)->Storia().back().stile, vbOKCancel + vbQuestion);

    iModoVoto = 1;
    (*ui)->AttendiMsg(QString::fromUtf8(kMsgVotoInCorso), vbOK);
    m.mnuArchivi_Click(6);
    iModoVoto = 0;
    EXPECT_TRUE(FileStampe().isEmpty());

    (*ui)->AttendiMsg(QStringLiteral("Confermi stampa Verbale di Voto ?"), vbOK);
    AttendeFile();
    m.mnuArchivi_Click(6);
    ASSERT_EQ(FileStampe().size(), 1);
    const Pdf pdf(FileStampa());
    EXPECT_FALSE(pdf.Trova(QStringLiteral("PdL 12/2026")).empty());
}

}  // namespace
