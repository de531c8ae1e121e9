// The archive's folder, with its trailing separator.  The shell sets it when
// an archive is chosen (see shell/Globali.h for the other paths); the serial
// and parallel layers find "Porte.txt" in it.  It lives here so that the
// platform layer depends on nothing above it.
#pragma once

#include <QString>

namespace obx {

inline QString cCartella;

}  // namespace obx
