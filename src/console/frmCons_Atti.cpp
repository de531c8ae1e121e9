// Acts of the laws tree at the console (new acts under the selected node,
// their rows and tree nodes, the deletion of a branch) and the console's
// service buttons.
//
// The rows, texts, keys and tags of the acts come from RecordAtti.h, the
// same builders the acts-tree register uses, so the console and the
// register never write an act differently.  Identifiers are typed by the
// operator and may hold any character: they only ever travel as bound
// values.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "console/Registri.h"
#include "console/Spoglio.h"
#include "console/frmCons.h"
#include "links/Tabellone.h"
#include "platform/Dialoghi.h"
#include "platform/Elenchi.h"
#include "platform/Servizi.h"
#include "platform/Testo.h"
#include "shell/AlberoAtti.h"
#include "shell/Campi.h"
#include "shell/Globali.h"
#include "shell/RecordAtti.h"

namespace obx {

namespace {

constexpr int kLarghezzaNumero = 16;
constexpr int kLarghezzaId = kSegmentoChiave - 1;
constexpr int kLarghezzaTitolo = 24;
// Property of the identifier box: the identifier last proposed in it.
constexpr const char* kIdProposto = "obxIdProposto";

// Key codes the service buttons replay.
constexpr int kTastoF1 = 112;
constexpr int kTastoF5 = 116;
constexpr int kTastoF6 = 117;
constexpr int kTastoF8 = 119;
constexpr int kCtrl = 2;

// Parts of an act node's tag: type letter, level digit, status letter,
// code from the fourth character on.  The root's tag is empty.
int CodiceNodo(const NodoAlbero* n) { return n ? int(Val(n->Tag().mid(3))) : 0; }
int LivelloNodo(const NodoAlbero* n) { return n ? int(Val(n->Tag().mid(1, 1))) : 0; }

// The end of an agenda entry of the act with that code.
QString CodiceVoce(int iCodice) { return u'[' + Formato(iCodice, QStringLiteral("######")) + u']'; }

// The first agenda entry that ends with the code text, -1 for none.
int CercaVoce(const ElencoCombo* combo, const QString& codice)
{
    for (int i = 0; i < combo->ListCount(); ++i)
        if (combo->List(i).endsWith(codice)) return i;
    return -1;
}

// The act node selected in the tree; nullptr for none or the root (the
// first node, with an empty tag, that stands for "a new first-level act").
NodoAlbero* NodoAttoScelto(const Albero& albero)
{
    NodoAlbero* n = albero.SelectedItem();
    if (!n || n->Tag().isEmpty() || albero.Index(n) < 2) return nullptr;
    return n;
}

}  // namespace

// ---------------------------------------------------------------------------
// The acts tree: a node is only selected by a click; the keys and the
// service buttons work on the selected node.

void frmCons::oAlbero_NodeClick(NodoAlbero*) {}

void frmCons::PreparaNuovoAtto()
{
    if (iModoVoto & kVotoReale) return;

    cAttoCorrente = {};
    QString padreNome;
    QString tipoPadre;
    iLivello = 1;
    if (NodoAlbero* n = NodoAttoScelto(m_albero)) {
        iLivello = LivelloNodo(n) + 1;
        tipoPadre = n->Tag().left(1);
        const int codice = CodiceNodo(n);
        if (codice != 0 && ApreRecordset(rsLeggi, 5)) {
            try {
                rsLeggi.Seek(QStringLiteral("="), codice);
                if (!rsLeggi.NoMatch()) {
                    const RecordAtto r = LeggeRecordAtto(rsLeggi);
                    std::copy(r.begin(), r.end(), cAttoCorrente.begin());
                    cAttoCorrente[11].clear();
                    padreNome = LeggeCampo(rsLeggi.Field(QStringLiteral("cNomeVideoLG")), 0, QString());
                }
            } catch (const Errore& e) {
                MostraErrore(e);
            }
        }
        // A node whose act the archive no longer holds has no path to
        // build on: nothing is offered under it.
        if (cAttoCorrente[10].isEmpty()) {
            m_boxCreaAtti->hide();
            return;
        }
    }

    m_boxCreaAtti->hide();
    m_cmbTipoAtto->Clear();
    m_getIDAtto->clear();
    m_getIDAtto->setProperty(kIdProposto, QString());

    const QString ammessi = iLivello <= kLivelliAlbero ? TipiAmmessi(iLivello, tipoPadre, QString()) : QString();
    if (ammessi.isEmpty()) {
        UI().MsgBox(QStringLiteral("Nessun Atto subalterno previsto"), vbOKOnly, kTitoloOBX);
        return;
    }
    for (const QChar t : ammessi) m_cmbTipoAtto->AddItem(TipoAtto(QString(t), 3));
    m_cmbTipoAtto->SetListIndex(0);

    if (iLivello == 1) {
        m_lblAtto[0]->setText(QStringLiteral("Num:"));
        m_getIDAtto->setMaxLength(kLarghezzaNumero);
    } else {
        m_lblAtto[0]->setText(QStringLiteral("ID:"));
        m_getIDAtto->setMaxLength(kLarghezzaId);
    }
    m_boxCreaAtti->setTitle(padreNome);
    m_boxCreaAtti->show();
}

void frmCons::getIDAtto_GotFocus()
{
    if (!m_boxCreaAtti->isVisible()) return;
    // What the operator typed stays; only an empty box or the identifier
    // proposed before gets the proposal.
    const QString scritto = m_getIDAtto->text();
    if (!TrimSpazi(scritto).isEmpty() && scritto != m_getIDAtto->property(kIdProposto).toString()) return;
    if (iLivello <= 1) {
        m_getIDAtto->clear();
        return;
    }
    try {
        const QString tipo = TipoAtto(m_cmbTipoAtto->Text(), 2);
        if (tipo.isEmpty()) return;
        const QString proposto = CalcolaIDLegge(cAttoCorrente[10], tipo, iLivello);
        m_getIDAtto->setProperty(kIdProposto, proposto);
        m_getIDAtto->setText(proposto);
    } catch (const Errore& e) {
        MostraErrore(e);
    }
}

void frmCons::cmdAtto_Click(int Index)
{
    if (Index == 1) {
        m_boxCreaAtti->hide();
        return;
    }
    if (Index != 0) return;

    const QString tipo = TipoAtto(m_cmbTipoAtto->Text(), 2);
    if (tipo.isEmpty() || iLivello < 1 || iLivello > kLivelliAlbero) {
        m_boxCreaAtti->hide();
        return;
    }
    if (!ApreRecordset(rsLeggi, 5)) return;

    RecordAtto percorso{};
    std::copy(cAttoCorrente.begin(), cAttoCorrente.end(), percorso.begin());
    const QString testo = m_getIDAtto->text();
    const QChar stato = cLettereStati.isEmpty() ? QChar(u'N') : cLettereStati.at(0);

    RigaAtto riga;
    try {
        // At level 1 the box holds the act's number and the identifier is
        // the next free one; deeper it holds the identifier (blank: the one
        // proposed).
        riga = ComponeAttoConsole(percorso, iLivello, tipo, stato, NuovoCodiceAtto(), iLivello == 1 ? QString() : testo,
                                  iLivello == 1 ? testo : QString());
    } catch (const Errore& e) {
        MostraErrore(e);
        return;
    }
    if (!SalvaAtto(rsLeggi, riga, true)) {
        m_boxCreaAtti->hide();
        return;
    }

    // The new node under its parent's, selected.
    const QString chiave = ChiaveNodoAtto(riga.cTreeKeyLG, iLivello);
    const QString chiavePadre = iLivello > 1 ? ChiaveNodoAtto(riga.cTreeKeyLG, iLivello - 1) : QString();
    const QString tipoPadre = iLivello > 1 ? riga.cParametriLG.mid(iLivello, 1) : QString();
    const QString numeroId = iLivello == 1 ? riga.cNumeroAttoLG : riga.cID[size_t(iLivello)];
    const QString statoTesto = riga.cParametriLG.mid(1, 1);
    NodoAlbero* nodo = nullptr;
    try {
        nodo = m_albero.Add(chiavePadre, chiave, TestoNodoAtto(tipoPadre, tipo, iLivello, numeroId, statoTesto, 1));
    } catch (const Errore&) {
        // The tree on screen no longer matches the archive (its parent went,
        // or another node has the same key): show the archive as it is.
        m_boxCreaAtti->hide();
        AttivaForm(kAttivaArgomenti);
        return;
    }
    nodo->SetSorted(true);
    nodo->SetExpanded(true);
    nodo->SetTag(TagNodoAtto(tipo, iLivello, statoTesto, riga.iCodLeggeLG));
    m_albero.SetSelectedItem(nodo);

    m_cmbArgo[0]->AddItem(VoceListaAtti(riga.cParametriLG, riga.cNumeroAttoLG, riga.cTreeKeyLG, riga.iCodLeggeLG));
    m_boxCreaAtti->hide();
}

void frmCons::CancellaAttoSelezionato()
{
    if (iModoVoto & kVotoReale) return;
    NodoAlbero* n = NodoAttoScelto(m_albero);
    const int codice = CodiceNodo(n);
    if (!n || codice == 0 || !ApreRecordset(rsLeggi, 5)) return;

    QString chiave, descrizione;
    try {
        rsLeggi.Seek(QStringLiteral("="), codice);
        if (rsLeggi.NoMatch()) return;
        chiave = rsLeggi.Field(QStringLiteral("cTreeKeyLG")).toString();
        descrizione = LeggeCampo(rsLeggi.Field(QStringLiteral("cDescEventoLG")), 0, QString());
    } catch (const Errore& e) {
        MostraErrore(e);
        return;
    }

    const bool figli = !n->Children().empty();
    QString domanda = QStringLiteral("Confermi cancellazione ") + descrizione;
    if (figli) domanda += QStringLiteral("\r\ne Atti subalterni");
    domanda += QStringLiteral(" ?");
    if (UI().MsgBox(domanda, vbOKCancel + vbQuestion, kTitoloOBX) != vbOK) return;
    // The question let the event loop turn: the console may have gone.
    if (!frmConsAperto()) return;

    try {
        if (!figli) {
            // Only this row, by its code.
            dbArchivio.Execute(QStringLiteral("DELETE FROM %1 WHERE iCodLeggeLG = ?").arg(cTabelle[5]), {codice});
        } else {
            // The act and every act whose key begins with its segments.
            EliminaSottoalbero(chiave, LivelloChiave(chiave));
        }
    } catch (const Errore& e) {
        MostraErrore(e);
    }
    // The table changed under the record set: read again with the tree.
    rsLeggi.Close();
    AttivaForm(kAttivaArgomenti);
}

void frmCons::getTesto_Click(int Index)
{
    if (!Tasti().CtrlPremuto()) return;
    if (Index == 0)
        m_getTesto[1]->setVisible(!m_getTesto[1]->isVisible());
    else if (Index == 1)
        m_getTesto[1]->hide();
}

// ---------------------------------------------------------------------------
// Service buttons.

void frmCons::cmdServizio_Click(int Index)
{
    if (Index < 0 || Index > 5) return;
    const bool ctrl = Tasti().CtrlPremuto();

    // While a vote is in hand (also one whose central ended its data and
    // that waits for its close) nothing may change the act, the acts or the
    // kind of the vote under it.
    if (VotoInCorso() && (Index == 0 || Index == 4 || Index == 5)) return;

    int tasto = 0;
    int maiuscole = 0;
    switch (Index) {
    case 0:
        tasto = kTastoF8;
        maiuscole = ctrl ? kCtrl : 0;
        break;
    case 1:
        tasto = kTastoF6;
        maiuscole = kCtrl;
        break;
    case 2: tasto = kTastoF5; break;
    case 3: tasto = kTastoF1; break;
    default: break;
    }
    if (tasto != 0) {
        Form_KeyDown(tasto, maiuscole);
        return;
    }

    if (Index == 4) {
        if (ctrl) {
            m_cmbArgo[0]->SetListIndex(-1);
            m_cmbTipoVoto->SetListIndex(0);
            m_cmbTipoQuorum->SetListIndex(0);
            m_cmbArgo[3]->SetListIndex(1);
            if (oTabellone) oTabellone->DettaglioTesto(QStringLiteral("2"));
        } else if (NodoAlbero* n = NodoAttoScelto(m_albero)) {
            const int i = CercaVoce(m_cmbArgo[0], CodiceVoce(CodiceNodo(n)));
            if (i >= 0) {
                // Selecting the same entry again opens the act anew.
                if (m_cmbArgo[0]->ListIndex() == i) m_cmbArgo[0]->SetListIndex(-1);
                m_cmbArgo[0]->SetListIndex(i);
            }
        }
        if (frmConsAperto()) m_cmdVoto[0]->setEnabled(true);
        return;
    }

    // Index 5: the stored result of the selected act.
    NodoAlbero* n = NodoAttoScelto(m_albero);
    if (!n) {
        UI().MsgBox(QStringLiteral("Selezionare un Atto"), vbOKOnly, kTitoloOBX);
        return;
    }
    if (n->Tag().mid(2, 1) != u"V") {
        UI().MsgBox(QStringLiteral("Atto non Votato"), vbOKOnly, kTitoloOBX);
        return;
    }
    const int codice = CodiceNodo(n);

    // The act's own latest valid vote: superseded rows and the checks of
    // attendance or of the legal number (their counts are of those present)
    // are left out; the vote on the act comes before the one on its
    // immediate executability.
    Recordset rs;
    try {
        rs = dbArchivio.OpenQuery(QStringLiteral("SELECT * FROM %1 WHERE iCodLeggeVT = ? "
                                                 "AND coalesce(rtrim(cNotaVotoVT, ' '), '') <> 'Votazione Annullata' "
                                                 "AND coalesce(cPaleseVT, '') NOT IN ('A', 'V', 'W') "
                                                 "ORDER BY (coalesce(iDeliberaVT, 0) < 0), lCodiceVT DESC")
                                      .arg(cTabelle[4]),
                                  {codice});
    } catch (const Errore& e) {
        MostraErrore(e);
        return;
    }
    if (rs.Eof()) {
        UI().MsgBox(QStringLiteral("Votazione non trovata"), vbOKOnly, kTitoloOBX);
        rs.Close();
        return;
    }
    const QString palese = rs.Field(QStringLiteral("cPaleseVT")).toString().left(1);
    if (palese == u"H") {
        // The keys of a secret vote are never shown.
        UI().MsgBox(QStringLiteral("Votazione Segreta"), vbOKOnly, kTitoloOBX);
        rs.Close();
        return;
    }

    const int presenti = iPresenti;
    cTipoVoto = (!palese.isEmpty() && palese != u"-" && cLettereVoti.contains(palese)) ? palese : QStringLiteral("P");
    const QString codiceTesto = CodiceVoce(codice);
    const int voce = CercaVoce(m_cmbArgo[0], codiceTesto);
    // The open item's titles, for when the recall is dismissed (a second
    // recall over the first keeps those of the item).
    if (m_iAperturaRichiamo != m_iAperture) {
        m_titoliRichiamo = cTitoloTabellone;
        m_iAperturaRichiamo = m_iAperture;
    }
    if (voce >= 0) {
        const QString t = m_cmbArgo[0]->List(voce);
        cTitoloTabellone[0] = PadTaglia(t.left(t.size() - codiceTesto.size()), kLarghezzaTitolo);
    }
    auto numero = [&rs](const char* campo) { return rs.Field(QString::fromLatin1(campo)).toInt(); };
    iPresenti = numero("iPresentiVT");
    iFavorevoli = numero("iFavorevoliVT");
    iContrari = numero("iContrariVT");
    iAstenuti = numero("iAstenutiVT");
    const QString votanti = rs.Field(QStringLiteral("cVotantiVT")).toString();
    const QString voti = rs.Field(QStringLiteral("cVotiVT")).toString();
    rs.Close();

    for (size_t k = 1; k < aPosti.size(); ++k) {
        Posto& p = aPosti[k];
        const int pos = p.bCodiceAN > 0 ? int(votanti.indexOf(QChar(char16_t(p.bCodiceAN)))) : -1;
        const QString chiave = pos >= 0 ? voti.mid(pos, 1) : QString();
        p.cVoto = chiave.isEmpty() ? QStringLiteral("0") : chiave;
    }
    for (int i = 0; i < int(m_cmdVoto.size()); ++i) m_cmdVoto[size_t(i)]->setEnabled(i == 2);
    if (oTabellone) oTabellone->DettaglioTesto(QStringLiteral("6"));
    if (frmConsAperto()) AggiornaQuadroVoti(kQuadroRisultato | kQuadroTabelloni);
    iPresenti = presenti;
}

void frmCons::FineRichiamoVoto()
{
    if (m_iAperturaRichiamo < 0) return;
    // An item opened meanwhile has set titles of its own.
    if (m_iAperturaRichiamo == m_iAperture) cTitoloTabellone = m_titoliRichiamo;
    m_iAperturaRichiamo = -1;
}

}  // namespace obx
