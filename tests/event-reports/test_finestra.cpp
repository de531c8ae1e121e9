// The window itself: its grid over the log, the note stored in its field,
// captions that fit their controls, and the main menu's entries that open
// the window and print the sitting's vote minutes.
#include <QAction>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "BancoEventi.h"
#include "console/Spoglio.h"
#include "platform/GrigliaDati.h"
#include "shell/Configurazione.h"
#include "shell/ControlloDati.h"
#include "shell/frmMain.h"

using namespace obx;
using namespace obx::test;

namespace {

class FinestraEventi : public BancoEventi {
protected:
    void SetUp() override
    {
        BancoEventi::SetUp();
        DueSedute();
    }
    static QString Nota(int riga)
    {
        Recordset rs = dbArchivio.OpenTable(cTabelle[3], QStringLiteral("TAG_A"));
        for (int i = 0; i < riga; ++i) rs.MoveNext();
        return rs.Field(QStringLiteral("cDettaglioEV")).toString();
    }
};

TEST_F(FinestraEventi, GridShowsTheLogInItsColumnsAndTakesNoTyping)
{
    frmEvent* f = BancoEventi::Finestra();
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Controllo Eventi"));
    GrigliaDati* g = f->broEventi;
    ASSERT_EQ(g->Righe(), 22);
    const QStringList titoli = {"Ora", "Evento", "Specifiche", "Presenti", "Dettagli", "Note"};
    ASSERT_EQ(g->model()->columnCount(), 6);
    for (int c = 0; c < 6; ++c) EXPECT_EQ(g->model()->headerData(c, Qt::Horizontal).toString(), titoli[c]) << c;
    EXPECT_EQ(g->TestoCella(4, 0), QStringLiteral("09:10:00"));
    EXPECT_EQ(RTrimSpazi(g->TestoCella(4, 1)), QStringLiteral("Parla"));
    EXPECT_EQ(RTrimSpazi(g->TestoCella(4, 2)), QStringLiteral("Anna Verdi"));
    EXPECT_EQ(g->TestoCella(2, 3), QStringLiteral("2"));
    EXPECT_EQ(RTrimSpazi(g->TestoCella(20, 4)), QStringLiteral("Paola Ricci"));
    // The note changes only through "Salva".
    EXPECT_FALSE(g->ScriveCella(4, 5, QStringLiteral("a mano")));
    EXPECT_FALSE(g->EliminaRiga(4));
    EXPECT_EQ(ArchivioProva::Righe(cTabelle[3]), 22);
}

TEST_F(FinestraEventi, NoteIsStoredOnTheFirstSelectedRowInItsThirtyCharacters)
{
    frmEvent* f = BancoEventi::Finestra();
    // Nothing selected: nothing stored.
    f->getNota->setText(QStringLiteral("senza riga"));
    f->cmdEventi(3)->click();
    for (int r = 0; r < 22; ++r) EXPECT_TRUE(Nota(r).isEmpty()) << r;

    // Forty characters typed: the first thirty are stored.
    const QString lunga = QStringLiteral("Nota di quaranta caratteri, troppo lunga");
    ASSERT_EQ(lunga.size(), 40);
    f->broEventi->SelezionaRiga(8, false);
    f->broEventi->SelezionaRiga(3, true);
    f->getNota->setText(lunga);
    f->cmdEventi(3)->click();
    EXPECT_EQ(Nota(8), lunga.left(30));
    EXPECT_TRUE(Nota(3).isEmpty());
    // The grid shows it, and the selection is gone.
    EXPECT_EQ(f->broEventi->TestoCella(8, 5), lunga.left(30));
    EXPECT_TRUE(f->broEventi->SelBookmarks().isEmpty());

    // A short one is padded to the field.
    f->broEventi->SelezionaRiga(1, false);
    f->getNota->setText(QStringLiteral("in ritardo"));
    f->cmdEventi(3)->click();
    EXPECT_EQ(Nota(1), PadTaglia(QStringLiteral("in ritardo"), 30));

    // The report prints it after the details.
    const Pdf pdf = Stampa(f, QStringLiteral("Stampa Intera Lista Eventi"));
    const auto w = pdf.Trova(QStringLiteral("Esce Anna Verdi Nota di quaranta caratteri,"));
    EXPECT_EQ(w.size(), 1u) << pdf.Tutto().toStdString();
}

TEST_F(FinestraEventi, RowSelectorsPickRowsInTheOrderOfTheClicks)
{
    frmEvent* f = BancoEventi::Finestra();
    GrigliaDati* g = f->broEventi;
    QHeaderView* h = g->verticalHeader();
    auto clic = [&](int riga, Qt::KeyboardModifiers tasti) {
        g->scrollTo(g->model()->index(riga, 0));
        const int y = h->sectionViewportPosition(riga) + h->sectionSize(riga) / 2;
        QTest::mouseClick(h->viewport(), Qt::LeftButton, tasti, QPoint(h->width() / 2, y));
    };
    // The later row first, the earlier one with Ctrl.
    clic(19, Qt::NoModifier);
    clic(4, Qt::ControlModifier);
    ASSERT_EQ(g->SelBookmarks(), (QList<qint64>{g->Segnalibro(19), g->Segnalibro(4)}));
    // The group runs from the row clicked first to the end of the log.
    (*ui)->AttendiMsg(QStringLiteral("Stampa Gruppo 3 Eventi da .. a .."), vbCancel);
    f->cmdEventi(0)->click();
    // The note goes on the row clicked first.
    f->getNota->setText(QStringLiteral("prima scelta"));
    f->cmdEventi(3)->click();
    EXPECT_EQ(Nota(19), PadTaglia(QStringLiteral("prima scelta"), 30));
    EXPECT_TRUE(Nota(4).isEmpty());

    // A plain click starts a new selection; a click on a cell lets go of it.
    clic(2, Qt::NoModifier);
    clic(7, Qt::ControlModifier);
    clic(9, Qt::NoModifier);
    EXPECT_EQ(g->SelBookmarks(), QList<qint64>{g->Segnalibro(9)});
    const QRect cella = g->visualRect(g->model()->index(9, 2));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::NoModifier, cella.center());
    EXPECT_TRUE(g->SelBookmarks().isEmpty());
    EXPECT_EQ(g->ColonnaCorrente(), 2);
}

TEST_F(FinestraEventi, F1PressedOnTheGridShowsTheHelp)
{
    frmEvent* f = BancoEventi::Finestra();
    f->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    f->broEventi->setFocus();
    (*ui)->AttendiMsg(frmEvent::TestoAiuto(), vbOK);
    QTest::keyClick(f->broEventi, Qt::Key_F1);
    ASSERT_EQ((*ui)->Storia().size(), 1u);
    EXPECT_EQ((*ui)->Storia()[0].stile, vbInformation);
    EXPECT_EQ((*ui)->Storia()[0].titolo, QStringLiteral("O.B.X."));
}

TEST_F(FinestraEventi, CaptionsFitTheirControls)
{
    frmEvent* f = BancoEventi::Finestra();
    for (int i = 0; i < 4; ++i) {
        QPushButton* b = f->cmdEventi(i);
        EXPECT_GE(b->width(), b->sizeHint().width()) << b->text().toStdString();
        EXPECT_GE(b->height(), b->fontMetrics().height()) << b->text().toStdString();
    }
    EXPECT_EQ(f->cmdEventi(0)->text(), QStringLiteral("Stampa"));
    EXPECT_EQ(f->cmdEventi(1)->text(), QStringLiteral("Fine"));
    EXPECT_EQ(f->cmdEventi(2)->text(), QStringLiteral("Aiuto"));
    EXPECT_EQ(f->cmdEventi(3)->text(), QStringLiteral("Salva"));
    QLabel* l = f->lblNota;
    EXPECT_EQ(l->text(), QStringLiteral("Varia Nota corrente:"));
    EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text()), l->contentsRect().width());
    EXPECT_LE(l->fontMetrics().height(), l->contentsRect().height());
    // The note field shows its thirty characters whole.
    const QFontMetrics fm = f->getNota->fontMetrics();
    EXPECT_LE(fm.horizontalAdvance(QString(30, u'W')) * 3 / 4, f->getNota->width());
    // Nothing overlaps: the grid ends above the browsing bar and the buttons.
    const QRect griglia = f->broEventi->geometry();
    for (QWidget* w : {static_cast<QWidget*>(f->dbfVelmora), static_cast<QWidget*>(f->cmdEventi(0))})
        EXPECT_FALSE(griglia.intersects(w->geometry()));
    EXPECT_FALSE(f->getNota->geometry().intersects(griglia));

    // Maximised, the bottom row follows the window.
    f->showMaximized();
    Gira(50);
    f->resize(1200, 800);
    Gira(20);
    EXPECT_GT(f->broEventi->height(), griglia.height());
    EXPECT_FALSE(f->broEventi->geometry().intersects(f->cmdEventi(1)->geometry()));
    EXPECT_LE(f->cmdEventi(2)->geometry().bottom(), f->height());
}

TEST_F(FinestraEventi, FineClosesTheWindow)
{
    frmEvent* f = BancoEventi::Finestra();
    QPointer<frmEvent> p = f;
    f->cmdEventi(1)->click();
    // Closed, it goes away at once and is released with the next deferred deletions.
    ASSERT_FALSE(p.isNull());
    EXPECT_FALSE(p->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(p.isNull());
    EXPECT_EQ(frmEvent::Aperta(), nullptr);
}

TEST_F(FinestraEventi, MainMenuOpensTheWindowWithoutBlocking)
{
    frmMain m;
    ASSERT_TRUE(m.mnuArchivi[3]->isEnabled());
    EXPECT_EQ(m.mnuArchivi[3]->text(), QStringLiteral("Lista Eventi"));
    m.mnuArchivi[3]->trigger();
    frmEvent* f = frmEvent::Aperta();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->windowModality(), Qt::NonModal);
    // Asked again, the same window comes forward.
    m.mnuArchivi_Click(3);
    EXPECT_EQ(frmEvent::Aperta(), f);
    // The sitting's vote minutes are for the laws mode only.
    EXPECT_FALSE(m.mnuArchivi[6]->isVisible());
}

TEST_F(FinestraEventi, ModalOpeningRefusedWhileAVoteIsInHand)
{
    iModoVoto = 1;
    (*ui)->AttendiMsg(QString::fromUtf8(kMsgVotoInCorso), vbOK);
    frmEvent::MostraModale();
    iModoVoto = 0;
    EXPECT_EQ(frmEvent::Aperta(), nullptr);
}

}  // namespace
