// Program-wide state of O.B.X.: the shared types, the seat registry in
// memory, the settings of the configuration file, the vocabularies that
// depend on the assembly kind, the paths and the state of the sitting and of
// the vote that every window reads.  Everything runs on the one
// user-interface thread, so these are plain variables.
//
// Each group below names the code that writes it; the rest of the program
// only reads it.
//
// Whether a vote is open is decided by oVoto (shell/VotoInCorso.h), not by
// iModoVoto: oVoto.RaccoglieTasti() holds while keys are taken, and
// VotoInCorso() while a vote is being armed, runs or is being closed.
// iModoVoto says how the vote runs (kVoto*, below); it
// is cleared when the central ends its data and first thing at a close,
// while the vote may still wait to be stored.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

#include "platform/Percorsi.h"

namespace obx {

// ---------------------------------------------------------------------------
// Shared types

// One seated member (councillor or official with a seat).
struct Posto {
    QString cNomeBreveAN;              // 16
    QString cNomeAN;                   // 30
    QString cTipoAN;                   // role letter (may change during a sitting)
    QString cTipoOrigine;              // role letter as loaded
    QString cIrideIdAN;                // 6, external identifier
    int iVotatoreAN = 0;               // own voting unit (0 none)
    int iSmartCardAN = 0;              // card number
    int iVotatoreUso = 0;              // unit in use (own or reserve)
    int iPulsanteAN = 0;               // console seat label 1..72
    int iPannelloAN = 0;               // LED position 1..48
    int bCodiceAN = 0;                 // person code 1..120: position in the per-seat strings
    QString cPartitoAN;                // 20
    int iPartito = 0;                  // index in aPartiti (0 none)
    float nTopAN = 0, nLeftAN = 0;     // console position (twips)
    float nTopTvAN = 0, nSinTvAN = 0;  // projected board position (twips)
    int iStato = 0;                    // bits kPresente ... kAssenteAppello, below
    QString cVoto = " ";               // key of the current vote
    int iInterventi = 0;               // speeches on the current item
    int iConteggio = 0;                // work counter of the statistics
};

// Bits of Posto::iStato.
inline constexpr int kPresente = 1;
inline constexpr int kScrutatore = 2;          // teller
inline constexpr int kPresenteNonVotante = 4;  // present, not voting
inline constexpr int kAventeDiritto = 8;       // voting member
inline constexpr int kAssenteDichiarato = 16;
inline constexpr int kUscitaPresidenza = 32;  // exit mark of presiding roles
inline constexpr int kAssenteAppello = 64;    // absent at the last roll call

// In the chamber: present and not declared absent.
inline bool InAula(const Posto& p) { return (p.iStato & (kPresente | kAssenteDichiarato)) == kPresente; }
// A voting member not declared absent, in the chamber or not (a roll call,
// a quorum check or a vote by call may bring him in).
inline bool AventeDirittoNonAssente(const Posto& p)
{
    return (p.iStato & (kAventeDiritto | kAssenteDichiarato)) == kAventeDiritto;
}
// Expected to key an open vote: a voting member in the chamber, not marked
// present not voting.
inline bool PuoVotare(const Posto& p)
{
    return (p.iStato & (kPresente | kPresenteNonVotante | kAventeDiritto | kAssenteDichiarato)) ==
           (kPresente | kAventeDiritto);
}

// A person without a seat.
struct Ospite {
    QString cNomeAN;       // 30
    QString cNomeBreveAN;  // 16
    QString cTipoAN;       // 1
    int bCodiceAN = 0;
};

// A party or group with its remaining speaking time on the current item.
struct Partito {
    QString cPartito;           // key: upper-cased, left-trimmed, 20 wide
    int32_t lTempoResiduo = 0;  // seconds
};

// One booked speaker, in booking order.
struct Prenotato {
    int iChi = 0;        // index in aPosti (seat) or aOspiti (guest)
    int iPosizione = 0;  // 1-based position in lstPrenotati while waiting, else 0
    int iOspite = 0;     // -1 guest entry, 0 seat entry
    int iOrdine = 0;     // number of requests made
    int xInAttesa = 0;   // -1 waiting, 0 given the floor or removed
    float nOra = 0;      // seconds since midnight of the last booking
};

// One monitor, in pixels; hMonitor 0 means absent.
struct DatiMonitor {
    int64_t hMonitor = 0;
    int32_t nTop = 0, nSin = 0, nAlt = 0, nLar = 0;
};

// A string of 120 characters in which character i belongs to the person
// whose code is i.  Codes outside 1..120 are ignored on writing and read as
// the filler: a stray code must never shift or grow the string.
class StringaPosti {
public:
    static constexpr int kLunghezza = 120;
    explicit StringaPosti(QChar riempi = QChar(u'0')) { Azzera(riempi); }

    void Azzera(QChar riempi)
    {
        m_s = QString(kLunghezza, riempi);
        m_riempi = riempi;
    }
    QChar At(int codice) const { return Valido(codice) ? m_s.at(codice - 1) : m_riempi; }
    void Set(int codice, QChar c)
    {
        if (Valido(codice)) m_s[codice - 1] = c;
    }
    static bool Valido(int codice) { return codice >= 1 && codice <= kLunghezza; }
    const QString& Testo() const { return m_s; }
    // Takes a stored string, padded or cut to 120 with the filler.
    void Imposta(const QString& s)
    {
        m_s = s.left(kLunghezza);
        if (m_s.size() < kLunghezza) m_s += QString(kLunghezza - m_s.size(), m_riempi);
    }
    int Conta(QChar c) const { return int(m_s.count(c)); }

private:
    QString m_s;
    QChar m_riempi{u'0'};
};

// ---------------------------------------------------------------------------
// Seat registry in memory (index 0 exists and is unused).  Loaded from the
// archive by GestisceAnagrafe (shell/Anagrafe.cpp) when the console opens;
// during the sitting the console changes a seat's iStato, cTipoAN,
// iVotatoreUso and iInterventi, the vote its cVoto, and the speaking turns
// aPartiti and aPrenotati.
inline std::vector<Posto> aPosti(1);
inline std::vector<Ospite> aOspiti(1);
inline std::vector<Partito> aPartiti(1);
inline std::vector<Prenotato> aPrenotati(1);
// iP is the index of a seat of aPosti (1 and up; 0 is unused).
inline bool SeggioValido(int iP) { return iP >= 1 && size_t(iP) < aPosti.size(); }

// Table names, 1..5 (0 unused).
inline const std::array<QString, 6> cTabelle = {QString(),
                                                QStringLiteral("ANAGRAFE"),
                                                QStringLiteral("DELIBERE"),
                                                QStringLiteral("EVENTI"),
                                                QStringLiteral("VOTI"),
                                                QStringLiteral("LEGGI")};
// Table shown by the data grid; set by the window that opens it.
inline QString cTabellaGriglia;

// ---------------------------------------------------------------------------
// Paths (folder with its trailing separator), set at start-up when the
// archive is chosen (shell/Avvio.cpp).  cCartella, the archive's folder, is
// in platform/Percorsi.h.
inline QString cNomeArchivio;
inline QString cPathArchivio;
inline QString cFileConfig;
inline QString cFileLog;
// Folder of the program (sound files, "ListaPro.txt").
inline QString cCartellaProgramma;

// ---------------------------------------------------------------------------
// Settings: owned by the configuration.  Read from the configuration file
// and written back by GestisceConfig (shell/Configurazione.cpp), whose
// ImpostaConfigurazionePredefinita() sets the defaults; edited by the
// configuration windows (shell/frmConfig.cpp, shell/frmParam.cpp,
// board/frmDisplay.cpp for iConfigOBX).  The console also keeps run-time
// bits in three of them (kPrenotazioniSospese, kConsolePresenzeBloccate,
// kCablaggioRuntime), never written to the file.
inline int iTipoAssemblea = 1;     // 1 municipal, 2 provincial, 4 regional
inline int iProtocolloTLV = 4010;  // 4010 or 7777
inline int iPrenotazioni = 0;      // requests to speak, kPrenotazioni* below
inline int iOpzioniConsole = 0;    // console options, kConsole* below
// Bits of iPrenotazioni.  Any value but 0 also enables the booking options.
inline constexpr int kPrenotazioniPannello = 1;    // the booked-speakers panel is shown
inline constexpr int kPrenotazioniDaVotatori = 2;  // requests come from the voting units
inline constexpr int kPrenotazioniSospese = 64;    // run-time: the units port failed, no poll until reloaded
// Bits of iOpzioniConsole.
inline constexpr int kConsoleATempo = 1;              // timed speaking turns and vote countdown
inline constexpr int kConsolePresenzeBloccabili = 2;  // attendance locked while a sitting runs
inline constexpr int kConsolePresenzeBloccate = 4;    // run-time: a sitting runs under that lock
inline bool xEsitoVideo = false;
inline bool xIdEsterno = false;
inline bool xColoriVoto = false;
inline bool xLampo = false;
inline bool xVerbaleEsteso = false;
inline bool xPassword = false;
inline QString cConsiglio;
inline int iVotanti = 0;
inline QString cTLVLista;
inline QString cTLVRiserva;
inline int iPrimoTLV = 0, iUltimoTLV = 0;
inline int iRiservaProssima = 0, iRiservaUltima = 0;
inline int iPortaTLV = 0;
inline int iPortaRAD = 0;
inline int iPortaTAB = 0;
inline int iModoOBX = 0;  // wiring, kCablaggio* below
inline int iTipoTAB = 0;
inline int iRiservato = 0;
inline int iConfigOBX = 0;  // options, kOpz* below
// Bits of iModoOBX.
inline constexpr int kCablaggioTessere = 2;        // the card reader (radio microphones) is wired
inline constexpr int kCablaggioVotatori = 4;       // the voting units are wired
inline constexpr int kCablaggioTabellone = 8;      // the LED display board is wired
inline constexpr int kCablaggioFileVoti = 0x80;    // run-time: the votes are read from the test file
inline constexpr int kCablaggioParallela = 0x200;  // the board is on the parallel port
// Run-time bits of iModoOBX, cleared when the console loads.
inline constexpr int kCablaggioRuntime = 0x8080;
// Bits of iConfigOBX.
inline constexpr int kOpzAutoPresenza = 1;             // "Auto Presenza"
inline constexpr int kOpzVerificaRisposta = 2;         // wait for the central's acknowledgement
inline constexpr int kOpzStampaAutomatica = 4;         // print the vote minutes at each close
inline constexpr int kOpzBaseSenzaNonVotanti = 8;      // a computed majority leaves out present non-voters
inline constexpr int kOpzQuorumAstenuti = 16;          // abstentions count in two thirds of voters
inline constexpr int kOpzVotantiAstenuti = 32;         // the total of voters includes abstentions
inline constexpr int kOpzMostraVotantiSegreto = 64;    // show who voted in a secret vote
inline constexpr int kOpzNascondeTitoli = 0x80;        // the projected board's two chair titles hidden
inline constexpr int kOpzNascondeNVotanti = 0x100;     // the number of voters hidden on the board
inline constexpr int kOpzStampaSenzaPresenti = 0x200;  // minutes without the present and absent lists
inline constexpr int kOpzStampaSenzaVotanti = 0x400;   // minutes without the voters' lists
inline constexpr int kOpzStampaEmendamento = 0x800;    // notice of a withdrawn or lapsed amendment
inline constexpr int kOpzMostraVoti = 0x1000;          // show the keys while the vote runs
inline int iNMaxInterventi = 9999;
inline int iTempoRelatore = 10;
inline int iTempoMaxPartito = 9999;
// Colours of the projected board and the seat labels, blue-green-red; a
// value with the top bit set names a system colour.  The table holds its
// defaults from the start, so a colour line that gives only some entries
// leaves the others as they were.
inline constexpr std::array<int32_t, 23> kColoriTabVideoPredefiniti = {0xC0C0C0,
                                                                       0xFF8080,
                                                                       0xEF00,
                                                                       0xFF,
                                                                       0xFFFF,
                                                                       0xFFCCC3,
                                                                       0xC00000,
                                                                       int32_t(0x80000008u),
                                                                       0xFF00CC,
                                                                       int32_t(0x80000008u),
                                                                       0xC00000,
                                                                       0xFF,
                                                                       int32_t(0x80000008u),
                                                                       0xC00000,
                                                                       0xC0C0C0,
                                                                       0xC0C0C0,
                                                                       int32_t(0x80000008u),
                                                                       0xC00000,
                                                                       0xEF00,
                                                                       0xFF,
                                                                       0xFFFF,
                                                                       0xFFCCC3,
                                                                       0xC00000};
inline std::array<int32_t, 23> cColoriTabVideo = kColoriTabVideoPredefiniti;
inline std::array<QString, 5> cFont;
inline QString cSepara = QStringLiteral("\\");
inline QString cLastIDAgg;

// ---------------------------------------------------------------------------
// Vocabularies: set from the assembly kind by ImpostaVocabolari
// (shell/Configurazione.cpp) after every reading or writing of the settings.
inline QString cLettereAtti;
inline QString cLettereAttiNonVotabili;
inline QString cLettereAttiVotabili;
inline QString cLettereRuoli;
inline QString cRuoliSeggio;
inline QString cRuoliSenzaVoto;
inline QString cRuoliUfficio;
inline QString cLettereVoti;
inline std::array<QString, 29> cNomiAtti;  // 1..28
inline std::array<QString, 9> cNomiRuoli;  // 0..8
inline std::array<QString, 11> cNomiVoti;  // 0..10, name i goes with letter i+1
inline QString cMenuArchivi0;              // caption of mnuArchivi(0)
inline bool xMenuImportaVisibile = true;   // mnuArchivi(1)
inline bool xMenuVerbaleVisibile = false;  // mnuArchivi(6)

// Fixed tables, set once by ImpostaTabelleFisse (below).
// Item statuses 0..7 and their letters.
inline std::array<QString, 8> cStatiArgomento;
inline QString cLettereStati;
// Display types 1..6.
inline std::array<QString, 7> cTipiTabellone;

// Monitors: 0 primary, 1 secondary; found by the projected board
// (board/Video.cpp).
inline std::array<DatiMonitor, 2> lMonitor;

// Set at start-up (shell/Avvio.cpp).
inline int iLenRisposta = 1;
inline int iTraccia = 14;  // 2 keypad trace, 4 board log

// LED maps of 48 characters, one per LED position: the attendance map
// written by the console, the vote map by the vote's keys, the quorum map by
// both; shell/Avvio.cpp clears them at start-up.
inline QString cLedPresenze(48, u'0');
inline QString cLedVoti(48, u'0');
inline QString cLedQuadro(48, u'0');

// ---------------------------------------------------------------------------
// State of the sitting: owned by the console (console/frmCons*.cpp and its
// helpers TempoParola, Quorum, Prenotazioni), read by the links, the boards
// and the reports.  AzzeraStatoSeduta() (below) gives it the values of a
// console just reset.  The vote also writes iStatoConsole, iFlagQuorum,
// cTipoVoto, cOratore at its close.
inline int iStatoConsole = 0;  // the one-second engine's steps, kStato* below
// Bits of iStatoConsole.
inline constexpr int kStatoOrologio = 1;        // the clock is shown
inline constexpr int kStatoVoto = 2;            // a vote is on display
inline constexpr int kStatoParola = 4;          // a speaking turn has been given
inline constexpr int kStatoParolaAvviata = 8;   // logged, the board chronometer started
inline constexpr int kStatoEsito = 16;          // the last vote's outcome is on display (blinks)
inline constexpr int kStatoTessere = 32;        // the card reader is read
inline constexpr int kStatoPulisciTitolo = 64;  // the projected board's vote label is to be cleared
inline constexpr int kStatoVotoATempo = 128;    // a timed vote counts down
inline int iFlagQuorum = 0;                     // quorum state, kQuorum* below (console/Quorum.cpp)
// Flags of iFlagQuorum.
inline constexpr int kQuorumCalcolato = 1;         // (3) computed: the item has no fixed majority
inline constexpr int kQuorumDatiPendenti = 2;      // the central reported pending data
inline constexpr int kQuorumArgomentoAperto = 4;   // an item is open
inline constexpr int kQuorumImmEsecCalcolato = 8;  // (4) computed
inline constexpr int kQuorumVotoImmEsec = 16;      // the next vote is on immediate executability
inline constexpr int kQuorumMascheraTipo = 0xE0;   // quorum kind code x 32
// The coming vote is on immediate executability with the per-item kind:
// its threshold is iQuorum(4) rather than iQuorum(3).
inline bool SogliaImmEsec() { return (iFlagQuorum & (kQuorumVotoImmEsec | kQuorumMascheraTipo)) == kQuorumVotoImmEsec; }
inline std::array<int, 5> iQuorum{};             // 1..4
inline std::array<int, 7> iRichiedenti{};        // 1..6: 1-3 coming vote, 4-6 previous
inline QString cTipoVoto = QStringLiteral("-");  // kind chosen for the coming vote
inline int iDelibera = 0;
inline QString cTipoArg;
inline int iPresenti = 0;
inline QString cOspitiPresenti;
inline std::array<QString, 8> cArgomento;
inline std::array<QString, 3> cTitoloTabellone;
inline QString cNotaArgomento;
inline QString cArgomentoPendente;
inline QString cOratore;
inline QString cGruppoOratore;
inline int iOratore = 0;
// Speaking-time counters: iTempo(0) the second of the minute (1..60),
// (1) minutes left or of overtime, (2) the minutes on the projected board,
// (3) and (4) the minutes and the half-minute mark (0 or 5) of the LED
// board's chronometer; iMezziMinuti the half minutes since the speech began.
inline std::array<int, 5> iTempo{};
inline int iMezziMinuti = 0;
// Timer value at the start of the current speech.  Kept apart from the
// vote countdown: the floor can be given while a timed vote runs.
inline double nInizioIntervento = 0;
inline int iModoAttivazione = 0;  // the console's activation mark, kAttivazione* below
// Values of iModoAttivazione, set by the console just before another window
// takes the focus (0: none, the console gives up its record sets and timer).
inline constexpr int kAttivazioneFinestra = 32;      // event list, agenda register or guest-speaker dialog
inline constexpr int kAttivazioneChiusura = 64;      // the sitting closed, the console unloads
inline constexpr int kAttivazioneCaricamento = 128;  // the console's loading
inline constexpr int kAttivazioneTasti = 256;        // seat-actions dialog: record sets and timer kept
inline constexpr int kAttivazioneAnteprima = 8192;   // LED preview or projected board shown
// Set while the sitting console is loaded.
inline bool bConsoleAperta = false;
// Archive code of the current item or act, and the root act of the current
// act (laws mode; 0 otherwise).
inline int iCodiceAtto = 0;
inline int iRadiceLegge = 0;
// The act last taken from the acts tree into the new-act panel, as
// RecordAtto of RecordAtti.h holds it: (0) iCodLeggeLG, (1) cParametriLG,
// (2)..(6) the identifiers of levels 1..5, (7) cNumeroAttoLG, (8)
// iRadiceLeggeLG, (9) cDescEventoLG, (10) cTreeKeyLG, (11) unused.  All
// empty: the root of the tree.  Also written by the acts register
// (registers/frmLeggi.cpp).
inline std::array<QString, 12> cAttoCorrente;
// Names of the last substitution: (0) the person replaced, (1) the person
// now in office.  Written by the substitution dialog (console/frmScambio.cpp).
inline std::array<QString, 2> cSegretari;

// ---------------------------------------------------------------------------
// State of the vote: owned by the vote (console/MappaVotatori.cpp opens it
// and resets it with AzzeraStatoVoto, console/TastiVoto.cpp records the
// keys, console/Spoglio.cpp tallies and closes it, console/frmCons_Voto.cpp
// drives it from the buttons).  See the top of this file for what decides
// that a vote is open.
inline int iModoVoto = 0;  // 1 open, 2 test, 8 roll call, 16 by call, 32 quorum check
// Bits of iModoVoto.
inline constexpr int kVotoReale = 1;          // a real vote is open
inline constexpr int kVotoProva = 2;          // a test vote is open
inline constexpr int kVotoPausa = 4;          // pause of the random simulation
inline constexpr int kVotoAppello = 8;        // roll call
inline constexpr int kVotoUnico = 16;         // one councillor at a time, on one unit
inline constexpr int kVotoNumeroLegale = 32;  // check of the legal number
// The kind of call (roll call, one at a time, legal number); 0 a plain vote.
inline constexpr int kVotoGenere = kVotoAppello | kVotoUnico | kVotoNumeroLegale;
// A real vote is open (bit 1), or the simulation of one is paused (bit 4).
inline bool VotoRealeAperto() { return (iModoVoto & (kVotoReale | kVotoPausa)) != 0; }
inline int iFavorevoli = 0, iContrari = 0, iAstenuti = 0;
inline int iVotiRicevuti = 0;
inline int iVotanteUnico = 0;
inline StringaPosti cVoti{QChar(u'0')};
inline StringaPosti cVotiPrecedenti{QChar(u'0')};
inline StringaPosti cTastiRicevuti{QChar(0)};
inline QDateTime dInizioVoto;
// Seconds left of a timed vote.
inline double nTempoVoto = 0;
// Outcome of the last close.
inline QString cEsito;
inline QString cResiduoTLV;
// Code of the current or last stored vote (0 none since the console's reset).
inline int32_t lCodVoto = 0;
// When the current or last vote was closed.
inline QDateTime dFineVoto;

// ---------------------------------------------------------------------------
// State of the links.
inline int iFileTraccia = 0;  // keypad trace open (not 0) or none (0); owned by the units link
inline int iStatoCARD = 0;    // card port: 0 closed, 1 lent to the display board, 2 opened by the engine

// ---------------------------------------------------------------------------
// Results of the seat and guest dialogs and of the substitution dialog,
// read by the console right after the dialog closed (0 or empty: nothing
// chosen): the option chosen, the guest picked as the new councillor (index
// in aOspiti), the guest's name handed to the guest dialog, the seats of
// the person replaced and of the person taking over, and whether the person
// replaced leaves the chamber.
inline int iTastoScelto = 0;
inline int iScelta = 0;
inline QString cNomeOspite;
inline int iPostoUscente = 0;
inline int iPostoEntrante = 0;
inline bool iEsce = false;

// Release numbers of the program.
#ifndef OBX_VER_MAJOR
#define OBX_VER_MAJOR 1
#define OBX_VER_MINOR 0
#define OBX_VER_REV 0
#endif
inline constexpr int kVersioneMajor = OBX_VER_MAJOR;
inline constexpr int kVersioneMinor = OBX_VER_MINOR;
inline constexpr int kVersioneRev = OBX_VER_REV;

// Fills the tables that do not depend on the configuration: display types
// and item statuses.
void ImpostaTabelleFisse();

// Gives the state of the sitting the values of a console just reset: nobody
// present, no guest, no item, no coming vote, no quorum flag, no requests.
// The console's reset calls it; the attendance and LED maps, iStatoConsole
// and the controls are the console's own business.
void AzzeraStatoSeduta();

}  // namespace obx
