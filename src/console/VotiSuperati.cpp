#include "console/VotiSuperati.h"

#include "console/Registri.h"
#include "shell/Globali.h"

namespace obx {

QDateTime InizioSeduta()
{
    QDateTime d;
    try {
        Recordset rs = dbArchivio.OpenQuery(QStringLiteral("SELECT dDataOraEV FROM ") + cTabelle[3] +
                                            QStringLiteral(" WHERE cTipoEventoEV = 'A' ORDER BY dDataOraEV DESC;"));
        if (!rs.Eof()) d = rs.Field(QStringLiteral("dDataOraEV")).toDateTime();
        rs.Close();
    } catch (const Errore& e) {
        MostraErrore(e);
    }
    return d;
}

NoteVoti FotografaNote(const QString& cTipo, int delibera)
{
    NoteVoti n;
    try {
        Recordset rs =
            dbArchivio.OpenQuery(QStringLiteral("SELECT lCodiceVT, cNotaVotoVT, dDataOraIniVT, iDeliberaVT FROM ") +
                                     cTabelle[4] + QStringLiteral(" WHERE iCodLeggeVT = ? and cPaleseVT = ?;"),
                                 {delibera, cTipo});
        for (; !rs.Eof(); rs.MoveNext())
            n.voti.push_back({rs.Field(QStringLiteral("lCodiceVT")).toInt(), rs.Field(QStringLiteral("cNotaVotoVT")),
                              rs.Field(QStringLiteral("dDataOraIniVT")).toDateTime(),
                              rs.Field(QStringLiteral("iDeliberaVT")).toInt()});
        rs.Close();
        Recordset re =
            dbArchivio.OpenQuery(QStringLiteral("SELECT lCodiceEV, cExtraDescEV, dDataOraEV FROM ") + cTabelle[3] +
                                     QStringLiteral(" WHERE cTipoEventoEV = 'T' and iDeliberaEV = ?;"),
                                 {delibera});
        for (; !re.Eof(); re.MoveNext())
            n.eventi.push_back({re.Field(QStringLiteral("lCodiceEV")).toInt(), re.Field(QStringLiteral("cExtraDescEV")),
                                re.Field(QStringLiteral("dDataOraEV")).toDateTime(), delibera});
        re.Close();
    } catch (const Errore& e) {
        MostraErrore(e);
    }
    return n;
}

void RipristinaNote(const NoteVoti& note, bool xSupera, bool xImmEsec, const QDateTime& dInizioSeduta)
{
    auto nellaSeduta = [&](const QDateTime& d) {
        return !dInizioSeduta.isValid() || (d.isValid() && d >= dInizioSeduta);
    };
    try {
        for (const NotaSalvata& v : note.voti) {
            const bool stessoVoto = (v.iDelibera < 0) == xImmEsec;
            if (xSupera && stessoVoto && nellaSeduta(v.dData)) continue;
            dbArchivio.Execute(QStringLiteral("UPDATE ") + cTabelle[4] +
                                   QStringLiteral(" SET cNotaVotoVT = ? WHERE lCodiceVT = ?;"),
                               {v.vNota, v.iCodice});
        }
        // The closing events do not tell the two votes apart: the vote on
        // immediate executability leaves them all as they were.
        for (const NotaSalvata& v : note.eventi) {
            if (xSupera && !xImmEsec && nellaSeduta(v.dData)) continue;
            dbArchivio.Execute(QStringLiteral("UPDATE ") + cTabelle[3] +
                                   QStringLiteral(" SET cExtraDescEV = ? WHERE lCodiceEV = ?;"),
                               {v.vNota, v.iCodice});
        }
    } catch (const Errore& e) {
        ScritturaFallita(e);
    }
}

}  // namespace obx
