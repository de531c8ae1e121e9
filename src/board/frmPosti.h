// "Disposizione Consiglieri" on the control monitor: which of the 72 seat
// labels of the console each seated person gets, and where it stands on the
// console's seat panel.  Opened without blocking from the main menu; its
// buttons hide it and the next opening reads the layout again.
#pragma once

#include <QPointer>

#include "board/EditorPosti.h"

namespace obx {

class frmPosti : public EditorPosti {
    Q_OBJECT
public:
    explicit frmPosti(QWidget* padre = nullptr);

    // Shows the window without blocking the caller (an open one is brought
    // forward with the work in hand); returns it.
    static frmPosti* Mostra(QWidget* padre = nullptr);
    // The window when it exists, else nullptr.
    static frmPosti* Aperta();

    // 0 "Annulla", 1 "Fine", 2 "Reset".
    void cmdPosti_Click(int i) override;

    // Height of the seat panel (twips) for a primary monitor of that many
    // pixels in height at that many twips per pixel: the console's own.
    static double AltezzaPannello(int altezzaMonitor, double twipsY);

protected:
    void StileEtichetta(Etichetta* e) override;
};

}  // namespace obx
