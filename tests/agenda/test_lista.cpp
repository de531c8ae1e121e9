// The item list read again while an item is open (an act deleted with its
// subtree, a row added, moved or deleted in the agenda register): the open
// item is found again by its key, not by its place in the list, and stays
// open with its titles and bookings; an item no longer listed is closed.
#include <QPlainTextEdit>

#include "BancoAgenda.h"
#include "console/Prenotazioni.h"
#include "platform/Albero.h"
#include "platform/Database.h"
#include "platform/Elenchi.h"
#include "platform/Testo.h"
#include "shell/Globali.h"

namespace obx::test {
namespace {

// What must not change when the same item is found again.
struct Stato {
    QString lettere;
    int delibera = 0, codice = 0;
    std::array<QString, 3> titoli;
    QString testo;
    size_t prenotati = 0;
    bool aperto = false;

    static Stato Ora(frmCons* f)
    {
        return {Lettere(),
                iDelibera,
                iCodiceAtto,
                cTitoloTabellone,
                f->getTesto(0)->toPlainText(),
                aPrenotati.size(),
                (iFlagQuorum & 4) != 0};
    }
    void Uguale(const Stato& d) const
    {
        EXPECT_EQ(d.lettere, lettere);
        EXPECT_EQ(d.delibera, delibera);
        EXPECT_EQ(d.codice, codice);
        EXPECT_EQ(d.titoli, titoli);
        EXPECT_EQ(d.testo, testo);
        EXPECT_EQ(d.prenotati, prenotati);
        EXPECT_EQ(d.aperto, aperto);
    }
};

// Laws mode: the fixture's law 1 with its article 2 and amendment 3, and
// two more laws, 4 and 5.
class ListaAtti : public BancoConsole {
protected:
    int Tipo() const override { return 4; }
    void SetUp() override
    {
        BancoConsole::SetUp();
        if (HasFatalFailure()) return;
        archivio->AggiungeAtto({4,
                                QStringLiteral("BNB?????"),
                                ChiaveAlbero({QStringLiteral("B2")}),
                                QStringLiteral("13/2026"),
                                QStringLiteral("2"),
                                {},
                                {},
                                4});
        archivio->AggiungeAtto({5,
                                QStringLiteral("BNB?????"),
                                ChiaveAlbero({QStringLiteral("B3")}),
                                QStringLiteral("14/2026"),
                                QStringLiteral("3"),
                                {},
                                {},
                                5});
        ImpostaAtto(4, "cNomeLedLG", QStringLiteral("LEGGE 13"));
        ImpostaAtto(5, "cNomeLedLG", QStringLiteral("LEGGE 14"));
        f = Apre();
        ASSERT_NE(f, nullptr);
        ApreSeduta(f);
    }
    void Apri(int codice)
    {
        const int k = VoceAtto(f, codice);
        ASSERT_GE(k, 0);
        f->cmbArgo(0)->SetListIndex(k);
        ASSERT_EQ(iDelibera, codice);
    }
    // Ctrl+F8 on the node of the key given, confirmed.
    void Elimina(const QString& chiaveNodo)
    {
        NodoAlbero* n = f->oAlbero().Find(chiaveNodo);
        ASSERT_NE(n, nullptr);
        f->oAlbero().SetSelectedItem(n);
        (*ui)->AttendiMsg(QStringLiteral("Confermi cancellazione "), vbOK, true);
        f->CancellaAttoSelezionato();
    }
    frmCons* f = nullptr;
};

TEST_F(ListaAtti, TheOpenActStaysOpenWhenAnEarlierActIsDeleted)
{
    Apri(4);
    f->GestiscePrenotati(1, kPrenota, QString());
    ASSERT_GT(aPrenotati.size(), 1u);
    const Stato prima = Stato::Ora(f);
    ASSERT_EQ(cTitoloTabellone[0], PadTaglia(QStringLiteral("LEGGE 13"), 24));

    // The amendment 3 goes: the list shifts under the open act.
    Elimina(QStringLiteral("B1\\J3\\E2\\"));
    ASSERT_LT(VoceAtto(f, 3), 0);
    EXPECT_EQ(f->cmbArgo(0)->ListIndex(), VoceAtto(f, 4));
    prima.Uguale(Stato::Ora(f));

    // Read again once more with nothing changed: nothing happens either.
    f->AttivaForm(kAttivaArgomenti);
    EXPECT_EQ(f->cmbArgo(0)->ListIndex(), VoceAtto(f, 4));
    prima.Uguale(Stato::Ora(f));
}

TEST_F(ListaAtti, TheOpenActDeletedIsClosedAndNoOtherOpens)
{
    Apri(3);
    const QString prima = Lettere();
    // The article goes with its amendment, the act open.
    Elimina(QStringLiteral("B1\\J3\\"));
    EXPECT_EQ(Lettere(), prima + QStringLiteral("H"));
    EXPECT_EQ(Eventi().back().delibera, 3);
    EXPECT_EQ(f->cmbArgo(0)->ListIndex(), -1);
    EXPECT_EQ(iDelibera, 0);
    EXPECT_FALSE(iFlagQuorum & 4);
}

// Council: the standard items at codes 1 to 4 and item 10 at position 10.
class ListaArgomenti : public BancoConsole {
protected:
    void SetUp() override
    {
        BancoConsole::SetUp();
        if (HasFatalFailure()) return;
        AggiungeVoce({10,
                      10,
                      QStringLiteral("D"),
                      QStringLiteral("Piano regolatore"),
                      QStringLiteral("Piano"),
                      {},
                      QStringLiteral("PIANO"),
                      QStringLiteral("REGOLATORE"),
                      QString()});
        f = Apre();
        ASSERT_NE(f, nullptr);
        ApreSeduta(f);
        const int k = Voce0(f, QStringLiteral(" 10"));
        ASSERT_GE(k, 0);
        f->cmbArgo(0)->SetListIndex(k);
        ASSERT_EQ(iDelibera, 10);
        f->GestiscePrenotati(1, kPrenota, QString());
    }
    frmCons* f = nullptr;
};

TEST_F(ListaArgomenti, ARowAddedBeforeTheOpenItemChangesNothing)
{
    const Stato prima = Stato::Ora(f);
    // Added by the register while the console waited for it.
    AggiungeVoce({6, 6, QStringLiteral("D"), QStringLiteral("Nuovo punto"), QStringLiteral("Nuovo")});
    f->AttivaForm(kAttivaRecordset | kAttivaArgomenti);
    ASSERT_GE(Voce0(f, QStringLiteral("  6")), 0);
    EXPECT_EQ(f->cmbArgo(0)->ListIndex(), Voce0(f, QStringLiteral(" 10")));
    prima.Uguale(Stato::Ora(f));
}

TEST_F(ListaArgomenti, TheOpenItemMovedIsFoundAtItsNewPosition)
{
    Stato prima = Stato::Ora(f);
    dbArchivio.Execute(QStringLiteral("UPDATE DELIBERE SET iPosOdGDE = 12 WHERE iDeliberaDE = 10;"));
    // Another item now stands where it was.
    AggiungeVoce({5, 10, QStringLiteral("M"), QStringLiteral("Mozione"), QStringLiteral("Mozione")});
    f->AttivaForm(kAttivaRecordset | kAttivaArgomenti);
    EXPECT_EQ(f->cmbArgo(0)->ListIndex(), Voce0(f, QStringLiteral(" 12")));
    prima.delibera = 12;
    prima.Uguale(Stato::Ora(f));
    // Chosen again, it is the item already open.
    f->cmbArgo(0)->SetListIndex(Voce0(f, QStringLiteral(" 12")));
    prima.Uguale(Stato::Ora(f));
}

TEST_F(ListaArgomenti, TheOpenItemDeletedIsClosed)
{
    const QString prima = Lettere();
    dbArchivio.Execute(QStringLiteral("DELETE FROM DELIBERE WHERE iDeliberaDE = 10;"));
    f->AttivaForm(kAttivaRecordset | kAttivaArgomenti);
    EXPECT_EQ(Lettere(), prima + QStringLiteral("H"));
    EXPECT_EQ(Eventi().back().delibera, 10);
    EXPECT_EQ(f->cmbArgo(0)->ListIndex(), -1);
    EXPECT_EQ(iDelibera, 0);
}

}  // namespace
}  // namespace obx::test
