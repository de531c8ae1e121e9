#include "shell/Configurazione.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <functional>
#include <vector>

#include "platform/Dialoghi.h"
#include "platform/Testo.h"
#include "shell/Globali.h"

namespace obx {

namespace {

// Bits of the requests-to-speak and console options that the console sets
// while it runs; they describe the running program, not the installation.
constexpr int kPrenotazioniRuntime = kPrenotazioniSospese;
constexpr int kOpzioniConsoleRuntime = kConsolePresenzeBloccate;
// Bits of the same settings that belong to the file.
constexpr int kBitScritti = 3;

const QString kFontPredefinito = QStringLiteral("MS Sans Serif,B,14");

QString Numero(int v) { return Formato(v, QStringLiteral("####0")); }

// A text value on one line: a line break inside it would split the pair
// and let the rest be read as another key.
QString UnaRiga(QString s)
{
    s.replace(u'\r', u' ');
    s.replace(u'\n', u' ');
    return s;
}

void LeggiNumero(const QString& v, int& var)
{
    int n;
    if (Val16(v, n)) var = n;
}

void LeggiOpzione(const QString& v, bool& var)
{
    int n;
    if (Val16(v, n)) var = n != 0;
}

// One character, a backslash when the value is blank.
QString Separatore(const QString& v) { return (TrimSpazi(v) + u'\\').left(1); }

// "101-148" (or "101/148"): the two numbers either side of the first
// character that is not a digit; without one both are 0.
void DividiIntervallo(const QString& s, int& primo, int& ultimo)
{
    primo = 0;
    ultimo = 0;
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] >= u'0' && s[i] <= u'9') continue;
        LeggiNumero(s.left(i), primo);
        LeggiNumero(s.mid(i + 1), ultimo);
        return;
    }
}

// A colour item in hexadecimal; false when it holds no hexadecimal digit or
// does not fit 32 bits (the colour then keeps its value).
bool LeggiColore(const QString& voce, int32_t& colore)
{
    const QString s = TrimSpazi(voce);
    quint64 v = 0;
    int cifre = 0;
    for (QChar c : s) {
        const int d = c.isDigit() && c.unicode() < 128               ? c.unicode() - u'0'
                      : (c.toUpper() >= u'A' && c.toUpper() <= u'F') ? c.toUpper().unicode() - u'A' + 10
                                                                     : -1;
        if (d < 0) break;
        v = v * 16 + quint64(d);
        if (v > 0xFFFFFFFFull) return false;
        ++cifre;
    }
    if (cifre == 0) return false;
    colore = int32_t(quint32(v));
    return true;
}

// The colour line: items separated by ","; an empty item ends the list and
// the colours after it keep what they held.
void LeggiColori(const QString& valore)
{
    QString resto = valore;
    for (int i = 0; i < int(cColoriTabVideo.size()); ++i) {
        const int virgola = int(resto.indexOf(u','));
        const QString voce = virgola < 0 ? resto : resto.left(virgola);
        resto = virgola < 0 ? QString() : resto.mid(virgola + 1);
        if (voce.isEmpty()) break;
        LeggiColore(voce, cColoriTabVideo[size_t(i)]);
    }
}

QString ScriviColori()
{
    QString s;
    for (int32_t c : cColoriTabVideo) s += QString::number(quint32(c), 16).toUpper() + u',';
    return s;
}

struct Voce {
    QString titolo;
    QString chiave;
    std::function<QString()> scrivi;
    std::function<void(const QString&)> leggi;
};

Voce Numerica(const QString& titolo, const QString& chiave, int& var)
{
    return {titolo, chiave, [&var] { return Numero(var); }, [&var](const QString& v) { LeggiNumero(v, var); }};
}

Voce Opzione(const QString& chiave, bool& var)
{
    return {chiave, chiave, [&var] { return QStringLiteral("%1").arg(var ? 1 : 0); },
            [&var](const QString& v) { LeggiOpzione(v, var); }};
}

Voce Testo(const QString& titolo, const QString& chiave, QString& var)
{
    return {titolo, chiave, [&var] { return UnaRiga(var); }, [&var](const QString& v) { var = v; }};
}

// The pairs of the file, in the order they are written.
const std::vector<Voce>& Voci()
{
    static const std::vector<Voce> voci = [] {
        std::vector<Voce> v;
        v.push_back({QStringLiteral("iTipoAssemblea"), QStringLiteral("iTipoAssemblea"),
                     [] { return Numero(iTipoAssemblea); },
                     [](const QString& s) {
                         int n;
                         if (Val16(s, n) && (n == 1 || n == 2 || n == 4)) iTipoAssemblea = n;
                     }});
        v.push_back({QStringLiteral("iProtocolloTLV"), QStringLiteral("iProtocolloTLV"),
                     [] { return Numero(iProtocolloTLV); },
                     [](const QString& s) {
                         int n;
                         if (Val16(s, n) && (n == 4010 || n == 7777)) iProtocolloTLV = n;
                     }});
        v.push_back({QStringLiteral("iPrenotazioni"), QStringLiteral("iPrenotazioni"),
                     [] { return Numero(iPrenotazioni & kBitScritti); },
                     [](const QString& s) {
                         int n;
                         if (Val16(s, n))
                             iPrenotazioni = (n & ~kPrenotazioniRuntime) | (iPrenotazioni & kPrenotazioniRuntime);
                     }});
        v.push_back({QStringLiteral("iOpzioniConsole"), QStringLiteral("iOpzioniConsole"),
                     [] { return Numero(iOpzioniConsole & kBitScritti); },
                     [](const QString& s) {
                         int n;
                         if (Val16(s, n))
                             iOpzioniConsole =
                                 (n & ~kOpzioniConsoleRuntime) | (iOpzioniConsole & kOpzioniConsoleRuntime);
                     }});
        v.push_back(Opzione(QStringLiteral("xEsitoVideo"), xEsitoVideo));
        v.push_back(Opzione(QStringLiteral("xIdEsterno"), xIdEsterno));
        v.push_back(Opzione(QStringLiteral("xColoriVoto"), xColoriVoto));
        v.push_back(Opzione(QStringLiteral("xLampo"), xLampo));
        v.push_back(Opzione(QStringLiteral("xVerbaleEsteso"), xVerbaleEsteso));
        v.push_back(Opzione(QStringLiteral("xPassword"), xPassword));
        v.push_back({QStringLiteral("Consiglio"), QStringLiteral("cConsiglio"),
                     [] { return UnaRiga(RTrimSpazi(cConsiglio)); }, [](const QString& s) { cConsiglio = s; }});
        v.push_back(Numerica(QStringLiteral("Numero Votanti"), QStringLiteral("iVotanti"), iVotanti));
        v.push_back({QStringLiteral("TLV in Dotazione (PPP-UUU)"), QStringLiteral("cTLVLista"),
                     [] {
                         cTLVLista = Numero(iPrimoTLV) + u'-' + Numero(iUltimoTLV);
                         return cTLVLista;
                     },
                     [](const QString& s) { cTLVLista = s; }});
        v.push_back({QStringLiteral("TLV di Riserva"), QStringLiteral("cTLVRiserva"),
                     [] {
                         cTLVRiserva = Numero(iRiservaProssima) + u'-' + Numero(iRiservaUltima);
                         return cTLVRiserva;
                     },
                     [](const QString& s) { cTLVRiserva = s; }});
        v.push_back(Numerica(QStringLiteral("Porta Seriale per Votatori"), QStringLiteral("iPortaTLV"), iPortaTLV));
        v.push_back(
            Numerica(QStringLiteral("Porta Seriale per RadioMicrofoni"), QStringLiteral("iPortaRAD"), iPortaRAD));
        v.push_back(Numerica(QStringLiteral("Porta Seriale per Tabellone"), QStringLiteral("iPortaTAB"), iPortaTAB));
        v.push_back(Numerica(QStringLiteral("Cablaggio"), QStringLiteral("iModoOBX"), iModoOBX));
        v.push_back(Numerica(QStringLiteral("Tipo di Tabellone"), QStringLiteral("iTipoTAB"), iTipoTAB));
        v.push_back(Numerica(QStringLiteral("Riservato"), QStringLiteral("iRiservato"), iRiservato));
        v.push_back(Numerica(QStringLiteral("Configurazione"), QStringLiteral("iConfigOBX"), iConfigOBX));
        v.push_back(Numerica(QStringLiteral("Numero Max interventi per Argomento per Consigliere"),
                             QStringLiteral("iNMaxInterventi"), iNMaxInterventi));
        v.push_back(
            Numerica(QStringLiteral("Tempo per Relatore in minuti"), QStringLiteral("iTempoRelatore"), iTempoRelatore));
        v.push_back(Numerica(QStringLiteral("Tempo Max interventi per Partito per Argomento"),
                             QStringLiteral("iTempoMaxPartito"), iTempoMaxPartito));
        v.push_back({QStringLiteral("Colori per Tabellone Video"), QStringLiteral("cColoriTabVideo"), ScriviColori,
                     LeggiColori});
        v.push_back(Testo(QStringLiteral("Font Consiglio"), QStringLiteral("cFont0"), cFont[0]));
        v.push_back(Testo(QStringLiteral("Font Consiglieri"), QStringLiteral("cFont1"), cFont[1]));
        v.push_back(Testo(QStringLiteral("Font Titoli QZ"), QStringLiteral("cFont2"), cFont[2]));
        v.push_back(Testo(QStringLiteral("Font Risultati"), QStringLiteral("cFont3"), cFont[3]));
        v.push_back(Testo(QStringLiteral("Font Assenti"), QStringLiteral("cFont4"), cFont[4]));
        v.push_back({QStringLiteral("Separatore"), QStringLiteral("cSepara"), [] { return Separatore(cSepara); },
                     [](const QString& s) { cSepara = Separatore(s); }});
        v.push_back(Testo(QStringLiteral("ID Ultimo aggiornamento"), QStringLiteral("cLastIDAgg"), cLastIDAgg));
        return v;
    }();
    return voci;
}

}  // namespace

void ImpostaConfigurazionePredefinita()
{
    iTipoAssemblea = 1;
    iProtocolloTLV = 4010;
    iPrenotazioni &= kPrenotazioniRuntime;
    iOpzioniConsole &= kOpzioniConsoleRuntime;
    xEsitoVideo = xIdEsterno = xColoriVoto = xLampo = xVerbaleEsteso = xPassword = false;
    cTLVLista.clear();
    cTLVRiserva.clear();
    iPrimoTLV = iUltimoTLV = 0;
    iRiservaProssima = iRiservaUltima = 0;
    iModoOBX = 0;
    iRiservato = 0;
    iConfigOBX = 0;
    iNMaxInterventi = 9999;
    iTempoRelatore = 10;
    iTempoMaxPartito = 9999;
    cFont = {kFontPredefinito, kFontPredefinito, kFontPredefinito, QStringLiteral("MS Sans Serif,B,28"),
             QStringLiteral("MS Sans Serif,S,14")};
    cSepara = QStringLiteral("\\");
    cLastIDAgg.clear();
}

namespace {

void Leggi()
{
    ImpostaConfigurazionePredefinita();

    QFile f(cFileConfig);
    if (!QFileInfo(cFileConfig).isFile() || !f.open(QIODevice::ReadOnly)) {
        const bool esiste = QFileInfo::exists(cFileConfig);
        UI().MsgBox(cFileConfig + (esiste ? QStringLiteral(" non leggibile") : QStringLiteral(" non trovato")),
                    vbCritical, kTitoloOBX);
        cColoriTabVideo = kColoriTabVideoPredefiniti;
        return;
    }
    const QString testo = FromCp1252(f.readAll());
    f.close();

    bool colori = false;
    const auto& voci = Voci();
    for (QString riga : testo.split(u'\n')) {
        if (riga.endsWith(u'\r')) riga.chop(1);
        const int uguale = int(riga.indexOf(u'='));
        if (uguale < 0) continue;
        const QString chiave = riga.left(uguale);
        const QString valore = riga.mid(uguale + 1);
        for (const Voce& v : voci) {
            if (v.chiave != chiave) continue;
            v.leggi(valore);
            if (chiave == QLatin1String("cColoriTabVideo")) colori = true;
            break;
        }
    }

    DividiIntervallo(cTLVLista, iPrimoTLV, iUltimoTLV);
    DividiIntervallo(cTLVRiserva, iRiservaProssima, iRiservaUltima);
    if (!colori) cColoriTabVideo = kColoriTabVideoPredefiniti;
}

// The new content goes to a temporary file beside the old one, which is
// replaced only once everything is on disk: a crash or a full disk in the
// middle leaves the previous settings intact.
void Scrivi()
{
    QString testo;
    for (const Voce& v : Voci())
        testo += QStringLiteral("'---- ") + v.titolo + QStringLiteral("\r\n") + v.chiave + u'=' + v.scrivi() +
                 QStringLiteral("\r\n");

    QSaveFile f(cFileConfig);
    bool ok = f.open(QIODevice::WriteOnly);
    if (ok) {
        const QByteArray dati = ToCp1252(testo);
        ok = f.write(dati) == dati.size();
        ok = f.commit() && ok;
    }
    if (!ok) {
        f.cancelWriting();
        UI().MsgBox(QStringLiteral("Scrittura di ") + cFileConfig +
                        QStringLiteral(" Fallita: le impostazioni non sono state salvate"),
                    vbCritical, kTitoloOBX);
    }
}

}  // namespace

void GestisceConfig(bool leggi)
{
    if (leggi)
        Leggi();
    else
        Scrivi();
    ImpostaVocabolari();
}

void ImpostaVocabolari()
{
    const bool regionale = iTipoAssemblea == 4;

    cNomiAtti.fill(QString());
    cNomiRuoli.fill(QString());
    cNomiVoti.fill(QString());

    if (regionale) {
        cLettereAtti = QStringLiteral("DOMJVAHIGBQFUXPELCWYSZNRKT9");
        cLettereAttiVotabili = QStringLiteral("DOMJVAHBQFUXPELCWYSZNRKT9");
        cLettereRuoli = QStringLiteral("PSCAGXUT");
        cRuoliSeggio = QStringLiteral("PSCUGTN");
        cRuoliSenzaVoto = QStringLiteral("AX");
        cRuoliUfficio = QStringLiteral("PSCUGT");
        cLettereVoti = QStringLiteral("PMHCIJVW-RS");
        const char16_t* atti[] = {u"Articolo Aggiuntivo",
                                  u"OdG",
                                  u"Mozione",
                                  u"Articolo",
                                  u"Modifica sequenza OdG",
                                  u"OdG non Passaggio Articoli",
                                  u"Iscrizione Nuovo Atto OdG",
                                  u"Interpellanza",
                                  u"Interrogazione",
                                  u"Proposta di Legge",
                                  u"Proposta Atto Amministrativo",
                                  u"Proposta di Regolamento",
                                  u"Proposta di Legge Statutaria",
                                  u"Proposta di Risoluzione",
                                  u"Proposta di Deliberazione",
                                  u"Emendamento",
                                  u"Sub-Emendamento",
                                  u"Sub-Sub-Emendamento",
                                  u"Rinvio Atto in Commissione",
                                  u"Rinvio Atto ad altra Seduta",
                                  u"Sospensiva",
                                  u"Coordinamento tecnico",
                                  u"Pregiudiziale",
                                  u"Richiamo",
                                  u"Dichiarazione improponibilità",
                                  u"Dichiarazione di urgenza",
                                  u"Sub-Sub-Sub-Emendamento"};
        for (size_t i = 0; i < std::size(atti); ++i) cNomiAtti[i + 1] = QString::fromUtf16(atti[i]);
        const char16_t* ruoli[] = {u"Presidente Assemblea",
                                   u"Presidente Giunta",
                                   u"Consigliere",
                                   u"Assessore",
                                   u"Consigliere Segretario",
                                   u"Altro",
                                   u"CapoGruppo",
                                   u"Presidente di Turno"};
        for (size_t i = 0; i < std::size(ruoli); ++i) cNomiRuoli[i] = QString::fromUtf16(ruoli[i]);
        const char16_t* voti[] = {u"Palese",
                                  u"Mod.seq.OdG",
                                  u"Segreto",
                                  u"Controprova",
                                  u"Nominale",
                                  u"Nominale per chiamata",
                                  u"Verifica N.Legale",
                                  u"Ver.N.Leg. per chiamata",
                                  u"",
                                  u"Rinvio Commissione",
                                  u"Rinvio altra Seduta"};
        for (size_t i = 0; i < std::size(voti); ++i) cNomiVoti[i] = QString::fromUtf16(voti[i]);
        cMenuArchivi0 = QStringLiteral("Registrazione Atti");
        xMenuImportaVisibile = false;
        xMenuVerbaleVisibile = true;
    } else {
        cLettereAtti = QStringLiteral("DMCOVIGRAP");
        cLettereAttiVotabili = QStringLiteral("DMCOVRAP");
        cLettereRuoli = QStringLiteral("PSCAGXUVR");
        cRuoliSeggio = QStringLiteral("PSCURN");
        cRuoliSenzaVoto = QStringLiteral("AGXVR");
        cRuoliUfficio = QStringLiteral("PSCU");
        cLettereVoti = QStringLiteral("PMH-----A--");
        const char16_t* atti[] = {u"Delibera",         u"Mozione",       u"Comunicazione",  u"OdG",
                                  u"Mod.sequenza OdG", u"Interpellanza", u"Interrogazione", u"Regolamento",
                                  u"Articolo",         u"Pregiudiziale"};
        for (size_t i = 0; i < std::size(atti); ++i) cNomiAtti[i + 1] = QString::fromUtf16(atti[i]);
        const char16_t* ruoli[] = {u"Presidente Consiglio", iTipoAssemblea == 2 ? u"Presidente Giunta" : u"Sindaco",
                                   u"Consigliere",          u"Assessore",
                                   u"Segretario",           u"Altro",
                                   u"CapoGruppo",           u"ViceSegretario",
                                   u"Consigliere Aggiunto"};
        for (size_t i = 0; i < std::size(ruoli); ++i) cNomiRuoli[i] = QString::fromUtf16(ruoli[i]);
        cNomiVoti[0] = QStringLiteral("Palese");
        cNomiVoti[1] = QStringLiteral("Mod.seq.OdG");
        cNomiVoti[2] = QStringLiteral("Segreto");
        cNomiVoti[8] = QStringLiteral("Appello");
        cMenuArchivi0 = QStringLiteral("Registrazione Argomenti OdG");
        xMenuImportaVisibile = true;
        xMenuVerbaleVisibile = false;
    }
    cLettereAttiNonVotabili = QStringLiteral("IG");
}

}  // namespace obx
