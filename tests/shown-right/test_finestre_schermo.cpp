// Every window the menus and the console open lies inside the area the
// screen leaves to windows, title bar and borders included, on a screen of
// 800x600 and on one of 1280x1024; the controls it shows lie inside it and
// read whole; where the designed size fits, the window keeps it.
//
// Headless the screen is the offscreen platform's, set when the program
// starts (ctest runs each test in a program of its own; a test whose screen
// could not be set is skipped).  Its windows have a frame of two pixels,
// so a window placed without counting its frame falls outside.  Under a real
// X server (xvfb-run -s "-screen 0 800x600x24") the test of that size runs
// on that screen; with OBX_FOTO_SCHERMO set, a picture of the whole screen
// for each window goes into that folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <functional>

#include "board/frmColori.h"
#include "board/frmDisplay.h"
#include "board/frmPosti.h"
#include "board/frmTinteQZ.h"
#include "console/frmScambio.h"
#include "console/frmTasti.h"
#include "links/frmLED.h"
#include "links/frmTavelix.h"
#include "platform/Database.h"
#include "registers/frmAnag.h"
#include "registers/frmDataGrid.h"
#include "registers/frmDelib.h"
#include "registers/frmLeggi.h"
#include "reports/frmEvent.h"
#include "reports/frmVoti.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"
#include "shell/frmConfig.h"
#include "shell/frmCopia.h"
#include "shell/frmGetFile.h"
#include "shell/frmLogin.h"
#include "shell/frmMain.h"
#include "shell/frmParam.h"
#include "support/BancoConsole.h"
#include "support/Didascalie.h"

namespace obx::test {
namespace {

// The offscreen platform reads its screens from a file named when it
// starts; the file is written once per program.
void SchermoOffscreen(const QSize& dim)
{
    if (QCoreApplication::instance()) return;
    const QByteArray piattaforma = qgetenv("QT_QPA_PLATFORM");
    if (!piattaforma.isEmpty() && piattaforma != "offscreen") return;
    const QString file = QDir::temp().filePath(QStringLiteral("obx-schermo-%1x%2-%3.json")
                                                   .arg(dim.width())
                                                   .arg(dim.height())
                                                   .arg(QCoreApplication::applicationPid()));
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    f.write(QStringLiteral("{\"windowFrameMargins\": true, \"screens\": [{\"name\": \"\", \"x\": 0, \"y\": 0, "
                           "\"width\": %1, \"height\": %2, \"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": 1}]}")
                .arg(dim.width())
                .arg(dim.height())
                .toUtf8());
    f.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + file).toUtf8());
}

// Where the window lies against the area of its screen, and what it
// shows that it cuts off: a child reaching past its edges, a caption
// that does not fit.
std::string Difetti(const QWidget* w)
{
    std::string d;
    const QScreen* s = w->screen();
    const QRect area = s ? s->availableGeometry() : QRect();
    const QRect cornice = w->frameGeometry();
    auto testo = [](const QRect& r) {
        return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
               std::to_string(r.height());
    };
    if (!area.contains(cornice)) d += "  frame " + testo(cornice) + " outside the area " + testo(area) + "\n";
    // A maximised window is restored to a place inside the area too.
    if (w->windowState() & Qt::WindowMaximized) {
        const QMargins m(w->geometry().left() - cornice.left(), w->geometry().top() - cornice.top(),
                         cornice.right() - w->geometry().right(), cornice.bottom() - w->geometry().bottom());
        const QRect normale = w->normalGeometry().marginsAdded(m);
        if (!area.contains(normale)) d += "  restored frame " + testo(normale) + " outside the area\n";
    }
    for (const QWidget* c : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (c->isWindow() || !c->isVisibleTo(w)) continue;
        if (!w->rect().contains(c->geometry()))
            d += "  " + c->objectName().toStdString() + " " + testo(c->geometry()) + " past the window " +
                 testo(w->rect()) + "\n";
    }
    const auto tagliate = DidascalieTagliate(w);
    if (!tagliate.empty()) d += Descrive(tagliate).toStdString();
    return d;
}

void Foto(const QWidget* w, const std::string& nome)
{
    if (!qEnvironmentVariableIsSet("OBX_FOTO_SCHERMO")) return;
    QString file = QString::fromStdString(nome);
    file.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]+")), QStringLiteral("_"));
    file = qEnvironmentVariable("OBX_FOTO_SCHERMO") + u'/' + file + QStringLiteral(".png");
    QScreen* s = w->screen();
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(s->grabWindow(0).save(file, "PNG")) << file.toStdString();
}

struct Caso {
    const char* nome;
    // Opens the window as the program does and returns it shown.
    std::function<QWidget*()> apre;
    bool elimina = true;  // the test deletes it afterwards
};

template <class T>
QWidget* Nuova(QWidget* padre)
{
    auto* w = new T(padre);
    w->show();
    return w;
}

class FinestreNelloSchermo : public BancoConsole {
protected:
    // The screen of the test.
    virtual QSize Schermo() const = 0;

    void SetUp() override
    {
        SchermoOffscreen(Schermo());
        BancoConsole::SetUp();
        if (HasFatalFailure()) return;
        const QScreen* s = QGuiApplication::primaryScreen();
        ASSERT_NE(s, nullptr);
        if (s->geometry().size() != Schermo())
            GTEST_SKIP() << "the screen is " << s->geometry().width() << "x" << s->geometry().height()
                         << ": run this test alone";
        // The monitor the program finds at start.
        lMonitor[0] = {1, 0, 0, Schermo().height(), Schermo().width()};
        cColoriTabVideo = kColoriTabVideoPredefiniti;
        xEsitoVideo = true;
        GestisceConfig(false);
        principale = new frmMain;
        principale->show();
        Gira(10);
    }
    void TearDown() override
    {
        delete frmPosti::Aperta();
        delete frmDisplay::Aperta();
        delete principale.data();
        Gira(5);
        BancoConsole::TearDown();
    }

    // The windows of the main menus, over the main window as their parent.
    std::vector<Caso> DeiMenu()
    {
        QWidget* p = principale;
        std::vector<Caso> casi = {
            {"frmMain", [this] { return principale.data(); }, false},
            {"frmConfig", [p] { return Nuova<frmConfig>(p); }},
            {"frmParam", [p] { return Nuova<frmParam>(p); }},
            {"frmCopia", [p] { return Nuova<frmCopia>(p); }},
            {"frmLogin", [p] { return Nuova<frmLogin>(p); }},
            {"frmGetFile list", [p] { return Show(new frmGetFile(true, p)); }},
            {"frmGetFile new name", [p] { return Show(new frmGetFile(false, p)); }},
            {"frmAnag", [p] { return frmAnag::Mostra(p); }, false},
            {"frmPosti", [p] { return frmPosti::Mostra(p); }, false},
            {"frmDisplay", [p] { return frmDisplay::Mostra(p); }, false},
            {"frmColori", [p] { return Nuova<frmColori>(p); }},
            {"frmTinteQZ", [p] { return Nuova<frmTinteQZ>(p); }},
            {"frmLED", [] { return Show(&frmLED()); }, false},
            {"frmTavelix", [p] { return Nuova<frmTavelix>(p); }},
        };
        casi.push_back({"frmDelib", [p] { return frmDelib::Mostra(p); }, false});
        for (int t = 1; t <= 5; ++t)
            casi.push_back({"frmDataGrid",
                            [p, t] {
                                cTabellaGriglia = cTabelle[size_t(t)];
                                return Nuova<frmDataGrid>(p);
                            },
                            false});
        return casi;
    }

    // The console, then what it opens and the lists of the sitting.
    std::vector<Caso> DellaConsole()
    {
        return {
            {"frmCons", [this] { return static_cast<QWidget*>(ApreConSeduta()); }, false},
            {"frmEvent", [this] { return frmEvent::Mostra(principale); }, false},
            {"frmVoti", [this] { return frmVoti::Mostra(principale); }, false},
            {"frmTasti",
             [] {
                 auto* t = new frmTasti(frmConsAperto());
                 t->iConsID = 1;
                 return Show(t);
             }},
            {"frmOspiti",
             [] {
                 cNomeOspite = QStringLiteral("Giulia Neri");
                 return Nuova<frmOspiti>(frmConsAperto());
             }},
            {"frmScambio", [] { return Nuova<frmScambio>(frmConsAperto()); }},
        };
    }

    // Opens each window, looks at it, closes it.
    void Prova(const std::vector<Caso>& casi)
    {
        const std::string schermo = std::to_string(Schermo().width()) + "x" + std::to_string(Schermo().height());
        for (const Caso& c : casi) {
            QPointer<QWidget> w = c.apre();
            ASSERT_FALSE(w.isNull()) << c.nome;
            // Past the second look the window manager's frame gets.
            Gira(400);
            ASSERT_TRUE(w->isVisible()) << c.nome;
            EXPECT_EQ(Difetti(w), "") << c.nome << " at " << schermo;
            Foto(w, std::string(c.nome) + " " + schermo);
            if (w == principale) continue;
            const bool elimina = c.elimina && !w->testAttribute(Qt::WA_DeleteOnClose);
            if (qobject_cast<frmCons*>(w)) continue;  // the fixture closes it
            w->close();
            Gira(5);
            if (elimina) delete w.data();
        }
    }

    static QWidget* Show(QWidget* w)
    {
        w->show();
        return w;
    }

    QPointer<frmMain> principale;
};

class A800x600 : public FinestreNelloSchermo {
protected:
    QSize Schermo() const override { return {800, 600}; }
};
class A1280x1024 : public FinestreNelloSchermo {
protected:
    QSize Schermo() const override { return {1280, 1024}; }
};
class Atti800x600 : public A800x600 {
protected:
    int Tipo() const override { return 4; }
};

TEST_F(A800x600, LeFinestreDeiMenu) { Prova(DeiMenu()); }
TEST_F(A800x600, LaConsoleEQuelloCheApre) { Prova(DellaConsole()); }
TEST_F(Atti800x600, IlRegistroDegliAtti)
{
    Prova({{"frmLeggi", [this] { return frmLeggi::Mostra(principale); }, false}});
}
TEST_F(A1280x1024, LeFinestreDeiMenu) { Prova(DeiMenu()); }
TEST_F(A1280x1024, LaConsoleEQuelloCheApre) { Prova(DellaConsole()); }

// Where it fits, a window keeps the size it was designed with.
TEST_F(A1280x1024, LaMisuraVolutaQuandoCiSta)
{
    cTabellaGriglia = cTabelle[1];
    QPointer<QWidget> g = Nuova<frmDataGrid>(principale);
    Gira(400);
    EXPECT_EQ(g->size(), QSize(900, 520));
    g->close();
    ASSERT_NE(ApreConSeduta(), nullptr);
    QPointer<frmEvent> e = frmEvent::Mostra(principale);
    Gira(400);
    EXPECT_EQ(e->width(), 880);
    e->close();
    Gira(5);
}

// A board monitor smaller than the control screen: the board editor shows
// its whole panel, its status line under it, with nothing to scroll.
TEST_F(A1280x1024, IlPannelloDelTabelloneInteroSulloSchermoGrande)
{
    lMonitor[1] = {2, 0, 1280, 600, 800};
    for (int prenotazioni : {0, 1}) {
        iPrenotazioni = prenotazioni;
        frmDisplay* d = frmDisplay::Mostra(principale);
        Gira(400);
        const auto* scorri = d->findChild<QScrollArea*>();
        ASSERT_NE(scorri, nullptr);
        EXPECT_TRUE(QRect(QPoint(), scorri->viewport()->size()).contains(QRect(QPoint(), d->boxPosti()->size())))
            << "viewport " << scorri->viewport()->width() << "x" << scorri->viewport()->height() << ", panel "
            << d->boxPosti()->width() << "x" << d->boxPosti()->height();
        EXPECT_EQ(Difetti(d), "");
        delete d;
        Gira(5);
    }
    iPrenotazioni = 0;
    lMonitor[1] = {};
}

}  // namespace
}  // namespace obx::test
