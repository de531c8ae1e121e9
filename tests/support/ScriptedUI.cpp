#include "support/ScriptedUI.h"

namespace obx::test {

ScriptedUI::ScriptedUI()
{
    m_d.Fallimento = [](const QString& m) { ADD_FAILURE() << m.toStdString(); };
    ImpostaUI(&m_d);
}

ScriptedUI::~ScriptedUI()
{
    ImpostaUI(nullptr);
    for (const auto& a : m_d.Restanti()) ADD_FAILURE() << "Dialogo atteso e mai mostrato: " << a.testo.toStdString();
}

FakeServices::FakeServices()
{
    ImpostaOrologio(&clock);
    ImpostaTastiera(&keys);
    ImpostaSuono(&sound);
}

FakeServices::~FakeServices()
{
    ImpostaOrologio(nullptr);
    ImpostaTastiera(nullptr);
    ImpostaSuono(nullptr);
}

}  // namespace obx::test
