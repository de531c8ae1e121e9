// Times the export of the stored votes for the external records system:
// 20,000 votes of a chamber of 120 seated councillors, in the "Dettaglio"
// layout (one record a councillor a vote: 2,400,000 records) and in the
// "Sintesi" layout, on an archive of 200 agenda items.  The progress window
// is part of the run (offscreen).
//
//   bench_scambio [voti]    (default: 20000)
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "platform/Database.h"
#include "platform/Dialoghi.h"
#include "reports/Scambio.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"
#include "shell/Manutenzione.h"

using namespace obx;

namespace {

constexpr int kSeggi = 120;
constexpr int kArgomenti = 200;

void Costruisce(int voti)
{
    dbArchivio.BeginTrans();
    Recordset an = dbArchivio.OpenTable(cTabelle[1], QStringLiteral("TAG_A"));
    for (int c = 1; c <= kSeggi; ++c) {
        an.AddNew();
        an.SetField(QStringLiteral("bCodiceAN"), c);
        an.SetField(QStringLiteral("cNomeAN"), QStringLiteral("Consigliere %1").arg(c));
        an.SetField(QStringLiteral("cNomeBreveAN"), QStringLiteral("CONS. %1").arg(c));
        an.SetField(QStringLiteral("cTipoAN"), QStringLiteral("C"));
        an.SetField(QStringLiteral("iVotatoreAN"), c);
        an.SetField(QStringLiteral("iPulsanteAN"), c <= 72 ? c : 0);
        an.SetField(QStringLiteral("cPartitoAN"), QStringLiteral("Gruppo %1").arg(c % 6));
        an.SetField(QStringLiteral("cIrideIdAN"), QStringLiteral("C%1").arg(c, 3, 10, QChar(u'0')));
        an.Update();
    }
    Recordset de = dbArchivio.OpenTable(cTabelle[2], QStringLiteral("TAG_A"));
    for (int i = 1; i <= kArgomenti; ++i) {
        de.AddNew();
        de.SetField(QStringLiteral("iDeliberaDE"), 1000 + i);
        de.SetField(QStringLiteral("cTitoloDE"), QStringLiteral("Argomento %1").arg(i));
        de.SetField(QStringLiteral("cProtocolloDE"), QStringLiteral("PG/2026/%1").arg(i, 6, 10, QChar(u'0')));
        de.SetField(QStringLiteral("iPosOdGDE"), i);
        de.SetField(QStringLiteral("cTipoArgDE"), QStringLiteral("D"));
        de.Update();
    }
    Recordset vt = dbArchivio.OpenTable(cTabelle[4], QStringLiteral("TAG_A"));
    QRandomGenerator caso(2026);
    const QDateTime inizio(QDate(2020, 1, 1), QTime(9, 0));
    const char16_t tasti[] = {u'3', u'6', u'5', u'0'};
    for (int i = 0; i < voti; ++i) {
        QString votanti(120, QChar(0)), chiavi(120, u'0');
        int f = 0, c = 0, a = 0;
        for (int k = 1; k <= kSeggi; ++k) {
            const char16_t t = tasti[caso.bounded(4)];
            if (t == u'0') continue;
            votanti[k - 1] = QChar(char16_t(k));
            chiavi[k - 1] = t;
            f += t == u'3';
            c += t == u'6';
            a += t == u'5';
        }
        const int posizione = 1 + i % kArgomenti;
        vt.AddNew();
        vt.SetField(QStringLiteral("dDataOraIniVT"), inizio.addSecs(i * 70));
        vt.SetField(QStringLiteral("dDataOraFinVT"), inizio.addSecs(i * 70 + 40));
        vt.SetField(QStringLiteral("cPaleseVT"), QStringLiteral("P"));
        vt.SetField(QStringLiteral("cVotantiVT"), votanti);
        vt.SetField(QStringLiteral("cVotiVT"), chiavi);
        vt.SetField(QStringLiteral("iPresentiVT"), kSeggi);
        vt.SetField(QStringLiteral("iFavorevoliVT"), f);
        vt.SetField(QStringLiteral("iContrariVT"), c);
        vt.SetField(QStringLiteral("iAstenutiVT"), a);
        vt.SetField(QStringLiteral("iDeliberaVT"), i % 10 == 9 ? -posizione : posizione);
        vt.Update();
    }
    dbArchivio.CommitTrans();
}

qint64 Esporta(const QString& file, bool sintesi, DialoghiScriptati& ui)
{
    ui.AttendiMsg(QStringLiteral("Esportazione Voti Terminata"));
    QElapsedTimer t;
    t.start();
    EsportaVoti(file, kFormatoIride, sintesi);
    const qint64 ms = t.elapsed();
    if (!ui.Restanti().empty()) std::fprintf(stderr, "esportazione non terminata\n");
    return ms;
}

qint64 Righe(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return 0;
    return f.readAll().count('\n');
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int voti = argc > 1 ? std::atoi(argv[1]) : 20000;
    DialoghiScriptati ui;  // only the closing messages are expected: any other is printed
    ui.Fallimento = [](const QString& m) { std::fprintf(stderr, "%s\n", qPrintable(m)); };
    ImpostaUI(&ui);

    QTemporaryDir temp;
    iTipoAssemblea = 1;
    ImpostaTabelleFisse();
    ImpostaVocabolari();
    cPathArchivio = temp.path() + QStringLiteral("/bench.db");
    GestisceArchivi(QStringLiteral("C"), true);
    dbArchivio.Open(cPathArchivio);

    QElapsedTimer t;
    t.start();
    Costruisce(voti);
    std::printf("archivio: %d seggi, %d argomenti, %d voti          %8lld ms\n", kSeggi, kArgomenti, voti,
                static_cast<long long>(t.elapsed()));

    const QString dettaglio = temp.path() + QStringLiteral("/dettaglio.txt");
    const qint64 msD = Esporta(dettaglio, false, ui);
    std::printf("Dettaglio: %lld record, %.1f MB                 %8lld ms  (%.1f us a voto)\n",
                static_cast<long long>(Righe(dettaglio)), QFileInfo(dettaglio).size() / 1e6,
                static_cast<long long>(msD), 1000.0 * double(msD) / voti);

    const QString sintesi = temp.path() + QStringLiteral("/sintesi.txt");
    const qint64 msS = Esporta(sintesi, true, ui);
    std::printf("Sintesi: %lld record                            %8lld ms  (%.1f us a voto)\n",
                static_cast<long long>(Righe(sintesi)), static_cast<long long>(msS), 1000.0 * double(msS) / voti);

    dbArchivio.Close();
    ImpostaUI(nullptr);
    return 0;
}
