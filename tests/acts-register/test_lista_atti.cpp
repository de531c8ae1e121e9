// The printed list of acts: tree order, columns, page headers, read back
// from the PDF it makes; an empty table, a cancelled printer dialog, an
// unknown type, and only the first failure of a run shown.
#include <QFileInfo>
#include <QPrinter>
#include <QProcess>

#include "BancoLeggi.h"
#include "reports/ListaAtti.h"
#include "reports/Stampa.h"
#include "shell/Campi.h"

using namespace obx;
using namespace obx::test;

namespace {

struct Stampato {
    int pagina, riga, colonna;
    QString testo;
};

class ListaAttiStampata : public BancoLeggi {
protected:
    void SetUp() override
    {
        BancoLeggi::SetUp();
        ASSERT_TRUE(m_dir.isValid());
        pdf = m_dir.path() + QStringLiteral("/lista.pdf");
        Stampante().setOutputFormat(QPrinter::PdfFormat);
        Stampante().setOutputFileName(pdf);
        ImpostaOsservatoreStampa([this](int p, int r, int c, const QString& t) { testi.push_back({p, r, c, t}); });
    }
    void TearDown() override
    {
        FineStampa();
        ImpostaOsservatoreStampa(nullptr);
        BancoLeggi::TearDown();
    }

    // The texts printed on a row of a page, by column.
    std::map<int, QString> RigaStampata(int pagina, int riga) const
    {
        std::map<int, QString> m;
        for (const Stampato& t : testi)
            if (t.pagina == pagina && t.riga == riga) m[t.colonna] = t.testo;
        return m;
    }
    static QString TestoPdf(const QString& file)
    {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
        if (!p.waitForFinished(30000)) return QString();
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    QTemporaryDir m_dir;
    QString pdf;
    std::vector<Stampato> testi;
};

TEST_F(ListaAttiStampata, ActsInTreeOrderWithTheirColumns)
{
    // A motion entered after the law, and a second law whose key sorts
    // after the first law's whole branch.
    archivio->AggiungeAtto({4,
                            QStringLiteral("MNM?????"),
                            ChiaveAlbero({QStringLiteral("M1")}),
                            QStringLiteral("3/2026"),
                            QStringLiteral("1"),
                            {},
                            {},
                            4});
    archivio->AggiungeAtto({5,
                            QStringLiteral("BNB?????"),
                            ChiaveAlbero({QStringLiteral("B10")}),
                            QStringLiteral("40/2026"),
                            QStringLiteral("10"),
                            {},
                            {},
                            5});
    ScriveCampi(cTabelle[5], 3, {{QStringLiteral("cDescEventoLG"), QStringLiteral("ProLg 12/2026\\3\\Emend2")}});
    cConsiglio = QStringLiteral("Consiglio Regionale di Prova");
    (*ui)->AttendiStampante(true);
    StampaListaAtti();
    EXPECT_EQ(iPaginaStampa, 1);

    auto intestazione = RigaStampata(1, 2);
    EXPECT_EQ(intestazione[10], cConsiglio);
    EXPECT_EQ(intestazione[118], QStringLiteral("Pag. 1"));
    EXPECT_EQ(RigaStampata(1, 4)[48], QStringLiteral(" - Lista Atti registrati -"));
    const auto titoli = RigaStampata(1, 6);
    const std::map<int, QString> attesi = {{5, "Tipo"},        {12, "Numero"},     {29, "1° Livello"},
                                           {40, "2° Livello"}, {51, "3° Livello"}, {62, "4° Livello"},
                                           {73, "5° Livello"}, {84, "6° Livello"}, {95, "Descrizione Evento"}};
    EXPECT_EQ(titoli, attesi);
    const auto righe = RigaStampata(1, 7);
    EXPECT_EQ(righe.at(5), QString(6, u'-'));
    EXPECT_EQ(righe.at(12), QString(16, u'-'));
    EXPECT_EQ(righe.at(95), QString(24, u'-'));

    // Tree order: the law, its article, the amendment, the second law, the motion.
    const int ordine[] = {1, 2, 3, 5, 4};
    const char* tipi[] = {"B", "J", "E", "B", "M"};
    const char* numeri[] = {"12/2026", "12/2026", "12/2026", "40/2026", "3/2026"};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(ordine[i]);
        const auto r = RigaStampata(1, 8 + i);
        EXPECT_EQ(r.at(5), TipoAtto(QString::fromLatin1(tipi[i]), 0));
        EXPECT_EQ(r.at(12), QString::fromLatin1(numeri[i]));
        ASSERT_EQ(r.count(95), 1u);
    }
    const auto emendamento = RigaStampata(1, 10);
    EXPECT_EQ(emendamento.at(29), QStringLiteral("1"));
    EXPECT_EQ(emendamento.at(40), QStringLiteral("3"));
    EXPECT_EQ(emendamento.at(51), QStringLiteral("2"));
    EXPECT_EQ(emendamento.at(62), QString());
    EXPECT_EQ(emendamento.at(95), QStringLiteral("ProLg 12/2026\\3\\Emend2"));

    // The file says the same.
    ASSERT_GT(QFileInfo(pdf).size(), 0);
    const QString letto = TestoPdf(pdf);
    ASSERT_FALSE(letto.isEmpty()) << "pdftotext";
    EXPECT_TRUE(letto.contains(QStringLiteral("Pag. 1")));
    EXPECT_TRUE(letto.contains(QStringLiteral("- Lista Atti registrati -")));
    EXPECT_TRUE(letto.contains(QStringLiteral("Descrizione Evento")));
    EXPECT_TRUE(letto.contains(QStringLiteral("ProLg 12/2026\\3\\Emend2")));
    const qsizetype legge2 = letto.indexOf(QStringLiteral("40/2026"));
    const qsizetype mozione = letto.indexOf(QStringLiteral("3/2026"));
    EXPECT_GT(legge2, letto.indexOf(QStringLiteral("ProLg 12/2026")));
    EXPECT_GT(mozione, legge2);
}

TEST_F(ListaAttiStampata, EveryPageHasItsHeader)
{
    for (int k = 4; k <= 120; ++k)
        archivio->AggiungeAtto({k,
                                QStringLiteral("MNM?????"),
                                ChiaveAlbero({QStringLiteral("M%1").arg(k, 3, 10, QChar(u'0'))}),
                                QStringLiteral("%1/2026").arg(k),
                                QString::number(k),
                                {},
                                {},
                                k});
    (*ui)->AttendiStampante(true);
    StampaListaAtti();
    const int pagine = iPaginaStampa;
    ASSERT_GT(pagine, 2);
    int atti = 0;
    for (int p = 1; p <= pagine; ++p) {
        SCOPED_TRACE(p);
        EXPECT_EQ(RigaStampata(p, 2)[118], QStringLiteral("Pag.") + Str(p));
        EXPECT_EQ(RigaStampata(p, 6)[5], QStringLiteral("Tipo"));
        // The first act of a page on row 8 (a list that fills its last page
        // exactly leaves the next with its header alone).
        if (p < pagine) EXPECT_EQ(RigaStampata(p, 8).count(12), 1u);
        for (int r = 8; r <= iRighePagina; ++r) atti += int(RigaStampata(p, r).count(12));
    }
    EXPECT_EQ(atti, 120);
    const QString letto = TestoPdf(pdf);
    EXPECT_TRUE(letto.contains(QStringLiteral("Pag. %1").arg(pagine)));
}

TEST_F(ListaAttiStampata, NothingForAnEmptyTableOrACancelledDialog)
{
    (*ui)->AttendiStampante(false);
    StampaListaAtti();
    EXPECT_TRUE(testi.empty());

    dbArchivio.Execute(QStringLiteral("DELETE * FROM LEGGI;"));
    (*ui)->AttendiStampante(true);
    StampaListaAtti();
    EXPECT_TRUE(testi.empty());
}

TEST_F(ListaAttiStampata, AnUnknownTypePrintsTheRestOfItsRow)
{
    ScriveCampi(cTabelle[5], 2, {{QStringLiteral("cParametriLG"), QStringLiteral("&NB&????????")}});
    (*ui)->AttendiStampante(true);
    StampaListaAtti();
    const auto r = RigaStampata(1, 9);
    EXPECT_EQ(r.at(5), QString());
    EXPECT_EQ(r.at(12), QStringLiteral("12/2026"));
    EXPECT_EQ(r.at(40), QStringLiteral("3"));
}

TEST_F(ListaAttiStampata, OnlyTheFirstFailureIsShownAndTheJobEnds)
{
    // Every act's number fails to print.
    ImpostaOsservatoreStampa([this](int p, int r, int c, const QString& t) {
        if (r >= 8 && c == 12) throw Errore(482, QStringLiteral("Errore della stampante"));
        testi.push_back({p, r, c, t});
    });
    (*ui)->AttendiStampante(true);
    (*ui)->AttendiMsg(QStringLiteral("Errore della stampante"));
    StampaListaAtti();
    EXPECT_EQ(UltimoDialogo().stile & 0x70, int(vbCritical));
    // The rest of each row was printed, and the job ended with its file.
    EXPECT_EQ(RigaStampata(1, 10).at(51), QStringLiteral("2"));
    EXPECT_GT(QFileInfo(pdf).size(), 0);
}

}  // namespace
