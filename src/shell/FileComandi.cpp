#include "shell/FileComandi.h"

#include <QFile>
#include <QFileInfo>

#include "platform/Database.h"
#include "platform/Dialoghi.h"
#include "platform/Testo.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"

namespace obx {

namespace {

const QString kTitolo = QStringLiteral("File Comandi");

struct Gruppo {
    QString id;
    bool riuscito = true;
};

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
            UI().MsgBox(QStringLiteral("\n") + QStringLiteral("Impossibile aprire il file %1: %2").arg(cFile, f.errorString()),
                        vbCritical, kTitolo);
        return;
    }
    const QStringList righe = RigheTesto(f.readAll());
    f.close();

    // The automatic run executes only the updates newer than the archive's
    // last one; the manual run executes every statement.
    bool esegui = !xAutomatico;
    int eseguite = 0;
    std::vector<Gruppo> gruppi;   // updates run in this pass, in file order
    for (const QString& riga : righe) {
        const QString prefisso = riga.left(2);
        if (prefisso == u"R:") {
            if (!xAutomatico) continue;
            const QString id = riga.mid(2);
            esegui = cLastIDAgg.compare(id, Qt::CaseSensitive) < 0;
            if (esegui) gruppi.push_back({id, true});
        } else if (prefisso == u"Q:") {
            if (!esegui) continue;
            ++eseguite;
            try {
                dbArchivio.Execute(riga.mid(2));
            } catch (const Errore& e) {
                if (!gruppi.empty()) gruppi.back().riuscito = false;
                if (!xAutomatico) UI().MsgBox(riga + u'\n' + e.Descrizione(), vbCritical, kTitolo);
            }
        }
    }

    if (!xAutomatico) {
        UI().MsgBox(QStringLiteral("eseguite") + Str(eseguite) + QStringLiteral(" istruzioni"), vbInformation);
        return;
    }
    // An update counts as applied only when all its statements ran: after a
    // failure the identifier stays below the first update that failed, so
    // the next start-up tries it again.
    QString primoFallito;
    for (const Gruppo& g : gruppi)
        if (!g.riuscito && (primoFallito.isNull() || g.id.compare(primoFallito) < 0)) primoFallito = g.id;
    if (primoFallito.isNull()) {
        // Every update ran: the archive is as this version wants it.  An
        // update named beyond the version stays recorded, so that it is
        // not run a second time.
        cLastIDAgg = IdentificativoVersione();
        for (const Gruppo& g : gruppi)
            if (g.id.compare(cLastIDAgg) > 0) cLastIDAgg = g.id;
    } else {
        QString ultimo = cLastIDAgg;
        for (const Gruppo& g : gruppi)
            if (g.riuscito && g.id.compare(primoFallito) < 0 && g.id.compare(ultimo) > 0) ultimo = g.id;
        cLastIDAgg = ultimo;
    }
    GestisceConfig(false);
}

}  // namespace obx
