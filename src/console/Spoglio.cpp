#include "console/Spoglio.h"

#include "console/MappaVotatori.h"
#include "console/Quorum.h"
#include "links/ComSeriali.h"
#include "links/Votatori.h"
#include "platform/Dialoghi.h"
#include "platform/Servizi.h"
#include "platform/Testo.h"
#include "shell/Globali.h"

namespace obx {

int IniziaVoto(const QString& cTipo, bool xProva, bool xImmEsec)
{
    const AperturaTipo a = DatiApertura(cTipo, xProva, xImmEsec);
    AzzeraStatoVoto();
    if (!xProva) iVotanteUnico = a.iVotanteUnico;
    if (a.xAzzeraLed) {
        cLedQuadro = QString(48, u'0');
        cLedVoti = QString(48, u'0');
    }
    iModoVoto = a.iModoVoto;
    return oVoto.Apre(a.iModoVoto);
}

static void Conta(const QString& cTipo, bool xSegnaAssenti)
{
    iFavorevoli = iContrari = iAstenuti = 0;
    if (cTipo == u"A") return;
    const bool verifica = cTipo == u"V" || cTipo == u"W";
    for (size_t i = 1; i < aPosti.size(); ++i) {
        Posto& p = aPosti[i];
        const QChar c = cVoti.At(p.bCodiceAN);
        if (!verifica) {
            if (c == u'3')
                ++iFavorevoli;
            else if (c == u'6')
                ++iContrari;
            else if (c == u'5')
                ++iAstenuti;
            continue;
        }
        if (c == u'+') {
            ++iFavorevoli;
            if (xSegnaAssenti) p.iStato &= ~kAssenteAppello;
        } else if ((p.iStato & (kPresente | kAventeDiritto | kAssenteDichiarato)) == (kPresente | kAventeDiritto)) {
            if (iTipoAssemblea == 4 && int(i) == iRichiedenti[1]) {
                // Who asked for the verification is there by asking.
                ++iFavorevoli;
                if (xSegnaAssenti) {
                    p.iStato &= ~(kPresenteNonVotante | kAssenteAppello);
                    cVoti.Set(p.bCodiceAN, u'+');
                    p.cVoto = QStringLiteral("+");
                }
            } else {
                ++iContrari;
                if (xSegnaAssenti) p.iStato |= kAssenteAppello;
            }
        }
    }
}

void ContaVoti(const QString& cTipo) { Conta(cTipo, true); }

EsitoVoto CalcolaEsito(const QString& cTipo, int iSoglia, int iTipoQuorum, bool xSubPendenti)
{
    EsitoVoto e;
    e.iSoglia = SogliaApprovazione(iSoglia, iTipoQuorum);
    if (cTipo == u"C") {
        e.xPositivo = cVoti.Testo() == cVotiPrecedenti.Testo();
        e.cTesto = e.xPositivo ? QStringLiteral("CONFERMATA") : QStringLiteral("NON CONFERMATA");
        return e;
    }
    e.xPositivo = iFavorevoli >= e.iSoglia;
    QString si, no;
    if (cTipo == u"V" || cTipo == u"W") {
        si = QStringLiteral("N. LEGALE PRESENTE");
        no = QStringLiteral("N. LEGALE ASSENTE");
    } else if (cTipo == u"R") {
        si = QStringLiteral("RINVIATO A COMMISSIONE");
        no = QStringLiteral("NON RINVIATO A COMMISSIONE");
    } else if (cTipo == u"S") {
        si = QStringLiteral("RINVIATO AD ALTRA SEDUTA");
        no = QStringLiteral("NON RINVIATO AD ALTRA SEDUTA");
    } else if (xSubPendenti) {
        si = QStringLiteral("ACCOLTO");
        no = QStringLiteral("NON ACCOLTO");
    } else {
        si = QStringLiteral("APPROVA");
        no = QStringLiteral("NON APPROVA");
    }
    e.cTesto = e.xPositivo ? si : no;
    return e;
}

static void StatoRiposo()
{
    cEsito.clear();
    iStatoConsole = (iStatoConsole & kStatoTessere) | kStatoPulisciTitolo | kStatoOrologio;
}

ChiusuraVoto ChiudeSpoglio(int iModo, const ContestoChiusura& contesto)
{
    ChiusuraVoto r;
    const bool abbandono = (iModo & kAbbandono) != 0;
    const bool annullo = !abbandono && (iModo & kAnnullo) != 0;
    // The guard is claimed first: whatever runs nested inside the waits
    // below (the countdown, a second click) finds the vote no longer open.
    if (abbandono ? !oVoto.Abbandona(contesto.iVoto) : !oVoto.Chiude(contesto.iVoto)) return r;
    r.xEseguita = true;
    r.iVoto = oVoto.Id();
    r.iModo = abbandono ? kAbbandono : annullo ? kAnnullo : kChiusura;
    r.iModoVoto = oVoto.ModoApertura();
    r.xProva = (r.iModoVoto & kVotoProva) != 0;
    r.cTipoVoto = cTipoVoto;
    const QString tipo = cTipoVoto;
    const bool appello = (r.iModoVoto & kVotoAppello) != 0;
    const bool verifica = (r.iModoVoto & kVotoNumeroLegale) != 0;
    // No key may land once the tally starts.
    iModoVoto = 0;

    iFavorevoli = iContrari = iAstenuti = 0;
    if (!annullo) {
        // A dropped vote counts nothing and marks nobody absent (it is no
        // verification at all); a test vote leaves the members' status alone.
        if (!abbandono) Conta(appello ? QStringLiteral("A") : tipo, !r.xProva);
        // The member called, or who asked, is no longer on the board.
        if (!appello && (tipo == u"J" || verifica)) {
            cOratore.clear();
            r.xComando8 = true;
        }
    }

    if ((iModoOBX & kCablaggioVotatori) != 0) {
        if (oComTLV.PortOpen()) r.iInAttesa = oComTLV.InBufferCount();
        ChiudeComVotatori(3);
        r.xCentraleMuta = CentraleMutaAllaChiusura();
    }

    if (abbandono) {
        StatoRiposo();
        return r;
    }
    r.dFineVoto = Clock().Adesso();
    r.xSalva = true;

    auto fine = [&] {
        r.iFavorevoli = iFavorevoli;
        r.iContrari = iContrari;
        r.iAstenuti = iAstenuti;
        r.iVotiRicevuti = iVotiRicevuti;
        r.cVoti = cVoti.Testo();
        r.cTastiRicevuti = cTastiRicevuti.Testo();
        return r;
    };

    if (appello) {
        // A test is not the previous vote a counter-proof compares with.
        if (!r.xProva) cVotiPrecedenti.Imposta(cVoti.Testo());
        r.xRipetuta = true;
        r.iPresentiAppello = cVoti.Conta(QChar(u'+'));
        if (annullo) {
            r.cEventi << QStringLiteral("I");
            cOratore.clear();
            r.xComando8 = true;
        } else {
            // A test roll call corrects nobody's attendance.
            for (size_t i = 1; i < aPosti.size() && !r.xProva; ++i) {
                const Posto& p = aPosti[i];
                if (p.iPulsanteAN <= 0) continue;
                const bool piu = cVoti.At(p.bCodiceAN) == u'+';
                const int s = p.iStato & (kPresente | kAssenteDichiarato);
                if ((piu && s == 0) || (!piu && s == kPresente)) r.aCambiPresenza.push_back(int(i));
            }
            r.cEventi << QStringLiteral("L");
        }
        StatoRiposo();
        return fine();
    }

    const QString soglia = RicalcolaQuorum(-1, true, contesto.xImmEsec);
    r.cSoglia = soglia;
    r.xRipetuta = cVoti.Testo() == cVotiPrecedenti.Testo();
    if (annullo) {
        r.cEventi << QStringLiteral("I");
        StatoRiposo();
        return fine();
    }

    r.esito = CalcolaEsito(tipo, int(Val(soglia)), TipoQuorumCorrente(), contesto.xSubPendenti);
    r.xEsito = true;
    if (tipo != u"C" && !r.xProva) cVotiPrecedenti.Imposta(cVoti.Testo());
    cEsito = r.esito.cTesto;
    r.cEventi << (verifica ? QStringLiteral("L") : QStringLiteral("T")) << QStringLiteral("H");
    if (iTipoAssemblea == 4 && !verifica && !r.xProva) {
        // A rejected referral leaves the act where it was.
        if (tipo == u"R")
            r.cStatoAtto = r.esito.xPositivo ? QStringLiteral("RinviatoComm") : QString();
        else if (tipo == u"S")
            r.cStatoAtto = r.esito.xPositivo ? QStringLiteral("RinviatoSed") : QString();
        else
            r.cStatoAtto = QStringLiteral("Votato");
    }
    iFlagQuorum &= ~kQuorumArgomentoAperto;
    iStatoConsole = (iStatoConsole & (kStatoTessere | kStatoOrologio)) | kStatoEsito;
    return fine();
}

}  // namespace obx
