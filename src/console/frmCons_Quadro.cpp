// The vote panel drawn on the console, the projected board and the LED
// board: what to draw, and the state it changes, comes from
// ComponeQuadroVoti (QuadroVoti.cpp).
#include <QLabel>

#include "board/Etichetta.h"
#include "board/frmVideo.h"
#include "console/QuadroVoti.h"
#include "console/frmCons.h"
#include "links/Tabellone.h"
#include "shell/Globali.h"

namespace obx {

void frmCons::AggiornaQuadroVoti(int iModo)
{
    const QuadroVoti q = ComponeQuadroVoti(iModo);
    FrmVideo* video = (iModo & kQuadroTabelloni) != 0 ? frmVideoCaricato() : nullptr;

    if (q.xTotaliVideo) MostraTotaliVideo(*q.xTotaliVideo);
    for (const DisegnoPosto& d : q.posti) {
        if (d.nSfondo)
            if (Etichetta* e = txtAnag(d.iPulsante)) e->SetBackColor(*d.nSfondo);
        if (!video) continue;
        if (d.xPresenza) video->Presenza(*d.xPresenza, d.iPulsante);
        if (d.iTinta)
            if (Etichetta* e = video->txtAnag(d.iPulsante)) e->SetForeColor(cColoriTabVideo[size_t(*d.iTinta)]);
    }
    for (size_t n = 0; n < q.cContatori.size(); ++n)
        if (q.cContatori[n]) lblVoto(int(n))->setText(*q.cContatori[n]);
    if (oTabellone) {
        if (q.cLedTabellone) oTabellone->DettaglioLed(*q.cLedTabellone);
        if (q.cTestoTabellone) oTabellone->DettaglioTesto(*q.cTestoTabellone);
    }
}

}  // namespace obx
