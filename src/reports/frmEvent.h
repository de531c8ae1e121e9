// "Controllo Eventi": the event log of the sittings ("EVENTI") in a grid,
// a note the operator attaches to an event, and the printed event reports,
// chosen by what is selected in the grid:
//   nothing selected          the whole log ("T"), or, with the current
//                             cell on a name in "Specifiche", that
//                             person's movements with the presence and
//                             speaking times ("M");
//   one row                   those present and absent at that event ("P");
//   two rows                  the events from the first to the second ("I").
// Rows are selected with the row selectors at the left, in the order of
// the clicks (the second with Ctrl).
//
// Opened modeless from the main menu, modal from the sitting console.
// Nothing of it may hold up a running vote's key collection: while a vote
// is in hand the modal opening and the printing (its question and its
// printer dialog) are refused with a message; the note can still be saved.
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace obx {

class ControlloDati;
class GrigliaDati;
class Recordset;

class frmEvent : public QWidget {
    Q_OBJECT
public:
    explicit frmEvent(QWidget* padre = nullptr);
    ~frmEvent() override;

    // Shows the window without blocking; an open one is brought forward and
    // activated again.
    static frmEvent* Mostra(QWidget* padre = nullptr);
    // Shows the window modal over the whole program and returns when the
    // operator closes it; refused with a message while a vote is in hand.
    static void MostraModale(QWidget* padre = nullptr);
    static frmEvent* Aperta();

    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    // F1 shows the help; KeyCode set to 0 when the key was taken.
    void Form_KeyDown(int& KeyCode, int Shift);
    // 0 "Stampa", 1 "Fine", 2 "Aiuto", 3 "Salva".
    void cmdEventi_Click(int Index);

    // Prints the report of mode cTipo ("T", "M", "P", "I") over the window's
    // record set and the grid's selection; cNomeCons the person of mode "M".
    // The walk over the events shows its progress; the operator's
    // "Interrompi" discards the job (InterrompeStampa).
    void StampaEventi(const QString& cTipo, const QString& cNomeCons);

    QPushButton* cmdEventi(int i) const;

    ControlloDati* dbfVelmora = nullptr;
    GrigliaDati* broEventi = nullptr;
    QLabel* lblNota = nullptr;
    QLineEdit* getNota = nullptr;

    // The help text of F1 and "Aiuto".
    static QString TestoAiuto();

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    Recordset& Eventi();
    bool ApreEventi();
    void Aiuto();
    void SalvaNota();
    void Stampa();
    void SeguiRecordset();

    std::array<QPushButton*, 4> m_cmdEventi{};
    bool m_attivata = false;
};

}  // namespace obx
