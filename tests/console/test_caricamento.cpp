// Loading the console: lists by assembly kind, seat labels, layout by
// monitor size, booking panel, the reset's question about the test file.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

#include "board/Etichetta.h"
#include "platform/Elenchi.h"
#include "platform/Temporizzatore.h"
#include "shell/AlberoAtti.h"
#include "shell/Campi.h"
#include "shell/Globali.h"
#include "shell/frmMain.h"
#include "support/BancoConsole.h"
#include <QAction>

namespace obx::test {
namespace {

QStringList Voci(const ElencoCombo* c)
{
    QStringList v;
    for (int i = 0; i < c->ListCount(); ++i) v << c->List(i);
    return v;
}

class CaricamentoConsiglio : public BancoConsole {};

TEST_F(CaricamentoConsiglio, RiempieGliElenchiDelConsiglio)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);

    EXPECT_EQ(Voci(f->cmbTipoQuorum()), QStringList{QStringLiteral("Automatico")});
    EXPECT_EQ(Voci(f->cmbTipoVoto()), (QStringList{QStringLiteral("Palese"), QStringLiteral("Mod.seq.OdG"),
                                                   QStringLiteral("Segreto"), QStringLiteral("Appello")}));
    EXPECT_EQ(Voci(f->cmbArgo(3)), (QStringList{QStringLiteral("Emendamento"), QStringLiteral("Risoluzione"),
                                                QStringLiteral("Ordine del Giorno"), QStringLiteral("Osservazione"),
                                                QStringLiteral("Mozione Sospensiva")}));
    EXPECT_TRUE(f->cmbArgo(3)->isHidden());
    EXPECT_FALSE(f->cmbArgo(2)->isHidden());
    EXPECT_FALSE(f->chkImmEsec()->isHidden());
    EXPECT_EQ(f->lblArgo(1)->text(), QStringLiteral("Emend.:"));
    EXPECT_EQ(f->cmdServizio(0)->toolTip(), QStringLiteral("Aggiunge Nuovi OdG"));

    QStringList tipi;
    for (size_t k = 1; k < cNomiAtti.size() && !cNomiAtti[k].isEmpty(); ++k) tipi << cNomiAtti[k];
    EXPECT_EQ(Voci(f->cmbArgo(1)), tipi);

    // Agenda: the item without a position is left out; the item of the rules
    // without number and article reads "  7 (?.)".
    EXPECT_EQ(Voci(f->cmbArgo(0)),
              (QStringList{QStringLiteral("  1"), QStringLiteral("  2/b"), QStringLiteral("  7 (?.)")}));
    EXPECT_EQ(f->cmbArgo(0)->ListIndex(), -1);
    EXPECT_TRUE(f->oAlberoVista()->isHidden());
    EXPECT_TRUE(f->boxCreaAtti()->isHidden());
}

TEST_F(CaricamentoConsiglio, EtichetteDeiSeggiEStatoIniziale)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);

    ASSERT_EQ(aPosti.size(), 9u);
    ASSERT_EQ(aOspiti.size(), 3u);
    for (size_t i = 1; i < aPosti.size(); ++i) {
        Etichetta* e = f->txtAnag(aPosti[i].iPulsanteAN);
        ASSERT_NE(e, nullptr);
        EXPECT_TRUE(e->Visible());
        EXPECT_EQ(e->Caption(), aPosti[i].cNomeBreveAN.trimmed());
        EXPECT_EQ(e->Tag, QString::number(i));
        EXPECT_EQ(e->BackColor(), 0xC0C0C0);
        EXPECT_NEAR(e->Top(), aPosti[i].nTopAN, f->TwipsY());
        EXPECT_NEAR(e->Left(), aPosti[i].nLeftAN, f->TwipsX());
    }
    EXPECT_FALSE(f->txtAnag(0)->Visible());
    EXPECT_FALSE(f->txtAnag(9)->Visible());
    EXPECT_EQ(f->txtAnag(73), nullptr);

    // No sitting, no item, the first vote kind, nobody present, the clock running.
    EXPECT_EQ(f->cmdConsiglio(0)->text(), QStringLiteral("Apertura"));
    EXPECT_FALSE(f->cmdConsiglio(1)->isEnabled());
    for (int i = 0; i < 6; ++i) EXPECT_FALSE(f->cmdVoto(i)->isEnabled());
    for (int i = 0; i < 7; ++i) EXPECT_EQ(f->lblVoto(i)->text(), QStringLiteral("00"));
    EXPECT_EQ(cTipoVoto, cLettereVoti.left(1));
    EXPECT_EQ(iPresenti, 0);
    EXPECT_EQ(iDelibera, 0);
    EXPECT_EQ(cLedPresenze, QString(48, u'0'));
    EXPECT_EQ(cOspitiPresenti, QString(120, QChar(0)));
    EXPECT_EQ(cTipoArg, cLettereAtti.left(1));
    EXPECT_EQ(iStatoConsole, 1);
    EXPECT_TRUE(f->croTimer().Enabled());
    EXPECT_EQ(f->croTimer().Interval(), 1000);
    EXPECT_TRUE(f->rsEventi.IsOpen());
    EXPECT_TRUE(f->rsVoti.IsOpen());
    EXPECT_TRUE(f->rsDelibere.IsOpen());
    EXPECT_TRUE(f->rsLeggi.IsOpen());
    EXPECT_TRUE(bConsoleAperta);
    EXPECT_EQ(aPrenotati.size(), 1u);
    EXPECT_EQ(f->windowTitle(), cConsiglio);
    EXPECT_EQ(frmConsAperto(), f);
    // A second opening brings up the same window.
    EXPECT_EQ(ApreConsole(), f);
}

TEST_F(CaricamentoConsiglio, SenzaVotatoriChiedeDelFileDiProva)
{
    struct Caso {
        int risposta;
        bool flag;
    };
    for (const Caso c : {Caso{vbNo, false}, Caso{vbYes, true}}) {
        // A test-file flag left on from before is cleared before asking.
        iModoOBX = kCablaggioFileVoti;
        (*ui)->AttendiMsg(QStringLiteral("usa VotiObx.txt"), c.risposta);
        frmCons* f = Apre();
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->windowTitle(), QStringLiteral("Dimostrativo: Votazione Simulata"));
        EXPECT_EQ((iModoOBX & 0x80) != 0, c.flag);
        EXPECT_TRUE(f->Chiude());
        Gira(5);
    }
}

TEST_F(CaricamentoConsiglio, DisposizionePerAltezzaDelMonitor)
{
    // 480 pixels are 7200 twips: the small layout; one more is large.
    struct Caso {
        int altezza;
        bool grande;
    };
    for (const Caso c : {Caso{480, false}, Caso{481, true}}) {
        lMonitor[0] = {1, 0, 0, c.altezza, 1024};
        frmCons* f = Apre();
        ASSERT_NE(f, nullptr);
        const double tw = f->TwipsY();
        EXPECT_EQ(!f->boxConsiglio(7)->isHidden(), c.grande) << c.altezza;
        EXPECT_NEAR(f->Height(f->boxConsiglio(0)), c.grande ? 6600 : 4692, tw);
        EXPECT_NEAR(f->Width(f->boxConsiglio(2)), c.grande ? 5292 : 4572, f->TwipsX());
        EXPECT_NEAR(f->Left(f->boxConsiglio(4)), f->Left(f->boxConsiglio(1)) + 120, f->TwipsX());
        EXPECT_NEAR(f->Left(f->boxConsiglio(5)), f->Left(f->boxConsiglio(1)) + 120, f->TwipsX());
        EXPECT_FALSE(f->getTesto(0)->isHidden());
        EXPECT_TRUE(f->getTesto(1)->isHidden());
        EXPECT_FALSE(f->chkPelin(0)->isHidden());
        EXPECT_TRUE(f->lblTempo(2)->isHidden());
        EXPECT_TRUE(f->Chiude());
        Gira(5);
    }
}

TEST_F(CaricamentoConsiglio, PannelloPrenotazioniELampeggio)
{
    iPrenotazioni = 0;
    xLampo = false;
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->boxConsiglio(6)->isHidden());
    EXPECT_TRUE(f->cmdParola(2)->isHidden());
    EXPECT_TRUE(f->chkLampo()->isHidden());
    EXPECT_TRUE(f->Chiude());
    Gira(5);

    iPrenotazioni = kPrenotazioniPannello;
    xLampo = true;
    f = Apre();
    ASSERT_NE(f, nullptr);
    QGroupBox* p = f->boxConsiglio(6);
    EXPECT_FALSE(p->isHidden());
    EXPECT_FALSE(f->cmdParola(2)->isHidden());
    EXPECT_EQ(f->cmdParola(2)->text(), QStringLiteral("Prenotazioni OFF"));
    EXPECT_NEAR(f->Top(p), f->Top(f->boxConsiglio(0)), f->TwipsY());
    EXPECT_NEAR(f->Height(p), 2760, f->TwipsY());
    // 1024 pixels are wider than 9600 twips: the wide panel right of the seats.
    EXPECT_NEAR(f->Width(p), 1920, f->TwipsX());
    EXPECT_NEAR(f->Left(p), f->Left(f->boxConsiglio(0)) + f->Width(f->boxConsiglio(0)) + 120, 2 * f->TwipsX());
    EXPECT_FALSE(f->chkLampo()->isHidden());
}

class CaricamentoLeggi : public BancoConsole {
protected:
    int Tipo() const override { return 4; }
};

TEST_F(CaricamentoLeggi, RiempieGliElenchiDellAssemblea)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);

    EXPECT_EQ(Voci(f->cmbTipoQuorum()), (QStringList{QStringLiteral("Nessuno"), QStringLiteral("1/2+1 Consiglio"),
                                                     QStringLiteral("2/3 Consiglio"), QStringLiteral("2/3 Votanti")}));
    QStringList voti;
    for (const QString& n : cNomiVoti)
        if (!n.isEmpty()) voti << n;
    EXPECT_EQ(voti.size(), 10);
    EXPECT_EQ(Voci(f->cmbTipoVoto()), voti);
    EXPECT_EQ(Voci(f->cmbArgo(3)), QStringList(cStatiArgomento.begin(), cStatiArgomento.end()));
    EXPECT_FALSE(f->cmbArgo(3)->isHidden());
    EXPECT_TRUE(f->cmbArgo(2)->isHidden());
    EXPECT_TRUE(f->chkImmEsec()->isHidden());
    EXPECT_FALSE(f->cmbArgo(1)->isEnabled());
    EXPECT_EQ(f->lblArgo(1)->text(), QStringLiteral("Tipo:"));
    EXPECT_EQ(f->cmdServizio(0)->toolTip(), QStringLiteral("Aggiunge Nuovi ATTI (+Ctrl per eliminare)"));

    // The acts: the article's type is named (a law admits several types
    // under it), the amendment's is not (an article admits only one).
    const QString legge = TipoAtto(QStringLiteral("B"), 0) + QStringLiteral(" 12/2026");
    const QString articolo = legge + QStringLiteral("\\") + TipoAtto(QStringLiteral("J"), 0) + QStringLiteral(" 3");
    EXPECT_EQ(Voci(f->cmbArgo(0)), (QStringList{legge + QStringLiteral(" [1]"), articolo + QStringLiteral(" [2]"),
                                                articolo + QStringLiteral("\\2 [3]")}));

    // The tree: the root for new acts and the acts under it.
    ASSERT_NE(f->oAlbero().Find(QStringLiteral("*")), nullptr);
    EXPECT_EQ(f->oAlbero().Find(QStringLiteral("*"))->Text(), QStringLiteral("Crea Atto 1° Livello"));
    EXPECT_EQ(f->oAlbero().Count(), 4);
    EXPECT_FALSE(f->oAlberoVista()->isHidden());
}

TEST_F(CaricamentoLeggi, AlberoNascostoSuSchermoPiccolo)
{
    lMonitor[0] = {1, 0, 0, 480, 640};
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->oAlberoVista()->isHidden());
    EXPECT_TRUE(f->boxConsiglio(7)->isHidden());
}

}  // namespace
}  // namespace obx::test

namespace obx::test {
namespace {

TEST_F(CaricamentoConsiglio, SiApreDalMenuDopoIlControlloDelMonitor)
{
    frmMain principale;
    ASSERT_TRUE(principale.mnuConsiglio[0]->isEnabled());
    // A monitor below the advised size is reported; the console opens anyway.
    lMonitor[0] = {1, 0, 0, 576, 1024};
    (*ui)->AttendiMsg(QStringLiteral("Risoluzione Monitor Primario consigliata:"), vbOK, true);
    principale.mnuConsiglio[0]->trigger();
    frmCons* f = frmConsAperto();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->isVisible());
    EXPECT_TRUE(f->isMaximized());
    EXPECT_TRUE(bConsoleAperta);
    // Opened again from the menu: the same window, and no second load.
    lMonitor[0] = {1, 0, 0, 768, 1024};
    principale.mnuConsiglio[0]->trigger();
    EXPECT_EQ(frmConsAperto(), f);
}

}  // namespace
}  // namespace obx::test
