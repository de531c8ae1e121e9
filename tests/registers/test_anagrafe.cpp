// The register of persons driven as the operator does: typing, role
// options, the commands; the rows read back from the archive, and loaded
// into the seat registry the way a sitting loads them.
#include <QButtonGroup>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QPrinter>
#include <QRadioButton>

#include "Registri.h"
#include "registers/frmAnag.h"
#include "reports/Stampa.h"
#include "shell/Anagrafe.h"
#include "shell/Configurazione.h"

using namespace obx;
using namespace obx::test;

namespace {

class Anagrafe : public RegistroProva {
protected:
    void ChiudeFinestre() override
    {
        Chiude(w);
        w = nullptr;
    }

    frmAnag* Apre()
    {
        w = frmAnag::Mostra();
        return w;
    }
    QLineEdit* Campo(int i) { return w->findChild<QLineEdit*>(QStringLiteral("getAnag(%1)").arg(i)); }
    QRadioButton* Opzione(int i) { return w->findChild<QRadioButton*>(QStringLiteral("optAnag(%1)").arg(i)); }
    QPushButton* Comando(int i) { return w->findChild<QPushButton*>(QStringLiteral("cmdAnag(%1)").arg(i)); }

    // Fills the entry of one person as the operator would and saves it.
    struct Voce {
        QString codice, nome, breve, partito;
        int opzione = 2;  // "Consigliere"
        QString votatore, led, carta, iride;
    };
    void Compila(const Voce& v)
    {
        Digita(Campo(0), v.codice);
        Digita(Campo(1), v.nome);
        Digita(Campo(2), v.breve);
        Digita(Campo(3), v.partito);
        if (v.opzione >= 0) Opzione(v.opzione)->click();
        Digita(Campo(4), v.votatore);
        Digita(Campo(5), v.led);
        Digita(Campo(6), v.carta);
        Digita(Campo(7), v.iride);
    }

    QPointer<frmAnag> w;
};

TEST_F(Anagrafe, AggiungeModificaEliminaUnConsigliere)
{
    Apre();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Anagrafe Generale"));
    EXPECT_TRUE(Campo(0)->text().isEmpty());

    // A new person: the next code is proposed, the full name starts from the
    // short name and the card number from the voting unit.
    Comando(5)->click();
    EXPECT_EQ(Campo(0)->text(), QStringLiteral("1"));
    Digita(Campo(2), QStringLiteral("ROSSI M."));
    Entra(Campo(1));
    EXPECT_EQ(Campo(1)->text(), QStringLiteral("ROSSI M. "));
    Digita(Campo(1), QStringLiteral("Mario Rossi"));
    Digita(Campo(3), QStringLiteral("Lista Civica"));
    Opzione(2)->click();
    Digita(Campo(4), QStringLiteral("5"));
    Digita(Campo(5), QStringLiteral("3"));
    Entra(Campo(6));
    EXPECT_EQ(Campo(6)->text(), QStringLiteral("5"));
    Digita(Campo(7), QStringLiteral("AB12"));
    Comando(0)->click();
    EXPECT_EQ(Comando(0)->text(), QStringLiteral("Salvato"));

    QVariantMap r = Riga(cTabelle[1], 1);
    ASSERT_FALSE(r.isEmpty());
    EXPECT_EQ(r["cNomeAN"].toString(), QStringLiteral("Mario Rossi").leftJustified(30));
    EXPECT_EQ(r["cNomeBreveAN"].toString(), QStringLiteral("ROSSI M.").leftJustified(16));
    EXPECT_EQ(r["cPartitoAN"].toString(), QStringLiteral("Lista Civica").leftJustified(20));
    EXPECT_EQ(r["cTipoAN"].toString(), QStringLiteral("C"));
    EXPECT_EQ(r["iVotatoreAN"].toInt(), 5);
    EXPECT_EQ(r["iPannelloAN"].toInt(), 3);
    EXPECT_EQ(r["iSmartCardAN"].toInt(), 5);
    EXPECT_EQ(r["cIrideIdAN"].toString(), QStringLiteral("AB12  "));
    EXPECT_EQ(r["iPulsanteAN"].toInt(), 0);
    EXPECT_FALSE(r["nTopAN"].isValid());

    // The layout editors place the seat; an edit here keeps label and place.
    ScriveCampi(cTabelle[1], 1, {{"iPulsanteAN", 7}, {"nTopAN", 480.0}, {"nLeftAN", 960.0}});
    Digita(Campo(3), QStringLiteral("Insieme"));
    EXPECT_EQ(Comando(0)->text(), QStringLiteral("Salva"));
    Comando(0)->click();
    EXPECT_EQ(Comando(0)->text(), QStringLiteral("Salvato"));
    r = Riga(cTabelle[1], 1);
    EXPECT_EQ(r["cPartitoAN"].toString().trimmed(), QStringLiteral("Insieme"));
    EXPECT_EQ(r["iPulsanteAN"].toInt(), 7);
    EXPECT_DOUBLE_EQ(r["nTopAN"].toDouble(), 480.0);
    EXPECT_DOUBLE_EQ(r["nLeftAN"].toDouble(), 960.0);

    // Changing only the role marks the entry unsaved again.
    Opzione(3)->click();
    EXPECT_EQ(Comando(0)->text(), QStringLiteral("Salva"));

    // Deleting asks first, with Cancel the default; Cancel keeps the row.
    (*ui)->AttendiMsg(QStringLiteral("Confermi cancellazione Codice 1"), vbCancel);
    Comando(1)->click();
    EXPECT_EQ(UltimoDialogo().stile, vbOKCancel + vbQuestion + vbDefaultButton2);
    EXPECT_EQ(UltimoDialogo().titolo, QStringLiteral("O.B.X."));
    EXPECT_FALSE(Riga(cTabelle[1], 1).isEmpty());
    (*ui)->AttendiMsg(QStringLiteral("Confermi cancellazione Codice 1"), vbOK);
    Comando(1)->click();
    EXPECT_TRUE(Riga(cTabelle[1], 1).isEmpty());
    EXPECT_EQ(ArchivioProva::Righe(cTabelle[1]), 0);
    EXPECT_TRUE(Campo(0)->text().isEmpty());
}

TEST_F(Anagrafe, BrowsingShowsRowsAndDeletingMovesToTheNext)
{
    archivio->Consiglieri();
    Apre();
    EXPECT_EQ(Campo(0)->text(), QStringLiteral("1"));
    EXPECT_EQ(Campo(1)->text(), QStringLiteral("Mario Rossi"));
    EXPECT_TRUE(Opzione(0)->isChecked());  // "P"
    auto* ctl = w->findChild<QWidget*>(QStringLiteral("dbfVelmora"));
    ctl->findChild<QPushButton*>(QStringLiteral("cmdSuccessivo"))->click();
    EXPECT_EQ(Campo(0)->text(), QStringLiteral("2"));
    EXPECT_TRUE(Opzione(1)->isChecked());  // "S"
    ctl->findChild<QPushButton*>(QStringLiteral("cmdUltimo"))->click();
    EXPECT_EQ(Campo(0)->text(), QStringLiteral("10"));
    ctl->findChild<QPushButton*>(QStringLiteral("cmdSuccessivo"))->click();
    EXPECT_EQ(Campo(0)->text(), QStringLiteral("10"));

    // The last row deleted: the one before it is shown.
    (*ui)->AttendiMsg(QStringLiteral("Confermi cancellazione Codice 10"), vbOK);
    Comando(1)->click();
    EXPECT_EQ(Campo(0)->text(), QStringLiteral("9"));
    ctl->findChild<QPushButton*>(QStringLiteral("cmdPrimo"))->click();
    (*ui)->AttendiMsg(QStringLiteral("Confermi cancellazione Codice 1"), vbOK);
    Comando(1)->click();
    EXPECT_EQ(Campo(0)->text(), QStringLiteral("2"));
    EXPECT_EQ(ArchivioProva::Righe(cTabelle[1]), 8);
}

// Each check refuses with its message, puts the focus on the field and
// writes nothing.
TEST_F(Anagrafe, ChecksRefuseWithTheirMessage)
{
    archivio->Consiglieri();  // codes 1..10, units 1..8, "ROSSI M." under code 1
    struct Caso {
        Voce voce;
        const char* messaggio;
        int campo;
    };
    const Caso casi[] = {
        {{"0", "Nuovo Uno", "NUOVO U.", "", 2, "20", "20", "20", ""}, "Codice tra 1 e 120", 0},
        {{"121", "Nuovo Uno", "NUOVO U.", "", 2, "20", "20", "20", ""}, "Codice tra 1 e 120", 0},
        {{"255", "Nuovo Uno", "NUOVO U.", "", 2, "20", "20", "20", ""}, "Codice tra 1 e 120", 0},
        {{"abc", "Nuovo Uno", "NUOVO U.", "", 2, "20", "20", "20", ""}, "Codice tra 1 e 120", 0},
        // The stored short name is padded: the typed one matches it trimmed.
        {{"30", "Mario Rossi bis", "ROSSI M.", "", 2, "20", "20", "20", ""}, "Nome Breve già usato", 2},
        {{"30", "Mario Rossi bis", " ROSSI M.  ", "", 2, "20", "20", "20", ""}, "Nome Breve già usato", 2},
        {{"30", "Nuovo Uno", "NUOVO U.", "", 2, "49", "20", "20", ""}, "Votatore non Mappato", 4},
        {{"30", "Nuovo Uno", "NUOVO U.", "", 2, "99999", "20", "20", ""}, "Numero Votatore tra 0 e 32767", 4},
        {{"30", "Nuovo Uno", "NUOVO U.", "", 2, "20", "49", "20", ""}, "Numero LED tra 1 e  48", 5},
        {{"30", "Nuovo Uno", "NUOVO U.", "", 2, "20", "0", "20", ""}, "Numero LED tra 1 e  48", 5},
        {{"30", "Nuovo Uno", "NUOVO U.", "", 2, "20", "20", "40000", ""}, "Numero Smart Card tra 0 e 32767", 6},
        {{"30", "Nuovo Uno", "NUOVO U.", "", 2, "20", "20", "-1", ""}, "Numero Smart Card tra 0 e 32767", 6},
        // Without a voting unit the card number is still checked.
        {{"30", "Nuovo Uno", "NUOVO U.", "", 3, "", "", "70000", ""}, "Numero Smart Card tra 0 e 32767", 6},
    };
    Apre();
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.messaggio);
        SCOPED_TRACE(c.voce.codice.toStdString());
        Compila(c.voce);
        (*ui)->AttendiMsg(QString::fromUtf8(c.messaggio));
        Comando(0)->click();
        EXPECT_EQ(UltimoDialogo().stile, vbCritical);
        EXPECT_EQ(w->focusWidget(), Campo(c.campo));
        EXPECT_EQ(Comando(0)->text(), QStringLiteral("Salva"));
        EXPECT_EQ(ArchivioProva::Righe(cTabelle[1]), 10);
        EXPECT_TRUE(Riga(cTabelle[1], 30).isEmpty());
    }
}

TEST_F(Anagrafe, LimitsThatAreAccepted)
{
    archivio->Consiglieri();
    Apre();
    // Code 120, the last position of the per-seat strings; unit and LED at
    // their limits; the largest card number.
    Compila({"120", "Ultimo Posto", "ULTIMO P.", "", 2, "48", "48", "32767", ""});
    Comando(0)->click();
    QVariantMap r = Riga(cTabelle[1], 120);
    ASSERT_FALSE(r.isEmpty());
    EXPECT_EQ(r["iVotatoreAN"].toInt(), 48);
    EXPECT_EQ(r["iPannelloAN"].toInt(), 48);
    EXPECT_EQ(r["iSmartCardAN"].toInt(), 32767);
    EXPECT_EQ(Campo(0)->text(), QStringLiteral("120"));  // the row added is the one shown

    // The same short name under the same code saves; another letter case is
    // another name.
    Compila({"1", "Mario Rossi", "ROSSI M.", "", 0, "1", "1", "1", ""});
    Comando(0)->click();
    EXPECT_EQ(Comando(0)->text(), QStringLiteral("Salvato"));
    Compila({"31", "Marco Rossi", "Rossi M.", "", 2, "20", "20", "20", ""});
    Comando(0)->click();
    EXPECT_FALSE(Riga(cTabelle[1], 31).isEmpty());
}

TEST_F(Anagrafe, DuplicateVotingUnitCanBeAccepted)
{
    archivio->Consiglieri();  // unit 3 belongs to code 3
    Apre();
    Compila({"40", "Nuovo Uno", "NUOVO U.", "", 2, "3", "20", "20", ""});
    (*ui)->AttendiMsg(QStringLiteral("Votatore già Mappato\nIgnora ?"), vbNo);
    (*ui)->AttendiMsg(QStringLiteral("Votatore già Mappato"));
    Comando(0)->click();
    EXPECT_EQ(w->focusWidget(), Campo(4));
    EXPECT_TRUE(Riga(cTabelle[1], 40).isEmpty());

    (*ui)->AttendiMsg(QStringLiteral("Votatore già Mappato\nIgnora ?"), vbYes);
    Comando(0)->click();
    EXPECT_EQ(Riga(cTabelle[1], 40)["iVotatoreAN"].toInt(), 3);

    // Outside the mapped units and used by another: the question, and Yes
    // saves even the unmapped unit.
    ScriveCampi(cTabelle[1], 4, {{"iVotatoreAN", 60}});
    Compila({"41", "Nuovo Due", "NUOVO D.", "", 2, "60", "21", "21", ""});
    (*ui)->AttendiMsg(QStringLiteral("Votatore già Mappato\nIgnora ?"), vbYes);
    Comando(0)->click();
    EXPECT_EQ(Riga(cTabelle[1], 41)["iVotatoreAN"].toInt(), 60);
}

TEST_F(Anagrafe, RolesWithoutUnitOrLed)
{
    Apre();
    // An assessor has neither: both stored as 0 whatever was typed.
    Compila({"1", "Assessore Uno", "ASS. UNO", "", 3, "77", "99", "5", ""});
    Comando(0)->click();
    QVariantMap r = Riga(cTabelle[1], 1);
    EXPECT_EQ(r["cTipoAN"].toString(), QStringLiteral("A"));
    EXPECT_EQ(r["iVotatoreAN"].toInt(), 0);
    EXPECT_EQ(r["iPannelloAN"].toInt(), 0);

    // "Consigliere Aggiunto": no unit, but a LED position is required.
    Compila({"2", "Aggiunto Uno", "AGG. UNO", "", 8, "77", "49", "5", ""});
    (*ui)->AttendiMsg(QStringLiteral("Numero LED tra 1 e  48"));
    Comando(0)->click();
    Digita(Campo(5), QStringLiteral("12"));
    Comando(0)->click();
    r = Riga(cTabelle[1], 2);
    EXPECT_EQ(r["cTipoAN"].toString(), QStringLiteral("R"));
    EXPECT_EQ(r["iVotatoreAN"].toInt(), 0);
    EXPECT_EQ(r["iPannelloAN"].toInt(), 12);

    // No role at all: stored as "X".
    Compila({"3", "Senza Ruolo", "SENZA R.", "", -1, "", "", "", ""});
    w->findChild<QButtonGroup*>()->setExclusive(false);
    for (int i = 0; i < 9; ++i) Opzione(i)->setChecked(false);
    w->findChild<QButtonGroup*>()->setExclusive(true);
    Comando(0)->click();
    EXPECT_EQ(Riga(cTabelle[1], 3)["cTipoAN"].toString(), QStringLiteral("X"));
}

TEST_F(Anagrafe, UnknownRoleLetterSelectsNoRole)
{
    archivio->AggiungePersona(
        {1, QStringLiteral("Anna Verdi"), QStringLiteral("VERDI A."), QStringLiteral("C"), QString(), 3, 0, 3, 0, 0});
    archivio->AggiungePersona(
        {2, QStringLiteral("Ugo Strano"), QStringLiteral("STRANO U."), QStringLiteral("Z"), QString(), 0, 0, 0, 0, 0});
    Apre();
    EXPECT_TRUE(Opzione(2)->isChecked());
    w->findChild<QWidget*>(QStringLiteral("dbfVelmora"))
        ->findChild<QPushButton*>(QStringLiteral("cmdSuccessivo"))
        ->click();
    ASSERT_EQ(Campo(0)->text(), QStringLiteral("2"));
    for (int i = 0; i < 9; ++i) EXPECT_FALSE(Opzione(i)->isChecked()) << i;
    // Saved as it is shown, the row does not take the councillor's role.
    Comando(0)->click();
    EXPECT_EQ(Riga(cTabelle[1], 2)["cTipoAN"].toString(), QStringLiteral("X"));
}

TEST_F(Anagrafe, TypedCodeShowsThePersonOrPreparesANewOne)
{
    archivio->Consiglieri();
    Apre();
    Digita(Campo(0), QStringLiteral("5"));
    Esce(Campo(0));
    EXPECT_EQ(Campo(1)->text(), QStringLiteral("Franca Romano"));
    EXPECT_EQ(Campo(6)->text(), QStringLiteral("5"));

    // An unknown code: nothing of the person shown before stays, card and
    // external identifier included.
    Digita(Campo(7), QStringLiteral("ID5"));
    Digita(Campo(0), QStringLiteral("50"));
    Esce(Campo(0));
    EXPECT_EQ(Campo(0)->text(), QStringLiteral("50"));
    for (int i = 1; i <= 7; ++i) EXPECT_TRUE(Campo(i)->text().isEmpty()) << i;

    // Leaving the code field unchanged loses nothing typed elsewhere.
    Digita(Campo(1), QStringLiteral("Nuova Persona"));
    Entra(Campo(0));
    Esce(Campo(0));
    EXPECT_EQ(Campo(1)->text(), QStringLiteral("Nuova Persona"));
}

TEST_F(Anagrafe, NextFreeCodeProposals)
{
    Apre();
    CtrlClic(Campo(0));
    EXPECT_EQ(Campo(0)->text(), QStringLiteral("1"));
    for (int c = 1; c <= 12; ++c)
        archivio->AggiungePersona({c, QStringLiteral("P%1").arg(c), QStringLiteral("P%1").arg(c), QStringLiteral("C"),
                                   QString(), c, 0, c, 0, 0});
    Chiude(w);
    Apre();
    CtrlClic(Campo(0));
    EXPECT_EQ(Campo(0)->text(), QStringLiteral("13"));

    // Past the last code of the per-seat strings: the lowest free code.
    archivio->AggiungePersona(
        {120, QStringLiteral("Ultimo"), QStringLiteral("ULTIMO"), QStringLiteral("C"), QString(), 0, 0, 0, 0, 0});
    Comando(5)->click();
    EXPECT_EQ(Campo(0)->text(), QStringLiteral("13"));
}

TEST_F(Anagrafe, NewEntryTakesNothingFromThePersonShown)
{
    archivio->Consiglieri();
    ScriveCampi(cTabelle[1], 1, {{"iSmartCardAN", 901}, {"cIrideIdAN", QStringLiteral("R001")}});
    Apre();
    EXPECT_EQ(Campo(6)->text(), QStringLiteral("901"));
    Comando(5)->click();
    EXPECT_EQ(Campo(0)->text(), QStringLiteral("11"));
    for (int i = 1; i <= 7; ++i) EXPECT_TRUE(Campo(i)->text().isEmpty()) << i;
    EXPECT_EQ(w->focusWidget(), Campo(0));
    // The card number comes from the new person's own unit.
    Digita(Campo(2), QStringLiteral("NUOVO N."));
    Digita(Campo(4), QStringLiteral("11"));
    Digita(Campo(5), QStringLiteral("11"));
    Entra(Campo(6));
    EXPECT_EQ(Campo(6)->text(), QStringLiteral("11"));
    Comando(0)->click();
    EXPECT_EQ(Riga(cTabelle[1], 11)["iSmartCardAN"].toInt(), 11);
    EXPECT_EQ(Riga(cTabelle[1], 11)["cIrideIdAN"].toString().trimmed(), QString());
}

TEST_F(Anagrafe, EmptyTableAndEmptying)
{
    Apre();
    for (int i : {1, 2, 3}) {
        (*ui)->AttendiMsg(QStringLiteral("Archivio Vuoto"));
        Comando(i)->click();
        EXPECT_EQ(UltimoDialogo().stile, vbCritical);
    }
    Chiude(w);
    archivio->Consiglieri();
    Apre();
    (*ui)->AttendiMsg(QStringLiteral("Confermi Svuotamento Archivio"), vbCancel);
    Comando(3)->click();
    EXPECT_EQ(UltimoDialogo().stile, vbOKCancel + vbQuestion + vbDefaultButton2);
    EXPECT_EQ(ArchivioProva::Righe(cTabelle[1]), 10);
    (*ui)->AttendiMsg(QStringLiteral("Confermi Svuotamento Archivio"), vbOK);
    Comando(3)->click();
    EXPECT_EQ(ArchivioProva::Righe(cTabelle[1]), 0);
    EXPECT_EQ(Campo(0)->text(), QStringLiteral("1"));
    EXPECT_TRUE(Campo(1)->text().isEmpty());
    EXPECT_EQ(w->focusWidget(), Campo(0));
    // The first save on the empty table adds the row.
    Compila({"1", "Primo", "PRIMO", "", 2, "1", "1", "1", ""});
    Comando(0)->click();
    EXPECT_EQ(ArchivioProva::Righe(cTabelle[1]), 1);
}

TEST_F(Anagrafe, FieldLimitsAndRoleCaptions)
{
    iTipoTAB = 3;
    xIdEsterno = false;
    Apre();
    EXPECT_EQ(Campo(2)->maxLength(), 10);
    EXPECT_TRUE(Campo(7)->isHidden());
    EXPECT_TRUE(w->findChild<QLabel*>(QStringLiteral("lblAnag(7)"))->isHidden());
    EXPECT_EQ(Opzione(1)->text(), QStringLiteral("Sindaco"));
    EXPECT_FALSE(Opzione(8)->isHidden());
    Chiude(w);

    iTipoTAB = 2;
    xIdEsterno = true;
    Apre();
    EXPECT_EQ(Campo(2)->maxLength(), 16);
    EXPECT_FALSE(Campo(7)->isHidden());
    Chiude(w);

    // The regional assembly has eight roles.
    Prepara(4);
    Apre();
    EXPECT_TRUE(Opzione(8)->isHidden());
    EXPECT_EQ(Opzione(0)->text(), QStringLiteral("Presidente Assemblea"));
}

TEST_F(Anagrafe, OneWindowAtATime)
{
    frmAnag* a = Apre();
    EXPECT_EQ(frmAnag::Mostra(), a);
    EXPECT_EQ(frmAnag::Aperta(), a);
    Comando(4)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frmAnag::Aperta(), nullptr);
}

// What the register writes is what a sitting loads.
TEST_F(Anagrafe, SeatRegistryLoadsWhatTheRegisterWrote)
{
    Apre();
    Compila({"1", "Mario Rossi", "ROSSI M.", "Lista Civica", 0, "11", "1", "", "R1"});
    Comando(0)->click();
    Compila({"2", "Anna Verdi", "VERDI A.", "lista civica ", 2, "12", "2", "900", ""});
    Comando(0)->click();
    Compila({"3", "Giulia Neri", "NERI G.", "", 4, "13", "3", "", ""});  // secretary: no seat
    Comando(0)->click();
    ASSERT_EQ(ArchivioProva::Righe(cTabelle[1]), 3);

    ASSERT_TRUE(GestisceAnagrafe(true));
    ASSERT_EQ(aPosti.size(), 3u);
    const Posto& p = aPosti[1];
    EXPECT_EQ(p.bCodiceAN, 1);
    EXPECT_EQ(p.cNomeAN.trimmed(), QStringLiteral("Mario Rossi"));
    EXPECT_EQ(p.cNomeBreveAN.trimmed(), QStringLiteral("ROSSI M."));
    EXPECT_EQ(p.cTipoAN, QStringLiteral("P"));
    EXPECT_EQ(p.iVotatoreAN, 11);
    EXPECT_EQ(p.iSmartCardAN, 0);  // left empty, stored as 0
    EXPECT_EQ(p.iPannelloAN, 1);
    EXPECT_EQ(p.cIrideIdAN.trimmed(), QStringLiteral("R1"));
    const Posto& q = aPosti[2];
    EXPECT_EQ(q.bCodiceAN, 2);
    EXPECT_EQ(q.cTipoAN, QStringLiteral("C"));
    EXPECT_EQ(q.iSmartCardAN, 900);
    EXPECT_EQ(q.iPartito, p.iPartito);  // one party, whatever the case
    ASSERT_EQ(aOspiti.size(), 2u);
    EXPECT_EQ(aOspiti[1].bCodiceAN, 3);
    EXPECT_EQ(aOspiti[1].cTipoAN, QStringLiteral("G"));
}

// The registry list: printer dialog first, heading, one line per person.
TEST_F(Anagrafe, PrintsTheRegistryList)
{
    archivio->Consiglieri();
    QTemporaryDir dir;
    const QString pdf = dir.path() + QStringLiteral("/anagrafe.pdf");
    Stampante().setOutputFormat(QPrinter::PdfFormat);
    Stampante().setOutputFileName(pdf);
    struct Testo {
        int pagina, riga, colonna;
        QString testo;
    };
    std::vector<Testo> stampati;
    ImpostaOsservatoreStampa([&](int pg, int r, int c, const QString& t) { stampati.push_back({pg, r, c, t}); });
    auto trova = [&](int r, int c) -> QString {
        for (const auto& t : stampati)
            if (t.pagina == 1 && t.riga == r && t.colonna == c) return t.testo;
        return QStringLiteral("<nulla>");
    };

    Apre();
    (*ui)->AttendiStampante(false);
    Comando(2)->click();
    EXPECT_TRUE(stampati.empty());

    (*ui)->AttendiStampante(true);
    Comando(2)->click();
    ImpostaOsservatoreStampa(nullptr);
    EXPECT_EQ(trova(2, 5), QStringLiteral("Consiglio Comunale di Prova - Archivio Anagrafico"));
    EXPECT_EQ(trova(4, 5), QStringLiteral("Cod Nome"));
    EXPECT_EQ(trova(4, 74), QStringLiteral("TLV"));
    EXPECT_EQ(trova(5, 5), QStringLiteral("--- ") + QString(30, u'-'));
    EXPECT_EQ(trova(6, 5), QStringLiteral("  1"));
    EXPECT_EQ(trova(6, 9).trimmed(), QStringLiteral("Mario Rossi"));
    EXPECT_EQ(trova(6, 40), QStringLiteral("Pres. Cons."));
    EXPECT_EQ(trova(6, 52), QStringLiteral("Lista Civica    "));
    EXPECT_EQ(trova(6, 69), QStringLiteral("  1"));
    EXPECT_EQ(trova(6, 73), QStringLiteral("   1"));
    EXPECT_EQ(trova(7, 40), QStringLiteral("Sindaco"));
    EXPECT_EQ(trova(14, 40), QStringLiteral("Segretario"));
    EXPECT_EQ(trova(14, 69), QStringLiteral("<nulla>"));  // no LED, no unit
    EXPECT_EQ(trova(15, 40), QStringLiteral("Vice Segret."));
    EXPECT_TRUE(QFileInfo(pdf).size() > 0);
    EXPECT_EQ(Campo(0)->text(), QStringLiteral("1"));
}

TEST_F(Anagrafe, RegistryListLongerThanAPageRepeatsTheHeading)
{
    for (int c = 1; c <= 120; ++c)
        archivio->AggiungePersona({c, QStringLiteral("Persona %1").arg(c), QStringLiteral("P%1").arg(c),
                                   QStringLiteral("C"), QString(), 0, 0, 0, 0, 0});
    QTemporaryDir dir;
    Stampante().setOutputFormat(QPrinter::PdfFormat);
    Stampante().setOutputFileName(dir.path() + QStringLiteral("/lungo.pdf"));
    int pagine = 0, intestazioni = 0, righe = 0;
    ImpostaOsservatoreStampa([&](int pg, int r, int c, const QString& t) {
        pagine = std::max(pagine, pg);
        if (t.endsWith(QStringLiteral(" - Archivio Anagrafico"))) ++intestazioni;
        if (c == 5 && r >= 6) {
            ++righe;
            EXPECT_LE(r, iRighePagina);
        }
    });
    Apre();
    (*ui)->AttendiStampante(true);
    Comando(2)->click();
    ImpostaOsservatoreStampa(nullptr);
    ASSERT_GT(iRighePagina, 6);
    const int perPagina = iRighePagina - 5;
    const int attese = (120 + perPagina - 1) / perPagina;
    EXPECT_EQ(righe, 120);
    EXPECT_GE(pagine, attese);
    EXPECT_EQ(intestazioni, pagine);
}

}  // namespace
