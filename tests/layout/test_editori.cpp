// The two seat-layout editors driven as an operator does, with the mouse:
// seats taken from the list, dragged, removed, saved and read again.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "Banco.h"
#include "board/Video.h"
#include "board/frmDisplay.h"
#include "board/frmPosti.h"
#include "platform/Database.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"
#include "shell/frmMain.h"

using namespace obx;
using namespace obx::test;

namespace {

const QStringList kNomi = {"ROSSI M.",  "BIANCHI L.", "VERDI A.", "ESPOSITO G.",
                           "ROMANO F.", "COLOMBO S.", "RICCI P.", "MARINO E."};

double TwX() { return TwipsPerPixelX(); }
double TwY() { return TwipsPerPixelY(); }

class Editori : public BancoDisposizione {
protected:
    frmPosti* Posti()
    {
        frmPosti* f = frmPosti::Mostra();
        Gira(10);
        return f;
    }
    frmDisplay* Display()
    {
        frmDisplay* f = frmDisplay::Mostra();
        Gira(10);
        return f;
    }
    // Hidden by "Annulla", shown again from the menu.
    template <class F>
    void Riapre(F* f)
    {
        f->cmdPosti_Click(0);
        Gira(5);
        F::Mostra();
        Gira(10);
    }
};

}  // namespace

TEST_F(Editori, ConsoleUnNuovoConsigliereDallElencoTrascinatoSalvatoERiletto)
{
    SenzaDisposizione();
    frmPosti* f = Posti();
    EXPECT_EQ(Liberi(*f), kNomi);
    // The list shows the short names as stored, 16 characters.
    EXPECT_EQ(f->lstLiberi()->item(0)->text(), QStringLiteral("ROSSI M.").leftJustified(16, u' '));
    EXPECT_EQ(f->txtAllinea()->text(), QStringLiteral("100"));
    EXPECT_FALSE(f->chkAllinea()->isChecked());
    EXPECT_FALSE(f->barAllinea()->isEnabled());

    CliccaLibero(*f, 1);
    Etichetta* e = f->txtAnag(1);
    ASSERT_TRUE(e->isVisible());
    EXPECT_EQ(e->Caption(), QStringLiteral("BIANCHI L."));
    EXPECT_EQ(e->pos(), QPoint(0, 0));
    EXPECT_EQ(f->lstLiberi()->count(), 7);

    Trascina(*f, 1, QPoint(10, 5), QPoint(200, 100));
    EXPECT_EQ(e->pos(), QPoint(190, 95));
    f->cmdPosti(1)->click();
    EXPECT_FALSE(f->isVisible());
    RigaPosto r = LeggeRiga(2);
    EXPECT_EQ(r.etichetta, 1);
    EXPECT_DOUBLE_EQ(r.left, 190 * TwX());
    EXPECT_DOUBLE_EQ(r.top, 95 * TwY());
    EXPECT_EQ(LeggeRiga(1).etichetta, 0);

    // Opened again: as saved.
    frmPosti::Mostra();
    Gira(10);
    EXPECT_TRUE(e->isVisible());
    EXPECT_EQ(e->pos(), QPoint(190, 95));
    EXPECT_EQ(e->Tag, QStringLiteral("2"));
    EXPECT_EQ(Liberi(*f).size(), 7);
    EXPECT_FALSE(Liberi(*f).contains(QStringLiteral("BIANCHI L.")));

    // With the snap on, the label lands on the grid line above and left.
    f->chkAllinea()->click();
    EXPECT_TRUE(f->barAllinea()->isEnabled());
    Trascina(*f, 1, QPoint(1, 1), QPoint(111, 51));
    f->cmdPosti(1)->click();
    r = LeggeRiga(2);
    EXPECT_DOUBLE_EQ(r.left, std::floor(110 * TwX() / 100) * 100);
    EXPECT_DOUBLE_EQ(r.top, std::floor(50 * TwY() / 100) * 100);
}

TEST_F(Editori, IlRilascioSuUnAltraEtichettaSiMisuraSulPannello)
{
    frmPosti* f = Posti();
    Etichetta* uno = f->txtAnag(1);
    Etichetta* due = f->txtAnag(2);
    ASSERT_TRUE(uno->isVisible() && due->isVisible());
    // Released over label 2: the point is taken on the panel.
    const QPoint sopraDue = due->pos() + QPoint(20, 10);
    Trascina(*f, 1, QPoint(5, 5), sopraDue);
    EXPECT_EQ(uno->pos(), sopraDue - QPoint(5, 5));

    // The same through the handlers: a drop on label 4 at a point inside it.
    const double left4 = f->txtAnag(4)->Left(), top4 = f->txtAnag(4)->Top();
    f->txtAnag_MouseDown(3, 1, 0, 75, 45);
    EXPECT_EQ(f->Trascinata(), 3);
    f->txtAnag_DragDrop(4, 150, 90);
    EXPECT_EQ(f->Trascinata(), 0);
    EXPECT_DOUBLE_EQ(f->Modello().Left(3), left4 + 150 - 75);
    EXPECT_DOUBLE_EQ(f->Modello().Top(3), top4 + 90 - 45);

    // Released off the panel: the label goes back.
    const QPoint prima = due->pos();
    Trascina(*f, 2, QPoint(5, 5), QPoint(-40, -40));
    EXPECT_EQ(due->pos(), prima);
    EXPECT_EQ(f->Trascinata(), 0);
}

TEST_F(Editori, OgniAperturaRicostruisceEtichetteEdElencoSenzaDoppioni)
{
    ScriveRiga(8, {0, 0, 0, 0, 0});
    frmPosti* f = Posti();
    EXPECT_EQ(Liberi(*f), QStringList{QStringLiteral("MARINO E.")});

    // Activated again, with or without hiding, nothing is listed twice.
    f->Form_Activate();
    Riapre(f);
    QApplication::setActiveWindow(f);
    Gira(10);
    EXPECT_EQ(Liberi(*f), QStringList{QStringLiteral("MARINO E.")});
    for (int i = 1; i <= 7; ++i) EXPECT_EQ(EtichetteDel(*f, i), 1) << i;

    // A label given from the list and abandoned with "Annulla" is gone at
    // the next opening; the seat is listed once.
    CliccaLibero(*f, 0);
    EXPECT_EQ(EtichetteDel(*f, 8), 1);
    Riapre(f);
    EXPECT_EQ(EtichetteDel(*f, 8), 0);
    EXPECT_FALSE(f->txtAnag(8)->isVisibleTo(f->boxPosti()));
    EXPECT_EQ(Liberi(*f), QStringList{QStringLiteral("MARINO E.")});

    // So is a removal abandoned: the seat is back on its label.
    QTest::mouseClick(f->txtAnag(3), Qt::LeftButton, Qt::ControlModifier, QPoint(3, 3));
    EXPECT_EQ(EtichetteDel(*f, 3), 0);
    Riapre(f);
    EXPECT_EQ(EtichetteDel(*f, 3), 1);
    EXPECT_EQ(Liberi(*f), QStringList{QStringLiteral("MARINO E.")});
    EXPECT_EQ(LeggeRiga(3).etichetta, 3);
}

TEST_F(Editori, CtrlClickTogliePostoDellEtichettaAncheConNomiUguali)
{
    dbArchivio.Execute(QStringLiteral("UPDATE ANAGRAFE SET cNomeBreveAN = 'ROSSI M.' WHERE bCodiceAN = 2"));
    frmPosti* f = Posti();
    QTest::mouseClick(f->txtAnag(2), Qt::LeftButton, Qt::ControlModifier, QPoint(3, 3));
    EXPECT_FALSE(f->txtAnag(2)->isVisibleTo(f->boxPosti()));
    EXPECT_TRUE(f->txtAnag(1)->isVisibleTo(f->boxPosti()));
    EXPECT_EQ(f->txtAnag(1)->Tag, QStringLiteral("1"));
    ASSERT_EQ(f->lstLiberi()->count(), 1);
    EXPECT_EQ(f->lstLiberi()->item(0)->text(), QStringLiteral("ROSSI M."));

    // The entry places the seat it came from, on the lowest free label.
    CliccaLibero(*f, 0);
    EXPECT_EQ(EditorPosti::PostoDellaEtichetta(f->txtAnag(2)), 2);
    QTest::mouseClick(f->txtAnag(2), Qt::LeftButton, Qt::ControlModifier, QPoint(3, 3));
    f->cmdPosti(1)->click();
    EXPECT_EQ(LeggeRiga(1).etichetta, 1);
    const RigaPosto r2 = LeggeRiga(2);
    EXPECT_EQ(r2.etichetta, 0);
    EXPECT_EQ(r2.top, 240);
    EXPECT_EQ(r2.left, 1440);
}

TEST_F(Editori, ResetChiedeConAnnullaPredefinitoEScriveSoloConFine)
{
    frmPosti* f = Posti();
    const QString domanda = QStringLiteral("Confermi azzeramento disposizioni già fatte ?");
    (*ui)->AttendiMsg(domanda, vbCancel);
    f->cmdPosti(2)->click();
    const auto& visto = (*ui)->Storia().back();
    EXPECT_EQ(visto.stile & 7, vbOKCancel);
    EXPECT_EQ(visto.stile & 0x300, vbDefaultButton2);
    EXPECT_TRUE(Liberi(*f).isEmpty());
    EXPECT_EQ(EtichetteDel(*f, 1), 1);

    (*ui)->AttendiMsg(domanda, vbOK);
    f->cmdPosti(2)->click();
    EXPECT_EQ(Liberi(*f), kNomi);
    for (int k = 1; k <= 8; ++k) EXPECT_FALSE(f->txtAnag(k)->isVisibleTo(f->boxPosti()));
    // Abandoned: the archive never saw it.
    Riapre(f);
    EXPECT_EQ(LeggeRiga(1).etichetta, 1);
    EXPECT_EQ(EtichetteDel(*f, 1), 1);
    EXPECT_TRUE(Liberi(*f).isEmpty());
}

TEST_F(Editori, TabelloneDallElencoTrascinatoESalvatoSoloNeiCampiSuoi)
{
    ScriveRiga(8, {0, 1320, 1440, 0, 0});
    frmDisplay* f = Display();
    EXPECT_EQ(Liberi(*f), kNomi);

    // Without a console label a seat cannot be placed on the board.
    (*ui)->AttendiMsg(QStringLiteral("MARINO E. non posizionato in Monitor di Controllo"));
    CliccaLibero(*f, 7);
    EXPECT_EQ(f->lstLiberi()->count(), 8);

    CliccaLibero(*f, 0);
    Etichetta* e = f->txtAnag(1);
    ASSERT_TRUE(e->isVisible());
    EXPECT_EQ(e->pos(), QPoint(0, 0));
    Trascina(*f, 1, QPoint(4, 4), QPoint(304, 204));
    // A seat taken from the list and never dragged stays off the board.
    CliccaLibero(*f, 0);
    EXPECT_TRUE(f->txtAnag(2)->isVisible());

    // Meanwhile the console editor moved seat 1 on its own panel.
    ScriveRiga(1, {1, 999, 888, 0, 0});
    f->cmdPosti(1)->click();
    RigaPosto r = LeggeRiga(1);
    EXPECT_DOUBLE_EQ(r.sinTv, 300 * TwX());
    EXPECT_DOUBLE_EQ(r.topTv, 200 * TwY());
    EXPECT_EQ(r.etichetta, 1);
    EXPECT_EQ(r.top, 999);
    EXPECT_EQ(r.left, 888);
    r = LeggeRiga(2);
    EXPECT_EQ(r.topTv, 0);
    EXPECT_EQ(r.sinTv, 0);

    frmDisplay::Mostra();
    Gira(10);
    EXPECT_EQ(e->pos(), QPoint(300, 200));
    EXPECT_TRUE(Liberi(*f).contains(QStringLiteral("BIANCHI L.")));
    EXPECT_FALSE(Liberi(*f).contains(QStringLiteral("ROSSI M.")));

    // Ctrl+click: off the board, the console label stays.
    QTest::mouseClick(e, Qt::LeftButton, Qt::ControlModifier, QPoint(3, 3));
    EXPECT_TRUE(Liberi(*f).contains(QStringLiteral("ROSSI M.")));
    f->cmdPosti(1)->click();
    r = LeggeRiga(1);
    EXPECT_EQ(r.topTv, 0);
    EXPECT_EQ(r.sinTv, 0);
    EXPECT_EQ(r.etichetta, 1);
}

TEST_F(Editori, TabelloneResetLasciaLeEtichetteDellaConsole)
{
    for (int c = 1; c <= 8; ++c) ScriveRiga(c, {c, 100.0 * c, 100, 300.0 * c, 500});
    frmDisplay* f = Display();
    EXPECT_TRUE(Liberi(*f).isEmpty());
    (*ui)->AttendiMsg(QStringLiteral("Confermi azzeramento disposizioni già fatte ?"), vbOK);
    f->cmdPosti(4)->click();
    EXPECT_EQ(Liberi(*f), kNomi);
    // Everyone can be placed again at once.
    for (int n = 0; n < 8; ++n) CliccaLibero(*f, 0);
    EXPECT_TRUE(Liberi(*f).isEmpty());
    for (int k = 1; k <= 8; ++k) EXPECT_TRUE(f->txtAnag(k)->isVisible()) << k;
    f->cmdPosti(1)->click();
    for (int c = 1; c <= 8; ++c) {
        const RigaPosto r = LeggeRiga(c);
        EXPECT_EQ(r.etichetta, c);
        EXPECT_EQ(r.topTv, 0);
        EXPECT_EQ(r.top, 100.0 * c);
    }
}

TEST_F(Editori, PannelloDelTabelloneComeIlRiquadroDeiPosti)
{
    struct Caso {
        int larghezza, altezza, prenotazioni;
        double w, h;
    };
    const Caso casi[] = {
        {1024, 768, 0, 1024 * 15 - 240, 768 * 15 - 2940},
        {1024, 768, 1, 1024 * 15 - 2760, 768 * 15 - 2940},
        {800, 600, 1, 800 * 15 - 240, 600 * 15 - 2940},
    };
    for (const Caso& c : casi) {
        const QSizeF s = frmDisplay::DimensioniPannello({1, 0, 0, c.altezza, c.larghezza}, 15, 15, c.prenotazioni);
        EXPECT_EQ(s.width(), c.w) << c.larghezza << " " << c.prenotazioni;
        EXPECT_EQ(s.height(), c.h) << c.larghezza << " " << c.prenotazioni;
    }
    EXPECT_EQ(frmPosti::AltezzaPannello(480, 15), 4692);
    EXPECT_EQ(frmPosti::AltezzaPannello(481, 15), 6600);

    // The board's monitor when there is a second one, the control monitor
    // otherwise.
    lMonitor[0] = {1, 0, 0, 768, 1024};
    lMonitor[1] = {2, 0, 1024, 600, 800};
    frmDisplay* f = Display();
    const QSizeF s = frmDisplay::DimensioniPannello(lMonitor[1], TwX(), TwY(), 0);
    EXPECT_EQ(f->boxPosti()->width(), qRound(s.width() / TwX()));
    EXPECT_EQ(f->boxPosti()->height(), qRound(s.height() / TwY()));
    frmPosti* p = Posti();
    EXPECT_EQ(p->boxPosti()->height(), qRound(6600 / TwY()));
}

TEST_F(Editori, TitoliEVotantiNascostiScrivonoSubitoLaConfigurazione)
{
    iConfigOBX = kOpzNascondeTitoli;
    iTipoAssemblea = 4;
    frmDisplay* f = Display();
    EXPECT_TRUE(f->chkTitoli(0)->isChecked());
    EXPECT_FALSE(f->chkTitoli(1)->isChecked());
    EXPECT_FALSE(f->txtTitolo(0)->isVisibleTo(f->boxPosti()));
    EXPECT_FALSE(f->txtTitolo(1)->isVisibleTo(f->boxPosti()));
    EXPECT_EQ(f->txtTitolo(0)->Caption(), QStringLiteral("Pres. Giunta"));
    EXPECT_EQ(f->txtTitolo(1)->Caption(), QStringLiteral("Pres. Ass. Legisl."));
    // Showing the setting writes nothing.
    EXPECT_FALSE(QFile::exists(cFileConfig));

    f->chkTitoli(1)->click();
    EXPECT_EQ(iConfigOBX, 0x180);
    f->chkTitoli(0)->click();
    EXPECT_EQ(iConfigOBX, 0x100);
    EXPECT_TRUE(f->txtTitolo(0)->isVisibleTo(f->boxPosti()));
    // Written at once, whatever "Annulla" does afterwards.
    f->cmdPosti(0)->click();
    iConfigOBX = 0;
    GestisceConfig(true);
    EXPECT_EQ(iConfigOBX, 0x100);
}

TEST_F(Editori, ColoriEDormiscoSalvanoLaDisposizionePrimaDiAprirsi)
{
    xEsitoVideo = false;
    frmDisplay* f = Display();
    EXPECT_FALSE(f->cmdPosti(3)->isVisibleTo(f));
    EXPECT_EQ(f->cmdPosti(4)->toolTip(), QStringLiteral("Azzera disposizioni già fatte"));
    delete f;
    xEsitoVideo = true;
    f = Display();
    EXPECT_TRUE(f->cmdPosti(3)->isVisibleTo(f));

    CliccaLibero(*f, 0);
    Trascina(*f, 1, QPoint(1, 1), QPoint(151, 91));
    for (int b : {2, 3}) {
        QString aperta;
        QTimer::singleShot(50, [&aperta] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                aperta = w->objectName();
                w->close();
            }
        });
        f->cmdPosti(b)->click();
        EXPECT_EQ(aperta, b == 2 ? QStringLiteral("frmColori") : QStringLiteral("frmTinteQZ"));
        // Stored before the window opened; the editor stays open.
        EXPECT_DOUBLE_EQ(LeggeRiga(1).sinTv, 150 * TwX());
        EXPECT_TRUE(f->isVisible());
        // Closing the colour window wrote the configuration.
        EXPECT_TRUE(QFile::exists(cFileConfig));
    }
}

TEST_F(Editori, GliEditoriDuranteUnaSedutaLascianoStarePresenzeETasti)
{
    frmCons* c = ApreConSeduta();
    ASSERT_NE(c, nullptr);
    c->txtAnag_MouseDown(3, 1, 0, 0, 0);
    c->txtAnag_MouseDown(5, 1, 0, 0, 0);
    ASSERT_TRUE(aPosti[3].iStato & 1);
    aPosti[5].cVoto = QStringLiteral("6");
    aPosti[5].iInterventi = 2;
    const std::vector<Posto> prima = aPosti;
    const int presenti = iPresenti;

    frmPosti* p = Posti();
    Trascina(*p, 3, QPoint(2, 2), QPoint(300, 200));
    p->cmdPosti(1)->click();
    frmDisplay* d = Display();
    CliccaLibero(*d, 2);
    Trascina(*d, 3, QPoint(2, 2), QPoint(400, 100));
    d->cmdPosti(1)->click();
    Riattiva(c);

    ASSERT_EQ(aPosti.size(), prima.size());
    for (size_t i = 1; i < aPosti.size(); ++i) {
        EXPECT_EQ(aPosti[i].iStato, prima[i].iStato) << i;
        EXPECT_EQ(aPosti[i].cVoto, prima[i].cVoto) << i;
        EXPECT_EQ(aPosti[i].iInterventi, prima[i].iInterventi) << i;
        EXPECT_EQ(aPosti[i].iVotatoreUso, prima[i].iVotatoreUso) << i;
    }
    EXPECT_EQ(iPresenti, presenti);
    // Stored for the next sitting.
    EXPECT_EQ(LeggeRiga(3).left, 298 * TwX());
    EXPECT_EQ(LeggeRiga(3).sinTv, 398 * TwX());
}

TEST_F(Editori, DuranteUnVotoNienteFinestreModaliDagliEditori)
{
    xEsitoVideo = true;
    frmDisplay* d = Display();
    frmPosti* p = Posti();
    iModoVoto = 1;
    const QString rifiuto = QStringLiteral("Votazione in corso: operazione non consentita");
    // No box either: the commands that would ask are unavailable, and one
    // reached all the same is refused on the editor's own line.
    d->AggiornaComandi();
    p->AggiornaComandi();
    for (QPushButton* b : {d->cmdPosti(2), d->cmdPosti(3), d->cmdPosti(4), p->cmdPosti(2)}) {
        EXPECT_FALSE(b->isEnabled());
        auto* editore = static_cast<EditorPosti*>(b->window());
        editore->lblStato()->clear();
        editore->cmdPosti_Click(b->objectName().mid(9, 1).toInt());
        EXPECT_EQ(editore->lblStato()->text(), rifiuto);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
    // Dragging stays open to the operator.
    Trascina(*p, 1, QPoint(2, 2), QPoint(302, 202));
    EXPECT_TRUE(p->Modello().Modificata());
    iModoVoto = 0;
}

TEST_F(Editori, IlMenuApreGliEditoriSenzaBloccareERiportaAvantiQuelloAperto)
{
    ScriveRiga(8, {0, 0, 0, 0, 0});
    frmMain m;
    EXPECT_EQ(m.mnuConfig[3]->text(), QStringLiteral("Disposizione Consiglieri"));
    EXPECT_EQ(m.mnuConfigVideo[0]->text(), QStringLiteral("su Monitor di Controllo"));
    EXPECT_EQ(m.mnuConfigVideo[1]->text(), QStringLiteral("su Tabellone per VideoProiezione"));

    m.mnuConfigVideo[0]->trigger();
    Gira(10);
    frmPosti* p = frmPosti::Aperta();
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->isVisible());
    EXPECT_FALSE(p->isModal());
    EXPECT_EQ(p->windowTitle(), QStringLiteral("Disposizione Consiglieri"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // The seat given a label and not yet saved stays so when the entry is
    // chosen again: the open window comes forward, nothing is read again.
    CliccaLibero(*p, 0);
    m.mnuConfigVideo[0]->trigger();
    Gira(10);
    EXPECT_EQ(frmPosti::Aperta(), p);
    EXPECT_EQ(EtichetteDel(*p, 8), 1);
    EXPECT_TRUE(Liberi(*p).isEmpty());

    m.mnuConfigVideo[1]->trigger();
    Gira(10);
    frmDisplay* d = frmDisplay::Aperta();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    EXPECT_FALSE(d->isModal());
    // Both open at once, each on its own panel.
    EXPECT_TRUE(p->isVisible());
    EXPECT_EQ(Liberi(*d), kNomi);
    delete p;
    delete d;
}

TEST_F(Editori, SettantaDueEtichetteDiOgniPannelloComeLeMostraLaSuaTavola)
{
    struct Caso {
        EditorPosti* f;
        double larghezza;
        Qt::Alignment allineamento;
        bool grassetto;
    };
    xEsitoVideo = true;
    const Caso casi[] = {{Posti(), 1212, Qt::AlignHCenter, false}, {Display(), 2172, Qt::AlignLeft, true}};
    for (const Caso& c : casi) {
        const std::string nome = c.f->objectName().toStdString();
        // Label 0 is the template, never shown; the seats have 1 to 72.
        ASSERT_NE(c.f->txtAnag(0), nullptr) << nome;
        EXPECT_FALSE(c.f->txtAnag(0)->isVisibleTo(c.f->boxPosti())) << nome;
        EXPECT_EQ(c.f->txtAnag(73), nullptr) << nome;
        Etichetta* e = c.f->txtAnag(72);
        ASSERT_NE(e, nullptr) << nome;
        EXPECT_EQ(e->parentWidget(), c.f->boxPosti()) << nome;
        EXPECT_NEAR(e->Width(), c.larghezza, TwX()) << nome;
        EXPECT_NEAR(e->Height(), 360, TwY()) << nome;
        EXPECT_EQ(e->frameShape(), QFrame::Box) << nome;
        EXPECT_TRUE(e->alignment() & c.allineamento) << nome;
        EXPECT_EQ(e->font().bold(), c.grassetto) << nome;
        EXPECT_EQ(c.f->boxPosti()->title(), QStringLiteral("Aventi diritto al Voto")) << nome;
        EXPECT_EQ(c.f->lblPosti()->text(), QStringLiteral("DISPONIBILI:")) << nome;
        EXPECT_EQ(c.f->chkAllinea()->text(), QStringLiteral("Allineamento Automatico")) << nome;
    }
    const QStringList console{"Annulla", "Fine", "Reset"};
    const QStringList tabellone{"Annulla", "Fine", "Colori", "Dormisco", "Reset"};
    for (int i = 0; i < 5; ++i) {
        if (i < 3) EXPECT_EQ(casi[0].f->cmdPosti(i)->text(), console[i]);
        EXPECT_EQ(casi[1].f->cmdPosti(i)->text(), tabellone[i]);
    }
    EXPECT_EQ(casi[0].f->cmdPosti(3), nullptr);
    auto* d = static_cast<frmDisplay*>(casi[1].f);
    EXPECT_EQ(d->chkTitoli(0)->text(), QStringLiteral("Nasconde Titoli"));
    EXPECT_EQ(d->chkTitoli(1)->text(), QStringLiteral("Nasconde N. Votanti"));
    EXPECT_EQ(d->txtTitolo(0)->Caption(), QStringLiteral("Sindaco"));
    EXPECT_EQ(d->txtTitolo(1)->Caption(), QStringLiteral("Pres. Consiglio"));
    EXPECT_NEAR(d->txtTitolo(0)->Width(), 2172, TwX());
}
