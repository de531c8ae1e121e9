// O.B.X.: the council-sitting system.
#include <QApplication>

#include "platform/Lingua.h"
#include "shell/Avvio.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("obx"));
    obx::ImpostaItaliano();
    return obx::Avvia(app);
}
