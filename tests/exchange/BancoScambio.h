// What the exchange-file tests share: a fixture archive with the small
// council of the support fixture, scripted dialogs, files written in a
// temporary folder as raw bytes, the agenda read back, and exported files
// split into records and fields.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

#include "platform/Database.h"
#include "platform/Testo.h"
#include "reports/Scambio.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"
#include "support/ArchivioProva.h"
#include "support/QtApp.h"
#include "support/ScriptedUI.h"

namespace obx::test {

// One row of "DELIBERE" as the import leaves it (texts right-trimmed).
struct RigaDelibera {
    int numero = 0;
    QString titolino, protocollo, tipo, titolo;
    int quorum = 0;
    QString riga1, riga2, riga3;
    QVariant posizione;
    bool regolamentoNullo = false, articoloNullo = false, gruppoNullo = false;
};

inline std::vector<RigaDelibera> Delibere()
{
    std::vector<RigaDelibera> v;
    Recordset rs = dbArchivio.OpenTable(cTabelle[2], QStringLiteral("TAG_A"));
    for (; !rs.Eof(); rs.MoveNext()) {
        auto t = [&rs](const char* c) { return RTrimSpazi(rs.Field(QString::fromLatin1(c)).toString()); };
        RigaDelibera r;
        r.numero = rs.Field(QStringLiteral("iDeliberaDE")).toInt();
        r.titolino = t("cTitolinoDE");
        r.protocollo = t("cProtocolloDE");
        r.tipo = t("cTipoArgDE");
        r.titolo = t("cTitoloDE");
        r.quorum = rs.Field(QStringLiteral("iQuorumDE")).toInt();
        r.riga1 = t("cTitolino1DE");
        r.riga2 = t("cTitolino2DE");
        r.riga3 = t("cTitolino3DE");
        r.posizione = rs.Field(QStringLiteral("iPosOdGDE"));
        r.regolamentoNullo = !rs.Field(QStringLiteral("iNumOdGRegolamDE")).isValid();
        r.articoloNullo = !rs.Field(QStringLiteral("cArticoloDE")).isValid();
        r.gruppoNullo = !rs.Field(QStringLiteral("cGruppoDE")).isValid();
        v.push_back(r);
    }
    return v;
}

// The titles of the agenda in key order: enough to see that it did not change.
inline QStringList Titoli()
{
    QStringList l;
    for (const RigaDelibera& r : Delibere()) l << QString::number(r.numero) + u' ' + r.titolo;
    return l;
}

// The records of an exported file: every line must end with CR LF and
// every field with "@"; the fields come back without their "@".
inline std::vector<QStringList> Record(const QString& percorso)
{
    std::vector<QStringList> v;
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "file non scritto: " << percorso.toStdString();
        return v;
    }
    const QByteArray dati = f.readAll();
    if (dati.isEmpty()) return v;
    EXPECT_TRUE(dati.endsWith("\r\n"));
    for (const QByteArray& riga : dati.split('\n')) {
        if (riga.isEmpty()) continue;
        EXPECT_TRUE(riga.endsWith('\r')) << "riga senza CR: " << riga.toStdString();
        QString testo = FromCp1252(riga.chopped(1));
        EXPECT_TRUE(testo.endsWith(u'@')) << testo.toStdString();
        testo.chop(1);
        v.push_back(testo.split(u'@'));
    }
    return v;
}

class BancoScambio : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureQApp();
        ImpostaConfigurazionePredefinita();
        AzzeraStatoSeduta();
        iModoVoto = 0;
        bConsoleAperta = false;
        archivio = std::make_unique<ArchivioProva>(1);
        ASSERT_TRUE(archivio->Valido());
        archivio->Consiglieri();
        archivio->Argomenti();
        ui = std::make_unique<ScriptedUI>();
    }
    void TearDown() override
    {
        ui.reset();
        archivio.reset();
        iModoVoto = 0;
        bConsoleAperta = false;
    }

    QString Percorso(const QString& nome) const { return archivio->Cartella() + nome; }

    // Writes the bytes as they stand into a file of the archive's folder.
    QString File(const QString& nome, const QByteArray& dati) const
    {
        QFile f(Percorso(nome));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(dati);
        return f.fileName();
    }

    // An agenda file of the lines given, Windows-1252 with CR LF.
    QString Agenda(const QStringList& righe, const QString& nome = QStringLiteral("odg.txt")) const
    {
        QByteArray dati;
        for (const QString& r : righe) dati += ToCp1252(r) + "\r\n";
        return File(nome, dati);
    }

    std::unique_ptr<ArchivioProva> archivio;
    std::unique_ptr<ScriptedUI> ui;
};

}  // namespace obx::test
