// The acts-tree register: the tree and its root, the panel's modes, adding,
// changing and deleting acts at every level, emptying the table, and the
// faults it must not have (saving another act than the one loaded, typed
// identifiers reaching statements, silent archive failures, a description
// that grows, a level-1 edit that renumbers its act).
#include <QAction>
#include <QPrinter>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "BancoLeggi.h"
#include "console/Spoglio.h"
#include "reports/Stampa.h"
#include "shell/Campi.h"
#include "shell/RecordAtti.h"
#include "shell/frmMain.h"

using namespace obx;
using namespace obx::test;

namespace {

const QString kLegge = QStringLiteral("B1\\");
const QString kArticolo = QStringLiteral("B1\\J3\\");
const QString kEmendamento = QStringLiteral("B1\\J3\\E2\\");

class Leggi : public BancoLeggi {};

TEST_F(Leggi, LoadsTheTreeUnderItsRoot)
{
    Apre();
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Atti"));
    const auto nodi = f->oAlbero().Nodes();
    ASSERT_EQ(nodi.size(), 4u);
    EXPECT_EQ(nodi[0]->Text(), QStringLiteral("Crea Atto 1° Livello"));
    EXPECT_TRUE(nodi[0]->Tag().isEmpty());
    EXPECT_TRUE(nodi[0]->Sorted());
    const NodoAlbero* legge = f->oAlbero().Find(kLegge);
    ASSERT_NE(legge, nullptr);
    EXPECT_EQ(legge->Tag(), QStringLiteral("B1N1"));
    // Without the status names.
    EXPECT_EQ(f->oAlbero().Find(kArticolo)->Text(),
              QStringLiteral("b.") + TipoAtto(QStringLiteral("J"), 0) + QStringLiteral(" 3"));
    ASSERT_EQ(f->cmbLegge(1)->count(), 8);
    EXPECT_EQ(f->cmbLegge(1)->itemText(6), QStringLiteral("RinviatoSed"));
    // Activated with an empty panel.
    EXPECT_TRUE(f->cmdLeggi(5)->isHidden());
    EXPECT_TRUE(f->cmbLegge(0)->isHidden());
}

TEST_F(Leggi, PanelModesAndWhatMayChange)
{
    Apre();
    // The root: "Varia" and "Elimina" do nothing, "Aggiunge" opens a level-1 act.
    Sceglie(QStringLiteral("*"));
    f->cmdLeggi_Click(0);
    f->cmdLeggi_Click(1);
    EXPECT_TRUE(f->cmdLeggi(5)->isHidden());
    f->cmdLeggi_Click(4);
    EXPECT_EQ(f->iLivello, 1);
    EXPECT_FALSE(f->xModifica);
    EXPECT_EQ(f->cmbLegge(0)->count(), 18);
    EXPECT_TRUE(f->cmbLegge(0)->isEnabled());
    EXPECT_TRUE(f->getLegge(0)->isEnabled());
    EXPECT_FALSE(f->getLegge(1)->isHidden());
    EXPECT_TRUE(f->getLegge(2)->isHidden());

    struct Caso {
        QString nodo;
        int livello;
        bool numero, id, descrizione;  // enabled / shown
    };
    const Caso casi[] = {
        {kLegge, 1, false, false, true},        // a law with articles: its number stays
        {kArticolo, 2, false, false, false},    // an article with amendments: its identifier stays
        {kEmendamento, 3, false, true, false},  // a leaf below level 1
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nodo.toStdString());
        Sceglie(c.nodo);
        f->cmdLeggi_Click(0);
        EXPECT_TRUE(f->xModifica);
        EXPECT_EQ(f->iLivello, c.livello);
        EXPECT_FALSE(f->cmbLegge(0)->isEnabled());  // the type of an act never changes
        EXPECT_FALSE(f->cmdLeggi(5)->isHidden());
        EXPECT_EQ(f->getLegge(0)->isEnabled(), c.numero);
        EXPECT_EQ(f->Testo(0), QStringLiteral("12/2026"));
        EXPECT_EQ(!f->getLegge(1)->isHidden(), c.descrizione);
        EXPECT_EQ(!f->getLegge(2)->isHidden(), c.livello >= 2);
        if (c.livello >= 2) EXPECT_EQ(f->getLegge(2)->isEnabled(), c.id);
    }
    EXPECT_EQ(f->Testo(2), QStringLiteral("2"));

    // A new act under the article: its type to choose, the law's number
    // shown but fixed, its own identifier free.
    Sceglie(kArticolo);
    f->cmdLeggi_Click(4);
    EXPECT_FALSE(f->xModifica);
    EXPECT_EQ(f->iLivello, 3);
    EXPECT_TRUE(f->cmbLegge(0)->isEnabled());
    EXPECT_EQ(f->cmbLegge(0)->count(), 1);
    EXPECT_EQ(f->cmbLegge(1)->currentIndex(), 0);
    EXPECT_EQ(f->Testo(0), QStringLiteral("12/2026"));
    EXPECT_FALSE(f->getLegge(0)->isEnabled());
    EXPECT_TRUE(f->getLegge(1)->isHidden());
    EXPECT_FALSE(f->getLegge(2)->isHidden());
    EXPECT_TRUE(f->getLegge(2)->isEnabled());
    EXPECT_TRUE(f->Testo(2).isEmpty());
}

TEST_F(Leggi, ProposesTheNextIdentifierOnFocusAndWhenLeftBlank)
{
    Apre();
    Sceglie(kLegge);
    f->cmdLeggi_Click(4);
    ASSERT_EQ(f->iLivello, 2);
    SceglieTipo(QStringLiteral("Articolo"));
    // The operator moves into the field.
    f->activateWindow();
    QCoreApplication::processEvents();
    f->getLegge(2)->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    ASSERT_TRUE(f->getLegge(2)->hasFocus());
    EXPECT_EQ(f->Testo(2), QStringLiteral("4"));
    f->ImpostaTesto(2, QString());
    f->cmdLeggi_Click(5);
    const int codice = CodiceDaChiave(ChiaveAlbero({QStringLiteral("B1"), QStringLiteral("J4")}));
    ASSERT_EQ(codice, 4);  // the first free code
    EXPECT_EQ(Testo(Atto(codice), "cParametriLG"), QStringLiteral("JNBJ????????"));
    EXPECT_NE(f->oAlbero().Find(QStringLiteral("B1\\J4\\")), nullptr);
    // The panel is emptied; the type chosen is proposed for the next act.
    EXPECT_TRUE(f->cmdLeggi(5)->isHidden());
    Sceglie(kLegge);
    f->cmdLeggi_Click(4);
    EXPECT_EQ(f->cmbLegge(0)->currentText(), QStringLiteral("Articolo"));
}

TEST_F(Leggi, AddsAnActAtEveryLevelDownToTheSixth)
{
    Apre();
    Sceglie(QStringLiteral("*"));
    f->cmdLeggi_Click(4);
    SceglieTipo(QStringLiteral("Proposta di Legge"));
    f->ImpostaTesto(0, QStringLiteral("7/2026"));
    f->ImpostaTesto(1, QStringLiteral("  Bilancio  "));
    f->cmdLeggi_Click(5);
    QString chiave = QStringLiteral("B2\\");  // the next free identifier after the law B 1
    NodoAlbero* n = f->oAlbero().Find(chiave);
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(n->Text(), TipoAtto(QStringLiteral("B"), 0) + QStringLiteral(" 7/2026"));
    QVariantMap legge = Atto(4);
    EXPECT_EQ(Testo(legge, "cDescLeggeLG"), QStringLiteral("Bilancio ."));
    EXPECT_EQ(Testo(legge, "cParametriLG"), QStringLiteral("BNB?????????"));
    EXPECT_EQ(legge.value(QStringLiteral("iRadiceLeggeLG")).toInt(), 4);

    struct Livello {
        const char* tipo;
        const char* id;
        const char* segmento;
    };
    const Livello livelli[] = {{"Articolo", "1", "J1"},
                               {"Emendamento", "x'*", "Ex'*"},
                               {"Sub-Emendamento", "2", "L2"},
                               {"Sub-Sub-Emendamento", "1", "C1"},
                               {"Sub-Sub-Sub-Emendamento", "9", "99"}};
    QStringList segmenti = {QStringLiteral("B2")};
    int livello = 1;
    for (const Livello& l : livelli) {
        SCOPED_TRACE(l.tipo);
        ++livello;
        Sceglie(chiave);
        f->cmdLeggi_Click(4);
        ASSERT_EQ(f->iLivello, livello);
        SceglieTipo(QString::fromUtf8(l.tipo));
        f->ImpostaTesto(2, QString::fromUtf8(l.id));
        f->cmdLeggi_Click(5);
        const QString seg = QString::fromUtf8(l.segmento);
        chiave += seg + u'\\';
        segmenti << seg;
        ASSERT_NE(f->oAlbero().Find(chiave), nullptr) << chiave.toStdString();
        const int codice = CodiceDaChiave(ChiaveAlbero(segmenti));
        ASSERT_GT(codice, 0);
        const QVariantMap r = Atto(codice);
        // Every act carries the number and the root of its first-level act.
        EXPECT_EQ(TrimSpazi(Testo(r, "cNumeroAttoLG")), QStringLiteral("7/2026"));
        EXPECT_EQ(r.value(QStringLiteral("iRadiceLeggeLG")).toInt(), 4);
        EXPECT_EQ(Testo(r, "cDescLeggeLG"), QStringLiteral("."));
        EXPECT_EQ(TrimSpazi(Testo(r, CampoIDLivello(livello).toLatin1().constData())), QString::fromUtf8(l.id));
        EXPECT_EQ(Testo(r, "cParametriLG").mid(livello + 1, 1), Testo(r, "cParametriLG").left(1));
    }
    // Nothing stands below the sixth level.
    Sceglie(chiave);
    (*ui)->AttendiMsg(QStringLiteral("Nessun Atto subalterno previsto"));
    f->cmdLeggi_Click(4);
    EXPECT_TRUE(f->cmdLeggi(5)->isHidden());
}

TEST_F(Leggi, ChangesTheStateAtEachLevelKeepingKeysAndSubActs)
{
    Apre();
    const struct {
        QString nodo;
        int codice;
        const char* stato;
        QChar lettera;
    } casi[] = {
        {kLegge, 1, "Votato", u'V'}, {kArticolo, 2, "RinviatoSed", u'G'}, {kEmendamento, 3, "RinviatoComm", u'C'}};
    for (const auto& c : casi) {
        SCOPED_TRACE(c.stato);
        const QString chiavePrima = Testo(Atto(c.codice), "cTreeKeyLG");
        Sceglie(c.nodo);
        f->cmdLeggi_Click(0);
        SceglieStato(QString::fromUtf8(c.stato));
        f->cmdLeggi_Click(5);
        const QVariantMap r = Atto(c.codice);
        EXPECT_EQ(Testo(r, "cParametriLG").at(1), c.lettera);
        EXPECT_EQ(Testo(r, "cTreeKeyLG"), chiavePrima);
        NodoAlbero* n = f->oAlbero().Find(c.nodo);
        ASSERT_NE(n, nullptr);
        EXPECT_EQ(n->Tag().mid(2, 1), QString(c.lettera));
        // Loaded again, the state is the one stored.
        Sceglie(c.nodo);
        f->cmdLeggi_Click(0);
        EXPECT_EQ(f->cmbLegge(1)->currentText(), QString::fromUtf8(c.stato));
    }
    EXPECT_EQ(Righe(), 3);
}

TEST_F(Leggi, SavesTheActLoadedWhateverNodeIsSelected)
{
    Apre();
    Sceglie(kEmendamento);
    f->cmdLeggi_Click(0);
    f->ImpostaTesto(2, QStringLiteral("5"));
    SceglieStato(QStringLiteral("Ritirato"));
    // The operator clicks another act before saving.
    Sceglie(kArticolo);
    f->cmdLeggi_Click(5);
    const QVariantMap articolo = Atto(2);
    EXPECT_EQ(Testo(articolo, "cParametriLG").at(1), u'N');
    EXPECT_EQ(TrimSpazi(Testo(articolo, "cIDArticoloLG")), QStringLiteral("3"));
    const QVariantMap emendamento = Atto(3);
    EXPECT_EQ(Testo(emendamento, "cParametriLG").at(1), u'R');
    EXPECT_EQ(RTrimSpazi(Testo(emendamento, "cTreeKeyLG")),
              RTrimSpazi(ChiaveAlbero({QStringLiteral("B1"), QStringLiteral("J3"), QStringLiteral("E5")})));
    // The leaf's node follows its new identifier.
    EXPECT_EQ(f->oAlbero().Find(kEmendamento), nullptr);
    ASSERT_NE(f->oAlbero().Find(QStringLiteral("B1\\J3\\E5\\")), nullptr);
    EXPECT_EQ(f->oAlbero().Find(kArticolo)->Tag(), QStringLiteral("J2N2"));
    EXPECT_EQ(Righe(), 3);
}

TEST_F(Leggi, ALevelOneEditKeepsItsIdentifierAndDescription)
{
    // A second law numbered after the first: a computed identifier would be 6.
    archivio->AggiungeAtto({4,
                            QStringLiteral("BNB?????"),
                            ChiaveAlbero({QStringLiteral("B5")}),
                            QStringLiteral("5/2026"),
                            QStringLiteral("5"),
                            {},
                            {},
                            4});
    Apre();
    for (int volta = 0; volta < 3; ++volta) {
        Sceglie(kLegge);
        f->cmdLeggi_Click(0);
        // Shown without the stored ending, saved back unchanged.
        EXPECT_EQ(f->Testo(1), QStringLiteral("Atto 1"));
        f->cmdLeggi_Click(5);
        const QVariantMap legge = Atto(1);
        EXPECT_EQ(Testo(legge, "cDescLeggeLG"), QStringLiteral("Atto 1 ."));
        EXPECT_EQ(RTrimSpazi(Testo(legge, "cTreeKeyLG")), RTrimSpazi(ChiaveAlbero({QStringLiteral("B1")})));
        EXPECT_EQ(TrimSpazi(Testo(legge, "cIDLeggeLG")), QStringLiteral("1"));
    }
    // Its article and amendment still hang from it.
    EXPECT_EQ(Righe(), 4);
    EXPECT_NE(f->oAlbero().Find(kEmendamento), nullptr);
    // A childless law keeps its identifier as well.
    Sceglie(QStringLiteral("B5\\"));
    f->cmdLeggi_Click(0);
    f->ImpostaTesto(0, QStringLiteral("5 bis/2026"));
    f->cmdLeggi_Click(5);
    const QVariantMap seconda = Atto(4);
    EXPECT_EQ(RTrimSpazi(Testo(seconda, "cTreeKeyLG")), RTrimSpazi(ChiaveAlbero({QStringLiteral("B5")})));
    EXPECT_EQ(TrimSpazi(Testo(seconda, "cNumeroAttoLG")), QStringLiteral("5 bis/2026"));
    EXPECT_EQ(f->oAlbero().Find(QStringLiteral("B5\\"))->Text(),
              TipoAtto(QStringLiteral("B"), 0) + QStringLiteral(" 5 bis/2026"));
}

TEST_F(Leggi, TypedIdentifiersAreCheckedAndMatchedExactly)
{
    archivio->AggiungeAtto({4,
                            QStringLiteral("JNBJ????"),
                            ChiaveAlbero({QStringLiteral("B1"), QStringLiteral("J1")}),
                            QStringLiteral("12/2026"),
                            QStringLiteral("1"),
                            QStringLiteral("1"),
                            {},
                            1});
    Apre();
    struct Caso {
        QString digitato;
        QString salvato;  // empty: refused
    };
    const Caso casi[] = {
        {QStringLiteral("  7  "), QStringLiteral("7")},
        {QStringLiteral("_"), QStringLiteral("_")},  // a LIKE wildcard is only a character
        {QStringLiteral("%"), QStringLiteral("%")},
        {QStringLiteral("?"), QStringLiteral("?")},  // would have matched "1" and "3"
        {QStringLiteral("o'k"), QStringLiteral("o'k")},
        {QStringLiteral("a\\b"), QString()},  // the separator of the node keys
        {QStringLiteral("a\tb"), QString()},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.digitato.toStdString());
        const int prima = Righe();
        Sceglie(kLegge);
        f->cmdLeggi_Click(4);
        SceglieTipo(QStringLiteral("Articolo"));
        f->ImpostaTesto(2, c.digitato);
        if (c.salvato.isEmpty()) (*ui)->AttendiMsg(QStringLiteral("ID non valido"), vbOK, true);
        f->cmdLeggi_Click(5);
        if (c.salvato.isEmpty()) {
            EXPECT_EQ(Righe(), prima);
            EXPECT_FALSE(f->cmdLeggi(5)->isHidden());  // the panel keeps what was typed
            continue;
        }
        EXPECT_EQ(Righe(), prima + 1);
        EXPECT_GT(CodiceDaChiave(ChiaveAlbero({QStringLiteral("B1"), u'J' + c.salvato})), 0);
        EXPECT_NE(f->oAlbero().Find(QStringLiteral("B1\\J") + c.salvato + u'\\'), nullptr);
    }
    // The same identifier again is a duplicate key.
    Sceglie(kLegge);
    f->cmdLeggi_Click(4);
    SceglieTipo(QStringLiteral("Articolo"));
    f->ImpostaTesto(2, QStringLiteral("o'k"));
    (*ui)->AttendiMsg(QStringLiteral("Chiave Duplicata"));
    const int prima = Righe();
    f->cmdLeggi_Click(5);
    EXPECT_EQ(Righe(), prima);
    EXPECT_EQ(ControllaIdAtto(QStringLiteral("12345678901")).isEmpty(), false);
    EXPECT_EQ(ControllaIdAtto(QStringLiteral(" 1234567890 ")), QString());
}

TEST_F(Leggi, DeletesALeafOrExactlyItsSubtree)
{
    // Articles whose identifiers hold a quote and a "*", and their neighbours.
    const auto articolo = [&](int codice, const QString& id) {
        archivio->AggiungeAtto({codice,
                                QStringLiteral("JNBJ????"),
                                ChiaveAlbero({QStringLiteral("B1"), u'J' + id}),
                                QStringLiteral("12/2026"),
                                QStringLiteral("1"),
                                id,
                                {},
                                1});
    };
    articolo(4, QStringLiteral("1'*"));
    articolo(5, QStringLiteral("1'x"));
    articolo(6, QStringLiteral("1'*9"));
    articolo(7, QStringLiteral("10"));
    archivio->AggiungeAtto({8, QStringLiteral("ENBJE???"),
                            ChiaveAlbero({QStringLiteral("B1"), QStringLiteral("J1'*"), QStringLiteral("E1")}),
                            QStringLiteral("12/2026"), QStringLiteral("1"), QStringLiteral("1'*"), QStringLiteral("1"),
                            1});
    archivio->AggiungeAtto({9, QStringLiteral("ENBJE???"),
                            ChiaveAlbero({QStringLiteral("B1"), QStringLiteral("J1'x"), QStringLiteral("E1")}),
                            QStringLiteral("12/2026"), QStringLiteral("1"), QStringLiteral("1'x"), QStringLiteral("1"),
                            1});
    Apre();
    ASSERT_EQ(Righe(), 9);

    Sceglie(QStringLiteral("B1\\J1'*\\"));
    (*ui)->AttendiMsg(QStringLiteral("e Atti subalterni ?"), vbOK, true);
    f->cmdLeggi_Click(1);
    // The question defaults to Cancel.
    EXPECT_EQ(UltimoDialogo().stile & 0x300, int(vbDefaultButton2));
    EXPECT_EQ(Righe(), 7);
    EXPECT_TRUE(Atto(4).isEmpty());
    EXPECT_TRUE(Atto(8).isEmpty());
    for (int codice : {1, 2, 3, 5, 6, 7, 9}) EXPECT_FALSE(Atto(codice).isEmpty()) << codice;
    EXPECT_EQ(f->oAlbero().Find(QStringLiteral("B1\\J1'*\\")), nullptr);
    EXPECT_NE(f->oAlbero().Find(QStringLiteral("B1\\J1'x\\E1\\")), nullptr);

    // A leaf: only its row and its node.
    Sceglie(kEmendamento);
    (*ui)->AttendiMsg(QStringLiteral("Confermi cancellazione"), vbOK, true);
    f->cmdLeggi_Click(1);
    EXPECT_FALSE(UltimoDialogo().testo.contains(QStringLiteral("subalterni")));
    EXPECT_TRUE(Atto(3).isEmpty());
    EXPECT_EQ(Righe(), 6);
    EXPECT_EQ(f->oAlbero().Find(kEmendamento), nullptr);
    EXPECT_NE(f->oAlbero().Find(kArticolo), nullptr);

    // Cancel deletes nothing.
    Sceglie(kLegge);
    (*ui)->AttendiMsg(QStringLiteral("Confermi cancellazione"), vbCancel, true);
    f->cmdLeggi_Click(1);
    EXPECT_EQ(Righe(), 6);
    // The whole law, at the first level.
    Sceglie(kLegge);
    (*ui)->AttendiMsg(QStringLiteral("Confermi cancellazione"), vbOK, true);
    f->cmdLeggi_Click(1);
    EXPECT_EQ(Righe(), 0);
    EXPECT_EQ(f->oAlbero().Count(), 1);
}

TEST_F(Leggi, AnArchiveFailureIsShownAndNothingIsTakenForDone)
{
    Apre();
    {
        QSqlQuery q(dbArchivio.Connessione());
        ASSERT_TRUE(q.exec(QStringLiteral("CREATE TRIGGER no_modifiche BEFORE UPDATE ON LEGGI "
                                          "BEGIN SELECT RAISE(ABORT, 'archivio bloccato'); END")));
        ASSERT_TRUE(q.exec(QStringLiteral("CREATE TRIGGER no_cancellazioni BEFORE DELETE ON LEGGI "
                                          "BEGIN SELECT RAISE(ABORT, 'archivio bloccato'); END")));
    }
    Sceglie(kEmendamento);
    f->cmdLeggi_Click(0);
    SceglieStato(QStringLiteral("Votato"));
    (*ui)->AttendiMsg(QStringLiteral("archivio bloccato"), vbOK, true);
    f->cmdLeggi_Click(5);
    EXPECT_EQ(UltimoDialogo().stile & 0x70, int(vbCritical));
    EXPECT_EQ(Testo(Atto(3), "cParametriLG").at(1), u'N');
    EXPECT_EQ(f->oAlbero().Find(kEmendamento)->Tag(), QStringLiteral("E3N3"));

    // A refused deletion leaves the act in the archive and in the tree.
    Sceglie(kEmendamento);
    (*ui)->AttendiMsg(QStringLiteral("Confermi cancellazione"), vbOK, true);
    (*ui)->AttendiMsg(QStringLiteral("archivio bloccato"), vbOK, true);
    f->cmdLeggi_Click(1);
    EXPECT_FALSE(Atto(3).isEmpty());
    EXPECT_NE(f->oAlbero().Find(kEmendamento), nullptr);
    Sceglie(kLegge);
    (*ui)->AttendiMsg(QStringLiteral("Confermi cancellazione"), vbOK, true);
    (*ui)->AttendiMsg(QStringLiteral("archivio bloccato"), vbOK, true);
    f->cmdLeggi_Click(1);
    EXPECT_EQ(Righe(), 3);
    EXPECT_NE(f->oAlbero().Find(kEmendamento), nullptr);
}

TEST_F(Leggi, EmptiesTheTableOnlyWithCtrl)
{
    Apre();
    f->cmdLeggi_Click(2);  // no Ctrl: no question, nothing
    EXPECT_EQ(Righe(), 3);
    servizi->keys.ctrl = true;
    (*ui)->AttendiMsg(QStringLiteral("Confermi Svuotamento Archivio"), vbCancel);
    f->cmdLeggi_Click(2);
    EXPECT_EQ(UltimoDialogo().stile & 0x300, int(vbDefaultButton2));
    EXPECT_EQ(Righe(), 3);
    (*ui)->AttendiMsg(QStringLiteral("Confermi Svuotamento Archivio"), vbOK);
    f->cmdLeggi_Click(2);
    servizi->keys.ctrl = false;
    EXPECT_EQ(Righe(), 0);
    ASSERT_EQ(f->oAlbero().Count(), 1);
    // The first act of an empty table has code 1.
    Sceglie(QStringLiteral("*"));
    f->cmdLeggi_Click(4);
    SceglieTipo(QStringLiteral("Mozione"));
    f->ImpostaTesto(0, QStringLiteral("1"));
    f->cmdLeggi_Click(5);
    EXPECT_FALSE(Atto(1).isEmpty());
    EXPECT_EQ(RTrimSpazi(Testo(Atto(1), "cTreeKeyLG")), RTrimSpazi(ChiaveAlbero({QStringLiteral("M1")})));
}

TEST_F(Leggi, AnActDeletedElsewhereIsNotLoadedNorSaved)
{
    Apre();
    Sceglie(kEmendamento);
    f->cmdLeggi_Click(0);
    dbArchivio.Execute(QStringLiteral("DELETE FROM LEGGI WHERE iCodLeggeLG = 3"));
    f->cmdLeggi_Click(5);  // its row is gone: nothing is written back
    EXPECT_EQ(Righe(), 2);
    Sceglie(kEmendamento);
    (*ui)->AttendiMsg(QStringLiteral("Nessun Atto subalterno previsto"));
    f->cmdLeggi_Click(0);
    // Nor is anything added under it.
    (*ui)->AttendiMsg(QStringLiteral("Nessun Atto subalterno previsto"));
    f->cmdLeggi_Click(4);
    EXPECT_EQ(Righe(), 2);
}

TEST_F(Leggi, PrintAsksFirst)
{
    QTemporaryDir cartella;
    Stampante().setOutputFormat(QPrinter::PdfFormat);
    Stampante().setOutputFileName(cartella.path() + QStringLiteral("/lista.pdf"));
    QStringList stampati;
    ImpostaOsservatoreStampa([&](int, int, int, const QString& t) { stampati << t; });
    Apre();
    (*ui)->AttendiMsg(QStringLiteral("Confermi Stampa ?"), vbCancel);
    f->cmdLeggi_Click(6);
    EXPECT_EQ(UltimoDialogo().stile & 0x7, int(vbOKCancel));
    (*ui)->AttendiMsg(QStringLiteral("Confermi Stampa ?"), vbOK);
    (*ui)->AttendiStampante(false);  // the printer dialog cancelled: nothing printed
    f->cmdLeggi_Click(6);
    EXPECT_TRUE(stampati.isEmpty());
    (*ui)->AttendiMsg(QStringLiteral("Confermi Stampa ?"), vbOK);
    (*ui)->AttendiStampante(true);
    f->cmdLeggi_Click(6);
    EXPECT_TRUE(stampati.contains(QStringLiteral(" - Lista Atti registrati -")));
    // While a vote collects its keys neither the question nor the printer dialog.
    stampati.clear();
    iModoVoto = 1;
    (*ui)->AttendiMsg(QString::fromUtf8(kMsgVotoInCorso));
    f->cmdLeggi_Click(6);
    iModoVoto = 0;
    EXPECT_TRUE(stampati.isEmpty());
    ImpostaOsservatoreStampa(nullptr);
    f->cmdLeggi_Click(3);
    // Closed, the window goes away at once and is released with the next deferred deletions.
    ASSERT_FALSE(f.isNull());
    EXPECT_FALSE(f->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(f.isNull());
}

TEST_F(Leggi, TheMainMenuOpensItInTheRegionalAssembly)
{
    frmMain m;
    ASSERT_TRUE(m.mnuArchivi[0]->isEnabled());
    EXPECT_EQ(m.mnuArchivi[0]->text(), QStringLiteral("Registrazione Atti"));
    m.mnuArchivi[0]->trigger();
    f = frmLeggi::Aperta();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->isVisible());
    EXPECT_FALSE(f->isModal());
    m.mnuArchivi[0]->trigger();  // brought forward, not opened twice
    EXPECT_EQ(frmLeggi::Aperta(), f.data());
}

}  // namespace
