#include <gtest/gtest.h>

#include "Seggi.h"
#include "console/Quorum.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"

using namespace obx;
using namespace obx::test;

namespace {

class Tasti : public ::testing::Test {
protected:
    void SetUp() override
    {
        ImpostaConfigurazionePredefinita();
        AzzeraStatoSeduta();
        Assemblea(1);
        Seggi(30);
    }
    void Apre(const char* tipo, int protocollo = 4010, bool prova = false)
    {
        iProtocolloTLV = protocollo;
        cTipoVoto = QString::fromLatin1(tipo);
        IniziaVoto(cTipoVoto, prova, false);
    }
    static QString Byte(std::initializer_list<int> b)
    {
        QString s;
        for (int v : b) s += QChar(v);
        return s;
    }
    static QChar Voto(int codice) { return cVoti.At(codice); }
};

}  // namespace

TEST_F(Tasti, TextFrameOfOneUnitAndOfABlockOfEight)
{
    Apre("P");
    EXPECT_EQ(ElaboraTasti(QStringLiteral("V0001A0[3")) & kTastoRegistrato, kTastoRegistrato);
    EXPECT_EQ(Voto(26), u'3');
    EXPECT_EQ(aPosti[26].cVoto, QStringLiteral("3"));
    EXPECT_EQ(cTastiRicevuti.At(26), QChar(26));

    std::vector<TastoVoto> t;
    ElaboraTasti(QStringLiteral("V000100(3 6 5 3 0 0 0 0 "), &t);
    EXPECT_EQ(Voto(16), u'3');
    EXPECT_EQ(Voto(17), u'6');
    EXPECT_EQ(Voto(18), u'5');
    EXPECT_EQ(Voto(19), u'3');
    for (int u = 20; u <= 23; ++u) EXPECT_EQ(Voto(u), u'0') << u;
    EXPECT_EQ(iVotiRicevuti, 5);
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[0].iPosto, 16);
    EXPECT_TRUE(t[0].xPrimo);
    EXPECT_TRUE(t[0].xTogliVotanti);
}

TEST_F(Tasti, TextEndOfDataAndPendingData)
{
    Apre("P");
    EXPECT_EQ(ElaboraTasti(QStringLiteral("?")), kTastiPendenti);
    EXPECT_EQ(iFlagQuorum & kQuorumDatiPendenti, kQuorumDatiPendenti);
    ElaboraTasti(QStringLiteral("V000010[3"));
    EXPECT_EQ(iFlagQuorum & kQuorumDatiPendenti, 0);
    EXPECT_EQ(ElaboraTasti(QStringLiteral("@")) & kTastiFine, kTastiFine);
    EXPECT_EQ(iModoVoto, 0);
    // The vote stays to be closed by the operator, but nothing more is taken.
    EXPECT_EQ(ElaboraTasti(QStringLiteral("V000020[3")), 0);
    EXPECT_EQ(Voto(2), u'0');
    EXPECT_TRUE(oVoto.RaccoglieTasti());
}

TEST_F(Tasti, SplitFramesWaitForTheirTailAndNeverGiveAnEmptyKey)
{
    for (int protocollo : {4010, 7777}) {
        SCOPED_TRACE(protocollo);
        Apre("P", protocollo);
        const QString frame = protocollo == 4010 ? QStringLiteral("V0001A0[6V000020(3 5 6 0 0 0 0 0 ")
                                                 : Byte({0xF1, 0x0A, 0x01, 0x00, 0x0B, 0xF1, 0x02, 0x00, 0x00, 0x0A});
        // Every cut of the stream gives the same keys as the whole.
        for (int cut = 1; cut < frame.size(); ++cut) {
            IniziaVoto(cTipoVoto, false, false);
            ElaboraTasti(frame.left(cut));
            EXPECT_NE(aPosti[26].cVoto, QString()) << cut;
            ElaboraTasti(frame.mid(cut));
            EXPECT_EQ(Voto(26), u'6') << cut;
            EXPECT_EQ(Voto(2), u'3') << cut;
            EXPECT_TRUE(cResiduoTLV.isEmpty()) << cut;
        }
        EXPECT_EQ(iVotiRicevuti, protocollo == 4010 ? 4 : 2);
    }
    // A read ending in F1 0A keeps those two bytes for the next.
    Apre("P", 7777);
    ElaboraTasti(Byte({0xF1, 0x0A}));
    EXPECT_EQ(cResiduoTLV, Byte({0xF1, 0x0A}));
    ElaboraTasti(Byte({0x01, 0x00, 0x0A}));
    EXPECT_EQ(Voto(26), u'3');
    EXPECT_TRUE(cResiduoTLV.isEmpty());
}

TEST_F(Tasti, RadioFramesTakeTheLowBitsWhateverTheHighBitsHold)
{
    // Unit 26 (1A) keys yes, unit 4 abstains, unit 7 says no: the same
    // frames with the high bits of the four data bytes clear and set.
    struct Caso {
        const char* nome;
        int alti;
    };
    const Caso casi[] = {{"clear", 0x00}, {"3", 0x30}, {"5", 0x50}, {"A", 0xA0}, {"E", 0xE0}};
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        Apre("P", 7777);
        const int h = c.alti;
        std::vector<TastoVoto> t;
        ElaboraTasti(Byte({0xF1, h | 0x0A, h | 0x01, h | 0x00, h | 0x0A, 0xF2, h | 0x04, h, h, h | 0x0C, 0xF3, h | 0x07,
                           h, h, h | 0x0B}),
                     &t);
        ASSERT_EQ(t.size(), 3u);
        EXPECT_EQ(Voto(26), u'3');
        EXPECT_EQ(Voto(4), u'5');
        EXPECT_EQ(Voto(7), u'6');
        EXPECT_EQ(iVotiRicevuti, 3);
        EXPECT_TRUE(cResiduoTLV.isEmpty());
    }
    // The frame of a radio whose units set those bits: F1 31 30 30 3A is
    // unit 1 keying yes.
    Apre("P", 7777);
    ElaboraTasti(Byte({0xF1, 0x31, 0x30, 0x30, 0x3A}));
    EXPECT_EQ(Voto(1), u'3');
}

TEST_F(Tasti, RadioFramesAfterALostByteOrARequestToSpeak)
{
    Apre("P", 7777);
    // The request to speak is no key during a vote; the next frame counts.
    std::vector<TastoVoto> t;
    ElaboraTasti(Byte({0xF1, 0x03, 0x00, 0x00, 0x0D, 0xF1, 0x04, 0x00, 0x00, 0x0C}), &t);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].iPosto, 4);
    EXPECT_EQ(Voto(3), u'0');
    EXPECT_EQ(Voto(4), u'5');
    // A frame cut short by lost bytes gives way to the next frame's head,
    // read the same way when its tail comes with the next read.
    ElaboraTasti(Byte({0xF1, 0x05, 0x00, 0xF1, 0x06, 0x00, 0x00, 0x0B}));
    EXPECT_EQ(Voto(5), u'0');
    EXPECT_EQ(Voto(6), u'6');
    ElaboraTasti(Byte({0xF2, 0x08, 0x00, 0x00, 0xF2, 0x09}));
    ElaboraTasti(Byte({0x00, 0x00, 0x0A}));
    EXPECT_EQ(Voto(8), u'0');
    EXPECT_EQ(Voto(9), u'3');
    EXPECT_EQ(cVoti.Conta(u'0'), 117);
    EXPECT_TRUE(cResiduoTLV.isEmpty());

    // A text frame with an unknown unit digit or terminator gives no key.
    Apre("P", 4010);
    ElaboraTasti(QStringLiteral("V00\x64") + QStringLiteral("1A0[3") + QStringLiteral("V0001A0[7") +
                 QString(QChar(u'V' ^ 0x55)) + QStringLiteral("000030[3V000040[5"));
    EXPECT_EQ(cVoti.Conta(u'0'), 119);
    EXPECT_EQ(Voto(4), u'5');
}

TEST_F(Tasti, RulesOfEachSeatByMode)
{
    // An absent member keying in an ordinary vote cannot vote: "*", listed.
    Apre("P");
    aPosti[7].iStato = 8;
    std::vector<TastoVoto> t;
    ElaboraTasti(QStringLiteral("V000070[3"), &t);
    EXPECT_EQ(aPosti[7].cVoto, QStringLiteral("*"));
    EXPECT_EQ(Voto(7), u'0');
    EXPECT_EQ(iVotiRicevuti, 0);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_TRUE(t[0].xAggiungiAssenti);
    // A second key of a seat replaces its vote and is not counted again.
    ElaboraTasti(QStringLiteral("V000080[3V000080[6"));
    EXPECT_EQ(Voto(8), u'6');
    EXPECT_EQ(iVotiRicevuti, 1);
    // Not a voting member, declared absent, an unknown unit, unit 0: nothing.
    aPosti[9].iStato = 1;
    aPosti[10].iStato = 25;
    ElaboraTasti(QStringLiteral("V000090[3V0000A0[3V000FF0[3V000000[3"));
    EXPECT_EQ(iVotiRicevuti, 1);

    // Roll call: every accepted key is "+", an absent member enters.
    Apre("A");
    t.clear();
    ElaboraTasti(QStringLiteral("V000070[5V000030[3"), &t);
    EXPECT_EQ(Voto(7), u'+');
    EXPECT_EQ(Voto(3), u'+');
    EXPECT_EQ(iVotiRicevuti, 2);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_TRUE(t[0].xEntra);
    EXPECT_FALSE(t[0].xAggiungiAssenti);
    EXPECT_FALSE(t[1].xEntra);

    // By call: only the called unit.
    Apre("J");
    ElaboraTasti(QStringLiteral("V000030[3"));
    EXPECT_EQ(Voto(3), u'0');
    iVotanteUnico = 3;
    ElaboraTasti(QStringLiteral("V000040[3V000030[6"));
    EXPECT_EQ(Voto(4), u'0');
    EXPECT_EQ(Voto(3), u'6');
}

TEST_F(Tasti, AKeyGoesToTheSeatThatHoldsTheUnit)
{
    Apre("P");
    // A reserve unit handed out is the seat's unit.
    aPosti[5].iVotatoreAN = aPosti[5].iVotatoreUso = 200;
    ElaboraTasti(QStringLiteral("V000C80[3"));
    EXPECT_EQ(Voto(5), u'3');
    // Two present members exchanged their places (and units): the unit in
    // use stays with each person, the key goes to whoever holds the unit.
    std::swap(aPosti[2].iVotatoreAN, aPosti[3].iVotatoreAN);
    ElaboraTasti(QStringLiteral("V000020[6V000030[5"));
    EXPECT_EQ(Voto(3), u'6');
    EXPECT_EQ(Voto(2), u'5');
    // An absent owner moved away still naming unit 6 in use.
    aPosti[6].iStato = 8;
    aPosti[6].iVotatoreAN = 11;
    aPosti[11].iVotatoreAN = 6;
    aPosti[11].iVotatoreUso = 11;
    ElaboraTasti(QStringLiteral("V000060[6"));
    EXPECT_EQ(Voto(11), u'6');
    EXPECT_EQ(aPosti[6].cVoto, QStringLiteral("0"));
    EXPECT_EQ(iVotiRicevuti, 4);
}

TEST_F(Tasti, KeysAreShownOnTheLedMapInATestOrWhenTheOptionAsksButNeverInSecret)
{
    struct Caso {
        const char* tipo;
        bool prova;
        int opzione;
        bool mostra;
    };
    const Caso casi[] = {
        {"P", true, 0, true}, {"P", false, 4096, true}, {"H", false, 4096, false}, {"P", false, 0, false}};
    for (const Caso& c : casi) {
        SCOPED_TRACE(std::string(c.tipo) + std::to_string(c.opzione));
        iConfigOBX = c.opzione;
        Apre(c.tipo, 4010, c.prova);
        const int r = ElaboraTasti(QStringLiteral("V000010[3V000020[6V000030[5"));
        EXPECT_EQ((r & kTastoLed) != 0, c.mostra);
        EXPECT_EQ(cLedVoti, c.mostra ? QStringLiteral("213") + QString(45, u'0') : QString(48, u'0'));
        EXPECT_EQ(cLedQuadro, cLedVoti);
    }
}

TEST_F(Tasti, KeysAfterTheTallyAreNeverRecorded)
{
    Apre("P");
    ElaboraTasti(QStringLiteral("V000010[3V00002"));
    EXPECT_FALSE(cResiduoTLV.isEmpty());
    ASSERT_TRUE(ChiudeSpoglio(kChiusura).xEseguita);
    const QString voti = cVoti.Testo();
    EXPECT_EQ(ElaboraTasti(QStringLiteral("0[6V000030[3")), 0);
    EXPECT_EQ(MemorizzaVoti(4, QStringLiteral("3")), 0);
    // Even with the mode set again by mistake, the guard is closed.
    iModoVoto = 1;
    EXPECT_EQ(MemorizzaVoti(4, QStringLiteral("3")), 0);
    EXPECT_EQ(cVoti.Testo(), voti);
    EXPECT_EQ(iVotiRicevuti, 1);
    EXPECT_TRUE(cResiduoTLV.isEmpty());
}
