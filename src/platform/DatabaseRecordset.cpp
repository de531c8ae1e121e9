#include "platform/DatabaseInterno.h"

namespace obx {

// ===========================================================================
// Record sets: values of the fields

namespace {

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

// A statement of the engine's own; null when the engine would not prepare
// it (the caller then goes through the driver, which reports why).
sqlite3_stmt* PreparaMotore(sqlite3* h, const QString& sql)
{
    sqlite3_stmt* st = nullptr;
    if (h && sqlite3_prepare16_v2(h, sql.utf16(), int(sql.size()) * 2, &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        st = nullptr;
    }
    return st;
}

// The row an engine's statement of "SELECT rowid, *" stands on, made the
// current one (read in place over the old, in the shape the driver gives).
void PrendeRigaMotore(Recordset::Impl& r, sqlite3_stmt* st)
{
    r.rowid = sqlite3_column_int64(st, 0);
    const int n = int(r.nomi.size());
    r.riga.resize(size_t(n));
    for (int i = 0; i < n; ++i) r.riga[size_t(i)] = ValoreGrezzo(st, i + 1);  // shaped when read
    r.pos = Recordset::Impl::Riga;
    r.eliminato = false;
}

}  // namespace

namespace dbi {

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

}  // namespace dbi

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

}  // namespace

namespace dbi {

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

}  // namespace dbi

namespace {

// The walking statements of a table record set, prepared when first used.
sqlite3_stmt* PreparaFlusso(Recordset::Impl& r, bool dopo)
{
    sqlite3_stmt*& st = dopo ? r.flussoDopo : r.flussoInizio;
    if (st) return st;
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
    st = PreparaMotore(r.db->handle, sql);
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
    PrendeRigaMotore(r, st);
    if (r.campoIndice.isEmpty()) {
        r.chiave = r.rowid;
    } else {
        const int k = r.perNome.value(r.campoIndice.toUpper(), -1);
        r.chiave = k >= 0 ? r.riga[size_t(k)] : QVariant();
    }
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

}  // namespace

namespace dbi {

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

}  // namespace dbi

namespace {

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

namespace dbi {

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

}  // namespace dbi

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
    if (!st) st = PreparaMotore(r.db->handle, SqlRicerca(r, n));
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
    PrendeRigaMotore(r, st);
    r.chiave = r.colonnaRicerca >= 0 ? r.riga[size_t(r.colonnaRicerca)] : QVariant();
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

}  // namespace obx
