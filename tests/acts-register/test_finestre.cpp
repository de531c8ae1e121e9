// The two windows as the operator sees them: every caption fits its
// control.  With OBX_SCREENSHOT_DIR set (under a real X server) each window
// is also saved there as a picture to look at.
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>

#include "BancoLeggi.h"
#include "platform/GrigliaDati.h"
#include "registers/frmDataGrid.h"

using namespace obx;
using namespace obx::test;

namespace {

// Captions that do not fit their control, described.
QStringList NonEntrano(QWidget* finestra)
{
    QStringList out;
    for (QPushButton* b : finestra->findChildren<QPushButton*>()) {
        if (!b->isVisible()) continue;
        const QString t = QString(b->text()).remove(u'&');
        const int serve = b->fontMetrics().horizontalAdvance(t) + 8;
        if (b->width() < serve) out << QStringLiteral("%1 \"%2\": %3 < %4").arg(b->objectName(), t).arg(b->width()).arg(serve);
    }
    for (QLabel* l : finestra->findChildren<QLabel*>()) {
        if (!l->isVisible() || l->text().isEmpty()) continue;
        const int serve = l->fontMetrics().horizontalAdvance(l->text());
        if (l->contentsRect().width() < serve)
            out << QStringLiteral("%1 \"%2\": %3 < %4").arg(l->objectName(), l->text()).arg(l->contentsRect().width()).arg(serve);
    }
    return out;
}

void Fotografa(QWidget* w, const QString& nome)
{
    const QString cartella = qEnvironmentVariable("OBX_SCREENSHOT_DIR");
    if (cartella.isEmpty()) return;
    QDir().mkpath(cartella);
    EXPECT_TRUE(w->grab().save(cartella + u'/' + nome + QStringLiteral(".png")));
}

void Mostra(QWidget* w)
{
    w->show();
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

class Finestre : public BancoLeggi {};

TEST_F(Finestre, ActsRegisterCaptionsFit)
{
    Apre();
    Mostra(f);
    EXPECT_EQ(NonEntrano(f), QStringList());
    Sceglie(QStringLiteral("B1\\"));
    f->cmdLeggi_Click(0);
    Mostra(f);
    EXPECT_EQ(NonEntrano(f), QStringList());
    Fotografa(f, QStringLiteral("frmLeggi-legge"));
    Sceglie(QStringLiteral("B1\\J3\\"));
    f->cmdLeggi_Click(4);
    Mostra(f);
    EXPECT_EQ(NonEntrano(f), QStringList());
    Fotografa(f, QStringLiteral("frmLeggi-nuovo"));
}

TEST_F(Finestre, TableGridCaptionsFit)
{
    cTabellaGriglia = cTabelle[5];
    auto* w = new frmDataGrid;
    Mostra(w);
    EXPECT_EQ(NonEntrano(w), QStringList());
    // Column captions are the field names, whole.
    GrigliaDati* g = w->grdDataGrid;
    for (int c = 0; c < g->model()->columnCount(); ++c) {
        const QString t = g->model()->headerData(c, Qt::Horizontal).toString();
        EXPECT_GE(g->columnWidth(c), g->horizontalHeader()->fontMetrics().horizontalAdvance(t)) << t.toStdString();
    }
    Fotografa(w, QStringLiteral("frmDataGrid-LEGGI"));
    Chiude(w);
}

}  // namespace
