#include "console/Prenotazioni.h"

#include "console/Spoglio.h"
#include "console/TastiVoto.h"
#include "links/ComSeriali.h"
#include "links/Votatori.h"
#include "platform/Servizi.h"
#include "platform/Testo.h"
#include "shell/Globali.h"

namespace obx {

namespace {

bool EsistePersona(int iChi, bool ospite)
{
    if (iChi < 1) return false;
    return ospite ? size_t(iChi) < aOspiti.size() : size_t(iChi) < aPosti.size();
}

// The short name of an entry as the list shows it; empty when the person
// is no longer in the registry (the queue outlived a reload).
bool NomeBreve(const Prenotato& p, QString& nome)
{
    const bool ospite = p.iOspite != 0;
    if (!EsistePersona(p.iChi, ospite)) return false;
    nome = RTrimSpazi(ospite ? aOspiti[p.iChi].cNomeBreveAN : aPosti[p.iChi].cNomeBreveAN);
    return true;
}

// Index in aPrenotati of the waiting entry at list position p; 0 none.
int Voce(int iPosizione)
{
    if (iPosizione < 1) return 0;
    for (size_t i = 1; i < aPrenotati.size(); ++i)
        if (aPrenotati[i].xInAttesa != 0 && aPrenotati[i].iPosizione == iPosizione) return int(i);
    return 0;
}

float Ora() { return float(Clock().Timer()); }

}  // namespace

QString NomeDaRiga(const QString& cRiga)
{
    const qsizetype p = cRiga.indexOf(u'(');
    return TrimSpazi(p >= 0 ? cRiga.left(p) : cRiga);
}

EsitoPrenotati RighePrenotati(const QString& cSelezionata)
{
    EsitoPrenotati e;
    e.xRidisegna = true;
    const QString ricordato = cSelezionata.isEmpty() ? QString() : NomeDaRiga(cSelezionata);
    int p = 0;
    for (size_t i = 1; i < aPrenotati.size(); ++i) {
        Prenotato& v = aPrenotati[i];
        QString nome;
        if (v.xInAttesa == 0 || !NomeBreve(v, nome)) {
            v.iPosizione = 0;
            continue;
        }
        const QString riga = v.iOrdine > 1 ? LTrimSpazi(nome) + QStringLiteral(" (") + Str(v.iOrdine) + u')' : nome;
        e.cRighe << riga;
        v.iPosizione = ++p;
        if (!ricordato.isEmpty() && e.iSelezione < 0 && TrimSpazi(nome) == ricordato) e.iSelezione = p - 1;
    }
    return e;
}

std::array<QString, 9> CellePrenotati(const QStringList& cRighe)
{
    std::array<QString, 9> c;
    for (int i = 0; i < 9 && i < cRighe.size(); ++i) c[size_t(i)] = cRighe[i];
    return c;
}

EsitoPrenotati GestiscePrenotati(int iChi, int iOperazione, const QString& cSelezionata)
{
    switch (iOperazione & 7) {
    case kPrenota: {
        const bool ospite = (iOperazione & kPrenotaOspite) != 0;
        // A booking for nobody (an index the registry does not hold) would
        // put a nameless line in the queue.
        if (!EsistePersona(iChi, ospite)) return {};
        const int tipo = ospite ? -1 : 0;
        size_t trovato = 0;
        for (size_t i = 1; i < aPrenotati.size(); ++i) {
            if (aPrenotati[i].iChi == iChi && aPrenotati[i].iOspite == tipo) {
                trovato = i;
                break;
            }
        }
        const float ora = Ora();
        if (trovato == 0) {
            Prenotato n;
            n.iChi = iChi;
            n.iOspite = tipo;
            n.iOrdine = 1;
            n.xInAttesa = -1;
            n.iPosizione = 0;
            n.nOra = ora;
            aPrenotati.push_back(n);
        } else {
            Prenotato& v = aPrenotati[trovato];
            if ((iOperazione & kPrenotaTastiera) && Trascorso(v.nOra, ora) <= kRipetizioneTastiera) {
                // The repetitions of one press.
                v.nOra = ora;
                return {};
            }
            ++v.iOrdine;
            v.nOra = ora;
            if (v.xInAttesa == 0) {
                Prenotato m = v;
                m.xInAttesa = -1;
                aPrenotati.erase(aPrenotati.begin() + std::ptrdiff_t(trovato));
                aPrenotati.push_back(m);
            }
        }
        return RighePrenotati(cSelezionata);
    }
    case kDaParola: {
        OratoreScelto o;
        const int i = Voce(iChi);
        if (i > 0) {
            Prenotato& v = aPrenotati[size_t(i)];
            if (v.iOspite != 0) {
                if (EsistePersona(v.iChi, true)) {
                    o = {true, 0, TrimSpazi(aOspiti[v.iChi].cNomeAN), TrimSpazi(aOspiti[v.iChi].cNomeBreveAN)};
                }
            } else if (EsistePersona(v.iChi, false)) {
                o = {true, v.iChi, TrimSpazi(aPosti[v.iChi].cNomeAN), TrimSpazi(aPosti[v.iChi].cNomeBreveAN)};
            }
            // No longer waiting, also when the floor is refused.
            v.xInAttesa = 0;
        }
        EsitoPrenotati e = RighePrenotati();
        e.oratore = o;
        return e;
    }
    case kTogli: {
        const int i = Voce(iChi);
        if (i > 0) {
            Prenotato& v = aPrenotati[size_t(i)];
            v.xInAttesa = 0;
            if (v.iOrdine >= 1) --v.iOrdine;
        }
        return RighePrenotati();
    }
    case kSvuota: aPrenotati.assign(1, Prenotato{}); return RighePrenotati();
    default: return {};
    }
}

// ---------------------------------------------------------------------------

std::vector<int> RichiesteParola(QString& cResiduo, const QString& cNuovi)
{
    std::vector<int> unita;
    for (const TramaTastiera& t : TrameTastiera(cResiduo, cNuovi))
        if (t.iCodice == kCodiceParola) unita.push_back(t.iUnita);
    return unita;
}

int PostoDaVotatore(int iUnita)
{
    for (size_t i = 1; i < aPosti.size(); ++i)
        if (aPosti[i].iVotatoreAN == iUnita) return int(i);
    return 0;
}

EsitoPrenotati InterrogaRichieste(bool xSedutaInCorso, const QString& cSelezionata)
{
    EsitoPrenotati esito;
    if (!xSedutaInCorso ||
        (iPrenotazioni & (kPrenotazioniDaVotatori | kPrenotazioniSospese)) != kPrenotazioniDaVotatori ||
        (iStatoConsole & kStatoVoto))
        return esito;
    // The central armed for a vote (or being closed) carries its keys: a
    // poll would read and lose them.
    if (oVoto.Impegnato()) return esito;
    // The survey owns the line and its frames.
    if (xRilievoRadio) return esito;
    // Only the radio keypads send requests to speak; a wired central would
    // answer the radio start byte with an error.
    if (iProtocolloTLV != 7777) return esito;

    Seriale& p = oComTLV;
    if (!p.PortOpen()) {
        // A port that cannot be opened is given up silently until the
        // console is loaded again.
        if (!ApreComVotatori(iPortaTLV, true, true)) {
            iPrenotazioni |= kPrenotazioniSospese;
            return esito;
        }
        if (TrasmetteVotatori(QString(QChar(0xBB)), 0, QString())) cResiduoTLV.clear();
    }

    const QString letti = RiceveVotatori(0, 0);
    for (int u : RichiesteParola(cResiduoTLV, letti)) {
        const int posto = PostoDaVotatore(u);
        if (posto == 0 || !InAula(aPosti[size_t(posto)])) continue;
        EsitoPrenotati e = GestiscePrenotati(posto, kPrenota + kPrenotaTastiera, cSelezionata);
        if (e.xRidisegna) esito = e;
    }
    return esito;
}

}  // namespace obx
