#include "registers/frmAnag.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/Database.h"
#include "platform/Dialoghi.h"
#include "platform/Eventi.h"
#include "platform/FinestraUnica.h"
#include "platform/Schermo.h"
#include "platform/Testo.h"
#include "reports/Stampa.h"
#include "shell/Campi.h"
#include "shell/ControlloDati.h"
#include "shell/Globali.h"

namespace obx {

namespace {

QPointer<frmAnag> g_finestra;

constexpr int kMassimo16 = 32767;

const char* const kEtichette[8] = {
    "Codice:",          "Cognome e Nome:",         "Nome Breve:",        "Gruppo Politico:",
    "Numero Votatore:", "Posizione su Tabellone:", "Numero Smart Card:", "ID Iride:"};

// Captions of the form, replaced at loading by the role names.
const char* const kRuoli[9] = {
    "Presidente Consiglio", "Presidente Giunta", "Consigliere",         "Assessore", "Segretario", "Altro",
    "CapoGruppo",           "Vice Segretario",   "Consigliere Aggiunto"};

const char* const kComandi[6] = {"Salva", "Elimina Nome corrente", "Stampa", "Svuota intero archivio", "Fine", "Nuovo"};

}  // namespace

frmAnag::frmAnag(QWidget* padre) : QWidget(padre, Qt::Window)
{
    TieneNelloSchermo(this);
    setObjectName(QStringLiteral("frmAnag"));
    setWindowTitle(QStringLiteral("Anagrafe Generale"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto nomina = [](QObject* o, const char* nome, int i) {
        o->setObjectName(QStringLiteral("%1(%2)").arg(QLatin1String(nome)).arg(i));
    };

    auto* campi = new QGridLayout;
    for (int i = 0; i < 8; ++i) {
        getAnag[size_t(i)] = new QLineEdit(this);
        nomina(getAnag[size_t(i)], "getAnag", i);
        lblAnag[size_t(i)] = new QLabel(QString::fromUtf8(kEtichette[i]), this);
        nomina(lblAnag[size_t(i)], "lblAnag", i);
        lblAnag[size_t(i)]->setBuddy(getAnag[size_t(i)]);
        campi->addWidget(lblAnag[size_t(i)], i, 0);
        campi->addWidget(getAnag[size_t(i)], i, 1);
        getAnag[size_t(i)]->installEventFilter(this);
        connect(getAnag[size_t(i)], &QLineEdit::textEdited, this, [this] { SegnaModificato(); });
    }
    // The widths of the archive fields.
    getAnag[1]->setMaxLength(30);
    getAnag[2]->setMaxLength(16);
    getAnag[3]->setMaxLength(20);
    getAnag[7]->setMaxLength(6);
    for (int i : {0, 4, 5, 6}) getAnag[size_t(i)]->setAlignment(Qt::AlignRight);

    fraAnag = new QGroupBox(QStringLiteral("Tipo"), this);
    fraAnag->setObjectName(QStringLiteral("fraAnag"));
    m_ruoli = new QButtonGroup(this);
    m_ruoli->setExclusive(true);
    auto* ruoli = new QVBoxLayout(fraAnag);
    for (int i = 0; i < 9; ++i) {
        optAnag[size_t(i)] = new QRadioButton(QString::fromUtf8(kRuoli[i]), fraAnag);
        nomina(optAnag[size_t(i)], "optAnag", i);
        m_ruoli->addButton(optAnag[size_t(i)], i);
        ruoli->addWidget(optAnag[size_t(i)]);
        connect(optAnag[size_t(i)], &QRadioButton::clicked, this, [this, i] { optAnag_Click(i); });
    }

    auto* comandi = new QHBoxLayout;
    for (int i = 0; i < 6; ++i) {
        cmdAnag[size_t(i)] = new QPushButton(QString::fromUtf8(kComandi[i]), this);
        nomina(cmdAnag[size_t(i)], "cmdAnag", i);
        cmdAnag[size_t(i)]->setAutoDefault(false);
        comandi->addWidget(cmdAnag[size_t(i)]);
        connect(cmdAnag[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdAnag_Click(i); });
    }

    dbfVelmora = new ControlloDati(this);
    dbfVelmora->setObjectName(QStringLiteral("dbfVelmora"));
    dbfVelmora->Reposition = [this] { dbfVelmora_Reposition(); };

    auto* alto = new QHBoxLayout;
    alto->addLayout(campi, 1);
    alto->addWidget(fraAnag);
    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(alto);
    tutto->addWidget(dbfVelmora);
    tutto->addLayout(comandi);

    Form_Load();
}

frmAnag::~frmAnag()
{
    if (g_finestra == this) g_finestra = nullptr;
}

frmAnag* frmAnag::Aperta() { return g_finestra.data(); }

frmAnag* frmAnag::Mostra(QWidget* padre) { return MostraUnica(g_finestra, padre); }

void frmAnag::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!m_attivata) {
        m_attivata = true;
        Form_Activate();
    }
}

void frmAnag::closeEvent(QCloseEvent* e)
{
    dbfVelmora->Chiudi();
    e->accept();
}

// ---------------------------------------------------------------------------

void frmAnag::Form_Load()
{
    xMostraRecord = false;
    try {
        dbfVelmora->Collega(cTabelle[1]);
    } catch (const Errore& e) {
        UI().MsgBox(e.Descrizione(), vbCritical, kTitoloOBX);
    }
    for (int i = 0; i < 9; ++i) {
        const QString& nome = cNomiRuoli[size_t(i)];
        if (nome.isEmpty()) {
            optAnag[size_t(i)]->setVisible(false);
        } else {
            optAnag[size_t(i)]->setText(nome);
            optAnag[size_t(i)]->setVisible(true);
        }
    }
}

void frmAnag::Form_Activate()
{
    CentraFinestra(this);
    xMostraRecord = true;
    if (dbfVelmora->Righe() > 0)
        dbfVelmora->Primo();
    else
        dbfVelmora_Reposition();
    ImpostaLimite(getAnag[2], iTipoTAB == 3 || iTipoTAB == 4 ? 10 : 16);
    getAnag[7]->setVisible(xIdEsterno);
    lblAnag[7]->setVisible(xIdEsterno);
}

void frmAnag::dbfVelmora_Reposition()
{
    if (!xMostraRecord) return;
    // A new entry starts clean: the card and the external identifier of the
    // person shown before must not pass to the next one.
    if (dbfVelmora->FuoriRiga())
        SvuotaCampi(0, 7);
    else
        GetSetAnagrafe(true);
}

void frmAnag::SvuotaCampi(int da, int a)
{
    for (int i = da; i <= a; ++i) MostraValore(getAnag[size_t(i)], QString());
}

QString frmAnag::RuoloScelto() const
{
    for (int i = 0; i < 9; ++i)
        if (optAnag[size_t(i)]->isChecked() && i < cLettereRuoli.size()) return cLettereRuoli.mid(i, 1);
    return QString();
}

void frmAnag::SelezionaRuolo(int opzione)
{
    if (opzione >= 0 && opzione < 9) {
        optAnag[size_t(opzione)]->setChecked(true);
        return;
    }
    m_ruoli->setExclusive(false);
    for (QRadioButton* o : optAnag) o->setChecked(false);
    m_ruoli->setExclusive(true);
}

bool frmAnag::GetSetAnagrafe(bool xLegge)
{
    Recordset& rs = dbfVelmora->RS();
    if (xLegge) {
        try {
            // Each text whole, whatever the box's current limit.
            MostraValore(getAnag[0], LeggeCampo(rs.Field(QStringLiteral("bCodiceAN")), 1, QStringLiteral("0")));
            MostraValore(getAnag[1], LeggeCampo(rs.Field(QStringLiteral("cNomeAN")), 0, QString()));
            MostraValore(getAnag[2], LeggeCampo(rs.Field(QStringLiteral("cNomeBreveAN")), 0, QString()));
            MostraValore(getAnag[3], LeggeCampo(rs.Field(QStringLiteral("cPartitoAN")), 0, QString()));
            MostraValore(getAnag[4], LeggeCampo(rs.Field(QStringLiteral("iVotatoreAN")), 1, QStringLiteral("0")));
            MostraValore(getAnag[5], LeggeCampo(rs.Field(QStringLiteral("iPannelloAN")), 1, QStringLiteral("0")));
            MostraValore(getAnag[6], LeggeCampo(rs.Field(QStringLiteral("iSmartCardAN")), 1, QStringLiteral("0")));
            MostraValore(getAnag[7], LeggeCampo(rs.Field(QStringLiteral("cIrideIdAN")), 0, QString()));
            // A role letter outside the vocabulary selects no role: the role
            // of the person shown before must not stay selected and be saved
            // into this row.
            const QString tipo = LeggeCampo(rs.Field(QStringLiteral("cTipoAN")), 0, QString());
            const int pos = tipo.size() == 1 ? int(cLettereRuoli.indexOf(tipo)) : -1;
            SelezionaRuolo(pos >= 0 && pos < 9 && !optAnag[size_t(pos)]->isHidden() ? pos : -1);
        } catch (const Errore& e) {
            UI().MsgBox(e.Descrizione(), vbCritical, kTitoloOBX);
            return false;
        }
        return true;
    }

    const int codice = int(NumeroTesto(getAnag[0]->text()));
    bool nuova = false;
    try {
        if (rs.RecordCount() == 0) {
            nuova = true;
        } else {
            rs.Seek(QStringLiteral("="), codice);
            nuova = rs.NoMatch();
        }
        if (nuova) {
            rs.AddNew();
            rs.SetField(QStringLiteral("iPulsanteAN"), 0);
        } else {
            rs.Edit();  // the seat label number stays as it is
        }
        const QString tipo = RuoloScelto();
        rs.SetField(QStringLiteral("bCodiceAN"), codice);
        // Names are stored trimmed: a blank in front would show on every
        // board and list and sort the person apart.
        rs.SetField(QStringLiteral("cNomeAN"), PadTaglia(TrimSpazi(getAnag[1]->text()), 30));
        rs.SetField(QStringLiteral("cNomeBreveAN"), PadTaglia(TrimSpazi(getAnag[2]->text()), 16));
        rs.SetField(QStringLiteral("cPartitoAN"), PadTaglia(TrimSpazi(getAnag[3]->text()), 20));
        rs.SetField(QStringLiteral("iVotatoreAN"), int(NumeroTesto(getAnag[4]->text())));
        rs.SetField(QStringLiteral("iSmartCardAN"), int(NumeroTesto(getAnag[6]->text())));
        rs.SetField(QStringLiteral("iPannelloAN"), int(NumeroTesto(getAnag[5]->text())));
        rs.SetField(QStringLiteral("cIrideIdAN"), PadTaglia(getAnag[7]->text(), 6));
        rs.SetField(QStringLiteral("cTipoAN"), tipo.isEmpty() ? QStringLiteral("X") : tipo);
        rs.Update();
    } catch (const Errore& e) {
        xMostraRecord = true;
        AnnullaModificaFallita(rs, e);
        return false;
    }
    xMostraRecord = true;
    if (nuova) {
        // The person just added becomes the current row and is shown.
        PosizionaSuChiave(rs, codice);
        dbfVelmora_Reposition();
    }
    return true;
}

// ---------------------------------------------------------------------------
// Fields

bool frmAnag::eventFilter(QObject* o, QEvent* e)
{
    int i = -1;
    for (int k = 0; k < 8; ++k)
        if (o == getAnag[size_t(k)]) i = k;
    if (i < 0) return QWidget::eventFilter(o, e);
    switch (e->type()) {
    case QEvent::FocusIn:
        if (!DaAltraFinestra(static_cast<QFocusEvent*>(e)->reason())) getAnag_GotFocus(i);
        break;
    case QEvent::FocusOut:
        if (!DaAltraFinestra(static_cast<QFocusEvent*>(e)->reason())) getAnag_LostFocus(i);
        break;
    case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(e);
        getAnag_KeyDown(i, k->key(), ShiftDi(k->modifiers()));
        break;
    }
    case QEvent::MouseButtonPress: {
        auto* m = static_cast<QMouseEvent*>(e);
        getAnag_MouseDown(i, PulsanteDi(m->button()), ShiftDi(m->modifiers()), float(m->position().x()),
                          float(m->position().y()));
        break;
    }
    default: break;
    }
    return QWidget::eventFilter(o, e);
}

void frmAnag::getAnag_GotFocus(int indice)
{
    // Without a short name there is nothing to start the full name with.
    if (indice == 1 && getAnag[1]->text().isEmpty() && !TrimSpazi(getAnag[2]->text()).isEmpty()) {
        getAnag[1]->setText(TrimSpazi(getAnag[2]->text()) + u' ');
        getAnag[1]->setCursorPosition(int(getAnag[1]->text().size()));
    } else if (indice == 6 && NumeroTesto(u'0' + getAnag[6]->text()) == 0) {
        getAnag[6]->setText(getAnag[4]->text());
    }
}

void frmAnag::getAnag_KeyDown(int, int, int) { SegnaModificato(); }

void frmAnag::SegnaModificato()
{
    if (cmdAnag[0]->text() == QLatin1String("Salvato")) cmdAnag[0]->setText(QStringLiteral("Salva"));
}

void frmAnag::getAnag_LostFocus(int indice)
{
    if (indice != 0) return;
    // Only a code the operator changed is looked up: leaving the field as it
    // was must not throw away what has been typed in the others.
    if (!getAnag[0]->isModified()) return;
    getAnag[0]->setModified(false);
    const double codice = NumeroTesto(getAnag[0]->text());
    if (codice < 1 || codice > 255 || TabellaVuota()) return;
    xMostraRecord = false;
    try {
        Recordset& rs = dbfVelmora->RS();
        rs.Seek(QStringLiteral("="), int(codice));
        if (rs.NoMatch()) {
            // A new person under that code: nothing of the one shown before.
            SvuotaCampi(1, 7);
        } else {
            GetSetAnagrafe(true);
        }
    } catch (const Errore& e) {
        UI().MsgBox(e.Descrizione(), vbCritical, kTitoloOBX);
    }
    xMostraRecord = true;
}

void frmAnag::getAnag_MouseDown(int indice, int, int shift, float, float)
{
    if (indice != 0 || (shift & 2) == 0) return;
    getAnag[0]->setText(Formato(ProssimoCodice(), QStringLiteral("####")));
    // As if typed: leaving the field prepares the entry of a new person.
    getAnag[0]->setModified(true);
}

void frmAnag::optAnag_Click(int) { SegnaModificato(); }

int frmAnag::ProssimoCodice()
{
    try {
        Recordset rs = dbArchivio.OpenTable(cTabelle[1], QStringLiteral("TAG_A"));
        if (rs.RecordCount() == 0) return 1;
        rs.MoveLast();
        const int ultimo = rs.Field(QStringLiteral("bCodiceAN")).toInt();
        if (ultimo + 1 <= kCodiceMassimo) return ultimo + 1;
        // Past the highest code: the lowest one still free.
        std::array<bool, kCodiceMassimo + 1> usato{};
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            const int c = rs.Field(QStringLiteral("bCodiceAN")).toInt();
            if (c >= 1 && c <= kCodiceMassimo) usato[size_t(c)] = true;
        }
        for (int c = 1; c <= kCodiceMassimo; ++c)
            if (!usato[size_t(c)]) return c;
        return ultimo + 1;  // every code taken: the save will say so
    } catch (const Errore&) {
        return 1;
    }
}

bool frmAnag::TabellaVuota() { return dbfVelmora->Righe() == 0; }

// ---------------------------------------------------------------------------
// Commands

void frmAnag::cmdAnag_Click(int indice)
{
    if ((indice == 1 || indice == 2 || indice == 3) && TabellaVuota()) {
        UI().MsgBox(QStringLiteral("Archivio Vuoto"), vbCritical, kTitoloOBX);
        return;
    }
    switch (indice) {
    case 0: Salva(); break;
    case 1: Elimina(); break;
    case 2: StampaAnagrafe(); break;
    case 3: Svuota(); break;
    case 4:
        dbfVelmora->Chiudi();
        close();
        break;
    case 5:
        getAnag[0]->setText(QString::number(ProssimoCodice()));
        SvuotaCampi(1, 7);
        getAnag[0]->setFocus();
        break;
    default: break;
    }
}

void frmAnag::Salva()
{
    const QString ruolo = RuoloScelto();
    const bool conVotatore = !ruolo.isEmpty() && cRuoliUfficio.contains(ruolo);
    const bool conLed = conVotatore || ((iTipoAssemblea == 1 || iTipoAssemblea == 2) && ruolo == QLatin1String("R"));

    QString msg;
    int campo = -1;
    const double codice = NumeroTesto(getAnag[0]->text());

    // The code is the person's position in the 120-character per-seat strings.
    if (codice < 1 || codice > kCodiceMassimo) {
        msg = QStringLiteral("Codice tra 1 e %1").arg(kCodiceMassimo);
        campo = 0;
    }

    if (msg.isEmpty()) {
        // Compared without the padding blanks, as the seats show them.
        const QString breve = TrimSpazi(PadTaglia(TrimSpazi(getAnag[2]->text()), 16));
        if (!breve.isEmpty()) {
            xMostraRecord = false;
            try {
                Recordset rs = dbArchivio.OpenTable(cTabelle[1], QStringLiteral("TAG_A"));
                for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
                    const QVariant v = rs.Field(QStringLiteral("cNomeBreveAN"));
                    if (v.isValid() && TrimSpazi(v.toString()) == breve &&
                        rs.Field(QStringLiteral("bCodiceAN")).toInt() != int(codice)) {
                        msg = QStringLiteral("Nome Breve già usato");
                        campo = 2;
                        break;
                    }
                }
            } catch (const Errore& e) {
                msg = e.Descrizione();
                campo = 2;
            }
            xMostraRecord = true;
        }
    }

    if (msg.isEmpty()) {
        if (!conVotatore) {
            getAnag[4]->setText(QStringLiteral("0"));
        } else {
            const double u = NumeroTesto(getAnag[4]->text());
            if (u < 0 || u > kMassimo16) {
                msg = QStringLiteral("Numero Votatore tra 0 e %1").arg(kMassimo16);
                campo = 4;
            } else {
                if (u < iPrimoTLV || u > iUltimoTLV) {
                    msg = QStringLiteral("Votatore non Mappato");
                    campo = 4;
                }
                xMostraRecord = false;
                try {
                    Recordset rs = dbArchivio.OpenTable(cTabelle[1], QStringLiteral("TAG_A"));
                    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
                        const QVariant v = rs.Field(QStringLiteral("iVotatoreAN"));
                        if (v.isValid() && v.toInt() == int(u) &&
                            rs.Field(QStringLiteral("bCodiceAN")).toInt() != int(codice)) {
                            msg = QStringLiteral("Votatore già Mappato");
                            campo = 4;
                            if (UI().MsgBox(QStringLiteral("Votatore già Mappato\nIgnora ?"), vbYesNo, kTitoloOBX) ==
                                vbYes) {
                                msg.clear();
                                campo = -1;
                            }
                            break;
                        }
                    }
                } catch (const Errore& e) {
                    msg = e.Descrizione();
                    campo = 4;
                }
                xMostraRecord = true;
            }
        }
    }

    if (msg.isEmpty()) {
        if (conLed) {
            const double led = NumeroTesto(getAnag[5]->text());
            if (led < 1 || led > 48) {
                msg = QStringLiteral("Numero LED tra 1 e ") + Str(48);
                campo = 5;
            }
        } else {
            getAnag[5]->setText(QStringLiteral("0"));
        }
    }

    if (msg.isEmpty()) {
        const double carta = NumeroTesto(getAnag[6]->text());
        if (carta < 0 || carta > kMassimo16) {
            msg = QStringLiteral("Numero Smart Card tra 0 e %1").arg(kMassimo16);
            campo = 6;
        }
    }

    if (!msg.isEmpty()) {
        UI().MsgBox(msg, vbCritical, kTitoloOBX);
        if (campo >= 0) getAnag[size_t(campo)]->setFocus();
        return;
    }
    if (GetSetAnagrafe(false)) cmdAnag[0]->setText(QStringLiteral("Salvato"));
}

void frmAnag::Elimina()
{
    if (dbfVelmora->FuoriRiga()) return;
    Recordset& rs = dbfVelmora->RS();
    try {
        const QVariant codice = rs.Field(QStringLiteral("bCodiceAN"));
        // Only the person on the screen: after a code that is not in the
        // archive (or "Nuovo") the row left current is another person's.
        const int mostrato = int(NumeroTesto(getAnag[0]->text()));
        if (mostrato != codice.toInt()) {
            UI().MsgBox(QStringLiteral("Codice ") + NumeroMostrato(mostrato) + QStringLiteral("non in archivio"),
                        vbExclamation, kTitoloOBX);
            return;
        }
        if (UI().MsgBox(QStringLiteral("Confermi cancellazione Codice ") +
                            Formato(codice.toDouble(), QStringLiteral("####")),
                        vbOKCancel + vbQuestion + vbDefaultButton2, kTitoloOBX) != vbOK)
            return;
        rs.Delete();
        rs.MoveNext();
        // Past the last row: the one before it, while any is left.
        if (rs.Eof() && rs.RecordCount() > 0) rs.MoveLast();
    } catch (const Errore& e) {
        UI().MsgBox(e.Descrizione(), vbCritical, kTitoloOBX);
    }
    dbfVelmora_Reposition();
}

QString frmAnag::Qualifica(const QString& tipo)
{
    const QChar c = tipo.isEmpty() ? QChar() : tipo.at(0);
    switch (c.unicode()) {
    case u'P': return iTipoAssemblea == 4 ? QStringLiteral("Pres. Assemb.") : QStringLiteral("Pres. Cons.");
    case u'S': return iTipoAssemblea == 1 ? QStringLiteral("Sindaco") : QStringLiteral("Pres. Giunta");
    case u'C': return QStringLiteral("Consigliere");
    case u'A': return QStringLiteral("Assessore");
    case u'G': return QStringLiteral("Segretario");
    case u'U': return QStringLiteral("CapoGruppo");
    case u'V': return QStringLiteral("Vice Segret.");
    case u'R': return QStringLiteral("Cons. Agg.");
    case u'T': return QStringLiteral("Presid. turno");
    default: return QStringLiteral("Altro");
    }
}

void frmAnag::IntestazionePagina()
{
    StampaXY(2, 5, cConsiglio + QStringLiteral(" - Archivio Anagrafico"));
    StampaXY(4, 5, QStringLiteral("Cod Nome"));
    StampaXY(4, 40, QStringLiteral("Qualifica"));
    StampaXY(4, 52, QStringLiteral("Partito"));
    StampaXY(4, 69, QStringLiteral("TAB"));
    StampaXY(4, 74, QStringLiteral("TLV"));
    StampaXY(5, 5, QStringLiteral("--- ") + QString(30, u'-'));
    StampaXY(5, 40, QString(11, u'-'));
    StampaXY(5, 52, QString(16, u'-'));
    StampaXY(5, 69, QStringLiteral("---"));
    StampaXY(5, 73, QStringLiteral("----"));
    iRigaStampa = 6;
}

void frmAnag::StampaAnagrafe()
{
    if (!ImpostaStampante(2, QStringLiteral("Anagrafe_Consiglieri"))) return;
    xMostraRecord = false;
    try {
        Recordset rs = dbArchivio.OpenTable(cTabelle[1], QStringLiteral("TAG_A"));
        IntestazionePagina();
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            // The page turns before a row that has no room, never after
            // the last one, so the list does not end on a bare header.
            if (iRigaStampa > iRighePagina) {
                NuovaPagina();
                IntestazionePagina();
            }
            StampaXY(iRigaStampa, 5, AllineaDestra(rs.Field(QStringLiteral("bCodiceAN")), 3));
            StampaXY(iRigaStampa, 9, rs.Field(QStringLiteral("cNomeAN")).toString());
            StampaXY(iRigaStampa, 40, Qualifica(rs.Field(QStringLiteral("cTipoAN")).toString()));
            StampaXY(iRigaStampa, 52, rs.Field(QStringLiteral("cPartitoAN")).toString().left(16));
            const QVariant led = rs.Field(QStringLiteral("iPannelloAN"));
            if (led.toInt() != 0) StampaXY(iRigaStampa, 69, AllineaDestra(led, 3));
            const QVariant votatore = rs.Field(QStringLiteral("iVotatoreAN"));
            if (votatore.toInt() != 0) StampaXY(iRigaStampa, 73, AllineaDestra(votatore, 4));
            ++iRigaStampa;
        }
    } catch (const Errore& e) {
        UI().MsgBox(e.Descrizione(), vbCritical, kTitoloOBX);
    }
    FineStampa();
    xMostraRecord = true;
    dbfVelmora->Primo();
}

void frmAnag::Svuota()
{
    if (UI().MsgBox(QStringLiteral("Confermi Svuotamento Archivio"), vbOKCancel + vbQuestion + vbDefaultButton2,
                    kTitoloOBX) != vbOK)
        return;
    xMostraRecord = false;
    try {
        dbArchivio.Execute(QStringLiteral("DELETE * FROM ") + cTabelle[1] + u';');
    } catch (const Errore& e) {
        UI().MsgBox(e.Descrizione(), vbCritical, kTitoloOBX);
    }
    try {
        dbfVelmora->Aggiorna();
    } catch (const Errore& e) {
        UI().MsgBox(e.Descrizione(), vbCritical, kTitoloOBX);
    }
    xMostraRecord = true;
    getAnag[0]->setText(Formato(ProssimoCodice(), QStringLiteral("####")));
    SvuotaCampi(1, 7);
    getAnag[0]->setFocus();
}

}  // namespace obx
