// The four event reports printed from the window over a log of two
// sittings and read back from their PDF files: the whole list, one
// councillor's movements with his times, those present at a moment with
// their party, a group of events; the choice of the report by the grid's
// selection, and the printing refused while a vote is in hand.
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <algorithm>
#include <map>
#include <set>

#include "BancoEventi.h"
#include "console/Spoglio.h"
#include "platform/GrigliaDati.h"
#include "shell/frmMain.h"

using namespace obx;
using namespace obx::test;

namespace {

class Resoconti : public BancoEventi {
protected:
    void SetUp() override
    {
        BancoEventi::SetUp();
        DueSedute();
    }

    // The column and row where the words of testo start, on the page.
    struct Posto {
        int colonna = -1, riga = -1;
    };
    static Posto Dove(const Pdf& pdf, const QString& testo, int pagina = 1)
    {
        const auto w = pdf.Trova(testo, pagina);
        if (w.empty()) return {};
        const Griglia g = Griglia::DellaStampante();
        return {g.Colonna(w[0]), g.Riga(w[0])};
    }
};

TEST_F(Resoconti, WholeListWithTheVoteCountsAndTheTimeFromFirstToLast)
{
    frmEvent* f = Finestra();
    const Pdf pdf = Stampa(f, QStringLiteral("Stampa Intera Lista Eventi"));
    ASSERT_TRUE(pdf.Valido());
    const auto& foglio = pdf.Fogli().at(0);
    EXPECT_GT(foglio.larghezza, foglio.altezza) << "landscape";

    // Header, shifted ten columns to the right.
    EXPECT_EQ(Dove(pdf, cConsiglio).colonna, 20);
    EXPECT_EQ(Dove(pdf, cConsiglio).riga, 2);
    EXPECT_EQ(Dove(pdf, QStringLiteral("Pag. 1")).colonna, 80);
    const QString data = QStringLiteral("- Seduta Consiliare di ") + DataDiStampa(QDateTime(kPrimaSeduta, {9, 0}));
    EXPECT_EQ(Dove(pdf, data).riga, 4) << pdf.Testo(1).toStdString();
    EXPECT_EQ(Dove(pdf, QStringLiteral("Riepilogo Eventi")).colonna, 30);
    for (const auto& [testo, colonna] : std::vector<std::pair<QString, int>>{{QStringLiteral("Orario"), 15},
                                                                             {QStringLiteral("Evento"), 24},
                                                                             {QStringLiteral("Specifiche"), 47},
                                                                             {QStringLiteral("Pr."), 118}}) {
        EXPECT_EQ(Dove(pdf, testo).colonna, colonna) << testo.toStdString();
        EXPECT_EQ(Dove(pdf, testo).riga, 8) << testo.toStdString();
    }

    // Every event of both sittings, one row each, in logging order.
    const QStringList righe = RigheEvento(pdf);
    ASSERT_EQ(righe.size(), 22) << pdf.Tutto().toStdString();
    EXPECT_TRUE(righe.first().startsWith(QStringLiteral("09:00:00 Apertura Seduta")));
    EXPECT_TRUE(righe.last().startsWith(QStringLiteral("09:10:00 Chiusura Seduta")));
    const Posto primo = Dove(pdf, QStringLiteral("09:00:00 Apertura Seduta"));
    EXPECT_EQ(primo.colonna, 15);
    EXPECT_EQ(primo.riga, 10);
    EXPECT_EQ(Dove(pdf, QStringLiteral("Anna Verdi")).colonna, 47);

    // Details by the kind of event; a roll call counts those who answered.
    for (const char* atteso :
         {"Chiusura Votazione - Fav. 002 - Con. 001 - Ast. 000 3", "Chiusura Votazione - Presenti 003 0",
          "Apertura Argomento Delibera n. 1 Bilancio 3", "Sostit. Consigliere Enzo Marino sost. Paola Ricci 1"}) {
        EXPECT_TRUE(righe.filter(QString::fromLatin1(atteso)).size() == 1) << atteso << "\n"
                                                                           << righe.join(u'\n').toStdString();
    }
    // The number present, right-aligned in three columns ending at 120.
    const int riga = Dove(pdf, QStringLiteral("09:30:00")).riga;
    const Griglia g = Griglia::DellaStampante();
    const auto tre = pdf.Trova(QStringLiteral("3"));
    EXPECT_TRUE(std::any_of(tre.begin(), tre.end(),
                            [&](const ParolaPdf& w) { return g.Riga(w) == riga && g.Colonna(w) == 120; }));

    // From the first event to the last: a week and ten minutes; only what
    // exceeds the whole days shows.
    const Posto tempo = Dove(pdf, QStringLiteral("Tempo Complessivo: 00:10"));
    EXPECT_EQ(tempo.colonna, 15) << pdf.Tutto().toStdString();
    EXPECT_EQ(Dove(pdf, QStringLiteral("00:10")).colonna, 34);
}

TEST_F(Resoconti, MovementsOfOneCouncillorWithPresenceAndSpeakingTime)
{
    frmEvent* f = Finestra();
    // The current cell on a name in "Specifiche": the name is stored
    // padded to its 30 characters.
    f->broEventi->ImpostaCorrente(1, 2);
    const Pdf pdf = Stampa(f, QStringLiteral("Stampa Movimenti di Anna Verdi"));
    ASSERT_TRUE(pdf.Valido());
    EXPECT_EQ(Dove(pdf, QStringLiteral("Movimenti per Consigliere Anna Verdi")).colonna, 30);

    const QStringList righe = RigheEvento(pdf);
    const QStringList attese = {
        QStringLiteral("09:00:00 Entra Anna Verdi 1"),    QStringLiteral("09:10:00 Parla Anna Verdi 3"),
        QStringLiteral("09:14:00 Conclude Anna Verdi 3"), QStringLiteral("10:15:00 Esce Anna Verdi 2"),
        QStringLiteral("11:00:00 Entra Anna Verdi 3"),    QStringLiteral("11:20:00 Parla Anna Verdi 3"),
        QStringLiteral("11:31:00 Conclude Anna Verdi 3")};
    EXPECT_EQ(righe, attese) << pdf.Tutto().toStdString();

    // 09:00-10:15 and 11:00 to the closing at 12:30; 4 and 11 minutes.
    EXPECT_EQ(Dove(pdf, QStringLiteral("Tempo di Intervento: 00:15")).colonna, 15) << pdf.Tutto().toStdString();
    EXPECT_EQ(Dove(pdf, QStringLiteral("Tempo di Presenza: 02:45")).colonna, 17);
    EXPECT_EQ(Dove(pdf, QStringLiteral("02:45")).colonna, 36);
    EXPECT_EQ(Dove(pdf, QStringLiteral("00:15")).colonna, 36);
}

TEST_F(Resoconti, PresentAtAMomentListsEveryMemberWithHisParty)
{
    // Fewer assigned members than present must lose nobody.
    iVotanti = 1;
    struct Caso {
        int riga;  // grid row selected
        std::set<QString> presenti;
        QString ora;
        QDate giorno;
    };
    const Caso casi[] = {
        // After Anna Verdi's return in the first sitting; the exit of
        // Paola Ricci, who never entered, changed nothing.
        {10, {"Anna Verdi", "Giorgio Esposito", "Franca Romano"}, "11:00:00", kPrimaSeduta},
        // In the second sitting, nobody of the first is still there, and
        // Sergio Colombo's second entry is undone by his one exit.
        {19, {"Giorgio Esposito"}, "09:04:00", kSecondaSeduta},
        // At the closing those who had not left are still there.
        {14, {"Anna Verdi", "Giorgio Esposito", "Franca Romano"}, "12:30:00", kPrimaSeduta},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.ora.toStdString());
        frmEvent* f = Finestra();
        f->broEventi->SelezionaRiga(c.riga, false);
        const Pdf pdf = Stampa(f, QStringLiteral("Stampa Elenco Presenti al momento"));
        ASSERT_TRUE(pdf.Valido());
        const auto& foglio = pdf.Fogli().at(0);
        EXPECT_LT(foglio.larghezza, foglio.altezza) << "portrait";
        EXPECT_EQ(Dove(pdf, QStringLiteral("Riepilogo Presenti alle ore ") + c.ora).colonna, 20);
        EXPECT_EQ(Dove(pdf, QStringLiteral("- Seduta Consiliare di ") + DataDiStampa(QDateTime(c.giorno, {}))).colonna,
                  11);
        EXPECT_EQ(Dove(pdf, QStringLiteral("Consiglieri PRESENTI")).colonna, 6);
        EXPECT_EQ(Dove(pdf, QStringLiteral("Consiglieri ASSENTI")).colonna, 37);
        EXPECT_EQ(Dove(pdf, QStringLiteral("Partito")).colonna, 68);

        // Every seat on its row: present at 6, absent at 37, party at 68.
        const std::pair<const char*, const char*> seggi[] = {
            {"Mario Rossi", "Lista Civica"},      {"Laura Bianchi", "Lista Civica"}, {"Anna Verdi", "Lista Civica"},
            {"Giorgio Esposito", "Lista Civica"}, {"Franca Romano", "Insieme"},      {"Sergio Colombo", "Insieme"},
            {"Paola Ricci", "Insieme"},           {"Enzo Marino", "Insieme"}};
        int riga = 10;
        for (const auto& [nome, partito] : seggi) {
            const Posto p = Dove(pdf, QString::fromLatin1(nome));
            EXPECT_EQ(p.riga, riga) << nome;
            EXPECT_EQ(p.colonna, c.presenti.count(QString::fromLatin1(nome)) ? 6 : 37) << nome;
            const auto w = pdf.Trova(QString::fromLatin1(partito));
            const Griglia g = Griglia::DellaStampante();
            const bool suRiga = std::any_of(
                w.begin(), w.end(), [&](const ParolaPdf& x) { return g.Riga(x) == riga && g.Colonna(x) == 68; });
            EXPECT_TRUE(suRiga) << nome << " " << partito;
            ++riga;
        }
        delete f;
    }
}

TEST_F(Resoconti, GroupOfEventsFromTheFirstSelectedRowToTheSecond)
{
    frmEvent* f = Finestra();
    f->broEventi->SelezionaRiga(4, false);
    f->broEventi->SelezionaRiga(8, true);
    const Pdf pdf = Stampa(f, QStringLiteral("Stampa Gruppo 5 Eventi da .. a .."));
    ASSERT_TRUE(pdf.Valido());
    EXPECT_EQ(Dove(pdf, QStringLiteral("Riepilogo Gruppo Eventi")).colonna, 30);
    const QStringList righe = RigheEvento(pdf);
    ASSERT_EQ(righe.size(), 5) << pdf.Tutto().toStdString();
    EXPECT_TRUE(righe.first().startsWith(QStringLiteral("09:10:00 Parla")));
    EXPECT_TRUE(righe.last().startsWith(QStringLiteral("10:15:00 Esce")));
    EXPECT_FALSE(Dove(pdf, QStringLiteral("Tempo Complessivo: 01:05")).riga < 0) << pdf.Tutto().toStdString();
}

TEST_F(Resoconti, GroupWhoseSecondRowComesFirstRunsToTheEndOfTheLog)
{
    frmEvent* f = Finestra();
    // Selected in this order: the later row first.
    f->broEventi->SelezionaRiga(19, false);
    f->broEventi->SelezionaRiga(4, true);
    const Pdf pdf = Stampa(f, QStringLiteral("Stampa Gruppo 3 Eventi da .. a .."));
    const QStringList righe = RigheEvento(pdf);
    ASSERT_EQ(righe.size(), 3) << pdf.Tutto().toStdString();
    EXPECT_TRUE(righe.first().startsWith(QStringLiteral("09:04:00 Esce")));
}

TEST_F(Resoconti, ThreeRowsShowTheHelpAndPrintNothing)
{
    frmEvent* f = Finestra();
    for (int r : {1, 3, 5}) f->broEventi->SelezionaRiga(r, r != 1);
    (*ui)->AttendiMsg(frmEvent::TestoAiuto(), vbOK);
    f->cmdEventi(0)->click();
    EXPECT_TRUE(FileStampe().isEmpty());
    const auto& visti = (*ui)->Storia();
    ASSERT_EQ(visti.size(), 1u);
    EXPECT_EQ(visti[0].stile, vbInformation);
    EXPECT_EQ(visti[0].titolo, QStringLiteral("O.B.X."));
}

TEST_F(Resoconti, HelpByF1AndByAiuto)
{
    frmEvent* f = Finestra();
    const QString aiuto = frmEvent::TestoAiuto();
    EXPECT_TRUE(aiuto.startsWith(QStringLiteral("STAMPA INTERA LISTA EVENTI\r\n          Nessuna Selezione\r\n")));
    const QString quindici(15, u' ');
    EXPECT_TRUE(aiuto.endsWith(QStringLiteral("\r\n") + quindici +
                               QStringLiteral("(Riga Iniziale con Pulsante SIN\r\n") + quindici +
                               QStringLiteral(" Riga Finale con Ctrl+Pulsante SIN)")));
    EXPECT_EQ(aiuto.count(QStringLiteral("\r\n")), 10);
    (*ui)->AttendiMsg(aiuto, vbOK);
    int tasto = 112;
    f->Form_KeyDown(tasto, 0);
    EXPECT_EQ(tasto, 0);
    (*ui)->AttendiMsg(aiuto, vbOK);
    f->cmdEventi(2)->click();
    // Other keys are not the window's.
    tasto = 113;
    f->Form_KeyDown(tasto, 0);
    EXPECT_EQ(tasto, 113);
}

TEST_F(Resoconti, BlankNameOffersTheWholeListAndACancelPrintsNothing)
{
    frmEvent* f = Finestra();
    // The current cell on a blank "Specifiche": the whole list is offered.
    f->broEventi->ImpostaCorrente(0, 2);
    (*ui)->AttendiMsg(QStringLiteral("Stampa Intera Lista Eventi"), vbCancel);
    f->cmdEventi(0)->click();
    (*ui)->AttendiMsg(QStringLiteral("Stampa Intera Lista Eventi"), vbOK);
    (*ui)->AttendiStampante(false);
    f->cmdEventi(0)->click();
    EXPECT_TRUE(FileStampe().isEmpty());
    EXPECT_EQ((*ui)->Storia().at(0).stile, vbOKCancel + vbQuestion);
}

TEST_F(Resoconti, NoPrintingWhileAVoteIsInHand)
{
    frmEvent* f = Finestra();
    iModoVoto = 2;
    (*ui)->AttendiMsg(QString::fromUtf8(kMsgVotoInCorso), vbOK);
    f->cmdEventi(0)->click();
    // The note is only a row: it may be saved meanwhile.
    f->broEventi->SelezionaRiga(0, false);
    f->getNota->setText(QStringLiteral("durante il voto"));
    f->cmdEventi(3)->click();
    iModoVoto = 0;
    EXPECT_TRUE(FileStampe().isEmpty());
    Recordset rs = dbArchivio.OpenTable(cTabelle[3], QStringLiteral("TAG_A"));
    EXPECT_EQ(rs.Field(QStringLiteral("cDettaglioEV")).toString(), PadTaglia(QStringLiteral("durante il voto"), 30));
}

TEST_F(Resoconti, OnlyTheFirstFailureIsShownAndTheReportGoesOn)
{
    frmEvent* f = Finestra();
    // Every event's details fail to print.
    ImpostaOsservatoreStampa([](int, int riga, int colonna, const QString&) {
        if (riga >= 10 && colonna == 47) throw Errore(482, QStringLiteral("Errore della stampante"));
    });
    (*ui)->AttendiMsg(QStringLiteral("Stampa Intera Lista Eventi"), vbOK);
    (*ui)->AttendiStampante(true);
    (*ui)->AttendiMsg(QStringLiteral("Errore della stampante"), vbOK);
    AttendeFile();
    f->cmdEventi(0)->click();
    const auto& visti = (*ui)->Storia();
    EXPECT_EQ(std::count_if(visti.begin(), visti.end(), [](const auto& v) { return v.stile == vbCritical; }), 1);
    // The rest of every line, the total and the end of the job.
    const Pdf pdf(FileStampa());
    ASSERT_TRUE(pdf.Valido());
    EXPECT_EQ(RigheEvento(pdf).size(), 22) << pdf.Tutto().toStdString();
    EXPECT_FALSE(pdf.Trova(QStringLiteral("Tempo Complessivo: 00:10")).empty());
    EXPECT_TRUE(pdf.Trova(QStringLiteral("Anna Verdi")).empty());
}

// A log of one sitting for the details that need their own rows.
class ResocontoRighe : public BancoEventi {};

TEST_F(ResocontoRighe, EmptyLogPrintsNothing)
{
    frmEvent* f = Finestra();
    (*ui)->AttendiMsg(QStringLiteral("Stampa Intera Lista Eventi"), vbOK);
    (*ui)->AttendiStampante(true);
    f->cmdEventi(0)->click();
    EXPECT_TRUE(FileStampe().isEmpty());
}

TEST_F(ResocontoRighe, VoteClosingWithoutItsVoteShowsOnlyTheNote)
{
    const QDate d = kPrimaSeduta;
    ScriveEvento({d, {9, 0}, "A", "Apertura Seduta", "", 0});
    ScriveEvento({d, {9, 30}, "T", "Chiusura Votazione", "Fav=1", 2, "", 77, 0, "voto ripetuto"});
    // A closing stored without its vote's code.
    ScriveEvento({d, {9, 40}, "T", "Chiusura Votazione", "Fav=1", 2, "", std::nullopt, 0, "senza codice"});
    frmEvent* f = Finestra();
    const Pdf pdf = Stampa(f, QStringLiteral("Stampa Intera Lista Eventi"));
    const Griglia g = Griglia::DellaStampante();
    for (const char* nota : {"voto ripetuto", "senza codice"}) {
        const auto w = pdf.Trova(QString::fromLatin1(nota));
        ASSERT_EQ(w.size(), 1u) << nota << "\n" << pdf.Tutto().toStdString();
        // Empty details, one blank, the note.
        EXPECT_EQ(g.Colonna(w[0]), 48) << nota;
    }
    EXPECT_TRUE(pdf.Trova(QStringLiteral("Fav.")).empty());
}

TEST_F(ResocontoRighe, LongLogBreaksPagesUnderTheHeader)
{
    for (int i = 0; i < 90; ++i)
        ScriveEvento({kPrimaSeduta, QTime(9, 0).addSecs(60 * i), "E", "Entra", QStringLiteral("Persona %1").arg(i), i});
    frmEvent* f = Finestra();
    std::map<int, int> primaRiga;  // page -> first event row
    ImpostaOsservatoreStampa([&](int pagina, int riga, int colonna, const QString& testo) {
        if (colonna == 15 && testo.contains(u':') && !primaRiga.count(pagina)) primaRiga[pagina] = riga;
    });
    const Pdf pdf = Stampa(f, QStringLiteral("Stampa Intera Lista Eventi"));
    ASSERT_GE(pdf.Pagine(), 2);
    EXPECT_EQ(RigheEvento(pdf).size(), 90);
    for (int pg = 1; pg <= pdf.Pagine(); ++pg) {
        EXPECT_FALSE(pdf.Trova(QStringLiteral("Pag.") + Str(pg), pg).empty()) << pg;
        EXPECT_FALSE(pdf.Trova(QStringLiteral("Riepilogo Eventi"), pg).empty()) << pg;
        EXPECT_EQ(primaRiga[pg], 10) << pg;
    }
    const Griglia g = Griglia::DellaStampante();
    for (const ParolaPdf& w : pdf.Parole()) EXPECT_TRUE(g.Dentro(w)) << w.testo.toStdString();
}

}  // namespace
