#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPersistentModelIndex>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>

#include <cstring>

#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "board/Etichetta.h"
#include "console/Spoglio.h"
#include "console/frmCons.h"
#include "links/Votatori.h"
#include "platform/Database.h"
#include "shell/Avvio.h"
#include "shell/Configurazione.h"
#include "shell/FileComandi.h"
#include "shell/Globali.h"
#include "shell/IstanzaUnica.h"
#include "shell/Manutenzione.h"
#include "shell/Schema.h"
#include "shell/frmCopia.h"
#include "shell/frmGetFile.h"
#include "shell/frmLogin.h"
#include "shell/frmMain.h"
#include "support/BancoConsole.h"
#include "support/QtApp.h"
#include "support/ScriptedUI.h"
#include "support/Simulatore.h"

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
        ImpostaConfigurazionePredefinita();
        AzzeraStatoSeduta();
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

    // Starts the program on `archivio`, chosen in the first dialog, with
    // ui answering; senzaConfigurazione: the missing configuration file is
    // told and accepted.  The main window, or nullptr.
    std::unique_ptr<frmMain> Avvia(test::ScriptedUI& ui, const QString& archivio, bool senzaConfigurazione = true)
    {
        ui->AttendiApri(kTitoloArchivio, archivio);
        if (senzaConfigurazione) ui->AttendiMsg(QStringLiteral("non trovato"), vbOK, true);
        return EseguiAvvio(lock, lockPath);
    }

    // One start of the program on `archivio` that is expected to reach the
    // main window; the program is then ended.
    void AvvioCompleto(const QString& archivio)
    {
        test::FakeServices servizi;
        test::ScriptedUI ui;
        auto w = Avvia(ui, archivio, !QFileInfo::exists(cFileConfigDi(archivio)));
        ASSERT_TRUE(w);
        w.reset();
        dbArchivio.Close();
        lock.reset();
    }
    static QString cFileConfigDi(const QString& archivio)
    {
        QString p = archivio;
        return p.replace(QStringLiteral(".db"), QStringLiteral(".ini"));
    }

    QTemporaryDir dir;
    QString prog, dati, lockPath;
    std::unique_ptr<IstanzaUnica> lock;
};

QByteArray Contenuto(const QString& percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Rows of a table, read straight from the file.
int Righe(const QString& archivio, const QString& tabella)
{
    Database db;
    db.Open(archivio);
    return int(db.RowCount(tabella));
}

// A sound archive with some events, made as the program makes it.
void ArchivioConEventi(const QString& percorso, int eventi)
{
    const QString prima = cPathArchivio;
    cPathArchivio = percorso;
    {
        test::ScriptedUI ui;
        ASSERT_TRUE(GestisceArchivi(QStringLiteral("C"), true));
    }
    cPathArchivio = prima;
    Database db;
    db.Open(percorso);
    db.BeginTrans();
    for (int i = 0; i < eventi; ++i)
        db.Execute(QStringLiteral("INSERT INTO EVENTI (cNomeEV, cExtraDescEV) VALUES (?, ?)"),
                   {QStringLiteral("Evento %1").arg(i), QString(80, u'x')});
    db.CommitTrans();
}

// Damages the page that holds the root of the events' index: the file
// still opens, its check fails.
void DanneggiaIndiceEventi(const QString& percorso)
{
    int pagina = 0, dimensione = 0;
    {
        Database db;
        db.Open(percorso);
        QSqlQuery q(db.Connessione());
        ASSERT_TRUE(q.exec(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE type = 'index' "
                                          "AND tbl_name = 'EVENTI'")));
        ASSERT_TRUE(q.next());
        pagina = q.value(0).toInt();
        ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA page_size")) && q.next());
        dimensione = q.value(0).toInt();
    }
    QFile f(percorso);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_GT(pagina, 1);
    ASSERT_TRUE(f.seek(qint64(pagina - 1) * dimensione));
    f.write(QByteArray(dimensione, char(0x5A)));
}

// Takes from the test, for its lifetime, the privileges that let root
// write any file, so that permissions hold for it as for an operator.
class PermessiComeOperatore {
public:
    PermessiComeOperatore()
    {
        if (geteuid() != 0) {
            m_attivo = true;
            return;
        }
        m_testa.version = _LINUX_CAPABILITY_VERSION_3;
        m_testa.pid = 0;
        if (syscall(SYS_capget, &m_testa, m_salvati) != 0) return;
        __user_cap_data_struct ridotti[2];
        std::memcpy(ridotti, m_salvati, sizeof ridotti);
        for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
            ridotti[cap / 32].effective &= ~(1u << (cap % 32));
        m_ripristina = m_attivo = syscall(SYS_capset, &m_testa, ridotti) == 0;
    }
    ~PermessiComeOperatore()
    {
        if (m_ripristina) syscall(SYS_capset, &m_testa, m_salvati);
    }
    bool Attivo() const { return m_attivo; }

private:
    __user_cap_header_struct m_testa{};
    __user_cap_data_struct m_salvati[2]{};
    bool m_attivo = false;
    bool m_ripristina = false;
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
        vecchio.CreateTable(QStringLiteral("ANAGRAFE"), {{QStringLiteral("bCodiceAN"), TipoCampo::Byte, 0},
                                                         {QStringLiteral("cNomeAN"), TipoCampo::Text, 30}});
        vecchio.Execute(QStringLiteral("INSERT INTO ANAGRAFE (bCodiceAN, cNomeAN) VALUES (3, 'Rossi Mario')"));
        vecchio.Close();
    }
    test::FakeServices servizi;
    test::ScriptedUI ui;
    auto w = Avvia(ui, dati + QStringLiteral("vecchio.db"));
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
    struct C {
        const char* testo;
        bool ok;
    } casi[] = {
        {"tilvo", true},        {"TILVO", true},   {"Tilvo", true}, {"3816250974", true}, {" 3816250974", false},
        {"3816250974 ", false}, {"tilvo ", false}, {"", false},     {"381625097", false},
    };
    for (const auto& c : casi) EXPECT_EQ(frmLogin::PasswordValida(QString::fromLatin1(c.testo)), c.ok) << c.testo;
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
    auto w = Avvia(ui, dati + QStringLiteral("aula.db"));
    ASSERT_TRUE(w);
    const QString dest = dir.path() + QStringLiteral("/copie/");
    QDir().mkpath(dest);

    ui->AttendiMsg(QStringLiteral("Copia Fallita (archivi aperti)"));
    // The message names the copy it made.
    ui->AttendiMsg(QStringLiteral("Copia Terminata\n") +
                   QDir::toNativeSeparators(dest + QStringLiteral("Copiaaula.db")));
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

// The folder the picker opens on is in sight once the tree has read it,
// even as the last of many in its parent.
TEST(FilePicker, TheFolderSetIsShownInTheTree)
{
    test::EnsureQApp();
    QTemporaryDir d;
    for (int i = 0; i < 40; ++i) ASSERT_TRUE(QDir(d.path()).mkdir(QStringLiteral("a%1").arg(i, 2, 10, QChar(u'0'))));
    ASSERT_TRUE(QDir(d.path()).mkdir(QStringLiteral("z")));
    frmGetFile g(false);
    g.ImpostaCartella(d.path() + QStringLiteral("/z"));
    g.show();
    // Once the tree has read and sorted the 41 folders, "z" is the last.
    const QPersistentModelIndex z = g.dirDestinaz->currentIndex();
    QElapsedTimer t;
    t.start();
    while (!(z.parent().isValid() && z.model()->rowCount(z.parent()) == 41 && z.row() == 40) && t.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(z.model()->rowCount(z.parent()), 41);
    ASSERT_EQ(z.row(), 40);
    t.restart();
    while (t.elapsed() < 200) QApplication::processEvents(QEventLoop::AllEvents, 20);
    const QRect r = g.dirDestinaz->visualRect(z);
    EXPECT_TRUE(r.isValid() && g.dirDestinaz->viewport()->rect().contains(r));
    EXPECT_EQ(g.CartellaScelta(), d.path() + QStringLiteral("/z/"));
}

TEST_F(Avvio, DamagedArchiveIsNeverWrittenAndTheLastGoodCopyIsNamed)
{
    const QString archivio = dati + QStringLiteral("aula.db");
    const QString old = dati + QStringLiteral("aula.old");
    ArchivioConEventi(archivio, 600);
    ScriviListaPro("R:9.9.9\nQ:INSERT INTO EVENTI (cNomeEV) VALUES ('aggiornamento')\n");
    // One good start keeps the ".old" copy; then the file is damaged.
    AvvioCompleto(archivio);
    ASSERT_TRUE(QFileInfo::exists(old));
    DanneggiaIndiceEventi(archivio);
    const QByteArray danneggiato = Contenuto(archivio);
    const QByteArray copia = Contenuto(old);
    const QByteArray ini = Contenuto(dati + QStringLiteral("aula.ini"));
    ScriviListaPro("R:9.9.10\nQ:INSERT INTO EVENTI (cNomeEV) VALUES ('ancora')\n");

    test::FakeServices servizi;
    test::ScriptedUI ui;
    ui->AttendiApri(kTitoloArchivio, archivio);
    ui->AttendiMsg(QStringLiteral(" Errore "), vbOK, true);
    ui->AttendiMsg(QStringLiteral("Riorganizzazione Fallita"));
    ui->AttendiMsg(QStringLiteral("Archivio danneggiato: ") + archivio, vbOK, true);
    EXPECT_FALSE(EseguiAvvio(lock, lockPath));
    const auto& fine = ui->Storia().back();
    EXPECT_TRUE(fine.testo.contains(QStringLiteral("L'ultimo archivio integro è la copia ") + old))
        << fine.testo.toStdString();
    EXPECT_TRUE(fine.testo.contains(QStringLiteral("Il programma termina.")));
    EXPECT_EQ(fine.stile & 0x70, int(vbCritical));
    EXPECT_FALSE(dbArchivio.IsOpen());
    // Neither the archive, nor its last good copy, nor the configuration
    // was written; no index, no update reached the damaged file.
    EXPECT_EQ(Contenuto(archivio), danneggiato);
    EXPECT_EQ(Contenuto(old), copia);
    EXPECT_EQ(Contenuto(dati + QStringLiteral("aula.ini")), ini);
    // The copy is the good archive as that start found it.
    EXPECT_EQ(Righe(old, QStringLiteral("EVENTI")), 600);
}

TEST_F(Avvio, DamagedArchiveFromTheMenuEndsTheProgramUntouched)
{
    const QString archivio = dati + QStringLiteral("menu.db");
    ArchivioConEventi(archivio, 600);
    test::FakeServices servizi;
    test::ScriptedUI ui;
    auto w = Avvia(ui, archivio);
    ASSERT_TRUE(w);
    dbArchivio.Close();
    DanneggiaIndiceEventi(archivio);
    const QByteArray danneggiato = Contenuto(archivio);
    ui->AttendiMsg(QStringLiteral(" Errore "), vbOK, true);
    ui->AttendiMsg(QStringLiteral("Riorganizzazione Fallita"));
    ui->AttendiMsg(QStringLiteral("Archivio danneggiato: ") + archivio, vbOK, true);
    w->mnuArchivi_Click(11);
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(dbArchivio.IsOpen());
    EXPECT_EQ(Contenuto(archivio), danneggiato);
}

TEST_F(Avvio, ArchiveThatCannotBeWrittenStopsTheStartUntouched)
{
    struct Caso {
        const char* nome;
        bool cartella;
    };
    for (const Caso c : {Caso{"archivio in sola lettura", false}, Caso{"cartella in sola lettura", true}}) {
        SCOPED_TRACE(c.nome);
        const QString cartella =
            dir.path() + QStringLiteral("/") + QString::fromLatin1(c.cartella ? "rc" : "rf") + u'/';
        QDir().mkpath(cartella);
        const QString archivio = cartella + QStringLiteral("aula.db");
        ArchivioConEventi(archivio, 10);
        {
            QFile ini(cartella + QStringLiteral("aula.ini"));
            ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
            ini.write("cConsiglio=Valdoria\r\n");
        }
        ScriviListaPro("R:9.9.9\nQ:INSERT INTO EVENTI (cNomeEV) VALUES ('aggiornamento')\n");
        const QByteArray prima = Contenuto(archivio);
        const QString bersaglio = c.cartella ? cartella : archivio;
        ASSERT_EQ(::chmod(QFile::encodeName(bersaglio).constData(), c.cartella ? 0555 : 0444), 0);
        {
            PermessiComeOperatore operatore;
            if (!operatore.Attivo()) {
                ::chmod(QFile::encodeName(bersaglio).constData(), 0755);
                GTEST_SKIP() << "the test cannot give up root's privileges on files";
            }
            test::FakeServices servizi;
            test::ScriptedUI ui;
            ui->AttendiApri(kTitoloArchivio, archivio);
            ui->AttendiMsg(QStringLiteral("Apertura di ") + archivio + QStringLiteral(" Fallita\n"), vbOK, true);
            EXPECT_FALSE(EseguiAvvio(lock, lockPath));
            lock.reset();
            const auto& visto = ui->Storia().back();
            EXPECT_TRUE(visto.testo.contains(QStringLiteral("sola lettura"))) << visto.testo.toStdString();
            EXPECT_EQ(visto.titolo, QStringLiteral("Errore 3027"));
        }
        ::chmod(QFile::encodeName(bersaglio).constData(), c.cartella ? 0755 : 0644);
        EXPECT_FALSE(dbArchivio.IsOpen());
        EXPECT_EQ(Contenuto(archivio), prima);
        EXPECT_FALSE(QFileInfo::exists(cartella + QStringLiteral("aula.old")));
        EXPECT_EQ(Contenuto(cartella + QStringLiteral("aula.ini")), QByteArray("cConsiglio=Valdoria\r\n"));
    }
}

TEST_F(Avvio, UpdateGroupsRunOnceOverManyStarts)
{
    // The program's own identifier ("1.." for 1.0.0) sorts before the
    // group named after the same version.
    const QString archivio = dati + QStringLiteral("aggiorna.db");
    ScriviListaPro("' aggiornamenti\n"
                   "R:1.0.0\n"
                   "Q:INSERT INTO EVENTI (cNomeEV) VALUES ('gruppo 1.0.0')\n"
                   "R:9.0.0\n"
                   "Q:INSERT INTO EVENTI (cNomeEV) VALUES ('gruppo 9.0.0')\n"
                   "Q:INSERT INTO NESSUNA (x) VALUES (1)\n");
    for (int avvio = 1; avvio <= 4; ++avvio) {
        SCOPED_TRACE(avvio);
        AvvioCompleto(archivio);
        // 1.0.0 once; 9.0.0 fails whole every time and leaves nothing.
        EXPECT_EQ(Righe(archivio, QStringLiteral("EVENTI")), 1);
        EXPECT_EQ(cLastIDAgg, QStringLiteral("1.0.0").compare(IdentificativoVersione()) > 0 ? QStringLiteral("1.0.0")
                                                                                            : IdentificativoVersione());
    }
    // Mended: applied at the next start, and only there.
    ScriviListaPro("R:1.0.0\n"
                   "Q:INSERT INTO EVENTI (cNomeEV) VALUES ('gruppo 1.0.0')\n"
                   "R:9.0.0\n"
                   "Q:INSERT INTO EVENTI (cNomeEV) VALUES ('gruppo 9.0.0')\n");
    for (int avvio = 1; avvio <= 2; ++avvio) {
        AvvioCompleto(archivio);
        EXPECT_EQ(Righe(archivio, QStringLiteral("EVENTI")), 2);
        EXPECT_EQ(cLastIDAgg, QStringLiteral("9.0.0"));
    }
}

TEST_F(Avvio, TheExampleChamberOfTheReadmeWorksOnANewArchive)
{
    // The README's first sitting: a new archive, the example command file
    // run from the menu, the console showing every seat in its area.
    const QString esempio = QStringLiteral(OBX_TEST_DATA "/../../esempi/Aula.txt");
    ASSERT_TRUE(QFileInfo::exists(esempio));
    test::FakeServices servizi;
    test::ScriptedUI ui;
    auto w = Avvia(ui, dati + QStringLiteral("aula.db"));
    ASSERT_TRUE(w);
    ui->AttendiApri(QStringLiteral("File Comandi"), esempio);
    ui->AttendiMsg(QStringLiteral("eseguite 19 istruzioni"));
    w->mnuArchivi_Click(15);
    // Run again it adds nothing: each group fails whole on its first row.
    ui->AttendiApri(QStringLiteral("File Comandi"), esempio);
    ui->AttendiMsg(QStringLiteral("Q:INSERT INTO ANAGRAFE"), vbOK, true);
    ui->AttendiMsg(QStringLiteral("Q:INSERT INTO DELIBERE"), vbOK, true);
    ui->AttendiMsg(QStringLiteral("eseguite 10 istruzioni"));
    w->mnuArchivi_Click(15);
    EXPECT_EQ(dbArchivio.RowCount(QStringLiteral("ANAGRAFE")), 9);
    EXPECT_EQ(dbArchivio.RowCount(QStringLiteral("DELIBERE")), 2);

    // The simulators as the README starts them, named in "Porte.txt" by
    // their links: the ports the configuration lists, and the central's
    // answer to its test.
    const QString centrale = dir.path() + QStringLiteral("/obx-centrale");
    const QString tabellone = dir.path() + QStringLiteral("/obx-tabellone");
    test::Simulatore sim4010(test::PercorsoSimulatore(),
                             {QStringLiteral("--device"), QStringLiteral("4010"), QStringLiteral("--link"), centrale});
    test::Simulatore simLED(test::PercorsoSimulatore(),
                            {QStringLiteral("--device"), QStringLiteral("board"), QStringLiteral("--link"), tabellone});
    ASSERT_FALSE(sim4010.Percorso().isEmpty());
    ASSERT_FALSE(simLED.Percorso().isEmpty());
    test::ScrivePorte(dati, {{1, centrale}, {2, tabellone}});
    EXPECT_TRUE(TestaPorta(1));
    EXPECT_TRUE(TestaPorta(2));
    EXPECT_TRUE(TestaCentralina(1));

    // No voting units configured yet: the console offers its simulation.
    ui->AttendiMsg(QStringLiteral("usa VotiObx.txt"), vbNo);
    w->mnuConsiglio_Click(0);
    frmCons* f = frmConsAperto();
    ASSERT_NE(f, nullptr);
    test::Gira(200);
    const QRect area = f->boxConsiglio(0)->contentsRect();
    std::vector<QRect> posti;
    for (int n = 1; n <= 8; ++n) {
        Etichetta* e = f->txtAnag(n);
        ASSERT_NE(e, nullptr);
        EXPECT_TRUE(e->isVisibleTo(f)) << n;
        EXPECT_FALSE(e->Caption().isEmpty()) << n;
        EXPECT_TRUE(area.contains(e->geometry())) << n;
        for (const QRect& r : posti) EXPECT_FALSE(r.intersects(e->geometry())) << n;
        posti.push_back(e->geometry());
    }
    EXPECT_FALSE(f->txtAnag(9)->isVisibleTo(f));  // the secretary has no seat
    if (!qEnvironmentVariableIsEmpty("OBX_FOTO_CONSOLE")) f->grab().save(qEnvironmentVariable("OBX_FOTO_CONSOLE"));
    f->Chiude();
    test::Gira(50);
}
