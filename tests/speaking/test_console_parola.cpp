// Speaking turns at the console: the floor given and taken back with its
// events and charges, the booking list with the projected board's cells,
// the queue clicks, the time presets and the panel button, and a speech
// ended while a vote is on display.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "board/Etichetta.h"
#include "board/frmVideo.h"
#include "console/Prenotazioni.h"
#include "console/TempoParola.h"
#include "platform/Elenchi.h"
#include "shell/Globali.h"
#include "support/ConsoleProva.h"

namespace obx::test {
namespace {

class ParolaConsole : public ConsoleProva {
protected:
    static QStringList Righe(frmCons* f)
    {
        QStringList r;
        for (int i = 0; i < f->lstPrenotati()->ListCount(); ++i) r << f->lstPrenotati()->List(i);
        return r;
    }
    static int Partito(int posto) { return aPosti[size_t(posto)].iPartito; }
};

TEST_F(ParolaConsole, TheFloorGivenAndTakenBackAcrossMidnightLogsAndCharges)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    const size_t prima = EventiRegistrati().size();
    const int partito = Partito(3);
    ASSERT_GT(partito, 0);
    const int residuo = aPartiti[size_t(partito)].lTempoResiduo;

    Ora(23, 59, 30);
    f->IniziaIntervento(1, 3, QStringLiteral("Anna Verdi"), QStringLiteral("VERDI A."));
    EXPECT_TRUE(f->cmdParola(0)->isEnabled());
    EXPECT_FALSE(f->cmdVoto(0)->isEnabled());
    EXPECT_FALSE(f->cmbArgo(0)->isEnabled());
    EXPECT_FALSE(f->cmbArgo(1)->isEnabled());
    EXPECT_EQ(f->getParola()->text(), QStringLiteral("Anna Verdi"));
    EXPECT_EQ(iStatoConsole & (kStatoParola | kStatoParolaAvviata), kStatoParola | kStatoParolaAvviata);
    EXPECT_EQ(iOratore, 3);

    // A second floor while this one runs is refused.
    (*ui)->AttendiMsg(QStringLiteral("Intervento in corso non concluso"));
    f->IniziaIntervento(1, 5, QStringLiteral("Franca Romano"), QStringLiteral("ROMANO F."));
    EXPECT_EQ(f->getParola()->text(), QStringLiteral("Anna Verdi"));
    EXPECT_EQ(iOratore, 3);

    Ora(0, 0, 30);
    f->cmdParola_Click(0);
    EXPECT_FALSE(f->cmdParola(0)->isEnabled());
    EXPECT_TRUE(f->cmdVoto(0)->isEnabled());
    EXPECT_TRUE(f->cmbArgo(0)->isEnabled());
    EXPECT_TRUE(f->cmbArgo(1)->isEnabled());
    EXPECT_TRUE(f->boxConsiglio(3)->isEnabled());
    EXPECT_TRUE(f->getParola()->text().isEmpty());
    EXPECT_EQ(iStatoConsole & (kStatoParola | kStatoParolaAvviata), 0);
    EXPECT_EQ(f->lblTempo(0)->text(), QStringLiteral("05"));
    EXPECT_EQ(aPosti[3].iInterventi, 1);
    EXPECT_EQ(aPartiti[size_t(partito)].lTempoResiduo, residuo - 60);

    const auto ev = EventiRegistrati();
    ASSERT_EQ(ev.size(), prima + 2);
    EXPECT_EQ(ev[prima].lettera, QStringLiteral("D"));
    EXPECT_EQ(ev[prima].nome, QStringLiteral("Anna Verdi"));
    EXPECT_EQ(ev[prima + 1].lettera, QStringLiteral("F"));
    EXPECT_EQ(ev[prima + 1].nome, QStringLiteral("Anna Verdi"));

    // With nobody speaking the end of speech logs nothing.
    f->cmdParola_Click(0);
    EXPECT_EQ(EventiRegistrati().size(), prima + 2);
}

TEST_F(ParolaConsole, EndingASpeechOnAnOpenItemWithoutVoteAlsoClosesTheItem)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    cLettereAttiNonVotabili = QStringLiteral("IQ");
    const size_t prima = EventiRegistrati().size();
    f->IniziaIntervento(1, 2, QStringLiteral("Laura Bianchi"), QStringLiteral("BIANCHI L."));
    cTipoArg = QStringLiteral("I");
    iFlagQuorum |= kQuorumArgomentoAperto;
    f->cmdParola_Click(0);
    const auto ev = EventiRegistrati();
    ASSERT_EQ(ev.size(), prima + 3);
    EXPECT_EQ(ev[prima + 1].lettera, QStringLiteral("F"));
    EXPECT_EQ(ev[prima + 2].lettera, QStringLiteral("H"));
    EXPECT_EQ(iFlagQuorum & 4, 0);
}

TEST_F(ParolaConsole, AGuestSpeechChargesNobody)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    std::vector<int32_t> tempi;
    for (const auto& p : aPartiti) tempi.push_back(p.lTempoResiduo);
    f->IniziaIntervento(2, 0, QStringLiteral("Ospite Illustre"), QStringLiteral("OSPITE"));
    servizi->clock.Avanza(90);
    f->cmdParola_Click(0);
    for (size_t i = 0; i < aPartiti.size(); ++i) EXPECT_EQ(aPartiti[i].lTempoResiduo, tempi[i]);
    for (size_t i = 1; i < aPosti.size(); ++i) EXPECT_EQ(aPosti[i].iInterventi, 0);
}

TEST_F(ParolaConsole, EndingASpeechDuringAVoteKeepsVoteOpeningAndItemChoiceDisabled)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    f->IniziaIntervento(1, 4, QStringLiteral("Giorgio Esposito"), QStringLiteral("ESPOSITO G."));
    // A vote is opened meanwhile, as the vote panel leaves the console.
    iStatoConsole = (iStatoConsole & 47) | kStatoVoto;
    f->cmdVoto(0)->setEnabled(false);
    f->cmbArgo(0)->setEnabled(false);
    f->cmbArgo(1)->setEnabled(false);
    f->boxConsiglio(3)->setEnabled(false);

    f->cmdParola_Click(0);
    EXPECT_FALSE(f->cmdParola(0)->isEnabled());
    EXPECT_FALSE(f->cmdVoto(0)->isEnabled());
    EXPECT_FALSE(f->cmbArgo(0)->isEnabled());
    EXPECT_FALSE(f->cmbArgo(1)->isEnabled());
    EXPECT_FALSE(f->boxConsiglio(3)->isEnabled());
    EXPECT_TRUE(iStatoConsole & kStatoVoto);
}

TEST_F(ParolaConsole, TheBookingListAndTheBoardCells)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    FrmVideo& v = frmVideo();
    aOspiti.resize(1);
    for (const char* n : {"OSPITE UNO", "OSPITE DUE"}) {
        Ospite o;
        o.cNomeAN = QString::fromLatin1(n).leftJustified(30);
        o.cNomeBreveAN = QString::fromLatin1(n).leftJustified(16);
        aOspiti.push_back(o);
    }
    for (int posto = 1; posto <= 8; ++posto) f->GestiscePrenotati(posto, kPrenota, QString());
    f->GestiscePrenotati(1, kPrenota | kPrenotaOspite, QString());
    f->GestiscePrenotati(2, kPrenota | kPrenotaOspite, QString());
    // A second request of a waiting member keeps its place and shows the count.
    f->GestiscePrenotati(3, kPrenota, QString());

    const QStringList righe = Righe(f);
    ASSERT_EQ(righe.size(), 10);
    EXPECT_EQ(righe[0], QStringLiteral("ROSSI M."));
    EXPECT_EQ(righe[2], QStringLiteral("VERDI A. ( 2)"));
    EXPECT_EQ(righe[8], QStringLiteral("OSPITE UNO"));
    EXPECT_EQ(righe[9], QStringLiteral("OSPITE DUE"));
    for (int p = 1; p <= 9; ++p) EXPECT_EQ(v.txtTitolo(16 + p)->Caption(), righe[p - 1]) << p;
    // The tenth is on the console only.
    EXPECT_EQ(f->lstPrenotati()->ListIndex(), -1);

    // Giving the floor from the list: the first line speaks and leaves it.
    (*ui)->AttendiMsg(QStringLiteral("ROSSI M. Inizia l'Intervento"), vbYes, true);
    f->lstPrenotati()->SetListIndex(0);
    EXPECT_EQ(iOratore, 1);
    EXPECT_EQ(f->getParola()->text(), QStringLiteral("Mario Rossi"));
    EXPECT_EQ(Righe(f).size(), 9);
    EXPECT_EQ(v.txtTitolo(17)->Caption(), QStringLiteral("BIANCHI L."));
    EXPECT_EQ(v.txtTitolo(25)->Caption(), QStringLiteral("OSPITE DUE"));

    // While someone speaks a click only offers the removal.
    (*ui)->AttendiMsg(QStringLiteral("Togliere BIANCHI L. dalla Lista ?"), vbOK);
    f->lstPrenotati()->SetListIndex(0);
    EXPECT_EQ(Righe(f).front(), QStringLiteral("VERDI A. ( 2)"));
    EXPECT_TRUE(v.txtTitolo(25)->Caption().isEmpty());

    // Cancel leaves everything; the speaker who books again goes last.
    (*ui)->AttendiMsg(QStringLiteral("Togliere VERDI A. dalla Lista ?"), vbCancel);
    f->lstPrenotati()->SetListIndex(0);
    EXPECT_EQ(Righe(f).size(), 8);
    f->cmdParola_Click(0);
    f->GestiscePrenotati(1, kPrenota, QString());
    EXPECT_EQ(Righe(f).back(), QStringLiteral("ROSSI M. ( 2)"));

    // With nobody speaking the No button removes.
    (*ui)->AttendiMsg(QStringLiteral("VERDI A. Inizia l'Intervento"), vbNo, true);
    f->lstPrenotati()->SetListIndex(0);
    EXPECT_EQ(Righe(f).front(), QStringLiteral("ESPOSITO G."));
    EXPECT_EQ(iOratore, 1);
    EXPECT_FALSE(f->cmdParola(0)->isEnabled());

    // Emptied with a new item.
    f->GestiscePrenotati(0, kSvuota, QString());
    EXPECT_TRUE(Righe(f).isEmpty());
    for (int c = 17; c <= 25; ++c) EXPECT_TRUE(v.txtTitolo(c)->Caption().isEmpty()) << c;
}

TEST_F(ParolaConsole, GivingTheFloorFromTheQueueWhileASpeechRunsStillServesTheEntry)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    f->GestiscePrenotati(5, kPrenota, QString());
    f->IniziaIntervento(1, 6, QStringLiteral("Sergio Colombo"), QStringLiteral("COLOMBO S."));
    (*ui)->AttendiMsg(QStringLiteral("Intervento in corso non concluso"));
    f->GestiscePrenotati(1, kDaParola, QString());
    EXPECT_EQ(iOratore, 6);
    EXPECT_TRUE(Righe(f).isEmpty());
}

TEST_F(ParolaConsole, TimePresetsAndTheBookingPanelButton)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    struct Caso {
        int indice;
        const char* da;
        const char* a;
    };
    const Caso casi[] = {{0, "05", "06"}, {1, "05", "04"}, {1, "01", "01"}, {0, "99", "99"},
                         {2, "10", "11"}, {3, "01", "01"}, {2, "99", "99"}};
    for (const Caso& c : casi) {
        QLabel* l = f->lblTempo(c.indice < 2 ? 0 : 1);
        l->setText(QString::fromLatin1(c.da));
        f->cmdTempo_Click(c.indice);
        EXPECT_EQ(l->text(), QString::fromLatin1(c.a)) << c.indice << " " << c.da;
    }
    // The speaking minutes stay while a speech runs; the vote seconds while a countdown runs.
    f->lblTempo(0)->setText(QStringLiteral("05"));
    f->IniziaIntervento(1, 2, QStringLiteral("Laura Bianchi"), QStringLiteral("BIANCHI L."));
    f->cmdTempo_Click(0);
    EXPECT_EQ(f->lblTempo(0)->text(), QStringLiteral("05"));
    f->cmdParola_Click(0);
    iStatoConsole |= kStatoVotoATempo;
    f->lblTempo(1)->setText(QStringLiteral("30"));
    f->cmdTempo_Click(2);
    EXPECT_EQ(f->lblTempo(1)->text(), QStringLiteral("30"));
    iStatoConsole &= ~kStatoVotoATempo;

    FrmVideo& v = frmVideo();
    ASSERT_EQ(f->cmdParola(2)->text(), QStringLiteral("Prenotazioni OFF"));
    f->cmdParola_Click(2);
    EXPECT_EQ(f->cmdParola(2)->text(), QStringLiteral("Prenotazioni ON"));
    EXPECT_TRUE(f->boxConsiglio(6)->isHidden());
    EXPECT_TRUE(v.boxPrenota()->isHidden());
    f->cmdParola_Click(2);
    EXPECT_EQ(f->cmdParola(2)->text(), QStringLiteral("Prenotazioni OFF"));
    EXPECT_FALSE(f->boxConsiglio(6)->isHidden());
    EXPECT_FALSE(v.boxPrenota()->isHidden());
}

}  // namespace
}  // namespace obx::test
