// A vote's close reaches the archive whole or not at all.  A child process
// (this same program, with the archive named in its environment) closes
// vote after vote on one archive and is killed at random moments; after
// every kill the archive is sound, every stored vote has all its closing
// events, every closing event its vote, and no item has two live votes of
// one kind.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "console/Spoglio.h"
#include "console/TastiVoto.h"
#include "console/frmCons.h"
#include "platform/Database.h"
#include "shell/Globali.h"
#include "support/BancoConsole.h"

namespace obx::test {
namespace {

const char kArchivio[] = "OBX_ARCHIVIO_CHIUSURE";
const char kPronto[] = "CHIUSURE IN CORSO";
constexpr int kUccisioni = 12;

class Chiusure : public BancoConsole {};

// What the archive holds after a kill.
struct Stato {
    int voti = 0;
    QStringList difetti;
};

Stato Controlla(const QString& percorso)
{
    Stato s;
    try {
        dbArchivio.Open(percorso);
        const QString integrita = dbArchivio.IntegrityCheck();
        if (!integrita.isEmpty()) s.difetti << QStringLiteral("integrity_check: ") + integrita;

        // Closing events by vote code.
        std::map<int, QString> chiusure;
        Recordset ev = dbArchivio.OpenQuery(QStringLiteral("SELECT lCodVotoEV, cTipoEventoEV FROM EVENTI "
                                                           "WHERE cTipoEventoEV = 'T' OR cTipoEventoEV = 'H' "
                                                           "ORDER BY lCodiceEV;"));
        for (; !ev.Eof(); ev.MoveNext())
            chiusure[ev.Field(QStringLiteral("lCodVotoEV")).toInt()] +=
                ev.Field(QStringLiteral("cTipoEventoEV")).toString();
        ev.Close();

        std::map<int, int> vive;  // item -> live votes
        Recordset v = dbArchivio.OpenQuery(QStringLiteral("SELECT lCodiceVT, iCodLeggeVT, cNotaVotoVT FROM VOTI "
                                                          "ORDER BY lCodiceVT;"));
        for (; !v.Eof(); v.MoveNext()) {
            ++s.voti;
            const int codice = v.Field(QStringLiteral("lCodiceVT")).toInt();
            const QString lettere = chiusure.count(codice) ? chiusure[codice] : QString();
            if (lettere != u"TH") s.difetti << QStringLiteral("vote %1 closed by \"%2\"").arg(codice).arg(lettere);
            chiusure.erase(codice);
            if (v.Field(QStringLiteral("cNotaVotoVT")).toString().trimmed() != u"Votazione Annullata")
                ++vive[v.Field(QStringLiteral("iCodLeggeVT")).toInt()];
        }
        v.Close();
        for (const auto& [codice, lettere] : chiusure)
            s.difetti
                << QStringLiteral("closing events \"%1\" of vote %2, which is not stored").arg(lettere).arg(codice);
        for (const auto& [item, n] : vive)
            if (n > 1) s.difetti << QStringLiteral("item %1 has %2 live votes").arg(item).arg(n);

        // The closings of the item: only the last is not superseded.
        Recordset t = dbArchivio.OpenQuery(QStringLiteral("SELECT iDeliberaEV, cExtraDescEV FROM EVENTI "
                                                          "WHERE cTipoEventoEV = 'T';"));
        std::map<int, int> chiusureVive;
        for (; !t.Eof(); t.MoveNext())
            if (!t.Field(QStringLiteral("cExtraDescEV")).toString().startsWith(QStringLiteral("Votazione Annullata")))
                ++chiusureVive[t.Field(QStringLiteral("iDeliberaEV")).toInt()];
        t.Close();
        for (const auto& [item, n] : chiusureVive)
            if (n > 1) s.difetti << QStringLiteral("item %1 has %2 live closing events").arg(item).arg(n);
    } catch (const Errore& e) {
        s.difetti << QString::fromUtf8(e.what());
    }
    dbArchivio.Close();
    return s;
}

}  // namespace

namespace {

// The child: the console opened on the archive it is given, closing votes
// until it is killed.  It runs before any test of the program (a test
// environment) when its archive is named, and never returns.
class Figlio : public BancoConsole {
public:
    void TestBody() override {}

    [[noreturn]] void Chiude(const QString& percorso)
    {
        SetUp();
        dbArchivio.Close();
        cPathArchivio = percorso;
        cCartella = QFileInfo(percorso).absolutePath() + u'/';
        dbArchivio.Open(percorso);
        // A console loaded over stored rows asks whether to clear them: no.
        if (dbArchivio.RowCount(cTabelle[3]) > 0) (*ui)->AttendiMsg(QStringLiteral("Azzera Lista Eventi"), vbCancel);
        if (dbArchivio.RowCount(cTabelle[4]) > 0) (*ui)->AttendiMsg(QStringLiteral("Azzera Votazioni"), vbCancel);
        iModoOBX = 0;
        frmCons* f = Apre();
        if (!f) std::_Exit(2);
        TuttiPresentiArgomentoAperto();
        std::printf("%s\n", kPronto);
        std::fflush(stdout);
        for (int n = 0;; ++n) {
            iDelibera = 1 + n % 2;
            cTipoVoto = QStringLiteral("P");
            IniziaVoto(cTipoVoto, false, false);
            dInizioVoto = QDateTime::currentDateTime();
            for (size_t i = 1; i < aPosti.size(); ++i)
                MemorizzaVoti(aPosti[i].iVotatoreAN, QString(QChar::fromLatin1("365"[(i + size_t(n)) % 3])));
            f->ChiudeVotazione(0);
        }
    }
};

class AmbienteFiglio : public ::testing::Environment {
public:
    void SetUp() override
    {
        const QString percorso = qEnvironmentVariable(kArchivio);
        if (percorso.isEmpty()) return;
        Figlio().Chiude(percorso);
    }
};

[[maybe_unused]] ::testing::Environment* const kFiglio = ::testing::AddGlobalTestEnvironment(new AmbienteFiglio);

}  // namespace

TEST_F(Chiusure, AVoteCloseKilledAnywhereLeavesAllOrNothing)
{
    const QString percorso = cPathArchivio;
    const QString figli = archivio->Cartella() + QStringLiteral("figli");
    ASSERT_TRUE(QDir().mkpath(figli));
    dbArchivio.Close();
    const QString programma = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    ASSERT_FALSE(programma.isEmpty());

    int prima = 0;
    for (int k = 0; k < kUccisioni; ++k) {
        SCOPED_TRACE(k);
        QProcess figlio;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kArchivio), percorso);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // What the child's own fixture leaves behind stays in here.
        env.insert(QStringLiteral("TMPDIR"), figli);
        figlio.setProcessEnvironment(env);
        figlio.setProcessChannelMode(QProcess::SeparateChannels);
        figlio.start(programma, {QStringLiteral("--gtest_filter=Chiusure.AVoteCloseKilledAnywhereLeavesAllOrNothing")});
        ASSERT_TRUE(figlio.waitForStarted(10000));
        QByteArray uscita;
        while (!uscita.contains(kPronto) && figlio.state() == QProcess::Running && figlio.waitForReadyRead(20000))
            uscita += figlio.readAllStandardOutput();
        ASSERT_TRUE(uscita.contains(kPronto)) << uscita.constData() << figlio.readAllStandardError().constData();
        // Some closes, then the kill, anywhere in one of them.
        QThread::msleep(40 + QRandomGenerator::global()->bounded(400));
        figlio.kill();
        ASSERT_TRUE(figlio.waitForFinished(10000));

        const Stato s = Controlla(percorso);
        EXPECT_TRUE(s.difetti.isEmpty()) << s.difetti.join(u'\n').toStdString();
        EXPECT_GE(s.voti, prima);
        prima = s.voti;
    }
    // The child did close votes between the kills.
    EXPECT_GT(prima, kUccisioni);
    dbArchivio.Open(percorso);
}

}  // namespace obx::test

namespace obx::test {

TEST_F(Chiusure, ACloseWhoseEventIsRefusedStoresNothingOfTheVote)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    TuttiPresentiArgomentoAperto();
    iModoOBX = 0;
    iRichiedenti = {};
    // The archive refuses the item's closing event, the last row of the close.
    QSqlQuery q(dbArchivio.Connessione());
    ASSERT_TRUE(q.exec(QStringLiteral("CREATE TRIGGER rifiuta_h BEFORE INSERT ON EVENTI WHEN NEW.cTipoEventoEV = 'H' "
                                      "BEGIN SELECT RAISE(ABORT, 'evento rifiutato'); END;")));
    IniziaVoto(QStringLiteral("P"), false, false);
    for (size_t i = 1; i < aPosti.size(); ++i) MemorizzaVoti(aPosti[i].iVotatoreAN, QStringLiteral("3"));
    // The engine's message, the event's failure, then the vote's: the
    // operator learns that nothing of the vote was stored.
    (*ui)->AttendiMsg(QStringLiteral("evento rifiutato"), vbOK, true);
    (*ui)->AttendiMsg(QStringLiteral("Salvataggio Fallito"), vbOK);
    (*ui)->AttendiMsg(QStringLiteral("Salvataggio Fallito"), vbOK);
    f->ChiudeVotazione(0);
    EXPECT_TRUE((*ui)->Restanti().empty());
    EXPECT_EQ(lCodVoto, 0);
    EXPECT_EQ(dbArchivio.RowCount(cTabelle[4]), 0);
    EXPECT_EQ(dbArchivio.RowCount(cTabelle[3]), 0);

    // Once the archive takes it again, the next close is stored whole.
    ASSERT_TRUE(q.exec(QStringLiteral("DROP TRIGGER rifiuta_h;")));
    IniziaVoto(QStringLiteral("P"), false, false);
    for (size_t i = 1; i < aPosti.size(); ++i) MemorizzaVoti(aPosti[i].iVotatoreAN, QStringLiteral("6"));
    f->ChiudeVotazione(0);
    EXPECT_EQ(dbArchivio.RowCount(cTabelle[4]), 1);
    const auto ev = Eventi();
    ASSERT_EQ(ev.size(), 2u);
    EXPECT_EQ(ev[0].lettera, QStringLiteral("T"));
    EXPECT_EQ(ev[1].lettera, QStringLiteral("H"));
    EXPECT_EQ(ev[1].codVoto, lCodVoto);
}

}  // namespace obx::test
