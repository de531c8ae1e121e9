// The archive copy: the database file and its configuration file copied to
// a folder and base name chosen by the operator.  The caller closes the
// database before showing it and reopens it afterwards.
#pragma once

#include <QDialog>

#include "shell/SceltaCartella.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace obx {

class frmCopia : public QDialog {
    Q_OBJECT
public:
    explicit frmCopia(QWidget* parent = nullptr);

    SceltaCartella* dirDestinaz;
    // The destination folder chosen, in full (shortened in its middle when
    // the window is too narrow; the tool tip holds it whole).
    QLabel* lblDestinazione;
    QLineEdit* getNuovoNome;
    QPushButton* cmdCopia;
    QPushButton* cmdFine;

    void ImpostaCartella(const QString& cartella);
    QString CartellaScelta() const;

    // Copies and reports "Copia Terminata" with the copy's path on a second
    // line, or "Copia Fallita (archivi aperti)"; returns whether the copy
    // succeeded.  A name typed with ".db" keeps one; a destination that is
    // a file the program holds is refused; an existing one is replaced only
    // after a question whose default is Cancel.
    bool cmdCopia_Click();
    void cmdFine_Click();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void MostraDestinazione();
};

}  // namespace obx
