// The export of the stored votes as long work: over an archive of more
// votes than the progress window waits for, the window shows the count
// done of the total with its "Interrompi"; stopped at any step, the last
// included, it writes no file, leaves the file already there byte for byte
// and no leftover beside it, and says it was stopped, never that it ended;
// not stopped, it writes every vote.
#include <QApplication>
#include <QDir>
#include <QProgressDialog>
#include <QPushButton>

#include "exchange/BancoScambio.h"
#include "platform/Avanzamento.h"

using namespace obx;
using namespace obx::test;

namespace {

const QString kInterrotta = QStringLiteral("Esportazione Voti Interrotta: nessun file scritto.");
const QString kTerminata = QStringLiteral("Esportazione Voti Terminata");

// More votes than the window waits for, and not a round number of its
// steps.
constexpr int kVoti = Avanzamento::kMinimo + 37;

// The progress window of the work under way, if any.
QProgressDialog* FinestraAvanzamento()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<QProgressDialog*>(w)) return d;
    return nullptr;
}

class EsportaFermata : public BancoScambio {
protected:
    void SetUp() override
    {
        BancoScambio::SetUp();
        if (HasFatalFailure()) return;
        dbArchivio.Execute(QStringLiteral("UPDATE DELIBERE SET cProtocolloDE = 'PG/1' WHERE iDeliberaDE = 1;"));
        for (int codice = 1; codice <= 8; ++codice)
            dbArchivio.Execute(QStringLiteral("UPDATE ANAGRAFE SET cIrideIdAN = ? WHERE bCodiceAN = ?;"),
                               {QStringLiteral("ID%1").arg(codice), codice});
        QString votanti(120, QChar(0)), voti(120, u'0');
        for (int i = 0; i < 8; ++i) {
            votanti[i] = QChar(i + 1);
            voti[i] = i % 2 ? u'6' : u'3';
        }
        Transazione t;
        Recordset rs = dbArchivio.OpenTable(cTabelle[4], QStringLiteral("TAG_A"));
        for (int n = 0; n < kVoti; ++n) {
            rs.AddNew();
            rs.SetField(QStringLiteral("cPaleseVT"), QStringLiteral("P"));
            rs.SetField(QStringLiteral("iDeliberaVT"), 1);
            rs.SetField(QStringLiteral("iPresentiVT"), 8);
            rs.SetField(QStringLiteral("iFavorevoliVT"), 4);
            rs.SetField(QStringLiteral("iContrariVT"), 4);
            rs.SetField(QStringLiteral("iAstenutiVT"), 0);
            rs.SetField(QStringLiteral("cVotantiVT"), votanti);
            rs.SetField(QStringLiteral("cVotiVT"), voti);
            rs.Update();
        }
        rs.Close();
        t.Commit();
    }
    void TearDown() override
    {
        Avanzamento::ImpostaArresto({});
        BancoScambio::TearDown();
    }

    // The files of the archive's folder but the archive's own.
    QStringList AltriFile() const
    {
        QStringList l = QDir(archivio->Cartella()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        l.removeIf([](const QString& f) { return !f.startsWith(u"voti"); });
        return l;
    }
};

TEST_F(EsportaFermata, StoppedAtAnyStepWritesNothingAndSaysSo)
{
    struct Caso {
        bool sintesi;
        int passo;  // the step the operator presses "Interrompi" after
        bool fileGiaPresente;
    };
    const Caso casi[] = {
        {true, 1, false},    {false, 1, true},    {true, 200, true},
        {false, 200, false}, {true, kVoti, true}, {false, kVoti, false},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(testing::Message() << (c.sintesi ? "Sintesi" : "Dettaglio") << ", fermata al passo " << c.passo
                                        << (c.fileGiaPresente ? ", sopra un file" : ""));
        const QString f = Percorso(QStringLiteral("voti.txt"));
        QFile::remove(f);
        if (c.fileGiaPresente) File(QStringLiteral("voti.txt"), "l'esportazione di ieri\r\n");
        const QByteArray prima = Impronta(f);

        int passi = 0;
        QString conteggio, pulsante;
        Avanzamento::ImpostaArresto([&](int n, int totale) {
            ++passi;
            EXPECT_EQ(totale, kVoti);
            if (n != c.passo) return false;
            // What the operator sees when pressing the button.
            if (QProgressDialog* d = FinestraAvanzamento()) {
                conteggio = d->labelText();
                if (auto* b = d->findChild<QPushButton*>()) pulsante = b->text();
            }
            return true;
        });
        (*ui)->AttendiMsg(kInterrotta);
        EsportaVoti(f, kFormatoIride, c.sintesi);

        EXPECT_EQ(passi, c.passo) << "the export went on after the stop";
        ASSERT_FALSE((*ui)->Storia().empty());
        EXPECT_EQ((*ui)->Storia().back().testo, kInterrotta);
        EXPECT_EQ((*ui)->Storia().back().stile, vbExclamation);
        if (c.fileGiaPresente) {
            EXPECT_EQ(Impronta(f), prima);
            EXPECT_EQ(AltriFile(), QStringList{QStringLiteral("voti.txt")});
        } else {
            EXPECT_FALSE(QFile::exists(f));
            EXPECT_TRUE(AltriFile().isEmpty()) << AltriFile().join(u' ').toStdString();
        }
        // The window shows the count where the bar last moved.
        const int mostrato = c.passo / Avanzamento::kOgni * Avanzamento::kOgni;
        EXPECT_TRUE(conteggio.endsWith(Avanzamento::Conteggio(mostrato, kVoti))) << conteggio.toStdString();
        EXPECT_EQ(pulsante, QStringLiteral("Interrompi"));
    }
    EXPECT_EQ(FinestraAvanzamento(), nullptr) << "the progress window outlived its work";
}

TEST_F(EsportaFermata, NotStoppedWritesEveryVote)
{
    for (const bool sintesi : {true, false}) {
        SCOPED_TRACE(sintesi ? "Sintesi" : "Dettaglio");
        const QString f = Percorso(QStringLiteral("voti.txt"));
        File(QStringLiteral("voti.txt"), "l'esportazione di ieri\r\n");
        int ultimo = 0;
        Avanzamento::ImpostaArresto([&](int n, int) {
            ultimo = n;
            return false;
        });
        (*ui)->AttendiMsg(kTerminata);
        EsportaVoti(f, kFormatoIride, sintesi);
        EXPECT_EQ(ultimo, kVoti);
        const auto righe = Record(f);
        ASSERT_EQ(righe.size(), size_t(sintesi ? kVoti : kVoti * 8));
        EXPECT_EQ(righe.front().value(0), sintesi ? QStringLiteral("PG/1") : QStringLiteral("1"));
        EXPECT_EQ(AltriFile(), QStringList{QStringLiteral("voti.txt")});
    }
}

}  // namespace
