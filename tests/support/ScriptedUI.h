// Test fixture pieces: scripted dialogs wired to gtest, a fake clock,
// keyboard and sound, and a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <functional>

#include "platform/Dialoghi.h"
#include "platform/Servizi.h"

namespace obx::test {

// Installs scripted dialogs for the life of the object; an unexpected prompt
// fails the test with its text, and expectations left unconsumed at the end
// fail it too.
class ScriptedUI {
public:
    ScriptedUI();
    ~ScriptedUI();
    DialoghiScriptati& operator*() { return m_d; }
    DialoghiScriptati* operator->() { return &m_d; }

private:
    DialoghiScriptati m_d;
};

// Scripted dialogs whose next message box first runs an action, as a real
// box lets the timer, a click or a card reading run while it is up.
class DialoghiConAzione : public DialoghiScriptati {
public:
    std::function<void()> azione;
    int MsgBox(const QString& testo, int stile, const QString& titolo) override
    {
        if (azione) {
            auto a = std::move(azione);
            azione = nullptr;
            a();
        }
        return DialoghiScriptati::MsgBox(testo, stile, titolo);
    }
};

// Fake clock, keyboard and sound installed for the life of the object.
class FakeServices {
public:
    FakeServices();
    ~FakeServices();
    OrologioFinto clock;
    TastieraFinta keys;
    SuonoFinto sound;
};

}  // namespace obx::test
