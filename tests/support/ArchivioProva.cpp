#include "support/ArchivioProva.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>

#include "platform/Database.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"
#include "shell/Manutenzione.h"

namespace obx::test {

ArchivioProva::ArchivioProva(int tipoAssemblea)
{
    if (!m_dir.isValid()) return;
    iTipoAssemblea = tipoAssemblea;
    ImpostaTabelleFisse();
    ImpostaVocabolari();
    cCartella = Cartella();
    cNomeArchivio = QStringLiteral("prova");
    cPathArchivio = cCartella + QStringLiteral("prova.db");
    cFileConfig = cCartella + QStringLiteral("prova.ini");
    cFileLog = cCartella + QStringLiteral("LogFile.txt");
    dbArchivio.Close();
    if (!GestisceArchivi(QStringLiteral("C"), true)) return;
    try {
        dbArchivio.Open(cPathArchivio);
        m_valido = true;
    } catch (const Errore& e) {
        ADD_FAILURE() << "archivio di prova: " << e.what();
    }
}

ArchivioProva::~ArchivioProva() { dbArchivio.Close(); }

namespace {
void Scrive(const QString& tabella, const std::vector<std::pair<const char*, QVariant>>& campi)
{
    try {
        Recordset rs = dbArchivio.OpenTable(tabella, QStringLiteral("TAG_A"));
        rs.AddNew();
        for (const auto& [nome, valore] : campi)
            if (valore.isValid()) rs.SetField(QString::fromLatin1(nome), valore);
        rs.Update();
        rs.Close();
    } catch (const Errore& e) {
        ADD_FAILURE() << "riga di " << tabella.toStdString() << ": " << e.what();
    }
}
}  // namespace

void ArchivioProva::AggiungePersona(const PersonaProva& p)
{
    Scrive(cTabelle[1], {{"bCodiceAN", p.codice},
                         {"cNomeAN", p.nome},
                         {"cTipoAN", p.ruolo},
                         {"iVotatoreAN", p.votatore},
                         {"cPartitoAN", p.partito},
                         {"iPulsanteAN", p.etichetta},
                         {"iPannelloAN", p.led},
                         {"cNomeBreveAN", p.breve},
                         {"nTopAN", p.top},
                         {"nLeftAN", p.left},
                         {"nTopTvAN", 0.0},
                         {"nSinTvAN", 0.0},
                         {"iSmartCardAN", p.votatore}});
}

void ArchivioProva::AggiungeArgomento(const ArgomentoProva& a)
{
    Scrive(cTabelle[2], {{"iDeliberaDE", a.codice},
                         {"cTitoloDE", a.titolo},
                         {"cTitolinoDE", a.titolino},
                         {"iQuorumDE", 0},
                         {"iPosOdGDE", a.posizione},
                         {"cTipoArgDE", a.tipo},
                         {"iNumOdGRegolamDE", a.numeroRegolamento},
                         {"cArticoloDE", a.articolo},
                         {"cGruppoDE", a.gruppo}});
}

void ArchivioProva::AggiungeAtto(const AttoProva& a)
{
    Scrive(cTabelle[5], {{"iCodLeggeLG", a.codice},
                         {"cDescLeggeLG", QStringLiteral("Atto ") + QString::number(a.codice)},
                         {"cParametriLG", a.parametri},
                         {"cIDLeggeLG", a.id1},
                         {"cIDArticoloLG", a.id2},
                         {"cIDEmendaLG", a.id3},
                         {"cNumeroAttoLG", a.numero},
                         {"cTreeKeyLG", a.chiave.leftJustified(66, u' ', true)},
                         {"iRadiceLeggeLG", a.radice}});
}

void ArchivioProva::Consiglieri()
{
    const PersonaProva seggi[] = {
        {1, QStringLiteral("Mario Rossi"), QStringLiteral("ROSSI M."), QStringLiteral("P"),
         QStringLiteral("Lista Civica"), 1, 1, 1, 240, 120},
        {2, QStringLiteral("Laura Bianchi"), QStringLiteral("BIANCHI L."), QStringLiteral("S"),
         QStringLiteral("Lista Civica"), 2, 2, 2, 240, 1440},
        {3, QStringLiteral("Anna Verdi"), QStringLiteral("VERDI A."), QStringLiteral("C"),
         QStringLiteral("Lista Civica"), 3, 3, 3, 600, 120},
        {4, QStringLiteral("Giorgio Esposito"), QStringLiteral("ESPOSITO G."), QStringLiteral("C"),
         QStringLiteral("Lista Civica"), 4, 4, 4, 600, 1440},
        {5, QStringLiteral("Franca Romano"), QStringLiteral("ROMANO F."), QStringLiteral("C"),
         QStringLiteral("Insieme"), 5, 5, 5, 960, 120},
        {6, QStringLiteral("Sergio Colombo"), QStringLiteral("COLOMBO S."), QStringLiteral("C"),
         QStringLiteral("Insieme"), 6, 6, 6, 960, 1440},
        {7, QStringLiteral("Paola Ricci"), QStringLiteral("RICCI P."), QStringLiteral("C"), QStringLiteral("Insieme"),
         7, 7, 7, 1320, 120},
        {8, QStringLiteral("Enzo Marino"), QStringLiteral("MARINO E."), QStringLiteral("C"), QStringLiteral("Insieme"),
         8, 8, 8, 1320, 1440},
    };
    for (const auto& p : seggi) AggiungePersona(p);
    if (iTipoAssemblea != 4) {
        AggiungePersona({9, QStringLiteral("Giulia Neri"), QStringLiteral("NERI G."), QStringLiteral("G"), QString(), 0,
                         0, 0, 0, 0});
        AggiungePersona({10, QStringLiteral("Vittorio Gialli"), QStringLiteral("GIALLI V."), QStringLiteral("V"),
                         QString(), 0, 0, 0, 0, 0});
    }
}

void ArchivioProva::Argomenti()
{
    AggiungeArgomento(
        {1, 1, QStringLiteral("D"), QStringLiteral("Bilancio di previsione"), QStringLiteral("Bilancio"), {}, {}, {}});
    AggiungeArgomento({2,
                       2,
                       QStringLiteral("M"),
                       QStringLiteral("Mozione sul trasporto"),
                       QStringLiteral("Trasporti"),
                       QStringLiteral("b"),
                       {},
                       {}});
    AggiungeArgomento(
        {3, {}, QStringLiteral("D"), QStringLiteral("Senza posizione"), QStringLiteral("Rinviato"), {}, {}, {}});
    AggiungeArgomento({4,
                       7,
                       QStringLiteral("A"),
                       QStringLiteral("Modifica del regolamento"),
                       QStringLiteral("Regolamento"),
                       {},
                       {},
                       {}});
}

QString ChiaveAlbero(const QStringList& segmenti)
{
    QString k;
    for (const QString& s : segmenti) k += s.left(1) + s.mid(1).leftJustified(10, u' ', true);
    return k.leftJustified(66, u' ', true);
}

void ArchivioProva::Atti()
{
    AggiungeAtto({1,
                  QStringLiteral("BNB?????"),
                  ChiaveAlbero({QStringLiteral("B1")}),
                  QStringLiteral("12/2026"),
                  QStringLiteral("1"),
                  {},
                  {},
                  1});
    AggiungeAtto({2,
                  QStringLiteral("JNBJ????"),
                  ChiaveAlbero({QStringLiteral("B1"), QStringLiteral("J3")}),
                  QStringLiteral("12/2026"),
                  QStringLiteral("1"),
                  QStringLiteral("3"),
                  {},
                  1});
    AggiungeAtto({3, QStringLiteral("ENBJE???"),
                  ChiaveAlbero({QStringLiteral("B1"), QStringLiteral("J3"), QStringLiteral("E2")}),
                  QStringLiteral("12/2026"), QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("2"), 1});
}

int ArchivioProva::Righe(const QString& tabella) { return int(dbArchivio.RowCount(tabella)); }

QByteArray Impronta(const QString& percorso)
{
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

}  // namespace obx::test
