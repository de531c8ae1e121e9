// Seat-action tests: the console fixture with an open sitting, and a way to
// answer the modal dialogs the console opens (they run their own event
// loop, so the answer is given from a timer as soon as the dialog is up).
#pragma once

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>

#include "board/Etichetta.h"
#include "console/frmScambio.h"
#include "console/frmTasti.h"
#include "platform/Elenchi.h"
#include "platform/Testo.h"
#include "shell/Globali.h"
#include "support/AlComparire.h"
#include "support/BancoConsole.h"

namespace obx::test {

// Chooses option i of the seat dialog or the guest dialog when it comes up
// (-1 cancels); the option must be enabled.
template <class Dialogo>
void SceltaOpzione(int i)
{
    AlComparire<Dialogo>([i](Dialogo* d) {
        if (i < 0) {
            d->cmdTasti(1)->click();
            return;
        }
        EXPECT_TRUE(d->optTasto(i)->isEnabled()) << "option " << i;
        d->optTasto(i)->setChecked(true);
        d->cmdTasti(0)->click();
    });
}
inline void SceltaTasti(int i) { SceltaOpzione<frmTasti>(i); }
inline void SceltaOspiti(int i) { SceltaOpzione<frmOspiti>(i); }

inline QString Nome(int iP) { return aPosti[size_t(iP)].cNomeAN; }

// Index in aOspiti of the guest with that person code, 0 when none.
inline int Ospite(int codice)
{
    for (size_t i = 1; i < aOspiti.size(); ++i)
        if (aOspiti[i].bCodiceAN == codice) return int(i);
    return 0;
}

class BancoPosti : public BancoConsole {
protected:
    // ApreConSeduta gives the console loaded with the sitting open; seats
    // 1..8 on labels 1..8.
    // Marks seats present as attendance would, without going through it.
    static void Presenti(std::initializer_list<int> posti)
    {
        for (int i : posti) {
            aPosti[size_t(i)].iStato |= 1;
            ++iPresenti;
        }
    }
    // The events logged after the sitting's opening.
    static std::vector<RigaEvento> EventiDopoApertura()
    {
        auto v = Eventi();
        if (!v.empty() && v.front().lettera == u"A") v.erase(v.begin());
        return v;
    }
    // Whether attendance changes are built in this tree (the seat actions
    // call them; where they are still waiting, the tests of what follows
    // from them are skipped).
    static bool PresenzeCostruite(frmCons* f)
    {
        const int prima = aPosti[8].iStato;
        const QString l = f->CambiaPresenza(8, 8, false);
        if (l.isEmpty() || aPosti[8].iStato == prima) return false;
        f->CambiaPresenza(8, 8, false);
        return true;
    }
};

}  // namespace obx::test
