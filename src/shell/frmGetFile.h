// The file picker: an existing file from a folder's list, or a new name
// typed by the operator.  A new name that is one of the files the program
// holds (the open archive, its ".ini", its ".old", the board's log) is
// refused with a message and the window stays open for another.
#pragma once

#include <QDialog>

#include "shell/SceltaCartella.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace obx {

class frmGetFile : public QDialog {
    Q_OBJECT
public:
    // xList True: pick an existing file; False: type a new name.
    explicit frmGetFile(bool xList, QWidget* parent = nullptr);

    bool xList;
    // The result; empty when nothing was chosen.
    QString cFile;

    SceltaCartella* dirDestinaz;
    QListWidget* lstFile;
    QLineEdit* getNuovoNome;
    QPushButton* cmdOK;
    QPushButton* cmdFine;

    // Shows the given folder in the folder and file lists.
    void ImpostaCartella(const QString& cartella);
    QString CartellaScelta() const;

    void cmdOK_Click();
    void cmdFine_Click();

private:
    void RiempiFile();
};

}  // namespace obx
