#include "shell/frmParam.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "platform/Schermo.h"
#include "platform/Testo.h"
#include "shell/AgganciConfig.h"
#include "shell/CampiNumerici.h"
#include "shell/Globali.h"

namespace obx {

namespace {
// getParam(i) holds this setting.
int* Impostazione(int i)
{
    switch (i) {
    case 0: return &iNMaxInterventi;
    case 1: return &iTempoMaxPartito;
    default: return &iTempoRelatore;
    }
}
}  // namespace

frmParam::frmParam(QWidget* padre) : QDialog(padre)
{
    TieneNelloSchermo(this);
    setObjectName(QStringLiteral("frmParam"));
    setWindowTitle(QStringLiteral("Parametri Generali"));
    setModal(true);

    auto nomina = [](QObject* o, const char* nome, int i) {
        o->setObjectName(QStringLiteral("%1(%2)").arg(QLatin1String(nome)).arg(i));
    };
    boxParam[0] = new QGroupBox(QStringLiteral("Vincoli su Interventi (per singolo Argomento)"), this);
    boxParam[1] = new QGroupBox(QStringLiteral("Varie"), this);
    for (int i = 0; i < 2; ++i) nomina(boxParam[i], "boxParam", i);

    const char* etichette[3] = {
        "N. max Interventi per Oratore:", "Tempo (in minuti) per Gruppo Politico:", "Tempo (in minuti) per Oratore:"};
    auto* g = new QGridLayout(boxParam[0]);
    // Shown in the order: speeches, speaker's time, group's time.
    int riga = 0;
    for (int i : {0, 2, 1}) {
        getParam[i] = new QLineEdit(QStringLiteral("0"), boxParam[0]);
        nomina(getParam[i], "getParam", i);
        getParam[i]->setMaxLength(4);
        getParam[i]->setAlignment(Qt::AlignRight);
        txtParam[i] = new QLabel(QString::fromUtf8(etichette[i]), boxParam[0]);
        nomina(txtParam[i], "txtParam", i);
        txtParam[i]->setBuddy(getParam[i]);
        g->addWidget(txtParam[i], riga, 0);
        g->addWidget(getParam[i], riga, 1);
        ++riga;
    }

    const char* titoli[8] = {" Stampa Automatica a chiusura Votazione", " Calcolo Quorum anche su Astenuti",
                             " Totale Votanti comprende Astenuti",      " Mostra Votanti in voto segreto",
                             " Nasconde Presenti/Assenti in Stampa",    " Nasconde Votanti in Stampa",
                             " Stampa Emendamento decaduto/ritirato",   " Mostra Voti durante la votazione"};
    auto* v = new QVBoxLayout(boxParam[1]);
    for (int i = 0; i < 8; ++i) {
        chkParam[i] = new QCheckBox(QString::fromUtf8(titoli[i]), boxParam[1]);
        nomina(chkParam[i], "chkParam", i);
        v->addWidget(chkParam[i]);
    }

    const char* bottoni[3] = {"Salva", "Annulla", "Setup"};
    auto* basso = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        cmdParam[i] = new QPushButton(QString::fromUtf8(bottoni[i]), this);
        nomina(cmdParam[i], "cmdParam", i);
        cmdParam[i]->setAutoDefault(false);
        connect(cmdParam[i], &QPushButton::clicked, this, [this, i] { cmdParam_Click(i); });
    }
    basso->addWidget(cmdParam[2]);
    basso->addStretch();
    basso->addWidget(cmdParam[1]);
    basso->addWidget(cmdParam[0]);

    auto* tutto = new QVBoxLayout(this);
    tutto->addWidget(boxParam[0]);
    tutto->addWidget(boxParam[1]);
    tutto->addLayout(basso);
}

void frmParam::Mostra(QWidget* padre)
{
    frmParam f(padre);
    f.exec();
}

void frmParam::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous()) Form_Activate();
}

void frmParam::Form_Activate()
{
    const AgganciConfig& a = AgganciDialoghiConfig();
    if (a.GestisceConfig) a.GestisceConfig(true);

    for (int i = 0; i < 3; ++i) getParam[i]->setText(Formato(*Impostazione(i), QStringLiteral("####")));
    for (int i = 0; i < 8; ++i) chkParam[i]->setChecked(iConfigOBX & kBitParam[i]);

    // The diagnostics speak only to the radio central, wired and on a port.
    cmdParam[2]->setEnabled(iProtocolloTLV == 7777 && (iModoOBX & kCablaggioVotatori) && iPortaTLV != 0 &&
                            bool(a.MostraDiagnosticaRadio));
}

void frmParam::cmdParam_Click(int indice)
{
    switch (indice) {
    case 0: {
        int valori[3] = {};
        for (int i = 0; i < 3; ++i) {
            if (!NumeroCampo(getParam[i]->text(), 0, kMassimo16, valori[i])) {
                QString nome = TrimSpazi(txtParam[i]->text());
                if (nome.endsWith(u':')) nome.chop(1);
                AvvisaCampo(nome, 0, kMassimo16);
                getParam[i]->setFocus();
                getParam[i]->selectAll();
                return;
            }
        }
        for (int i = 0; i < 3; ++i) *Impostazione(i) = valori[i];
        int opz = iConfigOBX;
        for (int i = 0; i < 8; ++i) {
            if (chkParam[i]->isChecked())
                opz |= kBitParam[i];
            else
                opz &= ~kBitParam[i];
        }
        iConfigOBX = opz;
        if (const auto& gc = AgganciDialoghiConfig().GestisceConfig) gc(false);
        accept();
        break;
    }
    case 1: reject(); break;
    case 2: {
        const auto& mostra = AgganciDialoghiConfig().MostraDiagnosticaRadio;
        if (!cmdParam[2]->isEnabled() || !mostra) return;
        mostra(this);
        // Back from the diagnostics the stored values replace what was typed.
        Form_Activate();
        break;
    }
    default: break;
    }
}

}  // namespace obx
