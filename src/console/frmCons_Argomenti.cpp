// Agenda items and item notes: selection, opening and closing of items and
// acts, type and status changes, pending sub-items and notes.
//
// An item is open from its event "G" to its event "H"; bit 4 of
// iFlagQuorum says which.  Setting a combo's selection from code runs its
// handler at once, nested, and the steps below rely on that order.
#include <algorithm>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

#include "console/Registri.h"
#include "console/frmCons.h"
#include "links/Tabellone.h"
#include "platform/Dialoghi.h"
#include "platform/Elenchi.h"
#include "platform/Servizi.h"
#include "platform/Testo.h"
#include "reports/EsitoEmendamento.h"
#include "shell/Globali.h"

namespace obx {

namespace {

constexpr int kLunghezzaNota = 120;

// Kind labels of the new sub-items, by the position chosen in cmbArgo(3).
const char* const kEtichetteSottoArgomento[5] = {"Em.", "Ris", "OdG", "Oss", "Moz"};

QString Testo(const QVariant& v) { return v.isValid() && !v.isNull() ? v.toString() : QString(); }

QString Titolo24(const QString& t) { return PadTaglia(t, 24); }

// An entry of the council's item combo read back: the agenda position, the
// group (the text after "/") and the article of an item of the rules (the
// text after "." less its closing parenthesis).
struct VoceConsiglio {
    int numero = 0;
    QString gruppo;
    QString articolo;
};

VoceConsiglio LeggeVoce(const QString& voce)
{
    VoceConsiglio v;
    QString resto = voce;
    const int aperta = voce.indexOf(u'(', 1);
    if (aperta > 0) {
        resto = TrimSpazi(voce.left(aperta));
        const int punto = voce.indexOf(u'.', aperta);
        if (punto > 0) {
            v.articolo = TrimSpazi(voce.mid(punto + 1));
            v.articolo.chop(1);
        }
    }
    const int barra = resto.indexOf(u'/', 1);
    if (barra > 0) {
        v.gruppo = resto.mid(barra + 1);
        resto = TrimSpazi(resto.left(barra));
    }
    v.numero = int(Val(QStringLiteral("0") + TrimSpazi(resto)));
    return v;
}

// The act code of an entry of the laws-mode list: the number between its
// last "[" and its last character; 0 without a "[".
int CodiceVoceAtto(const QString& voce, QString* testo = nullptr)
{
    const QString t = TrimSpazi(voce);
    const int k = t.lastIndexOf(u'[');
    if (k < 0) return 0;
    if (testo) *testo = t.left(k);
    return int(Val(t.mid(k + 1, std::max(0, int(t.size()) - k - 2))));
}

// The group as the council's list shows it: the first letter of
// cGruppoDE, nothing for a blank group.
QString GruppoVoce(const QVariant& gruppo)
{
    const QString g = gruppo.isValid() && !gruppo.isNull() ? gruppo.toString() : QString();
    return !g.isEmpty() && g.at(0).unicode() > 32 ? g.left(1) : QString();
}

// The one-letter status of an act held in cParametriLG, empty when it is
// not a letter of cLettereStati.
QString LetteraStato(const QString& cParametri)
{
    const QString l = cParametri.mid(1, 1);
    if (l.size() != 1 || l == u" " || !cLettereStati.contains(l)) return QString();
    return l;
}

int PosizioneStato(const QString& nome)
{
    for (size_t i = 0; i < cStatiArgomento.size(); ++i)
        if (!cStatiArgomento[i].isEmpty() && cStatiArgomento[i].compare(nome, Qt::CaseInsensitive) == 0) return int(i);
    return -1;
}

bool Maiuscolo(const QPushButton* b, const char* testo) { return b->text().toUpper() == QString::fromLatin1(testo); }

}  // namespace

// ---------------------------------------------------------------------------
// The combos.

void frmCons::cmbArgo_Click(int Index)
{
    switch (Index) {
    case 0: {
        // The nested run of the reselection below ends here.
        if (bCambioArgo) return;
        if (m_cmbArgo[0]->ListIndex() < 0) {
            iDelibera = 0;
            return;
        }
        if (iTipoAssemblea != 4)
            ApreArgomentoConsiglio();
        else
            ApreAttoLeggi();
        return;
    }

    case 1: {
        const int i = m_cmbArgo[1]->ListIndex();
        if (i < 0 || i >= cLettereAtti.size()) return;
        const QString lettera = cLettereAtti.mid(i, 1);
        if (cTipoArg == u"*" || cTipoArg == lettera) return;
        if (iTipoAssemblea != 4 && m_cmbArgo[2]->ListCount() > 0) {
            UI().MsgBox(QStringLiteral("Emendamenti in sospeso"), vbExclamation);
            const int attuale = cTipoArg.size() == 1 ? cLettereAtti.indexOf(cTipoArg) : -1;
            m_cmbArgo[1]->SetListIndex(attuale);
            return;
        }
        ChiudeEditoriArgomento();
        ChiudeArgomentoAperto();

        cTipoArg = lettera;
        m_cmbArgo[0]->SetListIndex(-1);
        for (QString& a : cArgomento) a.clear();
        m_iStatoDi = 0;
        for (QPlainTextEdit* t : m_getTesto) {
            t->clear();
            t->hide();
        }
        if (iTipoAssemblea != 4) {
            m_cmbArgo[2]->SetListIndex(-1);
            m_iSottoArgomenti = 0;
            cArgomentoPendente.clear();
            m_chkImmEsec->setChecked(false);
            m_chkImmEsec->setEnabled(true);
        }
        // A new item, if a generic one: the note of the item before is not its.
        cNotaArgomento.clear();
        cArgomento[4] = m_cmbArgo[1]->Text();
        cTitoloTabellone = {Titolo24(QString()), Titolo24(cArgomento[4]), Titolo24(QString())};

        // A generic item of that type.
        ++m_iAperture;
        SalvaEvento(QStringLiteral("G"), QString());
        iFlagQuorum |= kQuorumArgomentoAperto;

        const bool votabile = cLettereAttiVotabili.contains(lettera);
        m_cmbArgo[2]->setEnabled(votabile && iTipoAssemblea != 4);
        m_cmdArgo[1]->setEnabled(votabile && iTipoAssemblea != 4);
        m_cmdArgo[0]->setEnabled(votabile);
        m_cmdVoto[0]->setEnabled(votabile);
        return;
    }

    case 2: {
        const int i = m_cmbArgo[2]->ListIndex();
        if (i < 0) return;
        const QString voce = m_cmbArgo[2]->List(i);
        if (Tasti().CtrlPremuto()) {
            if (UI().MsgBox(voce + QStringLiteral("  Ritirato ?"), vbOKCancel + vbQuestion) != vbOK) return;
            cArgomentoPendente = TrimSpazi(voce);
            SalvaEvento(QStringLiteral("X"), QString());
            RimuoveArgomento(true);
            if (oTabellone) oTabellone->DettaglioTesto(QStringLiteral("m"));
        } else {
            cArgomentoPendente = TrimSpazi(voce);
            SalvaEvento(QStringLiteral("Y"), QString());
            if (oTabellone) oTabellone->DettaglioTesto(QStringLiteral("M"));
        }
        return;
    }

    case 3: {
        // In council mode the combo only names the kind of a new sub-item.
        if (iTipoAssemblea != 4) return;
        const int i = m_cmbArgo[3]->ListIndex() < 0 ? -1 : PosizioneStato(RTrimSpazi(m_cmbArgo[3]->Text()));
        if (i < 0 || i >= cLettereStati.size()) return;
        const QString lettera = cLettereStati.mid(i, 1);
        const QString nome = cStatiArgomento[size_t(i)];

        // With no act open the combo only shows the choice: there is no row
        // and no node whose status could change.
        if (iDelibera == 0) {
            cArgomento[2] = lettera;
            cArgomento[3] = nome;
            m_iStatoDi = 0;
            return;
        }
        const QString attuale = StatoAttoCorrente();
        if (lettera == attuale) return;

        bool ok = true;
        if (!xSelezioneInterna && (lettera == u"R" || lettera == u"D" || lettera == u"A"))
            ok = UI().MsgBox(QStringLiteral("Argomento ") + nome + QStringLiteral(" ?"), vbOKCancel + vbQuestion) ==
                 vbOK;
        if (ok) {
            cArgomento[3] = nome;
            SalvaEvento(QStringLiteral("X"), QString());
            AggiornaStatoPdL(2, nome);
            if ((lettera == u"R" || lettera == u"D") && cTipoArg == u"E" && (iConfigOBX & kOpzStampaEmendamento))
                StampaEsitoEmendamento(lettera);
            cArgomento[2] = lettera;
            m_iStatoDi = iDelibera;
            return;
        }
        // Declined: the act keeps its status, and one without a status
        // takes "Non Votato".
        const int p = attuale.isEmpty() ? -1 : cLettereStati.indexOf(attuale);
        if (p >= 0) {
            m_cmbArgo[3]->SetListIndex(p);
        } else {
            const bool prima = xSelezioneInterna;
            xSelezioneInterna = true;
            m_cmbArgo[3]->SetListIndex(0);
            xSelezioneInterna = prima;
        }
        return;
    }

    default: return;
    }
}

// The status of the current act as the comparison needs it: the console's
// copy when it is the copy of this act, else read again from the act's row
// (the act changed without its status being loaded, or the copy belongs to
// the act before).
QString frmCons::StatoAttoCorrente()
{
    if (m_iStatoDi == iDelibera) return cArgomento[2];
    QString stato;
    if (ApreRecordset(rsLeggi, 5)) {
        try {
            rsLeggi.Seek(QStringLiteral("="), iDelibera);
            if (!rsLeggi.NoMatch()) stato = LetteraStato(Testo(rsLeggi.Field(QStringLiteral("cParametriLG"))));
        } catch (const Errore& e) {
            MostraErrore(e);
        }
    }
    cArgomento[2] = stato;
    m_iStatoDi = iDelibera;
    return stato;
}

// ---------------------------------------------------------------------------
// Opening an item.

void frmCons::ApreArgomentoConsiglio()
{
    const VoceConsiglio voce = LeggeVoce(m_cmbArgo[0]->Text());
    if (voce.gruppo == cArgomento[1] && voce.numero == iDelibera) return;

    if (m_cmbArgo[2]->ListCount() > 0) {
        UI().MsgBox(QStringLiteral("Emendamenti in sospeso"), vbExclamation);
        // Back to the entry of the open item: the one with its number and
        // its very group, so that an item sharing the number (with or
        // without a group) is never taken for it.
        int trovata = -1;
        for (int k = 0; k < m_cmbArgo[0]->ListCount(); ++k) {
            const VoceConsiglio v = LeggeVoce(m_cmbArgo[0]->List(k));
            if (v.numero == iDelibera && TrimSpazi(v.gruppo) == TrimSpazi(cArgomento[1])) {
                trovata = k;
                break;
            }
        }
        bCambioArgo = true;
        m_cmbArgo[0]->SetListIndex(trovata);
        bCambioArgo = false;
        return;
    }

    // The item's row.
    if (!ApreRecordset(rsDelibere, 2)) return;
    QVariant codice, quorum;
    QString tipo, titolino, titolo;
    std::array<QString, 3> tabellone;
    bool trovato = false;
    try {
        if (rsDelibere.RecordCount() == 0) return;
        for (rsDelibere.MoveFirst(); !rsDelibere.Eof(); rsDelibere.MoveNext()) {
            const QVariant pos = rsDelibere.Field(QStringLiteral("iPosOdGDE"));
            if (!pos.isValid() || pos.isNull() || pos.toInt() != voce.numero) continue;
            const QString gruppo = TrimSpazi(Testo(rsDelibere.Field(QStringLiteral("cGruppoDE"))));
            if (gruppo != TrimSpazi(voce.gruppo)) continue;
            codice = rsDelibere.Field(QStringLiteral("iDeliberaDE"));
            quorum = rsDelibere.Field(QStringLiteral("iQuorumDE"));
            tipo = Testo(rsDelibere.Field(QStringLiteral("cTipoArgDE")));
            titolino = Testo(rsDelibere.Field(QStringLiteral("cTitolinoDE")));
            titolo = Testo(rsDelibere.Field(QStringLiteral("cTitoloDE")));
            tabellone = {Testo(rsDelibere.Field(QStringLiteral("cTitolino1DE"))),
                         Testo(rsDelibere.Field(QStringLiteral("cTitolino2DE"))),
                         Testo(rsDelibere.Field(QStringLiteral("cTitolino3DE")))};
            trovato = true;
            break;
        }
    } catch (const Errore& e) {
        MostraErrore(e);
        return;
    }
    if (!trovato) return;

    ChiudeEditoriArgomento();
    ChiudeArgomentoAperto();

    iDelibera = voce.numero;
    iCodiceAtto = codice.toInt();
    cArgomento[0] = voce.articolo;
    cArgomento[1] = voce.gruppo;
    cTipoArg = TrimSpazi(tipo).left(1);
    ImpostaTipoArgomento();

    m_chkImmEsec->setEnabled(true);
    m_chkImmEsec->setChecked(false);
    m_cmdArgo[1]->setEnabled(true);
    m_cmbArgo[2]->setEnabled(true);
    m_cmbArgo[2]->SetListIndex(-1);
    m_iSottoArgomenti = 0;
    cArgomentoPendente.clear();
    cNotaArgomento.clear();
    m_cmdVoto[0]->setEnabled(true);
    m_cmdArgo[0]->setEnabled(true);

    cArgomento[4] = titolino;
    cArgomento[5] = titolo;
    for (size_t k = 0; k < 3; ++k) cTitoloTabellone[k] = Titolo24(tabellone[k]);
    for (QPlainTextEdit* t : m_getTesto) t->setPlainText(cArgomento[5]);
    m_getTesto[0]->show();
    m_getTesto[1]->hide();

    CalcolaQuorum(quorum.isValid() && !quorum.isNull() ? quorum.toInt() : 0, false);
    AvviaArgomento();
}

void frmCons::ApreAttoLeggi()
{
    cArgomento[6].clear();
    const int codice = CodiceVoceAtto(m_cmbArgo[0]->Text(), &cArgomento[6]);
    if (codice == iDelibera) return;

    ChiudeEditoriArgomento();
    ChiudeArgomentoAperto();
    m_cmbTipoVoto->SetListIndex(0);
    m_cmbTipoQuorum->SetListIndex(0);
    iDelibera = codice;
    iCodiceAtto = codice;
    iRadiceLegge = 0;

    // The act's row.
    QString parametri, evento, descrizione, led;
    int radice = 0;
    bool trovato = false;
    if (codice != 0 && ApreRecordset(rsLeggi, 5)) {
        try {
            rsLeggi.Seek(QStringLiteral("="), codice);
            if (!rsLeggi.NoMatch()) {
                parametri = Testo(rsLeggi.Field(QStringLiteral("cParametriLG")));
                evento = Testo(rsLeggi.Field(QStringLiteral("cDescEventoLG")));
                descrizione = Testo(rsLeggi.Field(QStringLiteral("cDescLeggeLG")));
                led = Testo(rsLeggi.Field(QStringLiteral("cNomeLedLG")));
                radice = rsLeggi.Field(QStringLiteral("iRadiceLeggeLG")).toInt();
                trovato = true;
            }
        } catch (const Errore& e) {
            MostraErrore(e);
        }
    }
    if (!trovato) {
        // No act is open: the status shown was the previous act's.
        cArgomento[2].clear();
        m_iStatoDi = iDelibera;
        xSelezioneInterna = true;
        m_cmbArgo[3]->SetListIndex(-1);
        xSelezioneInterna = false;
        return;
    }

    xSelezioneInterna = true;
    cTipoArg = parametri.left(1);
    ImpostaTipoArgomento();
    // The status is always this act's own, never the one left by the act
    // before; an act with no known status shows none.
    const QString stato = LetteraStato(parametri);
    cArgomento[2] = stato;
    m_iStatoDi = iDelibera;
    m_cmbArgo[3]->SetListIndex(stato.isEmpty() ? -1 : cLettereStati.indexOf(stato));
    xSelezioneInterna = false;

    if (cTipoArg == u"H") m_cmbTipoQuorum->SetListIndex(3);

    iRadiceLegge = radice;
    cArgomento[4] = evento;
    cArgomento[5] = descrizione;
    cTitoloTabellone = {Titolo24(led), Titolo24(QString()), Titolo24(QString())};
    for (QPlainTextEdit* t : m_getTesto) t->setPlainText(cArgomento[5]);
    m_getTesto[0]->show();
    m_getTesto[1]->hide();

    CalcolaQuorum(-1, false);
    m_cmdVoto[0]->setEnabled(true);
    m_cmdArgo[0]->setEnabled(true);
    cNotaArgomento.clear();
    AvviaArgomento();
}

void frmCons::ChiudeArgomentoAperto()
{
    if (!(iFlagQuorum & kQuorumArgomentoAperto)) return;
    SalvaEvento(QStringLiteral("H"), QString());
    iFlagQuorum &= ~kQuorumArgomentoAperto;
}

// The opening proper: its event, fresh speaking counters and no bookings.
void frmCons::AvviaArgomento()
{
    ++m_iAperture;
    SalvaEvento(QStringLiteral("G"), QString());
    iFlagQuorum |= kQuorumArgomentoAperto;
    for (size_t i = 1; i < aPosti.size(); ++i) aPosti[i].iInterventi = 0;
    for (size_t j = 1; j < aPartiti.size(); ++j) aPartiti[j].lTempoResiduo = iTempoMaxPartito * 60;
    GestiscePrenotati(0, 4, QString());
    cmdConsiglio_Click(99);
}

// The type combo follows cTipoArg without changing the item (its nested run
// finds the same letter).  A letter the vocabulary does not know is
// reported; the combo is left with no entry chosen, so that any type the
// operator then picks is a change of type.
void frmCons::ImpostaTipoArgomento()
{
    const int p = cTipoArg.size() == 1 && cTipoArg != u" " ? cLettereAtti.indexOf(cTipoArg) : -1;
    if (p >= 0 && p < m_cmbArgo[1]->ListCount()) {
        m_cmbArgo[1]->SetListIndex(p);
        return;
    }
    const QString mostrato = TrimSpazi(cTipoArg).isEmpty() ? QStringLiteral("(nessuno)") : cTipoArg;
    if (TrimSpazi(cTipoArg).isEmpty()) cTipoArg = QStringLiteral("?");
    UI().MsgBox(QStringLiteral("Tipo Argomento non previsto: ") + mostrato, vbExclamation);
    m_cmbArgo[1]->SetListIndex(-1);
}

// ---------------------------------------------------------------------------
// The item list read again.

frmCons::VoceScelta frmCons::RicordaVoceScelta() const
{
    VoceScelta v;
    const int i = m_cmbArgo[0]->ListIndex();
    if (i < 0) return v;
    v.scelta = true;
    const QString voce = m_cmbArgo[0]->List(i);
    if (iTipoAssemblea == 4) {
        v.codice = CodiceVoceAtto(voce);
        return v;
    }
    const VoceConsiglio c = LeggeVoce(voce);
    v.numero = c.numero;
    v.gruppo = c.gruppo;
    // The entry of the open item: its row is known by its code, which stays
    // the same when the clerk moves the item to another position.
    if (c.numero == iDelibera && TrimSpazi(c.gruppo) == TrimSpazi(cArgomento[1])) v.codice = iCodiceAtto;
    return v;
}

void frmCons::RitrovaVoceScelta(const VoceScelta& v)
{
    if (!v.scelta) {
        m_cmbArgo[0]->SetListIndex(-1);
        return;
    }
    int trovata = -1;
    if (iTipoAssemblea == 4) {
        const QString fine = u'[' + Formato(v.codice, QStringLiteral("######")) + u']';
        for (int k = 0; v.codice != 0 && k < m_cmbArgo[0]->ListCount() && trovata < 0; ++k)
            if (m_cmbArgo[0]->List(k).endsWith(fine)) trovata = k;
    } else {
        int numero = v.numero;
        QString gruppo = TrimSpazi(v.gruppo);
        bool elencato = true;
        if (v.codice != 0 && ApreRecordset(rsDelibere, 2)) {
            // Where the open item's row stands now; a row gone, or without
            // a position, is no longer on the list.
            try {
                elencato = false;
                rsDelibere.Seek(QStringLiteral("="), v.codice);
                if (!rsDelibere.NoMatch()) {
                    const QVariant pos = rsDelibere.Field(QStringLiteral("iPosOdGDE"));
                    if (pos.isValid() && !pos.isNull()) {
                        elencato = true;
                        numero = pos.toInt();
                        gruppo = GruppoVoce(rsDelibere.Field(QStringLiteral("cGruppoDE")));
                    }
                }
            } catch (const Errore& e) {
                MostraErrore(e);
                elencato = true;  // not known: the entry as it read
            }
        }
        for (int k = 0; elencato && k < m_cmbArgo[0]->ListCount() && trovata < 0; ++k) {
            const VoceConsiglio c = LeggeVoce(m_cmbArgo[0]->List(k));
            if (c.numero == numero && TrimSpazi(c.gruppo) == gruppo) trovata = k;
        }
    }

    if (trovata >= 0) {
        // The same item: selected again without opening it anew.
        bCambioArgo = true;
        m_cmbArgo[0]->SetListIndex(trovata);
        bCambioArgo = false;
        if (iTipoAssemblea != 4 && v.codice != 0) {
            // The open item under the position and group it has now.
            const VoceConsiglio c = LeggeVoce(m_cmbArgo[0]->List(trovata));
            iDelibera = c.numero;
            cArgomento[1] = c.gruppo;
        }
        return;
    }
    // The item is no longer on the list: it is closed, and no other item
    // is opened in its place.
    ChiudeEditoriArgomento();
    ChiudeArgomentoAperto();
    m_cmbArgo[0]->SetListIndex(-1);
}

// ---------------------------------------------------------------------------
// Status of an act and the pending list.

void frmCons::AggiornaStatoPdL(int iModo, const QString& cDesc)
{
    if (iModo & 1) {
        for (int k = 0; k < m_cmbArgo[3]->ListCount(); ++k) {
            if (m_cmbArgo[3]->List(k).compare(cDesc, Qt::CaseInsensitive) == 0) {
                m_cmbArgo[3]->SetListIndex(k);
                break;
            }
        }
    }
    if (!(iModo & 2) || iCodiceAtto == 0) return;
    // Only the act that is open: after its selection was cleared the code
    // left behind names an act that is no longer the current one.
    if (iTipoAssemblea == 4 && iDelibera != iCodiceAtto) return;
    // The name as the vocabulary spells it, whatever the case it came in.
    const int p = PosizioneStato(cDesc);
    const QString nome = p >= 0 ? cStatiArgomento[size_t(p)] : cDesc;
    for (NodoAlbero* n : m_albero.Nodes()) {
        const QString tag = n->Tag();
        if (tag.size() < 4 || int(Val(tag.mid(3))) != iCodiceAtto) continue;
        const QString testo = n->Text();
        const int aperta = testo.lastIndexOf(u'(');
        if (aperta >= 0) n->SetText(testo.left(aperta + 1) + nome + u')');
        if (p >= 0 && p < cLettereStati.size()) {
            QString nuovo = tag;
            nuovo[2] = cLettereStati.at(p);
            n->SetTag(nuovo);
        }
        return;
    }
}

void frmCons::RimuoveArgomento(bool bSelezionato)
{
    ElencoCombo* c = m_cmbArgo[2];
    if (c->ListCount() == 0) return;
    int togli = -1;
    if (bSelezionato) {
        togli = c->ListIndex();
    } else {
        if (cArgomentoPendente.isEmpty()) return;
        const QString pendente = TrimSpazi(cArgomentoPendente);
        if (c->ListIndex() >= 0 && TrimSpazi(c->Text()) == pendente) {
            togli = c->ListIndex();
        } else {
            for (int k = 0; k < c->ListCount(); ++k) {
                if (TrimSpazi(c->List(k)) == pendente) {
                    togli = k;
                    break;
                }
            }
        }
    }
    if (togli < 0) return;
    c->RemoveItem(togli);
    if (c->ListIndex() >= 0) c->SetListIndex(-1);
    cArgomentoPendente.clear();
}

// ---------------------------------------------------------------------------
// Note and new sub-item.

void frmCons::cmdArgo_Click(int Index)
{
    QPlainTextEdit* titolo = m_getTesto[0];
    switch (Index) {
    case 0:
        if (!Maiuscolo(m_cmdArgo[0], "OK")) {
            m_cmdArgo[0]->setProperty("Tag", titolo->toPlainText());
            if (!m_xLimiteCollegato) {
                m_xLimiteCollegato = true;
                connect(titolo, &QPlainTextEdit::textChanged, this, [this, titolo] {
                    if (!m_xLimiteNota) return;
                    const QString t = titolo->toPlainText();
                    if (t.size() <= kLunghezzaNota) return;
                    // What is typed beyond the limit is not taken.
                    const int cursore = titolo->textCursor().position();
                    titolo->setPlainText(t.left(kLunghezzaNota));
                    QTextCursor c = titolo->textCursor();
                    c.setPosition(std::min(cursore, kLunghezzaNota));
                    titolo->setTextCursor(c);
                });
            }
            m_xLimiteNota = true;
            titolo->setReadOnly(false);
            titolo->setStyleSheet(QStringLiteral("QPlainTextEdit { background-color: #C0FFFF; }"));
            titolo->setPlainText(cNotaArgomento.left(kLunghezzaNota));
            titolo->show();
            titolo->setFocus();
            m_cmdArgo[0]->setText(QStringLiteral("Ok"));
            m_cmdArgo[1]->hide();
            m_iAperturaNota = m_iAperture;
        } else {
            ChiudeEditoreNota(true);
        }
        return;

    case 1:
        if (!Maiuscolo(m_cmdArgo[1], "OK")) {
            m_cmbArgo[3]->SetListIndex(0);
            m_getDescEme->clear();
            titolo->hide();
            m_cmdArgo[0]->hide();
            m_getDescEme->show();
            m_cmbArgo[3]->show();
            m_lblArgo[3]->show();
            m_cmdArgo[1]->setText(QStringLiteral("Ok"));
        } else {
            ChiudeEditoreSottoArgomento(true);
        }
        return;

    default: return;
    }
}

// The note editor closes: with xSalva its text becomes the note of the item
// it was opened for, and only while that item is still the current one.
void frmCons::ChiudeEditoreNota(bool xSalva)
{
    QPlainTextEdit* titolo = m_getTesto[0];
    if (xSalva && m_iAperturaNota == m_iAperture) cNotaArgomento = TrimSpazi(titolo->toPlainText());
    m_iAperturaNota = -1;
    m_xLimiteNota = false;
    m_cmdArgo[0]->setText(QStringLiteral("Nota"));
    titolo->setReadOnly(true);
    titolo->setPlainText(m_cmdArgo[0]->property("Tag").toString());
    titolo->setStyleSheet(QString());
    if (iTipoAssemblea != 4) m_cmdArgo[1]->show();
}

void frmCons::ChiudeEditoreSottoArgomento(bool xAggiunge)
{
    const QString descrizione = TrimSpazi(m_getDescEme->text());
    if (xAggiunge && !descrizione.isEmpty()) {
        const int n = m_iSottoArgomenti + 1;
        const int tipo = m_cmbArgo[3]->ListIndex();
        const char* etichetta = kEtichetteSottoArgomento[tipo >= 0 && tipo < 5 ? tipo : 0];
        m_cmbArgo[2]->AddItem(QString::fromLatin1(etichetta) + u'/' +
                              (Formato(n, QStringLiteral("#0")) + QStringLiteral("  ")).left(2) + u' ' + descrizione);
        m_iSottoArgomenti = n;
    }
    m_getTesto[0]->show();
    m_cmdArgo[0]->show();
    m_getDescEme->hide();
    m_cmbArgo[3]->hide();
    m_lblArgo[3]->hide();
    m_cmdArgo[1]->setText(QStringLiteral("Emend."));
}

// An editor left open when the item changes belongs to the item that is
// closing: it is closed without storing anything into the next one.
void frmCons::ChiudeEditoriArgomento()
{
    if (Maiuscolo(m_cmdArgo[0], "OK")) ChiudeEditoreNota(false);
    if (Maiuscolo(m_cmdArgo[1], "OK")) ChiudeEditoreSottoArgomento(false);
}

}  // namespace obx
