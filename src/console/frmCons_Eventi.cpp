// The event log: SalvaEvento is the only writer of the rows of "EVENTI".
// Besides the row it sends the display board the command that goes with
// the event, marks the closings of superseded votes, and in laws mode
// records the act's new status in "LEGGI".
#include "console/Registri.h"
#include "console/frmCons.h"
#include "links/Tabellone.h"
#include "platform/Dialoghi.h"
#include "platform/Servizi.h"
#include "platform/Testo.h"
#include "shell/Campi.h"
#include "shell/Globali.h"

namespace obx {

namespace {

bool In(const QString& lettera, const char* elenco)
{
    return lettera.size() == 1 && QString::fromLatin1(elenco).contains(lettera);
}

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
    if (In(cTipoVoto, "VWA")) return QStringLiteral("Presenti=") + Numero(iFavorevoli);
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
    if (In(cTipoVoto, "VW")) return QStringLiteral("Quorum=") + Numero(iQuorum[3]);
    if (cTipoVoto == u"M") return QStringLiteral("Modifica Sequenza OdG ");
    if (In(cTipoVoto, "PHIJRS")) {
        QString t = QStringLiteral("Quorum=") + Numero(iQuorum[3]);
        if (iTipoAssemblea != 4) t += QStringLiteral("  Quorum I.E.=") + Numero(iQuorum[4]);
        return t;
    }
    return QString();
}

struct TestiEvento {
    QString descrizione;
    QString nome;
    QString extra;      // empty: the 90 blanks stay
    QString tabellone;  // board command, empty for none
};

TestiEvento Testi(const QString& lettera, const QString& cNome)
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
        } else if (In(cTipoVoto, "VW")) {
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

// The status letter that an event gives the current act in laws mode.
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

}  // namespace

void frmCons::SalvaEvento(const QString& cTipo, const QString& cNome)
{
    // The console lost the focus to the LED preview or the projected board.
    if (iModoAttivazione == kAttivazioneAnteprima) {
        AttivaForm(kAttivaRecordset);
        iModoAttivazione = 0;
    }

    if (cTipo == u"*") {
        // The last event goes; nothing is shown on the board.
        if (!ApreRecordset(rsEventi, 3)) return;
        try {
            if (rsEventi.RecordCount() > 0) {
                rsEventi.MoveLast();
                rsEventi.Delete();
                if (rsEventi.RecordCount() > 0) rsEventi.MoveLast();
            }
        } catch (const Errore& e) {
            MostraErrore(e);
        }
        return;
    }

    const QString lettera = cTipo.left(1).toUpper();
    const bool primaDelVoto = cTipo == u"e" || cTipo == u"u";
    const TestiEvento testi = Testi(lettera, cNome);
    bool salvato = false;
    QVariant codice;

    auto campo = [this](const char* nome, const QVariant& v) {
        try {
            rsEventi.SetField(QString::fromLatin1(nome), v);
        } catch (const Errore& e) {
            MostraErrore(e);
        }
    };

    if (ApreRecordset(rsEventi, 3) && rsEventi.Type() == TipoRecordset::Tabella && rsEventi.Updatable() &&
        IniziaRiga(rsEventi, 3) && rsEventi.EditMode() == dbEditAdd) {
        try {
            codice = rsEventi.Field(QStringLiteral("lCodiceEV"));
        } catch (const Errore& e) {
            MostraErrore(e);
        }
        // Entries and exits during a vote are dated just before its opening.
        // (A vote without its opening time, never stamped, takes the time now.)
        campo("dDataOraEV", primaDelVoto && dInizioVoto.isValid() ? dInizioVoto.addMSecs(-1728) : Clock().Adesso());
        campo("cTipoEventoEV", lettera);
        campo("cNomeEV", PadTaglia(testi.nome, 30));

        int presenti = iPresenti, delibera = iDelibera;
        QString tipoArg = cTipoArg.left(1).toUpper();
        if (tipoArg.isEmpty()) tipoArg = QStringLiteral(" ");
        if (cTipoVoto == u"A") {
            presenti = 0;
            delibera = 0;
            tipoArg = QStringLiteral(" ");
        } else if (In(cTipoVoto, "VW")) {
            presenti = 0;
            if (iDelibera == 0) tipoArg = QStringLiteral(" ");
        }
        campo("iPresentiEV", presenti);
        campo("iDeliberaEV", delibera);
        campo("cTipoArgEV", tipoArg);
        campo("cExtraDescEV", testi.extra.isEmpty() ? QString(90, u' ') : PadTaglia(testi.extra, 90));
        campo("cDescEventoEV", PadTaglia(testi.descrizione, 20));
        campo("lCodVotoEV", lCodVoto);
        campo("iRadiceLeggeEV", iRadiceLegge);

        try {
            rsEventi.Update();
            salvato = true;
        } catch (const Errore& e) {
            MostraErrore(e);
            try {
                rsEventi.CancelUpdate();
            } catch (const Errore&) {
            }
        }
        if (salvato) codice = CodiceRiga(rsEventi, QStringLiteral("lCodiceEV"), codice);
    }

    // A closing of a vote that supersedes: the earlier closings of the item
    // are marked.
    if (salvato && lettera == u"T" && In(cTipoVoto, "PHIJRS")) {
        try {
            dbArchivio.Execute(QStringLiteral("UPDATE ") + cTabelle[3] +
                                   QStringLiteral(" SET cExtraDescEV = 'Votazione Annullata'"
                                                  " WHERE cTipoEventoEV = 'T' and iDeliberaEV = ?"
                                                  " and lCodiceEV <> ?;"),
                               {iDelibera, codice.toInt()});
        } catch (const Errore& e) {
            ScritturaFallita(e);
        }
    }

    // Laws mode: the act's new status.
    if (iTipoAssemblea == 4) {
        const QString stato = StatoDaEvento(lettera);
        if (!stato.isEmpty() && ApreRecordset(rsLeggi, 5)) {
            try {
                rsLeggi.Seek(QStringLiteral("="), iDelibera);
                if (!rsLeggi.NoMatch()) {
                    rsLeggi.Edit();
                    QString par = rsLeggi.Field(QStringLiteral("cParametriLG")).toString();
                    if (par.size() < 2) par = par.leftJustified(2, u' ');
                    par[1] = stato.at(0);
                    rsLeggi.SetField(QStringLiteral("cParametriLG"), par);
                    rsLeggi.Update();
                }
            } catch (const Errore& e) {
                ScritturaFallita(e);
                try {
                    if (rsLeggi.EditMode() != dbEditNone) rsLeggi.CancelUpdate();
                } catch (const Errore&) {
                }
            }
        }
    }

    // The board follows the sitting, whether or not the row was stored.
    if (!testi.tabellone.isEmpty() && oTabellone) {
        if (lettera == u"D") iMezziMinuti = 0;
        const QString comando = testi.tabellone;
        DopoRegistrazione([comando] {
            if (oTabellone) oTabellone->DettaglioTesto(comando);
        });
        if (lettera == u"D") iStatoConsole |= kStatoParolaAvviata;
    } else if (lettera == u"D") {
        iMezziMinuti = 0;
        iStatoConsole |= kStatoParolaAvviata;
    }

    if (!salvato) SalvataggioFallito(QStringLiteral("Eventi"));
}

void frmCons::SalvaVotazione(bool xUguale) { obx::SalvaVotazione(rsVoti, xUguale); }

}  // namespace obx
