// The console's one-second engine ticked by hand with the fake clock: the
// clock across midnight, the speaking clock running out, the countdown of
// a timed vote with a speech given during it, the outcome blink, one tick
// never inside another, and a card passed on the simulated reader.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "board/Etichetta.h"
#include "board/frmVideo.h"
#include "console/LettoreTessere.h"
#include "console/TempoParola.h"
#include "links/ComSeriali.h"
#include "shell/Globali.h"
#include "support/ConsoleProva.h"
#include "support/Simulatore.h"

namespace obx::test {
namespace {

class MotoreConsole : public ConsoleProva {
protected:
    // One tick, then the clock moves on one second.
    void Tick(frmCons* f)
    {
        f->croTimer_Timer();
        servizi->clock.Avanza(1);
    }
};

TEST_F(MotoreConsole, TheClockAndTheSpeakingClockRunAcrossMidnight)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    ApreSeduta(f);
    FrmVideo& v = frmVideo();
    const int partito = aPosti[5].iPartito;
    ASSERT_GT(partito, 0);
    const int residuo = aPartiti[size_t(partito)].lTempoResiduo;

    Ora(23, 59, 59);
    f->croTimer_Timer();
    EXPECT_EQ(f->txtOBX()->text(), QStringLiteral("23:59:59"));
    EXPECT_EQ(v.txtTitolo(3)->Caption(), QStringLiteral("23:59:59"));
    Ora(0, 0, 0);
    f->croTimer_Timer();
    EXPECT_EQ(f->txtOBX()->text(), QStringLiteral("00:00:00"));
    EXPECT_EQ(v.txtTitolo(3)->Caption(), QStringLiteral("00:00:00"));

    // A one-minute speech given at 23:59:30.
    Ora(23, 59, 30);
    f->lblTempo(0)->setText(QStringLiteral("01"));
    f->IniziaIntervento(1, 5, QStringLiteral("Franca Romano"), QStringLiteral("ROMANO F."));
    Tick(f);
    EXPECT_EQ(v.txtTitolo(13)->Caption(), QStringLiteral("Tempo disponibile min. 01:00"));
    Tick(f);
    EXPECT_EQ(v.txtTitolo(13)->Caption(), QStringLiteral("Tempo disponibile min. 00:59"));
    EXPECT_EQ(v.txtTitolo(13)->ForeColor(), cColoriTabVideo[13]);
    for (int i = 3; i <= 60; ++i) Tick(f);
    EXPECT_FALSE(f->TempoParolaScaduto());
    const int suoni = servizi->sound.beep + int(servizi->sound.riprodotti.size());
    Tick(f);  // the 61st
    EXPECT_TRUE(f->TempoParolaScaduto());
    EXPECT_EQ(servizi->sound.beep + int(servizi->sound.riprodotti.size()), suoni + 1);
    EXPECT_EQ(f->lblTempo(0)->text(), QStringLiteral("00"));
    Tick(f);
    EXPECT_EQ(v.txtTitolo(13)->Caption(), QStringLiteral("Tempo scaduto min. 00:01"));
    EXPECT_EQ(v.txtTitolo(13)->ForeColor(), cColoriTabVideo[11]);

    // Ended at 00:00:32: 62 seconds charged, the clock back to the minutes of
    // the last floor on green.
    EXPECT_EQ(f->txtOBX()->text(), QStringLiteral("00:00:31"));
    f->cmdParola_Click(0);
    EXPECT_EQ(aPartiti[size_t(partito)].lTempoResiduo, residuo - 62);
    EXPECT_FALSE(f->TempoParolaScaduto());
    EXPECT_EQ(f->lblTempo(0)->text(), QStringLiteral("01"));
    const QString dopo = v.txtTitolo(13)->Caption();
    Tick(f);
    EXPECT_EQ(v.txtTitolo(13)->Caption(), dopo);  // no longer advanced
}

TEST_F(MotoreConsole, AFloorGivenDuringATimedVoteKeepsItsStartAndTheCountdownEnds)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    ApreSeduta(f);
    const int partito = aPosti[2].iPartito;
    const int residuo = aPartiti[size_t(partito)].lTempoResiduo;
    Ora(10, 0, 0);
    // A timed vote of 4 seconds is on display.
    iStatoConsole = (iStatoConsole & 47) | kStatoVoto | kStatoVotoATempo;
    nTempoVoto = 4;
    Tick(f);
    EXPECT_EQ(f->lblTempo(2)->text(), QStringLiteral("03"));

    f->IniziaIntervento(1, 2, QStringLiteral("Laura Bianchi"), QStringLiteral("BIANCHI L."));
    EXPECT_TRUE(iStatoConsole & kStatoVotoATempo);
    Tick(f);
    EXPECT_EQ(f->lblTempo(2)->text(), QStringLiteral("02"));
    Tick(f);
    EXPECT_EQ(f->lblTempo(2)->text(), QStringLiteral("01"));
    Tick(f);  // the fourth: time is over, the vote is closed
    EXPECT_LE(nTempoVoto, 0);
    EXPECT_EQ(f->lblTempo(2)->text(), QStringLiteral("01"));

    // The speech, begun at 10:00:01 and ended at 10:00:10, is charged 9 seconds.
    Ora(10, 0, 10);
    iStatoConsole &= ~(kStatoVoto | kStatoVotoATempo);
    f->cmdParola_Click(0);
    EXPECT_EQ(aPartiti[size_t(partito)].lTempoResiduo, residuo - 9);
}

TEST_F(MotoreConsole, ATickNeverRunsInsideAnotherOne)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    Ora(9, 30, 0);
    f->croTimer_Timer();
    ASSERT_EQ(f->txtOBX()->text(), QStringLiteral("09:30:00"));
    iStatoConsole |= kStatoVotoATempo;
    nTempoVoto = 20;
    Ora(9, 30, 1);
    {
        GuardiaTick corrente;  // a tick is running (waiting in a message box)
        ASSERT_TRUE(corrente);
        f->croTimer_Timer();
        EXPECT_EQ(f->txtOBX()->text(), QStringLiteral("09:30:00"));
        EXPECT_EQ(nTempoVoto, 20);
    }
    f->croTimer_Timer();
    EXPECT_EQ(f->txtOBX()->text(), QStringLiteral("09:30:01"));
    EXPECT_EQ(nTempoVoto, 19);
    iStatoConsole &= ~kStatoVotoATempo;
}

TEST_F(MotoreConsole, TheOutcomeBlinksOnTheBoardAndTheConsoleInTurn)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    FrmVideo& v = frmVideo();
    cEsito = QStringLiteral("APPROVATA");
    iStatoConsole = (iStatoConsole & 33) | kStatoEsito;
    v.txtTitolo(13)->SetCaption(QString());
    f->croTimer_Timer();
    EXPECT_EQ(v.txtTitolo(13)->Caption(), cEsito);
    EXPECT_TRUE(f->lblEsito()->text().isEmpty());
    EXPECT_EQ(v.txtTitolo(13)->ForeColor(), cColoriTabVideo[9]);
    f->croTimer_Timer();
    EXPECT_TRUE(v.txtTitolo(13)->Caption().isEmpty());
    EXPECT_EQ(f->lblEsito()->text(), cEsito);

    // The title cell is cleared at each tick while asked.
    iStatoConsole = 1 | kStatoPulisciTitolo;
    v.txtTitolo(8)->SetCaption(QStringLiteral("VOTAZIONE"));
    f->croTimer_Timer();
    EXPECT_TRUE(v.txtTitolo(8)->Caption().isEmpty());
}

TEST_F(MotoreConsole, ASecretVoteOnDisplayRevealsNoKey)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    FrmVideo& v = frmVideo();
    xColoriVoto = true;
    iConfigOBX = kOpzMostraVoti;
    cEsito = QStringLiteral("VOTAZIONE");
    iStatoConsole = (iStatoConsole & 47) | kStatoVoto;
    for (size_t i = 1; i < aPosti.size(); ++i) {
        aPosti[i].iStato = 9;
        aPosti[i].cVoto.clear();
    }
    aPosti[1].cVoto = QStringLiteral("3");
    aPosti[2].cVoto = QStringLiteral("6");
    aPosti[3].iStato = 5;
    aPosti[4].iStato = 0;

    struct Caso {
        const char* tipo;
        int32_t favorevole, contrario;
    };
    const Caso casi[] = {{"P", cColoriTabVideo[2], cColoriTabVideo[3]}, {"H", cColoriTabVideo[1], cColoriTabVideo[1]}};
    for (const Caso& c : casi) {
        cTipoVoto = QString::fromLatin1(c.tipo);
        v.txtTitolo(8)->SetCaption(QString());
        f->croTimer_Timer();  // the shown phase
        EXPECT_EQ(v.txtTitolo(8)->Caption(), cEsito);
        EXPECT_EQ(v.txtAnag(aPosti[1].iPulsanteAN)->ForeColor(), c.favorevole) << c.tipo;
        EXPECT_EQ(v.txtAnag(aPosti[2].iPulsanteAN)->ForeColor(), c.contrario) << c.tipo;
        EXPECT_EQ(v.txtAnag(aPosti[3].iPulsanteAN)->ForeColor(), cColoriTabVideo[14]) << c.tipo;
        EXPECT_EQ(v.txtAnag(aPosti[4].iPulsanteAN)->ForeColor(), cColoriTabVideo[15]) << c.tipo;
        EXPECT_EQ(v.txtAnag(aPosti[5].iPulsanteAN)->ForeColor(), cColoriTabVideo[1]) << c.tipo;
        f->croTimer_Timer();  // the blank phase: who has not voted blinks
        EXPECT_EQ(v.txtAnag(aPosti[5].iPulsanteAN)->ForeColor(), cColoriTabVideo[6]) << c.tipo;
    }
    EXPECT_EQ(cLedVoti, QString(48, u'0'));
    iStatoConsole &= ~kStatoVoto;
}

TEST_F(MotoreConsole, ACardPassedOnTheReaderTogglesItsSeatThroughTheSeatClick)
{
    auto sim = std::make_unique<Simulatore>(PercorsoSimulatore(), QStringList{"--device", "card"});
    ASSERT_FALSE(sim->Percorso().isEmpty());
    ScrivePorte(archivio->Cartella(), {{5, sim->Percorso()}});
    iPortaRAD = 5;
    iModoOBX = kCablaggioVotatori | kCablaggioTessere;
    iStatoCARD = 0;
    RecordTessereInCorso().Svuota();
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    ApreSeduta(f);
    ASSERT_TRUE(iStatoConsole & kStatoTessere);
    // Card 7 is held by the seat on label 3.
    for (size_t i = 1; i < aPosti.size(); ++i) aPosti[i].iSmartCardAN = 40 + int(i);
    aPosti[3].iSmartCardAN = 7;

    f->croTimer_Timer();
    ASSERT_TRUE(oComCARD.PortOpen());
    EXPECT_EQ(iStatoCARD, 2);

    // The seat click must be in this build for the toggle to be seen.
    std::vector<int> stati;
    for (const auto& p : aPosti) stati.push_back(p.iStato);
    f->txtAnag_MouseDown(aPosti[3].iPulsanteAN, 1, 0, 0, 0);
    const bool clickAttivo = aPosti[3].iStato != stati[3];
    if (clickAttivo) f->txtAnag_MouseDown(aPosti[3].iPulsanteAN, 1, 0, 0, 0);
    for (size_t i = 0; i < aPosti.size(); ++i) stati[i] = aPosti[i].iStato;

    // The record comes in two reads: nothing until it is whole.
    const auto passa = [&](const QString& testo) {
        sim->Comando(QStringLiteral("cardtext ") + testo);
        ASSERT_TRUE(sim->Sincronizza());
        ASSERT_TRUE(Finche([] { return oComCARD.InBufferCount() > 0; }));
        f->croTimer_Timer();
    };
    passa(QStringLiteral("%N?;00"));
    EXPECT_EQ(RecordTessereInCorso().Residuo(), QStringLiteral("%N?;00"));
    for (size_t i = 0; i < aPosti.size(); ++i) EXPECT_EQ(aPosti[i].iStato, stati[i]) << i;
    passa(QStringLiteral("07?;\\r\\n"));
    EXPECT_TRUE(RecordTessereInCorso().Residuo().isEmpty());

    if (!clickAttivo) GTEST_SKIP() << "the seat click does not toggle attendance in this build";
    for (size_t i = 0; i < aPosti.size(); ++i)
        if (i != 3) EXPECT_EQ(aPosti[i].iStato, stati[i]) << i;
    EXPECT_NE(aPosti[3].iStato & 1, stati[3] & 1);

    if (oComCARD.PortOpen()) oComCARD.SetPortOpen(false);
    iStatoCARD = 0;
}

}  // namespace
}  // namespace obx::test
