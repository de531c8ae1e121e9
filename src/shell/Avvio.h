// Start-up of the program: from the second-copy check to the main window.
#pragma once

class QApplication;

namespace obx {

// Runs the start-up and then the event loop; returns the exit code.
int Avvia(QApplication& app);

}  // namespace obx
