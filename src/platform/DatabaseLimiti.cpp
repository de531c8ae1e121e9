#include "platform/DatabaseInterno.h"

namespace obx {

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

}  // namespace

namespace dbi {

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

}  // namespace dbi

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

}  // namespace obx
