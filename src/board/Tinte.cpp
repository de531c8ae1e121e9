#include "board/Tinte.h"

#include <QGuiApplication>
#include <QPalette>
#include <cmath>

#include "platform/Testo.h"

namespace obx {

namespace {

// The desktop elements a system colour may name, by their number, mapped
// to the nearest role of a Qt palette.
QColor ColoreDiSistema(int n)
{
    const QPalette p = QGuiApplication::palette();
    switch (n) {
    case 0: return p.color(QPalette::Button);                     // scroll bars
    case 1: return p.color(QPalette::Dark);                       // desktop
    case 2: return p.color(QPalette::Highlight);                  // active title bar
    case 3: return p.color(QPalette::Mid);                        // inactive title bar
    case 4: return p.color(QPalette::Button);                     // menu bar
    case 5: return p.color(QPalette::Base);                       // window background
    case 6: return p.color(QPalette::Shadow);                     // window frame
    case 7: return p.color(QPalette::ButtonText);                 // menu text
    case 8: return p.color(QPalette::WindowText);                 // window text
    case 9: return p.color(QPalette::HighlightedText);            // title bar text
    case 10: return p.color(QPalette::Mid);                       // active border
    case 11: return p.color(QPalette::Midlight);                  // inactive border
    case 12: return p.color(QPalette::Window);                    // application workspace
    case 13: return p.color(QPalette::Highlight);                 // selected item
    case 14: return p.color(QPalette::HighlightedText);           // text of the selected item
    case 15: return p.color(QPalette::Button);                    // button face
    case 16: return p.color(QPalette::Dark);                      // button shadow
    case 17: return p.color(QPalette::Disabled, QPalette::Text);  // grey text
    case 18: return p.color(QPalette::ButtonText);                // button text
    case 19: return p.color(QPalette::Disabled, QPalette::WindowText);
    case 20: return p.color(QPalette::Light);        // 3D highlight
    case 21: return p.color(QPalette::Shadow);       // 3D dark shadow
    case 22: return p.color(QPalette::Midlight);     // 3D light
    case 23: return p.color(QPalette::ToolTipText);  // tooltip text
    case 24: return p.color(QPalette::ToolTipBase);  // tooltip background
    default: return p.color(QPalette::WindowText);
    }
}

}  // namespace

QColor ColoreQt(int32_t valore)
{
    const uint32_t v = uint32_t(valore);
    if (v & 0x80000000u) return ColoreDiSistema(int(v & 0xFFu));
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

int32_t ColoreVB(const QColor& c)
{
    return int32_t((uint32_t(c.blue()) << 16) | (uint32_t(c.green()) << 8) | uint32_t(c.red()));
}

namespace {

// Relative luminance of a colour on the screen (sRGB).
double Luminanza(const QColor& c)
{
    auto lineare = [](int v) {
        const double x = v / 255.0;
        return x <= 0.04045 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lineare(c.red()) + 0.7152 * lineare(c.green()) + 0.0722 * lineare(c.blue());
}

double Contrasto(const QColor& a, const QColor& b)
{
    const double la = Luminanza(a) + 0.05, lb = Luminanza(b) + 0.05;
    return la > lb ? la / lb : lb / la;
}

}  // namespace

QColor ColoreTestoLeggibile(const QColor& testo, const QColor& sfondo)
{
    // Below this the text can hardly be told from its background (window
    // text on the seat frame's dark blue is just under it); the colours an
    // installation picks on purpose (green, red, yellow on dark blue) stand
    // well above it.
    constexpr double kMinimo = 2.0;
    if (Contrasto(testo, sfondo) >= kMinimo) return testo;
    const QColor nero(0, 0, 0), bianco(255, 255, 255);
    return Contrasto(nero, sfondo) >= Contrasto(bianco, sfondo) ? nero : bianco;
}

bool ApplicaFont(QFont& f, const QString& stringa, ModoFont modo)
{
    const qsizetype p = stringa.indexOf(u',');
    if (p < 0) return false;
    const QString nome = stringa.left(p);
    if (modo == ModoFont::Caricamento && nome.isEmpty()) return false;
    if (!nome.isEmpty()) f.setFamily(nome);

    const QString resto = stringa.mid(p + 1);
    // The style letters are looked for in the whole rest, size included,
    // as the stored strings have always been read.
    f.setBold(resto.contains(u'B'));
    f.setItalic(resto.contains(u'I'));
    f.setStrikeOut(resto.contains(u'S'));
    f.setUnderline(resto.contains(u'U'));

    const qsizetype q = resto.indexOf(u',');
    if (q >= 0) {
        double dim = Val(resto.mid(q + 1));
        if (modo == ModoFont::Caricamento) dim = std::nearbyint(dim);  // halves to even
        // A size of zero or less cannot be drawn: the font keeps its own.
        if (dim > 0) f.setPointSizeF(dim);
    }
    return true;
}

bool LeggeValoriFont(const QString& stringa, ValoriFont& v, bool soloGrassettoCorsivo)
{
    const qsizetype p = stringa.indexOf(u',');
    if (p < 0) return false;
    v.nome = stringa.left(p);
    const QString resto = stringa.mid(p + 1);
    v.grassetto = resto.contains(u'B');
    v.corsivo = resto.contains(u'I');
    if (!soloGrassettoCorsivo) {
        v.sottolineato = resto.contains(u'U');
        v.barrato = resto.contains(u'S');
    }
    const qsizetype q = resto.indexOf(u',');
    if (q >= 0) v.dimensione = Val(resto.mid(q + 1));
    return true;
}

QString StringaFont(const ValoriFont& v, bool soloGrassettoCorsivo, bool arrotonda)
{
    QString stili;
    if (v.grassetto) stili += u'B';
    if (v.corsivo) stili += u'I';
    if (!soloGrassettoCorsivo) {
        if (v.sottolineato) stili += u'U';
        if (v.barrato) stili += u'S';
    }
    const QString dim = arrotonda ? Formato(v.dimensione, QStringLiteral("###0")) : QString::number(v.dimensione);
    return RTrimSpazi(v.nome) + u',' + stili + u',' + dim;
}

}  // namespace obx
