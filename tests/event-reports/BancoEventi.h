// The event reports' tests: a fixture archive with the small council of
// eight seats and an event log of two sittings on two days, the window over
// it, and the report read back from its PDF file.
#pragma once

#include <QDateTime>
#include <QPushButton>
#include <QRegularExpression>
#include <QVariant>
#include <memory>
#include <optional>
#include <vector>

#include "print/BancoStampa.h"
#include "reports/frmEvent.h"
#include "support/AlComparire.h"

namespace obx::test {

inline const QDate kPrimaSeduta(2026, 5, 5);
inline const QDate kSecondaSeduta(2026, 5, 12);

// One row of "EVENTI" as the console writes it.
struct EventoLog {
    QDate giorno;
    QTime ora;
    QString lettera, descrizione, nome;
    int presenti = 0;
    QString extra;
    std::optional<int> voto;  // lCodVotoEV (none: Null)
    QVariant delibera = 0;    // iDeliberaEV
    QString nota;             // cDettaglioEV (empty: Null)
};

inline void ScriveEvento(const EventoLog& e)
{
    Recordset rs = dbArchivio.OpenTable(cTabelle[3], QStringLiteral("TAG_A"));
    rs.AddNew();
    rs.SetField(QStringLiteral("dDataOraEV"), QDateTime(e.giorno, e.ora));
    rs.SetField(QStringLiteral("cTipoEventoEV"), e.lettera);
    rs.SetField(QStringLiteral("cDescEventoEV"), PadTaglia(e.descrizione, 20));
    rs.SetField(QStringLiteral("cNomeEV"), PadTaglia(e.nome, 30));
    rs.SetField(QStringLiteral("iPresentiEV"), e.presenti);
    rs.SetField(QStringLiteral("cExtraDescEV"), PadTaglia(e.extra, 90));
    if (e.voto) rs.SetField(QStringLiteral("lCodVotoEV"), *e.voto);
    rs.SetField(QStringLiteral("iDeliberaEV"), e.delibera);
    rs.SetField(QStringLiteral("cTipoArgEV"), QStringLiteral(" "));
    if (!e.nota.isEmpty()) rs.SetField(QStringLiteral("cDettaglioEV"), e.nota);
    rs.Update();
}

// Stores a vote and gives its code.
inline int VotoMemorizzato(const VotoProva& v)
{
    MemorizzaVoto(v);
    Recordset rs = dbArchivio.OpenQuery(QStringLiteral("select max(lCodiceVT) as n from VOTI"));
    return rs.Field(QStringLiteral("n")).toInt();
}

class BancoEventi : public BancoStampa {
protected:
    void SetUp() override
    {
        BancoStampa::SetUp();
        Archivio(1);
        archivio->Consiglieri();
        cConsiglio = QStringLiteral("Consiglio Comunale di Prova");
    }
    void TearDown() override
    {
        if (frmEvent* f = frmEvent::Aperta()) delete f;
        BancoStampa::TearDown();
    }

    // Two sittings.  The first: Anna Verdi enters at 09:00, speaks from
    // 09:10 to 09:14, leaves at 10:15, enters at 11:00, speaks from 11:20
    // to 11:31 and is there at the closing at 12:30; Giorgio Esposito and
    // Franca Romano enter and never leave; an open vote (2 yes, 1 no) and a
    // roll call answered by three; Paola Ricci, who never entered, is
    // logged leaving.  The second, a week later: Sergio Colombo entered
    // twice and leaving once, Giorgio Esposito entering, a substitution.
    void DueSedute()
    {
        VotoProva palese;
        palese.tasti = {{3, u'3'}, {4, u'3'}, {5, u'6'}};
        m_votoPalese = VotoMemorizzato(palese);
        VotoProva appello;
        appello.tipo = QStringLiteral("A");
        appello.tasti = {{3, u'+'}, {4, u'+'}, {5, u'+'}};
        appello.delibera = 0;
        m_appello = VotoMemorizzato(appello);

        const QDate d1 = kPrimaSeduta, d2 = kSecondaSeduta;
        const std::vector<EventoLog> log = {
            {d1, {9, 0}, "A", "Apertura Seduta", "", 0},
            {d1, {9, 0}, "E", "Entra", "Anna Verdi", 1},
            {d1, {9, 2}, "E", "Entra", "Giorgio Esposito", 2},
            {d1, {9, 5}, "E", "Entra", "Franca Romano", 3},
            {d1, {9, 10}, "D", "Parla", "Anna Verdi", 3},
            {d1, {9, 14}, "F", "Conclude", "Anna Verdi", 3},
            {d1, {9, 30}, "G", "Apertura Argomento", "Delibera n. 1", 3, "Bilancio"},
            {d1, {9, 40}, "T", "Chiusura Votazione", "Fav=2  Con=1  Ast=0", 3, "Quorum=2", m_votoPalese},
            {d1, {10, 15}, "U", "Esce", "Anna Verdi", 2},
            {d1, {10, 20}, "U", "Esce", "Paola Ricci", 2},
            {d1, {11, 0}, "E", "Entra", "Anna Verdi", 3},
            {d1, {11, 5}, "L", "Chiusura Votazione", "Presenti=3", 0, "Appello", m_appello},
            {d1, {11, 20}, "D", "Parla", "Anna Verdi", 3},
            {d1, {11, 31}, "F", "Conclude", "Anna Verdi", 3},
            {d1, {12, 30}, "C", "Chiusura Seduta", "", 3},
            {d2, {9, 0}, "A", "Apertura Seduta", "", 0},
            {d2, {9, 1}, "E", "Entra", "Sergio Colombo", 1},
            {d2, {9, 2}, "E", "Entra", "Sergio Colombo", 1},
            {d2, {9, 3}, "E", "Entra", "Giorgio Esposito", 2},
            {d2, {9, 4}, "U", "Esce", "Sergio Colombo", 1},
            {d2, {9, 5}, "Q", "Sostit. Consigliere", "Enzo Marino", 1, "Paola Ricci"},
            {d2, {9, 10}, "C", "Chiusura Seduta", "", 1},
        };
        for (const EventoLog& e : log) ScriveEvento(e);
    }

    // The window as the menu opens it, with its first activation run.
    frmEvent* Finestra()
    {
        frmEvent* f = frmEvent::Mostra();
        Gira();
        return f;
    }
    static void Gira(int ms = 20)
    {
        QEventLoop l;
        QTimer::singleShot(ms, &l, &QEventLoop::quit);
        l.exec();
    }

    // "Stampa" with the question answered OK and the printer dialog
    // confirmed; the report read back.
    Pdf Stampa(frmEvent* f, const QString& domanda)
    {
        (*ui)->AttendiMsg(domanda, vbOK);
        (*ui)->AttendiStampante(true);
        AttendeFile();
        f->cmdEventi(0)->click();
        return Pdf(FileStampa());
    }

    int m_votoPalese = 0, m_appello = 0;
};

// The rows of the report's pages, as read back: every row's text.
inline QStringList RigheStampate(const Pdf& pdf)
{
    QStringList r;
    for (int pg = 1; pg <= pdf.Pagine(); ++pg)
        for (const auto& riga : pdf.Righe(pg)) r << riga.testo;
    return r;
}

// The event lines: rows that start with a time.
inline QStringList RigheEvento(const Pdf& pdf)
{
    static const QRegularExpression ora(QStringLiteral(R"(^\d\d:\d\d:\d\d )"));
    QStringList r;
    for (const QString& riga : RigheStampate(pdf))
        if (ora.match(riga).hasMatch()) r << riga;
    return r;
}

}  // namespace obx::test
