#include "platform/Testo.h"

#include <cmath>
#include <limits>

namespace obx {

QString Formato(double valore, const QString& modello)
{
    const bool negativo = valore < 0;
    const double r = std::floor(std::fabs(valore) + 0.5);
    QString cifre;
    if (r >= 1) cifre = QString::number(r, 'f', 0);

    int segnaposti = 0;
    for (QChar c : modello)
        if (c == u'#' || c == u'0') ++segnaposti;
    if (segnaposti == 0) return modello;

    QString out;
    int k = int(cifre.size());  // digits not yet placed, taken from the right
    int visti = 0;
    for (int i = int(modello.size()) - 1; i >= 0; --i) {
        const QChar c = modello.at(i);
        if (c != u'#' && c != u'0') {
            out.prepend(c);
            continue;
        }
        ++visti;
        if (visti == segnaposti) {
            // The leftmost placeholder takes every digit left over.
            if (k > 0)
                out.prepend(cifre.left(k));
            else if (c == u'0')
                out.prepend(u'0');
            k = 0;
        } else if (k > 0) {
            out.prepend(cifre.at(--k));
        } else if (c == u'0') {
            out.prepend(u'0');
        }
    }
    if (negativo && r >= 1) out.prepend(u'-');
    return out;
}

double Val(const QString& testo)
{
    QString s;
    s.reserve(testo.size());
    for (QChar c : testo)
        if (c != u' ' && c != u'\t' && c != u'\n') s += c;

    if (s.startsWith(QStringLiteral("&H"), Qt::CaseInsensitive)) {
        qint64 v = 0;
        int n = 0;
        for (int i = 2; i < s.size() && n < 16; ++i, ++n) {
            const int d = QString(s.at(i)).toInt(nullptr, 16);
            const QChar c = s.at(i).toUpper();
            if (!(c.isDigit() || (c >= u'A' && c <= u'F'))) break;
            v = v * 16 + d;
        }
        return double(v);
    }

    int i = 0;
    QString num;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) num += s[i++];
    bool cifra = false, punto = false;
    while (i < s.size()) {
        const QChar c = s[i];
        if (c >= u'0' && c <= u'9') {
            num += c;
            cifra = true;
        } else if (c == u'.' && !punto) {
            num += c;
            punto = true;
        } else
            break;
        ++i;
    }
    if (!cifra) return 0;
    if (i < s.size() && (s[i] == u'E' || s[i] == u'e')) {
        QString esp = QStringLiteral("e");
        int j = i + 1;
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-')) esp += s[j++];
        bool e = false;
        while (j < s.size() && s[j] >= u'0' && s[j] <= u'9') {
            esp += s[j++];
            e = true;
        }
        if (e) num += esp;
    }
    bool ok = false;
    const double v = num.toDouble(&ok);
    return ok ? v : 0;
}

bool Val16(const QString& testo, int& risultato)
{
    const double v = std::round(Val(testo));
    if (v < std::numeric_limits<int16_t>::min() || v > std::numeric_limits<int16_t>::max()) return false;
    risultato = int(v);
    return true;
}

QString LTrimSpazi(const QString& s)
{
    int i = 0;
    while (i < s.size() && s[i] == u' ') ++i;
    return s.mid(i);
}

QString RTrimSpazi(const QString& s)
{
    int n = int(s.size());
    while (n > 0 && s[n - 1] == u' ') --n;
    return s.left(n);
}

QString TrimSpazi(const QString& s) { return LTrimSpazi(RTrimSpazi(s)); }

bool LetteraIn(const QString& lettera, const char* elenco)
{
    return lettera.size() == 1 && QString::fromLatin1(elenco).contains(lettera);
}

QString PadTaglia(const QString& s, int larghezza)
{
    if (larghezza <= 0) return QString();
    if (s.size() >= larghezza) return s.left(larghezza);
    return s + QString(larghezza - s.size(), u' ');
}

QString Str(int64_t n) { return n < 0 ? QString::number(n) : u' ' + QString::number(n); }

namespace {
// Bytes 0x80..0x9F; the five bytes Windows leaves undefined map to the C1
// control of the same value so that any byte read can be written back.
constexpr char16_t kAlti[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
}  // namespace

QByteArray ToCp1252(const QString& s)
{
    QByteArray out;
    out.reserve(s.size());
    for (QChar qc : s) {
        const char16_t c = qc.unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out.append(char(c));
            continue;
        }
        char b = '?';
        for (int i = 0; i < 32; ++i)
            if (kAlti[i] == c) {
                b = char(0x80 + i);
                break;
            }
        out.append(b);
    }
    return out;
}

QString FromCp1252(const QByteArray& b)
{
    QString out;
    out.reserve(b.size());
    for (char ch : b) {
        const unsigned char u = static_cast<unsigned char>(ch);
        if (u >= 0x80 && u < 0xA0)
            out += QChar(kAlti[u - 0x80]);
        else
            out += QChar(u);
    }
    return out;
}

QStringList RigheTesto(const QByteArray& dati) { return RigheTesto(FromCp1252(dati)); }

QStringList RigheTesto(QString testo)
{
    testo.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    testo.replace(u'\r', u'\n');
    QStringList righe = testo.split(u'\n');
    if (!righe.isEmpty() && righe.last().isEmpty()) righe.removeLast();
    return righe;
}

double Trascorso(double da, double a)
{
    double d = a - da;
    if (d < 0) d += 86400;
    return d;
}

}  // namespace obx
