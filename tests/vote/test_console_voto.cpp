// A vote run from the console's buttons against obx-sim: the keys of the
// simulated keypads, the close, the row, its per-seat strings, the events
// and the outcome; a close that comes twice, a key after the close, and
// which earlier votes a new one supersedes.
#include <QCheckBox>
#include <QLabel>

#include "BancoVoto.h"
#include "console/VotiSuperati.h"
#include "links/ComSeriali.h"
#include "platform/Dialoghi.h"
#include "platform/Elenchi.h"
#include "support/ScriptedUI.h"

using namespace obx;
using namespace obx::test;

namespace {

class VotoConsole : public BancoVoto {
protected:
    int Codice(int posto) const { return aPosti[size_t(posto)].bCodiceAN; }

    // One open vote: units 1, 2, 3 press yes, no, abstain (the rest do not
    // vote), then "Chiusa" twice.
    void VotoCompleto(const QString& chiave1 = QStringLiteral("yes"))
    {
        int passo = 0;
        // Keys are sent once the central has opened this vote (not an
        // earlier one): before that it would drop them.
        const int aperture = sim->Conta(Apertura());
        Vota([&] {
            if (passo == 0 && sim->Conta(Apertura()) > aperture) {
                if (Modello() == 4010)
                    sim->Comando(QStringLiteral("key 1 %1 2 no 3 abstain").arg(chiave1));
                else {
                    sim->Comando(QStringLiteral("key 1 %1").arg(chiave1));
                    sim->Comando(QStringLiteral("key 2 no"));
                    sim->Comando(QStringLiteral("key 3 abstain"));
                }
                passo = 1;
            } else if (passo == 1 && iVotiRicevuti >= 3) {
                ChiudeConConferma(f);
                // A second close (a second click, the countdown) stores nothing.
                f->cmdVoto_Click(3);
                f->ChiudeVotazione(0);
                return true;
            }
            return false;
        });
    }
};

class VotoConsole7777 : public VotoConsole {
protected:
    int Modello() const override { return 7777; }
};

void ControllaVoto(VotoConsole& t, frmCons* f, Simulatore& sim, int codici[3])
{
    (void)t;
    const auto voti = Voti();
    ASSERT_EQ(voti.size(), 1u);
    const RigaVoto& r = voti[0];
    EXPECT_EQ(r.tipo, QStringLiteral("P"));
    EXPECT_EQ(r.favorevoli, 1);
    EXPECT_EQ(r.contrari, 1);
    EXPECT_EQ(r.astenuti, 1);
    EXPECT_EQ(r.codLegge, 1);
    ASSERT_EQ(r.voti.size(), 120);
    QString atteso(120, u'0');
    atteso[codici[0] - 1] = u'3';
    atteso[codici[1] - 1] = u'6';
    atteso[codici[2] - 1] = u'5';
    EXPECT_EQ(r.voti, atteso);
    EXPECT_EQ(r.votanti.count(QChar(0)), 117);
    EXPECT_EQ(LettereEventi(), (QStringList{"A", "V", "T", "H"}));
    EXPECT_EQ(iModoVoto, 0);
    EXPECT_FALSE(oVoto.RaccoglieTasti());
    EXPECT_FALSE(cEsito.isEmpty());
    EXPECT_EQ(f->lblEsito()->text(), cEsito);
    // The item gives no threshold ("00"), so a council's vote is carried
    // whatever the keys: one yes, one no and one abstention approve.
    EXPECT_EQ(f->lblVoto(2)->text(), QStringLiteral("00"));
    EXPECT_EQ(cEsito, QStringLiteral("APPROVA"));
    EXPECT_TRUE(f->cmdVoto(0)->isEnabled());
    EXPECT_FALSE(f->cmdVoto(3)->isEnabled());
    EXPECT_TRUE(f->cmdVoto(4)->isEnabled());

    // A key that arrives after the tally is not recorded anywhere.
    sim.Comando(QStringLiteral("key 4 yes"));
    GiraVoto(200);
    f->VotiDaSeriale();
    EXPECT_EQ(cVoti.At(aPosti[4].bCodiceAN), u'0');
    EXPECT_EQ(Voti().size(), 1u);
    EXPECT_EQ(Voti()[0].voti, atteso);
}

}  // namespace

TEST_F(VotoConsole, OpenVoteOn4010StoredOnceWithItsKeysEventsAndOutcome)
{
    VotoCompleto();
    int codici[3] = {Codice(1), Codice(2), Codice(3)};
    ControllaVoto(*this, f, *sim, codici);
    EXPECT_GE(sim->Conta(QStringLiteral("RX Mp 1")), 1);
}

TEST_F(VotoConsole7777, OpenVoteOn7777StoredOnceWithItsKeysEventsAndOutcome)
{
    VotoCompleto();
    int codici[3] = {Codice(1), Codice(2), Codice(3)};
    ControllaVoto(*this, f, *sim, codici);
}

TEST_F(VotoConsole, AnnulledAndImmediateExecutabilityVotesDoNotSupersedeTheActVote)
{
    VotoCompleto();
    ASSERT_EQ(Voti().size(), 1u);
    f->cmdVoto_Click(2);

    // An annulled vote on the same item: stored with zero counts, "I" logged,
    // the earlier vote untouched.
    Vota([&] {
        if (!oVoto.RaccoglieTasti()) return false;
        f->cmdVoto_Click(1);
        return true;
    });
    auto voti = Voti();
    ASSERT_EQ(voti.size(), 2u);
    EXPECT_EQ(voti[1].favorevoli + voti[1].contrari + voti[1].astenuti, 0);
    EXPECT_NE(voti[0].nota, QStringLiteral("Votazione Annullata"));
    EXPECT_EQ(LettereEventi().last(), QStringLiteral("I"));

    // The vote on immediate executability leaves the act's vote valid.
    f->chkImmEsec()->setChecked(true);
    VotoCompleto(QStringLiteral("no"));
    f->chkImmEsec()->setChecked(false);
    voti = Voti();
    ASSERT_EQ(voti.size(), 3u);
    EXPECT_LT(voti[2].delibera, 0);
    EXPECT_NE(voti[0].nota, QStringLiteral("Votazione Annullata"));
    EXPECT_EQ(LettereEventi().at(LettereEventi().size() - 3), QStringLiteral("W"));

    // A real repeat of the act's vote in the same sitting supersedes it.
    VotoCompleto();
    voti = Voti();
    ASSERT_EQ(voti.size(), 4u);
    EXPECT_EQ(voti[0].nota, QStringLiteral("Votazione Annullata"));
    EXPECT_NE(voti[2].nota, QStringLiteral("Votazione Annullata"));
    EXPECT_NE(voti[3].nota, QStringLiteral("Votazione Annullata"));
}

TEST_F(VotoConsole, TestVoteWritesNoEventAndSupersedesNothing)
{
    VotoCompleto();
    f->cmdVoto_Click(2);
    Vota(
        [&] {
            if (!oVoto.RaccoglieTasti()) return false;
            EXPECT_TRUE(f->cmdVoto(3)->isEnabled());
            EXPECT_FALSE(f->cmdVoto(1)->isEnabled());
            f->cmdVoto_Click(3);
            return true;
        },
        5);
    const auto voti = Voti();
    ASSERT_EQ(voti.size(), 2u);
    EXPECT_NE(voti[0].nota, QStringLiteral("Votazione Annullata"));
    EXPECT_EQ(LettereEventi(), (QStringList{"A", "V", "T", "H"}));
    EXPECT_FALSE(f->cmdVoto(4)->isEnabled());
    // The buttons are back for the next vote, and a counter-proof still
    // compares with the real vote, not with the test.
    EXPECT_TRUE(f->cmdVoto(0)->isVisible());
    EXPECT_TRUE(f->cmdVoto(0)->isEnabled());
    EXPECT_EQ(cVotiPrecedenti.Testo(), voti[0].voti);
}

TEST_F(VotoConsole, DroppedVoteStoresNothingAndCannotBeClosedLater)
{
    Vota([&] {
        if (!oVoto.RaccoglieTasti()) return false;
        f->ChiudeVotazione(64);
        f->cmdVoto_Click(3);
        return true;
    });
    EXPECT_EQ(iModoVoto, 0);
    EXPECT_TRUE(Voti().empty());
    EXPECT_EQ(LettereEventi(), (QStringList{"A", "V"}));
    EXPECT_TRUE(f->cmdVoto(0)->isEnabled());
    EXPECT_FALSE(f->cmdVoto(3)->isEnabled());
}

TEST_F(VotoConsole, RefusedOpeningsLeaveNoVote)
{
    struct Caso {
        const char* tipoArg;
        int delibera;
        const char* messaggio;
    };
    const Caso casi[] = {{"D", 0, "Nessun Argomento selezionato"},
                         {"I", 1, "Votazione non prevista"},
                         {"G", 1, "Votazione non prevista"}};
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.tipoArg);
        cTipoArg = QString::fromLatin1(c.tipoArg);
        iDelibera = c.delibera;
        (*ui)->AttendiMsg(QString::fromLatin1(c.messaggio), vbOK);
        f->cmdVoto_Click(0);
        EXPECT_EQ(iModoVoto, 0);
    }
    // An absent teller: Cancel leaves no vote and no event.
    cTipoArg = QStringLiteral("D");
    iDelibera = 1;
    aPosti[2].iStato = 8 | 2;
    (*ui)->AttendiMsg(QStringLiteral("Scrutatore "), vbCancel, true);
    f->cmdVoto_Click(0);
    EXPECT_EQ(iModoVoto, 0);
    EXPECT_FALSE(oVoto.RaccoglieTasti());
    EXPECT_TRUE(Voti().empty());
    EXPECT_EQ(LettereEventi(), (QStringList{"A"}));
}

TEST_F(VotoConsole, ACancelledOpeningLeavesTheLastVotesKeysAndASecondClickOpensNothing)
{
    VotoCompleto();
    f->cmdVoto_Click(2);
    const QString chiavi = cVoti.Testo();
    const int ricevuti = iVotiRicevuti;
    // While the teller's question is up the operator clicks "Aperta" again:
    // no second vote starts inside the first opening.
    aPosti[4].iStato = 8 | 2;
    DialoghiConAzione d;
    d.Fallimento = [](const QString& m) { ADD_FAILURE() << m.toStdString(); };
    ImpostaUI(&d);
    d.azione = [&] { f->cmdVoto_Click(0); };
    d.AttendiMsg(QStringLiteral("Scrutatore "), vbCancel, true);
    f->cmdVoto_Click(0);
    EXPECT_TRUE(d.Restanti().empty());
    ImpostaUI(&**ui);
    EXPECT_FALSE(oVoto.RaccoglieTasti());
    EXPECT_EQ(Voti().size(), 1u);
    // The keys of the vote just closed are still there for its minutes.
    EXPECT_EQ(cVoti.Testo(), chiavi);
    EXPECT_EQ(iVotiRicevuti, ricevuti);
}

TEST_F(VotoConsole, AVoteWhoseCentralEndedItsDataStillHoldsTheConsoleUntilClosed)
{
    int passo = 0;
    Vota([&] {
        if (passo == 0 && sim->Conta(QStringLiteral("EV open")) > 0) {
            sim->Comando(QStringLiteral("key 1 yes 2 no"));
            passo = 1;
        } else if (passo == 1 && iVotiRicevuti >= 2) {
            // The central says it has nothing more: the loop ends, the vote
            // waits for the operator.
            sim->Comando(QStringLiteral("end"));
            passo = 2;
        }
        return false;
    });
    ASSERT_EQ(passo, 2);
    EXPECT_EQ(iModoVoto, 0);
    EXPECT_TRUE(oVoto.RaccoglieTasti());
    EXPECT_TRUE(f->cmdVoto(3)->isEnabled());

    // The console cannot go away with the vote unstored.
    (*ui)->AttendiMsg(QStringLiteral("Votazione in corso: operazione non consentita"), vbOK);
    EXPECT_FALSE(f->Chiude());
    ASSERT_EQ(frmConsAperto(), f);

    (*ui)->AttendiMsg(QStringLiteral("Confermi chiusura votazione ?"), vbOK);
    f->cmdVoto_Click(3);
    const auto voti = Voti();
    ASSERT_EQ(voti.size(), 1u);
    EXPECT_EQ(voti[0].favorevoli, 1);
    EXPECT_EQ(voti[0].contrari, 1);
    EXPECT_FALSE(oVoto.RaccoglieTasti());
}

TEST_F(VotoConsole, SuspendingTheSittingDropsATestVote)
{
    Vota(
        [&] {
            if (!oVoto.RaccoglieTasti()) return false;
            (*ui)->AttendiMsg(QStringLiteral("Confermi Sospensione Seduta"), vbOK);
            f->cmdConsiglio(1)->click();
            return true;
        },
        5);
    EXPECT_FALSE(oVoto.RaccoglieTasti());
    EXPECT_EQ(iModoVoto, 0);
    EXPECT_TRUE(Voti().empty());
    EXPECT_FALSE(oComTLV.PortOpen());
}

namespace {

class VerificaLeggi : public BancoVoto {
protected:
    int Tipo() const override { return 4; }
};

}  // namespace

TEST_F(VerificaLeggi, ATestVoteLeavesTheRequesterOfTheComingVerification)
{
    cTipoVoto = QStringLiteral("V");
    // Seat 6 asks for the verification; it will not key.
    f->txtAnag_MouseDown(aPosti[6].iPulsanteAN, 32, 10, 0, 0);
    ASSERT_EQ(iRichiedenti[1], 6);

    // A test first: its row is stored, the requester stays for the vote.
    Vota(
        [&] {
            if (!oVoto.RaccoglieTasti()) return false;
            f->cmdVoto_Click(3);
            return true;
        },
        5);
    EXPECT_EQ(iRichiedenti[1], 6);
    const size_t righe = Voti().size();

    // Four members answer; with the requester, present by asking, five of
    // the eight are there.
    (*ui)->AttendiMsg(QStringLiteral("Abbinare Verifica Numero Legale ad Atto selezionato ?"), vbNo);
    int passo = 0;
    const int aperture = sim->Conta(Apertura());
    Vota([&] {
        if (passo == 0 && sim->Conta(Apertura()) > aperture) {
            sim->Comando(QStringLiteral("key 1 yes 2 yes 3 yes 4 yes"));
            passo = 1;
        } else if (passo == 1 && iVotiRicevuti >= 4) {
            passo = 2;
            f->ChiudeVotazione(0);
            return true;
        }
        return false;
    });
    ASSERT_EQ(passo, 2);
    EXPECT_EQ(iFavorevoli, 5);
    EXPECT_EQ(f->lblEsito()->text(), QStringLiteral("N. LEGALE PRESENTE"));
    const auto voti = Voti();
    ASSERT_EQ(voti.size(), righe + 1);
    EXPECT_EQ(voti.back().tipo, QStringLiteral("V"));
    EXPECT_EQ(voti.back().favorevoli, 5);
    EXPECT_TRUE(voti.back().nota.endsWith(QStringLiteral("06")));
    // Stored with this vote, the requester now belongs to it.
    EXPECT_EQ(iRichiedenti[1], 0);
    EXPECT_EQ(iRichiedenti[4], 6);
}

TEST_F(VotoConsole, ARepeatSupersedesWithinTheSittingAndLeavesEarlierSittingsAsTheyWere)
{
    // A vote of the same kind on the same item in yesterday's sitting, with
    // its closing: no close of today touches them.
    const QDateTime apertura = InizioSeduta();
    ASSERT_TRUE(apertura.isValid());
    const QDateTime ieri = apertura.addDays(-1);
    dbArchivio.Execute(QStringLiteral("INSERT INTO VOTI (dDataOraIniVT, cPaleseVT, iDeliberaVT, iCodLeggeVT, "
                                      "cNotaVotoVT) VALUES (?, 'P', ?, ?, 'Nota di ieri')"),
                       {ieri, iDelibera, iDelibera});
    const int votoDiIeri = Voti().back().codice;
    dbArchivio.Execute(QStringLiteral("INSERT INTO EVENTI (dDataOraEV, cTipoEventoEV, iDeliberaEV, lCodVotoEV, "
                                      "cExtraDescEV) VALUES (?, 'T', ?, ?, 'Chiusura di ieri')"),
                       {ieri.addSecs(60), iDelibera, votoDiIeri});
    // A closing of yesterday that names no vote keeps its text as well.
    dbArchivio.Execute(QStringLiteral("INSERT INTO EVENTI (dDataOraEV, cTipoEventoEV, iDeliberaEV, lCodVotoEV, "
                                      "cExtraDescEV) VALUES (?, 'T', ?, 0, NULL)"),
                       {ieri.addSecs(120), iDelibera});

    VotoCompleto();
    f->cmdVoto_Click(2);
    VotoCompleto();
    const auto voti = Voti();
    ASSERT_EQ(voti.size(), 3u);
    EXPECT_EQ(voti[0].codice, votoDiIeri);
    EXPECT_EQ(voti[0].nota.trimmed(), QStringLiteral("Nota di ieri"));
    EXPECT_EQ(voti[1].nota, QStringLiteral("Votazione Annullata"));
    EXPECT_NE(voti[2].nota, QStringLiteral("Votazione Annullata"));

    std::vector<RigaEvento> chiusure;
    for (const RigaEvento& e : Eventi())
        if (e.lettera == u"T") chiusure.push_back(e);
    ASSERT_EQ(chiusure.size(), 4u);
    EXPECT_EQ(chiusure[0].extra.trimmed(), QStringLiteral("Chiusura di ieri"));
    EXPECT_TRUE(chiusure[1].extra.isEmpty());
    EXPECT_EQ(chiusure[2].codVoto, voti[1].codice);
    EXPECT_TRUE(chiusure[2].extra.startsWith(QStringLiteral("Votazione Annullata")));
    EXPECT_EQ(chiusure[3].codVoto, voti[2].codice);
    EXPECT_FALSE(chiusure[3].extra.startsWith(QStringLiteral("Votazione Annullata")));
}
