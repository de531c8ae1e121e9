#include "console/TempoParola.h"

#include <algorithm>
#include <cmath>

#include "platform/Servizi.h"
#include "platform/Testo.h"
#include "shell/Globali.h"

namespace obx {

namespace {

int PartitoDi(int iPosto)
{
    if (!SeggioValido(iPosto)) return 0;
    const int p = aPosti[size_t(iPosto)].iPartito;
    return (p >= 1 && size_t(p) < aPartiti.size()) ? p : 0;
}

bool g_tickInCorso = false;

}  // namespace

void AvviaIntervento(int iMinuti, int iPosto, const QString& cNomeBreve)
{
    iStatoConsole = (iStatoConsole & (kStatoOrologio | kStatoVoto | kStatoTessere | kStatoVotoATempo)) | kStatoParola;
    iTempoRelatore = iMinuti;
    iMezziMinuti = 0;
    iTempo[0] = 0;
    iTempo[1] = iMinuti;
    iTempo[2] = iMinuti;
    iTempo[3] = iMinuti;
    iTempo[4] = 0;
    nInizioIntervento = Clock().Timer();
    iOratore = SeggioValido(iPosto) ? iPosto : 0;
    cOratore = cNomeBreve;
    cGruppoOratore = iOratore > 0 ? aPosti[size_t(iOratore)].cPartitoAN.left(5) : QString();
}

double DurataIntervento() { return Trascorso(nInizioIntervento, Clock().Timer()); }

FineIntervento ConcludeIntervento()
{
    FineIntervento f;
    // The countdown of a vote on display is not the speech's to stop.
    const int tenuti =
        kStatoOrologio | kStatoVoto | kStatoTessere | ((iStatoConsole & kStatoVoto) ? kStatoVotoATempo : 0);
    iStatoConsole &= tenuti;
    iMezziMinuti = 0;
    f.nSecondi = DurataIntervento();
    // A seat spoke: cGruppoOratore is set for a seat only, but a seat whose
    // party field is blank is a seat all the same.
    if (iOratore > 0 && SeggioValido(iOratore)) {
        f.xPosto = true;
        Posto& p = aPosti[size_t(iOratore)];
        ++p.iInterventi;
        f.iPartito = PartitoDi(iOratore);
        if (f.iPartito > 0) aPartiti[size_t(f.iPartito)].lTempoResiduo -= int32_t(std::lround(f.nSecondi));
    }
    cGruppoOratore.clear();
    cOratore.clear();
    return f;
}

bool SuperatoMaxInterventi(int iPosto)
{
    return SeggioValido(iPosto) && aPosti[size_t(iPosto)].iInterventi >= iNMaxInterventi;
}

bool EsauritoTempoPartito(int iPosto)
{
    const int p = PartitoDi(iPosto);
    return p > 0 && aPartiti[size_t(p)].lTempoResiduo < 1;
}

QString MsgMaxInterventi()
{
    return QStringLiteral("Superato numero massimo di Interventi (") + QString::number(iNMaxInterventi) + u')';
}

QString MsgTempoEsaurito(int iPosto)
{
    const int p = PartitoDi(iPosto);
    const QString nome = p > 0 ? TrimSpazi(aPartiti[size_t(p)].cPartito)
                               : (SeggioValido(iPosto) ? TrimSpazi(aPosti[size_t(iPosto)].cPartitoAN) : QString());
    return QStringLiteral("Esaurito tempo a disposizione per ") + nome;
}

void AzzeraTempiPartiti()
{
    for (size_t i = 1; i < aPartiti.size(); ++i) aPartiti[i].lTempoResiduo = int32_t(iTempoMaxPartito) * 60;
}

PassoParola AvanzaTempoParola(bool xScaduto)
{
    PassoParola r;
    bool scaduto = xScaduto;
    if (iTempo[0] == 60) {
        if (!scaduto) {
            --iTempo[1];
            if (iTempo[1] <= 0) {
                iTempo[1] = 0;
                scaduto = true;
                r.xAppenaScaduto = true;
            }
        } else {
            ++iTempo[1];
        }
    }
    if (iTempo[0] % 60 == 0) {
        r.xMostraMinuti = true;
        r.cMinuti = Formato(iTempo[1], QStringLiteral("00"));
    }
    if (iTempo[0] == 1) {
        if (scaduto) {
            iTempo[2] = iTempo[1];
            r.iColoreTitolo = 11;
        } else {
            --iTempo[2];
            r.iColoreTitolo = 13;
        }
    }
    int secondi = scaduto ? iTempo[0] : 60 - iTempo[0];
    if (secondi == 60) secondi = 0;
    r.cTitolo = QStringLiteral("Tempo ") + (scaduto ? QStringLiteral("scaduto") : QStringLiteral("disponibile")) +
                QStringLiteral(" min. ") + Formato(iTempo[2], QStringLiteral("00")) + u':' +
                Formato(secondi, QStringLiteral("00"));
    r.cLettera = scaduto ? u'd' : u'D';
    if (iTempo[0] == 30 || iTempo[0] == 60) {
        ++iMezziMinuti;
        if (!scaduto) {
            if (iTempo[4] != 0) {
                iTempo[4] = 0;
            } else {
                --iTempo[3];
                iTempo[4] = 5;
            }
        } else if (iTempo[4] == 0) {
            iTempo[4] = 5;
        } else {
            iTempo[4] = 0;
            iTempo[3] = iTempo[1];
        }
        r.xInviaTabellone = true;
    }
    ++iTempo[0];
    if (iTempo[0] == 61) iTempo[0] = 1;
    r.xScaduto = scaduto;
    return r;
}

bool AvanzaConteggioVoto(QString& cMostra)
{
    nTempoVoto -= 1;
    if (nTempoVoto <= 0) {
        cMostra.clear();
        return true;
    }
    cMostra = Formato(std::floor(nTempoVoto), QStringLiteral("00"));
    return false;
}

bool TempoParolaRegolabile() { return (iStatoConsole & (kStatoVoto | kStatoParola)) == 0; }
bool TempoVotoRegolabile() { return (iStatoConsole & kStatoVotoATempo) == 0; }

int RegolaPreset(int iValore, bool xAumenta)
{
    const int v = xAumenta ? iValore + 1 : iValore - 1;
    return std::clamp(v, 1, 99);
}

GuardiaTick::GuardiaTick() : m_mia(!g_tickInCorso) { g_tickInCorso = true; }
GuardiaTick::~GuardiaTick()
{
    if (m_mia) g_tickInCorso = false;
}
bool GuardiaTick::InCorso() { return g_tickInCorso; }

}  // namespace obx
