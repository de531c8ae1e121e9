#include "shell/Manutenzione.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

#include "platform/Database.h"
#include "platform/Dialoghi.h"
#include "platform/Servizi.h"
#include "platform/Testo.h"
#include "shell/Globali.h"
#include "shell/Schema.h"

namespace obx {

namespace {

// File errors, with the numbers the program has always shown for them.
constexpr int kErrFileAccesso = 75;
constexpr int kErrArchivioDanneggiato = errdb::kFormatoNonRiconosciuto;

// The state of one run: the operation's name, the table being processed,
// whether a failure was reported and what damage the file showed.
struct Giro {
    QString operazione;
    int tabella = 0;
    bool fallito = false;
    QString guasto;

    void Segnala(int numero, const QString& descrizione)
    {
        QString testo;
        if (tabella >= 1 && tabella <= 5) testo = cTabelle[tabella] + u':';
        testo += QStringLiteral(" Errore ") + Str(numero);
        UI().MsgBox(testo, vbCritical + vbOKOnly, descrizione);
        fallito = true;
    }
    void Segnala(const Errore& e) { Segnala(e.Numero(), e.Descrizione()); }

    // Runs one step; a failure is reported and the run goes on.
    template <class F>
    bool Passo(F&& f)
    {
        try {
            f();
            return true;
        } catch (const Errore& e) {
            Segnala(e);
        } catch (const std::exception& e) {
            Segnala(errdb::kErroreMotore, QString::fromLocal8Bit(e.what()));
        }
        return false;
    }

    void Fine(bool silenzioso) const
    {
        if (fallito)
            UI().MsgBox(operazione + QStringLiteral(" Fallita"), vbInformation, kTitoloOBX);
        else if (!silenzioso)
            UI().MsgBox(operazione + QStringLiteral(" Completata"), vbInformation, kTitoloOBX);
    }
};

bool Sincronizza(const QString& percorso)
{
    const int fd = ::open(QFile::encodeName(percorso).constData(), O_RDONLY);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

void SincronizzaCartella(const QString& percorso)
{
    const int fd = ::open(QFile::encodeName(QFileInfo(percorso).absolutePath()).constData(), O_RDONLY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

void CreaTabella(Database& db, const tTabella& t)
{
    std::vector<DefCampo> campi;
    for (int j = 0; j < t.NumCampi(); ++j) campi.push_back(t.Campo(j));
    db.CreateTable(t.cNomeTabella, campi);
}

bool StessoIndice(const DefIndice& a, const DefIndice& b)
{
    if (a.unico != b.unico || a.primario != b.primario || a.campi.size() != b.campi.size()) return false;
    for (int i = 0; i < a.campi.size(); ++i)
        if (a.campi[i].compare(b.campi[i], Qt::CaseInsensitive) != 0) return false;
    return true;
}

// How many of the five tables the open file holds.
int TabelleArchivio(const Database& db)
{
    int n = 0;
    for (int i = 1; i <= 5; ++i)
        if (db.TableExists(cTabelle[i])) ++n;
    return n;
}

// The same of a file on disk; 0 when it cannot be read as a database.
int TabelleArchivio(const QString& percorso)
{
    try {
        Database db;
        db.Open(percorso);
        return TabelleArchivio(db);
    } catch (const Errore&) {
        return 0;
    }
}

// The finding of a file that holds none of them.
QString NessunaTabella()
{
    QStringList n;
    for (int i = 1; i <= 5; ++i) n << cTabelle[i];
    return QStringLiteral("Il file non contiene nessuna delle tabelle dell'archivio (%1).")
        .arg(n.join(QStringLiteral(", ")));
}

// The program's own indexes, made where missing (an older archive has
// none; one that has them is not written).
void CreaIndiciInterni(Giro& g)
{
    for (const IndiceInterno& i : IndiciInterni()) {
        g.tabella = i.tabella;
        g.Passo([&] {
            QSqlQuery q(dbArchivio.Connessione());
            if (!q.exec(IstruzioneIndiceInterno(i)))
                throw Errore(errdb::kErroreMotore,
                             QStringLiteral("Impossibile creare l'indice %1: %2").arg(i.nome, q.lastError().text()));
        });
    }
    g.tabella = 0;
}

// ---------------------------------------------------------------------------
// "C"

void Crea(Giro& g)
{
    if (!g.Passo([] { dbArchivio.Create(cPathArchivio); })) return;
    for (int i = 1; i <= 5; ++i) {
        g.tabella = i;
        const tTabella t = DefinisceTabella(i);
        if (!g.Passo([&] { CreaTabella(dbArchivio, t); })) continue;
        for (int k = 1; k <= t.bNumIndici; ++k) g.Passo([&] { dbArchivio.CreateIndex(t.cNomeTabella, t.Indice(k)); });
    }
    g.tabella = 0;
    if (dbArchivio.IsOpen()) CreaIndiciInterni(g);
    dbArchivio.Close();
}

// ---------------------------------------------------------------------------
// "I": the file is checked, compacted into a temporary file beside it, the
// original is copied to ".old", and only then the compacted file takes the
// archive's place in one rename.  At every moment the archive's path holds
// a complete archive; a failure at any step leaves it and its ".old" as
// they were.

void Riorganizza(Giro& g)
{
    dbArchivio.Close();
    const QString archivio = cPathArchivio;
    const QString old = PercorsoCopiaOld(archivio);
    const QString temp = archivio + QStringLiteral(".compatta");

    // An empty file, or a database that holds none of the archive's
    // tables, is no archive either: made into an empty one it would be
    // copied over the last good ".old".
    if (QFileInfo(archivio).size() == 0) {
        g.guasto = QStringLiteral("Il file è vuoto (0 byte): non contiene alcun archivio.");
        g.Segnala(kErrArchivioDanneggiato, g.guasto);
        return;
    }
    // Repair: the engine's own check of the file, which is only read.  A
    // file that is no archive, or fails the check, is damaged: it is left
    // exactly as it is.
    Database db;
    QString guasti;
    const bool letto = g.Passo([&] {
        try {
            db.Open(archivio);
            if (TabelleArchivio(db) == 0) {
                g.guasto = NessunaTabella();
                throw Errore(kErrArchivioDanneggiato, g.guasto);
            }
            guasti = db.IntegrityCheck();
        } catch (const Errore& e) {
            if (e.Numero() == kErrArchivioDanneggiato) g.guasto = e.Descrizione();
            throw;
        }
    });
    if (!letto) return;
    if (!guasti.isEmpty()) {
        g.guasto = guasti;
        g.Segnala(kErrArchivioDanneggiato, QStringLiteral("Archivio danneggiato: ") + guasti.left(300));
        return;
    }
    // Compaction into the temporary file.
    if (QFileInfo::exists(temp) && !QFile::remove(temp)) {
        g.Segnala(kErrFileAccesso, QStringLiteral("Impossibile rimuovere il file temporaneo %1").arg(temp));
        return;
    }
    const bool compattato = g.Passo([&] { db.CompactInto(temp); });
    db.Close();
    if (!compattato) {
        QFile::remove(temp);
        return;
    }
    // The compacted file must be a sound archive before it replaces anything.
    {
        Database verifica;
        QString esito;
        const bool ok = g.Passo([&] {
            verifica.Open(temp);
            esito = verifica.IntegrityCheck();
        });
        verifica.Close();
        if (!ok || !esito.isEmpty() || !Sincronizza(temp)) {
            if (ok)
                g.Segnala(kErrArchivioDanneggiato, QStringLiteral("Compattazione non riuscita: ") + esito.left(300));
            QFile::remove(temp);
            return;
        }
    }
    // The copy kept of the archive as it was; a ".old" that is a whole
    // archive is never replaced by a file that holds none of its tables.
    if (QFileInfo::exists(old) && TabelleArchivio(old) == 5 && TabelleArchivio(temp) == 0) {
        g.guasto = NessunaTabella();
        g.Segnala(kErrArchivioDanneggiato, g.guasto);
        QFile::remove(temp);
        return;
    }
    QString errore;
    if (!CopiaFile(archivio, old, false, &errore) || !QFileInfo::exists(old)) {
        g.Segnala(kErrFileAccesso, errore.isEmpty() ? QStringLiteral("Copia di %1 fallita").arg(archivio) : errore);
        QFile::remove(temp);
        return;
    }
    Sincronizza(old);
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(temp).constData(), QFile::encodeName(archivio).constData(), ec);
    if (ec) {
        g.Segnala(kErrFileAccesso, QStringLiteral("Impossibile sostituire %1: %2")
                                       .arg(archivio, QString::fromLocal8Bit(ec.message().c_str())));
        QFile::remove(temp);
        return;
    }
    SincronizzaCartella(archivio);
}

// ---------------------------------------------------------------------------
// "R"

void Ristruttura(Giro& g)
{
    if (!g.Passo([] { dbArchivio.Open(cPathArchivio); })) return;
    for (int i = 1; i <= 5; ++i) {
        g.tabella = i;
        const tTabella t = DefinisceTabella(i);
        const QString& nome = t.cNomeTabella;
        bool esiste = false;
        if (!g.Passo([&] { esiste = dbArchivio.TableExists(nome); })) continue;
        if (!esiste) {
            if (!g.Passo([&] { CreaTabella(dbArchivio, t); })) continue;
        } else {
            std::vector<DefCampo> presenti;
            if (!g.Passo([&] { presenti = dbArchivio.Fields(nome); })) continue;
            // Fields are looked at only when the count tells that some differ.
            if (int(presenti.size()) != t.NumCampi()) {
                for (int j = 0; j < t.NumCampi(); ++j) {
                    bool c = false;
                    if (!g.Passo([&] { c = dbArchivio.FieldExists(nome, t.cNomeCampo[j]); })) continue;
                    if (!c) g.Passo([&] { dbArchivio.AddField(nome, t.Campo(j)); });
                }
            }
        }
        // Indexes TAG_A, TAG_B, ... as many as the table has: those that
        // already are as the schema wants stay, the others are dropped and
        // rebuilt.  A rebuild that fails (repeated keys) keeps the index
        // the table had.
        std::vector<DefIndice> indici;
        if (!g.Passo([&] { indici = dbArchivio.Indexes(nome); })) continue;
        auto cerca = [&](const QString& n) -> const DefIndice* {
            for (const DefIndice& x : indici)
                if (x.nome.compare(n, Qt::CaseInsensitive) == 0) return &x;
            return nullptr;
        };
        for (int k = t.bNumIndici + 1; k <= int(indici.size()); ++k) {
            const QString n = NomeIndice(k);
            if (cerca(n)) g.Passo([&] { dbArchivio.DropIndex(nome, n); });
        }
        for (int k = 1; k <= t.bNumIndici; ++k) {
            const QString n = NomeIndice(k);
            const DefIndice voluto = t.Indice(k);
            const DefIndice* attuale = cerca(n);
            if (attuale && StessoIndice(*attuale, voluto)) continue;
            const bool togliere = attuale != nullptr;
            g.Passo([&] {
                Transazione transazione;
                if (togliere) dbArchivio.DropIndex(nome, n);
                dbArchivio.CreateIndex(nome, voluto);
                transazione.Commit();
            });
        }
    }
    CreaIndiciInterni(g);
    // The file's own widths and ranges, checked by the engine on every
    // table (those of an older archive too).
    g.tabella = 0;
    QStringList tabelle;
    if (!g.Passo([&] { tabelle = dbArchivio.TableNames(); })) return;
    for (const QString& nome : tabelle) {
        g.tabella = 0;
        for (int i = 1; i <= 5; ++i)
            if (cTabelle[i].compare(nome, Qt::CaseInsensitive) == 0) g.tabella = i;
        g.Passo([&] { dbArchivio.ImponeLimiti(nome); });
    }
    g.tabella = 0;
}

}  // namespace

QString PercorsoCopiaOld(const QString& percorsoArchivio)
{
    const QFileInfo fi(percorsoArchivio);
    const QString nome = fi.fileName();
    const int punto = int(nome.lastIndexOf(u'.'));
    const QString base = punto > 0 ? nome.left(punto) : nome;
    const QString cartella = percorsoArchivio.left(percorsoArchivio.size() - nome.size());
    return cartella + base + QStringLiteral(".old");
}

bool GestisceArchivi(const QString& cModo, bool xSilenzioso, QString* cGuasto)
{
    Giro g;
    const QString modo = cModo.trimmed().toUpper();
    if (modo == u"C") {
        g.operazione = QStringLiteral("Creazione");
        Crea(g);
    } else if (modo == u"I") {
        g.operazione = QStringLiteral("Riorganizzazione");
        Riorganizza(g);
    } else if (modo == u"R") {
        g.operazione = QStringLiteral("Ristrutturazione");
        Ristruttura(g);
    } else {
        return false;
    }
    g.Fine(xSilenzioso);
    if (cGuasto) *cGuasto = g.guasto;
    return !g.fallito;
}

}  // namespace obx
