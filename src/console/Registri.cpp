#include "console/Registri.h"
#include "console/VotiSuperati.h"

#include "platform/Dialoghi.h"
#include "platform/Servizi.h"
#include "platform/Testo.h"
#include "shell/Campi.h"
#include "shell/Globali.h"

#include <vector>

namespace obx {

namespace {

// The open RegistrazioneUnica: its transaction, what failed in it, and
// what waits for its end.
struct Registrazione {
    bool aperta = false;
    bool transazione = false;  // false: the archive refused to begin one
    bool fallita = false;
    std::vector<std::function<void()>> dopo;
};
Registrazione g_registrazione;

}  // namespace

void MostraErrore(const Errore& e)
{
    const QString testo = e.Descrizione();
    const QString titolo = QStringLiteral("Errore ") + Formato(e.Numero(), QStringLiteral("#####"));
    DopoRegistrazione([testo, titolo] { UI().MsgBox(testo, vbCritical, titolo); });
}

void ScritturaFallita(const Errore& e)
{
    if (g_registrazione.aperta) g_registrazione.fallita = true;
    MostraErrore(e);
}

void SalvataggioFallito(const QString& cTitolo)
{
    if (g_registrazione.aperta) g_registrazione.fallita = true;
    DopoRegistrazione([cTitolo] { UI().MsgBox(QStringLiteral("Salvataggio Fallito"), vbCritical, cTitolo); });
}

void DopoRegistrazione(const std::function<void()>& azione)
{
    if (g_registrazione.aperta)
        g_registrazione.dopo.push_back(azione);
    else
        azione();
}

RegistrazioneUnica::RegistrazioneUnica()
{
    if (g_registrazione.aperta) {
        m_esterna = true;
        return;
    }
    g_registrazione = {};
    g_registrazione.aperta = true;
    try {
        dbArchivio.BeginTrans();
        g_registrazione.transazione = true;
    } catch (const Errore& e) {
        // Without a transaction each write stands alone, as it always did;
        // a closed archive fails the writes themselves.
        if (dbArchivio.IsOpen()) MostraErrore(e);
    }
}

RegistrazioneUnica::~RegistrazioneUnica()
{
    if (m_esterna || m_conclusa) return;
    if (g_registrazione.transazione) {
        try {
            dbArchivio.Rollback();
        } catch (const Errore&) {
        }
    }
    g_registrazione = {};
}

bool RegistrazioneUnica::Conclude(const QString& cTitolo)
{
    if (m_esterna) return !g_registrazione.fallita;
    m_conclusa = true;
    Registrazione r = std::move(g_registrazione);
    g_registrazione = {};
    bool salvata = !r.fallita;
    if (r.transazione) {
        if (salvata) {
            try {
                dbArchivio.CommitTrans();
            } catch (const Errore& e) {
                salvata = false;
                const QString testo = e.Descrizione();
                const QString titolo = QStringLiteral("Errore ") + Formato(e.Numero(), QStringLiteral("#####"));
                r.dopo.push_back([testo, titolo] { UI().MsgBox(testo, vbCritical, titolo); });
            }
        }
        if (!salvata) {
            try {
                dbArchivio.Rollback();
            } catch (const Errore&) {
            }
        }
    }
    // Told once, after the engine's own messages: what was written with
    // the rows that failed is not in the archive either.
    if (!salvata && r.transazione)
        r.dopo.push_back([cTitolo] { UI().MsgBox(QStringLiteral("Salvataggio Fallito"), vbCritical, cTitolo); });
    for (const auto& a : r.dopo) a();
    return salvata;
}

bool ApreTabella(Recordset& rs, int tabella)
{
    if (rs.IsOpen()) return true;
    try {
        rs = dbArchivio.OpenTable(cTabelle[size_t(tabella)], QStringLiteral("TAG_A"));
        return true;
    } catch (const Errore& e) {
        MostraErrore(e);
    }
    return false;
}

bool IniziaRiga(Recordset& rs, int tabella)
{
    for (int prova = 0; prova < 2; ++prova) {
        try {
            rs.AddNew();
            return true;
        } catch (const Errore& e) {
            // Closed under the writer (the archive reopened): open it once
            // more and begin again; anything else is reported.
            if (prova == 0 && e.Numero() == errdb::kDatabaseChiuso) {
                rs.Close();
                if (ApreTabella(rs, tabella)) continue;
                return false;
            }
            MostraErrore(e);
            return false;
        }
    }
    return false;
}

QVariant CodiceRiga(Recordset& rs, const QString& campo, const QVariant& letto)
{
    if (letto.isValid() && !letto.isNull() && letto.toLongLong() != 0) return letto;
    try {
        rs.SetBookmark(rs.LastModified());
        return rs.Field(campo);
    } catch (const Errore& e) {
        MostraErrore(e);
    }
    return letto;
}

namespace {

const QString kVuoto30(30, u' ');

bool InElenco(const QString& lettera, const char* elenco)
{
    return lettera.size() == 1 && QString::fromLatin1(elenco).contains(lettera);
}

// The texts of the item voted.
QString TestoArgomentoVoto()
{
    if (iTipoAssemblea == 4) return PadTaglia(cArgomento[6] + cArgomento[7], 30);
    return DescriveTipoAtto(30, true);
}

// The keys a secret vote leaves in the archive: "+" (present) for every
// member who keyed, whatever he keyed, so that who took part stays on
// record and how he voted does not.  The tally was taken from the keys in
// memory before.
QString VotiSegreti(const QString& votanti, const QString& voti)
{
    QString s = voti;
    for (int i = 0; i < s.size() && i < votanti.size(); ++i)
        if (votanti.at(i) == QChar(i + 1)) s[i] = u'+';
    return s;
}

QString Richiedente(int i) { return Formato(iRichiedenti[size_t(i)], QStringLiteral("00")); }

}  // namespace

void SalvaVotazione(Recordset& rsVoti, bool xUguale)
{
    const QString tipo = cTipoVoto.left(1);
    const bool appello = tipo == u"A";
    const bool verifica = tipo == u"V" || tipo == u"W";
    const bool immEsec = SogliaImmEsec();

    bool iniziata = false;
    bool salvato = false;
    QVariant codice;

    auto campo = [&rsVoti](const char* nome, const QVariant& v) {
        try {
            rsVoti.SetField(QString::fromLatin1(nome), v);
        } catch (const Errore& e) {
            MostraErrore(e);
        }
    };

    if (ApreTabella(rsVoti, 4) && rsVoti.Type() == TipoRecordset::Tabella && rsVoti.Updatable() &&
        IniziaRiga(rsVoti, 4) && rsVoti.EditMode() == dbEditAdd) {
        iniziata = true;

        if (!dInizioVoto.isValid() || dInizioVoto.date().year() < 1990) dInizioVoto = Clock().Adesso();
        campo("dDataOraIniVT", dInizioVoto);
        campo("cVotantiVT", cTastiRicevuti.Testo());
        campo("dDataOraFinVT", dFineVoto);
        campo("cPaleseVT", (cTipoVoto + u'-').left(1));

        // Counts and texts by kind group.
        if (appello) {
            campo("iPresentiVT", 0);
            campo("iQuorumVT", 0);
            campo("iDeliberaVT", iDelibera);
            campo("iCodLeggeVT", 0);
            campo("iFavorevoliVT", 0);
            campo("iContrariVT", 0);
            campo("iAstenutiVT", 0);
            campo("cArgomentoVT", PadTaglia(QStringLiteral("Appello"), 30));
            campo("cDettaglioVT", PadTaglia(QStringLiteral("Autocertificazione Presenza"), 30));
            campo("cExtraDetVT", DescriveTipoAtto(30, true));
            campo("cNotaVotoVT", QString(120, u' '));
        } else {
            campo("iPresentiVT", iPresenti);
            campo("iQuorumVT", (!verifica && immEsec) ? iQuorum[4] : iQuorum[3]);
            campo("iDeliberaVT", (!verifica && immEsec) ? -iDelibera : iDelibera);
            campo("iCodLeggeVT", iDelibera);
            campo("iFavorevoliVT", iFavorevoli);
            campo("iContrariVT", iContrari);
            campo("iAstenutiVT", iAstenuti);
            campo("cArgomentoVT", TestoArgomentoVoto());
            if (verifica) {
                campo("cDettaglioVT", PadTaglia(QStringLiteral("Verifica Numero Legale"), 30));
                campo("cExtraDetVT", DescriveTipoAtto(30, true));
                campo("cNotaVotoVT", QString(118, u' ') + Richiedente(1));
            } else {
                const QString pendente = PadTaglia(TrimSpazi(cArgomentoPendente), 60);
                campo("cDettaglioVT", pendente.left(30));
                campo("cExtraDetVT", pendente.mid(30, 30));
                QString prefisso;
                if (tipo == u"M")
                    prefisso = QStringLiteral("Mod. Seq. OdG ");
                else if (tipo == u"C")
                    prefisso = xUguale ? QStringLiteral("Ripetuta UGUALE") : QStringLiteral("Ripetuta DIVERSA");
                const QString richiedenti = (tipo == u"I" || tipo == u"J")
                                                ? Richiedente(1) + Richiedente(2) + Richiedente(3)
                                                : QString(6, u' ');
                campo("cNotaVotoVT", PadTaglia(PadTaglia(prefisso + cNotaArgomento, 114) + richiedenti, 120));
            }
        }
        campo("cVotiVT", tipo == u"H" ? VotiSegreti(cTastiRicevuti.Testo(), cVoti.Testo()) : cVoti.Testo());
        StringaPosti ospiti(QChar(0));
        ospiti.Imposta(cOspitiPresenti);
        campo("cPresentiVT", ospiti.Testo());

        // Officers and tellers.
        QString presidente = kVuoto30, sindaco = kVuoto30, segretario = kVuoto30, segretario2 = kVuoto30;
        std::array<QString, 3> scrutatori = {kVuoto30, kVuoto30, kVuoto30};
        int nScrutatori = 0;
        for (size_t i = 1; i < aPosti.size(); ++i) {
            const Posto& p = aPosti[i];
            const QString nome = PadTaglia(p.cNomeAN, 30);
            if (p.cTipoAN == u"S")
                sindaco = nome;
            else if (p.cTipoAN == u"P")
                presidente = nome;
            else if (p.cTipoAN == u"G" && iTipoAssemblea == 4 && (p.iStato & kPresente)) {
                if (segretario == kVuoto30)
                    segretario = nome;
                else
                    segretario2 = nome;
            }
            if ((p.iStato & (kPresente | kScrutatore | kAssenteDichiarato)) == (kPresente | kScrutatore) &&
                nScrutatori < 3)
                scrutatori[size_t(nScrutatori++)] = nome;
        }
        if (iTipoAssemblea != 4) {
            for (size_t i = 1; i < aOspiti.size(); ++i) {
                const Ospite& o = aOspiti[i];
                if (o.cTipoAN == u"G")
                    segretario = PadTaglia(o.cNomeAN, 30);
                else if (o.cTipoAN == u"V")
                    segretario2 = PadTaglia(o.cNomeAN, 30);
            }
        }
        campo("cPresidenteVT", presidente);
        campo("cSindacoVT", sindaco);
        campo("cSegretarioVT", segretario);
        campo("cSegretario2VT", segretario2);
        campo("cScrutatore1VT", scrutatori[0]);
        campo("cScrutatore2VT", scrutatori[1]);
        campo("cScrutatore3VT", scrutatori[2]);

        try {
            codice = rsVoti.Field(QStringLiteral("lCodiceVT"));
        } catch (const Errore& e) {
            MostraErrore(e);
        }
        try {
            rsVoti.Update();
            salvato = true;
        } catch (const Errore& e) {
            MostraErrore(e);
            try {
                rsVoti.CancelUpdate();
            } catch (const Errore&) {
            }
        }
        if (salvato) codice = CodiceRiga(rsVoti, QStringLiteral("lCodiceVT"), codice);
    }

    if (!salvato) {
        if (iniziata) lCodVoto = 0;
        SalvataggioFallito(QStringLiteral("Voti"));
        return;
    }
    lCodVoto = codice.toInt();

    // A new vote supersedes the earlier votes of the same kind on the item.
    if (InElenco(tipo, "PHIJRS")) {
        try {
            SegnaVotiSuperati(tipo, iDelibera, lCodVoto);
        } catch (const Errore& e) {
            ScritturaFallita(e);
        }
    }

    for (size_t i = 1; i <= 3; ++i) {
        iRichiedenti[i + 3] = iRichiedenti[i];
        iRichiedenti[i] = 0;
    }
}

}  // namespace obx
