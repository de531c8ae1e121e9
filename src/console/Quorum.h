// Majority thresholds of the sitting console.  Every vote is decided by
// comparing the yes count with one number: iQuorum(3) for an ordinary vote,
// iQuorum(4) for the vote on immediate executability.  These routines keep
// the quorum kind in iFlagQuorum (value 32 x code), install the fixed
// majorities of an item and compute the thresholds from attendance or from
// the last tally.  They touch no control: the console passes what its
// combos and check box hold and shows the caption returned.
#pragma once

#include <QString>
#include <QStringList>

#include "shell/Globali.h"

namespace obx {

// The flags of iFlagQuorum (kQuorum*) are beside it in shell/Globali.h.

// Quorum kind codes.
inline constexpr int kQuorumAutomatico = 0;  // per item
inline constexpr int kQuorumNessuno = 1;
inline constexpr int kQuorumMetaConsiglio = 2;  // half the assigned members plus one
inline constexpr int kQuorumDueTerziConsiglio = 3;
inline constexpr int kQuorumDueTerziVotanti = 4;

// Entries of the quorum-kind combo for an assembly kind (1, 2: "Automatico"
// only; 4: "Nessuno", "1/2+1 Consiglio", "2/3 Consiglio", "2/3 Votanti").
QStringList VociTipoQuorum(int tipoAssemblea);

// Code of the combo's selection: list index below 1 gives 1 when the entry
// at index 0 is "Nessuno", else 0; list index 1..3 gives index + 1.
int CodiceTipoQuorum(int iListIndex, const QString& cVoceZero);

// Stores a code (0..4) in bits 32..128 of iFlagQuorum; the code read back.
void ImpostaTipoQuorum(int iCodice);
int TipoQuorumCorrente();

// Half plus one of n (integer part of n/2, plus 1) and two thirds of n
// (the smallest whole number not below 2n/3).
int MetaPiuUno(int n);
int DueTerzi(int n);

// Computes iQuorum(1..4) with flags 1 and 8 of iFlagQuorum.  iValore >= 0
// is the item's iQuorumDE (bits 0-6 the fixed majority, 7-13 the fixed
// majority for immediate executability, 0 computed) and installs it; a
// negative value keeps the one installed.  xVoto: the counts of a finished
// tally (iFavorevoli, iContrari, iAstenuti) are known.  iTipoQuorum: the
// quorum kind code (TipoQuorumCorrente() for the console's selection).
void CalcolaSoglie(int iValore, bool xVoto, int iTipoQuorum);

// Sets flag 16 of iFlagQuorum from the immediate-executability box and
// returns the caption of the threshold that applies, formatted "00".
QString SogliaDaMostrare(bool xImmEsec);

// CalcolaSoglie with the kind held in iFlagQuorum, then SogliaDaMostrare:
// the whole recomputation the console runs, returning the label's caption.
QString RicalcolaQuorum(int iValore, bool xVoto, bool xImmEsec);

// The yes count a vote needs at its close, from the shown threshold t: in
// the regional assembly, when t is 0 or the kind is per item or "Nessuno",
// a simple majority of the cast votes (iContrari + 1).
int SogliaApprovazione(int iSoglia, int iTipoQuorum);

// Vote-kind letter for a name of the vote-kind combo (looked up in
// cNomiVoti, letter i+1 of cLettereVoti); cAttuale when nothing matches.
QString LetteraTipoVoto(const QString& cNome, const QString& cAttuale);

}  // namespace obx
