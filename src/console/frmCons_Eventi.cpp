// The event log: SalvaEvento is the only writer of the rows of "EVENTI".
// Besides the row it sends the display board the command that goes with
// the event, marks the closings of superseded votes, and in laws mode
// records the act's new status in "LEGGI".  The texts of the row and the
// board command come from TestiEventi.
#include "console/Registri.h"
#include "console/Spoglio.h"
#include "console/TestiEventi.h"
#include "console/VotiSuperati.h"
#include "console/frmCons.h"
#include "links/Tabellone.h"
#include "platform/Dialoghi.h"
#include "platform/Servizi.h"
#include "platform/Testo.h"
#include "shell/Globali.h"

namespace obx {

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
    const TestiEvento testi = TestiDiEvento(lettera, cNome);
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
        // The vote-kind combo stays on "Appello" after the roll call: only
        // the roll call's own events (its opening, what happens while it
        // runs, its closing) go without the number present and the item.
        const bool appelloInCorso = oVoto.Impegnato() && (oVoto.ModoApertura() & kVotoAppello) != 0;
        if (cTipoVoto == u"A" && appelloInCorso) {
            presenti = 0;
            delibera = 0;
            tipoArg = QStringLiteral(" ");
        } else if (LetteraIn(cTipoVoto, "VW")) {
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
    if (salvato && lettera == u"T" && LetteraIn(cTipoVoto, "PHIJRS")) {
        try {
            SegnaChiusureSuperate(iDelibera, codice.toInt());
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
