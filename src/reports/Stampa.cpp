#include "reports/Stampa.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <cmath>
#include <memory>

#include "platform/Dialoghi.h"
#include "platform/Testo.h"

namespace obx {

namespace {

struct StatoStampa {
    std::unique_ptr<QPrinter> stampante;
    QPainter pittore;
    QFont font;
    int pagina = 0;   // pages of the current job, for the observer
    OsservatoreStampa osservatore;
};

StatoStampa& Stato()
{
    // Never destroyed: the printer must not outlive the application's
    // platform services at exit.
    static StatoStampa* s = new StatoStampa;
    return *s;
}

QFont FontReport()
{
    QFont f(QStringLiteral("Courier New"));
    f.setPointSizeF(10);
    f.setBold(false);
    f.setItalic(false);
    // Where the face is missing, another fixed-pitch face stands in for it:
    // the grid needs every character one column wide.
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    return f;
}

// Printer units per twip.
double Scala(const QPrinter& p) { return p.resolution() / 1440.0; }

}  // namespace

QPrinter& Stampante()
{
    StatoStampa& s = Stato();
    if (!s.stampante) s.stampante = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *s.stampante;
}

void ImpostaOsservatoreStampa(OsservatoreStampa osservatore)
{
    Stato().osservatore = std::move(osservatore);
}

bool ImpostaStampante(int iOpzioni)
{
    StatoStampa& s = Stato();
    QPrinter& p = Stampante();
    bool esito = true;

    if (iOpzioni & 2) {
        if (s.pittore.isActive()) FineStampa();
        if (!UI().ScegliStampante(p)) return false;   // cancelled: nothing to say
    }

    if (s.pittore.isActive()) FineStampa();
    p.setPageOrientation((iOpzioni & 1) ? QPageLayout::Landscape : QPageLayout::Portrait);
    s.font = FontReport();

    // Measures in twips, as the reports count them.
    const QFontMetricsF fm(s.font, &p);
    // The height of a printed "P" is that of a line of the font.
    iAltezzaRiga = int(std::lround(fm.height() / Scala(p) * 12.0 / 10.0));
    const double altezzaPagina = p.paperRect(QPrinter::Point).height() * 20.0;  // points to twips
    const int h = int(std::lround(altezzaPagina * 90.0 / 100.0));
    iRighePagina = iAltezzaRiga > 0 ? int(std::floor(double(h) / iAltezzaRiga - 2)) : 0;
    iRigaStampa = 0;
    iPaginaStampa = 1;
    s.pagina = 1;

    if (iAltezzaRiga <= 0 || !s.pittore.begin(&p)) {
        UI().MsgBox(QStringLiteral("Stampante non disponibile"), vbCritical, kTitoloOBX);
        esito = false;
    } else {
        s.pittore.setFont(s.font);
        s.pittore.setPen(Qt::black);
    }
    return esito;
}

void StampaXY(int iRiga, int iColonna, const QString& cTesto)
{
    StatoStampa& s = Stato();
    if (s.osservatore) s.osservatore(s.pagina, iRiga, iColonna, cTesto);
    if (!s.pittore.isActive()) return;
    QPrinter& p = Stampante();
    const QFontMetricsF fm(s.font, &p);
    const double x = fm.horizontalAdvance(QString(std::max(iColonna, 0), u'A'));
    const double y = double(iRiga) * iAltezzaRiga * Scala(p);
    s.pittore.drawText(QPointF(x, y + fm.ascent()), cTesto);
}

void StampaTestoACapo(int iRiga, int iColonna, const QString& cTesto, int iLarghezza)
{
    QString resto = RTrimSpazi(cTesto);
    iRigaStampa = iRiga;
    const int w = std::max(iLarghezza, 1);
    while (!resto.isEmpty()) {
        QString riga;
        const qsizetype p = resto.indexOf(u'\r') + 1;   // 1-based, 0 when none
        if (p >= 1 && p <= w) {
            riga = resto.left(p - 1);
            resto = resto.mid(p + 1);   // the CR and the character after it (LF)
        } else {
            const qsizetype dopo = resto.indexOf(u' ', w);   // a blank after position w
            if (dopo < 0) {
                riga = resto;
                resto.clear();
            } else {
                // Last blank at or before position w, from position 2 on.
                qsizetype b = resto.left(w).lastIndexOf(u' ') + 1;
                // A first word longer than the width: it takes its row whole,
                // up to the blank that follows it.
                if (b < 2) b = dopo + 1;
                riga = resto.left(b - 1);
                resto = resto.mid(b);
            }
        }
        StampaXY(iRigaStampa, iColonna, riga);
        ++iRigaStampa;
    }
}

void NuovaPagina()
{
    StatoStampa& s = Stato();
    ++s.pagina;
    if (s.pittore.isActive()) Stampante().newPage();
}

void FineStampa()
{
    StatoStampa& s = Stato();
    if (s.pittore.isActive()) s.pittore.end();
}

QString DataDiStampa(const QDateTime& d)
{
    static const QLocale italiano(QLocale::Italian, QLocale::Italy);
    return italiano.toString(d.date(), QStringLiteral("dddd, dd MMMM yyyy"));
}

}  // namespace obx
