// O.B.X.: the council-sitting system.
#include <QApplication>

#include "platform/Lingua.h"
#include "shell/Avvio.h"

int main(int argc, char* argv[])
{
    // Without TZ the C library looks at the zone file again for every local
    // date it builds (one for each date read from the archive); naming the
    // same file once makes it read it once.
    if (qEnvironmentVariableIsEmpty("TZ")) qputenv("TZ", ":/etc/localtime");
    // Dates and sizes in Qt's dialogs in Italian: read before the
    // application object exists.
    obx::ImpostaLocaleItaliano();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("obx"));
    // Qt's own dialogs (printer, files, colours, fonts) speak Italian.
    obx::ImpostaItaliano();
    return obx::Avvia(app);
}
