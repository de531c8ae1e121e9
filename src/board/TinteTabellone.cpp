#include "board/TinteTabellone.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <cmath>

#include "board/Video.h"
#include "platform/Dialoghi.h"
#include "platform/Schermo.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"

namespace obx {

namespace {
// Swatches per row.
constexpr int kColonne = 4;
}  // namespace

TinteTabellone::TinteTabellone(QWidget* padre, const QString& nomeOggetto, std::vector<Tinta> tinte,
                               std::vector<RigaFont> font, const QString& titoloFont, bool soloGrassettoCorsivo)
    : QDialog(padre), m_tinte(std::move(tinte)), m_font(std::move(font)), m_titoloFont(titoloFont),
      m_soloGrassettoCorsivo(soloGrassettoCorsivo)
{
    TieneNelloSchermo(this);
    setObjectName(nomeOggetto);
    setWindowTitle(QStringLiteral("Impostazione Colori per Tabellone Video"));
    setModal(true);
    m_dialogo.nome = QStringLiteral("MS Sans Serif");
    m_dialogo.dimensione = 8;

    const double twX = TwipsPerPixelX(), twY = TwipsPerPixelY();
    const QSize campione(int(std::lround(1692 / twX)), int(std::lround(360 / twY)));

    auto* griglia = new QGridLayout;
    bool conRisultati = false;
    for (const Tinta& t : m_tinte) conRisultati = conRisultati || t.risultati;
    QGridLayout* grigliaRisultati = nullptr;
    if (conRisultati) {
        m_fraRisultati = new QGroupBox(QStringLiteral("Presentazione Risultati della votazione"), this);
        m_fraRisultati->setObjectName(QStringLiteral("fraRisultati"));
        grigliaRisultati = new QGridLayout(m_fraRisultati);
    }
    int n = 0, nr = 0;
    for (int k = 0; k < int(m_tinte.size()); ++k) {
        const Tinta& t = m_tinte[size_t(k)];
        QWidget* dove = t.risultati ? static_cast<QWidget*>(m_fraRisultati) : this;
        auto* prompt = new QLabel(QString::fromUtf8(t.didascalia), dove);
        prompt->setObjectName(QStringLiteral("lblPrompt(%1)").arg(k));
        auto* c = new QLabel(dove);
        c->setObjectName(QStringLiteral("lblColori(%1)").arg(k));
        c->setFrameShape(QFrame::Box);
        c->setFixedSize(campione);
        c->setAutoFillBackground(true);
        c->setCursor(Qt::PointingHandCursor);
        c->installEventFilter(this);
        QGridLayout* g = t.risultati ? grigliaRisultati : griglia;
        int& i = t.risultati ? nr : n;
        g->addWidget(prompt, (i / kColonne) * 2, i % kColonne);
        g->addWidget(c, (i / kColonne) * 2 + 1, i % kColonne);
        ++i;
        m_lblPrompt.push_back(prompt);
        m_lblColori.push_back(c);
    }

    auto* righe = new QGridLayout;
    for (int r = 0; r < int(m_font.size()); ++r) {
        auto* d = new QLabel(m_font[size_t(r)].didascalia, this);
        d->setObjectName(QStringLiteral("lblDidascaliaFont(%1)").arg(r));
        auto* f = new QLabel(this);
        f->setObjectName(QStringLiteral("lblFont(%1)").arg(r));
        f->setFrameShape(QFrame::Box);
        f->setAutoFillBackground(true);
        QPalette p = f->palette();
        p.setColor(QPalette::Window, Qt::white);
        p.setColor(QPalette::WindowText, Qt::black);
        f->setPalette(p);
        f->setCursor(Qt::PointingHandCursor);
        f->installEventFilter(this);
        righe->addWidget(d, r, 0);
        righe->addWidget(f, r, 1);
        m_lblDidascalia.push_back(d);
        m_lblFont.push_back(f);
    }
    righe->setColumnStretch(1, 1);

    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(griglia);
    if (m_fraRisultati) tutto->addWidget(m_fraRisultati);
    tutto->addLayout(righe);
    tutto->setSizeConstraint(QLayout::SetFixedSize);

    // Form_Load: the swatches and lines show the values in use.
    for (int k = 0; k < int(m_tinte.size()); ++k) MostraColore(k);
    for (int r = 0; r < int(m_font.size()); ++r) {
        QLabel* f = m_lblFont[size_t(r)];
        f->setText(cFont[size_t(m_font[size_t(r)].voce)]);
        // Room for a long face name.
        f->setMinimumWidth(f->fontMetrics().horizontalAdvance(QStringLiteral("MS Sans Serif,BIUS,28")) * 3 / 2);
    }
}

QLabel* TinteTabellone::lblColori(int k) const
{
    return k >= 0 && k < int(m_lblColori.size()) ? m_lblColori[size_t(k)] : nullptr;
}

QLabel* TinteTabellone::lblPrompt(int k) const
{
    return k >= 0 && k < int(m_lblPrompt.size()) ? m_lblPrompt[size_t(k)] : nullptr;
}

QLabel* TinteTabellone::lblFont(int n) const
{
    return n >= 0 && n < int(m_lblFont.size()) ? m_lblFont[size_t(n)] : nullptr;
}

QLabel* TinteTabellone::lblDidascaliaFont(int n) const
{
    return n >= 0 && n < int(m_lblDidascalia.size()) ? m_lblDidascalia[size_t(n)] : nullptr;
}

void TinteTabellone::MostraColore(int k)
{
    QLabel* c = m_lblColori[size_t(k)];
    QPalette p = c->palette();
    p.setColor(QPalette::Window, ColoreQt(cColoriTabVideo[size_t(m_tinte[size_t(k)].voce)]));
    c->setPalette(p);
}

void TinteTabellone::lblColori_Click(int k)
{
    if (k < 0 || k >= int(m_tinte.size())) return;
    const Tinta& t = m_tinte[size_t(k)];
    int32_t& voce = cColoriTabVideo[size_t(t.voce)];
    // The dialog opens on the colour shown, a system colour as the desktop
    // paints it; cancelled, the entry keeps its value, system colour or not.
    int32_t colore = ColoreVB(ColoreQt(voce));
    if (!UI().ScegliColore(colore, QStringLiteral("Impostazione Colore per ") + QString::fromUtf8(t.didascalia)))
        return;
    voce = colore;
    MostraColore(k);
}

void TinteTabellone::lblFont_Click(int n)
{
    if (n < 0 || n >= int(m_font.size())) return;
    const RigaFont& r = m_font[size_t(n)];
    QString& stringa = cFont[size_t(r.voce)];
    // Without a comma the dialog opens on what it last showed.
    LeggeValoriFont(stringa, m_dialogo, m_soloGrassettoCorsivo);
    QString scelta = StringaFont(m_dialogo, m_soloGrassettoCorsivo, false);
    const QString titolo = m_titoloFont.isEmpty() ? QStringLiteral("Impostazione ") + r.didascalia : m_titoloFont;
    // Cancelled: the string stays exactly as it was.
    if (!UI().ScegliFont(scelta, titolo)) return;
    ValoriFont scelti = m_dialogo;
    LeggeValoriFont(scelta, scelti, m_soloGrassettoCorsivo);
    if (m_soloGrassettoCorsivo) scelti.sottolineato = scelti.barrato = false;
    m_dialogo = scelti;
    stringa = StringaFont(scelti, m_soloGrassettoCorsivo, true);
    m_lblFont[size_t(n)]->setText(stringa);
}

void TinteTabellone::Form_Unload()
{
    if (m_scaricata) return;
    m_scaricata = true;
    GestisceConfig(false);
}

void TinteTabellone::done(int r)
{
    Form_Unload();
    QDialog::done(r);
}

bool TinteTabellone::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        for (int k = 0; k < int(m_lblColori.size()); ++k)
            if (o == m_lblColori[size_t(k)]) {
                lblColori_Click(k);
                return true;
            }
        for (int n = 0; n < int(m_lblFont.size()); ++n)
            if (o == m_lblFont[size_t(n)]) {
                lblFont_Click(n);
                return true;
            }
    }
    return QDialog::eventFilter(o, e);
}

}  // namespace obx
