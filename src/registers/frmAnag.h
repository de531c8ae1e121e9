// "Anagrafe Generale": the register of the persons of the assembly, one row
// of "ANAGRAFE" per person keyed by the person code.  The rows saved here are
// those the seat registry loads for every sitting, so the checks guard what
// a sitting relies on: the code is the position in the 120-character
// per-seat strings, the short name labels the seat, the voting unit and the
// card identify the person, the LED position places the seat on the board.
// Seat label and seat positions are not edited here (the layout editors own
// them): a save keeps the label of an existing row and never writes the
// positions.
//
// Modeless, one window at a time.  Control arrays are named with their
// index, as "getAnag(0)", "optAnag(8)", "cmdAnag(5)".
#pragma once

#include <QWidget>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QButtonGroup;

namespace obx {

class ControlloDati;

class frmAnag : public QWidget {
    Q_OBJECT
public:
    explicit frmAnag(QWidget* padre = nullptr);
    ~frmAnag() override;

    // Shows the window without blocking the caller; an open one is brought
    // forward and activated again.  Returns the window.
    static frmAnag* Mostra(QWidget* padre = nullptr);
    // The open window, or nullptr.
    static frmAnag* Aperta();

    // Highest person code: the width of the per-seat strings.
    static constexpr int kCodiceMassimo = 120;

    void Form_Load();
    void Form_Activate();
    void dbfVelmora_Reposition();
    // True shows the current row in the fields; False writes the fields into
    // the row of the code typed in field 0 (edited or added).  False when the
    // archive refused the operation (already reported).
    bool GetSetAnagrafe(bool xLegge);

    void getAnag_GotFocus(int indice);
    void getAnag_KeyDown(int indice, int codiceTasto, int shift);
    void getAnag_LostFocus(int indice);
    // shift: 1 Shift, 2 Ctrl, 4 Alt.
    void getAnag_MouseDown(int indice, int bottone, int shift, float x, float y);
    void optAnag_Click(int indice);
    // 0 "Salva", 1 "Elimina Nome corrente", 2 "Stampa", 3 "Svuota intero
    // archivio", 4 "Fine", 5 "Nuovo".
    void cmdAnag_Click(int indice);

    bool xMostraRecord = false;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    QString RuoloScelto() const;       // letter of the selected role, empty for none
    void SelezionaRuolo(int opzione);  // -1 clears every option
    int ProssimoCodice();              // the code proposed for a new person
    void SvuotaCampi(int da, int a);
    void SegnaModificato();
    void Salva();
    void Elimina();
    void StampaAnagrafe();
    void Svuota();
    bool TabellaVuota();
    static QString Qualifica(const QString& tipo);
    void IntestazionePagina();

    std::array<QLineEdit*, 8> getAnag{};
    std::array<QLabel*, 8> lblAnag{};
    std::array<QRadioButton*, 9> optAnag{};
    QGroupBox* fraAnag = nullptr;
    QButtonGroup* m_ruoli = nullptr;
    std::array<QPushButton*, 6> cmdAnag{};
    ControlloDati* dbfVelmora = nullptr;
    bool m_attivata = false;
};

}  // namespace obx
