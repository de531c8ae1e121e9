// Every caption of the editors and of the colour windows fits its control,
// in the fonts of the machine the tests run on.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

#include "Banco.h"
#include "board/frmColori.h"
#include "board/frmDisplay.h"
#include "board/frmPosti.h"
#include "board/frmTinteQZ.h"
#include "shell/Globali.h"

using namespace obx;
using namespace obx::test;

namespace {

void DidascalieEntrano(QWidget* finestra)
{
    for (QWidget* c : finestra->findChildren<QWidget*>()) {
        if (!c->isVisibleTo(finestra)) continue;
        const QString nome = c->objectName();
        if (auto* b = qobject_cast<QAbstractButton*>(c)) {
            if (b->text().isEmpty()) continue;
            EXPECT_GE(b->width(), b->sizeHint().width()) << nome.toStdString() << " \"" << b->text().toStdString() << '"';
        } else if (auto* g = qobject_cast<QGroupBox*>(c)) {
            const int testo = g->fontMetrics().horizontalAdvance(g->title());
            EXPECT_LE(testo + 16, g->width()) << nome.toStdString() << " \"" << g->title().toStdString() << '"';
        } else if (auto* l = qobject_cast<QLabel*>(c)) {
            if (l->text().isEmpty()) continue;
            const int testo = l->fontMetrics().horizontalAdvance(l->text());
            EXPECT_LE(testo, l->contentsRect().width()) << nome.toStdString() << " \"" << l->text().toStdString() << '"';
            EXPECT_LE(l->fontMetrics().height(), l->contentsRect().height()) << nome.toStdString();
        }
    }
}

class Didascalie : public BancoDisposizione {};

}  // namespace

TEST_F(Didascalie, EditorDellaConsole)
{
    ScriveRiga(8, {0, 0, 0, 0, 0});
    frmPosti* f = frmPosti::Mostra();
    Gira(20);
    DidascalieEntrano(f);
}

TEST_F(Didascalie, EditorDelTabellone)
{
    xEsitoVideo = true;
    for (int tipo : {1, 4}) {
        iTipoAssemblea = tipo;
        for (int c = 1; c <= 8; ++c) ScriveRiga(c, {c, 0, 0, 300.0 * c, 300});
        frmDisplay* f = frmDisplay::Mostra();
        Gira(20);
        DidascalieEntrano(f);
        delete f;
    }
}

TEST_F(Didascalie, FinestreDeiColori)
{
    for (int tipo : {1, 4}) {
        iTipoAssemblea = tipo;
        frmColori c;
        c.show();
        Gira(20);
        DidascalieEntrano(&c);
    }
    frmTinteQZ q;
    q.show();
    Gira(20);
    DidascalieEntrano(&q);
}
