#include "registers/frmDelib.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Database.h"
#include "platform/Dialoghi.h"
#include "platform/Eventi.h"
#include "platform/FinestraUnica.h"
#include "platform/Misure.h"
#include "platform/Schermo.h"
#include "platform/Testo.h"
#include "shell/Campi.h"
#include "shell/ControlloDati.h"
#include "shell/Globali.h"

namespace obx {

namespace {

QPointer<frmDelib> g_finestra;

constexpr int kMassimo16 = 32767;
// Each of the two majorities has seven bits of iQuorumDE.
constexpr int kMassimoQuorum = 127;

const char* const kEtichette[12] = {"Codice:",
                                    "Argomento:",
                                    "Protocollo:",
                                    "Titolo Breve (Eventi-Video):",
                                    "Quorum:",
                                    "Titolo Breve (Tabellone Led):",
                                    "Quorum Imm. Esec.:",
                                    "Numero OdG:",
                                    "Tipo:",
                                    "Numero Articolo:",
                                    "Numero OdG Regolamento:",
                                    ""};

const char* const kComandi[5] = {"Salva", "Elimina Arg. corrente", "Svuota intero Archivio", "Fine", "Nuovo"};

QString F4(double n) { return Formato(n, QStringLiteral("####")); }

}  // namespace

frmDelib::frmDelib(QWidget* padre) : QWidget(padre, Qt::Window)
{
    TieneNelloSchermo(this);
    setObjectName(QStringLiteral("frmDelib"));
    setWindowTitle(QStringLiteral("Argomenti O.d.G."));
    setAttribute(Qt::WA_DeleteOnClose);

    auto nomina = [](QObject* o, const char* nome, int i) {
        o->setObjectName(QStringLiteral("%1(%2)").arg(QLatin1String(nome)).arg(i));
    };
    for (int i = 0; i < 13; ++i) {
        QWidget* w = nullptr;
        if (i == 2) {
            m_titolo = new QPlainTextEdit(this);
            m_titolo->setTabChangesFocus(true);
            connect(m_titolo, &QPlainTextEdit::textChanged, this, [this] {
                if (m_titolo->hasFocus()) SegnaModificato();
            });
            w = m_titolo;
        } else {
            auto* e = new QLineEdit(this);
            connect(e, &QLineEdit::textEdited, this, [this] { SegnaModificato(); });
            w = e;
        }
        nomina(w, "getDelibera", i);
        w->installEventFilter(this);
        getDelibera[size_t(i)] = w;
    }
    for (int i = 0; i < 12; ++i) {
        lblDelibera[size_t(i)] = new QLabel(QString::fromUtf8(kEtichette[i]), this);
        nomina(lblDelibera[size_t(i)], "lblDelibera", i);
    }
    auto linea = [this](int i) { return static_cast<QLineEdit*>(getDelibera[size_t(i)]); };
    // The widths of the archive fields.
    linea(1)->setMaxLength(20);
    linea(3)->setMaxLength(16);
    for (int i : {5, 6, 7}) linea(i)->setMaxLength(24);
    linea(10)->setMaxLength(6);
    linea(12)->setMaxLength(1);
    for (int i : {0, 4, 8, 9, 11}) linea(i)->setAlignment(Qt::AlignRight);
    // Each field as wide as the characters its archive field takes (the LED
    // title rows as the widest display type's), so that what it holds is
    // seen whole.
    for (auto [i, caratteri] : {std::pair{1, 20}, {3, 16}, {5, 24}, {6, 24}, {7, 24}, {10, 6}, {12, 1}})
        AdattaCampo(linea(i), caratteri);

    cmbTipoArg = new QComboBox(this);
    cmbTipoArg->setObjectName(QStringLiteral("cmbTipoArg"));
    connect(cmbTipoArg, &QComboBox::activated, this, [this] { cmbTipoArg_Change(); });

    auto* g = new QGridLayout;
    auto metti = [g](QWidget* w, int r, int c, int span = 1) { g->addWidget(w, r, c, 1, span); };
    metti(lblDelibera[0], 0, 0);
    metti(getDelibera[0], 0, 1);
    metti(lblDelibera[7], 0, 2);
    metti(getDelibera[9], 0, 3);
    metti(lblDelibera[2], 1, 0);
    metti(getDelibera[1], 1, 1);
    metti(lblDelibera[8], 1, 2);
    metti(cmbTipoArg, 1, 3);
    metti(lblDelibera[1], 2, 0);
    metti(getDelibera[2], 2, 1, 3);
    metti(lblDelibera[3], 3, 0);
    metti(getDelibera[3], 3, 1);
    metti(lblDelibera[4], 3, 2);
    metti(getDelibera[4], 3, 3);
    metti(lblDelibera[5], 4, 0);
    metti(getDelibera[5], 4, 1);
    metti(lblDelibera[6], 4, 2);
    metti(getDelibera[8], 4, 3);
    metti(getDelibera[6], 5, 1);
    metti(getDelibera[7], 6, 1);
    metti(lblDelibera[9], 7, 0);
    metti(getDelibera[10], 7, 1);
    metti(lblDelibera[10], 7, 2);
    metti(getDelibera[11], 7, 3);
    metti(lblDelibera[11], 8, 0);
    metti(getDelibera[12], 8, 1);
    lblDelibera[1]->setBuddy(getDelibera[2]);

    auto* comandi = new QHBoxLayout;
    for (int i = 0; i < 5; ++i) {
        cmdDelibere[size_t(i)] = new QPushButton(QString::fromUtf8(kComandi[i]), this);
        nomina(cmdDelibere[size_t(i)], "cmdDelibere", i);
        cmdDelibere[size_t(i)]->setAutoDefault(false);
        comandi->addWidget(cmdDelibere[size_t(i)]);
        connect(cmdDelibere[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdDelibere_Click(i); });
    }

    dbfVelmora = new ControlloDati(this);
    dbfVelmora->setObjectName(QStringLiteral("dbfVelmora"));
    dbfVelmora->Reposition = [this] { dbfVelmora_Reposition(); };

    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(g);
    tutto->addWidget(dbfVelmora);
    tutto->addLayout(comandi);

    Form_Load();
}

frmDelib::~frmDelib()
{
    if (g_finestra == this) g_finestra = nullptr;
}

frmDelib* frmDelib::Aperta() { return g_finestra.data(); }

frmDelib* frmDelib::Mostra(QWidget* padre) { return MostraUnica(g_finestra, padre); }

void frmDelib::MostraModale(QWidget* padre) { MostraUnicaModale(g_finestra, padre); }

void frmDelib::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!m_attivata) {
        m_attivata = true;
        Form_Activate();
    }
}

void frmDelib::closeEvent(QCloseEvent* e)
{
    dbfVelmora->Chiudi();
    e->accept();
}

QString frmDelib::Testo(int indice) const
{
    if (indice == 2) return m_titolo->toPlainText();
    return static_cast<QLineEdit*>(getDelibera[size_t(indice)])->text();
}

void frmDelib::ImpostaTesto(int indice, const QString& testo)
{
    if (indice == 2)
        m_titolo->setPlainText(testo);
    else
        MostraValore(static_cast<QLineEdit*>(getDelibera[size_t(indice)]), testo);
}

// ---------------------------------------------------------------------------

void frmDelib::Form_Load()
{
    xMostraRecord = false;
    try {
        dbfVelmora->Collega(cTabelle[2]);
    } catch (const Errore& e) {
        UI().MsgBox(e.Descrizione(), vbCritical, kTitoloOBX);
    }
    cmbTipoArg->clear();
    for (int k = 1; k <= 28 && !cNomiAtti[size_t(k)].isEmpty(); ++k) cmbTipoArg->addItem(cNomiAtti[size_t(k)]);
}

void frmDelib::Form_Activate()
{
    CentraFinestra(this);
    xMostraRecord = true;
    if (dbfVelmora->Righe() > 0)
        dbfVelmora->Primo();
    else
        dbfVelmora_Reposition();

    // The LED title rows follow the rows of the display board.
    lblDelibera[5]->setVisible(true);
    int lunghezza = 0;
    int visibili = -1;  // how many of fields 5, 6, 7 are shown
    switch (iTipoTAB) {
    case 1:
        lunghezza = 24;
        visibili = 0;
        break;
    case 2:
        lunghezza = 20;
        visibili = 3;
        break;
    case 3:
        lunghezza = 16;
        visibili = 1;
        break;
    case 4:
    case 5:
        lunghezza = 16;
        visibili = 0;
        break;
    case 6:
        lunghezza = 24;
        visibili = 1;
        break;
    default: break;
    }
    if (visibili >= 0) {
        for (int k = 0; k < 3; ++k) {
            auto* e = static_cast<QLineEdit*>(getDelibera[size_t(5 + k)]);
            ImpostaLimite(e, lunghezza);
            e->setVisible(k < visibili);
        }
        lblDelibera[5]->setVisible(visibili > 0);
    }
}

void frmDelib::dbfVelmora_Reposition()
{
    if (!xMostraRecord) return;
    if (dbfVelmora->FuoriRiga())
        PulisceCampi(true, 0);
    else
        GetSetDelibere(true);
}

void frmDelib::PulisceCampi(bool xTipo, int iDa)
{
    for (int i = std::max(iDa, 0); i <= 11; ++i) ImpostaTesto(i, QString());
    if (xTipo && cmbTipoArg->count() > 0) cmbTipoArg->setCurrentIndex(0);
}

QString frmDelib::LetteraTipo() const
{
    const int k = cmbTipoArg->currentIndex();
    if (k >= 0 && k < cLettereAtti.size()) return cLettereAtti.mid(k, 1);
    return cLettereAtti.left(1);
}

bool frmDelib::GetSetDelibere(bool xLegge)
{
    Recordset& rs = dbfVelmora->RS();
    auto campo = [&rs](const char* nome) { return rs.Field(QString::fromLatin1(nome)); };
    if (xLegge) {
        try {
            PulisceCampi(true, 0);
            ImpostaTesto(0, F4(campo("iDeliberaDE").toDouble()));
            ImpostaTesto(1, LeggeCampo(campo("cProtocolloDE"), 0, QString()));
            ImpostaTesto(2, LeggeCampo(campo("cTitoloDE"), 0, QString()));
            ImpostaTesto(3, LeggeCampo(campo("cTitolinoDE"), 0, QString()));
            const QVariant pos = campo("iPosOdGDE");
            ImpostaTesto(9, pos.isValid() ? F4(pos.toDouble()) : F4(Val(Testo(0))));
            const int quorum = campo("iQuorumDE").toInt();
            ImpostaTesto(4, F4(quorum & 127));
            ImpostaTesto(8, F4((quorum >> 7) & 127));
            const char* titoli[3] = {"cTitolino1DE", "cTitolino2DE", "cTitolino3DE"};
            for (int k = 0; k < 3; ++k) {
                const QString t = LeggeCampo(campo(titoli[k]), 0, QString());
                if (!t.isEmpty()) ImpostaTesto(5 + k, t);
            }
            const QVariant tipo = campo("cTipoArgDE");
            const QString lettera = tipo.isValid() ? TrimSpazi(tipo.toString()) : cLettereAtti.left(1);
            const int k = lettera.size() == 1 ? int(cLettereAtti.indexOf(lettera)) : -1;
            cmbTipoArg->setCurrentIndex(k >= 0 && k < cmbTipoArg->count() ? k : 0);
            const QVariant regolamento = campo("iNumOdGRegolamDE");
            ImpostaTesto(11, regolamento.isValid() ? F4(regolamento.toDouble()) : QStringLiteral("0"));
            ImpostaTesto(10, LeggeCampo(campo("cArticoloDE"), 0, QString(6, u' ')));
            ImpostaTesto(12, LeggeCampo(campo("cGruppoDE"), 0, QStringLiteral(" ")));
        } catch (const Errore& e) {
            UI().MsgBox(e.Descrizione(), vbCritical, kTitoloOBX);
            return false;
        }
        return true;
    }

    const int numero = int(NumeroTesto(Testo(0)));
    int posizione = int(NumeroTesto(Testo(9)));
    if (posizione == 0) posizione = numero;
    const QString lettera = LetteraTipo();
    const bool articolo = lettera == QLatin1String("A");
    bool nuova = false;
    try {
        if (rs.RecordCount() == 0) {
            nuova = true;
        } else {
            rs.Seek(QStringLiteral("="), numero);
            nuova = rs.NoMatch();
        }
        if (nuova)
            rs.AddNew();
        else
            rs.Edit();
        auto scrivi = [&rs](const char* nome, const QVariant& v) { rs.SetField(QString::fromLatin1(nome), v); };
        const QString titolo = Testo(2);
        const QString gruppo = Testo(12);
        scrivi("iDeliberaDE", numero);
        scrivi("iPosOdGDE", posizione);
        scrivi("cProtocolloDE", PadTaglia(Testo(1), 20));
        scrivi("cTitoloDE", titolo.isEmpty() ? QStringLiteral(" ") : titolo);
        scrivi("cTitolinoDE", PadTaglia(Testo(3), 16));
        scrivi("cTitolino1DE", PadTaglia(Testo(5), 24));
        scrivi("cTitolino2DE", PadTaglia(Testo(6), 24));
        scrivi("cTitolino3DE", PadTaglia(Testo(7), 24));
        scrivi("iQuorumDE", int(NumeroTesto(Testo(8))) * 128 + int(NumeroTesto(Testo(4))));
        scrivi("cTipoArgDE", lettera);
        scrivi("iNumOdGRegolamDE", articolo ? int(NumeroTesto(Testo(11))) : 0);
        scrivi("cArticoloDE", articolo ? PadTaglia(Testo(10), 6) : QString(6, u' '));
        scrivi("cGruppoDE", gruppo.isEmpty() ? QStringLiteral(" ") : gruppo);
        rs.Update();
    } catch (const Errore& e) {
        xMostraRecord = true;
        AnnullaModificaFallita(rs, e);
        return false;
    }
    xMostraRecord = true;
    if (nuova) {
        // The item just added becomes the current row and is shown.
        PosizionaSuChiave(rs, numero);
        dbfVelmora_Reposition();
    }
    return true;
}

void frmDelib::cmbTipoArg_Change() { cmdDelibere[0]->setText(QStringLiteral("Salva")); }

// ---------------------------------------------------------------------------
// Fields

int frmDelib::IndiceCampo(QObject* o) const
{
    for (int i = 0; i < 13; ++i)
        if (o == getDelibera[size_t(i)]) return i;
    return -1;
}

bool frmDelib::eventFilter(QObject* o, QEvent* e)
{
    const int i = IndiceCampo(o);
    if (i < 0) return QWidget::eventFilter(o, e);
    switch (e->type()) {
    case QEvent::FocusIn:
        if (!DaAltraFinestra(static_cast<QFocusEvent*>(e)->reason())) getDelibera_GotFocus(i);
        break;
    case QEvent::FocusOut:
        if (!DaAltraFinestra(static_cast<QFocusEvent*>(e)->reason())) getDelibera_LostFocus(i);
        break;
    case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(e);
        getDelibera_KeyDown(i, k->key(), ShiftDi(k->modifiers()));
        break;
    }
    default: break;
    }
    return QWidget::eventFilter(o, e);
}

void frmDelib::getDelibera_GotFocus(int indice)
{
    switch (indice) {
    case 5:
        if (Testo(5).isEmpty()) ImpostaTesto(5, Testo(3));
        break;
    case 8:
        if (Testo(8).isEmpty()) ImpostaTesto(8, Testo(4));
        break;
    case 9:
        if (NumeroTesto(u'0' + Testo(9)) == 0) ImpostaTesto(9, Testo(0));
        break;
    default: break;
    }
}

void frmDelib::getDelibera_KeyDown(int, int, int) { SegnaModificato(); }

void frmDelib::SegnaModificato()
{
    if (cmdDelibere[0]->text() == QLatin1String("Salvato")) cmdDelibere[0]->setText(QStringLiteral("Salva"));
}

void frmDelib::getDelibera_LostFocus(int indice)
{
    if (indice == 9) {
        if (NumeroTesto(u'0' + Testo(9)) == 0) ImpostaTesto(9, Testo(0));
        return;
    }
    if (indice != 0) return;
    auto* campo = static_cast<QLineEdit*>(getDelibera[0]);
    // Only a number the operator changed is looked up: leaving the field as
    // it was must not throw away what has been typed in the others.
    if (!campo->isModified()) return;
    campo->setModified(false);
    if (TabellaVuota()) return;
    const double numero = NumeroTesto(u'0' + Testo(0));
    if (numero < -32768 || numero > kMassimo16) return;
    xMostraRecord = false;
    try {
        Recordset& rs = dbfVelmora->RS();
        rs.Seek(QStringLiteral("="), int(numero));
        if (rs.NoMatch())
            PulisceCampi(true, 1);
        else
            GetSetDelibere(true);
    } catch (const Errore& e) {
        UI().MsgBox(e.Descrizione(), vbCritical, kTitoloOBX);
    }
    xMostraRecord = true;
}

// ---------------------------------------------------------------------------
// Commands

bool frmDelib::TabellaVuota() { return dbfVelmora->Righe() == 0; }

int frmDelib::ProssimoNumero()
{
    try {
        Recordset rs = dbArchivio.OpenTable(cTabelle[2], QStringLiteral("TAG_A"));
        if (rs.RecordCount() == 0) return 1;
        rs.MoveLast();
        return rs.Field(QStringLiteral("iDeliberaDE")).toInt() + 1;
    } catch (const Errore&) {
        return 1;
    }
}

void frmDelib::cmdDelibere_Click(int indice)
{
    if ((indice == 1 || indice == 2) && TabellaVuota()) {
        UI().MsgBox(QStringLiteral("Archivio Vuoto"), vbCritical, kTitoloOBX);
        return;
    }
    switch (indice) {
    case 0: Salva(); break;
    case 1: Elimina(); break;
    case 2: Svuota(); break;
    case 3:
        dbfVelmora->Chiudi();
        close();
        break;
    case 4: {
        const int numero = ProssimoNumero();
        PulisceCampi(true, 0);
        ImpostaTesto(0, QString::number(numero));
        getDelibera[0]->setFocus();
        break;
    }
    default: break;
    }
}

void frmDelib::Salva()
{
    QString msg;
    int campo = -1;
    auto vuoto = [this](int i) { return RTrimSpazi(Testo(i)).isEmpty(); };
    auto fuori = [](double v, int minimo, int massimo) { return v < minimo || v > massimo; };
    const bool articolo = LetteraTipo() == QLatin1String("A");

    for (int i = 0; i <= 11 && msg.isEmpty(); ++i) {
        switch (i) {
        case 0:
            // The item number is the key of the row: 0 or a text without a
            // number names no item.
            if (fuori(NumeroTesto(Testo(0)), 1, kMassimo16)) msg = QStringLiteral("Codice tra 1 e %1").arg(kMassimo16);
            break;
        case 3:
        case 5:
            if (!getDelibera[size_t(i)]->isHidden() && vuoto(i)) msg = QStringLiteral("Titolo Breve Obbligatorio");
            break;
        case 4:
            if (fuori(NumeroTesto(Testo(4)), 0, kMassimoQuorum))
                msg = QStringLiteral("Quorum tra 0 e %1").arg(kMassimoQuorum);
            break;
        case 8:
            if (fuori(NumeroTesto(Testo(8)), 0, kMassimoQuorum))
                msg = QStringLiteral("Quorum Imm. Esec. tra 0 e %1").arg(kMassimoQuorum);
            break;
        case 9:
            if (vuoto(9))
                msg = QStringLiteral("Numero OdG Obbligatorio");
            else if (fuori(NumeroTesto(Testo(9)), 0, kMassimo16))
                msg = QStringLiteral("Numero OdG tra 0 e %1").arg(kMassimo16);
            break;
        case 11:
            if (vuoto(11) && !vuoto(10))
                msg = QStringLiteral("Numero OdG Regolamento Obbligatorio");
            else if (articolo && fuori(NumeroTesto(Testo(11)), 0, kMassimo16))
                msg = QStringLiteral("Numero OdG Regolamento tra 0 e %1").arg(kMassimo16);
            break;
        default: break;
        }
        if (!msg.isEmpty()) campo = i;
    }

    if (!msg.isEmpty()) {
        UI().MsgBox(msg, vbCritical, kTitoloOBX);
        getDelibera[size_t(campo)]->setFocus();
        return;
    }
    if (GetSetDelibere(false)) cmdDelibere[0]->setText(QStringLiteral("Salvato"));
}

void frmDelib::Elimina()
{
    if (dbfVelmora->FuoriRiga()) return;
    Recordset& rs = dbfVelmora->RS();
    try {
        // Only the item on the screen: after a number that is not in the
        // archive (or "Nuovo") the row left current is another item.
        const int mostrato = int(NumeroTesto(Testo(0)));
        if (mostrato != rs.Field(QStringLiteral("iDeliberaDE")).toInt()) {
            UI().MsgBox(QStringLiteral("Codice n.") + NumeroMostrato(mostrato) + QStringLiteral("non in archivio"),
                        vbExclamation, kTitoloOBX);
            return;
        }
        const QVariant pos = rs.Field(QStringLiteral("iPosOdGDE"));
        const QString domanda =
            QStringLiteral("Confermi cancellazione ") +
            (!pos.isValid() || pos.toInt() == 0
                 ? QStringLiteral("Codice n.") + F4(rs.Field(QStringLiteral("iDeliberaDE")).toDouble())
                 : QStringLiteral("Numero OdG ") + F4(pos.toDouble()));
        if (UI().MsgBox(domanda, vbOKCancel + vbQuestion + vbDefaultButton2, kTitoloOBX) != vbOK) return;
        rs.Delete();
        rs.MoveNext();
        if (rs.Eof() && rs.RecordCount() > 0) rs.MoveLast();
    } catch (const Errore& e) {
        UI().MsgBox(e.Descrizione(), vbCritical, kTitoloOBX);
    }
    dbfVelmora_Reposition();
}

void frmDelib::Svuota()
{
    if (UI().MsgBox(QStringLiteral("Confermi Svuotamento Archivio"), vbOKCancel + vbQuestion + vbDefaultButton2,
                    kTitoloOBX) != vbOK)
        return;
    xMostraRecord = false;
    try {
        dbArchivio.Execute(QStringLiteral("DELETE * FROM ") + cTabelle[2] + u';');
    } catch (const Errore& e) {
        UI().MsgBox(e.Descrizione(), vbCritical, kTitoloOBX);
    }
    try {
        dbfVelmora->Aggiorna();
    } catch (const Errore& e) {
        UI().MsgBox(e.Descrizione(), vbCritical, kTitoloOBX);
    }
    PulisceCampi(false, 0);
    xMostraRecord = true;
}

}  // namespace obx
