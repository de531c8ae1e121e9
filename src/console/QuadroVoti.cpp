#include "console/QuadroVoti.h"

#include "console/ColoriPosti.h"
#include "console/TastiVoto.h"
#include "platform/Testo.h"
#include "shell/Globali.h"

namespace obx {

namespace {

QString Due(int n) { return Formato(n, QStringLiteral("00")); }

void ScriveLed(QString& mappa, int pos, QChar c)
{
    if (pos >= 1 && pos <= int(mappa.size())) mappa[pos - 1] = c;
}

// Present and marked not voting, not declared absent.
bool PresenteNonVotante(const Posto& p)
{
    return (p.iStato & (kPresente | kPresenteNonVotante | kAssenteDichiarato)) == (kPresente | kPresenteNonVotante);
}

}  // namespace

std::optional<ColoreTasto> ColoriTasto(const QString& cTasto)
{
    if (cTasto == u"3") return ColoreTasto{kColoreFavorevole, 2};
    if (cTasto == u"5") return ColoreTasto{kColoreAstenuto, 4};
    if (cTasto == u"6") return ColoreTasto{kColoreContrario, 3};
    return std::nullopt;
}

QuadroVoti ComponeQuadroVoti(int iModo)
{
    const bool xVideo = (iModo & kQuadroTabelloni) != 0;
    const bool xAzzeraNonVotanti = (iModo & kQuadroAzzeraNonVotanti) != 0;
    QuadroVoti q;
    q.posti.resize(aPosti.size());
    for (size_t i = 1; i < aPosti.size(); ++i) q.posti[i].iPulsante = aPosti[i].iPulsanteAN;
    // What the projected board draws of a seat, only when it is drawn.
    auto presenza = [xVideo](DisegnoPosto& d, bool dentro) {
        if (xVideo) d.xPresenza = dentro;
    };
    auto tinta = [xVideo](DisegnoPosto& d, int voce) {
        if (xVideo) d.iTinta = voce;
    };

    switch (iModo & (kQuadroRisultato | kQuadroVuoto)) {
    case kQuadroVuoto: {
        // Blank: every seat out until its key brings it in.
        if (xVideo) q.xTotaliVideo = false;
        for (size_t i = 1; i < aPosti.size(); ++i) {
            aPosti[i].iStato &= ~kPresente;
            q.posti[i].nSfondo = kColoreAssente;
            presenza(q.posti[i], false);
        }
        iPresenti = 0;
        q.cContatori[1] = Due(iPresenti);
        cLedQuadro = QString(48, u'0');
        q.cLedTabellone = cLedQuadro;
        return q;
    }

    case kQuadroRisultato: {
        cLedQuadro = QString(48, u'0');
        if (xVideo) q.xTotaliVideo = true;
        if (cTipoVoto == u"H") {
            // Secret: at most who voted is shown, never how.
            for (size_t i = 1; i < aPosti.size(); ++i) {
                Posto& p = aPosti[i];
                DisegnoPosto& d = q.posti[i];
                if ((iConfigOBX & kOpzMostraVotantiSegreto) &&
                    (p.cVoto == u"3" || p.cVoto == u"5" || p.cVoto == u"6")) {
                    d.nSfondo = kColoreAstenuto;
                    ScriveLed(cLedQuadro, p.iPannelloAN, u'3');
                    tinta(d, 4);
                }
                if (xAzzeraNonVotanti && PresenteNonVotante(p)) p.iStato &= ~kPresenteNonVotante;
            }
        } else {
            for (size_t i = 1; i < aPosti.size(); ++i) {
                Posto& p = aPosti[i];
                DisegnoPosto& d = q.posti[i];
                // A roll call's "+" is shown as a yes.
                const QString k = p.cVoto == u"+" ? QStringLiteral("3") : p.cVoto;
                QChar led = u'0';
                if (const auto c = ColoriTasto(k)) {
                    d.nSfondo = c->nConsole;
                    led = CarattereLed(k).at(0);
                    tinta(d, c->iVoceVideo);
                } else if (PresenteNonVotante(p)) {
                    // Present and not voting: in the chamber, without a key
                    // ("0" since the opening), and shown so.
                    d.nSfondo = kColoreNonVotante;
                    led = iTipoAssemblea == 4 ? u'0' : u'7';
                    presenza(d, true);
                    tinta(d, 14);
                } else if (k == u"0") {
                    d.nSfondo = kColoreNonVotante;
                    presenza(d, false);
                    tinta(d, 15);
                } else if (!InAula(p)) {
                    presenza(d, false);
                    tinta(d, 15);
                }
                if (xAzzeraNonVotanti && PresenteNonVotante(p)) p.iStato &= ~kPresenteNonVotante;
                ScriveLed(cLedQuadro, p.iPannelloAN, led);
            }
        }

        switch (iModo & kQuadroSoloFavorevoli) {
        case 0:
            q.cContatori[3] = Due(iFavorevoli);
            q.cContatori[4] = Due(iAstenuti);
            q.cContatori[5] = Due(iContrari);
            break;
        case kQuadroSoloFavorevoli: q.cContatori[3] = Due(iFavorevoli); break;
        default: break;
        }
        q.cContatori[6] = Due(iPresenti - iFavorevoli - iContrari - iAstenuti);
        int votanti = iFavorevoli + iContrari;
        if (iConfigOBX & kOpzVotantiAstenuti) votanti += iAstenuti;
        q.cContatori[0] = Due(votanti);
        if (xVideo) q.cLedTabellone = cLedQuadro;
        return q;
    }

    case 0: {
        if (xVideo) q.xTotaliVideo = false;
        const bool xRitornoAppello = iTipoAssemblea == 4 && (iModo & kQuadroRitornoAppello) != 0;
        for (size_t i = 1; i < aPosti.size(); ++i) {
            Posto& p = aPosti[i];
            DisegnoPosto& d = q.posti[i];
            if (xAzzeraNonVotanti) p.iStato &= ~kPresenteNonVotante;
            if (p.iStato & kAssenteDichiarato) continue;
            if (!(p.iStato & kPresente) && xRitornoAppello && (p.iStato & kAssenteAppello)) {
                p.iStato &= ~kAssenteAppello;
                p.iStato |= kPresente;
                if (p.iStato & kAventeDiritto) ++iPresenti;
            }
            const bool dentro = (p.iStato & kPresente) != 0;
            d.nSfondo = dentro ? ColoreSeggioPresente(p) : kColoreAssente;
            presenza(d, dentro);
            ScriveLed(cLedPresenze, p.iPannelloAN, dentro ? u'2' : u'0');
        }
        for (int n : {0, 3, 4, 5, 6}) q.cContatori[size_t(n)] = QStringLiteral("00");
        q.cContatori[1] = Due(iPresenti);
        // The threshold of the coming vote, as the recomputation shows it.
        q.cContatori[2] = Due((iFlagQuorum & kQuorumVotoImmEsec) ? iQuorum[4] : iQuorum[3]);
        if (xVideo) {
            q.cLedTabellone = cLedPresenze;
            q.cTestoTabellone = QStringLiteral("2");
        }
        return q;
    }

    default:
        // And 9 = 9 asks for two views at once; nothing is drawn.
        return q;
    }
}

}  // namespace obx
