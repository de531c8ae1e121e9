// Test fixture pieces: scripted dialogs wired to gtest, a fake clock,
// keyboard and sound, and a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>

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
