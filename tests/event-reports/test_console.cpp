// The event list opened from the sitting console: Ctrl+F6 and the service
// button show it modal, the console gives up its record sets meanwhile and
// loses no event logged while it is up, and takes them back on return; a
// vote in hand refuses it.
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

#include "console/Spoglio.h"
#include "platform/GrigliaDati.h"
#include "platform/Temporizzatore.h"
#include "reports/frmEvent.h"
#include "shell/Globali.h"
#include "shell/frmMain.h"
#include "support/AlComparire.h"
#include "support/BancoConsole.h"

namespace obx::test {
namespace {

class ListaDallaConsole : public BancoConsole {
protected:
    void TearDown() override
    {
        if (frmEvent* f = frmEvent::Aperta()) delete f;
        frmCons::MostraListaEventi = nullptr;
        BancoConsole::TearDown();
    }
    static bool RecordsetAperti(const frmCons* f)
    {
        return f->rsEventi.IsOpen() && f->rsVoti.IsOpen() && f->rsDelibere.IsOpen() && f->rsLeggi.IsOpen();
    }
};

TEST_F(ListaDallaConsole, CtrlF6OpensTheWindowModalAndNoEventIsLostMeanwhile)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    bool vista = false;
    AlComparire<frmEvent>([&](frmEvent* w) {
        vista = true;
        EXPECT_EQ(w->windowModality(), Qt::ApplicationModal);
        EXPECT_EQ(iModoAttivazione, 32);
        EXPECT_EQ(w->broEventi->Righe(), 1);  // the opening of the sitting
        // The console hands its record sets over while the list is up...
        EXPECT_TRUE(GiraFinche([f] { return !f->Attiva() && !f->rsEventi.IsOpen(); }));
        EXPECT_FALSE(f->croTimer().Enabled());
        // ...and an event logged meanwhile is stored all the same.
        f->SalvaEvento(QStringLiteral("E"), QStringLiteral("Anna Verdi"));
        w->cmdEventi(1)->click();
    });
    QKeyEvent tasto(QEvent::KeyPress, Qt::Key_F6, Qt::ControlModifier);
    QApplication::sendEvent(f, &tasto);
    ASSERT_TRUE(vista);
    EXPECT_EQ(frmEvent::Aperta(), nullptr);

    // Back at the console: record sets and timer again.
    EXPECT_TRUE(RecordsetAperti(f));
    EXPECT_TRUE(f->croTimer().Enabled());
    const auto ev = Eventi();
    ASSERT_EQ(ev.size(), 2u);
    EXPECT_EQ(ev[1].lettera, QStringLiteral("E"));
    EXPECT_EQ(ev[1].nome.trimmed(), QStringLiteral("Anna Verdi"));
    // The next event goes through the record set taken back.
    f->SalvaEvento(QStringLiteral("U"), QStringLiteral("Anna Verdi"));
    EXPECT_EQ(Eventi().size(), 3u);
}

TEST_F(ListaDallaConsole, ServiceButtonOpensItToo)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    bool vista = false;
    AlComparire<frmEvent>([&](frmEvent* w) {
        vista = true;
        w->close();
    });
    f->cmdServizio(1)->click();
    EXPECT_TRUE(vista);
    EXPECT_TRUE(RecordsetAperti(f));
}

TEST_F(ListaDallaConsole, RefusedWhileAVoteIsInHand)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    int tasto = 117;
    // An open vote: the key is ignored.
    iModoVoto = 1;
    f->Form_KeyDown(tasto, 2);
    // A test vote: its key collection would stop under a modal window.
    iModoVoto = 2;
    (*ui)->AttendiMsg(QString::fromUtf8(kMsgVotoInCorso), vbOK);
    tasto = 117;
    f->Form_KeyDown(tasto, 2);
    iModoVoto = 0;
    EXPECT_EQ(frmEvent::Aperta(), nullptr);
    EXPECT_TRUE(RecordsetAperti(f));
}

}  // namespace
}  // namespace obx::test
