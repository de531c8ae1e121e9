#include "platform/Lingua.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace obx {

bool ImpostaItaliano()
{
    const QLocale italiano(QLocale::Italian, QLocale::Italy);
    QLocale::setDefault(italiano);
    auto* app = QCoreApplication::instance();
    if (!app) return false;
    static QTranslator* installato = nullptr;
    if (installato) return true;
    auto* t = new QTranslator(app);
    if (!t->load(italiano, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete t;
        return false;
    }
    QCoreApplication::installTranslator(t);
    installato = t;
    return true;
}

}  // namespace obx
