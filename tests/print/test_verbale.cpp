// The minutes of votes on paper: printed to PDF and read back, names in
// their columns, pages that break inside the printable area, long item
// texts, line breaks in a note and the sub-item stored in two fields.
#include <QRegularExpression>
#include <set>

#include "BancoStampa.h"
#include "reports/VerbaleVoto.h"
#include "shell/Anagrafe.h"

using namespace obx;
using namespace obx::test;

namespace {

class VerbalePdf : public BancoStampa {
protected:
    // Prints every stored vote as "Stampa" does, with the dialog confirmed.
    Pdf StampaArchivio()
    {
        (*ui)->AttendiStampante(true);
        AttendeFile();
        StampaVerbaleVoto(true, QString());
        return Pdf(FileStampa());
    }

    // Every word of every page inside the printable area, and no row below
    // the last one a page may hold ("segue pag." three rows under it).
    void ControllaArea(const Pdf& pdf)
    {
        const Griglia g = Griglia::DellaStampante();
        ASSERT_TRUE(pdf.Valido());
        for (const ParolaPdf& w : pdf.Parole()) {
            EXPECT_TRUE(g.Dentro(w)) << "p" << w.pagina << " " << w.testo.toStdString() << " at " << w.x0 << "," << w.y0
                                     << "-" << w.x1 << "," << w.y1;
            EXPECT_LE(g.Riga(w), std::max(iRighePagina, 30) + 3) << "p" << w.pagina << " " << w.testo.toStdString();
        }
    }

    // The words matching the pattern, in reading order over all pages.
    static QStringList Parole(const Pdf& pdf, const QRegularExpression& re)
    {
        QStringList l;
        for (int pg = 1; pg <= pdf.Pagine(); ++pg)
            for (const auto& r : pdf.Righe(pg))
                for (const ParolaPdf& w : r.parole)
                    if (re.match(w.testo).hasMatch()) l << w.testo;
        return l;
    }
};

TEST_F(VerbalePdf, A120SeatVoteListsItsNamesInColumnsOverPagesInsideThePrintableArea)
{
    Archivio(1);
    Registro(120);
    archivio->Argomenti();
    VotoProva v;
    for (int c = 1; c <= 120; ++c) v.tasti[c] = c <= 80 ? u'3' : c <= 110 ? u'6' : u'5';
    v.quorum = 61;
    MemorizzaVoto(v);

    const Pdf pdf = StampaArchivio();
    ASSERT_TRUE(pdf.Valido());
    ConservaPdf(FileStampa(), QStringLiteral("Verbale_Voto_120.pdf"));
    ControllaArea(pdf);
    const Griglia g = Griglia::DellaStampante();
    ASSERT_GE(pdf.Pagine(), 3) << pdf.Tutto().toStdString();

    auto a = [&](const QString& testo, int pagina, int colonna, int riga = -1) {
        const auto w = pdf.Trova(testo, pagina);
        ASSERT_FALSE(w.empty()) << testo.toStdString() << " not on page " << pagina << "\n"
                                << pdf.Testo(pagina).toStdString();
        EXPECT_EQ(g.Colonna(w[0]), colonna) << testo.toStdString();
        if (riga >= 0) EXPECT_EQ(g.Riga(w[0]), riga) << testo.toStdString();
    };
    struct Posto {
        const char* testo;
        int colonna, riga;  // riga -1: any
    };
    // Each page under the same header and headings, numbered.
    const Posto intestazione[] = {
        {"Votazione di martedì, 05 maggio 2026 alle ore 9:07", 5, 2},
        {"Il Presidente del Consiglio Mario Rossi", 5, 6},
        {"* Votazione Palese *", 21, -1},
        {"OdG n. 1", 5, -1},
        {"Bilancio di previsione", 21, -1},
        {"Favorevoli", 5, -1},
        {"Contrari", 29, -1},
        {"Astenuti", 53, -1},
    };
    for (int pg = 1; pg <= pdf.Pagine(); ++pg) {
        SCOPED_TRACE(pg);
        for (const Posto& p : intestazione) a(QString::fromUtf8(p.testo), pg, p.colonna, p.riga);
        a(QStringLiteral("pag. %1").arg(pg), pg, 70, 3);
        if (pg < pdf.Pagine()) a(QStringLiteral("segue pag. %1").arg(pg + 1), pg, 5);
    }
    // Names in the column of their key, in the order of the seats, each
    // once: the yes fill the first pages, the others start beside the
    // last of them.
    a(QStringLiteral("Laura Bianchi"), 1, 5);
    ASSERT_EQ(pdf.Trova(QStringLiteral("Consigliere 080")).size(), 1u);
    const int pagina = pdf.Trova(QStringLiteral("Consigliere 080"))[0].pagina;
    EXPECT_GT(pagina, 1);
    a(QStringLiteral("Consigliere 081"), pagina, 29);
    a(QStringLiteral("Consigliere 111"), pagina, 53);
    for (int c = 3; c <= 120; ++c) {
        const auto w = pdf.Trova(Nome(c));
        ASSERT_EQ(w.size(), 1u) << Nome(c).toStdString();
        EXPECT_EQ(g.Colonna(w[0]), c <= 80 ? 5 : c <= 110 ? 29 : 53) << Nome(c).toStdString();
    }
    // The totals on the last page.
    const Posto totali[] = {
        {"Presenti: 120", 12, -1}, {"Quorum: 061", 54, -1},   {"Votanti: 110", 13, -1},  {"Favorevoli: 080", 50, -1},
        {"APPROVATO", 68, -1},     {"Astenuti: 010", 12, -1}, {"Contrari: 030", 52, -1}, {"Assenti: 000", 13, -1},
    };
    for (const Posto& p : totali) a(QString::fromUtf8(p.testo), pdf.Pagine(), p.colonna, p.riga);
}

TEST_F(VerbalePdf, AlongItemTitleIsWrappedAndGoesOnOverThePages)
{
    // Municipal minutes: the agenda's title, long, then the names.
    Archivio(1);
    Registro(40);
    QStringList parole;
    for (int i = 1; i <= 600; ++i) parole << QStringLiteral("t%1").arg(i, 3, 10, QChar(u'0'));
    archivio->AggiungeArgomento({1, 1, QStringLiteral("D"), parole.join(u' '), QStringLiteral("Lungo"), {}, {}, {}});
    VotoProva v;
    for (int c = 1; c <= 40; ++c) v.tasti[c] = u'3';
    MemorizzaVoto(v);

    const Pdf pdf = StampaArchivio();
    ControllaArea(pdf);
    // The whole title in order (the pages of the names repeat its start).
    const QStringList lette = Parole(pdf, QRegularExpression(QStringLiteral("^t\\d{3}$")));
    ASSERT_GE(lette.size(), parole.size()) << pdf.Tutto().toStdString();
    EXPECT_EQ(lette.mid(0, parole.size()), parole);
    EXPECT_FALSE(pdf.Trova(QStringLiteral("segue pag. 2"), 1).empty()) << pdf.Testo(1).toStdString();
    // Within its width: from column 21 to 71 at most.
    const Griglia g = Griglia::DellaStampante();
    for (const ParolaPdf& w : pdf.Parole())
        if (w.testo.startsWith(u't')) EXPECT_LE(w.x1, g.X(71) + 0.5) << w.testo.toStdString();
    // Every name once, and the totals.
    for (int c = 3; c <= 40; ++c) EXPECT_EQ(pdf.Trova(Nome(c)).size(), 1u) << Nome(c).toStdString();
    EXPECT_FALSE(pdf.Trova(QStringLiteral("Favorevoli: 040"), pdf.Pagine()).empty()) << pdf.Tutto().toStdString();
}

TEST_F(VerbalePdf, ARegionalAssemblyTitleIsWrappedNotPrintedOnOneRow)
{
    // The regional assembly prints the act's own text, at the console.
    Archivio(4);
    Registro(8);
    ASSERT_TRUE(GestisceAnagrafe(true));
    bConsoleAperta = true;
    QStringList parole;
    for (int i = 1; i <= 800; ++i) parole << QStringLiteral("r%1").arg(i, 3, 10, QChar(u'0'));
    cArgomento = {};
    cArgomento[6] = QStringLiteral("Legge 12/2026 ");
    cArgomento[7] = parole.join(u' ');
    cTipoVoto = QStringLiteral("P");
    iDelibera = 1;
    iFlagQuorum = 0;
    iQuorum[3] = 5;
    cNotaArgomento.clear();
    cArgomentoPendente.clear();
    iRichiedenti = {};
    dInizioVoto = kOraStampa;
    iPresenti = 8;
    iFavorevoli = 6;
    iContrari = 2;
    iAstenuti = 0;
    for (size_t i = 1; i < aPosti.size(); ++i) aPosti[i].cVoto = i <= 6 ? QStringLiteral("3") : QStringLiteral("6");

    AttendeFile();
    StampaVerbaleVoto(false, QString());
    const Pdf pdf(FileStampa());
    ControllaArea(pdf);
    const QStringList lette = Parole(pdf, QRegularExpression(QStringLiteral("^r\\d{3}$")));
    ASSERT_GE(lette.size(), parole.size()) << pdf.Tutto().toStdString();
    EXPECT_EQ(lette.mid(0, parole.size()), parole);
    const Griglia g = Griglia::DellaStampante();
    const auto legge = pdf.Trova(QStringLiteral("Legge 12/2026 r001"), 1);
    ASSERT_EQ(legge.size(), 1u) << pdf.Testo(1).toStdString();
    EXPECT_EQ(g.Colonna(legge[0]), 5);
    EXPECT_FALSE(pdf.Trova(QStringLiteral("segue pag. 2"), 1).empty());
    EXPECT_FALSE(pdf.Trova(QStringLiteral("Favorevoli: 006"), pdf.Pagine()).empty()) << pdf.Tutto().toStdString();
    EXPECT_FALSE(pdf.Trova(QStringLiteral("APPROVATO"), pdf.Pagine()).empty());
}

TEST_F(VerbalePdf, LineBreaksOfTheNoteAndTheSubItemCutInTwoFieldsKeepEveryCharacter)
{
    Archivio(1);
    archivio->Consiglieri();
    archivio->Argomenti();
    // A vote without an item: its note, with a lone CR, a lone LF and a
    // CR LF, from column 5.
    VotoProva nota;
    nota.delibera = 0;
    nota.tasti = {{1, u'3'}, {2, u'3'}};
    nota.nota = QStringLiteral("Prima riga\rSeconda riga\nTerza riga\r\nQuarta riga");
    MemorizzaVoto(nota);
    // A sub-item of 40 characters: the console cut it after its 30th, a
    // blank.
    VotoProva sub;
    sub.tasti = {{1, u'3'}, {3, u'6'}};
    sub.dettaglio = QStringLiteral("Emendamento numero 1234567890 ");
    sub.extra = PadTaglia(QStringLiteral("al comma 3"), 30);
    ASSERT_EQ(sub.dettaglio.size(), 30);
    MemorizzaVoto(sub);

    const Pdf pdf = StampaArchivio();
    ControllaArea(pdf);
    ASSERT_EQ(pdf.Pagine(), 2);
    const Griglia g = Griglia::DellaStampante();
    const QStringList attese = {"Prima riga", "Seconda riga", "Terza riga", "Quarta riga"};
    int riga = -1;
    for (const QString& t : attese) {
        const auto w = pdf.Trova(t, 1);
        ASSERT_EQ(w.size(), 1u) << t.toStdString() << "\n" << pdf.Testo(1).toStdString();
        EXPECT_EQ(g.Colonna(w[0]), 5);
        if (riga >= 0) EXPECT_EQ(g.Riga(w[0]), riga + 1) << t.toStdString();
        riga = g.Riga(w[0]);
    }
    for (const auto& r : pdf.Righe(1)) EXPECT_FALSE(r.testo.contains(QStringLiteral("riga Seconda")));

    const auto s = pdf.Trova(QStringLiteral("Emendamento numero 1234567890 al comma 3"), 2);
    ASSERT_EQ(s.size(), 1u) << pdf.Testo(2).toStdString();
    EXPECT_EQ(g.Colonna(s[0]), 21);
    EXPECT_TRUE(pdf.Trova(QStringLiteral("1234567890al")).empty());
}

}  // namespace
