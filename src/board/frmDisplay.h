// "Disposizione Consiglieri" of the projected board: where each seated
// person's label stands on the board's seat panel.  The label is the one
// the console layout gave the person, so a person must be placed on the
// console first.  The window also hides the board's two chair titles and
// its number of voters, and opens the colour and font windows.  The panel
// has the size and place of the board's seat frame, so positions carry
// over one to one.
#pragma once

#include <QPointer>
#include <QSizeF>
#include <array>

#include "board/EditorPosti.h"
#include "shell/Globali.h"

class QScrollArea;

namespace obx {

class frmDisplay : public EditorPosti {
    Q_OBJECT
public:
    explicit frmDisplay(QWidget* padre = nullptr);

    static frmDisplay* Mostra(QWidget* padre = nullptr);
    static frmDisplay* Aperta();

    // The two chair titles lying on the panel.
    Etichetta* txtTitolo(int n) const;
    // 0 "Nasconde Titoli" (bit 0x80 of iConfigOBX), 1 "Nasconde N. Votanti"
    // (bit 0x100).
    QCheckBox* chkTitoli(int n) const;

    // A click on title box n: its bit follows the box, and the
    // configuration file is written at once when the bit changed.
    void chkTitoli_Click(int n);
    // 0 "Annulla", 1 "Fine", 2 "Colori", 3 "Dormisco", 4 "Reset".
    void cmdPosti_Click(int i) override;

    // Size of the board's seat panel (twips) on that monitor at those twips
    // per pixel, with the bookings setting given.
    static QSizeF DimensioniPannello(const DatiMonitor& monitor, double twipsX, double twipsY, int prenotazioni);

protected:
    void StileEtichetta(Etichetta* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void ApplicaColori();
    void AggiornaTitoli();
    void ApreTinte(bool risultati);

    std::array<Etichetta*, 2> m_txtTitolo{};
    std::array<QCheckBox*, 2> m_chkTitoli{};
    QScrollArea* m_scorri = nullptr;
};

}  // namespace obx
