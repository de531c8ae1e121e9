// Windows that open inside the screen they open on, frame included, from a
// screen of 800x600 up: a window keeps the size it was designed with where
// that fits, is made smaller where it does not, and is placed so that
// nothing of it, title bar and borders included, falls outside the area the
// desktop leaves to windows (task bars and panels excluded).
#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

namespace obx {

// The area the desktop leaves to windows on the screen the window opens on:
// the screen under its middle once placed, its parent's before.
QRect AreaDisponibile(const QWidget* finestra);

// The frame round the window: its own once the window manager has put it
// on, before then the one of a window already shown (same window manager),
// none where no window has one yet.
QMargins CorniceFinestra(const QWidget* finestra);

// The window's rectangle (frame included) moved and cut to lie inside
// area: a rectangle wider or taller than the area is cut to it, one that
// reaches past an edge is moved back inside.
QRect DentroArea(const QRect& cornice, const QRect& area);

// Fits the window now: at most as large as the area leaves once its frame
// is counted (a window laid out by hand lowers its minimum to that), then
// moved inside it.  A window not placed yet is centred over its parent, or
// on the area when it has none; centra centres it on the area anyway.
// Maximised, full-screen and minimised windows are the window manager's.
void AdattaAlloSchermo(QWidget* finestra, bool centra = false);

// The window's normal size as the whole area, frame included: for a window
// shown maximised, so that where no window manager maximises it, or once it
// is restored, it still lies inside the screen.
void RiempieLoSchermo(QWidget* finestra);

// Fits the window at every show, before it appears and again once the
// window manager has framed it (the real frame may differ from the one
// guessed before).
void TieneNelloSchermo(QWidget* finestra);

}  // namespace obx
