#include "console/MappaVotatori.h"

#include "links/Votatori.h"
#include "shell/Globali.h"

namespace obx {

int ModoVotoPerTipo(const QString& cTipo, bool xProva)
{
    int m = 1;
    if (cTipo == u"A")
        m = 9;
    else if (cTipo == u"V")
        m = 33;
    else if (cTipo == u"W")
        m = 49;
    else if (cTipo == u"J")
        m = 17;
    // The test column is the real one with bit 2 instead of bit 1.
    return xProva ? m + 1 : m;
}

QString MappaUnita(int iPrimo, int iUltimo)
{
    QString mappa(512, u'0');
    auto abilita = [&](int u) {
        if (u >= 0 && u <= kUltimaUnitaMappa) mappa[u / 8] = u'1';
    };
    for (int u = std::max(iPrimo, 0); u <= std::min(iUltimo, kUltimaUnitaMappa); ++u) abilita(u);
    // Units outside the range the seats hold (a reserve unit, a place
    // exchanged) are enabled too.
    for (size_t i = 1; i < aPosti.size(); ++i) {
        if (aPosti[i].iVotatoreAN > 0) abilita(aPosti[i].iVotatoreAN);
        if (aPosti[i].iVotatoreUso > 0) abilita(aPosti[i].iVotatoreUso);
    }
    return mappa;
}

std::vector<MessaggioCentrale> MessaggiMappa(int iProtocollo, int iPrimo, int iUltimo)
{
    if (iProtocollo == 7777) return {};
    return {{QStringLiteral("Mp ") + MappaUnita(iPrimo, iUltimo), 2, QStringLiteral("Ok")}};
}

std::vector<MessaggioCentrale> MessaggiApertura(int iProtocollo, int iStep)
{
    if (iProtocollo == 7777) return {{QString(QChar(0xBB)), 0, QString()}};
    std::vector<MessaggioCentrale> m{{QStringLiteral("Av 61"), 2, QStringLiteral("p1")}};
    static const QString kPassi = QStringLiteral("p2p3p4Ok");
    for (int k = 1; k <= std::min(iStep, 4); ++k) m.push_back({QStringLiteral("Sf"), 2, kPassi.mid(2 * k - 2, 2)});
    return m;
}

AperturaTipo DatiApertura(const QString& cTipo, bool xProva, bool xImmEsec)
{
    AperturaTipo a;
    a.iModoVoto = ModoVotoPerTipo(cTipo, xProva);
    a.cEvento = QStringLiteral("V");
    if (cTipo == u"A")
        a.iQuadro = 42;
    else if (cTipo == u"V")
        a.iQuadro = 34;
    else if (cTipo == u"W")
        a.iQuadro = 42;
    else if (cTipo == u"J")
        a.iQuadro = 10;
    else {
        a.xAzzeraLed = true;
        if (xImmEsec) a.cEvento = QStringLiteral("W");
    }
    if (cTipo == u"J" || cTipo == u"W") a.iVotanteUnico = 0;

    struct Titolo {
        const char16_t* tipo;
        const char16_t* testo;
    };
    static const Titolo kTitoli[] = {{u"P", u"VOTAZIONE PALESE APERTA"},
                                     {u"M", u"VOTO MODIFICA OdG APERTO"},
                                     {u"H", u"VOTAZIONE SEGRETA APERTA"},
                                     {u"C", u"VOTAZIONE DI CONTROPROVA"},
                                     {u"I", u"VOTAZIONE NOMINALE"},
                                     {u"J", u"VOTAZIONE NOMINALE"},
                                     {u"V", u"VERIFICA NUMERO LEGALE"},
                                     {u"W", u"VERIFICA NUMERO LEGALE"},
                                     {u"A", u"AUTOCERTIFICAZIONE PRESENZA"},
                                     {u"R", u"VOTAZIONE RINVIO A COMMISSIONE"},
                                     {u"S", u"VOTAZIONE RINVIO AD ALTRA SEDUTA"}};
    for (const Titolo& t : kTitoli)
        if (cTipo == QStringView(t.tipo)) a.cTitolo = QString::fromUtf16(t.testo);
    if (xProva) {
        // A test vote shows every key on the LED map and only its own title.
        a.xAzzeraLed = true;
        a.iQuadro = 0;
        a.cEvento.clear();
        a.cTitolo = QStringLiteral("PROVA VOTAZIONE");
        a.iVotanteUnico = -1;
    }
    return a;
}

void AzzeraStatoVoto()
{
    iVotiRicevuti = 0;
    cVoti.Azzera(QChar(u'0'));
    cTastiRicevuti.Azzera(QChar(0));
    iModoVoto = 0;
    iVotanteUnico = -1;
    cResiduoTLV.clear();
    for (size_t i = 1; i < aPosti.size(); ++i) aPosti[i].cVoto = QStringLiteral("0");
}

static bool Invia(const std::vector<MessaggioCentrale>& messaggi)
{
    for (const MessaggioCentrale& m : messaggi)
        if (!TrasmetteVotatori(m.cDati, m.iLenRisposta, m.cRisposta)) return false;
    return true;
}

bool MappaSeriale(int iPrimo, int iUltimo)
{
    const auto m = MessaggiMappa(iProtocolloTLV, iPrimo, iUltimo);
    if (m.empty()) return true;
    ScriveTraccia(m.front().cDati);
    return Invia(m);
}

bool ApreVotazione(int iStep)
{
    if (!ApreComVotatori(iPortaTLV, false)) return false;
    if (!MappaSeriale(iPrimoTLV, iUltimoTLV)) return false;
    return Invia(MessaggiApertura(iProtocolloTLV, iStep));
}

}  // namespace obx
