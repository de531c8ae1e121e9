// "Copia Archivi": a name typed with ".db" keeps one ".db"; an existing
// destination (the copy or its ".ini") is replaced only after a question
// whose default is Cancel, and Cancel leaves it byte-identical.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>

#include "exchange/BancoScambio.h"
#include "shell/frmCopia.h"

using namespace obx;
using namespace obx::test;

namespace {

class CopiaArchivi : public BancoScambio {
protected:
    void SetUp() override
    {
        BancoScambio::SetUp();
        if (HasFatalFailure()) return;
        if (!QFileInfo::exists(cFileConfig)) File(QStringLiteral("prova.ini"), "[Archivio]\r\nTipo=1\r\n");
        ASSERT_TRUE(QDir(archivio->Cartella()).mkdir(QStringLiteral("copie")));
        // The menu closes the archive before the copy's window.
        dbArchivio.Close();
        sorgente = Impronta(cPathArchivio);
        configurazione = Impronta(cFileConfig);
        ASSERT_FALSE(sorgente.isEmpty());
    }

    QString Copie(const QString& nome) const { return Percorso(QStringLiteral("copie/") + nome); }

    QByteArray sorgente, configurazione;
};

TEST_F(CopiaArchivi, ATypedExtensionIsNotDoubled)
{
    const char* const nomi[] = {"copia.db", "copia", "copia.db  ", "COPIA.DB"};
    for (const char* n : nomi) {
        SCOPED_TRACE(n);
        const QString base = QString::fromLatin1(n).trimmed().startsWith(u'C') ? QStringLiteral("COPIA")
                                                                                 : QStringLiteral("copia");
        QDir(Copie(QString())).removeRecursively();
        QDir().mkpath(Copie(QString()));
        frmCopia c;
        c.ImpostaCartella(Copie(QString()));
        c.getNuovoNome->setText(QString::fromLatin1(n));
        const QString db = c.CartellaScelta() + base + QStringLiteral(".db");
        (*ui)->AttendiMsg(QStringLiteral("Copia Terminata\n") + db);
        EXPECT_TRUE(c.cmdCopia_Click());
        EXPECT_EQ(QDir(Copie(QString())).entryList(QDir::Files, QDir::Name),
                  (QStringList{base + QStringLiteral(".db"), base + QStringLiteral(".ini")}));
        EXPECT_EQ(Impronta(db), sorgente);
        EXPECT_EQ(Impronta(c.CartellaScelta() + base + QStringLiteral(".ini")), configurazione);
    }
}

TEST_F(CopiaArchivi, AnExistingDestinationIsReplacedOnlyWhenTheOperatorSaysSo)
{
    struct Caso {
        const char* nome;
        bool db, ini;  // already there
        int risposta;  // vbOK / vbCancel
    };
    const Caso casi[] = {
        {"copia.db", true, false, vbCancel}, {"copia", true, false, vbOK},
        {"copia", false, true, vbCancel},    {"copia.db", false, true, vbOK},
        {"copia", true, true, vbCancel},     {"copia.db", true, true, vbOK},
    };
    const QByteArray vecchioDb = "una copia di prima\r\n", vecchioIni = "[Vecchia]\r\n";
    for (const Caso& k : casi) {
        SCOPED_TRACE(std::string(k.nome) + (k.db ? " db" : "") + (k.ini ? " ini" : "") +
                     (k.risposta == vbOK ? " OK" : " Annulla"));
        QDir(Copie(QString())).removeRecursively();
        QDir().mkpath(Copie(QString()));
        frmCopia c;
        c.ImpostaCartella(Copie(QString()));
        const QString db = c.CartellaScelta() + QStringLiteral("copia.db");
        const QString ini = c.CartellaScelta() + QStringLiteral("copia.ini");
        auto scrive = [](const QString& p, const QByteArray& dati) {
            QFile f(p);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(dati);
        };
        if (k.db) scrive(db, vecchioDb);
        if (k.ini) scrive(ini, vecchioIni);
        const QByteArray primaDb = Impronta(db), primaIni = Impronta(ini);

        const QString domanda =
            (k.db && k.ini ? QStringLiteral("I file ") + db + QStringLiteral(" e ") + ini +
                                 QString::fromUtf8(" esistono già.")
                           : QStringLiteral("Il file ") + (k.db ? db : ini) + QString::fromUtf8(" esiste già.")) +
            QStringLiteral("\nConfermi la sostituzione ?");
        (*ui)->AttendiMsg(domanda, k.risposta);
        if (k.risposta == vbOK) (*ui)->AttendiMsg(QStringLiteral("Copia Terminata\n") + db);
        c.getNuovoNome->setText(QString::fromLatin1(k.nome));
        EXPECT_EQ(c.cmdCopia_Click(), k.risposta == vbOK);

        const auto& storia = (*ui)->Storia();
        EXPECT_TRUE((*ui)->Restanti().empty());
        const auto& q = storia.at(storia.size() - (k.risposta == vbOK ? 2 : 1));
        EXPECT_EQ(q.testo, domanda);
        EXPECT_EQ(q.stile, vbOKCancel + vbQuestion + vbDefaultButton2);
        EXPECT_EQ(q.titolo, kTitoloOBX);
        if (k.risposta == vbOK) {
            EXPECT_EQ(Impronta(db), sorgente);
            EXPECT_EQ(Impronta(ini), configurazione);
        } else {
            EXPECT_EQ(Impronta(db), primaDb);
            EXPECT_EQ(Impronta(ini), primaIni);
            EXPECT_EQ(QFileInfo::exists(db), k.db);
            EXPECT_EQ(QFileInfo::exists(ini), k.ini);
        }
        // Never the doubled name, never a leftover of the copy.
        EXPECT_EQ(QDir(Copie(QString())).entryList(QDir::Files, QDir::Name).size(),
                  qsizetype(k.risposta == vbOK ? 2 : int(k.db) + int(k.ini)));
        // The source is as it was.
        EXPECT_EQ(Impronta(cPathArchivio), sorgente);
    }
}

}  // namespace
