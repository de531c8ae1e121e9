// What the timed programs over an archive of years of sittings share: the
// program's messages printed rather than asked (no dialog is expected of
// them), the archive file in the folder named on the command line (else in
// a temporary one), and the events of those years.
#pragma once

#include <QDateTime>
#include <QTemporaryDir>
#include <QVariant>
#include <cstdio>

#include "platform/Database.h"
#include "platform/Dialoghi.h"
#include "shell/Globali.h"
#include "shell/Manutenzione.h"

namespace obx::bench {

class BancoArchivio {
public:
    // cPathArchivio becomes nomeFile in the folder of argv[1], or in a
    // temporary folder when none is named.
    BancoArchivio(int argc, char** argv, const QString& nomeFile)
    {
        m_ui.Fallimento = [](const QString& m) { std::fprintf(stderr, "%s\n", qPrintable(m)); };
        ImpostaUI(&m_ui);
        const QString cartella = argc > 1 ? QString::fromLocal8Bit(argv[1]) : m_temp.path();
        cPathArchivio = cartella + u'/' + nomeFile;
    }
    ~BancoArchivio() { ImpostaUI(nullptr); }
    BancoArchivio(const BancoArchivio&) = delete;
    BancoArchivio& operator=(const BancoArchivio&) = delete;

private:
    DialoghiScriptati m_ui;
    QTemporaryDir m_temp;
};

// Adds n events of one kind through ev, one every seven seconds from the
// first sitting of 2020: sixty councillors in turn, five hundred items,
// every tenth event naming a vote.  dettaglio: the detail field (Null: left
// empty).
inline void AggiungeEventi(Recordset& ev, int n, const QString& tipo, const QString& descrizione,
                           const QVariant& dettaglio = QVariant())
{
    const QDateTime inizio(QDate(2020, 1, 1), QTime(9, 0));
    for (int i = 0; i < n; ++i) {
        ev.AddNew();
        ev.SetField(QStringLiteral("dDataOraEV"), inizio.addSecs(i * 7));
        ev.SetField(QStringLiteral("lCodVotoEV"), i % 10 == 0 ? i / 10 : 0);
        ev.SetField(QStringLiteral("cNomeEV"), QStringLiteral("Consigliere %1").arg(i % 60));
        ev.SetField(QStringLiteral("iDeliberaEV"), i % 500);
        if (dettaglio.isValid()) ev.SetField(QStringLiteral("cDettaglioEV"), dettaglio);
        ev.SetField(QStringLiteral("cTipoArgEV"), QStringLiteral("D"));
        ev.SetField(QStringLiteral("iPresentiEV"), 30);
        ev.SetField(QStringLiteral("cTipoEventoEV"), tipo);
        ev.SetField(QStringLiteral("cDescEventoEV"), descrizione);
        ev.SetField(QStringLiteral("cExtraDescEV"), QStringLiteral("Favorevoli 20 Contrari 5 Astenuti 3"));
        ev.Update();
    }
}

// Adds n votes through vt, one every seventy seconds from the first
// sitting of 2020: open votes of 120 seats, sixty of them keyed, on five
// hundred items in turn.
inline void AggiungeVoti(Recordset& vt, int n)
{
    const QDateTime inizio(QDate(2020, 1, 1), QTime(9, 0));
    QString votanti(120, QChar(0)), voti(120, u'0');
    for (int k = 1; k <= 60; ++k) {
        votanti[k - 1] = QChar(char16_t(k));
        voti[k - 1] = k % 3 ? u'3' : u'6';
    }
    for (int i = 0; i < n; ++i) {
        vt.AddNew();
        vt.SetField(QStringLiteral("dDataOraIniVT"), inizio.addSecs(i * 70));
        vt.SetField(QStringLiteral("dDataOraFinVT"), inizio.addSecs(i * 70 + 40));
        vt.SetField(QStringLiteral("cVotantiVT"), votanti);
        vt.SetField(QStringLiteral("cVotiVT"), voti);
        vt.SetField(QStringLiteral("cPresentiVT"), QString(120, QChar(0)));
        vt.SetField(QStringLiteral("cPaleseVT"), QStringLiteral("P"));
        vt.SetField(QStringLiteral("iFavorevoliVT"), 40);
        vt.SetField(QStringLiteral("iContrariVT"), 20);
        vt.SetField(QStringLiteral("iDeliberaVT"), i % 500);
        vt.SetField(QStringLiteral("iCodLeggeVT"), i % 500);
        vt.SetField(QStringLiteral("cPresidenteVT"), QStringLiteral("Presidente"));
        vt.SetField(QStringLiteral("cNotaVotoVT"), QString());
        vt.Update();
    }
}

// The archive of years of sittings at cPathArchivio, made anew: eventi
// attendance events and voti votes, in one transaction.  Left closed.
inline void CostruisceArchivio(int eventi, int voti)
{
    GestisceArchivi(QStringLiteral("C"), true);
    dbArchivio.Open(cPathArchivio);
    dbArchivio.BeginTrans();
    {
        Recordset ev = dbArchivio.OpenTable(cTabelle[3], QStringLiteral("TAG_A"));
        AggiungeEventi(ev, eventi, QStringLiteral("P"), QStringLiteral("Presenza"));
        Recordset vt = dbArchivio.OpenTable(cTabelle[4], QStringLiteral("TAG_A"));
        AggiungeVoti(vt, voti);
    }
    dbArchivio.CommitTrans();
    dbArchivio.Close();
}

}  // namespace obx::bench
