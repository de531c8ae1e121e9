// O.B.X.: the council-sitting system.
#include <QApplication>

#include "shell/Avvio.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("obx"));
    return obx::Avvia(app);
}
