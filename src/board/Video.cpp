#include "board/Video.h"

#include <QGuiApplication>
#include <QList>
#include <QScreen>

#include "shell/Globali.h"

namespace obx {

namespace {

int64_t Handle(const QScreen* s)
{
    const int i = int(QGuiApplication::screens().indexOf(const_cast<QScreen*>(s)));
    return i < 0 ? 0 : i + 1;
}

// The screen of a desktop that holds a point, scanning the desktop's own
// screens only: separate X screens each have their own coordinates.
const QScreen* SchermoNelDesktop(const QList<QScreen*>& desktop, int x, int y)
{
    for (const QScreen* s : desktop)
        if (s->geometry().contains(x, y)) return s;
    return nullptr;
}

// Looks for a monitor other than the primary over one desktop: a grid of
// probe points, row by row from the top and each row from the left, one
// point every 640 x 480 pixels at the middle of its cell; the first
// monitor met wins.  A monitor narrower than 640 or lower than 480 pixels
// may hold no probe point and stay unseen.
const QScreen* Cerca(const QList<QScreen*>& desktop, const QScreen* primario)
{
    if (desktop.isEmpty()) return nullptr;
    QRect area;
    for (const QScreen* s : desktop) area |= s->geometry();
    for (int y = area.top(); y <= area.bottom(); y += 480)
        for (int x = area.left(); x <= area.right(); x += 640) {
            const QScreen* s = SchermoNelDesktop(desktop, x + 320, y + 240);
            if (s && s != primario && !s->geometry().isEmpty()) return s;
        }
    return nullptr;
}

double Fattore(double dpi) { return dpi > 0 ? 1440.0 / dpi : 15.0; }

}  // namespace

int64_t clsVideo::GetMonitorHandle(int x, int y)
{
    const QScreen* primario = QGuiApplication::primaryScreen();
    if (!primario) return 0;
    return Handle(SchermoNelDesktop(primario->virtualSiblings(), x, y));
}

bool clsVideo::ImpostaDisplay(bool primario)
{
    const QScreen* principale = QGuiApplication::primaryScreen();
    if (primario) {
        // The primary is always described, from its own geometry.
        const QRect g = principale ? principale->geometry() : QRect();
        hMonitor = Handle(principale);
        nTop = g.top();
        nSin = g.left();
        nAlt = g.height();
        nLar = g.width();
        return true;
    }

    const QList<QScreen*> schermi = QGuiApplication::screens();
    if (schermi.size() < 2 || !principale) return false;

    // The primary's desktop first; then every separate X screen, each a
    // desktop of its own, in the order the system lists them.
    const QScreen* trovato = Cerca(principale->virtualSiblings(), principale);
    for (qsizetype i = 0; !trovato && i < schermi.size(); ++i) {
        const QList<QScreen*> desktop = schermi[i]->virtualSiblings();
        if (desktop.contains(const_cast<QScreen*>(principale))) continue;
        if (desktop.first() != schermi[i]) continue;  // each desktop once
        trovato = Cerca(desktop, principale);
    }
    if (!trovato) return false;

    const QRect g = trovato->geometry();
    hMonitor = Handle(trovato);
    nTop = g.top();
    nSin = g.left();
    nAlt = g.height();
    nLar = g.width();
    return true;
}

void RilevaMonitor()
{
    clsVideo video;
    lMonitor = {};
    if (video.ImpostaDisplay(true)) lMonitor[0] = {video.hMonitor, video.nTop, video.nSin, video.nAlt, video.nLar};
    if (video.ImpostaDisplay(false))
        lMonitor[1] = {video.hMonitor, video.nTop, video.nSin, video.nAlt, video.nLar};
    else
        lMonitor[1] = {};
}

QScreen* SchermoDelMonitor(int64_t hMonitor)
{
    const QList<QScreen*> schermi = QGuiApplication::screens();
    if (hMonitor < 1 || hMonitor > schermi.size()) return nullptr;
    return schermi[qsizetype(hMonitor - 1)];
}

double TwipsPerPixelX(const QScreen* s)
{
    if (!s) s = QGuiApplication::primaryScreen();
    return Fattore(s ? s->logicalDotsPerInchX() : 96.0);
}

double TwipsPerPixelY(const QScreen* s)
{
    if (!s) s = QGuiApplication::primaryScreen();
    return Fattore(s ? s->logicalDotsPerInchY() : 96.0);
}

}  // namespace obx
