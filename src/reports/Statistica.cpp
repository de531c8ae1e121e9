#include "reports/Statistica.h"

#include <QLocale>
#include <exception>

#include "platform/Avanzamento.h"
#include "platform/Database.h"
#include "platform/Dialoghi.h"
#include "platform/Testo.h"
#include "reports/PassiStampa.h"
#include "reports/Stampa.h"
#include "shell/Anagrafe.h"
#include "shell/Globali.h"

namespace obx {

namespace {

constexpr int kBase = 7;  // base column of the table

// "##0.00" with the platform's decimal separator.
QString Percentuale(double valore)
{
    QString t = QString::number(valore, 'f', 2);
    t.replace(u'.', QLocale().decimalPoint());
    return t;
}

void Intestazione(int iVotazioni)
{
    StampaXY(1, 10, cConsiglio);
    StampaXY(3, 25, QStringLiteral(" - Statistica di Partecipazione al Voto -"));
    StampaXY(5, 10, QStringLiteral("Numero totale Votazioni") + Str(iVotazioni));
    StampaXY(7, kBase + 1, QStringLiteral("Consigliere"));
    StampaXY(7, kBase + 42, QStringLiteral("N. Voti"));
    StampaXY(7, kBase + 52, QStringLiteral(" % Voti"));
    StampaXY(8, kBase + 1, QString(40, u'-'));
    StampaXY(8, kBase + 42, QString(7, u'-'));
    StampaXY(8, kBase + 52, QString(7, u'-'));
    iRigaStampa = 9;
}

}  // namespace

void StampaStatistica()
{
    PassiStampa passi;
    auto prova = [&passi](auto&& f) { passi.Prova(f); };

    if (!ImpostaStampante(0, QStringLiteral("Statistica_Votazioni"))) return;
    // An open console holds the sitting's seats: they are not reloaded.
    if (!bConsoleAperta) GestisceAnagrafe(true);

    for (size_t i = 1; i < aPosti.size(); ++i) aPosti[i].iConteggio = 0;
    int votazioni = 0;
    bool fermata = false;
    Recordset rs;
    prova([&] {
        rs = dbArchivio.OpenTable(cTabelle[4], QStringLiteral("TAG_A"));
        if (rs.Eof() && rs.Bof()) return;
        Avanzamento avanzamento(QStringLiteral("Statistica di Partecipazione al Voto"), rs.RecordCount());
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            const QString votanti = rs.Field(QStringLiteral("cVotantiVT")).toString();
            for (size_t i = 1; i < aPosti.size(); ++i) {
                // Only the codes that own a place in the per-seat strings:
                // the fillers would match a code 0 in every vote.
                const int codice = aPosti[i].bCodiceAN;
                if (StringaPosti::Valido(codice) && votanti.contains(QChar(codice))) ++aPosti[i].iConteggio;
            }
            ++votazioni;
            avanzamento.Passo(votazioni);
            if (avanzamento.Fermato()) {
                fermata = true;
                return;
            }
        }
    });
    prova([&] { rs.Close(); });
    if (fermata) {
        InterrompeStampa();
        return;
    }

    if (votazioni == 0) {
        FineStampa();
        UI().MsgBox(QStringLiteral("Nessuna Votazione Disponibile"), vbOKOnly);
        return;
    }

    prova([&] {
        Intestazione(votazioni);
        for (size_t i = 1; i < aPosti.size(); ++i) {
            // A page ends only when another seat is to follow it.
            if (iRigaStampa > iRighePagina) {
                NuovaPagina();
                iRigaStampa = 0;
                ++iPaginaStampa;
                Intestazione(votazioni);
            }
            const Posto& p = aPosti[i];
            StampaXY(iRigaStampa, kBase + 1, RTrimSpazi(p.cNomeAN));
            StampaXY(iRigaStampa, kBase + 42, (QString(7, u' ') + Str(p.iConteggio)).right(7));
            const double pc = double(p.iConteggio) / votazioni * 100.0;
            StampaXY(iRigaStampa, kBase + 52, (QString(6, u' ') + Percentuale(pc)).right(6) + u'%');
            ++iRigaStampa;
        }
    });
    FineStampa();
}

}  // namespace obx
