// The colours of the board's full-screen results (entries 16 to 22 of
// cColoriTabVideo) and its two fonts, titles and results; only bold and
// italic are kept in these font strings.  Opened modal from the board's
// seat-layout editor.
#pragma once

#include "board/TinteTabellone.h"

namespace obx {

class frmTinteQZ : public TinteTabellone {
    Q_OBJECT
public:
    explicit frmTinteQZ(QWidget* padre = nullptr);
};

}  // namespace obx
