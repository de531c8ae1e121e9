// Seat actions and their dialogs, guest speakers, substitutions, the
// console's function keys and the clock label.
//
// Every handler here can run nested inside the vote loop or inside a wait
// (a click while the loop turns the event loop, a card reading during a
// message box): the state it reads is read again after each dialog, and
// nothing that another nested handler could take twice is handed out after
// a message box.
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <algorithm>

#include "board/Etichetta.h"
#include "board/frmVideo.h"
#include "console/Registri.h"
#include "console/Spoglio.h"
#include "console/frmCons.h"
#include "console/frmScambio.h"
#include "console/frmTasti.h"
#include "links/Tabellone.h"
#include "links/Votatori.h"
#include "links/frmLED.h"
#include "platform/Dialoghi.h"
#include "platform/Elenchi.h"
#include "platform/Servizi.h"
#include "platform/Testo.h"
#include "registers/frmDelib.h"
#include "reports/frmEvent.h"
#include "shell/Globali.h"

namespace obx {

namespace {

constexpr int32_t kBlu = 0xFF0000;         // present member of role "P"
constexpr int32_t kCiano = 0xFFFF00;       // other present member
constexpr int32_t kNonVotante = 0xC0E0E0;  // present not voting
constexpr int32_t kGrigio = 0xC0C0C0;      // absent, previous called voter
constexpr int32_t kGiallo = 0x00FFFF;      // the member called to vote

const QString kAcapo = QStringLiteral("\r\n");

// Seat index held in a label's tag (0 when the label shows no seat).
int PostoDellEtichetta(const Etichetta* e)
{
    if (!e) return 0;
    const int i = int(Val(e->Tag));
    return SeggioValido(i) ? i : 0;
}

int32_t ColorePresente(const Posto& p) { return p.cTipoAN == u"P" ? kBlu : kCiano; }

}  // namespace

// ---------------------------------------------------------------------------
// Seat actions

void frmCons::txtAnag_MouseDown(int Index, int Button, int Shift, float, float)
{
    if (m_scaricata) return;
    QPointer<frmCons> io(this);
    const int iP = PostoDellEtichetta(txtAnag(Index));
    if (iP == 0) return;

    QString cNome = aPosti[size_t(iP)].cNomeAN;
    const QString cBreve = TrimSpazi(aPosti[size_t(iP)].cNomeBreveAN);
    QString cEvento = QStringLiteral("_");
    int iCodice = 0;
    const int statoIniziale = aPosti[size_t(iP)].iStato;

    if (Button == 1 && (iModoVoto & kVotoUnico)) {
        iCodice = 512;
    } else if (Button == 1 && Shift == 0) {
        if ((iOpzioniConsole & kConsolePresenzeBloccate) == 0 && (statoIniziale & kAssenteDichiarato) == 0)
            iCodice = 128;
    } else if (Button == 1 && Shift == 2) {
        iModoAttivazione = kAttivazioneTasti;
        iTastoScelto = 0;
        {
            CicloAnnidato guardia(*this);
            frmTasti d(this);
            d.iConsID = iP;
            d.exec();
        }
        if (!io || m_scaricata) return;
        iCodice = iTastoScelto;
    } else if (Button == 1 && Shift == 3) {
        if ((statoIniziale & kAssenteDichiarato) == 0) iCodice = 128;
    } else if (Button == 2 && Shift == 2) {
        iCodice = 256;
    } else if (Button == 32) {
        iCodice = Shift;
    }
    if (iCodice == 0) return;
    // The registry may have been loaded again while the dialog was up.
    if (!SeggioValido(iP) || PostoDellEtichetta(txtAnag(Index)) != iP) return;

    if ((iCodice & 127) != 0 && !SedutaAperta()) {
        UI().MsgBox(QStringLiteral("Apertura Consiglio non Eseguita"), vbCritical, kTitoloOBX);
        return;
    }

    Posto& p = aPosti[size_t(iP)];
    // Entry or exit of the seat as the plain click makes it: the letter
    // to log, lower case during a vote, "_" when nothing changed.
    auto entraEsce = [&]() -> QString {
        QString l = CambiaPresenza(iP, Index, true);
        if (l.isEmpty()) return QStringLiteral("_");
        if (VotoRealeAperto()) l = l.toLower();
        return l;
    };
    auto consigliereAssente = [] { UI().MsgBox(QStringLiteral("Consigliere Assente"), vbCritical, kTitoloOBX); };

    switch (iCodice) {
    case 128:
        if (VotoRealeAperto() &&
            (p.iStato & (kPresenteNonVotante | kAventeDiritto | kAssenteDichiarato)) == kAventeDiritto)
            CorreggeVoto(iP);
        cEvento = entraEsce();
        break;
    case 1:
        if (!InAula(p)) {
            consigliereAssente();
            break;
        }
        if (!InterventoConsentito(iP)) break;
        if (!io || !SeggioValido(iP)) return;
        IniziaIntervento(1, iP, cNome, cBreve);
        break;
    case 2:
    case 1024: CompletaSostituzione(iP, Index, iCodice); break;
    case 3:
        if (InAula(p)) {
            p.iStato |= kScrutatore;
            MostraInParola(QStringLiteral("Scrut.") + cNome);
            cEvento = QStringLiteral("O");
        }
        break;
    case 4:
        if (AventeDirittoNonAssente(p)) cEvento = NuovoConsigliere(iP, Index, cNome);
        break;
    case 5: AssegnaRiserva(iP); break;
    case 6:
        if (AventeDirittoNonAssente(p)) {
            Etichetta* e = txtAnag(p.iPulsanteAN);
            if ((p.iStato & kPresenteNonVotante) == 0) {
                p.iStato |= kPresenteNonVotante;
                if (e) e->SetBackColor(kNonVotante);
                cEvento = QStringLiteral("-");
            } else {
                p.iStato &= 0x7FFF & ~kPresenteNonVotante;
                if (e) e->SetBackColor(ColorePresente(p));
                cEvento = QStringLiteral("+");
            }
            if (VotoRealeAperto()) {
                if (iModoVoto & kVotoUnico) p.iStato |= kPresente;
                CorreggeVoto(iP);
            }
            CalcolaQuorum(-1, false);
        }
        break;
    case 7:
        if ((p.iStato & (kScrutatore | kAssenteDichiarato)) == kScrutatore) {
            p.iStato &= 0x7FFF & ~kScrutatore;
            MostraInParola(QStringLiteral("Scrut.") + cNome);
            cEvento = QStringLiteral("K");
        }
        break;
    case 8:
        if (!InAula(p))
            consigliereAssente();
        else
            GestiscePrenotati(iP, 1, QString());
        break;
    case 9:
        if (p.iStato & kAssenteDichiarato) {
            if (VotoRealeAperto() && (p.iStato & kAventeDiritto)) lstVotanti()->AddItem(cBreve);
            p.iStato &= 0x7FFF & ~(kPresente | kAssenteDichiarato);
            cEvento = entraEsce();
        } else {
            if (VotoRealeAperto() && (p.iStato & (kPresente | kAventeDiritto)) == (kPresente | kAventeDiritto))
                CorreggeVoto(iP);
            p.iStato |= kAssenteDichiarato;
            if (p.iStato & kPresente) cEvento = entraEsce();
        }
        break;
    case 10:
        if (cTipoVoto == u"I" || cTipoVoto == u"J") {
            for (size_t k = 1; k <= 3; ++k) {
                if (iRichiedenti[k] == 0) {
                    iRichiedenti[k] = iP;
                    break;
                }
            }
        } else if (cTipoVoto == u"V" || cTipoVoto == u"W") {
            iRichiedenti[1] = iP;
        }
        break;
    case 256: SchedaPosto(iP); break;
    case 512: ChiamaVotante(iP); break;
    default: break;
    }
    if (!io || m_scaricata) return;
    if (cEvento != u"_") SalvaEvento(cEvento, cNome);
}

bool frmCons::InterventoConsentito(int iP)
{
    const Posto& p = aPosti[size_t(iP)];
    QString avviso;
    if (p.iInterventi >= iNMaxInterventi)
        avviso = QStringLiteral("Superato numero massimo di Interventi (") + QString::number(iNMaxInterventi) + u')';
    if (p.iPartito >= 1 && size_t(p.iPartito) < aPartiti.size() && aPartiti[size_t(p.iPartito)].lTempoResiduo < 1) {
        if (!avviso.isEmpty()) avviso += kAcapo;
        avviso += QStringLiteral("Esaurito tempo a disposizione per ") + RTrimSpazi(p.cPartitoAN) +
                  QStringLiteral(" (") + QString::number(iTempoMaxPartito) + QStringLiteral(" minuti)");
    }
    if (avviso.isEmpty()) return true;
    return UI().MsgBox(avviso + kAcapo + QStringLiteral("Intervento Consentito ?"), vbYesNo + vbQuestion,
                       QStringLiteral("Attenzione")) == vbYes;
}

void frmCons::MostraInParola(const QString& testo)
{
    // While a speech runs the box shows the speaker, who must stay there.
    if (cmdParola(0)->isEnabled()) return;
    getParola()->setText(testo);
}

void frmCons::AssegnaRiserva(int iP)
{
    // A unit already taken by a seat (its own or one handed out before)
    // is passed over: a unit never answers for two seats.
    auto inUso = [](int unita) {
        for (size_t j = 1; j < aPosti.size(); ++j)
            if (aPosti[j].iVotatoreAN == unita || aPosti[j].iVotatoreUso == unita) return true;
        return false;
    };
    while (iRiservaProssima <= iRiservaUltima && inUso(iRiservaProssima)) ++iRiservaProssima;
    if (iRiservaUltima < iRiservaProssima) {
        UI().MsgBox(QStringLiteral("Riserva Esaurita"), vbCritical, kTitoloOBX);
        return;
    }
    Posto& p = aPosti[size_t(iP)];
    if ((p.iStato & (kPresente | kAventeDiritto | kAssenteDichiarato)) != (kPresente | kAventeDiritto)) return;
    const int unita = iRiservaProssima;
    p.iVotatoreAN = p.iVotatoreUso = unita;
    // Taken before the message: a click or a card reading handled while
    // the box is up gets the next unit.
    ++iRiservaProssima;
    UI().MsgBox(TrimSpazi(p.cNomeBreveAN) + kAcapo + QStringLiteral(" riceve Votatore ") +
                    Formato(unita, QStringLiteral("####")),
                vbInformation, kTitoloOBX);
}

void frmCons::SchedaPosto(int iP)
{
    const Posto& p = aPosti[size_t(iP)];
    QString t = RTrimSpazi(p.cNomeAN) + kAcapo + u'(' + RTrimSpazi(p.cPartitoAN) + u')' + kAcapo +
                QStringLiteral("Interventi Arg. corrente =") + Str(p.iInterventi) + kAcapo + QStringLiteral("TLV =") +
                Str(p.iVotatoreAN) + kAcapo + QStringLiteral("LED =") + Str(p.iPannelloAN);
    if (p.iPartito >= 1 && size_t(p.iPartito) < aPartiti.size())
        t += kAcapo + QStringLiteral("Secondi disponibili/Partito =") + Str(aPartiti[size_t(p.iPartito)].lTempoResiduo);
    UI().MsgBox(t, vbOKOnly, kTitoloOBX);
}

void frmCons::ChiamaVotante(int iP)
{
    const Posto& p = aPosti[size_t(iP)];
    if (!AventeDirittoNonAssente(p)) return;
    if (iVotanteUnico >= 1) {
        for (size_t j = 1; j < aPosti.size(); ++j) {
            if (aPosti[j].iVotatoreAN != iVotanteUnico) continue;
            if (Etichetta* e = txtAnag(aPosti[j].iPulsanteAN)) e->SetBackColor(kGrigio);
            break;
        }
    }
    if (Etichetta* e = txtAnag(p.iPulsanteAN)) e->SetBackColor(kGiallo);
    cOratore = TrimSpazi(p.cNomeBreveAN);
    if (oTabellone) oTabellone->DettaglioTesto(QStringLiteral("8"));
    iVotanteUnico = p.iVotatoreAN;
}

// ---------------------------------------------------------------------------
// Substitutions

void frmCons::CompletaSostituzione(int iP, int Index, int iCodice)
{
    QPointer<frmCons> io(this);
    if (iCodice == 2) {
        iModoAttivazione = kAttivazioneTasti;
        {
            CicloAnnidato guardia(*this);
            frmScambio d(this);
            d.iCodCons = iP;
            d.iModo = aPosti[size_t(iP)].cTipoAN == u"P" ? 2 : 0;
            d.exec();
        }
        if (!io || m_scaricata) return;
    }
    if (!SeggioValido(iPostoUscente) || !SeggioValido(iPostoEntrante) || !SeggioValido(iP)) return;

    if (iEsce) {
        Posto& p = aPosti[size_t(iP)];
        if (VotoRealeAperto() &&
            (p.iStato & (kPresenteNonVotante | kAventeDiritto | kAssenteDichiarato)) == kAventeDiritto)
            CorreggeVoto(iP);
        QString l = CambiaPresenza(iP, Index, true);
        if (!l.isEmpty()) {
            if (VotoRealeAperto()) l = l.toLower();
            SalvaEvento(l, aPosti[size_t(iP)].cNomeAN);
            if (!io || m_scaricata) return;
        }
    }

    const Posto& u = aPosti[size_t(iPostoUscente)];
    const Posto& e = aPosti[size_t(iPostoEntrante)];
    QString lettera;
    if (e.cTipoAN == u"P") {
        Etichetta* le = txtAnag(e.iPulsanteAN);
        if (le && le->BackColor() == kCiano) le->SetBackColor(kBlu);
        Etichetta* lu = txtAnag(u.iPulsanteAN);
        if (!iEsce && lu && lu->BackColor() == kBlu) lu->SetBackColor(kCiano);
        lettera = QStringLiteral("P");
    } else if (e.cTipoAN == u"G") {
        lettera = QStringLiteral("J");
    } else {
        lettera = QStringLiteral("Q");
    }
    // The row names the person now in office; its details keep the one
    // replaced (cSegretari(0)).
    SalvaEvento(lettera, cSegretari[1]);
}

QString frmCons::NuovoConsigliere(int iP, int Index, QString& cNome)
{
    if (iScelta == 0) {
        UI().MsgBox(QStringLiteral("Occorre prima selezionare il nuovo Consigliere") + kAcapo +
                        QStringLiteral("     (Maiusc+Alt+Pulsante SIN da Lista Presenti)"),
                    vbCritical, kTitoloOBX);
        return QStringLiteral("_");
    }
    QPointer<frmCons> io(this);
    const QString precedente = aPosti[size_t(iP)].cNomeAN;
    if (!ScambiaPosto(iP, iScelta)) return QStringLiteral("_");
    Posto& p = aPosti[size_t(iP)];
    cNomeOspite = precedente;
    cNome = p.cNomeAN;
    const QString breve = TrimSpazi(p.cNomeBreveAN);
    if (Etichetta* e = txtAnag(Index)) e->SetCaption(breve);
    if (FrmVideo* v = frmVideoCaricato())
        if (Etichetta* e = v->txtAnag(p.iPulsanteAN)) e->SetCaption(breve);

    const bool eraPresente = p.iStato & kPresente;
    if (eraPresente) {
        SalvaEvento(QStringLiteral("U"), cNomeOspite);
        if (!io || m_scaricata) return QStringLiteral("_");
        --iPresenti;
    }
    // This substitution's own names: never those of an earlier one.
    cSegretari = {precedente, cNome};
    SalvaEvento(QStringLiteral("Q"), cNome);
    if (!io || m_scaricata) return QStringLiteral("_");

    Posto& q = aPosti[size_t(iP)];
    q.iStato |= kPresente;
    ++iPresenti;
    if (Etichetta* e = txtAnag(Index)) e->SetBackColor(ColorePresente(q));
    if (!eraPresente) {
        // The seat was empty: boards and thresholds count the newcomer.
        if (q.iPannelloAN >= 1 && q.iPannelloAN <= cLedPresenze.size()) cLedPresenze[q.iPannelloAN - 1] = u'2';
        if (FrmVideo* v = frmVideoCaricato()) v->Presenza(true, q.iPulsanteAN);
        if (oTabellone) oTabellone->DettaglioLed(cLedPresenze);
        CalcolaQuorum(-1, false);
    }
    iScelta = 0;
    MostraInParola(QString());
    return QStringLiteral("E");
}

// ---------------------------------------------------------------------------
// The close of a vote: the members who have not voted

void frmCons::EsconoNonVotanti()
{
    if (m_scaricata) return;
    QPointer<frmCons> io(this);
    QStringList elencati;
    for (int i = 0; i < lstVotanti()->ListCount(); ++i) elencati << lstVotanti()->List(i);

    // Each listed name goes with a seat of that short name that must still
    // vote: first those whose key did not come, then any other such seat.
    std::vector<int> posti;
    auto daVotare = [](const Posto& p) { return PuoVotare(p); };
    for (int passo = 0; passo < 2; ++passo) {
        for (size_t i = 1; i < aPosti.size() && !elencati.isEmpty(); ++i) {
            const Posto& p = aPosti[i];
            if (!daVotare(p) || std::find(posti.begin(), posti.end(), int(i)) != posti.end()) continue;
            if (passo == 0 && cTastiRicevuti.At(p.bCodiceAN) != QChar(0)) continue;
            if (elencati.removeOne(TrimSpazi(p.cNomeBreveAN))) posti.push_back(int(i));
        }
    }
    const int codice = iTipoAssemblea == 4 ? 6 : 128;
    // A close run nested in one of the actions (the countdown while a box
    // is up) ends the vote: its seats are left as that close left them.
    const bool aperto = oVoto.RaccoglieTasti();
    const int voto = oVoto.Id();
    for (int i : posti) {
        if (aperto && (!oVoto.RaccoglieTasti() || oVoto.Id() != voto)) return;
        if (!SeggioValido(i)) continue;
        const QString breve = TrimSpazi(aPosti[size_t(i)].cNomeBreveAN);
        const int n = aPosti[size_t(i)].iPulsanteAN;
        if (PostoDellEtichetta(txtAnag(n)) == i) {
            txtAnag_MouseDown(n, 32, codice, 0, 0);
            if (!io || m_scaricata) return;
        }
        // A seat without a label, or one the action could not change, still
        // leaves the list: the close must end.
        if (SeggioValido(i) && PuoVotare(aPosti[size_t(i)])) lstVotanti()->RimuoviTesto(breve);
    }
    lstVotanti()->Clear();
}

// ---------------------------------------------------------------------------
// Guest speakers and the speaker box

void frmCons::OperazioniOspite(int Button, int Shift)
{
    if (m_scaricata) return;
    const int riga = lstParola()->ListIndex();
    if (riga < 0 || Button != 1 || Shift != 2) return;
    QPointer<frmCons> io(this);
    const QString nome = lstParola()->List(riga);

    iModoAttivazione = kAttivazioneFinestra;
    cNomeOspite = nome;
    iTastoScelto = 0;
    {
        CicloAnnidato guardia(*this);
        frmOspiti d(this);
        d.exec();
    }
    if (!io || m_scaricata) return;
    const int scelta = iTastoScelto;
    AttivaForm(kAttivaRecordset);
    if (!io || m_scaricata) return;

    int i = 0;
    for (size_t k = 1; k < aOspiti.size(); ++k) {
        if (aOspiti[k].cNomeAN == nome) {
            i = int(k);
            break;
        }
    }
    auto togliDallaLista = [this, i, riga] {
        if (i >= 1 && i <= cOspitiPresenti.size()) cOspitiPresenti[i - 1] = QChar(0);
        // The entry chosen, if the list was not rebuilt meanwhile.
        if (riga < lstParola()->ListCount()) lstParola()->RemoveItem(riga);
    };
    switch (scelta) {
    case 1: IniziaIntervento(2, 0, nome, i ? TrimSpazi(aOspiti[size_t(i)].cNomeBreveAN) : QString()); break;
    case 2:
        togliDallaLista();
        cmdParola(1)->setEnabled(true);
        break;
    case 3:
        if (i) iScelta = i;
        togliDallaLista();
        MostraInParola(nome);
        break;
    case 4:
        if (i) GestiscePrenotati(i, 9, QString());
        break;
    default: break;
    }
}

void frmCons::ParolaLibera(int Button, int Shift)
{
    if (m_scaricata || Button != 1 || Shift != 2) return;
    const QString testo = TrimSpazi(getParola()->text());
    IniziaIntervento(4, 0, testo, testo);
}

// ---------------------------------------------------------------------------
// Function keys

void frmCons::Form_KeyDown(int& KeyCode, int Shift)
{
    if (m_scaricata) return;
    QPointer<frmCons> io(this);
    const bool ctrl = Shift & 2;
    switch (KeyCode) {
    case 112:
        KeyCode = 0;
        Aiuto();
        break;
    case 116:
        KeyCode = 0;
        if (iTipoAssemblea == 4) {
            iModoAttivazione = kAttivazioneTasti;
            {
                CicloAnnidato guardia(*this);
                frmScambio d(this);
                d.iCodCons = 0;
                d.iModo = 1;
                d.exec();
            }
            if (!io || m_scaricata) return;
            if (SeggioValido(iPostoUscente) && SeggioValido(iPostoEntrante))
                txtAnag_MouseDown(aPosti[size_t(iPostoUscente)].iPulsanteAN, 32, 1024, 0, 0);
        } else {
            SostituisceSegretario();
        }
        break;
    case 117:
        if (!ctrl) break;
        KeyCode = 0;
        if (iModoVoto & kVotoReale) break;
        iModoAttivazione = kAttivazioneFinestra;
        {
            CicloAnnidato guardia(*this);
            if (MostraListaEventi)
                MostraListaEventi();
            else
                frmEvent::MostraModale(this);
        }
        if (!io || m_scaricata) return;
        AttivaForm(kAttivaRecordset);
        break;
    case 119:
        KeyCode = 0;
        if (iModoVoto & kVotoReale) break;
        if (iTipoAssemblea == 4) {
            if (ctrl)
                EliminaAttoDaTasto();
            else
                NuovoAttoDaTasto();
        } else {
            iModoAttivazione = kAttivazioneFinestra;
            {
                CicloAnnidato guardia(*this);
                frmDelib::MostraModale(this);
            }
            if (!io || m_scaricata) return;
            AttivaForm(kAttivaRecordset | kAttivaArgomenti);
        }
        break;
    case 122:
        KeyCode = 0;
        // The handshake would take the central from a running vote.
        if (!Tasti().CtrlPremuto() || (iModoOBX & kCablaggioVotatori) == 0 || VotoInCorso()) break;
        {
            CicloAnnidato guardia(*this);
            // No trace: the last vote's keypad trace has the same name and
            // would be overwritten by this handshake's.
            if (ApreComVotatori(iPortaTLV, true)) {
                TrasmetteVotatori(QStringLiteral("Sf"), 0, QString());
                ChiudeComVotatori(0);
            }
        }
        break;
    case 123:
        KeyCode = 0;
        // Attendance locked, or a vote running: the roll must not change.
        if ((iOpzioniConsole & kConsolePresenzeBloccate) || VotoInCorso()) break;
        for (size_t i = 1; i < aPosti.size(); ++i) {
            const Posto& p = aPosti[i];
            if ((p.iStato & kPresente) || (p.iStato & kAssenteDichiarato) || p.iPulsanteAN == 0) continue;
            CambiaPresenza(int(i), p.iPulsanteAN, false);
            if (!io || m_scaricata) return;
        }
        if (oTabellone) {
            oTabellone->DettaglioTesto(QStringLiteral("E"));
            oTabellone->DettaglioLed(cLedPresenze);
        }
        break;
    default: break;
    }
}

void frmCons::Aiuto()
{
    const QString dieci(10, u' ');
    QStringList r;
    r << QStringLiteral("ENTRATA-USCITA Consiglieri") << dieci + QStringLiteral("- Pulsante SIN")
      << QStringLiteral("PRENDE LA PAROLA") << QStringLiteral("SOSTITUISCE IL PRESIDENTE")
      << QStringLiteral("E' NOMINATO SCRUTATORE") << QStringLiteral("E' REVOCATO DA SCRUTATORE")
      << QStringLiteral("VIENE SOSTITUITO DAL NUOVO CONSIGLIERE") << QStringLiteral("RICEVE UN VOTATORE DI RISERVA")
      << QStringLiteral("SI DICHIARA PRESENTE NON VOTANTE") << dieci + QStringLiteral("- Ctrl + Pulsante SIN")
      << QStringLiteral("SOSTITUISCE IL SEGRETARIO") << dieci + QStringLiteral("- Tasto Funzione F5")
      << QStringLiteral("STAMPA LISTA EVENTI") << dieci + QStringLiteral("- Ctrl + Tasto Funzione F6")
      << QStringLiteral("AGGIUNGE NUOV") +
             (iTipoAssemblea == 4 ? QStringLiteral("I ATTI") : QStringLiteral("E DELIBERE"))
      << dieci + QStringLiteral("- Ctrl + Tasto Funzione F8");
    if (iTipoAssemblea != 4)
        r << QStringLiteral("RITIRO Emendamenti")
          << dieci + QStringLiteral("- Ctrl + Pulsante SIN su descrizione Emendamento");
    UI().MsgBox(r.join(kAcapo), vbInformation, kTitoloOBX);
}

void frmCons::SostituisceSegretario()
{
    QString segretario, vice;
    for (size_t i = 1; i < aOspiti.size(); ++i) {
        if (aOspiti[i].cTipoAN == u"G")
            segretario = aOspiti[i].cNomeAN;
        else if (aOspiti[i].cTipoAN == u"V")
            vice = aOspiti[i].cNomeAN;
    }
    if (TrimSpazi(segretario).isEmpty() || TrimSpazi(vice).isEmpty()) {
        UI().MsgBox(QStringLiteral("Segretario o Vice non impostati"), vbOKOnly, kTitoloOBX);
        return;
    }
    if (UI().MsgBox(QStringLiteral("Confermi sostituzione Segretario") + kAcapo + segretario + kAcapo +
                        QStringLiteral("con") + kAcapo + vice,
                    vbOKCancel + vbQuestion, kTitoloOBX) != vbOK)
        return;
    cSegretari = {segretario, vice};
    SalvaEvento(QStringLiteral("J"), cSegretari[1]);
}

void frmCons::txtOBX_Click()
{
    if (m_scaricata) return;
    if (Tasti().CtrlPremuto())
        frmLED().Mostra();
    else
        frmVideo().Mostra();
    iModoAttivazione = kAttivazioneAnteprima;
}

// The pop-up menu has no action of its own.
void frmCons::mnuPopupSub_Click(int) {}

// F8 and Ctrl+F8 in laws mode: the acts tree's panel and deletion.
void frmCons::NuovoAttoDaTasto() { PreparaNuovoAtto(); }
void frmCons::EliminaAttoDaTasto() { CancellaAttoSelezionato(); }

}  // namespace obx
