#include "Ambiente.h"

#include "shell/Globali.h"

namespace obx::test {

QApplication& App()
{
    static int argc = 1;
    static char nome[] = "test_archive";
    static char* argv[] = {nome, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

void VocabolariRegionali()
{
    ImpostaTabelleFisse();
    iTipoAssemblea = 4;
    // Letters in the order of the act types of the regional assembly: the
    // short labels of the tree follow the same positions.
    cLettereAtti = QStringLiteral("DOMJVAHIGBQFUXPELCWYSZNRKT9");
    cSepara = QStringLiteral("\\");
}

}  // namespace obx::test
