// "Argomenti O.d.G.": the register of the agenda items, one row of
// "DELIBERE" per item keyed by the item number.  Each row carries the texts
// under which the item appears in the event log, on the projected board and
// on the LED board, the protocol number of the exchange files, the position
// in the agenda, the act type, the fixed majorities and, for items of type
// "A", the number in the rules agenda and the article.
//
// Opened modeless from the main menu, modal from the console.  Control
// arrays are named with their index, as "getDelibera(0)", "cmdDelibere(4)".
#pragma once

#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace obx {

class ControlloDati;

class frmDelib : public QWidget {
    Q_OBJECT
public:
    explicit frmDelib(QWidget* padre = nullptr);
    ~frmDelib() override;

    // Shows the window without blocking; an open one is brought forward and
    // activated again.
    static frmDelib* Mostra(QWidget* padre = nullptr);
    // Shows the window modal over the whole program and returns when the
    // operator closes it.
    static void MostraModale(QWidget* padre = nullptr);
    static frmDelib* Aperta();

    void Form_Load();
    void Form_Activate();
    void dbfVelmora_Reposition();
    // True shows the current row; False writes the fields into the row of
    // the number typed in field 0.  False when the archive refused it.
    bool GetSetDelibere(bool xLegge);
    void cmbTipoArg_Change();

    void getDelibera_GotFocus(int indice);
    void getDelibera_KeyDown(int indice, int codiceTasto, int shift);
    void getDelibera_LostFocus(int indice);
    // 0 "Salva", 1 "Elimina Arg. corrente", 2 "Svuota intero Archivio",
    // 3 "Fine", 4 "Nuovo".
    void cmdDelibere_Click(int indice);

    // Text of field i (0..12), whatever kind of box holds it.
    QString Testo(int indice) const;
    void ImpostaTesto(int indice, const QString& testo);

    bool xMostraRecord = false;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void PulisceCampi(bool xTipo, int iDa);
    void SegnaModificato();
    QString LetteraTipo() const;
    void Salva();
    void Elimina();
    void Svuota();
    bool TabellaVuota();
    int ProssimoNumero();
    int IndiceCampo(QObject* o) const;

    std::array<QWidget*, 13> getDelibera{};
    QPlainTextEdit* m_titolo = nullptr;  // field 2, the full title
    std::array<QLabel*, 12> lblDelibera{};
    QComboBox* cmbTipoArg = nullptr;
    std::array<QPushButton*, 5> cmdDelibere{};
    ControlloDati* dbfVelmora = nullptr;
    bool m_attivata = false;
    bool m_caricaTipi = false;
};

}  // namespace obx
