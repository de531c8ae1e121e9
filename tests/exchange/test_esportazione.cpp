// Export of the stored votes: both layouts compared field by field with the
// rows of "VOTI", "DELIBERE" and "ANAGRAFE" they come from; the vote
// letters; the item of a vote (immediate executability, positions 0 and
// Null, an item not found); a row without counts after one with them; the
// seats read into the export's own copy; texts that would shift the
// fields; an empty table, another format, a vote running; the menu entries
// through the file picker.
#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <memory>

#include "BancoScambio.h"
#include "console/Spoglio.h"
#include "shell/Anagrafe.h"
#include "shell/frmGetFile.h"
#include "shell/frmMain.h"
#include "support/AlComparire.h"

using namespace obx;
using namespace obx::test;

namespace {

const QString kTerminata = QStringLiteral("Esportazione Voti Terminata");

// Keys of a vote for person codes 1.. in order: ' ' did not key, any other
// character keyed that key.
struct VotoProva {
    QVariant delibera;
    QVariant presenti, favorevoli, contrari, astenuti;
    QString tasti;
};

class Esportazione : public BancoScambio {
protected:
    void SetUp() override
    {
        BancoScambio::SetUp();
        if (HasFatalFailure()) return;
        archivio->AggiungeArgomento(
            {5, 0, QStringLiteral("D"), QStringLiteral("Posizione zero"), QStringLiteral("Zero"), {}, {}, {}});
        Protocollo(1, QStringLiteral("  PG/2026/1  "));
        Protocollo(2, QString::fromUtf8("Prot.è 2"));
        Protocollo(4, QStringLiteral("R/7"));
        Protocollo(5, QStringLiteral("ZERO"));
        for (int codice = 1; codice <= 6; ++codice)
            Iride(codice, codice == 3 ? QStringLiteral(" A3 ") : QStringLiteral("ID%1").arg(codice));
    }

    static void Protocollo(int delibera, const QString& p)
    {
        dbArchivio.Execute(QStringLiteral("UPDATE DELIBERE SET cProtocolloDE = ? WHERE iDeliberaDE = ?;"),
                           {p, delibera});
    }
    static void Iride(int codice, const QString& id)
    {
        dbArchivio.Execute(QStringLiteral("UPDATE ANAGRAFE SET cIrideIdAN = ? WHERE bCodiceAN = ?;"), {id, codice});
    }

    static void Memorizza(const VotoProva& v)
    {
        QString votanti(120, QChar(0)), voti(120, u'0');
        for (int i = 0; i < v.tasti.size(); ++i) {
            if (v.tasti.at(i) == u' ') continue;
            votanti[i] = QChar(i + 1);
            voti[i] = v.tasti.at(i);
        }
        Recordset rs = dbArchivio.OpenTable(cTabelle[4], QStringLiteral("TAG_A"));
        rs.AddNew();
        rs.SetField(QStringLiteral("cPaleseVT"), QStringLiteral("P"));
        rs.SetField(QStringLiteral("iDeliberaVT"), v.delibera);
        rs.SetField(QStringLiteral("iPresentiVT"), v.presenti);
        rs.SetField(QStringLiteral("iFavorevoliVT"), v.favorevoli);
        rs.SetField(QStringLiteral("iContrariVT"), v.contrari);
        rs.SetField(QStringLiteral("iAstenutiVT"), v.astenuti);
        rs.SetField(QStringLiteral("cVotantiVT"), votanti);
        rs.SetField(QStringLiteral("cVotiVT"), voti);
        rs.Update();
    }

    // Six votes: on items 1 and 2, on the immediate executability of the
    // item at position 7, at position 0, without position nor counts, at a
    // position no item holds.
    void Voti()
    {
        Memorizza({1, 8, 4, 2, 1, QStringLiteral("33650 +")});
        Memorizza({-7, 8, 6, 1, 0, QStringLiteral("3333336 ")});
        Memorizza({2, 7, 0, 0, 7, QStringLiteral(" 5555555")});
        Memorizza({0, 6, 3, 3, 0, QStringLiteral("333666  ")});
        Memorizza({QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QStringLiteral("3")});
        Memorizza({99, 5, 5, 0, 0, QStringLiteral("33333   ")});
    }

    QString Esporta(bool sintesi, const QString& nome = QStringLiteral("voti.txt"))
    {
        const QString f = Percorso(nome);
        (*ui)->AttendiMsg(kTerminata);
        EsportaVoti(f, kFormatoIride, sintesi);
        const auto& s = (*ui)->Storia();
        if (!s.empty()) {
            EXPECT_EQ(s.back().stile, vbOKOnly);
            EXPECT_EQ(s.back().titolo, kTitoloOBX);
        }
        return f;
    }
};

// What the rows say, read back by the test on its own.
struct RigaVotoLetta {
    QVariant delibera, presenti, favorevoli, contrari, astenuti;
    QString votanti, voti;
};
std::vector<RigaVotoLetta> RigheVoti()
{
    std::vector<RigaVotoLetta> v;
    Recordset rs = dbArchivio.OpenQuery(QStringLiteral("SELECT * FROM VOTI ORDER BY lCodiceVT;"));
    for (; !rs.Eof(); rs.MoveNext())
        v.push_back({rs.Field(QStringLiteral("iDeliberaVT")), rs.Field(QStringLiteral("iPresentiVT")),
                     rs.Field(QStringLiteral("iFavorevoliVT")), rs.Field(QStringLiteral("iContrariVT")),
                     rs.Field(QStringLiteral("iAstenutiVT")), rs.Field(QStringLiteral("cVotantiVT")).toString(),
                     rs.Field(QStringLiteral("cVotiVT")).toString()});
    return v;
}

// Number and trimmed protocol of the item at a position, by a scan of the
// table in key order; empty when no item is there.
std::pair<QString, QString> ArgomentoA(int posizione)
{
    Recordset rs = dbArchivio.OpenTable(cTabelle[2], QStringLiteral("TAG_A"));
    for (; !rs.Eof(); rs.MoveNext()) {
        const QVariant p = rs.Field(QStringLiteral("iPosOdGDE"));
        if (posizione != 0 && p.isValid() && p.toInt() == posizione)
            return {rs.Field(QStringLiteral("iDeliberaDE")).toString(),
                    TrimSpazi(rs.Field(QStringLiteral("cProtocolloDE")).toString())};
    }
    return {};
}

QString Numero(const QVariant& v) { return QString::number(v.toInt()); }

TEST_F(Esportazione, SintesiHasOneRecordAVoteMatchingItsRow)
{
    Voti();
    const auto record = Record(Esporta(true));
    const auto righe = RigheVoti();
    ASSERT_EQ(record.size(), righe.size());
    for (size_t i = 0; i < righe.size(); ++i) {
        const RigaVotoLetta& r = righe[i];
        SCOPED_TRACE(i);
        ASSERT_EQ(record[i].size(), 5);
        EXPECT_EQ(record[i][0], ArgomentoA(std::abs(r.delibera.toInt())).second);
        EXPECT_EQ(record[i][1], Numero(r.presenti));
        EXPECT_EQ(record[i][2], Numero(r.favorevoli));
        EXPECT_EQ(record[i][3], Numero(r.contrari));
        EXPECT_EQ(record[i][4], Numero(r.astenuti));
    }
    // The same, spelt out: the protocol trimmed, the immediate executability
    // on the item at position 7, positions 0 and Null and 99 matching none,
    // a row without counts after one with them.
    const std::vector<QStringList> attesi = {{"PG/2026/1", "8", "4", "2", "1"},
                                             {"R/7", "8", "6", "1", "0"},
                                             {QString::fromUtf8("Prot.è 2"), "7", "0", "0", "7"},
                                             {"", "6", "3", "3", "0"},
                                             {"", "0", "0", "0", "0"},
                                             {"", "5", "5", "0", "0"}};
    EXPECT_EQ(record, attesi);
}

TEST_F(Esportazione, DettaglioHasOneRecordASeatAVoteMatchingTheRows)
{
    Voti();
    const auto record = Record(Esporta(false));
    const auto righe = RigheVoti();
    Registro anagrafe;
    ASSERT_TRUE(LeggeAnagrafe(anagrafe));
    const size_t seggi = anagrafe.posti.size() - 1;
    ASSERT_EQ(seggi, 8u);
    ASSERT_EQ(record.size(), righe.size() * seggi);
    const QString lettere = QStringLiteral("0A3F5N6C");
    for (size_t v = 0; v < righe.size(); ++v) {
        const RigaVotoLetta& r = righe[v];
        const int delibera = r.delibera.toInt();
        const auto argomento = ArgomentoA(std::abs(delibera));
        for (size_t s = 0; s < seggi; ++s) {
            const Posto& p = anagrafe.posti[s + 1];
            const QStringList& c = record[v * seggi + s];
            SCOPED_TRACE(QStringLiteral("voto %1 seggio %2").arg(v).arg(s + 1).toStdString());
            ASSERT_EQ(c.size(), 6);
            EXPECT_EQ(c[0], argomento.first);
            EXPECT_EQ(c[1], argomento.second);
            EXPECT_EQ(c[2], TrimSpazi(p.cIrideIdAN));
            const int pos = int(r.votanti.indexOf(QChar(p.bCodiceAN)));
            EXPECT_EQ(c[3], pos >= 0 ? QStringLiteral("S") : QStringLiteral("N"));
            QString lettera;
            if (pos >= 0) {
                const int k = int(lettere.indexOf(r.voti.at(pos)));
                if (k >= 0 && k % 2 == 0) lettera = lettere.at(k + 1);
            }
            EXPECT_EQ(c[4], delibera >= 0 ? lettera : QString());
            EXPECT_EQ(c[5], delibera < 0 ? lettera : QString());
        }
    }
    // The first vote spelt out: yes, yes, no, abstain, a key "0", not keyed,
    // "+" of a presence, not keyed; persons 7 and 8 have no identifier.
    const std::vector<QStringList> primo = {
        {"1", "PG/2026/1", "ID1", "S", "F", ""}, {"1", "PG/2026/1", "ID2", "S", "F", ""},
        {"1", "PG/2026/1", "A3", "S", "C", ""},  {"1", "PG/2026/1", "ID4", "S", "N", ""},
        {"1", "PG/2026/1", "ID5", "S", "A", ""}, {"1", "PG/2026/1", "ID6", "N", "", ""},
        {"1", "PG/2026/1", "", "S", "", ""},     {"1", "PG/2026/1", "", "N", "", ""}};
    EXPECT_EQ(std::vector<QStringList>(record.begin(), record.begin() + 8), primo);
    // Immediate executability: the letters in the last field.
    EXPECT_EQ(record[8], (QStringList{"4", "R/7", "ID1", "S", "", "F"}));
    EXPECT_EQ(record[14], (QStringList{"4", "R/7", "", "S", "", "C"}));
    EXPECT_EQ(record[15], (QStringList{"4", "R/7", "", "N", "", ""}));
}

TEST_F(Esportazione, AnEmptyTableGivesAnEmptyFileOverAnOldOne)
{
    const QString f = File(QStringLiteral("voti.txt"), "vecchio contenuto\r\n");
    Esporta(false);
    EXPECT_EQ(QFileInfo(f).size(), 0);
}

TEST_F(Esportazione, AnotherFormatWritesNonPrevistoForEveryRecord)
{
    Voti();
    for (const bool sintesi : {true, false}) {
        const QString f = Percorso(QStringLiteral("altro.txt"));
        (*ui)->AttendiMsg(kTerminata);
        EsportaVoti(f, QStringLiteral("Altro"), sintesi);
        QFile file(f);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray riga = "Non Previsto\r\n";
        QByteArray atteso;
        for (int i = 0; i < (sintesi ? 6 : 48); ++i) atteso += riga;
        EXPECT_EQ(file.readAll(), atteso);
    }
}

TEST_F(Esportazione, ATextHoldingTheSeparatorRefusesTheExportAndKeepsTheOldFile)
{
    Voti();
    const QString f = File(QStringLiteral("voti.txt"), "vecchio\r\n");
    Protocollo(2, QStringLiteral("P@2"));
    (*ui)->AttendiMsg(QStringLiteral("Esportazione annullata: nessun file scritto.\n\n"
                                     "Votazione 3: il protocollo \"P@2\" dell'argomento 2 contiene \"@\", che "
                                     "separa i campi"));
    EsportaVoti(f, kFormatoIride, true);
    QFile file(f);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("vecchio\r\n"));
    file.close();

    // An identifier of a person: refused in the detail, which writes it.
    Protocollo(2, QStringLiteral("P2"));
    Iride(4, QStringLiteral("X@4"));
    (*ui)->AttendiMsg(QStringLiteral("Esportazione annullata: nessun file scritto.\n\n"
                                     "Giorgio Esposito (codice 4): l'identificativo esterno \"X@4\" contiene \"@\", "
                                     "che separa i campi"));
    EsportaVoti(f, kFormatoIride, false);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("vecchio\r\n"));
    file.close();
    EXPECT_EQ(Record(Esporta(true)).size(), 6u);
}

TEST_F(Esportazione, TheSeatsOfAnOpenSittingAreLeftAlone)
{
    Voti();
    // The console's seats: loaded, then changed by the sitting (attendance,
    // a seat fewer in memory).
    ASSERT_TRUE(GestisceAnagrafe(true));
    for (size_t i = 1; i < aPosti.size(); ++i) aPosti[i].iStato = 9;
    aPosti.pop_back();
    aPosti[2].cNomeBreveAN = QStringLiteral("IN AULA");
    bConsoleAperta = true;
    const auto prima = aPosti;
    const auto record = Record(Esporta(false));
    EXPECT_EQ(record.size(), 6u * 8u);
    ASSERT_EQ(aPosti.size(), prima.size());
    for (size_t i = 1; i < aPosti.size(); ++i) {
        EXPECT_EQ(aPosti[i].iStato, 9);
        EXPECT_EQ(aPosti[i].cNomeBreveAN, prima[i].cNomeBreveAN);
    }
}

TEST_F(Esportazione, RefusedWhileAVoteRuns)
{
    Voti();
    iModoVoto = 1;
    (*ui)->AttendiMsg(QString::fromUtf8(kMsgVotoInCorso));
    EsportaVoti(Percorso(QStringLiteral("voti.txt")), kFormatoIride, true);
    iModoVoto = 0;
    EXPECT_FALSE(QFileInfo::exists(Percorso(QStringLiteral("voti.txt"))));
}

// Answers the file picker when it comes up: in list mode picks the file of
// that name, in new-name mode types it; an empty name is "Annulla".  The
// picker must open in the mode given, on the archive's folder.
void Sceglie(bool lista, const QString& cartella, const QString& nome)
{
    AlComparire<frmGetFile>([=](frmGetFile* g) {
        EXPECT_EQ(g->xList, lista);
        EXPECT_EQ(QFileInfo(g->CartellaScelta()).canonicalFilePath(), QFileInfo(cartella).canonicalFilePath());
        EXPECT_EQ(g->lstFile->isVisibleTo(g), lista);
        EXPECT_EQ(g->getNuovoNome->isVisibleTo(g), !lista);
        if (nome.isEmpty()) {
            g->cmdFine_Click();
            return;
        }
        if (lista) {
            const auto voci = g->lstFile->findItems(nome, Qt::MatchExactly);
            ASSERT_EQ(voci.size(), 1) << nome.toStdString();
            g->lstFile->setCurrentItem(voci.first());
        } else {
            g->getNuovoNome->setText(nome);
        }
        g->cmdOK_Click();
    });
}

TEST_F(Esportazione, TheMenuEntriesAskTheFilePickerFirst)
{
    Voti();
    frmMain m;
    ASSERT_TRUE(m.mnuArchivi[1]->isEnabled());
    ASSERT_TRUE(m.mnuArchiviEsporta[0]->isEnabled());
    ASSERT_TRUE(m.mnuArchiviEsporta[1]->isEnabled());
    EXPECT_EQ(m.mnuArchivi[1]->text(), QStringLiteral("Importazione Argomenti OdG"));
    EXPECT_EQ(m.mnuArchiviEsporta[0]->text(), QStringLiteral("Sintesi"));
    EXPECT_EQ(m.mnuArchiviEsporta[1]->text(), QStringLiteral("Dettaglio"));

    // A new name typed: the file takes it as it stands, an old file of that
    // name is replaced.
    File(QStringLiteral("sintesi.txt"), "vecchio\r\n");
    Sceglie(false, archivio->Cartella(), QStringLiteral("sintesi.txt"));
    (*ui)->AttendiMsg(kTerminata);
    m.mnuArchiviEsporta[0]->trigger();
    EXPECT_EQ(Record(Percorso(QStringLiteral("sintesi.txt"))).size(), 6u);

    Sceglie(false, archivio->Cartella(), QStringLiteral("dettaglio"));
    (*ui)->AttendiMsg(kTerminata);
    m.mnuArchiviEsporta[1]->trigger();
    EXPECT_EQ(Record(Percorso(QStringLiteral("dettaglio"))).size(), 48u);

    // "Annulla": nothing written, nothing said.
    const size_t detti = (*ui)->Storia().size();
    const QStringList agenda = Titoli();
    Sceglie(false, archivio->Cartella(), QString());
    m.mnuArchiviEsporta[1]->trigger();
    Sceglie(true, archivio->Cartella(), QString());
    m.mnuArchivi[1]->trigger();
    EXPECT_EQ((*ui)->Storia().size(), detti);
    EXPECT_EQ(Titoli(), agenda);

    // The import picks an existing file from the list.
    Agenda({QStringLiteral("40@P/40@1@Nuovo")}, QStringLiteral("odg.txt"));
    Sceglie(true, archivio->Cartella(), QStringLiteral("odg.txt"));
    (*ui)->AttendiMsg(QStringLiteral("Confermi Svuotamento Archivio"), vbOK);
    (*ui)->AttendiMsg(QStringLiteral("Importazione Terminata"));
    m.mnuArchivi[1]->trigger();
    EXPECT_EQ(Titoli(), QStringList{QStringLiteral("40 Nuovo")});

    // A vote running: refused before the file is asked.
    const auto chiesto = std::make_shared<bool>(false);
    AlComparire<frmGetFile>([chiesto](frmGetFile* g) {
        *chiesto = true;
        g->cmdFine_Click();
    });
    iModoVoto = 1;
    (*ui)->AttendiMsg(QString::fromUtf8(kMsgVotoInCorso));
    m.mnuArchiviEsporta[0]->trigger();
    (*ui)->AttendiMsg(QString::fromUtf8(kMsgVotoInCorso));
    m.mnuArchivi[1]->trigger();
    iModoVoto = 0;
    EXPECT_FALSE(*chiesto);
}

}  // namespace
