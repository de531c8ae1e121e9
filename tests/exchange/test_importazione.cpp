// Import of an agenda file into "DELIBERE": the layout's conversions, the
// Windows-1252 bytes and both line ends, the longest texts the fields hold,
// and the files that must leave the agenda as it was: a missing file, a
// faulty line (named by its number and field), a failure while storing,
// the operator's Cancel, a vote running or the console open.
#include <QSqlQuery>

#include "BancoScambio.h"
#include "console/Spoglio.h"
#include "shell/frmMain.h"

using namespace obx;
using namespace obx::test;

namespace {

const QString kTerminata = QStringLiteral("Importazione Terminata");
const QString kConferma = QStringLiteral("Confermi Svuotamento Archivio");
const QString kInvariata = QStringLiteral("Importazione annullata: gli Argomenti OdG non sono stati modificati.");

class Importazione : public BancoScambio {
protected:
    void SvuotaAgenda() { dbArchivio.Execute(QStringLiteral("DELETE * FROM DELIBERE;")); }
};

TEST_F(Importazione, NineFieldsOfALineGoIntoTheirColumns)
{
    SvuotaAgenda();
    // Without and with the "@" after the last field.
    for (const QString& riga : {QStringLiteral("12@P/345@2@Bilancio@11@16@Riga uno@Riga due@Riga tre"),
                                QStringLiteral("12@P/345@2@Bilancio@11@16@Riga uno@Riga due@Riga tre@")}) {
        SvuotaAgenda();
        (*ui)->AttendiMsg(kTerminata);
        ImportaOdG(Agenda({riga}), kFormatoIride);
        const auto d = Delibere();
        ASSERT_EQ(d.size(), 1u) << riga.toStdString();
        const RigaDelibera& r = d[0];
        EXPECT_EQ(r.numero, 12);
        EXPECT_EQ(r.protocollo, QStringLiteral("P/345"));
        EXPECT_EQ(r.tipo, QStringLiteral("C"));
        EXPECT_EQ(r.titolo, QStringLiteral("Bilancio"));
        EXPECT_EQ(r.quorum, 2059);
        EXPECT_EQ(r.titolino, QStringLiteral("OdG n. 12"));
        EXPECT_EQ(r.riga1, QStringLiteral("Riga uno."));
        EXPECT_EQ(r.riga2, QStringLiteral("Riga due."));
        EXPECT_EQ(r.riga3, QStringLiteral("Riga tre."));
        EXPECT_EQ(r.posizione.toInt(), 1);
        EXPECT_TRUE(r.regolamentoNullo && r.articoloNullo && r.gruppoNullo);
    }
    const auto& storia = (*ui)->Storia();
    ASSERT_FALSE(storia.empty());
    EXPECT_EQ(storia.back().stile, vbOKOnly);
    EXPECT_EQ(storia.back().titolo, kTitoloOBX);
}

TEST_F(Importazione, ConversionsOfShortAndPartialLines)
{
    SvuotaAgenda();
    struct Caso {
        QString riga;
        int numero;
        QString titolino, protocollo, tipo;
        int quorum;
        QString riga1;
    };
    const std::vector<Caso> casi = {
        {QStringLiteral("5@@1@Un titolo"), 5, QStringLiteral("OdG n. 5"), QString(), QStringLiteral("D"), 0,
         QStringLiteral(".")},
        {QStringLiteral("6@@1.5@x"), 6, QStringLiteral("OdG n. 6"), QString(), QStringLiteral("C"), 0,
         QStringLiteral(".")},
        {QStringLiteral("7@@@x"), 7, QStringLiteral("OdG n. 7"), QString(), QStringLiteral("D"), 0,
         QStringLiteral(".")},
        // Halves go to the even number.
        {QStringLiteral("8@@2@x@2.5@3.5"), 8, QStringLiteral("OdG n. 8"), QString(), QStringLiteral("C"), 2 + 4 * 128,
         QStringLiteral(".")},
        {QStringLiteral("9@@0@x@127@127"), 9, QStringLiteral("OdG n. 9"), QString(), QStringLiteral("D"), 16383,
         QStringLiteral(".")},
        // Ten fields: the tenth is not used.
        {QStringLiteral("10bis@A@3@x@@@r1@@@non usato@"), 10, QStringLiteral("OdG n. 10bis"), QStringLiteral("A"),
         QStringLiteral("C"), 0, QStringLiteral("r1.")},
        {QStringLiteral("11@P@1@x@ 4 @\t5"), 11, QStringLiteral("OdG n. 11"), QStringLiteral("P"), QStringLiteral("D"),
         4 + 5 * 128, QStringLiteral(".")},
        // A short line: one field, no "@".
        {QStringLiteral("20"), 20, QStringLiteral("OdG n. 20"), QString(), QStringLiteral("D"), 0, QStringLiteral(".")},
    };
    QStringList righe;
    for (const Caso& c : casi) righe << c.riga;
    // An empty line holds no item and stores nothing (never an item 0).
    righe << QString();
    (*ui)->AttendiMsg(kTerminata);
    ImportaOdG(Agenda(righe), kFormatoIride);

    const auto d = Delibere();
    ASSERT_EQ(d.size(), casi.size());
    for (size_t i = 0; i < casi.size(); ++i) {
        const Caso& c = casi[i];
        // Key order: 5..20 in file order.
        const RigaDelibera& r = d[i];
        SCOPED_TRACE(c.riga.toStdString());
        EXPECT_EQ(r.numero, c.numero);
        EXPECT_EQ(r.titolino, c.titolino);
        EXPECT_EQ(r.protocollo, c.protocollo);
        EXPECT_EQ(r.tipo, c.tipo);
        EXPECT_EQ(r.quorum, c.quorum);
        EXPECT_EQ(r.riga1, c.riga1);
        EXPECT_EQ(r.riga2, QStringLiteral("."));
        EXPECT_EQ(r.posizione.toInt(), int(i) + 1);
    }
}

TEST_F(Importazione, AccentedTextsInWindows1252AndLinesEndedByLineFeedAlone)
{
    SvuotaAgenda();
    // "Città € perché", "Prot.è", "Riga à", "Qualità" as Windows-1252 bytes,
    // lines ended by LF only and the last one by nothing.
    const QByteArray dati = "1@Prot.\xe8@1@Citt\xe0 \x80 perch\xe9@@@Riga \xe0@@\n"
                            "2@\x93Q\x94@1@Qualit\xe0";
    (*ui)->AttendiMsg(kTerminata);
    ImportaOdG(File(QStringLiteral("odg_lf.txt"), dati), kFormatoIride);
    const auto d = Delibere();
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].titolo, QString::fromUtf8("Città € perché"));
    EXPECT_EQ(d[0].protocollo, QString::fromUtf8("Prot.è"));
    EXPECT_EQ(d[0].riga1, QString::fromUtf8("Riga à."));
    EXPECT_EQ(d[1].protocollo, QString::fromUtf8("“Q”"));
    EXPECT_EQ(d[1].titolo, QString::fromUtf8("Qualità"));
    EXPECT_EQ(d[1].posizione.toInt(), 2);
}

TEST_F(Importazione, TheLongestTextsAreStoredWhole)
{
    SvuotaAgenda();
    const QString numero = QStringLiteral("12/2026-A");                  // "OdG n. " + 9 = 16
    const QString protocollo = QString::fromUtf8("PG/2026/0000123-è");   // 17
    const QString protocollo20 = protocollo + QStringLiteral("xyz");     // 20
    const QString riga = QString::fromUtf8("Variazione di bilancio à");  // 24: too long
    const QString riga23 = riga.left(23);
    const QString titolo = QString(2000, u'T');
    (*ui)->AttendiMsg(kTerminata);
    ImportaOdG(Agenda({numero + u'@' + protocollo20 + QStringLiteral("@1@") + titolo + QStringLiteral("@@@") + riga23 +
                       u'@' + riga23 + u'@' + riga23}),
               kFormatoIride);
    const auto d = Delibere();
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].numero, 12);
    EXPECT_EQ(d[0].titolino, QStringLiteral("OdG n. ") + numero);
    EXPECT_EQ(d[0].protocollo, protocollo20);
    EXPECT_EQ(d[0].titolo, titolo);
    EXPECT_EQ(d[0].riga1, riga23 + u'.');
    EXPECT_EQ(d[0].riga3, riga23 + u'.');
}

// A file whose second line is faulty: named by line and field, nothing
// asked, the agenda as it was.
TEST_F(Importazione, AFaultyLineIsNamedAndTheAgendaStaysAsItWas)
{
    const QString buona = QStringLiteral("1@P/1@1@Primo");
    const QString lungo24 = QString(24, u'x');
    struct Caso {
        QString riga, messaggio;
    };
    const std::vector<Caso> casi = {
        {QStringLiteral("12/2026-AB@P@1@T"),
         QStringLiteral("Riga 2, campo 1 (numero argomento): testo di 10 caratteri, al massimo 9")},
        {QStringLiteral("2@") + QString(21, u'P') + QStringLiteral("@1@T"),
         QStringLiteral("Riga 2, campo 2 (protocollo): testo di 21 caratteri, al massimo 20")},
        {QStringLiteral("2@P@1@T@@@") + lungo24,
         QStringLiteral("Riga 2, campo 7 (titolo riga 1): testo di 24 caratteri, al massimo 23")},
        {QStringLiteral("2@P@1@T@@@@@") + lungo24,
         QStringLiteral("Riga 2, campo 9 (titolo riga 3): testo di 24 caratteri, al massimo 23")},
        // An "@" too many: ten fields read, the shifted majority caught.
        {QStringLiteral("2@P@1@Bil@ancio@11@16@a@b@c@d"),
         QString::fromUtf8("Riga 2, campo 5 (maggioranza): \"ancio\" non è un numero")},
        // An "@" in the title of a nine-field line shifts the majority.
        {QStringLiteral("2@P@1@Bil@ancio@11@16@a@b"),
         QString::fromUtf8("Riga 2, campo 5 (maggioranza): \"ancio\" non è un numero")},
        {QStringLiteral("2@P@1,5@T"), QString::fromUtf8("Riga 2, campo 3 (tipo argomento): \"1,5\" non è un numero")},
        {QStringLiteral("2@P@1@T@200"),
         QStringLiteral("Riga 2, campo 5 (maggioranza): 200 fuori dai limiti (da 0 a 127)")},
        {QStringLiteral("2@P@1@T@@-1"),
         QString::fromUtf8("Riga 2, campo 6 (maggioranza per l'immediata eseguibilità): -1 fuori dai limiti "
                           "(da 0 a 127)")},
        {QStringLiteral("40000@P@1@T"),
         QStringLiteral("Riga 2, campo 1 (numero argomento): 40000 fuori dai limiti (da -32768 a 32767)")},
        {QStringLiteral("1@P/2@1@Doppio"),
         QString::fromUtf8("Riga 2, campo 1 (numero argomento): numero 1 già usato alla riga 1")},
    };
    const QStringList prima = Titoli();
    ASSERT_EQ(prima.size(), 4);
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.riga.toStdString());
        (*ui)->AttendiMsg(kInvariata + QStringLiteral("\n\n") + c.messaggio);
        ImportaOdG(Agenda({buona, c.riga}), kFormatoIride);
        EXPECT_EQ(Titoli(), prima);
        EXPECT_EQ((*ui)->Storia().back().stile, vbCritical);
    }
}

TEST_F(Importazione, EveryFaultyLineIsListedInOneMessage)
{
    const QStringList prima = Titoli();
    (*ui)->AttendiMsg(kInvariata + QStringLiteral("\n\n") +
                      QString::fromUtf8("Riga 1, campo 5 (maggioranza): \"x\" non è un numero\n"
                                        "Riga 1, campo 6 (maggioranza per l'immediata eseguibilità): \"y\" non è un "
                                        "numero\n"
                                        "Riga 3, campo 1 (numero argomento): \"x\" non dà un numero di argomento "
                                        "(0 non è ammesso)"));
    ImportaOdG(Agenda({QStringLiteral("1@P@1@T@x@y"), QStringLiteral("2@P@1@T"), QStringLiteral("x@@@@@@@@@@@")}),
               kFormatoIride);
    EXPECT_EQ(Titoli(), prima);
}

TEST_F(Importazione, AMissingOrEmptyFileLeavesTheAgendaAsItWas)
{
    const QStringList prima = Titoli();
    const QString assente = Percorso(QStringLiteral("manca.txt"));
    (*ui)->AttendiMsg(QStringLiteral("File non trovato: ") + assente + u'\n' + kInvariata);
    ImportaOdG(assente, kFormatoIride);
    EXPECT_EQ(Titoli(), prima);

    (*ui)->AttendiMsg(QStringLiteral("non contiene argomenti"), vbOK, true);
    ImportaOdG(File(QStringLiteral("vuoto.txt"), QByteArray()), kFormatoIride);
    EXPECT_EQ(Titoli(), prima);
}

TEST_F(Importazione, TheOperatorConfirmsTheEmptyingOrKeepsTheAgenda)
{
    const QStringList prima = Titoli();
    const QString f = Agenda({QStringLiteral("31@P/31@1@Nuovo")});
    (*ui)->AttendiMsg(kConferma, vbCancel);
    ImportaOdG(f, kFormatoIride);
    EXPECT_EQ(Titoli(), prima);
    ASSERT_EQ((*ui)->Storia().size(), 1u);
    EXPECT_EQ((*ui)->Storia()[0].stile, vbOKCancel + vbQuestion + vbDefaultButton2);
    EXPECT_EQ((*ui)->Storia()[0].titolo, kTitoloOBX);

    (*ui)->AttendiMsg(kConferma, vbOK);
    (*ui)->AttendiMsg(kTerminata);
    ImportaOdG(f, kFormatoIride);
    EXPECT_EQ(Titoli(), QStringList{QStringLiteral("31 Nuovo")});
}

TEST_F(Importazione, AFailureWhileStoringLeavesTheAgendaAsItWas)
{
    const QStringList prima = Titoli();
    QSqlQuery q(dbArchivio.Connessione());
    ASSERT_TRUE(q.exec(QStringLiteral("CREATE TRIGGER guasto BEFORE INSERT ON DELIBERE WHEN NEW.iPosOdGDE = 2 "
                                      "BEGIN SELECT RAISE(ABORT, 'disco pieno'); END")));
    (*ui)->AttendiMsg(kConferma, vbOK);
    (*ui)->AttendiMsg(kInvariata, vbOK, true);
    ImportaOdG(Agenda({QStringLiteral("31@P@1@Uno"), QStringLiteral("32@P@1@Due")}), kFormatoIride);
    EXPECT_EQ(Titoli(), prima);
    ASSERT_TRUE(q.exec(QStringLiteral("DROP TRIGGER guasto")));
    // The archive takes the next import.
    (*ui)->AttendiMsg(kConferma, vbOK);
    (*ui)->AttendiMsg(kTerminata);
    ImportaOdG(Agenda({QStringLiteral("31@P@1@Uno"), QStringLiteral("32@P@1@Due")}), kFormatoIride);
    EXPECT_EQ(Titoli(), (QStringList{QStringLiteral("31 Uno"), QStringLiteral("32 Due")}));
}

TEST_F(Importazione, RefusedWhileAVoteRunsOrTheConsoleIsOpen)
{
    const QStringList prima = Titoli();
    const QString f = Agenda({QStringLiteral("31@P@1@Uno")});
    iModoVoto = 1;
    (*ui)->AttendiMsg(QString::fromUtf8(kMsgVotoInCorso));
    ImportaOdG(f, kFormatoIride);
    iModoVoto = 0;
    bConsoleAperta = true;
    (*ui)->AttendiMsg(QStringLiteral("Riunione Consiliare aperta: chiuderla prima di importare gli Argomenti OdG"));
    ImportaOdG(f, kFormatoIride);
    bConsoleAperta = false;
    EXPECT_EQ(Titoli(), prima);
}

}  // namespace
