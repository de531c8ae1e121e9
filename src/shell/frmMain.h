// The main window: its three menus open every other window of the program.
#pragma once

#include <QMainWindow>
#include <array>
#include <functional>

class QAction;
class QLabel;
class QMenu;

namespace obx {

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);

    // Menu entries by index; separators leave their index empty.
    std::array<QAction*, 9> mnuConfig{};
    std::array<QAction*, 2> mnuConfigVideo{};
    std::array<QAction*, 16> mnuArchivi{};
    std::array<QAction*, 2> mnuArchiviEsporta{};
    std::array<QAction*, 5> mnuArchiviMan{};
    std::array<QAction*, 1> mnuConsiglio{};
    QLabel* lblVersione;

    void mnuConfig_Click(int index);
    void mnuConfigVideo_Click(int index);
    void mnuArchivi_Click(int index);
    void mnuArchiviEsporta_Click(int index);
    void mnuArchiviMan_Click(int index);
    void mnuConsiglio_Click(int index);

    // Captions and visibility of the entries that depend on the assembly kind.
    void AggiornaMenu();

    // The release label's caption and the about box's text.
    static QString TestoVersione();
    static QString TestoInformazioni();
    // The warning shown before the console opens on a monitor that is too small.
    static QString MessaggioMonitor();

    // Ends the program after closing the links and the database, unless a
    // vote is running: then it refuses with a message and returns false.
    bool FineLavoro();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    // The file picker, modal; the empty text when nothing was chosen.
    QString ScegliFileScambio(bool xList);
    bool m_chiusuraConsentita = false;
};

}  // namespace obx
