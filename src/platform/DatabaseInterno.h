// The archive layer's own insides, shared by its files (Database.cpp for the
// connection, the schema and the transactions; DatabaseDialetto.cpp for the
// translation of the program's dialect; DatabaseFunzioni.cpp for the SQL
// functions of the old dialect; DatabaseLimiti.cpp for the file's checks of
// widths and ranges; DatabaseRecordset.cpp and DatabaseScrittura.cpp for the
// record sets).  Only those files include it: callers include Database.h.
#pragma once

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

#include <array>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <optional>
#include <set>

#include "platform/Testo.h"

namespace obx {

// Helpers that more than one of the files uses; what only one file needs
// stays inside it.
namespace dbi {

QString Q(const QString& nome);
QString Letterale(const QString& testo);
[[noreturn]] void Errore_(int n, const QString& d);
QString NomeFisicoIndice(const QString& tabella, const QString& indice, bool primario);
DefCampo CampoDaDichiarato(const QString& nome, const QString& tipo);
QDateTime DataDaSeriale(double v);
QDateTime DataDaTestoLibero(const QString& s);
QVariant ValorePerLegame(const QVariant& v);

bool RegistraFunzioni(sqlite3* h);

struct Tok {
    enum K { Spazio, Stringa, Doppia, Quadra, Data, Numero, Parola, Simbolo } k;
    QString t;
    QString U() const { return t.toUpper(); }
};

std::vector<Tok> Tokenizza(const QString& s);
int Prossimo(const std::vector<Tok>& v, int i);
bool EParola(const std::vector<Tok>& v, int i, const char* p);
bool ESimbolo(const std::vector<Tok>& v, int i, const char* p);

}  // namespace dbi

using namespace dbi;

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

namespace dbi {

// Words of the refusals raised by the file's checks (UTF-8), by which an
// engine failure is told to be one of them.
constexpr const char* kTestoTroppoLungo = "troppo piccolo per accettare";
constexpr const char* kTestoOverflow = "Overflow del campo numerico";
constexpr const char* kTestoConversione = "Errore di conversione del tipo di dati";

Errore ErroreDaSql(const QSqlError& e, const QString& contesto = QString());
void Prepara(QSqlQuery& q, const QString& sql);
void EseguiQ(QSqlQuery& q);
QSqlQuery Esegui(const Database::Stato& s, const QString& sql, const QVariantList& valori = {});
void VerificaAperto(const std::shared_ptr<Database::Stato>& s);

void TogliLimiti(const Database::Stato& s);
void AnnullaSalvataggio(const Database::Stato& s, const QString& nome);

struct IndiceFisico {
    DefIndice def;
    QString fisico;
};

std::vector<IndiceFisico> IndiciFisici(const Database::Stato& s, const QString& tabella);

}  // namespace dbi

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

namespace dbi {

// Stops every walk of the connection: before a write, a transaction or an
// upkeep of the file, and when the event loop turns, so that no statement
// keeps the file locked while the program waits.
inline void RilasciaFlussi(Database::Stato& s)
{
    for (Recordset::Impl* r : s.recordset) r->FermaFlusso();
}

QVariant Letto(const DefCampo& d, bool conosciuto, const QVariant& grezzo, bool nullo);
QVariant PerCampo(const DefCampo& d, const QVariant& v);
bool Prendi(Recordset::Impl& r, QSqlQuery& q, const QVariantList& valori);
void PrimoTabella(Recordset::Impl& r);
void CaricaQuery(Recordset::Impl& r);

}  // namespace dbi

}  // namespace obx
