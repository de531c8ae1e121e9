// The one QApplication of a test program.
#pragma once

class QApplication;

namespace obx::test {

// Creates the application on first use (offscreen unless QT_QPA_PLATFORM
// says otherwise) and returns it; it lives to the end of the program.
QApplication& EnsureQApp();

}  // namespace obx::test
