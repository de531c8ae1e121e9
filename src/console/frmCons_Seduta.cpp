// Sitting commands: opening, suspending, resuming and closing the sitting,
// and the refresh of attendance on the LED board and the projected board.
// The sitting's state is in the captions of cmdConsiglio(0) and (1).
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <optional>

#include "board/frmVideo.h"
#include "console/Spoglio.h"
#include "console/frmCons.h"
#include "links/Tabellone.h"
#include "links/Votatori.h"
#include "platform/Dialoghi.h"
#include "platform/Elenchi.h"
#include "platform/Servizi.h"
#include "shell/Globali.h"

namespace obx {

bool frmCons::SedutaAperta() const { return cmdConsiglio(0)->text() == u"Chiusura"; }

bool frmCons::SedutaSospesa() const { return SedutaAperta() && cmdConsiglio(1)->text() == u"Ripresa"; }

namespace {

// A vote that is running is dropped (no row, no event); otherwise the
// voting-unit port opened for the polls of requests to speak is closed.
void FermaVotazione(frmCons& f)
{
    // Also a test vote, and a vote whose central has already ended its data.
    if (VotoRealeAperto() || oVoto.RaccoglieTasti()) f.ChiudeVotazione(kAbbandono);
    // A close under way closes the link itself.
    else if ((iPrenotazioni & kPrenotazioniDaVotatori) && !oVoto.Impegnato())
        ChiudeComVotatori(0);
}

}  // namespace

void frmCons::cmdConsiglio_Click(int Index)
{
    // Every press of a sitting button ends the display of the last vote's
    // outcome and the clearing of the board's title cell, whatever it goes
    // on to do (also after the drop of a running vote, which sets them):
    // the engine must not wipe "SEDUTA SOSPESA" nor blink an old outcome.
    struct FineEsito {
        ~FineEsito() { iStatoConsole &= 0xFF & ~(kStatoEsito | kStatoPulisciTitolo); }
    };
    std::optional<FineEsito> fineEsito;
    if (Index == 0 || Index == 1) fineEsito.emplace();

    switch (Index) {
    case 0:
        if (!SedutaAperta()) {
            // Opening: the board log of the previous sitting goes.
            if (!cFileLog.isEmpty() && QFile::exists(cFileLog)) QFile::remove(cFileLog);
            SalvaEvento(QStringLiteral("A"), QString());
            cmdConsiglio(0)->setText(QStringLiteral("Chiusura"));
            cmdConsiglio(1)->setEnabled(true);
            cmdVoto(0)->setEnabled(true);
            cmdVoto(5)->setEnabled(true);
            boxConsiglio(3)->setEnabled(true);
            cmbArgo(0)->setEnabled(true);
            boxConsiglio(2)->setEnabled(true);
            boxConsiglio(1)->setEnabled(true);
            cmdParola(2)->setEnabled(true);
            cmbArgo(1)->setEnabled(iTipoAssemblea != 4);
            cmbArgo(2)->Clear();
            if (iOpzioniConsole & kConsolePresenzeBloccabili) iOpzioniConsole |= kConsolePresenzeBloccate;
            return;
        }
        if (UI().MsgBox(QStringLiteral("Confermi Chiusura Seduta"), vbOKCancel + vbQuestion) != vbOK) return;
        SalvaEvento(QStringLiteral("C"), QString());
        FermaVotazione(*this);
        if (oTabellone) {
            oTabellone->DettaglioLed(QString(48, u'0'));
            oTabellone->DettaglioTesto(QStringLiteral("9"));
        }
        cmbArgo(2)->Clear();
        UI().MsgBox(QStringLiteral("Seduta Conclusa"), vbOKOnly);
        if (oTabellone) oTabellone->ChiudeCom();
        cmdConsiglio(0)->setText(QStringLiteral("Apertura"));
        iModoAttivazione = kAttivazioneChiusura;
        hide();
        Chiude();
        return;

    case 1:
        if (cmdConsiglio(1)->text() == u"Sospesa") {
            if (UI().MsgBox(QStringLiteral("Confermi Sospensione Seduta"), vbOKCancel + vbQuestion) != vbOK) return;
            SalvaEvento(QStringLiteral("S"), QString());
            cmdConsiglio(1)->setText(QStringLiteral("Ripresa"));
            FermaVotazione(*this);
            boxConsiglio(3)->setEnabled(false);
            boxConsiglio(2)->setEnabled(false);
            if (iOpzioniConsole & kConsolePresenzeBloccabili) iOpzioniConsole &= ~kConsolePresenzeBloccate;
        } else {
            SalvaEvento(QStringLiteral("R"), QString());
            cmdConsiglio(1)->setText(QStringLiteral("Sospesa"));
            boxConsiglio(3)->setEnabled(true);
            boxConsiglio(2)->setEnabled(true);
            if (iOpzioniConsole & kConsolePresenzeBloccabili) iOpzioniConsole |= kConsolePresenzeBloccate;
        }
        return;

    case 2:
    case 99: {
        MostraEsitoVideo(0);
        // Ctrl on the operator's button only brings up the projected board;
        // the refresh asked for by code is never skipped.
        if (Index == 2 && Tasti().CtrlPremuto()) {
            frmVideo().Mostra();
            return;
        }
        FrmVideo* board = Index == 2 ? &frmVideo() : frmVideoCaricato();
        for (size_t i = 1; i < aPosti.size(); ++i) {
            const Posto& p = aPosti[i];
            if (p.iPannelloAN == 0) continue;
            const int s = p.iStato & (kPresente | kAssenteDichiarato | kAssenteAppello);
            const bool dentro = s == kPresente || (s == (kPresente | kAssenteAppello) && iTipoAssemblea == 4);
            if (board) board->Presenza(dentro, p.iPulsanteAN);
            if (p.iPannelloAN >= 1 && p.iPannelloAN <= cLedPresenze.size())
                cLedPresenze[p.iPannelloAN - 1] = dentro ? u'2' : u'0';
        }
        SfondoRisultatiVideo(false);
        if (oTabellone) {
            oTabellone->DettaglioLed(cLedPresenze);
            oTabellone->DettaglioTesto(QStringLiteral("G"));
        }
        iStatoConsole &= 0xFF & ~(kStatoEsito | kStatoPulisciTitolo);
        lblEsito()->hide();
        cmdVoto(0)->show();
        cmdVoto(5)->show();
        if (Index == 2) frmVideo().Mostra();
        return;
    }
    default: return;
    }
}

}  // namespace obx
