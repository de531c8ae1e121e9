#include "console/TastiVoto.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>

#include "console/MappaVotatori.h"
#include "console/Quorum.h"
#include "console/Spoglio.h"
#include "links/ComSeriali.h"
#include "links/Tabellone.h"
#include "links/Votatori.h"
#include "platform/Testo.h"
#include "shell/Globali.h"

namespace obx {

QString CarattereLed(const QString& cTasto)
{
    if (cTasto == u"3") return QStringLiteral("2");
    if (cTasto == u"6") return QStringLiteral("1");
    if (cTasto == u"5") return QStringLiteral("3");
    return {};
}

// The seat holding a unit: the first whose own unit it is.  The unit in
// use (iVotatoreUso) stays with a person through an exchange of places and
// may name a unit the person no longer holds; a reserve unit handed out is
// the seat's own unit as well.  0 when none.
static int PostoDiUnita(int iVoter)
{
    if (iVoter <= 0) return 0;
    for (size_t i = 1; i < aPosti.size(); ++i)
        if (aPosti[i].iVotatoreAN == iVoter) return int(i);
    return 0;
}

int MemorizzaVoti(int iVoter, const QString& cTasto, std::vector<TastoVoto>* pTasti)
{
    if (iModoVoto == 0 || !oVoto.RaccoglieTasti()) return 0;
    if (cTasto.size() != 1) return 0;

    const int m = iModoVoto & kVotoGenere;
    QString ammessi;
    bool soloUnico = false;
    switch (m) {
    case kVotoAppello:
    case kVotoNumeroLegale: ammessi = QStringLiteral("356*"); break;
    case kVotoUnico:
        ammessi = QStringLiteral("356");
        soloUnico = true;
        break;
    case kVotoUnico | kVotoNumeroLegale:
        ammessi = QStringLiteral("356*");
        soloUnico = true;
        break;
    case 0: ammessi = QStringLiteral("356"); break;
    default: return 0;
    }
    if (!ammessi.contains(cTasto)) return 0;
    if (soloUnico && iVoter != iVotanteUnico) return 0;

    const int k = PostoDiUnita(iVoter);
    if (k == 0) return 0;
    Posto& p = aPosti[size_t(k)];
    if (!AventeDirittoNonAssente(p)) return 0;
    // A seat without a valid person code has no place in the per-seat
    // strings: recording it would count it again at every key.
    if (!StringaPosti::Valido(p.bCodiceAN)) return 0;

    int esito = 0;
    TastoVoto t;
    t.iPosto = k;
    const bool unico = (iModoVoto & kVotoUnico) != 0;
    const bool presenza = (iModoVoto & (kVotoAppello | kVotoNumeroLegale)) != 0;

    if (p.cVoto == u"0" && VotoRealeAperto()) {
        switch (p.iStato & (kPresente | kPresenteNonVotante | kAssenteDichiarato)) {
        case kPresente: t.xTogliVotanti = true; break;
        case 0:
            if (unico) {
                t.xTogliVotanti = true;
            } else if (!presenza) {
                // In a roll call or a verification the absent member who keys
                // is entering, not one who cannot vote.
                t.xAggiungiAssenti = true;
                p.cVoto = QStringLiteral("*");
            }
            break;
        default: break;
        }
        if (t.xTogliVotanti || t.xAggiungiAssenti) esito |= kTastoListe;
    }

    auto segnaRicevuto = [&] {
        if (cTastiRicevuti.At(p.bCodiceAN) == QChar(0)) {
            ++iVotiRicevuti;
            cTastiRicevuti.Set(p.bCodiceAN, QChar(p.bCodiceAN));
            t.xPrimo = true;
        }
    };
    const bool assente = (p.iStato & (kPresente | kAssenteDichiarato)) == 0;

    if (presenza) {
        p.cVoto = QStringLiteral("+");
        cVoti.Set(p.bCodiceAN, u'+');
        segnaRicevuto();
        const int r = iModoVoto & (kVotoProva | kVotoAppello | kVotoNumeroLegale);
        if ((r == kVotoAppello || r == kVotoNumeroLegale) && assente && p.iPulsanteAN > 0) {
            t.xEntra = true;
            esito |= kTastoEntrata;
        }
        t.cTasto = p.cVoto;
        if (pTasti) pTasti->push_back(t);
        return esito | kTastoRegistrato;
    }

    if ((iModoVoto & (kVotoProva | kVotoUnico)) == kVotoUnico && assente && p.iPulsanteAN > 0) {
        t.xEntra = true;
        esito |= kTastoEntrata;
    }
    const bool conta = unico ? (p.iStato & kAventeDiritto) == kAventeDiritto
                             : (p.iStato & (kPresente | kPresenteNonVotante)) == kPresente;
    if (!conta) {
        t.cTasto = p.cVoto;
        if (esito != 0 && pTasti) pTasti->push_back(t);
        return esito;
    }

    p.cVoto = cTasto;
    cVoti.Set(p.bCodiceAN, cTasto.at(0));
    segnaRicevuto();
    esito |= kTastoRegistrato;
    t.cTasto = cTasto;

    if ((iModoVoto & kVotoProva) != 0 || ((iConfigOBX & kOpzMostraVoti) != 0 && cTipoVoto != u"H")) {
        t.xMostra = true;
        const QString led = CarattereLed(cTasto);
        if (p.iPannelloAN >= 1 && p.iPannelloAN <= 48 && !led.isEmpty()) {
            if (cLedQuadro.size() < 48) cLedQuadro = cLedQuadro.leftJustified(48, u'0');
            if (cLedVoti.size() < 48) cLedVoti = cLedVoti.leftJustified(48, u'0');
            cLedQuadro[p.iPannelloAN - 1] = led.at(0);
            cLedVoti[p.iPannelloAN - 1] = led.at(0);
        }
        esito |= kTastoLed;
    }
    if (pTasti) pTasti->push_back(t);
    return esito;
}

static int Esadecimale(const QString& s)
{
    bool ok = false;
    const int v = s.toInt(&ok, 16);
    return ok && !s.contains(u'-') && !s.contains(u'+') && !s.contains(u' ') ? v : -1;
}

static int Elabora4010(const QString& s, std::vector<TastoVoto>* pTasti)
{
    int esito = 0;
    int i = 0;
    const int n = int(s.size());
    while (i < n) {
        const QChar c = s.at(i);
        if (c == u'@' || c == u'F') {
            iModoVoto = 0;
            return esito | kTastiFine;
        }
        if (c == u'?') {
            iFlagQuorum |= kQuorumDatiPendenti;
            esito |= kTastiPendenti;
            ++i;
            continue;
        }
        if (c != u'V') {
            ++i;
            continue;
        }
        if (n - i < 8) {
            cResiduoTLV = s.mid(i);
            return esito;
        }
        const QString sette = s.mid(i + 1, 7);
        const QChar e = sette.at(6);
        const int unita = Esadecimale(sette.mid(2, 3));
        if (e == u'@' || e == u'F') {
            iFlagQuorum &= ~kQuorumDatiPendenti;
            iModoVoto = 0;
            return esito | kTastiFine;
        }
        if (e == u'[' || e == u'(') {
            const int lung = e == u'[' ? iLenRisposta : 8 * (iLenRisposta + 1);
            if (n - (i + 8) < lung) {
                // The keys are still on their way: never an empty key.
                cResiduoTLV = s.mid(i);
                return esito;
            }
            const QString tasti = s.mid(i + 8, lung);
            if (unita >= 0) {
                if (e == u'[') {
                    esito |= MemorizzaVoti(unita, tasti.left(1), pTasti);
                } else {
                    for (int j = 0; j < 8; ++j)
                        esito |= MemorizzaVoti(unita + j, tasti.mid(j * (iLenRisposta + 1), 1), pTasti);
                }
            }
            iFlagQuorum &= ~kQuorumDatiPendenti;
            i += 8 + lung;
            continue;
        }
        if (e == u'?') {
            iFlagQuorum |= kQuorumDatiPendenti;
            esito |= kTastiPendenti;
        }
        i += 8;
    }
    return esito;
}

std::vector<TramaTastiera> TrameTastiera(QString& cResiduo, const QString& cNuovi)
{
    std::vector<TramaTastiera> trame;
    const QString s = cResiduo + cNuovi;
    cResiduo.clear();
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n) {
        if ((s.at(i).unicode() & 0xFF) < 0xF0) {
            ++i;
            continue;
        }
        if (n - i < 5) {
            cResiduo = s.mid(i);
            break;
        }
        // The unit and the code travel in the low four bits; the high bits
        // of the four bytes after the head carry nothing.
        auto basso = [&](qsizetype k) { return int(s.at(i + k).unicode() & 15); };
        const TramaTastiera t{basso(1) + 16 * basso(2) + 256 * basso(3), basso(4)};
        trame.push_back(t);
        // A known code closes its frame.  Any other may be a frame cut
        // short by a lost byte, whose place the next head took (a head
        // carries the antenna, 1 to 8, in its low bits): the scan goes on
        // with the byte after this head, so that frame is still found.
        i += t.iCodice >= kCodiceSi && t.iCodice <= kCodiceParola ? 5 : 1;
    }
    return trame;
}

QString TastoDaCodice(int iCodice)
{
    if (iCodice == kCodiceSi) return QStringLiteral("3");
    if (iCodice == kCodiceNo) return QStringLiteral("6");
    if (iCodice == kCodiceAstenuto) return QStringLiteral("5");
    return {};
}

static int Elabora7777(const QString& s, std::vector<TastoVoto>* pTasti)
{
    int esito = 0;
    for (const TramaTastiera& t : TrameTastiera(cResiduoTLV, s)) {
        const QString tasto = TastoDaCodice(t.iCodice);
        // The request to speak is no key during a vote.
        if (!tasto.isEmpty()) esito |= MemorizzaVoti(t.iUnita, tasto, pTasti);
    }
    return esito;
}

int ElaboraTasti(const QString& dati, std::vector<TastoVoto>* pTasti)
{
    const QString s = cResiduoTLV + dati;
    cResiduoTLV.clear();
    // After the tally nothing more is taken: the keys still on the line
    // belong to a vote that is over.
    if (iModoVoto == 0 || !oVoto.RaccoglieTasti()) return 0;
    return iProtocolloTLV == 7777 ? Elabora7777(s, pTasti) : Elabora4010(s, pTasti);
}

int VotiDaCentrale(double nAttesa, std::vector<TastoVoto>* pTasti)
{
    QString dati;
    if (iProtocolloTLV == 7777) {
        dati = RiceveVotatori(0, nAttesa);
    } else {
        if (oComTLV.InBufferCount() <= 0) return 0;
        dati = RiceveVotatori(0, nAttesa);
    }
    const int esito = ElaboraTasti(dati, pTasti);
    if ((esito & kTastoLed) != 0 && oTabellone) oTabellone->DettaglioLed(cLedVoti);
    return esito;
}

std::vector<TastoFile> TastiDaRighe(const QStringList& righe)
{
    std::vector<TastoFile> r;
    for (const QString& riga : righe) {
        const int uguale = int(riga.indexOf(u'='));
        if (uguale < 0) continue;
        const double n = Val(riga.left(uguale));
        if (n < 1 || n >= double(aPosti.size()) || n != std::floor(n)) continue;
        r.push_back({int(n), riga.mid(uguale + 1, 1)});
    }
    return r;
}

QString PercorsoFileVoti(const QString& cartella, const QString& nome)
{
    const QString percorso = cartella + nome;
    if (QFileInfo(percorso).isFile()) return percorso;
    const QDir d(cartella.isEmpty() ? QStringLiteral(".") : cartella);
    for (const QString& voce : d.entryList(QDir::Files))
        if (voce.compare(nome, Qt::CaseInsensitive) == 0) return d.filePath(voce);
    return percorso;
}

std::optional<QStringList> RigheFileVoti(const QString& cPercorso)
{
    QFile f(cPercorso);
    if (!QFileInfo(cPercorso).isFile() || !f.open(QIODevice::ReadOnly)) return std::nullopt;
    return RigheTesto(f.readAll());
}

}  // namespace obx
