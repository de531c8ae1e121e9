#include "shell/frmConfig.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "platform/Dialoghi.h"
#include "platform/Eventi.h"
#include "platform/Schermo.h"
#include "platform/Testo.h"
#include "shell/AgganciConfig.h"
#include "shell/CampiNumerici.h"
#include "shell/Globali.h"

namespace obx {

namespace {

constexpr int kPorteProvate = 32;

QString VocePorta(int n) { return QStringLiteral("Com ") + QString::number(n); }

// The separator is one character; an empty or blank one is "\".
QString UnCarattere(const QString& s)
{
    const QString t = TrimSpazi(s);
    return t.isEmpty() ? QStringLiteral("\\") : t.left(1);
}

QString NomeCampo(const QLabel* l)
{
    QString t = TrimSpazi(l->text());
    if (t.endsWith(u':')) t.chop(1);
    return t;
}

}  // namespace

frmConfig::frmConfig(QWidget* padre) : QDialog(padre)
{
    TieneNelloSchermo(this);
    setObjectName(QStringLiteral("frmConfig"));
    setWindowTitle(QStringLiteral("Configurazione O.B.X."));
    setModal(true);

    auto nomina = [](QObject* o, const char* nome, int i) {
        o->setObjectName(QStringLiteral("%1(%2)").arg(QLatin1String(nome)).arg(i));
    };
    const char* titoliFra[6] = {"Abilitazioni", "Porta per Smart Card", "Porta per Tabellone",
                                "Opzioni",      "Porta per Votatori",   "Consiglio"};
    for (int i = 0; i < 6; ++i) {
        fraConfig[i] = new QGroupBox(QString::fromUtf8(titoliFra[i]), this);
        nomina(fraConfig[i], "fraConfig", i);
    }
    const char* titoliCab[3] = {"Smart Card", "Votatori", "Tabellone"};
    for (int i = 0; i < 3; ++i) {
        chkCablato[i] = new QCheckBox(QString::fromUtf8(titoliCab[i]), fraConfig[0]);
        nomina(chkCablato[i], "chkCablato", i);
        connect(chkCablato[i], &QCheckBox::toggled, this, [this, i] { chkCablato_Click(i); });
    }
    for (int i = 0; i < 7; ++i) {
        getConfig[i] = new QLineEdit(this);
        nomina(getConfig[i], "getConfig", i);
    }
    for (int i : {1, 3, 4, 5}) getConfig[i]->setMaxLength(4);
    getConfig[2]->setMaxLength(1);
    getConfig[2]->setText(QStringLiteral("\\"));
    getConfig[6]->setMaxLength(5);
    getConfig[5]->installEventFilter(this);

    // lblConfig(i) labels getConfig(i); lblConfig(7) labels the display list.
    const char* etichette[8] = {"Consiglio:",       "Votanti:",       "Separatore:", "Primo Votatore:",
                                "Ultimo Votatore:", "Prima Riserva:", "Riservato:",  "Tabellone:"};
    for (int i = 0; i < 8; ++i) {
        lblConfig[i] = new QLabel(QString::fromUtf8(etichette[i]), this);
        nomina(lblConfig[i], "lblConfig", i);
        if (i < 7) lblConfig[i]->setBuddy(getConfig[i]);
    }

    auto combo = [this](const char* nome, QWidget* padreCombo) {
        auto* c = new QComboBox(padreCombo);
        c->setObjectName(QLatin1String(nome));
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        return c;
    };
    cmbPorteRAD = combo("cmbPorteRAD", fraConfig[1]);
    cmbPorteTAB = combo("cmbPorteTAB", fraConfig[2]);
    cmbPorteTLV = combo("cmbPorteTLV", fraConfig[4]);
    chkParallela = new QCheckBox(QStringLiteral("Parallela"), fraConfig[2]);
    chkParallela->setObjectName(QStringLiteral("chkParallela"));
    cmdComTest = new QPushButton(QString(QChar(0x21C4)), fraConfig[4]);  // a two-way arrow
    cmdComTest->setObjectName(QStringLiteral("cmdComTest"));
    cmdComTest->setAutoDefault(false);
    connect(cmdComTest, &QPushButton::clicked, this, [this] { cmdComTest_Click(); });
    chkCentralina = new QCheckBox(QStringLiteral("Verifica Risposta"), fraConfig[4]);
    chkCentralina->setObjectName(QStringLiteral("chkCentralina"));
    chkAutoPre = new QCheckBox(QStringLiteral("Auto Presenza"), fraConfig[3]);
    chkAutoPre->setObjectName(QStringLiteral("chkAutoPre"));
    cmbDisplay = new QComboBox(fraConfig[3]);
    cmbDisplay->setObjectName(QStringLiteral("cmbDisplay"));
    lblConfig[7]->setBuddy(cmbDisplay);

    for (int i = 0; i < 2; ++i) {
        lblVideo[i] = new QLabel(QStringLiteral("n.d."), this);
        nomina(lblVideo[i], "lblVideo", i);
    }
    cmdConfig[0] = new QPushButton(QStringLiteral("Annulla"), this);
    cmdConfig[1] = new QPushButton(QStringLiteral("Salva"), this);
    for (int i = 0; i < 2; ++i) {
        nomina(cmdConfig[i], "cmdConfig", i);
        cmdConfig[i]->setAutoDefault(false);
        connect(cmdConfig[i], &QPushButton::clicked, this, [this, i] { cmdConfig_Click(i); });
    }

    // Layout: devices and ports on the left, council and options on the right.
    auto* vAbil = new QVBoxLayout(fraConfig[0]);
    for (auto* c : chkCablato) vAbil->addWidget(c);
    auto* vRad = new QVBoxLayout(fraConfig[1]);
    vRad->addWidget(cmbPorteRAD);
    auto* vTab = new QVBoxLayout(fraConfig[2]);
    vTab->addWidget(chkParallela);
    vTab->addWidget(cmbPorteTAB);
    auto* gTlv = new QGridLayout(fraConfig[4]);
    gTlv->addWidget(cmbPorteTLV, 0, 0);
    gTlv->addWidget(cmdComTest, 0, 1);
    gTlv->addWidget(chkCentralina, 1, 0, 1, 2);
    auto* gCons = new QGridLayout(fraConfig[5]);
    int riga = 0;
    for (int i : {0, 1, 3, 4, 5}) {
        gCons->addWidget(lblConfig[i], riga, 0);
        gCons->addWidget(getConfig[i], riga, 1);
        ++riga;
    }
    auto* gOpz = new QGridLayout(fraConfig[3]);
    gOpz->addWidget(chkAutoPre, 0, 0, 1, 2);
    gOpz->addWidget(lblConfig[7], 1, 0);
    gOpz->addWidget(cmbDisplay, 1, 1);
    gOpz->addWidget(lblConfig[2], 2, 0);
    gOpz->addWidget(getConfig[2], 2, 1);
    gOpz->addWidget(lblConfig[6], 3, 0);
    gOpz->addWidget(getConfig[6], 3, 1);

    auto* sinistra = new QVBoxLayout;
    sinistra->addWidget(fraConfig[0]);
    sinistra->addWidget(fraConfig[4]);
    sinistra->addWidget(fraConfig[2]);
    sinistra->addWidget(fraConfig[1]);
    sinistra->addStretch();
    auto* destra = new QVBoxLayout;
    destra->addWidget(fraConfig[5]);
    destra->addWidget(fraConfig[3]);
    destra->addStretch();
    auto* colonne = new QHBoxLayout;
    colonne->addLayout(sinistra);
    colonne->addLayout(destra);
    auto* basso = new QHBoxLayout;
    basso->addWidget(lblVideo[0]);
    basso->addWidget(lblVideo[1]);
    basso->addStretch();
    basso->addWidget(cmdConfig[0]);
    basso->addWidget(cmdConfig[1]);
    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(colonne);
    tutto->addLayout(basso);

    Form_Load();
}

void frmConfig::Mostra(QWidget* padre)
{
    frmConfig f(padre);
    f.exec();
}

void frmConfig::Form_Load()
{
    // Every list offers the ports that open, the same entries in the same order.
    QComboBox* liste[3] = {cmbPorteTLV, cmbPorteTAB, cmbPorteRAD};
    for (auto* c : liste) c->clear();
    const auto& testa = AgganciDialoghiConfig().TestaPorta;
    if (testa) {
        for (int n = 1; n <= kPorteProvate; ++n)
            if (testa(n))
                for (auto* c : liste) c->addItem(VocePorta(n));
    }
    for (auto* c : liste) c->setCurrentIndex(c->count() > 0 ? 0 : -1);

    cmbDisplay->clear();
    for (int t = 1; t <= 6; ++t) cmbDisplay->addItem(cTipiTabellone[t]);
    cmbDisplay->setCurrentIndex(-1);

    for (int i = 0; i < 2; ++i) {
        const DatiMonitor& m = lMonitor[i];
        if (m.hMonitor != 0)
            lblVideo[i]->setText(
                QStringLiteral("%1: %2,%3 %4x%5").arg(m.hMonitor).arg(m.nTop).arg(m.nSin).arg(m.nLar).arg(m.nAlt));
        else
            lblVideo[i]->setText(QStringLiteral("n.d."));
    }
}

void frmConfig::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous()) Form_Activate();
}

bool frmConfig::eventFilter(QObject* o, QEvent* e)
{
    // Entered by the installer, not given back by another window closing.
    if (o == getConfig[5] && e->type() == QEvent::FocusIn) {
        if (!DaAltraFinestra(static_cast<QFocusEvent*>(e)->reason())) getConfig_GotFocus(5);
    }
    return QDialog::eventFilter(o, e);
}

int frmConfig::PortaDaVoce(const QString& testo)
{
    int porta = 0;
    if (!Val16(testo.mid(4), porta)) return -1;
    return porta;
}

bool frmConfig::SelezionaPorta(QComboBox* cmb, int porta)
{
    const int i = cmb->findText(VocePorta(porta), Qt::MatchExactly);
    if (i >= 0) {
        cmb->setCurrentIndex(i);
        return true;
    }
    // A port that no longer opens gives way to the first one that does.
    if (cmb->count() > 0) {
        cmb->setCurrentIndex(0);
        return true;
    }
    cmb->setCurrentIndex(-1);
    cmb->setEditText(QString());
    return false;
}

void frmConfig::Form_Activate()
{
    if (const auto& gc = AgganciDialoghiConfig().GestisceConfig) gc(true);

    getConfig[0]->setText(cConsiglio);
    getConfig[1]->setText(Formato(iVotanti, QStringLiteral("####")));
    getConfig[3]->setText(Formato(iPrimoTLV, QStringLiteral("####")));
    getConfig[4]->setText(Formato(iUltimoTLV, QStringLiteral("####")));
    getConfig[5]->setText(Formato(iRiservaProssima, QStringLiteral("####")));
    getConfig[2]->setText(UnCarattere(cSepara));
    getConfig[6]->setText(QString::number(iRiservato & 15));

    // What the window shows of a device whose port is gone is stored only
    // by "Salva": the settings and the file stay as they are until then.
    int modo = iModoOBX;
    if (!SelezionaPorta(cmbPorteTLV, iPortaTLV)) modo &= ~kCablaggioVotatori;
    if (!SelezionaPorta(cmbPorteTAB, iPortaTAB) && !(modo & kCablaggioParallela)) modo &= ~kCablaggioTabellone;
    if (!SelezionaPorta(cmbPorteRAD, iPortaRAD)) modo &= ~kCablaggioTessere;

    chkCablato[0]->setChecked(modo & kCablaggioTessere);
    chkCablato[1]->setChecked(modo & kCablaggioVotatori);
    chkCablato[2]->setChecked(modo & kCablaggioTabellone);
    chkParallela->setChecked(modo & kCablaggioParallela);
    for (int i = 0; i < 3; ++i) chkCablato_Click(i);

    chkAutoPre->setChecked(iConfigOBX & kOpzAutoPresenza);
    chkCentralina->setChecked(iConfigOBX & kOpzVerificaRisposta);

    // A display type outside the list shows no entry and is kept on saving.
    cmbDisplay->setCurrentIndex(iTipoTAB >= 1 && iTipoTAB <= 6 ? iTipoTAB - 1 : -1);
}

void frmConfig::chkCablato_Click(int indice)
{
    static constexpr int kFrame[3] = {1, 4, 2};
    if (indice < 0 || indice > 2) return;
    fraConfig[kFrame[indice]]->setEnabled(chkCablato[indice]->isChecked());
}

void frmConfig::getConfig_GotFocus(int indice)
{
    // The first unit after the members' own is proposed while the field
    // holds no unit: what the installer typed there is never replaced.
    if (indice != 5 || Val(getConfig[5]->text()) != 0) return;
    getConfig[5]->setText(Formato(Val(getConfig[1]->text()) + Val(getConfig[3]->text()), QStringLiteral("####")));
}

bool frmConfig::LeggePorta(QComboBox* cmb, QGroupBox* fra, int& porta)
{
    const QString testo = cmb->currentText();
    porta = 0;
    if (testo.isEmpty()) return true;
    const int n = PortaDaVoce(testo);
    if (n < 1) {
        UI().MsgBox(QStringLiteral("Numero di porta non valido in \"%1\"").arg(fra->title()), vbExclamation);
        cmb->setFocus();
        return false;
    }
    porta = n;
    return true;
}

void frmConfig::cmdComTest_Click()
{
    const QString testo = RTrimSpazi(cmbPorteTLV->currentText());
    if (testo.isEmpty()) return;
    // The whole number after "Com ", as saving reads it: a port above 99
    // must not be tested as its last two digits.
    int porta = 0;
    if (!LeggePorta(cmbPorteTLV, fraConfig[4], porta)) return;
    const auto& testa = AgganciDialoghiConfig().TestaCentralina;
    if (!testa || m_inProva) return;
    m_inProva = true;
    const bool ok = testa(porta);
    m_inProva = false;
    if (ok) {
        const QString modello = iProtocolloTLV == 4010 ? QStringLiteral("4010") : QStringLiteral("e-tavelix");
        UI().MsgBox(QStringLiteral("Ok (") + modello + u')', vbOKOnly);
    }
}

void frmConfig::reject()
{
    if (!m_inProva) QDialog::reject();
}

void frmConfig::cmdConfig_Click(int indice)
{
    if (m_inProva) return;
    if (indice == 0) {
        reject();
        return;
    }
    if (indice != 1) return;

    // Every number is checked before anything is stored: a refused field
    // leaves the settings and the file untouched and the window open.
    struct Campo {
        int indice;
        int minimo;
        int massimo;
        int valore;
    };
    Campo campi[] = {{1, 0, kMassimo16, 0},
                     {3, 0, kMassimo16, 0},
                     {4, 0, kMassimo16, 0},
                     {5, 0, kMassimo16, 0},
                     {6, kMinimo16, kMassimo16, 0}};
    for (auto& c : campi) {
        if (!NumeroCampo(getConfig[c.indice]->text(), c.minimo, c.massimo, c.valore)) {
            AvvisaCampo(NomeCampo(lblConfig[c.indice]), c.minimo, c.massimo);
            getConfig[c.indice]->setFocus();
            getConfig[c.indice]->selectAll();
            return;
        }
    }

    int modo = 0;
    if (chkCablato[0]->isChecked()) modo += kCablaggioTessere;
    if (chkCablato[1]->isChecked()) modo += kCablaggioVotatori;
    if (chkCablato[2]->isChecked()) modo += kCablaggioTabellone;
    if (chkParallela->isChecked()) modo += kCablaggioParallela;

    int portaTLV = 0, portaTAB = 0, portaRAD = 0;
    if ((modo & kCablaggioVotatori) && !LeggePorta(cmbPorteTLV, fraConfig[4], portaTLV)) return;
    if ((modo & kCablaggioTabellone) && !LeggePorta(cmbPorteTAB, fraConfig[2], portaTAB)) return;
    if ((modo & kCablaggioTessere) && !LeggePorta(cmbPorteRAD, fraConfig[1], portaRAD)) return;

    // The central's port is never given to another serial device; the board
    // and the card reader may share one.  Both are checked, so that a port
    // given to all three leaves neither with the central.
    if (portaTLV != 0) {
        if (portaTLV == portaTAB && !(modo & kCablaggioParallela)) {
            UI().MsgBox(QStringLiteral("Porta Tabellone non valida"), vbOKOnly);
            modo &= ~kCablaggioTabellone;
            portaTAB = 0;
        }
        if (portaTLV == portaRAD) {
            UI().MsgBox(QStringLiteral("Porta Smart Card non valida"), vbOKOnly);
            modo &= ~kCablaggioTessere;
            portaRAD = 0;
        }
    }

    // Stored all at once, after the last message.
    cConsiglio = getConfig[0]->text();
    iVotanti = campi[0].valore;
    iPrimoTLV = campi[1].valore;
    iUltimoTLV = campi[2].valore;
    iRiservaProssima = campi[3].valore;
    iRiservaUltima = iUltimoTLV;
    cTLVLista = QString::number(iPrimoTLV) + u'-' + QString::number(iUltimoTLV);
    cTLVRiserva = QString::number(iRiservaProssima) + u'-' + QString::number(iRiservaUltima);
    iRiservato = campi[4].valore;
    cSepara = UnCarattere(getConfig[2]->text());
    iModoOBX = modo;
    iPortaTLV = portaTLV;
    iPortaTAB = portaTAB;
    iPortaRAD = portaRAD;
    int opz = iConfigOBX & ~(kOpzAutoPresenza | kOpzVerificaRisposta);
    if (chkCentralina->isChecked()) opz |= kOpzVerificaRisposta;
    if (chkAutoPre->isChecked()) opz |= kOpzAutoPresenza;
    iConfigOBX = opz;
    if (cmbDisplay->currentIndex() >= 0) iTipoTAB = cmbDisplay->currentIndex() + 1;

    if (const auto& gc = AgganciDialoghiConfig().GestisceConfig) gc(false);
    accept();
}

}  // namespace obx
