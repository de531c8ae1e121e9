// Attendance and quorum: the one routine every attendance change goes
// through (operator, card, key, roll call), the entry and exit of a seat
// with the correction of a running vote, the thresholds of the quorum
// kinds with the handlers of the quorum and vote-kind combos and of the
// "Im. Es." box, the console's vote and attendance views and the vote
// totals on the projected board.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>

#include "board/Etichetta.h"
#include "board/frmVideo.h"
#include "console/ColoriPosti.h"
#include "console/Quorum.h"
#include "console/frmCons.h"
#include "links/Tabellone.h"
#include "platform/Elenchi.h"
#include "platform/Testo.h"
#include "shell/Globali.h"

namespace obx {

namespace {

bool SeggioValido(int iP) { return iP >= 1 && iP < int(aPosti.size()); }

// Roles whose holders leave an exit mark when they go out.
QString RuoliConSegnoUscita() { return iTipoAssemblea == 4 ? QStringLiteral("PG") : QStringLiteral("PS"); }

bool PosizioneLed(int pos) { return pos >= 1 && pos <= int(cLedPresenze.size()); }

}  // namespace

QString frmCons::CambiaPresenza(int iP, int iLabel, bool xTabellone)
{
    if (!SeggioValido(iP)) return QString();
    QString cEvento;
    FrmVideo* video = frmVideoCaricato();

    switch (aPosti[size_t(iP)].iStato & (kPresente | kAssenteDichiarato)) {
    case 0: {
        Posto& p = aPosti[size_t(iP)];
        p.iStato |= kPresente;
        if (p.iStato & kAventeDiritto) ++iPresenti;

        // The member holds a unit that belongs to another seat: when that
        // seat's owner is out, the two change places, so that the label of
        // the one entering stands where his unit is.
        if (p.iVotatoreUso != p.iVotatoreAN && (p.iStato & (kPresente | kUscitaPresidenza)) == kPresente) {
            size_t j = 1;
            while (j < aPosti.size() && aPosti[j].iVotatoreAN != p.iVotatoreUso) ++j;
            if (j < aPosti.size() && int(j) != iP && (aPosti[j].iStato & (kPresente | kAssenteDichiarato)) == 0) {
                Posto& q = aPosti[j];
                q.iVotatoreAN = p.iVotatoreAN;
                p.iVotatoreAN = p.iVotatoreUso;
                std::swap(p.nTopAN, q.nTopAN);
                std::swap(p.nLeftAN, q.nLeftAN);
                std::swap(p.nTopTvAN, q.nTopTvAN);
                std::swap(p.nSinTvAN, q.nSinTvAN);
                for (const Posto* s : {&q, &p})
                    if (Etichetta* e = txtAnag(s->iPulsanteAN)) {
                        e->SetTop(s->nTopAN);
                        e->SetLeft(s->nLeftAN);
                    }
                if (video)
                    for (const Posto* s : {&q, &p})
                        if (Etichetta* e = video->txtAnag(s->iPulsanteAN)) {
                            e->SetTop(s->nTopTvAN);
                            e->SetLeft(s->nSinTvAN);
                        }
            }
        }
        if (Etichetta* e = txtAnag(iLabel)) e->SetBackColor(ColoreSeggioPresente(p));
        if (video) video->Presenza(true, iLabel);
        cEvento = QStringLiteral("E");
        break;
    }
    case kPresente:
    case kPresente | kAssenteDichiarato: {
        Posto& p = aPosti[size_t(iP)];
        p.iStato &= ~(kPresente | kUscitaPresidenza);
        if (!p.cTipoAN.isEmpty() && RuoliConSegnoUscita().contains(p.cTipoAN)) p.iStato |= kUscitaPresidenza;
        if (p.iStato & kAventeDiritto) --iPresenti;
        if (Etichetta* e = txtAnag(iLabel)) e->SetBackColor(ColoreSeggioAssente(p));
        if (video) video->Presenza(false, iLabel);
        cEvento = QStringLiteral("U");
        break;
    }
    default:
        // Declared absent and not in the chamber: a click or a card
        // changes nothing.
        return QString();
    }

    if (Etichetta* e = txtAnag(iLabel)) e->update();
    lblVoto(1)->setText(Formato(iPresenti, QStringLiteral("00")));
    CalcolaQuorum(-1, false);

    const Posto& p = aPosti[size_t(iP)];
    const bool dentro = InAula(p);
    const int led = p.iPannelloAN;
    const bool unico = (iModoVoto & kVotoUnico) != 0;
    if (PosizioneLed(led)) {
        // While one voter at a time is called the board shows the vote
        // panel's map: a member entering lights up there, one leaving is
        // left as the panel has him.
        if (unico) {
            if (dentro && led <= int(cLedQuadro.size())) cLedQuadro[led - 1] = u'2';
        } else {
            cLedPresenze[led - 1] = dentro ? u'2' : u'0';
        }
    }

    if (xTabellone && oTabellone) {
        if ((iModoVoto & (kVotoReale | kVotoProva)) == kVotoReale) {
            oTabellone->DettaglioTesto(cEvento.toLower());
            if (unico) oTabellone->DettaglioLed(cLedQuadro);
        } else {
            oTabellone->DettaglioTesto(cEvento);
            oTabellone->DettaglioLed(cLedPresenze);
        }
    }
    return cEvento;
}

void frmCons::CorreggeVoto(int iP)
{
    if (!SeggioValido(iP) || !VotoRealeAperto()) return;
    Posto& p = aPosti[size_t(iP)];
    const int c = p.bCodiceAN;
    const QString breve = TrimSpazi(p.cNomeBreveAN);
    switch (p.iStato & (kPresente | kPresenteNonVotante | kAssenteDichiarato)) {
    case 0:
        cTastiRicevuti.Set(c, QChar(c));
        if (p.cVoto == u"0")
            lstVotanti()->AddItem(breve);
        else if (p.cVoto == u"*")
            lstAssenti()->RimuoviTesto(breve);
        break;
    case kPresente:
    case kPresente | kPresenteNonVotante:
    case kPresente | kAssenteDichiarato:
    case kPresente | kPresenteNonVotante | kAssenteDichiarato:
        cTastiRicevuti.Set(c, QChar(0));
        cVoti.Set(c, u'0');
        p.cVoto = QStringLiteral("0");
        lstVotanti()->RimuoviTesto(breve);
        break;
    default: break;
    }
}

QString frmCons::EntraEsce(int iP)
{
    if (!SeggioValido(iP)) return QString();
    const bool votoAperto = VotoRealeAperto();
    if (votoAperto &&
        (aPosti[size_t(iP)].iStato & (kPresenteNonVotante | kAventeDiritto | kAssenteDichiarato)) == kAventeDiritto)
        CorreggeVoto(iP);
    QString cEvento = CambiaPresenza(iP, aPosti[size_t(iP)].iPulsanteAN, true);
    if (cEvento.isEmpty()) return cEvento;
    if (votoAperto) cEvento = cEvento.toLower();
    SalvaEvento(cEvento, aPosti[size_t(iP)].cNomeAN);
    return cEvento;
}

// ---------------------------------------------------------------------------
// Thresholds and the combos that drive them.

void frmCons::CalcolaQuorum(int iQuorumDE, bool xVoto)
{
    lblVoto(2)->setText(RicalcolaQuorum(iQuorumDE, xVoto, chkImmEsec()->isChecked()));
}

void frmCons::cmbTipoQuorum_Click()
{
    const ElencoCombo* c = cmbTipoQuorum();
    const int codice = CodiceTipoQuorum(c->ListIndex(), c->ListCount() > 0 ? c->List(0) : QString());
    ImpostaTipoQuorum(codice);
    if (codice != kQuorumAutomatico) CalcolaQuorum(-1, false);
}

void frmCons::cmbTipoVoto_Click()
{
    const ElencoCombo* c = cmbTipoVoto();
    if (c->ListIndex() >= 0) {
        cTipoVoto = LetteraTipoVoto(c->Text(), cTipoVoto);
        // A check of the legal number needs half the assigned members plus one.
        if (cTipoVoto == u"V" || cTipoVoto == u"W") cmbTipoQuorum()->SetListIndex(1);
    } else {
        cTipoVoto = QStringLiteral("-");
    }
    for (size_t i = 1; i <= 3; ++i) iRichiedenti[i] = 0;
}

void frmCons::chkImmEsec_Click()
{
    CalcolaQuorum(-1, false);
    if (oTabellone) oTabellone->DettaglioTesto(chkImmEsec()->isChecked() ? QStringLiteral("W") : QStringLiteral("w"));
}

// ---------------------------------------------------------------------------
// Vote view, attendance view and the vote totals on the projected board.

void frmCons::MostraVotanti(int iVista)
{
    const bool presenze = (iVista & 1) == 1;
    boxConsiglio(1)->setVisible(presenze);
    boxConsiglio(4)->setVisible(!presenze);
    boxConsiglio(5)->setVisible(!presenze);
    if (iPrenotazioni != 0) boxConsiglio(6)->setVisible(presenze);
    lstVotanti()->Clear();
    lstAssenti()->Clear();
    if (iVista != 0) return;
    for (size_t i = 1; i < aPosti.size(); ++i)
        if (PuoVotare(aPosti[i])) lstVotanti()->AddItem(TrimSpazi(aPosti[i].cNomeBreveAN));
}

void frmCons::MostraTotaliVideo(bool xTotali)
{
    if (!xEsitoVideo) return;
    FrmVideo* video = frmVideoCaricato();
    if (!video) return;
    if (video->boxPosti()) video->boxPosti()->setVisible(!xTotali);
    if (video->imgStemma()) video->imgStemma()->setVisible(!xTotali);
    for (int n = 0; n <= 13; ++n)
        if (Etichetta* t = video->txtTitolo(n)) t->SetVisible(!xTotali);
    if (xTotali) {
        const int valori[4] = {iPresenti, iFavorevoli, iContrari, iAstenuti};
        for (int n = 5; n <= 8; ++n)
            if (Etichetta* d = video->txtDormisco(n)) d->SetCaption(Formato(valori[n - 5], QStringLiteral("0 0")));
    }
    for (int n = 0; n < FrmVideo::kRisultati; ++n)
        if (Etichetta* d = video->txtDormisco(n)) {
            d->SetVisible(xTotali);
            if (xTotali) d->raise();
        }
}

}  // namespace obx
