#include "console/Quorum.h"

#include "platform/Testo.h"
#include "shell/Globali.h"

namespace obx {

namespace {

// Division rounded towards minus infinity, and towards plus infinity.
int DivisoGiu(int a, int b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }
int DivisoSu(int a, int b) { return -DivisoGiu(-a, b); }

// Yes and no, with the abstentions when the option asks for them.
int VotiEspressi()
{
    int n = iFavorevoli + iContrari;
    if (iConfigOBX & kOpzQuorumAstenuti) n += iAstenuti;
    return n;
}

// Those present who may vote: the count of present voting members less
// the voting members present and declared not voting (and not declared
// absent).  Only seats counted in iPresenti are taken off it: a seat
// without a vote that is present and not voting was never counted.
int PresentiVotanti()
{
    int n = iPresenti;
    for (size_t i = 1; i < aPosti.size(); ++i)
        if ((aPosti[i].iStato & (kPresente | kPresenteNonVotante | kAventeDiritto | kAssenteDichiarato)) ==
            (kPresente | kPresenteNonVotante | kAventeDiritto))
            --n;
    return n;
}

}  // namespace

QStringList VociTipoQuorum(int tipoAssemblea)
{
    if (tipoAssemblea == 4)
        return {QStringLiteral("Nessuno"), QStringLiteral("1/2+1 Consiglio"), QStringLiteral("2/3 Consiglio"),
                QStringLiteral("2/3 Votanti")};
    return {QStringLiteral("Automatico")};
}

int CodiceTipoQuorum(int iListIndex, const QString& cVoceZero)
{
    if (iListIndex < 1) return cVoceZero == u"Nessuno" ? kQuorumNessuno : kQuorumAutomatico;
    if (iListIndex <= 3) return iListIndex + 1;
    return kQuorumAutomatico;
}

void ImpostaTipoQuorum(int iCodice)
{
    if (iCodice < 0 || iCodice > kQuorumDueTerziVotanti) iCodice = kQuorumAutomatico;
    iFlagQuorum = (iFlagQuorum & ~kQuorumMascheraTipo) | (iCodice * 32);
}

int TipoQuorumCorrente() { return (iFlagQuorum & kQuorumMascheraTipo) / 32; }

int MetaPiuUno(int n) { return DivisoGiu(n, 2) + 1; }

int DueTerzi(int n) { return DivisoSu(2 * n, 3); }

void CalcolaSoglie(int iValore, bool xVoto, int iTipoQuorum)
{
    if (iValore >= 0) {
        const int m = iValore & 127;
        const int e = (iValore >> 7) & 127;
        if (m != 0) {
            iFlagQuorum &= ~kQuorumCalcolato;
            iQuorum[1] = m;
        } else {
            iFlagQuorum |= kQuorumCalcolato;
            iQuorum[1] = 0;
        }
        if (e != 0) {
            iFlagQuorum &= ~kQuorumImmEsecCalcolato;
            iQuorum[2] = e;
        } else {
            iFlagQuorum |= kQuorumImmEsecCalcolato;
            iQuorum[2] = 0;
        }
    }

    auto tutte = [](int t) { iQuorum[1] = iQuorum[2] = iQuorum[3] = iQuorum[4] = t; };
    switch (iTipoQuorum) {
    case kQuorumNessuno: tutte(0); break;
    case kQuorumMetaConsiglio: tutte(MetaPiuUno(iVotanti)); break;
    case kQuorumDueTerziConsiglio: tutte(DueTerzi(iVotanti)); break;
    case kQuorumDueTerziVotanti: tutte(xVoto ? DueTerzi(VotiEspressi()) : 0); break;
    default: {
        // Per item.  Until the tally is known a computed threshold shows 0.
        int base = -2;
        if (iConfigOBX & kOpzBaseSenzaNonVotanti)
            base = PresentiVotanti();
        else if (xVoto)
            base = VotiEspressi();
        iQuorum[3] = (iFlagQuorum & kQuorumCalcolato) ? MetaPiuUno(base) : iQuorum[1];
        iQuorum[4] = (iFlagQuorum & kQuorumImmEsecCalcolato) ? MetaPiuUno(base) : iQuorum[2];
        break;
    }
    }
}

QString SogliaDaMostrare(bool xImmEsec)
{
    if (xImmEsec)
        iFlagQuorum |= kQuorumVotoImmEsec;
    else
        iFlagQuorum &= ~kQuorumVotoImmEsec;
    return Formato(xImmEsec ? iQuorum[4] : iQuorum[3], QStringLiteral("00"));
}

QString RicalcolaQuorum(int iValore, bool xVoto, bool xImmEsec)
{
    CalcolaSoglie(iValore, xVoto, TipoQuorumCorrente());
    return SogliaDaMostrare(xImmEsec);
}

int SogliaApprovazione(int iSoglia, int iTipoQuorum)
{
    if (iTipoAssemblea == 4 && (iSoglia == 0 || iTipoQuorum == kQuorumAutomatico || iTipoQuorum == kQuorumNessuno))
        return iContrari + 1;
    return iSoglia;
}

QString LetteraTipoVoto(const QString& cNome, const QString& cAttuale)
{
    for (int i = 0; i < int(cNomiVoti.size()); ++i)
        if (!cNomiVoti[i].isEmpty() && cNomiVoti[i] == cNome && i < cLettereVoti.size())
            return QString(cLettereVoti.at(i));
    return cAttuale;
}

}  // namespace obx
