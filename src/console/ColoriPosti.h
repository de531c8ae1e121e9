// Background colours of the console's seat labels (colour values with red
// in the low byte), and the look of a present seat by its role and state.
#pragma once

#include <cstdint>

#include "shell/Globali.h"

namespace obx {

inline constexpr int32_t kColoreAssente = 0xC0C0C0;
inline constexpr int32_t kColoreDichiaratoAssente = 0x7BA89B;
inline constexpr int32_t kColorePresidente = 0xFF0000;
inline constexpr int32_t kColoreNonVotante = 0xC0E0E0;  // present, not voting
inline constexpr int32_t kColoreVotante = 0xFFFF00;     // present voting member
inline constexpr int32_t kColoreSenzaVoto = 0xFFFFE0;   // present, no vote of his own
inline constexpr int32_t kColoreFavorevole = 0xFF00;
inline constexpr int32_t kColoreContrario = 0xFF;
inline constexpr int32_t kColoreAstenuto = 0xFFFF;

// The background of a present seat: the chair, then present not voting,
// then voting member, then any other seat.
inline int32_t ColoreSeggioPresente(const Posto& p)
{
    if (p.cTipoAN == u"P") return kColorePresidente;
    if (p.iStato & kPresenteNonVotante) return kColoreNonVotante;
    if (p.iStato & kAventeDiritto) return kColoreVotante;
    return kColoreSenzaVoto;
}

// The background of an absent seat.
inline int32_t ColoreSeggioAssente(const Posto& p)
{
    return (p.iStato & kAssenteDichiarato) ? kColoreDichiaratoAssente : kColoreAssente;
}

}  // namespace obx
