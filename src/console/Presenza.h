// The attendance change of one seat, the one every entry and exit goes
// through (operator, card, key, roll call): the seat's state, the count of
// those present, the exchange of places with the seat whose unit the member
// holds and the LED maps are kept here on the program-wide state; what the
// console and the boards must show is handed back to the console, which
// draws it (frmCons::CambiaPresenza).
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace obx {

// A seat label that moves with an exchange of places: the seat's label
// (iPulsanteAN, the same number on the console and on the projected board)
// and its new positions.
struct EtichettaSpostata {
    int iPulsante = 0;
    float nTop = 0, nLeft = 0;     // on the console
    float nTopTv = 0, nSinTv = 0;  // on the projected board
};

// What an attendance change asks of the console and of the boards.
struct CambioPresenza {
    QString cEvento;      // "E" entered, "U" left, "" nothing changed (and nothing else below)
    int32_t nSfondo = 0;  // the seat label's new background
    // The labels that change place, the owner of the unit first, then the
    // one entering; none without an exchange.
    std::vector<EtichettaSpostata> spostate;
    bool xDentro = false;  // the projected board draws the seat in the chamber
    // For the display board, when it is to be told: the text, then the LED
    // map when there is one to send.
    QString cTestoTabellone;
    std::optional<QString> cLedTabellone;
};

// Toggles the attendance of seat iP: an absent seat enters, a present one
// (declared absent or not) leaves; a seat declared absent and out, or an
// index outside aPosti, changes nothing.  Keeps iStato (with the exit mark
// of the presiding roles), iPresenti for voting members, the exchange of
// places of one entering with a unit not his own whose owner is out
// (iVotatoreAN and the four positions swapped), and the LED map: while one
// voter at a time is called (kVotoUnico) the vote panel's map lights one
// entering and leaves one going out as it is, otherwise the attendance map
// follows.  During a real vote (not a test) the board's letter is lower
// case and only the vote panel's map of a vote by call goes with it;
// otherwise the letter as it is and the attendance map.
CambioPresenza CalcolaCambioPresenza(int iP);

}  // namespace obx
