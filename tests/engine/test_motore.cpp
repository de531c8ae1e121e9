// The clocks of the one-second engine, ticked with a clock that moves only
// when told to, across midnight.
#include <gtest/gtest.h>

#include "console/TempoParola.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"
#include "support/ScriptedUI.h"

using namespace obx;
using namespace obx::test;

namespace {

class Motore : public ::testing::Test {
protected:
    void SetUp() override
    {
        ImpostaConfigurazionePredefinita();
        AzzeraStatoSeduta();
        aPosti.assign(1, Posto{});
        aPartiti.assign(1, Partito{});
        Partito p;
        p.cPartito = QStringLiteral("GRUPPO MISTO");
        aPartiti.push_back(p);
        Posto s;
        s.cNomeBreveAN = QStringLiteral("ROSSI");
        s.cPartitoAN = QStringLiteral("GRUPPO MISTO");
        s.iPartito = 1;
        s.iStato = 9;
        aPosti.push_back(s);
        iTempoMaxPartito = 5;
        AzzeraTempiPartiti();
        iStatoConsole = kStatoOrologio;
        nTempoVoto = 0;
    }
    void A(int h, int m, int s) { servizi.clock.Imposta(QDateTime(QDate(2026, 1, 15), QTime(h, m, s))); }

    // One tick's speaking clock, as the engine runs it.
    PassoParola Secondo()
    {
        PassoParola p = AvanzaTempoParola(scaduto);
        scaduto = p.xScaduto;
        servizi.clock.Avanza(1);
        return p;
    }

    FakeServices servizi;
    bool scaduto = false;
};

}  // namespace

TEST_F(Motore, OneMinuteOfSpeechRunsOutAtTheSixtyFirstTickAndCountsOvertime)
{
    A(10, 0, 0);
    AvviaIntervento(1, 1, QStringLiteral("ROSSI"));
    iStatoConsole |= kStatoParolaAvviata;
    EXPECT_EQ(iStatoConsole, kStatoOrologio | kStatoParola | kStatoParolaAvviata);

    PassoParola p = Secondo();
    EXPECT_EQ(p.cTitolo, QStringLiteral("Tempo disponibile min. 01:00"));
    EXPECT_TRUE(p.xMostraMinuti);
    EXPECT_EQ(p.cMinuti, QStringLiteral("01"));
    EXPECT_EQ(p.cLettera, u'D');
    p = Secondo();
    EXPECT_EQ(p.cTitolo, QStringLiteral("Tempo disponibile min. 00:59"));
    EXPECT_EQ(p.iColoreTitolo, 13);
    int inviati = 0;
    for (int t = 3; t <= 60; ++t) {
        p = Secondo();
        EXPECT_FALSE(p.xAppenaScaduto) << "tick " << t;
        if (p.xInviaTabellone) ++inviati;
    }
    EXPECT_EQ(inviati, 1);  // at 30 seconds
    EXPECT_EQ(iTempo[3], 0);
    EXPECT_EQ(iTempo[4], 5);

    p = Secondo();  // the 61st tick
    EXPECT_TRUE(p.xAppenaScaduto);
    EXPECT_TRUE(p.xScaduto);
    EXPECT_EQ(p.cLettera, u'd');
    EXPECT_TRUE(p.xInviaTabellone);
    EXPECT_EQ(p.cMinuti, QStringLiteral("00"));
    EXPECT_EQ(iMezziMinuti, 2);

    p = Secondo();
    EXPECT_FALSE(p.xAppenaScaduto);
    EXPECT_EQ(p.cTitolo, QStringLiteral("Tempo scaduto min. 00:01"));
    EXPECT_EQ(p.iColoreTitolo, 11);
    for (int t = 63; t <= 121; ++t) p = Secondo();
    EXPECT_EQ(iTempo[1], 1);  // a minute of overtime
    p = Secondo();
    EXPECT_EQ(p.cTitolo, QStringLiteral("Tempo scaduto min. 01:01"));
}

TEST_F(Motore, SpeechAcrossMidnightChargesItsPartySixtySeconds)
{
    A(23, 59, 30);
    AvviaIntervento(3, 1, QStringLiteral("ROSSI"));
    EXPECT_EQ(cGruppoOratore, QStringLiteral("GRUPP"));
    servizi.clock.Avanza(60);
    EXPECT_EQ(servizi.clock.Timer(), 30.0);
    const FineIntervento f = ConcludeIntervento();
    EXPECT_DOUBLE_EQ(f.nSecondi, 60.0);
    EXPECT_EQ(f.iPartito, 1);
    EXPECT_EQ(aPartiti[1].lTempoResiduo, 5 * 60 - 60);
    EXPECT_EQ(aPosti[1].iInterventi, 1);
    EXPECT_TRUE(cGruppoOratore.isEmpty());
    EXPECT_TRUE(cOratore.isEmpty());
}

TEST_F(Motore, FloorDuringATimedVoteKeepsItsOwnStartAndTheCountdownEnds)
{
    A(11, 0, 0);
    // A timed vote of 10 seconds is on display.
    iStatoConsole = kStatoOrologio | kStatoVoto | kStatoVotoATempo;
    nTempoVoto = 10;
    QString mostra;
    ASSERT_FALSE(AvanzaConteggioVoto(mostra));
    EXPECT_EQ(mostra, QStringLiteral("09"));
    servizi.clock.Avanza(1);

    AvviaIntervento(2, 1, QStringLiteral("ROSSI"));
    EXPECT_EQ(iStatoConsole & (kStatoVoto | kStatoVotoATempo), kStatoVoto | kStatoVotoATempo);
    EXPECT_DOUBLE_EQ(nTempoVoto, 9.0) << "the speech must not overwrite the countdown";
    EXPECT_DOUBLE_EQ(nInizioIntervento, 11 * 3600.0 + 1);

    int chiuso = 0;
    for (int t = 2; t <= 9; ++t) {
        servizi.clock.Avanza(1);
        if (t == 5) {
            // The speech ends while the vote still counts down.
            const FineIntervento f = ConcludeIntervento();
            EXPECT_DOUBLE_EQ(f.nSecondi, 4.0);
            EXPECT_EQ(iStatoConsole, kStatoOrologio | kStatoVoto | kStatoVotoATempo);
        }
        if (AvanzaConteggioVoto(mostra))
            chiuso = t;
        else
            EXPECT_EQ(mostra, QString::asprintf("%02d", 10 - t));
    }
    EXPECT_EQ(chiuso, 0);
    servizi.clock.Avanza(1);
    EXPECT_TRUE(AvanzaConteggioVoto(mostra)) << "the tenth tick closes the vote";
}

TEST_F(Motore, EndOfSpeechOutsideAVoteKeepsOnlyClockVoteAndCards)
{
    iStatoConsole = kStatoOrologio | kStatoTessere | kStatoVotoATempo | kStatoEsito;
    AvviaIntervento(2, 0, QStringLiteral("OSPITE"));
    iStatoConsole |= kStatoParolaAvviata;
    const FineIntervento f = ConcludeIntervento();
    EXPECT_EQ(iStatoConsole, kStatoOrologio | kStatoTessere);
    // A guest's speech counts for no seat and no party.
    EXPECT_FALSE(f.xPosto);
    EXPECT_EQ(aPosti[1].iInterventi, 0);
    EXPECT_EQ(aPartiti[1].lTempoResiduo, 300);
}

TEST_F(Motore, TimePresetsStayWithinOneAndNinetyNineAndWaitForTheirTurn)
{
    EXPECT_EQ(RegolaPreset(1, false), 1);
    EXPECT_EQ(RegolaPreset(99, true), 99);
    EXPECT_EQ(RegolaPreset(5, true), 6);
    iStatoConsole = kStatoOrologio;
    EXPECT_TRUE(TempoParolaRegolabile());
    iStatoConsole = kStatoOrologio | kStatoParola;
    EXPECT_FALSE(TempoParolaRegolabile());
    EXPECT_TRUE(TempoVotoRegolabile());
    iStatoConsole = kStatoOrologio | kStatoVoto | kStatoVotoATempo;
    EXPECT_FALSE(TempoParolaRegolabile());
    EXPECT_FALSE(TempoVotoRegolabile());
}

TEST(GuardiaDelTick, ATickStartedInsideAnotherIsSkipped)
{
    int eseguiti = 0;
    std::function<void(int)> tick = [&](int profondita) {
        GuardiaTick g;
        if (!g) return;
        ++eseguiti;
        // The vote closing of the countdown turns the event loop: the next
        // second's tick arrives inside this one.
        if (profondita < 3) tick(profondita + 1);
    };
    tick(0);
    EXPECT_EQ(eseguiti, 1);
    EXPECT_FALSE(GuardiaTick::InCorso());
    tick(0);
    EXPECT_EQ(eseguiti, 2);
}
