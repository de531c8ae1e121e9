// The booking queue: order, second requests, keypad repetitions, guests,
// removal, the floor from the queue and the party's time limit.
#include <gtest/gtest.h>

#include "console/Prenotazioni.h"
#include "console/TempoParola.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"
#include "support/ScriptedUI.h"

using namespace obx;
using namespace obx::test;

namespace {

class Coda : public ::testing::Test {
protected:
    void SetUp() override
    {
        ImpostaConfigurazionePredefinita();
        AzzeraStatoSeduta();
        aPosti.assign(1, Posto{});
        const char* nomi[] = {"ROSSI", "BIANCHI", "VERDI", "NERI",  "GIALLI", "BRUNI",
                              "NANNI", "PAOLI",   "RICCI", "SALVI", "TOSI"};
        for (const char* n : nomi) {
            Posto p;
            p.cNomeBreveAN = QString::fromLatin1(n).leftJustified(16);
            p.cNomeAN = (QString::fromLatin1(n) + QStringLiteral(" MARIO")).leftJustified(30);
            p.iStato = 9;
            aPosti.push_back(p);
        }
        aOspiti.assign(1, Ospite{});
        Ospite o;
        o.cNomeBreveAN = QStringLiteral("ASSESSORE").leftJustified(16);
        o.cNomeAN = QStringLiteral("ASSESSORE ESTERNO").leftJustified(30);
        aOspiti.push_back(o);
        GestiscePrenotati(0, kSvuota);
    }
    EsitoPrenotati Prenota(int posto) { return GestiscePrenotati(posto, kPrenota); }

    FakeServices servizi;
};

}  // namespace

TEST_F(Coda, BookingsAreListedInOrderAndTheNinthIsTheLastBoardCell)
{
    EsitoPrenotati e;
    for (int i = 1; i <= 10; ++i) e = Prenota(i);
    ASSERT_TRUE(e.xRidisegna);
    ASSERT_EQ(e.cRighe.size(), 10);
    EXPECT_EQ(e.cRighe.first(), QStringLiteral("ROSSI"));
    EXPECT_EQ(e.cRighe.last(), QStringLiteral("SALVI"));
    const auto celle = CellePrenotati(e.cRighe);
    EXPECT_EQ(celle[8], QStringLiteral("RICCI"));  // txtTitolo(25)
    // The tenth waits on the console only.
    for (const QString& c : celle) EXPECT_NE(c, QStringLiteral("SALVI"));
    EXPECT_EQ(aPrenotati[10].iPosizione, 10);
}

TEST_F(Coda, ASecondRequestCountsAndAMemberWhoSpokeGoesToTheEnd)
{
    Prenota(1);
    Prenota(2);
    Prenota(3);
    // Still waiting: counted, keeps the place.
    EsitoPrenotati e = Prenota(1);
    EXPECT_EQ(e.cRighe, (QStringList{"ROSSI ( 2)", "BIANCHI", "VERDI"}));

    // ROSSI is given the floor, then books again: to the end, third request.
    e = GestiscePrenotati(1, kDaParola);
    ASSERT_TRUE(e.oratore.xValido);
    EXPECT_EQ(e.oratore.iPosto, 1);
    EXPECT_EQ(e.oratore.cNome, QStringLiteral("ROSSI MARIO"));
    EXPECT_EQ(e.oratore.cNomeBreve, QStringLiteral("ROSSI"));
    EXPECT_EQ(e.cRighe, (QStringList{"BIANCHI", "VERDI"}));
    EXPECT_EQ(e.iSelezione, -1);
    e = Prenota(1);
    EXPECT_EQ(e.cRighe, (QStringList{"BIANCHI", "VERDI", "ROSSI ( 3)"}));
    EXPECT_EQ(aPrenotati.size(), 4u);  // never duplicated
}

TEST_F(Coda, KeypadRepetitionsWithinFiveSecondsAreOneRequest)
{
    servizi.clock.Imposta(QDateTime(QDate(2026, 1, 15), QTime(23, 59, 57)));
    EXPECT_TRUE(GestiscePrenotati(4, kPrenota + kPrenotaTastiera).xRidisegna);
    servizi.clock.Avanza(3);  // across midnight
    EXPECT_FALSE(GestiscePrenotati(4, kPrenota + kPrenotaTastiera).xRidisegna);
    EXPECT_EQ(aPrenotati[1].iOrdine, 1);
    servizi.clock.Avanza(7);
    EsitoPrenotati e = GestiscePrenotati(4, kPrenota + kPrenotaTastiera);
    EXPECT_EQ(e.cRighe, QStringList{"NERI ( 2)"});
    // The operator's booking is never absorbed.
    e = GestiscePrenotati(4, kPrenota);
    EXPECT_EQ(e.cRighe, QStringList{"NERI ( 3)"});
}

TEST_F(Coda, GuestsAreBookedApartFromTheSeatWithTheSameIndex)
{
    Prenota(1);
    EsitoPrenotati e = GestiscePrenotati(1, kPrenota + kPrenotaOspite);
    EXPECT_EQ(e.cRighe, (QStringList{"ROSSI", "ASSESSORE"}));
    EXPECT_EQ(aPrenotati[2].iOspite, -1);
    e = GestiscePrenotati(2, kDaParola);
    ASSERT_TRUE(e.oratore.xValido);
    EXPECT_EQ(e.oratore.iPosto, 0);
    EXPECT_EQ(e.oratore.cNome, QStringLiteral("ASSESSORE ESTERNO"));
    EXPECT_EQ(e.cRighe, QStringList{"ROSSI"});
    // A guest index the registry does not hold books nobody.
    EXPECT_FALSE(GestiscePrenotati(5, kPrenota + kPrenotaOspite).xRidisegna);
    EXPECT_FALSE(GestiscePrenotati(99, kPrenota).xRidisegna);
    EXPECT_EQ(aPrenotati.size(), 3u);
}

TEST_F(Coda, RemovalEmptyingAndPositionsThatHoldNobody)
{
    Prenota(1);
    Prenota(2);
    Prenota(2);
    EsitoPrenotati e = GestiscePrenotati(2, kTogli);
    EXPECT_EQ(e.cRighe, QStringList{"ROSSI"});
    EXPECT_EQ(aPrenotati[2].iOrdine, 1);
    EXPECT_EQ(aPrenotati[2].iPosizione, 0);
    e = GestiscePrenotati(7, kTogli);
    EXPECT_EQ(e.cRighe, QStringList{"ROSSI"});
    e = GestiscePrenotati(7, kDaParola);
    EXPECT_FALSE(e.oratore.xValido);
    e = GestiscePrenotati(0, kSvuota);
    EXPECT_TRUE(e.cRighe.isEmpty());
    EXPECT_EQ(aPrenotati.size(), 1u);
}

TEST_F(Coda, TheSelectedNameStaysSelectedAfterABooking)
{
    Prenota(1);
    Prenota(2);
    Prenota(2);
    EsitoPrenotati e = GestiscePrenotati(3, kPrenota, QStringLiteral("BIANCHI ( 2)"));
    EXPECT_EQ(e.iSelezione, 1);
    e = GestiscePrenotati(1, kPrenota, QStringLiteral("VERDI"));
    EXPECT_EQ(e.iSelezione, 2);
    EXPECT_EQ(NomeDaRiga(QStringLiteral("ROSSI ( 2)")), QStringLiteral("ROSSI"));
}

TEST_F(Coda, PartySpeakingTimeRunsOutWithItsWarning)
{
    aPartiti.assign(1, Partito{});
    Partito g;
    g.cPartito = QStringLiteral("LISTA CIVICA").leftJustified(20);
    aPartiti.push_back(g);
    aPosti[1].iPartito = 1;
    aPosti[1].cPartitoAN = QStringLiteral("Lista Civica");
    aPosti[2].iPartito = 1;
    iTempoMaxPartito = 2;
    AzzeraTempiPartiti();
    iNMaxInterventi = 2;
    iStatoConsole = kStatoOrologio;

    servizi.clock.Imposta(QDateTime(QDate(2026, 1, 15), QTime(10, 0, 0)));
    AvviaIntervento(5, 1, QStringLiteral("ROSSI"));
    servizi.clock.Avanza(70.4);
    ConcludeIntervento();
    EXPECT_EQ(aPartiti[1].lTempoResiduo, 50);
    EXPECT_FALSE(EsauritoTempoPartito(2));
    EXPECT_FALSE(SuperatoMaxInterventi(1));

    AvviaIntervento(5, 2, QStringLiteral("BIANCHI"));
    servizi.clock.Avanza(50);
    ConcludeIntervento();
    EXPECT_EQ(aPartiti[1].lTempoResiduo, 0);
    // Both members of the group are warned now.
    EXPECT_TRUE(EsauritoTempoPartito(1));
    EXPECT_TRUE(EsauritoTempoPartito(2));
    EXPECT_FALSE(EsauritoTempoPartito(3));  // no party
    EXPECT_EQ(MsgTempoEsaurito(1), QStringLiteral("Esaurito tempo a disposizione per LISTA CIVICA"));

    AvviaIntervento(5, 1, QStringLiteral("ROSSI"));
    ConcludeIntervento();
    EXPECT_TRUE(SuperatoMaxInterventi(1));
    EXPECT_EQ(MsgMaxInterventi(), QStringLiteral("Superato numero massimo di Interventi (2)"));
    // A new item gives every group its time again.
    AzzeraTempiPartiti();
    EXPECT_EQ(aPartiti[1].lTempoResiduo, 120);
}
