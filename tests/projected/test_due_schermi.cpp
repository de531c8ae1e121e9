// Monitor detection and the board's placement with several screens.  The
// offscreen platform takes its screens from a file only when the
// application starts, so every layout runs in a child copy of this program
// started with that file; the checks of the child are registered only there.
#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScreen>

#include "Banco.h"
#include "board/Video.h"

using namespace obx;
using namespace obx::test;

namespace {

const char* kVarFiglio = "OBX_PROVA_SCHERMI_ATTESI";

struct Schermo {
    const char* nome;
    int x, y, w, h;
};

struct Disposizione {
    const char* descrizione;
    std::vector<Schermo> schermi;  // the first is the primary
    // Expected row 1 of lMonitor: handle, top, left, height, width.
    DatiMonitor atteso;
};

QByteArray Configurazione(const std::vector<Schermo>& schermi)
{
    QJsonArray lista;
    for (const Schermo& s : schermi)
        lista.append(
            QJsonObject{{"name", s.nome}, {"x", s.x}, {"y", s.y}, {"width", s.w}, {"height", s.h}, {"logicalDpi", 96}});
    return QJsonDocument(QJsonObject{{"screens", lista}}).toJson();
}

QString Atteso(const DatiMonitor& m)
{
    return QStringLiteral("%1,%2,%3,%4,%5").arg(m.hMonitor).arg(m.nTop).arg(m.nSin).arg(m.nAlt).arg(m.nLar);
}

// Runs in the child: detection as the start-up does it, then the board.
class SchermiFiglio : public ::testing::Test {
public:
    void TestBody() override
    {
        App();
        const QStringList v = qEnvironmentVariable(kVarFiglio).split(u',');
        ASSERT_EQ(v.size(), 5);
        // The offscreen platform makes the first screen (by name) the primary.
        ASSERT_EQ(QGuiApplication::primaryScreen(), QGuiApplication::screens().first());
        RilevaMonitor();
        const QRect primario = QGuiApplication::primaryScreen()->geometry();
        EXPECT_EQ(lMonitor[0].hMonitor, 1);
        EXPECT_EQ(QRect(lMonitor[0].nSin, lMonitor[0].nTop, lMonitor[0].nLar, lMonitor[0].nAlt), primario);
        EXPECT_EQ(lMonitor[1].hMonitor, v[0].toLongLong());
        EXPECT_EQ(lMonitor[1].nTop, v[1].toInt());
        EXPECT_EQ(lMonitor[1].nSin, v[2].toInt());
        EXPECT_EQ(lMonitor[1].nAlt, v[3].toInt());
        EXPECT_EQ(lMonitor[1].nLar, v[4].toInt());

        // The board: on the second monitor at its geometry, shown at once,
        // without taking the focus from the console.
        StatoIniziale();
        SediConsiglio();
        int attivazioni = 0;
        FrmVideo::Attivazione = [&] { ++attivazioni; };
        QWidget console;
        console.setWindowTitle(QStringLiteral("console"));
        console.setGeometry(primario.adjusted(10, 10, -10, -10));
        console.show();
        console.activateWindow();
        QCoreApplication::processEvents();
        QWidget* attiva = QApplication::activeWindow();

        FrmVideo& b = frmVideo();
        QCoreApplication::processEvents();
        const DatiMonitor& m = lMonitor[lMonitor[1].hMonitor ? 1 : 0];
        EXPECT_EQ(b.geometry(), QRect(m.nSin, m.nTop, m.nLar, m.nAlt));
        EXPECT_EQ(b.screen(), SchermoDelMonitor(m.hMonitor));
        EXPECT_EQ(b.isVisible(), lMonitor[1].hMonitor != 0);
        if (lMonitor[1].hMonitor != 0)
            EXPECT_GE(attivazioni, 1);
        else
            EXPECT_EQ(attivazioni, 0);
        EXPECT_EQ(QApplication::activeWindow(), attiva);
        EXPECT_NE(QApplication::activeWindow(), &b);
        EXPECT_TRUE(b.txtAnag(1)->Visible());
        ChiudiTabellone();
    }
};

const bool g_registrato = [] {
    if (qEnvironmentVariableIsSet(kVarFiglio))
        ::testing::RegisterTest("SchermiFiglio", "RilevamentoEPosizione", nullptr, nullptr, __FILE__, __LINE__,
                                []() -> ::testing::Test* { return new SchermiFiglio; });
    return true;
}();

}  // namespace

TEST(Monitor, DisposizioniDiPiuSchermi)
{
    App();
    const Disposizione casi[] = {
        {"secondo a destra", {{"A", 0, 0, 1024, 768}, {"B", 1024, 0, 1280, 1024}}, {2, 0, 1024, 1024, 1280}},
        {"secondo a sinistra e sopra",
         {{"A", 0, 0, 1024, 768}, {"B", -1280, -200, 1280, 720}},
         {2, -200, -1280, 720, 1280}},
        // Three: the scan meets the one on the right (first row) before
        // the one below.
        {"tre schermi",
         {{"A", 0, 0, 800, 600}, {"B", 0, 600, 1024, 768}, {"C", 800, 0, 1024, 600}},
         {3, 0, 800, 600, 1024}},
        // Too narrow for any probe point to fall on it: not found.
        {"secondo troppo stretto", {{"A", 0, 0, 1024, 768}, {"B", 1024, 0, 300, 400}}, {0, 0, 0, 0, 0}},
    };
    QTemporaryDir dir;
    for (const Disposizione& c : casi) {
        SCOPED_TRACE(c.descrizione);
        const QString file = dir.filePath(QString::fromUtf8(c.descrizione).replace(u' ', u'_') + ".json");
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(Configurazione(c.schermi));
        f.close();

        QProcess figlio;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + file);
        env.insert(QString::fromLatin1(kVarFiglio), Atteso(c.atteso));
        figlio.setProcessEnvironment(env);
        figlio.setProcessChannelMode(QProcess::MergedChannels);
        figlio.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=SchermiFiglio.*")});
        ASSERT_TRUE(figlio.waitForFinished(60000));
        const QString uscita = QString::fromLocal8Bit(figlio.readAll());
        EXPECT_EQ(figlio.exitCode(), 0) << uscita.toStdString();
        EXPECT_TRUE(uscita.contains(QStringLiteral("[  PASSED  ] 1 test"))) << uscita.toStdString();
    }
}
