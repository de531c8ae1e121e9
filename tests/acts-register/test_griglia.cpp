// The table grid "Manutenzione <table>" and the data grid under it: the
// rows of a table, filter and sort inside a fixed statement, edits checked
// against their fields, the questions before deleting and storing, the
// selection of rows in click order with bookmarks a table record set
// understands, and when the window may open.
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPointer>

#include <QLabel>

#include "console/Spoglio.h"
#include "platform/GrigliaDati.h"
#include "platform/Testo.h"
#include "registers/Registri.h"
#include "registers/frmDataGrid.h"
#include "shell/frmMain.h"

using namespace obx;
using namespace obx::test;

namespace {

struct EventoProva {
    QString nome;
    int presenti;
    QString desc;
};

class Griglia : public RegistroProva {
protected:
    void SetUp() override
    {
        RegistroProva::SetUp();
        servizi = std::make_unique<FakeServices>();
        const EventoProva eventi[] = {
            {"Rossi", 10, "Entrata"}, {"Bianchi", 12, "Entrata"}, {"Verdi", 11, "Uscita"},
            {"Rossi", 14, "Uscita"},  {"Neri", 9, "Entrata"},
        };
        for (const EventoProva& e : eventi) AggiungeEvento(e.nome, e.presenti, e.desc);
        cTabellaGriglia = cTabelle[3];
    }
    void TearDown() override
    {
        iModoVoto = 0;
        bConsoleAperta = false;
        RegistroProva::TearDown();
        servizi.reset();
    }
    void ChiudeFinestre() override
    {
        if (w) {
            w->grdDataGrid->AnnullaModifiche();
            Chiude(w);
        }
        w = nullptr;
    }

    static void AggiungeEvento(const QString& nome, int presenti, const QString& desc)
    {
        Recordset rs = dbArchivio.OpenTable(cTabelle[3], QStringLiteral("TAG_A"));
        rs.AddNew();
        rs.SetField(QStringLiteral("dDataOraEV"), QDateTime(QDate(2026, 3, 2), QTime(9, 0)));
        rs.SetField(QStringLiteral("cNomeEV"), nome);
        rs.SetField(QStringLiteral("iPresentiEV"), presenti);
        rs.SetField(QStringLiteral("cDescEventoEV"), desc);
        rs.Update();
    }

    frmDataGrid* Apre()
    {
        ChiudeFinestre();
        w = new frmDataGrid;
        w->show();
        return w;
    }
    GrigliaDati* G() { return w->grdDataGrid; }
    int Colonna(const char* campo) { return int(G()->Campi().indexOf(QString::fromLatin1(campo))); }
    // The names of the rows shown, in order.
    QStringList Nomi()
    {
        QStringList out;
        for (int r = 0; r < G()->Righe(); ++r) out << TrimSpazi(G()->TestoCella(r, Colonna("cNomeEV")));
        return out;
    }
    static QVariantMap Evento(int codice) { return Riga(cTabelle[3], codice); }

    std::unique_ptr<FakeServices> servizi;
    QPointer<frmDataGrid> w;
};

TEST_F(Griglia, ShowsTheTableWithItsFieldsAsColumns)
{
    Apre();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Manutenzione EVENTI"));
    EXPECT_EQ(w->dbfVelmora->text(), QStringLiteral("EVENTI"));
    QStringList campi;
    for (const DefCampo& c : dbArchivio.Fields(cTabelle[3])) campi << c.nome;
    ASSERT_TRUE(campi.contains(QStringLiteral("cDescEventoEV"))) << campi.join(u' ').toStdString();
    EXPECT_EQ(G()->Campi(), campi);
    for (int c = 0; c < campi.size(); ++c)
        EXPECT_EQ(G()->model()->headerData(c, Qt::Horizontal).toString(), campi.at(c));
    EXPECT_EQ(G()->Righe(), 5);
    EXPECT_EQ(Nomi(), (QStringList{"Rossi", "Bianchi", "Verdi", "Rossi", "Neri"}));
    EXPECT_EQ(G()->TestoCella(0, Colonna("dDataOraEV")), QStringLiteral("02/03/2026 09:00:00"));
    // The "*" row takes new rows.
    EXPECT_EQ(G()->model()->rowCount(), 6);
    EXPECT_EQ(G()->model()->headerData(5, Qt::Vertical).toString(), QStringLiteral("*"));
}

TEST_F(Griglia, FilterAndRefreshKeepIt)
{
    Apre();
    (*ui)->AttendiInput(QStringLiteral("Filtro:"), QString(), false);  // cancelled
    w->cmdFilter_Click();
    (*ui)->AttendiInput(QStringLiteral("Filtro:"), QStringLiteral("  "));
    w->cmdFilter_Click();
    EXPECT_EQ(G()->Righe(), 5);

    (*ui)->AttendiInput(QStringLiteral("Filtro:"), QStringLiteral("cNomeEV LIKE 'Rossi*'"));
    w->cmdFilter_Click();
    EXPECT_EQ(Nomi(), (QStringList{"Rossi", "Rossi"}));
    AggiungeEvento(QStringLiteral("Rossi"), 8, QStringLiteral("Entrata"));
    AggiungeEvento(QStringLiteral("Gialli"), 8, QStringLiteral("Entrata"));
    w->cmdRefresh_Click();
    EXPECT_EQ(Nomi(), (QStringList{"Rossi", "Rossi", "Rossi"}));
    // A second filter narrows the first; one that matches nothing empties the grid.
    (*ui)->AttendiInput(QStringLiteral("Filtro:"), QStringLiteral("iPresentiEV >= 10"));
    w->cmdFilter_Click();
    EXPECT_EQ(G()->Righe(), 2);
    (*ui)->AttendiInput(QStringLiteral("Filtro:"), QStringLiteral("cNomeEV LIKE 'Z*'"));
    w->cmdFilter_Click();
    EXPECT_EQ(G()->Righe(), 0);
}

TEST_F(Griglia, AFilterIsOneExpressionNeverAStatement)
{
    Apre();
    (*ui)->AttendiInput(QStringLiteral("Filtro:"), QStringLiteral("iPresentiEV > 10"));
    w->cmdFilter_Click();
    ASSERT_EQ(G()->Righe(), 3);
    const char* rifiutati[] = {
        "1=1; DELETE FROM EVENTI",
        "1=1); DELETE FROM EVENTI; SELECT (1",
        "1=1) OR (1=1",
        "1=1 -- resto",
        "1=1 /* resto */",
        "lCodiceEV IN (SELECT lCodiceVT FROM VOTI)",
        "1=1 UNION SELECT * FROM EVENTI",
        "cNomeEV = 'aperto",
        "1=1, 2=2",
    };
    for (const char* f : rifiutati) {
        SCOPED_TRACE(f);
        (*ui)->AttendiInput(QStringLiteral("Filtro:"), QString::fromLatin1(f));
        (*ui)->AttendiMsg(QStringLiteral("Errore: 3075 "), vbOK, true);
        w->cmdFilter_Click();
        EXPECT_EQ(UltimoDialogo().stile & 0x7, int(vbOKOnly));
        EXPECT_EQ(G()->Righe(), 3);  // the rows it showed
    }
    EXPECT_EQ(ArchivioProva::Righe(cTabelle[3]), 5);
    // A field that does not exist: the archive's own refusal, shown the same way.
    (*ui)->AttendiInput(QStringLiteral("Filtro:"), QStringLiteral("nessuno = 1"));
    (*ui)->AttendiMsg(QStringLiteral("Errore: "), vbOK, true);
    w->cmdFilter_Click();
    EXPECT_EQ(G()->Righe(), 3);
}

TEST_F(Griglia, SortTypedOrByCaption)
{
    Apre();
    (*ui)->AttendiInput(QStringLiteral("Colonna di Ordinamento:"), QStringLiteral("[cNomeEV] desc, lCodiceEV"));
    w->cmdSort_Click();
    EXPECT_EQ(Nomi(), (QStringList{"Verdi", "Rossi", "Rossi", "Neri", "Bianchi"}));
    // The expression stays: "Ordina" sorts by it again without asking.
    w->cmdSort_Click();
    EXPECT_EQ(Nomi().first(), QStringLiteral("Verdi"));

    const int presenti = Colonna("iPresentiEV");
    w->grdDataGrid_HeadClick(presenti);
    EXPECT_EQ(G()->TestoCella(0, presenti), QStringLiteral("9"));
    servizi->keys.ctrl = true;
    G()->horizontalHeader()->sectionClicked(presenti);  // the caption click itself
    servizi->keys.ctrl = false;
    EXPECT_EQ(G()->TestoCella(0, presenti), QStringLiteral("14"));
    EXPECT_TRUE(w->cColonnaOrdine.isEmpty());
    // After a caption click "Ordina" asks again.
    (*ui)->AttendiInput(QStringLiteral("Colonna di Ordinamento:"), QString(), false);
    w->cmdSort_Click();

    // A sort the archive refuses fails again on each click until a caption click.
    (*ui)->AttendiInput(QStringLiteral("Colonna di Ordinamento:"), QStringLiteral("cNomeEV; DROP TABLE EVENTI"));
    (*ui)->AttendiMsg(QStringLiteral("Errore: 3075 "), vbOK, true);
    w->cmdSort_Click();
    (*ui)->AttendiMsg(QStringLiteral("Errore: 3075 "), vbOK, true);
    w->cmdSort_Click();
    EXPECT_EQ(G()->TestoCella(0, presenti), QStringLiteral("14"));
    EXPECT_TRUE(dbArchivio.TableExists(cTabelle[3]));
    // A filter keeps the sort in force.
    w->grdDataGrid_HeadClick(Colonna("cNomeEV"));
    (*ui)->AttendiInput(QStringLiteral("Filtro:"), QStringLiteral("cDescEventoEV LIKE 'Entrata*'"));
    w->cmdFilter_Click();
    EXPECT_EQ(Nomi(), (QStringList{"Bianchi", "Neri", "Rossi"}));
}

TEST_F(Griglia, EditsAreCheckedAgainstTheirFields)
{
    Apre();
    const int nome = Colonna("cNomeEV"), presenti = Colonna("iPresentiEV"), data = Colonna("dDataOraEV");
    struct Caso {
        int colonna;
        QString testo;
        const char* errore;
    };
    const Caso casi[] = {
        {nome, QString(31, u'x'), "Errore: 3163 "},  // cNomeEV holds 30 characters
        {presenti, QStringLiteral("40000"), "Errore: 3349 "}, {presenti, QStringLiteral("-40000"), "Errore: 3349 "},
        {presenti, QStringLiteral("tanti"), "Errore: 3421 "}, {data, QStringLiteral("31/02/2026"), "Errore: 3421 "},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.testo.toStdString());
        (*ui)->AttendiMsg(QString::fromLatin1(c.errore), vbOK, true);
        EXPECT_FALSE(G()->ScriveCella(1, c.colonna, c.testo));
        EXPECT_FALSE(G()->InModifica());
    }
    // The numbered key is not edited at all.
    EXPECT_FALSE(G()->model()->flags(G()->model()->index(1, Colonna("lCodiceEV"))) & Qt::ItemIsEditable);
    EXPECT_EQ(TrimSpazi(Evento(2).value(QStringLiteral("cNomeEV")).toString()), QStringLiteral("Bianchi"));

    // Accepted values wait for the row to be left; "No" leaves the archive as it was.
    ASSERT_TRUE(G()->ScriveCella(1, nome, QString(30, u'y')));
    ASSERT_TRUE(G()->ScriveCella(1, presenti, QStringLiteral("32767")));
    EXPECT_TRUE(G()->InModifica());
    (*ui)->AttendiMsg(QStringLiteral("Salvare le modifiche?"), vbNo);
    G()->ImpostaCorrente(3, nome);
    EXPECT_EQ(UltimoDialogo().stile & 0x7, int(vbYesNo));
    EXPECT_EQ(Evento(2).value(QStringLiteral("iPresentiEV")).toInt(), 12);
    EXPECT_EQ(G()->TestoCella(1, presenti), QStringLiteral("12"));
    // "Yes" stores the row whole.
    ASSERT_TRUE(G()->ScriveCella(1, nome, QStringLiteral("Bianchini")));
    ASSERT_TRUE(G()->ScriveCella(1, data, QStringLiteral("3/3/2026 10:15")));
    (*ui)->AttendiMsg(QStringLiteral("Salvare le modifiche?"), vbYes);
    G()->ImpostaCorrente(0, nome);
    const QVariantMap r = Evento(2);
    EXPECT_EQ(TrimSpazi(r.value(QStringLiteral("cNomeEV")).toString()), QStringLiteral("Bianchini"));
    EXPECT_EQ(r.value(QStringLiteral("dDataOraEV")).toDateTime(), QDateTime(QDate(2026, 3, 3), QTime(10, 15)));
    EXPECT_EQ(TrimSpazi(G()->TestoCella(1, nome)), QStringLiteral("Bianchini"));
}

TEST_F(Griglia, DeletesAndAddsRowsAfterAsking)
{
    Apre();
    (*ui)->AttendiMsg(QStringLiteral("Eliminare la riga corrente?"), vbNo);
    EXPECT_FALSE(G()->EliminaRiga(2));
    EXPECT_EQ(UltimoDialogo().stile & 0x300, int(vbDefaultButton2));
    EXPECT_EQ(ArchivioProva::Righe(cTabelle[3]), 5);
    (*ui)->AttendiMsg(QStringLiteral("Eliminare la riga corrente?"), vbYes);
    G()->ImpostaCorrente(2, 0);
    QKeyEvent canc(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(G(), &canc);
    EXPECT_TRUE(Evento(3).isEmpty());
    EXPECT_EQ(Nomi(), (QStringList{"Rossi", "Bianchi", "Rossi", "Neri"}));

    // A new row in the "*" row.
    const int nuova = G()->Righe();
    ASSERT_TRUE(G()->ScriveCella(nuova, Colonna("cNomeEV"), QStringLiteral("Gialli")));
    ASSERT_TRUE(G()->ScriveCella(nuova, Colonna("iPresentiEV"), QStringLiteral("7")));
    EXPECT_EQ(G()->model()->headerData(nuova, Qt::Vertical).toString(), QStringLiteral("\u270E"));
    (*ui)->AttendiMsg(QStringLiteral("Salvare le modifiche?"), vbYes);
    ASSERT_TRUE(G()->SalvaModifiche());
    EXPECT_EQ(ArchivioProva::Righe(cTabelle[3]), 5);
    EXPECT_EQ(G()->Righe(), 5);
    EXPECT_EQ(TrimSpazi(G()->TestoCella(4, Colonna("cNomeEV"))), QStringLiteral("Gialli"));
    EXPECT_EQ(G()->TestoCella(4, Colonna("lCodiceEV")), QStringLiteral("6"));
    EXPECT_EQ(Evento(6).value(QStringLiteral("iPresentiEV")).toInt(), 7);
    EXPECT_EQ(G()->model()->headerData(5, Qt::Vertical).toString(), QStringLiteral("*"));
}

TEST_F(Griglia, ClosingAsksForTheChangedRow)
{
    Apre();
    ASSERT_TRUE(G()->ScriveCella(0, Colonna("cNomeEV"), QStringLiteral("Rossini")));
    (*ui)->AttendiMsg(QStringLiteral("Salvare le modifiche?"), vbYes);
    w->cmdClose_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(TrimSpazi(Evento(1).value(QStringLiteral("cNomeEV")).toString()), QStringLiteral("Rossini"));
}

TEST_F(Griglia, SelectionInClickOrderWithTableBookmarks)
{
    GrigliaDati g;
    g.ApriTabella(cTabelle[3]);
    g.resize(600, 300);
    g.show();
    g.SelezionaRiga(3, false);
    g.SelezionaRiga(0, true);
    g.SelezionaRiga(4, true);
    const QList<qint64> scelti = g.SelBookmarks();
    ASSERT_EQ(scelti.size(), 3);
    // Each bookmark finds its row in a table record set of its own.
    Recordset rs = dbArchivio.OpenTable(cTabelle[3], QStringLiteral("TAG_A"));
    const int attesi[] = {4, 1, 5};
    for (int i = 0; i < 3; ++i) {
        rs.SetBookmark(scelti.at(i));
        EXPECT_EQ(rs.Field(QStringLiteral("lCodiceEV")).toInt(), attesi[i]);
    }
    // Deselecting one keeps the order of the others.
    g.selectionModel()->select(g.model()->index(0, 0), QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    EXPECT_EQ(g.SelBookmarks(), (QList<qint64>{scelti.at(0), scelti.at(2)}));
    // A click on a cell moves the current cell and lets go of the rows.
    const QRect cella = g.visualRect(g.model()->index(2, 1));
    QMouseEvent clic(QEvent::MouseButtonPress, QPointF(cella.center()),
                     g.viewport()->mapToGlobal(QPointF(cella.center())), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(g.viewport(), &clic);
    EXPECT_TRUE(g.SelBookmarks().isEmpty());
    EXPECT_EQ(g.RigaCorrente(), 2);
    EXPECT_EQ(g.ColonnaCorrente(), 1);
    // Read-only by default.
    EXPECT_EQ(g.model()->rowCount(), 5);
    EXPECT_FALSE(g.model()->flags(g.model()->index(0, 2)) & Qt::ItemIsEditable);
    QKeyEvent canc(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);  // nothing is asked
    QApplication::sendEvent(&g, &canc);
    EXPECT_EQ(g.Righe(), 5);
}

TEST_F(Griglia, RowsDeletedElsewhereAndALongTable)
{
    dbArchivio.BeginTrans();
    for (int i = 0; i < 3000; ++i) AggiungeEvento(QStringLiteral("N%1").arg(i), i % 100, QStringLiteral("Entrata"));
    dbArchivio.CommitTrans();
    GrigliaDati g;
    g.ApriTabella(cTabelle[3]);
    // Opened with its first rows; the rest are counted when the event loop turns.
    EXPECT_LT(g.model()->rowCount(), 3005);
    QCoreApplication::processEvents();
    EXPECT_EQ(g.model()->rowCount(), 3005);
    ASSERT_EQ(g.Righe(), 3005);
    // Far rows are reached without reading every value on the way.
    EXPECT_EQ(TrimSpazi(g.TestoCella(3004, int(g.Campi().indexOf(QStringLiteral("cNomeEV"))))),
              QStringLiteral("N2999"));
    // A row deleted elsewhere, not yet read: shown as such until the grid is refreshed.
    dbArchivio.Execute(QStringLiteral("DELETE FROM EVENTI WHERE lCodiceEV = 1000"));
    EXPECT_EQ(g.TestoCella(999, 0), QStringLiteral("#Eliminato"));
    g.Aggiorna();
    EXPECT_EQ(g.Righe(), 3004);
    EXPECT_EQ(g.TestoCella(999, 0), QStringLiteral("1001"));
    // The bookmarks follow the index.
    Recordset rs = dbArchivio.OpenTable(cTabelle[3], QStringLiteral("TAG_A"));
    int r = 0;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext(), ++r)
        if (r % 500 == 0) EXPECT_EQ(g.Segnalibro(r), rs.Bookmark()) << r;
    EXPECT_EQ(r, 3004);
}

TEST_F(Griglia, OpensItsSourceAgainAfterTheArchiveWasClosedUnderIt)
{
    GrigliaDati g;
    g.ApriTabella(cTabelle[3]);
    ASSERT_EQ(g.Righe(), 5);
    // As the archive copy does.
    dbArchivio.Close();
    dbArchivio.Open(cPathArchivio);
    AggiungeEvento(QStringLiteral("Gialli"), 3, QStringLiteral("Entrata"));
    EXPECT_EQ(g.TestoCella(0, 0), QStringLiteral("1"));  // what was read stays meanwhile
    QCoreApplication::processEvents();
    EXPECT_EQ(g.Righe(), 6);
    EXPECT_EQ(TrimSpazi(g.TestoCella(5, int(g.Campi().indexOf(QStringLiteral("cNomeEV"))))), QStringLiteral("Gialli"));
}

TEST_F(Griglia, RefusedDuringAVoteAndWarnedWithTheConsoleOpen)
{
    frmMain m;
    iModoVoto = 1;
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(m.mnuArchiviMan[size_t(i)]->isEnabled());
        (*ui)->AttendiMsg(QString::fromUtf8(kMsgVotoInCorso));
        m.mnuArchiviMan[size_t(i)]->trigger();
        EXPECT_EQ(cTabellaGriglia, cTabelle[size_t(i + 1)]);
        EXPECT_EQ(frmDataGrid::Aperta(), nullptr);
    }
    iModoVoto = 0;
    bConsoleAperta = true;
    (*ui)->AttendiMsg(QStringLiteral("Riunione Consiliare aperta"), vbCancel, true);
    frmDataGrid::MostraModale(&m);
    EXPECT_EQ(UltimoDialogo().stile & 0x300, int(vbDefaultButton2));
    EXPECT_EQ(frmDataGrid::Aperta(), nullptr);
}

TEST_F(Griglia, EveryTableOpens)
{
    for (int i = 1; i <= 5; ++i) {
        cTabellaGriglia = cTabelle[size_t(i)];
        Apre();
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Manutenzione ") + cTabelle[size_t(i)]);
        EXPECT_EQ(G()->Campi().size(), int(dbArchivio.Fields(cTabelle[size_t(i)]).size()));
    }
    // Only the archive's five tables.
    cTabellaGriglia = QStringLiteral("sqlite_master");
    (*ui)->AttendiMsg(QStringLiteral("Errore: 3078 "), vbOK, true);
    Apre();
    EXPECT_FALSE(G()->Aperta());
}

TEST_F(Griglia, AnEditTheArchiveRefusesKeepsTheRowAndSaysWhy)
{
    archivio->Consiglieri();
    cTabellaGriglia = cTabelle[1];
    Apre();
    const int codice = Colonna("bCodiceAN");
    ASSERT_GE(codice, 0);
    ASSERT_TRUE(G()->ScriveCella(1, codice, G()->TestoCella(0, codice)));  // a key another row holds
    (*ui)->AttendiMsg(QStringLiteral("Salvare le modifiche?"), vbYes);
    (*ui)->AttendiMsg(QStringLiteral("Errore: 3022 "), vbOK, true);
    EXPECT_FALSE(G()->SalvaModifiche());
    EXPECT_TRUE(G()->InModifica());  // what was typed is still there
    EXPECT_EQ(Riga(cTabelle[1], 2).value(QStringLiteral("bCodiceAN")).toInt(), 2);
    G()->AnnullaModifiche();
}

TEST_F(Griglia, EditsInAFilteredAndSortedGridReachTheArchive)
{
    Apre();
    (*ui)->AttendiInput(QStringLiteral("Filtro:"), QStringLiteral("cNomeEV LIKE 'Rossi*'"));
    w->cmdFilter_Click();
    w->grdDataGrid_HeadClick(Colonna("iPresentiEV"));
    ASSERT_EQ(G()->Righe(), 2);
    ASSERT_TRUE(G()->ScriveCella(1, Colonna("cDescEventoEV"), QStringLiteral("Uscita bis")));
    (*ui)->AttendiMsg(QStringLiteral("Salvare le modifiche?"), vbYes);
    ASSERT_TRUE(G()->SalvaModifiche());
    EXPECT_EQ(TrimSpazi(Evento(4).value(QStringLiteral("cDescEventoEV")).toString()), QStringLiteral("Uscita bis"));
    EXPECT_EQ(TrimSpazi(Evento(1).value(QStringLiteral("cDescEventoEV")).toString()), QStringLiteral("Entrata"));
    (*ui)->AttendiMsg(QStringLiteral("Eliminare la riga corrente?"), vbYes);
    EXPECT_TRUE(G()->EliminaRiga(0));
    EXPECT_TRUE(Evento(1).isEmpty());
    EXPECT_EQ(ArchivioProva::Righe(cTabelle[3]), 4);
}

}  // namespace
