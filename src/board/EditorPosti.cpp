#include "board/EditorPosti.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <cmath>

#include "board/Video.h"
#include "platform/Dialoghi.h"
#include "platform/Eventi.h"
#include "platform/Schermo.h"
#include "platform/Testo.h"
#include "shell/VotoInCorso.h"

namespace obx {

namespace {

// Grid step in twips: from none to a quarter of an inch.
constexpr int kPassoMassimo = 360;
constexpr int kPassoIniziale = 100;
// How often a shown editor looks whether a vote has started or ended.
constexpr int kVegliaVotoMs = 250;
const char* const kComandiSospesi = "Votazione in corso: comandi disattivati fino al termine";

}  // namespace

EditorPosti::EditorPosti(Disposizione::Pannello pannello, QWidget* padre)
    : QWidget(padre, Qt::Window), m_modello(pannello)
{
    TieneNelloSchermo(this);
    setWindowTitle(QStringLiteral("Disposizione Consiglieri"));
    m_twX = TwipsPerPixelX();
    m_twY = TwipsPerPixelY();
    m_lblStato = new QLabel(this);
    m_lblStato->setObjectName(QStringLiteral("lblStato"));
    m_lblStato->setWordWrap(true);
    m_lblStato->setFrameShape(QFrame::Panel);
    m_lblStato->setFrameShadow(QFrame::Sunken);
    // Room for two lines, so that a message does not resize the window.
    m_lblStato->setMinimumHeight(2 * m_lblStato->fontMetrics().lineSpacing() + 2 * m_lblStato->frameWidth() + 4);
    // No timer event may start a vote's wait of its own: the look is a
    // plain read of the vote's state.
    m_vegliaVoto = new QTimer(this);
    m_vegliaVoto->setInterval(kVegliaVotoMs);
    connect(m_vegliaVoto, &QTimer::timeout, this, [this] { AggiornaComandi(); });
}

int EditorPosti::PxX(double twips) const { return int(std::lround(twips / m_twX)); }
int EditorPosti::PxY(double twips) const { return int(std::lround(twips / m_twY)); }

Etichetta* EditorPosti::txtAnag(int k) const { return k >= 0 && k <= kEtichette ? m_txtAnag[size_t(k)] : nullptr; }

QPushButton* EditorPosti::cmdPosti(int i) const
{
    return i >= 0 && i < int(m_cmdPosti.size()) ? m_cmdPosti[size_t(i)] : nullptr;
}

int EditorPosti::PostoDellaEtichetta(const Etichetta* e) { return e ? int(Val(QStringLiteral("0") + e->Tag)) : 0; }

void EditorPosti::CreaPannello(double larghezza, double altezza, double larghezzaEtichetta, double altezzaEtichetta,
                               Etichetta::Allineamento allineamento, bool grassetto)
{
    m_boxPosti = new QGroupBox(QStringLiteral("Aventi diritto al Voto"), this);
    m_boxPosti->setObjectName(QStringLiteral("boxPosti"));
    m_boxPosti->setFixedSize(std::max(1, PxX(larghezza)), std::max(1, PxY(altezza)));

    // Label 0 is the template and is never shown.
    for (int k = 0; k <= kEtichette; ++k) {
        auto* e = new Etichetta(m_boxPosti, m_twX, m_twY);
        e->setObjectName(QStringLiteral("txtAnag(%1)").arg(k));
        e->Move(0, 0, larghezzaEtichetta, altezzaEtichetta);
        e->SetAllineamento(allineamento);
        e->setAlignment(e->alignment() & ~Qt::AlignVertical_Mask);
        e->setAlignment(e->alignment() | Qt::AlignVCenter);
        e->setWordWrap(false);
        e->setFrameShape(QFrame::Box);
        if (grassetto) {
            QFont f = e->font();
            f.setBold(true);
            e->SetFont(f);
        }
        e->setCursor(Qt::OpenHandCursor);
        e->hide();
        if (k > 0) e->installEventFilter(this);
        m_txtAnag[size_t(k)] = e;
    }

    m_lblPosti = new QLabel(QStringLiteral("DISPONIBILI:"), this);
    m_lblPosti->setObjectName(QStringLiteral("lblPosti"));
    m_lstLiberi = new QListWidget(this);
    m_lstLiberi->setObjectName(QStringLiteral("lstLiberi"));
    connect(m_lstLiberi, &QListWidget::itemClicked, this, [this] { lstLiberi_Click(); });

    m_chkAllinea = new QCheckBox(QStringLiteral("Allineamento Automatico"), this);
    m_chkAllinea->setObjectName(QStringLiteral("chkAllinea"));
    connect(m_chkAllinea, &QCheckBox::clicked, this, [this] { chkAllinea_Click(); });
    m_barAllinea = new QScrollBar(Qt::Horizontal, this);
    m_barAllinea->setObjectName(QStringLiteral("barAllinea"));
    m_barAllinea->setRange(0, kPassoMassimo);
    m_barAllinea->setSingleStep(10);
    m_barAllinea->setPageStep(60);
    connect(m_barAllinea, &QScrollBar::valueChanged, this, [this] { barAllinea_Change(); });
    m_txtAllinea = new QLabel(this);
    m_txtAllinea->setObjectName(QStringLiteral("txtAllinea"));
    m_txtAllinea->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_txtAllinea->setFrameShape(QFrame::Panel);
    m_txtAllinea->setFrameShadow(QFrame::Sunken);
    m_txtAllinea->setMinimumWidth(m_txtAllinea->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 8);
}

QPushButton* EditorPosti::CreaComando(int i, const QString& testo, bool bloccatoDuranteVoto)
{
    auto* b = new QPushButton(testo, this);
    b->setObjectName(QStringLiteral("cmdPosti(%1)").arg(i));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, i] { cmdPosti_Click(i); });
    m_cmdPosti[size_t(i)] = b;
    m_bloccatoDuranteVoto[size_t(i)] = bloccatoDuranteVoto;
    b->setEnabled(!(bloccatoDuranteVoto && VotoInCorso()));
    return b;
}

// ---------------------------------------------------------------------------
// A vote in hand.  A message box or a modal window raised here would run
// its own loop inside the vote loop and hold the keys in the port until it
// is closed: while a vote runs the editor asks nothing and refuses on its
// own status line.

void EditorPosti::AggiornaComandi()
{
    const bool voto = VotoInCorso();
    for (size_t i = 0; i < m_cmdPosti.size(); ++i)
        if (m_cmdPosti[i] && m_bloccatoDuranteVoto[i]) m_cmdPosti[i]->setEnabled(!voto);
    if (voto && !m_votoVisto)
        m_lblStato->setText(QString::fromUtf8(kComandiSospesi));
    else if (!voto && m_votoVisto)
        m_lblStato->clear();
    m_votoVisto = voto;
}

bool EditorPosti::RifiutaDuranteVotoQui()
{
    if (!VotoInCorso()) return false;
    AggiornaComandi();
    m_lblStato->setText(QString::fromUtf8(kMsgVotoInCorso));
    return true;
}

void EditorPosti::Avvisa(const QString& testo)
{
    if (VotoInCorso()) {
        m_lblStato->setText(testo);
        return;
    }
    m_lblStato->clear();
    UI().MsgBox(testo);
}

// ---------------------------------------------------------------------------
// Showing, activation, closing.

void EditorPosti::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!e->spontaneous()) {
        m_votoVisto = false;
        m_lblStato->clear();
        AggiornaComandi();
        m_vegliaVoto->start();
        Form_Activate();
    }
}

void EditorPosti::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    if (!e->spontaneous()) m_vegliaVoto->stop();
}

void EditorPosti::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) AggiornaComandi();
}

void EditorPosti::closeEvent(QCloseEvent* e)
{
    // Closed from its frame: as "Annulla", the window is kept for the next
    // opening.
    AnnullaTrascinamento();
    m_lstLiberi->clear();
    e->accept();
}

void EditorPosti::Form_Activate()
{
    AnnullaTrascinamento();
    // Labels and list are rebuilt whole: nothing a former showing left on
    // them (a label given and then abandoned, a name listed) survives.
    for (int k = 1; k <= kEtichette; ++k) Libera(k);
    m_lstLiberi->clear();
    if (m_modello.Carica()) {
        for (int i = 1; i <= m_modello.Ultimo(); ++i) {
            const int k = m_modello.EtichettaDel(i);
            if (k > 0)
                Mostra(k, i);
            else
                AggiungeLibero(i, true);
        }
    }
    m_barAllinea->setValue(kPassoIniziale);
    barAllinea_Change();
    m_barAllinea->setEnabled(false);
    m_chkAllinea->setChecked(false);
}

void EditorPosti::Mostra(int k, int i)
{
    Etichetta* e = m_txtAnag[size_t(k)];
    e->SetCaption(RTrimSpazi(m_modello.Posti()[size_t(i)].cNomeBreveAN));
    e->SetLeft(m_modello.Left(i));
    e->SetTop(m_modello.Top(i));
    e->Tag = QString::number(i);
    StileEtichetta(e);
    e->show();
    e->raise();
}

void EditorPosti::Libera(int k)
{
    Etichetta* e = m_txtAnag[size_t(k)];
    e->hide();
    e->move(0, 0);
    e->SetCaption(QString());
    e->Tag.clear();
}

void EditorPosti::AggiungeLibero(int i, bool nomeIntero)
{
    const QString& nome = m_modello.Posti()[size_t(i)].cNomeBreveAN;
    auto* voce = new QListWidgetItem(nomeIntero ? nome : TrimSpazi(nome));
    // The entry carries its seat: two seats may share one short name.
    voce->setData(Qt::UserRole, i);
    m_lstLiberi->addItem(voce);
}

// ---------------------------------------------------------------------------
// Grid.

void EditorPosti::barAllinea_Change() { m_txtAllinea->setText(Formato(m_barAllinea->value(), QStringLiteral("###"))); }

void EditorPosti::chkAllinea_Click() { m_barAllinea->setEnabled(m_chkAllinea->isChecked()); }

// ---------------------------------------------------------------------------
// Drag and drop.

void EditorPosti::txtAnag_MouseDown(int Index, int, int Shift, float X, float Y)
{
    Etichetta* e = Index >= 1 ? txtAnag(Index) : nullptr;
    if (!e || !e->Visible()) return;
    if (Shift & 2) {
        // Removal: the seat the label carries, whatever its name.
        const int i = PostoDellaEtichetta(e);
        if (m_trascinata == Index) AnnullaTrascinamento();
        if (!m_modello.Rimuove(i)) return;
        Libera(Index);
        AggiungeLibero(i, false);
        return;
    }
    AnnullaTrascinamento();
    m_trascinata = Index;
    m_presa = QPointF(X, Y);
    e->raise();
    e->setCursor(Qt::ClosedHandCursor);
}

void EditorPosti::txtAnag_DragDrop(int Index, float X, float Y)
{
    // The point inside the label under the pointer, measured on the panel.
    const Etichetta* e = txtAnag(Index);
    if (!e) return;
    boxPosti_DragDrop(float(e->Left() + X), float(e->Top() + Y));
}

void EditorPosti::boxPosti_DragDrop(float X, float Y)
{
    const int k = m_trascinata;
    if (k == 0) return;
    const QPointF presa = m_presa;
    m_trascinata = 0;
    m_presa = QPointF(-1, -1);
    m_txtAnag[size_t(k)]->setCursor(Qt::OpenHandCursor);
    PosizionaPosto(k, X - presa.x(), Y - presa.y());
}

void EditorPosti::AnnullaTrascinamento()
{
    const int k = m_trascinata;
    m_trascinata = 0;
    m_presa = QPointF(-1, -1);
    if (k == 0) return;
    // The label goes back where its seat stands.
    Etichetta* e = m_txtAnag[size_t(k)];
    e->setCursor(Qt::OpenHandCursor);
    const int i = PostoDellaEtichetta(e);
    if (m_modello.EtichettaDel(i) == k) {
        e->SetLeft(m_modello.Left(i));
        e->SetTop(m_modello.Top(i));
    }
}

void EditorPosti::PosizionaPosto(int k, double left, double top)
{
    Etichetta* e = m_txtAnag[size_t(k)];
    const int i = PostoDellaEtichetta(e);
    if (m_modello.EtichettaDel(i) != k) return;
    const int passo = m_chkAllinea->isChecked() ? m_barAllinea->value() : 0;
    if (m_modello.Posiziona(i, left, top, passo)) {
        e->SetLeft(left);
        e->SetTop(top);
        return;
    }
    // Dropped where the board shows nothing: back to the list.
    Libera(k);
    AggiungeLibero(i, false);
}

bool EditorPosti::eventFilter(QObject* o, QEvent* e)
{
    int k = 0;
    for (int n = 1; n <= kEtichette && k == 0; ++n)
        if (o == m_txtAnag[size_t(n)]) k = n;
    if (k == 0) return QWidget::eventFilter(o, e);
    Etichetta* et = m_txtAnag[size_t(k)];
    switch (e->type()) {
    case QEvent::MouseButtonPress: {
        auto* m = static_cast<QMouseEvent*>(e);
        const QPointF p = m->position();
        txtAnag_MouseDown(k, PulsanteDi(m->button()), ShiftDi(m->modifiers()), float(p.x() * m_twX),
                          float(p.y() * m_twY));
        return true;
    }
    case QEvent::MouseMove: {
        if (m_trascinata != k) return true;
        auto* m = static_cast<QMouseEvent*>(e);
        // The label follows the pointer, held where it was taken.
        const QPoint sulPannello = et->mapTo(m_boxPosti, m->position().toPoint());
        et->move(sulPannello - QPoint(PxX(m_presa.x()), PxY(m_presa.y())));
        return true;
    }
    case QEvent::MouseButtonRelease: {
        if (m_trascinata != k) return true;
        auto* m = static_cast<QMouseEvent*>(e);
        const QPoint sulPannello = et->mapTo(m_boxPosti, m->position().toPoint());
        if (m_boxPosti->rect().contains(sulPannello))
            boxPosti_DragDrop(float(sulPannello.x() * m_twX), float(sulPannello.y() * m_twY));
        else
            AnnullaTrascinamento();
        return true;
    }
    case QEvent::MouseButtonDblClick: return true;
    default: return QWidget::eventFilter(o, e);
    }
}

// ---------------------------------------------------------------------------
// The list.

void EditorPosti::lstLiberi_Click()
{
    QListWidgetItem* voce = m_lstLiberi->currentItem();
    if (!voce) return;
    const int i = voce->data(Qt::UserRole).toInt();
    if (!m_modello.Valido(i) || m_modello.EtichettaDel(i) != 0) return;
    if (m_modello.Tipo() == Disposizione::Pannello::Tabellone && !m_modello.EtichettaConsole(i)) {
        Avvisa(TrimSpazi(voce->text()) + QStringLiteral(" non posizionato in Monitor di Controllo"));
        return;
    }
    const int k = m_modello.Assegna(i);
    if (k == 0) return;  // all 72 labels in use: the entry stays
    Mostra(k, i);
    // Shown at the panel's corner; its place is stored once it is dropped.
    m_txtAnag[size_t(k)]->move(0, 0);
    delete m_lstLiberi->takeItem(m_lstLiberi->row(voce));
}

// ---------------------------------------------------------------------------
// Commands.

void EditorPosti::Annulla()
{
    AnnullaTrascinamento();
    m_lstLiberi->clear();
    hide();
}

bool EditorPosti::Fine()
{
    AnnullaTrascinamento();
    // A save the archive refused (reported) keeps the window and its work.
    if (!m_modello.Salva()) return false;
    m_lstLiberi->clear();
    hide();
    return true;
}

void EditorPosti::Reset()
{
    if (RifiutaDuranteVotoQui()) return;
    AnnullaTrascinamento();
    if (UI().MsgBox(QStringLiteral("Confermi azzeramento disposizioni già fatte ?"),
                    vbOKCancel + vbQuestion + vbDefaultButton2) != vbOK)
        return;
    m_modello.Azzera();
    m_lstLiberi->clear();
    for (int k = 1; k <= kEtichette; ++k) Libera(k);
    for (int i = 1; i <= m_modello.Ultimo(); ++i) AggiungeLibero(i, true);
}

}  // namespace obx
