#include "board/frmPosti.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "board/Tinte.h"
#include "platform/Misure.h"
#include "shell/Globali.h"

namespace obx {

namespace {

QPointer<frmPosti> g_finestra;

// The console's seat panel: its width as the console lays it out, its
// height by the size of the control monitor.
constexpr double kLarghezzaPannello = 6000;
constexpr int32_t kGrigio = 0xC0C0C0;
constexpr int32_t kRosso = 0x0000FF;
constexpr int32_t kBianco = 0xFFFFFF;
// Characters of a short name ("cNomeBreveAN").
constexpr int kLunghezzaNomeBreve = 16;

}  // namespace

double frmPosti::AltezzaPannello(int altezzaMonitor, double twipsY)
{
    return std::round(altezzaMonitor * twipsY) > 7200 ? 6600 : 4692;
}

frmPosti::frmPosti(QWidget* padre) : EditorPosti(Disposizione::Pannello::Console, padre)
{
    setObjectName(QStringLiteral("frmPosti"));

    // Form_Load: the panel and its 72 labels.
    CreaPannello(kLarghezzaPannello, AltezzaPannello(lMonitor[0].nAlt, TwipsY()), 1212, 360, Etichetta::Centro, false);
    QPalette p = boxPosti()->palette();
    p.setColor(QPalette::Window, ColoreQt(kGrigio));
    p.setColor(QPalette::WindowText, ColoreQt(kRosso));
    boxPosti()->setPalette(p);
    boxPosti()->setAutoFillBackground(true);
    // The names read as the console will show them on labels of this size.
    boxPosti()->setFont(CarattereConsole());

    CreaComando(0, QStringLiteral("Annulla"));
    CreaComando(1, QStringLiteral("Fine"));
    // "Reset" asks: not while a vote is in hand.
    CreaComando(2, QStringLiteral("Reset"), true);
    cmdPosti(2)->setToolTip(QStringLiteral("Azzera disposizioni già fatte"));

    // The list as wide as a short name of average capitals beside its
    // scroll bar, and as the snap box: with the commands in two columns the
    // window fits a control monitor of 640 pixels beside the panel.
    QListWidget* lista = lstLiberi();
    const int nome =
        lista->fontMetrics().horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ")) * kLunghezzaNomeBreve / 26;
    const int barra = lista->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, lista);
    lista->setFixedWidth(std::max(chkAllinea()->sizeHint().width(), nome + barra + 2 * lista->frameWidth() + 8));

    auto* passo = new QHBoxLayout;
    passo->addWidget(barAllinea(), 1);
    passo->addWidget(txtAllinea());
    // Two columns of commands: the window fits a control monitor of 640
    // pixels beside the panel.
    auto* comandi = new QGridLayout;
    for (int i = 0; i < 3; ++i) comandi->addWidget(cmdPosti(i), i / 2, i % 2);
    auto* lato = new QVBoxLayout;
    lato->addWidget(lblPosti());
    lato->addWidget(lstLiberi(), 1);
    lato->addWidget(chkAllinea());
    lato->addLayout(passo);
    lato->addLayout(comandi);
    lato->addWidget(lblStato());
    auto* tutto = new QHBoxLayout(this);
    tutto->addWidget(boxPosti(), 0, Qt::AlignTop);
    tutto->addLayout(lato);
    tutto->setSizeConstraint(QLayout::SetFixedSize);
}

frmPosti* frmPosti::Aperta() { return g_finestra.data(); }

frmPosti* frmPosti::Mostra(QWidget* padre) { return MostraEditor(g_finestra, padre); }

void frmPosti::StileEtichetta(Etichetta* e)
{
    e->SetBackStyle(1);
    e->SetBackColor(kBianco);
    e->SetForeColor(0);
}

void frmPosti::cmdPosti_Click(int i)
{
    switch (i) {
    case 0: Annulla(); break;
    case 1: Fine(); break;
    case 2: Reset(); break;
    default: break;
    }
}

}  // namespace obx
