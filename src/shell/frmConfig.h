// System configuration: which devices are wired and on which ports, the
// council's name, the number of members, the ranges of voting units, the
// display-board type and two options.  Modal; a new window for every
// opening.  Nothing is stored until "Salva": "Annulla" leaves the settings
// and the configuration file exactly as they were.
//
// Control arrays are named with their index, as "getConfig(1)",
// "chkCablato(2)", "fraConfig(4)", "cmdConfig(1)".
#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace obx {

class frmConfig : public QDialog {
    Q_OBJECT
public:
    explicit frmConfig(QWidget* padre = nullptr);

    // Opens the window modally over the parent.
    static void Mostra(QWidget* padre);

    // Reads the configuration again and shows it (done when the window is
    // shown).
    void Form_Activate();

    void chkCablato_Click(int indice);
    void getConfig_GotFocus(int indice);
    void cmdComTest_Click();
    // 0 "Annulla", 1 "Salva".
    void cmdConfig_Click(int indice);

    // Ignored while the central is being tested (the test keeps the event
    // loop turning): the window closes only once the port is free again.
    void reject() override;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void Form_Load();
    // Port number of a list entry "Com N": the number from its fifth character.
    static int PortaDaVoce(const QString& testo);
    // Selects the entry of the port; returns whether the device keeps a port.
    static bool SelezionaPorta(QComboBox* cmb, int porta);
    // Port of a wired device from its list; false (after the message) when
    // the text names no usable port.
    bool LeggePorta(QComboBox* cmb, QGroupBox* fra, int& porta);

    bool m_inProva = false;

    std::array<QGroupBox*, 6> fraConfig{};
    std::array<QCheckBox*, 3> chkCablato{};
    QCheckBox* chkParallela = nullptr;
    QCheckBox* chkAutoPre = nullptr;
    QCheckBox* chkCentralina = nullptr;
    QComboBox* cmbPorteTLV = nullptr;
    QComboBox* cmbPorteTAB = nullptr;
    QComboBox* cmbPorteRAD = nullptr;
    QComboBox* cmbDisplay = nullptr;
    QPushButton* cmdComTest = nullptr;
    std::array<QLineEdit*, 7> getConfig{};
    std::array<QLabel*, 8> lblConfig{};
    std::array<QLabel*, 2> lblVideo{};
    std::array<QPushButton*, 2> cmdConfig{};
};

}  // namespace obx
