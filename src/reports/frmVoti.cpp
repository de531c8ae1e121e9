#include "reports/frmVoti.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/Dialoghi.h"
#include "platform/FinestraUnica.h"
#include "platform/GrigliaDati.h"
#include "platform/Schermo.h"
#include "platform/Testo.h"
#include "reports/VerbaleVoto.h"
#include "shell/ControlloDati.h"
#include "shell/Globali.h"
#include "shell/VotoInCorso.h"

namespace obx {

namespace {

QPointer<frmVoti> g_finestra;

const char* const kComandi[3] = {"Stampa", "Fine", "Svuota"};

void MostraErrore(const Errore& e) { UI().MsgBox(e.Descrizione(), vbCritical, kTitoloOBX); }

// Emptying the votes under an open sitting would leave the console's events
// pointing at votes that are gone and its record set on an emptied table.
bool SvuotaRifiutato()
{
    if (RifiutaDuranteVoto()) return true;
    if (!bConsoleAperta) return false;
    UI().MsgBox(QStringLiteral("Riunione Consiliare aperta: chiuderla prima di azzerare le Votazioni"), vbExclamation,
                kTitoloOBX);
    return true;
}

}  // namespace

frmVoti::frmVoti(QWidget* padre) : QWidget(padre, Qt::Window)
{
    TieneNelloSchermo(this);
    setObjectName(QStringLiteral("frmVoti"));
    setWindowTitle(QStringLiteral("Controllo Voti"));
    setAttribute(Qt::WA_DeleteOnClose);

    lblVoti = new QLabel(QStringLiteral("Votazioni"), this);
    lblVoti->setObjectName(QStringLiteral("lblVoti"));
    lblVoti->setAlignment(Qt::AlignCenter);
    lblVoti->setFrameShape(QFrame::Panel);
    lblVoti->setFrameShadow(QFrame::Raised);

    broVoti = new GrigliaDati(this);
    broVoti->setObjectName(QStringLiteral("broVoti"));
    broVoti->setAccessibleName(QStringLiteral("Votazioni"));

    dbfVelmora = new QLabel(QStringLiteral("Votazioni"), this);
    dbfVelmora->setObjectName(QStringLiteral("dbfVelmora"));
    dbfVelmora->setFrameShape(QFrame::Panel);
    dbfVelmora->setFrameShadow(QFrame::Sunken);

    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(QString::fromUtf8(kComandi[i]), this);
        b->setObjectName(QStringLiteral("cmdVoti(%1)").arg(i));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, i] { cmdVoti_Click(i); });
        m_cmdVoti[size_t(i)] = b;
    }

    // "Svuota" stands apart from the everyday commands.
    auto* striscia = new QHBoxLayout;
    // Its own spacing: the window's layout packs the grid under its caption.
    striscia->setSpacing(6);
    striscia->addWidget(dbfVelmora, 1);
    striscia->addSpacing(16);
    striscia->addWidget(m_cmdVoti[2]);
    striscia->addSpacing(32);
    striscia->addWidget(m_cmdVoti[0]);
    striscia->addWidget(m_cmdVoti[1]);

    auto* tutto = new QVBoxLayout(this);
    tutto->setSpacing(0);
    tutto->addWidget(lblVoti);
    tutto->addWidget(broVoti, 1);
    tutto->addSpacing(8);
    tutto->addLayout(striscia);
    resize(1000, 480);

    Form_Load();
    AdattaLarghezza();
}

// Every column in view where the screen allows it; never past the screen.
void frmVoti::AdattaLarghezza()
{
    const QScreen* schermo = screen() ? screen() : QGuiApplication::primaryScreen();
    const QMargins m = layout()->contentsMargins();
    const int serve = m.left() + m.right() + 2 * broVoti->frameWidth() + broVoti->verticalHeader()->sizeHint().width() +
                      broVoti->horizontalHeader()->length() + broVoti->verticalScrollBar()->sizeHint().width() + 8;
    const QRect area = schermo ? schermo->availableGeometry() : QRect(0, 0, serve + 40, height() + 60);
    resize(std::min(serve, area.width() - 40), std::min(height(), area.height() - 60));
}

frmVoti::~frmVoti()
{
    if (g_finestra == this) g_finestra = nullptr;
}

frmVoti* frmVoti::Aperta() { return g_finestra.data(); }

frmVoti* frmVoti::Mostra(QWidget* padre)
{
    // Asked for again: the votes stored since it was opened are shown too.
    if (g_finestra && g_finestra->broVoti->Aperta()) {
        try {
            g_finestra->broVoti->Aggiorna();
        } catch (const Errore& e) {
            MostraErrore(e);
        }
    }
    return MostraUnica(g_finestra, padre);
}

void frmVoti::Form_Load()
{
    // The texts are held padded with blanks: shown without them, so that a
    // short note does not end in an ellipsis.
    const auto testo = [](const QVariant& v) { return RTrimSpazi(v.toString()); };
    broVoti->ImpostaColonne({
        {QStringLiteral("dDataOraIniVT"), QStringLiteral("Ora di Inizio"), {}},
        {QStringLiteral("dDataOraFinVT"), QStringLiteral("Ora di Fine"), {}},
        {QStringLiteral("iPresentiVT"), QStringLiteral("Presenti"), {}},
        {QStringLiteral("iQuorumVT"), QStringLiteral("Quorum"), {}},
        {QStringLiteral("iFavorevoliVT"), QStringLiteral("Si"), {}},
        {QStringLiteral("iAstenutiVT"), QStringLiteral("Ast."), {}},
        {QStringLiteral("iContrariVT"), QStringLiteral("No"), {}},
        {QStringLiteral("iDeliberaVT"), QStringLiteral("Delibera"), {}},
        {QStringLiteral("cDettaglioVT"), QStringLiteral("Dettaglio"), testo},
        {QStringLiteral("cNotaVotoVT"), QStringLiteral("Annotazioni"), testo},
    });
    try {
        broVoti->ApriTabella(cTabelle[4], QStringLiteral("TAG_A"));
    } catch (const Errore& e) {
        MostraErrore(e);
    }
}

void frmVoti::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!m_attivata) {
        m_attivata = true;
        Form_Activate();
    }
}

void frmVoti::Form_Activate()
{
    CentraFinestra(this);
    ApreVoti();
    broVoti->ConsentiAggiunta(false);
    broVoti->ConsentiEliminazione(false);
    broVoti->ConsentiModifica(false);
}

void frmVoti::ApreVoti()
{
    if (rsVoti.IsOpen()) return;
    try {
        rsVoti = dbArchivio.OpenTable(cTabelle[4], QStringLiteral("TAG_A"));
    } catch (const Errore& e) {
        MostraErrore(e);
    }
}

void frmVoti::cmdVoti_Click(int Index)
{
    switch (Index) {
    case 0: Stampa(); break;
    case 1:
        rsVoti.Close();
        close();
        break;
    case 2: Svuota(); break;
    default: break;
    }
}

void frmVoti::Stampa()
{
    // The printer dialog and the printing would stop the vote's keys.
    if (RifiutaDuranteVoto()) return;
    rsVoti.Close();
    const QList<qint64> scelte = broVoti->SelBookmarks();
    const QString segnalibro = scelte.size() == 1 ? QString::number(scelte.first()) : QString();
    QPointer<frmVoti> io(this);
    StampaVerbaleVoto(true, segnalibro);
    if (io) ApreVoti();
}

void frmVoti::Svuota()
{
    if (SvuotaRifiutato()) return;
    rsVoti.Close();
    QPointer<frmVoti> io(this);
    // Enter must not empty the table: Cancel is the default.
    const bool ok = UI().MsgBox(QStringLiteral("Azzera Votazioni"), vbOKCancel + vbQuestion + vbDefaultButton2,
                                kTitoloOBX) == vbOK;
    if (!io) return;
    // A sitting opened or a vote started while the question was up.
    if (!ok || SvuotaRifiutato()) {
        ApreVoti();
        return;
    }
    try {
        // One statement: it deletes every row or, refused, none.
        dbArchivio.Execute(QStringLiteral("DELETE * FROM ") + cTabelle[4] + u';');
    } catch (const Errore& e) {
        MostraErrore(e);
        if (!io) return;
        ApreVoti();
        return;
    }
    close();
}

void frmVoti::closeEvent(QCloseEvent* e)
{
    rsVoti.Close();
    broVoti->Chiudi();
    e->accept();
}

}  // namespace obx
