// The reports' tests: a fixture archive, scripted dialogs, a fixed clock
// and a machine without printers, so that every report lands in a new PDF
// file of the archive's "Stampe" folder, as on an installation without a
// printer; and the stored votes the reports read.
#pragma once

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <map>
#include <memory>

#include "Pdf.h"
#include "platform/Database.h"
#include "platform/Dialoghi.h"
#include "platform/Servizi.h"
#include "platform/Testo.h"
#include "reports/Stampa.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"
#include "support/ArchivioProva.h"
#include "support/QtApp.h"
#include "support/ScriptedUI.h"

namespace obx::test {

inline const QDateTime kOraStampa(QDate(2026, 5, 5), QTime(9, 7, 12));  // a Tuesday

// One stored vote: the keys by person code, the rest as the console writes it.
struct VotoProva {
    QString tipo = QStringLiteral("P");
    std::map<int, QChar> tasti;  // person code -> "3", "6", "5" or "+"
    int delibera = 1;
    int quorum = 0;
    int presenti = 0;  // 0: the number of keys
    QDateTime inizio = kOraStampa;
    QString argomento;         // cArgomentoVT
    QString dettaglio, extra;  // cDettaglioVT, cExtraDetVT
    QString nota;              // cNotaVotoVT
    QString presidente = QStringLiteral("Mario Rossi");
};

inline void MemorizzaVoto(const VotoProva& v)
{
    QString voti(120, u'0');
    QString votanti(120, QChar(0));
    int si = 0, no = 0, astenuti = 0;
    for (const auto& [codice, k] : v.tasti) {
        voti[codice - 1] = k;
        votanti[codice - 1] = QChar(codice);
        if (k == u'3')
            ++si;
        else if (k == u'6')
            ++no;
        else if (k == u'5')
            ++astenuti;
    }
    Recordset rs = dbArchivio.OpenTable(cTabelle[4], QStringLiteral("TAG_A"));
    rs.AddNew();
    rs.SetField(QStringLiteral("dDataOraIniVT"), v.inizio);
    rs.SetField(QStringLiteral("dDataOraFinVT"), v.inizio.addSecs(60));
    rs.SetField(QStringLiteral("cPaleseVT"), v.tipo);
    rs.SetField(QStringLiteral("iPresentiVT"), v.presenti ? v.presenti : int(v.tasti.size()));
    rs.SetField(QStringLiteral("iQuorumVT"), v.quorum);
    rs.SetField(QStringLiteral("iFavorevoliVT"), si);
    rs.SetField(QStringLiteral("iContrariVT"), no);
    rs.SetField(QStringLiteral("iAstenutiVT"), astenuti);
    rs.SetField(QStringLiteral("iDeliberaVT"), v.delibera);
    rs.SetField(QStringLiteral("cVotiVT"), voti);
    rs.SetField(QStringLiteral("cVotantiVT"), votanti);
    rs.SetField(QStringLiteral("cPresentiVT"), QString(120, u'0'));
    rs.SetField(QStringLiteral("cPresidenteVT"), PadTaglia(v.presidente, 30));
    rs.SetField(QStringLiteral("cArgomentoVT"), PadTaglia(v.argomento, 30));
    rs.SetField(QStringLiteral("cDettaglioVT"), v.dettaglio);
    rs.SetField(QStringLiteral("cExtraDetVT"), v.extra);
    rs.SetField(QStringLiteral("cNotaVotoVT"), v.nota);
    rs.Update();
    rs.Close();
}

class BancoStampa : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureQApp();
        ui = std::make_unique<ScriptedUI>();
        orologio.Imposta(kOraStampa);
        ImpostaOrologio(&orologio);
        // No printer installed: the program's own file in "Stampe".
        ImpostaElencoStampanti([] { return QStringList(); });
        Stampante().setOutputFileName(QString());
        ImpostaConfigurazionePredefinita();
        AzzeraStatoSeduta();
        bConsoleAperta = false;
        cConsiglio = QStringLiteral("Consiglio Comunale di Prova");
    }
    void TearDown() override
    {
        ImpostaOsservatoreStampa(nullptr);
        FineStampa();
        ui.reset();
        archivio.reset();
        ImpostaElencoStampanti({});
        ImpostaOrologio(nullptr);
        bConsoleAperta = false;
    }

    void Archivio(int tipo = 1)
    {
        archivio = std::make_unique<ArchivioProva>(tipo);
        ASSERT_TRUE(archivio->Valido());
    }

    // Persons with codes da..n: the chair, the mayor, then councillors
    // "Consigliere 003"...
    void Registro(int n, int da = 1)
    {
        for (int i = da; i <= n; ++i)
            archivio->AggiungePersona({i, Nome(i), QStringLiteral("C%1").arg(i),
                                       i == 1   ? QStringLiteral("P")
                                       : i == 2 ? QStringLiteral("S")
                                                : QStringLiteral("C"),
                                       QStringLiteral("Lista"), i, 0, 0, 0, 0});
    }
    static QString Nome(int i)
    {
        if (i == 1) return QStringLiteral("Mario Rossi");
        if (i == 2) return QStringLiteral("Laura Bianchi");
        return QStringLiteral("Consigliere %1").arg(i, 3, 10, QChar(u'0'));
    }

    // The end of a job that went to a file of its own is told.
    void AttendeFile() { (*ui)->AttendiMsg(QStringLiteral("Stampa salvata nel file:\n"), vbOK, true); }

    // With OBX_SCREENSHOT_DIR set, the report's file is kept there under
    // the name given, to be looked at.
    static void ConservaPdf(const QString& file, const QString& nome)
    {
        const QString cartella = qEnvironmentVariable("OBX_SCREENSHOT_DIR");
        if (cartella.isEmpty()) return;
        QDir().mkpath(cartella);
        const QString dove = cartella + u'/' + nome;
        QFile::remove(dove);
        EXPECT_TRUE(QFile::copy(file, dove)) << dove.toStdString();
    }

    // The PDF files in "Stampe".
    QStringList FileStampe() const
    {
        return QDir(CartellaStampe()).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
    }

    std::unique_ptr<ScriptedUI> ui;
    std::unique_ptr<ArchivioProva> archivio;
    OrologioFinto orologio;
};

}  // namespace obx::test
