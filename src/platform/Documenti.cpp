#include "platform/Documenti.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QUrl>

#include "platform/Dialoghi.h"

namespace obx {

namespace {
std::function<bool(const QString&)>& Apritore()
{
    static std::function<bool(const QString&)> f;
    return f;
}
}  // namespace

bool ApriDocumento(const QString& percorso)
{
    if (Apritore()) return Apritore()(percorso);
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
    const QString piattaforma = QGuiApplication::platformName();
    if (piattaforma == u"offscreen" || piattaforma == u"minimal") return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(percorso));
}

bool MostraDocumento(const QString& percorso, const QString& descrizione)
{
    const QString dove = QDir::toNativeSeparators(percorso);
    if (!QFileInfo(percorso).isFile()) {
        UI().MsgBox(QStringLiteral("File non presente:\n") + dove, vbInformation);
        return false;
    }
    if (ApriDocumento(percorso)) return true;
    UI().MsgBox(QStringLiteral("Nessun programma disponibile per mostrare ") + descrizione +
                    QStringLiteral(".\nIl file si trova in:\n") + dove,
                vbInformation);
    return false;
}

void ImpostaApriDocumento(std::function<bool(const QString&)> f) { Apritore() = std::move(f); }

}  // namespace obx
