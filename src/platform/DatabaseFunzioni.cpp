#include "platform/DatabaseInterno.h"

namespace obx {

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

}  // namespace

namespace dbi {

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

}  // namespace dbi

}  // namespace obx
