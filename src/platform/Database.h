// The archive's database engine: one SQLite file reached through Qt's
// SQLite driver, offered the way the program has always used its engine.
//
//  - A Database is one connection.  Open() takes only a file that exists
//    (a mistyped name never creates an empty archive) and reads it at once,
//    so a file that is not a database fails there and not later.
//  - Tables, fields and indexes are defined and listed through the engine's
//    own types (Byte, Integer, Long, Single, Double, Date, Text N, Memo).
//    Index names such as "TAG_A" are per table, as the program expects;
//    the file holds them under names made unique by the table's name.
//  - Statements are written in the dialect the program and its command
//    files have always used ("DELETE * FROM EVENTI;", LIKE with * ? # and
//    [..], #dates#, True/False (1 and 0, as comparisons give), & for joining texts, "texts" in double
//    quotes, Left/Mid/Len/UCase/Val/Nz/IIf...).  They are translated;
//    what cannot be translated fails with a clear message and changes
//    nothing.  Each Execute runs in a transaction of its own.
//  - Record sets: table type (one table in the order of an index, Seek,
//    NoMatch) and SQL type (the rows of a query, editable when the query
//    reads one table).  Every write is committed, and so durable, when the
//    call returns.
//  - Text written through a record set is padded with blanks and cut to
//    the field's width; text may hold any character, the character of
//    code 0 included.  Numbers are checked against the field's range.
//  - The file keeps its own widths and ranges: every table carries checks,
//    run by the engine on every row written by any path (statements,
//    record sets, grids on the connection), that refuse a text longer
//    than its field and a number outside its type's range (Byte 0..255,
//    Integer -32768..32767, Long 32-bit) or that is no number at all.
//
// Every failure throws obx::Errore with an engine number and an Italian
// description; the callers catch it where the program reports failures.
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Errore.h"

struct sqlite3;

namespace obx {

// Field types, with the engine's own codes.
enum class TipoCampo : int {
    Byte = 2,     // 0..255
    Integer = 3,  // 16-bit signed
    Long = 4,     // 32-bit signed (with kAttrAutoIncremento: numbered by the engine)
    Single = 6,
    Double = 7,
    Date = 8,   // date and time, to the second
    Text = 10,  // at most `dimensione` characters
    Memo = 12,  // long text
};

// Field attributes.
inline constexpr int kAttrAutoIncremento = 16;
inline constexpr int kAttrAggiornabile = 32;

struct DefCampo {
    QString nome;
    TipoCampo tipo = TipoCampo::Text;
    int dimensione = 0;                 // Text: maximum characters (0 = 255)
    int attributi = kAttrAggiornabile;  // + kAttrAutoIncremento for a numbered key
};

struct DefIndice {
    QString nome;       // "TAG_A", "TAG_B", ...
    QStringList campi;  // ascending
    bool primario = false;
    bool unico = false;
};

// Engine error numbers (the description travels with the error).
namespace errdb {
inline constexpr int kErroreMotore = 3000;     // any other failure of the engine
inline constexpr int kSenzaIndice = 3019;      // Seek without a current index
inline constexpr int kSenzaModifica = 3020;    // Update/CancelUpdate without AddNew/Edit
inline constexpr int kNessunRecord = 3021;     // no current record
inline constexpr int kValoreDuplicato = 3022;  // duplicate key in a unique index
inline constexpr int kFileNonTrovato = 3024;
inline constexpr int kSoloLettura = 3027;         // record set or field not updatable
inline constexpr int kFileInUso = 3045;           // locked by another program
inline constexpr int kNullInIndice = 3058;        // Null in a primary index field
inline constexpr int kSintassi = 3075;            // syntax error in a statement
inline constexpr int kCampoTroppoPiccolo = 3163;  // text longer than its field
inline constexpr int kTabellaNonTrovata = 3078;
inline constexpr int kTabellaEsistente = 3010;
inline constexpr int kRecordEliminato = 3167;
inline constexpr int kCampoEsistente = 3191;
inline constexpr int kDatabaseEsistente = 3204;
inline constexpr int kOperazioneNonValida = 3251;  // not supported by this kind of record set
inline constexpr int kCampoNonTrovato = 3265;      // field or index not in the collection
inline constexpr int kIndiceEsistente = 3284;
inline constexpr int kNonTraducibile = 3296;          // statement of a form the archive cannot run
inline constexpr int kFormatoNonRiconosciuto = 3343;  // not a database, or damaged
inline constexpr int kOverflow = 3349;                // number outside the field's range
inline constexpr int kDatabaseChiuso = 3420;          // database or record set not open
inline constexpr int kConversione = 3421;             // value of the wrong type for the field
}  // namespace errdb

class Recordset;

class Database {
public:
    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens an existing archive and probes it; closes first any file
    // already open.  With esclusivo no other program may use the file
    // while it is open.  A file the engine could open only for reading
    // is refused (kSoloLettura).
    void Open(const QString& percorso, bool esclusivo = false);
    // Whether an existing archive can be written, without changing it: the
    // file itself, and its folder, where the engine keeps the journal of
    // every change.  Throws kSoloLettura naming what cannot be written.
    static void VerificaScrittura(const QString& percorso);
    // Creates a new, empty archive and leaves it open; fails when a file
    // of that name exists.
    void Create(const QString& percorso);
    // Closes the file; harmless when nothing is open.  Record sets still
    // open on it are closed with it.
    void Close();
    bool IsOpen() const;
    QString Name() const;  // path of the open file, empty when closed

    // Runs an action statement (or a definition) in the program's dialect,
    // with optional values bound to its "?" placeholders.  Returns the rows
    // it touched.  A failing statement leaves the archive as it was.
    int Execute(const QString& sql, const QVariantList& valori = {});
    int RecordsAffected() const { return m_righeToccate; }

    // Record sets.  OpenTable: table type over one table, in the order of
    // `indice` (empty: order of entry; set or change it with SetIndex).
    // OpenQuery: the rows of a SELECT, with values bound to its "?".
    // OpenRecordset: a table name gives a table-type record set, anything
    // else is taken as a query.
    Recordset OpenTable(const QString& tabella, const QString& indice = QString());
    Recordset OpenQuery(const QString& sql, const QVariantList& valori = {});
    Recordset OpenRecordset(const QString& sorgente);

    // What the file holds.  Tables in order of creation; fields in table order;
    // indexes by their per-table names.
    QStringList TableNames() const;
    bool TableExists(const QString& tabella) const;
    std::vector<DefCampo> Fields(const QString& tabella) const;
    bool FieldExists(const QString& tabella, const QString& campo) const;
    DefCampo Field(const QString& tabella, const QString& campo) const;
    std::vector<DefIndice> Indexes(const QString& tabella) const;
    bool IndexExists(const QString& tabella, const QString& indice) const;
    qint64 RowCount(const QString& tabella) const;

    // Definitions.
    void CreateTable(const QString& tabella, const std::vector<DefCampo>& campi);
    void AddField(const QString& tabella, const DefCampo& campo);
    void CreateIndex(const QString& tabella, const DefIndice& indice);
    void DropIndex(const QString& tabella, const QString& indice);
    // Puts on the table the engine's checks of its fields' widths and
    // ranges, as its fields are declared in the file (an older field keeps
    // its own size).  CreateTable, AddField and the definition statements
    // do it themselves; the upkeep does it for archives made before.
    // Without an argument: every table of the file.
    void ImponeLimiti(const QString& tabella);
    void ImponeLimiti();

    // Explicit transactions around several writes (the program rarely
    // needs them: each write commits by itself).  Whether one is open is
    // the engine's own state: a commit that fails undoes the transaction
    // at once, a rollback of one the engine already ended does nothing,
    // and while one is meant to be open no write is stored on its own.
    void BeginTrans();
    void CommitTrans();
    void Rollback();

    // Upkeep.  IntegrityCheck: empty when the file is sound, else the
    // engine's findings.  CompactInto: a compacted copy of the open file
    // at `destinazione` (which must not exist).
    QString IntegrityCheck();
    void CompactInto(const QString& destinazione);

    // The statement translated to SQLite, or an Errore kNonTraducibile /
    // kSintassi.  Exposed for the command files and the tests.
    static QString TraduceSQL(const QString& sql);

    // Checks a text typed by the operator that a fixed statement will hold:
    // one condition after WHERE, or (ordinamento) the list of sort keys
    // after ORDER BY, each optionally ASC or DESC.  Throws Errore kSintassi
    // for anything else: a second statement, a subquery, a comment,
    // unbalanced brackets, a clause of its own.
    static void ControllaEspressione(const QString& espressione, bool ordinamento);

    // The Qt connection, for grids bound to a table (QSqlTableModel) and
    // the like.  Writes through it bypass the field checks above.
    QSqlDatabase Connessione() const;
    // The engine's own handle of the connection (null when closed), for
    // the limits a caller sets on one statement's work.
    sqlite3* Motore() const;

    // Internal: shared state of the connection (field types, statements).
    struct Stato;
    std::shared_ptr<Stato> StatoInterno() const { return m_stato; }

private:
    std::shared_ptr<Stato> m_stato;
    int m_righeToccate = 0;
};

// Kinds of record set and edit states, with the engine's numbers.
enum class TipoRecordset : int { Tabella = 1, Dynaset = 2 };
enum ModoModifica : int { dbEditNone = 0, dbEditInProgress = 1, dbEditAdd = 2 };

class Recordset {
public:
    Recordset();
    ~Recordset();
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    void Close();
    bool IsOpen() const;
    TipoRecordset Type() const;
    bool Updatable() const;
    QString Source() const;  // table name or statement

    // Table type only: the index that orders the rows and that Seek uses.
    // Setting it moves to the first row in the new order.
    void SetIndex(const QString& indice);
    QString Index() const;
    // Seek with "=", ">=", ">", "<=" or "<" on the key of the current
    // index: "=", ">=" and ">" find the first row that satisfies it, "<="
    // and "<" the last.  Text keys are compared without regard to case and
    // to trailing blanks.  When nothing matches NoMatch() is true and the
    // current row stays where it was.
    void Seek(const QString& confronto, const QVariant& chiave);
    bool NoMatch() const;

    void MoveFirst();
    void MoveLast();
    void MoveNext();      // past the last row: Eof()
    void MovePrevious();  // before the first row: Bof()
    bool Eof() const;
    bool Bof() const;
    // Rows in the record set (table type: in the table now).
    int RecordCount() const;

    // Editing.  AddNew starts a new row (every field Null), Edit copies the
    // current row; SetField changes the copy; Update stores it (table type:
    // the current row stays the one before AddNew, as the program expects;
    // LastModified() is the row stored); CancelUpdate drops it; Delete
    // removes the current row, after which the record set must be moved.
    void AddNew();
    void Edit();
    void Update();
    void CancelUpdate();
    void Delete();
    int EditMode() const;

    // Field values by name: Null is an invalid QVariant.  Integers come
    // back as int, Single and Double as double, Date as QDateTime, Text and
    // Memo as QString.  During AddNew/Edit the values of the copy.
    QVariant Field(const QString& nome) const;
    void SetField(const QString& nome, const QVariant& valore);
    QStringList FieldNames() const;
    bool HasField(const QString& nome) const;
    // By position (0 .. FieldCount()-1), in the order of FieldNames().
    int FieldCount() const;
    QVariant FieldAt(int colonna) const;
    // The definition a field's values are checked against.
    DefCampo FieldDef(const QString& nome) const;
    // The value as SetField would store it and Field give it back, without
    // storing it.  Throws Errore as SetField does (wrong type, number out of
    // range, a numbered or read-only field) and also, where SetField cuts,
    // kCampoTroppoPiccolo for a text longer than its field.
    QVariant CheckField(const QString& nome, const QVariant& valore) const;

    // A bookmark identifies a row of this record set.
    qint64 Bookmark() const;
    void SetBookmark(qint64 segnalibro);
    qint64 LastModified() const;

    // Reads the rows again (SQL type) or refreshes the current row.
    void Requery();

    struct Impl;

private:
    friend class Database;
    explicit Recordset(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d;
};

// Texts of dates as the archive stores them ("yyyy-MM-dd HH:mm:ss").
QString TestoData(const QDateTime& t);
QDateTime DataDaTesto(const QString& s);

// The archive of the program, held open from start-up to the end.
inline Database dbArchivio;

// Writes that belong together, for the length of a block: begun when made
// (throws as BeginTrans), stored by Commit (throws as CommitTrans), rolled
// back when the block is left without it, by a throw or a return.  A
// rollback that fails on the way out is passed over: the failure that left
// the block is the one to report.
class Transazione {
public:
    explicit Transazione(Database& db = dbArchivio);
    ~Transazione();
    Transazione(const Transazione&) = delete;
    Transazione& operator=(const Transazione&) = delete;

    void Commit();

private:
    Database& m_db;
    bool m_aperta = false;
};

}  // namespace obx
