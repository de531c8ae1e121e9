#include "console/AperturaVoto.h"

#include "console/Registri.h"
#include "platform/Database.h"
#include "platform/Testo.h"
#include "shell/Campi.h"
#include "shell/Globali.h"

namespace obx {

namespace {

// "Trovato 1 Atto subalterno NON VOTATO" / "Trovati 3 Atti subalterni NON VOTATI".
QString MessaggioSubalterni(int n)
{
    const QString s = n == 1 ? QStringLiteral("o") : QStringLiteral("i");
    return QStringLiteral("Trovat") + s + u' ' + QString::number(n) + QStringLiteral(" Att") + s +
           QStringLiteral(" subaltern") + s + QStringLiteral(" NON VOTAT") + s.toUpper();
}

// Unvoted acts below the act iCodiceAtto in the laws' tree that block its
// vote; empty when the vote may open.
QString ControllaSubalterni()
{
    QString messaggio;
    try {
        Recordset rs = dbArchivio.OpenQuery(
            QStringLiteral("SELECT * FROM ") + cTabelle[5] + QStringLiteral(" WHERE iCodLeggeLG = ?;"), {iCodiceAtto});
        if (rs.Eof()) return {};
        QString chiave = TrimSpazi(LeggeCampo(rs.Field(QStringLiteral("cTreeKeyLG")), 0, QString()));
        // The act's type is the first letter of its parameters.
        QString tipoAtto = LeggeCampo(rs.Field(QStringLiteral("cParametriLG")), 0, QString()).left(1);
        rs.Close();
        int livello = 1;
        while (livello < 6 && chiave.size() > 11 * livello) ++livello;
        chiave = (chiave + QString(11, u' ')).left(11 * livello);
        // The acts below are those whose key starts with this one, compared
        // exactly (an identifier may hold characters a pattern would read).
        Recordset sotto =
            dbArchivio.OpenQuery(QStringLiteral("SELECT iCodLeggeLG, cParametriLG FROM ") + cTabelle[5] +
                                     QStringLiteral(" WHERE substr(cTreeKeyLG, 1, ?) = ? COLLATE BINARY;"),
                                 {int(chiave.size()), chiave});
        int n = 0;
        for (; !sotto.Eof(); sotto.MoveNext()) {
            if (sotto.Field(QStringLiteral("iCodLeggeLG")).toInt() == iCodiceAtto) continue;
            const QString par = sotto.Field(QStringLiteral("cParametriLG")).toString();
            if (par.size() >= 2 && par.at(1) == u'N') ++n;
        }
        sotto.Close();
        cArgomento[7].clear();
        if (n > 0 &&
            !QStringLiteral("KIGHMVQPBUFXNWYRSTJ").contains(tipoAtto.isEmpty() ? QStringLiteral("?") : tipoAtto))
            messaggio = MessaggioSubalterni(n);
    } catch (const Errore& e) {
        MostraErrore(e);
    }
    return messaggio;
}

}  // namespace

ControlloApertura ControllaApertura(const QString& cTipo, int iStato, const QString& cStato)
{
    ControlloApertura c;
    c.iDelibera = iDelibera;
    if (cTipo == u"A") return c;
    QString& messaggio = c.cMessaggio;
    if (iTipoAssemblea != 4) {
        if (cTipoArg.size() == 1 && QStringLiteral("DMRA").contains(cTipoArg)) {
            if (iDelibera == 0) messaggio = QStringLiteral("Nessun Argomento selezionato");
        } else if (cTipoArg.size() == 1 && QStringLiteral("IG").contains(cTipoArg)) {
            messaggio = QStringLiteral("Votazione non prevista");
        }
        return c;
    }
    const bool verifica = cTipo == u"V" || cTipo == u"W";
    if (cTipoArg.size() == 1 && cLettereAttiNonVotabili.contains(cTipoArg))
        messaggio = QStringLiteral("Votazione non prevista");
    if (c.iDelibera == 0 && !verifica) messaggio = QStringLiteral("Nessun Argomento selezionato");
    if (iStato > 0) {
        if (verifica)
            c.iDelibera = 0;
        else
            messaggio = QStringLiteral("Argomento ") + cStato + u'\n' + QStringLiteral("Votazione non ammessa");
    }
    if (messaggio.isEmpty() && iCodiceAtto != 0) messaggio = ControllaSubalterni();
    return c;
}

}  // namespace obx
