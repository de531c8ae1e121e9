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
#include <QFontDialog>
#include <QGroupBox>
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

QPointer<frmCons> g_console;     // the console that is open
QPointer<frmCons> g_chiusa;      // a closed console waiting to be destroyed

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
    case Qt::SplashScreen:
        return true;
    default:
        break;
    }
    if (qobject_cast<QMessageBox*>(w) || qobject_cast<QInputDialog*>(w) ||
        qobject_cast<QFileDialog*>(w) || qobject_cast<QColorDialog*>(w) ||
        qobject_cast<QFontDialog*>(w) || qobject_cast<QAbstractPrintDialog*>(w) ||
        qobject_cast<QPageSetupDialog*>(w) || qobject_cast<QProgressDialog*>(w) ||
        qobject_cast<QErrorMessage*>(w))
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

int Maiuscole(Qt::KeyboardModifiers m)
{
    int s = 0;
    if (m & Qt::ShiftModifier) s |= 1;
    if (m & Qt::ControlModifier) s |= 2;
    if (m & Qt::AltModifier) s |= 4;
    return s;
}

int Pulsante(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

// The agenda position right-aligned in three characters, as the combo
// lists it.
QString PosizioneOdG(int pos)
{
    return (QStringLiteral("   ") + Str(pos)).right(3);
}

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
        if (vecchia->m_cicli == 0) delete vecchia;
        else vecchia->m_distruggiDopo = true;
    }
    auto* f = new frmCons;
    g_console = f;
    QPointer<frmCons> guardia(f);
    f->Form_Load();
    if (!guardia || g_console != f) return frmConsAperto();
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
                   std::max(1, int(std::lround(width / m_twX))),
                   std::max(1, int(std::lround(height / m_twY))));
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

// Design-time places (twips).  The loading moves and sizes what depends on
// the monitor, the assembly kind and the bookings.
void frmCons::CreaControlli()
{
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
        Piazza(c, l, t, w, 315);
        return c;
    };

    // Seat area and, to its right, the bookings, the debate and the vote
    // lists that cover it during a vote; services, clock and sitting buttons
    // in the right column; agenda and vote frames below.
    m_boxConsiglio[0] = gruppo(this, "Aventi diritto al Voto", 120, 120, 6000, 4692);
    m_boxConsiglio[1] = gruppo(this, "Dibattito", 6240, 3000, 3960, 2400);
    m_boxConsiglio[2] = gruppo(this, "Votazione", 5040, 6900, 4572, 1932);
    m_boxConsiglio[3] = gruppo(this, "Argomenti", 120, 6900, 4812, 1932);
    m_boxConsiglio[4] = gruppo(this, "Devono Votare ...", 6360, 3000, 3720, 1200);
    m_boxConsiglio[5] = gruppo(this, "Non possono Votare", 6360, 4200, 3720, 1200);
    m_boxConsiglio[6] = gruppo(this, "Prenotazioni", 6240, 120, 1920, 2760);
    m_boxConsiglio[7] = gruppo(this, "Servizio", 10320, 0, 900, 3480);
    m_boxConsiglio[4]->hide();
    m_boxConsiglio[5]->hide();

    // Seat labels: 0 is the pattern the others are made from.
    for (int i = 0; i <= kEtichette; ++i) {
        auto* e = new Etichetta(m_boxConsiglio[0], m_twX, m_twY);
        e->Move(120, 240, 1200, 300);
        e->SetAllineamento(Etichetta::Centro);
        e->SetBackColor(kGrigio);
        e->SetBackStyle(1);
        e->setFrameShape(QFrame::Box);
        e->setCursor(Qt::PointingHandCursor);
        e->installEventFilter(this);
        e->hide();
        m_txtAnag[size_t(i)] = e;
    }

    // Debate.
    QGroupBox* dib = m_boxConsiglio[1];
    m_getParola = new QLineEdit(dib);
    Piazza(m_getParola, 120, 240, 2520, 315);
    m_getParola->installEventFilter(this);
    m_lstParola = new ElencoLista(dib);
    Piazza(m_lstParola, 120, 720, 2520, 1776);
    m_lstParola->viewport()->installEventFilter(this);
    m_cmdParola[0] = bottone(dib, "Conclude", 2760, 240, 1080, 360);
    m_cmdParola[1] = bottone(dib, "Rilegge Lista", 2760, 660, 1080, 360);
    m_cmdParola[2] = bottone(dib, "Prenotazioni OFF", 2760, 1080, 1080, 360);
    m_lblTempo[0] = etichetta(dib, "", 2760, 1560, 480, 300);
    m_cmdTempo[0] = bottone(dib, "+", 3240, 1500, 300, 300);
    m_cmdTempo[1] = bottone(dib, "-", 3540, 1500, 300, 300);
    m_lblTempo[1] = etichetta(dib, "", 2760, 1920, 480, 300);
    m_cmdTempo[2] = bottone(dib, "+", 3240, 1860, 300, 300);
    m_cmdTempo[3] = bottone(dib, "-", 3540, 1860, 300, 300);
    for (int i : {0, 1}) m_lblTempo[size_t(i)]->setAlignment(Qt::AlignCenter);
    m_lblTempo[1]->hide();
    m_cmdTempo[2]->hide();
    m_cmdTempo[3]->hide();

    // Vote lists over the debate.
    m_lstVotanti = new ElencoLista(m_boxConsiglio[4]);
    Piazza(m_lstVotanti, 120, 240, 3480, 840);
    m_lstAssenti = new ElencoLista(m_boxConsiglio[5]);
    Piazza(m_lstAssenti, 120, 240, 3480, 840);

    // Bookings.
    m_lstPrenotati = new ElencoLista(m_boxConsiglio[6]);
    Piazza(m_lstPrenotati, 120, 240, 1680, 2520);

    // Services.
    static const char* suggerimenti[6] = {
        "Aggiunge nuovi OdG (+ CTRL per eliminare)", "Stampa lista Eventi", "Sostituzione Segretario",
        "Promemoria funzioni dedicate", "Seleziona Atto da votare (+Ctrl reset)", "Verifica Voto Precedente"};
    static const char* simboli[6] = {"+", "E", "S", "?", "A", "V"};
    for (int i = 0; i < 6; ++i) {
        auto* b = new QToolButton(m_boxConsiglio[7]);
        b->setText(QString::fromLatin1(simboli[i]));
        b->setToolTip(QString::fromUtf8(suggerimenti[i]));
        b->setFocusPolicy(Qt::TabFocus);
        Piazza(b, 180, 240 + 540 * i, 540, 480);
        m_cmdServizio[size_t(i)] = b;
    }

    m_txtOBX = new QLabel(QStringLiteral("00:00:00"), this);
    Piazza(m_txtOBX, 10320, 3600, 1500, 360);
    m_txtOBX->setAlignment(Qt::AlignCenter);
    m_txtOBX->setFrameShape(QFrame::Panel);
    m_txtOBX->installEventFilter(this);
    m_cmdConsiglio[0] = bottone(this, "Apertura", 10320, 4080, 1500, 420);
    m_cmdConsiglio[1] = bottone(this, "Sospesa", 10320, 4560, 1500, 420);
    m_cmdConsiglio[2] = bottone(this, "Presenze Tabellone", 10320, 5040, 1500, 420);

    // Agenda.
    QGroupBox* arg = m_boxConsiglio[3];
    m_lblArgo[0] = etichetta(arg, "Arg.:", 120, 300, 700, 255);
    m_lblArgo[1] = etichetta(arg, "Emend.:", 120, 660, 700, 255);
    m_lblArgo[2] = etichetta(arg, "OdG:", 2580, 300, 420, 255);
    m_lblArgo[3] = etichetta(arg, "Descr.:", 2580, 1020, 420, 255);
    m_cmbArgo[0] = combo(arg, 840, 240, 1692);
    m_cmbArgo[1] = combo(arg, 3000, 240, 1692);
    m_cmbArgo[2] = combo(arg, 840, 600, 1692);
    m_cmbArgo[3] = combo(arg, 3000, 960, 1692);
    m_cmdArgo[0] = bottone(arg, "Nota", 120, 960, 960, 360);
    m_cmdArgo[1] = bottone(arg, "Emend.", 2580, 600, 660, 315);
    m_chkImmEsec = new QCheckBox(QStringLiteral("Im. Es."), arg);
    Piazza(m_chkImmEsec, 120, 1440, 1000, 300);
    m_getDescEme = new QLineEdit(arg);
    Piazza(m_getDescEme, 840, 1500, 3852, 315);
    m_getTesto[0] = new QPlainTextEdit(arg);
    Piazza(m_getTesto[0], 1200, 960, 3492, 852);

    // Vote.
    QGroupBox* vot = m_boxConsiglio[2];
    static const char* titoli[7] = {"Presenti", "Quorum", "Favor.", "Contrari", "Astenuti", "Votanti",
                                    "non Vot."};
    for (int i = 0; i < 7; ++i) {
        const double l = i < 6 ? 120 + 720 * i : 4800;
        m_lblTitolo[size_t(i)] = etichetta(vot, titoli[i], l, 240, 720, 255);
        m_lblTitolo[size_t(i)]->setAlignment(Qt::AlignCenter);
        m_lblVoto[size_t(i)] = etichetta(vot, "", l + 120, 540, 480, 300);
        m_lblVoto[size_t(i)]->setAlignment(Qt::AlignCenter);
        m_lblVoto[size_t(i)]->setFrameShape(QFrame::Panel);
    }
    m_lblArgo[4] = etichetta(vot, "Voto:", 120, 960, 600, 255);
    m_lblArgo[5] = etichetta(vot, "Quorum:", 120, 1320, 600, 255);
    m_cmbTipoVoto = combo(vot, 720, 900, 1800);
    m_cmbTipoQuorum = combo(vot, 720, 1260, 1800);
    static const char* voti[6] = {"Aperta", "Annulla", "Presenze", "Chiusa", "Stampa", "Prova"};
    for (int i = 0; i < 6; ++i)
        m_cmdVoto[size_t(i)] = bottone(vot, voti[i], 2640 + 620 * (i % 3), 900 + 420 * (i / 3), 600, 360);
    m_lblTempo[2] = etichetta(vot, "", 2640, 1680, 600, 255);
    m_lblEsito = etichetta(vot, "", 3240, 1680, 1260, 255);
    m_lblEsito->setAlignment(Qt::AlignCenter);
    m_lblEsito->hide();
    m_chkLampo = new QCheckBox(QStringLiteral("Lampeggio"), vot);
    Piazza(m_chkLampo, 120, 1680, 1200, 255);
    m_chkPelin[0] = new QCheckBox(QStringLiteral("voto casuale se CTRL premuto"), vot);
    Piazza(m_chkPelin[0], 1320, 1680, 1320, 255);
    m_chkPelin[0]->hide();
    m_getTesto[1] = new QPlainTextEdit(vot);
    Piazza(m_getTesto[1], 120, 240, 4332, 1572);
    m_getTesto[1]->hide();
    for (QPlainTextEdit* t : m_getTesto) t->viewport()->installEventFilter(this);

    // Acts tree and the new-act panel (laws mode, large screens).
    m_alberoVista = new QTreeWidget(this);
    m_alberoVista->setHeaderHidden(true);
    Piazza(m_alberoVista, 11880, 120, 4572, 6000);
    m_alberoVista->hide();
    m_albero.Attach(m_alberoVista);
    m_boxCreaAtti = gruppo(this, "Nuovo Atto", 11880, 6240, 4572, 1332);
    m_lblAtto[0] = etichetta(m_boxCreaAtti, "ID:", 120, 300, 600, 255);
    m_getIDAtto = new QLineEdit(m_boxCreaAtti);
    Piazza(m_getIDAtto, 720, 240, 1200, 315);
    m_getIDAtto->installEventFilter(this);
    m_lblAtto[1] = etichetta(m_boxCreaAtti, "Tipo:", 120, 660, 600, 255);
    m_cmbTipoAtto = combo(m_boxCreaAtti, 720, 600, 3732);
    m_cmdAtto[0] = bottone(m_boxCreaAtti, "Salva", 2040, 240, 1140, 315);
    m_cmdAtto[1] = bottone(m_boxCreaAtti, "Annulla", 3300, 240, 1140, 315);
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
            c->AttivaForm(1);
            c->raise();
            c->activateWindow();
        }
    };

    iModoAttivazione = 128;
    AttivaForm(15);
}

void frmCons::DisposizioneIniziale()
{
    QGroupBox* const* box = m_boxConsiglio.data();
    SetLeft(box[4], Left(box[1]) + 120);
    SetLeft(box[5], Left(box[1]) + 120);

    // Screen size of the control monitor, in twips.
    const double altezza = lMonitor[0].nAlt * m_twY;
    const double larghezza = lMonitor[0].nLar * m_twX;
    const bool grande = altezza > 7200;
    if (grande) {
        SetHeight(box[0], 6600);
        SetWidth(box[2], 5292);
        Piazza(m_lblTitolo[6], 4440, 240, Width(m_lblTitolo[6]), Height(m_lblTitolo[6]));
        Piazza(m_lblVoto[6], 4560, 540, Width(m_lblVoto[6]), Height(m_lblVoto[6]));
        for (QPushButton* b : m_cmdVoto) SetLeft(b, Left(b) + 600);
        SetLeft(m_lblTempo[2], Left(m_lblTempo[2]) + 600);
        SetLeft(m_lblEsito, Left(m_lblEsito) + 600);
        SetWidth(m_cmbTipoVoto, Width(m_cmbTipoVoto) + 600);
        SetWidth(m_cmbTipoQuorum, Width(m_cmbTipoQuorum) + 600);
        Piazza(box[7], 10320, 0, Width(box[7]), Height(box[7]));
        box[7]->show();
        if (iTipoAssemblea == 4) {
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
        }
    } else {
        SetHeight(box[0], 4692);
        SetWidth(box[2], 4572);
        box[7]->hide();
    }
    m_alberoVista->setVisible(grande && iTipoAssemblea == 4);
    m_boxCreaAtti->hide();

    // The agenda and vote frames below the seats and the debate.
    const double sotto = std::max(Top(box[0]) + Height(box[0]), Top(box[1]) + Height(box[1])) + 120;
    SetTop(box[2], sotto);
    SetTop(box[3], sotto);

    // Agenda area by assembly kind.
    if (iTipoAssemblea != 4) {
        SetWidth(m_cmbArgo[0], 1692);
        m_lblArgo[1]->setText(QStringLiteral("Emend.:"));
        Piazza(m_cmbArgo[1], 3000, 240, 1692, Height(m_cmbArgo[1]));
        m_cmbArgo[1]->setEnabled(true);
        Piazza(m_cmbArgo[3], 3000, 960, 1692, Height(m_cmbArgo[3]));
        m_cmbArgo[3]->Clear();
        for (const char* s : {"Emendamento", "Risoluzione", "Ordine del Giorno", "Osservazione",
                              "Mozione Sospensiva"})
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
        const double finestra = larghezza > 0 ? larghezza : width() * m_twX;
        SetTop(box[6], Top(box[0]));
        if (finestra <= 9600) {
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
    if (iModo & 1) AttivaRecordset();
    if (iModo & 8) AttivaAnagrafe();
    if (iModo & 2) AttivaAzzeramento();
    if (iModo & 4) AttivaArgomenti();
}

void frmCons::AttivaRecordset()
{
    // Opened afresh, so that rows written by other windows meanwhile are seen.
    for (auto [rs, t] : {std::pair{&rsEventi, 3}, {&rsVoti, 4}, {&rsDelibere, 2}, {&rsLeggi, 5}}) {
        rs->Close();
        ApreRecordset(*rs, t);
    }
    m_croTimer->SetEnabled(true);
    iModoAttivazione &= 0x5FFF;
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
    iStatoConsole = (iModoOBX & 2) * 16 + 1;
    m_croTimer->SetInterval(1000);

    iPresenti = 0;
    cOspitiPresenti = QString(120, QChar(0));
    cTipoVoto = QStringLiteral("-");
    iFlagQuorum = 0;
    iDelibera = 0;
    iCodiceAtto = 0;
    iRadiceLegge = 0;
    m_cmbArgo[0]->SetListIndex(-1);
    for (QString& a : cArgomento) a.clear();
    for (size_t i = 1; i <= 6; ++i) iRichiedenti[i] = 0;

    cTipoArg = QStringLiteral("*");
    m_cmbArgo[1]->SetListIndex(0);
    m_cmbTipoVoto->SetListIndex(0);
    m_cmbTipoQuorum->SetListIndex(0);
    cTipoArg = cLettereAtti.left(1);

    m_cmbArgo[2]->setEnabled(iTipoAssemblea != 4);
    m_chkImmEsec->setEnabled(false);
    m_cmdArgo[1]->setEnabled(false);
    m_cmdArgo[0]->setEnabled(false);

    iModoOBX &= 0x7F7F;
    if (iModoOBX & 4) {
        setWindowTitle(cConsiglio);
    } else {
        setWindowTitle(QStringLiteral("Dimostrativo: Votazione Simulata"));
        if (UI().MsgBox(QStringLiteral("usa VotiObx.txt"), vbYesNo + vbQuestion) == vbYes) iModoOBX |= 0x80;
    }

    for (QPushButton* b : m_cmdVoto) b->setEnabled(false);
    m_cmdConsiglio[0]->setText(QStringLiteral("Apertura"));
    m_cmdConsiglio[1]->setEnabled(false);
    m_cmdParola[0]->setEnabled(false);
    if (iOpzioniConsole & 1) {
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
    if (iTipoAssemblea != 4) CaricaArgomentiConsiglio();
    else CaricaAttiAlbero();
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
    m_albero.Clear();
    try {
        NodoAlbero* radice = m_albero.Add(QString(), kRadiceAlbero, QStringLiteral("Crea Atto 1° Livello"));
        radice->SetSorted(true);
        radice->SetTag(QString());
        CaricaAlbero(m_albero, 1, QString(), QString(), QString(), 1);
    } catch (const Errore& e) {
        MostraErrore(e);
    }

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
        QMetaObject::invokeMethod(this, [this] { Form_Activate(); }, Qt::QueuedConnection);
        return;
    }
    if (!m_attiva || SenzaDisattivazione(attiva)) return;
    m_attiva = false;
    QMetaObject::invokeMethod(this, [this] { Form_Deactivate(); }, Qt::QueuedConnection);
}

void frmCons::Form_Activate()
{
    if (m_scaricata) return;
    switch (iModoAttivazione) {
    case 64:
        iModoAttivazione = 0;
        m_croTimer->SetEnabled(true);
        break;
    case 128: {
        iModoAttivazione = 0;
        iPrenotazioni &= ~64;
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
            if (UI().MsgBox(QString::fromLatin1(domanda), vbOKCancel + vbQuestion + vbDefaultButton2) != vbOK)
                return;
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
    case 256:
        break;
    default:
        AttivaForm(1);
        break;
    }
    bCambioArgo = false;
}

void frmCons::Form_Deactivate()
{
    if (iModoAttivazione & 256) return;
    ChiudeRecordset();
    m_croTimer->SetEnabled(false);
    if (iModoAttivazione & 64) {
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
    if (VotoInCorso()) {
        UI().MsgBox(QString::fromUtf8(kMsgVotoInCorso), vbExclamation);
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
        iModoAttivazione = 64;
    }
    ScaricaFrmVideo();
    bConsoleAperta = false;
    if (iOpzioniConsole & 2) iOpzioniConsole &= ~4;
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
    if (iModoAttivazione & 64) {
        if (oTabellone) oTabellone->ChiudeCom();
        iModoAttivazione = 0;
    }
    m_croTimer->SetEnabled(false);
    ChiudeRecordset();
    qApp->removeEventFilter(this);
    hide();
    // Destroyed by the next opening, or once the waits running inside it end.
    if (m_cicli == 0) deleteLater();
    else m_distruggiDopo = true;
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
        Form_KeyDown(codice, Maiuscole(k->modifiers()));
        if (codice == 0) return true;
        break;
    }
    case QEvent::MouseButtonPress: {
        if (m_scaricata) break;
        auto* m = static_cast<QMouseEvent*>(e);
        const int pulsante = Pulsante(m->button());
        const int maiusc = Maiuscole(m->modifiers());
        const float x = float(m->position().x() * m_twX), y = float(m->position().y() * m_twY);
        for (int i = 1; i <= kEtichette; ++i) {
            if (o == m_txtAnag[size_t(i)]) {
                txtAnag_MouseDown(i, pulsante, maiusc, x, y);
                return true;
            }
        }
        if (o == m_lstParola->viewport()) lstParola_MouseDown(pulsante, maiusc, x, y);
        else if (o == m_getParola) getParola_MouseDown(pulsante, maiusc, x, y);
        else if (o == m_getTesto[0]->viewport()) getTesto_Click(0);
        else if (o == m_getTesto[1]->viewport()) getTesto_Click(1);
        break;
    }
    case QEvent::MouseButtonRelease:
        if (!m_scaricata && o == m_txtOBX && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
            txtOBX_Click();
        break;
    case QEvent::FocusIn:
        if (!m_scaricata && o == m_getIDAtto) getIDAtto_GotFocus();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(o, e);
}

}  // namespace obx
