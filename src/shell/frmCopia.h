// The archive copy: the database file and its configuration file copied to
// a folder and base name chosen by the operator.  The caller closes the
// database before showing it and reopens it afterwards.
#pragma once

#include <QDialog>

#include "shell/SceltaCartella.h"

class QLineEdit;
class QPushButton;

namespace obx {

class frmCopia : public QDialog {
    Q_OBJECT
public:
    explicit frmCopia(QWidget* parent = nullptr);

    SceltaCartella* dirDestinaz;
    QLineEdit* getNuovoNome;
    QPushButton* cmdCopia;
    QPushButton* cmdFine;

    void ImpostaCartella(const QString& cartella);
    QString CartellaScelta() const;

    // Copies and reports "Copia Terminata" or "Copia Fallita (archivi aperti)";
    // returns whether the copy succeeded.
    bool cmdCopia_Click();
    void cmdFine_Click();

};

}  // namespace obx
