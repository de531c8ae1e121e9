// The main window opens the two registers from its menus.
#include <QAction>
#include <QPointer>

#include "Registri.h"
#include "registers/frmAnag.h"
#include "registers/frmDelib.h"
#include "registers/frmLeggi.h"
#include "shell/Configurazione.h"
#include "shell/frmMain.h"

using namespace obx;
using namespace obx::test;

namespace {

class MenuRegistri : public RegistroProva {
protected:
    void ChiudeFinestre() override
    {
        Chiude(frmAnag::Aperta());
        Chiude(frmDelib::Aperta());
    }
};

TEST_F(MenuRegistri, EntriesOpenTheRegistersWithoutBlocking)
{
    frmMain m;
    ASSERT_TRUE(m.mnuConfig[2]->isEnabled());
    ASSERT_TRUE(m.mnuArchivi[0]->isEnabled());
    EXPECT_EQ(m.mnuArchivi[0]->text(), QStringLiteral("Registrazione Argomenti OdG"));

    m.mnuConfig[2]->trigger();
    ASSERT_NE(frmAnag::Aperta(), nullptr);
    EXPECT_TRUE(frmAnag::Aperta()->isVisible());
    EXPECT_FALSE(frmAnag::Aperta()->isModal());

    m.mnuArchivi[0]->trigger();
    ASSERT_NE(frmDelib::Aperta(), nullptr);
    EXPECT_TRUE(frmDelib::Aperta()->isVisible());
    EXPECT_FALSE(frmDelib::Aperta()->isModal());
    ChiudeFinestre();
}

TEST_F(MenuRegistri, RegionalAssemblyOpensTheActsTreeInsteadOfTheAgendaRegister)
{
    Prepara(4);
    frmMain m;
    EXPECT_TRUE(m.mnuArchivi[0]->isEnabled());
    EXPECT_EQ(m.mnuArchivi[0]->text(), QStringLiteral("Registrazione Atti"));
    m.mnuArchivi_Click(0);
    EXPECT_EQ(frmDelib::Aperta(), nullptr);
    EXPECT_NE(frmLeggi::Aperta(), nullptr);
    Chiude(frmLeggi::Aperta());
    EXPECT_TRUE(m.mnuConfig[2]->isEnabled());
}

}  // namespace
