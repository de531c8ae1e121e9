#include "shell/FileComandi.h"

#include <QFile>
#include <QFileInfo>

#include <map>

#include "platform/Database.h"
#include "platform/Dialoghi.h"
#include "platform/Testo.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"

namespace obx {

namespace {

const QString kTitolo = QStringLiteral("File Comandi");

// The statements of one update: those after its "R:" line (after none for
// the statements that open the file), with their whole lines.
struct Gruppo {
    QString id;
    bool conId = false;
    QStringList righe;
};

// The first word of a statement, past the blanks and comments before it
// ("--" to the end of the line, "/* ... */"; one left open runs to the end).
QString PrimaParola(const QString& sql)
{
    int i = 0;
    const int n = int(sql.size());
    for (;;) {
        while (i < n && (sql.at(i).isSpace() || sql.at(i) == u';')) ++i;
        if (sql.mid(i, 2) == u"--") {
            const int fine = int(sql.indexOf(u'\n', i));
            i = fine < 0 ? n : fine + 1;
        } else if (sql.mid(i, 2) == u"/*") {
            const int fine = int(sql.indexOf(QStringLiteral("*/"), i + 2));
            i = fine < 0 ? n : fine + 2;
        } else {
            break;
        }
    }
    int j = i;
    while (j < n && (sql.at(j).isLetterOrNumber() || sql.at(j) == u'_')) ++j;
    return sql.mid(i, j - i).toUpper();
}

// A statement that would end or open a transaction, or change how the
// connection stores and reaches files, is never run from a command file:
// it would break the group's all-or-nothing or outlive the file.
bool IstruzioneVietata(const QString& sql)
{
    static const QStringList vietate = {QStringLiteral("BEGIN"),    QStringLiteral("COMMIT"),
                                        QStringLiteral("END"),      QStringLiteral("ROLLBACK"),
                                        QStringLiteral("SAVEPOINT"), QStringLiteral("RELEASE"),
                                        QStringLiteral("PRAGMA"),   QStringLiteral("ATTACH"),
                                        QStringLiteral("DETACH"),   QStringLiteral("VACUUM")};
    return vietate.contains(PrimaParola(sql));
}

// Runs a group in one transaction: all its statements or none.  A failing
// statement is reported in a manual run and ends the group, whose other
// statements are undone.  Adds to `eseguite` the statements run, the
// failing one included.
bool EseguiGruppo(const Gruppo& g, bool xAutomatico, int& eseguite)
{
    try {
        dbArchivio.BeginTrans();
    } catch (const Errore& e) {
        // No transaction (no archive open): the first statement fails.
        if (g.righe.isEmpty()) return false;
        ++eseguite;
        if (!xAutomatico) UI().MsgBox(g.righe.front() + u'\n' + e.Descrizione(), vbCritical, kTitolo);
        return false;
    }
    for (const QString& riga : g.righe) {
        ++eseguite;
        try {
            if (IstruzioneVietata(riga.mid(2)))
                throw Errore(errdb::kNonTraducibile,
                             QStringLiteral("Istruzione non ammessa in un file comandi: cambia la transazione o "
                                            "il collegamento all'archivio."));
            dbArchivio.Execute(riga.mid(2));
        } catch (const Errore& e) {
            try {
                dbArchivio.Rollback();
            } catch (...) {
            }
            if (!xAutomatico) UI().MsgBox(riga + u'\n' + e.Descrizione(), vbCritical, kTitolo);
            return false;
        }
    }
    try {
        dbArchivio.CommitTrans();
    } catch (const Errore& e) {
        try {
            dbArchivio.Rollback();
        } catch (...) {
        }
        if (!xAutomatico && !g.righe.isEmpty())
            UI().MsgBox(g.righe.back() + u'\n' + e.Descrizione(), vbCritical, kTitolo);
        return false;
    }
    return true;
}

}  // namespace

QString IdentificativoVersione()
{
    const QString f = QStringLiteral("####");
    return Formato(kVersioneMajor, f) + u'.' + Formato(kVersioneMinor, f) + u'.' + Formato(kVersioneRev, f);
}

void EsegueFileComandi(const QString& cFile, bool xAutomatico)
{
    if (xAutomatico && !QFileInfo(cFile).isFile()) return;
    QFile f(cFile);
    if (!f.open(QIODevice::ReadOnly)) {
        if (!xAutomatico)
            UI().MsgBox(QStringLiteral("\n") +
                            QStringLiteral("Impossibile aprire il file %1: %2").arg(cFile, f.errorString()),
                        vbCritical, kTitolo);
        return;
    }
    const QStringList righe = RigheTesto(f.readAll());
    f.close();

    std::vector<Gruppo> gruppi(1);
    for (const QString& riga : righe) {
        const QString prefisso = riga.left(2);
        if (prefisso == u"R:")
            gruppi.push_back({riga.mid(2), true, {}});
        else if (prefisso == u"Q:")
            gruppi.back().righe << riga;
    }

    int eseguite = 0;
    if (!xAutomatico) {
        // Every statement of the file, group by group in file order.
        for (const Gruppo& g : gruppi)
            if (!g.righe.isEmpty()) EseguiGruppo(g, false, eseguite);
        UI().MsgBox(QStringLiteral("eseguite") + Str(eseguite) + QStringLiteral(" istruzioni"), vbInformation);
        return;
    }

    // The updates newer than the archive's last one, in the order of their
    // identifiers (one update named twice is one group), each applied
    // whole or not at all.  The first that fails stops the run: the ones
    // after it wait for it, so that the identifier kept for the archive
    // always means "everything up to here is applied".
    std::map<QString, Gruppo> daFare;
    for (const Gruppo& g : gruppi) {
        if (!g.conId || cLastIDAgg.compare(g.id, Qt::CaseSensitive) >= 0) continue;
        Gruppo& d = daFare[g.id];
        d.id = g.id;
        d.conId = true;
        d.righe << g.righe;
    }
    QString applicato = cLastIDAgg;
    QString fallito;
    for (const auto& [id, g] : daFare) {
        if (!EseguiGruppo(g, true, eseguite)) {
            fallito = id;
            break;
        }
        applicato = id;
    }
    // The version's own identifier, as long as it passes no update left
    // to apply; the identifier never moves back.
    const QString versione = IdentificativoVersione();
    if (fallito.isNull() || versione.compare(fallito, Qt::CaseSensitive) < 0)
        if (versione.compare(applicato, Qt::CaseSensitive) > 0) applicato = versione;
    cLastIDAgg = applicato;
    GestisceConfig(false);
}

}  // namespace obx
