// "Tabellone LED": the on-screen preview of the LED display board.  The
// display-board driver colours its 45 seat labels from every LED map it
// sends and writes the board's text rows (field codes removed) into the
// info labels; the console shows the window modeless.
//
// One preview exists at a time, reached through frmLED(), which builds it
// hidden on first use; "Chiudi" (or closing the window) takes it down and
// the next frmLED() builds a new one.  Code that may wait must ask
// frmLED() / frmLEDCaricato() again afterwards instead of keeping a
// pointer.
#pragma once

#include <QWidget>
#include <array>
#include <functional>

class QLabel;
class QPushButton;

namespace obx {

class Etichetta;

class FrmLED : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLed = 45;   // lblAnag(0..44): LED positions 1..45
    static constexpr int kRighe = 8;  // lblInfo(1..8): the board's text rows

    // "Nascondi" hands the operator back to the console: the console sets
    // this to its AttivaForm(1) (which reopens what it closed before
    // showing the preview) followed by bringing its window to the front.
    static inline std::function<void()> AttivaConsole;

    ~FrmLED() override;

    // Seat label of LED position i + 1; nullptr outside 0..44.
    Etichetta* lblAnag(int i) const;
    // Info label of LED row r; nullptr outside 1..8.
    QLabel* lblInfo(int r) const;
    // 0 "Nascondi", 1 "Chiudi".
    QPushButton* cmdLed(int i) const;

    // Colour and caption of the seat labels from an LED map: positions 1
    // to 45 at most; "0"/"4" white, "1"/"5" red, "2"/"6" green, "3"/"7"
    // yellow, anything else black; "LAMP." on the flashing "5", "6", "7".
    void MostraMappa(const QString& cMappa);

    // 0: back to the console, the preview goes out of sight (it stays
    // loaded); 1: the preview is unloaded.
    void cmdLed_Click(int Index);

    // Shows the preview modeless.
    void Mostra();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    friend FrmLED& frmLED();
    friend void ScaricaFrmLED();
    FrmLED();

    std::array<Etichetta*, kLed> m_anag{};
    std::array<QLabel*, kRighe + 1> m_info{};
    std::array<QPushButton*, 2> m_cmd{};
};

// The preview, built (hidden) on first use.
FrmLED& frmLED();
// The preview when it is built, else nullptr (nothing is built).
FrmLED* frmLEDCaricato();
// Takes the preview down; it is destroyed once control returns to the
// event loop.  Nothing happens when none is built.
void ScaricaFrmLED();

}  // namespace obx
