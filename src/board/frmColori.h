// The colours of the projected board and of its seat labels (entries 0 to
// 15 of cColoriTabVideo) and four of its fonts: the council's title (the
// current item in the regional assembly), the councillors, the results,
// the absent.  Opened modal from the board's seat-layout editor.
#pragma once

#include "board/TinteTabellone.h"

namespace obx {

class frmColori : public TinteTabellone {
    Q_OBJECT
public:
    explicit frmColori(QWidget* padre = nullptr);
};

}  // namespace obx
