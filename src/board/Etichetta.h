// A label of the boards with the properties their writers set: caption,
// text and background colour (stored colour values), transparent or opaque
// background, alignment, automatic sizing, position and size in twips, and
// a tag.  The twips are turned into pixels with the factors of the monitor
// the board was laid out on.
#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QString>
#include <cstdint>

namespace obx {

class Etichetta : public QLabel {
public:
    enum Allineamento { Sinistra = 0, Destra = 1, Centro = 2 };

    Etichetta(QWidget* genitore, double twipsX, double twipsY);

    QString Caption() const { return text(); }
    // With automatic sizing the label takes the size of its text, anchored
    // at its Left and Top.
    void SetCaption(const QString& testo);

    int32_t ForeColor() const { return m_fore; }
    void SetForeColor(int32_t colore);
    int32_t BackColor() const { return m_back; }
    void SetBackColor(int32_t colore);
    // 0 transparent, 1 opaque.
    int BackStyle() const { return m_opaco ? 1 : 0; }
    void SetBackStyle(int stile);
    // With it, text that would vanish into what is drawn behind it (the
    // label's own background when opaque, else the background of the panel
    // it stands on) is drawn in black or white instead (ForeColor stays).
    void SetTestoSempreLeggibile(bool s);

    bool Visible() const { return !isHidden(); }
    void SetVisible(bool v) { setVisible(v); }

    void SetAllineamento(Allineamento a);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool a);
    // Applies a font and, with automatic sizing, resizes to the text.
    void SetFont(const QFont& f);
    // The room a label sized to its text has on its board (0: no limit).
    // A text wider than that is drawn in a smaller size of the same font,
    // so it reads whole and does not run over the cell beside it; the font
    // set stays the one applied.
    void SetLarghezzaMassima(double twips);

    double Top() const { return y() * m_twY; }
    double Left() const { return x() * m_twX; }
    double Width() const { return width() * m_twX; }
    double Height() const { return height() * m_twY; }
    void SetTop(double twips);
    void SetLeft(double twips);
    void SetWidth(double twips);
    void SetHeight(double twips);
    void Move(double left, double top, double larghezza, double altezza);

    // Brings the label in front of its siblings.
    void ZOrder() { raise(); }

    QString Tag;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void Adatta();
    void AggiornaColori();
    QColor SfondoDietro() const;
    int PxX(double twips) const;
    int PxY(double twips) const;

    double m_twX, m_twY;
    int32_t m_fore = 0;
    int32_t m_back = 0xFFFFFF;
    bool m_opaco = false;
    bool m_autoSize = false;
    bool m_leggibile = false;
    int m_massima = 0;  // pixels; 0 no limit
    QFont m_fontPieno;  // the font applied, before any reduction
    QColor m_dietro;    // what a transparent label's colour was chosen against
};

}  // namespace obx
