// "Sostituzione": the modal dialog that exchanges the seat attributes of
// two present seated persons (role letter, voting unit, card, places on the
// console and on the projected board, status and speech count).  Each
// person keeps the names, the party, the person code, the label that shows
// the name, the LED position and the unit in use; the labels move to their
// new places on both boards.  The results stay in iPostoUscente,
// iPostoEntrante, iEsce and cSegretari for the caller, which records the
// exit and the event.
#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QLabel;
class QPushButton;

namespace obx {

class ElencoCombo;

class frmScambio : public QDialog {
    Q_OBJECT
public:
    explicit frmScambio(QWidget* padre = nullptr);

    // Index in aPosti of the seat the action started from (mode 0).
    int iCodCons = 0;
    // 0 councillor, 1 secretary, 2 president.
    int iModo = 0;

    // Lists the persons for the mode (run when shown).
    void Form_Activate();
    // 0 "Conferma" exchanges the two persons chosen; any other index
    // closes with nothing changed.
    void cmdScambio_Click(int Index);

    ElencoCombo* cmbScambio(int i) const;  // 0 replaced, 1 taking over
    QLabel* lblScambio(int i) const;       // 0..1
    QCheckBox* chkEsce() const { return m_chkEsce; }
    QPushButton* cmdScambio(int i) const;  // 0 and 4

protected:
    void showEvent(QShowEvent* e) override;

private:
    std::array<ElencoCombo*, 2> m_cmb{};
    std::array<QLabel*, 2> m_lbl{};
    QCheckBox* m_chkEsce = nullptr;
    QPushButton* m_cmdConferma = nullptr;
    QPushButton* m_cmdAnnulla = nullptr;
    bool m_attivato = false;
};

}  // namespace obx
