#include "console/VotiSuperati.h"

#include <algorithm>

#include "console/Registri.h"
#include "shell/Globali.h"

namespace obx {

QDateTime InizioSeduta()
{
    QDateTime d;
    try {
        // The latest opening only, straight from the index on kind and time.
        Recordset rs = dbArchivio.OpenQuery(QStringLiteral("SELECT TOP 1 dDataOraEV FROM ") + cTabelle[3] +
                                            QStringLiteral(" WHERE cTipoEventoEV = 'A' ORDER BY dDataOraEV DESC;"));
        if (!rs.Eof()) d = rs.Field(QStringLiteral("dDataOraEV")).toDateTime();
        rs.Close();
    } catch (const Errore& e) {
        MostraErrore(e);
    }
    return d;
}

Filtro FiltroVoti(const QString& cTipo, int delibera, const QDateTime& dInizioSeduta)
{
    Filtro f{QStringLiteral("iCodLeggeVT = ? and cPaleseVT = ?"), {delibera, cTipo}};
    // A vote without its opening time, or opened before the sitting, is
    // not of the sitting (RipristinaNote's own rule).
    if (dInizioSeduta.isValid()) {
        f.sql += QStringLiteral(" and dDataOraIniVT >= ?");
        f.valori << dInizioSeduta;
    }
    return f;
}

Filtro FiltroChiusure(int delibera, const QDateTime& dInizioSeduta)
{
    Filtro f{QStringLiteral("cTipoEventoEV = 'T' and iDeliberaEV = ?"), {delibera}};
    // A vote is closed after it opened: the closing of a vote of the
    // sitting is dated within the sitting.
    if (dInizioSeduta.isValid()) {
        f.sql += QStringLiteral(" and dDataOraEV >= ?");
        f.valori << dInizioSeduta;
    }
    return f;
}

namespace {

QDateTime g_inizioMarcatura;

}  // namespace

MarcaturaNellaSeduta::MarcaturaNellaSeduta(const QDateTime& dInizio) : m_prima(g_inizioMarcatura)
{
    g_inizioMarcatura = dInizio;
}

MarcaturaNellaSeduta::~MarcaturaNellaSeduta() { g_inizioMarcatura = m_prima; }

QDateTime MarcaturaNellaSeduta::Inizio() { return g_inizioMarcatura; }

void SegnaVotiSuperati(const QString& cTipo, int delibera, int codice)
{
    Filtro f = FiltroVoti(cTipo, delibera, g_inizioMarcatura);
    f.valori << codice;
    dbArchivio.Execute(QStringLiteral("UPDATE ") + cTabelle[4] +
                           QStringLiteral(" SET cNotaVotoVT = 'Votazione Annullata' WHERE ") + f.sql +
                           QStringLiteral(" and lCodiceVT <> ?;"),
                       f.valori);
}

void SegnaChiusureSuperate(int delibera, int codice)
{
    Filtro f = FiltroChiusure(delibera, g_inizioMarcatura);
    f.valori << codice;
    dbArchivio.Execute(QStringLiteral("UPDATE ") + cTabelle[3] +
                           QStringLiteral(" SET cExtraDescEV = 'Votazione Annullata' WHERE ") + f.sql +
                           QStringLiteral(" and lCodiceEV <> ?;"),
                       f.valori);
}

NoteVoti FotografaNote(const QString& cTipo, int delibera, const QDateTime& dInizioSeduta)
{
    NoteVoti n;
    try {
        const Filtro fv = FiltroVoti(cTipo, delibera, dInizioSeduta);
        Recordset rs =
            dbArchivio.OpenQuery(QStringLiteral("SELECT lCodiceVT, cNotaVotoVT, dDataOraIniVT, iDeliberaVT FROM ") +
                                     cTabelle[4] + QStringLiteral(" WHERE ") + fv.sql + u';',
                                 fv.valori);
        for (; !rs.Eof(); rs.MoveNext())
            n.voti.push_back({rs.Field(QStringLiteral("lCodiceVT")).toInt(), rs.Field(QStringLiteral("cNotaVotoVT")),
                              rs.Field(QStringLiteral("dDataOraIniVT")).toDateTime(),
                              rs.Field(QStringLiteral("iDeliberaVT")).toInt()});
        rs.Close();
        const Filtro fe = FiltroChiusure(delibera, dInizioSeduta);
        Recordset re =
            dbArchivio.OpenQuery(QStringLiteral("SELECT lCodiceEV, cExtraDescEV, dDataOraEV, lCodVotoEV FROM ") +
                                     cTabelle[3] + QStringLiteral(" WHERE ") + fe.sql + u';',
                                 fe.valori);
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
