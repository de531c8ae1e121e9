#include "platform/Eventi.h"

namespace obx {

int PulsanteDi(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

int ShiftDi(Qt::KeyboardModifiers m)
{
    int s = 0;
    if (m & Qt::ShiftModifier) s |= 1;
    if (m & Qt::ControlModifier) s |= 2;
    if (m & Qt::AltModifier) s |= 4;
    return s;
}

bool DaAltraFinestra(Qt::FocusReason r) { return r == Qt::ActiveWindowFocusReason || r == Qt::PopupFocusReason; }

}  // namespace obx
