// The long printed reports: every stored vote from "Controllo Voti", the
// participation statistics and the whole event list.  Over more rows than
// the progress window waits for, each shows the count done of the total
// with its "Interrompi"; stopped after pages were already laid out, the
// job is discarded: no file of it is left in "Stampe" nor beside a file
// the caller gave (which keeps what it held), and the operator is told it
// was stopped, never where it was saved.  Not stopped, each prints.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <functional>

#include "event-reports/BancoEventi.h"
#include "platform/Avanzamento.h"
#include "platform/GrigliaDati.h"
#include "reports/Statistica.h"
#include "reports/VerbaleVoto.h"

using namespace obx;
using namespace obx::test;

namespace {

// More rows than the window waits for, not a round number of its steps.
constexpr int kRighe = Avanzamento::kMinimo + 23;

QProgressDialog* FinestraAvanzamento()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<QProgressDialog*>(w)) return d;
    return nullptr;
}

enum class Lavoro { Votazioni, Statistica, Eventi };

const char* NomeLavoro(Lavoro l)
{
    switch (l) {
    case Lavoro::Votazioni: return "votazioni";
    case Lavoro::Statistica: return "statistica";
    case Lavoro::Eventi: return "eventi";
    }
    return "";
}

class StampaFermata : public BancoEventi {
protected:
    void SetUp() override
    {
        BancoEventi::SetUp();
        if (HasFatalFailure()) return;
        ImpostaOsservatoreStampa([this](int, int, int, const QString&) { ++posati; });
    }
    void TearDown() override
    {
        Avanzamento::ImpostaArresto({});
        BancoEventi::TearDown();
    }

    // The rows the job walks: votes for the first two, events for the last.
    void Righe(Lavoro l)
    {
        Transazione t;
        if (l == Lavoro::Eventi) {
            for (int n = 0; n < kRighe; ++n)
                ScriveEvento({kPrimaSeduta, QTime(9, 0).addSecs(n * 10), n % 2 ? "U" : "E", n % 2 ? "Esce" : "Entra",
                              QStringLiteral("Consigliere %1").arg(n % 8 + 1), n % 2});
        } else {
            for (int n = 0; n < kRighe; ++n) {
                VotoProva v;
                v.tasti = {{1, u'3'}, {2, u'3'}, {3, u'6'}, {4, u'5'}};
                v.inizio = kOraStampa.addSecs(n * 120);
                MemorizzaVoto(v);
            }
        }
        t.Commit();
    }

    // The printer dialog, confirmed, of the jobs that show one.
    void AttendeDialogo(Lavoro l)
    {
        if (l != Lavoro::Statistica) (*ui)->AttendiStampante(true);
    }
    // Runs the job as its command does.
    void Esegue(Lavoro l)
    {
        switch (l) {
        case Lavoro::Votazioni: StampaVerbaleVoto(true, QString()); break;
        case Lavoro::Statistica: StampaStatistica(); break;
        case Lavoro::Eventi: finestra->StampaEventi(QStringLiteral("T"), QString()); break;
        }
    }

    // Every file of "Stampe" (leftovers included).
    QStringList Stampe() const { return QDir(CartellaStampe()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

    int posati = 0;
    frmEvent* finestra = nullptr;
};

// One case a test, so that the long print runs of a sanitized build share
// the machine rather than queue up in one test.
struct Caso {
    Lavoro lavoro;
    int passo;              // the step the operator presses "Interrompi" after
    bool fileDelChiamante;  // printing to a file the caller set, already there
    bool giaPosato;         // texts were laid out before the stop
};
class StampaFermataCaso : public StampaFermata, public testing::WithParamInterface<Caso> {};

TEST_P(StampaFermataCaso, AStoppedJobLeavesNothingAndSaysSo)
{
    const Caso& c = GetParam();
    SCOPED_TRACE(testing::Message() << NomeLavoro(c.lavoro) << ", fermata al passo " << c.passo
                                    << (c.fileDelChiamante ? ", sul file del chiamante" : ""));
    archivio.reset();
    Archivio(1);
    archivio->Consiglieri();
    Righe(c.lavoro);
    if (c.lavoro == Lavoro::Eventi) finestra = Finestra();

    const QString proprio = archivio->Cartella() + QStringLiteral("stampa.pdf");
    QByteArray prima;
    if (c.fileDelChiamante) {
        QFile f(proprio);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("%PDF-1.4 la stampa di ieri\n");
        f.close();
        prima = Impronta(proprio);
        Stampante().setOutputFileName(proprio);
    } else {
        Stampante().setOutputFileName(QString());
    }

    posati = 0;
    int passi = 0, posatiAllaFermata = -1;
    QString conteggio, pulsante;
    Avanzamento::ImpostaArresto([&](int n, int totale) {
        ++passi;
        EXPECT_EQ(totale, kRighe);
        if (n != c.passo) return false;
        posatiAllaFermata = posati;
        if (QProgressDialog* d = FinestraAvanzamento()) {
            conteggio = d->labelText();
            if (auto* b = d->findChild<QPushButton*>()) pulsante = b->text();
            // With OBX_SCREENSHOT_DIR set, the window as it shows, to be
            // looked at.
            if (const QString dove = qEnvironmentVariable("OBX_SCREENSHOT_DIR"); !dove.isEmpty()) {
                QDir().mkpath(dove);
                d->show();
                QApplication::processEvents();
                d->grab().save(dove + QStringLiteral("/avanzamento_") + QString::fromLatin1(NomeLavoro(c.lavoro)) +
                               QStringLiteral(".png"));
            }
        }
        return true;
    });
    AttendeDialogo(c.lavoro);
    (*ui)->AttendiMsg(kStampaInterrotta);
    Esegue(c.lavoro);

    EXPECT_EQ(passi, c.passo) << "the job went on after the stop";
    EXPECT_EQ(posatiAllaFermata > 0, c.giaPosato) << posatiAllaFermata;
    EXPECT_EQ(posati, posatiAllaFermata) << "texts laid out after the stop";
    ASSERT_FALSE((*ui)->Storia().empty());
    EXPECT_EQ((*ui)->Storia().back().testo, kStampaInterrotta);
    EXPECT_EQ((*ui)->Storia().back().stile, vbExclamation);
    EXPECT_TRUE(Stampe().isEmpty()) << Stampe().join(u' ').toStdString();
    if (c.fileDelChiamante) {
        EXPECT_EQ(Impronta(proprio), prima);
        const QStringList accanto = QDir(archivio->Cartella()).entryList({QStringLiteral("stampa*")}, QDir::Files);
        EXPECT_EQ(accanto, QStringList{QStringLiteral("stampa.pdf")});
    }
    const int mostrato = c.passo / Avanzamento::kOgni * Avanzamento::kOgni;
    EXPECT_TRUE(conteggio.endsWith(Avanzamento::Conteggio(mostrato, kRighe))) << conteggio.toStdString();
    EXPECT_EQ(pulsante, QStringLiteral("Interrompi"));
    EXPECT_EQ(FinestraAvanzamento(), nullptr) << "the progress window outlived its job";

    // The next job prints as usual: nothing of the stopped one is held.
    Avanzamento::ImpostaArresto({});
    AttendeDialogo(c.lavoro);
    if (!c.fileDelChiamante) AttendeFile();
    posati = 0;
    Esegue(c.lavoro);
    EXPECT_GT(posati, 0);
    const QString file = c.fileDelChiamante ? proprio : FileStampa();
    const Pdf pdf(file);
    ASSERT_TRUE(pdf.Valido()) << file.toStdString();
    EXPECT_GT(pdf.Pagine(), 0);
    if (c.lavoro == Lavoro::Votazioni) EXPECT_EQ(pdf.Pagine(), kRighe) << "one vote a page";

    if (finestra) delete finestra;
    finestra = nullptr;
    Stampante().setOutputFileName(QString());
}

const Caso kCasi[] = {
    {Lavoro::Votazioni, 200, false, true},
    {Lavoro::Votazioni, 1, true, true},
    {Lavoro::Votazioni, kRighe, false, true},
    // The statistics lay out nothing before they have read every vote.
    {Lavoro::Statistica, 200, false, false},
    {Lavoro::Statistica, kRighe, true, false},
    {Lavoro::Eventi, 200, false, true},
    {Lavoro::Eventi, kRighe, true, true},
};

INSTANTIATE_TEST_SUITE_P(Lavori, StampaFermataCaso, testing::ValuesIn(kCasi),
                         [](const testing::TestParamInfo<Caso>& i) {
                             return std::string(NomeLavoro(i.param.lavoro)) + "_passo" +
                                    std::to_string(i.param.passo) + (i.param.fileDelChiamante ? "_file" : "");
                         });

}  // namespace

// The event reports over a part of the log count the part: up to the event
// selected for those present, from the first selected to the second (to
// the end when the second comes first) for a group.
TEST_F(StampaFermata, APartOfTheLogCountsItsOwnEvents)
{
    Righe(Lavoro::Eventi);
    finestra = Finestra();
    ASSERT_EQ(finestra->broEventi->Righe(), kRighe);
    struct Caso {
        const char* modo;
        std::vector<int> righe;  // grid rows selected, in the order of the clicks
        int totale;
    } const casi[] = {
        {"P", {299}, 300},
        {"I", {100, 349}, 250},
        {"I", {400, 100}, kRighe - 400},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(testing::Message() << c.modo << " " << c.righe.front());
        for (size_t i = 0; i < c.righe.size(); ++i) finestra->broEventi->SelezionaRiga(c.righe[i], i > 0);
        int totale = -1;
        Avanzamento::ImpostaArresto([&](int, int t) {
            totale = t;
            return true;
        });
        AttendeDialogo(Lavoro::Eventi);
        (*ui)->AttendiMsg(kStampaInterrotta);
        finestra->StampaEventi(QString::fromLatin1(c.modo), QString());
        EXPECT_EQ(totale, c.totale);
        EXPECT_TRUE(Stampe().isEmpty()) << Stampe().join(u' ').toStdString();
    }
}
