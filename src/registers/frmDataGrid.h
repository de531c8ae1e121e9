// "Manutenzione <table>": the raw rows of one of the five archive tables in
// an editable grid, for repairs the registers do not offer.  The main
// window's maintenance submenu puts the table's name into cTabellaGriglia
// and opens the window modal.  Rows are edited, added and deleted in the
// grid, which asks before deleting a row and before storing a changed one;
// "Filtra" and "Ordina" read the table again through a fixed statement with
// the operator's condition or sort keys; a click on a column's caption
// sorts by it (descending with Ctrl).
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QWidget;

namespace obx {

class GrigliaDati;

class frmDataGrid : public QDialog {
    Q_OBJECT
public:
    explicit frmDataGrid(QWidget* padre = nullptr);
    ~frmDataGrid() override;

    // Opens the window modal over cTabellaGriglia and returns when it is
    // closed.  Refused with a message while a vote is running (a window
    // with its own modal loop would hold the vote's key collection); while
    // the sitting console is open the operator is warned first and may
    // give up.
    static void MostraModale(QWidget* padre = nullptr);
    static frmDataGrid* Aperta();

    void Form_Load();
    void cmdFilter_Click();
    void cmdSort_Click();
    void cmdRefresh_Click();
    void cmdClose_Click();
    bool grdDataGrid_BeforeDelete();
    bool grdDataGrid_BeforeUpdate();
    void grdDataGrid_HeadClick(int ColIndex);

    GrigliaDati* grdDataGrid = nullptr;
    QLabel* dbfVelmora = nullptr;
    QWidget* picButtons = nullptr;
    QPushButton* cmdFilter = nullptr;
    QPushButton* cmdSort = nullptr;
    QPushButton* cmdRefresh = nullptr;
    QPushButton* cmdClose = nullptr;
    // The sort handed from a caption click to the sort command; an
    // expression typed at "Ordina" stays here for the next clicks.
    QString cColonnaOrdine;
    // The condition and the sort in force ("Aggiorna" keeps them).
    QString cFiltro, cOrdine;

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    bool Riapre(const QString& filtro, const QString& ordine);
};

}  // namespace obx
