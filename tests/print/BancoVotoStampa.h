// Reports asked for while the sitting console collects a vote's keys: the
// vote console of the vote tests on a machine without printers, so that a
// report lands in a new PDF file of "Stampe", and a vote run with a step of
// the test in its middle.
#pragma once

#include <functional>

#include "BancoStampa.h"
#include "platform/Elenchi.h"
#include "vote/BancoVoto.h"

namespace obx::test {

class BancoVotoStampa : public BancoVoto {
protected:
    void SetUp() override
    {
        BancoVoto::SetUp();
        if (HasFatalFailure()) return;
        ImpostaElencoStampanti([] { return QStringList(); });
        Stampante().setOutputFileName(QString());
    }
    void TearDown() override
    {
        FineStampa();
        ImpostaElencoStampanti({});
        BancoVoto::TearDown();
    }
    int Codice(int posto) const { return aPosti[size_t(posto)].bCodiceAN; }
    void AttendeFile() { (*ui)->AttendiMsg(QStringLiteral("Stampa salvata nel file:\n"), vbOK, true); }
    QStringList FileStampe() const
    {
        return QDir(CartellaStampe()).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
    }

    // Runs a vote in which units 1, 2, 3 press yes, no, abstain; then
    // durante runs, then unit 4 presses yes and the vote is closed (after
    // alla chiusura, with the dialogs the close shows).
    void Vota4(const std::function<void()>& durante, const std::function<void()>& allaChiusura = {})
    {
        VotaATurni({{QStringLiteral("key 1 yes 2 no 3 abstain"), 3, durante}, {QStringLiteral("key 4 yes"), 4}},
                   allaChiusura);
    }
};

}  // namespace obx::test
