#include "board/Etichetta.h"

#include <QPalette>
#include <algorithm>
#include <cmath>

#include "board/Tinte.h"

namespace obx {

Etichetta::Etichetta(QWidget* genitore, double twipsX, double twipsY)
    : QLabel(genitore), m_twX(twipsX > 0 ? twipsX : 15), m_twY(twipsY > 0 ? twipsY : 15)
{
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(false);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::NoFocus);
    SetForeColor(0);
    m_fontPieno = font();
}

int Etichetta::PxX(double twips) const { return int(std::lround(twips / m_twX)); }
int Etichetta::PxY(double twips) const { return int(std::lround(twips / m_twY)); }

void Etichetta::Adatta()
{
    if (!m_autoSize) return;
    // Start again from the font applied: a shorter text may fit it again.
    if (font() != m_fontPieno) setFont(m_fontPieno);
    if (m_massima > 0 && sizeHint().width() > m_massima) {
        QFont ridotto = m_fontPieno;
        qreal punti = ridotto.pointSizeF() > 0 ? ridotto.pointSizeF() : 12;
        while (punti > 6 && sizeHint().width() > m_massima) {
            punti = std::max<qreal>(6, punti - 0.5);
            ridotto.setPointSizeF(punti);
            setFont(ridotto);
        }
    }
    const QPoint angolo = pos();
    resize(sizeHint());
    move(angolo);
}

void Etichetta::SetCaption(const QString& testo)
{
    if (testo == text()) return;
    setText(testo);
    Adatta();
}

QColor Etichetta::SfondoDietro() const
{
    // A transparent label shows the background of the first parent that
    // paints one (the window paints its own).
    for (const QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (w->autoFillBackground() || w->isWindow()) return w->palette().color(w->backgroundRole());
    return palette().color(QPalette::Window);
}

void Etichetta::AggiornaColori()
{
    QPalette p = palette();
    const QColor sfondo = ColoreQt(m_back);
    QColor testo = ColoreQt(m_fore);
    if (m_leggibile) {
        if (!m_opaco) m_dietro = SfondoDietro();
        testo = ColoreTestoLeggibile(testo, m_opaco ? sfondo : m_dietro);
    }
    p.setColor(QPalette::WindowText, testo);
    p.setColor(QPalette::Text, testo);
    p.setColor(QPalette::Window, sfondo);
    setPalette(p);
}

void Etichetta::paintEvent(QPaintEvent* e)
{
    // The panel behind may have taken another colour since the text's
    // colour was chosen.
    if (m_leggibile && !m_opaco && SfondoDietro() != m_dietro) AggiornaColori();
    QLabel::paintEvent(e);
}

void Etichetta::SetForeColor(int32_t colore)
{
    m_fore = colore;
    AggiornaColori();
}

void Etichetta::SetBackColor(int32_t colore)
{
    m_back = colore;
    AggiornaColori();
}

void Etichetta::SetBackStyle(int stile)
{
    m_opaco = stile != 0;
    setAutoFillBackground(m_opaco);
    AggiornaColori();
    update();
}

void Etichetta::SetTestoSempreLeggibile(bool s)
{
    m_leggibile = s;
    AggiornaColori();
}

void Etichetta::SetAllineamento(Allineamento a)
{
    const Qt::Alignment h = a == Destra ? Qt::AlignRight : a == Centro ? Qt::AlignHCenter : Qt::AlignLeft;
    setAlignment(h | Qt::AlignTop);
}

void Etichetta::SetAutoSize(bool a)
{
    m_autoSize = a;
    // A label sized to its text grows sideways, it does not wrap.
    setWordWrap(!a);
    Adatta();
}

void Etichetta::SetFont(const QFont& f)
{
    m_fontPieno = f;
    setFont(f);
    Adatta();
}

void Etichetta::SetLarghezzaMassima(double twips)
{
    m_massima = twips > 0 ? std::max(1, PxX(twips)) : 0;
    Adatta();
}

void Etichetta::SetTop(double twips) { move(x(), PxY(twips)); }
void Etichetta::SetLeft(double twips) { move(PxX(twips), y()); }
void Etichetta::SetWidth(double twips) { resize(std::max(0, PxX(twips)), height()); }
void Etichetta::SetHeight(double twips) { resize(width(), std::max(0, PxY(twips))); }

void Etichetta::Move(double left, double top, double larghezza, double altezza)
{
    setGeometry(PxX(left), PxY(top), std::max(0, PxX(larghezza)), std::max(0, PxY(altezza)));
}

}  // namespace obx
