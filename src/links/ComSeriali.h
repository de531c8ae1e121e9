// The three serial controls of the main window: the voting-unit central,
// the card reader and the display board.  They live for the whole program;
// start-up records them under the names the links use (oComTLV, oComCARD,
// oComTAB).  No port is opened at start-up.
#pragma once

#include "platform/Seriale.h"

namespace obx {

inline Seriale vbxComTLV;
inline Seriale vbxComCARD;
inline Seriale vbxComTAB;

inline Seriale& oComTLV = vbxComTLV;
inline Seriale& oComCARD = vbxComCARD;
inline Seriale& oComTAB = vbxComTAB;

}  // namespace obx
