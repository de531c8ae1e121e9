// The console opened on the fixture council with the sitting open, and the
// small helpers the attendance tests share.
#pragma once

#include "platform/Testo.h"
#include "shell/Globali.h"
#include "support/BancoConsole.h"

namespace obx::test {

class BancoPresenze : public BancoConsole {
protected:
    // Index in aPosti of the seat with that short name, 0 when none.
    static int Seggio(const char* breve)
    {
        for (size_t i = 1; i < aPosti.size(); ++i)
            if (TrimSpazi(aPosti[i].cNomeBreveAN) == QString::fromLatin1(breve)) return int(i);
        return 0;
    }
};

}  // namespace obx::test
