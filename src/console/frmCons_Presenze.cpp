// Attendance and quorum: the drawing of the one change every entry and
// exit goes through (operator, card, key, roll call; its rules are in
// Presenza.cpp), the entry and exit of a seat with the correction of a
// running vote, the thresholds of the quorum kinds with the handlers of the
// quorum and vote-kind combos and of the "Im. Es." box, the console's vote
// and attendance views and the vote totals on the projected board.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>

#include "board/Etichetta.h"
#include "board/frmVideo.h"
#include "console/Presenza.h"
#include "console/Quorum.h"
#include "console/frmCons.h"
#include "links/Tabellone.h"
#include "platform/Elenchi.h"
#include "platform/Testo.h"
#include "shell/Globali.h"

namespace obx {

QString frmCons::CambiaPresenza(int iP, int iLabel, bool xTabellone)
{
    const CambioPresenza c = CalcolaCambioPresenza(iP);
    if (c.cEvento.isEmpty()) return QString();
    FrmVideo* video = frmVideoCaricato();

    for (const EtichettaSpostata& s : c.spostate)
        if (Etichetta* e = txtAnag(s.iPulsante)) {
            e->SetTop(s.nTop);
            e->SetLeft(s.nLeft);
        }
    if (video)
        for (const EtichettaSpostata& s : c.spostate)
            if (Etichetta* e = video->txtAnag(s.iPulsante)) {
                e->SetTop(s.nTopTv);
                e->SetLeft(s.nSinTv);
            }
    if (Etichetta* e = txtAnag(iLabel)) e->SetBackColor(c.nSfondo);
    if (video) video->Presenza(c.xDentro, iLabel);

    if (Etichetta* e = txtAnag(iLabel)) e->update();
    lblVoto(1)->setText(Formato(iPresenti, QStringLiteral("00")));
    CalcolaQuorum(-1, false);

    if (xTabellone && oTabellone) {
        oTabellone->DettaglioTesto(c.cTestoTabellone);
        if (c.cLedTabellone) oTabellone->DettaglioLed(*c.cLedTabellone);
    }
    return c.cEvento;
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
