// Speaking turns and bookings: giving the floor, speaking time per member and
// per party, the booking queue and its panels.
//
// The queue itself and the time accounting are free functions
// (Prenotazioni.h, TempoParola.h); here they meet the controls of the
// console and of the projected board.
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "board/Etichetta.h"
#include "board/frmVideo.h"
#include "console/Prenotazioni.h"
#include "console/TempoParola.h"
#include "console/frmCons.h"
#include "links/Tabellone.h"
#include "platform/Dialoghi.h"
#include "platform/Elenchi.h"
#include "platform/Testo.h"
#include "shell/Campi.h"
#include "shell/Globali.h"

namespace obx {

namespace {

constexpr int32_t kVerde = 0xFF00;
constexpr int32_t kRosso = 255;
constexpr const char* kProprietaSfondo = "obxSfondo";

// The speaking-minutes label's background, kept as a property so that the
// clock can tell when the time has run out.
void SfondoTempo(QLabel* l, int32_t colore)
{
    if (!l) return;
    l->setProperty(kProprietaSfondo, colore);
    const int r = colore & 0xFF, g = (colore >> 8) & 0xFF, b = (colore >> 16) & 0xFF;
    l->setStyleSheet(QStringLiteral("background-color: rgb(%1, %2, %3);").arg(r).arg(g).arg(b));
}

// The lines of the queue into lstPrenotati and the nine booking cells of the
// projected board, then the selection the queue asks for.
void MostraPrenotati(frmCons& f, const EsitoPrenotati& e)
{
    if (!e.xRidisegna) return;
    ElencoLista* l = f.lstPrenotati();
    l->Clear();
    for (const QString& riga : e.cRighe) l->AddItem(riga);
    {
        const auto celle = CellePrenotati(e.cRighe);
        for (int i = 0; i < 9; ++i) ScriveTitoloVideo(17 + i, celle[size_t(i)]);
    }
    f.TagPrenotati = e.iSelezione >= 0 ? QStringLiteral("SET") : QStringLiteral("RESET");
    l->SetListIndex(e.iSelezione);
    f.TagPrenotati.clear();
}

}  // namespace

bool frmCons::TempoParolaScaduto() const { return lblTempo(0)->property(kProprietaSfondo).toInt() == kRosso; }

void frmCons::IniziaIntervento(int iTipo, int iChi, const QString& cNome, const QString& cBreve)
{
    if (cmdParola(0)->isEnabled()) {
        UI().MsgBox(QStringLiteral("Intervento in corso non concluso"), vbOKOnly);
        return;
    }
    // The counters, the speaker and the start time; a running vote and its
    // countdown are kept (the start time of the speech has its own field).
    AvviaIntervento(int(Val(lblTempo(0)->text())), iChi, cBreve);

    cmbArgo(0)->setEnabled(false);
    cmbArgo(1)->setEnabled(false);
    cmdVoto(0)->setEnabled(false);
    cmdParola(0)->setEnabled(true);
    if (iOpzioniConsole & kConsoleATempo) {
        cmdTempo(2)->hide();
        cmdTempo(3)->hide();
        lblTempo(1)->hide();
        cmdParola(0)->show();
    }
    if (!(iTipo & 4)) getParola()->setText(cNome);
    SalvaEvento(QStringLiteral("D"), cNome);
}

void frmCons::GestiscePrenotati(int iChi, int iModo, const QString&)
{
    const EsitoPrenotati e = obx::GestiscePrenotati(iChi, iModo, lstPrenotati()->Text());
    if ((iModo & 7) == kDaParola && e.oratore.xValido) {
        // The queue already marks the entry as served, also when the floor
        // is refused because a speech is still running.
        IniziaIntervento(8, e.oratore.iPosto, e.oratore.cNome, e.oratore.cNomeBreve);
        if (frmConsAperto() != this) return;
    }
    MostraPrenotati(*this, e);
}

void frmCons::RichiesteDaTastiere()
{
    const EsitoPrenotati e = InterrogaRichieste(SedutaAperta() && !SedutaSospesa(), lstPrenotati()->Text());
    MostraPrenotati(*this, e);
}

void frmCons::AvanzaOrologioParola()
{
    const PassoParola p = AvanzaTempoParola(TempoParolaScaduto());
    if (p.xAppenaScaduto) {
        SfondoTempo(lblTempo(0), kRosso);
        Suona(QStringLiteral("TS"));
    }
    if (p.xMostraMinuti) lblTempo(0)->setText(p.cMinuti);
    if (FrmVideo* v = frmVideoCaricato()) {
        if (Etichetta* t = v->txtTitolo(13)) {
            if (p.iColoreTitolo >= 0) t->SetForeColor(cColoriTabVideo[size_t(p.iColoreTitolo)]);
            t->SetCaption(p.cTitolo);
        }
    }
    if (p.xInviaTabellone && oTabellone) oTabellone->DettaglioTesto(QString(p.cLettera));
}

void frmCons::cmdParola_Click(int Index)
{
    switch (Index) {
    case 0: {
        // The button is enabled exactly while a speech runs; a call from a
        // key or another window with nobody speaking logs nothing.
        if (!cmdParola(0)->isEnabled()) return;
        SalvaEvento(QStringLiteral("F"), getParola()->text());
        if (frmConsAperto() != this) return;
        if (!cTipoArg.isEmpty() && cLettereAttiNonVotabili.contains(cTipoArg) &&
            (iFlagQuorum & kQuorumArgomentoAperto)) {
            SalvaEvento(QStringLiteral("H"), QString());
            iFlagQuorum &= ~kQuorumArgomentoAperto;
        }
        if (oTabellone) oTabellone->DettaglioTesto(QStringLiteral("H"));
        getParola()->clear();

        // Counts the speech and charges its party; bits 1, 2 and 32 stay,
        // and the countdown of a vote on display goes on.
        ConcludeIntervento();

        lblTempo(0)->setText(Formato(iTempoRelatore, QStringLiteral("00")));
        SfondoTempo(lblTempo(0), kVerde);
        cmdParola(0)->setEnabled(false);
        if (iOpzioniConsole & kConsoleATempo) {
            cmdParola(0)->hide();
            cmdTempo(2)->show();
            cmdTempo(3)->show();
            lblTempo(1)->show();
        }
        // A speech may end while a vote is on display: opening another vote
        // or choosing an item must wait for that vote's close.
        if (!(iStatoConsole & kStatoVoto)) {
            boxConsiglio(3)->setEnabled(true);
            cmbArgo(0)->setEnabled(true);
            cmdVoto(0)->setEnabled(true);
            cmbArgo(1)->setEnabled(iTipoAssemblea != 4);
        }
        break;
    }
    case 1: {
        lstParola()->Clear();
        if (cOspitiPresenti.size() < StringaPosti::kLunghezza)
            cOspitiPresenti = cOspitiPresenti.leftJustified(StringaPosti::kLunghezza, QChar(0));
        for (size_t i = 1; i < aOspiti.size(); ++i) {
            lstParola()->AddItem(aOspiti[i].cNomeAN);
            if (int(i) <= StringaPosti::kLunghezza) cOspitiPresenti[int(i) - 1] = QChar(aOspiti[i].bCodiceAN);
        }
        break;
    }
    case 2: {
        const bool mostra = cmdParola(2)->text() != QStringLiteral("Prenotazioni OFF");
        FrmVideo* v = frmVideoCaricato();
        if (!mostra) {
            boxConsiglio(6)->hide();
            if (v) v->boxPrenota()->hide();
            cmdParola(2)->setText(QStringLiteral("Prenotazioni ON"));
        } else {
            boxConsiglio(6)->show();
            boxConsiglio(6)->raise();
            if (v) {
                v->boxPrenota()->show();
                v->boxPrenota()->raise();
            }
            cmdParola(2)->setText(QStringLiteral("Prenotazioni OFF"));
        }
        break;
    }
    default: break;
    }
}

void frmCons::cmdTempo_Click(int Index)
{
    QLabel* l = nullptr;
    if (Index == 0 || Index == 1) {
        if (!TempoParolaRegolabile()) return;
        l = lblTempo(0);
    } else if (Index == 2 || Index == 3) {
        if (!TempoVotoRegolabile()) return;
        l = lblTempo(1);
    } else {
        return;
    }
    const int valore = RegolaPreset(int(Val(l->text())), Index == 0 || Index == 2);
    l->setText(Formato(valore, QStringLiteral("00")));
}

void frmCons::lstPrenotati_Click()
{
    if (!TagPrenotati.isEmpty()) return;
    const int indice = lstPrenotati()->ListIndex();
    if (indice < 0) return;
    const QString nome = NomeDaRiga(lstPrenotati()->Text());
    const QString titolo = QStringLiteral("Lista Prenotazioni");
    if (cmdParola(0)->isEnabled()) {
        if (UI().MsgBox(QStringLiteral("Togliere ") + nome + QStringLiteral(" dalla Lista ?"), vbOKCancel, titolo) ==
            vbOK) {
            if (frmConsAperto() != this) return;
            GestiscePrenotati(indice + 1, kTogli, QString());
        }
        return;
    }
    const int r =
        UI().MsgBox(nome + QStringLiteral(" Inizia l'Intervento (pulsante SI)") + QStringLiteral("\r\noppure\r\n") +
                        QStringLiteral("viene Tolto dalla Lista (pulsante NO) ?"),
                    vbYesNoCancel, titolo);
    if (frmConsAperto() != this) return;
    if (r == vbYes)
        GestiscePrenotati(indice + 1, kDaParola, QString());
    else if (r == vbNo)
        GestiscePrenotati(indice + 1, kTogli, QString());
}

// The guests' list and the free-text speaker field open the seat actions'
// guest dialog and free floor.
void frmCons::lstParola_MouseDown(int Button, int Shift, float, float) { OperazioniOspite(Button, Shift); }

void frmCons::getParola_MouseDown(int Button, int Shift, float, float) { ParolaLibera(Button, Shift); }

}  // namespace obx
