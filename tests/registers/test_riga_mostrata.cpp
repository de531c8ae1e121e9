// What the registers do act on the row shown: a delete only for the key on
// the screen, a stored value longer than the display type's limit shown
// whole and saved whole, and no archive work that closes the record sets
// under an open register.
#include <QAction>
#include <QApplication>
#include <QPointer>

#include "Registri.h"
#include "registers/frmAnag.h"
#include "registers/frmDelib.h"
#include "shell/frmMain.h"

using namespace obx;
using namespace obx::test;

namespace {

class RigaMostrata : public RegistroProva {
protected:
    void SetUp() override
    {
        RegistroProva::SetUp();
        archivio->AggiungePersona({1, QStringLiteral("Mario Rossi"), QStringLiteral("ROSSI M."), QStringLiteral("C"),
                                   QStringLiteral("Lista"), 1, 1, 1, 0, 0});
        archivio->AggiungePersona({2, QStringLiteral("Laura Bianchi"), QStringLiteral("BIANCHI L."),
                                   QStringLiteral("C"), QStringLiteral("Lista"), 2, 2, 2, 0, 0});
        archivio->AggiungeArgomento(
            {1, 1, QStringLiteral("D"), QStringLiteral("Bilancio"), QStringLiteral("Bilancio")});
        archivio->AggiungeArgomento(
            {2, 2, QStringLiteral("D"), QStringLiteral("Variante"), QStringLiteral("Variante")});
    }
    void ChiudeFinestre() override
    {
        Chiude(frmAnag::Aperta());
        Chiude(frmDelib::Aperta());
    }
    static QLineEdit* Campo(QWidget* w, const char* nome, int i)
    {
        return w->findChild<QLineEdit*>(QStringLiteral("%1(%2)").arg(QLatin1String(nome)).arg(i));
    }
    static QPushButton* Comando(QWidget* w, const char* nome, int i)
    {
        return w->findChild<QPushButton*>(QStringLiteral("%1(%2)").arg(QLatin1String(nome)).arg(i));
    }
};

// A register, its key field, its delete and new-entry buttons, and the
// question its delete asks for key 2.
struct Registro {
    const char* nome;
    QWidget* (*apre)();
    const char* campo;
    const char* comando;
    int elimina, nuovo;
    const char* domanda;
    int tabella;
};
const Registro kRegistri[] = {
    {"anagrafe", [] { return static_cast<QWidget*>(frmAnag::Mostra()); }, "getAnag", "cmdAnag", 1, 5,
     "Confermi cancellazione Codice 2", 1},
    {"delibere", [] { return static_cast<QWidget*>(frmDelib::Mostra()); }, "getDelibera", "cmdDelibere", 1, 4,
     "Confermi cancellazione Numero OdG 2", 2},
};

TEST_F(RigaMostrata, EliminaSoloLaRigaDellaChiaveSulloSchermo)
{
    for (const Registro& r : kRegistri) {
        SCOPED_TRACE(r.nome);
        QWidget* w = r.apre();
        ASSERT_NE(w, nullptr);
        QLineEdit* chiave = Campo(w, r.campo, 0);
        ASSERT_EQ(chiave->text().trimmed(), QStringLiteral("1"));

        // A key that is not in the archive: the first row stays current.
        Digita(chiave, QStringLiteral("9"));
        Esce(chiave);
        (*ui)->AttendiMsg(QStringLiteral("non in archivio"), vbOK, true);
        Comando(w, r.comando, r.elimina)->click();
        EXPECT_TRUE((*ui)->Restanti().empty());
        EXPECT_TRUE(UltimoDialogo().testo.contains(QStringLiteral("9 non in archivio")))
            << UltimoDialogo().testo.toStdString();

        // A new entry: the same.
        Comando(w, r.comando, r.nuovo)->click();
        (*ui)->AttendiMsg(QStringLiteral("non in archivio"), vbOK, true);
        Comando(w, r.comando, r.elimina)->click();
        EXPECT_EQ(ArchivioProva::Righe(cTabelle[size_t(r.tabella)]), 2);

        // The key of a row: that row is the one asked for and deleted.
        Digita(chiave, QStringLiteral("2"));
        Esce(chiave);
        (*ui)->AttendiMsg(QString::fromLatin1(r.domanda), vbOK);
        Comando(w, r.comando, r.elimina)->click();
        EXPECT_TRUE(Riga(cTabelle[size_t(r.tabella)], 2).isEmpty());
        EXPECT_FALSE(Riga(cTabelle[size_t(r.tabella)], 1).isEmpty());
        Chiude(w);
    }
}

TEST_F(RigaMostrata, NomeBrevePiuLungoDelTabelloneMostratoESalvatoIntero)
{
    const QString lungo = QStringLiteral("BIANCHI LAURA MA");  // 16
    ScriveCampi(cTabelle[1], 2, {{QStringLiteral("cNomeBreveAN"), lungo}});
    iTipoTAB = 3;  // a board of 16 characters a line: short names of 10
    frmAnag* w = frmAnag::Mostra();
    ASSERT_NE(w, nullptr);
    QLineEdit* breve = Campo(w, "getAnag", 2);
    EXPECT_EQ(breve->maxLength(), 10);

    QLineEdit* chiave = Campo(w, "getAnag", 0);
    Digita(chiave, QStringLiteral("2"));
    Esce(chiave);
    EXPECT_EQ(breve->text(), lungo);
    // Another field changed, then saved: the short name stays whole.
    Digita(Campo(w, "getAnag", 3), QStringLiteral("Insieme"));
    Comando(w, "cmdAnag", 0)->click();
    EXPECT_EQ(Comando(w, "cmdAnag", 0)->text(), QStringLiteral("Salvato"));
    EXPECT_EQ(Riga(cTabelle[1], 2)[QStringLiteral("cNomeBreveAN")].toString(), lungo);

    // What is typed still stops at the limit.
    Comando(w, "cmdAnag", 5)->click();
    EXPECT_EQ(breve->maxLength(), 10);
    Digita(breve, QStringLiteral("ABCDEFGHIJKLMN"));
    EXPECT_EQ(breve->text(), QStringLiteral("ABCDEFGHIJ"));
}

TEST_F(RigaMostrata, RigheDelTabellonePiuLungheMostrateESalvateIntere)
{
    const QString righe[3] = {QStringLiteral("BILANCIO DI PREVISIONE 2"), QStringLiteral("ESERCIZIO FINANZIARIO 26"),
                              QStringLiteral("E PLURIENNALE 2026-2028.")};  // 24 each
    ScriveCampi(cTabelle[2], 1,
                {{QStringLiteral("cTitolino1DE"), righe[0]},
                 {QStringLiteral("cTitolino2DE"), righe[1]},
                 {QStringLiteral("cTitolino3DE"), righe[2]}});
    for (int tipo : {2, 3}) {  // 20 characters on three rows; 16 on one, two hidden
        SCOPED_TRACE(tipo);
        iTipoTAB = tipo;
        frmDelib* w = frmDelib::Mostra();
        ASSERT_NE(w, nullptr);
        for (int k = 0; k < 3; ++k) EXPECT_EQ(Campo(w, "getDelibera", 5 + k)->text(), righe[k]) << k;
        // Shown again once the window has its limits: another item, then
        // this one, called up by their numbers.
        QLineEdit* chiave = Campo(w, "getDelibera", 0);
        for (const char* numero : {"2", "1"}) {
            Digita(chiave, QString::fromLatin1(numero));
            Esce(chiave);
        }
        for (int k = 0; k < 3; ++k) EXPECT_EQ(Campo(w, "getDelibera", 5 + k)->text(), righe[k]) << k;
        Digita(Campo(w, "getDelibera", 1), QStringLiteral("PROT-1"));
        Comando(w, "cmdDelibere", 0)->click();
        EXPECT_EQ(Comando(w, "cmdDelibere", 0)->text(), QStringLiteral("Salvato"));
        const QVariantMap r = Riga(cTabelle[2], 1);
        EXPECT_EQ(r[QStringLiteral("cTitolino1DE")].toString(), righe[0]);
        EXPECT_EQ(r[QStringLiteral("cTitolino2DE")].toString(), righe[1]);
        EXPECT_EQ(r[QStringLiteral("cTitolino3DE")].toString(), righe[2]);
        Chiude(w);
    }
}

// "Copia Archivi" and the archive's repair close the database under the
// windows: refused while a register is open, which then saves as before.
TEST_F(RigaMostrata, CopiaRifiutataConUnRegistroAperto)
{
    frmMain m;
    frmAnag* w = frmAnag::Mostra();
    ASSERT_NE(w, nullptr);
    {
        ChiudeCopia copia;
        for (int voce : {9, 11}) {
            SCOPED_TRACE(voce);
            (*ui)->AttendiMsg(QStringLiteral("Chiudere prima le finestre degli archivi:\nAnagrafe Generale"));
            m.mnuArchivi_Click(voce);
            EXPECT_TRUE((*ui)->Restanti().empty());
        }
        EXPECT_FALSE(copia.vista);
    }
    EXPECT_TRUE(dbArchivio.IsOpen());

    Digita(Campo(w, "getAnag", 3), QStringLiteral("Insieme"));
    Comando(w, "cmdAnag", 0)->click();
    EXPECT_EQ(Comando(w, "cmdAnag", 0)->text(), QStringLiteral("Salvato"));
    EXPECT_EQ(Riga(cTabelle[1], 1)[QStringLiteral("cPartitoAN")].toString().trimmed(), QStringLiteral("Insieme"));
}

}  // namespace
