#include "platform/Database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTimer>
#include <QUrl>

#include <sqlite3.h>

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <optional>
#include <set>

#include "platform/Testo.h"

namespace obx {

// ===========================================================================
// Small helpers

namespace {

QString Q(const QString& nome)
{
    QString s = nome;
    s.replace(u'"', QStringLiteral("\"\""));
    return u'"' + s + u'"';
}

QString Letterale(const QString& testo)
{
    QString s = testo;
    s.replace(u'\'', QStringLiteral("''"));
    return u'\'' + s + u'\'';
}

[[noreturn]] void Errore_(int n, const QString& d) { throw Errore(n, d); }

// Physical name of an index: index names are per table for the program,
// global in the file.
QString NomeFisicoIndice(const QString& tabella, const QString& indice, bool primario)
{
    return tabella + u'.' + indice + (primario ? QStringLiteral(".PK") : QString());
}

QString NomeLogicoIndice(const QString& tabella, const QString& fisico, bool* primario)
{
    *primario = false;
    const QString prefisso = tabella + u'.';
    if (!fisico.startsWith(prefisso, Qt::CaseInsensitive)) return fisico;
    QString s = fisico.mid(prefisso.size());
    if (s.endsWith(QStringLiteral(".PK")) && s.size() > 3) {
        s.chop(3);
        *primario = true;
    }
    return s;
}

QString TipoDichiarato(const DefCampo& c)
{
    switch (c.tipo) {
    case TipoCampo::Byte: return QStringLiteral("TINYINT");
    case TipoCampo::Integer: return QStringLiteral("SMALLINT");
    case TipoCampo::Long:
        return (c.attributi & kAttrAutoIncremento) ? QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT")
                                                   : QStringLiteral("INTEGER");
    case TipoCampo::Single: return QStringLiteral("FLOAT");
    case TipoCampo::Double: return QStringLiteral("DOUBLE");
    case TipoCampo::Date: return QStringLiteral("DATETIME");
    case TipoCampo::Text:
        return QStringLiteral("VARCHAR(%1) COLLATE NOCASE").arg(c.dimensione > 0 ? c.dimensione : 255);
    case TipoCampo::Memo: return QStringLiteral("LONGTEXT COLLATE NOCASE");
    }
    return QStringLiteral("LONGTEXT");
}

// Field definition from a declared type of the file.
DefCampo CampoDaDichiarato(const QString& nome, const QString& tipo)
{
    DefCampo c;
    c.nome = nome;
    const QString t = tipo.trimmed().toUpper();
    static const QRegularExpression reDim(QStringLiteral("\\(\\s*(\\d+)"));
    const auto m = reDim.match(t);
    const int dim = m.hasMatch() ? m.captured(1).toInt() : 0;
    const QString base = t.section(u'(', 0, 0).trimmed();
    if (base == u"TINYINT" || base == u"BYTE")
        c.tipo = TipoCampo::Byte;
    else if (base == u"SMALLINT" || base == u"SHORT")
        c.tipo = TipoCampo::Integer;
    else if (base == u"FLOAT" || base == u"SINGLE")
        c.tipo = TipoCampo::Single;
    else if (base == u"DOUBLE" || base.contains(u"REAL") || base.contains(u"DOUB"))
        c.tipo = TipoCampo::Double;
    else if (base == u"DATETIME" || base.contains(u"DATE") || base.contains(u"TIME"))
        c.tipo = TipoCampo::Date;
    else if (base == u"LONGTEXT" || base == u"MEMO" || base == u"TEXT" || base == u"CLOB" || base.isEmpty() ||
             base.contains(u"BLOB"))
        c.tipo = TipoCampo::Memo;
    else if (base.contains(u"CHAR") || base.contains(u"TEXT")) {
        c.tipo = TipoCampo::Text;
        c.dimensione = dim > 0 ? dim : 255;
    } else if (base.contains(u"INT") || base == u"LONG")
        c.tipo = TipoCampo::Long;
    else
        c.tipo = TipoCampo::Double;
    return c;
}

}  // namespace

QString TestoData(const QDateTime& t) { return t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")); }

QDateTime DataDaTesto(const QString& s)
{
    // The stored form, read without the general parser (it is on every row).
    if (s.size() == 19 && s[4] == u'-' && s[7] == u'-' && s[10] == u' ' && s[13] == u':' && s[16] == u':') {
        auto n = [&](int da, int lun) {
            int v = 0;
            for (int i = da; i < da + lun; ++i) {
                const char16_t c = s[i].unicode();
                if (c < u'0' || c > u'9') return -1;
                v = v * 10 + (c - u'0');
            }
            return v;
        };
        const int a = n(0, 4), m = n(5, 2), g = n(8, 2), h = n(11, 2), mi = n(14, 2), se = n(17, 2);
        if (a >= 0 && m >= 0 && g >= 0 && h >= 0 && mi >= 0 && se >= 0) {
            const QDateTime d(QDate(a, m, g), QTime(h, mi, se));
            if (d.isValid()) return d;
        }
    }
    const QString t = s.trimmed();
    for (const char* f : {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd HH:mm", "yyyy-MM-dd HH:mm:ss.zzz",
                          "yyyy-MM-ddTHH:mm:ss.zzz"}) {
        const QDateTime d = QDateTime::fromString(t, QString::fromLatin1(f));
        if (d.isValid()) return d;
    }
    const QDate d = QDate::fromString(t, QStringLiteral("yyyy-MM-dd"));
    if (d.isValid()) return QDateTime(d, QTime(0, 0));
    return QDateTime();
}

namespace {

// Days since 30 December 1899, the engine's old serial dates.
QDateTime DataDaSeriale(double v)
{
    const QDateTime base(QDate(1899, 12, 30), QTime(0, 0));
    const qint64 giorni = qint64(std::floor(v));
    const qint64 sec = qint64(std::llround((v - double(giorni)) * 86400.0));
    return base.addDays(giorni).addSecs(sec);
}

// Operator-typed dates: dd/MM/yyyy as Italian operators type them, ISO too.
QDateTime DataDaTestoLibero(const QString& s)
{
    QDateTime d = DataDaTesto(s);
    if (d.isValid()) return d;
    const QString t = s.trimmed();
    for (const char* f : {"d/M/yyyy H:mm:ss", "d/M/yyyy H:mm", "d/M/yyyy", "d-M-yyyy", "d.M.yyyy"}) {
        d = QDateTime::fromString(t, QString::fromLatin1(f));
        if (d.isValid()) return d;
    }
    return QDateTime();
}

QVariant ValorePerLegame(const QVariant& v)
{
    if (!v.isValid() || v.typeId() == QMetaType::Nullptr) return QVariant();
    switch (v.typeId()) {
    case QMetaType::QDateTime: return TestoData(v.toDateTime());
    case QMetaType::QDate: return TestoData(QDateTime(v.toDate(), QTime(0, 0)));
    case QMetaType::Bool: return v.toBool() ? 1 : 0;
    case QMetaType::Float: return double(v.toFloat());
    case QMetaType::QString: {
        const QString s = v.toString();
        return s.isNull() ? QVariant(QStringLiteral("")) : QVariant(s);
    }
    default: return v;
    }
}

}  // namespace

// ===========================================================================
// SQL functions of the old dialect, registered on every connection.

namespace {

QString TestoArg(sqlite3_value* v)
{
    const void* p = sqlite3_value_text16(v);
    const int n = sqlite3_value_bytes16(v);
    if (!p) return QString();
    return QString(reinterpret_cast<const QChar*>(p), n / int(sizeof(QChar)));
}

void RisultatoTesto(sqlite3_context* ctx, const QString& s)
{
    sqlite3_result_text16(ctx, s.utf16(), int(s.size() * sizeof(QChar)), SQLITE_TRANSIENT);
}

bool UgualeSenzaCaso(QChar a, QChar b) { return a == b || a.toCaseFolded() == b.toCaseFolded(); }

// One element of a pattern at p[j] against c; `lun` gets its length.
bool Elemento(const QString& p, int j, QChar c, QChar esc, bool conEsc, int* lun)
{
    const QChar x = p.at(j);
    if (conEsc && x == esc && j + 1 < p.size()) {
        *lun = 2;
        return UgualeSenzaCaso(p.at(j + 1), c);
    }
    *lun = 1;
    if (x == u'?') return true;
    if (x == u'#') return c >= u'0' && c <= u'9';
    if (x == u'[') {
        const int fine = int(p.indexOf(u']', j + 2));  // "[]" is never a list
        if (fine < 0) return UgualeSenzaCaso(x, c);
        *lun = fine - j + 1;
        int k = j + 1;
        bool nega = false;
        if (k < fine && p.at(k) == u'!') {
            nega = true;
            ++k;
        }
        bool trovato = false;
        const QChar cf = c.toCaseFolded();
        while (k < fine) {
            const QChar a = p.at(k);
            if (k + 2 < fine && p.at(k + 1) == u'-') {
                const QChar b = p.at(k + 2);
                if ((cf >= a.toCaseFolded() && cf <= b.toCaseFolded()) || (c >= a && c <= b)) trovato = true;
                k += 3;
            } else {
                if (UgualeSenzaCaso(a, c)) trovato = true;
                ++k;
            }
        }
        return trovato != nega;
    }
    return UgualeSenzaCaso(x, c);
}

bool Corrisponde(const QString& s, const QString& p, QChar esc, bool conEsc)
{
    int i = 0, j = 0, stellaJ = -1, stellaI = 0;
    const int ns = int(s.size()), np = int(p.size());
    while (i < ns) {
        if (j < np) {
            if (p.at(j) == u'*' && !(conEsc && j > 0 && p.at(j - 1) == esc)) {
                stellaJ = ++j;
                stellaI = i;
                continue;
            }
            int lun = 1;
            if (Elemento(p, j, s.at(i), esc, conEsc, &lun)) {
                ++i;
                j += lun;
                continue;
            }
        }
        if (stellaJ >= 0) {
            j = stellaJ;
            i = ++stellaI;
            continue;
        }
        return false;
    }
    while (j < np && p.at(j) == u'*') ++j;
    return j == np;
}

void FnLike(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    // "X LIKE Y" calls like(Y, X); with ESCAPE E, like(Y, X, E).
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
    const QString p = TestoArg(argv[0]);
    const QString s = TestoArg(argv[1]);
    QChar esc;
    bool conEsc = false;
    if (argc == 3) {
        const QString e = TestoArg(argv[2]);
        if (e.size() != 1) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
        esc = e.at(0);
        conEsc = true;
    }
    sqlite3_result_int(ctx, Corrisponde(s, p, esc, conEsc) ? 1 : 0);
}

bool ArgNullo(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return true;
        }
    return false;
}

void FnLeft(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (ArgNullo(ctx, argc, argv)) return;
    RisultatoTesto(ctx, TestoArg(argv[0]).left(std::max(0, sqlite3_value_int(argv[1]))));
}
void FnRight(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (ArgNullo(ctx, argc, argv)) return;
    RisultatoTesto(ctx, TestoArg(argv[0]).right(std::max(0, sqlite3_value_int(argv[1]))));
}
void FnMid(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (ArgNullo(ctx, argc, argv)) return;
    const QString s = TestoArg(argv[0]);
    const int da = std::max(1, sqlite3_value_int(argv[1]));
    const int n = argc > 2 ? std::max(0, sqlite3_value_int(argv[2])) : int(s.size());
    RisultatoTesto(ctx, s.mid(da - 1, n));
}
void FnLen(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (ArgNullo(ctx, argc, argv)) return;
    sqlite3_result_int(ctx, int(TestoArg(argv[0]).size()));
}
void FnUCase(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (ArgNullo(ctx, argc, argv)) return;
    RisultatoTesto(ctx, TestoArg(argv[0]).toUpper());
}
void FnLCase(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (ArgNullo(ctx, argc, argv)) return;
    RisultatoTesto(ctx, TestoArg(argv[0]).toLower());
}
void FnVal(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (ArgNullo(ctx, argc, argv)) return;
    sqlite3_result_double(ctx, Val(TestoArg(argv[0])));
}
void FnNz(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) != SQLITE_NULL)
        sqlite3_result_value(ctx, argv[0]);
    else if (argc > 1)
        sqlite3_result_value(ctx, argv[1]);
    else
        sqlite3_result_text(ctx, "", 0, SQLITE_STATIC);
}
void FnInt(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (ArgNullo(ctx, argc, argv)) return;
    sqlite3_result_int64(ctx, sqlite3_int64(std::floor(sqlite3_value_double(argv[0]))));
}
void FnNow(sqlite3_context* ctx, int, sqlite3_value**) { RisultatoTesto(ctx, TestoData(QDateTime::currentDateTime())); }
void FnDate(sqlite3_context* ctx, int, sqlite3_value**)
{
    RisultatoTesto(ctx, TestoData(QDateTime(QDate::currentDate(), QTime(0, 0))));
}

bool RegistraFunzioni(sqlite3* h)
{
    struct F {
        const char* nome;
        int argc;
        void (*fn)(sqlite3_context*, int, sqlite3_value**);
        bool det;
    };
    static const F funzioni[] = {
        {"like", 2, FnLike, true},    {"like", 3, FnLike, true},    {"jleft", 2, FnLeft, true},
        {"jright", 2, FnRight, true}, {"jmid", 2, FnMid, true},     {"jmid", 3, FnMid, true},
        {"jlen", 1, FnLen, true},     {"jucase", 1, FnUCase, true}, {"jlcase", 1, FnLCase, true},
        {"jval", 1, FnVal, true},     {"jnz", 1, FnNz, true},       {"jnz", 2, FnNz, true},
        {"jint", 1, FnInt, true},     {"jnow", 0, FnNow, false},    {"jdate", 0, FnDate, false},
    };
    for (const F& f : funzioni) {
        const int flag = SQLITE_UTF16 | (f.det ? SQLITE_DETERMINISTIC : 0);
        if (sqlite3_create_function_v2(h, f.nome, f.argc, flag, nullptr, f.fn, nullptr, nullptr, nullptr) != SQLITE_OK)
            return false;
    }
    return true;
}

}  // namespace

// ===========================================================================
// Translation of the program's dialect

namespace {

struct Tok {
    enum K { Spazio, Stringa, Doppia, Quadra, Data, Numero, Parola, Simbolo } k;
    QString t;
    QString U() const { return t.toUpper(); }
};

std::vector<Tok> Tokenizza(const QString& s)
{
    std::vector<Tok> out;
    int i = 0;
    const int n = int(s.size());
    auto errore = [&](const QString& cosa) {
        Errore_(errdb::kSintassi, QStringLiteral("Errore di sintassi nell'istruzione: %1.").arg(cosa));
    };
    while (i < n) {
        const QChar c = s.at(i);
        if (c.isSpace()) {
            int j = i;
            while (j < n && s.at(j).isSpace()) ++j;
            out.push_back({Tok::Spazio, s.mid(i, j - i)});
            i = j;
        } else if (c == u'\'' || c == u'"') {
            QString v;
            int j = i + 1;
            bool chiuso = false;
            while (j < n) {
                if (s.at(j) == c) {
                    if (j + 1 < n && s.at(j + 1) == c) {
                        v += c;
                        j += 2;
                        continue;
                    }
                    chiuso = true;
                    ++j;
                    break;
                }
                v += s.at(j++);
            }
            if (!chiuso) errore(QStringLiteral("testo senza chiusura"));
            out.push_back({c == u'\'' ? Tok::Stringa : Tok::Doppia, v});
            i = j;
        } else if (c == u'[') {
            const int j = int(s.indexOf(u']', i + 1));
            if (j < 0) errore(QStringLiteral("nome tra parentesi quadre senza chiusura"));
            out.push_back({Tok::Quadra, s.mid(i + 1, j - i - 1)});
            i = j + 1;
        } else if (c == u'#') {
            const int j = int(s.indexOf(u'#', i + 1));
            if (j < 0) errore(QStringLiteral("data senza chiusura"));
            out.push_back({Tok::Data, s.mid(i + 1, j - i - 1)});
            i = j + 1;
        } else if (c.isDigit() || (c == u'.' && i + 1 < n && s.at(i + 1).isDigit())) {
            int j = i;
            while (j < n && (s.at(j).isDigit() || s.at(j) == u'.')) ++j;
            if (j < n && (s.at(j) == u'e' || s.at(j) == u'E')) {
                int k = j + 1;
                if (k < n && (s.at(k) == u'+' || s.at(k) == u'-')) ++k;
                if (k < n && s.at(k).isDigit()) {
                    j = k;
                    while (j < n && s.at(j).isDigit()) ++j;
                }
            }
            out.push_back({Tok::Numero, s.mid(i, j - i)});
            i = j;
        } else if (c.isLetter() || c == u'_') {
            int j = i;
            while (j < n && (s.at(j).isLetterOrNumber() || s.at(j) == u'_')) ++j;
            out.push_back({Tok::Parola, s.mid(i, j - i)});
            i = j;
        } else {
            // Two-character operators stay together.
            const QString due = s.mid(i, 2);
            if (due == u"<>" || due == u"<=" || due == u">=" || due == u"||" || due == u"!=" || due == u"==") {
                out.push_back({Tok::Simbolo, due});
                i += 2;
            } else {
                out.push_back({Tok::Simbolo, QString(c)});
                ++i;
            }
        }
    }
    return out;
}

// Date literal of the old dialect (month first, as it always was) to the
// stored text.
QString TraduceData(const QString& d)
{
    const QString t = d.trimmed();
    static const QRegularExpression reUS(
        QStringLiteral(
            "^(\\d{1,2})[/-](\\d{1,2})[/-](\\d{2,4})(?:\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?\\s*(AM|PM)?)?$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression reISO(
        QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})(?:[ T](\\d{1,2}):(\\d{2})(?::(\\d{2}))?)?$"));
    static const QRegularExpression reOra(QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2}))?\\s*(AM|PM)?$"),
                                          QRegularExpression::CaseInsensitiveOption);
    int a = 0, m = 0, g = 0, h = 0, mi = 0, se = 0;
    QString ampm;
    if (auto x = reUS.match(t); x.hasMatch()) {
        m = x.captured(1).toInt();
        g = x.captured(2).toInt();
        a = x.captured(3).toInt();
        if (x.captured(3).size() <= 2) a += a < 30 ? 2000 : 1900;
        h = x.captured(4).toInt();
        mi = x.captured(5).toInt();
        se = x.captured(6).toInt();
        ampm = x.captured(7).toUpper();
    } else if (auto y = reISO.match(t); y.hasMatch()) {
        a = y.captured(1).toInt();
        m = y.captured(2).toInt();
        g = y.captured(3).toInt();
        h = y.captured(4).toInt();
        mi = y.captured(5).toInt();
        se = y.captured(6).toInt();
    } else if (auto z = reOra.match(t); z.hasMatch()) {
        a = 1899;
        m = 12;
        g = 30;
        h = z.captured(1).toInt();
        mi = z.captured(2).toInt();
        se = z.captured(3).toInt();
        ampm = z.captured(4).toUpper();
    } else {
        Errore_(errdb::kNonTraducibile, QStringLiteral("Data non riconosciuta: #%1#").arg(d));
    }
    if (ampm == u"PM" && h < 12) h += 12;
    if (ampm == u"AM" && h == 12) h = 0;
    const QDateTime dt(QDate(a, m, g), QTime(h, mi, se));
    if (!dt.isValid()) Errore_(errdb::kNonTraducibile, QStringLiteral("Data non valida: #%1#").arg(d));
    return Letterale(TestoData(dt));
}

QString TraduceTipo(const QString& parola, const QString& dimensione, bool inCreazione)
{
    const QString t = parola.toUpper();
    const int dim = dimensione.isEmpty() ? 0 : dimensione.toInt();
    auto testo = [&]() { return QStringLiteral("VARCHAR(%1) COLLATE NOCASE").arg(dim > 0 ? dim : 255); };
    static const QStringList testi = {"TEXT",         "CHAR",      "VARCHAR", "STRING",
                                      "ALPHANUMERIC", "CHARACTER", "NCHAR",   "NVARCHAR"};
    if (testi.contains(t)) return testo();
    if (t == u"MEMO" || t == u"LONGTEXT" || t == u"LONGCHAR" || t == u"NOTE" || t == u"NTEXT")
        return QStringLiteral("LONGTEXT COLLATE NOCASE");
    if (t == u"BYTE" || t == u"TINYINT" || t == u"INTEGER1") return QStringLiteral("TINYINT");
    if (t == u"SHORT" || t == u"SMALLINT" || t == u"INTEGER2" || t == u"BIT" || t == u"YESNO" || t == u"LOGICAL" ||
        t == u"LOGICAL1" || t == u"BOOLEAN")
        return QStringLiteral("SMALLINT");
    if (t == u"LONG" || t == u"INT" || t == u"INTEGER" || t == u"INTEGER4") return QStringLiteral("INTEGER");
    if (t == u"SINGLE" || t == u"REAL" || t == u"FLOAT4" || t == u"IEEESINGLE") return QStringLiteral("FLOAT");
    if (t == u"DOUBLE" || t == u"FLOAT" || t == u"FLOAT8" || t == u"IEEEDOUBLE" || t == u"NUMBER" || t == u"NUMERIC" ||
        t == u"CURRENCY" || t == u"MONEY" || t == u"DECIMAL")
        return QStringLiteral("DOUBLE");
    if (t == u"DATETIME" || t == u"DATE" || t == u"TIME" || t == u"TIMESTAMP") return QStringLiteral("DATETIME");
    if (t == u"COUNTER" || t == u"AUTOINCREMENT") {
        if (!inCreazione)
            Errore_(
                errdb::kNonTraducibile,
                QStringLiteral("Un campo a numerazione automatica non può essere aggiunto a una tabella esistente."));
        return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    }
    Errore_(errdb::kNonTraducibile, QStringLiteral("Tipo di campo non disponibile nell'archivio: %1").arg(parola));
}

int Prossimo(const std::vector<Tok>& v, int i)
{
    ++i;
    while (i < int(v.size()) && v[i].k == Tok::Spazio) ++i;
    return i;
}

bool EParola(const std::vector<Tok>& v, int i, const char* p)
{
    return i < int(v.size()) && v[i].k == Tok::Parola && v[i].U() == QLatin1String(p);
}
bool ESimbolo(const std::vector<Tok>& v, int i, const char* p)
{
    return i < int(v.size()) && v[i].k == Tok::Simbolo && v[i].t == QLatin1String(p);
}

QString NomeDa(const Tok& t) { return (t.k == Tok::Quadra || t.k == Tok::Doppia) ? t.t : t.t; }

// Rewrites the column types of a definition list starting after the token
// at `da` (the opening parenthesis, or the column name of ALTER ... ADD).
void TraduceDefinizioni(std::vector<Tok>& v, int da, bool unaSola, bool inCreazione)
{
    int i = da;
    int prof = unaSola ? 1 : 0;
    bool inizioDef = true;
    for (; i < int(v.size()); ++i) {
        Tok& t = v[i];
        if (t.k == Tok::Spazio) continue;
        if (t.k == Tok::Simbolo && t.t == u"(") {
            ++prof;
            if (prof == 1) inizioDef = true;
            continue;
        }
        if (t.k == Tok::Simbolo && t.t == u")") {
            --prof;
            if (prof <= 0) return;
            continue;
        }
        if (t.k == Tok::Simbolo && t.t == u"," && prof == 1) {
            inizioDef = true;
            continue;
        }
        if (prof == 1 && inizioDef) {
            inizioDef = false;
            if (t.k == Tok::Parola) {
                const QString u = t.U();
                if (u == u"CONSTRAINT" || u == u"PRIMARY" || u == u"UNIQUE" || u == u"FOREIGN" || u == u"CHECK")
                    continue;
            }
            // t is the column name; the next word is its type.
            const int j = Prossimo(v, i);
            if (j >= int(v.size()) || v[j].k != Tok::Parola)
                Errore_(errdb::kSintassi, QStringLiteral("Errore di sintassi: tipo del campo mancante."));
            QString dim;
            int fine = j;
            const int k = Prossimo(v, j);
            if (ESimbolo(v, k, "(")) {
                const int n = Prossimo(v, k);
                int c = n < int(v.size()) && v[n].k == Tok::Numero ? Prossimo(v, n) : n;
                // COUNTER(seed, step) carries two numbers.
                if (ESimbolo(v, c, ",")) {
                    const int n2 = Prossimo(v, c);
                    c = Prossimo(v, n2);
                }
                if (ESimbolo(v, c, ")")) {
                    if (n < int(v.size()) && v[n].k == Tok::Numero) dim = v[n].t;
                    fine = c;
                }
            }
            const QString nuovo = TraduceTipo(v[j].t, dim, inCreazione);
            v[j] = {Tok::Simbolo, nuovo};
            for (int x = j + 1; x <= fine; ++x) v[x] = {Tok::Spazio, QString()};
            i = fine;
            if (unaSola) return;
        }
    }
}

QString Unisci(const std::vector<Tok>& v)
{
    QString out;
    for (const Tok& t : v) {
        switch (t.k) {
        case Tok::Stringa: out += Letterale(t.t); break;
        case Tok::Doppia: out += Letterale(t.t); break;
        case Tok::Quadra: out += u'[' + t.t + u']'; break;
        default: out += t.t; break;
        }
    }
    return out;
}

}  // namespace

QString Database::TraduceSQL(const QString& sql)
{
    std::vector<Tok> v = Tokenizza(sql);
    // Trailing blanks and semicolons go; one statement only.
    while (!v.empty() && (v.back().k == Tok::Spazio || (v.back().k == Tok::Simbolo && v.back().t == u";")))
        v.pop_back();
    int prof = 0;
    for (const Tok& t : v) {
        if (t.k != Tok::Simbolo) continue;
        if (t.t == u"(")
            ++prof;
        else if (t.t == u")")
            --prof;
        else if (t.t == u";")
            Errore_(errdb::kNonTraducibile, QStringLiteral("Una sola istruzione per volta: %1").arg(sql.trimmed()));
    }
    const int primo = v.empty() ? 0 : (v[0].k == Tok::Spazio ? 1 : 0);
    if (primo >= int(v.size())) Errore_(errdb::kSintassi, QStringLiteral("Istruzione vuota."));
    const QString verbo = v[primo].k == Tok::Parola ? v[primo].U() : QString();

    auto nonTraducibile = [&](const QString& perche) {
        Errore_(errdb::kNonTraducibile,
                QStringLiteral("Istruzione non eseguibile sull'archivio (%1): %2").arg(perche, sql.trimmed()));
    };

    for (const Tok& t : v) {
        if (t.k != Tok::Parola) continue;
        const QString u = t.U();
        if (u == u"TRANSFORM" || u == u"PIVOT" || u == u"PARAMETERS")
            nonTraducibile(QStringLiteral("%1 non disponibile").arg(t.t));
    }

    QString limite;
    if (verbo == u"SELECT") {
        int i = Prossimo(v, primo);
        if (EParola(v, i, "DISTINCT") || EParola(v, i, "DISTINCTROW")) {
            v[i].t = QStringLiteral("DISTINCT");
            i = Prossimo(v, i);
        }
        if (EParola(v, i, "TOP")) {
            const int n = Prossimo(v, i);
            if (n >= int(v.size()) || v[n].k != Tok::Numero) nonTraducibile(QStringLiteral("TOP senza numero"));
            const int dopo = Prossimo(v, n);
            if (EParola(v, dopo, "PERCENT")) nonTraducibile(QStringLiteral("TOP PERCENT"));
            limite = v[n].t;
            v[i] = {Tok::Spazio, QString()};
            v[n] = {Tok::Spazio, QString()};
        }
        // SELECT ... INTO makes a table: not offered.
        int p = 0;
        for (const Tok& t : v) {
            if (t.k == Tok::Simbolo && t.t == u"(") ++p;
            if (t.k == Tok::Simbolo && t.t == u")") --p;
            if (p == 0 && t.k == Tok::Parola && t.U() == u"INTO") nonTraducibile(QStringLiteral("SELECT ... INTO"));
        }
    } else if (verbo == u"DELETE") {
        // DELETE * FROM t, DELETE t.* FROM t -> DELETE FROM t
        int i = Prossimo(v, primo);
        int from = i;
        while (from < int(v.size()) && !EParola(v, from, "FROM")) ++from;
        if (from >= int(v.size())) Errore_(errdb::kSintassi, QStringLiteral("Errore di sintassi: manca FROM."));
        for (int x = i; x < from; ++x) v[x] = {Tok::Spazio, x == i ? QStringLiteral(" ") : QString()};
        if (i == from) v.insert(v.begin() + from, Tok{Tok::Spazio, QStringLiteral(" ")});
    } else if (verbo == u"UPDATE") {
        int i = Prossimo(v, primo);
        i = Prossimo(v, i);
        if (EParola(v, i, "INNER") || EParola(v, i, "LEFT") || EParola(v, i, "RIGHT") || ESimbolo(v, i, ","))
            nonTraducibile(QStringLiteral("UPDATE su più tabelle"));
    } else if (verbo == u"CREATE") {
        int i = Prossimo(v, primo);
        if (EParola(v, i, "TABLE")) {
            int j = Prossimo(v, Prossimo(v, i));  // after the table name
            if (!ESimbolo(v, j, "(")) Errore_(errdb::kSintassi, QStringLiteral("Errore di sintassi in CREATE TABLE."));
            TraduceDefinizioni(v, j, false, true);
        } else {
            bool unico = false;
            if (EParola(v, i, "UNIQUE")) {
                unico = true;
                i = Prossimo(v, i);
            }
            if (EParola(v, i, "INDEX")) {
                const int nome = Prossimo(v, i);
                const int on = Prossimo(v, nome);
                const int tab = Prossimo(v, on);
                if (!EParola(v, on, "ON") || tab >= int(v.size()))
                    Errore_(errdb::kSintassi, QStringLiteral("Errore di sintassi in CREATE INDEX."));
                // WITH PRIMARY / DISALLOW NULL / IGNORE NULL
                bool primario = false;
                int w = tab;
                while (w < int(v.size()) && !EParola(v, w, "WITH")) ++w;
                if (w < int(v.size())) {
                    for (int x = w; x < int(v.size()); ++x) {
                        if (EParola(v, x, "PRIMARY")) primario = true;
                        v[x] = {Tok::Spazio, QString()};
                    }
                }
                if (primario && !unico) {
                    v.insert(v.begin() + i, Tok{Tok::Parola, QStringLiteral("UNIQUE ")});
                }
                // Re-find the tokens (the insertion may have moved them).
                int ii = primo;
                while (!EParola(v, ii, "INDEX")) ++ii;
                const int n2 = Prossimo(v, ii);
                const int on2 = Prossimo(v, n2);
                const int t2 = Prossimo(v, on2);
                v[n2] = {Tok::Simbolo, Q(NomeFisicoIndice(NomeDa(v[t2]), NomeDa(v[n2]), primario))};
            } else if (!EParola(v, i, "VIEW")) {
                nonTraducibile(QStringLiteral("CREATE %1").arg(i < int(v.size()) ? v[i].t : QString()));
            }
        }
    } else if (verbo == u"ALTER") {
        int i = Prossimo(v, primo);
        if (!EParola(v, i, "TABLE")) nonTraducibile(QStringLiteral("ALTER"));
        const int tab = Prossimo(v, i);
        int az = Prossimo(v, tab);
        if (EParola(v, az, "ADD")) {
            int c = Prossimo(v, az);
            if (EParola(v, c, "CONSTRAINT") || EParola(v, c, "PRIMARY") || EParola(v, c, "UNIQUE") ||
                EParola(v, c, "FOREIGN"))
                nonTraducibile(QStringLiteral("vincoli di tabella"));
            if (!EParola(v, c, "COLUMN")) {
                v.insert(v.begin() + c, Tok{Tok::Parola, QStringLiteral("COLUMN ")});
            }
            c = Prossimo(v, Prossimo(v, az));  // ADD COLUMN name type ...
            TraduceDefinizioni(v, c, true, false);
        } else if (EParola(v, az, "DROP")) {
            const int c = Prossimo(v, az);
            if (EParola(v, c, "CONSTRAINT")) nonTraducibile(QStringLiteral("vincoli di tabella"));
        } else {
            nonTraducibile(QStringLiteral("ALTER TABLE ... %1").arg(az < int(v.size()) ? v[az].t : QString()));
        }
    } else if (verbo == u"DROP") {
        const int i = Prossimo(v, primo);
        if (EParola(v, i, "INDEX")) {
            const int nome = Prossimo(v, i);
            const int on = Prossimo(v, nome);
            const int tab = Prossimo(v, on);
            if (EParola(v, on, "ON") && tab < int(v.size())) {
                v[nome] = {Tok::Simbolo, Q(NomeFisicoIndice(NomeDa(v[tab]), NomeDa(v[nome]), false))};
                for (int x = on; x < int(v.size()); ++x) v[x] = {Tok::Spazio, QString()};
            }
        }
    }

    // Tokens of the old dialect everywhere.
    static const QHash<QString, QString> funzioni = {
        {"LEFT", "jleft"},   {"LEFT$", "jleft"},  {"RIGHT", "jright"}, {"MID", "jmid"}, {"LEN", "jlen"},
        {"UCASE", "jucase"}, {"LCASE", "jlcase"}, {"VAL", "jval"},     {"NZ", "jnz"},   {"INT", "jint"},
        {"FIX", "jint"},     {"NOW", "jnow"},     {"DATE", "jdate"},   {"IIF", "iif"}};
    for (int i = 0; i < int(v.size()); ++i) {
        Tok& t = v[i];
        switch (t.k) {
        case Tok::Data: t = {Tok::Simbolo, TraduceData(t.t)}; break;
        case Tok::Simbolo:
            if (t.t == u"&") t.t = QStringLiteral("||");
            break;
        case Tok::Parola: {
            const QString u = t.U();
            const int j = Prossimo(v, i);
            const bool chiamata = ESimbolo(v, j, "(");
            const bool qualificato = i > 0 && ESimbolo(v, i - 1, ".");
            if (qualificato) break;
            if (chiamata) {
                auto it = funzioni.find(u);
                if (it != funzioni.end()) {
                    // DATE(...) with arguments and LEFT JOIN are not calls to rename.
                    if (u == u"DATE" || u == u"NOW") {
                        const int k = Prossimo(v, j);
                        if (!ESimbolo(v, k, ")")) break;
                    }
                    t.t = it.value();
                }
            } else if (u == u"TRUE") {
                // Comparisons give 1 here: True must equal them.
                t.t = QStringLiteral("1");
            } else if (u == u"FALSE") {
                t.t = QStringLiteral("0");
            } else if (u == u"MOD") {
                t.t = QStringLiteral("%");
            } else if (u == u"DISTINCTROW") {
                t.t = QStringLiteral("DISTINCT");
            }
            break;
        }
        default: break;
        }
    }
    QString out = Unisci(v).trimmed();
    if (!limite.isEmpty()) out += QStringLiteral(" LIMIT ") + limite;
    return out;
}

void Database::ControllaEspressione(const QString& espressione, bool ordinamento)
{
    auto rifiuta = [&](const QString& perche) {
        Errore_(errdb::kSintassi,
                QStringLiteral("Espressione non ammessa (%1): %2").arg(perche, espressione.trimmed()));
    };
    const std::vector<Tok> v = Tokenizza(espressione);  // throws for an open text, name or date
    // Words that would open a clause or a statement of their own.
    static const QSet<QString> vietate = {
        "SELECT", "UNION",      "INTERSECT", "EXCEPT", "FROM",     "WHERE",     "GROUP",   "HAVING",    "ORDER",
        "LIMIT",  "OFFSET",     "WINDOW",    "WITH",   "INSERT",   "UPDATE",    "DELETE",  "DROP",      "CREATE",
        "ALTER",  "ATTACH",     "DETACH",    "PRAGMA", "VACUUM",   "INTO",      "VALUES",  "RETURNING", "TRANSFORM",
        "PIVOT",  "PARAMETERS", "BEGIN",     "COMMIT", "ROLLBACK", "SAVEPOINT", "RELEASE", "REINDEX",   "ANALYZE"};
    int prof = 0;
    bool qualcosa = false;
    bool inizioVoce = true;  // at the start of an element of the list
    const Tok* precedente = nullptr;
    for (const Tok& t : v) {
        if (t.k == Tok::Spazio) continue;
        qualcosa = true;
        if (t.k == Tok::Simbolo) {
            if (t.t == u";") rifiuta(QStringLiteral("una sola espressione"));
            if (t.t == u"(") ++prof;
            if (t.t == u")" && --prof < 0) rifiuta(QStringLiteral("parentesi non bilanciate"));
            // "--" and "/*" would begin a comment once joined.
            if (precedente && precedente->k == Tok::Simbolo &&
                ((precedente->t == u"-" && t.t == u"-") || (precedente->t == u"/" && t.t == u"*") ||
                 (precedente->t == u"*" && t.t == u"/")))
                rifiuta(QStringLiteral("commento"));
            if (t.t == u",") {
                if (prof == 0 && !ordinamento) rifiuta(QStringLiteral("una sola espressione"));
                if (prof == 0) {
                    if (inizioVoce) rifiuta(QStringLiteral("elemento vuoto"));
                    inizioVoce = true;
                    precedente = &t;
                    continue;
                }
            }
        } else if (t.k == Tok::Parola) {
            if (vietate.contains(t.U())) rifiuta(t.t);
        }
        inizioVoce = false;
        precedente = &t;
    }
    if (!qualcosa) Errore_(errdb::kSintassi, QStringLiteral("Espressione vuota."));
    if (prof != 0) rifiuta(QStringLiteral("parentesi non bilanciate"));
    if (inizioVoce) rifiuta(QStringLiteral("elemento vuoto"));
}

// ===========================================================================
// Connection state

struct Database::Stato {
    QString nomeConnessione;
    QString percorso;
    bool aperto = false;
    bool inTransazione = false;  // begun by BeginTrans, not yet ended by this side
    sqlite3* handle = nullptr;
    std::set<Recordset::Impl*> recordset;
    // Field definitions by table (upper-cased name), filled on demand.
    QHash<QString, std::vector<DefCampo>> campi;
    QHash<QString, std::vector<DefIndice>> indici;
    // A release of the walking statements is due at the next turn of the
    // event loop.
    bool rilascioProgrammato = false;

    QSqlDatabase Db() const { return QSqlDatabase::database(nomeConnessione, false); }
    void Dimentica()
    {
        campi.clear();
        indici.clear();
    }
};

namespace {

int g_contatoreConnessioni = 0;

// Words of the refusals raised by the file's checks (UTF-8), by which an
// engine failure is told to be one of them.
constexpr const char* kTestoTroppoLungo = "troppo piccolo per accettare";
constexpr const char* kTestoOverflow = "Overflow del campo numerico";
constexpr const char* kTestoConversione = "Errore di conversione del tipo di dati";

Errore ErroreDaSql(const QSqlError& e, const QString& contesto = QString())
{
    const QString testo = e.driverText().isEmpty() ? e.text() : e.databaseText();
    const QString db = e.databaseText();
    const int codice = e.nativeErrorCode().toInt();
    const int primario = codice & 0xFF;
    QString dett = db.isEmpty() ? testo : db;
    if (!contesto.isEmpty()) dett = contesto + QStringLiteral(": ") + dett;
    // The file's own checks of widths and ranges speak the engine's words.
    if (db.contains(QLatin1String(kTestoTroppoLungo))) return Errore(errdb::kCampoTroppoPiccolo, db);
    if (db.contains(QLatin1String(kTestoOverflow))) return Errore(errdb::kOverflow, db);
    if (db.contains(QLatin1String(kTestoConversione))) return Errore(errdb::kConversione, db);
    if (db.contains(QLatin1String("UNIQUE constraint failed")) || codice == 2067 || codice == 1555)
        return Errore(errdb::kValoreDuplicato,
                      QStringLiteral("Le modifiche non sono state apportate perché creerebbero valori duplicati "
                                     "nell'indice o nella chiave primaria (%1).")
                          .arg(db));
    if (primario == SQLITE_BUSY || primario == SQLITE_LOCKED)
        return Errore(errdb::kFileInUso, QStringLiteral("Archivio in uso da un altro programma (%1).").arg(dett));
    if (primario == SQLITE_NOTADB || primario == SQLITE_CORRUPT)
        return Errore(errdb::kFormatoNonRiconosciuto,
                      QStringLiteral("Formato di archivio non riconosciuto o archivio danneggiato (%1).").arg(dett));
    if (primario == SQLITE_CANTOPEN)
        return Errore(errdb::kFileNonTrovato, QStringLiteral("Impossibile aprire il file (%1).").arg(dett));
    if (primario == SQLITE_READONLY)
        return Errore(errdb::kSoloLettura, QStringLiteral("Archivio in sola lettura (%1).").arg(dett));
    if (primario == SQLITE_FULL || primario == SQLITE_IOERR)
        return Errore(errdb::kErroreMotore, QStringLiteral("Errore di scrittura su disco (%1).").arg(dett));
    static const QRegularExpression reTab(QStringLiteral("no such table: (\\S+)"));
    if (auto m = reTab.match(db); m.hasMatch())
        return Errore(errdb::kTabellaNonTrovata,
                      QStringLiteral("Impossibile trovare la tabella '%1'.").arg(m.captured(1)));
    static const QRegularExpression reCol(QStringLiteral("no such column: (\\S+)"));
    if (auto m = reCol.match(db); m.hasMatch())
        return Errore(errdb::kCampoNonTrovato, QStringLiteral("Campo sconosciuto: '%1'.").arg(m.captured(1)));
    if (db.contains(QLatin1String("syntax error")) || db.contains(QLatin1String("incomplete input")) ||
        db.contains(QLatin1String("unrecognized token")))
        return Errore(errdb::kSintassi, QStringLiteral("Errore di sintassi nell'istruzione (%1).").arg(dett));
    if (db.contains(QLatin1String("already exists")))
        return Errore(errdb::kTabellaEsistente, QStringLiteral("Oggetto già esistente (%1).").arg(dett));
    if (db.contains(QLatin1String("duplicate column name")))
        return Errore(errdb::kCampoEsistente, QStringLiteral("Campo già esistente (%1).").arg(dett));
    return Errore(errdb::kErroreMotore, QStringLiteral("Errore dell'archivio: %1").arg(dett));
}

void Prepara(QSqlQuery& q, const QString& sql)
{
    if (!q.prepare(sql)) throw ErroreDaSql(q.lastError());
}

void EseguiQ(QSqlQuery& q)
{
    if (!q.exec()) throw ErroreDaSql(q.lastError());
}

QSqlQuery Esegui(const Database::Stato& s, const QString& sql, const QVariantList& valori = {})
{
    QSqlQuery q(s.Db());
    q.setForwardOnly(true);
    Prepara(q, sql);
    for (int i = 0; i < valori.size(); ++i) q.bindValue(i, ValorePerLegame(valori.at(i)));
    EseguiQ(q);
    return q;
}

}  // namespace

// ===========================================================================
// Recordset internals

struct Recordset::Impl {
    std::shared_ptr<Database::Stato> db;
    bool aperto = false;
    TipoRecordset tipo = TipoRecordset::Tabella;
    bool aggiornabile = false;
    QString sorgente;
    QVariantList valori;           // bound to the statement of an SQL record set
    QString tabella;               // the table written to (empty: read-only query)
    std::vector<DefCampo> defs;    // per column; tipo Memo when unknown
    std::vector<bool> conosciuto;  // column is a field of `tabella` (or a known field)
    QStringList nomi;
    QHash<QString, int> perNome;  // upper-cased name -> column
    int modo = dbEditNone;
    std::vector<QVariant> copia;
    std::vector<bool> cambiato;
    qint64 ultimoModificato = -1;
    bool noMatch = false;

    // Table type
    QString indice;
    QString campoIndice;  // empty: order of entry (rowid)
    DefCampo defIndice;
    enum Pos { Inizio, Riga, Fine } pos = Inizio;
    qint64 rowid = 0;
    QVariant chiave;  // value of campoIndice in the current row
    bool eliminato = false;
    std::vector<QVariant> riga;  // current row
    std::optional<QSqlQuery> qSucc, qSuccNull, qPrimoNonNull, qPrec, qPrecNull, qUltimoNull, qRiga;
    // Statements kept prepared: seeks by comparison, writes by field list.
    std::map<QString, QSqlQuery> preparate;
    std::vector<int> colonnePrimarie;  // fields of the table's primary index

    // Table type: the statement that walks on from the current row in the
    // order of the index, kept between moves so that a walk costs one step
    // of the engine per row instead of one query.  `vivo` while it stands
    // on the current row and nothing was written since (`cambi`).
    sqlite3_stmt* flussoInizio = nullptr;  // from the first row
    sqlite3_stmt* flussoDopo = nullptr;    // after a (key, rowid)
    sqlite3_stmt* flusso = nullptr;        // the one in use
    bool vivo = false;
    long long cambi = 0;

    // Table type: the statements of Seek, the engine's own, one for each
    // comparison on the field of the current index (the last one finds a
    // text stored without its blanks), prepared when first used and
    // finalised with the record set, before the connection goes.
    static constexpr int kRicerche = 6;
    QString campoRicerca;  // the field they were prepared for
    int colonnaRicerca = -1;
    std::array<sqlite3_stmt*, kRicerche> ricerche{};

    // SQL type
    std::vector<std::vector<QVariant>> righe;
    std::vector<qint64> rowids;
    std::vector<bool> cancellate;
    int corrente = -1;  // -1 before the first, righe.size() after the last

    ~Impl() { Chiudi(); }

    // Stops the walk and lets the engine go of what it held.
    void FermaFlusso()
    {
        if (flusso) sqlite3_reset(flusso);
        flusso = nullptr;
        vivo = false;
    }

    void FinalizzaFlussi()
    {
        FermaFlusso();
        if (flussoInizio) sqlite3_finalize(flussoInizio);
        if (flussoDopo) sqlite3_finalize(flussoDopo);
        flussoInizio = flussoDopo = nullptr;
    }

    void FinalizzaRicerche()
    {
        for (sqlite3_stmt*& st : ricerche) {
            if (st) sqlite3_finalize(st);
            st = nullptr;
        }
        campoRicerca.clear();
        colonnaRicerca = -1;
    }

    void Chiudi()
    {
        FinalizzaFlussi();
        FinalizzaRicerche();
        qSucc.reset();
        qSuccNull.reset();
        qPrimoNonNull.reset();
        qPrec.reset();
        qPrecNull.reset();
        qUltimoNull.reset();
        qRiga.reset();
        preparate.clear();
        if (db) db->recordset.erase(this);
        aperto = false;
        righe.clear();
        rowids.clear();
        cancellate.clear();
        riga.clear();
        modo = dbEditNone;
    }

    void Verifica() const
    {
        if (!aperto || !db || !db->aperto)
            Errore_(errdb::kDatabaseChiuso,
                    QStringLiteral("Oggetto non valido o non più impostato: record set chiuso."));
    }

    int Colonna(const QString& nome) const
    {
        auto it = perNome.find(nome.toUpper());
        if (it == perNome.end())
            Errore_(errdb::kCampoNonTrovato,
                    QStringLiteral("Elemento non trovato nell'insieme: campo '%1'.").arg(nome));
        return it.value();
    }

    // A statement prepared once for this record set.
    QSqlQuery& Preparata(const QString& sql)
    {
        auto it = preparate.find(sql);
        if (it == preparate.end()) {
            QSqlQuery q(db->Db());
            q.setForwardOnly(true);
            if (!q.prepare(sql)) throw ErroreDaSql(q.lastError());
            it = preparate.emplace(sql, std::move(q)).first;
        }
        return it->second;
    }

    void ImpostaColonne(const QStringList& n, const std::vector<DefCampo>& d, const std::vector<bool>& k)
    {
        nomi = n;
        defs = d;
        conosciuto = k;
        perNome.clear();
        for (int i = 0; i < nomi.size(); ++i)
            if (!perNome.contains(nomi[i].toUpper())) perNome.insert(nomi[i].toUpper(), i);
    }

    bool HaRigaCorrente() const
    {
        if (tipo == TipoRecordset::Tabella) return pos == Riga && !eliminato;
        return corrente >= 0 && corrente < int(righe.size()) && !cancellate[corrente];
    }

    void RichiedeRiga() const
    {
        const bool elim = tipo == TipoRecordset::Tabella
                              ? (pos == Riga && eliminato)
                              : (corrente >= 0 && corrente < int(righe.size()) && cancellate[corrente]);
        if (elim) Errore_(errdb::kRecordEliminato, QStringLiteral("Record eliminato."));
        if (!HaRigaCorrente()) Errore_(errdb::kNessunRecord, QStringLiteral("Nessun record corrente."));
    }
};

namespace {

// Stops every walk of the connection: before a write, a transaction or an
// upkeep of the file, and when the event loop turns, so that no statement
// keeps the file locked while the program waits.
void RilasciaFlussi(Database::Stato& s)
{
    for (Recordset::Impl* r : s.recordset) r->FermaFlusso();
}

// A value of a column of a walking statement, as the Qt driver gives it.
QVariant ValoreGrezzo(sqlite3_stmt* st, int i)
{
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_INTEGER: return QVariant(qlonglong(sqlite3_column_int64(st, i)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(st, i));
    case SQLITE_TEXT: {
        const auto* p = static_cast<const QChar*>(sqlite3_column_text16(st, i));
        const int n = sqlite3_column_bytes16(st, i) / 2;
        return QVariant(QString(p, n));
    }
    case SQLITE_BLOB: {
        const auto* p = static_cast<const char*>(sqlite3_column_blob(st, i));
        return QVariant(QByteArray(p, sqlite3_column_bytes(st, i)));
    }
    default: return QVariant();
    }
}

bool LegaGrezzo(sqlite3_stmt* st, int i, const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::Char:
    case QMetaType::Bool: return sqlite3_bind_int64(st, i, v.toLongLong()) == SQLITE_OK;
    case QMetaType::Double:
    case QMetaType::Float: return sqlite3_bind_double(st, i, v.toDouble()) == SQLITE_OK;
    case QMetaType::QString: {
        const QString t = v.toString();
        return sqlite3_bind_text16(st, i, t.utf16(), int(t.size()) * 2, SQLITE_TRANSIENT) == SQLITE_OK;
    }
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        return sqlite3_bind_blob(st, i, b.constData(), int(b.size()), SQLITE_TRANSIENT) == SQLITE_OK;
    }
    default: return false;
    }
}

// A value read from the file in the shape of its field.
QVariant Letto(const DefCampo& d, bool conosciuto, const QVariant& grezzo, bool nullo)
{
    if (nullo || !grezzo.isValid()) return QVariant();
    if (!conosciuto) {
        if (grezzo.typeId() == QMetaType::LongLong) {
            const qlonglong x = grezzo.toLongLong();
            if (x >= std::numeric_limits<int>::min() && x <= std::numeric_limits<int>::max()) return int(x);
        }
        return grezzo;
    }
    bool ok = false;
    switch (d.tipo) {
    case TipoCampo::Byte:
    case TipoCampo::Integer:
    case TipoCampo::Long: {
        const qlonglong x = grezzo.toLongLong(&ok);
        if (ok && x >= std::numeric_limits<int>::min() && x <= std::numeric_limits<int>::max()) return int(x);
        const double y = grezzo.toDouble(&ok);
        if (ok) return int(std::nearbyint(y));
        return grezzo;
    }
    case TipoCampo::Single:
    case TipoCampo::Double: {
        const double y = grezzo.toDouble(&ok);
        return ok ? QVariant(y) : grezzo;
    }
    case TipoCampo::Date: {
        if (grezzo.typeId() == QMetaType::QString) {
            const QDateTime t = DataDaTesto(grezzo.toString());
            return t.isValid() ? QVariant(t) : grezzo;
        }
        const double y = grezzo.toDouble(&ok);
        return ok ? QVariant(DataDaSeriale(y)) : grezzo;
    }
    case TipoCampo::Text:
    case TipoCampo::Memo: return grezzo.toString();
    }
    return grezzo;
}

// A value made ready for a field, or the engine's refusal.
QVariant PerCampo(const DefCampo& d, const QVariant& v)
{
    if (!v.isValid() || v.typeId() == QMetaType::Nullptr) return QVariant();
    auto conversione = [&]() {
        Errore_(errdb::kConversione,
                QStringLiteral("Errore di conversione del tipo di dati: valore '%1' non adatto al campo '%2'.")
                    .arg(v.toString(), d.nome));
    };
    auto numero = [&]() -> double {
        switch (v.typeId()) {
        case QMetaType::Bool: return v.toBool() ? 1 : 0;
        case QMetaType::QString: {
            const QString s = v.toString().trimmed();
            bool ok = false;
            double x = s.toDouble(&ok);
            if (!ok) x = QLocale(QLocale::Italian).toDouble(s, &ok);
            if (!ok) conversione();
            return x;
        }
        case QMetaType::QDateTime:
        case QMetaType::QDate: conversione(); return 0;
        default: {
            bool ok = false;
            const double x = v.toDouble(&ok);
            if (!ok) conversione();
            return x;
        }
        }
    };
    auto overflow = [&]() {
        Errore_(errdb::kOverflow, QStringLiteral("Overflow del campo numerico '%1'.").arg(d.nome));
    };
    switch (d.tipo) {
    case TipoCampo::Byte:
    case TipoCampo::Integer:
    case TipoCampo::Long: {
        const double x = std::nearbyint(numero());
        const double lo = d.tipo == TipoCampo::Byte ? 0 : d.tipo == TipoCampo::Integer ? -32768 : -2147483648.0;
        const double hi = d.tipo == TipoCampo::Byte ? 255 : d.tipo == TipoCampo::Integer ? 32767 : 2147483647.0;
        if (!(x >= lo && x <= hi)) overflow();
        return qlonglong(x);
    }
    case TipoCampo::Single: {
        const double x = numero();
        if (std::isfinite(x) && std::fabs(x) > double(FLT_MAX)) overflow();
        return double(float(x));
    }
    case TipoCampo::Double: return numero();
    case TipoCampo::Date: {
        QDateTime t;
        if (v.typeId() == QMetaType::QDateTime)
            t = v.toDateTime();
        else if (v.typeId() == QMetaType::QDate)
            t = QDateTime(v.toDate(), QTime(0, 0));
        else if (v.typeId() == QMetaType::QTime)
            t = QDateTime(QDate(1899, 12, 30), v.toTime());
        else if (v.typeId() == QMetaType::QString)
            t = DataDaTestoLibero(v.toString());
        else {
            bool ok = false;
            const double x = v.toDouble(&ok);
            if (ok) t = DataDaSeriale(x);
        }
        if (!t.isValid()) conversione();
        // The archive keeps dates to the second.
        const QTime o = t.time();
        t.setTime(QTime(o.hour(), o.minute(), o.second()));
        return TestoData(t);
    }
    case TipoCampo::Text: {
        QString s;
        if (v.typeId() == QMetaType::QDateTime)
            s = TestoData(v.toDateTime());
        else
            s = v.toString();
        return PadTaglia(s, d.dimensione > 0 ? d.dimensione : 255);
    }
    case TipoCampo::Memo: {
        const QString s = v.toString();
        return s.isNull() ? QStringLiteral("") : s;
    }
    }
    return v;
}

}  // namespace

// ===========================================================================
// Database

namespace {

// Every Database, so that connections still open when the application
// object goes are closed while Qt's SQL layer is still there.  Never
// destroyed: it must outlive the program-wide archive.
std::set<Database*>& Registro()
{
    static auto* r = new std::set<Database*>;
    return *r;
}

void ChiudiTutti()
{
    for (Database* d : Registro()) {
        try {
            d->Close();
        } catch (...) {
        }
    }
}

}  // namespace

Database::Database() { Registro().insert(this); }

Database::~Database()
{
    Registro().erase(this);
    // After the application object is gone its SQL layer is too; the
    // connections were closed then.
    if (!QCoreApplication::instance()) return;
    try {
        Close();
    } catch (...) {
    }
}

bool Database::IsOpen() const { return m_stato && m_stato->aperto; }
QString Database::Name() const { return IsOpen() ? m_stato->percorso : QString(); }

namespace {

void VerificaAperto(const std::shared_ptr<Database::Stato>& s)
{
    if (!s || !s->aperto)
        Errore_(errdb::kDatabaseChiuso, QStringLiteral("Oggetto non valido o non più impostato: archivio non aperto."));
}

}  // namespace

static int CommitFuoriTransazione(void* stato)
{
    return static_cast<Database::Stato*>(stato)->inTransazione ? 1 : 0;
}

static std::shared_ptr<Database::Stato> ApriConnessione(const QString& percorso, const char* modo)
{
    static bool registrato = false;
    if (!registrato && QCoreApplication::instance()) {
        qAddPostRoutine(ChiudiTutti);
        registrato = true;
    }
    auto s = std::make_shared<Database::Stato>();
    s->nomeConnessione = QStringLiteral("obx-archivio-%1").arg(++g_contatoreConnessioni);
    s->percorso = QFileInfo(percorso).absoluteFilePath();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), s->nomeConnessione);
        QUrl url = QUrl::fromLocalFile(s->percorso);
        url.setQuery(QStringLiteral("mode=%1").arg(QLatin1String(modo)));
        db.setDatabaseName(url.toString(QUrl::FullyEncoded));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=3000"));
        if (!db.open()) {
            const Errore e = ErroreDaSql(db.lastError(), s->percorso);
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(s->nomeConnessione);
            throw e;
        }
        const QVariant h = db.driver()->handle();
        if (h.isValid() && qstrcmp(h.typeName(), "sqlite3*") == 0)
            s->handle = *static_cast<sqlite3* const*>(h.constData());
        if (!s->handle || !RegistraFunzioni(s->handle)) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(s->nomeConnessione);
            Errore_(errdb::kErroreMotore, QStringLiteral("Motore dell'archivio non disponibile."));
        }
    }
    // While a transaction begun here is meant to be open, nothing is
    // stored on its own: when the engine has ended it under the writer (a
    // full disk), the writes that follow would otherwise each commit alone
    // and leave half of what belongs together.
    sqlite3_commit_hook(s->handle, &CommitFuoriTransazione, s.get());
    s->aperto = true;
    return s;
}

static void ChiudiConnessione(std::shared_ptr<Database::Stato>& s)
{
    if (!s) return;
    // Record sets still open lose their statements before the connection goes.
    const auto aperti = s->recordset;
    for (Recordset::Impl* r : aperti) r->Chiudi();
    if (s->aperto) {
        {
            QSqlDatabase db = s->Db();
            if (db.isValid()) db.close();
        }
        QSqlDatabase::removeDatabase(s->nomeConnessione);
    }
    s->aperto = false;
    s->handle = nullptr;
    s.reset();
}

void Database::Open(const QString& percorso, bool esclusivo)
{
    Close();
    const QFileInfo fi(percorso);
    if (percorso.isEmpty() || !fi.exists() || !fi.isFile())
        Errore_(errdb::kFileNonTrovato, QStringLiteral("Impossibile trovare il file '%1'.").arg(percorso));
    auto s = ApriConnessione(percorso, "rw");
    try {
        Esegui(*s, QStringLiteral("SELECT count(*) FROM sqlite_master"));
        // The engine falls back to reading a file it may not write: the
        // first change would fail in the middle of the work.
        if (sqlite3_db_readonly(s->handle, "main") == 1)
            Errore_(errdb::kSoloLettura,
                    QStringLiteral("Impossibile aggiornare. Il database '%1' è di sola lettura.").arg(percorso));
        Esegui(*s, QStringLiteral("PRAGMA synchronous = FULL"));
        if (esclusivo) {
            Esegui(*s, QStringLiteral("PRAGMA locking_mode = EXCLUSIVE"));
            Esegui(*s, QStringLiteral("BEGIN EXCLUSIVE"));
            Esegui(*s, QStringLiteral("COMMIT"));
        }
    } catch (const Errore& e) {
        ChiudiConnessione(s);
        if (e.Numero() == errdb::kFormatoNonRiconosciuto || e.Numero() == errdb::kErroreMotore)
            Errore_(errdb::kFormatoNonRiconosciuto,
                    QStringLiteral("Formato di database non riconosciuto: '%1'.").arg(percorso));
        throw;
    }
    m_stato = std::move(s);
}

void Database::VerificaScrittura(const QString& percorso)
{
    const QFileInfo fi(percorso);
    if (percorso.isEmpty() || !fi.exists() || !fi.isFile())
        Errore_(errdb::kFileNonTrovato, QStringLiteral("Impossibile trovare il file '%1'.").arg(percorso));
    auto rifiuto = [&](const QString& cosa, int err) {
        QString perche;
        switch (err) {
        case EACCES:
        case EPERM: perche = QStringLiteral("permesso negato"); break;
        case EROFS: perche = QStringLiteral("disco in sola lettura"); break;
        case ENOSPC: perche = QStringLiteral("disco pieno"); break;
        default: perche = QString::fromLocal8Bit(std::strerror(err)); break;
        }
        Errore_(errdb::kSoloLettura,
                QStringLiteral("Impossibile aggiornare. %1 è di sola lettura (%2).").arg(cosa, perche));
    };
    // Opening for writing changes nothing in the file.
    const int fd = ::open(QFile::encodeName(fi.absoluteFilePath()).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0) rifiuto(QStringLiteral("Il database '%1'").arg(percorso), errno);
    ::close(fd);
    // A file made and removed at once in the folder.
    QByteArray prova = QFile::encodeName(fi.absolutePath() + QStringLiteral("/.obx-scrittura-XXXXXX"));
    const int t = ::mkstemp(prova.data());
    if (t < 0) rifiuto(QStringLiteral("La cartella '%1' dell'archivio").arg(fi.absolutePath()), errno);
    ::close(t);
    ::unlink(prova.constData());
}

void Database::Create(const QString& percorso)
{
    Close();
    if (percorso.isEmpty()) Errore_(errdb::kFileNonTrovato, QStringLiteral("Nome di archivio mancante."));
    if (QFileInfo::exists(percorso))
        Errore_(errdb::kDatabaseEsistente, QStringLiteral("Il database '%1' esiste già.").arg(percorso));
    const QFileInfo fi(percorso);
    if (!fi.absoluteDir().exists())
        Errore_(errdb::kFileNonTrovato, QStringLiteral("Cartella inesistente: '%1'.").arg(fi.absolutePath()));
    auto s = ApriConnessione(percorso, "rwc");
    try {
        // Writes the file's header now, so that it is a database at once.
        Esegui(*s, QStringLiteral("PRAGMA synchronous = FULL"));
        Esegui(*s, QStringLiteral("PRAGMA user_version = 1"));
    } catch (...) {
        ChiudiConnessione(s);
        QFile::remove(percorso);
        throw;
    }
    m_stato = std::move(s);
}

void Database::Close() { ChiudiConnessione(m_stato); }

sqlite3* Database::Motore() const { return m_stato && m_stato->aperto ? m_stato->handle : nullptr; }

QSqlDatabase Database::Connessione() const
{
    // A write through it must commit when it returns, which a walk left
    // standing would hold back.
    if (m_stato) RilasciaFlussi(*m_stato);
    return m_stato ? m_stato->Db() : QSqlDatabase();
}

// ---------------------------------------------------------------------------
// The file's own widths and ranges.  Two triggers per table, one on the rows
// added and one on the rows changed, refuse with the engine's words a text
// longer than its field and a number outside its type's range.  A changed
// row is checked only in the fields that change, so a row written before
// the checks existed can still be corrected field by field.

namespace {

const QString kPrefissoLimiti = QStringLiteral("obx_limiti_");

struct Controllo {
    QString rifiutato;  // condition on `v` that refuses the value
    QString messaggio;
};

// The checks of field c on the value held in `v` (NEW."name"), in order.
std::vector<Controllo> ControlliCampo(const DefCampo& c, const QString& v)
{
    auto numero = [&](const char* lo, const char* hi) -> std::vector<Controllo> {
        return {
            // Not a number at all...
            {QStringLiteral("%1 IS NOT NULL AND typeof(%1) NOT IN ('integer', 'real')").arg(v),
             QString::fromUtf8(kTestoConversione) +
                 QStringLiteral(": valore non numerico per il campo '%1'.").arg(c.nome)},
            // ...or outside the range once rounded to a whole number.
            {QStringLiteral("round(%1) < %2 OR round(%1) > %3").arg(v, QLatin1String(lo), QLatin1String(hi)),
             QString::fromUtf8(kTestoOverflow) +
                 QStringLiteral(" '%1': valori da %2 a %3.").arg(c.nome, QLatin1String(lo), QLatin1String(hi))},
        };
    };
    switch (c.tipo) {
    case TipoCampo::Byte: return numero("0", "255");
    case TipoCampo::Integer: return numero("-32768", "32767");
    case TipoCampo::Long: return numero("-2147483648", "2147483647");
    case TipoCampo::Text: {
        const int n = c.dimensione > 0 ? c.dimensione : 255;
        return {{QStringLiteral("length(%1) > %2").arg(v).arg(n),
                 QStringLiteral("Il campo '%1' è ").arg(c.nome) + QString::fromUtf8(kTestoTroppoLungo) +
                     QStringLiteral(" la quantità di dati che si è tentato di aggiungere: al massimo %1 "
                                    "caratteri.")
                         .arg(n)}};
    }
    default: return {};
    }
}

// The two triggers a table wants, by name (none for a table without limits).
std::map<QString, QString> LimitiVoluti(const QString& tabella, const std::vector<DefCampo>& campi)
{
    QStringList nuovi, cambiati;
    for (const DefCampo& c : campi) {
        const QString v = QStringLiteral("NEW.") + Q(c.nome);
        for (const Controllo& k : ControlliCampo(c, v)) {
            const QString rifiuto = QStringLiteral(" THEN RAISE(ABORT, %1)").arg(Letterale(k.messaggio));
            nuovi << QStringLiteral("WHEN (%1)").arg(k.rifiutato) + rifiuto;
            cambiati << QStringLiteral("WHEN %1 IS NOT OLD.%2 AND (%3)").arg(v, Q(c.nome), k.rifiutato) + rifiuto;
        }
    }
    std::map<QString, QString> out;
    if (nuovi.isEmpty()) return out;
    const QString ins = kPrefissoLimiti + QStringLiteral("ins_") + tabella;
    const QString upd = kPrefissoLimiti + QStringLiteral("upd_") + tabella;
    out[ins] = QStringLiteral("CREATE TRIGGER %1 BEFORE INSERT ON %2 FOR EACH ROW BEGIN SELECT CASE %3 END; END")
                   .arg(Q(ins), Q(tabella), nuovi.join(u' '));
    out[upd] = QStringLiteral("CREATE TRIGGER %1 BEFORE UPDATE ON %2 FOR EACH ROW BEGIN SELECT CASE %3 END; END")
                   .arg(Q(upd), Q(tabella), cambiati.join(u' '));
    return out;
}

// The checks standing on a table (on every table when tabella is empty):
// name -> statement.
std::map<QString, QString> LimitiPresenti(const Database::Stato& s, const QString& tabella)
{
    QString sql = QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'trigger' "
                                 "AND substr(name, 1, %1) = ?")
                      .arg(kPrefissoLimiti.size());
    QVariantList valori{kPrefissoLimiti};
    if (!tabella.isEmpty()) {
        sql += QStringLiteral(" AND tbl_name = ? COLLATE NOCASE");
        valori << tabella;
    }
    QSqlQuery q = Esegui(s, sql, valori);
    std::map<QString, QString> out;
    while (q.next()) out[q.value(0).toString()] = q.value(1).toString();
    return out;
}

void TogliLimiti(const Database::Stato& s)
{
    for (const auto& [nome, sql] : LimitiPresenti(s, QString()))
        Esegui(s, QStringLiteral("DROP TRIGGER %1").arg(Q(nome)));
}

void AnnullaSalvataggio(const Database::Stato& s, const QString& nome)
{
    try {
        Esegui(s, QStringLiteral("ROLLBACK TO %1").arg(nome));
        Esegui(s, QStringLiteral("RELEASE %1").arg(nome));
    } catch (...) {
    }
}

}  // namespace

int Database::Execute(const QString& sql, const QVariantList& valori)
{
    VerificaAperto(m_stato);
    RilasciaFlussi(*m_stato);
    m_righeToccate = 0;
    // DROP INDEX name ON table: the per-table name is looked up.
    static const QRegularExpression reDrop(
        QStringLiteral("^\\s*DROP\\s+INDEX\\s+(\\[[^\\]]+\\]|\\S+)\\s+ON\\s+(\\[[^\\]]+\\]|[^\\s;]+)\\s*;?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    if (auto m = reDrop.match(sql); m.hasMatch()) {
        auto nome = [](QString x) {
            if (x.startsWith(u'[')) x = x.mid(1, x.size() - 2);
            return x;
        };
        DropIndex(nome(m.captured(2)), nome(m.captured(1)));
        return 0;
    }
    const QString tradotta = TraduceSQL(sql);
    const QString verbo = tradotta.section(u' ', 0, 0).toUpper();
    if (verbo == u"SELECT")
        Errore_(errdb::kOperazioneNonValida, QStringLiteral("Impossibile eseguire una query di selezione."));
    if (verbo == u"VACUUM" || verbo == u"BEGIN" || verbo == u"COMMIT" || verbo == u"END" || verbo == u"ROLLBACK" ||
        verbo == u"SAVEPOINT" || verbo == u"RELEASE" || verbo == u"ATTACH" || verbo == u"DETACH")
        Errore_(errdb::kNonTraducibile,
                QStringLiteral("Istruzione non eseguibile sull'archivio: %1").arg(sql.trimmed()));
    const bool definizione = verbo == u"CREATE" || verbo == u"ALTER" || verbo == u"DROP";
    Esegui(*m_stato, QStringLiteral("SAVEPOINT obx_istruzione"));
    try {
        // A definition may drop or rename a column the checks name: they
        // go first and are put back on every table as the file is after it.
        if (definizione) TogliLimiti(*m_stato);
        QSqlQuery q = Esegui(*m_stato, tradotta, valori);
        m_righeToccate = q.numRowsAffected();
        q.finish();
        if (definizione) {
            m_stato->Dimentica();
            ImponeLimiti();
        }
        Esegui(*m_stato, QStringLiteral("RELEASE obx_istruzione"));
    } catch (...) {
        try {
            Esegui(*m_stato, QStringLiteral("ROLLBACK TO obx_istruzione"));
            Esegui(*m_stato, QStringLiteral("RELEASE obx_istruzione"));
        } catch (...) {
        }
        if (definizione) m_stato->Dimentica();
        throw;
    }
    if (definizione) m_stato->Dimentica();
    return m_righeToccate;
}

QStringList Database::TableNames() const
{
    VerificaAperto(m_stato);
    QSqlQuery q = Esegui(
        *m_stato,
        QStringLiteral(
            "SELECT name FROM sqlite_master WHERE type = 'table' AND substr(name, 1, 7) <> 'sqlite_' ORDER BY rowid"));
    QStringList out;
    while (q.next()) out << q.value(0).toString();
    return out;
}

bool Database::TableExists(const QString& tabella) const
{
    VerificaAperto(m_stato);
    QSqlQuery q =
        Esegui(*m_stato, QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"),
               {tabella});
    return q.next();
}

std::vector<DefCampo> Database::Fields(const QString& tabella) const
{
    VerificaAperto(m_stato);
    const QString k = tabella.toUpper();
    if (auto it = m_stato->campi.find(k); it != m_stato->campi.end()) return it.value();
    if (!TableExists(tabella))
        Errore_(errdb::kTabellaNonTrovata, QStringLiteral("Impossibile trovare la tabella '%1'.").arg(tabella));
    QString sqlTabella;
    {
        QSqlQuery q = Esegui(
            *m_stato, QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"),
            {tabella});
        if (q.next()) sqlTabella = q.value(0).toString();
    }
    const bool auto_ = sqlTabella.contains(QLatin1String("AUTOINCREMENT"), Qt::CaseInsensitive);
    std::vector<DefCampo> out;
    QSqlQuery q = Esegui(*m_stato, QStringLiteral("PRAGMA table_info(%1)").arg(Q(tabella)));
    while (q.next()) {
        DefCampo c = CampoDaDichiarato(q.value(1).toString(), q.value(2).toString());
        if (q.value(5).toInt() == 1 && auto_ && c.tipo == TipoCampo::Long) c.attributi |= kAttrAutoIncremento;
        out.push_back(c);
    }
    m_stato->campi.insert(k, out);
    return out;
}

bool Database::FieldExists(const QString& tabella, const QString& campo) const
{
    for (const DefCampo& c : Fields(tabella))
        if (c.nome.compare(campo, Qt::CaseInsensitive) == 0) return true;
    return false;
}

DefCampo Database::Field(const QString& tabella, const QString& campo) const
{
    for (const DefCampo& c : Fields(tabella))
        if (c.nome.compare(campo, Qt::CaseInsensitive) == 0) return c;
    Errore_(errdb::kCampoNonTrovato,
            QStringLiteral("Elemento non trovato nell'insieme: campo '%1' della tabella '%2'.").arg(campo, tabella));
}

namespace {

struct IndiceFisico {
    DefIndice def;
    QString fisico;
};

std::vector<IndiceFisico> IndiciFisici(const Database::Stato& s, const QString& tabella)
{
    std::vector<IndiceFisico> out;
    QSqlQuery q = Esegui(s, QStringLiteral("PRAGMA index_list(%1)").arg(Q(tabella)));
    struct R {
        QString nome;
        bool unico;
        QString origine;
    };
    std::vector<R> righe;
    while (q.next()) righe.push_back({q.value(1).toString(), q.value(2).toInt() != 0, q.value(3).toString()});
    q.finish();
    // PRAGMA index_list lists the newest first; show them in order of creation.
    std::reverse(righe.begin(), righe.end());
    for (const R& r : righe) {
        if (r.origine != u"c") continue;  // automatic indexes of constraints
        // The program's own indexes ("obx_indice_...", where the table's
        // own are "table.name") are no index of the table for its users.
        if (r.nome.startsWith(QLatin1String("obx_indice_"), Qt::CaseInsensitive) && !r.nome.contains(u'.')) continue;
        IndiceFisico f;
        f.fisico = r.nome;
        f.def.nome = NomeLogicoIndice(tabella, r.nome, &f.def.primario);
        f.def.unico = r.unico;
        if (!r.unico) f.def.primario = false;
        QSqlQuery c = Esegui(s, QStringLiteral("PRAGMA index_info(%1)").arg(Q(r.nome)));
        while (c.next()) f.def.campi << c.value(2).toString();
        out.push_back(f);
    }
    return out;
}

}  // namespace

std::vector<DefIndice> Database::Indexes(const QString& tabella) const
{
    VerificaAperto(m_stato);
    const QString k = tabella.toUpper();
    if (auto it = m_stato->indici.find(k); it != m_stato->indici.end()) return it.value();
    if (!TableExists(tabella))
        Errore_(errdb::kTabellaNonTrovata, QStringLiteral("Impossibile trovare la tabella '%1'.").arg(tabella));
    std::vector<DefIndice> out;
    for (const IndiceFisico& f : IndiciFisici(*m_stato, tabella)) out.push_back(f.def);
    m_stato->indici.insert(k, out);
    return out;
}

bool Database::IndexExists(const QString& tabella, const QString& indice) const
{
    for (const DefIndice& i : Indexes(tabella))
        if (i.nome.compare(indice, Qt::CaseInsensitive) == 0) return true;
    return false;
}

qint64 Database::RowCount(const QString& tabella) const
{
    VerificaAperto(m_stato);
    QSqlQuery q = Esegui(*m_stato, QStringLiteral("SELECT count(*) FROM %1").arg(Q(tabella)));
    return q.next() ? q.value(0).toLongLong() : 0;
}

void Database::CreateTable(const QString& tabella, const std::vector<DefCampo>& campi)
{
    VerificaAperto(m_stato);
    RilasciaFlussi(*m_stato);
    if (tabella.trimmed().isEmpty()) Errore_(errdb::kSintassi, QStringLiteral("Nome di tabella mancante."));
    if (TableExists(tabella))
        Errore_(errdb::kTabellaEsistente, QStringLiteral("La tabella '%1' esiste già.").arg(tabella));
    if (campi.empty()) Errore_(errdb::kSintassi, QStringLiteral("La tabella '%1' non ha campi.").arg(tabella));
    QStringList col;
    QSet<QString> visti;
    for (const DefCampo& c : campi) {
        if (visti.contains(c.nome.toUpper()))
            Errore_(errdb::kCampoEsistente, QStringLiteral("Campo '%1' ripetuto.").arg(c.nome));
        visti.insert(c.nome.toUpper());
        if ((c.attributi & kAttrAutoIncremento) && c.tipo != TipoCampo::Long)
            Errore_(errdb::kOperazioneNonValida,
                    QStringLiteral("Solo un campo Long può essere a numerazione automatica: '%1'.").arg(c.nome));
        col << Q(c.nome) + u' ' + TipoDichiarato(c);
    }
    m_stato->Dimentica();
    Esegui(*m_stato, QStringLiteral("SAVEPOINT obx_tabella"));
    try {
        Esegui(*m_stato, QStringLiteral("CREATE TABLE %1 (%2)").arg(Q(tabella), col.join(QStringLiteral(", "))));
        ImponeLimiti(tabella);
        Esegui(*m_stato, QStringLiteral("RELEASE obx_tabella"));
    } catch (...) {
        AnnullaSalvataggio(*m_stato, QStringLiteral("obx_tabella"));
        throw;
    }
}

void Database::AddField(const QString& tabella, const DefCampo& campo)
{
    VerificaAperto(m_stato);
    RilasciaFlussi(*m_stato);
    if (FieldExists(tabella, campo.nome))
        Errore_(errdb::kCampoEsistente,
                QStringLiteral("Il campo '%1' esiste già nella tabella '%2'.").arg(campo.nome, tabella));
    if (campo.attributi & kAttrAutoIncremento)
        Errore_(errdb::kNonTraducibile,
                QStringLiteral("Il campo a numerazione automatica '%1' non può essere aggiunto alla tabella "
                               "esistente '%2'.")
                    .arg(campo.nome, tabella));
    m_stato->Dimentica();
    Esegui(*m_stato, QStringLiteral("SAVEPOINT obx_campo"));
    try {
        Esegui(*m_stato,
               QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3").arg(Q(tabella), Q(campo.nome), TipoDichiarato(campo)));
        m_stato->Dimentica();
        ImponeLimiti(tabella);
        Esegui(*m_stato, QStringLiteral("RELEASE obx_campo"));
    } catch (...) {
        AnnullaSalvataggio(*m_stato, QStringLiteral("obx_campo"));
        throw;
    }
}

void Database::CreateIndex(const QString& tabella, const DefIndice& indice)
{
    VerificaAperto(m_stato);
    RilasciaFlussi(*m_stato);
    if (IndexExists(tabella, indice.nome))
        Errore_(errdb::kIndiceEsistente,
                QStringLiteral("L'indice '%1' esiste già nella tabella '%2'.").arg(indice.nome, tabella));
    if (indice.campi.isEmpty())
        Errore_(errdb::kSintassi, QStringLiteral("L'indice '%1' non ha campi.").arg(indice.nome));
    QStringList col;
    for (const QString& c : indice.campi) {
        Field(tabella, c);  // the field must exist
        col << Q(c);
    }
    const bool unico = indice.unico || indice.primario;
    if (indice.primario) {
        QStringList nulli;
        for (const QString& c : indice.campi) nulli << Q(c) + QStringLiteral(" IS NULL");
        QSqlQuery q = Esegui(
            *m_stato,
            QStringLiteral("SELECT 1 FROM %1 WHERE %2 LIMIT 1").arg(Q(tabella), nulli.join(QStringLiteral(" OR "))));
        if (q.next())
            Errore_(errdb::kNullInIndice,
                    QStringLiteral("L'indice o la chiave primaria '%1' non può contenere un valore Null.")
                        .arg(indice.nome));
    }
    m_stato->Dimentica();
    Esegui(*m_stato, QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                         .arg(unico ? QStringLiteral("UNIQUE ") : QString(),
                              Q(NomeFisicoIndice(tabella, indice.nome, indice.primario)), Q(tabella),
                              col.join(QStringLiteral(", "))));
}

void Database::DropIndex(const QString& tabella, const QString& indice)
{
    VerificaAperto(m_stato);
    RilasciaFlussi(*m_stato);
    if (!TableExists(tabella))
        Errore_(errdb::kTabellaNonTrovata, QStringLiteral("Impossibile trovare la tabella '%1'.").arg(tabella));
    for (const IndiceFisico& f : IndiciFisici(*m_stato, tabella)) {
        if (f.def.nome.compare(indice, Qt::CaseInsensitive) == 0) {
            m_stato->Dimentica();
            Esegui(*m_stato, QStringLiteral("DROP INDEX %1").arg(Q(f.fisico)));
            return;
        }
    }
    Errore_(errdb::kCampoNonTrovato,
            QStringLiteral("Elemento non trovato nell'insieme: indice '%1' della tabella '%2'.").arg(indice, tabella));
}

// ---------------------------------------------------------------------------
// The file's checks on its tables.

void Database::ImponeLimiti(const QString& tabella)
{
    VerificaAperto(m_stato);
    // The table's name as the file spells it names its checks.
    QString nome;
    {
        QSqlQuery q = Esegui(*m_stato,
                             QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = ? "
                                            "COLLATE NOCASE"),
                             {tabella});
        if (!q.next())
            Errore_(errdb::kTabellaNonTrovata, QStringLiteral("Impossibile trovare la tabella '%1'.").arg(tabella));
        nome = q.value(0).toString();
    }
    const std::map<QString, QString> voluti = LimitiVoluti(nome, Fields(nome));
    const std::map<QString, QString> presenti = LimitiPresenti(*m_stato, nome);
    if (voluti == presenti) return;  // nothing is written when they stand already
    Esegui(*m_stato, QStringLiteral("SAVEPOINT obx_limiti"));
    try {
        for (const auto& [n, sql] : presenti) Esegui(*m_stato, QStringLiteral("DROP TRIGGER %1").arg(Q(n)));
        for (const auto& [n, sql] : voluti) Esegui(*m_stato, sql);
        Esegui(*m_stato, QStringLiteral("RELEASE obx_limiti"));
    } catch (...) {
        AnnullaSalvataggio(*m_stato, QStringLiteral("obx_limiti"));
        throw;
    }
}

void Database::ImponeLimiti()
{
    for (const QString& t : TableNames()) ImponeLimiti(t);
}

// Whether a transaction is open is asked of the engine, which may have
// ended one itself (a write that failed on a full disk rolls it back): a
// flag of our own would stay "open" for good after such a failure.
namespace {

bool TransazioneAperta(const Database::Stato& s) { return s.handle && sqlite3_get_autocommit(s.handle) == 0; }

// Undoes what the engine still holds of a transaction that could not end
// (its own failure is of no further use: the state is asked again after).
void AnnullaRimasta(Database::Stato& s)
{
    if (TransazioneAperta(s)) {
        try {
            Esegui(s, QStringLiteral("ROLLBACK"));
        } catch (const Errore&) {
        }
    }
    s.Dimentica();
}

}  // namespace

void Database::BeginTrans()
{
    VerificaAperto(m_stato);
    RilasciaFlussi(*m_stato);
    // A transaction left behind by a rollback that failed is undone first.
    if (TransazioneAperta(*m_stato) && !m_stato->inTransazione) AnnullaRimasta(*m_stato);
    if (TransazioneAperta(*m_stato)) Errore_(errdb::kOperazioneNonValida, QStringLiteral("Transazione già aperta."));
    Esegui(*m_stato, QStringLiteral("BEGIN"));
    m_stato->inTransazione = true;
}

void Database::CommitTrans()
{
    VerificaAperto(m_stato);
    RilasciaFlussi(*m_stato);
    const bool voluta = m_stato->inTransazione;
    m_stato->inTransazione = false;
    if (!TransazioneAperta(*m_stato)) {
        m_stato->Dimentica();
        if (voluta)
            Errore_(errdb::kErroreMotore, QStringLiteral("La transazione è stata annullata dall'archivio: le "
                                                         "modifiche non sono state salvate."));
        Errore_(errdb::kOperazioneNonValida, QStringLiteral("Nessuna transazione aperta."));
    }
    try {
        Esegui(*m_stato, QStringLiteral("COMMIT"));
    } catch (const Errore&) {
        // What could not be stored is undone now, so that the next
        // transaction begins on the archive as it was.
        AnnullaRimasta(*m_stato);
        throw;
    }
}

void Database::Rollback()
{
    VerificaAperto(m_stato);
    RilasciaFlussi(*m_stato);
    m_stato->inTransazione = false;
    m_stato->Dimentica();
    // Already ended by the engine: nothing is left to undo.
    if (!TransazioneAperta(*m_stato)) return;
    Esegui(*m_stato, QStringLiteral("ROLLBACK"));
}

QString Database::IntegrityCheck()
{
    VerificaAperto(m_stato);
    QSqlQuery q = Esegui(*m_stato, QStringLiteral("PRAGMA integrity_check"));
    QStringList righe;
    while (q.next()) righe << q.value(0).toString();
    if (righe.size() == 1 && righe.at(0) == u"ok") return QString();
    return righe.join(u'\n');
}

void Database::CompactInto(const QString& destinazione)
{
    VerificaAperto(m_stato);
    RilasciaFlussi(*m_stato);
    if (QFileInfo::exists(destinazione))
        Errore_(errdb::kDatabaseEsistente, QStringLiteral("Il database '%1' esiste già.").arg(destinazione));
    Esegui(*m_stato, QStringLiteral("VACUUM INTO %1").arg(Letterale(QFileInfo(destinazione).absoluteFilePath())));
}

// ===========================================================================
// Record sets: opening

Recordset::Recordset() : d(std::make_unique<Impl>()) {}
Recordset::Recordset(std::unique_ptr<Impl> impl) : d(std::move(impl)) {}
Recordset::~Recordset() = default;
Recordset::Recordset(Recordset&& o) noexcept : d(std::move(o.d)) { o.d = std::make_unique<Impl>(); }
Recordset& Recordset::operator=(Recordset&& o) noexcept
{
    if (this != &o) {
        d = std::move(o.d);
        o.d = std::make_unique<Impl>();
    }
    return *this;
}

void Recordset::Close() { d->Chiudi(); }
bool Recordset::IsOpen() const { return d->aperto && d->db && d->db->aperto; }
TipoRecordset Recordset::Type() const { return d->tipo; }
bool Recordset::Updatable() const { return IsOpen() && d->aggiornabile; }
QString Recordset::Source() const { return d->sorgente; }

namespace {

// Table type: statements that walk the table in the order of the index.
void PreparaTabella(Recordset::Impl& r)
{
    const QString t = Q(r.tabella);
    const QString cols = QStringLiteral("rowid, *");
    r.FinalizzaFlussi();
    r.qSucc.reset();
    r.qSuccNull.reset();
    r.qPrimoNonNull.reset();
    r.qPrec.reset();
    r.qPrecNull.reset();
    r.qUltimoNull.reset();
    r.qRiga.reset();
    auto nuova = [&](std::optional<QSqlQuery>& q, const QString& sql) {
        q.emplace(r.db->Db());
        q->setForwardOnly(true);
        Prepara(*q, sql);
    };
    nuova(r.qRiga, QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(cols, t));
    if (r.campoIndice.isEmpty()) {
        nuova(r.qSucc, QStringLiteral("SELECT %1 FROM %2 WHERE rowid > ? ORDER BY rowid LIMIT 1").arg(cols, t));
        nuova(r.qPrec, QStringLiteral("SELECT %1 FROM %2 WHERE rowid < ? ORDER BY rowid DESC LIMIT 1").arg(cols, t));
        return;
    }
    const QString c = Q(r.campoIndice);
    nuova(r.qSucc,
          QStringLiteral("SELECT %1 FROM %2 WHERE (%3, rowid) > (?, ?) ORDER BY %3, rowid LIMIT 1").arg(cols, t, c));
    nuova(r.qSuccNull,
          QStringLiteral("SELECT %1 FROM %2 WHERE %3 IS NULL AND rowid > ? ORDER BY rowid LIMIT 1").arg(cols, t, c));
    nuova(r.qPrimoNonNull,
          QStringLiteral("SELECT %1 FROM %2 WHERE %3 IS NOT NULL ORDER BY %3, rowid LIMIT 1").arg(cols, t, c));
    nuova(r.qPrec, QStringLiteral("SELECT %1 FROM %2 WHERE (%3, rowid) < (?, ?) ORDER BY %3 DESC, rowid DESC LIMIT 1")
                       .arg(cols, t, c));
    nuova(
        r.qPrecNull,
        QStringLiteral("SELECT %1 FROM %2 WHERE %3 IS NULL AND rowid < ? ORDER BY rowid DESC LIMIT 1").arg(cols, t, c));
    nuova(r.qUltimoNull,
          QStringLiteral("SELECT %1 FROM %2 WHERE %3 IS NULL ORDER BY rowid DESC LIMIT 1").arg(cols, t, c));
}

// Runs a walking statement; true and the row taken when it found one.
bool Prendi(Recordset::Impl& r, QSqlQuery& q, const QVariantList& valori)
{
    r.FermaFlusso();
    for (int i = 0; i < valori.size(); ++i) q.bindValue(i, valori.at(i));
    EseguiQ(q);
    const bool trovato = q.next();
    if (trovato) {
        r.rowid = q.value(0).toLongLong();
        r.riga.assign(r.nomi.size(), QVariant());
        for (int i = 0; i < int(r.nomi.size()); ++i)
            r.riga[i] = q.isNull(i + 1) ? QVariant() : q.value(i + 1);  // shaped when read
        r.chiave = QVariant();
        if (!r.campoIndice.isEmpty()) {
            const int k = r.perNome.value(r.campoIndice.toUpper(), -1);
            if (k >= 0 && !q.isNull(k + 1)) r.chiave = q.value(k + 1);
        } else {
            r.chiave = r.rowid;
        }
        r.pos = Recordset::Impl::Riga;
        r.eliminato = false;
    }
    q.finish();
    return trovato;
}

// The walking statements of a table record set, prepared when first used.
sqlite3_stmt* PreparaFlusso(Recordset::Impl& r, bool dopo)
{
    sqlite3_stmt*& st = dopo ? r.flussoDopo : r.flussoInizio;
    if (st) return st;
    sqlite3* h = r.db->handle;
    if (!h) return nullptr;
    const QString t = Q(r.tabella);
    QString sql;
    if (r.campoIndice.isEmpty()) {
        sql = dopo ? QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid > ? ORDER BY rowid").arg(t)
                   : QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid").arg(t);
    } else {
        // Rows without a key come first, in order of entry, as in the
        // statements that move one row at a time.
        const QString c = Q(r.campoIndice);
        sql = dopo ? QStringLiteral("SELECT rowid, * FROM %1 WHERE (%2, rowid) > (?, ?) ORDER BY %2, rowid").arg(t, c)
                   : QStringLiteral("SELECT rowid, * FROM %1 ORDER BY %2, rowid").arg(t, c);
    }
    if (sqlite3_prepare16_v2(h, sql.utf16(), int(sql.size()) * 2, &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        st = nullptr;
    }
    return st;
}

// One step of the walk.  1: a row, now the current one; 0: past the last
// row; -1: the walk could not go on (the caller moves the old way).
int PassoFlusso(Recordset::Impl& r)
{
    sqlite3_stmt* st = r.flusso;
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_DONE) {
        r.FermaFlusso();
        r.pos = Recordset::Impl::Fine;
        r.eliminato = false;
        return 0;
    }
    if (rc != SQLITE_ROW) {
        r.FermaFlusso();
        return -1;
    }
    r.rowid = sqlite3_column_int64(st, 0);
    const int n = int(r.nomi.size());
    r.riga.resize(size_t(n));
    for (int i = 0; i < n; ++i) r.riga[size_t(i)] = ValoreGrezzo(st, i + 1);  // shaped when read
    if (r.campoIndice.isEmpty()) {
        r.chiave = r.rowid;
    } else {
        const int k = r.perNome.value(r.campoIndice.toUpper(), -1);
        r.chiave = k >= 0 ? r.riga[size_t(k)] : QVariant();
    }
    r.pos = Recordset::Impl::Riga;
    r.eliminato = false;
    r.vivo = true;
    r.cambi = sqlite3_total_changes(r.db->handle);
    return 1;
}

void ProgrammaRilascio(const std::shared_ptr<Database::Stato>& s)
{
    if (s->rilascioProgrammato || !QCoreApplication::instance()) return;
    s->rilascioProgrammato = true;
    std::weak_ptr<Database::Stato> debole = s;
    QTimer::singleShot(0, [debole] {
        if (auto st = debole.lock()) {
            st->rilascioProgrammato = false;
            RilasciaFlussi(*st);
        }
    });
}

// Starts a walk: from the first row, or after the current one.  The result
// as for PassoFlusso.
int AvviaFlusso(Recordset::Impl& r, bool dopo)
{
    r.FermaFlusso();
    sqlite3_stmt* st = PreparaFlusso(r, dopo);
    if (!st) return -1;
    if (dopo) {
        const bool ok = r.campoIndice.isEmpty()
                            ? sqlite3_bind_int64(st, 1, r.rowid) == SQLITE_OK
                            : LegaGrezzo(st, 1, r.chiave) && sqlite3_bind_int64(st, 2, r.rowid) == SQLITE_OK;
        if (!ok) {
            sqlite3_reset(st);
            return -1;
        }
    }
    r.flusso = st;
    ProgrammaRilascio(r.db);
    return PassoFlusso(r);
}

// Whether the walk stands on the current row with the file as it read it.
bool FlussoPronto(const Recordset::Impl& r)
{
    return r.flusso && r.vivo && r.pos == Recordset::Impl::Riga && !r.eliminato && r.db->handle &&
           sqlite3_total_changes(r.db->handle) == r.cambi;
}

void PrimoTabella(Recordset::Impl& r)
{
    r.modo = dbEditNone;
    if (const int esito = AvviaFlusso(r, false); esito >= 0) {
        if (esito == 0) r.pos = Recordset::Impl::Fine;  // empty: at both ends
        return;
    }
    if (r.campoIndice.isEmpty()) {
        if (Prendi(r, *r.qSucc, {std::numeric_limits<qlonglong>::min()})) return;
    } else {
        if (Prendi(r, *r.qSuccNull, {std::numeric_limits<qlonglong>::min()})) return;
        if (Prendi(r, *r.qPrimoNonNull, {})) return;
    }
    r.pos = Recordset::Impl::Fine;  // empty: at both ends
}

void UltimoTabella(Recordset::Impl& r)
{
    r.modo = dbEditNone;
    if (r.campoIndice.isEmpty()) {
        if (Prendi(r, *r.qPrec, {std::numeric_limits<qlonglong>::max()})) return;
    } else {
        // The highest key: walking back from beyond every value.
        QSqlQuery q(r.db->Db());
        q.setForwardOnly(true);
        Prepara(q, QStringLiteral("SELECT rowid, * FROM %1 WHERE %2 IS NOT NULL ORDER BY %2 DESC, rowid DESC LIMIT 1")
                       .arg(Q(r.tabella), Q(r.campoIndice)));
        if (Prendi(r, q, {})) return;
        if (Prendi(r, *r.qUltimoNull, {})) return;
    }
    r.pos = Recordset::Impl::Inizio;
}

void ImpostaPrimarie(Recordset::Impl& r)
{
    r.colonnePrimarie.clear();
    for (const IndiceFisico& f : IndiciFisici(*r.db, r.tabella))
        if (f.def.primario)
            for (const QString& campo : f.def.campi) {
                const int c = r.perNome.value(campo.toUpper(), -1);
                if (c >= 0) r.colonnePrimarie.push_back(c);
            }
}

bool VuotaTabella(Recordset::Impl& r)
{
    QSqlQuery q = Esegui(*r.db, QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(Q(r.tabella)));
    return !q.next();
}

}  // namespace

Recordset Database::OpenTable(const QString& tabella, const QString& indice)
{
    VerificaAperto(m_stato);
    auto r = std::make_unique<Recordset::Impl>();
    r->db = m_stato;
    r->tipo = TipoRecordset::Tabella;
    r->sorgente = tabella;
    const std::vector<DefCampo> campi = Fields(tabella);  // throws for a missing table
    // The table's own spelling.
    for (const QString& t : TableNames())
        if (t.compare(tabella, Qt::CaseInsensitive) == 0) r->tabella = t;
    // Definitions kept from before the table went (dropped or renamed from
    // outside the program) name a table the file no longer holds.
    if (r->tabella.isEmpty()) {
        m_stato->Dimentica();
        Errore_(errdb::kTabellaNonTrovata, QStringLiteral("Impossibile trovare la tabella '%1'.").arg(tabella));
    }
    QStringList nomi;
    for (const DefCampo& c : campi) nomi << c.nome;
    r->ImpostaColonne(nomi, campi, std::vector<bool>(campi.size(), true));
    r->aggiornabile = true;
    r->aperto = true;
    ImpostaPrimarie(*r);
    m_stato->recordset.insert(r.get());
    Recordset rs(std::move(r));
    if (!indice.isEmpty())
        rs.SetIndex(indice);
    else {
        PreparaTabella(*rs.d);
        PrimoTabella(*rs.d);
    }
    return rs;
}

Recordset Database::OpenRecordset(const QString& sorgente)
{
    VerificaAperto(m_stato);
    const QString s = sorgente.trimmed();
    static const QRegularExpression reNome(QStringLiteral("^\\[?([A-Za-z_][A-Za-z0-9_ ]*)\\]?$"));
    if (auto m = reNome.match(s); m.hasMatch() && TableExists(m.captured(1))) return OpenTable(m.captured(1));
    return OpenQuery(sorgente);
}

namespace {

// The single table a SELECT reads, when the rows can be written back.
QString TabellaAggiornabile(const QString& sql, QString* alias)
{
    std::vector<Tok> v;
    try {
        v = Tokenizza(sql);
    } catch (...) {
        return QString();
    }
    int i = 0;
    while (i < int(v.size()) && v[i].k == Tok::Spazio) ++i;
    if (!EParola(v, i, "SELECT")) return QString();
    int prof = 0;
    int from = -1;
    static const QStringList aggregati = {"COUNT", "SUM", "AVG", "MIN", "MAX", "GROUP_CONCAT", "TOTAL"};
    for (int j = i + 1; j < int(v.size()); ++j) {
        const Tok& t = v[j];
        if (t.k == Tok::Simbolo && t.t == u"(")
            ++prof;
        else if (t.k == Tok::Simbolo && t.t == u")")
            --prof;
        else if (t.k == Tok::Parola) {
            const QString u = t.U();
            if (u == u"DISTINCT" || u == u"UNION" || u == u"GROUP" || u == u"HAVING" || u == u"JOIN" ||
                u == u"EXCEPT" || u == u"INTERSECT")
                return QString();
            if (from < 0 && aggregati.contains(u) && ESimbolo(v, Prossimo(v, j), "(")) return QString();
            if (prof == 0 && from < 0 && u == u"FROM") from = j;
        }
    }
    if (from < 0) return QString();
    const int t = Prossimo(v, from);
    if (t >= int(v.size()) || !(v[t].k == Tok::Parola || v[t].k == Tok::Quadra || v[t].k == Tok::Doppia))
        return QString();
    const QString tabella = v[t].t;
    int dopo = Prossimo(v, t);
    *alias = tabella;
    if (EParola(v, dopo, "AS")) {
        const int a = Prossimo(v, dopo);
        if (a < int(v.size())) *alias = v[a].t;
        dopo = Prossimo(v, a);
    } else if (dopo < int(v.size()) && v[dopo].k == Tok::Parola) {
        const QString u = v[dopo].U();
        if (u != u"WHERE" && u != u"ORDER" && u != u"LIMIT") {
            *alias = v[dopo].t;
            dopo = Prossimo(v, dopo);
        }
    }
    if (dopo < int(v.size()) && !(EParola(v, dopo, "WHERE") || EParola(v, dopo, "ORDER") || EParola(v, dopo, "LIMIT")))
        return QString();  // a list of tables or something else
    return tabella;
}

}  // namespace

namespace {

// Runs the statement of an SQL record set and takes its rows.
void CaricaQuery(Recordset::Impl& r)
{
    Database::Stato& s = *r.db;
    const QString tradotta = Database::TraduceSQL(r.sorgente);
    if (tradotta.section(u' ', 0, 0).toUpper() != u"SELECT")
        Errore_(errdb::kOperazioneNonValida,
                QStringLiteral("Non è una query di selezione: %1").arg(r.sorgente.trimmed()));
    QString alias;
    QString tabella = TabellaAggiornabile(tradotta, &alias);
    QStringList tabelle;
    {
        QSqlQuery q = Esegui(s, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND substr(name, "
                                               "1, 7) <> 'sqlite_' ORDER BY rowid"));
        while (q.next()) tabelle << q.value(0).toString();
    }
    QString esatta;
    for (const QString& t : tabelle)
        if (t.compare(tabella, Qt::CaseInsensitive) == 0) esatta = t;
    tabella = esatta;
    QString eseguita = tradotta;
    if (!tabella.isEmpty()) {
        // The row's identity rides along, hidden, so that edits find it.
        static const QRegularExpression reSel(QStringLiteral("^\\s*SELECT\\s+"),
                                              QRegularExpression::CaseInsensitiveOption);
        const auto m = reSel.match(tradotta);
        eseguita = QStringLiteral("SELECT %1.rowid AS obx_rowid, ").arg(Q(alias)) + tradotta.mid(m.capturedEnd());
    }
    QSqlQuery q(s.Db());
    q.setForwardOnly(true);
    Prepara(q, eseguita);
    for (int i = 0; i < r.valori.size(); ++i) q.bindValue(i, ValorePerLegame(r.valori.at(i)));
    EseguiQ(q);
    const QSqlRecord rec = q.record();
    const int primo = tabella.isEmpty() ? 0 : 1;
    // Types: the table's fields, else any table's field of that name (the
    // archive's field names carry their table's suffix).
    QHash<QString, DefCampo> noti;
    auto campiDi = [&](const QString& t) {
        std::vector<DefCampo> out;
        QSqlQuery c = Esegui(s, QStringLiteral("PRAGMA table_info(%1)").arg(Q(t)));
        while (c.next()) out.push_back(CampoDaDichiarato(c.value(1).toString(), c.value(2).toString()));
        return out;
    };
    if (!tabella.isEmpty())
        for (const DefCampo& c : campiDi(tabella)) noti.insert(c.nome.toUpper(), c);
    else
        for (const QString& t : tabelle)
            for (const DefCampo& c : campiDi(t))
                if (!noti.contains(c.nome.toUpper())) noti.insert(c.nome.toUpper(), c);
    QStringList nomi;
    std::vector<DefCampo> defs;
    std::vector<bool> conosciuto;
    for (int i = primo; i < rec.count(); ++i) {
        const QString n = rec.fieldName(i);
        nomi << n;
        auto it = noti.find(n.toUpper());
        if (it != noti.end()) {
            defs.push_back(it.value());
            conosciuto.push_back(true);
        } else {
            DefCampo c;
            c.nome = n;
            c.tipo = TipoCampo::Memo;
            defs.push_back(c);
            conosciuto.push_back(false);
        }
    }
    r.ImpostaColonne(nomi, defs, conosciuto);
    r.righe.clear();
    r.rowids.clear();
    r.cancellate.clear();
    while (q.next()) {
        std::vector<QVariant> riga(nomi.size());
        for (int i = 0; i < int(nomi.size()); ++i)
            riga[i] = q.isNull(i + primo) ? QVariant() : q.value(i + primo);  // shaped when read
        r.righe.push_back(std::move(riga));
        r.rowids.push_back(primo ? q.value(0).toLongLong() : 0);
        r.cancellate.push_back(false);
    }
    q.finish();
    r.tabella.clear();
    r.aggiornabile = false;
    if (!tabella.isEmpty()) {
        // Writable only when every column is a field of the table (an
        // AutoNumber's attributes come from the table itself).
        const bool tutti = std::all_of(conosciuto.begin(), conosciuto.end(), [](bool b) { return b; });
        if (tutti) {
            r.tabella = tabella;
            r.aggiornabile = true;
            QString sqlTabella;
            QSqlQuery t =
                Esegui(s, QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?"), {tabella});
            if (t.next()) sqlTabella = t.value(0).toString();
            QSqlQuery c = Esegui(s, QStringLiteral("PRAGMA table_info(%1)").arg(Q(tabella)));
            while (c.next())
                if (c.value(5).toInt() == 1 &&
                    sqlTabella.contains(QLatin1String("AUTOINCREMENT"), Qt::CaseInsensitive)) {
                    const int k = r.perNome.value(c.value(1).toString().toUpper(), -1);
                    if (k >= 0) r.defs[k].attributi |= kAttrAutoIncremento;
                }
        }
    }
    if (r.aggiornabile) ImpostaPrimarie(r);
    r.corrente = 0;
}

}  // namespace

Recordset Database::OpenQuery(const QString& sql, const QVariantList& valori)
{
    VerificaAperto(m_stato);
    auto r = std::make_unique<Recordset::Impl>();
    r->db = m_stato;
    r->tipo = TipoRecordset::Dynaset;
    r->sorgente = sql;
    r->valori = valori;
    CaricaQuery(*r);
    r->aperto = true;
    m_stato->recordset.insert(r.get());
    return Recordset(std::move(r));
}

// ===========================================================================
// Record sets: moving and seeking

void Recordset::SetIndex(const QString& indice)
{
    d->Verifica();
    if (d->tipo != TipoRecordset::Tabella)
        Errore_(errdb::kOperazioneNonValida,
                QStringLiteral("Operazione non supportata per questo tipo di record set."));
    Database::Stato& s = *d->db;
    std::optional<DefIndice> trovato;
    for (const IndiceFisico& f : IndiciFisici(s, d->tabella))
        if (f.def.nome.compare(indice, Qt::CaseInsensitive) == 0) trovato = f.def;
    if (!trovato)
        Errore_(errdb::kCampoNonTrovato,
                QStringLiteral("'%1' non è un indice della tabella '%2'.").arg(indice, d->tabella));
    if (trovato->campi.size() != 1)
        Errore_(errdb::kOperazioneNonValida, QStringLiteral("L'indice '%1' ha più campi: non gestito.").arg(indice));
    d->indice = trovato->nome;
    d->campoIndice = trovato->campi.at(0);
    d->defIndice = d->defs[d->Colonna(d->campoIndice)];
    PreparaTabella(*d);
    PrimoTabella(*d);
}

QString Recordset::Index() const { return d->indice; }
bool Recordset::NoMatch() const { return d->noMatch; }

namespace {

// The comparisons of Seek, by number; 5 is the lookup of a text stored
// without its blanks.
constexpr const char16_t* kConfronti[] = {u"=", u">=", u">", u"<=", u"<"};

QString SqlRicerca(const Recordset::Impl& r, int n)
{
    const QString c = Q(r.campoIndice);
    if (n == 5)
        return QStringLiteral("SELECT rowid, * FROM %1 WHERE rtrim(%2, ' ') = rtrim(?, ' ') ORDER BY %2, rowid LIMIT 1")
            .arg(Q(r.tabella), c);
    const bool avanti = n <= 2;
    return QStringLiteral("SELECT rowid, * FROM %1 WHERE %2 %3 ? ORDER BY %2 %4, rowid %4 LIMIT 1")
        .arg(Q(r.tabella), c, QString::fromUtf16(kConfronti[n]),
             avanti ? QStringLiteral("ASC") : QStringLiteral("DESC"));
}

// The engine's statement of Seek for comparison n on the current index,
// prepared on first use; null when the engine would not prepare it (the
// caller then goes through the driver, which reports why).
sqlite3_stmt* Ricerca(Recordset::Impl& r, int n)
{
    if (r.campoRicerca != r.campoIndice) {
        r.FinalizzaRicerche();
        r.campoRicerca = r.campoIndice;
        r.colonnaRicerca = r.perNome.value(r.campoIndice.toUpper(), -1);
    }
    sqlite3_stmt*& st = r.ricerche[size_t(n)];
    if (st) return st;
    sqlite3* h = r.db->handle;
    if (!h) return nullptr;
    const QString sql = SqlRicerca(r, n);
    if (sqlite3_prepare16_v2(h, sql.utf16(), int(sql.size()) * 2, &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        st = nullptr;
    }
    return st;
}

// Runs the statement of Seek for comparison n with the key; 1 and the row
// taken when it found one, 0 when it found none (the current row is left
// as it was, untouched), -1 when the engine's statement is not to be had.
// A failure of the engine throws as the driver's would.
int CercaDiretto(Recordset::Impl& r, int n, const QVariant& k)
{
    sqlite3_stmt* st = Ricerca(r, n);
    if (!st) return -1;
    // Bound as the driver binds the key: whole numbers, doubles, texts.
    // The text stays bound only while the statement runs: the binding is
    // cleared with the reset that ends every run.
    QString testo;
    auto fine = [st] {
        sqlite3_reset(st);
        sqlite3_clear_bindings(st);
    };
    int rc = SQLITE_MISUSE;
    switch (k.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int: rc = sqlite3_bind_int64(st, 1, k.toLongLong()); break;
    case QMetaType::Double: rc = sqlite3_bind_double(st, 1, k.toDouble()); break;
    case QMetaType::QString:
        testo = k.toString();
        rc = testo.isNull() ? sqlite3_bind_null(st, 1)
                            : sqlite3_bind_text16(st, 1, testo.utf16(), int(testo.size()) * 2, SQLITE_STATIC);
        break;
    default: return -1;
    }
    if (rc != SQLITE_OK) {
        fine();
        return -1;
    }
    rc = sqlite3_step(st);
    if (rc == SQLITE_DONE) {
        fine();
        return 0;
    }
    if (rc != SQLITE_ROW) {
        const QString testoMotore = QString::fromUtf16(static_cast<const char16_t*>(sqlite3_errmsg16(r.db->handle)));
        fine();
        throw ErroreDaSql(QSqlError(QStringLiteral("Unable to fetch row"), testoMotore, QSqlError::ConnectionError,
                                    QString::number(rc)));
    }
    // The row read in place over the old one, in the shape the driver gives.
    r.rowid = sqlite3_column_int64(st, 0);
    const int colonne = int(r.nomi.size());
    r.riga.resize(size_t(colonne));
    for (int i = 0; i < colonne; ++i) r.riga[size_t(i)] = ValoreGrezzo(st, i + 1);  // shaped when read
    r.chiave = r.colonnaRicerca >= 0 ? r.riga[size_t(r.colonnaRicerca)] : QVariant();
    r.pos = Recordset::Impl::Riga;
    r.eliminato = false;
    fine();
    return 1;
}

// Seek through the driver, for when the engine's statement is not to be had.
bool CercaDalDriver(Recordset::Impl& r, int n, const QVariant& k)
{
    const qint64 vecchioRowid = r.rowid;
    const auto vecchiaPos = r.pos;
    const QVariant vecchiaChiave = r.chiave;
    const bool vecchioElim = r.eliminato;
    std::vector<QVariant> vecchiaRiga = r.riga;
    if (Prendi(r, r.Preparata(SqlRicerca(r, n)), {k})) return true;
    if (n == 0 && r.defIndice.tipo == TipoCampo::Text && Prendi(r, r.Preparata(SqlRicerca(r, 5)), {k})) return true;
    r.rowid = vecchioRowid;
    r.pos = vecchiaPos;
    r.chiave = vecchiaChiave;
    r.eliminato = vecchioElim;
    r.riga = std::move(vecchiaRiga);
    return false;
}

}  // namespace

void Recordset::Seek(const QString& confronto, const QVariant& chiave)
{
    d->Verifica();
    if (d->tipo != TipoRecordset::Tabella)
        Errore_(errdb::kOperazioneNonValida,
                QStringLiteral("Operazione non supportata per questo tipo di record set."));
    if (d->campoIndice.isEmpty())
        Errore_(errdb::kSenzaIndice, QStringLiteral("Operazione non valida senza un indice corrente."));
    const QString op = confronto.trimmed();
    int n = -1;
    for (int i = 0; i < 5; ++i)
        if (op == QStringView(kConfronti[i])) n = i;
    if (n < 0) Errore_(errdb::kSintassi, QStringLiteral("Operatore di confronto non valido: '%1'.").arg(confronto));
    d->modo = dbEditNone;
    d->noMatch = true;
    if (!chiave.isValid() || chiave.typeId() == QMetaType::Nullptr) return;
    QVariant k;
    try {
        k = PerCampo(d->defIndice, chiave);
    } catch (const Errore&) {
        return;  // a key that no row of this field can hold
    }
    if (!k.isValid()) return;
    d->FermaFlusso();
    int esito = CercaDiretto(*d, n, k);
    // Rows written by statements may hold the text without its blanks.
    if (esito == 0 && n == 0 && d->defIndice.tipo == TipoCampo::Text) esito = CercaDiretto(*d, 5, k);
    if (esito < 0) esito = CercaDalDriver(*d, n, k) ? 1 : 0;
    d->noMatch = esito == 0;
}

void Recordset::MoveFirst()
{
    d->Verifica();
    d->modo = dbEditNone;
    if (d->tipo == TipoRecordset::Tabella) {
        PrimoTabella(*d);
        return;
    }
    d->corrente = 0;
    while (d->corrente < int(d->righe.size()) && d->cancellate[d->corrente]) ++d->corrente;
}

void Recordset::MoveLast()
{
    d->Verifica();
    d->modo = dbEditNone;
    if (d->tipo == TipoRecordset::Tabella) {
        UltimoTabella(*d);
        return;
    }
    d->corrente = int(d->righe.size()) - 1;
    while (d->corrente >= 0 && d->cancellate[d->corrente]) --d->corrente;
    if (d->corrente < 0) d->corrente = int(d->righe.size());  // empty: at both ends
}

void Recordset::MoveNext()
{
    d->Verifica();
    d->modo = dbEditNone;
    if (Eof()) Errore_(errdb::kNessunRecord, QStringLiteral("Nessun record corrente."));
    if (d->tipo == TipoRecordset::Tabella) {
        Impl& r = *d;
        if (r.pos == Impl::Inizio) {
            PrimoTabella(r);
            return;
        }
        // The walk goes on where it stands, or starts again after the
        // current row (a row without a key is left the old way).
        if (r.pos == Impl::Riga) {
            const int esito = FlussoPronto(r)                                   ? PassoFlusso(r)
                              : (r.campoIndice.isEmpty() || r.chiave.isValid()) ? AvviaFlusso(r, true)
                                                                                : -1;
            if (esito >= 0) return;
        }
        bool ok;
        if (r.campoIndice.isEmpty())
            ok = Prendi(r, *r.qSucc, {r.rowid});
        else if (!r.chiave.isValid())
            ok = Prendi(r, *r.qSuccNull, {r.rowid}) || Prendi(r, *r.qPrimoNonNull, {});
        else
            ok = Prendi(r, *r.qSucc, {r.chiave, r.rowid});
        if (!ok) {
            r.pos = Impl::Fine;
            r.eliminato = false;
        }
        return;
    }
    ++d->corrente;
    while (d->corrente < int(d->righe.size()) && d->cancellate[d->corrente]) ++d->corrente;
}

void Recordset::MovePrevious()
{
    d->Verifica();
    d->modo = dbEditNone;
    if (Bof()) Errore_(errdb::kNessunRecord, QStringLiteral("Nessun record corrente."));
    if (d->tipo == TipoRecordset::Tabella) {
        Impl& r = *d;
        if (r.pos == Impl::Fine) {
            UltimoTabella(r);
            return;
        }
        bool ok;
        if (r.campoIndice.isEmpty())
            ok = Prendi(r, *r.qPrec, {r.rowid});
        else if (!r.chiave.isValid())
            ok = Prendi(r, *r.qPrecNull, {r.rowid});
        else
            ok = Prendi(r, *r.qPrec, {r.chiave, r.rowid}) || Prendi(r, *r.qUltimoNull, {});
        if (!ok) {
            r.pos = Impl::Inizio;
            r.eliminato = false;
        }
        return;
    }
    --d->corrente;
    while (d->corrente >= 0 && d->cancellate[d->corrente]) --d->corrente;
    if (d->corrente < 0) d->corrente = -1;
}

bool Recordset::Eof() const
{
    if (!d->aperto) return true;
    if (d->tipo == TipoRecordset::Tabella) {
        if (d->pos == Impl::Fine) return true;
        // An empty table is at both ends.
        return d->pos == Impl::Inizio && VuotaTabella(*d);
    }
    return d->corrente >= int(d->righe.size()) || d->righe.empty();
}

bool Recordset::Bof() const
{
    if (!d->aperto) return true;
    if (d->tipo == TipoRecordset::Tabella) {
        if (d->pos == Impl::Inizio) return true;
        return d->pos == Impl::Fine && VuotaTabella(*d);
    }
    return d->corrente < 0 || d->righe.empty() ||
           std::all_of(d->cancellate.begin(), d->cancellate.end(), [](bool b) { return b; });
}

int Recordset::RecordCount() const
{
    d->Verifica();
    if (d->tipo == TipoRecordset::Tabella) {
        QSqlQuery q = Esegui(*d->db, QStringLiteral("SELECT count(*) FROM %1").arg(Q(d->tabella)));
        return q.next() ? q.value(0).toInt() : 0;
    }
    return int(std::count(d->cancellate.begin(), d->cancellate.end(), false));
}

// ===========================================================================
// Record sets: editing

void Recordset::AddNew()
{
    d->Verifica();
    if (!d->aggiornabile)
        Errore_(errdb::kSoloLettura, QStringLiteral("Impossibile aggiornare. Il record set è di sola lettura."));
    d->modo = dbEditAdd;
    d->copia.assign(d->nomi.size(), QVariant());
    d->cambiato.assign(d->nomi.size(), false);
}

void Recordset::Edit()
{
    d->Verifica();
    if (!d->aggiornabile)
        Errore_(errdb::kSoloLettura, QStringLiteral("Impossibile aggiornare. Il record set è di sola lettura."));
    d->RichiedeRiga();
    d->copia = d->tipo == TipoRecordset::Tabella ? d->riga : d->righe[d->corrente];
    for (size_t i = 0; i < d->copia.size(); ++i)
        d->copia[i] = Letto(d->defs[i], d->conosciuto[i], d->copia[i], !d->copia[i].isValid());
    d->cambiato.assign(d->nomi.size(), false);
    d->modo = dbEditInProgress;
}

int Recordset::EditMode() const { return d->modo; }

void Recordset::CancelUpdate()
{
    d->Verifica();
    if (d->modo == dbEditNone)
        Errore_(errdb::kSenzaModifica, QStringLiteral("Update o CancelUpdate senza AddNew o Edit."));
    d->modo = dbEditNone;
}

QVariant Recordset::Field(const QString& nome) const
{
    d->Verifica();
    const int c = d->Colonna(nome);
    if (d->modo != dbEditNone) return d->copia[c];
    d->RichiedeRiga();
    const QVariant& v = d->tipo == TipoRecordset::Tabella ? d->riga[c] : d->righe[d->corrente][c];
    return Letto(d->defs[c], d->conosciuto[c], v, !v.isValid());
}

void Recordset::SetField(const QString& nome, const QVariant& valore)
{
    d->Verifica();
    const int c = d->Colonna(nome);
    if (d->modo == dbEditNone)
        Errore_(errdb::kSenzaModifica,
                QStringLiteral("Update o CancelUpdate senza AddNew o Edit (campo '%1').").arg(nome));
    const DefCampo& def = d->defs[c];
    if (def.attributi & kAttrAutoIncremento)
        Errore_(errdb::kSoloLettura, QStringLiteral("Il campo '%1' non può essere aggiornato.").arg(def.nome));
    const QVariant v = PerCampo(def, valore);
    // Kept in the shape readers get back.
    d->copia[c] = Letto(def, true, v, !v.isValid());
    d->cambiato[c] = true;
}

QStringList Recordset::FieldNames() const { return d->nomi; }
bool Recordset::HasField(const QString& nome) const { return d->perNome.contains(nome.toUpper()); }
int Recordset::FieldCount() const { return int(d->nomi.size()); }

QVariant Recordset::FieldAt(int colonna) const
{
    d->Verifica();
    if (colonna < 0 || colonna >= int(d->nomi.size()))
        Errore_(errdb::kCampoNonTrovato, QStringLiteral("Elemento non trovato nell'insieme: campo %1.").arg(colonna));
    if (d->modo != dbEditNone) return d->copia[size_t(colonna)];
    d->RichiedeRiga();
    const QVariant& v =
        d->tipo == TipoRecordset::Tabella ? d->riga[size_t(colonna)] : d->righe[size_t(d->corrente)][size_t(colonna)];
    return Letto(d->defs[size_t(colonna)], d->conosciuto[size_t(colonna)], v, !v.isValid());
}

DefCampo Recordset::FieldDef(const QString& nome) const
{
    d->Verifica();
    return d->defs[size_t(d->Colonna(nome))];
}

QVariant Recordset::CheckField(const QString& nome, const QVariant& valore) const
{
    d->Verifica();
    const int c = d->Colonna(nome);
    const DefCampo& def = d->defs[size_t(c)];
    if (!d->aggiornabile || (def.attributi & kAttrAutoIncremento))
        Errore_(errdb::kSoloLettura, QStringLiteral("Il campo '%1' non può essere aggiornato.").arg(def.nome));
    if (def.tipo == TipoCampo::Text && valore.isValid() && valore.typeId() != QMetaType::Nullptr) {
        const int massimo = def.dimensione > 0 ? def.dimensione : 255;
        const QString s = valore.typeId() == QMetaType::QDateTime ? TestoData(valore.toDateTime()) : valore.toString();
        if (s.size() > massimo)
            Errore_(errdb::kCampoTroppoPiccolo,
                    QStringLiteral("Il campo '%1' accetta al massimo %2 caratteri (ne sono stati dati %3).")
                        .arg(def.nome)
                        .arg(massimo)
                        .arg(s.size()));
    }
    const QVariant v = PerCampo(def, valore);
    return Letto(def, true, v, !v.isValid());
}

namespace {

std::vector<QVariant> RileggiRiga(Recordset::Impl& r, qint64 rowid, bool* trovata)
{
    QSqlQuery q(r.db->Db());
    q.setForwardOnly(true);
    QStringList cols;
    for (const QString& n : r.nomi) cols << Q(n);
    Prepara(q, QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(cols.join(QStringLiteral(", ")), Q(r.tabella)));
    q.bindValue(0, rowid);
    EseguiQ(q);
    std::vector<QVariant> out(r.nomi.size());
    *trovata = q.next();
    if (*trovata)
        for (int i = 0; i < int(r.nomi.size()); ++i) out[i] = Letto(r.defs[i], true, q.value(i), q.isNull(i));
    return out;
}

}  // namespace

void Recordset::Update()
{
    d->Verifica();
    RilasciaFlussi(*d->db);
    Impl& r = *d;
    if (r.modo == dbEditNone)
        Errore_(errdb::kSenzaModifica, QStringLiteral("Update o CancelUpdate senza AddNew o Edit."));
    // Fields of a primary index may not stay Null.
    for (int c : r.colonnePrimarie)
        if (!r.copia[c].isValid() && !(r.defs[c].attributi & kAttrAutoIncremento))
            Errore_(errdb::kNullInIndice,
                    QStringLiteral("L'indice o la chiave primaria non può contenere un valore Null (campo '%1').")
                        .arg(r.defs[c].nome));
    QStringList cols;
    QVariantList valori;
    for (int i = 0; i < int(r.nomi.size()); ++i) {
        if (!r.cambiato[i]) continue;
        cols << Q(r.nomi[i]);
        valori << ValorePerLegame(PerCampo(r.defs[i], r.copia[i]));
    }
    qint64 rowid = 0;
    if (r.modo == dbEditAdd) {
        QString sql;
        if (cols.isEmpty())
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(Q(r.tabella));
        else {
            QStringList segni;
            for (int i = 0; i < cols.size(); ++i) segni << QStringLiteral("?");
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(Q(r.tabella), cols.join(QStringLiteral(", ")), segni.join(QStringLiteral(", ")));
        }
        QSqlQuery& q = r.Preparata(sql);
        for (int i = 0; i < valori.size(); ++i) q.bindValue(i, valori.at(i));
        EseguiQ(q);
        rowid = q.lastInsertId().toLongLong();
        q.finish();
    } else {
        rowid = r.tipo == TipoRecordset::Tabella ? r.rowid : r.rowids[r.corrente];
        if (!cols.isEmpty()) {
            QStringList set;
            for (const QString& c : cols) set << c + QStringLiteral(" = ?");
            valori << rowid;
            QSqlQuery& q = r.Preparata(
                QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(Q(r.tabella), set.join(QStringLiteral(", "))));
            for (int i = 0; i < valori.size(); ++i) q.bindValue(i, valori.at(i));
            EseguiQ(q);
            q.finish();
        }
    }
    const bool aggiunta = r.modo == dbEditAdd;
    r.modo = dbEditNone;
    if (r.tipo == TipoRecordset::Tabella && aggiunta) {
        // The current row stays the one before AddNew: nothing to read.
        r.ultimoModificato = rowid;
        return;
    }
    bool trovata = false;
    std::vector<QVariant> nuova = RileggiRiga(r, rowid, &trovata);
    if (r.tipo == TipoRecordset::Tabella) {
        r.ultimoModificato = rowid;
        if (!aggiunta && trovata) {
            r.riga = nuova;
            const int k = r.campoIndice.isEmpty() ? -1 : r.perNome.value(r.campoIndice.toUpper(), -1);
            if (k >= 0) r.chiave = ValorePerLegame(PerCampo(r.defs[k], nuova[k]));
        }
    } else if (aggiunta) {
        r.righe.push_back(nuova);
        r.rowids.push_back(rowid);
        r.cancellate.push_back(false);
        r.ultimoModificato = int(r.righe.size()) - 1;
    } else {
        r.righe[r.corrente] = nuova;
        r.ultimoModificato = r.corrente;
    }
}

void Recordset::Delete()
{
    d->Verifica();
    RilasciaFlussi(*d->db);
    if (!d->aggiornabile)
        Errore_(errdb::kSoloLettura, QStringLiteral("Impossibile eliminare. Il record set è di sola lettura."));
    d->RichiedeRiga();
    d->modo = dbEditNone;
    const qint64 rowid = d->tipo == TipoRecordset::Tabella ? d->rowid : d->rowids[d->corrente];
    QSqlQuery q = Esegui(*d->db, QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(Q(d->tabella)), {rowid});
    q.finish();
    if (d->tipo == TipoRecordset::Tabella)
        d->eliminato = true;
    else
        d->cancellate[d->corrente] = true;
}

qint64 Recordset::Bookmark() const
{
    d->Verifica();
    d->RichiedeRiga();
    return d->tipo == TipoRecordset::Tabella ? d->rowid : d->corrente;
}

void Recordset::SetBookmark(qint64 segnalibro)
{
    d->Verifica();
    d->modo = dbEditNone;
    if (d->tipo == TipoRecordset::Tabella) {
        if (!Prendi(*d, *d->qRiga, {segnalibro}))
            Errore_(errdb::kNessunRecord, QStringLiteral("Segnalibro non valido."));
        return;
    }
    if (segnalibro < 0 || segnalibro >= qint64(d->righe.size()) || d->cancellate[segnalibro])
        Errore_(errdb::kNessunRecord, QStringLiteral("Segnalibro non valido."));
    d->corrente = int(segnalibro);
}

qint64 Recordset::LastModified() const
{
    d->Verifica();
    if (d->ultimoModificato < 0) Errore_(errdb::kNessunRecord, QStringLiteral("Nessun record modificato."));
    return d->ultimoModificato;
}

void Recordset::Requery()
{
    d->Verifica();
    d->modo = dbEditNone;
    if (d->tipo == TipoRecordset::Tabella) {
        PrimoTabella(*d);
        return;
    }
    CaricaQuery(*d);
}

// ---------------------------------------------------------------------------
// Transazione

Transazione::Transazione(Database& db) : m_db(db)
{
    m_db.BeginTrans();
    m_aperta = true;
}

Transazione::~Transazione()
{
    if (!m_aperta) return;
    try {
        m_db.Rollback();
    } catch (...) {
    }
}

void Transazione::Commit()
{
    m_db.CommitTrans();
    m_aperta = false;
}

}  // namespace obx
