// The seat layout that an editor works on, without any window: which seat
// stands on which of the 72 seat labels of a panel, where, and who is still
// to be placed.  One model serves the console's panel (label number
// iPulsanteAN and position nTopAN, nLeftAN) and one the projected board's
// (position nTopTvAN, nSinTvAN on the label the console gave the seat).
//
// The model holds its own copy of the seats, read from "ANAGRAFE": an open
// sitting keeps in aPosti the attendance, keys and counters that a new load
// of the registry would wipe out, so the editors never touch aPosti.  Seats
// are addressed by their index in that copy (the index a label carries in
// its tag), never by short name: two seats may share one.
//
// What the boards show and what the editors list follow one rule: a seat
// stands on a panel when its console label number lies within 1..72 (and no
// earlier seat holds that number), and, on the projected board, when its
// position is not 0 or less on both axes.  Every other seat is unplaced.
#pragma once

#include <array>
#include <vector>

#include "shell/Anagrafe.h"
#include "shell/Globali.h"

namespace obx {

class Disposizione {
public:
    enum class Pannello { Console, Tabellone };
    static constexpr int kEtichette = 72;

    explicit Disposizione(Pannello pannello) : m_pannello(pannello) {}
    Pannello Tipo() const { return m_pannello; }

    // Reads the seats from the archive into the model's copy; false, with
    // the model emptied, when the registry is empty or cannot be read (the
    // reader reports it).
    bool Carica();
    // Takes the seats given (element 0 unused) as if just read.
    void Imposta(std::vector<Posto> posti);
    // No seats.
    void Svuota() { Imposta(std::vector<Posto>(1)); }

    const std::vector<Posto>& Posti() const { return m_posti; }
    // Index of the last seat (0 when there is none).
    int Ultimo() const { return int(m_posti.size()) - 1; }
    bool Valido(int i) const { return i >= 1 && i <= Ultimo(); }

    // The seat shown on label k (1..72), 0 when the label is free.
    int PostoDellEtichetta(int k) const;
    // The label seat i stands on in this panel, 0 when it is unplaced.
    int EtichettaDel(int i) const;
    // Unplaced seats, in order of index.
    std::vector<int> Liberi() const;
    // Position of seat i on this panel, twips.
    double Left(int i) const;
    double Top(int i) const;

    // The grid: v snapped down to a multiple of passo (toward the top-left
    // grid line, negative values too); unchanged when passo is 0 or less.
    static double Allinea(double v, int passo);

    // Seat i, standing on a label, moved to (left, top), snapped to the grid
    // of passo.  left and top are given back as stored.  On the projected
    // board a position 0 or less on both axes is no place: the seat is then
    // unplaced again and the result is false.
    bool Posiziona(int i, double& left, double& top, int passo);
    // Seat i off the panel: on the console it loses its label number (its
    // position stays), on the board its position.  False when it was not
    // on the panel.
    bool Rimuove(int i);
    // Unplaced seat i onto the panel, at the position it holds (0, 0 for a
    // seat without one).  On the console it takes the lowest free label; on
    // the board its console label, which it must have.  Returns the label,
    // or 0 when nothing changed: all 72 labels taken, or, on the board, a
    // seat that has no label on the console.
    int Assegna(int i);
    // Every seat unplaced: on the console label numbers and positions go to
    // 0; on the board the positions (the label numbers stay).
    void Azzera();

    // Whether seat i has a label of its own on the console: a number within
    // 1..72 that no earlier seat holds.
    bool EtichettaConsole(int i) const;

    // Seats whose fields of this panel differ from those read.
    std::vector<int> Modificati() const;
    bool Modificata() const { return !Modificati().empty(); }
    // Writes the fields of this panel, and only those, of the changed seats
    // (one transaction); what another window or a substitution wrote in the
    // other fields or in other seats is left as it stands.  Afterwards the
    // model counts as just read.  False when the archive refused (reported).
    bool Salva();

private:
    bool PostoInPannello(const Posto& p, int i) const;
    bool CampiUguali(const Posto& a, const Posto& b) const;
    void Ricostruisce();

    Pannello m_pannello;
    std::vector<Posto> m_posti{1};
    std::vector<Posto> m_letti{1};
    // Label of each seat on this panel (0 unplaced), and seat of each label.
    std::vector<int> m_etichetta{0};
    std::array<int, kEtichette + 1> m_posto{};
};

}  // namespace obx
