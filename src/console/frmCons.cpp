// The console window: its controls and their design-time places, the
// loading and the layout for the monitor and the assembly kind, the
// activation of the record sets and the timer, the reset of the sitting
// state, the agenda combo and the acts tree, and the closing.
#include "console/frmCons.h"

#include <QAbstractPrintDialog>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QErrorMessage>
#include <QFileDialog>
#include <QFont>
#include <QFontDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPageSetupDialog>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QTreeWidget>
#include <cmath>

#include "board/Etichetta.h"
#include "board/Video.h"
#include "board/frmVideo.h"
#include "console/Registri.h"
#include "console/Spoglio.h"
#include "links/ComSeriali.h"
#include "links/Tabellone.h"
#include "links/frmLED.h"
#include "platform/Dialoghi.h"
#include "platform/Elenchi.h"
#include "platform/Eventi.h"
#include "platform/Misure.h"
#include "platform/Schermo.h"
#include "platform/Temporizzatore.h"
#include "platform/Testo.h"
#include "reports/Stampa.h"
#include "shell/AlberoAtti.h"
#include "shell/Anagrafe.h"
#include "shell/Campi.h"
#include "shell/Globali.h"
#include "shell/RecordAtti.h"
#include "shell/frmMain.h"

namespace obx {

namespace {

QPointer<frmCons> g_console;  // the console that is open
QPointer<frmCons> g_chiusa;   // a closed console waiting to be destroyed

constexpr int32_t kGrigio = 0xC0C0C0;

// Key of the root node of the acts tree (act nodes end with cSepara, so no
// act can have it).
const QString kRadiceAlbero = QStringLiteral("*");

// Windows that take the focus without taking the console's record sets and
// timer: the common dialogs, the projected board, the LED preview, the
// windows that say so, and the transient pop-ups of the window system.
bool SenzaDisattivazione(QWidget* w)
{
    switch (w->windowType()) {
    case Qt::Popup:
    case Qt::ToolTip:
    case Qt::SplashScreen: return true;
    default: break;
    }
    if (qobject_cast<QMessageBox*>(w) || qobject_cast<QInputDialog*>(w) || qobject_cast<QFileDialog*>(w) ||
        qobject_cast<QColorDialog*>(w) || qobject_cast<QFontDialog*>(w) || qobject_cast<QAbstractPrintDialog*>(w) ||
        qobject_cast<QPageSetupDialog*>(w) || qobject_cast<QProgressDialog*>(w) || qobject_cast<QErrorMessage*>(w))
        return true;
    if (qobject_cast<FrmVideo*>(w) || qobject_cast<FrmLED*>(w)) return true;
    return w->property(kProprietaSenzaDisattivazione).toBool();
}

// Key numbers of the console's key handler (those of the function keys are
// what the handlers compare with).
int CodiceTasto(const QKeyEvent* k)
{
    const int q = k->key();
    if (q >= Qt::Key_F1 && q <= Qt::Key_F24) return 112 + (q - Qt::Key_F1);
    if (q >= Qt::Key_A && q <= Qt::Key_Z) return 65 + (q - Qt::Key_A);
    if (q >= Qt::Key_0 && q <= Qt::Key_9) return 48 + (q - Qt::Key_0);
    switch (q) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: return 0;
    }
}

// Design-time measures of the console (twips).
constexpr double kMargine = 60;               // between the frames and the window's edges
constexpr double kLarghezzaPosti = 6000;      // the seat area, as wide as the layout editor's
constexpr double kAltezzaRiga = 315;          // combo boxes and text fields
constexpr double kLarghezzaDidascalia = 690;  // captions left of a field
constexpr double kSinistraAlbero = 10224;     // the acts tree, right of the vote frame
constexpr double kAltezzaBasso = 1872;        // the agenda and vote frames

// Column of the vote panel under whose title figure lblVoto(i) stands:
// the columns are titled "Presenti", "Quorum", "Favor.", "Contrari",
// "Astenuti", "Votanti", "non Vot."; the figures hold the voters (0), those
// present (1), the threshold (2), yes (3), abstentions (4), no (5) and the
// non-voters (6).
int ColonnaDelVoto(int i)
{
    static const int colonna[7] = {5, 0, 1, 2, 4, 3, 6};
    return i >= 0 && i < 7 ? colonna[i] : 0;
}

// The agenda position right-aligned in three characters, as the combo
// lists it.
QString PosizioneOdG(int pos) { return (QStringLiteral("   ") + Str(pos)).right(3); }

}  // namespace

// ---------------------------------------------------------------------------
// The single instance.

frmCons* frmConsAperto() { return g_console.data(); }

frmCons* ApreConsole()
{
    if (frmCons* c = g_console.data()) {
        c->showMaximized();
        c->raise();
        c->activateWindow();
        return c;
    }
    if (frmCons* vecchia = g_chiusa.data()) {
        if (vecchia->m_cicli == 0)
            delete vecchia;
        else
            vecchia->m_distruggiDopo = true;
    }
    auto* f = new frmCons;
    g_console = f;
    QPointer<frmCons> guardia(f);
    f->Form_Load();
    if (!guardia || g_console != f) return frmConsAperto();
    // The size of the screen, frame included, also where no window manager
    // maximises it.
    RiempieLoSchermo(f);
    f->showMaximized();
    f->raise();
    f->activateWindow();
    return f;
}

frmCons::CicloAnnidato::CicloAnnidato(frmCons& f) : m_f(&f) { ++f.m_cicli; }

frmCons::CicloAnnidato::~CicloAnnidato()
{
    if (!m_f) return;
    if (--m_f->m_cicli == 0 && m_f->m_distruggiDopo) m_f->deleteLater();
}

// ---------------------------------------------------------------------------
// The window and its controls.

frmCons::frmCons() : QWidget(nullptr, Qt::Window)
{
    setObjectName(QStringLiteral("frmCons"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("O.B.X."));
    m_twX = TwipsPerPixelX();
    m_twY = TwipsPerPixelY();

    // The console's own font: the places of its controls are measured on it.
    setFont(CarattereConsole());

    m_croTimer = new Temporizzatore(this);
    m_croTimer->SetInterval(1000);
    m_croTimer->Timer = [this] { croTimer_Timer(); };

    CreaControlli();
    CollegaEventi();
    qApp->installEventFilter(this);
}

frmCons::~frmCons()
{
    if (qApp) qApp->removeEventFilter(this);
    m_albero.Attach(nullptr);
    if (g_console == this) g_console = nullptr;
}

void frmCons::Piazza(QWidget* w, double left, double top, double width, double height) const
{
    if (!w) return;
    w->setGeometry(int(std::lround(left / m_twX)), int(std::lround(top / m_twY)),
                   std::max(1, int(std::lround(width / m_twX))), std::max(1, int(std::lround(height / m_twY))));
}

double frmCons::Left(const QWidget* w) const { return w->x() * m_twX; }
double frmCons::Top(const QWidget* w) const { return w->y() * m_twY; }
double frmCons::Width(const QWidget* w) const { return w->width() * m_twX; }
double frmCons::Height(const QWidget* w) const { return w->height() * m_twY; }
void frmCons::SetLeft(QWidget* w, double t) const { Piazza(w, t, Top(w), Width(w), Height(w)); }
void frmCons::SetTop(QWidget* w, double t) const { Piazza(w, Left(w), t, Width(w), Height(w)); }
void frmCons::SetWidth(QWidget* w, double t) const { Piazza(w, Left(w), Top(w), t, Height(w)); }
void frmCons::SetHeight(QWidget* w, double t) const { Piazza(w, Left(w), Top(w), Width(w), t); }

namespace {
template <typename T, size_t N>
T* Elemento(const std::array<T*, N>& a, int i)
{
    return i >= 0 && i < int(N) ? a[size_t(i)] : nullptr;
}
}  // namespace

QGroupBox* frmCons::boxConsiglio(int i) const { return Elemento(m_boxConsiglio, i); }
QPushButton* frmCons::cmdConsiglio(int i) const { return Elemento(m_cmdConsiglio, i); }
QPushButton* frmCons::cmdVoto(int i) const { return Elemento(m_cmdVoto, i); }
QToolButton* frmCons::cmdServizio(int i) const { return Elemento(m_cmdServizio, i); }
ElencoCombo* frmCons::cmbArgo(int i) const { return Elemento(m_cmbArgo, i); }
QLabel* frmCons::lblArgo(int i) const { return Elemento(m_lblArgo, i); }
QPushButton* frmCons::cmdArgo(int i) const { return Elemento(m_cmdArgo, i); }
QPlainTextEdit* frmCons::getTesto(int i) const { return Elemento(m_getTesto, i); }
QPushButton* frmCons::cmdParola(int i) const { return Elemento(m_cmdParola, i); }
QPushButton* frmCons::cmdTempo(int i) const { return Elemento(m_cmdTempo, i); }
QLabel* frmCons::lblTempo(int i) const { return Elemento(m_lblTempo, i); }
QLabel* frmCons::lblTitolo(int i) const { return Elemento(m_lblTitolo, i); }
QLabel* frmCons::lblVoto(int i) const { return Elemento(m_lblVoto, i); }
Etichetta* frmCons::txtAnag(int i) const { return Elemento(m_txtAnag, i); }
QPushButton* frmCons::cmdAtto(int i) const { return Elemento(m_cmdAtto, i); }
QLabel* frmCons::lblAtto(int i) const { return Elemento(m_lblAtto, i); }
QCheckBox* frmCons::chkPelin(int i) const { return Elemento(m_chkPelin, i); }
QAction* frmCons::mnuPopupSub(int i) const { return Elemento(m_mnuPopupSub, i); }

// The console's printer dialog chooses the program's one printer, the one
// every report prints on.
QPrinter& frmCons::dlgDialogBox() { return Stampante(); }

// Design-time places (twips), those of the large layout.  The loading
// moves and sizes what depends on the monitor, the assembly kind and the
// bookings (DisposizioneIniziale).  Every place is chosen so that the whole
// console lies inside a window of 640 x 480 pixels (small layout) or of
// 800 x 600 (large layout) with the console's own font.
void frmCons::CreaControlli()
{
    auto nomina = [](QWidget* w, const char* nome, int i = -1) {
        w->setObjectName(i < 0 ? QString::fromLatin1(nome) : QStringLiteral("%1(%2)").arg(QLatin1String(nome)).arg(i));
    };
    auto gruppo = [this](QWidget* in, const char* titolo, double l, double t, double w, double h) {
        auto* b = new QGroupBox(QString::fromUtf8(titolo), in);
        Piazza(b, l, t, w, h);
        return b;
    };
    auto bottone = [this](QWidget* in, const char* testo, double l, double t, double w, double h) {
        auto* b = new QPushButton(QString::fromUtf8(testo), in);
        b->setFocusPolicy(Qt::TabFocus);
        Piazza(b, l, t, w, h);
        return b;
    };
    auto etichetta = [this](QWidget* in, const char* testo, double l, double t, double w, double h) {
        auto* e = new QLabel(QString::fromUtf8(testo), in);
        Piazza(e, l, t, w, h);
        return e;
    };
    auto combo = [this](QWidget* in, double l, double t, double w) {
        auto* c = new ElencoCombo(in);
        Piazza(c, l, t, w, kAltezzaRiga);
        return c;
    };

    // Seat area on the left, the agenda and vote frames below it; right of
    // the seats the bookings, the clock with the sitting buttons, the debate
    // (covered by the vote lists during a vote) and the two check boxes; the
    // services and, in the laws mode, the acts tree in the right column.
    static const char* titoliBox[8] = {"Aventi diritto al Voto", "Dibattito",          "Votazione",    "Argomenti",
                                       "Devono Votare ...",      "Non possono Votare", "Prenotazioni", "Servizio"};
    for (int i = 0; i < 8; ++i) {
        m_boxConsiglio[size_t(i)] = gruppo(this, titoliBox[i], 0, 0, 1000, 1000);
        nomina(m_boxConsiglio[size_t(i)], "boxConsiglio", i);
    }
    Piazza(m_boxConsiglio[0], kMargine, kMargine, kLarghezzaPosti, 6600);
    Piazza(m_boxConsiglio[6], 6180, kMargine, 1920, 2760);
    Piazza(m_boxConsiglio[7], 10320, 0, 1440, 1860);
    m_boxConsiglio[4]->hide();
    m_boxConsiglio[5]->hide();

    // Seat labels: 0 is the pattern the others are made from; the size of
    // the labels of the seat-layout editor, whose places they take.
    for (int i = 0; i <= kEtichette; ++i) {
        auto* e = new Etichetta(m_boxConsiglio[0], m_twX, m_twY);
        e->Move(120, 240, 1212, 360);
        e->SetAllineamento(Etichetta::Centro);
        e->SetBackColor(kGrigio);
        e->SetBackStyle(1);
        e->setFrameShape(QFrame::Box);
        e->setCursor(Qt::PointingHandCursor);
        e->installEventFilter(this);
        e->hide();
        nomina(e, "txtAnag", i);
        m_txtAnag[size_t(i)] = e;
    }

    // Debate (its contents are laid out by DisponeDibattito).
    QGroupBox* dib = m_boxConsiglio[1];
    m_getParola = new QLineEdit(dib);
    nomina(m_getParola, "getParola");
    m_getParola->installEventFilter(this);
    m_lstParola = new ElencoLista(dib);
    nomina(m_lstParola, "lstParola");
    m_lstParola->viewport()->installEventFilter(this);
    static const char* parola[3] = {"Conclude", "Rilegge Lista", "Prenotazioni OFF"};
    for (int i = 0; i < 3; ++i) {
        m_cmdParola[size_t(i)] = bottone(dib, parola[i], 0, 0, 1000, 360);
        nomina(m_cmdParola[size_t(i)], "cmdParola", i);
    }
    for (int i = 0; i < 4; ++i) {
        m_cmdTempo[size_t(i)] = bottone(dib, i % 2 ? "-" : "+", 0, 0, 390, 360);
        nomina(m_cmdTempo[size_t(i)], "cmdTempo", i);
    }
    for (int i : {0, 1}) {
        m_lblTempo[size_t(i)] = etichetta(dib, "", 0, 0, 540, 300);
        m_lblTempo[size_t(i)]->setAlignment(Qt::AlignCenter);
        nomina(m_lblTempo[size_t(i)], "lblTempo", i);
    }
    m_lblTempo[1]->hide();
    m_cmdTempo[2]->hide();
    m_cmdTempo[3]->hide();

    // Vote lists over the debate.
    m_lstVotanti = new ElencoLista(m_boxConsiglio[4]);
    nomina(m_lstVotanti, "lstVotanti");
    m_lstAssenti = new ElencoLista(m_boxConsiglio[5]);
    nomina(m_lstAssenti, "lstAssenti");

    // Bookings.
    m_lstPrenotati = new ElencoLista(m_boxConsiglio[6]);
    nomina(m_lstPrenotati, "lstPrenotati");
    Piazza(m_lstPrenotati, 120, 240, 1680, 2520);

    // Services: two columns of three.
    static const char* suggerimenti[6] = {"Aggiunge nuovi OdG (+ CTRL per eliminare)",
                                          "Stampa lista Eventi",
                                          "Sostituzione Segretario",
                                          "Promemoria funzioni dedicate",
                                          "Seleziona Atto da votare (+Ctrl reset)",
                                          "Verifica Voto Precedente"};
    static const char* simboli[6] = {"+", "E", "S", "?", "A", "V"};
    for (int i = 0; i < 6; ++i) {
        auto* b = new QToolButton(m_boxConsiglio[7]);
        b->setText(QString::fromLatin1(simboli[i]));
        b->setToolTip(QString::fromUtf8(suggerimenti[i]));
        b->setFocusPolicy(Qt::TabFocus);
        Piazza(b, 120 + 660 * (i % 2), 240 + 540 * (i / 2), 540, 480);
        nomina(b, "cmdServizio", i);
        m_cmdServizio[size_t(i)] = b;
    }

    // Clock and sitting buttons (DisponeOrologio places them).
    m_txtOBX = new QLabel(QStringLiteral("00:00:00"), this);
    nomina(m_txtOBX, "txtOBX");
    m_txtOBX->setAlignment(Qt::AlignCenter);
    m_txtOBX->setFrameShape(QFrame::Panel);
    QFont orologio = font();
    orologio.setPointSize(10);
    orologio.setBold(true);
    m_txtOBX->setFont(orologio);
    m_txtOBX->installEventFilter(this);
    static const char* seduta[3] = {"Apertura", "Sospesa", "Presenze Tabellone"};
    for (int i = 0; i < 3; ++i) {
        m_cmdConsiglio[size_t(i)] = bottone(this, seduta[i], 0, 0, 1000, 420);
        nomina(m_cmdConsiglio[size_t(i)], "cmdConsiglio", i);
    }
    m_chkLampo = new QCheckBox(QStringLiteral("Lampeggio"), this);
    nomina(m_chkLampo, "chkLampo");
    m_chkPelin[0] = new QCheckBox(QStringLiteral("voto casuale se CTRL premuto"), this);
    nomina(m_chkPelin[0], "chkPelin", 0);
    m_chkPelin[0]->hide();

    // Agenda (the places that depend on the assembly kind are set at loading).
    QGroupBox* arg = m_boxConsiglio[3];
    static const char* argo[4] = {"Arg.:", "Emend.:", "OdG:", "Descr.:"};
    for (int i = 0; i < 4; ++i) {
        m_lblArgo[size_t(i)] = etichetta(arg, argo[i], 120, 270, kLarghezzaDidascalia, 270);
        nomina(m_lblArgo[size_t(i)], "lblArgo", i);
    }
    Piazza(m_lblArgo[1], 120, 630, kLarghezzaDidascalia, 270);
    Piazza(m_lblArgo[2], 2580, 270, 420, 270);
    Piazza(m_lblArgo[3], 120, 1530, kLarghezzaDidascalia, 270);
    m_cmbArgo[0] = combo(arg, 840, 240, 1692);
    m_cmbArgo[1] = combo(arg, 3000, 240, 1692);
    m_cmbArgo[2] = combo(arg, 840, 600, 1692);
    m_cmbArgo[3] = combo(arg, 3000, 960, 1692);
    for (int i = 0; i < 4; ++i) nomina(m_cmbArgo[size_t(i)], "cmbArgo", i);
    m_cmdArgo[0] = bottone(arg, "Nota", 120, 960, 960, 360);
    m_cmdArgo[1] = bottone(arg, "Emend.", 2580, 600, 720, kAltezzaRiga);
    for (int i = 0; i < 2; ++i) nomina(m_cmdArgo[size_t(i)], "cmdArgo", i);
    m_chkImmEsec = new QCheckBox(QStringLiteral("Im. Es."), arg);
    nomina(m_chkImmEsec, "chkImmEsec");
    Piazza(m_chkImmEsec, 120, 1440, 1020, 300);
    m_getDescEme = new QLineEdit(arg);
    nomina(m_getDescEme, "getDescEme");
    Piazza(m_getDescEme, 840, 1500, 3852, kAltezzaRiga);
    m_getTesto[0] = new QPlainTextEdit(arg);
    Piazza(m_getTesto[0], 1200, 960, 3492, 852);

    // Vote.  The titles read, left to right, in their own order; each
    // figure stands under the title that names what it holds: lblVoto(0)
    // the voters, (1) those present, (2) the threshold, (3) yes, (4)
    // abstentions, (5) no, (6) the non-voters.
    QGroupBox* vot = m_boxConsiglio[2];
    static const char* titoli[7] = {"Presenti", "Quorum", "Favor.", "Contrari", "Astenuti", "Votanti", "non Vot."};
    for (int i = 0; i < 7; ++i) {
        m_lblTitolo[size_t(i)] = etichetta(vot, titoli[i], 120 + 720 * i, 240, 720, 240);
        m_lblTitolo[size_t(i)]->setAlignment(Qt::AlignCenter);
        nomina(m_lblTitolo[size_t(i)], "lblTitolo", i);
    }
    for (int i = 0; i < 7; ++i) {
        m_lblVoto[size_t(i)] = etichetta(vot, "", 240 + 720 * ColonnaDelVoto(i), 540, 480, 300);
        m_lblVoto[size_t(i)]->setAlignment(Qt::AlignCenter);
        m_lblVoto[size_t(i)]->setFrameShape(QFrame::Panel);
        nomina(m_lblVoto[size_t(i)], "lblVoto", i);
    }
    m_lblArgo[4] = etichetta(vot, "Voto:", 120, 900, kLarghezzaDidascalia, 270);
    m_lblArgo[5] = etichetta(vot, "Quorum:", 120, 1260, kLarghezzaDidascalia, 270);
    for (int i : {4, 5}) nomina(m_lblArgo[size_t(i)], "lblArgo", i);
    m_cmbTipoVoto = combo(vot, 840, 870, 1272);
    nomina(m_cmbTipoVoto, "cmbTipoVoto");
    m_cmbTipoQuorum = combo(vot, 840, 1230, 1272);
    nomina(m_cmbTipoQuorum, "cmbTipoQuorum");
    // Three columns of two, each as wide as its longer caption needs.
    static const char* voti[6] = {"Aperta", "Annulla", "Presenze", "Chiusa", "Stampa", "Prova"};
    static const double sinistra[3] = {2172, 2862, 3612};
    static const double larghezza[3] = {660, 720, 840};
    for (int i = 0; i < 6; ++i) {
        m_cmdVoto[size_t(i)] = bottone(vot, voti[i], sinistra[i % 3], 870 + 360 * (i / 3), larghezza[i % 3], 330);
        nomina(m_cmdVoto[size_t(i)], "cmdVoto", i);
    }
    m_lblTempo[2] = etichetta(vot, "", 120, 1590, 480, 240);
    m_lblTempo[2]->setAlignment(Qt::AlignCenter);
    nomina(m_lblTempo[2], "lblTempo", 2);
    // The outcome takes the rest of the row: the longest outcome,
    // "NON RINVIATO AD ALTRA SEDUTA", reads whole.
    m_lblEsito = etichetta(vot, "", 660, 1590, 3792, 240);
    nomina(m_lblEsito, "lblEsito");
    m_lblEsito->setAlignment(Qt::AlignCenter);
    QFont grassetto = font();
    grassetto.setBold(true);
    m_lblEsito->setFont(grassetto);
    m_lblEsito->hide();
    m_getTesto[1] = new QPlainTextEdit(vot);
    Piazza(m_getTesto[1], 120, 240, 4332, 1572);
    m_getTesto[1]->hide();
    for (int i = 0; i < 2; ++i) {
        nomina(m_getTesto[size_t(i)], "getTesto", i);
        m_getTesto[size_t(i)]->viewport()->installEventFilter(this);
    }

    // Acts tree and the new-act panel (laws mode).  In the large layout the
    // tree takes the right column under the services, down to the panel.
    m_alberoVista = new QTreeWidget(this);
    nomina(m_alberoVista, "oAlbero");
    m_alberoVista->setHeaderHidden(true);
    // A title longer than the tree is wide scrolls rather than being cut.
    m_alberoVista->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_alberoVista->header()->setStretchLastSection(false);
    Piazza(m_alberoVista, kSinistraAlbero, 1920, 1584, 5000);
    m_alberoVista->hide();
    m_albero.Attach(m_alberoVista);
    m_boxCreaAtti = gruppo(this, "Nuovo Atto", 6180, 2880, 1440, 1350);
    nomina(m_boxCreaAtti, "boxCreaAtti");
    m_lblAtto[0] = etichetta(m_boxCreaAtti, "ID:", 120, 270, 420, 270);
    m_getIDAtto = new QLineEdit(m_boxCreaAtti);
    nomina(m_getIDAtto, "getIDAtto");
    Piazza(m_getIDAtto, 570, 240, 750, kAltezzaRiga);
    m_getIDAtto->installEventFilter(this);
    m_lblAtto[1] = etichetta(m_boxCreaAtti, "Tipo:", 120, 630, 420, 270);
    for (int i = 0; i < 2; ++i) nomina(m_lblAtto[size_t(i)], "lblAtto", i);
    m_cmbTipoAtto = combo(m_boxCreaAtti, 570, 600, 750);
    nomina(m_cmbTipoAtto, "cmbTipoAtto");
    m_cmdAtto[0] = bottone(m_boxCreaAtti, "Salva", 120, 960, 510, 330);
    m_cmdAtto[1] = bottone(m_boxCreaAtti, "Annulla", 660, 960, 660, 330);
    for (int i = 0; i < 2; ++i) nomina(m_cmdAtto[size_t(i)], "cmdAtto", i);
    m_boxCreaAtti->hide();

    // Pop-up menu of the seats.
    m_mnuPopup = new QMenu(QStringLiteral("Funzioni dedicate"), this);
    m_mnuPopupSub[0] = m_mnuPopup->addAction(QStringLiteral("Inizio Intervento"));
    m_mnuPopupSub[1] = m_mnuPopup->addSeparator();
}

void frmCons::CollegaEventi()
{
    for (int i = 0; i < int(m_cmdConsiglio.size()); ++i)
        connect(m_cmdConsiglio[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdConsiglio_Click(i); });
    for (int i = 0; i < int(m_cmdVoto.size()); ++i)
        connect(m_cmdVoto[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdVoto_Click(i); });
    for (int i = 0; i < int(m_cmdServizio.size()); ++i)
        connect(m_cmdServizio[size_t(i)], &QToolButton::clicked, this, [this, i] { cmdServizio_Click(i); });
    for (int i = 0; i < int(m_cmdArgo.size()); ++i)
        connect(m_cmdArgo[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdArgo_Click(i); });
    for (int i = 0; i < int(m_cmdParola.size()); ++i)
        connect(m_cmdParola[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdParola_Click(i); });
    for (int i = 0; i < int(m_cmdTempo.size()); ++i)
        connect(m_cmdTempo[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdTempo_Click(i); });
    for (int i = 0; i < int(m_cmdAtto.size()); ++i)
        connect(m_cmdAtto[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdAtto_Click(i); });
    for (int i = 0; i < int(m_cmbArgo.size()); ++i) m_cmbArgo[size_t(i)]->Click = [this, i] { cmbArgo_Click(i); };
    m_cmbTipoVoto->Click = [this] { cmbTipoVoto_Click(); };
    m_cmbTipoQuorum->Click = [this] { cmbTipoQuorum_Click(); };
    m_lstPrenotati->Click = [this] { lstPrenotati_Click(); };
    connect(m_chkImmEsec, &QCheckBox::clicked, this, [this] { chkImmEsec_Click(); });
    connect(m_mnuPopupSub[0], &QAction::triggered, this, [this] { mnuPopupSub_Click(0); });
    m_albero.NodeClick = [this](NodoAlbero* n) { oAlbero_NodeClick(n); };
}

// ---------------------------------------------------------------------------
// Loading.

void frmCons::Form_Load()
{
    if (m_caricata) return;
    m_caricata = true;

    m_chkPelin[0]->show();
    m_txtAnag[0]->hide();
    for (int i = 1; i <= kEtichette; ++i) m_txtAnag[size_t(i)]->hide();

    DisposizioneIniziale();

    m_lblTempo[2]->hide();
    m_chkLampo->setVisible(xLampo);

    aPrenotati.assign(1, Prenotato{});
    bConsoleAperta = true;
    // The board's activation starts the console's timer; through the
    // single-instance accessor, so a closed console is never touched.
    FrmVideo::Attivazione = [] {
        if (frmCons* c = frmConsAperto()) c->croTimer().SetEnabled(true);
    };
    // "Nascondi" of the LED preview hands the operator back to the console.
    FrmLED::AttivaConsole = [] {
        if (frmCons* c = frmConsAperto()) {
            c->AttivaForm(kAttivaRecordset);
            c->raise();
            c->activateWindow();
        }
    };

    iModoAttivazione = kAttivazioneCaricamento;
    AttivaForm(kAttivaRecordset | kAttivaAzzeramento | kAttivaArgomenti | kAttivaAnagrafe);
}

void frmCons::DisposizioneIniziale()
{
    QGroupBox* const* box = m_boxConsiglio.data();

    // Screen size of the control monitor, in twips.
    const double altezza = lMonitor[0].nAlt * m_twY;
    const double larghezza = lMonitor[0].nLar * m_twX;
    const bool grande = altezza > 7200;
    if (grande) {
        SetHeight(box[0], 6600);
        SetWidth(box[2], 5292);
        Piazza(m_lblTitolo[6], 4440, 240, Width(m_lblTitolo[6]), Height(m_lblTitolo[6]));
        Piazza(m_lblVoto[6], 4560, 540, Width(m_lblVoto[6]), Height(m_lblVoto[6]));
        m_lblTitolo[6]->show();
        m_lblVoto[6]->show();
        for (QPushButton* b : m_cmdVoto) SetLeft(b, Left(b) + 600);
        SetLeft(m_lblTempo[2], Left(m_lblTempo[2]) + 600);
        SetLeft(m_lblEsito, Left(m_lblEsito) + 600);
        SetWidth(m_cmbTipoVoto, Width(m_cmbTipoVoto) + 600);
        SetWidth(m_cmbTipoQuorum, Width(m_cmbTipoQuorum) + 600);
        Piazza(box[7], 10320, 0, Width(box[7]), Height(box[7]));
        box[7]->show();
    } else {
        SetHeight(box[0], 4692);
        SetWidth(box[2], 4572);
        box[7]->hide();
        // The column "non Vot." is only in the large layout.
        m_lblTitolo[6]->hide();
        m_lblVoto[6]->hide();
    }

    // The agenda and vote frames side by side below the seats.
    const double sotto = Top(box[0]) + Height(box[0]) + kMargine;
    Piazza(box[3], kMargine, sotto, 4752, kAltezzaBasso);
    Piazza(box[2], Left(box[3]) + Width(box[3]) + kMargine, sotto, Width(box[2]), kAltezzaBasso);

    // Booked-speakers panel, where the bookings put it (shown or not below).
    const double finestra = larghezza > 0 ? larghezza : width() * m_twX;
    if (finestra <= 9600)
        Piazza(box[6], Left(box[0]) + 6120, Top(box[0]), 1452, 2760);
    else
        Piazza(box[6], Left(box[0]) + Width(box[0]) + 120, Top(box[0]), 1920, 2760);

    const double destraPrenotazioni = Left(box[6]) + Width(box[6]) + kMargine;
    if (grande) {
        // Right of the bookings the clock and the sitting buttons; under
        // them the debate, then the two check boxes.
        DisponeOrologio(std::max(destraPrenotazioni, 8160.0), kMargine, false);
        Piazza(box[1], Left(box[6]), 2880, 3960, 2580);
        const double riga = Top(box[1]) + Height(box[1]) + kMargine;
        Piazza(m_chkLampo, Left(box[1]), riga, 1200, 300);
        Piazza(m_chkPelin[0], Left(box[1]) + 1260, riga, 2700, 300);
    } else {
        // The debate as a column right of the bookings, as high as the seat
        // area; the clock, the sitting buttons and the check boxes in a row
        // under the agenda and vote frames.
        Piazza(box[1], destraPrenotazioni, Top(box[0]), 1848, Height(box[0]));
        const double riga = sotto + kAltezzaBasso + kMargine;
        DisponeOrologio(kMargine, riga, true);
        Piazza(m_chkLampo, 5100, riga, 1200, 360);
        Piazza(m_chkPelin[0], 6360, riga, 3180, 360);
    }
    DisponeDibattito(!grande);

    // The vote lists cover the debate: one over its upper half, one over
    // its lower half.
    const double meta = std::floor((Height(box[1]) - kMargine) / 2);
    Piazza(box[4], Left(box[1]) + 120, Top(box[1]), Width(box[1]) - 240, meta);
    Piazza(box[5], Left(box[1]) + 120, Top(box[1]) + meta + kMargine, Width(box[1]) - 240, meta);
    for (auto [lista, cornice] : {std::pair{m_lstVotanti, box[4]}, {m_lstAssenti, box[5]}})
        Piazza(lista, 120, 240, Width(cornice) - 240, Height(cornice) - 300);

    // The acts tree, laws mode on the large layout: fitted to the screen.
    if (grande && iTipoAssemblea == 4) {
        QTreeWidget* t = m_alberoVista;
        SetWidth(t, larghezza - Left(t) - 192);
        SetHeight(t, altezza - Height(m_boxCreaAtti) - 720 - Top(t));
        SetTop(m_boxCreaAtti, Top(t) + Height(t) + 120);
        SetLeft(m_boxCreaAtti, Left(t));
        const double d = Width(t) - Width(m_boxCreaAtti);
        if (d > 0) {
            const double piu = std::min(d, Width(m_boxCreaAtti));
            SetWidth(m_boxCreaAtti, Width(m_boxCreaAtti) + piu);
            SetWidth(m_cmbTipoAtto, Width(m_cmbTipoAtto) + piu);
        }
    } else {
        // The new-act panel, when F8 shows it, under the bookings.
        Piazza(m_boxCreaAtti, Left(box[6]), Top(box[6]) + Height(box[6]) + kMargine, Width(m_boxCreaAtti),
               Height(m_boxCreaAtti));
    }
    m_alberoVista->setVisible(grande && iTipoAssemblea == 4);
    m_boxCreaAtti->hide();

    // Agenda area by assembly kind.
    if (iTipoAssemblea != 4) {
        SetWidth(m_cmbArgo[0], 1692);
        m_lblArgo[1]->setText(QStringLiteral("Emend.:"));
        Piazza(m_lblArgo[2], 2580, 270, 420, 270);
        Piazza(m_cmbArgo[1], 3000, 240, 1692, Height(m_cmbArgo[1]));
        m_cmbArgo[1]->setEnabled(true);
        Piazza(m_cmbArgo[3], 3000, 960, 1692, Height(m_cmbArgo[3]));
        m_cmbArgo[3]->Clear();
        for (const char* s : {"Emendamento", "Risoluzione", "Ordine del Giorno", "Osservazione", "Mozione Sospensiva"})
            m_cmbArgo[3]->AddItem(QString::fromLatin1(s));
        m_getDescEme->hide();
        m_cmbArgo[3]->hide();
        m_lblArgo[3]->hide();
        m_lblArgo[0]->show();
        m_cmbArgo[2]->show();
        m_cmdArgo[1]->show();
        m_chkImmEsec->show();
        m_cmdServizio[0]->setToolTip(QStringLiteral("Aggiunge Nuovi OdG"));
    } else {
        SetWidth(m_cmbArgo[0], 3852);
        m_lblArgo[1]->setText(QStringLiteral("Tipo:"));
        // "Arg.:" is hidden: "OdG:" names the item combo in its place.
        Piazza(m_lblArgo[2], 120, 270, kLarghezzaDidascalia, 270);
        Piazza(m_cmbArgo[1], 840, 600, 2400, Height(m_cmbArgo[1]));
        m_cmbArgo[1]->setEnabled(false);
        Piazza(m_cmbArgo[3], 3492, 600, 1200, Height(m_cmbArgo[3]));
        m_cmbArgo[3]->Clear();
        for (const QString& s : cStatiArgomento) m_cmbArgo[3]->AddItem(s);
        m_cmbArgo[3]->show();
        m_lblArgo[0]->hide();
        m_cmbArgo[2]->hide();
        m_cmdArgo[1]->hide();
        m_chkImmEsec->hide();
        m_getDescEme->hide();
        m_lblArgo[3]->hide();
        m_cmdServizio[0]->setToolTip(QStringLiteral("Aggiunge Nuovi ATTI (+Ctrl per eliminare)"));
    }

    // Act types, up to the first empty name.
    m_cmbArgo[1]->Clear();
    for (size_t k = 1; k < cNomiAtti.size() && !cNomiAtti[k].isEmpty(); ++k) m_cmbArgo[1]->AddItem(cNomiAtti[k]);

    Piazza(m_getTesto[0], 1200, 960, 3492, 852);
    m_getTesto[0]->show();

    m_cmbTipoVoto->Clear();
    for (const QString& nome : cNomiVoti)
        if (!nome.isEmpty()) m_cmbTipoVoto->AddItem(nome);

    m_cmbTipoQuorum->Clear();
    if (iTipoAssemblea == 4) {
        for (const char* s : {"Nessuno", "1/2+1 Consiglio", "2/3 Consiglio", "2/3 Votanti"})
            m_cmbTipoQuorum->AddItem(QString::fromLatin1(s));
    } else {
        m_cmbTipoQuorum->AddItem(QStringLiteral("Automatico"));
    }

    Piazza(m_getTesto[1], 120, 240, 4332, 1572);
    m_getTesto[1]->hide();

    // Booked-speakers panel.
    if (iPrenotazioni < 1) {
        box[6]->hide();
        m_cmdParola[2]->hide();
        Piazza(m_lstParola, Left(m_lstParola), 720, Width(m_lstParola), 1776);
    } else {
        // The console opens maximised: its width is the monitor's.
        const double larghezzaConsole = larghezza > 0 ? larghezza : width() * m_twX;
        SetTop(box[6], Top(box[0]));
        if (larghezzaConsole <= 9600) {
            SetWidth(box[6], 1452);
            SetWidth(m_lstPrenotati, 1212);
            SetLeft(box[6], Left(box[0]) + 6120);
        } else {
            SetWidth(box[6], 1920);
            SetWidth(m_lstPrenotati, 1680);
            SetLeft(box[6], Left(box[0]) + Width(box[0]) + 120);
        }
        SetHeight(box[6], 2760);
        SetHeight(m_lstPrenotati, Height(box[6]) - 240);
        box[6]->show();
        box[6]->raise();
        m_cmdParola[2]->show();
        m_cmdParola[2]->setText(QStringLiteral("Prenotazioni OFF"));
        Piazza(m_lstParola, Left(m_lstParola), 960, Width(m_lstParola), 1392);
    }
}

// The clock and the three sitting buttons: a row (small layout) or a
// column (large layout) from left, top.
void frmCons::DisponeOrologio(double left, double top, bool inRiga)
{
    if (inRiga) {
        Piazza(m_txtOBX, left, top, 1080, 360);
        static const double dopo[3] = {1140, 2220, 3300};
        static const double largo[3] = {1020, 1020, 1680};
        for (int i = 0; i < 3; ++i) Piazza(m_cmdConsiglio[size_t(i)], left + dopo[i], top, largo[i], 360);
    } else {
        Piazza(m_txtOBX, left, top, 1980, 360);
        for (int i = 0; i < 3; ++i) Piazza(m_cmdConsiglio[size_t(i)], left, top + 420 + 480 * i, 1980, 420);
    }
}

// The contents of the debate frame: the speaker's box and the speakers
// list on the left with the buttons and the two time settings beside them
// (large layout), or everything one under the other (the narrow column of
// the small layout).  The list's top and height are the bookings' (loading).
void frmCons::DisponeDibattito(bool stretta)
{
    if (stretta) {
        Piazza(m_getParola, 120, 240, 1608, kAltezzaRiga);
        Piazza(m_lstParola, 120, 720, 1608, 1776);
        for (int i = 0; i < 3; ++i) Piazza(m_cmdParola[size_t(i)], 120, 2580 + 420 * i, 1608, 360);
    } else {
        Piazza(m_getParola, 120, 240, 2220, kAltezzaRiga);
        Piazza(m_lstParola, 120, 720, 2220, 1776);
        for (int i = 0; i < 3; ++i) Piazza(m_cmdParola[size_t(i)], 2400, 240 + 420 * i, 1440, 360);
    }
    // The speaking minutes, then the length of the vote countdown.
    const double x = stretta ? 120 : 2400;
    for (int k = 0; k < 2; ++k) {
        const double y = (stretta ? 3840 : 1500) + 420 * k;
        Piazza(m_lblTempo[size_t(k)], x, y + 30, 540, 300);
        Piazza(m_cmdTempo[size_t(2 * k)], x + 600, y, 390, 360);
        Piazza(m_cmdTempo[size_t(2 * k + 1)], x + 1050, y, 390, 360);
    }
}

// ---------------------------------------------------------------------------
// Record sets.

bool frmCons::ApreRecordset(Recordset& rs, int tabella) { return ApreTabella(rs, tabella); }

void frmCons::ChiudeRecordset()
{
    for (Recordset* rs : {&rsEventi, &rsDelibere, &rsVoti, &rsLeggi}) {
        try {
            rs->Close();
        } catch (const Errore&) {
            // Closing what is already gone changes nothing.
        }
    }
}

// ---------------------------------------------------------------------------
// AttivaForm.

void frmCons::AttivaForm(int iModo)
{
    if (iModo & kAttivaRecordset) AttivaRecordset();
    if (iModo & kAttivaAnagrafe) AttivaAnagrafe();
    if (iModo & kAttivaAzzeramento) AttivaAzzeramento();
    if (iModo & kAttivaArgomenti) AttivaArgomenti();
}

void frmCons::AttivaRecordset()
{
    // Opened afresh, so that rows written by other windows meanwhile are seen.
    for (auto [rs, t] : {std::pair{&rsEventi, 3}, {&rsVoti, 4}, {&rsDelibere, 2}, {&rsLeggi, 5}}) {
        rs->Close();
        ApreRecordset(*rs, t);
    }
    m_croTimer->SetEnabled(true);
    iModoAttivazione &= 0x7FFF & ~kAttivazioneAnteprima;
}

void frmCons::AttivaAnagrafe()
{
    m_lstParola->Clear();
    if (!GestisceAnagrafe(true)) return;
    for (size_t i = 1; i < aPosti.size(); ++i) {
        const Posto& p = aPosti[i];
        Etichetta* e = txtAnag(p.iPulsanteAN);
        if (p.iPulsanteAN == 0 || !e) continue;
        e->SetCaption(TrimSpazi(p.cNomeBreveAN));
        e->SetTop(p.nTopAN);
        e->SetLeft(p.nLeftAN);
        e->Tag = Formato(double(i), QStringLiteral("##0"));
        e->show();
        e->SetBackColor(kGrigio);
    }
    cmdParola_Click(1);
}

void frmCons::AttivaAzzeramento()
{
    for (QLabel* l : m_lblVoto) l->setText(QStringLiteral("00"));
    if (oTabellone) {
        oTabellone->iPorta = iPortaTAB;
        oTabellone->iSegnaliCOM = iRiservato & 1;
        oTabellone->iModelloDisplay = iTipoTAB;
    }
    m_cmdConsiglio[2]->setEnabled(true);
    if (oTabellone) oTabellone->DettaglioTesto(QStringLiteral("0"));
    cLedPresenze = QString(48, u'0');
    if (oTabellone) oTabellone->DettaglioLed(cLedPresenze);
    iStatoConsole = ((iModoOBX & kCablaggioTessere) ? kStatoTessere : 0) | kStatoOrologio;
    m_croTimer->SetInterval(1000);

    AzzeraStatoSeduta();
    m_cmbArgo[0]->SetListIndex(-1);
    m_cmbArgo[1]->SetListIndex(0);
    m_cmbTipoVoto->SetListIndex(0);
    m_cmbTipoQuorum->SetListIndex(0);
    cTipoArg = cLettereAtti.left(1);

    m_cmbArgo[2]->setEnabled(iTipoAssemblea != 4);
    m_chkImmEsec->setEnabled(false);
    m_cmdArgo[1]->setEnabled(false);
    m_cmdArgo[0]->setEnabled(false);

    iModoOBX &= 0xFFFF & ~kCablaggioRuntime;
    if (iModoOBX & kCablaggioVotatori) {
        setWindowTitle(cConsiglio);
    } else {
        setWindowTitle(QStringLiteral("Dimostrativo: Votazione Simulata"));
        if (UI().MsgBox(QStringLiteral("usa VotiObx.txt"), vbYesNo + vbQuestion) == vbYes)
            iModoOBX |= kCablaggioFileVoti;
    }

    for (QPushButton* b : m_cmdVoto) b->setEnabled(false);
    m_cmdConsiglio[0]->setText(QStringLiteral("Apertura"));
    m_cmdConsiglio[1]->setEnabled(false);
    m_cmdParola[0]->setEnabled(false);
    if (iOpzioniConsole & kConsoleATempo) {
        m_cmdParola[0]->hide();
        m_cmdTempo[2]->show();
        m_cmdTempo[3]->show();
        m_lblTempo[1]->show();
    }
    m_lblTempo[0]->setText(Formato(iTempoRelatore, QStringLiteral("00")));
    m_cmdParola[1]->setEnabled(false);
    m_boxConsiglio[3]->setEnabled(false);
    m_boxConsiglio[2]->setEnabled(false);
    m_boxConsiglio[1]->setEnabled(false);
    m_getParola->clear();
    m_getTesto[0]->clear();
    m_getTesto[1]->clear();

    lCodVoto = 0;
    for (size_t i = 1; i < aPartiti.size(); ++i) aPartiti[i].lTempoResiduo = iTempoMaxPartito * 60;

    if (lMonitor[1].hMonitor != 0) frmVideo().Mostra();
}

void frmCons::AttivaArgomenti()
{
    const VoceScelta scelta = RicordaVoceScelta();
    m_cmbArgo[0]->Clear();
    if (iTipoAssemblea != 4)
        CaricaArgomentiConsiglio();
    else
        CaricaAttiAlbero();
    RitrovaVoceScelta(scelta);
}

void frmCons::CaricaArgomentiConsiglio()
{
    if (!ApreRecordset(rsDelibere, 2)) return;
    try {
        if (rsDelibere.RecordCount() == 0) return;
        for (rsDelibere.MoveFirst(); !rsDelibere.Eof(); rsDelibere.MoveNext()) {
            const QVariant pos = rsDelibere.Field(QStringLiteral("iPosOdGDE"));
            if (!pos.isValid() || pos.isNull()) continue;
            QString voce = PosizioneOdG(pos.toInt());
            const QVariant gruppo = rsDelibere.Field(QStringLiteral("cGruppoDE"));
            if (gruppo.isValid() && !gruppo.isNull()) {
                const QString g = gruppo.toString();
                if (!g.isEmpty() && g.at(0).unicode() > 32) voce += u'/' + g.left(1);
            }
            if (rsDelibere.Field(QStringLiteral("cTipoArgDE")).toString() == u"A") {
                const QVariant num = rsDelibere.Field(QStringLiteral("iNumOdGRegolamDE"));
                const QVariant art = rsDelibere.Field(QStringLiteral("cArticoloDE"));
                voce += QStringLiteral(" (");
                voce += (num.isValid() && !num.isNull()) ? Formato(num.toInt(), QStringLiteral("####0"))
                                                         : QStringLiteral("?");
                voce += u'.';
                if (art.isValid() && !art.isNull()) voce += TrimSpazi(art.toString());
                voce += u')';
            }
            m_cmbArgo[0]->AddItem(voce);
        }
    } catch (const Errore& e) {
        MostraErrore(e);
    }
}

void frmCons::CaricaAttiAlbero()
{
    // The act selected, or the nearest of its parents still there, stays
    // selected: the highlight and the act the keys take stay one.
    const QStringList scelta = m_albero.PercorsoSelezione();
    m_albero.Clear();
    try {
        NodoAlbero* radice = m_albero.Add(QString(), kRadiceAlbero, QStringLiteral("Crea Atto 1° Livello"));
        radice->SetSorted(true);
        radice->SetTag(QString());
        CaricaAlbero(m_albero, 1, QString(), QString(), QString(), 1);
    } catch (const Errore& e) {
        MostraErrore(e);
    }
    m_albero.RiprendeSelezione(scelta);

    if (!ApreRecordset(rsLeggi, 5)) return;
    try {
        if (rsLeggi.RecordCount() == 0) return;
        for (rsLeggi.MoveFirst(); !rsLeggi.Eof(); rsLeggi.MoveNext()) {
            // The same entry as a new act gets at the console.
            m_cmbArgo[0]->AddItem(VoceListaAtti(rsLeggi.Field(QStringLiteral("cParametriLG")).toString(),
                                                rsLeggi.Field(QStringLiteral("cNumeroAttoLG")).toString(),
                                                rsLeggi.Field(QStringLiteral("cTreeKeyLG")).toString(),
                                                rsLeggi.Field(QStringLiteral("iCodLeggeLG")).toInt()));
        }
    } catch (const Errore& e) {
        MostraErrore(e);
    }
}

// ---------------------------------------------------------------------------
// Activation.

void frmCons::CambioAttivazione(QWidget* attiva)
{
    // Another program, or no window at all: the console keeps what it has.
    if (!attiva || m_scaricata) return;
    if (attiva == this) {
        if (m_attiva) return;
        m_attiva = true;
        QMetaObject::invokeMethod(
            this, [this] { Form_Activate(); }, Qt::QueuedConnection);
        return;
    }
    if (!m_attiva || SenzaDisattivazione(attiva)) return;
    m_attiva = false;
    QMetaObject::invokeMethod(
        this, [this] { Form_Deactivate(); }, Qt::QueuedConnection);
}

void frmCons::Form_Activate()
{
    if (m_scaricata) return;
    switch (iModoAttivazione) {
    case kAttivazioneChiusura:
        iModoAttivazione = 0;
        m_croTimer->SetEnabled(true);
        break;
    case kAttivazioneCaricamento: {
        iModoAttivazione = 0;
        iPrenotazioni &= ~kPrenotazioniSospese;
        auto haRighe = [](Recordset& rs, int t) {
            try {
                if (rs.IsOpen()) return rs.RecordCount() > 0;
                return dbArchivio.RowCount(cTabelle[size_t(t)]) > 0;
            } catch (const Errore& e) {
                MostraErrore(e);
            }
            return false;
        };
        // Cancel is the default answer: a stray Enter keeps the rows.
        auto azzera = [this](Recordset& rs, int t, const char* domanda) {
            if (UI().MsgBox(QString::fromLatin1(domanda), vbOKCancel + vbQuestion + vbDefaultButton2) != vbOK) return;
            try {
                dbArchivio.Execute(QStringLiteral("DELETE * FROM ") + cTabelle[size_t(t)] + u';');
            } catch (const Errore& e) {
                MostraErrore(e);
            }
            // The record set is opened again over what is left.
            rs.Close();
            ApreRecordset(rs, t);
        };
        if (haRighe(rsEventi, 3)) azzera(rsEventi, 3, "Azzera Lista Eventi");
        if (haRighe(rsVoti, 4)) azzera(rsVoti, 4, "Azzera Votazioni");
        m_croTimer->SetEnabled(true);
        break;
    }
    case kAttivazioneTasti: break;
    default: AttivaForm(kAttivaRecordset); break;
    }
    bCambioArgo = false;
}

void frmCons::Form_Deactivate()
{
    if (iModoAttivazione & kAttivazioneTasti) return;
    ChiudeRecordset();
    m_croTimer->SetEnabled(false);
    if (iModoAttivazione & kAttivazioneChiusura) {
        if (oTabellone) oTabellone->ChiudeCom();
        iModoAttivazione = 0;
    }
}

// ---------------------------------------------------------------------------
// Closing.

bool frmCons::Chiude()
{
    if (m_scaricata) return true;
    close();
    return m_scaricata;
}

void frmCons::Form_Unload(bool& cancel)
{
    // A running vote would be lost with the window: the operator ends it
    // first (the sitting's closing drops it on purpose before closing).
    // Also one whose central ended its data and still waits for its close,
    // and one being armed or closed.
    if (RifiutaDuranteVoto()) {
        cancel = true;
        return;
    }
    if (m_cmdConsiglio[0]->text() == u"Chiusura") {
        if (UI().MsgBox(QStringLiteral("Confermi Chiusura Seduta"), vbOKCancel + vbQuestion) != vbOK) {
            cancel = true;
            return;
        }
        SalvaEvento(QStringLiteral("C"), QString());
        if (oTabellone) {
            oTabellone->DettaglioLed(QString(48, u'0'));
            oTabellone->DettaglioTesto(QStringLiteral("9"));
        }
        m_cmbArgo[2]->Clear();
        UI().MsgBox(QStringLiteral("Seduta Conclusa"), vbOKOnly);
        if (oTabellone) oTabellone->ChiudeCom();
        ScaricaFrmVideo();
        if (oComCARD.PortOpen()) oComCARD.SetPortOpen(false);
        iModoAttivazione = kAttivazioneChiusura;
    }
    ScaricaFrmVideo();
    bConsoleAperta = false;
    if (iOpzioniConsole & kConsolePresenzeBloccabili) iOpzioniConsole &= ~kConsolePresenzeBloccate;
}

void frmCons::closeEvent(QCloseEvent* e)
{
    if (m_scaricata) {
        e->accept();
        return;
    }
    if (m_inChiusura) {
        // Asked again while the closing's own questions are up.
        e->ignore();
        return;
    }
    m_inChiusura = true;
    QPointer<frmCons> io(this);
    bool cancel = false;
    Form_Unload(cancel);
    if (!io) return;
    m_inChiusura = false;
    if (cancel) {
        e->ignore();
        return;
    }
    Scarica();
    e->accept();
}

void frmCons::Scarica()
{
    m_scaricata = true;
    if (g_console == this) g_console = nullptr;
    g_chiusa = this;
    // What losing the focus does, done now: the window goes away before
    // another window of the program can take it.
    if (m_attiva) {
        m_attiva = false;
        Form_Deactivate();
    }
    if (iModoAttivazione & kAttivazioneChiusura) {
        if (oTabellone) oTabellone->ChiudeCom();
        iModoAttivazione = 0;
    }
    m_croTimer->SetEnabled(false);
    ChiudeRecordset();
    qApp->removeEventFilter(this);
    hide();
    // Destroyed by the next opening, or once the waits running inside it end.
    if (m_cicli == 0)
        deleteLater();
    else
        m_distruggiDopo = true;
}

// ---------------------------------------------------------------------------
// Events of the window system turned into the console's handlers.

bool frmCons::eventFilter(QObject* o, QEvent* e)
{
    switch (e->type()) {
    case QEvent::WindowActivate: {
        auto* w = qobject_cast<QWidget*>(o);
        if (w && w->isWindow() && w == QApplication::activeWindow()) CambioAttivazione(w);
        break;
    }
    case QEvent::KeyPress: {
        if (m_scaricata) break;
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->window() != this) break;
        auto* k = static_cast<QKeyEvent*>(e);
        int codice = CodiceTasto(k);
        if (codice == 0) break;
        Form_KeyDown(codice, ShiftDi(k->modifiers()));
        if (codice == 0) return true;
        break;
    }
    case QEvent::MouseButtonPress: {
        if (m_scaricata) break;
        auto* m = static_cast<QMouseEvent*>(e);
        const int pulsante = PulsanteDi(m->button());
        const int maiusc = ShiftDi(m->modifiers());
        const float x = float(m->position().x() * m_twX), y = float(m->position().y() * m_twY);
        for (int i = 1; i <= kEtichette; ++i) {
            if (o == m_txtAnag[size_t(i)]) {
                txtAnag_MouseDown(i, pulsante, maiusc, x, y);
                return true;
            }
        }
        if (o == m_lstParola->viewport())
            lstParola_MouseDown(pulsante, maiusc, x, y);
        else if (o == m_getParola)
            getParola_MouseDown(pulsante, maiusc, x, y);
        else if (o == m_getTesto[0]->viewport())
            getTesto_Click(0);
        else if (o == m_getTesto[1]->viewport())
            getTesto_Click(1);
        break;
    }
    case QEvent::MouseButtonRelease:
        if (!m_scaricata && o == m_txtOBX && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) txtOBX_Click();
        break;
    case QEvent::FocusIn:
        if (!m_scaricata && o == m_getIDAtto) getIDAtto_GotFocus();
        break;
    default: break;
    }
    return QWidget::eventFilter(o, e);
}

}  // namespace obx
