// A vote from the agenda item to the stored row, run against the simulated
// central (both models) and the simulated LED board: an open vote with its
// keys shown on the LED map, a secret vote that shows no key anywhere, a
// roll call that corrects attendance, a timed vote closed by its countdown
// while the operator's close races it, a central that goes away mid-vote
// and a garbled frame.
#include <QLabel>
#include <set>

#include "BancoE2E.h"

using namespace obx;
using namespace obx::test;

namespace {

class VotoE2E : public BancoE2E {
protected:
    static QString Lettere()
    {
        QString s;
        for (const RigaEvento& e : Eventi()) s += e.lettera;
        return s;
    }
};

TEST_P(VotoE2E, OpenVoteFromTheAgendaToTheStoredRowAndTheBoards)
{
    // "Mostra Voti durante la votazione": the keys go on the LED map.
    iConfigOBX |= kOpzMostraVoti;
    Prepara(u'P');
    ASSERT_FALSE(HasFatalFailure());
    ContaAperture();
    int passo = 0, chiusura = 0;
    Vota([&] {
        if (passo == 0 && CentraleInVoto()) {
            EXPECT_EQ(iModoVoto, 1);
            EXPECT_EQ(cEsito, QStringLiteral("VOTAZIONE PALESE APERTA"));
            Tasti({{1, "yes"}, {2, "no"}, {3, "yes"}, {4, "yes"}, {5, "abstain"}});
            passo = 1;
        } else if (passo == 1 && iVotiRicevuti >= 5) {
            // Every key on the LED map while the vote runs: yes green "2",
            // no red "1", abstain yellow "3".
            EXPECT_TRUE(Finche([&] { return Frame(0, false).contains(Mappa(QStringLiteral("21223"))); }, 5000));
            EXPECT_EQ(f->txtAnag(aPosti[size_t(Seggio(1))].iPulsanteAN)->BackColor(), 0xFF00);
            EXPECT_EQ(f->txtAnag(aPosti[size_t(Seggio(2))].iPulsanteAN)->BackColor(), 0xFF);
            EXPECT_EQ(f->txtAnag(aPosti[size_t(Seggio(5))].iPulsanteAN)->BackColor(), 0xFFFF);
            // Members 6 and 7 have not voted: the close asks, and they leave.
            (*ui)->AttendiMsg(kConferma, vbOK);
            chiusura = RigheTabellone();
            passo = 2;
            f->cmdVoto(3)->click();
            return true;
        }
        return false;
    });
    ASSERT_EQ(passo, 2);

    const auto voti = Voti();
    ASSERT_EQ(voti.size(), 1u);
    const RigaVoto& r = voti[0];
    EXPECT_EQ(r.tipo, QStringLiteral("P"));
    EXPECT_EQ(r.codLegge, 1);
    EXPECT_EQ(r.favorevoli, 3);
    EXPECT_EQ(r.contrari, 1);
    EXPECT_EQ(r.astenuti, 1);
    EXPECT_EQ(r.voti, PerCodice({{1, u'3'}, {2, u'6'}, {3, u'3'}, {4, u'3'}, {5, u'5'}}, u'0'));
    EXPECT_EQ(r.votanti, Votanti({1, 2, 3, 4, 5}));
    EXPECT_FALSE(Presente(6));
    EXPECT_FALSE(Presente(7));
    EXPECT_EQ(iPresenti, 5);

    // Sitting, seven entries, item, opening, the two exits during the
    // vote (stamped just before its opening), closing of the vote and of
    // the item.
    const auto eventi = Eventi();
    EXPECT_EQ(Lettere(), QStringLiteral("AEEEEEEEGVUUTH"));
    ASSERT_EQ(eventi.size(), 14u);
    EXPECT_LT(eventi[10].data, eventi[9].data);
    EXPECT_LT(eventi[11].data, eventi[9].data);
    EXPECT_EQ(eventi[12].codVoto, r.codice);

    // The outcome: no fixed majority on the item, so half the voters (3
    // yes and 1 no) plus one, shown on the console.
    EXPECT_EQ(f->lblVoto(2)->text(), QStringLiteral("03"));
    EXPECT_EQ(cEsito, QStringLiteral("APPROVA"));
    EXPECT_TRUE(f->lblEsito()->isVisible());
    EXPECT_TRUE(Finche([&] { return f->lblEsito()->text() == cEsito; }));
    EXPECT_EQ(iModoVoto, 0);
    EXPECT_TRUE(f->cmdVoto(0)->isEnabled());
    EXPECT_FALSE(f->cmdVoto(3)->isEnabled());

    // The board got the results (5 present; yes, no, abstain last on its
    // row) and then the map of the keys as the vote ended.
    const QStringList frame = Frame(chiusura);
    bool risultati = false;
    for (const QString& l : frame)
        if (l.startsWith(QStringLiteral("BOARD TEXT 1 [05 ")) && l.endsWith(QStringLiteral("03 01 01]")))
            risultati = true;
    EXPECT_TRUE(risultati) << frame.join(u'\n').toStdString();
    EXPECT_TRUE(frame.contains(Mappa(QStringLiteral("21223")))) << frame.join(u'\n').toStdString();

    // Back to attendance: the counters and the seats as attendance again.
    f->cmdVoto(2)->click();
    EXPECT_EQ(f->lblVoto(3)->text(), QStringLiteral("00"));
    EXPECT_FALSE(f->lblEsito()->isVisible());
    EXPECT_NE(f->txtAnag(aPosti[size_t(Seggio(1))].iPulsanteAN)->BackColor(), 0xFF00);
}

TEST_P(VotoE2E, SecretVoteCountsTheKeysAndShowsThemNowhere)
{
    // Even with the keys shown during a vote and the seats coloured live.
    iConfigOBX |= kOpzMostraVoti;
    xColoriVoto = true;
    Prepara(u'H');
    ASSERT_FALSE(HasFatalFailure());
    // The projected board loaded, to watch its seat labels.
    frmVideo();
    const int prima = RigheTabellone();
    const std::set<int32_t> coloriConsole{0xFF00, 0xFF, 0xFFFF};
    const std::set<int32_t> coloriVideo{cColoriTabVideo[2], cColoriTabVideo[3], cColoriTabVideo[4]};
    ContaAperture();
    int passo = 0, tick = 0;
    Vota([&] {
        if (passo == 0 && CentraleInVoto()) {
            EXPECT_EQ(cEsito, QStringLiteral("VOTAZIONE SEGRETA APERTA"));
            Tasti({{1, "yes"}, {2, "no"}, {3, "abstain"}, {4, "yes"}});
            passo = 1;
        } else if (passo == 1 && iVotiRicevuti >= 4) {
            // Let the engine's live display run a few ticks over the keys.
            tick = tabellone->Conta(QStringLiteral("BOARD LED"));
            passo = 2;
        } else if (passo == 2 && tabellone->Conta(QStringLiteral("BOARD LED")) >= tick + 4) {
            for (int codice = 1; codice <= 4; ++codice) {
                const int etichetta = aPosti[size_t(Seggio(codice))].iPulsanteAN;
                EXPECT_EQ(coloriConsole.count(f->txtAnag(etichetta)->BackColor()), 0u) << codice;
                // Every seat of the council has its name on the projected board.
                Etichetta* e = frmVideo().txtAnag(etichetta);
                EXPECT_NE(e, nullptr) << codice;
                if (e) EXPECT_EQ(coloriVideo.count(e->ForeColor()), 0u) << codice;
            }
            // Every LED map since the opening cleared it: nobody's key, only
            // off "0" for who voted and flashing yellow "7" for who has not.
            const QStringList frame = Frame(prima);
            const qsizetype azzerata = frame.indexOf(Mappa(QString()));
            EXPECT_GE(azzerata, 0) << frame.join(u'\n').toStdString();
            int mappe = 0;
            QString ultima;
            for (qsizetype i = azzerata + 1; azzerata >= 0 && i < frame.size(); ++i) {
                if (!frame[i].startsWith(QStringLiteral("BOARD LED 2 "))) continue;
                ++mappe;
                const QString m = frame[i].mid(12);
                for (QChar c : m) EXPECT_TRUE(c == u'0' || c == u'7') << frame[i].toStdString();
                ultima = frame[i];
            }
            EXPECT_GE(mappe, 4);
            // Present 5 to 7 have not voted (flashing), 8 is out.
            EXPECT_EQ(ultima, Mappa(QStringLiteral("0000777")));
            (*ui)->AttendiMsg(kConferma, vbOK);
            passo = 3;
            f->cmdVoto(3)->click();
            return true;
        }
        return false;
    });
    ASSERT_EQ(passo, 3);

    const auto voti = Voti();
    ASSERT_EQ(voti.size(), 1u);
    EXPECT_EQ(voti[0].tipo, QStringLiteral("H"));
    EXPECT_EQ(voti[0].favorevoli, 2);
    EXPECT_EQ(voti[0].contrari, 1);
    EXPECT_EQ(voti[0].astenuti, 1);
    EXPECT_EQ(voti[0].votanti, Votanti({1, 2, 3, 4}));
    EXPECT_EQ(LettereEventi(), (QStringList{"A", "G", "V", "T", "H"}));
    EXPECT_EQ(iModoVoto, 0);
}

TEST_P(VotoE2E, RollCallLetsTheAbsentWhoKeysInAndTheSilentPresentOut)
{
    Prepara(u'A');
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_FALSE(Presente(8));
    ASSERT_TRUE(Presente(7));
    (*ui)->AttendiMsg(QStringLiteral("Confermi Votazione di Appello ?"), vbYes);
    ContaAperture();
    int passo = 0, chiusura = 0;
    Vota([&] {
        if (passo == 0 && CentraleInVoto()) {
            EXPECT_EQ(iModoVoto, 9);
            EXPECT_EQ(cEsito, QStringLiteral("AUTOCERTIFICAZIONE PRESENZA"));
            Tasti({{1, "yes"}, {2, "no"}, {3, "abstain"}, {4, "yes"}, {5, "yes"}, {6, "yes"}, {8, "yes"}});
            passo = 1;
        } else if (passo == 1 && iVotiRicevuti >= 7) {
            // The roll call starts from an empty chamber: who answers is
            // in at once, the absent member 8 too; the silent 7 is not.
            EXPECT_TRUE(Presente(8));
            EXPECT_FALSE(Presente(7));
            EXPECT_EQ(iPresenti, 7);
            // A roll call closes without asking.
            chiusura = RigheTabellone();
            passo = 2;
            f->cmdVoto(3)->click();
            return true;
        }
        return false;
    });
    ASSERT_EQ(passo, 2);

    // Member 7, present but silent, is out; member 8 in.
    EXPECT_FALSE(Presente(7));
    EXPECT_TRUE(Presente(8));
    EXPECT_EQ(iPresenti, 7);
    const auto voti = Voti();
    ASSERT_EQ(voti.size(), 1u);
    EXPECT_EQ(voti[0].tipo, QStringLiteral("A"));
    EXPECT_EQ(voti[0].voti,
              PerCodice({{1, u'+'}, {2, u'+'}, {3, u'+'}, {4, u'+'}, {5, u'+'}, {6, u'+'}, {8, u'+'}}, u'0'));
    EXPECT_EQ(voti[0].votanti, Votanti({1, 2, 3, 4, 5, 6, 8}));
    // No per-seat event for the corrections; the closing "L" carries the
    // number who answered in its text (the count field is 0 for a roll call).
    EXPECT_EQ(Lettere(), QStringLiteral("AEEEEEEEGVL"));
    ASSERT_FALSE(Eventi().empty());
    EXPECT_EQ(TrimSpazi(Eventi().back().nome), QStringLiteral("Presenti=7"));
    EXPECT_EQ(TrimSpazi(Eventi().back().extra), QStringLiteral("Appello"));
    EXPECT_EQ(Eventi().back().presenti, 0);
    // No outcome.
    EXPECT_TRUE(cEsito.isEmpty()) << cEsito.toStdString();
    EXPECT_FALSE(f->lblEsito()->isVisible());
    EXPECT_TRUE(f->cmdVoto(0)->isVisible());
    EXPECT_EQ(iModoVoto, 0);
    // The board shows the new attendance map.
    const QStringList frame = Frame(chiusura);
    EXPECT_TRUE(frame.contains(Mappa(QStringLiteral("22222202")))) << frame.join(u'\n').toStdString();
}

// How a timed vote ends: by its countdown alone, or by the countdown
// reaching 0 while the operator's "Chiusa" waits on its confirmation.
struct CasoTempo {
    const char* nome;
    bool corsa;
};

class VotoATempoE2E : public VotoE2E {};

TEST_P(VotoATempoE2E, TimedVoteClosesOnceAtZero)
{
    for (const CasoTempo caso : {CasoTempo{"countdown", false}, CasoTempo{"race", true}}) {
        SCOPED_TRACE(caso.nome);
        if (!f) {
            iOpzioniConsole |= kConsoleATempo;
            Prepara(u'P');
            ASSERT_FALSE(HasFatalFailure());
        } else {
            // The second vote is on the next item.
            ProssimoArgomento();
            ASSERT_FALSE(HasFatalFailure());
        }
        f->lblTempo(1)->setText(QStringLiteral("5"));
        const size_t righe = Voti().size();
        const int eventi = int(Eventi().size());
        DialoghiConAzione dialoghi;
        dialoghi.Fallimento = [](const QString& m) { ADD_FAILURE() << m.toStdString(); };
        ImpostaUI(&dialoghi);
        ContaAperture();
        int passo = 0;
        QStringList mostrati;
        Vota([&] {
            if (f->lblTempo(2)->isVisible() && (mostrati.isEmpty() || mostrati.last() != f->lblTempo(2)->text()))
                mostrati << f->lblTempo(2)->text();
            if (passo == 0 && CentraleInVoto()) {
                EXPECT_TRUE(f->lblTempo(2)->isVisible());
                EXPECT_FALSE(f->cmdVoto(2)->isVisible());
                Tasti({{1, "yes"}, {2, "no"}});
                // Members 3 to 7 do not vote: the close asks first.
                if (!caso.corsa) dialoghi.AttendiMsg(kConferma, vbOK);
                passo = 1;
            } else if (passo == 1 && caso.corsa && iVotiRicevuti >= 2 && oVoto.RaccoglieTasti() &&
                       f->lblTempo(2)->text() == u"01") {
                // The operator closes with one second left; while the
                // question is up the countdown runs out: it asks nothing
                // more and closes nothing, the operator's answer does.
                dialoghi.AttendiMsg(kConferma, vbOK);
                dialoghi.azione = [&] {
                    EXPECT_TRUE(Finche([] { return nTempoVoto < -1; }, 5000));
                    EXPECT_TRUE(oVoto.RaccoglieTasti());
                };
                passo = 2;
                f->cmdVoto(3)->click();
            }
            return false;
        });
        ImpostaUI(&**ui);
        EXPECT_TRUE(dialoghi.Restanti().empty());
        EXPECT_EQ(passo, caso.corsa ? 2 : 1);

        EXPECT_EQ(iModoVoto, 0);
        EXPECT_FALSE(f->lblTempo(2)->isVisible());
        EXPECT_TRUE(f->cmdVoto(2)->isVisible());
        // The countdown showed its seconds going down to 1.
        ASSERT_FALSE(mostrati.isEmpty());
        EXPECT_EQ(mostrati.last(), QStringLiteral("01")) << mostrati.join(u' ').toStdString();
        for (qsizetype i = 1; i < mostrati.size(); ++i)
            EXPECT_LT(Val(mostrati[i]), Val(mostrati[i - 1])) << mostrati.join(u' ').toStdString();
        // One row, one opening and one close.
        const auto voti = Voti();
        ASSERT_EQ(voti.size(), righe + 1);
        EXPECT_EQ(voti.back().favorevoli, 1);
        EXPECT_EQ(voti.back().contrari, 1);
        QString lettere;
        const auto tutti = Eventi();
        for (size_t i = size_t(eventi); i < tutti.size(); ++i)
            if (tutti[i].lettera != u"U" && tutti[i].lettera != u"E" && tutti[i].lettera != u"G")
                lettere += tutti[i].lettera;
        EXPECT_EQ(lettere, QStringLiteral("VTH"));
    }
}

// The central lost mid-vote: gone silent, or its cable pulled (the
// simulator ends).
struct CasoGuasto {
    const char* nome;
    bool staccata;
};

class CentralePersaE2E : public VotoE2E {};

TEST_P(CentralePersaE2E, VoteClosesWithTheKeysReceivedBefore)
{
    for (const CasoGuasto caso : {CasoGuasto{"silent", false}, CasoGuasto{"cable pulled", true}}) {
        SCOPED_TRACE(caso.nome);
        // A fresh central for each case.
        if (f) {
            ProssimoArgomento();
            ASSERT_FALSE(HasFatalFailure());
            sim = std::make_unique<Simulatore>(PercorsoSimulatore(),
                                               QStringList{QStringLiteral("--device"), QString::number(Modello())});
            ASSERT_FALSE(sim->Percorso().isEmpty());
            AggiungePorta(3, sim->Percorso());
        } else {
            Prepara(u'P');
            ASSERT_FALSE(HasFatalFailure());
        }
        const size_t righe = Voti().size();
        ContaAperture();
        int passo = 0;
        Vota([&] {
            if (passo == 0 && CentraleInVoto()) {
                Tasti({{1, "yes"}, {2, "no"}});
                passo = 1;
            } else if (passo == 1 && iVotiRicevuti >= 2) {
                if (!caso.staccata) {
                    sim->Comando(QStringLiteral("silent on"));
                    EXPECT_TRUE(sim->Sincronizza());
                    passo = 3;
                } else {
                    // The radio link reads all the time and says so at
                    // once; the wired one is told when the close talks to it.
                    if (Modello() == 7777) (*ui)->AttendiMsg(QStringLiteral("Com Error 1011"), vbOK);
                    sim->Termina();
                    passo = 2;
                }
            } else if (passo == 2 && (Modello() != 7777 || (*ui)->Restanti().empty())) {
                passo = 3;
            } else if (passo == 3) {
                (*ui)->AttendiMsg(kConferma, vbOK);
                if (caso.staccata) (*ui)->AttendiMsg(QStringLiteral("(scollegato?)"), vbCancel, true);
                // A wired central that answers nothing to the close is
                // reported once the keys are stored.
                else if (Modello() == 4010)
                    (*ui)->AttendiMsg(QStringLiteral("La Centrale non risponde: verificare i collegamenti\n"
                                                     "I voti ricevuti sono stati registrati"),
                                      vbOK);
                passo = 4;
                f->cmdVoto(3)->click();
                return true;
            }
            return false;
        });
        EXPECT_EQ(passo, 4);
        EXPECT_EQ(iModoVoto, 0);
        EXPECT_FALSE(oVoto.RaccoglieTasti());
        EXPECT_FALSE(oComTLV.PortOpen());
        const auto voti = Voti();
        ASSERT_EQ(voti.size(), righe + 1);
        EXPECT_EQ(voti.back().favorevoli, 1);
        EXPECT_EQ(voti.back().contrari, 1);
        EXPECT_EQ(voti.back().voti, PerCodice({{1, u'3'}, {2, u'6'}}, u'0'));
        EXPECT_EQ(LettereEventi().mid(LettereEventi().size() - 3), (QStringList{"V", "T", "H"}));
        EXPECT_TRUE(f->cmdVoto(0)->isEnabled());
    }
}

// A frame spoilt on the line (one byte xor 55) mid-vote: the byte given by
// its index from 0.
class TramaGuastaE2E : public VotoE2E {};

TEST_P(TramaGuastaE2E, GarbledFrameCreditsNobodyAndLaterKeysCount)
{
    // 4010 "V00" + unit + "0[" + key: the head, the unit's last digit, the
    // terminator, the key.  7777: the start byte, the high unit nibble, the
    // key code.
    const std::vector<int> byte = Modello() == 4010 ? std::vector<int>{0, 5, 7, 8} : std::vector<int>{0, 3, 4};
    for (int b : byte) {
        SCOPED_TRACE(b);
        if (!f) {
            Prepara(u'P');
            ASSERT_FALSE(HasFatalFailure());
        } else {
            f->cmdVoto(2)->click();
            for (int codice = 3; codice <= 7; ++codice)
                if (!Presente(codice)) Clic(codice);
        }
        const size_t righe = Voti().size();
        ContaAperture();
        int passo = 0;
        Vota([&] {
            if (passo == 0 && CentraleInVoto()) {
                sim->Comando(QStringLiteral("garble %1").arg(b));
                Tasti({{1, "yes"}});
                Tasti({{2, "no"}});
                passo = 1;
            } else if (passo == 1 && iVotiRicevuti >= 1) {
                // Unit 2's key came after the spoilt frame: only it counts.
                EXPECT_EQ(iVotiRicevuti, 1);
                EXPECT_EQ(QString(cVoti.At(1)), QStringLiteral("0"));
                EXPECT_EQ(QString(cVoti.At(2)), QStringLiteral("6"));
                for (int codice = 3; codice <= 8; ++codice)
                    EXPECT_EQ(QString(cVoti.At(codice)), QStringLiteral("0")) << codice;
                Tasti({{1, "yes"}});
                passo = 2;
            } else if (passo == 2 && iVotiRicevuti >= 2) {
                (*ui)->AttendiMsg(kConferma, vbOK);
                passo = 3;
                f->cmdVoto(3)->click();
                return true;
            }
            return false;
        });
        EXPECT_EQ(passo, 3);
        const auto voti = Voti();
        ASSERT_EQ(voti.size(), righe + 1);
        EXPECT_EQ(voti.back().voti, PerCodice({{1, u'3'}, {2, u'6'}}, u'0'));
        EXPECT_EQ(voti.back().favorevoli, 1);
        EXPECT_EQ(voti.back().contrari, 1);
        EXPECT_EQ(voti.back().astenuti, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Centrali, VotoE2E, ::testing::Values(4010, 7777), NomeModello);

}  // namespace

INSTANTIATE_TEST_SUITE_P(Centrali, VotoATempoE2E, ::testing::Values(4010, 7777), NomeModello);
INSTANTIATE_TEST_SUITE_P(Centrali, CentralePersaE2E, ::testing::Values(4010, 7777), NomeModello);
INSTANTIATE_TEST_SUITE_P(Centrali, TramaGuastaE2E, ::testing::Values(4010, 7777), NomeModello);
