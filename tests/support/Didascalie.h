// Whether what a window shows can be read whole, with the fonts of this
// machine: the captions of its controls (labels, buttons, check boxes,
// option buttons, tool buttons, frame titles) against the room each control
// gives its text, and the text fields against the characters they take.
// Any window can be walked, shown or not: a control counts when it would be
// visible with its window.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <vector>

namespace obx::test {

struct DidascaliaTagliata {
    QPointer<const QWidget> controllo;
    QString nome;         // class and object name of the control, with its parents
    QString testo;        // the caption (mnemonic markers removed)
    int necessaria = 0;   // pixels the text needs (width, or height when inAltezza)
    int disponibile = 0;  // pixels the control leaves it, inside what its parents show
    bool inAltezza = false;
};

// Every control under finestra (finestra included) that would be visible
// with it and whose caption does not fit: wider than its control's text
// area (with a breath of two pixels each side on push and tool buttons),
// taller than it, or running past the edge of a parent that cuts it off.
// The titles of the sections of headers (grids, lists, trees) are measured
// against their sections.  Menus are not walked.  Empty captions and
// pictures are skipped.
std::vector<DidascaliaTagliata> DidascalieTagliate(const QWidget* finestra);

// Every text field (QLineEdit) under finestra that would be visible with
// it, has a maximum length of at most 255 characters and is not wide enough
// to show that many capital letters ("necessaria" is the width of the
// field's maximum text of average capitals, "disponibile" the field's
// text area).  minimo: fields whose maximum is below it are not checked.
std::vector<DidascaliaTagliata> CampiStretti(const QWidget* finestra, int minimo = 1);

// One line per entry, for a test's failure message.
QString Descrive(const std::vector<DidascaliaTagliata>& elenco);

}  // namespace obx::test
