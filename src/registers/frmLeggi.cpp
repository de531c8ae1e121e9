#include "registers/frmLeggi.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/Dialoghi.h"
#include "platform/Eventi.h"
#include "platform/FinestraUnica.h"
#include "platform/Schermo.h"
#include "platform/Servizi.h"
#include "platform/Testo.h"
#include "reports/ListaAtti.h"
#include "shell/AlberoAtti.h"
#include "shell/Campi.h"
#include "shell/ControlloDati.h"
#include "shell/Globali.h"
#include "shell/RecordAtti.h"
#include "shell/VotoInCorso.h"

namespace obx {

namespace {

QPointer<frmLeggi> g_finestra;

const QString kChiaveRadice = QStringLiteral("*");
constexpr int kLarghezzaNumero = 16;
constexpr int kLarghezzaId = kSegmentoChiave - 1;

const char* const kEtichette[5] = {"Tipo:", "Numero:", "Stato:", "ID:", "Argomento:"};
const char* const kComandi[7] = {"Varia", "Elimina", "Svuota intero Archivio (+Ctrl)", "Fine", "Aggiunge",
                                 "Salva", "Stampa"};

// A level-1 description is stored with " ." after it; the panel shows it
// without, so that saving it again unchanged stores the same text.
QString SenzaFinale(const QString& descrizione)
{
    return descrizione.endsWith(QStringLiteral(" .")) ? descrizione.left(descrizione.size() - 2) : descrizione;
}

}  // namespace

frmLeggi::frmLeggi(QWidget* padre) : QWidget(padre, Qt::Window)
{
    TieneNelloSchermo(this);
    setObjectName(QStringLiteral("frmLeggi"));
    setWindowTitle(QStringLiteral("Atti"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto nomina = [](QObject* o, const char* nome, int i) {
        o->setObjectName(QStringLiteral("%1(%2)").arg(QLatin1String(nome)).arg(i));
    };

    m_vista = new QTreeWidget(this);
    m_vista->setObjectName(QStringLiteral("oAlbero"));
    m_vista->setHeaderHidden(true);
    m_vista->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    m_albero.Attach(m_vista);

    for (int i = 0; i < 2; ++i) {
        m_cmbLegge[size_t(i)] = new QComboBox(this);
        nomina(m_cmbLegge[size_t(i)], "cmbLegge", i);
        m_cmbLegge[size_t(i)]->installEventFilter(this);
        m_cmbLegge[size_t(i)]->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    }
    connect(m_cmbLegge[0], &QComboBox::activated, this, [this] { cmbLegge_LostFocus(0); });

    auto* numero = new QLineEdit(this);
    numero->setMaxLength(kLarghezzaNumero);
    m_descrizione = new QPlainTextEdit(this);
    m_descrizione->setTabChangesFocus(true);
    auto* id = new QLineEdit(this);
    id->setMaxLength(kLarghezzaId);
    m_getLegge = {numero, m_descrizione, id};
    for (int i = 0; i < 3; ++i) {
        nomina(m_getLegge[size_t(i)], "getLegge", i);
        m_getLegge[size_t(i)]->installEventFilter(this);
    }
    for (int i = 0; i < 5; ++i) {
        m_lblLegge[size_t(i)] = new QLabel(QString::fromUtf8(kEtichette[i]), this);
        nomina(m_lblLegge[size_t(i)], "lblLegge", i);
    }
    for (int i = 0; i < 7; ++i) {
        m_cmdLeggi[size_t(i)] = new QPushButton(QString::fromUtf8(kComandi[i]), this);
        nomina(m_cmdLeggi[size_t(i)], "cmdLeggi", i);
        m_cmdLeggi[size_t(i)]->setAutoDefault(false);
        connect(m_cmdLeggi[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdLeggi_Click(i); });
    }

    auto* pannello = new QGridLayout;
    pannello->addWidget(m_lblLegge[0], 0, 0);
    pannello->addWidget(m_cmbLegge[0], 0, 1);
    pannello->addWidget(m_lblLegge[2], 1, 0);
    pannello->addWidget(m_cmbLegge[1], 1, 1);
    pannello->addWidget(m_lblLegge[1], 2, 0);
    pannello->addWidget(numero, 2, 1);
    pannello->addWidget(m_lblLegge[3], 3, 0);
    pannello->addWidget(id, 3, 1);
    pannello->addWidget(m_lblLegge[4], 4, 0, Qt::AlignTop);
    pannello->addWidget(m_descrizione, 4, 1);
    pannello->setColumnStretch(1, 1);
    pannello->setRowStretch(4, 1);
    m_lblLegge[4]->setBuddy(m_descrizione);

    auto* comandi = new QGridLayout;
    // Editing commands, then the others.
    comandi->addWidget(m_cmdLeggi[4], 0, 0);
    comandi->addWidget(m_cmdLeggi[0], 0, 1);
    comandi->addWidget(m_cmdLeggi[5], 0, 2);
    comandi->addWidget(m_cmdLeggi[1], 1, 0);
    comandi->addWidget(m_cmdLeggi[6], 1, 1);
    comandi->addWidget(m_cmdLeggi[3], 1, 2);
    comandi->addWidget(m_cmdLeggi[2], 2, 0, 1, 3);

    auto* destra = new QVBoxLayout;
    destra->addLayout(pannello, 1);
    destra->addLayout(comandi);

    auto* tutto = new QHBoxLayout(this);
    tutto->addWidget(m_vista, 1);
    tutto->addLayout(destra, 1);
    resize(760, 460);

    Form_Load();
}

frmLeggi::~frmLeggi()
{
    m_albero.Attach(nullptr);
    if (g_finestra == this) g_finestra = nullptr;
}

frmLeggi* frmLeggi::Aperta() { return g_finestra.data(); }
frmLeggi* frmLeggi::Mostra(QWidget* padre) { return MostraUnica(g_finestra, padre); }

QString frmLeggi::Testo(int i) const
{
    if (i == 1) return m_descrizione->toPlainText();
    return static_cast<QLineEdit*>(m_getLegge[size_t(i)])->text();
}

void frmLeggi::ImpostaTesto(int i, const QString& testo)
{
    if (i == 1)
        m_descrizione->setPlainText(testo);
    else
        static_cast<QLineEdit*>(m_getLegge[size_t(i)])->setText(testo);
}

void frmLeggi::MostraErrore(const Errore& e) { UI().MsgBox(e.Descrizione(), vbCritical, kTitoloOBX); }

// ---------------------------------------------------------------------------
// Loading

void frmLeggi::Form_Load()
{
    m_cmbLegge[0]->clear();
    m_cmbLegge[1]->clear();
    for (const QString& s : cStatiArgomento) m_cmbLegge[1]->addItem(s);
    RicaricaAlbero();
    ApreLeggi();
}

// Every use of the table comes through here: a record set the archive
// closed under the window (its copy, its repair) is opened again.
bool frmLeggi::ApreLeggi()
{
    if (rsLeggi.IsOpen()) return true;
    try {
        rsLeggi = dbArchivio.OpenTable(cTabelle[5], QStringLiteral("TAG_A"));
        return true;
    } catch (const Errore& e) {
        MostraErrore(e);
        return false;
    }
}

void frmLeggi::RicaricaAlbero()
{
    // The act selected, or the nearest of its parents still there, stays
    // selected.
    const QStringList scelta = m_albero.PercorsoSelezione();
    m_albero.Clear();
    nodoCorrente = nullptr;
    try {
        NodoAlbero* radice = m_albero.Add(QString(), kChiaveRadice, QStringLiteral("Crea Atto 1° Livello"));
        radice->SetTag(QString());
        radice->SetSorted(true);
        nodoCorrente = radice;
        CaricaAlbero(m_albero, 1, QString(), QString(), QString(), 0);
    } catch (const Errore& e) {
        MostraErrore(e);
    }
    m_albero.RiprendeSelezione(scelta);
    SegueSelezione();
}

// The node the commands work on is the one highlighted: with none, the
// root is highlighted.
void frmLeggi::SegueSelezione()
{
    if (!m_albero.SelectedItem()) m_albero.SetSelectedItem(m_albero.Find(kChiaveRadice));
    if (NodoAlbero* n = m_albero.SelectedItem()) nodoCorrente = n;
}

void frmLeggi::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!m_attivata) {
        m_attivata = true;
        Form_Activate();
    }
}

void frmLeggi::Form_Activate()
{
    CentraFinestra(this);
    MostraAtto(2, QString(), false);
    m_cmdLeggi[4]->setFocus();
}

void frmLeggi::closeEvent(QCloseEvent* e)
{
    rsLeggi.Close();
    e->accept();
}

bool frmLeggi::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) {
        const bool altra = DaAltraFinestra(static_cast<QFocusEvent*>(e)->reason());
        if (!altra) {
            if (e->type() == QEvent::FocusIn && o == m_getLegge[2]) getLegge_GotFocus(2);
            if (e->type() == QEvent::FocusOut && o == m_cmbLegge[0]) cmbLegge_LostFocus(0);
        }
    }
    return QWidget::eventFilter(o, e);
}

void frmLeggi::cmbLegge_LostFocus(int indice)
{
    if (indice == 0 && m_cmbLegge[0]->currentIndex() >= 0) iTipoScelto = m_cmbLegge[0]->currentIndex();
}

void frmLeggi::getLegge_GotFocus(int indice)
{
    if (indice != 2 || xModifica || m_getLegge[2]->isHidden()) return;
    // An identifier the operator typed ("7 bis") stays; only an empty box
    // or the one proposed before (for another type, say) gets the proposal.
    if (!TrimSpazi(Testo(2)).isEmpty() && Testo(2) != m_idProposto) return;
    const QString tipo = TipoAtto(m_cmbLegge[0]->currentText(), 2);
    if (tipo.isEmpty()) return;
    try {
        m_idProposto = CalcolaIDLegge(cAttoCorrente[10], tipo, iLivello);
        ImpostaTesto(2, m_idProposto);
    } catch (const Errore& e) {
        MostraErrore(e);
    }
}

// ---------------------------------------------------------------------------
// The panel

void frmLeggi::MostraPannello(bool mostra)
{
    for (QLabel* l : m_lblLegge) l->setVisible(mostra);
    for (QComboBox* c : m_cmbLegge) c->setVisible(mostra);
    for (QWidget* g : m_getLegge) g->setVisible(mostra);
    m_cmdLeggi[5]->setVisible(mostra);
}

void frmLeggi::MostraAtto(int modo, const QString& tag, bool xConFigli)
{
    QString tipoTag;
    int codice = 0;
    if (!tag.isEmpty()) {
        iLivello = int(Val(tag.mid(1, 1)));
        tipoTag = tag.left(1);
        codice = int(Val(tag.mid(3)));
    } else {
        iLivello = 0;
    }

    MostraPannello(false);
    for (int i = 0; i < 3; ++i) ImpostaTesto(i, QString());
    for (QString& c : cAttoCorrente) c.clear();
    m_codiceCaricato = 0;
    m_tipoCaricato.clear();
    m_idCaricato.clear();
    m_nodoCaricato.clear();
    m_idProposto.clear();
    m_conFigli = false;

    QString descrizione;
    bool trovato = false;
    if (codice != 0 && ApreLeggi()) {
        try {
            rsLeggi.Seek(QStringLiteral("="), codice);
            if (!rsLeggi.NoMatch()) {
                const RecordAtto r = LeggeRecordAtto(rsLeggi);
                for (int k = 0; k <= 10; ++k) cAttoCorrente[size_t(k)] = r[size_t(k)];
                descrizione = LeggeCampo(rsLeggi.Field(QStringLiteral("cDescLeggeLG")), 0, QString());
                if (iLivello >= 1 && iLivello <= kLivelliAlbero)
                    m_idCaricato = LeggeCampo(rsLeggi.Field(CampoIDLivello(iLivello)), 0, QString());
                trovato = true;
            }
        } catch (const Errore& e) {
            MostraErrore(e);
        }
    }

    m_cmbLegge[0]->clear();
    QString ammessi;
    switch (modo) {
    case 1:
        xModifica = true;
        if (trovato && !cAttoCorrente[1].isEmpty())
            ammessi = TipiAmmessi(iLivello, cAttoCorrente[1].mid(iLivello, 1), QString());
        break;
    case 0:
        iLivello = iLivello + 1;
        // Under an act the archive no longer holds there is no path to
        // build on.
        if (iLivello < 7 && (tag.isEmpty() || trovato)) ammessi = TipiAmmessi(iLivello, tipoTag, QString());
        xModifica = false;
        xConFigli = false;
        break;
    default: return;  // the panel stays empty
    }

    if (ammessi.isEmpty()) {
        UI().MsgBox(QStringLiteral("Nessun Atto subalterno previsto"), vbOKOnly, kTitoloOBX);
        return;
    }

    for (const QChar t : ammessi) m_cmbLegge[0]->addItem(TipoAtto(QString(t), 3));
    int tipo = 0;
    if (modo == 0 && iTipoScelto >= 0 && iTipoScelto < m_cmbLegge[0]->count()) tipo = iTipoScelto;
    int stato = 0;
    if (modo == 1) {
        const QString proprio = cAttoCorrente[1].left(1);
        tipo = proprio.isEmpty() ? -1 : int(ammessi.indexOf(proprio));
        if (tipo < 0) tipo = 0;
        const QString lettera = cAttoCorrente[1].mid(1, 1);
        stato = lettera.isEmpty() ? -1 : int(cLettereStati.indexOf(lettera));
        if (stato < 0) stato = 0;
        ImpostaTesto(1, iLivello == 1 ? SenzaFinale(descrizione) : descrizione);
        ImpostaTesto(2, m_idCaricato);
        m_codiceCaricato = codice;
        m_tipoCaricato = proprio;
        m_nodoCaricato = ChiaveNodoAtto(cAttoCorrente[10], iLivello);
        m_conFigli = xConFigli;
    }
    m_cmbLegge[0]->setCurrentIndex(tipo);
    m_cmbLegge[1]->setCurrentIndex(stato);
    ImpostaTesto(0, cAttoCorrente[7]);

    // Only a new act chooses its type; the number and the identifier of an
    // act with sub-acts are in their keys and texts and stay.
    m_lblLegge[0]->show();
    m_cmbLegge[0]->show();
    m_cmbLegge[0]->setEnabled(!xModifica);
    m_lblLegge[2]->show();
    m_cmbLegge[1]->show();
    m_lblLegge[1]->show();
    m_getLegge[0]->show();
    m_getLegge[0]->setEnabled(iLivello == 1 && !xConFigli);
    m_lblLegge[4]->setVisible(iLivello == 1);
    m_getLegge[1]->setVisible(iLivello == 1);
    m_lblLegge[3]->setVisible(iLivello >= 2);
    m_getLegge[2]->setVisible(iLivello >= 2);
    m_getLegge[2]->setEnabled(!xConFigli);
    m_cmdLeggi[5]->show();
}

// ---------------------------------------------------------------------------
// Commands

void frmLeggi::cmdLeggi_Click(int indice)
{
    NodoAlbero* scelto = m_albero.SelectedItem();
    const bool radice = !scelto || m_albero.Index(scelto) == 1 || scelto->Tag().isEmpty();
    if (scelto) nodoCorrente = scelto;
    const bool figli = scelto && !scelto->Children().empty();

    switch (indice) {
    case 0:
        if (!radice) MostraAtto(1, scelto->Tag(), figli);
        break;
    case 1:
        if (!radice) Elimina(scelto, figli);
        break;
    case 2:
        if (Tasti().CtrlPremuto()) Svuota();
        break;
    case 3: close(); break;
    case 4: MostraAtto(0, radice ? QString() : scelto->Tag(), false); break;
    case 5: Salva(); break;
    case 6:
        // The printer dialog and the printing would hold up the keys of a
        // vote that is collecting them.
        if (RifiutaDuranteVoto()) break;
        if (UI().MsgBox(QStringLiteral("Confermi Stampa ?"), vbOKCancel + vbQuestion, kTitoloOBX) == vbOK)
            StampaListaAtti();
        break;
    default: break;
    }
}

void frmLeggi::Elimina(NodoAlbero* nodo, bool figli)
{
    const int codice = int(Val(nodo->Tag().mid(3)));
    if (codice == 0 || !ApreLeggi()) return;
    QString chiave, evento;
    int livello = 0;
    try {
        rsLeggi.Seek(QStringLiteral("="), codice);
        if (rsLeggi.NoMatch()) return;
        chiave = rsLeggi.Field(QStringLiteral("cTreeKeyLG")).toString();
        evento = LeggeCampo(rsLeggi.Field(QStringLiteral("cDescEventoLG")), 0, QString());
        livello = LivelloChiave(chiave);
        // Acts added elsewhere since the tree was loaded count too.
        if (!figli) figli = ContaSottoalbero(chiave, livello) > 1;
    } catch (const Errore& e) {
        MostraErrore(e);
        return;
    }

    QString domanda = QStringLiteral("Confermi cancellazione ") + evento;
    if (figli) domanda += QStringLiteral("\r\ne Atti subalterni");
    domanda += QStringLiteral(" ?");
    if (UI().MsgBox(domanda, vbOKCancel + vbQuestion + vbDefaultButton2, kTitoloOBX) != vbOK) return;

    try {
        if (figli) {
            // The act and exactly its subtree, matched by its own segments.
            EliminaSottoalbero(chiave, livello);
            rsLeggi.Close();
            RicaricaAlbero();
            ApreLeggi();
        } else {
            rsLeggi.Seek(QStringLiteral("="), codice);
            if (!rsLeggi.NoMatch()) rsLeggi.Delete();
            m_albero.Remove(nodo->Key());
            SegueSelezione();
        }
    } catch (const Errore& e) {
        MostraErrore(e);
        // The tree shows what the archive holds.
        rsLeggi.Close();
        RicaricaAlbero();
        ApreLeggi();
    }
    MostraAtto(2, QString(), false);
}

void frmLeggi::Svuota()
{
    if (UI().MsgBox(QStringLiteral("Confermi Svuotamento Archivio"), vbOKCancel + vbQuestion + vbDefaultButton2,
                    kTitoloOBX) != vbOK)
        return;
    try {
        dbArchivio.Execute(QStringLiteral("DELETE * FROM ") + cTabelle[5] + u';');
    } catch (const Errore& e) {
        MostraErrore(e);
    }
    MostraAtto(2, QString(), false);
    RicaricaAlbero();
}

void frmLeggi::Salva()
{
    // The panel is empty: nothing to store.
    if (m_cmdLeggi[5]->isHidden()) return;
    if (!ApreLeggi()) return;
    if (iLivello < 1 || iLivello > kLivelliAlbero) {
        MostraAtto(2, QString(), false);
        return;
    }

    // The identifier typed (levels 2 to 6) must fit the keys.
    const QString idDigitato = iLivello >= 2 ? TrimSpazi(Testo(2)) : QString();
    const bool nuovoId =
        iLivello >= 2 && !idDigitato.isEmpty() && (!xModifica || (!m_conFigli && idDigitato != m_idCaricato));
    if (const QString msg = nuovoId ? ControllaIdAtto(idDigitato) : QString(); !msg.isEmpty()) {
        UI().MsgBox(msg, vbCritical, kTitoloOBX);
        m_getLegge[2]->setFocus();
        return;
    }

    const int posStato = m_cmbLegge[1]->currentIndex();
    const QChar stato = posStato >= 0 && posStato < cLettereStati.size() ? cLettereStati.at(posStato) : QChar(u'N');
    RecordAtto percorso{};
    for (int k = 0; k <= 11; ++k) percorso[size_t(k)] = cAttoCorrente[size_t(k)];

    RigaAtto riga;
    QString tipo;
    try {
        if (xModifica) {
            if (m_codiceCaricato == 0) {
                MostraAtto(2, QString(), false);
                return;
            }
            // An act keeps its type, and the identifier it was loaded with
            // unless the operator typed another where that is allowed.
            tipo = m_tipoCaricato;
            const QString numero = m_conFigli ? cAttoCorrente[7] : Testo(0);
            riga = ComponeAtto(percorso, iLivello, tipo, stato, m_codiceCaricato, nuovoId ? idDigitato : m_idCaricato,
                               numero, Testo(1));
            if (!nuovoId) {
                // The key the act was loaded with stays as it is: the keys of
                // its sub-acts begin with it.
                riga.cTreeKeyLG = PadTaglia(cAttoCorrente[10], kLunghezzaChiave);
                riga.cID[size_t(iLivello)] = PadTaglia(m_idCaricato, kLarghezzaId);
                riga.cDescEventoLG = TestoEventoAtto(riga.cParametriLG, iLivello, riga.cNumeroAttoLG, riga.cTreeKeyLG);
                riga.cNomeVideoLG = AbbreviaTesto(riga.cDescEventoLG);
                riga.cNomeLedLG = riga.cNomeVideoLG;
            }
        } else {
            tipo = TipoAtto(m_cmbLegge[0]->currentText(), 2);
            if (tipo.isEmpty()) {
                MostraAtto(2, QString(), false);
                return;
            }
            riga = ComponeAtto(percorso, iLivello, tipo, stato, NuovoCodiceAtto(), idDigitato, Testo(0), Testo(1));
        }
    } catch (const Errore& e) {
        MostraErrore(e);
        return;
    }

    if (!SalvaAtto(rsLeggi, riga, !xModifica)) {
        MostraAtto(2, QString(), false);
        return;
    }

    // The tree follows: the node of the act gets its text, key and tag.
    const NodoAtto n = NodoDiAtto(riga, 0);
    try {
        NodoAlbero* nodo = xModifica ? m_albero.Find(m_nodoCaricato) : nullptr;
        if (nodo && nodo->Key() == n.chiave) {
            nodo->SetText(n.testo);
            nodo->SetTag(n.tag);
        } else {
            if (nodo) m_albero.Remove(nodo->Key());  // a leaf whose identifier changed
            nodo = m_albero.Add(n.chiavePadre, n.chiave, n.testo);
            nodo->SetSorted(true);
            nodo->SetTag(n.tag);
            nodo->SetExpanded(true);
        }
        nodoCorrente = nodo;
        // The act saved is the one highlighted and the one the buttons take.
        m_albero.SetSelectedItem(nodo);
    } catch (const Errore&) {
        // The tree no longer matches the archive (its parent went, or another
        // node has the key): it is loaded again.
        RicaricaAlbero();
    }
    MostraAtto(2, QString(), false);
}

}  // namespace obx
