// Agenda items of a council: opening and closing with their events and
// board titles, type changes, pending sub-items (also two items sharing a
// number), item notes (also an editor left open while the item changes)
// and an item type the vocabulary does not know.
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

#include "BancoAgenda.h"
#include "links/Tabellone.h"
#include "platform/Elenchi.h"
#include "platform/Testo.h"
#include "shell/Globali.h"

namespace obx::test {
namespace {

class Agenda : public BancoConsole {
protected:
    void SetUp() override
    {
        BancoConsole::SetUp();
        if (HasFatalFailure()) return;
        tempoPartito = iTempoMaxPartito;
        // Besides the standard items ("  1", "  2/b", "  7 (?.)"):
        AggiungeVoce({5,
                      5,
                      QStringLiteral("D"),
                      QStringLiteral("Bilancio di previsione 2026-2028"),
                      QStringLiteral("Bilancio 2026"),
                      {},
                      QStringLiteral("BILANCIO 2026"),
                      QStringLiteral("PREVISIONE"),
                      QStringLiteral("TRIENNALE")});
        AggiungeVoce({6,
                      8,
                      QStringLiteral("A"),
                      QStringLiteral("Modifica art. 3"),
                      QStringLiteral("Art. 3"),
                      {},
                      {},
                      {},
                      {},
                      12,
                      QStringLiteral("3")});
        // Two items at position 3, the one of group "a" listed first.
        AggiungeVoce({7, 3, QStringLiteral("D"), QStringLiteral("Variante, parte a"), QStringLiteral("Variante a"),
                      QStringLiteral("a")});
        AggiungeVoce({8, 3, QStringLiteral("D"), QStringLiteral("Variante generale"), QStringLiteral("Variante")});
        AggiungeVoce({9, 9, QStringLiteral("Z"), QStringLiteral("Tipo sconosciuto"), QStringLiteral("Ignoto")});
        AggiungeVoce({10, 10, QString(), QStringLiteral("Tipo mancante"), QStringLiteral("Mancante")});
        f = Apre();
        ASSERT_NE(f, nullptr);
        ApreSeduta(f);
    }
    void TearDown() override
    {
        iTempoMaxPartito = tempoPartito;
        servizi->keys.ctrl = false;
        BancoConsole::TearDown();
    }

    // Selects the entry whose text is exactly the one given.
    void Seleziona(const QString& voce)
    {
        for (int k = 0; k < f->cmbArgo(0)->ListCount(); ++k) {
            if (f->cmbArgo(0)->List(k) == voce) {
                f->cmbArgo(0)->SetListIndex(k);
                return;
            }
        }
        ADD_FAILURE() << "no entry " << voce.toStdString();
    }
    void AggiungeSottoArgomento(int tipo, const QString& descrizione)
    {
        f->cmdArgo(1)->click();
        f->cmbArgo(3)->SetListIndex(tipo);
        f->getDescEme()->setText(descrizione);
        f->cmdArgo(1)->click();
    }

    frmCons* f = nullptr;
    int tempoPartito = 0;
};

TEST_F(Agenda, SelectingAnItemClosesTheOpenOneAndOpensTheNew)
{
    iTempoMaxPartito = 30;
    ASSERT_GT(aPosti.size(), 3u);
    ASSERT_GT(aPartiti.size(), 1u);
    aPosti[3].iInterventi = 2;
    aPartiti[1].lTempoResiduo = 5;

    Seleziona(QStringLiteral("  5"));
    EXPECT_EQ(iDelibera, 5);
    EXPECT_EQ(iCodiceAtto, 5);
    EXPECT_EQ(cTipoArg, QStringLiteral("D"));
    EXPECT_EQ(f->cmbArgo(1)->ListIndex(), VoceTipo(QStringLiteral("D")));
    EXPECT_TRUE(iFlagQuorum & 4);
    EXPECT_EQ(TrimSpazi(cArgomento[4]), QStringLiteral("Bilancio 2026"));
    EXPECT_EQ(cArgomento[5], QStringLiteral("Bilancio di previsione 2026-2028"));
    EXPECT_EQ(cArgomento[1], QString());
    EXPECT_EQ(cTitoloTabellone[0], PadTaglia(QStringLiteral("BILANCIO 2026"), 24));
    EXPECT_EQ(cTitoloTabellone[1], PadTaglia(QStringLiteral("PREVISIONE"), 24));
    EXPECT_EQ(cTitoloTabellone[2], PadTaglia(QStringLiteral("TRIENNALE"), 24));
    EXPECT_EQ(f->getTesto(0)->toPlainText(), cArgomento[5]);
    EXPECT_EQ(f->getTesto(1)->toPlainText(), cArgomento[5]);
    EXPECT_FALSE(f->getTesto(0)->isHidden());
    EXPECT_TRUE(f->getTesto(1)->isHidden());
    EXPECT_EQ(aPosti[3].iInterventi, 0);
    EXPECT_EQ(aPartiti[1].lTempoResiduo, 1800);
    EXPECT_TRUE(f->cmdVoto(0)->isEnabled());
    EXPECT_TRUE(f->cmdArgo(0)->isEnabled());
    EXPECT_TRUE(f->cmdArgo(1)->isEnabled());
    EXPECT_TRUE(f->chkImmEsec()->isEnabled());
    EXPECT_EQ(Lettere(), QStringLiteral("AG"));
    {
        const RigaEvento g = Eventi().back();
        EXPECT_EQ(g.descrizione, PadTaglia(QStringLiteral("Apertura Argomento"), 20));
        EXPECT_EQ(g.delibera, 5);
        EXPECT_EQ(g.tipoArg, QStringLiteral("D"));
        EXPECT_TRUE(g.extra.startsWith(QStringLiteral("Bilancio 2026")));
    }

    // The item already open: nothing.
    Seleziona(QStringLiteral("  5"));
    EXPECT_EQ(Lettere(), QStringLiteral("AG"));

    // Another item: the open one is closed first, under its own number.
    aPosti[3].iInterventi = 4;
    Seleziona(QStringLiteral("  2/b"));
    EXPECT_EQ(Lettere(), QStringLiteral("AGHG"));
    const auto ev = Eventi();
    EXPECT_EQ(ev[2].descrizione, PadTaglia(QStringLiteral("Chiusura Argomento"), 20));
    EXPECT_EQ(ev[2].delibera, 5);
    EXPECT_EQ(ev[3].delibera, 2);
    EXPECT_EQ(ev[3].tipoArg, QStringLiteral("M"));
    EXPECT_EQ(iDelibera, 2);
    EXPECT_EQ(cArgomento[1], QStringLiteral("b"));
    EXPECT_EQ(aPosti[3].iInterventi, 0);
    // No board titles stored for it: blank rows.
    EXPECT_EQ(cTitoloTabellone[0], QString(24, u' '));

    // An item of the rules carries its article.
    Seleziona(QStringLiteral("  8 (12.3)"));
    EXPECT_EQ(cArgomento[0], QStringLiteral("3"));
    EXPECT_EQ(cTipoArg, QStringLiteral("A"));
    Seleziona(QStringLiteral("  7 (?.)"));
    EXPECT_EQ(cArgomento[0], QString());
    EXPECT_EQ(iDelibera, 7);
    EXPECT_EQ(Lettere(), QStringLiteral("AGHGHGHG"));
}

TEST_F(Agenda, TypeChangeOpensAGenericItemOfThatType)
{
    Seleziona(QStringLiteral("  1"));
    ASSERT_EQ(Lettere(), QStringLiteral("AG"));

    f->cmbArgo(1)->SetListIndex(VoceTipo(QStringLiteral("M")));
    EXPECT_EQ(Lettere(), QStringLiteral("AGHG"));
    EXPECT_EQ(Eventi()[2].delibera, 1);
    EXPECT_EQ(Eventi()[3].delibera, 0);
    EXPECT_EQ(Eventi()[3].tipoArg, QStringLiteral("M"));
    EXPECT_EQ(cTipoArg, QStringLiteral("M"));
    EXPECT_EQ(iDelibera, 0);
    EXPECT_EQ(f->cmbArgo(0)->ListIndex(), -1);
    const QString nome = f->cmbArgo(1)->Text();
    EXPECT_FALSE(nome.isEmpty());
    EXPECT_EQ(cArgomento[4], nome);
    EXPECT_EQ(cArgomento[5], QString());
    EXPECT_EQ(cTitoloTabellone[0], QString(24, u' '));
    EXPECT_EQ(cTitoloTabellone[1], PadTaglia(nome, 24));
    EXPECT_EQ(cTitoloTabellone[2], QString(24, u' '));
    EXPECT_TRUE(f->getTesto(0)->isHidden());
    EXPECT_TRUE(f->getTesto(0)->toPlainText().isEmpty());
    EXPECT_TRUE(iFlagQuorum & 4);
    EXPECT_TRUE(f->cmdVoto(0)->isEnabled());
    EXPECT_TRUE(f->cmdArgo(0)->isEnabled());
    EXPECT_TRUE(f->cmdArgo(1)->isEnabled());
    EXPECT_TRUE(f->cmbArgo(2)->isEnabled());

    // The same type again: nothing.
    f->cmbArgo(1)->SetListIndex(VoceTipo(QStringLiteral("M")));
    EXPECT_EQ(Lettere(), QStringLiteral("AGHG"));

    // A type not put to the vote.
    f->cmbArgo(1)->SetListIndex(VoceTipo(QStringLiteral("I")));
    EXPECT_EQ(Lettere(), QStringLiteral("AGHGHG"));
    EXPECT_FALSE(f->cmdVoto(0)->isEnabled());
    EXPECT_FALSE(f->cmdArgo(0)->isEnabled());
    EXPECT_FALSE(f->cmdArgo(1)->isEnabled());
    EXPECT_FALSE(f->cmbArgo(2)->isEnabled());

    // No type set since the activation: nothing.
    cTipoArg = QStringLiteral("*");
    f->cmbArgo(1)->SetListIndex(VoceTipo(QStringLiteral("D")));
    EXPECT_EQ(Lettere(), QStringLiteral("AGHGHG"));
}

TEST_F(Agenda, SubItemsAreNumberedPerItem)
{
    Seleziona(QStringLiteral("  1"));
    f->cmdArgo(1)->click();
    EXPECT_EQ(f->cmdArgo(1)->text(), QStringLiteral("Ok"));
    EXPECT_FALSE(f->getDescEme()->isHidden());
    EXPECT_FALSE(f->cmbArgo(3)->isHidden());
    EXPECT_TRUE(f->getTesto(0)->isHidden());
    EXPECT_TRUE(f->cmdArgo(0)->isHidden());
    EXPECT_EQ(f->cmbArgo(3)->ListIndex(), 0);
    f->cmbArgo(3)->SetListIndex(2);
    f->getDescEme()->setText(QStringLiteral("  al comma 2 dell'art. 5 "));
    f->cmdArgo(1)->click();
    EXPECT_EQ(f->cmdArgo(1)->text(), QStringLiteral("Emend."));
    EXPECT_TRUE(f->getDescEme()->isHidden());
    EXPECT_TRUE(f->cmbArgo(3)->isHidden());
    EXPECT_FALSE(f->getTesto(0)->isHidden());
    EXPECT_FALSE(f->cmdArgo(0)->isHidden());
    ASSERT_EQ(f->cmbArgo(2)->ListCount(), 1);
    EXPECT_EQ(f->cmbArgo(2)->List(0), QStringLiteral("OdG/1  al comma 2 dell'art. 5"));
    EXPECT_EQ(f->cmbArgo(2)->ListIndex(), -1);

    // An empty description only closes the editor.
    AggiungeSottoArgomento(1, QStringLiteral("   "));
    EXPECT_EQ(f->cmbArgo(2)->ListCount(), 1);
    EXPECT_EQ(f->SottoArgomentiCreati(), 1);

    const char* etichette[5] = {"Em.", "Ris", "OdG", "Oss", "Moz"};
    for (int n = 2; n <= 10; ++n) AggiungeSottoArgomento(n % 5, QStringLiteral("testo"));
    ASSERT_EQ(f->cmbArgo(2)->ListCount(), 10);
    EXPECT_EQ(f->cmbArgo(2)->List(8), QString::fromLatin1(etichette[4]) + QStringLiteral("/9  testo"));
    EXPECT_EQ(f->cmbArgo(2)->List(9), QString::fromLatin1(etichette[0]) + QStringLiteral("/10 testo"));
    // No event is logged for a new sub-item.
    EXPECT_EQ(Lettere(), QStringLiteral("AG"));
}

TEST_F(Agenda, ProposingAndWithdrawingSubItems)
{
    // A display type with an LED board, so that its commands are kept (the
    // board is not wired: nothing is sent).
    oTabellone->iModelloDisplay = 1;
    Seleziona(QStringLiteral("  1"));
    AggiungeSottoArgomento(0, QStringLiteral("Primo"));
    AggiungeSottoArgomento(1, QStringLiteral("Secondo"));
    ASSERT_EQ(f->cmbArgo(2)->ListCount(), 2);

    f->cmbArgo(2)->SetListIndex(0);
    EXPECT_EQ(cArgomentoPendente, QStringLiteral("Em./1  Primo"));
    EXPECT_EQ(Lettere(), QStringLiteral("AGY"));
    EXPECT_EQ(Eventi().back().descrizione, PadTaglia(QStringLiteral("Proposta Em./1"), 20));
    EXPECT_EQ(TrimSpazi(Eventi().back().extra), QStringLiteral("Primo"));
    EXPECT_EQ(oTabellone->UltimoComando(), QStringLiteral("M"));
    EXPECT_EQ(f->cmbArgo(2)->ListCount(), 2);

    // Ctrl+click: withdrawal after confirmation.
    servizi->keys.ctrl = true;
    (*ui)->AttendiMsg(QStringLiteral("Ris/2  Secondo  Ritirato ?"), vbCancel);
    f->cmbArgo(2)->SetListIndex(1);
    EXPECT_EQ(Lettere(), QStringLiteral("AGY"));
    EXPECT_EQ(f->cmbArgo(2)->ListCount(), 2);

    (*ui)->AttendiMsg(QStringLiteral("Ris/2  Secondo  Ritirato ?"), vbOK);
    f->cmbArgo(2)->SetListIndex(1);
    EXPECT_EQ(Lettere(), QStringLiteral("AGYX"));
    EXPECT_EQ(Eventi().back().descrizione, PadTaglia(QStringLiteral("Ritiro Ris/2"), 20));
    ASSERT_EQ(f->cmbArgo(2)->ListCount(), 1);
    EXPECT_EQ(f->cmbArgo(2)->List(0), QStringLiteral("Em./1  Primo"));
    EXPECT_EQ(f->cmbArgo(2)->ListIndex(), -1);
    EXPECT_TRUE(cArgomentoPendente.isEmpty());
    EXPECT_EQ(oTabellone->UltimoComando(), QStringLiteral("m"));
    servizi->keys.ctrl = false;

    // The one under vote leaves the list once handled; a text no longer
    // listed removes nothing.
    cArgomentoPendente = QStringLiteral("Oss/7  altro");
    f->RimuoveArgomento(false);
    EXPECT_EQ(f->cmbArgo(2)->ListCount(), 1);
    cArgomentoPendente = QStringLiteral("Em./1  Primo ");
    f->RimuoveArgomento(false);
    EXPECT_EQ(f->cmbArgo(2)->ListCount(), 0);
    EXPECT_TRUE(cArgomentoPendente.isEmpty());
    // The count goes on after removals.
    AggiungeSottoArgomento(0, QStringLiteral("Terzo"));
    EXPECT_EQ(f->cmbArgo(2)->List(0), QStringLiteral("Em./3  Terzo"));
}

TEST_F(Agenda, PendingSubItemsKeepTheOpenItemAlsoWhenTwoShareItsNumber)
{
    struct Caso {
        const char* aperta;
        const char* altra;
    };
    // The entry of group "a" comes first in the list: the reselection of the
    // open item must never take it for the item without a group, nor the
    // other way round.
    for (const Caso& c : {Caso{"  3", "  3/a"}, Caso{"  3/a", "  3"}, Caso{"  3", "  1"}}) {
        SCOPED_TRACE(c.aperta);
        const QString aperta = QString::fromLatin1(c.aperta);
        f->cmbArgo(2)->Clear();
        Seleziona(aperta);
        ASSERT_EQ(f->cmbArgo(0)->Text(), aperta);
        AggiungeSottoArgomento(0, QStringLiteral("Emendamento"));
        const QString prima = Lettere();
        const int delibera = iDelibera, codice = iCodiceAtto;

        (*ui)->AttendiMsg(QStringLiteral("Emendamenti in sospeso"));
        Seleziona(QString::fromLatin1(c.altra));
        EXPECT_EQ(f->cmbArgo(0)->Text(), aperta);
        EXPECT_EQ(iDelibera, delibera);
        EXPECT_EQ(iCodiceAtto, codice);
        EXPECT_EQ(Lettere(), prima);
        EXPECT_TRUE((*ui)->Restanti().empty());

        // The type is kept as well.
        (*ui)->AttendiMsg(QStringLiteral("Emendamenti in sospeso"));
        f->cmbArgo(1)->SetListIndex(VoceTipo(QStringLiteral("M")));
        EXPECT_EQ(f->cmbArgo(1)->ListIndex(), VoceTipo(QStringLiteral("D")));
        EXPECT_EQ(cTipoArg, QStringLiteral("D"));
        EXPECT_EQ(Lettere(), prima);
    }
}

TEST_F(Agenda, PendingSubItemsOfAGenericItemLeaveNoEntrySelected)
{
    f->cmbArgo(1)->SetListIndex(VoceTipo(QStringLiteral("M")));
    AggiungeSottoArgomento(0, QStringLiteral("Emendamento"));
    const QString prima = Lettere();
    (*ui)->AttendiMsg(QStringLiteral("Emendamenti in sospeso"));
    Seleziona(QStringLiteral("  1"));
    EXPECT_EQ(f->cmbArgo(0)->ListIndex(), -1);
    EXPECT_EQ(iDelibera, 0);
    EXPECT_EQ(Lettere(), prima);
}

TEST_F(Agenda, NoteOfTheCurrentItem)
{
    Seleziona(QStringLiteral("  5"));
    QPlainTextEdit* t = f->getTesto(0);
    const QString titolo = t->toPlainText();

    f->cmdArgo(0)->click();
    EXPECT_EQ(f->cmdArgo(0)->text(), QStringLiteral("Ok"));
    EXPECT_FALSE(t->isReadOnly());
    EXPECT_TRUE(t->toPlainText().isEmpty());
    EXPECT_TRUE(f->cmdArgo(1)->isHidden());
    t->setPlainText(QStringLiteral("  Relatore: assessore al bilancio  "));
    f->cmdArgo(0)->click();
    EXPECT_EQ(cNotaArgomento, QStringLiteral("Relatore: assessore al bilancio"));
    EXPECT_EQ(f->cmdArgo(0)->text(), QStringLiteral("Nota"));
    EXPECT_TRUE(t->isReadOnly());
    EXPECT_EQ(t->toPlainText(), titolo);
    EXPECT_FALSE(f->cmdArgo(1)->isHidden());

    // The note comes back for editing, and takes no more than 120 characters.
    f->cmdArgo(0)->click();
    EXPECT_EQ(t->toPlainText(), cNotaArgomento);
    QTextCursor c = t->textCursor();
    c.movePosition(QTextCursor::End);
    t->setTextCursor(c);
    t->insertPlainText(QString(130, u'x'));
    EXPECT_EQ(t->toPlainText().size(), 120);
    f->cmdArgo(0)->click();
    EXPECT_EQ(cNotaArgomento.size(), 120);
    EXPECT_EQ(t->toPlainText(), titolo);
    // Beyond the note the title box has no limit.
    t->setPlainText(QString(200, u'y'));
    EXPECT_EQ(t->toPlainText().size(), 200);
    t->setPlainText(titolo);

    // An emptied note.
    f->cmdArgo(0)->click();
    t->clear();
    f->cmdArgo(0)->click();
    EXPECT_TRUE(cNotaArgomento.isEmpty());
    EXPECT_EQ(t->toPlainText(), titolo);
    // Notes log nothing.
    EXPECT_EQ(Lettere(), QStringLiteral("AG"));
}

TEST_F(Agenda, EditorsLeftOpenWhileTheItemChangesStoreNothingIntoTheNextItem)
{
    Seleziona(QStringLiteral("  1"));
    QPlainTextEdit* t = f->getTesto(0);

    // The note editor, left open across a change of item.
    f->cmdArgo(0)->click();
    t->setPlainText(QStringLiteral("Nota scritta per il bilancio"));
    Seleziona(QStringLiteral("  5"));
    EXPECT_EQ(f->cmdArgo(0)->text(), QStringLiteral("Nota"));
    EXPECT_TRUE(t->isReadOnly());
    EXPECT_EQ(t->toPlainText(), QStringLiteral("Bilancio di previsione 2026-2028"));
    EXPECT_TRUE(cNotaArgomento.isEmpty());
    EXPECT_FALSE(f->cmdArgo(1)->isHidden());
    // The next "Nota" edits the note of the new item, which is empty.
    f->cmdArgo(0)->click();
    EXPECT_TRUE(t->toPlainText().isEmpty());
    t->setPlainText(QStringLiteral("Nota del 5"));
    f->cmdArgo(0)->click();
    EXPECT_EQ(cNotaArgomento, QStringLiteral("Nota del 5"));

    // Across a change of type: the generic item starts without a note.
    f->cmdArgo(0)->click();
    t->setPlainText(QStringLiteral("ancora per il 5"));
    f->cmbArgo(1)->SetListIndex(VoceTipo(QStringLiteral("M")));
    EXPECT_EQ(f->cmdArgo(0)->text(), QStringLiteral("Nota"));
    EXPECT_TRUE(cNotaArgomento.isEmpty());
    EXPECT_TRUE(t->toPlainText().isEmpty());

    // The sub-item editor, left open across a change of item.
    Seleziona(QStringLiteral("  1"));
    f->cmdArgo(1)->click();
    f->getDescEme()->setText(QStringLiteral("per l'item 1"));
    Seleziona(QStringLiteral("  5"));
    EXPECT_EQ(f->cmdArgo(1)->text(), QStringLiteral("Emend."));
    EXPECT_TRUE(f->getDescEme()->isHidden());
    EXPECT_FALSE(t->isHidden());
    EXPECT_FALSE(f->cmdArgo(0)->isHidden());
    EXPECT_EQ(f->cmbArgo(2)->ListCount(), 0);
    EXPECT_EQ(iDelibera, 5);
}

TEST_F(Agenda, AnUnknownTypeLetterIsReportedAndTheTypeStaysSelectable)
{
    struct Caso {
        const char* voce;
        const char* mostrato;
        const char* tipo;
        int delibera;
        // The event letters the opening adds (the item the case before
        // left open is closed first), then those of the change of type.
        const char* apertura;
        const char* cambio;
    };
    for (const Caso& c : {Caso{"  9", "Z", "Z", 9, "G", "GHG"}, Caso{" 10", "(nessuno)", "?", 10, "HG", "HGHG"}}) {
        SCOPED_TRACE(c.voce);
        const QString prima = Lettere();
        (*ui)->AttendiMsg(QStringLiteral("Tipo Argomento non previsto: ") + QString::fromLatin1(c.mostrato));
        Seleziona(QString::fromLatin1(c.voce));
        EXPECT_TRUE((*ui)->Restanti().empty());
        // The item is open, once, and no type was put in its place.
        EXPECT_EQ(Lettere(), prima + QString::fromLatin1(c.apertura));
        EXPECT_EQ(iDelibera, c.delibera);
        EXPECT_EQ(cTipoArg, QString::fromLatin1(c.tipo));
        EXPECT_EQ(f->cmbArgo(1)->ListIndex(), -1);
        EXPECT_TRUE(f->cmbArgo(1)->isEnabled());
        EXPECT_TRUE(iFlagQuorum & 4);

        // Any type the operator picks now is a change of type.
        f->cmbArgo(1)->SetListIndex(0);
        EXPECT_EQ(cTipoArg, cLettereAtti.left(1));
        EXPECT_EQ(Lettere(), prima + QString::fromLatin1(c.cambio));
        EXPECT_EQ(iDelibera, 0);
    }
}

}  // namespace
}  // namespace obx::test
