// An agenda file stores the letters it says, whatever encoding today's
// editors saved it in: Windows-1252, UTF-8 with or without a byte-order
// mark, UTF-16 with its mark.  A line of more than ten fields keeps its
// first ten; item 0, a value out of range and bytes that make no text are
// refused with the line named, and a refused file leaves the agenda as it
// was.
#include "exchange/BancoScambio.h"

using namespace obx;
using namespace obx::test;

namespace {

const QString kTerminata = QStringLiteral("Importazione Terminata");
const QString kConferma = QStringLiteral("Confermi Svuotamento Archivio");
const QString kInvariata = QStringLiteral("Importazione annullata: gli Argomenti OdG non sono stati modificati.");

const QByteArray kBomUtf8("\xEF\xBB\xBF");

QByteArray Utf16Le(const QString& testo)
{
    QByteArray b("\xFF\xFE", 2);
    for (const QChar c : testo) {
        b += char(c.unicode() & 0xFF);
        b += char(c.unicode() >> 8);
    }
    return b;
}

class ImportaUtf8 : public BancoScambio {};

TEST_F(ImportaUtf8, TheFileStoresItsOwnLettersOrIsRefusedLeavingTheAgenda)
{
    const QString citta = QString::fromUtf8("Società Città");
    const QString righe2 = QString::fromUtf8("12@P/è@1@Società Città@@@Perché sì@@\r\n13@P@1@Qualità\r\n");
    struct Atteso {
        int numero;
        QString titolino, protocollo, titolo, riga1;
    };
    struct Caso {
        const char* nome;
        QByteArray dati;
        std::vector<Atteso> argomenti;  // empty: refused
        QString messaggio;              // after kInvariata and a blank line, when refused
        bool intero = false;            // the message is the whole text
    };
    const std::vector<Atteso> due = {
        {12, QStringLiteral("OdG n. 12"), QString::fromUtf8("P/è"), citta, QString::fromUtf8("Perché sì.")},
        {13, QStringLiteral("OdG n. 13"), QStringLiteral("P"), QString::fromUtf8("Qualità"), QStringLiteral(".")},
    };
    const std::vector<Caso> casi = {
        {"Windows-1252", ToCp1252(righe2), due, {}},
        {"UTF-8 senza segno", righe2.toUtf8(), due, {}},
        // The mark is not part of the first item's number.
        {"UTF-8 col segno", kBomUtf8 + righe2.toUtf8(), due, {}},
        {"UTF-16 col segno", Utf16Le(righe2), due, {}},
        // Eleven and twelve fields: the first ten read, the rest of the
        // line ignored, even a text no field would hold.
        {"oltre dieci campi",
         QString::fromUtf8("12@P/è@1@Società Città@@@Perché sì@@@decimo@undicesimo %1@dodicesimo\r\n"
                           "13@P@1@Qualità@@@@@@@non numero\r\n")
             .arg(QString(40, u'x'))
             .toUtf8(),
         due,
         {}},
        {"argomento 0", kBomUtf8 + QByteArray("12@P@1@Uno\r\n0@P@1@Zero\r\n"), {},
         QString::fromUtf8("Riga 2, campo 1 (numero argomento): \"0\" non dà un numero di argomento (0 non è "
                           "ammesso)")},
        {"numero assente", QByteArray("12@P@1@Uno\r\n@P@1@Senza\r\n"), {},
         QString::fromUtf8("Riga 2, campo 1 (numero argomento): \"\" non dà un numero di argomento (0 non è "
                           "ammesso)")},
        {"fuori dai limiti", QString::fromUtf8("12@P@1@Città@128\r\n").toUtf8(), {},
         QStringLiteral("Riga 1, campo 5 (maggioranza): 128 fuori dai limiti (da 0 a 127)")},
        // Bytes no encoding makes a text of: refused, never stored as
        // broken letters.
        {"byte non definito in Windows-1252", QByteArray("12@P@1@Citt\xe0 \x81\r\n"), {},
         QString::fromUtf8("Riga 1: contiene caratteri non leggibili (codice 0081): il file non è un testo in "
                           "una codifica conosciuta")},
        {"file binario", QByteArray("12@P@1@A\x00" "B\r\n", 12), {},
         QString::fromUtf8("Riga 1: contiene caratteri non leggibili (codice 0000): il file non è un testo in "
                           "una codifica conosciuta")},
        {"segno UTF-8 e byte Windows-1252", kBomUtf8 + QByteArray("12@P@1@Citt\xe0\r\n"), {},
         QString::fromUtf8(" comincia col segno di una codifica Unicode ma non ne segue le regole.\n") + kInvariata,
         true},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        // Every case starts from the fixture's agenda.
        dbArchivio.Execute(QStringLiteral("DELETE * FROM DELIBERE;"));
        archivio->Argomenti();
        const QStringList prima = Titoli();
        ASSERT_FALSE(prima.isEmpty());
        const QString file = File(QStringLiteral("odg.txt"), c.dati);
        if (!c.argomenti.empty()) {
            (*ui)->AttendiMsg(kConferma, vbOK);
            (*ui)->AttendiMsg(kTerminata);
        } else if (c.intero) {
            (*ui)->AttendiMsg(QStringLiteral("Il file ") + file + c.messaggio);
        } else {
            (*ui)->AttendiMsg(kInvariata + QStringLiteral("\n\n") + c.messaggio);
        }
        ImportaOdG(file, kFormatoIride);
        EXPECT_TRUE((*ui)->Restanti().empty());
        if (c.argomenti.empty()) {
            EXPECT_EQ((*ui)->Storia().back().stile, vbCritical);
            EXPECT_EQ(Titoli(), prima);
            continue;
        }
        const auto d = Delibere();
        ASSERT_EQ(d.size(), c.argomenti.size());
        for (size_t i = 0; i < d.size(); ++i) {
            const Atteso& a = c.argomenti[i];
            EXPECT_EQ(d[i].numero, a.numero);
            EXPECT_EQ(d[i].titolino, a.titolino);
            EXPECT_EQ(d[i].protocollo, a.protocollo);
            EXPECT_EQ(d[i].titolo, a.titolo);
            EXPECT_EQ(d[i].riga1, a.riga1);
            EXPECT_EQ(d[i].riga2, QStringLiteral("."));
            EXPECT_EQ(d[i].riga3, QStringLiteral("."));
            EXPECT_EQ(d[i].posizione.toInt(), int(i) + 1);
            EXPECT_NE(d[i].numero, 0);
        }
    }
}

}  // namespace
