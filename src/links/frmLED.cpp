#include "links/frmLED.h"

#include <QCloseEvent>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "board/Etichetta.h"
#include "platform/Schermo.h"

namespace obx {

namespace {

QPointer<FrmLED> g_led;

constexpr int32_t kBianco = 16777215;
constexpr int32_t kRosso = 255;
constexpr int32_t kVerde = 65280;
constexpr int32_t kGiallo = 65535;
constexpr int32_t kNero = 0;

constexpr int kColonne = 15;

}  // namespace

FrmLED::FrmLED() : QWidget(nullptr, Qt::Window)
{
    TieneNelloSchermo(this);
    setObjectName(QStringLiteral("frmLED"));
    setWindowTitle(QStringLiteral("Tabellone LED"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto* griglia = new QGridLayout;
    griglia->setSpacing(3);
    for (int i = 0; i < kLed; ++i) {
        auto* e = new Etichetta(this, 15, 15);
        e->setObjectName(QStringLiteral("lblAnag(%1)").arg(i));
        e->setFrameShape(QFrame::Box);
        e->setAlignment(Qt::AlignCenter);
        e->setMinimumSize(44, 26);
        e->setToolTip(QStringLiteral("LED %1").arg(i + 1));
        e->SetBackStyle(1);
        e->SetBackColor(kBianco);
        m_anag[size_t(i)] = e;
        griglia->addWidget(e, i / kColonne, i % kColonne);
    }

    auto* righe = new QVBoxLayout;
    righe->setSpacing(0);
    QFont fisso(QStringLiteral("Courier New"));
    fisso.setStyleHint(QFont::Monospace);
    for (int r = 1; r <= kRighe; ++r) {
        auto* l = new QLabel(this);
        l->setObjectName(QStringLiteral("lblInfo(%1)").arg(r));
        l->setFont(fisso);
        l->setTextFormat(Qt::PlainText);
        l->setMinimumHeight(l->fontMetrics().height());
        m_info[size_t(r)] = l;
        righe->addWidget(l);
    }

    static const char* didascalie[2] = {"Nascondi", "Chiudi"};
    auto* bottoni = new QHBoxLayout;
    bottoni->addStretch();
    for (int i = 0; i < 2; ++i) {
        m_cmd[size_t(i)] = new QPushButton(QString::fromLatin1(didascalie[i]), this);
        m_cmd[size_t(i)]->setObjectName(QStringLiteral("cmdLed(%1)").arg(i));
        connect(m_cmd[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdLed_Click(i); });
        bottoni->addWidget(m_cmd[size_t(i)]);
    }

    auto* v = new QVBoxLayout(this);
    v->addLayout(griglia);
    v->addLayout(righe);
    v->addLayout(bottoni);
}

FrmLED::~FrmLED() = default;

Etichetta* FrmLED::lblAnag(int i) const { return i >= 0 && i < kLed ? m_anag[size_t(i)] : nullptr; }

QLabel* FrmLED::lblInfo(int r) const { return r >= 1 && r <= kRighe ? m_info[size_t(r)] : nullptr; }

QPushButton* FrmLED::cmdLed(int i) const { return i >= 0 && i < 2 ? m_cmd[size_t(i)] : nullptr; }

void FrmLED::MostraMappa(const QString& cMappa)
{
    const int n = std::min<int>(int(cMappa.size()), kLed);
    for (int i = 0; i < n; ++i) {
        int32_t colore = kNero;
        switch (cMappa.at(i).unicode()) {
        case u'0':
        case u'4': colore = kBianco; break;
        case u'1':
        case u'5': colore = kRosso; break;
        case u'2':
        case u'6': colore = kVerde; break;
        case u'3':
        case u'7': colore = kGiallo; break;
        default: break;
        }
        const QChar c = cMappa.at(i);
        const bool lampeggia = c == u'5' || c == u'6' || c == u'7';
        m_anag[size_t(i)]->SetBackColor(colore);
        m_anag[size_t(i)]->SetCaption(lampeggia ? QStringLiteral("LAMP.") : QString());
    }
}

void FrmLED::cmdLed_Click(int Index)
{
    if (Index == 0) {
        // The console closed its record sets before showing the preview:
        // it reopens them, and comes in front of the preview.
        hide();
        if (AttivaConsole) AttivaConsole();
    } else if (Index == 1) {
        ScaricaFrmLED();
    }
}

void FrmLED::Mostra()
{
    show();
    raise();
}

void FrmLED::closeEvent(QCloseEvent* e)
{
    // Closing the window unloads it, as "Chiudi" does.
    e->accept();
    ScaricaFrmLED();
}

FrmLED& frmLED()
{
    if (!g_led) g_led = new FrmLED();
    return *g_led;
}

FrmLED* frmLEDCaricato() { return g_led.data(); }

void ScaricaFrmLED()
{
    if (!g_led) return;
    FrmLED* f = g_led.data();
    g_led.clear();
    f->hide();
    f->deleteLater();
}

}  // namespace obx
