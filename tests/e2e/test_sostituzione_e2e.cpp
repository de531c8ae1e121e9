// The keys of a sitting whose seats changed hands, against the simulated
// central: the councillor who took the chair's place votes with the chair's
// unit; the central's handshake from the keyboard leaves the last vote's
// keypad trace alone; radio keypads that set the spare bits of their
// frames are heard.
#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>

#include "BancoE2E.h"
#include "console/frmScambio.h"
#include "console/frmTasti.h"
#include "support/AlComparire.h"

using namespace obx;
using namespace obx::test;

namespace {

class SostituzioneE2E : public BancoE2E {};

TEST_P(SostituzioneE2E, TheCouncillorInTheChairsPlaceVotesWithTheChairsUnit)
{
    Prepara(u'P');
    ASSERT_FALSE(HasFatalFailure());
    const int presidente = Seggio(1);
    const int consigliere = Seggio(3);
    ASSERT_EQ(aPosti[size_t(presidente)].cTipoAN, QStringLiteral("P"));
    ASSERT_EQ(aPosti[size_t(presidente)].iVotatoreAN, 1);
    ASSERT_EQ(aPosti[size_t(consigliere)].iVotatoreAN, 3);

    // The chair is replaced by the councillor of code 3 and leaves.
    const QString uscente = aPosti[size_t(presidente)].cNomeAN;
    const QString entrante = aPosti[size_t(consigliere)].cNomeAN;
    AlComparire<frmTasti>([](frmTasti* d) {
        d->optTasto(1)->setChecked(true);
        d->cmdTasti(0)->click();
    });
    AlComparire<frmScambio>([&](frmScambio* d) {
        for (int k = 0; k < 2; ++k) {
            const QString& nome = k == 0 ? uscente : entrante;
            for (int i = 0; i < d->cmbScambio(k)->ListCount(); ++i)
                if (d->cmbScambio(k)->List(i) == nome) d->cmbScambio(k)->SetListIndex(i);
        }
        d->chkEsce()->setChecked(true);
        d->cmdScambio(0)->click();
    });
    f->txtAnag_MouseDown(aPosti[size_t(presidente)].iPulsanteAN, 1, 2, 0, 0);
    ASSERT_EQ(aPosti[size_t(consigliere)].iVotatoreAN, 1);
    ASSERT_EQ(aPosti[size_t(consigliere)].cTipoAN, QStringLiteral("P"));
    ASSERT_FALSE(Presente(1));
    ASSERT_TRUE(Presente(3));
    // The substitution is logged with the name of who took over.
    const auto ev = Eventi();
    ASSERT_FALSE(ev.empty());
    EXPECT_EQ(ev.back().lettera, QStringLiteral("P"));
    EXPECT_EQ(ev.back().nome, entrante);
    EXPECT_EQ(ev.back().extra.trimmed(), uscente.trimmed());

    // Unit 1 (the chair's, now the councillor's) yes, unit 2 no, and unit 3,
    // now the absent former chair's, no: that one cannot vote.  Were the
    // keys credited to whoever used a unit before, the councillor would be
    // the one voting no.
    const size_t righe = Voti().size();
    VotaEChiude([&] { Tasti({{1, "yes"}, {2, "no"}, {3, "no"}}); }, 2);
    const auto voti = Voti();
    ASSERT_EQ(voti.size(), righe + 1);
    EXPECT_EQ(voti.back().voti, PerCodice({{3, u'3'}, {2, u'6'}}, u'0'));
    EXPECT_EQ(voti.back().favorevoli, 1);
    EXPECT_EQ(voti.back().contrari, 1);
    EXPECT_EQ(voti.back().votanti, Votanti({2, 3}));
}

TEST_P(SostituzioneE2E, TheHandshakeFromTheKeyboardLeavesTheLastVotesTraceAlone)
{
    iTraccia = 2;
    Prepara(u'P');
    ASSERT_FALSE(HasFatalFailure());
    VotaEChiude([&] { Tasti({{1, "yes"}}); }, 1);
    QFile traccia(cCartella + QStringLiteral("voto0001.txt"));
    ASSERT_TRUE(traccia.open(QIODevice::ReadOnly));
    const QByteArray voto = traccia.readAll();
    traccia.close();
    ASSERT_TRUE(voto.contains("Rx:")) << voto.constData();

    // Ctrl+F11: the central gets its "Sf", the trace stays the vote's.
    const int prima = sim->Conta(QStringLiteral("RX "));
    servizi->keys.ctrl = true;
    int tasto = 122;
    f->Form_KeyDown(tasto, 2);
    servizi->keys.ctrl = false;
    EXPECT_TRUE(Finche([&] { return sim->Conta(QStringLiteral("RX ")) > prima; }));
    ASSERT_TRUE(traccia.open(QIODevice::ReadOnly));
    EXPECT_EQ(traccia.readAll(), voto);
    iTraccia = 0;
}

INSTANTIATE_TEST_SUITE_P(Centrali, SostituzioneE2E, ::testing::Values(4010, 7777), NomeModello);

class RadioE2E : public SostituzioneE2E {};

TEST_P(RadioE2E, KeyFramesCountWhateverTheirSpareBitsHold)
{
    Prepara(u'P');
    ASSERT_FALSE(HasFatalFailure());
    // Unit 1 yes, unit 2 no, unit 5 abstain, with the high bits of the
    // data bytes set as some radios set them.
    VotaEChiude(
        [&] {
            sim->Comando(QStringLiteral("hex F1 31 30 30 3A"));
            sim->Comando(QStringLiteral("hex F1 52 50 50 5B"));
            sim->Comando(QStringLiteral("hex F2 E5 E0 E0 EC"));
        },
        3);
    const auto voti = Voti();
    ASSERT_FALSE(voti.empty());
    EXPECT_EQ(voti.back().voti, PerCodice({{1, u'3'}, {2, u'6'}, {5, u'5'}}, u'0'));
    EXPECT_EQ(voti.back().favorevoli, 1);
    EXPECT_EQ(voti.back().contrari, 1);
    EXPECT_EQ(voti.back().astenuti, 1);
}

INSTANTIATE_TEST_SUITE_P(Centrali, RadioE2E, ::testing::Values(7777), NomeModello);

}  // namespace
