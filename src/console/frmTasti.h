// "Operazioni Dedicate": the two small modal dialogs of the dedicated
// operations, one for a member at a seat (frmTasti) and one for a person
// in the guest speakers list (frmOspiti).  Each enables only the options
// that make sense for the person and the state of the sitting and leaves
// the option chosen in iTastoScelto (option index + 1, 0 cancelled or
// nothing chosen); the caller carries the operation out.  A dialog is used
// once: every showing starts from a new window.
#pragma once

#include <QDialog>
#include <array>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace obx {

class frmTasti : public QDialog {
    Q_OBJECT
public:
    static constexpr int kOpzioni = 10;  // optTasto 0..9

    explicit frmTasti(QWidget* padre = nullptr);

    // Index in aPosti of the member's seat, set before showing.
    int iConsID = 0;

    // Caption and enabled options for the seat iConsID (run when shown).
    void Form_Activate();
    // 0 "Conferma", 1 "Annulla"; the dialog closes.
    void cmdTasti_Click(int Index);

    QGroupBox* boxTasti() const { return m_box; }
    QRadioButton* optTasto(int i) const;  // nullptr outside 0..9
    QPushButton* cmdTasti(int i) const;   // 0..1

protected:
    void showEvent(QShowEvent* e) override;
    void reject() override;

private:
    QGroupBox* m_box = nullptr;
    std::array<QRadioButton*, kOpzioni> m_opt{};
    std::array<QPushButton*, 2> m_cmd{};
    bool m_attivato = false;
};

class frmOspiti : public QDialog {
    Q_OBJECT
public:
    static constexpr int kOpzioni = 4;  // optTasto 0..3

    // The guest's name is taken from cNomeOspite.
    explicit frmOspiti(QWidget* padre = nullptr);

    // Enabled options and caption (run by the constructor).
    void Form_Load();
    void cmdTasti_Click(int Index);

    QGroupBox* boxTasti() const { return m_box; }
    QRadioButton* optTasto(int i) const;  // nullptr outside 0..3
    QPushButton* cmdTasti(int i) const;   // 0..1

protected:
    void reject() override;

private:
    QGroupBox* m_box = nullptr;
    std::array<QRadioButton*, kOpzioni> m_opt{};
    std::array<QPushButton*, 2> m_cmd{};
};

}  // namespace obx
