// The printing helpers: set-up with and without the printer dialog, and the
// word wrap of long texts on the rows-by-columns grid.
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>

#include "reports/Stampa.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"
#include "support/QtApp.h"
#include "support/ScriptedUI.h"

using namespace obx;

namespace {

struct Riga {
    int riga, colonna;
    QString testo;
    bool operator==(const Riga&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Riga& r)
{
    return os << "(" << r.riga << "," << r.colonna << ",\"" << r.testo.toStdString() << "\")";
}

class Stampa : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::EnsureQApp();
        ASSERT_TRUE(m_dir.isValid());
        ImpostaConfigurazionePredefinita();
        AzzeraStatoSeduta();
        Stampante().setOutputFormat(QPrinter::PdfFormat);
        Stampante().setOutputFileName(m_dir.path() + QStringLiteral("/prova.pdf"));
        ImpostaOsservatoreStampa([this](int, int r, int c, const QString& t) { righe.push_back({r, c, t}); });
    }
    void TearDown() override
    {
        FineStampa();
        ImpostaOsservatoreStampa(nullptr);
    }
    std::vector<Riga> righe;
    QTemporaryDir m_dir;
};

TEST_F(Stampa, SetUpGivesTheGridOfThePage)
{
    test::ScriptedUI ui;
    iRigaStampa = 9;
    iPaginaStampa = 4;
    ASSERT_TRUE(ImpostaStampante(0));
    EXPECT_EQ(iRigaStampa, 0);
    EXPECT_EQ(iPaginaStampa, 1);
    // Courier New 10 is about 11 points high: a row of some 260 twips, and
    // some fifty rows on 90 % of the printable area of a portrait page.
    EXPECT_GT(iAltezzaRiga, 200);
    EXPECT_LT(iAltezzaRiga, 330);
    const double pagina = Stampante().pageRect(QPrinter::Point).height() * 20;
    EXPECT_EQ(iRighePagina, int(std::floor(std::lround(pagina * 0.9) / double(iAltezzaRiga) - 2)));
    const int verticale = iRighePagina;
    StampaXY(1, 5, QStringLiteral("Prova"));
    FineStampa();
    EXPECT_GT(QFileInfo(Stampante().outputFileName()).size(), 0);

    ASSERT_TRUE(ImpostaStampante(1));  // landscape: fewer rows
    EXPECT_LT(iRighePagina, verticale);
    FineStampa();
}

TEST_F(Stampa, CancelledPrinterDialogIsSilent)
{
    test::ScriptedUI ui;
    ui->AttendiStampante(false);
    EXPECT_FALSE(ImpostaStampante(2));
    ui->AttendiStampante(true);
    EXPECT_TRUE(ImpostaStampante(3));
}

TEST_F(Stampa, WordWrap)
{
    struct Caso {
        const char* testo;
        int larghezza;
        std::vector<Riga> attese;
    };
    const Caso casi[] = {
        // Shorter than the width, no blank: one row.
        {"abcdef", 8, {{3, 2, "abcdef"}}},
        // Four words of three letters in 8 columns: two rows of two.
        {"aaa bbb ccc ddd", 8, {{3, 2, "aaa bbb"}, {4, 2, "ccc ddd"}}},
        // Three words: the last crosses the width, no blank follows it.
        {"aaa bbb ccc", 8, {{3, 2, "aaa bbb ccc"}}},
        // CR LF within the width ends the row; the LF is not printed.
        {"ab\r\ncd ef", 8, {{3, 2, "ab"}, {4, 2, "cd ef"}}},
        // Trailing blanks are not printed.
        {"abc   ", 8, {{3, 2, "abc"}}},
        // A first word longer than the width takes its row whole.
        {"abcdefghijk lm no", 8, {{3, 2, "abcdefghijk"}, {4, 2, "lm no"}}},
        {"", 8, {}},
    };
    test::ScriptedUI ui;
    ASSERT_TRUE(ImpostaStampante(0));
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.testo);
        righe.clear();
        StampaTestoACapo(3, 2, QString::fromUtf8(c.testo), c.larghezza);
        EXPECT_EQ(righe, c.attese);
        EXPECT_EQ(iRigaStampa, 3 + int(c.attese.size()));
    }
}

}  // namespace
