// "Controllo Voti": the stored votes of "VOTI" in a read-only grid, with
// three commands: "Stampa" prints the minutes of the vote whose row alone is
// selected (of every stored vote when none or several are), "Fine" closes
// the window, "Svuota" deletes every stored vote after a question.
//
// The main menu shows it without blocking; asking for it again brings the
// open one forward with its rows read again.  While a vote runs the window
// may stay open, but its commands that would hold the vote's key collection
// in a loop of their own (the printer dialog and the printing, the question
// of "Svuota") are refused; "Svuota" is also refused while the sitting
// console is open.  A deletion the archive refuses is shown and every row
// stays.  Control arrays are named with their index, as "cmdVoti(2)".
#pragma once

#include <QWidget>
#include <array>

#include "platform/Database.h"

class QLabel;
class QPushButton;

namespace obx {

class GrigliaDati;

class frmVoti : public QWidget {
    Q_OBJECT
public:
    explicit frmVoti(QWidget* padre = nullptr);
    ~frmVoti() override;

    // Shows the window without blocking; an open one is brought forward.
    static frmVoti* Mostra(QWidget* padre = nullptr);
    static frmVoti* Aperta();

    void Form_Load();
    void Form_Activate();
    // 0 "Stampa", 1 "Fine", 2 "Svuota".
    void cmdVoti_Click(int Index);

    QPushButton* cmdVoti(int i) const { return m_cmdVoti[size_t(i)]; }

    GrigliaDati* broVoti = nullptr;
    QLabel* lblVoti = nullptr;     // the grid's caption
    QLabel* dbfVelmora = nullptr;  // the data control's caption
    // The window's own table record set on "VOTI", open while it is shown.
    Recordset rsVoti;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void ApreVoti();
    void AdattaLarghezza();
    void Stampa();
    void Svuota();

    std::array<QPushButton*, 3> m_cmdVoti{};
    bool m_attivata = false;
};

}  // namespace obx
