#include "reports/VerbaleSeduta.h"

#include <QVariant>

#include "platform/Database.h"
#include "platform/Testo.h"
#include "reports/PassiStampa.h"
#include "reports/Stampa.h"
#include "shell/Campi.h"
#include "shell/Globali.h"

namespace obx {

namespace {

constexpr int kColCodice = 8;
constexpr int kColAtto = 19;
constexpr int kColStato = 44;
constexpr int kColEventi = 55;
constexpr int kColTestoEvento = 80;
constexpr int kLarghezzaEvento = 50;
constexpr int kPrimaRiga = 8;

void Intestazione()
{
    StampaXY(2, 10, cConsiglio);
    StampaXY(2, 118, QStringLiteral("Pag.") + Str(iPaginaStampa));
    StampaXY(4, 45, QStringLiteral(" - Verbale di Voto Seduta Consiliare -"));
    StampaXY(6, kColCodice, QStringLiteral("Codice"));
    StampaXY(6, kColAtto, QStringLiteral("Atto"));
    StampaXY(6, kColStato, QStringLiteral("Stato"));
    StampaXY(6, kColEventi, QStringLiteral("Eventi"));
    StampaXY(7, kColCodice, QString(10, u'-'));
    StampaXY(7, kColAtto, QString(24, u'-'));
    StampaXY(7, kColStato, QString(10, u'-'));
    StampaXY(7, kColEventi, QString(50, u'-'));
    iRigaStampa = kPrimaRiga;
}

void Avanza() { AvanzaRigaStampa(Intestazione); }

QString Testo(const Recordset& rs, const char* campo)
{
    return LeggeCampo(rs.Field(QString::fromLatin1(campo)), 0, QString());
}

QString Tre(int n) { return Formato(n, QStringLiteral("000")); }

// The text of one event of the act: a closed vote with its counts, the
// withdrawal of a sub-item when the act was voted; empty for the others
// and for a vote whose row is missing.
QString TestoEvento(PassiStampa& passi, const Recordset& ev, bool xVotato)
{
    QString testo;
    passi.Prova([&] {
        const QString lettera = LeggeCampo(ev.Field(QStringLiteral("cTipoEventoEV")), 0, QString());
        if (lettera == u"T" || lettera == u"L") {
            const QVariant codice = ev.Field(QStringLiteral("lCodVotoEV"));
            // A closing stored without its vote's code has no counts.
            if (!codice.isValid() || codice.isNull()) return;
            Recordset vt = dbArchivio.OpenQuery(
                QStringLiteral("select * from ") + cTabelle[4] + QStringLiteral(" where lCodiceVT = ?"), {codice});
            if (vt.Eof()) return;
            testo = Testo(ev, "cDescEventoEV") + QStringLiteral(": ");
            if (lettera == u"L") {
                testo += QStringLiteral("Presenti ") + Tre(PresentiVotazione(vt));
            } else {
                testo += QStringLiteral("Fav. ") + Tre(vt.Field(QStringLiteral("iFavorevoliVT")).toInt()) +
                         QStringLiteral(" Con. ") + Tre(vt.Field(QStringLiteral("iContrariVT")).toInt()) +
                         QStringLiteral(" Ast. ") + Tre(vt.Field(QStringLiteral("iAstenutiVT")).toInt());
            }
        } else if (lettera == u"X" && xVotato) {
            testo = Testo(ev, "cDescEventoEV") + QStringLiteral(": ") + Testo(ev, "cNomeEV") + u' ' +
                    Testo(ev, "cExtraDescEV");
        }
    });
    return testo;
}

// One act: its row, then its events at the right in pieces of 50
// characters; at least one row.
void StampaAtto(PassiStampa& passi, const Recordset& atto)
{
    QVariant codice;
    passi.Prova([&] { codice = atto.Field(QStringLiteral("iCodLeggeLG")); });
    const QString cCodice = LeggeCampo(codice, 1, QString());
    passi.Prova([&] { StampaXY(iRigaStampa, kColCodice, (QString(10, u' ') + cCodice).right(10)); });
    passi.Prova([&] { StampaXY(iRigaStampa, kColAtto, Testo(atto, "cDescEventoLG")); });

    bool xVotato = false;
    passi.Prova([&] {
        const QString lettera =
            LeggeCampo(atto.Field(QStringLiteral("cParametriLG")), 0, QStringLiteral("XX")).mid(1, 1);
        const int p = lettera.isEmpty() ? -1 : int(cLettereStati.indexOf(lettera));
        if (p >= 0 && size_t(p) < cStatiArgomento.size()) StampaXY(iRigaStampa, kColStato, cStatiArgomento[size_t(p)]);
        xVotato = lettera == u"V";
    });

    bool stampato = false;
    // An act without a code has no events of its own (0 is no act either:
    // its events would be those logged outside every act).
    if (!cCodice.isEmpty()) {
        Recordset ev;
        passi.Prova([&] {
            ev = dbArchivio.OpenQuery(QStringLiteral("select * from ") + cTabelle[3] +
                                          QStringLiteral(" where iDeliberaEV = ? order by lCodiceEV"),
                                      {codice});
        });
        while (ev.IsOpen()) {
            bool fine = true;
            if (!passi.Prova([&] { fine = ev.Eof(); }) || fine) break;
            QString testo = TrimSpazi(TestoEvento(passi, ev, xVotato));
            while (!testo.isEmpty()) {
                passi.Prova([&] { StampaXY(iRigaStampa, kColTestoEvento, testo.left(kLarghezzaEvento)); });
                passi.Prova([] { Avanza(); });
                stampato = true;
                testo = TrimSpazi(testo.mid(kLarghezzaEvento));
            }
            // A walk that cannot move on ends the act's events.
            if (!passi.Prova([&] { ev.MoveNext(); })) break;
        }
        ev.Close();
    }
    if (!stampato) passi.Prova([] { Avanza(); });
}

}  // namespace

void StampaVerbaleSeduta()
{
    if (!ImpostaStampante(1, QStringLiteral("Verbale_Seduta"))) return;
    PassiStampa passi;
    Recordset atti;
    bool vuota = true;
    passi.Prova([&] {
        atti = dbArchivio.OpenTable(cTabelle[5], QStringLiteral("TAG_B"));
        vuota = atti.Eof();
    });
    if (atti.IsOpen() && !vuota) {
        passi.Prova([] { Intestazione(); });
        while (true) {
            bool fine = true;
            if (!passi.Prova([&] { fine = atti.Eof(); }) || fine) break;
            StampaAtto(passi, atti);
            if (!passi.Prova([&] { atti.MoveNext(); })) break;
        }
    }
    atti.Close();
    FineStampa();
}

}  // namespace obx
