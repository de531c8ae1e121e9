#include "console/Presenza.h"

#include <utility>

#include "console/ColoriPosti.h"
#include "shell/Globali.h"

namespace obx {

namespace {

// Roles whose holders leave an exit mark when they go out.
QString RuoliConSegnoUscita() { return iTipoAssemblea == 4 ? QStringLiteral("PG") : QStringLiteral("PS"); }

bool PosizioneLed(int pos) { return pos >= 1 && pos <= int(cLedPresenze.size()); }

EtichettaSpostata Spostata(const Posto& s) { return {s.iPulsanteAN, s.nTopAN, s.nLeftAN, s.nTopTvAN, s.nSinTvAN}; }

}  // namespace

CambioPresenza CalcolaCambioPresenza(int iP)
{
    CambioPresenza c;
    if (!SeggioValido(iP)) return c;
    Posto& p = aPosti[size_t(iP)];

    switch (p.iStato & (kPresente | kAssenteDichiarato)) {
    case 0: {
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
                c.spostate = {Spostata(q), Spostata(p)};
            }
        }
        c.nSfondo = ColoreSeggioPresente(p);
        c.xDentro = true;
        c.cEvento = QStringLiteral("E");
        break;
    }
    case kPresente:
    case kPresente | kAssenteDichiarato:
        p.iStato &= ~(kPresente | kUscitaPresidenza);
        if (!p.cTipoAN.isEmpty() && RuoliConSegnoUscita().contains(p.cTipoAN)) p.iStato |= kUscitaPresidenza;
        if (p.iStato & kAventeDiritto) --iPresenti;
        c.nSfondo = ColoreSeggioAssente(p);
        c.xDentro = false;
        c.cEvento = QStringLiteral("U");
        break;
    default:
        // Declared absent and not in the chamber: a click or a card
        // changes nothing.
        return c;
    }

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

    if ((iModoVoto & (kVotoReale | kVotoProva)) == kVotoReale) {
        c.cTestoTabellone = c.cEvento.toLower();
        if (unico) c.cLedTabellone = cLedQuadro;
    } else {
        c.cTestoTabellone = c.cEvento;
        c.cLedTabellone = cLedPresenze;
    }
    return c;
}

}  // namespace obx
