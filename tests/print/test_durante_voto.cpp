// Reports asked for while a vote collects its keys: the minutes of the
// stored votes leave the running vote alone, and the main menu's
// statistics wait for the vote's end.
#include <QAction>

#include "BancoVotoStampa.h"
#include "reports/VerbaleVoto.h"
#include "shell/frmMain.h"

using namespace obx;
using namespace obx::test;

namespace {

class StampaDuranteVoto : public BancoVotoStampa {};

TEST_F(StampaDuranteVoto, StoredMinutesPrintedDuringAVoteLeaveItsStartAndKeysAlone)
{
    // A vote stored earlier: every member against, on another day.
    VotoProva prima;
    for (int i = 1; i <= 8; ++i) prima.tasti[Codice(i)] = u'6';
    prima.inizio = QDateTime(QDate(2025, 12, 1), QTime(18, 30));
    MemorizzaVoto(prima);

    QDateTime inizio;
    QStringList tasti;
    QString voti;
    Vota4([&] {
        inizio = dInizioVoto;
        for (size_t i = 1; i < aPosti.size(); ++i) tasti << aPosti[i].cVoto;
        voti = cVoti.Testo();
        // "Stampa" of the vote list: every stored vote.
        (*ui)->AttendiStampante(true);
        (*ui)->AttendiMsg(QStringLiteral("Stampa salvata nel file:\n"), vbOK, true);
        StampaVerbaleVoto(true, QString());
        EXPECT_EQ(dInizioVoto, inizio);
        QStringList dopo;
        for (size_t i = 1; i < aPosti.size(); ++i) dopo << aPosti[i].cVoto;
        EXPECT_EQ(dopo, tasti);
        EXPECT_EQ(cVoti.Testo(), voti);
    });
    ASSERT_TRUE(inizio.isValid());
    EXPECT_EQ(tasti.mid(0, 3), (QStringList{"3", "6", "5"}));

    // The stored minutes came out.
    const Pdf pdf(FileStampa());
    ASSERT_TRUE(pdf.Valido());
    EXPECT_FALSE(pdf.Trova(QStringLiteral("Votazione di lunedì, 01 dicembre 2025 alle ore 18:30")).empty())
        << pdf.Tutto().toStdString();

    // The running vote was stored with its own start and its four keys.
    const auto righe = Voti();
    ASSERT_EQ(righe.size(), 2u);
    const RigaVoto& r = righe[1];
    EXPECT_EQ(r.favorevoli, 2);
    EXPECT_EQ(r.contrari, 1);
    EXPECT_EQ(r.astenuti, 1);
    EXPECT_EQ(r.voti.at(Codice(4) - 1), u'3');
    EXPECT_EQ(r.votanti.count(QChar(0)), 116);
    Recordset rs =
        dbArchivio.OpenQuery(QStringLiteral("SELECT dDataOraIniVT FROM VOTI WHERE lCodiceVT = ?;"), {r.codice});
    ASSERT_FALSE(rs.Eof());
    // (stored to the second)
    EXPECT_LT(std::abs(rs.Field(QStringLiteral("dDataOraIniVT")).toDateTime().msecsTo(inizio)), 1000);
}

TEST_F(StampaDuranteVoto, AutomaticMinutesAtTheCloseLandInAFileWithoutAPrinter)
{
    iConfigOBX |= kOpzStampaAutomatica;  // "Stampa Automatica a chiusura Votazione"
    // Told once the vote is closed and stored.
    Vota4([] {}, [&] { (*ui)->AttendiMsg(QStringLiteral("Stampa salvata nel file:\n"), vbOK, true); });
    iConfigOBX &= ~4;
    ASSERT_EQ(Voti().size(), 1u);
    ASSERT_TRUE(FileStampa().startsWith(CartellaStampe() + QStringLiteral("Verbale_Voto_")))
        << FileStampa().toStdString();
    const Pdf pdf(FileStampa());
    ASSERT_TRUE(pdf.Valido());
    const Griglia g = Griglia::DellaStampante();
    EXPECT_FALSE(pdf.Trova(QStringLiteral("* Votazione Palese *")).empty()) << pdf.Tutto().toStdString();
    const auto si = pdf.Trova(aPosti[4].cNomeAN.trimmed());
    ASSERT_EQ(si.size(), 1u) << pdf.Tutto().toStdString();
    EXPECT_EQ(g.Colonna(si[0]), 5);
    const auto no = pdf.Trova(aPosti[2].cNomeAN.trimmed());
    ASSERT_FALSE(no.empty());
    EXPECT_EQ(g.Colonna(no.back()), 29);
    EXPECT_FALSE(pdf.Trova(QStringLiteral("Favorevoli: 002")).empty());
}

TEST_F(StampaDuranteVoto, TheStatisticsEntryIsRefusedWhileTheVoteRuns)
{
    frmMain m;
    Vota4([&] {
        // Refused at once: no question of its own inside the vote loop.
        (*ui)->AttendiMsg(QStringLiteral("Votazione in corso: operazione non consentita"));
        m.mnuArchivi[7]->trigger();
        EXPECT_TRUE(oVoto.RaccoglieTasti());
    });
    // The vote went on to its end with its four keys.
    const auto righe = Voti();
    ASSERT_EQ(righe.size(), 1u);
    EXPECT_EQ(righe[0].favorevoli, 2);

    // Afterwards the entry asks.
    (*ui)->AttendiMsg(QStringLiteral("Confermi stampa Statistiche di Voto ?"), vbCancel);
    m.mnuArchivi[7]->trigger();
}

}  // namespace
