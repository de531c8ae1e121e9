#include "platform/Documenti.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

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

void ImpostaApriDocumento(std::function<bool(const QString&)> f) { Apritore() = std::move(f); }

}  // namespace obx
