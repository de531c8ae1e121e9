#include "support/QtApp.h"

#include <QApplication>

#include "platform/Lingua.h"

namespace obx::test {

QApplication& EnsureQApp()
{
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return *app;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nome[] = "obx-test";
    static char* argv[] = {nome, nullptr};
    ImpostaLocaleItaliano();
    // Never destroyed: widgets of static fixtures may outlive main().
    static QApplication* app = new QApplication(argc, argv);
    // Qt's own dialogs speak Italian, as in the program.
    ImpostaItaliano();
    return *app;
}

}  // namespace obx::test
