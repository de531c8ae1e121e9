// Acts of the laws tree as agenda items: opening and closing with their
// events and board titles, status changes with their confirmations, rows,
// tree nodes and the amendment notice, the status recorded after a vote,
// and an act type the vocabulary does not know.
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>

#include "BancoAgenda.h"
#include "platform/Albero.h"
#include "platform/Elenchi.h"
#include "platform/Testo.h"
#include "reports/Stampa.h"
#include "shell/Globali.h"

namespace obx::test {
namespace {

class Atti : public BancoConsole {
protected:
    int Tipo() const override { return 4; }

    void SetUp() override
    {
        BancoConsole::SetUp();
        if (HasFatalFailure()) return;
        ImpostaAtto(3, "cDescEventoLG", QStringLiteral("12/2026 Em.2"));
        ImpostaAtto(3, "cNomeLedLG", QStringLiteral("EMENDAMENTO 2"));
        Prepara();
        f = Apre();
        ASSERT_NE(f, nullptr);
        ApreSeduta(f);
    }
    void TearDown() override
    {
        iConfigOBX = 0;
        BancoConsole::TearDown();
    }
    // Changes to the acts before the console loads them.
    virtual void Prepara() {}

    void ApreAtto(int codice)
    {
        const int k = VoceAtto(f, codice);
        ASSERT_GE(k, 0) << "no entry for act " << codice;
        f->cmbArgo(0)->SetListIndex(k);
    }
    NodoAlbero* Nodo(int codice)
    {
        for (NodoAlbero* n : f->oAlbero().Nodes())
            if (n->Tag().size() > 3 && int(Val(n->Tag().mid(3))) == codice) return n;
        return nullptr;
    }
    QChar StatoRiga(int codice)
    {
        const QString p = ParametriAtto(codice);
        return p.size() > 1 ? p.at(1) : QChar();
    }

    frmCons* f = nullptr;
};

TEST_F(Atti, SelectingAnActOpensItWithItsTextsAndStatus)
{
    ApreAtto(3);
    EXPECT_EQ(iDelibera, 3);
    EXPECT_EQ(iCodiceAtto, 3);
    EXPECT_EQ(iRadiceLegge, 1);
    EXPECT_EQ(cTipoArg, QStringLiteral("E"));
    EXPECT_EQ(f->cmbArgo(1)->ListIndex(), VoceTipo(QStringLiteral("E")));
    EXPECT_EQ(f->cmbArgo(3)->ListIndex(), 0);
    EXPECT_EQ(cArgomento[2], QStringLiteral("N"));
    const QString voce = f->cmbArgo(0)->Text();
    EXPECT_EQ(cArgomento[6], voce.left(voce.lastIndexOf(u'[')));
    EXPECT_EQ(TrimSpazi(cArgomento[4]), QStringLiteral("12/2026 Em.2"));
    EXPECT_EQ(cArgomento[5], QStringLiteral("Atto 3"));
    EXPECT_EQ(cTitoloTabellone[0], PadTaglia(QStringLiteral("EMENDAMENTO 2"), 24));
    EXPECT_EQ(cTitoloTabellone[1], QString(24, u' '));
    EXPECT_EQ(cTitoloTabellone[2], QString(24, u' '));
    EXPECT_EQ(f->getTesto(0)->toPlainText(), QStringLiteral("Atto 3"));
    EXPECT_EQ(f->cmbTipoVoto()->ListIndex(), 0);
    EXPECT_EQ(f->cmbTipoQuorum()->ListIndex(), 0);
    EXPECT_TRUE(iFlagQuorum & 4);
    EXPECT_TRUE(f->cmdVoto(0)->isEnabled());
    EXPECT_EQ(Lettere(), QStringLiteral("AG"));
    EXPECT_EQ(Eventi().back().delibera, 3);

    ApreAtto(3);
    EXPECT_EQ(Lettere(), QStringLiteral("AG"));

    ApreAtto(1);
    EXPECT_EQ(Lettere(), QStringLiteral("AGHG"));
    EXPECT_EQ(Eventi()[2].delibera, 3);
    EXPECT_EQ(Eventi()[3].delibera, 1);
    EXPECT_EQ(cTipoArg, QStringLiteral("B"));

    // An entry without a code closes the act and opens none.
    f->cmbArgo(0)->AddItem(QStringLiteral("senza codice"));
    f->cmbArgo(0)->SetListIndex(f->cmbArgo(0)->ListCount() - 1);
    EXPECT_EQ(Lettere(), QStringLiteral("AGHGH"));
    EXPECT_EQ(iDelibera, 0);
    EXPECT_FALSE(iFlagQuorum & 4);
    EXPECT_TRUE(cArgomento[2].isEmpty());
}

TEST_F(Atti, StatusChangesAskWhereTheyMustAndReachRowAndNode)
{
    ApreAtto(3);
    ASSERT_NE(Nodo(3), nullptr);
    EXPECT_TRUE(Nodo(3)->Text().endsWith(QStringLiteral("(Non Votato)")));

    // "Sospeso" is not asked.
    f->cmbArgo(3)->SetListIndex(2);
    EXPECT_EQ(Lettere(), QStringLiteral("AGX"));
    EXPECT_EQ(Eventi().back().descrizione, PadTaglia(QStringLiteral("Argomento Sospeso"), 20));
    EXPECT_EQ(StatoRiga(3), u'S');
    EXPECT_TRUE(Nodo(3)->Text().endsWith(QStringLiteral("(Sospeso)")));
    EXPECT_EQ(Nodo(3)->Tag().at(2), u'S');
    EXPECT_EQ(cArgomento[2], QStringLiteral("S"));
    EXPECT_EQ(cArgomento[3], QStringLiteral("Sospeso"));

    // "Ritirato" is asked; declined, the act keeps its status.
    (*ui)->AttendiMsg(QStringLiteral("Argomento Ritirato ?"), vbCancel);
    f->cmbArgo(3)->SetListIndex(3);
    EXPECT_EQ(f->cmbArgo(3)->ListIndex(), 2);
    EXPECT_EQ(Lettere(), QStringLiteral("AGX"));
    EXPECT_EQ(StatoRiga(3), u'S');

    // Confirmed, for an amendment with the option set: the notice is printed.
    QTemporaryDir dir;
    Stampante().setOutputFormat(QPrinter::PdfFormat);
    Stampante().setOutputFileName(dir.path() + QStringLiteral("/avviso.pdf"));
    std::vector<std::tuple<int, int, QString>> righe;
    ImpostaOsservatoreStampa([&](int, int r, int c, const QString& t) { righe.emplace_back(r, c, t); });
    iConfigOBX = kOpzStampaEmendamento;
    (*ui)->AttendiMsg(QStringLiteral("Argomento Ritirato ?"), vbOK);
    f->cmbArgo(3)->SetListIndex(3);
    ImpostaOsservatoreStampa(nullptr);
    EXPECT_EQ(Lettere(), QStringLiteral("AGXX"));
    EXPECT_EQ(StatoRiga(3), u'R');
    EXPECT_TRUE(Nodo(3)->Text().endsWith(QStringLiteral("(Ritirato)")));
    ASSERT_EQ(righe.size(), 3u);
    EXPECT_EQ(righe[0], std::make_tuple(2, 10, cConsiglio));
    EXPECT_EQ(righe[1], std::make_tuple(4, 10, QString::fromUtf8("giovedì, 15 gennaio 2026 alle ore 09:00:00")));
    EXPECT_EQ(righe[2],
              std::make_tuple(7, 10, QStringLiteral("Emendamento ") + cArgomento[6] + QStringLiteral("  RITIRATO")));

    // Without the option nothing is printed.
    iConfigOBX = 0;
    righe.clear();
    ImpostaOsservatoreStampa([&](int, int r, int c, const QString& t) { righe.emplace_back(r, c, t); });
    (*ui)->AttendiMsg(QStringLiteral("Argomento Decaduto ?"), vbOK);
    f->cmbArgo(3)->SetListIndex(4);
    ImpostaOsservatoreStampa(nullptr);
    EXPECT_TRUE(righe.empty());
    EXPECT_EQ(StatoRiga(3), u'D');

    // Reopened, the act shows the status it was left with.
    ApreAtto(1);
    ApreAtto(3);
    EXPECT_EQ(f->cmbArgo(3)->ListIndex(), 4);
    EXPECT_EQ(cArgomento[2], QStringLiteral("D"));
}

TEST_F(Atti, VotedStatusIsRecordedThroughTheStatusCombo)
{
    ApreAtto(1);
    f->AggiornaStatoPdL(3, QStringLiteral("votato"));
    EXPECT_EQ(f->cmbArgo(3)->ListIndex(), 1);
    EXPECT_EQ(Lettere(), QStringLiteral("AGX"));
    EXPECT_EQ(Eventi().back().descrizione, PadTaglia(QStringLiteral("Argomento Votato"), 20));
    EXPECT_EQ(StatoRiga(1), u'V');
    ASSERT_NE(Nodo(1), nullptr);
    EXPECT_TRUE(Nodo(1)->Text().endsWith(QStringLiteral("(Votato)")));
    EXPECT_EQ(Nodo(1)->Tag().at(2), u'V');

    // A second vote on an act already voted records nothing new.
    f->AggiornaStatoPdL(3, QStringLiteral("Votato"));
    EXPECT_EQ(Lettere(), QStringLiteral("AGX"));
}

TEST_F(Atti, NoStatusIsRecordedForAnActNoLongerOpen)
{
    ApreAtto(3);
    const QString testo = Nodo(3)->Text();
    // The agenda selection cleared, as the reset of the service button does.
    f->cmbArgo(0)->SetListIndex(-1);
    ASSERT_EQ(iDelibera, 0);
    f->cmbArgo(3)->SetListIndex(1);
    f->AggiornaStatoPdL(2, QStringLiteral("Votato"));
    EXPECT_EQ(Lettere(), QStringLiteral("AG"));
    EXPECT_EQ(StatoRiga(3), u'N');
    EXPECT_EQ(Nodo(3)->Text(), testo);
    EXPECT_EQ(Nodo(3)->Tag().at(2), u'N');
}

// The act opened after a voted one has no status of its own in its row.
class AttiSenzaStato : public Atti {
protected:
    void Prepara() override { ImpostaAtto(2, "cParametriLG", QStringLiteral("J BJ????")); }
};

TEST_F(AttiSenzaStato, TheStatusComparedIsTheOpenActsOwn)
{
    ApreAtto(1);
    f->AggiornaStatoPdL(3, QStringLiteral("Votato"));
    ASSERT_EQ(cArgomento[2], QStringLiteral("V"));

    ApreAtto(2);
    EXPECT_EQ(f->cmbArgo(3)->ListIndex(), -1);
    EXPECT_TRUE(cArgomento[2].isEmpty());
    // The closing of its vote, then its status.
    const QString prima = Lettere();
    f->SalvaEvento(QStringLiteral("T"), QString());
    f->SalvaEvento(QStringLiteral("H"), QString());
    f->AggiornaStatoPdL(3, QStringLiteral("Votato"));
    EXPECT_EQ(Lettere(), prima + QStringLiteral("THX"));
    EXPECT_EQ(Eventi().back().descrizione, PadTaglia(QStringLiteral("Argomento Votato"), 20));
    EXPECT_EQ(Eventi().back().delibera, 2);
    EXPECT_EQ(StatoRiga(2), u'V');
    ASSERT_NE(Nodo(2), nullptr);
    EXPECT_EQ(Nodo(2)->Tag().at(2), u'V');
    EXPECT_EQ(cArgomento[2], QStringLiteral("V"));
}

TEST_F(AttiSenzaStato, DecliningForAnActWithoutStatusGivesNonVotato)
{
    ApreAtto(2);
    (*ui)->AttendiMsg(QStringLiteral("Argomento Assorbito ?"), vbCancel);
    f->cmbArgo(3)->SetListIndex(5);
    EXPECT_EQ(f->cmbArgo(3)->ListIndex(), 0);
    EXPECT_EQ(cArgomento[2], QStringLiteral("N"));
    EXPECT_EQ(StatoRiga(2), u'N');
    EXPECT_EQ(Eventi().back().descrizione, PadTaglia(QStringLiteral("Argomento Non Votato"), 20));
}

class AttiTipoIgnoto : public Atti {
protected:
    void Prepara() override { ImpostaAtto(2, "cParametriLG", QStringLiteral("8NBJ????")); }
};

TEST_F(AttiTipoIgnoto, AnUnknownTypeLetterIsReported)
{
    ApreAtto(1);
    ASSERT_EQ(f->cmbArgo(1)->ListIndex(), VoceTipo(QStringLiteral("B")));
    (*ui)->AttendiMsg(QStringLiteral("Tipo Argomento non previsto: 8"));
    ApreAtto(2);
    EXPECT_TRUE((*ui)->Restanti().empty());
    EXPECT_EQ(iDelibera, 2);
    EXPECT_EQ(cTipoArg, QStringLiteral("8"));
    EXPECT_EQ(f->cmbArgo(1)->ListIndex(), -1);
    EXPECT_EQ(cArgomento[2], QStringLiteral("N"));
    EXPECT_EQ(Lettere(), QStringLiteral("AGHG"));
    // The next act sets its type again.
    ApreAtto(3);
    EXPECT_EQ(f->cmbArgo(1)->ListIndex(), VoceTipo(QStringLiteral("E")));
}

}  // namespace
}  // namespace obx::test
