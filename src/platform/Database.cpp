#include "platform/DatabaseInterno.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace obx {

// ===========================================================================
// Small helpers

namespace dbi {

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

}  // namespace dbi

namespace {

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

}  // namespace

namespace dbi {

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

}  // namespace dbi

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

namespace dbi {

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

}  // namespace dbi

// ===========================================================================
// Errors of the engine

namespace {

int g_contatoreConnessioni = 0;

}  // namespace

namespace dbi {

Errore ErroreDaSql(const QSqlError& e, const QString& contesto)
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

QSqlQuery Esegui(const Database::Stato& s, const QString& sql, const QVariantList& valori)
{
    QSqlQuery q(s.Db());
    q.setForwardOnly(true);
    Prepara(q, sql);
    for (int i = 0; i < valori.size(); ++i) q.bindValue(i, ValorePerLegame(valori.at(i)));
    EseguiQ(q);
    return q;
}

}  // namespace dbi

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

namespace dbi {

void VerificaAperto(const std::shared_ptr<Database::Stato>& s)
{
    if (!s || !s->aperto)
        Errore_(errdb::kDatabaseChiuso, QStringLiteral("Oggetto non valido o non più impostato: archivio non aperto."));
}

}  // namespace dbi

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

namespace dbi {

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

}  // namespace dbi

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
