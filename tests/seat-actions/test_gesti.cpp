// Seat gestures on a fixture sitting: the options of the seat dialog with
// their events, the information box, the call of the single voter, the
// vote correction of an exit during a vote, and the close's non-voters.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "BancoPosti.h"
#include "links/Tabellone.h"

namespace obx::test {
namespace {

class Gesti : public BancoPosti {};

TEST_F(Gesti, OptionsWithoutAnOpenSittingAreRefused)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    SceltaTasti(2);
    (*ui)->AttendiMsg(QStringLiteral("Apertura Consiglio non Eseguita"));
    f->txtAnag_MouseDown(3, 1, 2, 0, 0);
    EXPECT_EQ(aPosti[3].iStato & 2, 0);
    EXPECT_TRUE(Eventi().empty());
    // The information box needs no sitting.
    (*ui)->AttendiMsg(QStringLiteral("Anna Verdi"), vbOK, true);
    f->txtAnag_MouseDown(3, 2, 2, 0, 0);
    EXPECT_EQ(iModoAttivazione, 256);
}

TEST_F(Gesti, TellerAppointedAndRevokedWithTheirEvents)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    Presenti({3});
    SceltaTasti(2);
    f->txtAnag_MouseDown(3, 1, 2, 0, 0);
    EXPECT_EQ(aPosti[3].iStato & 2, 2);
    EXPECT_EQ(f->getParola()->text(), QStringLiteral("Scrut.") + Nome(3));
    SceltaTasti(6);
    f->txtAnag_MouseDown(3, 1, 2, 0, 0);
    EXPECT_EQ(aPosti[3].iStato & 2, 0);

    // An absent member cannot be appointed: nothing happens, no event.
    SceltaTasti(2);
    f->txtAnag_MouseDown(4, 1, 2, 0, 0);
    EXPECT_EQ(aPosti[4].iStato & 2, 0);

    const auto ev = EventiDopoApertura();
    ASSERT_EQ(ev.size(), 2u);
    EXPECT_EQ(ev[0].lettera, QStringLiteral("O"));
    EXPECT_EQ(ev[0].descrizione.trimmed(), QStringLiteral("Nomina Scrutatore"));
    EXPECT_EQ(ev[0].nome, Nome(3));
    EXPECT_EQ(ev[1].lettera, QStringLiteral("K"));
    EXPECT_EQ(ev[1].nome, Nome(3));
}

TEST_F(Gesti, TellerActionsLeaveTheSpeakersNameAlone)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    Presenti({3, 4});
    // A speech is running: the box shows the speaker.
    f->cmdParola(0)->setEnabled(true);
    f->getParola()->setText(QStringLiteral("Giorgio Esposito"));
    SceltaTasti(2);
    f->txtAnag_MouseDown(3, 1, 2, 0, 0);
    EXPECT_EQ(aPosti[3].iStato & 2, 2);
    EXPECT_EQ(f->getParola()->text(), QStringLiteral("Giorgio Esposito"));
    SceltaTasti(6);
    f->txtAnag_MouseDown(3, 1, 2, 0, 0);
    EXPECT_EQ(f->getParola()->text(), QStringLiteral("Giorgio Esposito"));
    const auto ev = EventiDopoApertura();
    ASSERT_EQ(ev.size(), 2u);
    EXPECT_EQ(ev[0].lettera, QStringLiteral("O"));
    EXPECT_EQ(ev[1].lettera, QStringLiteral("K"));
}

TEST_F(Gesti, PresentNotVotingOnAndOff)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    Presenti({1, 3});
    SceltaTasti(5);
    f->txtAnag_MouseDown(3, 1, 2, 0, 0);
    EXPECT_EQ(aPosti[3].iStato & 4, 4);
    EXPECT_EQ(f->txtAnag(3)->BackColor(), 0xC0E0E0);
    SceltaTasti(5);
    f->txtAnag_MouseDown(3, 1, 2, 0, 0);
    EXPECT_EQ(aPosti[3].iStato & 4, 0);
    EXPECT_EQ(f->txtAnag(3)->BackColor(), 0xFFFF00);
    // The chair turns blue again.
    SceltaTasti(5);
    f->txtAnag_MouseDown(1, 1, 2, 0, 0);
    SceltaTasti(5);
    f->txtAnag_MouseDown(1, 1, 2, 0, 0);
    EXPECT_EQ(f->txtAnag(1)->BackColor(), 0xFF0000);

    const auto ev = EventiDopoApertura();
    ASSERT_EQ(ev.size(), 4u);
    EXPECT_EQ(ev[0].lettera, QStringLiteral("-"));
    EXPECT_EQ(ev[0].descrizione.trimmed(), QStringLiteral("Presente non Votante"));
    EXPECT_EQ(ev[1].lettera, QStringLiteral("+"));
    EXPECT_EQ(ev[1].nome, Nome(3));
}

TEST_F(Gesti, DeclaredAbsentIsMarkedWithoutAnEvent)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    SceltaTasti(8);
    f->txtAnag_MouseDown(4, 1, 2, 0, 0);
    EXPECT_EQ(aPosti[4].iStato & 16, 16);
    EXPECT_TRUE(EventiDopoApertura().empty());

    // Declared absent: a plain click does nothing, and the dialog offers
    // only the revocation.
    f->txtAnag_MouseDown(4, 1, 0, 0, 0);
    EXPECT_EQ(aPosti[4].iStato & 1, 0);
    AlComparire<frmTasti>([](frmTasti* d) {
        EXPECT_EQ(d->optTasto(8)->text(), QStringLiteral("Revoca Assenza (si è presentato in aula)"));
        for (int i = 0; i < frmTasti::kOpzioni; ++i) EXPECT_EQ(d->optTasto(i)->isEnabled(), i == 8) << i;
        d->optTasto(8)->setChecked(true);
        d->cmdTasti(0)->click();
    });
    f->txtAnag_MouseDown(4, 1, 2, 0, 0);
    EXPECT_EQ(aPosti[4].iStato & 16, 0);
    if (!PresenzeCostruite(f)) GTEST_SKIP() << "attendance changes not built in this tree";
    const auto ev = EventiDopoApertura();
    ASSERT_EQ(ev.size(), 1u);
    EXPECT_EQ(ev[0].lettera, QStringLiteral("E"));
    EXPECT_EQ(aPosti[4].iStato & 1, 1);
}

TEST_F(Gesti, RequestersOfARollCallAndOfAQuorumCheck)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    iRichiedenti = {};
    cTipoVoto = QStringLiteral("I");
    for (int posto : {3, 4, 5, 6}) f->txtAnag_MouseDown(posto, 32, 10, 0, 0);
    EXPECT_EQ(iRichiedenti[1], 3);
    EXPECT_EQ(iRichiedenti[2], 4);
    EXPECT_EQ(iRichiedenti[3], 5);
    iRichiedenti = {};
    cTipoVoto = QStringLiteral("V");
    f->txtAnag_MouseDown(3, 32, 10, 0, 0);
    f->txtAnag_MouseDown(6, 32, 10, 0, 0);
    EXPECT_EQ(iRichiedenti[1], 6);
    EXPECT_EQ(iRichiedenti[2], 0);
    EXPECT_TRUE(EventiDopoApertura().empty());
}

TEST_F(Gesti, ReserveUnitsAreHandedOutOnceInOrder)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    Presenti({3, 4, 5, 6});
    // Unit 51 is already another seat's own: it is passed over.
    aPosti[6].iVotatoreAN = aPosti[6].iVotatoreUso = 51;
    iRiservaProssima = 50;
    iRiservaUltima = 52;

    DialoghiConAzione d;
    d.Fallimento = [](const QString& m) { ADD_FAILURE() << m.toStdString(); };
    ImpostaUI(&d);
    d.azione = [f] { f->txtAnag_MouseDown(4, 32, 5, 0, 0); };
    d.AttendiMsg(QStringLiteral("ESPOSITO G.\r\n riceve Votatore 52"));
    d.AttendiMsg(QStringLiteral("VERDI A.\r\n riceve Votatore 50"));
    d.AttendiMsg(QStringLiteral("Riserva Esaurita"));
    d.AttendiMsg(QStringLiteral("Riserva Esaurita"));
    f->txtAnag_MouseDown(3, 32, 5, 0, 0);
    f->txtAnag_MouseDown(5, 32, 5, 0, 0);
    // No unit left: the message comes whatever the seat's state.
    f->txtAnag_MouseDown(7, 32, 5, 0, 0);
    ImpostaUI(&**ui);
    EXPECT_TRUE(d.Restanti().empty());
    EXPECT_EQ(aPosti[3].iVotatoreAN, 50);
    EXPECT_EQ(aPosti[3].iVotatoreUso, 50);
    EXPECT_EQ(aPosti[4].iVotatoreAN, 52);
    EXPECT_EQ(aPosti[5].iVotatoreAN, 5);
    EXPECT_EQ(iRiservaProssima, 53);
    EXPECT_TRUE(EventiDopoApertura().empty());
}

TEST_F(Gesti, InformationBoxLines)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    aPosti[5].iInterventi = 2;
    ASSERT_GE(aPosti[5].iPartito, 1);
    aPartiti[size_t(aPosti[5].iPartito)].lTempoResiduo = 300;
    (*ui)->AttendiMsg(QStringLiteral("Franca Romano\r\n(Insieme)\r\nInterventi Arg. corrente = 2\r\n"
                                     "TLV = 5\r\nLED = 5\r\nSecondi disponibili/Partito = 300"));
    f->txtAnag_MouseDown(5, 2, 2, 0, 0);
}

TEST_F(Gesti, FloorRefusedForAnAbsentMemberAndLimitsAsked)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    (*ui)->AttendiMsg(QStringLiteral("Consigliere Assente"));
    f->txtAnag_MouseDown(5, 32, 1, 0, 0);
    (*ui)->AttendiMsg(QStringLiteral("Consigliere Assente"));
    f->txtAnag_MouseDown(5, 32, 8, 0, 0);

    Presenti({5});
    iNMaxInterventi = 3;
    iTempoMaxPartito = 10;
    aPosti[5].iInterventi = 3;
    aPartiti[size_t(aPosti[5].iPartito)].lTempoResiduo = 0;
    (*ui)->AttendiMsg(QStringLiteral("Superato numero massimo di Interventi (3)\r\n"
                                     "Esaurito tempo a disposizione per Insieme (10 minuti)\r\n"
                                     "Intervento Consentito ?"),
                      vbNo);
    f->txtAnag_MouseDown(5, 32, 1, 0, 0);
    EXPECT_EQ((*ui)->Storia().back().titolo, QStringLiteral("Attenzione"));
    EXPECT_EQ((*ui)->Storia().back().stile, vbYesNo + vbQuestion);
    EXPECT_TRUE(EventiDopoApertura().empty());
    iNMaxInterventi = 9999;
    iTempoMaxPartito = 9999;
}

TEST_F(Gesti, CallOfTheSingleVoter)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    Presenti({3, 4});
    iModoVoto = 1 | 16;
    iVotanteUnico = 0;
    f->txtAnag_MouseDown(3, 1, 0, 0, 0);
    EXPECT_EQ(f->txtAnag(3)->BackColor(), 0x00FFFF);
    EXPECT_EQ(cOratore, QStringLiteral("VERDI A."));
    EXPECT_EQ(iVotanteUnico, 3);
    f->txtAnag_MouseDown(4, 1, 3, 0, 0);
    EXPECT_EQ(f->txtAnag(3)->BackColor(), 0xC0C0C0);
    EXPECT_EQ(f->txtAnag(4)->BackColor(), 0x00FFFF);
    EXPECT_EQ(iVotanteUnico, 4);
    // Attendance never changes on these clicks.
    EXPECT_EQ(aPosti[3].iStato & 1, 1);
    EXPECT_TRUE(EventiDopoApertura().empty());
    iModoVoto = 0;
}

TEST_F(Gesti, ExitDuringAVoteTakesBackTheKey)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    Presenti({3, 4});
    iModoVoto = 1;
    cVoti.Set(3, u'3');
    aPosti[3].cVoto = QStringLiteral("3");
    cTastiRicevuti.Set(3, QChar(3));
    f->lstVotanti()->AddItem(QStringLiteral("VERDI A."));
    f->txtAnag_MouseDown(3, 1, 0, 0, 0);
    EXPECT_EQ(cVoti.At(3), QChar(u'0'));
    EXPECT_EQ(cTastiRicevuti.At(3), QChar(0));
    EXPECT_EQ(aPosti[3].cVoto, QStringLiteral("0"));
    EXPECT_EQ(f->lstVotanti()->ListCount(), 0);
    // With the attendance lock a plain click does nothing at all.
    iOpzioniConsole |= kConsolePresenzeBloccate;
    cVoti.Set(4, u'6');
    f->txtAnag_MouseDown(4, 1, 0, 0, 0);
    EXPECT_EQ(cVoti.At(4), QChar(u'6'));
    iOpzioniConsole &= ~4;
    iModoVoto = 0;
    cVoti.Azzera(u'0');
    cTastiRicevuti.Azzera(QChar(0));
}

TEST_F(Gesti, CloseOfAVoteEndsWithLockAndSharedShortNames)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    Presenti({3, 4, 5});
    // Seats 3 and 5 share a short name; seat 3 has voted, seat 5 has not.
    aPosti[5].cNomeBreveAN = aPosti[3].cNomeBreveAN;
    iOpzioniConsole |= kConsolePresenzeBloccate;
    iModoVoto = 1;
    cTastiRicevuti.Azzera(QChar(0));
    cTastiRicevuti.Set(3, QChar(3));
    cVoti.Set(3, u'3');
    aPosti[3].cVoto = QStringLiteral("3");
    f->lstVotanti()->AddItem(QStringLiteral("VERDI A."));
    f->lstVotanti()->AddItem(QStringLiteral("ESPOSITO G."));
    f->EsconoNonVotanti();
    EXPECT_EQ(f->lstVotanti()->ListCount(), 0);
    // The member who voted keeps the key.
    EXPECT_EQ(cVoti.At(3), QChar(u'3'));
    EXPECT_EQ(cVoti.At(5), QChar(u'0'));
    if (PresenzeCostruite(f)) {
        EXPECT_EQ(aPosti[3].iStato & 1, 1);
        EXPECT_EQ(aPosti[4].iStato & 1, 0);
        EXPECT_EQ(aPosti[5].iStato & 1, 0);
    }
    iOpzioniConsole &= ~4;
    iModoVoto = 0;
    cVoti.Azzera(u'0');
    cTastiRicevuti.Azzera(QChar(0));
}

// Which options the seat dialog offers, by the state of the seat and the
// sitting.
TEST_F(Gesti, SeatDialogOptionsByState)
{
    ASSERT_NE(Apre(), nullptr);
    struct Caso {
        const char* nome;
        int stato, modoVoto, prenotazioni, tipo;
        const char* ruolo;
        const char* tipoVoto;
        const char* attese;  // '1' enabled, '0' disabled, options 0..9
    };
    const Caso casi[] = {
        {"plain", 9, 0, 0, 1, "C", "-", "1111111010"},
        {"bookings on", 9, 0, 1, 1, "C", "-", "1111111111"},
        {"vote open", 9, 1, 1, 1, "C", "-", "0000110000"},
        {"test vote", 9, 2, 0, 1, "C", "-", "0000110000"},
        {"declared absent", 24, 1, 1, 1, "C", "-", "0000000010"},
        {"kind 4 councillor", 9, 0, 0, 4, "C", "-", "1011111010"},
        {"kind 4 secretary roll call", 9, 0, 0, 4, "G", "J", "1111111011"},
        {"kind 4 chair quorum check", 9, 0, 0, 4, "P", "W", "1111111011"},
    };
    const int tipoPrima = iTipoAssemblea;
    for (const Caso& c : casi) {
        aPosti[3].iStato = c.stato;
        aPosti[3].cTipoAN = QString::fromLatin1(c.ruolo);
        iModoVoto = c.modoVoto;
        iPrenotazioni = c.prenotazioni;
        iTipoAssemblea = c.tipo;
        cTipoVoto = QString::fromLatin1(c.tipoVoto);
        frmTasti d;
        d.iConsID = 3;
        d.Form_Activate();
        for (int i = 0; i < frmTasti::kOpzioni; ++i)
            EXPECT_EQ(d.optTasto(i)->isEnabled(), c.attese[i] == '1') << c.nome << " option " << i;
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Operazioni Dedicate (Anna Verdi)")) << c.nome;
        if (QByteArray(c.tipoVoto) == "J")
            EXPECT_EQ(d.optTasto(9)->text(), QStringLiteral("Richiede Votazione per Appello Nominale"));
        if (QByteArray(c.tipoVoto) == "W")
            EXPECT_EQ(d.optTasto(9)->text(), QStringLiteral("Richiede Verifica Numero Legale"));
    }
    iTipoAssemblea = tipoPrima;
    iModoVoto = 0;
    iPrenotazioni = 0;
    aPosti[3].iStato = 8;
    aPosti[3].cTipoAN = QStringLiteral("C");
    cTipoVoto = QStringLiteral("-");

    // "Conferma" with nothing chosen gives 0, as "Annulla" does.
    frmTasti d;
    d.iConsID = 3;
    iTastoScelto = 7;
    d.cmdTasti_Click(0);
    EXPECT_EQ(iTastoScelto, 0);
    EXPECT_EQ(d.optTasto(1)->text(), QStringLiteral(" Sostituzione"));
}

TEST_F(Gesti, GuestDialogOptionsByState)
{
    cNomeOspite = QStringLiteral("Giulia Neri").leftJustified(30);
    struct Caso {
        int modoVoto, prenotazioni;
        const char* attese;
    };
    for (const Caso& c : {Caso{0, 0, "1110"}, Caso{0, 2, "1111"}, Caso{1, 2, "0000"}}) {
        iModoVoto = c.modoVoto;
        iPrenotazioni = c.prenotazioni;
        frmOspiti d;
        for (int i = 0; i < frmOspiti::kOpzioni; ++i)
            EXPECT_EQ(d.optTasto(i)->isEnabled(), c.attese[i] == '1') << c.attese << " " << i;
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Operazioni Dedicate (Giulia Neri)"));
    }
    iModoVoto = 0;
    iPrenotazioni = 0;
}

}  // namespace
}  // namespace obx::test
