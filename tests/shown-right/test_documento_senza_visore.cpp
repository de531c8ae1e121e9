// A file the program offers to show, where no viewer can show it: the
// operator is told so, with the file's path, in a message box.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include "event-reports/BancoEventi.h"
#include "links/frmTavelix.h"
#include "platform/Documenti.h"
#include "shell/frmMain.h"
#include "support/LinkFixture.h"

using namespace obx;
using namespace obx::test;

namespace {

class LogTabellone : public BancoEventi {
protected:
    void TearDown() override
    {
        ImpostaApriDocumento({});
        BancoEventi::TearDown();
    }
};

TEST_F(LogTabellone, WithoutAViewerOrWithoutTheFileThePathIsShown)
{
    QTemporaryDir cartella;
    ASSERT_TRUE(cartella.isValid());
    cFileLog = cartella.filePath(QStringLiteral("LogFile.txt"));
    struct Caso {
        bool file, visore;
        const char* messaggio;  // empty: none
    };
    const Caso casi[] = {
        {true, false, "Nessun programma disponibile per mostrare il LogFile tabellone.\nIl file si trova in:\n"},
        {false, true, "File non presente:\n"},
        {true, true, ""},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.messaggio);
        QFile::remove(cFileLog);
        if (c.file) {
            QFile f(cFileLog);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("riga\r\n");
        }
        QStringList aperti;
        ImpostaApriDocumento([&](const QString& p) {
            aperti << p;
            return c.visore;
        });
        if (*c.messaggio)
            (*ui)->AttendiMsg(QString::fromUtf8(c.messaggio) + QDir::toNativeSeparators(cFileLog), vbOK);
        frmMain m;
        m.mnuArchivi_Click(14);
        EXPECT_EQ(aperti, c.file ? QStringList{cFileLog} : QStringList{});
    }
}

class RapportoRadio : public LinkTest {
protected:
    void SetUp() override
    {
        LinkTest::SetUp();
        iProtocolloTLV = 7777;
        iPortaTLV = kPorta;
        iPrimoTLV = 1;
        iUltimoTLV = 8;
        xRilievoRadio = false;
        ImpostaApriDocumento([](const QString&) { return false; });
    }
    void TearDown() override
    {
        ImpostaApriDocumento({});
        LinkTest::TearDown();
    }
};

TEST_F(RapportoRadio, WithoutAViewerThePathOfTheReportIsShown)
{
    Avvia({QStringLiteral("--device"), QStringLiteral("7777"), QStringLiteral("-c"), QStringLiteral("unit 2 250 1")});
    frmTavelix f;
    f.cmdTest_Click(2);
    ASSERT_TRUE(Finche([&] { return f.lRicevuti == 1; }, 5000));
    ui->AttendiMsg(QStringLiteral("Nessun programma disponibile per mostrare il rapporto dei votatori.\nIl file si "
                                  "trova in:\n") +
                       QDir::toNativeSeparators(frmTavelix::FileRapporto()),
                   vbOK);
    f.cmdTest_Click(0);
    EXPECT_TRUE(QFile::exists(frmTavelix::FileRapporto()));
    EXPECT_TRUE(f.txtInfo->text().startsWith(QStringLiteral("Trovati 1 Votatori")));
}

}  // namespace
