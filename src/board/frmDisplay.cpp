#include "board/frmDisplay.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "board/Tinte.h"
#include "board/frmColori.h"
#include "board/frmTinteQZ.h"
#include "shell/Configurazione.h"
#include "shell/VotoInCorso.h"

namespace obx {

namespace {

QPointer<frmDisplay> g_finestra;

constexpr int32_t kBianco = 0xFFFFFF;

// The monitor of the board: the second one when there is one.  Monitors
// never detected count as the control monitor's screen.
DatiMonitor MonitorTabellone()
{
    DatiMonitor m = lMonitor[lMonitor[1].hMonitor != 0 ? 1 : 0];
    if (m.nLar > 0 && m.nAlt > 0) return m;
    const QScreen* s = QGuiApplication::primaryScreen();
    const QRect g = s ? s->geometry() : QRect(0, 0, 800, 600);
    return {0, g.top(), g.left(), g.height(), g.width()};
}

}  // namespace

QSizeF frmDisplay::DimensioniPannello(const DatiMonitor& monitor, double twipsX, double twipsY, int prenotazioni)
{
    // Room for the board's booking panel on the right of a wide monitor.
    const double margine = (prenotazioni != 0 && monitor.nLar > 800) ? 2760 : 240;
    return {monitor.nLar * twipsX - margine, monitor.nAlt * twipsY - 2940};
}

frmDisplay::frmDisplay(QWidget* padre) : EditorPosti(Disposizione::Pannello::Tabellone, padre)
{
    setObjectName(QStringLiteral("frmDisplay"));

    // Form_Load: the panel as the board's seat frame, its labels, the two
    // chair titles lying on it.
    const QSizeF pannello = DimensioniPannello(MonitorTabellone(), TwipsX(), TwipsY(), iPrenotazioni);
    CreaPannello(pannello.width(), pannello.height(), 2172, 360, Etichetta::Sinistra, true);
    boxPosti()->setAutoFillBackground(true);

    const double sinistra[2] = {120, 4680};
    for (int n = 0; n < 2; ++n) {
        auto* t = new Etichetta(boxPosti(), TwipsX(), TwipsY());
        t->setObjectName(QStringLiteral("txtTitolo(%1)").arg(n));
        t->Move(sinistra[n], 240, 2172, 360);
        t->SetAllineamento(Etichetta::Destra);
        t->SetForeColor(kBianco);
        QFont f = t->font();
        f.setPointSizeF(12);
        t->SetFont(f);
        t->lower();
        m_txtTitolo[size_t(n)] = t;
    }
    m_txtTitolo[0]->SetCaption(iTipoAssemblea == 1 ? QStringLiteral("Sindaco") : QStringLiteral("Pres. Giunta"));
    m_txtTitolo[1]->SetCaption(iTipoAssemblea == 4 ? QStringLiteral("Pres. Ass. Legisl.")
                                                   : QStringLiteral("Pres. Consiglio"));

    const char* titoli[2] = {"Nasconde Titoli", "Nasconde N. Votanti"};
    for (int n = 0; n < 2; ++n) {
        auto* c = new QCheckBox(QString::fromUtf8(titoli[n]), this);
        c->setObjectName(QStringLiteral("chkTitoli(%1)").arg(n));
        connect(c, &QCheckBox::clicked, this, [this, n] { chkTitoli_Click(n); });
        m_chkTitoli[size_t(n)] = c;
    }

    const char* comandi[5] = {"Annulla", "Fine", "Colori", "Dormisco", "Reset"};
    // "Colori" and "Dormisco" open modal windows and "Reset" asks: none
    // while a vote is in hand.
    for (int i = 0; i < 5; ++i) CreaComando(i, QString::fromUtf8(comandi[i]), i >= 2);
    cmdPosti(4)->setToolTip(QStringLiteral("Azzera disposizioni già fatte"));
    cmdPosti(3)->setVisible(xEsitoVideo);

    auto* elenco = new QVBoxLayout;
    elenco->addWidget(lblPosti());
    elenco->addWidget(lstLiberi(), 1);
    auto* passo = new QHBoxLayout;
    passo->addWidget(barAllinea(), 1);
    passo->addWidget(txtAllinea());
    auto* opzioni = new QVBoxLayout;
    opzioni->addWidget(chkAllinea());
    opzioni->addLayout(passo);
    opzioni->addWidget(m_chkTitoli[0]);
    opzioni->addWidget(m_chkTitoli[1]);
    opzioni->addStretch(1);
    auto* bottoni = new QGridLayout;
    for (int i = 0; i < 5; ++i) bottoni->addWidget(cmdPosti(i), i / 2, i % 2);
    bottoni->setRowStretch(3, 1);
    auto* fascia = new QHBoxLayout;
    fascia->addLayout(elenco, 1);
    fascia->addLayout(opzioni);
    fascia->addLayout(bottoni);
    lstLiberi()->setFixedHeight(PxY(2100));

    // A board monitor larger than the control monitor scrolls.
    m_scorri = new QScrollArea(this);
    m_scorri->setWidget(boxPosti());
    m_scorri->setWidgetResizable(false);
    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(fascia);
    tutto->addWidget(m_scorri, 1);
    tutto->addWidget(lblStato());

    // As large as the panel asks, its status line under it; the window
    // fits the screen when it is shown, the panel scrolling in what is left.
    const QMargins m = tutto->contentsMargins();
    const QSize voluta(boxPosti()->width() + 2 * m_scorri->frameWidth() + m.left() + m.right(),
                       fascia->sizeHint().height() + tutto->spacing() + boxPosti()->height() +
                           2 * m_scorri->frameWidth() + tutto->spacing() +
                           std::max(lblStato()->sizeHint().height(), lblStato()->minimumHeight()) + m.top() +
                           m.bottom());
    resize(voluta);

    // The title boxes show the setting; one checked acts as a click on it.
    AggiornaTitoli();
    ApplicaColori();
}

frmDisplay* frmDisplay::Aperta() { return g_finestra.data(); }

frmDisplay* frmDisplay::Mostra(QWidget* padre) { return MostraEditor(g_finestra, padre); }

Etichetta* frmDisplay::txtTitolo(int n) const { return n >= 0 && n < 2 ? m_txtTitolo[size_t(n)] : nullptr; }

QCheckBox* frmDisplay::chkTitoli(int n) const { return n >= 0 && n < 2 ? m_chkTitoli[size_t(n)] : nullptr; }

void frmDisplay::showEvent(QShowEvent* e)
{
    if (!e->spontaneous()) {
        // The setting may have changed since the window was last shown.
        AggiornaTitoli();
        ApplicaColori();
    }
    EditorPosti::showEvent(e);
}

void frmDisplay::AggiornaTitoli()
{
    m_chkTitoli[0]->setChecked(iConfigOBX & kOpzNascondeTitoli);
    m_chkTitoli[1]->setChecked(iConfigOBX & kOpzNascondeNVotanti);
    for (int n = 0; n < 2; ++n) chkTitoli_Click(n);
}

void frmDisplay::chkTitoli_Click(int n)
{
    if (n < 0 || n > 1) return;
    const int bit = n == 0 ? kOpzNascondeTitoli : kOpzNascondeNVotanti;
    const int prima = iConfigOBX;
    if (m_chkTitoli[size_t(n)]->isChecked())
        iConfigOBX |= bit;
    else
        iConfigOBX &= ~bit;
    if (n == 0)
        for (Etichetta* t : m_txtTitolo) t->setVisible(!(iConfigOBX & kOpzNascondeTitoli));
    // Written at once, whatever "Fine" or "Annulla" do later; a box only
    // showing the setting writes nothing.
    if (iConfigOBX != prima) GestisceConfig(false);
}

void frmDisplay::StileEtichetta(Etichetta* e)
{
    // The seats as the board shows them present.
    e->SetBackStyle(0);
    e->SetForeColor(cColoriTabVideo[1]);
}

void frmDisplay::ApplicaColori()
{
    QPalette p = boxPosti()->palette();
    p.setColor(QPalette::Window, ColoreQt(cColoriTabVideo[6]));
    p.setColor(QPalette::WindowText, ColoreQt(kBianco));
    boxPosti()->setPalette(p);
    for (int k = 1; k <= kEtichette; ++k)
        if (txtAnag(k)->Visible()) StileEtichetta(txtAnag(k));
}

void frmDisplay::ApreTinte(bool risultati)
{
    if (RifiutaDuranteVotoQui()) return;
    // The layout is stored before the colours are edited.
    Modello().Salva();
    if (risultati) {
        frmTinteQZ d(this);
        d.exec();
    } else {
        frmColori d(this);
        d.exec();
    }
    ApplicaColori();
}

void frmDisplay::cmdPosti_Click(int i)
{
    switch (i) {
    case 0: Annulla(); break;
    case 1: Fine(); break;
    case 2: ApreTinte(false); break;
    case 3: ApreTinte(true); break;
    case 4: Reset(); break;
    default: break;
    }
}

}  // namespace obx
