// The vote: opening with its checks (AperturaVoto) and questions and the
// map of enabled units, the key collection, closing, annulling and
// dropping, tally and outcome; one member function per vote button.
//
// The vote runs inside the opening click, in a loop that turns the event
// loop; everything else (the timer, the operator's clicks, the close) runs
// nested in it.  The guard oVoto decides once which close wins; the console
// only applies what the close hands back.
#include <QCheckBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>
#include <cmath>
#include <optional>

#include "board/Etichetta.h"
#include "board/frmVideo.h"
#include "console/AperturaVoto.h"
#include "console/MappaVotatori.h"
#include "console/Registri.h"
#include "console/Spoglio.h"
#include "console/VotiSuperati.h"
#include "console/frmCons.h"
#include "links/Tabellone.h"
#include "links/Votatori.h"
#include "platform/Dialoghi.h"
#include "platform/Elenchi.h"
#include "platform/Servizi.h"
#include "platform/Testo.h"
#include "reports/Stampa.h"
#include "reports/VerbaleVoto.h"
#include "shell/Campi.h"
#include "shell/Globali.h"

namespace obx {

namespace {

// One turn of the event loop, idling up to ms milliseconds when nothing
// is waiting, so that the vote loop neither starves the timer and the
// operator's clicks nor spins.
void GiraCiclo(int ms)
{
    QEventLoop l;
    QTimer::singleShot(ms, &l, &QEventLoop::quit);
    l.exec();
}

void ComandoTabellone(const QString& c)
{
    if (oTabellone) oTabellone->DettaglioTesto(c);
}

void LedTabellone(const QString& mappa)
{
    if (oTabellone) oTabellone->DettaglioLed(mappa);
}

}  // namespace

// ---------------------------------------------------------------------------
// Lists and keys on the console.

void frmCons::MostraTasti(const std::vector<TastoVoto>& tasti)
{
    for (const TastoVoto& t : tasti) {
        if (t.iPosto <= 0 || size_t(t.iPosto) >= aPosti.size()) continue;
        const Posto& p = aPosti[size_t(t.iPosto)];
        const QString breve = TrimSpazi(p.cNomeBreveAN);
        if (t.xTogliVotanti) lstVotanti()->RimuoviTesto(breve);
        if (t.xAggiungiAssenti) lstAssenti()->AddItem(breve);
        // Two keys of one absent seat in the same read both ask for its
        // entry: it enters once (the change toggles).
        if (t.xEntra && p.iPulsanteAN > 0 && (p.iStato & (kPresente | kAssenteDichiarato)) == 0)
            CambiaPresenza(t.iPosto, p.iPulsanteAN, true);
        if (!t.xMostra) continue;
        const std::optional<ColoreTasto> c = ColoriTasto(t.cTasto);
        if (!c) continue;
        if (Etichetta* e = txtAnag(p.iPulsanteAN)) e->SetBackColor(c->nConsole);
        if (FrmVideo* v = frmVideoCaricato())
            if (Etichetta* e = v->txtAnag(p.iPulsanteAN)) e->SetForeColor(cColoriTabVideo[size_t(c->iVoceVideo)]);
    }
}

void frmCons::VotiDaSeriale()
{
    std::vector<TastoVoto> tasti;
    const int sorgente = iModoOBX & (kCablaggioVotatori | kCablaggioFileVoti);
    if (sorgente == kCablaggioVotatori) {
        VotiDaCentrale(0.2, &tasti);
        MostraTasti(tasti);
        return;
    }
    if (sorgente == kCablaggioFileVoti) {
        VotiDaFile();
        return;
    }
    // No units wired (or both sources asked for): the keypads are simulated.
    if (chkPelin(0) && chkPelin(0)->isChecked()) {
        if (Tasti().CtrlPremuto())
            iModoVoto &= ~kVotoPausa;
        else if (iModoVoto != 0)
            iModoVoto |= kVotoPausa;
        Attende(0.5);
    } else {
        iModoVoto &= ~kVotoPausa;
    }
    if (iModoVoto == 0 || (iModoVoto & kVotoPausa) || aPosti.size() < 2) {
        Attende(0.05);
        return;
    }
    auto* rnd = QRandomGenerator::global();
    const int r = 1 + int(rnd->bounded(quint32(aPosti.size() - 1)));
    const Posto& p = aPosti[size_t(r)];
    bool puo;
    if (iRiservato & 4)
        puo = true;
    else if (iModoVoto & (kVotoAppello | kVotoUnico | kVotoNumeroLegale))
        puo = AventeDirittoNonAssente(p) && (!(iModoVoto & kVotoUnico) || iVotanteUnico > 0);
    else
        puo = PuoVotare(p);
    // Rnd x 3 + 1 rounded to the nearest, halves to even: 1 and 4 half as
    // likely as 2 and 3.
    const int k = int(std::nearbyint(rnd->generateDouble() * 3.0 + 1.0));
    QString tasto;
    int unita = p.iVotatoreAN;
    const int m = iModoVoto & kVotoGenere;
    if (m == kVotoAppello || m == kVotoNumeroLegale)
        tasto = (k & 1) ? QStringLiteral("*") : QStringLiteral("-");
    else {
        tasto = k <= 3 ? QStringLiteral("356").mid(k - 1, 1) : QString();
        if (m == kVotoUnico) unita = iVotanteUnico;
    }
    if (puo) {
        const int bit = MemorizzaVoti(unita, tasto, &tasti);
        MostraTasti(tasti);
        if (bit & kTastoLed) LedTabellone(cLedVoti);
    }
    Attende((m == kVotoUnico || (iRiservato & 2)) ? 0.4 : 0.05);
}

void frmCons::VotiDaFile()
{
    const QString nome = (iModoVoto & kVotoAppello) ? QStringLiteral("Appello.txt") : QStringLiteral("votiOBX.txt");
    const int voto = oVoto.Id();
    const QString percorso = PercorsoFileVoti(cCartella, nome);
    const std::optional<QStringList> righe = RigheFileVoti(percorso);
    if (!righe) {
        // Told once per vote: the vote goes on and the operator closes it.
        if (m_iVotoSenzaFile != voto) {
            m_iVotoSenzaFile = voto;
            UI().MsgBox(percorso + (QFileInfo::exists(percorso) ? QStringLiteral(" non leggibile")
                                                                : QStringLiteral(" non trovato")),
                        vbExclamation);
        }
        Attende(0.2);
        return;
    }
    std::vector<TastoVoto> tasti;
    const QString prima = cLedVoti;
    for (const TastoFile& t : TastiDaRighe(*righe)) {
        if (iModoVoto == 0 || oVoto.Id() != voto) break;
        MemorizzaVoti(aPosti[size_t(t.iPosto)].iVotatoreAN, t.cTasto, &tasti);
    }
    MostraTasti(tasti);
    // The whole file is read again on every pass; the board is sent the map
    // only when a key changed it, not at every reading.
    if (cLedVoti != prima) LedTabellone(cLedVoti);
    Attende(0.2);
}

// ---------------------------------------------------------------------------
// Opening.

bool frmCons::ApreVotazione(int iStep) { return obx::ApreVotazione(iStep); }

void frmCons::cmdVoto_Click(int Index)
{
    switch (Index) {
    case 0: ApreVotoConsole(false); return;
    case 1: AnnullaVotoConsole(); return;
    case 2: RitornoPresenze(); return;
    case 3: ChiudeVotoConsole(); return;
    case 4: StampaVerbaleConsole(); return;
    case 5: ApreVotoConsole(true); return;
    default: return;
    }
}

void frmCons::ApreVotoConsole(bool xProva)
{
    // A vote already in hand (a click nested in its questions, its
    // arming or its loop) is not opened again.
    if (VotoInCorso()) return;
    std::optional<ImpegnoVoto> impegno(std::in_place);
    const QString tipo = cTipoVoto;
    // The item the vote goes with; a check of the legal number may be
    // freed from it, but only once the vote really opens.
    int delibera = iDelibera;
    if (!xProva) {
        if (tipo == u"A" &&
            UI().MsgBox(QStringLiteral("Confermi Votazione di Appello ?"), vbYesNo + vbQuestion) != vbYes)
            return;
        ElencoCombo* stato = cmbArgo(3);
        const ControlloApertura controllo =
            ControllaApertura(tipo, stato ? stato->ListIndex() : -1, stato ? stato->Text() : QString());
        delibera = controllo.iDelibera;
        if (!controllo.cMessaggio.isEmpty()) {
            UI().MsgBox(controllo.cMessaggio, vbExclamation);
            return;
        }
        if (iTipoAssemblea != 4 && cmbArgo(2)->ListCount() > 0 && cmbArgo(2)->ListIndex() < 0 &&
            UI().MsgBox(QStringLiteral("Emendamento non selezionato\nConfermi Apertura Votazione ?"),
                        vbYesNo + vbQuestion) != vbYes)
            return;
        if (iTipoAssemblea == 4 && (tipo == u"V" || tipo == u"W") && delibera > 0 &&
            UI().MsgBox(QStringLiteral("Abbinare Verifica Numero Legale ad Atto selezionato ?"), vbYesNo, QString()) !=
                vbYes)
            delibera = 0;
        if (tipo != u"A") {
            for (size_t i = 1; i < aPosti.size(); ++i) {
                if ((aPosti[i].iStato & (kPresente | kScrutatore)) != kScrutatore) continue;
                if (UI().MsgBox(QStringLiteral("Scrutatore ") + TrimSpazi(aPosti[i].cNomeAN) +
                                    QStringLiteral(" Assente"),
                                vbOKCancel + vbInformation) != vbOK)
                    return;
            }
        }
    }

    // The keys of the last vote stay until a new one really starts (a
    // refused or cancelled opening leaves them for its minutes).
    iDelibera = delibera;
    iVotiRicevuti = 0;
    cVoti.Azzera(QChar(u'0'));
    cTastiRicevuti.Azzera(QChar(0));
    cResiduoTLV.clear();
    const bool cablati = (iModoOBX & kCablaggioVotatori) != 0;
    if (cablati && !ApreVotazione(1)) {
        UI().MsgBox(xProva ? QStringLiteral("Prova Votazione non Possibile")
                           : QStringLiteral("Apertura Votazione non Possibile"),
                    vbCritical);
        ChiudeComVotatori(0);
        return;
    }

    const bool immEsec = !xProva && chkImmEsec()->isChecked();
    if (!xProva) {
        if (tipo == u"A") {
            MostraVotanti(2);
            if (chkImmEsec()->isChecked()) {
                chkImmEsec()->setChecked(false);
                chkImmEsec_Click();
            }
        } else {
            MostraVotanti(0);
            cmbTipoQuorum_Click();
        }
    }
    for (int i = 0; i <= 5; ++i) cmdVoto(i)->setEnabled(xProva ? i == 3 : (i == 1 || i == 3));
    boxConsiglio(3)->setEnabled(false);
    for (size_t i = 1; i < aPosti.size(); ++i) aPosti[i].cVoto = QStringLiteral("0");
    if (!xProva) {
        if (xEsitoVideo) cmdConsiglio_Click(2);
        cmbTipoQuorum()->setEnabled(false);
        cmbTipoVoto()->setEnabled(false);
        for (int i = 0; i <= 6; ++i) lblVoto(i)->setText(QStringLiteral("00"));
    }

    const AperturaTipo a = DatiApertura(tipo, xProva, immEsec);
    IniziaVoto(tipo, xProva, immEsec);
    // Open now: the guard holds it from here.
    impegno.reset();
    if (!xProva) AggiornaQuadroVoti(a.iQuadro);
    if (a.xAzzeraLed) LedTabellone(cLedVoti);
    if (xProva)
        ComandoTabellone(QStringLiteral("1"));
    else {
        dInizioVoto = Clock().Adesso();
        SalvaEvento(a.cEvento, QString());
    }

    bool conTempo = false;
    if ((iOpzioniConsole & kConsoleATempo) && Val(lblTempo(1)->text()) > 0) {
        conTempo = true;
        nTempoVoto = float(Val(lblTempo(1)->text()));
        cmdVoto(2)->setVisible(false);
        cmdVoto(4)->setVisible(false);
        lblTempo(2)->setText(lblTempo(1)->text());
        lblTempo(2)->setVisible(true);
    }
    iStatoConsole =
        (iStatoConsole & (kStatoOrologio | kStatoVoto | kStatoParola | kStatoParolaAvviata | kStatoTessere)) |
        (conTempo ? kStatoVotoATempo | kStatoVoto : kStatoVoto);
    if (!a.cTitolo.isEmpty()) cEsito = a.cTitolo;
    if (!xProva) {
        // A test leaves the buttons where they are (disabled until its
        // close) and the outcome label as it was.
        cmdVoto(0)->setVisible(false);
        cmdVoto(5)->setVisible(false);
        lblEsito()->clear();
        lblEsito()->setVisible(true);
        Suona(QStringLiteral("AV"));
    }

    // The vote loop: everything the operator and the timer do runs
    // nested in here until the vote is closed, annulled or dropped, or
    // the central ends its data.
    const int voto = oVoto.Id();
    CicloAnnidato ciclo(*this);
    while (iModoVoto != 0 && oVoto.Id() == voto && oVoto.RaccoglieTasti()) {
        if (frmConsAperto() != this) {
            // The console went away mid-vote: the vote cannot be closed
            // from it any more.
            ChiudeSpoglio(kAbbandono, {false, false, voto});
            return;
        }
        VotiDaSeriale();
        GiraCiclo(10);
    }
}

void frmCons::AnnullaVotoConsole()
{
    if (!oVoto.RaccoglieTasti()) return;
    ChiudeVotazione(kAnnullo);
    cmdVoto(0)->setEnabled(true);
    cmdVoto(2)->setEnabled(true);
    cmdVoto(5)->setEnabled(true);
    cmdVoto(1)->setEnabled(false);
    cmdVoto(3)->setEnabled(false);
    cmdVoto(4)->setEnabled(false);
    iVotiRicevuti = 0;
    lblVoto(0)->setText(QStringLiteral("00"));
    if (iTipoAssemblea != 4) {
        cArgomentoPendente.clear();
        cmbArgo(2)->setCurrentIndex(-1);
    }
}

void frmCons::RitornoPresenze()
{
    // Back to attendance: nothing to do while a vote runs.
    if (oVoto.RaccoglieTasti()) return;
    FineRichiamoVoto();
    lblEsito()->setVisible(false);
    cmdVoto(0)->setVisible(true);
    cmdVoto(5)->setVisible(true);
    AggiornaQuadroVoti(kQuadroAzzeraNonVotanti | kQuadroRitornoAppello);
    RimuoveArgomento(false);
    cmdVoto(4)->setEnabled(false);
}

void frmCons::ChiudeVotoConsole()
{
    if (!oVoto.RaccoglieTasti()) return;
    const int voto = oVoto.Id();
    const int modo = oVoto.ModoApertura();
    if ((modo & (kVotoProva | kVotoAppello)) == 0 && lstVotanti()->ListCount() > 0) {
        // While the question is up, a second close (the countdown at 0,
        // another click) asks nothing more: the operator's answer decides.
        if (m_xChiusuraChiesta) return;
        QPointer<frmCons> io(this);
        m_xChiusuraChiesta = true;
        const int risposta = UI().MsgBox(QStringLiteral("Confermi chiusura votazione ?"), vbOKCancel + vbQuestion);
        if (!io) return;
        m_xChiusuraChiesta = false;
        if (risposta != vbOK) return;
        // The answer may have come after the vote ended some other way.
        if (!oVoto.RaccoglieTasti() || oVoto.Id() != voto) return;
        // Keys pressed while the question was up are taken before those
        // who did not vote are sent out.
        VotiDaSeriale();
        if (!io || frmConsAperto() != this) return;
        if (!oVoto.RaccoglieTasti() || oVoto.Id() != voto) return;
        EsconoNonVotanti();
        if (!io || frmConsAperto() != this) return;
        if (!oVoto.RaccoglieTasti() || oVoto.Id() != voto) return;
    }
    Suona(QStringLiteral("CV"));
    ChiudeVotazione(kChiusura);
    cmdVoto(0)->setEnabled(true);
    cmdVoto(2)->setEnabled(true);
    cmdVoto(5)->setEnabled(true);
    cmdVoto(4)->setEnabled((modo & kVotoProva) == 0);
    cmdVoto(1)->setEnabled(false);
    cmdVoto(3)->setEnabled(false);
    if (modo & kVotoProva) AggiornaQuadroVoti(kQuadroTabelloni | kQuadroAzzeraNonVotanti);
    if (iConfigOBX & kOpzStampaAutomatica) StampaVerbaleVoto(false, QString());
}

void frmCons::StampaVerbaleConsole()
{
    if (!ScegliDestinazioneStampa(QStringLiteral("Verbale_Voto"))) return;
    StampaVerbaleVoto(false, QString());
}

// ---------------------------------------------------------------------------
// Closing.

bool frmCons::ChiudeVotazione(int iModo)
{
    // Until its rows are written nothing may close the console, the link or
    // the archive under the close, nor open another vote.
    const ImpegnoVoto impegno;
    // The notes the writers may overwrite are taken before the close, so
    // that only the votes this one may supersede stay marked; both reach no
    // further back than the sitting's opening.
    const QString tipo = cTipoVoto;
    const int delibera = iDelibera;
    const bool immEsec = chkImmEsec()->isChecked() && tipo != u"V" && tipo != u"W" && tipo != u"A";
    const bool raccolta = oVoto.RaccoglieTasti();
    const QDateTime inizioSeduta = raccolta ? InizioSeduta() : QDateTime();
    const NoteVoti note = raccolta ? FotografaNote(tipo, delibera, inizioSeduta) : NoteVoti{};

    ContestoChiusura contesto;
    contesto.xImmEsec = chkImmEsec()->isChecked();
    contesto.xSubPendenti = cmbArgo(2)->ListCount() > 0;
    const ChiusuraVoto c = ChiudeSpoglio(iModo == kAbbandono ? kAbbandono
                                         : iModo == kAnnullo ? kAnnullo
                                                             : kChiusura,
                                         contesto);
    if (!c.xEseguita) {
        // Nothing open to close; a drop still stops any collection.
        if (iModo == kAbbandono) iModoVoto = 0;
        return true;
    }

    if (c.xComando8) ComandoTabellone(QStringLiteral("8"));
    if (!c.cSoglia.isEmpty()) lblVoto(2)->setText(c.cSoglia);
    // Diagnostics: what the central left unread when the link closed.
    if ((iTraccia & 1) && c.iInAttesa >= 0) txtOBX()->setText(Formato(c.iInAttesa, QStringLiteral("#####0")));
    const bool appello = (c.iModoVoto & kVotoAppello) != 0;

    if (c.iModo != kAbbandono) {
        dFineVoto = c.dFineVoto;
        // A test vote is not the vote its requesters asked for: they stay
        // for the coming one.
        const auto richiedenti = iRichiedenti;
        {
            // The row, the votes it supersedes, the closing events and the
            // act's status: one commit, all or nothing.
            RegistrazioneUnica registrazione;
            const MarcaturaNellaSeduta seduta(inizioSeduta);
            SalvaVotazione(c.xRipetuta);
            if (appello) {
                for (int iP : c.aCambiPresenza) CambiaPresenza(iP, aPosti[size_t(iP)].iPulsanteAN, false);
                if (c.iModo == kChiusura)
                    DopoRegistrazione([] {
                        ComandoTabellone(QStringLiteral("E"));
                        LedTabellone(cLedPresenze);
                    });
            }
            // A test vote leaves no trace in the log.
            if (!c.xProva) {
                for (const QString& e : c.cEventi) {
                    // The roll call counts no votes: its closing gives as
                    // present the number who answered.
                    if (appello && e == u"L") iFavorevoli = c.iPresentiAppello;
                    SalvaEvento(e, QString());
                }
            }
            RipristinaNote(note, c.iModo == kChiusura && !c.xProva, immEsec, inizioSeduta);
            // The act's new status goes through the status list, as the
            // operator's choice would (its event and the act's row).
            if (!appello && c.iModo == kChiusura && c.xEsito && !c.cStatoAtto.isEmpty())
                AggiornaStatoPdL(3, c.cStatoAtto);
            if (!registrazione.Conclude(QStringLiteral("Voti"))) {
                // Nothing of it is in the archive: no code to point at, and
                // the requesters wait for the vote that will be stored.
                lCodVoto = 0;
                iRichiedenti = richiedenti;
            }
        }
        if (c.xProva) iRichiedenti = richiedenti;

        if (appello) {
            if (c.iModo == kChiusura) {
                lblEsito()->setVisible(false);
                cmdVoto(0)->setVisible(true);
                cmdVoto(5)->setVisible(true);
            }
            AggiornaQuadroVoti(kQuadroTabelloni | kQuadroAzzeraNonVotanti);
        } else if (c.iModo == kAnnullo) {
            AggiornaQuadroVoti(kQuadroAzzeraNonVotanti | kQuadroRitornoAppello);
            // The boards show attendance again, as the console does: the
            // seats' colours, the results table and the LED map of the
            // annulled vote (or of the one before it) would pass for its
            // outcome.
            MostraTotaliVideo(false);
            for (int n = 9; n <= 13; ++n) ScriveTitoloVideo(n, QString());
            SfondoRisultatiVideo(false);
            if (FrmVideo* v = frmVideoCaricato())
                for (size_t i = 1; i < aPosti.size(); ++i) {
                    const Posto& p = aPosti[i];
                    if (p.iPulsanteAN > 0)
                        v->Presenza((p.iStato & (kPresente | kAssenteDichiarato)) == kPresente, p.iPulsanteAN);
                }
            if (oTabellone) oTabellone->DettaglioLed(cLedPresenze);
        } else if (c.xEsito) {
            lblEsito()->setText(c.esito.cTesto);
            lblEsito()->setStyleSheet(c.esito.xPositivo ? QStringLiteral("color: #00ff00;")
                                                        : QStringLiteral("color: #ff0000;"));
            lblEsito()->setVisible(true);
            AggiornaQuadroVoti((c.iModoVoto & kVotoNumeroLegale)
                                   ? (kQuadroRisultato | kQuadroTabelloni | kQuadroSoloFavorevoli)
                                   : (kQuadroRisultato | kQuadroTabelloni));
        }
        MostraVotanti(1);
    }

    if (iOpzioniConsole & kConsoleATempo) {
        cmdVoto(2)->setVisible(true);
        cmdVoto(4)->setVisible(true);
        lblTempo(2)->setVisible(false);
    }
    boxConsiglio(3)->setEnabled(true);
    cmbArgo(0)->setEnabled(true);
    cmbTipoVoto()->setEnabled(true);
    cmbTipoQuorum()->setEnabled(true);
    cmbArgo(1)->setEnabled(iTipoAssemblea != 4);
    if (c.iModo == kAbbandono) {
        for (int i : {0, 5}) {
            cmdVoto(i)->setVisible(true);
            cmdVoto(i)->setEnabled(SedutaAperta());
        }
        for (int i : {1, 3, 4}) cmdVoto(i)->setEnabled(false);
    }
    // Told once the vote is stored, so that nothing waits on the answer.
    if (c.xCentraleMuta)
        UI().MsgBox(QStringLiteral("La Centrale non risponde: verificare i collegamenti") +
                        (c.iModo == kAbbandono ? QString() : QStringLiteral("\nI voti ricevuti sono stati registrati")),
                    vbExclamation);
    return true;
}

void frmCons::MostraEsitoVideo(int iModo) { MostraTotaliVideo(iModo != 0); }

}  // namespace obx
