#include "platform/DatabaseInterno.h"

namespace obx {

// ===========================================================================
// Translation of the program's dialect

namespace dbi {

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

}  // namespace dbi

namespace {

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

}  // namespace

namespace dbi {

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

}  // namespace dbi

namespace {

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

}  // namespace obx
