// The texts of the log's events and the board command of each, and the
// status an event gives the act in laws mode: without any window, over the
// program's state as the console leaves it.
#include <gtest/gtest.h>

#include "console/TestiEventi.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"

namespace obx::test {
namespace {

const QString kNome = QStringLiteral("ROSSI M.");

class TestiEventi : public ::testing::Test {
protected:
    void SetUp() override
    {
        ImpostaConfigurazionePredefinita();
        AzzeraStatoSeduta();
        ImpostaTabelleFisse();
        cSegretari = {};
        cArgomentoPendente.clear();
        iFavorevoli = iContrari = iAstenuti = 0;
        iQuorum = {};
        Sala(1);
    }
    // The assembly kind, with item 12 of type "D" ("Bilancio") open in the
    // councils and the law B 3 ("Legge sul turismo") in laws mode.
    static void Sala(int assemblea)
    {
        iTipoAssemblea = assemblea;
        ImpostaVocabolari();
        iDelibera = assemblea == 4 ? 3 : 12;
        cTipoArg = assemblea == 4 ? QStringLiteral("B") : QStringLiteral("D");
        cArgomento = {};
        cArgomento[4] = assemblea == 4 ? QStringLiteral("Legge sul turismo") : QStringLiteral("Bilancio");
    }
};

struct Atteso {
    const char* lettera;
    QString descrizione, nome, extra, tabellone;
};

void Controlla(const Atteso& a, const QString& cNome = kNome)
{
    SCOPED_TRACE(::testing::Message() << "evento \"" << a.lettera << "\" voto " << cTipoVoto.toStdString());
    const TestiEvento t = TestiDiEvento(QString::fromLatin1(a.lettera), cNome);
    EXPECT_EQ(t.descrizione, a.descrizione);
    EXPECT_EQ(t.nome, a.nome);
    EXPECT_EQ(t.extra, a.extra);
    EXPECT_EQ(t.tabellone, a.tabellone);
}

}  // namespace

TEST_F(TestiEventi, SittingSpeakersAndSeatsByLetter)
{
    cSegretari[0] = QStringLiteral("BIANCHI L.");
    const Atteso casi[] = {
        // Only the events about a person carry the name given.
        {"A", QStringLiteral("Apertura Seduta"), {}, {}, QStringLiteral("A")},
        {"C", QStringLiteral("Chiusura Seduta"), {}, {}, QStringLiteral("C")},
        {"R", QStringLiteral("Ripresa Consiglio"), {}, {}, QStringLiteral("R")},
        {"S", QStringLiteral("Sospens. Consiglio"), {}, {}, QStringLiteral("S")},
        {"D", QStringLiteral("Parla"), kNome, {}, QStringLiteral("D")},
        {"F", QStringLiteral("Conclude"), kNome, {}, QStringLiteral("F")},
        {"E", QStringLiteral("Entra"), kNome, {}, {}},
        {"U", QStringLiteral("Esce"), kNome, {}, {}},
        {"K", QStringLiteral("Revoca Scrutatore"), kNome, {}, {}},
        {"O", QStringLiteral("Nomina Scrutatore"), kNome, {}, {}},
        {"-", QStringLiteral("Presente non Votante"), kNome, {}, {}},
        {"+", QStringLiteral("Presente Votante"), kNome, {}, {}},
        // A substitution names who takes over and keeps who was replaced.
        {"J", QStringLiteral("Sostituz. Segretario"), kNome, QStringLiteral("BIANCHI L."), {}},
        {"P", QStringLiteral("Sostituz. Presidente"), kNome, QStringLiteral("BIANCHI L."), {}},
        {"Q", QStringLiteral("Sostit. Consigliere"), kNome, QStringLiteral("BIANCHI L."), {}},
        // Letters the log does not know.
        {"Z", QStringLiteral("----"), {}, {}, {}},
        {"B", QStringLiteral("----"), {}, {}, {}},
        {"", QStringLiteral("----"), {}, {}, {}},
    };
    for (const Atteso& a : casi) Controlla(a);
}

TEST_F(TestiEventi, ItemOpeningAndClosingNameTheItem)
{
    Controlla({"G", QStringLiteral("Apertura Argomento"), QStringLiteral("Delibera n. 12"), QStringLiteral("Bilancio"),
               QStringLiteral("G")});
    Controlla(
        {"H", QStringLiteral("Chiusura Argomento"), QStringLiteral("Delibera n. 12"), QStringLiteral("Bilancio"), {}});
    // An item of the rules gives its article; a pending sub-item is named
    // after the item.
    cTipoArg = QStringLiteral("A");
    cArgomento[0] = QStringLiteral(" 5 ");
    cArgomento[4] = QStringLiteral("Modifica");
    cArgomentoPendente = QStringLiteral("Em./1  Primo");
    Controlla({"G", QStringLiteral("Apertura Argomento"), QStringLiteral("Articolo (Em./1 )"),
               QStringLiteral("Modifica art. 5"), QStringLiteral("G")});
    // No item: no item text.
    iDelibera = 0;
    Controlla({"H", QStringLiteral("Chiusura Argomento"), QStringLiteral("Articolo (Em./1 )"), {}, {}});
    Sala(4);
    Controlla({"G", QStringLiteral("Apertura Argomento"), QStringLiteral("Proposta di Legge"),
               QStringLiteral("Legge sul turismo"), QStringLiteral("G")});
}

TEST_F(TestiEventi, NullVoteTellsAChangeOfTheAgendaOrder)
{
    cTipoVoto = QStringLiteral("P");
    Controlla({"I", QStringLiteral("Votazione Nulla"), {}, {}, QStringLiteral("I")});
    cTipoVoto = QStringLiteral("M");
    Controlla(
        {"I", QStringLiteral("Votazione Nulla"), {}, QStringLiteral("Modifica Sequenza OdG"), QStringLiteral("I")});
}

TEST_F(TestiEventi, VoteClosingTotalsAndThresholdsByKind)
{
    iQuorum[3] = 6;
    iQuorum[4] = 7;
    struct Caso {
        int assemblea;
        const char* tipo;
        int presenti, si, no, astenuti;
        QString nome, extra;
    };
    const Caso casi[] = {
        // Those present who did not vote are counted only when there are any.
        {1, "P", 10, 6, 2, 1, QStringLiteral("Fav=6  Con=2  Ast=1  NoV=1"), QStringLiteral("Quorum=6  Quorum I.E.=7")},
        {1, "P", 9, 6, 2, 1, QStringLiteral("Fav=6  Con=2  Ast=1"), QStringLiteral("Quorum=6  Quorum I.E.=7")},
        {1, "H", 8, 6, 2, 1, QStringLiteral("Fav=6  Con=2  Ast=1"), QStringLiteral("Quorum=6  Quorum I.E.=7")},
        {1, "M", 12, 10, 0, 0, QStringLiteral("Fav=10  Con=0  Ast=0  NoV=2"), QStringLiteral("Modifica Sequenza OdG ")},
        // The counter-proof leaves the thresholds blank.
        {1, "C", 9, 6, 2, 1, QStringLiteral("Fav=6  Con=2  Ast=1"), {}},
        // Laws mode has no threshold of immediate executability.
        {4, "P", 10, 6, 2, 1, QStringLiteral("Fav=6  Con=2  Ast=1  NoV=1"), QStringLiteral("Quorum=6")},
        {4, "S", 9, 6, 2, 1, QStringLiteral("Fav=6  Con=2  Ast=1"), QStringLiteral("Quorum=6")},
        // Roll call and legal number: those present only.
        {1, "A", 12, 9, 0, 0, QStringLiteral("Presenti=9"), QStringLiteral("Appello")},
        {4, "V", 12, 9, 0, 0, QStringLiteral("Presenti=9"), QStringLiteral("Quorum=6")},
        {4, "W", 12, 9, 0, 0, QStringLiteral("Presenti=9"), QStringLiteral("Quorum=6")},
    };
    for (const Caso& c : casi) {
        Sala(c.assemblea);
        cTipoVoto = QString::fromLatin1(c.tipo);
        iPresenti = c.presenti;
        iFavorevoli = c.si;
        iContrari = c.no;
        iAstenuti = c.astenuti;
        for (const char* l : {"T", "L"})
            Controlla({l, QStringLiteral("Chiusura Votazione"), c.nome, c.extra, QStringLiteral("T")});
    }
}

TEST_F(TestiEventi, VoteOpeningByKindWithItsBoardCommand)
{
    const QString atto = QStringLiteral("Delibera n. 12");
    const QString imm = atto + QStringLiteral(" Immediata Esecutività");
    const QString bilancio = QStringLiteral("Bilancio");
    struct Caso {
        const char* tipo;
        const char* lettera;
        QString descrizione, nome, tabellone;
    };
    const Caso casi[] = {
        {"P", "V", QStringLiteral("Apertura Votazione"), atto, QStringLiteral("V")},
        {"P", "W", QStringLiteral("Apertura Votazione"), imm, QStringLiteral("V")},
        {"H", "V", QStringLiteral("Apertura Votazione"), atto, QStringLiteral("V")},
        {"A", "V", QStringLiteral("Appello"), atto, QStringLiteral("4")},
        {"A", "W", QStringLiteral("Appello"), imm, QStringLiteral("V")},
        {"V", "V", QStringLiteral("Verifica Numero Legale"), atto, QStringLiteral("7")},
        {"W", "V", QStringLiteral("Verifica Numero Legale"), atto, QStringLiteral("7")},
        {"W", "W", QStringLiteral("Verifica Numero Legale"), imm, QStringLiteral("V")},
    };
    for (const Caso& c : casi) {
        cTipoVoto = QString::fromLatin1(c.tipo);
        Controlla({c.lettera, c.descrizione, c.nome, bilancio, c.tabellone});
    }
    // A vote with no item names no item.
    cTipoVoto = QStringLiteral("V");
    iDelibera = 0;
    cTipoArg = QStringLiteral("C");
    Controlla(
        {"V", QStringLiteral("Verifica Numero Legale"), QStringLiteral("Comunicazione"), {}, QStringLiteral("7")});
}

TEST_F(TestiEventi, StatusAndSubItemEventsInBothAssemblyModes)
{
    cArgomentoPendente = QStringLiteral("Ris/2  Secondo");
    // Councils: a sub-item withdrawn or proposed, named by the pending entry.
    Controlla({"X",
               QStringLiteral("Ritiro Ris/2 "),
               QStringLiteral("Delibera n. 12 (Ris/2 )"),
               QStringLiteral("Secondo"),
               {}});
    Controlla({"Y",
               QStringLiteral("Proposta Ris/2 "),
               QStringLiteral("Delibera n. 12 (Ris/2 )"),
               QStringLiteral("Secondo"),
               {}});
    // Laws mode: the act's new status, with the act's text even when no
    // item is held.
    Sala(4);
    cArgomentoPendente.clear();
    cArgomento[3] = QStringLiteral("Ritirato");
    Controlla({"X",
               QStringLiteral("Argomento Ritirato"),
               QStringLiteral("Proposta di Legge"),
               QStringLiteral("Legge sul turismo"),
               {}});
    iDelibera = 0;
    Controlla({"X",
               QStringLiteral("Argomento Ritirato"),
               QStringLiteral("Proposta di Legge"),
               QStringLiteral("Legge sul turismo"),
               {}});
}

TEST_F(TestiEventi, StatusThatAnEventGivesTheAct)
{
    struct Caso {
        const char* lettera;
        const char* tipo;
        const char* stato;  // cArgomento(3)
        QString atteso;
    };
    const Caso casi[] = {
        // A closing marks the act voted, but for a referral: the close sets
        // its status only when the referral passed.
        {"T", "P", "", QStringLiteral("V")},
        {"T", "V", "", QStringLiteral("V")},
        {"T", "R", "", {}},
        {"T", "S", "", {}},
        // A status chosen by name (blanks around it ignored).
        {"X", "P", "Non Votato", QStringLiteral("N")},
        {"X", "P", " Ritirato  ", QStringLiteral("R")},
        {"X", "P", "RinviatoComm", QStringLiteral("C")},
        {"X", "P", "Boh", {}},
        {"X", "P", "", {}},
        // No other event changes the status, not even the roll call's close.
        {"L", "A", "Votato", {}},
        {"V", "P", "Votato", {}},
        {"G", "P", "Votato", {}},
    };
    Sala(4);
    for (const Caso& c : casi) {
        SCOPED_TRACE(::testing::Message() << c.lettera << " " << c.tipo << " \"" << c.stato << "\"");
        cTipoVoto = QString::fromLatin1(c.tipo);
        cArgomento[3] = QString::fromLatin1(c.stato);
        EXPECT_EQ(StatoDaEvento(QString::fromLatin1(c.lettera)), c.atteso);
    }
}

}  // namespace obx::test
