// The projected board: a passive window on the second monitor (on the
// control monitor when there is none) that the sitting console and the
// display-board driver write directly.  It shows the title band, the emblem,
// the seat frame with one label per seated member, the booking panel and,
// after a vote, the full-screen result table.
//
// One board exists at a time, reached through frmVideo(), which builds it
// on first use.  ScaricaFrmVideo() takes it down (the console does so when
// it closes); the next frmVideo() builds a new one.  Pointers to its
// controls are valid only until control returns to the event loop: code
// that waits (the vote loop, the serial waits) must ask frmVideo() again
// after every wait instead of keeping them.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>

#include "board/Etichetta.h"

namespace obx {

class FrmVideo : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTitoli = 26;     // txtTitolo 0..25
    static constexpr int kEtichette = 72;  // txtAnag 1..72 (0 the hidden template)
    static constexpr int kRisultati = 12;  // txtDormisco 0..11

    // Called whenever the board is shown or becomes active (possibly more
    // than once for one showing): the console connects the start of its
    // one-second timer here.  Kept across boards.
    static inline std::function<void()> Attivazione;
    // The registry load the board asks for when it is built (the shell's
    // load of "ANAGRAFE" into aPosti); without it aPosti is taken as it is.
    // While a sitting holds attendance or votes in aPosti the board does
    // not ask for it, so that those are not lost.
    static inline std::function<bool()> CaricaAnagrafe;

    ~FrmVideo() override;

    // Present (font 1, colour 1) or absent (font 4, colour 0) look of seat
    // label iP; caption, position and visibility stay.  Labels outside
    // 1..72 are ignored.
    void Presenza(bool xDentro, int iP);

    // The controls; nullptr for an index outside the array.
    Etichetta* txtTitolo(int n) const;
    Etichetta* txtAnag(int n) const;
    Etichetta* txtDormisco(int n) const;
    QFrame* boxPosti() const { return m_boxPosti; }
    QFrame* boxPrenota() const { return m_boxPrenota; }
    QLabel* imgStemma() const { return m_imgStemma; }

    // Shows the board modeless, without taking the focus from the console.
    void Mostra();

    // Twips per pixel of the monitor the board was laid out on.
    double TwipsX() const { return m_twX; }
    double TwipsY() const { return m_twY; }

protected:
    void showEvent(QShowEvent* e) override;
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    friend FrmVideo& frmVideo();
    friend void ScaricaFrmVideo();

    FrmVideo();
    void Form_Load();
    void Scarica();
    void PosizionaTitoli(double q, int f, bool emblemaPiccolo, double larghezzaPosti);
    void CreaRisultati(double w, double h);
    QStringList PiazzaPosti(bool statoDaTenere);
    void Attiva();

    double m_twX = 15, m_twY = 15;
    std::array<Etichetta*, kTitoli> m_titolo{};
    std::array<Etichetta*, kEtichette + 1> m_anag{};
    std::array<Etichetta*, kRisultati> m_dormisco{};
    QFrame* m_boxPosti = nullptr;
    QFrame* m_boxPrenota = nullptr;
    QLabel* m_imgStemma = nullptr;
    QPointer<QWidget> m_precedente;  // the window that had the focus
    bool m_inCaricamento = false;
    bool m_scaricaDopo = false;
};

// The board, built on first use.
FrmVideo& frmVideo();
// The board when it is built, else nullptr (nothing is built).
FrmVideo* frmVideoCaricato();
// Takes the board down; it is destroyed once control returns to the event
// loop, and the title captions kept for it go too.  Nothing happens when no
// board is built.
void ScaricaFrmVideo();

// The title cells as the sitting leaves them: what their writers (the
// display-board driver, the bookings, the engine's clearing) last gave
// them is kept, so that a board built later, on one monitor only when
// "Presenze Tabellone" first shows it, or rebuilt after it was closed,
// shows the sitting as it stands and not the captions of a new board.
// ScriveTitoloVideo sets cell n (0..25) on the board when it is up and
// keeps it; SfondoRisultatiVideo makes the cells of the counts opaque on
// the seat frame's colour (a vote's results) or transparent again.
void ScriveTitoloVideo(int n, const QString& testo);
void SfondoRisultatiVideo(bool xOpachi);

}  // namespace obx
