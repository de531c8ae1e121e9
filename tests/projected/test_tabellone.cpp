// The projected board built on a single control monitor: layout from the
// monitor, the colour table and the font strings, the seats from aPosti,
// the presence look and what a rebuild during a sitting keeps.
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QScreen>

#include "Banco.h"
#include "board/Tinte.h"
#include "board/Video.h"

using namespace obx;
using namespace obx::test;

namespace {

class Tabellone : public BancoTabellone {};

// Pixels of a length in twips at 96 dots per inch.
int Px(double twips) { return int(std::lround(twips / 15)); }

}  // namespace

TEST(Colori, OrdineBluVerdeRossoEColoriDiSistema)
{
    App();
    EXPECT_EQ(ColoreQt(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ColoreQt(0x00EF00), QColor(0, 0xEF, 0));
    EXPECT_EQ(ColoreQt(0xFFCCC3), QColor(0xC3, 0xCC, 0xFF));
    EXPECT_EQ(ColoreVB(QColor(0xC3, 0xCC, 0xFF)), 0xFFCCC3);
    EXPECT_EQ(ColoreQt(int32_t(0x80000008)), QGuiApplication::palette().color(QPalette::WindowText));
    EXPECT_EQ(ColoreQt(int32_t(0x80000005)), QGuiApplication::palette().color(QPalette::Base));
}

TEST(Font, StringheDelleEtichette)
{
    App();
    struct Caso {
        const char* stringa;
        ModoFont modo;
        bool applicato;
        const char* famiglia;
        bool b, i, s, u;
        double punti;
    };
    const Caso casi[] = {
        {"Arial,BU,16", ModoFont::Caricamento, true, "Arial", true, false, false, true, 16},
        {"Arial", ModoFont::Caricamento, false, "Iniziale", false, false, false, false, 9},
        {"Arial,B", ModoFont::Presenza, true, "Arial", true, false, false, false, 9},
        {"Arial,BI,18", ModoFont::Presenza, true, "Arial", true, true, false, false, 18},
        {"Arial,S,14", ModoFont::Presenza, true, "Arial", false, false, true, false, 14},
        {"Arial,B,10.5", ModoFont::Presenza, true, "Arial", true, false, false, false, 10.5},
        {"Arial,B,10.5", ModoFont::Caricamento, true, "Arial", true, false, false, false, 10},
        {"Arial,B,11.5", ModoFont::Caricamento, true, "Arial", true, false, false, false, 12},
        {",B,20", ModoFont::Caricamento, false, "Iniziale", false, false, false, false, 9},
        {"Arial,,12", ModoFont::Caricamento, true, "Arial", false, false, false, false, 12},
    };
    for (const Caso& c : casi) {
        QFont f(QStringLiteral("Iniziale"));
        f.setPointSizeF(9);
        f.setItalic(false);
        EXPECT_EQ(ApplicaFont(f, QString::fromLatin1(c.stringa), c.modo), c.applicato) << c.stringa;
        EXPECT_EQ(f.family(), QString::fromLatin1(c.famiglia)) << c.stringa;
        EXPECT_EQ(f.bold(), c.b) << c.stringa;
        EXPECT_EQ(f.italic(), c.i) << c.stringa;
        EXPECT_EQ(f.strikeOut(), c.s) << c.stringa;
        EXPECT_EQ(f.underline(), c.u) << c.stringa;
        EXPECT_DOUBLE_EQ(f.pointSizeF(), c.punti) << c.stringa;
    }
}

TEST(Monitor, UnSoloSchermoNessunSecondo)
{
    App();
    lMonitor[1] = {5, 1, 2, 3, 4};
    RilevaMonitor();
    const QRect g = QGuiApplication::primaryScreen()->geometry();
    EXPECT_NE(lMonitor[0].hMonitor, 0);
    EXPECT_EQ(lMonitor[0].nTop, g.top());
    EXPECT_EQ(lMonitor[0].nSin, g.left());
    EXPECT_EQ(lMonitor[0].nAlt, g.height());
    EXPECT_EQ(lMonitor[0].nLar, g.width());
    EXPECT_EQ(lMonitor[1].hMonitor, 0);
    EXPECT_EQ(lMonitor[1].nLar, 0);

    clsVideo v;
    EXPECT_FALSE(v.ImpostaDisplay(false));
    EXPECT_EQ(v.hMonitor, 0);
    EXPECT_TRUE(v.ImpostaDisplay(true));
    EXPECT_FALSE(v.ImpostaDisplay(false));
    EXPECT_EQ(v.nLar, g.width()) << "a failed search keeps the earlier values";
    lMonitor = {};
}

TEST_F(Tabellone, SenzaSecondoMonitorRestaNascostoFinoAMostra)
{
    SediConsiglio();
    int attivazioni = 0;
    FrmVideo::Attivazione = [&] { ++attivazioni; };
    FakeServices servizi;
    FrmVideo& b = frmVideo();
    EXPECT_FALSE(b.isVisible());
    EXPECT_EQ(servizi.sound.beep, 1);
    EXPECT_EQ(attivazioni, 0);
    EXPECT_EQ(b.geometry(), QRect(0, 0, 1024, 768));
    EXPECT_EQ(&frmVideo(), &b) << "one board, built once";
    EXPECT_EQ(servizi.sound.beep, 1);

    b.Mostra();
    EXPECT_TRUE(b.isVisible());
    EXPECT_EQ(attivazioni, 1);
    EXPECT_TRUE(b.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(b.windowFlags() & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(b.testAttribute(Qt::WA_ShowWithoutActivating));
}

TEST_F(Tabellone, PostiDaAPosti)
{
    SediConsiglio();
    aPosti[4].nTopTvAN = 0;  // still placed: only one coordinate unset
    aPosti[4].nSinTvAN = 300;
    aPosti[5].nTopTvAN = 0;  // not placed
    aPosti[5].nSinTvAN = 0;
    aPosti[6].iPulsanteAN = 0;  // no label
    aPosti[7].iPulsanteAN = 72;
    FrmVideo& b = frmVideo();

    Etichetta* e = b.txtAnag(3);
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(e->Visible());
    EXPECT_EQ(e->Caption(), QStringLiteral("VERDI A."));
    EXPECT_EQ(e->Tag, QStringLiteral("3"));
    EXPECT_EQ(e->parentWidget(), b.boxPosti());
    EXPECT_EQ(e->pos(), QPoint(Px(aPosti[3].nSinTvAN), Px(aPosti[3].nTopTvAN)));
    EXPECT_EQ(e->ForeColor(), cColoriTabVideo[0]);
    EXPECT_EQ(e->size(), e->sizeHint()) << "seat labels take the size of their name";

    EXPECT_TRUE(b.txtAnag(4)->Visible());
    EXPECT_EQ(b.txtAnag(4)->pos(), QPoint(20, 0));
    EXPECT_FALSE(b.txtAnag(5)->Visible());
    EXPECT_FALSE(b.txtAnag(6)->Visible());
    EXPECT_TRUE(b.txtAnag(72)->Visible());
    EXPECT_EQ(b.txtAnag(72)->Tag, QStringLiteral("7"));
    EXPECT_FALSE(b.txtAnag(0)->Visible()) << "the template is never shown";
    EXPECT_EQ(b.txtAnag(73), nullptr);
    EXPECT_EQ(b.txtAnag(-1), nullptr);
    EXPECT_EQ(b.txtTitolo(26), nullptr);
    EXPECT_EQ(b.txtDormisco(12), nullptr);
    b.Presenza(true, 73);  // ignored, nothing breaks
    b.Presenza(true, 0);
    EXPECT_FALSE(b.txtAnag(0)->Visible());
}

TEST_F(Tabellone, PulsanteOltreLeEtichetteSegnalatoGliAltriCaricati)
{
    SediConsiglio();
    aPosti[2].iPulsanteAN = 80;
    aPosti[9].iPulsanteAN = 200;
    ScriptedUI ui;
    ui->AttendiMsg(QStringLiteral("Posti non mostrati sul Tabellone Video: numero di pulsante oltre 72\n\n"
                                  "BIANCHI L. (pulsante 80)\nGRECO D. (pulsante 200)"));
    FrmVideo& b = frmVideo();
    QCoreApplication::processEvents();
    ASSERT_EQ(ui->Storia().size(), 1u);
    EXPECT_EQ(ui->Storia()[0].titolo, QStringLiteral("O.B.X."));
    int visibili = 0;
    for (int k = 1; k <= 72; ++k) visibili += b.txtAnag(k)->Visible() ? 1 : 0;
    EXPECT_EQ(visibili, 18);
    EXPECT_TRUE(b.txtAnag(20)->Visible());
    EXPECT_EQ(b.txtAnag(20)->Caption(), QStringLiteral("BARBIERI H."));
}

TEST_F(Tabellone, PresenzaAspettoPresenteEAssente)
{
    SediConsiglio();
    cFont[1] = QStringLiteral("Arial,BI,18");
    cFont[4] = QStringLiteral("Arial,S,14");
    FrmVideo& b = frmVideo();
    Etichetta* e = b.txtAnag(5);
    const QPoint pos = e->pos();

    b.Presenza(true, 5);
    EXPECT_EQ(e->font().family(), QStringLiteral("Arial"));
    EXPECT_TRUE(e->font().bold());
    EXPECT_TRUE(e->font().italic());
    EXPECT_DOUBLE_EQ(e->font().pointSizeF(), 18);
    EXPECT_EQ(e->ForeColor(), cColoriTabVideo[1]);

    b.Presenza(false, 5);
    EXPECT_TRUE(e->font().strikeOut());
    EXPECT_FALSE(e->font().bold());
    EXPECT_FALSE(e->font().italic());
    EXPECT_DOUBLE_EQ(e->font().pointSizeF(), 14);
    EXPECT_EQ(e->ForeColor(), cColoriTabVideo[0]);
    EXPECT_EQ(e->pos(), pos);
    EXPECT_EQ(e->Caption(), QStringLiteral("ROMANO F."));
    EXPECT_TRUE(e->Visible());

    cFont[1] = QStringLiteral("Arial,B");  // no size: the size stays
    b.Presenza(true, 5);
    EXPECT_TRUE(e->font().bold());
    EXPECT_DOUBLE_EQ(e->font().pointSizeF(), 14);
    cFont[1] = QStringLiteral("Arial,B,10.5");
    b.Presenza(true, 5);
    EXPECT_DOUBLE_EQ(e->font().pointSizeF(), 10.5);
    cFont[4] = QStringLiteral("Tahoma");  // no comma: only the colour changes
    b.Presenza(false, 5);
    EXPECT_TRUE(e->font().bold());
    EXPECT_EQ(e->ForeColor(), cColoriTabVideo[0]);
}

TEST_F(Tabellone, PresenzaEVotoDopoUnIngressoEUnaVotazione)
{
    SediConsiglio();
    FrmVideo& b = frmVideo();
    // The member of seat 3 enters: the console marks the seat and tells the board.
    aPosti[3].iStato |= 1;
    iPresenti = 1;
    b.Presenza(true, aPosti[3].iPulsanteAN);
    EXPECT_EQ(b.txtAnag(3)->ForeColor(), cColoriTabVideo[1]);
    EXPECT_EQ(b.txtAnag(4)->ForeColor(), cColoriTabVideo[0]);

    // A vote: seat 3 keys "no"; the console's result view colours the seats.
    aPosti[3].cVoto = QStringLiteral("6");
    cTipoVoto = QStringLiteral("P");
    iStatoConsole |= 16;
    b.txtAnag(3)->SetForeColor(cColoriTabVideo[3]);
    b.Presenza(false, 4);
    b.txtAnag(4)->SetForeColor(cColoriTabVideo[15]);
    EXPECT_EQ(b.txtAnag(3)->ForeColor(), cColoriTabVideo[3]);
    EXPECT_EQ(b.txtAnag(4)->ForeColor(), cColoriTabVideo[15]);
}

TEST_F(Tabellone, RicostruitoInSedutaTienePresenzeEVoti)
{
    SedutaConVoto();
    int ricariche = 0;
    // The registry load replaces every seat whole, state included.
    FrmVideo::CaricaAnagrafe = [&] {
        ++ricariche;
        for (size_t i = 1; i < aPosti.size(); ++i) {
            aPosti[i].iStato = 8;
            aPosti[i].cVoto = QStringLiteral(" ");
        }
        return true;
    };
    QPointer<FrmVideo> prima = &frmVideo();
    QPointer<Etichetta> etichetta = prima->txtAnag(2);
    // Closed during the sitting (the window manager or the console) ...
    prima->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(prima.isNull());
    EXPECT_TRUE(etichetta.isNull());
    EXPECT_EQ(frmVideoCaricato(), nullptr);

    // ... and shown again by the console: the seats keep their state.
    FrmVideo& b = frmVideo();
    EXPECT_EQ(ricariche, 0);
    EXPECT_EQ(aPosti[2].iStato, 9);
    EXPECT_EQ(aPosti[2].cVoto, QStringLiteral("3"));
    EXPECT_EQ(b.txtAnag(2)->ForeColor(), cColoriTabVideo[2]);    // yes
    EXPECT_EQ(b.txtAnag(5)->ForeColor(), cColoriTabVideo[3]);    // no
    EXPECT_EQ(b.txtAnag(9)->ForeColor(), cColoriTabVideo[4]);    // abstain
    EXPECT_EQ(b.txtAnag(18)->ForeColor(), cColoriTabVideo[14]);  // present, not voting
    EXPECT_EQ(b.txtAnag(19)->ForeColor(), cColoriTabVideo[15]);  // absent
    EXPECT_TRUE(b.txtAnag(19)->font().strikeOut()) << "absent look";
    EXPECT_FALSE(b.txtAnag(2)->font().strikeOut());

    // With the outcome dismissed only attendance is drawn.
    iStatoConsole = 1;
    ChiudiTabellone();
    FrmVideo& c = frmVideo();
    EXPECT_EQ(c.txtAnag(2)->ForeColor(), cColoriTabVideo[1]);
    EXPECT_EQ(c.txtAnag(19)->ForeColor(), cColoriTabVideo[0]);
    EXPECT_EQ(ricariche, 0);
}

TEST_F(Tabellone, SenzaSedutaRicaricaLAnagrafe)
{
    SediConsiglio();
    int ricariche = 0;
    FrmVideo::CaricaAnagrafe = [&] {
        ++ricariche;
        aPosti[1].cNomeBreveAN = QStringLiteral("NUOVO NOME      ");
        return true;
    };
    FrmVideo& b = frmVideo();
    EXPECT_EQ(ricariche, 1);
    EXPECT_EQ(b.txtAnag(1)->Caption(), QStringLiteral("NUOVO NOME"));
    ChiudiTabellone();

    FrmVideo::CaricaAnagrafe = [&] {
        ++ricariche;
        return false;
    };
    FrmVideo& c = frmVideo();
    EXPECT_EQ(ricariche, 2);
    for (int k = 1; k <= 72; ++k) EXPECT_FALSE(c.txtAnag(k)->Visible()) << k;
}

TEST_F(Tabellone, ChiusoDuranteIlVotoNessunPuntatorePendente)
{
    SedutaConVoto();
    iModoVoto = 1;
    iStatoConsole = 1 | 2;
    QPointer<FrmVideo> b = &frmVideo();
    b->Mostra();
    QPointer<Etichetta> titolo = b->txtTitolo(8);
    ScaricaFrmVideo();
    EXPECT_EQ(frmVideoCaricato(), nullptr) << "gone for its writers at once";
    EXPECT_FALSE(titolo.isNull()) << "still alive until back in the event loop";
    titolo->SetCaption(QStringLiteral("VOTAZIONE IN CORSO"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(b.isNull());
    EXPECT_TRUE(titolo.isNull());
    ScaricaFrmVideo();  // nothing to take down

    // The next writer builds a new board, with the running vote's seats.
    frmVideo().txtTitolo(8)->SetCaption(QStringLiteral("VOTAZIONE IN CORSO"));
    EXPECT_NE(frmVideoCaricato(), nullptr);
    EXPECT_EQ(frmVideo().txtAnag(1)->ForeColor(), cColoriTabVideo[1])
        << "keys stay hidden during a vote without per-seat vote colours";
}

TEST_F(Tabellone, MonitorDi800PixelConPrenotazioni)
{
    lMonitor[0] = {1, 0, 0, 600, 800};
    iPrenotazioni = kPrenotazioniPannello;
    FrmVideo& b = frmVideo();
    // 12000 twips: the seat frame spans the width and the panel lies over its right edge.
    EXPECT_EQ(b.boxPosti()->geometry(), QRect(Px(120), Px(2700), Px(12000 - 240), Px(9000 - 2940)));
    EXPECT_FALSE(b.boxPrenota()->isHidden());
    EXPECT_EQ(b.boxPrenota()->size(), QSize(Px(2400), Px(4332)));
    EXPECT_EQ(b.boxPrenota()->x(), b.boxPosti()->geometry().right() + 1 - Px(2400));
    EXPECT_EQ(b.boxPrenota()->geometry().bottom(), b.boxPosti()->geometry().bottom());
    EXPECT_EQ(b.txtTitolo(14)->Caption(), QStringLiteral("PRENOTAZIONI"));
    EXPECT_EQ(b.txtTitolo(15)->Caption(), QStringLiteral("A  PARLARE"));
    EXPECT_EQ(b.txtTitolo(16)->Caption(), QStringLiteral("premere il tasto ON"));
    EXPECT_EQ(b.txtTitolo(17)->ForeColor(), cColoriTabVideo[7]);
    EXPECT_EQ(b.txtTitolo(17)->parentWidget(), b.boxPrenota());
    ChiudiTabellone();

    // Wider: the seat frame leaves room and the panel stands beside it.
    lMonitor[0] = {1, 0, 0, 768, 1024};
    FrmVideo& c = frmVideo();
    EXPECT_EQ(c.boxPosti()->width(), Px(15360 - 2760));
    EXPECT_EQ(c.boxPrenota()->x(), c.boxPosti()->geometry().right() + 1 + Px(120));
    ChiudiTabellone();

    iPrenotazioni = 0;
    FrmVideo& d = frmVideo();
    EXPECT_TRUE(d.boxPrenota()->isHidden());
    EXPECT_EQ(d.boxPrenota()->x(), 0);
    EXPECT_EQ(d.boxPosti()->width(), Px(15360 - 240));
}

TEST_F(Tabellone, StemmaEDimensioneDeiTitoli)
{
    // Without the emblem at 640 pixels: A = 9360, Q = 2340 < 2688, size 12.
    lMonitor[0] = {1, 0, 0, 480, 640};
    {
        FrmVideo& b = frmVideo();
        EXPECT_TRUE(b.imgStemma()->isHidden());
        EXPECT_DOUBLE_EQ(b.txtTitolo(3)->font().pointSizeF(), 12);
        EXPECT_EQ(b.txtTitolo(6)->width(), Px(3 * 2340));
        EXPECT_EQ(b.txtTitolo(3)->x(), Px(120));
        EXPECT_EQ(b.txtTitolo(7)->x(), Px(120 + 3 * 2340));
    }
    ChiudiTabellone();

    // Emblem present, window of exactly 12000 twips: the small emblem, and
    // A = 11040, Q = 2760, size 14; the long cells are 819 shorter.
    QImage img(40, 50, QImage::Format_RGB32);
    img.fill(Qt::darkBlue);
    ASSERT_TRUE(img.save(cCartella + QStringLiteral("Stemma.bmp"), "BMP"));
    lMonitor[0] = {1, 0, 0, 600, 800};
    {
        FrmVideo& b = frmVideo();
        EXPECT_FALSE(b.imgStemma()->isHidden());
        EXPECT_EQ(b.imgStemma()->geometry(), QRect(Px(12000 - 879), Px(60), Px(819), Px(1092)));
        EXPECT_DOUBLE_EQ(b.txtTitolo(3)->font().pointSizeF(), 14);
        for (int cella : {5, 6, 8}) EXPECT_EQ(b.txtTitolo(cella)->width(), Px(3 * 2760 - 819)) << cella;
        EXPECT_EQ(b.txtTitolo(5)->font().pointSizeF(), 14) << "council name in font 0";
    }
    ChiudiTabellone();

    // Wider than 12000 twips: the large emblem and the full long cells.
    lMonitor[0] = {1, 0, 0, 768, 1024};
    FrmVideo& b = frmVideo();
    EXPECT_EQ(b.imgStemma()->size(), QSize(Px(1368), Px(1824)));
    // A = round(15360 - 120) = 15240; (15240 - 1380) \ 48 * 48 = 13824; Q = 3456.
    EXPECT_EQ(b.txtTitolo(6)->width(), Px(3 * 3456));
}

TEST_F(Tabellone, TitoliCaptionEColori)
{
    FakeServices servizi;  // Thursday 15 January 2026
    FrmVideo& b = frmVideo();
    EXPECT_EQ(b.txtTitolo(0)->Caption(), QStringLiteral("Sindaco"));
    EXPECT_EQ(b.txtTitolo(1)->Caption(), QStringLiteral("Pres. Consiglio"));
    EXPECT_EQ(b.txtTitolo(2)->Caption(), QStringLiteral("15 gennaio 2026"));
    EXPECT_EQ(b.txtTitolo(4)->Caption(), QStringLiteral("Presenti 00"));
    EXPECT_EQ(b.txtTitolo(5)->Caption(), cConsiglio);
    EXPECT_EQ(b.txtTitolo(13)->Caption(), QStringLiteral("esito votazione"));
    EXPECT_TRUE(b.txtTitolo(3)->Caption().isEmpty());
    EXPECT_EQ(b.txtTitolo(0)->parentWidget(), b.boxPosti());
    EXPECT_TRUE(b.txtTitolo(0)->Visible());
    EXPECT_EQ(b.txtTitolo(0)->ForeColor(), 0xFFFFFF);
    EXPECT_EQ(b.txtTitolo(9)->ForeColor(), 0x00EF00);
    EXPECT_EQ(b.txtTitolo(4)->ForeColor(), cColoriTabVideo[10]);
    EXPECT_EQ(b.txtTitolo(5)->ForeColor(), cColoriTabVideo[8]);
    EXPECT_EQ(b.txtTitolo(13)->ForeColor(), cColoriTabVideo[13]);
    EXPECT_EQ(b.txtTitolo(4)->BackStyle(), 0);
    EXPECT_TRUE(b.txtTitolo(4)->AutoSize()) << "font 3 sizes the counts to their text";
    EXPECT_DOUBLE_EQ(b.txtTitolo(4)->font().pointSizeF(), 28);
    EXPECT_EQ(b.palette().color(QPalette::Window), ColoreQt(cColoriTabVideo[5]));
    EXPECT_EQ(b.boxPosti()->palette().color(QPalette::Window), ColoreQt(cColoriTabVideo[6]));

    // Writers: a text row, an opaque cell on colour 6 after a result.
    Etichetta* t = b.txtTitolo(9);
    const QPoint angolo = t->pos();
    t->SetCaption(QStringLiteral("Favorevoli 11"));
    EXPECT_EQ(t->pos(), angolo);
    EXPECT_EQ(t->size(), t->sizeHint());
    t->SetBackStyle(1);
    t->SetBackColor(cColoriTabVideo[6]);
    EXPECT_TRUE(t->autoFillBackground());
    EXPECT_EQ(t->palette().color(QPalette::Window), ColoreQt(cColoriTabVideo[6]));
    ChiudiTabellone();

    iConfigOBX = kOpzNascondeTitoli;
    iTipoAssemblea = 2;
    FrmVideo& c = frmVideo();
    EXPECT_FALSE(c.txtTitolo(0)->Visible());
    EXPECT_FALSE(c.txtTitolo(1)->Visible());
    EXPECT_EQ(c.txtTitolo(0)->Caption(), QStringLiteral("Pres. Giunta"));
}

TEST_F(Tabellone, AssembleaRegionale)
{
    iTipoAssemblea = 4;
    cFont[0] = QStringLiteral("Arial,I,20");
    FrmVideo& b = frmVideo();
    EXPECT_FALSE(b.txtTitolo(4)->Visible());
    EXPECT_FALSE(b.txtTitolo(5)->Visible());
    EXPECT_TRUE(b.txtTitolo(5)->Caption().isEmpty());
    EXPECT_EQ(b.txtTitolo(1)->Caption(), QStringLiteral("Pres. Ass. Legisl."));
    EXPECT_EQ(b.txtTitolo(0)->Caption(), QStringLiteral("Pres. Giunta"));
    // 1024 pixels without emblem: A = 15120, Q = 3780.
    const double Q = 3780;
    EXPECT_EQ(b.txtTitolo(6)->geometry(), QRect(Px(120), Px(360), Px(4 * Q), Px(420)));
    EXPECT_EQ(b.txtTitolo(3)->geometry(), QRect(Px(120 + 3 * Q), 0, Px(Q), Px(360)));
    EXPECT_EQ(b.txtTitolo(13)->pos(), QPoint(Px(120), Px(2160)));
    EXPECT_TRUE(b.txtTitolo(6)->font().italic());
    EXPECT_DOUBLE_EQ(b.txtTitolo(6)->font().pointSizeF(), 20);
}

TEST_F(Tabellone, TabellaDeiRisultati)
{
    FrmVideo& b = frmVideo();
    const double W = 15360, H = 11520;
    const double bb = 11520 / 25, t = 11520 / 5;  // 460 (460.8 rounded down), 2304
    const QStringList intestazioni = {QStringLiteral("VOTANTI"), QStringLiteral("S I"), QStringLiteral("N O"),
                                      QStringLiteral("A S T")};
    for (int n = 0; n <= 11; ++n) {
        Etichetta* e = b.txtDormisco(n);
        EXPECT_FALSE(e->Visible()) << n;
        EXPECT_EQ(e->BackStyle(), 1) << n;
    }
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(b.txtDormisco(n)->Caption(), intestazioni[n - 1]);
        EXPECT_EQ(b.txtDormisco(n)->geometry(), QRect(Px((n - 1) * (W / 4)), Px(bb), Px(W / 4), Px(t)));
        EXPECT_EQ(b.txtDormisco(n)->BackColor(), cColoriTabVideo[21]);
        EXPECT_EQ(b.txtDormisco(n)->ForeColor(), cColoriTabVideo[16]);
    }
    EXPECT_EQ(b.txtDormisco(6)->geometry(), QRect(Px(W / 4), Px(t + 2 * bb), Px(W / 4), Px(H - 2 * t - 3 * bb)));
    EXPECT_EQ(b.txtDormisco(6)->ForeColor(), cColoriTabVideo[18]);
    EXPECT_EQ(b.txtDormisco(6)->BackColor(), cColoriTabVideo[22]);
    EXPECT_DOUBLE_EQ(b.txtDormisco(6)->font().pointSizeF(), 28);
    EXPECT_EQ(b.txtDormisco(0)->geometry(), QRect(0, Px(H - t), Px(W), Px(t)));
    EXPECT_EQ(b.txtDormisco(0)->Caption(), cConsiglio);
    EXPECT_EQ(b.txtDormisco(11)->geometry(), QRect(0, Px(H - t - bb), Px(W), Px(bb)));
}
