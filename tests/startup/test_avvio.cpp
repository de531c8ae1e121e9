#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>

#include "platform/Database.h"
#include "shell/Avvio.h"
#include "shell/Globali.h"
#include "shell/IstanzaUnica.h"
#include "shell/Schema.h"
#include "shell/frmCopia.h"
#include "shell/frmGetFile.h"
#include "shell/frmLogin.h"
#include "shell/frmMain.h"
#include "support/QtApp.h"
#include "support/ScriptedUI.h"

using namespace obx;

namespace {

const QString kTitoloArchivio = QStringLiteral("Selezione Archivio di Riferimento");

class Avvio : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::EnsureQApp();
        ASSERT_TRUE(dir.isValid());
        prog = dir.path() + QStringLiteral("/prog/");
        dati = dir.path() + QStringLiteral("/dati/");
        QDir().mkpath(prog);
        QDir().mkpath(dati);
        cCartellaProgramma = prog;
        lockPath = dir.path() + QStringLiteral("/obx.lock");
        xPassword = false;
        iModoVoto = 0;
    }
    void TearDown() override
    {
        dbArchivio.Close();
        iModoVoto = 0;
    }
    void ScriviListaPro(const QByteArray& testo)
    {
        QFile f(prog + QStringLiteral("ListaPro.txt"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(testo);
    }

    QTemporaryDir dir;
    QString prog, dati, lockPath;
    std::unique_ptr<IstanzaUnica> lock;
};

}  // namespace

TEST_F(Avvio, NewArchiveIsCreatedWithItsConfigurationAndTheMainWindowShown)
{
    ScriviListaPro("R:1.0.0\nQ:INSERT INTO DELIBERE (iDeliberaDE, cTitoloDE) VALUES (7, 'Bilancio')\n");
    test::FakeServices servizi;
    test::ScriptedUI ui;
    ui->AttendiApri(kTitoloArchivio, dati + QStringLiteral("seduta.2024.db"));
    ui->AttendiMsg(dati + QStringLiteral("seduta.ini non trovato"), vbOK);

    auto w = EseguiAvvio(lock, lockPath);
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(cNomeArchivio, QStringLiteral("seduta"));
    EXPECT_EQ(cPathArchivio, dati + QStringLiteral("seduta.db"));
    EXPECT_TRUE(QFileInfo::exists(cPathArchivio));
    EXPECT_TRUE(QFileInfo::exists(dati + QStringLiteral("seduta.ini")));
    EXPECT_EQ(cFileLog, dati + QStringLiteral("LogFile.txt"));
    ASSERT_TRUE(dbArchivio.IsOpen());
    for (int t = 1; t <= 5; ++t) EXPECT_TRUE(dbArchivio.TableExists(cTabelle[t])) << t;
    // The update file reached the new archive, which is held open.
    auto rs = dbArchivio.OpenQuery(QStringLiteral("SELECT cTitoloDE FROM DELIBERE WHERE iDeliberaDE = 7"));
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs.Field(QStringLiteral("cTitoloDE")).toString(), QStringLiteral("Bilancio"));
}

TEST_F(Avvio, OlderArchiveIsBroughtToTheSchemaKeepingItsRows)
{
    {
        Database vecchio;
        vecchio.Create(dati + QStringLiteral("vecchio.db"));
        vecchio.CreateTable(QStringLiteral("ANAGRAFE"),
                            {{QStringLiteral("bCodiceAN"), TipoCampo::Byte, 0},
                             {QStringLiteral("cNomeAN"), TipoCampo::Text, 30}});
        vecchio.Execute(QStringLiteral("INSERT INTO ANAGRAFE (bCodiceAN, cNomeAN) VALUES (3, 'Rossi Mario')"));
        vecchio.Close();
    }
    test::FakeServices servizi;
    test::ScriptedUI ui;
    ui->AttendiApri(kTitoloArchivio, dati + QStringLiteral("vecchio.db"));
    ui->AttendiMsg(QStringLiteral("non trovato"), vbOK, true);

    auto w = EseguiAvvio(lock, lockPath);
    ASSERT_TRUE(w);
    EXPECT_TRUE(dbArchivio.FieldExists(QStringLiteral("ANAGRAFE"), QStringLiteral("cIrideIdAN")));
    EXPECT_TRUE(dbArchivio.TableExists(QStringLiteral("VOTI")));
    auto rs = dbArchivio.OpenQuery(QStringLiteral("SELECT cNomeAN FROM ANAGRAFE WHERE bCodiceAN = 3"));
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs.Field(QStringLiteral("cNomeAN")).toString().trimmed(), QStringLiteral("Rossi Mario"));
}

TEST_F(Avvio, SecondCopyIsRefused)
{
    IstanzaUnica prima(lockPath);
    ASSERT_TRUE(prima.Acquisita());
    test::ScriptedUI ui;
    ui->AttendiMsg(QString::fromUtf8("O.B.X. già in esecuzione"));
    EXPECT_FALSE(EseguiAvvio(lock, lockPath));
}

TEST_F(Avvio, CancelAtTheArchiveDialogEndsWithNoFileWritten)
{
    test::ScriptedUI ui;
    ui->AttendiApri(kTitoloArchivio, QString());
    EXPECT_FALSE(EseguiAvvio(lock, lockPath));
    EXPECT_TRUE(QDir(dati).entryList(QDir::Files).isEmpty());
    EXPECT_FALSE(dbArchivio.IsOpen());
}

TEST_F(Avvio, NameWithoutBaseIsAskedAgain)
{
    test::ScriptedUI ui;
    ui->AttendiApri(kTitoloArchivio, dati + QStringLiteral(".db"));
    ui->AttendiMsg(QStringLiteral("Nome di archivio non valido"), vbOK, true);
    ui->AttendiApri(kTitoloArchivio, QString());
    EXPECT_FALSE(EseguiAvvio(lock, lockPath));
    EXPECT_TRUE(QDir(dati).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(Avvio, WrongPasswordThenCancelEndsTheProgram)
{
    {
        QFile ini(dati + QStringLiteral("p.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("xPassword=1\r\n");
    }
    test::ScriptedUI ui;
    ui->AttendiApri(kTitoloArchivio, dati + QStringLiteral("p.db"));
    ui->AttendiMsg(QStringLiteral("Password non valida. Riprovare"));
    QTimer::singleShot(0, [] {
        auto* l = qobject_cast<frmLogin*>(QApplication::activeModalWidget());
        ASSERT_TRUE(l);
        l->txtPassword->setText(QStringLiteral(" 3816250974"));
        l->cmdOK_Click();
        EXPECT_TRUE(l->isVisible());
        EXPECT_EQ(l->txtPassword->selectedText(), QStringLiteral(" 3816250974"));
        l->cmdCancel_Click();
    });
    EXPECT_FALSE(EseguiAvvio(lock, lockPath));
    EXPECT_FALSE(dbArchivio.IsOpen());
}

TEST(Login, AcceptedPasswords)
{
    struct C { const char* testo; bool ok; } casi[] = {
        {"tilvo", true},       {"TILVO", true},        {"Tilvo", true},
        {"3816250974", true},  {" 3816250974", false}, {"3816250974 ", false},
        {"tilvo ", false},     {"", false},            {"381625097", false},
    };
    for (const auto& c : casi)
        EXPECT_EQ(frmLogin::PasswordValida(QString::fromLatin1(c.testo)), c.ok) << c.testo;
}

TEST(Percorsi, BaseNameStopsAtTheFirstDot)
{
    ASSERT_TRUE(ImpostaPercorsi(QStringLiteral("/srv/aula/sede.2024.db")));
    EXPECT_EQ(cCartella, QStringLiteral("/srv/aula/"));
    EXPECT_EQ(cNomeArchivio, QStringLiteral("sede"));
    EXPECT_EQ(cFileConfig, QStringLiteral("/srv/aula/sede.ini"));
    EXPECT_EQ(cPathArchivio, QStringLiteral("/srv/aula/sede.db"));
    EXPECT_FALSE(ImpostaPercorsi(QStringLiteral("/srv/aula/.db")));
    EXPECT_EQ(cNomeArchivio, QStringLiteral("sede"));
}

TEST(MainWindow, MonitorWarningAndVersionTexts)
{
    lMonitor[0] = {1, 0, 0, 576, 1024};
    lMonitor[1] = {0, 0, 0, 0, 0};
    const QString m = frmMain::MessaggioMonitor();
    EXPECT_TRUE(m.startsWith(QStringLiteral("Risoluzione Monitor Primario consigliata:\n")));
    EXPECT_FALSE(m.contains(QStringLiteral("Secondario")));
    lMonitor[0] = {1, 0, 0, 768, 1024};
    lMonitor[1] = {2, 0, 1024, 480, 640};
    EXPECT_TRUE(frmMain::MessaggioMonitor().startsWith(QStringLiteral("Risoluzione Monitor Secondario")));
    EXPECT_TRUE(frmMain::TestoInformazioni().startsWith(QStringLiteral("O.B.X.  versione ")));
}

TEST_F(Avvio, EndingIsRefusedWhileAVoteRuns)
{
    test::ScriptedUI ui;
    frmMain w;
    w.show();
    iModoVoto = 1;
    ui->AttendiMsg(QString::fromUtf8(kMsgVotoInCorso));
    EXPECT_FALSE(w.FineLavoro());
    ui->AttendiMsg(QString::fromUtf8(kMsgVotoInCorso));
    w.close();
    EXPECT_TRUE(w.isVisible());
    for (int voce : {9, 11, 15}) {
        ui->AttendiMsg(QString::fromUtf8(kMsgVotoInCorso));
        w.mnuArchivi_Click(voce);
    }
    iModoVoto = 0;
    EXPECT_TRUE(w.FineLavoro());
    EXPECT_FALSE(w.isVisible());
}

TEST_F(Avvio, ArchiveCopyToANewFolderReopensTheDatabase)
{
    ScriviListaPro("R:1.0.0\n");
    test::FakeServices servizi;
    test::ScriptedUI ui;
    ui->AttendiApri(kTitoloArchivio, dati + QStringLiteral("aula.db"));
    ui->AttendiMsg(QStringLiteral("non trovato"), vbOK, true);
    auto w = EseguiAvvio(lock, lockPath);
    ASSERT_TRUE(w);
    const QString dest = dir.path() + QStringLiteral("/copie/");
    QDir().mkpath(dest);

    ui->AttendiMsg(QStringLiteral("Copia Fallita (archivi aperti)"));
    // The message names the copy it made.
    ui->AttendiMsg(QStringLiteral("Copia Terminata\n") + QDir::toNativeSeparators(dest + QStringLiteral("Copiaaula.db")));
    bool visto = false;
    QTimer::singleShot(0, [&] {
        auto* c = qobject_cast<frmCopia*>(QApplication::activeModalWidget());
        ASSERT_TRUE(c);
        EXPECT_FALSE(dbArchivio.IsOpen());
        // Onto itself, in another letter case: refused, nothing copied.
        c->ImpostaCartella(dati);
        c->getNuovoNome->setText(QStringLiteral("AULA"));
        EXPECT_FALSE(c->cmdCopia_Click());
        c->ImpostaCartella(dest);
        c->getNuovoNome->setText(QString());
        EXPECT_TRUE(c->cmdCopia_Click());
        visto = true;
        c->cmdFine_Click();
    });
    w->mnuArchivi_Click(9);
    EXPECT_TRUE(visto);
    EXPECT_TRUE(QFileInfo::exists(dest + QStringLiteral("Copiaaula.db")));
    EXPECT_TRUE(QFileInfo::exists(dest + QStringLiteral("Copiaaula.ini")));
    EXPECT_TRUE(dbArchivio.IsOpen());
    EXPECT_EQ(QFileInfo(dbArchivio.Name()).absoluteFilePath(), QFileInfo(cPathArchivio).absoluteFilePath());
}

TEST(FilePicker, EmptyChoicesGiveAnEmptyResult)
{
    test::EnsureQApp();
    QTemporaryDir d;
    QFile(d.path() + QStringLiteral("/odg.txt")).open(QIODevice::WriteOnly);
    {
        frmGetFile lista(true);
        lista.ImpostaCartella(d.path());
        ASSERT_EQ(lista.lstFile->count(), 1);
        lista.cmdOK_Click();
        EXPECT_TRUE(lista.cFile.isEmpty());
    }
    {
        frmGetFile lista(true);
        lista.ImpostaCartella(d.path());
        lista.lstFile->setCurrentRow(0);
        lista.cmdOK_Click();
        EXPECT_EQ(lista.cFile, d.path() + QStringLiteral("/odg.txt"));
    }
    {
        frmGetFile nuovo(false);
        nuovo.ImpostaCartella(d.path());
        nuovo.getNuovoNome->setText(QStringLiteral("  "));
        nuovo.cmdOK_Click();
        EXPECT_TRUE(nuovo.cFile.isEmpty());
        nuovo.getNuovoNome->setText(QStringLiteral("voti.txt  "));
        nuovo.cmdOK_Click();
        EXPECT_EQ(nuovo.cFile, d.path() + QStringLiteral("/voti.txt"));
        nuovo.cmdFine_Click();
        EXPECT_TRUE(nuovo.cFile.isEmpty());
    }
}
