// Every window of the program reads whole with the fonts of this machine:
// each caption fits its control (the console's own screens are walked by
// test_disposizione.cpp), the text fields of the registers take the
// characters of their fields, and the dialogs Qt builds itself speak
// Italian.
#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QTreeView>

#include "board/frmColori.h"
#include "board/frmDisplay.h"
#include "board/frmPosti.h"
#include "board/frmTinteQZ.h"
#include "board/frmVideo.h"
#include "console/frmScambio.h"
#include "console/frmTasti.h"
#include "links/frmLED.h"
#include "links/frmTavelix.h"
#include "platform/Avanzamento.h"
#include "platform/Database.h"
#include "platform/Dialoghi.h"
#include "registers/frmAnag.h"
#include "registers/frmDataGrid.h"
#include "registers/frmDelib.h"
#include "registers/frmLeggi.h"
#include "reports/frmEvent.h"
#include "reports/frmVoti.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"
#include "shell/frmConfig.h"
#include "shell/frmCopia.h"
#include "shell/frmGetFile.h"
#include "shell/frmLogin.h"
#include "shell/frmMain.h"
#include "shell/frmParam.h"
#include "support/BancoConsole.h"
#include "support/Didascalie.h"

namespace obx::test {
namespace {

// Walks the window and fails with the list of what does not read whole.
// With OBX_FOTO_FINESTRE set, a picture of the window goes into that folder
// too (for the eye, under a real X server).
void Intera(const QWidget* w, const char* finestra)
{
    if (qEnvironmentVariableIsSet("OBX_FOTO_FINESTRE")) {
        QString nome = QString::fromLatin1(finestra);
        nome.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]+")), QStringLiteral("_"));
        const QString file = qEnvironmentVariable("OBX_FOTO_FINESTRE") + u'/' + nome + QStringLiteral(".png");
        EXPECT_TRUE(const_cast<QWidget*>(w)->grab().save(file, "PNG")) << file.toStdString();
    }
    const auto tagliate = DidascalieTagliate(w);
    EXPECT_TRUE(tagliate.empty()) << finestra << ":\n" << Descrive(tagliate).toStdString();
}

// Shows the window, lets it settle and walks it.
void Mostrata(QWidget& w, const char* finestra)
{
    w.show();
    Gira(10);
    Intera(&w, finestra);
}

// Runs azione on the first modal window that comes up, then closes it.
void AlModale(const std::function<void(QWidget*)>& azione)
{
    auto* t = new QTimer;
    t->setInterval(10);
    QObject::connect(t, &QTimer::timeout, [t, azione] {
        QWidget* m = QApplication::activeModalWidget();
        if (!m) return;
        t->stop();
        t->deleteLater();
        azione(m);
        if (auto* d = qobject_cast<QDialog*>(m))
            d->reject();
        else
            m->close();
    });
    t->start();
}

// The texts a window shows: captions of its labels and buttons, and the
// headers of its views.
QStringList Testi(const QWidget* w)
{
    QStringList t;
    for (const QLabel* l : w->findChildren<QLabel*>())
        if (l->isVisibleTo(w)) t << l->text();
    for (const QAbstractButton* b : w->findChildren<QAbstractButton*>())
        if (b->isVisibleTo(w)) t << b->text();
    for (const QGroupBox* g : w->findChildren<QGroupBox*>())
        if (g->isVisibleTo(w)) t << g->title();
    for (const QHeaderView* h : w->findChildren<QHeaderView*>())
        if (h->model())
            for (int c = 0; c < h->model()->columnCount(); ++c)
                t << h->model()->headerData(c, h->orientation()).toString();
    return t;
}

class Finestre : public BancoConsole {};

TEST_F(Finestre, FinestraPrincipale)
{
    frmMain m;
    Mostrata(m, "frmMain");
}

TEST_F(Finestre, ConfigurazioneEParametri)
{
    GestisceConfig(false);
    frmConfig c;
    Mostrata(c, "frmConfig");
    frmParam p;
    Mostrata(p, "frmParam");
}

TEST_F(Finestre, Registri)
{
    for (int tipoTab : {1, 2, 3}) {
        iTipoTAB = tipoTab;
        xIdEsterno = true;
        frmAnag* a = frmAnag::Mostra();
        ASSERT_NE(a, nullptr);
        Gira(10);
        Intera(a, "frmAnag");
        const auto strette = CampiStretti(a);
        EXPECT_TRUE(strette.empty()) << "frmAnag:\n" << Descrive(strette).toStdString();
        a->close();
        Gira(5);

        frmDelib* d = frmDelib::Mostra();
        ASSERT_NE(d, nullptr);
        Gira(10);
        Intera(d, "frmDelib");
        const auto campi = CampiStretti(d);
        EXPECT_TRUE(campi.empty()) << "frmDelib, display type " << tipoTab << ":\n" << Descrive(campi).toStdString();
        d->close();
        Gira(5);
    }
    xIdEsterno = false;
    iTipoTAB = 5;
}

// A row of the agenda register is shown from the start of each text, in
// fields as wide as their archive fields.
TEST_F(Finestre, IlRegistroArgomentiMostraLInizioDeiTesti)
{
    iTipoTAB = 2;  // three LED title rows of 20 characters
    dbArchivio.Execute(QStringLiteral("UPDATE DELIBERE SET cProtocolloDE = ?, cTitolinoDE = ?, cTitolino1DE = ?, "
                                      "cTitolino2DE = ?, cTitolino3DE = ? WHERE iDeliberaDE = 1;"),
                       {QStringLiteral("PROT. GEN. 2026/0042"), QStringLiteral("BILANCIO DI PREV"),
                        QStringLiteral("BILANCIO PREVISIONE"), QStringLiteral("ESERCIZIO 2026-2028"),
                        QStringLiteral("TRIENNIO 2026 - 2028")});
    frmDelib* d = frmDelib::Mostra();
    ASSERT_NE(d, nullptr);
    Gira(10);
    int mostrati = 0;
    for (int i = 0; i <= 12; ++i) {
        auto* e = d->findChild<QLineEdit*>(QStringLiteral("getDelibera(%1)").arg(i));
        if (!e || e->text().isEmpty()) continue;
        ++mostrati;
        EXPECT_EQ(e->cursorPosition(), 0) << i << " " << e->text().toStdString();
    }
    EXPECT_GE(mostrati, 5);
    const auto campi = CampiStretti(d);
    EXPECT_TRUE(campi.empty()) << Descrive(campi).toStdString();
    // Each text whole in its field.
    for (int i : {1, 3, 5, 6, 7}) {
        auto* e = d->findChild<QLineEdit*>(QStringLiteral("getDelibera(%1)").arg(i));
        ASSERT_NE(e, nullptr);
        EXPECT_LE(e->fontMetrics().horizontalAdvance(e->text()), e->width()) << i;
    }
    d->close();
    Gira(5);
    iTipoTAB = 5;
}

TEST_F(Finestre, CopiaAccessoEScelteDiFile)
{
    {
        frmCopia c;
        c.show();
        // A destination deep enough not to fit the window: shown shortened,
        // whole in its tool tip.
        QDir(cCartella).mkpath(QStringLiteral("una/cartella/di/destinazione/molto/lontana/per/le/copie"));
        const QString lontana = cCartella + QStringLiteral("una/cartella/di/destinazione/molto/lontana/per/le/copie");
        for (const QString& cartella : {cCartella, lontana}) {
            c.ImpostaCartella(cartella);
            Gira(10);
            const QString atteso = QDir::toNativeSeparators(QDir(cartella).absolutePath() + u'/');
            EXPECT_EQ(c.lblDestinazione->toolTip(), atteso);
            if (c.lblDestinazione->fontMetrics().horizontalAdvance(atteso) <= c.lblDestinazione->width())
                EXPECT_EQ(c.lblDestinazione->text(), atteso);
            else
                EXPECT_TRUE(c.lblDestinazione->text().endsWith(QStringLiteral("copie/")))
                    << c.lblDestinazione->text().toStdString();
            Intera(&c, "frmCopia");
        }
    }
    {
        frmLogin l;
        Mostrata(l, "frmLogin");
    }
    for (bool lista : {true, false}) {
        frmGetFile g(lista);
        Mostrata(g, lista ? "frmGetFile (list)" : "frmGetFile (new name)");
    }
}

TEST_F(Finestre, AnteprimaLedERadio)
{
    FrmLED& led = frmLED();
    led.show();
    // Every LED flashing ("LAMP.") and the eight rows of a board of 8 x 20.
    led.MostraMappa(QString(FrmLED::kLed, u'5'));
    for (int r = 1; r <= FrmLED::kRighe; ++r) led.lblInfo(r)->setText(QString(20, u'W'));
    Gira(10);
    Intera(&led, "frmLED");
    led.close();
    {
        frmTavelix r;
        Mostrata(r, "frmTavelix");
    }
}

// The colours and fonts of a configuration file that has none.
void TinteIniziali()
{
    cColoriTabVideo = kColoriTabVideoPredefiniti;
    cFont = {QStringLiteral("MS Sans Serif,B,14"), QStringLiteral("MS Sans Serif,B,14"),
             QStringLiteral("MS Sans Serif,B,14"), QStringLiteral("MS Sans Serif,B,28"),
             QStringLiteral("MS Sans Serif,S,14")};
}

TEST_F(Finestre, TabelloneProiettato)
{
    struct Schermo {
        int larghezza, altezza;
    };
    // The fonts of the fixture, then those of a configuration file that has
    // none: the counts and the outcome in font 3, bold 28, sized to their text.
    for (const bool predefinite : {false, true})
        for (const Schermo s : {Schermo{800, 600}, Schermo{1024, 768}, Schermo{1280, 1024}})
            for (int tipo : {1, 4})
                for (int prenotazioni : {0, 1}) {
                    if (predefinite) TinteIniziali();
                    iTipoAssemblea = tipo;
                    iPrenotazioni = prenotazioni;
                    lMonitor[0] = {1, 0, 0, s.altezza, s.larghezza};
                    FrmVideo& v = frmVideo();
                    v.show();
                    Gira(10);
                    const std::string dove = "frmVideo " + std::to_string(s.larghezza) + " kind " +
                                             std::to_string(tipo) + (predefinite ? " default fonts" : "");
                    Intera(&v, dove.c_str());
                    // The longest outcome in its cell.
                    v.txtTitolo(13)->SetCaption(QStringLiteral("NON RINVIATO AD ALTRA SEDUTA"));
                    Gira(5);
                    Intera(&v, (dove + " outcome").c_str());
                    // Within the window, and clear of the count beside it.
                    const QRect esito = v.txtTitolo(13)->geometry();
                    EXPECT_LE(esito.right(), v.width()) << dove;
                    if (tipo != 4) EXPECT_LE(esito.right(), v.txtTitolo(7)->x()) << dove;
                    // A short outcome takes its font's full size again.
                    v.txtTitolo(13)->SetCaption(QStringLiteral("APPROVATO"));
                    if (predefinite) EXPECT_EQ(v.txtTitolo(13)->font().pointSizeF(), 28) << dove;
                    ScaricaFrmVideo();
                    Gira(5);
                }
    iPrenotazioni = 0;
}

TEST_F(Finestre, DialoghiDeiSeggi)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    {
        frmTasti t;
        t.iConsID = 1;
        Mostrata(t, "frmTasti");
    }
    {
        cNomeOspite = QStringLiteral("Giulia Neri");
        frmOspiti o;
        Mostrata(o, "frmOspiti");
    }
    frmScambio s;
    Mostrata(s, "frmScambio");
}

// The two seat-layout editors on every monitor size, with the seats on
// their panels and in their lists, and the board's colour windows.
TEST_F(Finestre, EditoriDelleDisposizioniEColori)
{
    TinteIniziali();
    xEsitoVideo = true;  // the board's results window: "Dormisco" shown
    // Seats 1..4 placed on the board (under its chair titles) too, 5..7
    // still to place there, 8 (with a short name of all its 16 characters)
    // still to place anywhere.
    dbArchivio.Execute(QStringLiteral("UPDATE ANAGRAFE SET nTopTvAN = 480 + 360 * bCodiceAN, nSinTvAN = 240 "
                                      "WHERE bCodiceAN <= 4"));
    dbArchivio.Execute(QStringLiteral("UPDATE ANAGRAFE SET iPulsanteAN = 0, nTopAN = 0, nLeftAN = 0, "
                                      "cNomeBreveAN = 'DE SANCTIS ROSSI' WHERE bCodiceAN = 8"));
    struct Schermo {
        int larghezza, altezza;
    };
    for (const Schermo s : {Schermo{640, 480}, Schermo{800, 600}, Schermo{1024, 768}, Schermo{1280, 1024}}) {
        lMonitor[0] = {1, 0, 0, s.altezza, s.larghezza};
        const std::string dove = std::to_string(s.larghezza) + "x" + std::to_string(s.altezza);
        {
            frmPosti p;
            Mostrata(p, ("frmPosti " + dove).c_str());
            // The console's editor stands on the control monitor whole.
            EXPECT_LE(p.width(), s.larghezza) << dove;
            EXPECT_LE(p.height(), s.altezza) << dove;
        }
        for (int tipo : {1, 4})
            for (int prenotazioni : {0, 1}) {
                iTipoAssemblea = tipo;
                iPrenotazioni = prenotazioni;
                frmDisplay d;
                Mostrata(d, ("frmDisplay " + dove + " kind " + std::to_string(tipo) + " bookings " +
                             std::to_string(prenotazioni))
                                .c_str());
            }
    }
    for (int tipo : {1, 4}) {
        iTipoAssemblea = tipo;
        frmColori c;
        Mostrata(c, ("frmColori kind " + std::to_string(tipo)).c_str());
    }
    frmTinteQZ q;
    Mostrata(q, "frmTinteQZ");
    iPrenotazioni = 0;
    iTipoAssemblea = 1;
}

// Every table in the maintenance grid, its captions and column titles whole.
TEST_F(Finestre, GrigliaDelleTabelle)
{
    for (int t = 1; t <= 5; ++t) {
        cTabellaGriglia = cTabelle[size_t(t)];
        QPointer<frmDataGrid> g = new frmDataGrid;
        Mostrata(*g, ("frmDataGrid " + cTabellaGriglia.toStdString()).c_str());
        g->close();
        Gira(5);
        EXPECT_TRUE(g.isNull());
    }
}

// The lists of the stored votes and of the events, over the fixture's log
// (the sitting opened by the console writes its first event).
TEST_F(Finestre, ListeDeiVotiEDegliEventi)
{
    ASSERT_NE(ApreConSeduta(), nullptr);
    {
        QPointer<frmVoti> v = frmVoti::Mostra();
        ASSERT_FALSE(v.isNull());
        Mostrata(*v, "frmVoti");
        v->close();
    }
    {
        QPointer<frmEvent> e = frmEvent::Mostra();
        ASSERT_FALSE(e.isNull());
        Mostrata(*e, "frmEvent");
        e->close();
    }
    Gira(10);
}

// The progress of a long export of the votes, in both layouts.
TEST_F(Finestre, AvanzamentoDellEsportazione)
{
    for (const char* testo : {"Esportazione Voti - Sintesi", "Esportazione Voti - Dettaglio"}) {
        Avanzamento a(QString::fromUtf8(testo), 2 * Avanzamento::kMinimo);
        ASSERT_NE(a.Finestra(), nullptr);
        a.Passo(Avanzamento::kOgni);
        Mostrata(*a.Finestra(), testo);
        EXPECT_EQ(a.Finestra()->value(), Avanzamento::kOgni);
    }
    // Short work shows nothing.
    EXPECT_EQ(Avanzamento(QStringLiteral("Esportazione Voti - Sintesi"), Avanzamento::kMinimo - 1).Finestra(), nullptr);
}

class FinestreAtti : public Finestre {
protected:
    int Tipo() const override { return 4; }
};

// The acts register with its panel in each of its states: empty, a new act
// at the first level and under an article, a law and an article loaded.
TEST_F(FinestreAtti, RegistroDegliAtti)
{
    frmLeggi* l = frmLeggi::Mostra();
    ASSERT_NE(l, nullptr);
    Gira(10);
    Intera(l, "frmLeggi empty");
    struct Stato {
        const char* chiave;  // node selected ("*" the root)
        int comando;         // 4 "Aggiunge", 0 "Varia"
        const char* nome;
    };
    for (const Stato s : {Stato{"*", 4, "frmLeggi new law"}, Stato{"B1\\J3\\", 4, "frmLeggi new under article"},
                          Stato{"B1\\", 0, "frmLeggi law"}, Stato{"B1\\J3\\", 0, "frmLeggi article"},
                          Stato{"B1\\J3\\E2\\", 0, "frmLeggi amendment"}}) {
        NodoAlbero* n = l->oAlbero().Find(QString::fromLatin1(s.chiave));
        ASSERT_NE(n, nullptr) << s.chiave;
        l->oAlbero().SetSelectedItem(n);
        l->cmdLeggi_Click(s.comando);
        Gira(10);
        EXPECT_FALSE(l->cmdLeggi(5)->isHidden()) << s.nome;
        Intera(l, s.nome);
        const auto campi = CampiStretti(l);
        EXPECT_TRUE(campi.empty()) << s.nome << ":\n" << Descrive(campi).toStdString();
    }
    l->MostraAtto(2, QString(), false);
    Gira(10);
    Intera(l, "frmLeggi emptied");
    l->close();
    Gira(5);
}

// The dialogs that Qt builds itself: the program's file dialog, the input
// box and the message box speak Italian and show their captions whole.
TEST_F(Finestre, IDialoghiDiQtParlanoItaliano)
{
    const QStringList inglese{QStringLiteral("Cancel"),     QStringLiteral("Name"),          QStringLiteral("Size"),
                              QStringLiteral("Type"),       QStringLiteral("Date Modified"), QStringLiteral("Open"),
                              QStringLiteral("Save"),       QStringLiteral("Yes"),           QStringLiteral("Look in:"),
                              QStringLiteral("File name:"), QStringLiteral("Files of type:")};
    DialoghiQt qt;
    QStringList visti;
    AlModale([&](QWidget* m) {
        Gira(50);
        ASSERT_NE(qobject_cast<QFileDialog*>(m), nullptr);
        Intera(m, "QFileDialog");
        visti = Testi(m);
    });
    qt.ApriFile(QStringLiteral("Selezione Archivio di Riferimento"), QDir::tempPath(),
                QStringLiteral("Archivio (*.db)"), true);
    EXPECT_TRUE(visti.contains(QStringLiteral("Nome"))) << visti.join(u'|').toStdString();
    EXPECT_TRUE(visti.contains(QStringLiteral("Annulla"))) << visti.join(u'|').toStdString();
    for (const QString& parola : inglese) EXPECT_FALSE(visti.contains(parola)) << parola.toStdString();

    visti.clear();
    AlModale([&](QWidget* m) {
        Intera(m, "QInputDialog");
        visti = Testi(m);
    });
    QString risposta;
    qt.InputBox(QStringLiteral("Nuovo Titolo"), kTitoloOBX, QString(), risposta);
    EXPECT_TRUE(visti.contains(QStringLiteral("Annulla"))) << visti.join(u'|').toStdString();
    for (const QString& parola : inglese) EXPECT_FALSE(visti.contains(parola)) << parola.toStdString();

    visti.clear();
    AlModale([&](QWidget* m) {
        Intera(m, "QMessageBox");
        visti = Testi(m);
    });
    qt.MsgBox(QStringLiteral("Confermi chiusura votazione ?"), vbYesNoCancel + vbQuestion, kTitoloOBX);
    for (const QString& parola : inglese) EXPECT_FALSE(visti.contains(parola)) << parola.toStdString();
}

// The colour and font dialogs of the board's colour windows: Italian,
// their captions whole.
TEST_F(Finestre, IDialoghiDeiColoriEDeiFontParlanoItaliano)
{
    const QStringList inglese{QStringLiteral("Cancel"),         QStringLiteral("&Basic colors"),
                              QStringLiteral("&Custom colors"), QStringLiteral("&Add to Custom Colors"),
                              QStringLiteral("&Red:"),          QStringLiteral("&Green:"),
                              QStringLiteral("Bl&ue:"),         QStringLiteral("&Pick Screen Color"),
                              QStringLiteral("&Font"),          QStringLiteral("Font st&yle"),
                              QStringLiteral("&Size"),          QStringLiteral("Effects"),
                              QStringLiteral("Stri&keout"),     QStringLiteral("&Underline"),
                              QStringLiteral("Sample"),         QStringLiteral("Wr&iting System")};
    DialoghiQt qt;
    QStringList visti;
    AlModale([&](QWidget* m) {
        Gira(50);
        Intera(m, "QColorDialog");
        visti = Testi(m);
    });
    int32_t colore = kColoriTabVideoPredefiniti[5];
    qt.ScegliColore(colore, QStringLiteral("Impostazione Colore per Sfondo Tabellone"));
    EXPECT_TRUE(visti.contains(QStringLiteral("Annulla"))) << visti.join(u'|').toStdString();
    for (const QString& parola : inglese) EXPECT_FALSE(visti.contains(parola)) << parola.toStdString();

    visti.clear();
    AlModale([&](QWidget* m) {
        Gira(50);
        Intera(m, "QFontDialog");
        visti = Testi(m);
    });
    QString font = QStringLiteral("MS Sans Serif,B,14");
    qt.ScegliFont(font, QStringLiteral("Impostazione Font Consiglieri:"));
    EXPECT_TRUE(visti.contains(QStringLiteral("Annulla"))) << visti.join(u'|').toStdString();
    for (const QString& parola : inglese) EXPECT_FALSE(visti.contains(parola)) << parola.toStdString();
}

}  // namespace
}  // namespace obx::test
