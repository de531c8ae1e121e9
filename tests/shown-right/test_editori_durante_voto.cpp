// The seat-layout editors while a vote collects its keys: nothing they do
// raises a box (the scripted dialogs fail the test on any prompt), the
// commands that would ask or open a window of their own are unavailable and
// the editor says why on its own status line; the vote goes on taking keys
// and closes with them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "board/frmDisplay.h"
#include "board/frmPosti.h"
#include "console/Spoglio.h"
#include "platform/Database.h"
#include "platform/Testo.h"
#include "shell/Globali.h"
#include "support/BancoVotoSim.h"

using namespace obx;
using namespace obx::test;

namespace {

const QString kRifiuto = QStringLiteral("Votazione in corso: operazione non consentita");

class EditoriDuranteVoto : public BancoVotoSim {
protected:
    void SetUp() override
    {
        BancoVotoSim::SetUp();
        if (HasFatalFailure()) return;
        cColoriTabVideo = kColoriTabVideoPredefiniti;
        xEsitoVideo = true;
    }
    void TearDown() override
    {
        delete frmPosti::Aperta();
        delete frmDisplay::Aperta();
        Gira(5);
        BancoVotoSim::TearDown();
    }

    // The board editor's list entry of the seat with that short name.
    static int RigaDi(const frmDisplay& d, const QString& nome)
    {
        for (int r = 0; r < d.lstLiberi()->count(); ++r)
            if (TrimSpazi(d.lstLiberi()->item(r)->text()) == nome) return r;
        return -1;
    }
};

// The commands each editor keeps from a running vote.
std::vector<QPushButton*> Sospesi(frmPosti* p, frmDisplay* d)
{
    return {p->cmdPosti(2), d->cmdPosti(2), d->cmdPosti(3), d->cmdPosti(4)};
}

}  // namespace

TEST_F(EditoriDuranteVoto, NessunaFinestraDagliEditoriMentreIlVotoRaccoglieITasti)
{
    f = Apre();
    ASSERT_NE(f, nullptr);
    ApreSeduta(f);
    TuttiPresentiArgomentoAperto();
    // The last seat has no console label: the board editor cannot place it.
    dbArchivio.Execute(QStringLiteral("UPDATE ANAGRAFE SET iPulsanteAN = 0 WHERE bCodiceAN = 8"));
    frmPosti* p = frmPosti::Mostra();
    frmDisplay* d = frmDisplay::Mostra();
    Gira(10);
    ASSERT_TRUE(p && d);
    for (QPushButton* b : Sospesi(p, d)) EXPECT_TRUE(b->isEnabled()) << b->text().toStdString();
    const QString ottavo = TrimSpazi(aPosti[8].cNomeBreveAN);
    const int liberiConsole = p->lstLiberi()->count();

    bool aperta = false, provato = false, chiusa = false;
    const int aperture = sim->Conta(Apertura());
    Vota([&] {
        if (!aperta) {
            if (sim->Conta(Apertura()) <= aperture || !oVoto.RaccoglieTasti()) return false;
            aperta = true;
            return false;
        }
        if (!provato) {
            // The editors notice the vote by themselves.
            bool sospesi = true;
            for (QPushButton* b : Sospesi(p, d)) sospesi = sospesi && !b->isEnabled();
            if (!sospesi) return false;
            provato = true;
            EXPECT_FALSE(p->lblStato()->text().isEmpty());
            EXPECT_FALSE(d->lblStato()->text().isEmpty());
            // A command reached all the same (a click queued before the
            // buttons went grey) is refused on the status line.
            for (int i : {2, 3, 4}) {
                d->lblStato()->clear();
                d->cmdPosti_Click(i);
                EXPECT_EQ(d->lblStato()->text(), kRifiuto) << i;
                EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << i;
            }
            p->cmdPosti_Click(2);
            EXPECT_EQ(p->lblStato()->text(), kRifiuto);
            // Nothing was reset.
            EXPECT_EQ(p->lstLiberi()->count(), liberiConsole);
            // The seat without a console label is told on the status line.
            const int r = RigaDi(*d, ottavo);
            EXPECT_GE(r, 0);
            if (r >= 0) {
                d->lstLiberi()->setCurrentRow(r);
                d->lstLiberi_Click();
                EXPECT_EQ(d->lblStato()->text(), ottavo + QStringLiteral(" non posizionato in Monitor di Controllo"));
                EXPECT_EQ(RigaDi(*d, ottavo), r);
            }
            // The keys pressed meanwhile are taken.
            sim->Comando(QStringLiteral("key 1 yes 2 no 3 abstain"));
            return false;
        }
        if (iVotiRicevuti < 3) return false;
        ChiudeConConferma(f);
        chiusa = true;
        return true;
    });
    ASSERT_TRUE(chiusa);
    ASSERT_EQ(Voti().size(), 1u);
    EXPECT_EQ(Voti()[0].favorevoli, 1);
    EXPECT_EQ(Voti()[0].contrari, 1);
    EXPECT_EQ(Voti()[0].astenuti, 1);

    // After the vote the commands come back and the line is cleared.
    EXPECT_TRUE(GiraFinche([&] {
        for (QPushButton* b : Sospesi(p, d))
            if (!b->isEnabled()) return false;
        return true;
    }));
    EXPECT_TRUE(p->lblStato()->text().isEmpty());
    // Outside a vote the editor asks as before.
    (*ui)->AttendiMsg(QStringLiteral("Confermi azzeramento disposizioni già fatte ?"), vbCancel);
    p->cmdPosti_Click(2);
    const int r = RigaDi(*d, ottavo);
    ASSERT_GE(r, 0);
    (*ui)->AttendiMsg(ottavo + QStringLiteral(" non posizionato in Monitor di Controllo"));
    d->lstLiberi()->setCurrentRow(r);
    d->lstLiberi_Click();
}
