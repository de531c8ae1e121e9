// The checks that may refuse the opening of a vote, before the console asks
// its questions: without any window, over the program's state as the
// console leaves it.
#include <gtest/gtest.h>

#include <memory>

#include "console/AperturaVoto.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"
#include "support/ArchivioProva.h"
#include "support/QtApp.h"
#include "support/ScriptedUI.h"

using namespace obx;
using namespace obx::test;

namespace {

class ControlloAperturaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ImpostaConfigurazionePredefinita();
        AzzeraStatoSeduta();
    }
    // The item of kind tipoArg (code delibera, 0 none) in the assembly kind.
    static void Argomento(int assemblea, const char* tipoArg, int delibera)
    {
        iTipoAssemblea = assemblea;
        ImpostaVocabolari();
        cTipoArg = QString::fromLatin1(tipoArg);
        iDelibera = delibera;
        iCodiceAtto = 0;
    }
};

const QString kNessuno = QStringLiteral("Nessun Argomento selezionato");
const QString kNonPrevista = QStringLiteral("Votazione non prevista");

QString NonAmmessa(const char* stato)
{
    return QStringLiteral("Argomento ") + QString::fromLatin1(stato) + QStringLiteral("\nVotazione non ammessa");
}

}  // namespace

TEST_F(ControlloAperturaTest, ItemKindVoteKindAndActStatusInBothAssemblies)
{
    struct Caso {
        int assemblea;
        const char* tipoArg;
        int delibera;
        const char* tipo;
        int stato;           // cmbArgo(3)'s list index
        const char* cStato;  // and its text
        QString messaggio;   // empty: the vote may open
        int deliberaVoto;    // the item the vote goes with
    };
    const Caso casi[] = {
        // Councils: deliberations, motions, items of the rules and their
        // articles need an item; questions are never voted; other kinds
        // (a communication, no kind chosen yet) open as they are.
        {1, "D", 0, "P", -1, "", kNessuno, 0},
        {1, "M", 0, "H", -1, "", kNessuno, 0},
        {1, "R", 0, "P", -1, "", kNessuno, 0},
        {1, "A", 0, "P", -1, "", kNessuno, 0},
        {1, "D", 5, "P", -1, "", {}, 5},
        {1, "I", 5, "P", -1, "", kNonPrevista, 5},
        {1, "G", 0, "P", -1, "", kNonPrevista, 0},
        {1, "C", 0, "P", -1, "", {}, 0},
        {1, "*", 0, "P", -1, "", {}, 0},
        {1, "", 0, "P", -1, "", {}, 0},
        // The roll call is never refused.
        {1, "D", 0, "A", -1, "", {}, 0},
        {1, "I", 5, "A", -1, "", {}, 5},
        // Outside laws mode the status list is not read, nor does a check
        // of the legal number leave the item.
        {1, "D", 0, "P", 2, "Sospeso", kNessuno, 0},
        {1, "D", 5, "V", 1, "Votato", {}, 5},
        // Laws mode: every vote but a check of the legal number needs an act.
        {4, "B", 3, "P", 0, "Non Votato", {}, 3},
        {4, "B", 0, "P", -1, "", kNessuno, 0},
        {4, "B", 0, "J", -1, "", kNessuno, 0},
        {4, "B", 0, "V", -1, "", {}, 0},
        {4, "B", 0, "W", 0, "Non Votato", {}, 0},
        {4, "B", 3, "V", 0, "Non Votato", {}, 3},
        // Questions are never voted, not even for the legal number; with no
        // act the missing act is told instead.
        {4, "I", 3, "P", -1, "", kNonPrevista, 3},
        {4, "G", 3, "V", -1, "", kNonPrevista, 3},
        {4, "I", 0, "P", -1, "", kNessuno, 0},
        // An act past "Non Votato" refuses a vote over everything else, and
        // frees a check of the legal number from it.
        {4, "B", 3, "P", 1, "Votato", NonAmmessa("Votato"), 3},
        {4, "B", 0, "H", 2, "Sospeso", NonAmmessa("Sospeso"), 0},
        {4, "I", 3, "S", 3, "Ritirato", NonAmmessa("Ritirato"), 3},
        {4, "B", 3, "V", 1, "Votato", {}, 0},
        {4, "B", 3, "W", 2, "Sospeso", {}, 0},
        {4, "I", 3, "V", 1, "Votato", kNonPrevista, 0},
        {4, "B", 3, "A", 1, "Votato", {}, 3},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(::testing::Message() << "assemblea " << c.assemblea << " argomento \"" << c.tipoArg << "\" n."
                                          << c.delibera << " voto " << c.tipo << " stato " << c.stato);
        Argomento(c.assemblea, c.tipoArg, c.delibera);
        const ControlloApertura r =
            ControllaApertura(QString::fromLatin1(c.tipo), c.stato, QString::fromLatin1(c.cStato));
        EXPECT_EQ(r.cMessaggio, c.messaggio);
        EXPECT_EQ(r.iDelibera, c.deliberaVoto);
        // The checks decide; the item itself is left for the opening.
        EXPECT_EQ(iDelibera, c.delibera);
    }
}

namespace {

// The laws' tree of the fixture archive (law B1, its article J3 and the
// article's amendment E2, all unvoted), with the acts each test adds.
class SubalterniTest : public ControlloAperturaTest {
protected:
    void SetUp() override
    {
        ControlloAperturaTest::SetUp();
        EnsureQApp();
        ui = std::make_unique<ScriptedUI>();
        archivio = std::make_unique<ArchivioProva>(4);
        ASSERT_TRUE(archivio->Valido());
        archivio->Atti();
    }
    void TearDown() override
    {
        archivio.reset();
        ui.reset();
    }
    // An act of the laws' tree below B1 J3: its parameters (type letter
    // and status letter first) and the segments after the article.
    void Atto(int codice, const char* parametri, const QStringList& sotto)
    {
        archivio->AggiungeAtto({codice, QString::fromLatin1(parametri),
                                ChiaveAlbero(QStringList{QStringLiteral("B1"), QStringLiteral("J3")} + sotto),
                                QStringLiteral("12/2026"), QStringLiteral("1"), QStringLiteral("3"), QString(), 1});
    }
    // The check of an ordinary vote on the act codice of kind tipoArg.
    QString Apre(int codice, const char* tipoArg, const char* tipo = "P")
    {
        Argomento(4, tipoArg, codice);
        iCodiceAtto = codice;
        return ControllaApertura(QString::fromLatin1(tipo), 0, QStringLiteral("Non Votato")).cMessaggio;
    }

    std::unique_ptr<ScriptedUI> ui;
    std::unique_ptr<ArchivioProva> archivio;
};

}  // namespace

TEST_F(SubalterniTest, AnAmendmentWaitsForItsUnvotedSubAmendments)
{
    EXPECT_EQ(Apre(3, "E"), QString());
    Atto(4, "LNBJEL??", {QStringLiteral("E2"), QStringLiteral("L1")});
    cArgomento[7] = QStringLiteral("x");
    EXPECT_EQ(Apre(3, "E"), QStringLiteral("Trovato 1 Atto subalterno NON VOTATO"));
    EXPECT_TRUE(cArgomento[7].isEmpty());
    // Another one below, one level further down: both count.
    Atto(5, "CNBJELC?", {QStringLiteral("E2"), QStringLiteral("L1"), QStringLiteral("C1")});
    EXPECT_EQ(Apre(3, "E"), QStringLiteral("Trovati 2 Atti subalterni NON VOTATI"));
    // A voted one does not.
    Atto(6, "LVBJEL??", {QStringLiteral("E2"), QStringLiteral("L2")});
    EXPECT_EQ(Apre(3, "E"), QStringLiteral("Trovati 2 Atti subalterni NON VOTATI"));
    // The sub-amendment itself waits for the one below it only.
    EXPECT_EQ(Apre(4, "L"), QStringLiteral("Trovato 1 Atto subalterno NON VOTATO"));
    EXPECT_EQ(Apre(5, "C"), QString());
    // The check runs for a check of the legal number on the act too, but
    // only when nothing else refused the vote first.
    EXPECT_EQ(Apre(3, "E", "V"), QStringLiteral("Trovati 2 Atti subalterni NON VOTATI"));
    Argomento(4, "E", 3);
    iCodiceAtto = 3;
    EXPECT_EQ(ControllaApertura(QStringLiteral("P"), 1, QStringLiteral("Votato")).cMessaggio, NonAmmessa("Votato"));
}

TEST_F(SubalterniTest, LawsAndArticlesAreVotedWithUnvotedActsBelow)
{
    Atto(4, "LNBJEL??", {QStringLiteral("E2"), QStringLiteral("L1")});
    EXPECT_EQ(Apre(1, "B"), QString());
    EXPECT_EQ(Apre(2, "J"), QString());
    // An act not in the tree has nothing below it.
    EXPECT_EQ(Apre(99, "E"), QString());
}

TEST_F(SubalterniTest, OnlyTheActsBelowThisOneCount)
{
    // An unvoted sub-amendment below E2, a sibling amendment with its own,
    // and a sibling whose identifier a pattern would read as "any
    // character".
    Atto(4, "LNBJEL??", {QStringLiteral("E2"), QStringLiteral("L1")});
    Atto(5, "ENBJE???", {QStringLiteral("E20")});
    Atto(6, "LNBJEL??", {QStringLiteral("E20"), QStringLiteral("L1")});
    Atto(7, "ENBJE???", {QStringLiteral("E_")});
    EXPECT_EQ(Apre(3, "E"), QStringLiteral("Trovato 1 Atto subalterno NON VOTATO"));
    EXPECT_EQ(Apre(5, "E"), QStringLiteral("Trovato 1 Atto subalterno NON VOTATO"));
    EXPECT_EQ(Apre(7, "E"), QString());
}
