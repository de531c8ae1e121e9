#include "shell/Schema.h"

#include "shell/Globali.h"

namespace obx {

namespace {

struct Riga {
    const char* nome;
    TipoCampo tipo;
    int dimensione;
    const char* indice;
};

constexpr TipoCampo B = TipoCampo::Byte, I = TipoCampo::Integer, L = TipoCampo::Long, S = TipoCampo::Single,
                    D = TipoCampo::Date, T = TipoCampo::Text, M = TipoCampo::Memo;

const Riga kAnagrafe[] = {
    {"bCodiceAN", B, 0, "1"},   {"cNomeAN", T, 30, "01"},  {"cTipoAN", T, 1, ""},     {"iVotatoreAN", I, 0, ""},
    {"cPartitoAN", T, 20, ""},  {"iPulsanteAN", I, 0, ""}, {"iPannelloAN", I, 0, ""}, {"cNomeBreveAN", T, 16, ""},
    {"nTopAN", S, 0, ""},       {"nLeftAN", S, 0, ""},     {"nTopTvAN", S, 0, ""},    {"nSinTvAN", S, 0, ""},
    {"iSmartCardAN", I, 0, ""}, {"cIrideIdAN", T, 6, ""},
};

const Riga kDelibere[] = {
    {"iDeliberaDE", I, 0, "1"},   {"cTitoloDE", M, 0, ""},        {"cTitolinoDE", T, 16, ""},
    {"cProtocolloDE", T, 20, ""}, {"iQuorumDE", I, 0, ""},        {"cTitolino1DE", T, 24, ""},
    {"cTitolino2DE", T, 24, ""},  {"cTitolino3DE", T, 24, ""},    {"iPosOdGDE", I, 0, ""},
    {"cTipoArgDE", T, 1, ""},     {"iNumOdGRegolamDE", I, 0, ""}, {"cArticoloDE", T, 6, ""},
    {"cGruppoDE", T, 1, ""},
};

const Riga kEventi[] = {
    {"lCodiceEV", L, 0, "1"},    {"dDataOraEV", D, 0, ""},     {"lCodVotoEV", L, 0, ""},  {"cNomeEV", T, 30, ""},
    {"iDeliberaEV", I, 0, ""},   {"cDettaglioEV", T, 30, ""},  {"cTipoArgEV", T, 1, ""},  {"iPresentiEV", I, 2, ""},
    {"cTipoEventoEV", T, 1, ""}, {"cDescEventoEV", T, 20, ""}, {"cArticoloEV", T, 6, ""}, {"iRadiceLeggeEV", I, 0, ""},
    {"cExtraDescEV", T, 90, ""},
};

const Riga kVoti[] = {
    {"lCodiceVT", L, 0, "1"},      {"dDataOraIniVT", D, 0, ""},   {"cVotantiVT", T, 120, ""},
    {"dDataOraFinVT", D, 0, ""},   {"cPaleseVT", T, 1, ""},       {"iPresentiVT", I, 0, ""},
    {"iQuorumVT", I, 0, ""},       {"iFavorevoliVT", I, 0, ""},   {"iContrariVT", I, 0, ""},
    {"iAstenutiVT", I, 0, ""},     {"iDeliberaVT", I, 0, ""},     {"cVotiVT", T, 120, ""},
    {"cPresentiVT", T, 120, ""},   {"cPresidenteVT", T, 30, ""},  {"cSindacoVT", T, 30, ""},
    {"cSegretarioVT", T, 30, ""},  {"cScrutatore1VT", T, 30, ""}, {"cScrutatore2VT", T, 30, ""},
    {"cScrutatore3VT", T, 30, ""}, {"cArgomentoVT", T, 30, ""},   {"cDettaglioVT", T, 30, ""},
    {"cExtraDetVT", T, 30, ""},    {"cNotaVotoVT", T, 120, ""},   {"iCodLeggeVT", I, 0, ""},
    {"cSegretario2VT", T, 30, ""},
};

const Riga kLeggi[] = {
    {"iCodLeggeLG", I, 0, "1"},    {"cDescLeggeLG", M, 0, ""},   {"cParametriLG", T, 12, ""},
    {"cIDLeggeLG", T, 10, ""},     {"cIDArticoloLG", T, 10, ""}, {"cIDEmendaLG", T, 10, ""},
    {"cIDSubEmeLG", T, 10, ""},    {"cIDSubSubLG", T, 10, ""},   {"cNumeroAttoLG", T, 16, ""},
    {"cNomeVideoLG", T, 24, ""},   {"cNomeLedLG", T, 24, ""},    {"cTreeKeyLG", T, 66, "01"},
    {"iRadiceLeggeLG", I, 0, ""},  {"cDescEventoLG", T, 24, ""}, {"iCodAttoAbbinatoLG", I, 0, ""},
    {"cIDSubSubSubLG", T, 10, ""},
};

template <size_t N>
void Riempi(tTabella& t, const Riga (&righe)[N])
{
    for (const Riga& r : righe) {
        t.cNomeCampo.push_back(QString::fromLatin1(r.nome));
        t.bTipoCampo.push_back(int(r.tipo));
        t.iDimensione.push_back(r.dimensione);
        t.cIndice.push_back(QString::fromLatin1(r.indice));
        t.iAttributi.push_back(kAttrAggiornabile);
    }
}

}  // namespace

QString NomeIndice(int k) { return QStringLiteral("TAG_") + QChar(char16_t(64 + k)); }

std::vector<IndiceInterno> IndiciInterni()
{
    // On the events only the rows of one kind, a few of the log's rows:
    // every entry on their 200,000 rows and more would weigh on the check
    // of the file at every start-up.
    return {
        // The sitting's opening: the latest 'A' of the log.
        {kPrefissoIndiciInterni + QStringLiteral("aperture"), 3, {"dDataOraEV"}, QStringLiteral("cTipoEventoEV = 'A'")},
        // The closings of an item, those of the sitting by their time.
        {kPrefissoIndiciInterni + QStringLiteral("chiusure"),
         3,
         {"iDeliberaEV", "dDataOraEV"},
         QStringLiteral("cTipoEventoEV = 'T'")},
        // The votes of a kind on an item, those of the sitting by their time.
        {kPrefissoIndiciInterni + QStringLiteral("voti_superati"),
         4,
         {"iCodLeggeVT", "cPaleseVT", "dDataOraIniVT"},
         QString()},
    };
}

QString IstruzioneIndiceInterno(const IndiceInterno& i)
{
    QStringList campi;
    for (const QString& c : i.campi) campi << u'"' + c + u'"';
    QString sql = QStringLiteral("CREATE INDEX IF NOT EXISTS \"%1\" ON \"%2\" (%3)")
                      .arg(i.nome, cTabelle[size_t(i.tabella)], campi.join(QStringLiteral(", ")));
    if (!i.dove.isEmpty()) sql += QStringLiteral(" WHERE ") + i.dove;
    return sql;
}

tTabella DefinisceTabella(int i)
{
    if (i < 1 || i > 5) throw Errore(9, QStringLiteral("Indice non compreso nell'intervallo: tabella %1.").arg(i));
    tTabella t;
    t.cNomeTabella = cTabelle[i];
    t.bNumIndici = (i == 1 || i == 5) ? 2 : 1;
    t.bCampiIndice.assign(t.bNumIndici, 1);
    switch (i) {
    case 1: Riempi(t, kAnagrafe); break;
    case 2: Riempi(t, kDelibere); break;
    case 3: Riempi(t, kEventi); break;
    case 4: Riempi(t, kVoti); break;
    case 5: Riempi(t, kLeggi); break;
    }
    // The events and the votes number their rows themselves.
    if (i == 3 || i == 4) t.iAttributi[0] += kAttrAutoIncremento;
    return t;
}

DefCampo tTabella::Campo(int j0) const
{
    DefCampo c;
    c.nome = cNomeCampo.at(j0);
    c.tipo = TipoCampo(bTipoCampo.at(j0));
    // The size counts only for text: a size on a number is the engine's own.
    c.dimensione = c.tipo == TipoCampo::Text ? iDimensione.at(j0) : 0;
    c.attributi = iAttributi.at(j0);
    return c;
}

DefIndice tTabella::Indice(int k) const
{
    DefIndice d;
    d.nome = NomeIndice(k);
    d.primario = d.unico = (k == 1);
    for (int p = 1; p <= bCampiIndice.at(k - 1); ++p) {
        const QChar cifra = QChar(char16_t(u'0' + p));
        for (int j = 0; j < NumCampi(); ++j) {
            const QString& ci = cIndice.at(j);
            if (ci.size() >= k && ci.at(k - 1) == cifra) {
                d.campi << cNomeCampo.at(j);
                break;
            }
        }
    }
    return d;
}

}  // namespace obx
