#include "reports/ListaAtti.h"

#include <functional>

#include "platform/Database.h"
#include "platform/Dialoghi.h"
#include "platform/Testo.h"
#include "reports/PassiStampa.h"
#include "reports/Stampa.h"
#include "shell/AlberoAtti.h"
#include "shell/Campi.h"
#include "shell/Globali.h"

namespace obx {

namespace {

// Columns of the list: type, number, the six levels, the event text.
constexpr int kColTipo = 5;
constexpr int kColNumero = 12;
constexpr int kColLivelli[kLivelliAlbero] = {29, 40, 51, 62, 73, 84};
constexpr int kColEvento = 95;
constexpr int kPrimaRigaAtti = 8;

void Intestazione()
{
    StampaXY(2, 10, cConsiglio);
    StampaXY(2, 118, QStringLiteral("Pag.") + Str(iPaginaStampa));
    StampaXY(4, 48, QStringLiteral(" - Lista Atti registrati -"));
    StampaXY(6, kColTipo, QStringLiteral("Tipo"));
    StampaXY(6, kColNumero, QStringLiteral("Numero"));
    for (int k = 0; k < kLivelliAlbero; ++k)
        StampaXY(6, kColLivelli[k], QString::number(k + 1) + QStringLiteral("° Livello"));
    StampaXY(6, kColEvento, QStringLiteral("Descrizione Evento"));
    StampaXY(7, kColTipo, QString(6, u'-'));
    StampaXY(7, kColNumero, QString(16, u'-'));
    for (int k = 0; k < kLivelliAlbero; ++k) StampaXY(7, kColLivelli[k], QString(10, u'-'));
    StampaXY(7, kColEvento, QString(24, u'-'));
    iRigaStampa = kPrimaRigaAtti;
}

void AvanzaRiga() { AvanzaRigaStampa(Intestazione); }

}  // namespace

void StampaListaAtti()
{
    if (!ImpostaStampante(3, QStringLiteral("Lista_Atti"))) return;

    // Every failure is caught where it happens and the list goes on; only
    // the first one of the run is shown.
    PassiStampa passi;
    auto passo = [&passi](const std::function<void()>& f) { return passi.Prova(f); };

    Recordset rs;
    bool vuota = true;
    passo([&] {
        rs = dbArchivio.OpenTable(cTabelle[5], QStringLiteral("TAG_B"));
        vuota = rs.Eof();
    });
    if (rs.IsOpen() && !vuota) {
        passo([] { Intestazione(); });
        auto testo = [&rs](const QString& campo) { return LeggeCampo(rs.Field(campo), 0, QString()); };
        while (true) {
            bool fine = true;
            if (!passo([&] { fine = rs.Eof(); }) || fine) break;
            passo([&] { StampaXY(iRigaStampa, kColTipo, TipoAtto(testo(QStringLiteral("cParametriLG")).left(1), 0)); });
            passo([&] { StampaXY(iRigaStampa, kColNumero, testo(QStringLiteral("cNumeroAttoLG"))); });
            for (int k = 0; k < kLivelliAlbero; ++k)
                passo([&] { StampaXY(iRigaStampa, kColLivelli[k], testo(CampoIDLivello(k + 1))); });
            passo([&] { StampaXY(iRigaStampa, kColEvento, testo(QStringLiteral("cDescEventoLG"))); });
            passo([] { AvanzaRiga(); });
            // A walk that cannot move on ends the list.
            if (!passo([&] { rs.MoveNext(); })) break;
        }
    }
    rs.Close();
    FineStampa();
}

}  // namespace obx
