// The start-up password window: the program goes on only after one of the
// two accepted passwords.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace obx {

class frmLogin : public QDialog {
    Q_OBJECT
public:
    explicit frmLogin(QWidget* parent = nullptr);

    // True after a correct password, false after "Annulla" or the close box.
    bool xOKPassword = false;

    // Whether a typed text is accepted: the code exactly as typed, the word
    // in any letter case.
    static bool PasswordValida(const QString& testo);

    QLabel* lblLabels;
    QLineEdit* txtPassword;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void reject() override;
};

}  // namespace obx
