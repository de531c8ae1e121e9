#include <gtest/gtest.h>

#include "Seggi.h"

using namespace obx;
using namespace obx::test;

TEST(MappaUnita, BlocksOfEightFromTheRangeAndTheUnitsInUse)
{
    aPosti.assign(1, Posto{});
    struct Caso {
        int primo, ultimo;
        QString inizio;
    };
    const Caso casi[] = {
        {1, 24, QStringLiteral("1111")},  // units 0-7, 8-15, 16-23, 24-31
        {5, 5, QStringLiteral("1")},
        {0, -1, QString()},
    };
    for (const Caso& c : casi) {
        const QString m = MappaUnita(c.primo, c.ultimo);
        ASSERT_EQ(m.size(), 512);
        EXPECT_EQ(m, c.inizio + QString(512 - c.inizio.size(), u'0')) << c.primo << "-" << c.ultimo;
    }
    // A reserve unit handed out to a seat is enabled too; units beyond the
    // map are left out instead of growing it.
    Seggi(1);
    aPosti[1].iVotatoreUso = 100;
    const QString m = MappaUnita(1, 5000);
    EXPECT_EQ(m.size(), 512);
    EXPECT_EQ(m, QString(512, u'1'));
    const QString r = MappaUnita(1, 7);
    EXPECT_EQ(r.at(0), u'1');
    EXPECT_EQ(r.at(12), u'1');
    EXPECT_EQ(r.count(u'1'), 2);
}

TEST(MessaggiCentrale, MapAndOpenCommandOfEachModel)
{
    aPosti.assign(1, Posto{});
    const auto m4010 = MessaggiMappa(4010, 1, 24);
    ASSERT_EQ(m4010.size(), 1u);
    EXPECT_EQ(m4010[0].cDati, QStringLiteral("Mp 1111") + QString(508, u'0'));
    EXPECT_EQ(m4010[0].iLenRisposta, 2);
    EXPECT_EQ(m4010[0].cRisposta, QStringLiteral("Ok"));
    EXPECT_TRUE(MessaggiMappa(7777, 1, 24).empty());

    const std::vector<MessaggioCentrale> a4010{{QStringLiteral("Av 61"), 2, QStringLiteral("p1")},
                                               {QStringLiteral("Sf"), 2, QStringLiteral("p2")}};
    EXPECT_EQ(MessaggiApertura(4010, 1), a4010);
    const auto quattro = MessaggiApertura(4010, 4);
    ASSERT_EQ(quattro.size(), 5u);
    EXPECT_EQ(quattro[4].cRisposta, QStringLiteral("Ok"));
    const std::vector<MessaggioCentrale> a7777{{QString(QChar(0xBB)), 0, QString()}};
    EXPECT_EQ(MessaggiApertura(7777, 1), a7777);
}

TEST(DatiApertura, ModePanelEventAndTitleByKind)
{
    struct Caso {
        const char* tipo;
        bool prova;
        bool imm;
        int modo;
        int quadro;
        bool led;
        const char* evento;
        const char* titolo;
        int unico;
    };
    const Caso casi[] = {
        {"A", false, false, 9, 42, false, "V", "AUTOCERTIFICAZIONE PRESENZA", -1},
        {"V", false, false, 33, 34, false, "V", "VERIFICA NUMERO LEGALE", -1},
        {"W", false, false, 49, 42, false, "V", "VERIFICA NUMERO LEGALE", 0},
        {"J", false, false, 17, 10, false, "V", "VOTAZIONE NOMINALE", 0},
        {"P", false, false, 1, 0, true, "V", "VOTAZIONE PALESE APERTA", -1},
        {"P", false, true, 1, 0, true, "W", "VOTAZIONE PALESE APERTA", -1},
        {"M", false, false, 1, 0, true, "V", "VOTO MODIFICA OdG APERTO", -1},
        {"H", false, false, 1, 0, true, "V", "VOTAZIONE SEGRETA APERTA", -1},
        {"C", false, false, 1, 0, true, "V", "VOTAZIONE DI CONTROPROVA", -1},
        {"I", false, false, 1, 0, true, "V", "VOTAZIONE NOMINALE", -1},
        {"R", false, false, 1, 0, true, "V", "VOTAZIONE RINVIO A COMMISSIONE", -1},
        {"S", false, false, 1, 0, true, "V", "VOTAZIONE RINVIO AD ALTRA SEDUTA", -1},
        {"-", false, false, 1, 0, true, "V", "", -1},
        {"A", true, false, 10, 0, true, "", "PROVA VOTAZIONE", -1},
        {"W", true, false, 50, 0, true, "", "PROVA VOTAZIONE", -1},
        {"P", true, false, 2, 0, true, "", "PROVA VOTAZIONE", -1},
    };
    for (const Caso& c : casi) {
        const AperturaTipo a = DatiApertura(QString::fromLatin1(c.tipo), c.prova, c.imm);
        SCOPED_TRACE(std::string(c.tipo) + (c.prova ? " test" : ""));
        EXPECT_EQ(a.iModoVoto, c.modo);
        EXPECT_EQ(a.iQuadro, c.quadro);
        EXPECT_EQ(a.xAzzeraLed, c.led);
        EXPECT_EQ(a.cEvento, QString::fromLatin1(c.evento));
        EXPECT_EQ(a.cTitolo, QString::fromLatin1(c.titolo));
        EXPECT_EQ(a.iVotanteUnico, c.unico);
    }
}

TEST(IniziaVoto, ResetsThePerVoteStateAndOpensTheGuard)
{
    Assemblea(1);
    Seggi(3);
    cVoti.Set(2, u'3');
    cTastiRicevuti.Set(2, QChar(2));
    iVotiRicevuti = 1;
    aPosti[2].cVoto = QStringLiteral("3");
    cResiduoTLV = QStringLiteral("V00");
    cLedVoti = QString(48, u'2');
    cTipoVoto = QStringLiteral("P");
    const int id = IniziaVoto(cTipoVoto, false, false);
    EXPECT_EQ(iModoVoto, 1);
    EXPECT_EQ(cVoti.Testo(), QString(120, u'0'));
    EXPECT_EQ(cTastiRicevuti.Testo(), QString(120, QChar(0)));
    EXPECT_EQ(iVotiRicevuti, 0);
    EXPECT_EQ(aPosti[2].cVoto, QStringLiteral("0"));
    EXPECT_TRUE(cResiduoTLV.isEmpty());
    EXPECT_EQ(cLedVoti, QString(48, u'0'));
    EXPECT_TRUE(oVoto.RaccoglieTasti());
    EXPECT_EQ(oVoto.Id(), id);
    EXPECT_GT(IniziaVoto(cTipoVoto, false, false), id);
}
