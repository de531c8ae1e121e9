// The one-second engine (clock, request poll, live vote display, outcome
// blink, speaking clock, card reader, countdown of a timed vote).
//
// A tick can run while the vote loop or a message box keeps the event loop
// turning; the guard skips a tick that would start inside another one, and
// the console stays alive (CicloAnnidato) until the tick has returned even
// when a step closes it.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "board/Etichetta.h"
#include "board/frmVideo.h"
#include "console/LettoreTessere.h"
#include "console/TempoParola.h"
#include "console/frmCons.h"
#include "links/ComSeriali.h"
#include "links/Tabellone.h"
#include "platform/Servizi.h"
#include "platform/Testo.h"
#include "shell/Globali.h"

namespace obx {

namespace {

// The per-seat colours and LED map of a running vote, and the blinking
// title; the LED map lives only in the frame sent.
void MostraVotoInCorso(frmCons& f)
{
    f.lblVoto(0)->setText(Formato(iVotiRicevuti, QStringLiteral("00")));
    FrmVideo* v = frmVideoCaricato();
    bool mostrato = true;
    if (v) {
        if (Etichetta* t = v->txtTitolo(8)) {
            if (!t->Caption().isEmpty()) {
                t->SetCaption(QString());
                mostrato = false;
            } else {
                t->SetCaption(cEsito);
            }
        }
    }
    if (!xColoriVoto) return;
    if (xLampo && !f.chkLampo()->isChecked()) return;
    if (cTipoVoto == u"J" || cTipoVoto == u"W") return;
    const bool tasti = (iConfigOBX & kOpzMostraVoti) != 0 && cTipoVoto != u"H";

    const QString ledPrima = cLedVoti;
    QString led = cLedVoti;
    for (size_t i = 1; i < aPosti.size(); ++i) {
        const Posto& p = aPosti[i];
        int voce = 15;
        QChar c = u'0';
        const int stato = p.iStato & (kPresente | kPresenteNonVotante | kAventeDiritto | kAssenteDichiarato);
        if (stato == (kPresente | kPresenteNonVotante)) {
            voce = 14;
        } else if (stato == (kPresente | kAventeDiritto)) {
            const QString& k = p.cVoto;
            if (k == u"3" || k == u"6" || k == u"5") {
                if (tasti) {
                    voce = k == u"3" ? 2 : (k == u"6" ? 3 : 4);
                    c = k == u"3" ? u'2' : (k == u"6" ? u'1' : u'3');
                } else {
                    voce = 1;
                }
            } else if (k == u"+") {
                voce = 1;
            } else {
                voce = mostrato ? 1 : 6;
                c = u'7';
            }
        }
        if (v && p.iPulsanteAN > 0)
            if (Etichetta* e = v->txtAnag(p.iPulsanteAN)) e->SetForeColor(cColoriTabVideo[size_t(voce)]);
        if (p.iPannelloAN > 0 && p.iPannelloAN <= led.size()) led[p.iPannelloAN - 1] = c;
    }
    if (oTabellone) oTabellone->DettaglioLed(led);
    cLedVoti = ledPrima;
}

// The outcome blinks on the board's cell 13 and, in the opposite phase, on
// the console.
void LampeggiaEsito(frmCons& f)
{
    if (cEsito.isEmpty()) return;
    bool mostrato = false;
    if (FrmVideo* v = frmVideoCaricato()) {
        if (Etichetta* t = v->txtTitolo(13)) {
            t->SetForeColor(cColoriTabVideo[9]);
            if (!t->Caption().isEmpty()) {
                t->SetCaption(QString());
            } else {
                t->SetCaption(cEsito);
                mostrato = true;
            }
        }
    }
    f.lblEsito()->setText(mostrato ? QString() : cEsito);
}

// The console label of the card's seat (its Tag holds the seat's index).
int EtichettaDelPosto(const frmCons& f, int iPosto)
{
    for (int n = 1; n <= frmCons::kEtichette; ++n) {
        const Etichetta* e = f.txtAnag(n);
        if (e && !e->Tag.isEmpty() && int(Val(e->Tag)) == iPosto) return n;
    }
    return 0;
}

}  // namespace

void frmCons::croTimer_Timer()
{
    GuardiaTick guardia;
    if (!guardia) return;
    if (frmConsAperto() != this) return;
    CicloAnnidato ciclo(*this);

    // 1. Clock.
    const QString ora = Clock().Adesso().time().toString(QStringLiteral("HH:mm:ss"));
    if (iStatoConsole & kStatoOrologio) {
        if (iTraccia & 1)
            txtOBX()->setText(Formato(oComTLV.InBufferCount(), QStringLiteral("#####0")));
        else
            txtOBX()->setText(ora);
    }
    if (FrmVideo* v = frmVideoCaricato())
        if (Etichetta* t = v->txtTitolo(3)) t->SetCaption(ora);

    // 2. Requests to speak between votes, or the vote on display.
    if (!(iStatoConsole & kStatoVoto))
        RichiesteDaTastiere();
    else
        MostraVotoInCorso(*this);
    if (frmConsAperto() != this) return;

    // 3. Outcome blink, or the speaking clock.
    if (iStatoConsole & kStatoEsito) {
        LampeggiaEsito(*this);
    } else if ((iStatoConsole & (kStatoParola | kStatoParolaAvviata)) == (kStatoParola | kStatoParolaAvviata)) {
        AvanzaOrologioParola();
    } else if (FrmVideo* v = frmVideoCaricato()) {
        if (Etichetta* t = v->txtTitolo(13)) t->SetForeColor(cColoriTabVideo[13]);
    }

    // 4. Card reader: each card toggles its seat as the operator's click does.
    if (iStatoConsole & kStatoTessere) {
        for (int iPosto : LeggeTessere()) {
            if (frmConsAperto() != this) return;
            const int n = EtichettaDelPosto(*this, iPosto);
            if (n > 0) txtAnag_MouseDown(n, 1, 0, 0, 0);
        }
        if (frmConsAperto() != this) return;
    }

    // 5. Title cell clearing.
    if (iStatoConsole & kStatoPulisciTitolo) ScriveTitoloVideo(8, QString());

    // 6. Countdown of a timed vote.
    if (iStatoConsole & kStatoVotoATempo) {
        QString mostra;
        if (AvanzaConteggioVoto(mostra))
            cmdVoto_Click(3);
        else
            lblTempo(2)->setText(mostra);
    }
}

}  // namespace obx
