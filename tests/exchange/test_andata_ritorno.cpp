// Round trip: an agenda file imported, a vote on its first item run from
// the console against obx-sim, both exports written while the sitting is
// still open.  The exported records carry the imported protocol and the
// keys pressed, and the console's seats are what they were.
#include "BancoScambio.h"
#include "platform/Elenchi.h"
#include "shell/frmMain.h"
#include "support/BancoVotoSim.h"

using namespace obx;
using namespace obx::test;

namespace {

class AndataRitorno : public BancoVotoSim {};

TEST_F(AndataRitorno, ImportedItemVotedAndExported)
{
    for (int codice = 1; codice <= 8; ++codice)
        dbArchivio.Execute(QStringLiteral("UPDATE ANAGRAFE SET cIrideIdAN = ? WHERE bCodiceAN = ?;"),
                           {QStringLiteral("I%1").arg(codice), codice});
    const QString odg = archivio->Cartella() + QStringLiteral("odg.txt");
    {
        QFile file(odg);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("101@PG/2026/101@1@Approvazione del bilancio della citt\xe0@@@Bilancio@@\r\n"
                   "102@PG/2026/102@2@Mozione sull'\x93isola pedonale\x94@@@@@\r\n");
    }
    (*ui)->AttendiMsg(QStringLiteral("Confermi Svuotamento Archivio"), vbOK);
    (*ui)->AttendiMsg(QStringLiteral("Importazione Terminata"));
    ImportaOdG(odg, kFormatoIride);

    f = Apre();
    ASSERT_NE(f, nullptr);
    ApreSeduta(f);
    TuttiPresentiArgomentoAperto();  // the item at position 1: the first line

    // Units 1, 2, 3 press yes, no, abstain; the others do not vote.
    VotaATurni({{QStringLiteral("key 1 yes 2 no 3 abstain"), 3}});
    ASSERT_EQ(iModoVoto, 0);
    ASSERT_EQ(Voti().size(), 1u);

    // The console stays open: its seats must come through the exports untouched.
    const std::vector<Posto> seggi = aPosti;
    (*ui)->AttendiMsg(QStringLiteral("Riunione Consiliare aperta: chiuderla prima di importare gli Argomenti OdG"));
    ImportaOdG(odg, kFormatoIride);

    const QString sintesi = archivio->Cartella() + QStringLiteral("sintesi.txt");
    (*ui)->AttendiMsg(QStringLiteral("Esportazione Voti Terminata"));
    EsportaVoti(sintesi, kFormatoIride, true);
    Recordset rs = dbArchivio.OpenQuery(QStringLiteral("SELECT iPresentiVT FROM VOTI;"));
    const QString presenti = rs.Field(QStringLiteral("iPresentiVT")).toString();
    rs.Close();
    EXPECT_EQ(Record(sintesi), (std::vector<QStringList>{{"PG/2026/101", presenti, "1", "1", "1"}}));

    const QString dettaglio = archivio->Cartella() + QStringLiteral("dettaglio.txt");
    (*ui)->AttendiMsg(QStringLiteral("Esportazione Voti Terminata"));
    EsportaVoti(dettaglio, kFormatoIride, false);
    const auto record = Record(dettaglio);
    ASSERT_EQ(record.size(), 8u);
    const QStringList lettere = {"F", "C", "N"};
    for (int s = 0; s < 8; ++s) {
        const bool votato = s < 3;
        EXPECT_EQ(record[size_t(s)], (QStringList{"101", "PG/2026/101", QStringLiteral("I%1").arg(s + 1),
                                                  votato ? "S" : "N", votato ? lettere[s] : QString(), QString()}))
            << s;
    }

    ASSERT_EQ(aPosti.size(), seggi.size());
    for (size_t i = 1; i < aPosti.size(); ++i) {
        EXPECT_EQ(aPosti[i].iStato, seggi[i].iStato) << i;
        EXPECT_EQ(aPosti[i].cVoto, seggi[i].cVoto) << i;
        EXPECT_EQ(aPosti[i].iVotatoreUso, seggi[i].iVotatoreUso) << i;
    }
    EXPECT_EQ(Delibere().size(), 2u);
    EXPECT_EQ(Delibere()[1].titolo, QString::fromUtf8("Mozione sull'“isola pedonale”"));
}

}  // namespace
