#include "shell/Avvio.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include "shell/Globali.h"

namespace obx {

int Avvia(QApplication& app)
{
    // Placeholder until the start-up sequence lands: a bare main window.
    ImpostaTabelleFisse();
    cCartellaProgramma = QApplication::applicationDirPath() + u'/';
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("Orbexia"));
    w.resize(640, 400);
    w.show();
    return app.exec();
}

}  // namespace obx
