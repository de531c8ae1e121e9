#include "platform/Schermo.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace obx {

namespace {

// After a show the window manager needs a moment to put its frame on; the
// second look is for one slower than the event loop's first turn.
constexpr int kRivistaMs = 250;

bool SenzaCornice(const QWidget* w)
{
    const Qt::WindowFlags f = w->windowFlags();
    const Qt::WindowType tipo = w->windowType();
    return (f & Qt::FramelessWindowHint) || tipo == Qt::Popup || tipo == Qt::ToolTip || tipo == Qt::SplashScreen;
}

QMargins CorniceMostrata(const QWidget* w)
{
    if (!w->isVisible()) return {};
    const QRect g = w->geometry(), f = w->frameGeometry();
    return {g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom()};
}

class Guardiano : public QObject {
public:
    explicit Guardiano(QWidget* finestra) : QObject(finestra), m_finestra(finestra)
    {
        setObjectName(QStringLiteral("obxTieneNelloSchermo"));
        finestra->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o == m_finestra && e->type() == QEvent::Show) {
            AdattaAlloSchermo(m_finestra);
            for (int ms : {0, kRivistaMs}) {
                QPointer<QWidget> w = m_finestra.data();
                QTimer::singleShot(ms, this, [w] {
                    if (w && w->isVisible()) AdattaAlloSchermo(w);
                });
            }
        }
        return false;
    }

private:
    QPointer<QWidget> m_finestra;
};

}  // namespace

QRect AreaDisponibile(const QWidget* finestra)
{
    if (!finestra) return {};
    const QWidget* w = finestra->window();
    QScreen* s = nullptr;
    if (w->isVisible() || w->testAttribute(Qt::WA_Moved)) s = QGuiApplication::screenAt(w->geometry().center());
    if (!s && w->parentWidget()) s = w->parentWidget()->window()->screen();
    if (!s) s = w->screen();
    if (!s) s = QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect();
}

QMargins CorniceFinestra(const QWidget* finestra)
{
    if (!finestra) return {};
    const QWidget* w = finestra->window();
    if (SenzaCornice(w)) return {};
    QMargins m = CorniceMostrata(w);
    if (!m.isNull()) return m;
    if (const QWindow* h = w->windowHandle(); h && h->handle()) {
        m = h->frameMargins();
        if (!m.isNull()) return m;
    }
    // Not framed yet: the frame of the windows already on the screen.
    for (const QWidget* altra : QApplication::topLevelWidgets()) {
        if (altra == w || SenzaCornice(altra) || (altra->windowState() & Qt::WindowFullScreen)) continue;
        m = CorniceMostrata(altra);
        if (!m.isNull()) return m;
    }
    return {};
}

QRect DentroArea(const QRect& cornice, const QRect& area)
{
    QRect r(cornice.topLeft(), cornice.size().boundedTo(area.size()));
    r.moveLeft(std::clamp(r.left(), area.left(), area.right() - r.width() + 1));
    r.moveTop(std::clamp(r.top(), area.top(), area.bottom() - r.height() + 1));
    return r;
}

void AdattaAlloSchermo(QWidget* finestra, bool centra)
{
    if (!finestra || !finestra->isWindow()) return;
    if (finestra->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)) return;
    const QRect area = AreaDisponibile(finestra);
    if (area.isEmpty()) return;
    const QMargins m = CorniceFinestra(finestra);
    const QSize spazio = area.size().shrunkBy(m).expandedTo(QSize(1, 1));

    // A window whose controls are placed by hand follows its own size; one
    // with a layout keeps the minimum its controls need.
    if (!finestra->layout() &&
        (finestra->minimumWidth() > spazio.width() || finestra->minimumHeight() > spazio.height()))
        finestra->setMinimumSize(finestra->minimumSize().boundedTo(spazio));
    if (finestra->width() > spazio.width() || finestra->height() > spazio.height())
        finestra->resize(finestra->size().boundedTo(spazio));

    QRect cornice = QRect(finestra->geometry().topLeft(), finestra->size()).marginsAdded(m);
    // Not placed yet (a dialog is centred over its parent only after its
    // show event, which comes after this): where the window would open.
    if (centra || !finestra->testAttribute(Qt::WA_Moved)) {
        QRect sopra = area;
        const QWidget* padre = finestra->parentWidget() ? finestra->parentWidget()->window() : nullptr;
        if (!centra && padre && padre->isVisible()) sopra = padre->frameGeometry();
        cornice.moveCenter(sopra.center());
    }
    cornice = DentroArea(cornice, area);
    const QRect cliente(cornice.topLeft() + QPoint(m.left(), m.top()), finestra->size());
    if (cliente != finestra->geometry()) finestra->setGeometry(cliente);
}

void RiempieLoSchermo(QWidget* finestra)
{
    if (!finestra || !finestra->isWindow()) return;
    const QRect area = AreaDisponibile(finestra);
    if (area.isEmpty()) return;
    const QRect cliente = area.marginsRemoved(CorniceFinestra(finestra));
    finestra->setGeometry(QRect(cliente.topLeft(), cliente.size().expandedTo(finestra->minimumSize())));
    AdattaAlloSchermo(finestra);
}

void TieneNelloSchermo(QWidget* finestra)
{
    if (!finestra ||
        finestra->findChild<Guardiano*>(QStringLiteral("obxTieneNelloSchermo"), Qt::FindDirectChildrenOnly))
        return;
    new Guardiano(finestra);
}

}  // namespace obx
