#include "shell/FileProtetti.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "shell/Globali.h"
#include "shell/Manutenzione.h"

namespace obx {

QString PercorsoReale(const QString& percorso)
{
    QFileInfo fi(percorso);
    for (int salti = 0; salti < 32 && fi.isSymLink(); ++salti) fi = QFileInfo(fi.symLinkTarget());
    const QString cartella = QFileInfo(fi.absolutePath()).canonicalFilePath();
    return (cartella.isEmpty() ? QDir::cleanPath(fi.absolutePath()) : cartella) + u'/' + fi.fileName();
}

namespace {

bool Identita(const QString& percorso, struct stat& st)
{
    const QByteArray nome = QFile::encodeName(percorso);
    return !nome.isEmpty() && ::stat(nome.constData(), &st) == 0;
}

}  // namespace

bool StessoFile(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty()) return false;
    struct stat sa{}, sb{};
    const bool ea = Identita(a, sa);
    const bool eb = Identita(b, sb);
    if (ea && eb) return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    // One exists and the other does not: two files.  Neither yet: the same
    // place once written, in any letter case (the archive's folder may be
    // on a disk that does not tell them apart).
    if (ea != eb) return false;
    return PercorsoReale(a).compare(PercorsoReale(b), Qt::CaseInsensitive) == 0;
}

QString FileProtetto(const QString& percorso)
{
    if (percorso.isEmpty() || cPathArchivio.isEmpty()) return QString();
    const struct {
        QString file;
        const char* descrizione;
    } tenuti[] = {
        {cPathArchivio, "l'archivio aperto"},
        {cFileConfig, "il file di configurazione dell'archivio aperto"},
        {PercorsoCopiaOld(cPathArchivio), "la copia di sicurezza (.old) dell'archivio aperto"},
        {cFileLog, "il LogFile del tabellone"},
    };
    for (const auto& t : tenuti)
        if (StessoFile(percorso, t.file)) return QString::fromUtf8(t.descrizione);
    return QString();
}

QString AvvisoFileProtetto(const QString& percorso)
{
    const QString cosa = FileProtetto(percorso);
    if (cosa.isEmpty()) return cosa;
    return QStringLiteral("Il file %1 è %2 e non può essere sovrascritto.\nScegliere un altro nome.")
        .arg(QDir::toNativeSeparators(percorso), cosa);
}

}  // namespace obx
