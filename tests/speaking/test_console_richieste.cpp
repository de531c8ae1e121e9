// A request to speak pressed on a radio keypad between votes reaches the
// console's booking list and the projected board through the engine's tick,
// against the obx-sim 7777 central on a pseudo-terminal.
#include <QPushButton>

#include "board/Etichetta.h"
#include "board/frmVideo.h"
#include "links/ComSeriali.h"
#include "links/Votatori.h"
#include "platform/Elenchi.h"
#include "shell/Globali.h"
#include "support/ConsoleProva.h"
#include "support/Simulatore.h"

namespace obx::test {
namespace {

class RichiesteConsole : public ConsoleProva {
protected:
    void TearDown() override
    {
        if (oComTLV.PortOpen()) oComTLV.SetPortOpen(false);
        ConsoleProva::TearDown();
        iPrenotazioni = 0;
        iProtocolloTLV = 4010;
    }
};

TEST_F(RichiesteConsole, AKeypadRequestBetweenVotesBooksThatSeatOnTheListAndTheBoard)
{
    Simulatore sim(PercorsoSimulatore(), {"--device", "7777"});
    ASSERT_FALSE(sim.Percorso().isEmpty());
    ScrivePorte(archivio->Cartella(), {{3, sim.Percorso()}});
    iProtocolloTLV = 7777;
    iPortaTLV = 3;
    iPrenotazioni = kPrenotazioniDaVotatori;
    xRilievoRadio = false;
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    ApreSeduta(f);
    FrmVideo& v = frmVideo();
    for (size_t i = 1; i < aPosti.size(); ++i) aPosti[i].iStato = 9;
    aPosti[6].iStato = 8;  // absent: its request is ignored

    f->croTimer_Timer();
    ASSERT_TRUE(oComTLV.PortOpen());
    ASSERT_TRUE(sim.AttendeRiga(QStringLiteral("RX BB (start)")));

    sim.Comando(QStringLiteral("speak ") + QString::number(aPosti[6].iVotatoreAN));
    sim.Comando(QStringLiteral("speak ") + QString::number(aPosti[4].iVotatoreAN));
    ASSERT_TRUE(sim.Sincronizza());
    ASSERT_TRUE(Finche([&] {
        f->croTimer_Timer();
        return f->lstPrenotati()->ListCount() > 0;
    }));
    GiraConsole(50);
    f->croTimer_Timer();
    ASSERT_EQ(f->lstPrenotati()->ListCount(), 1);
    EXPECT_EQ(f->lstPrenotati()->List(0), QStringLiteral("ESPOSITO G."));
    EXPECT_EQ(v.txtTitolo(17)->Caption(), QStringLiteral("ESPOSITO G."));
    EXPECT_TRUE(v.txtTitolo(18)->Caption().isEmpty());

    // With the sitting suspended no request is taken.
    (*ui)->AttendiMsg(QStringLiteral("Confermi Sospensione Seduta"), vbOK);
    f->cmdConsiglio(1)->click();
    ASSERT_TRUE(f->SedutaSospesa());
    sim.Comando(QStringLiteral("speak ") + QString::number(aPosti[5].iVotatoreAN));
    ASSERT_TRUE(sim.Sincronizza());
    for (int i = 0; i < 5; ++i) {
        GiraConsole(20);
        f->croTimer_Timer();
    }
    EXPECT_EQ(f->lstPrenotati()->ListCount(), 1);
}

}  // namespace
}  // namespace obx::test
