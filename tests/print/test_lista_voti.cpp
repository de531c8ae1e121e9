// "Controllo Voti", the list of the stored votes: its columns and rows, the
// minutes of the selected vote or of all printed from it and read back from
// the PDF file, the emptying of the votes with its question, its refusals
// and a deletion the archive refuses; and the window used while the sitting
// console runs a vote.  With OBX_SCREENSHOT_DIR set (under a real X server)
// the window is also saved there as a picture to look at.
#include <QAction>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <array>
#include <vector>

#include "BancoStampa.h"
#include "BancoVotoStampa.h"
#include "platform/GrigliaDati.h"
#include "reports/frmVoti.h"
#include "shell/frmMain.h"
#include "support/Didascalie.h"

using namespace obx;
using namespace obx::test;

namespace {

const QString kSedutaAperta = QStringLiteral("Riunione Consiliare aperta: chiuderla prima di azzerare le Votazioni");
const QString kVotoInCorso = QString::fromUtf8(kMsgVotoInCorso);

void Chiude(QWidget* w)
{
    if (!w) return;
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Gira()
{
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

// The first row of a vote's minutes.
QString Intestazione(const QDateTime& inizio)
{
    return QStringLiteral("Votazione di ") + DataDiStampa(inizio) + QStringLiteral(" alle ore ") +
           inizio.toString(QStringLiteral("h:mm"));
}

// How many times each of the votes begun at those times was printed.
std::vector<int> Stampati(const Pdf& pdf, const std::vector<QDateTime>& inizi)
{
    std::vector<int> n;
    for (const QDateTime& d : inizi) n.push_back(int(pdf.Trova(Intestazione(d)).size()));
    return n;
}

class ListaVoti : public BancoStampa {
protected:
    void SetUp() override
    {
        BancoStampa::SetUp();
        Archivio();
        Registro(8);
        VotoProva a;
        a.inizio = inizi[0];
        a.tasti = {{3, u'3'}, {4, u'3'}, {5, u'6'}};
        a.quorum = 2;
        a.dettaglio = QStringLiteral("Emendamento 1");
        a.nota = QStringLiteral("Prima lettura");
        VotoProva b;
        b.inizio = inizi[1];
        b.tasti = {{3, u'3'}, {4, u'3'}, {5, u'3'}, {6, u'6'}, {7, u'5'}, {8, u'5'}};
        b.delibera = -2;  // immediate executability of item 2
        b.quorum = 4;
        VotoProva c;
        c.inizio = inizi[2];
        c.tasti = {{6, u'3'}, {7, u'6'}};
        c.delibera = 3;
        for (const VotoProva& v : {a, b, c}) MemorizzaVoto(v);
    }
    void TearDown() override
    {
        Chiude(frmVoti::Aperta());
        BancoStampa::TearDown();
    }

    frmVoti* Apre()
    {
        frmVoti* w = frmVoti::Mostra();
        Gira();
        return w;
    }

    const std::vector<QDateTime> inizi = {QDateTime(QDate(2026, 3, 2), QTime(10, 15)),
                                          QDateTime(QDate(2026, 3, 3), QTime(11, 20)),
                                          QDateTime(QDate(2026, 3, 4), QTime(12, 25))};
};

TEST_F(ListaVoti, TheMenuEntryShowsTheStoredVotesWithoutBlocking)
{
    frmMain m;
    ASSERT_TRUE(m.mnuArchivi[4]->isEnabled());
    EXPECT_EQ(m.mnuArchivi[4]->text(), QStringLiteral("Lista Voti"));
    m.mnuArchivi[4]->trigger();
    frmVoti* w = frmVoti::Aperta();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->isModal());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Controllo Voti"));
    EXPECT_EQ(w->dbfVelmora->text(), QStringLiteral("Votazioni"));
    EXPECT_TRUE(w->rsVoti.IsOpen());

    GrigliaDati* g = w->broVoti;
    QStringList titoli;
    for (int c = 0; c < g->model()->columnCount(); ++c) titoli << g->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titoli, (QStringList{"Ora di Inizio", "Ora di Fine", "Presenti", "Quorum", "Si", "Ast.", "No", "Delibera",
                                   "Dettaglio", "Annotazioni"}));
    ASSERT_EQ(g->Righe(), 3);
    EXPECT_EQ(g->model()->rowCount(), 3);  // no row for adding
    auto riga = [g](int r) {
        QStringList t;
        for (int c = 0; c < 10; ++c) t << g->TestoCella(r, c).trimmed();
        return t;
    };
    EXPECT_EQ(riga(0), (QStringList{"02/03/2026 10:15:00", "02/03/2026 10:16:00", "3", "2", "2", "0", "1", "1",
                                    "Emendamento 1", "Prima lettura"}));
    EXPECT_EQ(riga(1),
              (QStringList{"03/03/2026 11:20:00", "03/03/2026 11:21:00", "6", "4", "3", "2", "1", "-2", "", ""}));
    EXPECT_EQ(riga(2).mid(0, 8),
              (QStringList{"04/03/2026 12:25:00", "04/03/2026 12:26:00", "2", "0", "1", "0", "1", "3"}));

    // Asked for again: the same window, with a vote stored meanwhile.
    VotoProva d;
    d.inizio = inizi[2].addDays(1);
    d.tasti = {{3, u'3'}};
    MemorizzaVoto(d);
    m.mnuArchivi[4]->trigger();
    EXPECT_EQ(frmVoti::Aperta(), w);
    EXPECT_EQ(g->Righe(), 4);
}

TEST_F(ListaVoti, TheGridRefusesEditsDeletionsAndNewRows)
{
    frmVoti* w = Apre();
    GrigliaDati* g = w->broVoti;
    EXPECT_FALSE(g->ScriveCella(0, 2, QStringLiteral("9")));
    EXPECT_FALSE(g->EliminaRiga(0));
    EXPECT_EQ(g->model()->rowCount(), 3);
    EXPECT_EQ(ArchivioProva::Righe(cTabelle[4]), 3);
    EXPECT_EQ(g->TestoCella(0, 2).trimmed(), QStringLiteral("3"));
}

TEST_F(ListaVoti, StampaPrintsTheOneSelectedVoteOrEveryVote)
{
    struct Caso {
        const char* nome;
        std::vector<int> scelte;  // rows selected, in order
        std::vector<int> stampati;
    };
    const Caso casi[] = {
        {"nessuna riga scelta", {}, {1, 1, 1}},
        {"la seconda riga", {1}, {0, 1, 0}},
        {"l'ultima riga", {2}, {0, 0, 1}},
        {"due righe", {0, 2}, {1, 1, 1}},
    };
    frmVoti* w = Apre();
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        w->broVoti->AzzeraSelezione();
        for (size_t i = 0; i < c.scelte.size(); ++i) w->broVoti->SelezionaRiga(c.scelte[i], i > 0);
        (*ui)->AttendiStampante(true);
        AttendeFile();
        w->cmdVoti(0)->click();
        EXPECT_TRUE(w->rsVoti.IsOpen());

        const Pdf pdf(FileStampa());
        ASSERT_TRUE(pdf.Valido());
        EXPECT_EQ(Stampati(pdf, inizi), c.stampati) << pdf.Tutto().toStdString();
        // Each vote from a new page.
        int n = 0;
        for (int k : c.stampati) n += k;
        EXPECT_EQ(pdf.Pagine(), n);
    }

    // The names and counts of the selected vote.
    w->broVoti->SelezionaRiga(1, false);
    (*ui)->AttendiStampante(true);
    AttendeFile();
    w->cmdVoti(0)->click();
    const Pdf pdf(FileStampa());
    ASSERT_TRUE(pdf.Valido());
    const QString testo = pdf.Tutto();
    EXPECT_TRUE(testo.contains(QStringLiteral("Immediata Esecutività"))) << testo.toStdString();
    EXPECT_TRUE(testo.contains(QStringLiteral("Favorevoli: 003"))) << testo.toStdString();
    const Griglia gr = Griglia::DellaStampante();
    const auto astenuto = pdf.Trova(Nome(8));
    ASSERT_EQ(astenuto.size(), 1u) << testo.toStdString();
    EXPECT_EQ(gr.Colonna(astenuto[0]), 53);
}

TEST_F(ListaVoti, ACancelledPrinterDialogPrintsNothing)
{
    frmVoti* w = Apre();
    w->broVoti->SelezionaRiga(0, false);
    (*ui)->AttendiStampante(false);
    w->cmdVoti(0)->click();
    EXPECT_TRUE(FileStampe().isEmpty());
    EXPECT_TRUE(w->rsVoti.IsOpen());
    EXPECT_TRUE(w->isVisible());
}

TEST_F(ListaVoti, SvuotaAsksAndDeletesEveryVoteOnlyOnOK)
{
    frmVoti* w = Apre();
    (*ui)->AttendiMsg(QStringLiteral("Azzera Votazioni"), vbCancel);
    w->cmdVoti(2)->click();
    const auto& domanda = (*ui)->Storia().back();
    EXPECT_EQ(domanda.stile, vbOKCancel + vbQuestion + vbDefaultButton2);
    EXPECT_EQ(domanda.titolo, QStringLiteral("O.B.X."));
    EXPECT_EQ(ArchivioProva::Righe(cTabelle[4]), 3);
    ASSERT_EQ(frmVoti::Aperta(), w);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->rsVoti.IsOpen());

    (*ui)->AttendiMsg(QStringLiteral("Azzera Votazioni"), vbOK);
    w->cmdVoti(2)->click();
    EXPECT_EQ(ArchivioProva::Righe(cTabelle[4]), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frmVoti::Aperta(), nullptr);
}

TEST_F(ListaVoti, SvuotaIsRefusedWhileTheConsoleIsOpen)
{
    frmVoti* w = Apre();
    bConsoleAperta = true;
    // No question: the refusal at once.
    (*ui)->AttendiMsg(kSedutaAperta);
    w->cmdVoti(2)->click();
    EXPECT_EQ(ArchivioProva::Righe(cTabelle[4]), 3);
    EXPECT_EQ(frmVoti::Aperta(), w);
}

TEST_F(ListaVoti, ADeletionTheArchiveRefusesIsShownAndLosesNothing)
{
    QSqlQuery q(dbArchivio.Connessione());
    ASSERT_TRUE(q.exec(QStringLiteral("CREATE TRIGGER VOTI_bloccati BEFORE DELETE ON VOTI "
                                      "BEGIN SELECT RAISE(ABORT, 'cancellazione negata'); END")))
        << q.lastError().text().toStdString();
    frmVoti* w = Apre();
    (*ui)->AttendiMsg(QStringLiteral("Azzera Votazioni"), vbOK);
    (*ui)->AttendiMsg(QStringLiteral("cancellazione negata"), vbOK, true);
    w->cmdVoti(2)->click();
    EXPECT_EQ((*ui)->Storia().back().stile & vbCritical, vbCritical);
    EXPECT_EQ(ArchivioProva::Righe(cTabelle[4]), 3);
    ASSERT_EQ(frmVoti::Aperta(), w);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->rsVoti.IsOpen());
    ASSERT_EQ(w->broVoti->Righe(), 3);
    EXPECT_EQ(w->broVoti->TestoCella(2, 7).trimmed(), QStringLiteral("3"));

    // The rows can still be printed.
    (*ui)->AttendiStampante(true);
    AttendeFile();
    w->cmdVoti(0)->click();
    const Pdf pdf(FileStampa());
    EXPECT_EQ(Stampati(pdf, inizi), (std::vector<int>{1, 1, 1}));
}

TEST_F(ListaVoti, CaptionsFit)
{
    frmVoti* w = Apre();
    const auto tagliate = DidascalieTagliate(w);
    EXPECT_TRUE(tagliate.empty()) << Descrive(tagliate).toStdString();
    GrigliaDati* g = w->broVoti;
    const QFontMetrics fm = g->horizontalHeader()->fontMetrics();
    for (int c = 0; c < g->model()->columnCount(); ++c) {
        const QString t = g->model()->headerData(c, Qt::Horizontal).toString();
        EXPECT_GE(g->columnWidth(c), fm.horizontalAdvance(t) + 8) << t.toStdString();
        // The dates and counts are shown whole.
        if (c < 8) EXPECT_GE(g->columnWidth(c), g->fontMetrics().horizontalAdvance(g->TestoCella(0, c)) + 6) << c;
    }
    const QString cartella = qEnvironmentVariable("OBX_SCREENSHOT_DIR");
    if (!cartella.isEmpty()) {
        QDir().mkpath(cartella);
        w->broVoti->SelezionaRiga(1, false);
        Gira();
        EXPECT_TRUE(w->grab().save(cartella + QStringLiteral("/frmVoti.png")));
    }
}

// The list used while the sitting console runs.
class ListaVotiInSeduta : public BancoVotoStampa {
protected:
    void TearDown() override
    {
        Chiude(frmVoti::Aperta());
        BancoVotoStampa::TearDown();
    }
    // A vote stored earlier: every member against, on another day.
    QDateTime MemorizzaPrecedente()
    {
        VotoProva prima;
        for (int i = 1; i <= 8; ++i) prima.tasti[Codice(i)] = u'6';
        prima.inizio = QDateTime(QDate(2025, 12, 1), QTime(18, 30));
        MemorizzaVoto(prima);
        return prima.inizio;
    }
};

TEST_F(ListaVotiInSeduta, OpenedDuringAVoteItRefusesPrintAndEmptyAndTheKeysFlow)
{
    MemorizzaPrecedente();
    frmMain m;
    bool aperta = false;
    Vota4([&] {
        m.mnuArchivi[4]->trigger();
        frmVoti* w = frmVoti::Aperta();
        ASSERT_NE(w, nullptr);
        aperta = w->isVisible();
        EXPECT_TRUE(oVoto.RaccoglieTasti());
        // The printer dialog and the question would each hold the keys up.
        w->broVoti->SelezionaRiga(0, false);
        (*ui)->AttendiMsg(kVotoInCorso);
        w->cmdVoti(0)->click();
        (*ui)->AttendiMsg(kVotoInCorso);
        w->cmdVoti(2)->click();
        EXPECT_TRUE(oVoto.RaccoglieTasti());
        EXPECT_TRUE(FileStampe().isEmpty());
    });
    EXPECT_TRUE(aperta);
    // The vote went on to its end with its four keys, beside the earlier one.
    const auto righe = Voti();
    ASSERT_EQ(righe.size(), 2u);
    EXPECT_EQ(righe[1].favorevoli, 2);
    EXPECT_EQ(righe[1].contrari, 1);
    EXPECT_EQ(righe[1].astenuti, 1);
    EXPECT_EQ(righe[1].voti.at(Codice(4) - 1), u'3');
}

TEST_F(ListaVotiInSeduta, PrintingDuringTheSittingLeavesTheConsolesVoteAlone)
{
    const QDateTime prima = MemorizzaPrecedente();
    Vota4([] {});
    ASSERT_EQ(Voti().size(), 2u);
    // What the console holds of its last vote.
    const QDateTime inizio = dInizioVoto;
    QStringList tasti;
    for (size_t i = 1; i < aPosti.size(); ++i) tasti << aPosti[i].cVoto;
    const QString voti = cVoti.Testo();
    const int si = iFavorevoli, no = iContrari, astenuti = iAstenuti;
    ASSERT_EQ(tasti.mid(0, 4), (QStringList{"3", "6", "5", "3"}));

    frmMain m;
    m.mnuArchivi[4]->trigger();
    frmVoti* w = frmVoti::Aperta();
    ASSERT_NE(w, nullptr);
    Gira();
    ASSERT_EQ(w->broVoti->Righe(), 2);
    w->broVoti->SelezionaRiga(0, false);
    (*ui)->AttendiStampante(true);
    AttendeFile();
    w->cmdVoti(0)->click();

    EXPECT_EQ(dInizioVoto, inizio);
    QStringList dopo;
    for (size_t i = 1; i < aPosti.size(); ++i) dopo << aPosti[i].cVoto;
    EXPECT_EQ(dopo, tasti);
    EXPECT_EQ(cVoti.Testo(), voti);
    EXPECT_EQ(iFavorevoli, si);
    EXPECT_EQ(iContrari, no);
    EXPECT_EQ(iAstenuti, astenuti);

    // Only the stored vote chosen, every member against.
    const Pdf pdf(FileStampa());
    ASSERT_TRUE(pdf.Valido());
    EXPECT_EQ(Stampati(pdf, {prima, inizio}), (std::vector<int>{1, 0})) << pdf.Tutto().toStdString();
    EXPECT_FALSE(pdf.Trova(QStringLiteral("Contrari: 008")).empty()) << pdf.Tutto().toStdString();

    // The sitting is still open: the votes are not emptied under it.
    (*ui)->AttendiMsg(kSedutaAperta);
    w->cmdVoti(2)->click();
    EXPECT_EQ(Voti().size(), 2u);
}

}  // namespace
