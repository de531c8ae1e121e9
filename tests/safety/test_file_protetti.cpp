// The files the program holds (the open archive, its ".ini", its ".old",
// the board's log) are never the destination of an export, of a name typed
// in the export picker, of a report printed to a file, nor of the archive
// copy, whatever the spelling:
// absolute, relative to the working folder, through "..", through a
// symbolic link, a link whose target is not written yet.  Each refusal is
// said in the operator's message, and the held files stay byte-identical:
// nothing is written, nothing is created beside them.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinter>
#include <map>

#include "exchange/BancoScambio.h"
#include "reports/Stampa.h"
#include "shell/frmCopia.h"
#include "shell/frmGetFile.h"

using namespace obx;
using namespace obx::test;

namespace {

const char* const kArchivio = "l'archivio aperto";
const char* const kConfigurazione = "il file di configurazione dell'archivio aperto";
const char* const kOld = "la copia di sicurezza (.old) dell'archivio aperto";
const char* const kLog = "il LogFile del tabellone";

QString Avviso(const QString& percorso, const char* cosa)
{
    return QStringLiteral("Il file ") + percorso + QString::fromUtf8(" è ") + QString::fromUtf8(cosa) +
           QString::fromUtf8(" e non può essere sovrascritto.\nScegliere un altro nome.");
}

class FileProtetti : public BancoScambio {
protected:
    void SetUp() override
    {
        BancoScambio::SetUp();
        if (HasFatalFailure()) return;
        // A vote to export, so that a write, were it let through, would
        // change the file.
        dbArchivio.Execute(QStringLiteral("INSERT INTO VOTI (cPaleseVT, iDeliberaVT, iPresentiVT, iFavorevoliVT, "
                                          "iContrariVT, iAstenutiVT) VALUES ('P', 1, 8, 5, 2, 1);"));
        // The ".ini" and the board's log with content of their own; the
        // ".old" is not there yet (a link may point at it all the same).
        if (!QFileInfo::exists(cFileConfig)) File(QStringLiteral("prova.ini"), "[Archivio]\r\nTipo=1\r\n");
        File(QStringLiteral("LogFile.txt"), "12:00 riga del tabellone\r\n");
        QFile::remove(Percorso(QStringLiteral("prova.old")));
        ASSERT_TRUE(QDir(archivio->Cartella()).mkdir(QStringLiteral("sub")));
        auto collega = [this](const char* nome, const char* bersaglio) {
            ASSERT_TRUE(QFile::link(QString::fromLatin1(bersaglio), Percorso(QString::fromLatin1(nome))));
        };
        collega("alias.db", "prova.db");
        collega("registro.db", "LogFile.txt");
        collega("collegamento.txt", "LogFile.txt");
        collega("vecchia.db", "prova.old");
        collega("conf.ini", "prova.ini");
        prima = Stato();
        cwd = QDir::currentPath();
        QDir::setCurrent(Percorso(QStringLiteral("sub")));
    }
    void TearDown() override
    {
        QDir::setCurrent(cwd);
        BancoScambio::TearDown();
    }

    // Every entry of the archive's folder (and its "sub") with the digest of
    // what it holds, a link marked as such.
    std::map<QString, QByteArray> Stato() const
    {
        std::map<QString, QByteArray> s;
        for (const QString& cartella : {archivio->Cartella(), Percorso(QStringLiteral("sub/"))}) {
            const QDir d(cartella);
            for (const QFileInfo& fi : d.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
                s[fi.absoluteFilePath()] = fi.isSymLink() ? "-> " + fi.symLinkTarget().toUtf8()
                                           : fi.isDir()   ? QByteArray("cartella")
                                                          : Impronta(fi.absoluteFilePath());
        }
        return s;
    }

    void NullaScritto(const std::string& caso)
    {
        SCOPED_TRACE(caso);
        EXPECT_EQ(Stato(), prima);
        EXPECT_FALSE(QFileInfo::exists(Percorso(QStringLiteral("prova.old"))));
        EXPECT_TRUE((*ui)->Restanti().empty());
        for (const auto& v : (*ui)->Storia())
            EXPECT_FALSE(v.testo.contains(QStringLiteral("Terminata"))) << v.testo.toStdString();
    }

    std::map<QString, QByteArray> prima;
    QString cwd;
};

// The spellings of a held file, for the export (a path as given, the
// working folder being "sub") and for the picker (a name typed in "sub").
struct Spelling {
    const char* percorso;  // relative to the archive's folder, or to "sub" with "../"
    bool relativo;         // given as it stands, relative to the working folder
    const char* cosa;
};
const Spelling kSpellings[] = {
    {"prova.db", false, kArchivio},
    {"sub/../prova.db", false, kArchivio},
    {"../prova.db", true, kArchivio},
    {"../prova.ini", true, kConfigurazione},
    {"./prova.old", false, kOld},
    {"../sub/../prova.old", true, kOld},
    {"LogFile.txt", false, kLog},
    {"alias.db", false, kArchivio},
    {"collegamento.txt", false, kLog},
    {"../conf.ini", true, kConfigurazione},
    {"vecchia.db", false, kOld},
};

TEST_F(FileProtetti, AnExportNeverWritesOverAHeldFile)
{
    bool sintesi = true;
    for (const Spelling& s : kSpellings) {
        const QString p = s.relativo ? QString::fromLatin1(s.percorso) : Percorso(QString::fromLatin1(s.percorso));
        (*ui)->AttendiMsg(Avviso(p, s.cosa));
        EsportaVoti(p, kFormatoIride, sintesi);
        ASSERT_FALSE((*ui)->Storia().empty());
        EXPECT_EQ((*ui)->Storia().back().stile, vbCritical);
        NullaScritto(s.percorso);
        sintesi = !sintesi;
    }
}

// A report sent to a file the printer dialog names: the job is refused
// before a page is laid out, and prints nothing anywhere.
TEST_F(FileProtetti, APrintToAFileNeverWritesOverAHeldFile)
{
    for (const Spelling& s : kSpellings) {
        const QString p = s.relativo ? QString::fromLatin1(s.percorso) : Percorso(QString::fromLatin1(s.percorso));
        Stampante().setOutputFileName(p);
        ASSERT_TRUE(ImpostaStampante(0, QStringLiteral("Prova")));
        (*ui)->AttendiMsg(Avviso(p, s.cosa));
        StampaXY(1, 1, QStringLiteral("una riga"));
        NuovaPagina();
        StampaXY(1, 1, QStringLiteral("un'altra"));
        FineStampa();
        ASSERT_FALSE((*ui)->Storia().empty());
        EXPECT_EQ((*ui)->Storia().back().stile, vbCritical);
        NullaScritto(s.percorso);
    }
    Stampante().setOutputFileName(QString());
}

TEST_F(FileProtetti, ThePickerRefusesAHeldFileTypedAsANewNameAndStaysOpen)
{
    for (const Spelling& s : kSpellings) {
        frmGetFile g(false);
        // The name is typed in the folder "sub" when it climbs out of it.
        g.ImpostaCartella(s.relativo ? Percorso(QStringLiteral("sub")) : archivio->Cartella());
        const QString nome = QString::fromLatin1(s.percorso);
        g.getNuovoNome->setText(nome);
        (*ui)->AttendiMsg(Avviso(g.CartellaScelta() + nome, s.cosa));
        g.cmdOK_Click();
        EXPECT_TRUE(g.cFile.isEmpty()) << s.percorso;
        EXPECT_EQ(g.result(), 0) << s.percorso;
        ASSERT_FALSE((*ui)->Storia().empty());
        EXPECT_EQ((*ui)->Storia().back().stile, vbExclamation);
        NullaScritto(s.percorso);
    }
    // Another name is taken as it stands.
    frmGetFile g(false);
    g.ImpostaCartella(archivio->Cartella());
    g.getNuovoNome->setText(QStringLiteral("voti.txt"));
    g.cmdOK_Click();
    EXPECT_EQ(g.cFile, g.CartellaScelta() + QStringLiteral("voti.txt"));
    EXPECT_EQ(g.result(), int(QDialog::Accepted));
}

TEST_F(FileProtetti, TheArchiveCopyNeverWritesOverAHeldFile)
{
    struct Caso {
        const char* cartella;  // under the archive's folder
        const char* nome;      // typed in "Nuovo Nome:"
        const char* bersaglio; // the file the message names, "" for the archive itself
        const char* cosa;
    };
    const Caso casi[] = {
        {"", "prova", "", nullptr},
        {"", "prova.db", "", nullptr},
        {"sub", "../prova", "", nullptr},
        {"sub", "../prova.db", "", nullptr},
        {"", "alias", "", nullptr},
        {"", "registro", "registro.db", kLog},
        {"", "vecchia.db", "vecchia.db", kOld},
        {"", "conf", "conf.ini", kConfigurazione},
        {"sub", "../conf", "sub/../conf.ini", kConfigurazione},
    };
    // The copy is made with the archive closed, as the menu does.
    dbArchivio.Close();
    for (const Caso& c : casi) {
        frmCopia copia;
        copia.ImpostaCartella(Percorso(QString::fromLatin1(c.cartella)));
        copia.getNuovoNome->setText(QString::fromLatin1(c.nome));
        if (!c.cosa) {
            (*ui)->AttendiMsg(QStringLiteral("Copia Fallita (archivi aperti)"));
        } else {
            const QString bersaglio = QString::fromLatin1(c.bersaglio);
            const QString p = bersaglio.startsWith(QStringLiteral("sub/"))
                                  ? copia.CartellaScelta() + bersaglio.mid(4)
                                  : copia.CartellaScelta() + bersaglio;
            (*ui)->AttendiMsg(QStringLiteral("Copia Fallita\n") + Avviso(p, c.cosa));
        }
        EXPECT_FALSE(copia.cmdCopia_Click()) << c.nome;
        NullaScritto(std::string(c.cartella) + "/" + c.nome);
    }
}

}  // namespace
