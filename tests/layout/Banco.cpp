#include "Banco.h"

#include <QGroupBox>
#include <QListWidget>
#include <QTest>

#include "board/frmDisplay.h"
#include "board/frmPosti.h"
#include "platform/Database.h"
#include "platform/Testo.h"
#include "shell/Globali.h"

namespace obx::test {

RigaPosto LeggeRiga(int codice)
{
    RigaPosto r;
    Recordset rs = dbArchivio.OpenTable(cTabelle[1], QStringLiteral("TAG_A"));
    rs.Seek(QStringLiteral("="), codice);
    EXPECT_FALSE(rs.NoMatch()) << "riga " << codice;
    if (rs.NoMatch()) return r;
    r.etichetta = rs.Field(QStringLiteral("iPulsanteAN")).toInt();
    r.top = rs.Field(QStringLiteral("nTopAN")).toDouble();
    r.left = rs.Field(QStringLiteral("nLeftAN")).toDouble();
    r.topTv = rs.Field(QStringLiteral("nTopTvAN")).toDouble();
    r.sinTv = rs.Field(QStringLiteral("nSinTvAN")).toDouble();
    return r;
}

void ScriveRiga(int codice, const RigaPosto& r)
{
    dbArchivio.Execute(QStringLiteral("UPDATE ANAGRAFE SET iPulsanteAN = ?, nTopAN = ?, nLeftAN = ?, "
                                      "nTopTvAN = ?, nSinTvAN = ? WHERE bCodiceAN = ?"),
                       {r.etichetta, r.top, r.left, r.topTv, r.sinTv, codice});
}

void BancoDisposizione::SetUp()
{
    BancoConsole::SetUp();
    cColoriTabVideo = kColoriTabVideoPredefiniti;
}

void BancoDisposizione::TearDown()
{
    delete frmPosti::Aperta();
    delete frmDisplay::Aperta();
    Gira(5);
    BancoConsole::TearDown();
}

void BancoDisposizione::SenzaDisposizione()
{
    dbArchivio.Execute(
        QStringLiteral("UPDATE ANAGRAFE SET iPulsanteAN = 0, nTopAN = 0, nLeftAN = 0, nTopTvAN = 0, nSinTvAN = 0"));
}

void Trascina(EditorPosti& f, int k, QPoint presa, QPoint arrivo)
{
    Etichetta* e = f.txtAnag(k);
    ASSERT_TRUE(e && e->isVisible()) << "etichetta " << k;
    QTest::mousePress(e, Qt::LeftButton, Qt::NoModifier, presa);
    // Half way, then to the end: the label follows the pointer.
    const QPoint partenza = e->mapTo(f.boxPosti(), presa);
    QTest::mouseMove(e, e->mapFrom(f.boxPosti(), (partenza + arrivo) / 2));
    QTest::mouseMove(e, e->mapFrom(f.boxPosti(), arrivo));
    QTest::mouseRelease(e, Qt::LeftButton, Qt::NoModifier, e->mapFrom(f.boxPosti(), arrivo));
}

void CliccaLibero(EditorPosti& f, int riga)
{
    QListWidget* l = f.lstLiberi();
    ASSERT_LT(riga, l->count());
    const QRect r = l->visualItemRect(l->item(riga));
    QTest::mouseClick(l->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
}

int EtichetteDel(const EditorPosti& f, int i)
{
    int n = 0;
    for (int k = 1; k <= EditorPosti::kEtichette; ++k) {
        const Etichetta* e = f.txtAnag(k);
        if (e->isVisibleTo(f.boxPosti()) && EditorPosti::PostoDellaEtichetta(e) == i) ++n;
    }
    return n;
}

QStringList Liberi(const EditorPosti& f)
{
    QStringList v;
    for (int r = 0; r < f.lstLiberi()->count(); ++r) v << TrimSpazi(f.lstLiberi()->item(r)->text());
    return v;
}

}  // namespace obx::test
