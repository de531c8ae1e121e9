// The register of agenda items driven as the operator does, with the rows
// read back from the archive.
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QTimer>

#include "Registri.h"
#include "registers/frmDelib.h"

using namespace obx;
using namespace obx::test;

namespace {

class Delibere : public RegistroProva {
protected:
    void ChiudeFinestre() override
    {
        Chiude(w);
        w = nullptr;
    }
    frmDelib* Apre()
    {
        w = frmDelib::Mostra();
        return w;
    }
    QWidget* Campo(int i) { return w->findChild<QWidget*>(QStringLiteral("getDelibera(%1)").arg(i)); }
    QPushButton* Comando(int i) { return w->findChild<QPushButton*>(QStringLiteral("cmdDelibere(%1)").arg(i)); }
    QComboBox* Tipo() { return w->findChild<QComboBox*>(QStringLiteral("cmbTipoArg")); }
    // The operator picks the type of the given letter from the list.
    void ScegliTipo(QChar lettera)
    {
        const int k = int(cLettereAtti.indexOf(lettera));
        ASSERT_GE(k, 0);
        Tipo()->setCurrentIndex(k);
        emit Tipo()->activated(k);
    }

    // A complete item: every required field filled.
    void Compila(const QString& numero, const QString& posizione, QChar tipo = u'D')
    {
        Digita(Campo(0), numero);
        Digita(Campo(1), QStringLiteral("PROT-") + numero);
        Digita(Campo(2), QStringLiteral("Approvazione del bilancio ") + numero);
        Digita(Campo(3), QStringLiteral("Bilancio ") + numero);
        Digita(Campo(4), QString());
        Digita(Campo(5), QStringLiteral("BILANCIO"));
        Digita(Campo(6), QStringLiteral("DI PREVISIONE"));
        Digita(Campo(7), QString());
        Digita(Campo(8), QString());
        Digita(Campo(9), posizione);
        ScegliTipo(tipo);
        Digita(Campo(10), QString());
        Digita(Campo(11), QString());
    }

    QPointer<frmDelib> w;
};

TEST_F(Delibere, AggiungeModificaEliminaUnArgomento)
{
    Apre();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Argomenti O.d.G."));
    Comando(4)->click();
    EXPECT_EQ(w->Testo(0), QStringLiteral("1"));
    EXPECT_EQ(w->focusWidget(), Campo(0));

    Digita(Campo(1), QStringLiteral("2026/15"));
    Digita(Campo(2), QStringLiteral("Approvazione del bilancio di previsione 2026"));
    Digita(Campo(3), QStringLiteral("Bilancio 2026"));
    Entra(Campo(5));  // the LED title starts from the short title
    EXPECT_EQ(w->Testo(5), QStringLiteral("Bilancio 2026"));
    Digita(Campo(6), QStringLiteral("di previsione"));
    Digita(Campo(4), QStringLiteral("31"));
    Entra(Campo(8));  // the second majority starts from the first
    EXPECT_EQ(w->Testo(8), QStringLiteral("31"));
    Digita(Campo(8), QStringLiteral("41"));
    Entra(Campo(9));  // the agenda position starts from the item number
    EXPECT_EQ(w->Testo(9), QStringLiteral("1"));
    Digita(Campo(9), QStringLiteral("3"));
    ScegliTipo(u'D');
    Digita(Campo(12), QStringLiteral("b"));
    Comando(0)->click();
    EXPECT_EQ(Comando(0)->text(), QStringLiteral("Salvato"));

    QVariantMap r = Riga(cTabelle[2], 1);
    ASSERT_FALSE(r.isEmpty());
    EXPECT_EQ(r["cProtocolloDE"].toString(), QStringLiteral("2026/15").leftJustified(20));
    EXPECT_EQ(r["cTitoloDE"].toString(), QStringLiteral("Approvazione del bilancio di previsione 2026"));
    EXPECT_EQ(r["cTitolinoDE"].toString(), QStringLiteral("Bilancio 2026").leftJustified(16));
    EXPECT_EQ(r["cTitolino1DE"].toString(), QStringLiteral("Bilancio 2026").leftJustified(24));
    EXPECT_EQ(r["cTitolino2DE"].toString(), QStringLiteral("di previsione").leftJustified(24));
    EXPECT_EQ(r["cTitolino3DE"].toString(), QString(24, u' '));
    EXPECT_EQ(r["iQuorumDE"].toInt(), 41 * 128 + 31);
    EXPECT_EQ(r["iPosOdGDE"].toInt(), 3);
    EXPECT_EQ(r["cTipoArgDE"].toString(), QStringLiteral("D"));
    EXPECT_EQ(r["iNumOdGRegolamDE"].toInt(), 0);
    EXPECT_EQ(r["cArticoloDE"].toString(), QString(6, u' '));
    EXPECT_EQ(r["cGruppoDE"].toString(), QStringLiteral("b"));

    // Shown again, the majorities are split back.
    Chiude(w);
    Apre();
    EXPECT_EQ(w->Testo(0), QStringLiteral("1"));
    EXPECT_EQ(w->Testo(4), QStringLiteral("31"));
    EXPECT_EQ(w->Testo(8), QStringLiteral("41"));
    EXPECT_EQ(w->Testo(3), QStringLiteral("Bilancio 2026"));
    EXPECT_EQ(Tipo()->currentIndex(), int(cLettereAtti.indexOf(u'D')));

    // An edit: the type changed marks the entry unsaved.
    Comando(0)->click();
    ASSERT_EQ(Comando(0)->text(), QStringLiteral("Salvato"));
    ScegliTipo(u'M');
    EXPECT_EQ(Comando(0)->text(), QStringLiteral("Salva"));
    Digita(Campo(3), QStringLiteral("Mozione"));
    Comando(0)->click();
    r = Riga(cTabelle[2], 1);
    EXPECT_EQ(r["cTipoArgDE"].toString(), QStringLiteral("M"));
    EXPECT_EQ(r["cTitolinoDE"].toString().trimmed(), QStringLiteral("Mozione"));
    EXPECT_EQ(ArchivioProva::Righe(cTabelle[2]), 1);

    // Deleting names the agenda position, with Cancel the default.
    (*ui)->AttendiMsg(QStringLiteral("Confermi cancellazione Numero OdG 3"), vbCancel);
    Comando(1)->click();
    EXPECT_EQ(UltimoDialogo().stile, vbOKCancel + vbQuestion + vbDefaultButton2);
    EXPECT_EQ(ArchivioProva::Righe(cTabelle[2]), 1);
    (*ui)->AttendiMsg(QStringLiteral("Confermi cancellazione Numero OdG 3"), vbOK);
    Comando(1)->click();
    EXPECT_EQ(ArchivioProva::Righe(cTabelle[2]), 0);
}

TEST_F(Delibere, DeletingAnItemWithoutPositionNamesItsNumber)
{
    archivio->Argomenti();  // item 3 has no agenda position
    Apre();
    Digita(Campo(0), QStringLiteral("3"));
    Esce(Campo(0));
    ASSERT_EQ(w->Testo(3), QStringLiteral("Rinviato"));
    // Without a stored position the item number stands for it.
    EXPECT_EQ(w->Testo(9), QStringLiteral("3"));
    (*ui)->AttendiMsg(QStringLiteral("Confermi cancellazione Codice n.3"), vbOK);
    Comando(1)->click();
    EXPECT_TRUE(Riga(cTabelle[2], 3).isEmpty());
    EXPECT_EQ(w->Testo(0), QStringLiteral("4"));  // the next item is shown
}

TEST_F(Delibere, ChecksRefuseWithTheirMessage)
{
    Apre();
    struct Caso {
        int campo;
        const char* testo;
        const char* messaggio;
    };
    const Caso casi[] = {
        {0, "0", "Codice tra 1 e 32767"},
        {0, "", "Codice tra 1 e 32767"},
        {0, "abc", "Codice tra 1 e 32767"},
        {0, "40000", "Codice tra 1 e 32767"},
        {3, "", "Titolo Breve Obbligatorio"},
        {3, "   ", "Titolo Breve Obbligatorio"},
        {4, "128", "Quorum tra 0 e 127"},
        {5, "", "Titolo Breve Obbligatorio"},
        {8, "200", "Quorum Imm. Esec. tra 0 e 127"},
        {9, "", "Numero OdG Obbligatorio"},
        {9, "40000", "Numero OdG tra 0 e 32767"},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.messaggio);
        Compila(QStringLiteral("5"), QStringLiteral("5"));
        Digita(Campo(c.campo), QString::fromUtf8(c.testo));
        (*ui)->AttendiMsg(QString::fromUtf8(c.messaggio));
        Comando(0)->click();
        EXPECT_EQ(UltimoDialogo().stile, vbCritical);
        EXPECT_EQ(w->focusWidget(), Campo(c.campo));
        EXPECT_EQ(ArchivioProva::Righe(cTabelle[2]), 0);
    }

    // An article without its number in the rules agenda.
    Compila(QStringLiteral("5"), QStringLiteral("5"), u'A');
    Digita(Campo(10), QStringLiteral("12"));
    (*ui)->AttendiMsg(QStringLiteral("Numero OdG Regolamento Obbligatorio"));
    Comando(0)->click();
    EXPECT_EQ(w->focusWidget(), Campo(11));
    Digita(Campo(11), QStringLiteral("99999"));
    (*ui)->AttendiMsg(QStringLiteral("Numero OdG Regolamento tra 0 e 32767"));
    Comando(0)->click();
    EXPECT_EQ(ArchivioProva::Righe(cTabelle[2]), 0);

    // Both empty is accepted; the limits themselves too.
    Digita(Campo(10), QString());
    Digita(Campo(11), QString());
    Digita(Campo(4), QStringLiteral("127"));
    Digita(Campo(8), QStringLiteral("127"));
    Digita(Campo(0), QStringLiteral("32767"));
    Comando(0)->click();
    EXPECT_EQ(Riga(cTabelle[2], 32767)["iQuorumDE"].toInt(), 127 * 128 + 127);
}

TEST_F(Delibere, LedTitleRowsFollowTheDisplayType)
{
    struct Caso {
        int tipo, lunghezza;
        bool visibili[3];
        bool etichetta;
    };
    const Caso casi[] = {
        {1, 24, {false, false, false}, false}, {2, 20, {true, true, true}, true},
        {3, 16, {true, false, false}, true},   {4, 16, {false, false, false}, false},
        {5, 16, {false, false, false}, false}, {6, 24, {true, false, false}, true},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.tipo);
        iTipoTAB = c.tipo;
        Apre();
        for (int k = 0; k < 3; ++k) {
            auto* e = qobject_cast<QLineEdit*>(Campo(5 + k));
            EXPECT_EQ(e->maxLength(), c.lunghezza);
            EXPECT_EQ(!e->isHidden(), c.visibili[k]) << k;
        }
        EXPECT_EQ(!w->findChild<QLabel*>(QStringLiteral("lblDelibera(5)"))->isHidden(), c.etichetta);
        Chiude(w);
    }

    // A hidden title row is never required.
    iTipoTAB = 4;
    Apre();
    Compila(QStringLiteral("8"), QStringLiteral("8"));
    Digita(Campo(5), QString());
    Comando(0)->click();
    EXPECT_EQ(Comando(0)->text(), QStringLiteral("Salvato"));
    EXPECT_FALSE(Riga(cTabelle[2], 8).isEmpty());
}

TEST_F(Delibere, ArticleAndRulesNumberOnlyForTypeA)
{
    Apre();
    Compila(QStringLiteral("1"), QStringLiteral("1"), u'M');
    Digita(Campo(10), QStringLiteral("12"));
    Digita(Campo(11), QStringLiteral("4"));
    Comando(0)->click();
    QVariantMap r = Riga(cTabelle[2], 1);
    EXPECT_EQ(r["iNumOdGRegolamDE"].toInt(), 0);
    EXPECT_EQ(r["cArticoloDE"].toString(), QString(6, u' '));

    Compila(QStringLiteral("2"), QStringLiteral("2"), u'A');
    Digita(Campo(10), QStringLiteral("12bis"));
    Digita(Campo(11), QStringLiteral("4"));
    Comando(0)->click();
    r = Riga(cTabelle[2], 2);
    EXPECT_EQ(r["cTipoArgDE"].toString(), QStringLiteral("A"));
    EXPECT_EQ(r["iNumOdGRegolamDE"].toInt(), 4);
    EXPECT_EQ(r["cArticoloDE"].toString(), QStringLiteral("12bis "));
}

TEST_F(Delibere, PositionZeroTakesTheItemNumber)
{
    Apre();
    Compila(QStringLiteral("6"), QStringLiteral("0"));
    Comando(0)->click();
    EXPECT_EQ(Riga(cTabelle[2], 6)["iPosOdGDE"].toInt(), 6);
    // Leaving the position field at 0 fills it too.
    Digita(Campo(9), QStringLiteral("0"));
    Esce(Campo(9));
    EXPECT_EQ(w->Testo(9), QStringLiteral("6"));
}

TEST_F(Delibere, TypedNumberShowsTheItemOrPreparesANewOne)
{
    archivio->Argomenti();
    Apre();
    EXPECT_EQ(w->Testo(0), QStringLiteral("1"));
    Digita(Campo(0), QStringLiteral("2"));
    Esce(Campo(0));
    EXPECT_EQ(w->Testo(3), QStringLiteral("Trasporti"));
    EXPECT_EQ(w->Testo(12), QStringLiteral("b"));
    EXPECT_EQ(Tipo()->currentIndex(), int(cLettereAtti.indexOf(u'M')));

    Digita(Campo(0), QStringLiteral("20"));
    Esce(Campo(0));
    EXPECT_EQ(w->Testo(0), QStringLiteral("20"));
    for (int i = 1; i <= 11; ++i) EXPECT_TRUE(w->Testo(i).isEmpty()) << i;
    EXPECT_EQ(Tipo()->currentIndex(), 0);

    // Leaving the number unchanged loses nothing typed elsewhere.
    Digita(Campo(3), QStringLiteral("Nuovo"));
    Entra(Campo(0));
    Esce(Campo(0));
    EXPECT_EQ(w->Testo(3), QStringLiteral("Nuovo"));

    // "Nuovo": the number after the last.
    Comando(4)->click();
    EXPECT_EQ(w->Testo(0), QStringLiteral("5"));
}

TEST_F(Delibere, EmptyTableAndEmptying)
{
    Apre();
    for (int i : {1, 2}) {
        (*ui)->AttendiMsg(QStringLiteral("Archivio Vuoto"));
        Comando(i)->click();
    }
    Chiude(w);
    archivio->Argomenti();
    Apre();
    (*ui)->AttendiMsg(QStringLiteral("Confermi Svuotamento Archivio"), vbCancel);
    Comando(2)->click();
    EXPECT_EQ(ArchivioProva::Righe(cTabelle[2]), 4);
    (*ui)->AttendiMsg(QStringLiteral("Confermi Svuotamento Archivio"), vbOK);
    Comando(2)->click();
    EXPECT_EQ(UltimoDialogo().stile, vbOKCancel + vbQuestion + vbDefaultButton2);
    EXPECT_EQ(ArchivioProva::Righe(cTabelle[2]), 0);
    EXPECT_TRUE(w->Testo(0).isEmpty());
    Comando(4)->click();
    EXPECT_EQ(w->Testo(0), QStringLiteral("1"));
}

}  // namespace

namespace {

// The console opens the register modal and goes on when it is closed.
TEST_F(Delibere, ModalFromTheConsoleReturnsWhenClosed)
{
    archivio->Argomenti();
    bool vista = false;
    QTimer::singleShot(0, [&] {
        frmDelib* f = frmDelib::Aperta();
        ASSERT_NE(f, nullptr);
        vista = f->isVisible() && f->isModal() && f->Testo(0) == QStringLiteral("1");
        f->findChild<QPushButton*>(QStringLiteral("cmdDelibere(3)"))->click();
    });
    frmDelib::MostraModale();
    EXPECT_TRUE(vista);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frmDelib::Aperta(), nullptr);
}

}  // namespace
