#include "console/VotiSuperati.h"

#include <algorithm>

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
            dbArchivio.OpenQuery(QStringLiteral("SELECT lCodiceEV, cExtraDescEV, dDataOraEV, lCodVotoEV FROM ") + cTabelle[3] +
                                     QStringLiteral(" WHERE cTipoEventoEV = 'T' and iDeliberaEV = ?;"),
                                 {delibera});
        for (; !re.Eof(); re.MoveNext())
            n.eventi.push_back({re.Field(QStringLiteral("lCodiceEV")).toInt(), re.Field(QStringLiteral("cExtraDescEV")),
                                re.Field(QStringLiteral("dDataOraEV")).toDateTime(), delibera,
                                re.Field(QStringLiteral("lCodVotoEV")).toInt()});
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
    std::vector<int> superati;  // the votes that stay marked
    try {
        for (const NotaSalvata& v : note.voti) {
            const bool stessoVoto = (v.iDelibera < 0) == xImmEsec;
            if (xSupera && stessoVoto && nellaSeduta(v.dData)) {
                superati.push_back(v.iCodice);
                continue;
            }
            dbArchivio.Execute(QStringLiteral("UPDATE ") + cTabelle[4] +
                                   QStringLiteral(" SET cNotaVotoVT = ? WHERE lCodiceVT = ?;"),
                               {v.vNota, v.iCodice});
        }
        // A closing event follows the vote it closes: another kind's vote,
        // the other of the act's two votes, an earlier sitting's or no vote
        // at all gets its note back.
        for (const NotaSalvata& v : note.eventi) {
            if (v.iVoto != 0 && std::find(superati.begin(), superati.end(), v.iVoto) != superati.end()) continue;
            dbArchivio.Execute(QStringLiteral("UPDATE ") + cTabelle[3] +
                                   QStringLiteral(" SET cExtraDescEV = ? WHERE lCodiceEV = ?;"),
                               {v.vNota, v.iCodice});
        }
    } catch (const Errore& e) {
        ScritturaFallita(e);
    }
}

}  // namespace obx
