// Substitutions: the exchange dialog from a seat and by F5, the secretary
// replaced by the vice, and the new councillor taken from the guest list,
// in memory and in the archive.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "BancoPosti.h"
#include "board/frmVideo.h"
#include "platform/Database.h"

namespace obx::test {
namespace {

class Sostituzioni : public BancoPosti {};

int Indice(ElencoCombo* c, const QString& nome)
{
    for (int i = 0; i < c->ListCount(); ++i)
        if (c->List(i) == nome) return i;
    return -1;
}

// Answers the exchange dialog with the two names (empty: no selection).
void SceltaScambio(const QString& uscente, const QString& entrante, bool esce, bool conferma = true)
{
    AlComparire<frmScambio>([=](frmScambio* d) {
        if (!uscente.isEmpty()) d->cmbScambio(0)->SetListIndex(Indice(d->cmbScambio(0), uscente));
        if (!entrante.isEmpty()) d->cmbScambio(1)->SetListIndex(Indice(d->cmbScambio(1), entrante));
        d->chkEsce()->setChecked(esce);
        d->cmdScambio(conferma ? 0 : 4)->click();
    });
}

QString Pad(const char* s, int n) { return QString::fromUtf8(s).leftJustified(n); }

TEST_F(Sostituzioni, ChairReplacedByACouncillorWhoStays)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    Presenti({1, 2, 3, 4});
    f->txtAnag(1)->SetBackColor(0xFF0000);
    f->txtAnag(3)->SetBackColor(0xFFFF00);
    cSegretari = {QStringLiteral("earlier"), QStringLiteral("earlier")};
    AlComparire<frmScambio>([](frmScambio* d) {
        EXPECT_EQ(d->lblScambio(0)->text(), QStringLiteral("Presidente da sostituire:"));
        EXPECT_EQ(d->cmbScambio(0)->ListCount(), 2);  // the chair and the mayor, present
        EXPECT_EQ(d->cmbScambio(1)->ListCount(), 2);  // the councillors present
        d->cmbScambio(0)->SetListIndex(Indice(d->cmbScambio(0), Nome(1)));
        d->cmbScambio(1)->SetListIndex(Indice(d->cmbScambio(1), Nome(3)));
        d->cmdScambio(0)->click();
    });
    SceltaTasti(1);
    f->txtAnag_MouseDown(1, 1, 2, 0, 0);

    EXPECT_EQ(aPosti[3].cTipoAN, QStringLiteral("P"));
    EXPECT_EQ(aPosti[3].iVotatoreAN, 1);
    EXPECT_FLOAT_EQ(aPosti[3].nTopAN, 240);
    EXPECT_EQ(aPosti[1].cTipoAN, QStringLiteral("C"));
    EXPECT_EQ(aPosti[1].iVotatoreAN, 3);
    // Names, codes and labels stay with the persons; the labels move.
    EXPECT_EQ(aPosti[3].cNomeAN, Pad("Anna Verdi", 30));
    EXPECT_EQ(aPosti[3].bCodiceAN, 3);
    EXPECT_NEAR(f->txtAnag(3)->Top(), 240, 20);
    EXPECT_NEAR(f->txtAnag(1)->Top(), 600, 20);
    EXPECT_EQ(f->txtAnag(3)->BackColor(), 0xFF0000);
    EXPECT_EQ(f->txtAnag(1)->BackColor(), 0xFFFF00);
    EXPECT_EQ(aPosti[1].iStato & 1, 1);

    const auto ev = EventiDopoApertura();
    ASSERT_EQ(ev.size(), 1u);
    EXPECT_EQ(ev[0].lettera, QStringLiteral("P"));
    EXPECT_EQ(ev[0].descrizione.trimmed(), QStringLiteral("Sostituz. Presidente"));
    // The row names who takes over, its details who was replaced.
    EXPECT_EQ(ev[0].nome, Pad("Anna Verdi", 30));
    EXPECT_EQ(ev[0].extra, Pad("Mario Rossi", 90));
}

TEST_F(Sostituzioni, ReplacedCouncillorLeaves)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    Presenti({3, 4});
    SceltaScambio(Nome(3), Nome(4), true);
    SceltaTasti(1);
    f->txtAnag_MouseDown(3, 1, 2, 0, 0);
    EXPECT_TRUE(iEsce);
    EXPECT_EQ(iPostoUscente, 3);
    EXPECT_EQ(iPostoEntrante, 4);
    auto ev = EventiDopoApertura();
    ASSERT_FALSE(ev.empty());
    EXPECT_EQ(ev.back().lettera, QStringLiteral("Q"));
    EXPECT_EQ(ev.back().nome, Pad("Giorgio Esposito", 30));
    EXPECT_EQ(ev.back().extra, Pad("Anna Verdi", 90));
    if (!PresenzeCostruite(f)) GTEST_SKIP() << "attendance changes not built in this tree";
    ASSERT_EQ(ev.size(), 2u);
    EXPECT_EQ(ev[0].lettera, QStringLiteral("U"));
    EXPECT_EQ(ev[0].nome, Pad("Anna Verdi", 30));
    EXPECT_EQ(aPosti[3].iStato & 1, 0);
}

TEST_F(Sostituzioni, CancelledOrIncompleteExchangeChangesNothing)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    Presenti({3, 4});
    SceltaScambio(Nome(3), Nome(4), false, false);
    SceltaTasti(1);
    f->txtAnag_MouseDown(3, 1, 2, 0, 0);
    SceltaScambio(Nome(3), QString(), false);
    SceltaTasti(1);
    f->txtAnag_MouseDown(3, 1, 2, 0, 0);
    EXPECT_EQ(aPosti[3].iVotatoreAN, 3);
    EXPECT_EQ(aPosti[4].iVotatoreAN, 4);
    // Started on an absent seat: nobody to replace.
    AlComparire<frmScambio>([](frmScambio* d) {
        EXPECT_EQ(d->cmbScambio(0)->ListCount(), 0);
        d->cmdScambio(0)->click();
    });
    SceltaTasti(1);
    f->txtAnag_MouseDown(6, 1, 2, 0, 0);
    EXPECT_TRUE(EventiDopoApertura().empty());
}

TEST_F(Sostituzioni, SecretaryReplacedByTheVice)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    const QString attesa = QStringLiteral("Confermi sostituzione Segretario\r\n") + Pad("Giulia Neri", 30) +
                           QStringLiteral("\r\ncon\r\n") + Pad("Vittorio Gialli", 30);
    (*ui)->AttendiMsg(attesa, vbCancel);
    int tasto = 116;
    f->Form_KeyDown(tasto, 0);
    EXPECT_TRUE(EventiDopoApertura().empty());
    (*ui)->AttendiMsg(attesa, vbOK);
    tasto = 116;
    f->Form_KeyDown(tasto, 0);
    EXPECT_EQ(tasto, 0);
    const auto ev = EventiDopoApertura();
    ASSERT_EQ(ev.size(), 1u);
    EXPECT_EQ(ev[0].lettera, QStringLiteral("J"));
    EXPECT_EQ(ev[0].nome, Pad("Vittorio Gialli", 30));
    EXPECT_EQ(ev[0].extra, Pad("Giulia Neri", 90));
    EXPECT_EQ(cSegretari[1], Pad("Vittorio Gialli", 30));

    // Without a vice nothing is offered.
    for (size_t i = 1; i < aOspiti.size(); ++i)
        if (aOspiti[i].cTipoAN == u"V") aOspiti[i].cTipoAN = QStringLiteral("X");
    (*ui)->AttendiMsg(QStringLiteral("Segretario o Vice non impostati"));
    tasto = 116;
    f->Form_KeyDown(tasto, 0);
}

// A guest picked from the speakers list and then put into a seat.
TEST_F(Sostituzioni, NewCouncillorFromTheGuestList)
{
    dbArchivio.Execute(QStringLiteral("UPDATE ANAGRAFE SET cPartitoAN = 'Nuova Lista', cIrideIdAN = 'X12' "
                                      "WHERE bCodiceAN = 9;"));
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    Presenti({5});
    const int presenti = iPresenti;
    const int g = Ospite(9);
    ASSERT_GT(g, 0);

    // Option 4 before a guest was picked.
    iScelta = 0;
    (*ui)->AttendiMsg(QStringLiteral("Occorre prima selezionare il nuovo Consigliere\r\n"
                                     "     (Maiusc+Alt+Pulsante SIN da Lista Presenti)"));
    f->txtAnag_MouseDown(5, 32, 4, 0, 0);

    f->lstParola()->Clear();
    f->lstParola()->AddItem(aOspiti[size_t(g)].cNomeAN);
    f->lstParola()->SetListIndex(0);
    SceltaOspiti(2);
    f->OperazioniOspite(1, 2);
    EXPECT_EQ(iScelta, g);
    EXPECT_EQ(f->lstParola()->ListCount(), 0);
    EXPECT_EQ(f->getParola()->text(), aOspiti[size_t(g)].cNomeAN);

    // Names of an earlier substitution must not reach this one's event.
    cSegretari = {QStringLiteral("earlier out"), QStringLiteral("earlier in")};
    SceltaTasti(3);
    f->txtAnag_MouseDown(5, 1, 2, 0, 0);

    const Posto& s = aPosti[5];
    EXPECT_EQ(s.cNomeAN, Pad("Giulia Neri", 30));
    EXPECT_EQ(s.cNomeBreveAN, Pad("NERI G.", 16));
    EXPECT_EQ(s.bCodiceAN, 9);
    EXPECT_EQ(s.cTipoAN, QStringLiteral("C"));
    EXPECT_EQ(s.cPartitoAN, Pad("Nuova Lista", 20));
    ASSERT_GE(s.iPartito, 1);
    EXPECT_EQ(aPartiti[size_t(s.iPartito)].cPartito, Pad("NUOVA LISTA", 20));
    EXPECT_EQ(s.cIrideIdAN, Pad("X12", 6));
    EXPECT_EQ(aOspiti[size_t(g)].bCodiceAN, 5);
    EXPECT_EQ(aOspiti[size_t(g)].cNomeAN, Pad("Franca Romano", 30));
    EXPECT_EQ(aOspiti[size_t(g)].cTipoAN, QStringLiteral("G"));
    EXPECT_EQ(f->txtAnag(5)->Caption(), QStringLiteral("NERI G."));
    EXPECT_EQ(iPresenti, presenti);
    EXPECT_EQ(iScelta, 0);
    EXPECT_TRUE(f->getParola()->text().isEmpty());

    const auto ev = EventiDopoApertura();
    ASSERT_EQ(ev.size(), 3u);
    EXPECT_EQ(ev[0].lettera, QStringLiteral("U"));
    EXPECT_EQ(ev[0].nome, Pad("Franca Romano", 30));
    EXPECT_EQ(ev[1].lettera, QStringLiteral("Q"));
    EXPECT_EQ(ev[1].nome, Pad("Giulia Neri", 30));
    EXPECT_EQ(ev[1].extra, Pad("Franca Romano", 90));
    EXPECT_EQ(ev[2].lettera, QStringLiteral("E"));
    EXPECT_EQ(ev[2].nome, Pad("Giulia Neri", 30));

    // The archive seats the newcomer at the next load.
    Recordset rs = dbArchivio.OpenTable(QStringLiteral("ANAGRAFE"), QStringLiteral("TAG_A"));
    rs.Seek(QStringLiteral("="), 9);
    ASSERT_FALSE(rs.NoMatch());
    EXPECT_EQ(rs.Field(QStringLiteral("cTipoAN")).toString(), QStringLiteral("C"));
    EXPECT_EQ(rs.Field(QStringLiteral("iVotatoreAN")).toInt(), 5);
    EXPECT_EQ(rs.Field(QStringLiteral("iPulsanteAN")).toInt(), 5);
    EXPECT_EQ(rs.Field(QStringLiteral("iPannelloAN")).toInt(), 5);
    EXPECT_DOUBLE_EQ(rs.Field(QStringLiteral("nTopAN")).toDouble(), 960);
    rs.Seek(QStringLiteral("="), 5);
    ASSERT_FALSE(rs.NoMatch());
    EXPECT_EQ(rs.Field(QStringLiteral("cTipoAN")).toString(), QStringLiteral("G"));
    for (const char* c : {"iVotatoreAN", "iSmartCardAN", "iPulsanteAN", "iPannelloAN", "nTopAN", "nLeftAN"})
        EXPECT_EQ(rs.Field(QString::fromLatin1(c)).toInt(), 0) << c;
    EXPECT_EQ(rs.Field(QStringLiteral("cPartitoAN")).toString().trimmed(), QStringLiteral("Insieme"));
}

TEST_F(Sostituzioni, NewCouncillorOnAnEmptySeatAndBack)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    const int g = Ospite(10);
    ASSERT_GT(g, 0);
    const int presenti = iPresenti;
    iScelta = g;
    f->txtAnag_MouseDown(6, 32, 4, 0, 0);
    EXPECT_EQ(iPresenti, presenti + 1);
    EXPECT_EQ(aPosti[6].iStato & 1, 1);
    EXPECT_EQ(f->txtAnag(6)->BackColor(), 0xFFFF00);
    const auto ev = EventiDopoApertura();
    ASSERT_EQ(ev.size(), 2u);
    EXPECT_EQ(ev[0].lettera, QStringLiteral("Q"));
    EXPECT_EQ(ev[0].nome, Pad("Vittorio Gialli", 30));
    EXPECT_EQ(ev[0].extra, Pad("Sergio Colombo", 90));
    EXPECT_EQ(ev[1].lettera, QStringLiteral("E"));

    // The same exchange again restores both persons and both rows.
    ASSERT_TRUE(ScambiaPosto(6, g));
    EXPECT_EQ(aPosti[6].cNomeAN, Pad("Sergio Colombo", 30));
    EXPECT_EQ(aPosti[6].bCodiceAN, 6);
    EXPECT_EQ(aOspiti[size_t(g)].bCodiceAN, 10);
    Recordset rs = dbArchivio.OpenTable(QStringLiteral("ANAGRAFE"), QStringLiteral("TAG_A"));
    rs.Seek(QStringLiteral("="), 6);
    EXPECT_EQ(rs.Field(QStringLiteral("iVotatoreAN")).toInt(), 6);
    EXPECT_EQ(rs.Field(QStringLiteral("cTipoAN")).toString(), QStringLiteral("C"));
    rs.Seek(QStringLiteral("="), 10);
    EXPECT_EQ(rs.Field(QStringLiteral("iVotatoreAN")).toInt(), 0);
    EXPECT_EQ(rs.Field(QStringLiteral("cTipoAN")).toString(), QStringLiteral("V"));

    // A guest without a row changes nothing.
    aOspiti[size_t(g)].bCodiceAN = 99;
    EXPECT_FALSE(ScambiaPosto(6, g));
    EXPECT_EQ(aPosti[6].bCodiceAN, 6);
}

class SostituzioniLeggi : public BancoPosti {
protected:
    int Tipo() const override { return 4; }
};

TEST_F(SostituzioniLeggi, SecretaryExchangedByF5)
{
    archivio->AggiungePersona({11, QStringLiteral("Carla Blu"), QStringLiteral("BLU C."), QStringLiteral("G"),
                               QStringLiteral("Lista Civica"), 11, 11, 11, 1680, 120});
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    int seg = 0;
    for (size_t i = 1; i < aPosti.size(); ++i)
        if (aPosti[i].bCodiceAN == 11) seg = int(i);
    ASSERT_GT(seg, 0);
    Presenti({seg, 4});
    AlComparire<frmScambio>([seg](frmScambio* d) {
        EXPECT_EQ(d->lblScambio(0)->text(), QStringLiteral("Segretario da sostituire:"));
        EXPECT_EQ(d->cmbScambio(0)->ListCount(), 1);
        d->cmbScambio(0)->SetListIndex(0);
        d->cmbScambio(1)->SetListIndex(Indice(d->cmbScambio(1), Nome(4)));
        d->chkEsce()->setChecked(false);
        d->cmdScambio(0)->click();
    });
    int tasto = 116;
    f->Form_KeyDown(tasto, 0);
    EXPECT_EQ(iModoAttivazione, 256);
    EXPECT_EQ(aPosti[4].cTipoAN, QStringLiteral("G"));
    EXPECT_EQ(aPosti[size_t(seg)].cTipoAN, QStringLiteral("C"));
    const auto ev = EventiDopoApertura();
    ASSERT_EQ(ev.size(), 1u);
    EXPECT_EQ(ev[0].lettera, QStringLiteral("J"));
    EXPECT_EQ(ev[0].nome, Pad("Giorgio Esposito", 30));
    EXPECT_EQ(ev[0].extra, Pad("Carla Blu", 90));
}

}  // namespace
}  // namespace obx::test
