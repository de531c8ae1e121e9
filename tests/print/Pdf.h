// A printed report read back from its PDF file with poppler's pdftotext:
// the words with their boxes (points from the top-left of the page) and
// the rows they make, and the printable area of the program's printer in
// the same measures, so that a test can say where a text landed on the
// grid of rows and columns.
#pragma once

#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetricsF>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "reports/Stampa.h"

namespace obx::test {

struct ParolaPdf {
    int pagina = 0;  // from 1
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    QString testo;
};

struct PaginaPdf {
    double larghezza = 0, altezza = 0;
};

class Pdf {
public:
    // Reads the file; Valido() is false when pdftotext could not.
    explicit Pdf(const QString& percorso)
    {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), percorso, QStringLiteral("-")});
        if (!p.waitForFinished(60000) || p.exitCode() != 0) return;
        const QString html = QString::fromUtf8(p.readAllStandardOutput());
        static const QRegularExpression rePagina(QStringLiteral(R"re(<page width="([0-9.]+)" height="([0-9.]+)">)re"));
        static const QRegularExpression reParola(QStringLiteral(
            R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re"));
        static const QRegularExpression reTutto(QStringLiteral(R"re(<page [^>]*>|<word [^>]*>[^<]*</word>)re"));
        auto it = reTutto.globalMatch(html);
        while (it.hasNext()) {
            const QString pezzo = it.next().captured(0);
            if (const auto m = rePagina.match(pezzo); m.hasMatch()) {
                m_pagine.push_back({m.captured(1).toDouble(), m.captured(2).toDouble()});
            } else if (const auto w = reParola.match(pezzo); w.hasMatch() && !m_pagine.empty()) {
                QString t = w.captured(5);
                t.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
                    .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
                    .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
                    .replace(QStringLiteral("&apos;"), QStringLiteral("'"))
                    .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
                m_parole.push_back({int(m_pagine.size()), w.captured(1).toDouble(), w.captured(2).toDouble(),
                                    w.captured(3).toDouble(), w.captured(4).toDouble(), t});
            }
        }
        m_valido = true;
    }

    bool Valido() const { return m_valido; }
    int Pagine() const { return int(m_pagine.size()); }
    const std::vector<PaginaPdf>& Fogli() const { return m_pagine; }
    const std::vector<ParolaPdf>& Parole() const { return m_parole; }

    // The rows of a page: words whose tops are within a point of each
    // other, left to right, joined by one blank; with the left edge of the
    // first word.
    struct Riga {
        double y = 0, x = 0;
        QString testo;
        std::vector<ParolaPdf> parole;
    };
    std::vector<Riga> Righe(int pagina) const
    {
        std::vector<ParolaPdf> p;
        for (const ParolaPdf& w : m_parole)
            if (w.pagina == pagina) p.push_back(w);
        std::sort(p.begin(), p.end(), [](const ParolaPdf& a, const ParolaPdf& b) {
            return std::abs(a.y0 - b.y0) > 1 ? a.y0 < b.y0 : a.x0 < b.x0;
        });
        std::vector<Riga> righe;
        for (const ParolaPdf& w : p) {
            if (righe.empty() || std::abs(righe.back().y - w.y0) > 1) righe.push_back({w.y0, w.x0, {}, {}});
            righe.back().parole.push_back(w);
        }
        for (Riga& r : righe) {
            QStringList t;
            for (const ParolaPdf& w : r.parole) t << w.testo;
            r.testo = t.join(u' ');
        }
        return righe;
    }

    // Every word of the page, in reading order, joined by blanks.
    QString Testo(int pagina) const
    {
        QStringList t;
        for (const Riga& r : Righe(pagina)) t << r.testo;
        return t.join(u'\n');
    }
    QString Tutto() const
    {
        QStringList t;
        for (int i = 1; i <= Pagine(); ++i) t << Testo(i);
        return t.join(QStringLiteral("\n----\n"));
    }

    // The words that begin the run of words equal to "testo" split at
    // blanks, on the page (0: any).
    std::vector<ParolaPdf> Trova(const QString& testo, int pagina = 0) const
    {
        const QStringList cercate = testo.split(u' ', Qt::SkipEmptyParts);
        std::vector<ParolaPdf> trovate;
        if (cercate.isEmpty()) return trovate;
        for (int pg = 1; pg <= Pagine(); ++pg) {
            if (pagina && pg != pagina) continue;
            for (const Riga& r : Righe(pg)) {
                for (size_t i = 0; i + size_t(cercate.size()) <= r.parole.size(); ++i) {
                    bool ok = true;
                    for (qsizetype k = 0; k < cercate.size() && ok; ++k)
                        ok = r.parole[i + size_t(k)].testo == cercate.at(k);
                    if (ok) trovate.push_back(r.parole[i]);
                }
            }
        }
        return trovate;
    }

private:
    bool m_valido = false;
    std::vector<PaginaPdf> m_pagine;
    std::vector<ParolaPdf> m_parole;
};

// The grid of the program's printer as set up for the last report, in
// points from the top-left of the paper: the printable area, one column,
// one row.
struct Griglia {
    QRectF area;
    double colonna = 0;
    double riga = 0;

    static Griglia DellaStampante()
    {
        Griglia g;
        g.area = Stampante().pageRect(QPrinter::Point);
        // The width of a letter of the report font on this printer, as the
        // grid measures it.
        QFont f(QStringLiteral("Courier New"));
        f.setPointSizeF(10);
        f.setStyleHint(QFont::TypeWriter);
        f.setFixedPitch(true);
        const QFontMetricsF fm(f, &Stampante());
        g.colonna = fm.horizontalAdvance(QString(100, u'A')) / 100.0 / Stampante().resolution() * 72.0;
        g.riga = iAltezzaRiga / 20.0;
        return g;
    }
    double X(int n) const { return area.left() + n * colonna; }
    // The top of the row's box (the text's ascent lies within it).
    double Y(int n) const { return area.top() + n * riga; }
    // The column and the row a word starts in.
    int Colonna(const ParolaPdf& w) const { return int(std::lround((w.x0 - area.left()) / colonna)); }
    int Riga(const ParolaPdf& w) const { return int(std::floor((w.y0 - area.top()) / riga + 0.25)); }
    // Every word inside the printable area.
    bool Dentro(const ParolaPdf& w) const
    {
        return w.x0 >= area.left() - 0.5 && w.x1 <= area.right() + 0.5 && w.y0 >= area.top() - 0.5 &&
               w.y1 <= area.bottom() + 0.5;
    }
};

}  // namespace obx::test
