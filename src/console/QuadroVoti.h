// The vote panel: the console's seat colours and counters, the seats of the
// projected board and the LED map, as attendance, as the result of a vote,
// or blank for the kinds whose attendance is rebuilt from the keys.  The
// functions here work on the program-wide state only (the seats' iStato,
// iPresenti, cLedQuadro, cLedPresenze); what the console and the boards
// must show is handed back to the console, which draws it
// (frmCons::AggiornaQuadroVoti, frmCons::MostraTasti).
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace obx {

// Mode word of ComponeQuadroVoti and frmCons::AggiornaQuadroVoti:
// kQuadroRisultato and kQuadroVuoto both clear is the attendance view.
inline constexpr int kQuadroRisultato = 1;          // the result view
inline constexpr int kQuadroTabelloni = 2;          // the projected board and the LED board too
inline constexpr int kQuadroAzzeraNonVotanti = 4;   // clears "present not voting"
inline constexpr int kQuadroVuoto = 8;              // the blank view
inline constexpr int kQuadroSoloFavorevoli = 0x30;  // result view: the yes counter only (0: all three)
inline constexpr int kQuadroRitornoAppello = 64;    // regional: absent at the last roll call come back

// How a key of a vote is shown: the console label's background and the
// entry of cColoriTabVideo for the text of the seat on the projected board.
struct ColoreTasto {
    int32_t nConsole = 0;
    int iVoceVideo = 0;
};
// Yes ("3") green and entry 2, abstain ("5") yellow and entry 4, no ("6")
// red and entry 3; none for any other key.
std::optional<ColoreTasto> ColoriTasto(const QString& cTasto);

// What the panel draws of one seat; what is left empty is not drawn.
struct DisegnoPosto {
    int iPulsante = 0;               // the seat's label, on the console and on the projected board
    std::optional<int32_t> nSfondo;  // the console label's background
    std::optional<bool> xPresenza;   // the projected board draws the seat in (true) or out
    std::optional<int> iTinta;       // the projected board's text colour, entry of cColoriTabVideo
};

// What the panel draws, in this order: the totals on the projected board,
// the seats, the counters, then the display board's LED map and text.
struct QuadroVoti {
    std::optional<bool> xTotaliVideo;  // MostraTotaliVideo(value); none: not touched
    // One entry per index of aPosti (0 unused).  Presence and text colour
    // on the projected board only with kQuadroTabelloni.
    std::vector<DisegnoPosto> posti;
    // The new texts of lblVoto(0..6); none: left as it is.
    std::array<std::optional<QString>, 7> cContatori;
    std::optional<QString> cLedTabellone;
    std::optional<QString> cTestoTabellone;
};

// The panel by the mode word iModo, And 9: 0 attendance view (with
// kQuadroRitornoAppello in the regional assembly the seats absent at the
// last roll call come back present), 1 result view (secret: at most who
// voted, with kOpzMostraVotantiSegreto; kQuadroSoloFavorevoli picks the
// counters), 8 blank view (every seat out, iPresenti 0); 9 asks for two
// views at once and draws nothing.  kQuadroAzzeraNonVotanti clears
// "present not voting".  The seats' iStato, iPresenti and the LED maps
// change here; the rest is returned.
QuadroVoti ComponeQuadroVoti(int iModo);

}  // namespace obx
