// General parameters: the limits on speeches and the option bits that shape
// votes and printed minutes, with the way to the radio diagnostics of the
// voting units.  Modal; a new window for every opening.  Nothing is stored
// until "Salva".
//
// Control arrays are named with their index, as "getParam(0)",
// "chkParam(7)", "cmdParam(2)".
#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace obx {

class frmParam : public QDialog {
    Q_OBJECT
public:
    explicit frmParam(QWidget* padre = nullptr);

    // Opens the window modally over the parent.
    static void Mostra(QWidget* padre);

    // Reads the configuration again and shows it: when the window is shown
    // and when the radio diagnostics close.
    void Form_Activate();

    // 0 "Salva", 1 "Annulla", 2 "Setup".
    void cmdParam_Click(int indice);

    // The bit of iConfigOBX of each check box.
    static constexpr std::array<int, 8> kBitParam = {4, 16, 32, 64, 0x200, 0x400, 0x800, 0x1000};

protected:
    void showEvent(QShowEvent* e) override;

private:
    std::array<QGroupBox*, 2> boxParam{};
    std::array<QLabel*, 3> txtParam{};
    std::array<QLineEdit*, 3> getParam{};
    std::array<QCheckBox*, 8> chkParam{};
    std::array<QPushButton*, 3> cmdParam{};
};

}  // namespace obx
