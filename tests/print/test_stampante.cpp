// Where a report goes, the grid it is laid on, and the rows a long text
// is broken into.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

#include "BancoStampa.h"
#include "support/Didascalie.h"

using namespace obx;
using namespace obx::test;

namespace {

class Stampante_ : public BancoStampa {
protected:
    void SetUp() override
    {
        BancoStampa::SetUp();
        ASSERT_TRUE(m_dir.isValid());
        cCartella = m_dir.path() + u'/';
    }
    QTemporaryDir m_dir;
};

TEST_F(Stampante_, WithoutAPrinterEachReportGoesToANewFileInStampeAndTheOperatorIsTold)
{
    ASSERT_TRUE(ImpostaStampante(0, QStringLiteral("Prova")));
    const QString primo = cCartella + QStringLiteral("Stampe/Prova_20260505-090712.pdf");
    EXPECT_EQ(FileStampa(), primo);
    // Nothing placed yet: no job, no file.
    EXPECT_FALSE(QFileInfo::exists(primo));
    StampaXY(1, 5, QStringLiteral("Riga di prova"));
    AttendeFile();
    FineStampa();
    ASSERT_TRUE(QFileInfo::exists(primo));
    ASSERT_FALSE((*ui)->Storia().empty());
    EXPECT_TRUE((*ui)->Storia().back().testo.endsWith(QDir::toNativeSeparators(primo)));
    EXPECT_EQ((*ui)->Storia().back().stile & vbInformation, vbInformation);
    const Pdf pdf(primo);
    EXPECT_EQ(pdf.Testo(1), QStringLiteral("Riga di prova"));

    // Another report in the same second does not overwrite it.
    ASSERT_TRUE(ImpostaStampante(0, QStringLiteral("Prova")));
    StampaXY(1, 5, QStringLiteral("Seconda"));
    AttendeFile();
    FineStampa();
    EXPECT_EQ(FileStampa(), cCartella + QStringLiteral("Stampe/Prova_20260505-090712-2.pdf"));
    EXPECT_EQ(Pdf(primo).Testo(1), QStringLiteral("Riga di prova"));
    EXPECT_EQ(Pdf(FileStampa()).Testo(1), QStringLiteral("Seconda"));

    // A report that prints nothing writes nothing and says nothing.
    orologio.Avanza(60);
    ASSERT_TRUE(ImpostaStampante(0, QStringLiteral("Vuota")));
    FineStampa();
    EXPECT_EQ(FileStampe().size(), 2) << FileStampe().join(u' ').toStdString();
}

TEST_F(Stampante_, ThePrinterDialogOffersTheFileAndItsChoiceHoldsForTheNextReport)
{
    // Cancelled: silent, nothing printed.
    (*ui)->AttendiStampante(false);
    EXPECT_FALSE(ImpostaStampante(2, QStringLiteral("Annullata")));
    EXPECT_TRUE(FileStampe().isEmpty());

    (*ui)->AttendiStampante(true);
    ASSERT_TRUE(ImpostaStampante(3, QStringLiteral("Elenco")));
    EXPECT_EQ(Stampante().outputFileName(), cCartella + QStringLiteral("Stampe/Elenco_20260505-090712.pdf"));
    EXPECT_EQ(Stampante().pageLayout().orientation(), QPageLayout::Landscape);
    StampaXY(0, 0, QStringLiteral("x"));
    AttendeFile();
    FineStampa();

    // Asked before the report (the console's "Stampa"): the report keeps it.
    orologio.Avanza(1);
    (*ui)->AttendiStampante(true);
    ASSERT_TRUE(ScegliDestinazioneStampa(QStringLiteral("Verbale_Voto")));
    const QString scelto = Stampante().outputFileName();
    EXPECT_EQ(scelto, cCartella + QStringLiteral("Stampe/Verbale_Voto_20260505-090713.pdf"));
    orologio.Avanza(5);
    ASSERT_TRUE(ImpostaStampante(0, QStringLiteral("Verbale_Voto")));
    EXPECT_EQ(FileStampa(), scelto);
    StampaXY(0, 0, QStringLiteral("x"));
    AttendeFile();
    FineStampa();
    EXPECT_TRUE(QFileInfo::exists(scelto));
}

TEST_F(Stampante_, AFileTheCallerSetIsWrittenWithoutAMessage)
{
    const QString mio = m_dir.path() + QStringLiteral("/mio.pdf");
    Stampante().setOutputFileName(mio);
    ASSERT_TRUE(ImpostaStampante(0, QStringLiteral("Prova")));
    EXPECT_EQ(FileStampa(), mio);
    StampaXY(0, 0, QStringLiteral("x"));
    FineStampa();
    EXPECT_TRUE(QFileInfo::exists(mio));
    EXPECT_TRUE((*ui)->Storia().empty());
    EXPECT_TRUE(FileStampe().isEmpty());
}

TEST_F(Stampante_, AFolderThatCannotBeMadeIsReportedAndNothingIsPrinted)
{
    // "Stampe" cannot be made inside a file.
    QFile file(m_dir.path() + QStringLiteral("/archivio"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    cCartella = file.fileName() + u'/';
    (*ui)->AttendiMsg(QStringLiteral("Impossibile creare la cartella "), vbOK, true);
    EXPECT_FALSE(ImpostaStampante(0, QStringLiteral("Prova")));
    ASSERT_FALSE((*ui)->Storia().empty());
    EXPECT_EQ((*ui)->Storia().back().stile & vbCritical, vbCritical);
}

TEST_F(Stampante_, RowsAndColumnsFallInsideThePrintableArea)
{
    ASSERT_TRUE(ImpostaStampante(0, QStringLiteral("Griglia")));
    // The report face: Courier New, or a face of the same metrics.
    const QFontInfo fi(QFont(QStringLiteral("Courier New"), 10));
    EXPECT_TRUE(fi.fixedPitch()) << fi.family().toStdString();

    const Griglia g = Griglia::DellaStampante();
    const double altezza = g.area.height() * 20;  // twips
    EXPECT_EQ(iRighePagina, int(std::floor(std::lround(altezza * 0.9) / double(iAltezzaRiga) - 2)));
    // Some fifty rows of Courier New 10 on 90 % of the printable A4 portrait.
    EXPECT_GT(iRighePagina, 45);
    EXPECT_LT(iRighePagina, 60);

    // The last row a report may reach ("segue pag." three rows under the
    // page's last row) and the widest column of the reports.
    const int ultima = iRighePagina + 3;
    StampaXY(0, 0, QStringLiteral("alto"));
    StampaXY(ultima, 5, QStringLiteral("segue"));
    StampaXY(ultima, 70, QStringLiteral("pag.99"));
    StampaXY(20, 29, QStringLiteral("colonna29"));
    AttendeFile();
    FineStampa();
    const Pdf pdf(FileStampa());
    ASSERT_TRUE(pdf.Valido());
    ASSERT_EQ(pdf.Parole().size(), 4u) << pdf.Tutto().toStdString();
    for (const ParolaPdf& w : pdf.Parole()) {
        EXPECT_TRUE(g.Dentro(w)) << w.testo.toStdString() << " " << w.x0 << "," << w.y0 << "-" << w.x1 << "," << w.y1;
        EXPECT_NEAR(w.x0, g.X(g.Colonna(w)), 0.6) << w.testo.toStdString();
    }
    const auto pos = [&](const char* t) { return pdf.Trova(QString::fromLatin1(t)).at(0); };
    EXPECT_EQ(g.Colonna(pos("alto")), 0);
    EXPECT_EQ(g.Riga(pos("alto")), 0);
    EXPECT_EQ(g.Colonna(pos("colonna29")), 29);
    EXPECT_EQ(g.Riga(pos("colonna29")), 20);
    EXPECT_EQ(g.Colonna(pos("pag.99")), 70);
    EXPECT_EQ(g.Riga(pos("segue")), ultima);

    // Landscape: fewer rows.
    const int verticale = iRighePagina;
    ASSERT_TRUE(ImpostaStampante(1, QStringLiteral("Griglia")));
    EXPECT_LT(iRighePagina, verticale);
    FineStampa();
}

TEST_F(Stampante_, EveryLineBreakEndsTheRowOnceAndLosesNothing)
{
    struct Caso {
        const char* testo;
        int larghezza;
        QStringList righe;
    };
    const Caso casi[] = {
        {"ab\rcd", 8, {"ab", "cd"}},
        {"ab\ncd", 8, {"ab", "cd"}},
        {"ab\r\ncd", 8, {"ab", "cd"}},
        {"ab\r\rcd", 8, {"ab", "", "cd"}},
        {"ab\n\ncd", 8, {"ab", "", "cd"}},
        {"ab\r\n\r\ncd", 8, {"ab", "", "cd"}},
        {"\rab", 8, {"", "ab"}},
        {"ab\r", 8, {"ab"}},
        // A break past the width: the part before it wraps, the break is
        // not printed inside a row.
        {"abcdefghij\rxy", 8, {"abcdefghij", "xy"}},
        {"aaa bbb ccc\r\nddd", 8, {"aaa bbb ccc", "ddd"}},
        {"aaa bbb ccc ddd\neee", 8, {"aaa bbb", "ccc ddd", "eee"}},
        {"aaa bbbbbbbb\rc", 8, {"aaa bbbbbbbb", "c"}},
        // The rule without breaks stays.
        {"aaa bbb ccc ddd", 8, {"aaa bbb", "ccc ddd"}},
        {"aaa bbb ccc", 8, {"aaa bbb ccc"}},
        {"abc   ", 8, {"abc"}},
        {"", 8, {}},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(QString::fromLatin1(c.testo)
                         .replace(u'\r', QStringLiteral("<CR>"))
                         .replace(u'\n', QStringLiteral("<LF>"))
                         .toStdString());
        EXPECT_EQ(DivideTestoACapo(QString::fromLatin1(c.testo), c.larghezza), c.righe);
    }

    // On paper: each row on its own printer row, no glyph for a break.
    std::vector<std::pair<int, QString>> posti;
    ImpostaOsservatoreStampa([&](int, int r, int, const QString& t) { posti.emplace_back(r, t); });
    ASSERT_TRUE(ImpostaStampante(0, QStringLiteral("Capo")));
    StampaTestoACapo(3, 5, QStringLiteral("Prima riga\rSeconda riga\nTerza riga\r\nQuarta"), 50);
    EXPECT_EQ(iRigaStampa, 7);
    AttendeFile();
    FineStampa();
    const Pdf pdf(FileStampa());
    const Griglia g = Griglia::DellaStampante();
    const auto righe = pdf.Righe(1);
    ASSERT_EQ(righe.size(), 4u) << pdf.Tutto().toStdString();
    const QStringList attese = {"Prima riga", "Seconda riga", "Terza riga", "Quarta"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(righe[size_t(i)].testo, attese.at(i));
        EXPECT_EQ(g.Riga(righe[size_t(i)].parole.front()), 3 + i);
        EXPECT_EQ(g.Colonna(righe[size_t(i)].parole.front()), 5);
    }
}

TEST_F(Stampante_, ThePrinterDialogSpeaksItalianAndOffersTheFile)
{
    // The operator's dialog itself, as the reports show it, on a machine
    // without printers: the file in "Stampe" is what it offers.
    ASSERT_TRUE(ImpostaStampante(0, QStringLiteral("Verbale_Voto")));
    FineStampa();
    const QString offerto = Stampante().outputFileName();
    ASSERT_TRUE(offerto.startsWith(CartellaStampe())) << offerto.toStdString();

    QStringList visti;
    QString tagliate;
    bool comparso = false;
    auto* t = new QTimer;
    t->setInterval(10);
    QObject::connect(t, &QTimer::timeout, [&, t] {
        QWidget* m = QApplication::activeModalWidget();
        if (!m) return;
        t->stop();
        t->deleteLater();
        comparso = true;
        for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
        for (const QLabel* l : m->findChildren<QLabel*>())
            if (l->isVisibleTo(m)) visti << QString(l->text()).remove(u'&');
        for (const QAbstractButton* b : m->findChildren<QAbstractButton*>())
            if (b->isVisibleTo(m)) visti << QString(b->text()).remove(u'&');
        for (const QGroupBox* g : m->findChildren<QGroupBox*>())
            if (g->isVisibleTo(m)) visti << QString(g->title()).remove(u'&');
        tagliate = Descrive(DidascalieTagliate(m));
        const QString cartella = qEnvironmentVariable("OBX_SCREENSHOT_DIR");
        if (!cartella.isEmpty()) {
            QDir().mkpath(cartella);
            m->grab().save(cartella + QStringLiteral("/QPrintDialog.png"));
        }
        if (auto* d = qobject_cast<QDialog*>(m)) d->reject();
    });
    t->start();
    DialoghiQt qt;
    EXPECT_FALSE(qt.ScegliStampante(Stampante()));
    ASSERT_TRUE(comparso);
    const QString tutti = visti.join(u'|');
    EXPECT_TRUE(visti.contains(QStringLiteral("Annulla"))) << tutti.toStdString();
    EXPECT_TRUE(visti.contains(QStringLiteral("Stampa"))) << tutti.toStdString();
    const QStringList inglese{QStringLiteral("Cancel"),     QStringLiteral("Print"),       QStringLiteral("Printer"),
                              QStringLiteral("Properties"), QStringLiteral("Options"),     QStringLiteral("Copies"),
                              QStringLiteral("Pages"),      QStringLiteral("Output file:")};
    for (const QString& parola : inglese) EXPECT_FALSE(visti.contains(parola)) << parola.toStdString();
    EXPECT_TRUE(tagliate.isEmpty()) << tagliate.toStdString();
    // Cancelled: the offer stays for the next report.
    EXPECT_EQ(Stampante().outputFileName(), offerto);
}

}  // namespace
