// A vote whose keys come from the test file of votes (no units wired, the
// file chosen when the console loads), and what the close leaves on the
// console: the counters and colours of the result, the act's status in the
// regional assembly, the return to the attendance view.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>

#include "board/Etichetta.h"
#include "console/Spoglio.h"
#include "console/TastiVoto.h"
#include "console/frmCons.h"
#include "platform/Database.h"
#include "platform/Elenchi.h"
#include "platform/Testo.h"
#include "reports/Stampa.h"
#include "shell/Globali.h"
#include "support/BancoConsole.h"
#include "support/BancoVotoSim.h"

using namespace obx;
using namespace obx::test;

namespace {

void Scrive(const QString& percorso, const QByteArray& testo)
{
    QFile f(percorso);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(testo);
}

QChar StatoAtto(int codice)
{
    Recordset rs =
        dbArchivio.OpenQuery(QStringLiteral("SELECT cParametriLG FROM LEGGI WHERE iCodLeggeLG = ?;"), {codice});
    const QString p = rs.Eof() ? QString() : rs.Field(QStringLiteral("cParametriLG")).toString();
    return p.size() > 1 ? p.at(1) : QChar();
}

class VotoDaFile : public BancoConsole {
protected:
    void SetUp() override
    {
        BancoConsole::SetUp();
        if (HasFatalFailure()) return;
        // No units wired: the console asks whether the test file is used.
        iModoOBX = 0;
        (*ui)->AttendiMsg(QStringLiteral("usa VotiObx.txt"), vbYes);
        f = Apre();
        ASSERT_NE(f, nullptr);
        ASSERT_EQ(iModoOBX & 0x80, 0x80);
        ApreSeduta(f);
        TuttiPresentiArgomentoAperto();
    }
    void TearDown() override
    {
        BancoConsole::TearDown();
        iModoOBX = kCablaggioVotatori;
    }

    QString File(const char* nome) const { return cCartella + QString::fromLatin1(nome); }
    int Codice(int posto) const { return aPosti[size_t(posto)].bCodiceAN; }
    int32_t Sfondo(int posto) const { return f->txtAnag(aPosti[size_t(posto)].iPulsanteAN)->BackColor(); }

    // Opens the vote and closes it once `pronto` holds, confirming the close
    // when somebody has not voted.
    void VotaEChiude(const std::function<bool()>& pronto, int indice = 0)
    {
        CliccaDurante(f->cmdVoto(indice), [&] {
            if (!oVoto.RaccoglieTasti() || !pronto()) return false;
            if ((oVoto.ModoApertura() & 10) == 0 && f->lstVotanti()->ListCount() > 0)
                (*ui)->AttendiMsg(QStringLiteral("Confermi chiusura votazione ?"), vbOK);
            f->cmdVoto_Click(3);
            return true;
        });
    }

    frmCons* f = nullptr;
};

}  // namespace

TEST(FileVoti, LinesGiveSeatAndKeyAndSkipWhatIsNoVote)
{
    aPosti.assign(5, Posto{});
    const QStringList righe{"1=3", "2=6", "riga senza uguale", "3=5x", "99=3", "0=3", "-1=3", "4=", "2.5=3", " 4=6"};
    const auto tasti = TastiDaRighe(righe);
    struct Atteso {
        int posto;
        const char* tasto;
    };
    const Atteso attesi[] = {{1, "3"}, {2, "6"}, {3, "5"}, {4, ""}, {4, "6"}};
    ASSERT_EQ(tasti.size(), std::size(attesi));
    for (size_t i = 0; i < tasti.size(); ++i) {
        EXPECT_EQ(tasti[i].iPosto, attesi[i].posto) << i;
        EXPECT_EQ(tasti[i].cTasto, QString::fromLatin1(attesi[i].tasto)) << i;
    }
}

TEST(FileVoti, TheFileIsFoundWhateverTheCaseAndReadAsWindows1252)
{
    QTemporaryDir d;
    const QString cartella = d.path() + u'/';
    EXPECT_FALSE(RigheFileVoti(PercorsoFileVoti(cartella, QStringLiteral("votiOBX.txt"))).has_value());
    Scrive(cartella + QStringLiteral("VotiObx.txt"), "1=3\r\n2=6\rnota \xE8\n");
    const auto righe = RigheFileVoti(PercorsoFileVoti(cartella, QStringLiteral("votiOBX.txt")));
    ASSERT_TRUE(righe.has_value());
    EXPECT_EQ(*righe, (QStringList{"1=3", "2=6", QStringLiteral("nota \u00E8")}));
}

TEST_F(VotoDaFile, KeysOfTheFileAreRecordedOnceAndLaterLinesCount)
{
    Scrive(File("votiOBX.txt"), "1=3\r\n2=6\r\nriga senza uguale\r\n3=5\r\n99=3\r\n");
    int letture = 0;
    VotaEChiude([&] {
        if (iVotiRicevuti < 3) return false;
        ++letture;
        // Read again on every pass: the same keys change nothing...
        if (letture < 30) {
            EXPECT_EQ(iVotiRicevuti, 3);
            return false;
        }
        if (letture == 30) Scrive(File("votiOBX.txt"), "1=3\r\n2=6\r\n3=5\r\n4=3\r\n");
        // ...and a line added later is taken.
        return iVotiRicevuti == 4;
    });
    const auto righe = Voti();
    ASSERT_EQ(righe.size(), 1u);
    EXPECT_EQ(righe[0].favorevoli, 2);
    EXPECT_EQ(righe[0].contrari, 1);
    EXPECT_EQ(righe[0].astenuti, 1);
    QString atteso(120, u'0');
    atteso[Codice(1) - 1] = u'3';
    atteso[Codice(2) - 1] = u'6';
    atteso[Codice(3) - 1] = u'5';
    atteso[Codice(4) - 1] = u'3';
    EXPECT_EQ(righe[0].voti, atteso);

    // The result on the console: yes, abstain, no, and each seat by its key.
    EXPECT_EQ(f->lblVoto(3)->text(), QStringLiteral("02"));
    EXPECT_EQ(f->lblVoto(4)->text(), QStringLiteral("01"));
    EXPECT_EQ(f->lblVoto(5)->text(), QStringLiteral("01"));
    EXPECT_EQ(Sfondo(1), 0xFF00);
    EXPECT_EQ(Sfondo(2), 0xFF);
    EXPECT_EQ(Sfondo(3), 0xFFFF);
    EXPECT_EQ(cEsito, f->lblEsito()->text());
}

TEST_F(VotoDaFile, AMissingFileIsReportedOnceAndTheVoteGoesOn)
{
    QFile::remove(File("votiOBX.txt"));
    (*ui)->AttendiMsg(File("votiOBX.txt") + QStringLiteral(" non trovato"), vbOK);
    int passi = 0;
    VotaEChiude([&] { return ++passi > 60; });
    const auto righe = Voti();
    ASSERT_EQ(righe.size(), 1u);
    EXPECT_EQ(righe[0].voti, QString(120, u'0'));
}

TEST_F(VotoDaFile, ARollCallReadsItsOwnFile)
{
    cTipoVoto = QStringLiteral("A");
    Scrive(File("votiOBX.txt"), "3=3\r\n4=3\r\n");
    // Two lines for one seat: it enters once, it does not go in and out.
    Scrive(File("Appello.txt"), "1=*\r\n1=*\r\n2=*\r\n");
    (*ui)->AttendiMsg(QStringLiteral("Confermi Votazione di Appello ?"), vbYes);
    VotaEChiude([&] { return iVotiRicevuti >= 2; });
    EXPECT_EQ(cVoti.At(Codice(1)), u'+');
    EXPECT_EQ(cVoti.At(Codice(2)), u'+');
    EXPECT_EQ(cVoti.At(Codice(3)), u'0');
    // Those who answered are in, the others out.
    EXPECT_EQ(aPosti[1].iStato & 1, 1);
    EXPECT_EQ(aPosti[2].iStato & 1, 1);
    EXPECT_EQ(aPosti[3].iStato & 1, 0);
    EXPECT_EQ(iPresenti, 2);
    ASSERT_FALSE(Eventi().empty());
    EXPECT_EQ(Eventi().back().lettera, QStringLiteral("L"));
    EXPECT_EQ(Eventi().back().nome.trimmed(), QStringLiteral("Presenti=2"));
}

TEST_F(VotoDaFile, BackToAttendanceTakesTheHandledSubItemOffThePendingList)
{
    f->cmbArgo(2)->AddItem(QStringLiteral("EM/1 testo"));
    f->cmbArgo(2)->AddItem(QStringLiteral("EM/2 testo"));
    f->cmbArgo(2)->SetListIndex(0);
    ASSERT_EQ(cArgomentoPendente, QStringLiteral("EM/1 testo"));
    Scrive(File("votiOBX.txt"), "1=3\r\n2=3\r\n3=3\r\n4=3\r\n5=3\r\n6=3\r\n7=3\r\n8=3\r\n");
    VotaEChiude([&] { return iVotiRicevuti >= 8; });
    EXPECT_EQ(cEsito, QStringLiteral("ACCOLTO"));
    EXPECT_EQ(f->lblVoto(3)->text(), QStringLiteral("08"));

    f->cmdVoto(2)->click();
    EXPECT_TRUE(f->lblEsito()->isHidden());
    EXPECT_EQ(f->lblVoto(3)->text(), QStringLiteral("00"));
    ASSERT_EQ(f->cmbArgo(2)->ListCount(), 1);
    EXPECT_EQ(f->cmbArgo(2)->List(0), QStringLiteral("EM/2 testo"));
    EXPECT_TRUE(cArgomentoPendente.isEmpty());
    // Seats are drawn as attendance again.
    EXPECT_NE(Sfondo(1), 0xFF00);
}

namespace {

class VotoDaFileLeggi : public VotoDaFile {
protected:
    int Tipo() const override { return 4; }
    void SetUp() override
    {
        VotoDaFile::SetUp();
        if (HasFatalFailure()) return;
        const QString fine = QStringLiteral("[") + Formato(1, QStringLiteral("######")) + u']';
        int k = -1;
        for (int i = 0; i < f->cmbArgo(0)->ListCount() && k < 0; ++i)
            if (f->cmbArgo(0)->List(i).endsWith(fine)) k = i;
        ASSERT_GE(k, 0);
        f->cmbArgo(0)->SetListIndex(k);
        ASSERT_EQ(iDelibera, 1);
        ASSERT_EQ(StatoAtto(1), u'N');
    }
};

}  // namespace

TEST_F(VotoDaFileLeggi, TheCloseSetsTheActsStatusAndARejectedReferralLeavesIt)
{
    struct Caso {
        const char* tipo;
        const char* file;
        QChar riga;         // the act's status letter after the close
        const char* combo;  // the status list's entry
    };
    const Caso casi[] = {
        // A referral that does not pass leaves the act to be voted.
        {"R", "1=6\r\n2=6\r\n3=6\r\n4=6\r\n5=6\r\n6=6\r\n7=6\r\n8=6\r\n", u'N', "Non Votato"},
        {"R", "1=3\r\n2=3\r\n3=3\r\n4=3\r\n5=3\r\n6=3\r\n7=3\r\n8=3\r\n", u'C', "RinviatoComm"},
        {"P", "1=6\r\n2=6\r\n3=6\r\n4=6\r\n5=6\r\n6=6\r\n7=6\r\n8=6\r\n", u'V', "Votato"},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.tipo);
        // Each case starts from an act not yet voted.
        dbArchivio.Execute(QStringLiteral("UPDATE LEGGI SET cParametriLG = ? WHERE iCodLeggeLG = 1;"),
                           {QStringLiteral("BN")});
        f->cmbArgo(3)->SetListIndex(0);
        cTipoVoto = QString::fromLatin1(c.tipo);
        Scrive(File("votiOBX.txt"), c.file);
        VotaEChiude([&] { return iVotiRicevuti >= 8; });
        EXPECT_EQ(StatoAtto(1), c.riga);
        EXPECT_EQ(f->cmbArgo(3)->Text(), QString::fromLatin1(c.combo));
        f->cmdVoto(2)->click();
    }
}

TEST_F(VotoDaFile, MinutesArePrintedAtTheCloseWhenAskedAndFromStampa)
{
    QTemporaryDir dir;
    Stampante().setOutputFormat(QPrinter::PdfFormat);
    Stampante().setOutputFileName(dir.path() + QStringLiteral("/verbale.pdf"));
    QStringList stampati;
    ImpostaOsservatoreStampa([&](int, int, int, const QString& t) { stampati << t; });
    const QString titolo = QStringLiteral("*          Votazione Palese           *");

    // "Stampa Automatica a chiusura Votazione": the minutes of the vote
    // just closed, with its names.
    iConfigOBX |= kOpzStampaAutomatica;
    Scrive(File("votiOBX.txt"), "1=3\r\n2=6\r\n");
    VotaEChiude([&] { return iVotiRicevuti >= 2; });
    EXPECT_TRUE(stampati.contains(titolo));
    EXPECT_TRUE(stampati.contains(QStringLiteral("Favorevoli")));
    EXPECT_TRUE(f->cmdVoto(4)->isEnabled());

    // "Stampa": the printer dialog first; cancelled, nothing is printed.
    iConfigOBX &= ~4;
    stampati.clear();
    (*ui)->AttendiStampante(false);
    f->cmdVoto(4)->click();
    EXPECT_TRUE(stampati.isEmpty());
    (*ui)->AttendiStampante(true);
    f->cmdVoto(4)->click();
    EXPECT_TRUE(stampati.contains(titolo));
    ImpostaOsservatoreStampa(nullptr);
}

TEST_F(VotoDaFileLeggi, UnvotedSubordinateActsBlockTheVoteOfAnActThatNeedsThem)
{
    // As an additional article (D) the act has two unvoted acts below it.
    dbArchivio.Execute(QStringLiteral("UPDATE LEGGI SET cParametriLG = ? WHERE iCodLeggeLG = 1;"),
                       {QStringLiteral("DNB?????")});
    iCodiceAtto = 1;
    (*ui)->AttendiMsg(QStringLiteral("Trovati 2 Atti subalterni NON VOTATI"), vbOK);
    f->cmdVoto_Click(0);
    EXPECT_FALSE(oVoto.RaccoglieTasti());
    EXPECT_EQ(iModoVoto, 0);
    // One of them voted: the message speaks of one.
    dbArchivio.Execute(QStringLiteral("UPDATE LEGGI SET cParametriLG = ? WHERE iCodLeggeLG = 3;"),
                       {QStringLiteral("EVBJE???")});
    (*ui)->AttendiMsg(QStringLiteral("Trovato 1 Atto subalterno NON VOTATO"), vbOK);
    f->cmdVoto_Click(0);
    EXPECT_FALSE(oVoto.RaccoglieTasti());
    // As a law (B) it opens whatever lies below it.
    dbArchivio.Execute(QStringLiteral("UPDATE LEGGI SET cParametriLG = ? WHERE iCodLeggeLG = 1;"),
                       {QStringLiteral("BNB?????")});
    Scrive(File("votiOBX.txt"), "1=3\r\n");
    VotaEChiude([&] { return iVotiRicevuti >= 1; });
    EXPECT_EQ(Voti().size(), 1u);
}
