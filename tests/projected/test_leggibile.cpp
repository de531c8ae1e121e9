// With the colours of a new installation no text of the projected board
// vanishes into what is drawn behind it: after a vote, when the counts are
// made opaque on the seat frame's colour, and on the full-screen result
// table.  Checked on the pixels the board draws.
#include <QImage>
#include <cmath>
#include <map>

#include "Banco.h"
#include "board/Tinte.h"
#include "platform/Testo.h"

using namespace obx;
using namespace obx::test;

namespace {

class Leggibile : public BancoTabellone {};

int Distanza(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

// Contrast of two colours on the screen (relative luminance, sRGB): 1 for
// the same colour, 21 for black on white.
double Contrasto(QRgb a, QRgb b)
{
    auto luminanza = [](QRgb c) {
        auto lineare = [](int v) {
            const double x = v / 255.0;
            return x <= 0.04045 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * lineare(qRed(c)) + 0.7152 * lineare(qGreen(c)) + 0.0722 * lineare(qBlue(c)) + 0.05;
    };
    const double la = luminanza(a), lb = luminanza(b);
    return la > lb ? la / lb : lb / la;
}

// For every visible label of the board with a caption: the colour most of
// its area shows (what is drawn behind the text), how many of its pixels
// stand out from it, and how well the text's own colour (the commonest of
// those) reads on it.  A text drawn in its background's colour has none;
// black on the seat frame's dark blue can hardly be read.
void ControllaTesti(FrmVideo& b, const char* fase, int minimo)
{
    const QImage foto = b.grab().toImage();
    std::vector<std::pair<QString, Etichetta*>> etichette;
    for (int n = 0; n < FrmVideo::kTitoli; ++n)
        etichette.push_back({QStringLiteral("txtTitolo(%1)").arg(n), b.txtTitolo(n)});
    for (int n = 1; n <= FrmVideo::kEtichette; ++n)
        etichette.push_back({QStringLiteral("txtAnag(%1)").arg(n), b.txtAnag(n)});
    for (int n = 0; n < FrmVideo::kRisultati; ++n)
        etichette.push_back({QStringLiteral("txtDormisco(%1)").arg(n), b.txtDormisco(n)});
    int controllate = 0;
    for (auto& [nome, e] : etichette) {
        if (!e->isVisibleTo(&b) || TrimSpazi(e->Caption()).isEmpty()) continue;
        const QRect r(e->mapTo(&b, QPoint(0, 0)), e->size());
        const QRect area = r.intersected(foto.rect());
        ASSERT_FALSE(area.isEmpty()) << fase << " " << nome.toStdString();
        std::map<QRgb, int> conta;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) ++conta[foto.pixel(x, y)];
        QRgb sfondo = 0;
        int massimo = 0;
        for (auto [c, n] : conta)
            if (n > massimo) {
                massimo = n;
                sfondo = c;
            }
        int diversi = 0, piuFrequente = 0;
        QRgb testo = sfondo;
        for (auto [c, n] : conta) {
            if (Distanza(c, sfondo) <= 90) continue;
            diversi += n;
            if (n > piuFrequente) {
                piuFrequente = n;
                testo = c;
            }
        }
        EXPECT_GT(diversi, 10) << fase << ": " << nome.toStdString() << " \"" << e->Caption().toStdString()
                               << "\" vanishes into " << QColor(sfondo).name().toStdString();
        EXPECT_GE(Contrasto(testo, sfondo), 2.0)
            << fase << ": " << nome.toStdString() << " \"" << e->Caption().toStdString() << "\" in "
            << QColor(testo).name().toStdString() << " on " << QColor(sfondo).name().toStdString();
        ++controllate;
    }
    EXPECT_GE(controllate, minimo) << fase;
}

}  // namespace

TEST(Colori, TestoCheSparirebbeNelSuoSfondo)
{
    App();
    struct Caso {
        QColor testo, sfondo, atteso;
    };
    const Caso casi[] = {
        {ColoreQt(0xC00000), ColoreQt(0xC00000), Qt::white},  // counts on the seat frame's blue
        {ColoreQt(0xFFCCC3), ColoreQt(0xFFCCC3), Qt::black},
        {ColoreQt(0xC00001), ColoreQt(0xC00000), Qt::white},  // nearly alike
        {ColoreQt(0x00EF00), ColoreQt(0xC00000), ColoreQt(0x00EF00)},
        {ColoreQt(0x0000FF), ColoreQt(0xC00000), ColoreQt(0x0000FF)},
        {ColoreQt(0x00FFFF), ColoreQt(0xC00000), ColoreQt(0x00FFFF)},
        {QColor(Qt::black), ColoreQt(0xC00000), QColor(Qt::white)},  // the outcome in window text
        {QColor(Qt::black), ColoreQt(0xFFCCC3), QColor(Qt::black)},
    };
    for (const Caso& c : casi)
        EXPECT_EQ(ColoreTestoLeggibile(c.testo, c.sfondo), c.atteso) << c.testo.name().toStdString();
}

TEST_F(Leggibile, NessunTestoSparisceConIColoriPredefiniti)
{
    ASSERT_EQ(cColoriTabVideo, kColoriTabVideoPredefiniti);
    iPrenotazioni = kPrenotazioniPannello;
    SedutaConVoto();
    FakeServices servizi;
    FrmVideo& b = frmVideo();
    b.Mostra();
    ControllaTesti(b, "al caricamento", 25);

    // After the vote the driver makes the counts opaque on the seat frame's
    // colour, which by default is also the counts' text colour.
    ScriviTitoliVoto(b);
    ControllaTesti(b, "dopo il voto", 30);
    // The properties stay as the writers set them; only the drawing differs.
    EXPECT_EQ(b.txtTitolo(4)->ForeColor(), cColoriTabVideo[10]);
    EXPECT_EQ(b.txtTitolo(4)->BackColor(), cColoriTabVideo[6]);

    // The full-screen result table: the voters' figure in colour 17 on 22.
    b.boxPosti()->hide();
    b.imgStemma()->hide();
    b.boxPrenota()->hide();
    for (int n = 0; n <= 13; ++n) b.txtTitolo(n)->hide();
    const int valori[] = {iFavorevoli + iContrari + iAstenuti, iFavorevoli, iContrari, iAstenuti};
    for (int n = 5; n <= 8; ++n) b.txtDormisco(n)->SetCaption(Formato(valori[n - 5], QStringLiteral("0 0")));
    for (int n = 0; n <= 11; ++n) b.txtDormisco(n)->show();
    ControllaTesti(b, "tabella dei risultati", 9);
}

TEST_F(Leggibile, LeEtichetteDeiSeggiNascosteDuranteIlVotoRestanoNascoste)
{
    // During a running vote the console hides the seat labels in the seat
    // frame's own colour on purpose; they are transparent and stay hidden.
    SediConsiglio();
    FakeServices servizi;
    FrmVideo& b = frmVideo();
    b.Mostra();
    Etichetta* e = b.txtAnag(3);
    e->SetForeColor(cColoriTabVideo[6]);
    EXPECT_EQ(e->palette().color(QPalette::WindowText), ColoreQt(cColoriTabVideo[6]));
}
