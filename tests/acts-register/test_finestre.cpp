// The two windows as the operator sees them: every caption fits its
// control.  With OBX_SCREENSHOT_DIR set (under a real X server) each window
// is also saved there as a picture to look at.
#include <QDir>

#include "BancoLeggi.h"
#include "platform/GrigliaDati.h"
#include "registers/frmDataGrid.h"
#include "support/Didascalie.h"

using namespace obx;
using namespace obx::test;

namespace {

// Captions that do not fit their control, described (the shared check).
QString NonEntrano(QWidget* finestra) { return Descrive(DidascalieTagliate(finestra)); }

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
    EXPECT_EQ(NonEntrano(f), QString());
    Sceglie(QStringLiteral("B1\\"));
    f->cmdLeggi_Click(0);
    Mostra(f);
    EXPECT_EQ(NonEntrano(f), QString());
    Fotografa(f, QStringLiteral("frmLeggi-legge"));
    Sceglie(QStringLiteral("B1\\J3\\"));
    f->cmdLeggi_Click(4);
    Mostra(f);
    EXPECT_EQ(NonEntrano(f), QString());
    Fotografa(f, QStringLiteral("frmLeggi-nuovo"));
}

TEST_F(Finestre, TableGridCaptionsFit)
{
    // Events too, for their dates and their long texts.
    Recordset ev = dbArchivio.OpenTable(cTabelle[3], QStringLiteral("TAG_A"));
    for (int i = 0; i < 3; ++i) {
        ev.AddNew();
        ev.SetField(QStringLiteral("dDataOraEV"), QDateTime(QDate(2026, 12, 10), QTime(9, 30 + i)));
        ev.SetField(QStringLiteral("cNomeEV"), QStringLiteral("Consigliere %1").arg(i + 1));
        ev.SetField(QStringLiteral("iPresentiEV"), 20 + i);
        ev.SetField(QStringLiteral("cDescEventoEV"), QStringLiteral("Entrata"));
        ev.Update();
    }
    ev.Close();
    for (const int t : {5, 3}) {
        SCOPED_TRACE(t);
        cTabellaGriglia = cTabelle[size_t(t)];
        auto* w = new frmDataGrid;
        Mostra(w);
        EXPECT_EQ(NonEntrano(w), QString());
        // Column captions are the field names, whole (the walk above measures
        // every section against its title).
        GrigliaDati* g = w->grdDataGrid;
        ASSERT_GT(g->model()->columnCount(), 0);
        for (int c = 0; c < g->model()->columnCount(); ++c)
            EXPECT_FALSE(g->model()->headerData(c, Qt::Horizontal).toString().isEmpty()) << c;
        Fotografa(w, QStringLiteral("frmDataGrid-") + cTabellaGriglia);
        Chiude(w);
    }
}

}  // namespace
