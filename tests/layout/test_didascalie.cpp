// Every caption of the editors and of the colour windows fits its control,
// in the fonts of the machine the tests run on.
#include <gtest/gtest.h>

#include <QAbstractButton>

#include "Banco.h"
#include "board/frmColori.h"
#include "board/frmDisplay.h"
#include "board/frmPosti.h"
#include "board/frmTinteQZ.h"
#include "shell/Globali.h"
#include "support/Didascalie.h"

using namespace obx;
using namespace obx::test;

namespace {

// Every caption reads whole (the shared check), and every button is at
// least as large as it asks to be.
void DidascalieEntrano(QWidget* finestra)
{
    const auto tagliate = DidascalieTagliate(finestra);
    EXPECT_TRUE(tagliate.empty()) << finestra->objectName().toStdString() << ":\n" << Descrive(tagliate).toStdString();
    for (QAbstractButton* b : finestra->findChildren<QAbstractButton*>()) {
        if (!b->isVisibleTo(finestra) || b->text().isEmpty()) continue;
        EXPECT_GE(b->width(), b->sizeHint().width())
            << b->objectName().toStdString() << " \"" << b->text().toStdString() << '"';
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
