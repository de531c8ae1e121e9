// The sitting console: the one window from which the operator runs a
// sitting.  It exists at most once; other windows reach it only through
// frmConsAperto(), which gives nullptr as soon as the console has been
// closed (also while the object is still waiting to be destroyed).
//
// The window's members are grouped by area, each area implemented in its own
// source file:
//   frmCons.cpp            window, controls, layout, loading, activation, closing
//   frmCons_Seduta.cpp     sitting commands (open, suspend, resume, close, refresh)
//   frmCons_Eventi.cpp     event log rows (SalvaEvento) and the vote-row writer
//   Registri.cpp           the archive writers' shared pieces and SalvaVotazione
//   frmCons_Presenze.cpp   attendance and quorum
//   frmCons_Argomenti.cpp  agenda items and item notes
//   frmCons_Voto.cpp       vote opening, key collection, closing and outcome
//   frmCons_Motore.cpp     one-second engine and card reader
//   frmCons_Parola.cpp     speaking turns and bookings
//   frmCons_Posti.cpp      seat actions, seat dialogs, substitutions, function keys
//   frmCons_Atti.cpp       acts tree at the console and service buttons
//
// Window activation is the program's own, not the window system's: the
// console is "active" from the moment it gets the focus until another
// window of the program that works on the archive takes it.  Message boxes
// and the other common dialogs, the projected board and the LED preview
// never take it (a window marks itself with kProprietaSenzaDisattivazione
// to be treated that way), so they never make the console close its record
// sets or stop its timer.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "console/QuadroVoti.h"
#include "console/TastiVoto.h"
#include "platform/Albero.h"
#include "platform/Database.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QToolButton;
class QTreeWidget;

namespace obx {

class Etichetta;
class ElencoCombo;
class ElencoLista;
class Temporizzatore;

// Steps of frmCons::AttivaForm, run in the order 1, 8, 2, 4.
inline constexpr int kAttivaRecordset = 1;    // the record sets opened again, the timer started
inline constexpr int kAttivaAzzeramento = 2;  // the sitting state, boards and controls reset
inline constexpr int kAttivaArgomenti = 4;    // the agenda combo and the acts tree filled again
inline constexpr int kAttivaAnagrafe = 8;     // the registry read again, the seat labels placed
// The mode word of frmCons::AggiornaQuadroVoti (kQuadro*) is in
// console/QuadroVoti.h.

// Dynamic property of a top-level window that, when it takes the focus,
// must not make the console give up its record sets and timer (message
// boxes, the projected board and the LED preview are known without it).
inline constexpr const char* kProprietaSenzaDisattivazione = "obxSenzaDisattivazione";

class frmCons : public QWidget {
    Q_OBJECT
public:
    // Numbers of the control arrays.
    static constexpr int kEtichette = 72;  // txtAnag 1..72 (0 the hidden pattern)

    ~frmCons() override;

    // =======================================================================
    // Window: loading, layout, activation and closing (frmCons.cpp)
    // =======================================================================

    // Creates the controls, lays them out for the primary monitor and the
    // assembly kind, fills the lists and runs AttivaForm(15).
    void Form_Load();
    // The program's activation of the window, by the mark iModoAttivazione.
    void Form_Activate();
    // Another window of the program took the focus.
    void Form_Deactivate();
    // The window is being closed; cancel set to true keeps it open.
    void Form_Unload(bool& cancel);
    // Closes the window as the operator's close does (asks when a sitting is
    // open).  Returns false when the closing was refused.
    bool Chiude();

    // (Re)initialises the console by bits, run in the order 1, 8, 2, 4:
    // 1 record sets and timer; 8 registry and seat labels; 2 reset of the
    // sitting state, boards and controls; 4 agenda combo and acts tree.
    void AttivaForm(int iModo);

    // Whether the console holds the program's activation now.
    bool Attiva() const { return m_attiva; }

    // Set while the agenda combo's own handler changes its selection.
    bool bCambioArgo = false;
    // Tree level of the act being created.
    int iLivello = 0;

    // Record sets over "EVENTI", "VOTI", "DELIBERE" and "LEGGI", ordered by
    // "TAG_A".  Closed while another window of the program has the focus;
    // the writers open the one they need when they find it closed.
    Recordset rsEventi;
    Recordset rsVoti;
    Recordset rsDelibere;
    Recordset rsLeggi;
    // Opens rs over table cTabelle[tabella] with "TAG_A" when it is not open.
    // A failure is reported ("Errore " & number) and gives false.
    bool ApreRecordset(Recordset& rs, int tabella);
    void ChiudeRecordset();

    // Runs code that waits with the event loop turning (the vote loop, the
    // serial waits) so that a close requested meanwhile destroys the window
    // only once that code has returned.  Used as a scope guard.
    class CicloAnnidato {
    public:
        explicit CicloAnnidato(frmCons& f);
        ~CicloAnnidato();
        CicloAnnidato(const CicloAnnidato&) = delete;
        CicloAnnidato& operator=(const CicloAnnidato&) = delete;

    private:
        QPointer<frmCons> m_f;
    };

    // =======================================================================
    // Controls (every control of the window; arrays by index, nullptr for an
    // index outside the array)
    // =======================================================================

    QGroupBox* boxConsiglio(int i) const;    // 0..7
    QPushButton* cmdConsiglio(int i) const;  // 0..2
    QPushButton* cmdVoto(int i) const;       // 0..5
    QToolButton* cmdServizio(int i) const;   // 0..5
    ElencoCombo* cmbArgo(int i) const;       // 0..3
    QLabel* lblArgo(int i) const;            // 0..5
    QPushButton* cmdArgo(int i) const;       // 0..1
    QPlainTextEdit* getTesto(int i) const;   // 0..1
    QPushButton* cmdParola(int i) const;     // 0..2
    QPushButton* cmdTempo(int i) const;      // 0..3
    QLabel* lblTempo(int i) const;           // 0..2
    QLabel* lblTitolo(int i) const;          // 0..6
    QLabel* lblVoto(int i) const;            // 0..6
    Etichetta* txtAnag(int i) const;         // 0..72; 0 the hidden pattern
    QPushButton* cmdAtto(int i) const;       // 0..1
    QLabel* lblAtto(int i) const;            // 0..1
    QCheckBox* chkPelin(int i) const;        // 0
    QAction* mnuPopupSub(int i) const;       // 0..1

    QCheckBox* chkLampo() const { return m_chkLampo; }
    QCheckBox* chkImmEsec() const { return m_chkImmEsec; }
    QLabel* txtOBX() const { return m_txtOBX; }
    QMenu* mnuPopup() const { return m_mnuPopup; }
    Albero& oAlbero() { return m_albero; }
    QTreeWidget* oAlberoVista() const { return m_alberoVista; }
    QGroupBox* boxCreaAtti() const { return m_boxCreaAtti; }
    QLineEdit* getIDAtto() const { return m_getIDAtto; }
    ElencoCombo* cmbTipoAtto() const { return m_cmbTipoAtto; }
    ElencoCombo* cmbTipoVoto() const { return m_cmbTipoVoto; }
    ElencoCombo* cmbTipoQuorum() const { return m_cmbTipoQuorum; }
    QLabel* lblEsito() const { return m_lblEsito; }
    ElencoLista* lstParola() const { return m_lstParola; }
    QLineEdit* getParola() const { return m_getParola; }
    ElencoLista* lstPrenotati() const { return m_lstPrenotati; }
    ElencoLista* lstVotanti() const { return m_lstVotanti; }
    ElencoLista* lstAssenti() const { return m_lstAssenti; }
    QLineEdit* getDescEme() const { return m_getDescEme; }
    Temporizzatore& croTimer() { return *m_croTimer; }
    // The console's common dialog, used as the printer of "Stampa"; shown
    // through UI().ScegliStampante.
    QPrinter& dlgDialogBox();

    // Twips per pixel of the primary monitor (positions are in twips).
    double TwipsX() const { return m_twX; }
    double TwipsY() const { return m_twY; }
    // Places a control in twips: left, top, width, height.
    void Piazza(QWidget* w, double left, double top, double width, double height) const;
    // Position and size of a control in twips.
    double Left(const QWidget* w) const;
    double Top(const QWidget* w) const;
    double Width(const QWidget* w) const;
    double Height(const QWidget* w) const;
    void SetLeft(QWidget* w, double twips) const;
    void SetTop(QWidget* w, double twips) const;
    void SetWidth(QWidget* w, double twips) const;
    void SetHeight(QWidget* w, double twips) const;

    // =======================================================================
    // Sitting commands (frmCons_Seduta.cpp)
    // =======================================================================

    // 0 open or close the sitting, 1 suspend or resume, 2 attendance refresh
    // (99 the same without showing the projected board); others do nothing.
    void cmdConsiglio_Click(int Index);
    // Whether a sitting is open / suspended, read from the buttons' captions.
    bool SedutaAperta() const;
    bool SedutaSospesa() const;

    // =======================================================================
    // Event log rows and vote rows (frmCons_Eventi.cpp, Registri.cpp)
    // =======================================================================

    // Logs one event (letter cTipo, person or text cNome) in "EVENTI" and
    // sends the board its command; "*" deletes the last event instead.
    void SalvaEvento(const QString& cTipo, const QString& cNome);
    // Stores the vote just tallied in "VOTI" through rsVoti (see
    // Registri.h); the code of the new row is left in lCodVoto.
    void SalvaVotazione(bool xUguale);

    // =======================================================================
    // Attendance and quorum, voter lists and results frame
    // (frmCons_Presenze.cpp), vote panel (frmCons_Quadro.cpp)
    // =======================================================================

    // Toggles the attendance of seat iP shown on label iLabel; returns "E"
    // (entered), "U" (left) or "" (nothing changed: a seat declared absent
    // and not present, or an index outside aPosti).  The state changes by
    // CalcolaCambioPresenza (Presenza.h); this draws the label colour, the
    // labels exchanged, the projected board (when loaded) and the count,
    // recomputes the thresholds, and with xTabellone tells the display
    // board.  Does not log.
    QString CambiaPresenza(int iP, int iLabel, bool xTabellone);
    // Entry or exit of seat iP as a plain click on its label or a card
    // reading makes it: during an open vote the vote is corrected first
    // (CorreggeVoto), then CambiaPresenza with the board told, and the
    // letter ("e"/"u" during a vote) is logged with the member's full name.
    // Returns the letter logged, "" when nothing changed.
    QString EntraEsce(int iP);
    // Keeps the running vote consistent with an attendance change of seat
    // iP that is about to happen: an absent seat about to enter is marked
    // as keyed and goes back on lstVotanti (or off lstAssenti when it had
    // keyed "*"); a present seat about to leave loses its key and leaves
    // lstVotanti.  Nothing when no vote is open.
    void CorreggeVoto(int iP);
    // Recomputes the thresholds iQuorum(1..4): iQuorumDE >= 0 installs an
    // item's fixed thresholds, -1 keeps them; xVoto true at a vote's close.
    // Shows on lblVoto(2) the one that applies.
    void CalcolaQuorum(int iQuorumDE, bool xVoto);
    void cmbTipoQuorum_Click();
    void cmbTipoVoto_Click();
    // "Im. Es.": recomputes and tells the display board ("W" ticked, "w" not).
    void chkImmEsec_Click();

    // Vote view and attendance view: 0 vote view with lstVotanti filled with
    // the present voting members, 1 attendance view, 2 vote view with both
    // lists empty.
    void MostraVotanti(int iVista);
    // With xEsitoVideo, the vote totals on the projected board in place of
    // its seat map (true) or the seat map again (false); without the option,
    // or with no board loaded, nothing.
    void MostraTotaliVideo(bool xTotali);
    // Repaints the vote panel by the mode word (kQuadro*): And 9 = 0
    // attendance view, 1 result view, 8 blank view; 2 also the projected
    // board and the LED board; 4 clears "present not voting"; 16/32 which
    // counters the result view shows; 64 (regional assembly) seats absent
    // at the last roll call come back present.  The figures and colours,
    // and the state changes, come from ComponeQuadroVoti (QuadroVoti.h);
    // this draws them (frmCons_Quadro.cpp).
    void AggiornaQuadroVoti(int iModo);

    // =======================================================================
    // Agenda items and item notes (frmCons_Argomenti.cpp)
    // =======================================================================

    // 0 item, 1 item type, 2 pending sub-items, 3 status / sub-item kind.
    // Selecting an item closes the open one ("H") and opens the new one
    // ("G") with its texts, type, thresholds and fresh speaking counters.
    void cmbArgo_Click(int Index);
    // 0 note of the current item, 1 new sub-item; each a two-step button
    // (the first press opens its editor, "Ok" takes the input).
    void cmdArgo_Click(int Index);
    // Status of the current act (laws mode) by its name in cStatiArgomento:
    // iModo bit 1 selects it in cmbArgo(3), which records it (event "X" and
    // the act's row); bit 2 rewrites the act's node in the tree (its status
    // name between parentheses and the status letter of its tag).  The
    // vote closing calls it with 3 and "Votato", "RinviatoSed" or
    // "RinviatoComm".
    void AggiornaStatoPdL(int iModo, const QString& cDesc);
    // Takes a handled sub-item off the pending list cmbArgo(2): the selected
    // entry with bSelezionato, else the one under vote (cArgomentoPendente).
    void RimuoveArgomento(bool bSelezionato);
    // Number of sub-items created for the current item (cmbArgo(2)'s tag).
    int SottoArgomentiCreati() const { return m_iSottoArgomenti; }

private:
    // The item list read again (AttivaForm bit 4) finds the item that was
    // selected by its key, not by its place in the list: the same item
    // found is selected again and nothing else changes; an item no longer
    // listed is closed and nothing stays selected.
    struct VoceScelta {
        bool scelta = false;  // an entry was selected
        int codice = 0;       // the item's row: iDeliberaDE or iCodLeggeLG (0 none known)
        int numero = 0;       // council: agenda position and group as the entry reads them
        QString gruppo;
    };
    VoceScelta RicordaVoceScelta() const;
    void RitrovaVoceScelta(const VoceScelta& v);

    // The board titles of the open item, put back when a recalled vote
    // (service button 5) is dismissed.
    void FineRichiamoVoto();

    // Case 0 by assembly kind, and the pieces shared by the cases.
    void ApreArgomentoConsiglio();
    void ApreAttoLeggi();
    void ChiudeArgomentoAperto();
    void AvviaArgomento();
    void ImpostaTipoArgomento();
    void ChiudeEditoriArgomento();
    void ChiudeEditoreNota(bool xSalva);
    void ChiudeEditoreSottoArgomento(bool xAggiunge);
    QString StatoAttoCorrente();

    // True while the console itself sets the type and status combos of an
    // act, so that the nested status change asks nothing.
    bool xSelezioneInterna = false;
    int m_iSottoArgomenti = 0;
    // Openings of an item so far, and the one the open note editor belongs to.
    int m_iAperture = 0;
    int m_iAperturaNota = -1;
    // Act whose status cArgomento(2) holds (0 none).
    int m_iStatoDi = 0;
    // The titles the recall of a stored vote covered, and the opening they
    // belong to (-1: no recall shown).
    std::array<QString, 3> m_titoliRichiamo;
    int m_iAperturaRichiamo = -1;
    // The title box takes at most 120 characters while it holds the note.
    bool m_xLimiteNota = false;
    bool m_xLimiteCollegato = false;

public:
    // =======================================================================
    // Vote: opening, key collection, closing, outcome (frmCons_Voto.cpp)
    // =======================================================================

    // 0 open, 1 annul, 2 back to attendance, 3 close, 4 print, 5 test vote.
    void cmdVoto_Click(int Index);
    // "Aperta" (xProva false) and "Prova": the opening's checks and
    // questions, the arming of the central, then the vote loop, so that
    // the click returns only when the vote has ended.
    void ApreVotoConsole(bool xProva);
    // "Annulla": the running vote is annulled (event "I") and the buttons
    // go back to a new opening.
    void AnnullaVotoConsole();
    // "Presenze": back from the last vote's outcome to attendance, taking
    // its sub-item off the pending list; nothing while a vote runs.
    void RitornoPresenze();
    // "Chiusa": asks before sending out those present who did not vote,
    // then closes and stores the vote (and prints it when so set).
    void ChiudeVotoConsole();
    // "Stampa": the minutes of the last vote, where the operator chooses.
    void StampaVerbaleConsole();
    // Arms the central for a vote; iStep "Sf" steps after the open command.
    bool ApreVotazione(int iStep);
    // Closes the running vote; mode 64 drops it with no row and no event.
    bool ChiudeVotazione(int iModo);
    // With xEsitoVideo: a non-zero mode shows the vote totals on the
    // projected board, 0 hides them; without the option nothing.
    void MostraEsitoVideo(int iModo);
    // One pass of key collection: the central when units are wired, the
    // test file of votes when asked for at loading, the simulated keypads
    // otherwise.
    void VotiDaSeriale();
    // Shows on the console what the keys just recorded ask for.
    void MostraTasti(const std::vector<TastoVoto>& tasti);

private:
    // The keys of the test file ("votiOBX.txt", "Appello.txt" for a roll
    // call) in the archive's folder, read whole on every pass.
    void VotiDaFile();
    // The vote whose missing test file was already reported.
    int m_iVotoSenzaFile = 0;
    // "Confermi chiusura votazione ?" is up.
    bool m_xChiusuraChiesta = false;

public:
    // =======================================================================
    // One-second engine and card reader (frmCons_Motore.cpp)
    // =======================================================================

    // One tick: clock, request poll between votes or the live vote display,
    // outcome blink or speaking clock, card reader, title clearing and the
    // countdown of a timed vote.  A tick never runs inside another one.
    void croTimer_Timer();

    // =======================================================================
    // Speaking turns and bookings (frmCons_Parola.cpp)
    // =======================================================================

    // Gives the floor: iTipo 1 a member (iChi its seat), 2 a guest, 4 the
    // free text of getParola (not rewritten).
    void IniziaIntervento(int iTipo, int iChi, const QString& cNome, const QString& cBreve);
    // The booking queue: iModo And 7 = 1 book, 2 give the floor, 3 remove,
    // 4 empty; +8 a guest, +16 a keypad press.
    void GestiscePrenotati(int iChi, int iModo, const QString& cNome);
    // 0 end of speech, 1 "Rilegge Lista", 2 bookings on or off.
    void cmdParola_Click(int Index);
    // 0/1 speaking minutes up/down, 2/3 vote countdown up/down.
    void cmdTempo_Click(int Index);
    void lstPrenotati_Click();
    // The Tag of lstPrenotati: "SET" or "RESET" while the program itself
    // moves the selection (its click handler then does nothing), else "".
    QString TagPrenotati;
    // The request poll of one tick between votes, with the list redrawn
    // when a keypad booked someone.
    void RichiesteDaTastiere();
    // One second of the speaking clock (lblTempo(0), board cell 13, board
    // page every 30 seconds).
    void AvanzaOrologioParola();
    // Whether the speaking time has run out (lblTempo(0) on red).
    bool TempoParolaScaduto() const;
    void lstParola_MouseDown(int Button, int Shift, float X, float Y);
    void getParola_MouseDown(int Button, int Shift, float X, float Y);

    // =======================================================================
    // Seat actions, seat dialogs, substitutions, function keys and clock
    // (frmCons_Posti.cpp)
    // =======================================================================

    // The one entry point for actions on a seat: Index the label number,
    // Button 1/2/4 (left/right/middle) or 32 with an action code in Shift,
    // otherwise Shift 1 Shift key, 2 Ctrl, 4 Alt.  X, Y in twips.
    // Action codes (Button 32): 1..10 the options of the seat dialog,
    // 128 entry or exit (also with attendance locked), 256 information box,
    // 512 call of the single voter, 1024 completion of a substitution made
    // in the substitution dialog.
    void txtAnag_MouseDown(int Index, int Button, int Shift, float X, float Y);
    // Console keys (the window sees them before its controls); KeyCode the
    // key's number (F1 = 112 ... F12 = 123), Shift 2 = Ctrl.  Setting
    // KeyCode to 0 swallows the key.
    void Form_KeyDown(int& KeyCode, int Shift);
    // Click on the clock label: the projected board, with Ctrl the LED
    // preview.
    void txtOBX_Click();
    void mnuPopupSub_Click(int Index);
    // Ctrl+left click on the guest speakers list lstParola (what its mouse
    // handler does): the guest dialog and the option chosen there.
    void OperazioniOspite(int Button, int Shift);
    // Ctrl+left click on the speaker box getParola (what its mouse handler
    // does): the floor to the text typed there.
    void ParolaLibera(int Button, int Shift);
    // At a vote's close, for the members who have not voted: each seat
    // still listed in lstVotanti leaves the chamber (in the regional
    // assembly it stays present not voting) through txtAnag_MouseDown.
    // The seat is the one whose key did not come, also when two seats share
    // a short name, and the exit is made also with attendance locked;
    // lstVotanti is empty at the end.
    void EsconoNonVotanti();
    // Laws mode, F8 and Ctrl+F8: the act-creation panel under the selected
    // node and the deletion of the selected act with its sub-acts, which
    // belong to the acts tree at the console.
    void NuovoAttoDaTasto();
    void EliminaAttoDaTasto();
    // Shows in place of the event list window that Ctrl+F6 opens modal
    // (frmEvent) while it is set: for tests of the key alone.
    static inline std::function<void()> MostraListaEventi;

private:
    // Pieces of the seat actions.
    bool InterventoConsentito(int iP);
    void MostraInParola(const QString& testo);
    void AssegnaRiserva(int iP);
    void SchedaPosto(int iP);
    void ChiamaVotante(int iP);
    void CompletaSostituzione(int iP, int Index, int iCodice);
    QString NuovoConsigliere(int iP, int Index, QString& cNome);
    void Aiuto();
    void SostituisceSegretario();

public:
    // =======================================================================
    // Acts tree at the console and service buttons (frmCons_Atti.cpp)
    // =======================================================================

    // 0..3 replay F8 (Ctrl+F8 with Ctrl held), Ctrl+F6, F5, F1 through
    // Form_KeyDown; 4 brings up the act selected in the tree as the current
    // entry (with Ctrl held: clears the agenda selection and the vote kind);
    // 5 recalls the stored result of the selected act's latest valid vote.
    // While a vote runs 0, 4 and 5 do nothing.
    void cmdServizio_Click(int Index);
    // 0 "Salva" the new act, 1 "Annulla".
    void cmdAtto_Click(int Index);
    void getIDAtto_GotFocus();
    void getTesto_Click(int Index);
    void oAlbero_NodeClick(NodoAlbero* nodo);
    // F8 in laws mode: prepares and shows boxCreaAtti for a new act under
    // the node selected in oAlbero (the root or nothing: a first-level act),
    // with the parent in cAttoCorrente and its allowed types in cmbTipoAtto;
    // "Nessun Atto subalterno previsto" when none is allowed there.
    void PreparaNuovoAtto();
    // Ctrl+F8 in laws mode: after "Confermi cancellazione ..." deletes the
    // act selected in oAlbero with exactly its subtree, then AttivaForm(4).
    void CancellaAttoSelezionato();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    friend frmCons* ApreConsole();
    friend class CicloAnnidato;
    frmCons();

    // frmCons.cpp
    void CreaControlli();
    void DisposizioneIniziale();
    void DisponeOrologio(double left, double top, bool inRiga);
    void DisponeDibattito(bool stretta);
    void CollegaEventi();
    void AttivaRecordset();    // step 1
    void AttivaAnagrafe();     // step 8
    void AttivaAzzeramento();  // step 2
    void AttivaArgomenti();    // step 4
    void CaricaArgomentiConsiglio();
    void CaricaAttiAlbero();
    void CambioAttivazione(QWidget* attiva);
    void Scarica();

    double m_twX = 15, m_twY = 15;
    bool m_attiva = false;
    bool m_caricata = false;
    bool m_scaricata = false;
    bool m_inChiusura = false;
    int m_cicli = 0;
    bool m_distruggiDopo = false;

    std::array<QGroupBox*, 8> m_boxConsiglio{};
    std::array<QPushButton*, 3> m_cmdConsiglio{};
    std::array<QPushButton*, 6> m_cmdVoto{};
    std::array<QToolButton*, 6> m_cmdServizio{};
    std::array<ElencoCombo*, 4> m_cmbArgo{};
    std::array<QLabel*, 6> m_lblArgo{};
    std::array<QPushButton*, 2> m_cmdArgo{};
    std::array<QPlainTextEdit*, 2> m_getTesto{};
    std::array<QPushButton*, 3> m_cmdParola{};
    std::array<QPushButton*, 4> m_cmdTempo{};
    std::array<QLabel*, 3> m_lblTempo{};
    std::array<QLabel*, 7> m_lblTitolo{};
    std::array<QLabel*, 7> m_lblVoto{};
    std::array<Etichetta*, kEtichette + 1> m_txtAnag{};
    std::array<QPushButton*, 2> m_cmdAtto{};
    std::array<QLabel*, 2> m_lblAtto{};
    std::array<QCheckBox*, 1> m_chkPelin{};
    std::array<QAction*, 2> m_mnuPopupSub{};
    QCheckBox* m_chkLampo = nullptr;
    QCheckBox* m_chkImmEsec = nullptr;
    QLabel* m_txtOBX = nullptr;
    QMenu* m_mnuPopup = nullptr;
    Albero m_albero;
    QTreeWidget* m_alberoVista = nullptr;
    QGroupBox* m_boxCreaAtti = nullptr;
    QLineEdit* m_getIDAtto = nullptr;
    ElencoCombo* m_cmbTipoAtto = nullptr;
    ElencoCombo* m_cmbTipoVoto = nullptr;
    ElencoCombo* m_cmbTipoQuorum = nullptr;
    QLabel* m_lblEsito = nullptr;
    ElencoLista* m_lstParola = nullptr;
    QLineEdit* m_getParola = nullptr;
    ElencoLista* m_lstPrenotati = nullptr;
    ElencoLista* m_lstVotanti = nullptr;
    ElencoLista* m_lstAssenti = nullptr;
    QLineEdit* m_getDescEme = nullptr;
    Temporizzatore* m_croTimer = nullptr;
};

// The console when it is loaded and not closed, else nullptr.
frmCons* frmConsAperto();
// Opens the console (loading it the first time) modeless and maximised and
// gives it the focus; an open console is brought to the front.
frmCons* ApreConsole();

// Puts the guest aOspiti(iNuovo) into seat iP, in memory and in
// "ANAGRAFE" (ScambiaPosto.cpp): the seat takes the guest's names, party and
// external identifier, the guest's row takes the seat's role, unit, card,
// label, LED position and places, the previous occupant's row takes the
// guest's role and no seat, and the two person codes are exchanged.  False
// when nothing changed (no row for the guest, indexes out of range, an
// archive failure, reported).
bool ScambiaPosto(int iP, int iNuovo);

}  // namespace obx
