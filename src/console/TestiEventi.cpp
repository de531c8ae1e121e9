#include "console/TestiEventi.h"

#include "platform/Testo.h"
#include "shell/Campi.h"
#include "shell/Globali.h"

namespace obx {

namespace {

// The item text: the short title, with the article of an item of the rules.
QString TestoArgomento()
{
    QString t = cArgomento[4];
    if (cTipoArg == u"A" && !TrimSpazi(cArgomento[0]).isEmpty())
        t += QStringLiteral(" art. ") + TrimSpazi(cArgomento[0]);
    return t;
}

QString Numero(int n) { return Formato(n, QStringLiteral("##0")); }

// Totals of a vote closing.
QString TotaliVoto()
{
    if (LetteraIn(cTipoVoto, "VWA")) return QStringLiteral("Presenti=") + Numero(iFavorevoli);
    QString t = QStringLiteral("Fav=") + Numero(iFavorevoli) + QStringLiteral("  Con=") + Numero(iContrari) +
                QStringLiteral("  Ast=") + Numero(iAstenuti);
    const int nonVotanti = iPresenti - iFavorevoli - iContrari - iAstenuti;
    if (nonVotanti > 0) t += QStringLiteral("  NoV=") + Numero(nonVotanti);
    return t;
}

// Threshold text of a vote closing; empty leaves the blanks.
QString TestoQuorum()
{
    if (cTipoVoto == u"A") return QStringLiteral("Appello");
    if (LetteraIn(cTipoVoto, "VW")) return QStringLiteral("Quorum=") + Numero(iQuorum[3]);
    if (cTipoVoto == u"M") return QStringLiteral("Modifica Sequenza OdG ");
    if (LetteraIn(cTipoVoto, "PHIJRS")) {
        QString t = QStringLiteral("Quorum=") + Numero(iQuorum[3]);
        if (iTipoAssemblea != 4) t += QStringLiteral("  Quorum I.E.=") + Numero(iQuorum[4]);
        return t;
    }
    return QString();
}

}  // namespace

TestiEvento TestiDiEvento(const QString& lettera, const QString& cNome)
{
    const QString atto = DescriveTipoAtto(30, false);
    const QString argomento = iDelibera != 0 ? TestoArgomento() : QString();
    const QString& l = lettera;
    if (l == u"A") return {QStringLiteral("Apertura Seduta"), {}, {}, QStringLiteral("A")};
    if (l == u"C") return {QStringLiteral("Chiusura Seduta"), {}, {}, QStringLiteral("C")};
    if (l == u"D") return {QStringLiteral("Parla"), cNome, {}, QStringLiteral("D")};
    if (l == u"E") return {QStringLiteral("Entra"), cNome, {}, {}};
    if (l == u"F") return {QStringLiteral("Conclude"), cNome, {}, QStringLiteral("F")};
    if (l == u"G") return {QStringLiteral("Apertura Argomento"), atto, argomento, QStringLiteral("G")};
    if (l == u"H") return {QStringLiteral("Chiusura Argomento"), atto, argomento, {}};
    if (l == u"I")
        return {QStringLiteral("Votazione Nulla"),
                {},
                cTipoVoto == u"M" ? QStringLiteral("Modifica Sequenza OdG") : QString(),
                QStringLiteral("I")};
    // A substitution names who takes over; its details keep who was
    // replaced (cSegretari(0)).
    if (l == u"J") return {QStringLiteral("Sostituz. Segretario"), cNome, cSegretari[0], {}};
    if (l == u"K") return {QStringLiteral("Revoca Scrutatore"), cNome, {}, {}};
    if (l == u"O") return {QStringLiteral("Nomina Scrutatore"), cNome, {}, {}};
    if (l == u"P") return {QStringLiteral("Sostituz. Presidente"), cNome, cSegretari[0], {}};
    if (l == u"Q") return {QStringLiteral("Sostit. Consigliere"), cNome, cSegretari[0], {}};
    if (l == u"R") return {QStringLiteral("Ripresa Consiglio"), {}, {}, QStringLiteral("R")};
    if (l == u"S") return {QStringLiteral("Sospens. Consiglio"), {}, {}, QStringLiteral("S")};
    if (l == u"T" || l == u"L")
        return {QStringLiteral("Chiusura Votazione"), TotaliVoto(), TestoQuorum(), QStringLiteral("T")};
    if (l == u"U") return {QStringLiteral("Esce"), cNome, {}, {}};
    if (l == u"V" || l == u"W") {
        QString descr = QStringLiteral("Apertura Votazione");
        QString board = QStringLiteral("V");
        if (cTipoVoto == u"A") {
            descr = QStringLiteral("Appello");
            if (l == u"V") board = QStringLiteral("4");
        } else if (LetteraIn(cTipoVoto, "VW")) {
            descr = QStringLiteral("Verifica Numero Legale");
            if (l == u"V") board = QStringLiteral("7");
        }
        const QString nome = l == u"W" ? atto + QStringLiteral(" Immediata Esecutività") : atto;
        return {descr, nome, argomento, board};
    }
    if (l == u"X") {
        if (iTipoAssemblea == 4) return {QStringLiteral("Argomento ") + cArgomento[3], atto, TestoArgomento(), {}};
        return {QStringLiteral("Ritiro ") + cArgomentoPendente.left(6), atto, cArgomentoPendente.mid(7), {}};
    }
    if (l == u"Y")
        return {QStringLiteral("Proposta ") + cArgomentoPendente.left(6), atto, cArgomentoPendente.mid(7), {}};
    if (l == u"-") return {QStringLiteral("Presente non Votante"), cNome, {}, {}};
    if (l == u"+") return {QStringLiteral("Presente Votante"), cNome, {}, {}};
    return {QStringLiteral("----"), {}, {}, {}};
}

QString StatoDaEvento(const QString& lettera)
{
    // A referral vote decides where the act goes, not the act: its status
    // is set by the close only when the referral passed.
    if (lettera == u"T") return cTipoVoto == u"R" || cTipoVoto == u"S" ? QString() : QStringLiteral("V");
    if (lettera != u"X") return QString();
    const QString nome = TrimSpazi(cArgomento[3]);
    for (size_t i = 0; i < cStatiArgomento.size(); ++i)
        if (cStatiArgomento[i] == nome && int(i) < cLettereStati.size()) return cLettereStati.mid(int(i), 1);
    return QString();
}

}  // namespace obx
