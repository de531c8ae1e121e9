// An export that meets a failure of the archive (the votes or the agenda
// that cannot be opened, the seats of the "Dettaglio" that cannot be read)
// writes nothing: an earlier file at the destination stays byte-identical,
// no file appears where there was none, and the operator reads
// "Esportazione annullata: nessun file scritto." with the error, never
// "Esportazione Voti Terminata".
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "exchange/BancoScambio.h"

using namespace obx;
using namespace obx::test;

namespace {

const QString kAnnullata = QStringLiteral("Esportazione annullata: nessun file scritto.");

class EsportaFallita : public BancoScambio {
protected:
    // A fresh fixture archive for each case: the cases take its tables away.
    void NuovoArchivio()
    {
        archivio.reset();
        archivio = std::make_unique<ArchivioProva>(1);
        ASSERT_TRUE(archivio->Valido());
        archivio->Consiglieri();
        archivio->Argomenti();
        for (int i = 0; i < 3; ++i)
            dbArchivio.Execute(
                QStringLiteral("INSERT INTO VOTI (cPaleseVT, iDeliberaVT, iPresentiVT, iFavorevoliVT, iContrariVT, "
                               "iAstenutiVT, cVotantiVT, cVotiVT) VALUES ('P', 1, 8, 5, 2, 1, ?, ?);"),
                {QString(QChar(1)) + QChar(2) + QString(118, QChar(0)), QStringLiteral("36") + QString(118, u'0')});
    }

    // Breaks the archive from a connection of its own, as another program
    // or a damaged file would: the program's connection refuses such
    // statements.
    void Guasta(const QString& sql) const
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("guasto"));
            db.setDatabaseName(cPathArchivio);
            ASSERT_TRUE(db.open());
            QSqlQuery q(db);
            EXPECT_TRUE(q.exec(sql)) << q.lastError().text().toStdString();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("guasto"));
    }

    QStringList Cartella() const
    {
        return QDir(archivio->Cartella()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

TEST_F(EsportaFallita, WritesNothingAndSaysSoWithTheError)
{
    struct Caso {
        const char* nome;
        const char* sql;    // what breaks the archive
        bool sintesi;
        const char* prima;  // a box the failure raises before the export's own, "" for none
        const char* errore; // a part of the error the export's box names, "" when told before
        bool esistente;     // an earlier file at the destination
    };
    const Caso casi[] = {
        {"VOTI tolta, Sintesi", "DROP TABLE VOTI;", true, "", "'VOTI'", true},
        {"VOTI tolta, Dettaglio", "DROP TABLE VOTI;", false, "", "'VOTI'", true},
        {"VOTI rinominata, Sintesi", "ALTER TABLE VOTI RENAME TO VOTI_VECCHI;", true, "", "'VOTI'", false},
        {"VOTI rinominata, Dettaglio", "ALTER TABLE VOTI RENAME TO VOTI_VECCHI;", false, "", "'VOTI'", true},
        {"DELIBERE tolta, Sintesi", "DROP TABLE DELIBERE;", true, "", "'DELIBERE'", true},
        {"DELIBERE rinominata, Dettaglio", "ALTER TABLE DELIBERE RENAME TO DELIBERE2;", false, "", "'DELIBERE'",
         false},
        {"ANAGRAFE tolta, Dettaglio", "DROP TABLE ANAGRAFE;", false, "'ANAGRAFE'", "", true},
        {"ANAGRAFE vuota, Dettaglio", "DELETE FROM ANAGRAFE;", false, "Archivio Anagrafico Vuoto", "", true},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        NuovoArchivio();
        if (HasFatalFailure()) return;
        const QString f = Percorso(QStringLiteral("voti.txt"));
        const QByteArray vecchio = "vecchio contenuto\r\n";
        if (c.esistente) File(QStringLiteral("voti.txt"), vecchio);
        const QByteArray impronta = Impronta(f);
        const QStringList cartella = Cartella();
        Guasta(QString::fromLatin1(c.sql));

        ui.reset();
        ui = std::make_unique<ScriptedUI>();
        if (*c.prima) (*ui)->AttendiMsg(QString::fromLatin1(c.prima), vbOK, true);
        if (*c.errore)
            (*ui)->AttendiMsg(kAnnullata + QStringLiteral("\n\nErrore "), vbOK, true);
        else
            (*ui)->AttendiMsg(kAnnullata);
        EsportaVoti(f, kFormatoIride, c.sintesi);

        const auto& storia = (*ui)->Storia();
        ASSERT_FALSE(storia.empty());
        EXPECT_TRUE((*ui)->Restanti().empty());
        for (const auto& v : storia) EXPECT_FALSE(v.testo.contains(QStringLiteral("Terminata"))) << v.testo.toStdString();
        EXPECT_TRUE(storia.back().testo.startsWith(kAnnullata)) << storia.back().testo.toStdString();
        if (*c.errore) EXPECT_TRUE(storia.back().testo.contains(QString::fromLatin1(c.errore)))
            << storia.back().testo.toStdString();
        EXPECT_EQ(storia.back().stile, vbCritical);

        // Nothing written: the old file as it was, no new one, no leftover
        // of a file written aside.
        EXPECT_EQ(QFileInfo::exists(f), c.esistente);
        EXPECT_EQ(Impronta(f), impronta);
        if (c.esistente) {
            QFile letto(f);
            ASSERT_TRUE(letto.open(QIODevice::ReadOnly));
            EXPECT_EQ(letto.readAll(), vecchio);
        }
        EXPECT_EQ(Cartella(), cartella);
    }
}

// The "Sintesi" names no seat: seats that cannot be read neither stop it
// nor raise a box before its outcome.
TEST_F(EsportaFallita, SintesiNeedsNoSeats)
{
    NuovoArchivio();
    if (HasFatalFailure()) return;
    Guasta(QStringLiteral("DROP TABLE ANAGRAFE;"));
    ui.reset();
    ui = std::make_unique<ScriptedUI>();
    (*ui)->AttendiMsg(QStringLiteral("Esportazione Voti Terminata"));
    const QString f = Percorso(QStringLiteral("sintesi.txt"));
    EsportaVoti(f, kFormatoIride, true);
    EXPECT_EQ((*ui)->Storia().size(), 1u);
    EXPECT_EQ(Record(f).size(), 3u);
}

}  // namespace
