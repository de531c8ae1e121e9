// Keys from obx-sim through the real link on a pseudo-terminal.
#include "support/LinkFixture.h"

#include "Seggi.h"

using namespace obx;
using namespace obx::test;

namespace {

class Centrale : public LinkTest {
protected:
    void SetUp() override
    {
        LinkTest::SetUp();
        Assemblea(1);
        Seggi(30);
        iPortaTLV = kPorta;
        iModoOBX = kCablaggioVotatori;
        iPrimoTLV = 1;
        iUltimoTLV = 30;
        iConfigOBX = kOpzVerificaRisposta;
        cTipoVoto = QStringLiteral("P");
    }
    void TearDown() override
    {
        iModoOBX = 0;
        LinkTest::TearDown();
    }
    // Collects until seat k has keyed.
    bool Raccoglie(int k)
    {
        return Finche(
            [&] {
                VotiDaCentrale(0.2);
                return cTastiRicevuti.At(k) != QChar(0);
            },
            5000);
    }
};

}  // namespace

TEST_F(Centrale, SplitFramesOfBothModelsAreRecordedAndLateKeysAreNot)
{
    for (int modello : {4010, 7777}) {
        SCOPED_TRACE(modello);
        iProtocolloTLV = modello;
        Avvia({QStringLiteral("--device"), QString::number(modello), QStringLiteral("--split"), QStringLiteral("2"),
               QStringLiteral("--gap"), QStringLiteral("30")});
        IniziaVoto(cTipoVoto, false, false);
        ASSERT_TRUE(ApreVotazione(1));
        if (modello == 4010) {
            ASSERT_TRUE(sim->AttendeRiga(QStringLiteral("EV open")));
            EXPECT_EQ(sim->Conta(QStringLiteral("RX Mp 1111")), 1);
            sim->Comando(QStringLiteral("key 26 yes 3 no"));
            sim->Comando(QStringLiteral("block 8 5 5 0 0 0 0 0 0"));
        } else {
            ASSERT_TRUE(sim->AttendeRiga(QStringLiteral("RX BB")));
            sim->Comando(QStringLiteral("key 26 yes"));
            sim->Comando(QStringLiteral("garble 2"));
            sim->Comando(QStringLiteral("key 4 no"));
            sim->Comando(QStringLiteral("key 3 no"));
            sim->Comando(QStringLiteral("key 8 abstain"));
            sim->Comando(QStringLiteral("key 9 abstain"));
        }
        ASSERT_TRUE(Raccoglie(26));
        ASSERT_TRUE(Raccoglie(9));
        EXPECT_EQ(cVoti.At(26), u'3');
        EXPECT_EQ(cVoti.At(3), u'6');
        EXPECT_EQ(cVoti.At(8), u'5');
        EXPECT_EQ(cVoti.At(9), u'5');
        EXPECT_EQ(iVotiRicevuti, 4);  // the garbled frame gave nothing
        EXPECT_TRUE(cResiduoTLV.isEmpty());

        const ChiusuraVoto r = ChiudeSpoglio(kChiusura);
        ASSERT_TRUE(r.xEseguita);
        EXPECT_EQ(r.iFavorevoli, 1);
        EXPECT_EQ(r.iContrari, 1);
        EXPECT_EQ(r.iAstenuti, 2);
        EXPECT_FALSE(oComTLV.PortOpen());
        // Whatever is still read after the tally is not recorded.
        EXPECT_EQ(ElaboraTasti(modello == 4010 ? QStringLiteral("V000010[3")
                                               : QString(QChar(0xF1)) + QChar(1) + QChar(0) + QChar(0) + QChar(10)),
                  0);
        EXPECT_EQ(cVoti.At(1), u'0');
        sim.reset();
    }
}
