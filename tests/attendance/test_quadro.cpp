// The vote panel (counters, per-seat colours, LED map, projected board),
// the vote totals on the projected board, and the console's handlers of the
// quorum kind, the vote kind and "Im. Es.".
#include <QCheckBox>
#include <QFrame>
#include <QLabel>

#include "BancoPresenze.h"
#include "board/Etichetta.h"
#include "board/frmVideo.h"
#include "console/ColoriPosti.h"
#include "console/Quorum.h"
#include "links/Tabellone.h"
#include "platform/Elenchi.h"

namespace obx::test {
namespace {

class Quadro : public BancoPresenze {
protected:
    void SetUp() override
    {
        BancoPresenze::SetUp();
        iTipoTAB = 1;
    }
    // Seats by short name: state and key.
    static void Metti(const char* breve, int stato, const char* voto)
    {
        Posto& p = aPosti[size_t(Seggio(breve))];
        p.iStato = stato;
        p.cVoto = QString::fromLatin1(voto);
    }
    static QChar Led(const char* breve) { return cLedQuadro.at(aPosti[size_t(Seggio(breve))].iPannelloAN - 1); }
    static int32_t Sfondo(frmCons* f, const char* breve)
    {
        return f->txtAnag(aPosti[size_t(Seggio(breve))].iPulsanteAN)->BackColor();
    }
    static int32_t Tinta(const char* breve)
    {
        return frmVideo().txtAnag(aPosti[size_t(Seggio(breve))].iPulsanteAN)->ForeColor();
    }
    // An ordinary vote just tallied: yes, no, abstain, a present member not
    // voting, an absent member, one who keyed while absent.
    static void VotoChiuso()
    {
        Metti("ROSSI M.", 9, "3");
        Metti("BIANCHI L.", 9, "6");
        Metti("VERDI A.", 9, "5");
        Metti("ESPOSITO G.", 9 | 4, "0");
        Metti("ROMANO F.", 8, "0");
        Metti("COLOMBO S.", 8, "*");
        Metti("RICCI P.", 9, "3");
        Metti("MARINO E.", 8 | 16, "0");
        iPresenti = 5;
        iFavorevoli = 2;
        iContrari = 1;
        iAstenuti = 1;
        cTipoVoto = QStringLiteral("P");
    }
};

TEST_F(Quadro, VotoChiusoColoriMappaEContatori)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    frmVideo();
    VotoChiuso();
    f->AggiornaQuadroVoti(kQuadroRisultato | kQuadroTabelloni);

    struct Atteso {
        const char* breve;
        int32_t sfondo;
        char led;
        int tinta;
    };
    const Atteso attesi[] = {
        {"ROSSI M.", kColoreFavorevole, '2', 2},   {"BIANCHI L.", kColoreContrario, '1', 3},
        {"VERDI A.", kColoreAstenuto, '3', 4},     {"ESPOSITO G.", kColoreNonVotante, '7', 14},
        {"ROMANO F.", kColoreNonVotante, '0', 15}, {"COLOMBO S.", kColoreAssente, '0', 15},
        {"MARINO E.", kColoreNonVotante, '0', 15},  // no key: as the absent who did not key
    };
    for (const Atteso& a : attesi) {
        EXPECT_EQ(Sfondo(f, a.breve), a.sfondo) << a.breve;
        EXPECT_EQ(Led(a.breve), QChar(a.led)) << a.breve;
        EXPECT_EQ(Tinta(a.breve), cColoriTabVideo[size_t(a.tinta)]) << a.breve;
    }
    EXPECT_EQ(f->lblVoto(3)->text(), QStringLiteral("02"));
    EXPECT_EQ(f->lblVoto(4)->text(), QStringLiteral("01"));
    EXPECT_EQ(f->lblVoto(5)->text(), QStringLiteral("01"));
    EXPECT_EQ(f->lblVoto(6)->text(), QStringLiteral("01"));
    EXPECT_EQ(f->lblVoto(0)->text(), QStringLiteral("03"));

    // The total of voters counts the abstentions when the option says so.
    iConfigOBX = kOpzVotantiAstenuti;
    f->AggiornaQuadroVoti(kQuadroRisultato);
    EXPECT_EQ(f->lblVoto(0)->text(), QStringLiteral("04"));
}

TEST_F(Quadro, PresenteNonVotanteRestaPresenteNelRisultato)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    FrmVideo& video = frmVideo();
    const auto font = cFont;
    cFont[1] = QStringLiteral("Arial,B,18");
    cFont[4] = QStringLiteral("Arial,S,14");
    VotoChiuso();
    const int k = aPosti[size_t(Seggio("ESPOSITO G."))].iPulsanteAN;
    video.Presenza(false, k);
    f->AggiornaQuadroVoti(kQuadroRisultato | kQuadroTabelloni);
    // In the chamber without a key: drawn present, in the not-voting colour.
    EXPECT_EQ(Sfondo(f, "ESPOSITO G."), kColoreNonVotante);
    EXPECT_EQ(Led("ESPOSITO G."), u'7');
    EXPECT_EQ(video.txtAnag(k)->ForeColor(), cColoriTabVideo[14]);
    EXPECT_TRUE(video.txtAnag(k)->font().bold());  // the present look
    EXPECT_FALSE(video.txtAnag(k)->font().strikeOut());
    // The regional assembly does not flash them on the LED board.
    iTipoAssemblea = 4;
    f->AggiornaQuadroVoti(kQuadroRisultato | kQuadroTabelloni);
    EXPECT_EQ(Led("ESPOSITO G."), u'0');
    EXPECT_EQ(video.txtAnag(k)->ForeColor(), cColoriTabVideo[14]);
    iTipoAssemblea = 1;

    // The attendance view draws them present too, and mode 4 clears the
    // declaration.
    f->AggiornaQuadroVoti(kQuadroTabelloni);
    EXPECT_EQ(Sfondo(f, "ESPOSITO G."), kColoreNonVotante);
    EXPECT_EQ(cLedPresenze.at(aPosti[size_t(Seggio("ESPOSITO G."))].iPannelloAN - 1), u'2');
    EXPECT_EQ(aPosti[size_t(Seggio("ESPOSITO G."))].iStato & 4, 4);
    f->AggiornaQuadroVoti(kQuadroTabelloni | kQuadroAzzeraNonVotanti);
    EXPECT_EQ(aPosti[size_t(Seggio("ESPOSITO G."))].iStato & 4, 0);
    EXPECT_EQ(Sfondo(f, "ESPOSITO G."), kColoreVotante);
    cFont = font;
}

TEST_F(Quadro, ContatoriPerTipoDiVoto)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    struct Caso {
        int modo;
        bool si, altri;
    };
    const Caso casi[] = {{3, true, true}, {51, true, false}, {1 | 16, false, false}, {1 | 32, false, false}};
    for (const Caso& c : casi) {
        for (int n = 0; n <= 6; ++n) f->lblVoto(n)->setText(QStringLiteral("xx"));
        VotoChiuso();
        f->AggiornaQuadroVoti(c.modo);
        EXPECT_EQ(f->lblVoto(3)->text(), c.si ? QStringLiteral("02") : QStringLiteral("xx")) << c.modo;
        EXPECT_EQ(f->lblVoto(4)->text(), c.altri ? QStringLiteral("01") : QStringLiteral("xx")) << c.modo;
        EXPECT_EQ(f->lblVoto(5)->text(), c.altri ? QStringLiteral("01") : QStringLiteral("xx")) << c.modo;
        EXPECT_EQ(f->lblVoto(6)->text(), QStringLiteral("01")) << c.modo;
        EXPECT_EQ(f->lblVoto(0)->text(), QStringLiteral("03")) << c.modo;
    }
}

TEST_F(Quadro, VotoSegretoEAppello)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    // Secret without the option: colours kept, LED map dark.
    VotoChiuso();
    cTipoVoto = QStringLiteral("H");
    f->txtAnag(aPosti[size_t(Seggio("ROSSI M."))].iPulsanteAN)->SetBackColor(kColorePresidente);
    f->AggiornaQuadroVoti(kQuadroRisultato | kQuadroTabelloni);
    EXPECT_EQ(cLedQuadro, QString(48, u'0'));
    EXPECT_EQ(Sfondo(f, "ROSSI M."), kColorePresidente);
    // With it, who voted is shown, not how.
    iConfigOBX = kOpzMostraVotantiSegreto;
    f->AggiornaQuadroVoti(kQuadroRisultato | kQuadroTabelloni);
    for (const char* n : {"ROSSI M.", "BIANCHI L.", "VERDI A."}) {
        EXPECT_EQ(Sfondo(f, n), kColoreAstenuto) << n;
        EXPECT_EQ(Led(n), u'3') << n;
    }
    EXPECT_EQ(Led("ESPOSITO G."), u'0');

    // A roll call: "+" seats green with LED "2".
    iConfigOBX = 0;
    VotoChiuso();
    cTipoVoto = QStringLiteral("A");
    Metti("ROMANO F.", 9, "+");
    f->AggiornaQuadroVoti(kQuadroRisultato | kQuadroTabelloni);
    EXPECT_EQ(Sfondo(f, "ROMANO F."), kColoreFavorevole);
    EXPECT_EQ(Led("ROMANO F."), u'2');
}

TEST_F(Quadro, AperturaSenzaPresenzeEVistaDellePresenze)
{
    iConfigOBX = kOpzBaseSenzaNonVotanti;
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    FrmVideo& video = frmVideo();
    for (const char* n : {"ROSSI M.", "VERDI A.", "ESPOSITO G."}) f->EntraEsce(Seggio(n));
    ASSERT_EQ(iPresenti, 3);

    // Kinds whose attendance comes from the keys open with every seat out.
    f->AggiornaQuadroVoti(42);
    EXPECT_EQ(iPresenti, 0);
    for (size_t i = 1; i < aPosti.size(); ++i) {
        EXPECT_EQ(aPosti[i].iStato & 1, 0);
        EXPECT_EQ(f->txtAnag(aPosti[i].iPulsanteAN)->BackColor(), kColoreAssente);
        EXPECT_EQ(video.txtAnag(aPosti[i].iPulsanteAN)->ForeColor(), cColoriTabVideo[0]);
    }
    EXPECT_EQ(cLedQuadro, QString(48, u'0'));

    // Regional assembly: those absent at the last roll call come back.
    iTipoAssemblea = 4;
    Posto& v = aPosti[size_t(Seggio("VERDI A."))];
    v.iStato |= 64;
    f->AggiornaQuadroVoti(kQuadroAzzeraNonVotanti | kQuadroRitornoAppello);
    EXPECT_EQ(v.iStato & (1 | 64), 1);
    EXPECT_EQ(iPresenti, 1);
    EXPECT_EQ(f->txtAnag(v.iPulsanteAN)->BackColor(), kColoreVotante);
    EXPECT_EQ(f->lblVoto(1)->text(), QStringLiteral("01"));
    for (int n : {0, 3, 4, 5, 6}) EXPECT_EQ(f->lblVoto(n)->text(), QStringLiteral("00"));
    iTipoAssemblea = 1;
}

TEST_F(Quadro, VistaDellePresenzeMostraLaSogliaDelVoto)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    // A fixed majority of 16 and a computed one for immediate executability.
    f->CalcolaQuorum(16, false);
    ASSERT_EQ(f->lblVoto(2)->text(), QStringLiteral("16"));
    f->AggiornaQuadroVoti(0);
    EXPECT_EQ(f->lblVoto(2)->text(), QStringLiteral("16"));

    // Ticking "Im. Es." with a fixed majority of 25 shows it at once; the
    // board is told.
    f->CalcolaQuorum(16 + 128 * 25, false);
    f->chkImmEsec()->setEnabled(true);
    f->chkImmEsec()->click();
    EXPECT_EQ(f->lblVoto(2)->text(), QStringLiteral("25"));
    EXPECT_EQ(iFlagQuorum & 16, 16);
    EXPECT_EQ(iQuorum[3], 16);
    EXPECT_EQ(oTabellone->UltimoComando(), QStringLiteral("W"));
    f->AggiornaQuadroVoti(0);
    EXPECT_EQ(f->lblVoto(2)->text(), QStringLiteral("25"));
    f->chkImmEsec()->click();
    EXPECT_EQ(f->lblVoto(2)->text(), QStringLiteral("16"));
    EXPECT_EQ(iFlagQuorum & 16, 0);
    EXPECT_EQ(oTabellone->UltimoComando(), QStringLiteral("w"));
}

TEST_F(Quadro, TotaliSulTabelloneProiettato)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    FrmVideo& video = frmVideo();
    video.Mostra();
    Gira(10);
    iPresenti = 25;
    iFavorevoli = 7;
    iContrari = 12;
    iAstenuti = 6;

    // Without the option nothing changes.
    xEsitoVideo = false;
    f->MostraTotaliVideo(true);
    EXPECT_TRUE(video.boxPosti()->isVisible());
    EXPECT_FALSE(video.txtDormisco(5)->isVisible());

    xEsitoVideo = true;
    f->MostraTotaliVideo(true);
    EXPECT_FALSE(video.boxPosti()->isVisible());
    EXPECT_FALSE(video.imgStemma()->isVisible());
    EXPECT_FALSE(video.txtTitolo(0)->isVisible());
    EXPECT_FALSE(video.txtTitolo(13)->isVisible());
    EXPECT_TRUE(video.txtDormisco(5)->isVisible());
    EXPECT_EQ(video.txtDormisco(5)->Caption(), QStringLiteral("2 5"));
    EXPECT_EQ(video.txtDormisco(6)->Caption(), QStringLiteral("0 7"));
    EXPECT_EQ(video.txtDormisco(7)->Caption(), QStringLiteral("1 2"));
    EXPECT_EQ(video.txtDormisco(8)->Caption(), QStringLiteral("0 6"));

    // The vote panel's attendance view puts the seats back.
    f->AggiornaQuadroVoti(kQuadroTabelloni);
    EXPECT_TRUE(video.boxPosti()->isVisible());
    EXPECT_TRUE(video.txtTitolo(2)->isVisible());
    EXPECT_FALSE(video.txtDormisco(5)->isVisible());
    xEsitoVideo = false;
}

class QuadroLeggi : public Quadro {
protected:
    int Tipo() const override { return 4; }
};

TEST_F(QuadroLeggi, VerificaDelNumeroLegaleSceglieMetaPiuUno)
{
    iVotanti = 31;
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    iRichiedenti[1] = 3;
    iRichiedenti[2] = 4;
    iRichiedenti[4] = 5;
    int verifica = -1;
    for (int i = 0; i < f->cmbTipoVoto()->ListCount(); ++i)
        if (f->cmbTipoVoto()->List(i) == u"Verifica N.Legale") verifica = i;
    ASSERT_GE(verifica, 0);
    f->cmbTipoVoto()->SetListIndex(verifica);
    EXPECT_EQ(cTipoVoto, QStringLiteral("V"));
    EXPECT_EQ(f->cmbTipoQuorum()->ListIndex(), 1);
    EXPECT_EQ(TipoQuorumCorrente(), kQuorumMetaConsiglio);
    EXPECT_EQ(f->lblVoto(2)->text(), QStringLiteral("16"));
    EXPECT_EQ(iRichiedenti[1], 0);
    EXPECT_EQ(iRichiedenti[2], 0);
    EXPECT_EQ(iRichiedenti[4], 5);

    // "2/3 Consiglio", then "Nessuno".
    f->cmbTipoQuorum()->SetListIndex(2);
    EXPECT_EQ(f->lblVoto(2)->text(), QStringLiteral("21"));
    f->cmbTipoQuorum()->SetListIndex(0);
    EXPECT_EQ(TipoQuorumCorrente(), kQuorumNessuno);
    EXPECT_EQ(f->lblVoto(2)->text(), QStringLiteral("00"));

    // Nothing chosen: no vote kind.
    f->cmbTipoVoto()->SetListIndex(-1);
    EXPECT_EQ(cTipoVoto, QStringLiteral("-"));
    iVotanti = 0;
}

}  // namespace
}  // namespace obx::test
