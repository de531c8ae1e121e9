// The vote panel: the console's seat colours and counters, the seats of the
// projected board and the LED map, drawn as attendance, as the result of a
// vote, or blank for the kinds whose attendance is rebuilt from the keys.
#include <QCheckBox>
#include <QLabel>

#include "board/Etichetta.h"
#include "board/frmVideo.h"
#include "console/ColoriPosti.h"
#include "console/frmCons.h"
#include "links/Tabellone.h"
#include "platform/Testo.h"
#include "shell/Globali.h"

namespace obx {

namespace {

QString Due(int n) { return Formato(n, QStringLiteral("00")); }

void ScriveLed(QString& mappa, int pos, QChar c)
{
    if (pos >= 1 && pos <= int(mappa.size())) mappa[pos - 1] = c;
}

}  // namespace

void frmCons::AggiornaQuadroVoti(int iModo)
{
    const bool xVideo = (iModo & kQuadroTabelloni) != 0;
    const bool xAzzeraNonVotanti = (iModo & kQuadroAzzeraNonVotanti) != 0;
    FrmVideo* video = xVideo ? frmVideoCaricato() : nullptr;
    auto sfondo = [this](const Posto& p, int32_t colore) {
        if (Etichetta* e = txtAnag(p.iPulsanteAN)) e->SetBackColor(colore);
    };
    auto presenza = [&video](const Posto& p, bool dentro) {
        if (video) video->Presenza(dentro, p.iPulsanteAN);
    };
    auto tinta = [&video](const Posto& p, int voce) {
        if (!video) return;
        if (Etichetta* e = video->txtAnag(p.iPulsanteAN)) e->SetForeColor(cColoriTabVideo[size_t(voce)]);
    };

    switch (iModo & (kQuadroRisultato | kQuadroVuoto)) {
    case kQuadroVuoto: {
        // Blank: every seat out until its key brings it in.
        if (xVideo) MostraTotaliVideo(false);
        for (size_t i = 1; i < aPosti.size(); ++i) {
            Posto& p = aPosti[i];
            p.iStato &= ~kPresente;
            sfondo(p, kColoreAssente);
            presenza(p, false);
        }
        iPresenti = 0;
        lblVoto(1)->setText(Due(iPresenti));
        cLedQuadro = QString(48, u'0');
        if (oTabellone) oTabellone->DettaglioLed(cLedQuadro);
        return;
    }

    case kQuadroRisultato: {
        cLedQuadro = QString(48, u'0');
        if (xVideo) MostraTotaliVideo(true);
        if (cTipoVoto == u"H") {
            // Secret: at most who voted is shown, never how.
            for (size_t i = 1; i < aPosti.size(); ++i) {
                Posto& p = aPosti[i];
                if ((iConfigOBX & kOpzMostraVotantiSegreto) &&
                    (p.cVoto == u"3" || p.cVoto == u"5" || p.cVoto == u"6")) {
                    sfondo(p, kColoreAstenuto);
                    ScriveLed(cLedQuadro, p.iPannelloAN, u'3');
                    tinta(p, 4);
                }
                if (xAzzeraNonVotanti && (p.iStato & (kPresente | kPresenteNonVotante | kAssenteDichiarato)) ==
                                             (kPresente | kPresenteNonVotante))
                    p.iStato &= ~kPresenteNonVotante;
            }
        } else {
            for (size_t i = 1; i < aPosti.size(); ++i) {
                Posto& p = aPosti[i];
                const QString& k = p.cVoto;
                QChar led = u'0';
                if (k == u"3" || k == u"+") {
                    sfondo(p, kColoreFavorevole);
                    led = u'2';
                    tinta(p, 2);
                } else if (k == u"5") {
                    sfondo(p, kColoreAstenuto);
                    led = u'3';
                    tinta(p, 4);
                } else if (k == u"6") {
                    sfondo(p, kColoreContrario);
                    led = u'1';
                    tinta(p, 3);
                } else if ((p.iStato & (kPresente | kPresenteNonVotante | kAssenteDichiarato)) ==
                           (kPresente | kPresenteNonVotante)) {
                    // Present and not voting: in the chamber, without a key
                    // ("0" since the opening), and shown so.
                    sfondo(p, kColoreNonVotante);
                    led = iTipoAssemblea == 4 ? u'0' : u'7';
                    presenza(p, true);
                    tinta(p, 14);
                } else if (k == u"0") {
                    sfondo(p, kColoreNonVotante);
                    presenza(p, false);
                    tinta(p, 15);
                } else if (!InAula(p)) {
                    presenza(p, false);
                    tinta(p, 15);
                }
                if (xAzzeraNonVotanti && (p.iStato & (kPresente | kPresenteNonVotante | kAssenteDichiarato)) ==
                                             (kPresente | kPresenteNonVotante))
                    p.iStato &= ~kPresenteNonVotante;
                if (p.iPannelloAN >= 1) ScriveLed(cLedQuadro, p.iPannelloAN, led);
            }
        }

        switch (iModo & kQuadroSoloFavorevoli) {
        case 0:
            lblVoto(3)->setText(Due(iFavorevoli));
            lblVoto(4)->setText(Due(iAstenuti));
            lblVoto(5)->setText(Due(iContrari));
            break;
        case kQuadroSoloFavorevoli: lblVoto(3)->setText(Due(iFavorevoli)); break;
        default: break;
        }
        lblVoto(6)->setText(Due(iPresenti - iFavorevoli - iContrari - iAstenuti));
        int votanti = iFavorevoli + iContrari;
        if (iConfigOBX & kOpzVotantiAstenuti) votanti += iAstenuti;
        lblVoto(0)->setText(Due(votanti));
        if (xVideo && oTabellone) oTabellone->DettaglioLed(cLedQuadro);
        return;
    }

    case 0: {
        if (xVideo) MostraTotaliVideo(false);
        const bool xRitornoAppello = iTipoAssemblea == 4 && (iModo & kQuadroRitornoAppello) != 0;
        for (size_t i = 1; i < aPosti.size(); ++i) {
            Posto& p = aPosti[i];
            if (xAzzeraNonVotanti) p.iStato &= ~kPresenteNonVotante;
            if (p.iStato & kAssenteDichiarato) continue;
            if (!(p.iStato & kPresente) && xRitornoAppello && (p.iStato & kAssenteAppello)) {
                p.iStato &= ~kAssenteAppello;
                p.iStato |= kPresente;
                if (p.iStato & kAventeDiritto) ++iPresenti;
            }
            const bool dentro = (p.iStato & kPresente) != 0;
            sfondo(p, dentro ? ColoreSeggioPresente(p) : kColoreAssente);
            presenza(p, dentro);
            ScriveLed(cLedPresenze, p.iPannelloAN, dentro ? u'2' : u'0');
        }
        for (int n : {0, 3, 4, 5, 6}) lblVoto(n)->setText(QStringLiteral("00"));
        lblVoto(1)->setText(Due(iPresenti));
        // The threshold of the coming vote, as the recomputation shows it.
        lblVoto(2)->setText(Due((iFlagQuorum & kQuorumVotoImmEsec) ? iQuorum[4] : iQuorum[3]));
        if (xVideo && oTabellone) {
            oTabellone->DettaglioLed(cLedPresenze);
            oTabellone->DettaglioTesto(QStringLiteral("2"));
        }
        return;
    }

    default:
        // And 9 = 9 asks for two views at once; nothing is drawn.
        return;
    }
}

}  // namespace obx
