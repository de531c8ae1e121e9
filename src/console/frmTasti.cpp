#include "console/frmTasti.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/Schermo.h"
#include "platform/Testo.h"
#include "shell/Globali.h"

namespace obx {

namespace {

template <typename T, size_t N>
T* Elemento(const std::array<T*, N>& a, int i)
{
    return i >= 0 && size_t(i) < N ? a[size_t(i)] : nullptr;
}

// Builds the frame of option buttons and the two buttons; the option
// buttons belong to one group, so at most one is chosen.
template <size_t N>
QGroupBox* Costruisce(QDialog* d, const QString& cornice, const std::array<const char*, N>& testi,
                      std::array<QRadioButton*, N>& opt, std::array<QPushButton*, 2>& cmd)
{
    auto* v = new QVBoxLayout(d);
    auto* box = new QGroupBox(cornice, d);
    auto* vb = new QVBoxLayout(box);
    for (size_t i = 0; i < N; ++i) {
        opt[i] = new QRadioButton(QString::fromUtf8(testi[i]), box);
        vb->addWidget(opt[i]);
    }
    v->addWidget(box);
    auto* h = new QHBoxLayout;
    cmd[0] = new QPushButton(QStringLiteral("Conferma"), d);
    cmd[1] = new QPushButton(QStringLiteral("Annulla"), d);
    cmd[0]->setAutoDefault(false);
    cmd[1]->setAutoDefault(false);
    h->addStretch();
    h->addWidget(cmd[0]);
    h->addWidget(cmd[1]);
    v->addLayout(h);
    d->setWindowTitle(QStringLiteral("Operazioni Dedicate"));
    return box;
}

template <size_t N>
int Scelta(const std::array<QRadioButton*, N>& opt)
{
    for (size_t i = 0; i < N; ++i)
        if (opt[i]->isChecked()) return int(i) + 1;
    return 0;
}

// Name of a role letter: its place in cLettereRuoli picks the name.
QString NomeRuolo(const QString& lettera)
{
    const int k = lettera.size() == 1 ? int(cLettereRuoli.indexOf(lettera)) : -1;
    if (k < 0 || size_t(k) >= cNomiRuoli.size()) return QString();
    return cNomiRuoli[size_t(k)];
}

}  // namespace

// ---------------------------------------------------------------------------

frmTasti::frmTasti(QWidget* padre) : QDialog(padre)
{
    TieneNelloSchermo(this);
    static const std::array<const char*, kOpzioni> testi = {
        " Inizio Intervento",
        " Sostituzione",
        " Nomina Scrutatore",
        " Nomina Nuovo Consigliere",
        " Assegnazione TLV di Riserva",
        " Astensione dal Voto (Presente non Votante)",
        " Revoca Scrutatore",
        "Prenotazione al dibattito",
        "Consigliere Assente (non si è presentato in aula)",
        "Richiede Verifica N. Legale / Appello Nominale",
    };
    m_box = Costruisce(this, QStringLiteral("Opzioni per Consiglieri"), testi, m_opt, m_cmd);
    setModal(true);
    connect(m_cmd[0], &QPushButton::clicked, this, [this] { cmdTasti_Click(0); });
    connect(m_cmd[1], &QPushButton::clicked, this, [this] { cmdTasti_Click(1); });
}

QRadioButton* frmTasti::optTasto(int i) const { return Elemento(m_opt, i); }
QPushButton* frmTasti::cmdTasti(int i) const { return Elemento(m_cmd, i); }

void frmTasti::showEvent(QShowEvent* e)
{
    if (!m_attivato) {
        m_attivato = true;
        Form_Activate();
    }
    QDialog::showEvent(e);
}

void frmTasti::Form_Activate()
{
    if (!SeggioValido(iConsID)) {
        // No seat: nothing can be chosen.
        for (QRadioButton* o : m_opt) o->setEnabled(false);
        return;
    }
    const Posto& s = aPosti[size_t(iConsID)];
    setWindowTitle(QStringLiteral("Operazioni Dedicate (") + TrimSpazi(s.cNomeAN) + u')');
    m_opt[1]->setText(QStringLiteral("Sostituzione ") + NomeRuolo(s.cTipoAN));
    const bool assente = s.iStato & kAssenteDichiarato;
    m_opt[8]->setText(assente ? QStringLiteral("Revoca Assenza (si è presentato in aula)")
                              : QStringLiteral("Consigliere Assente (non si è presentato in aula)"));
    for (int i = 0; i < kOpzioni; ++i) {
        bool attiva;
        if (assente) {
            attiva = i == 8;
        } else if (iModoVoto != 0) {
            attiva = i == 4 || i == 5;
        } else if (iPrenotazioni != 0) {
            attiva = true;
        } else if (i == 1 && iTipoAssemblea == 4) {
            attiva = s.cTipoAN == u"P" || s.cTipoAN == u"G";
        } else if (i == 9) {
            attiva = false;
            if (iTipoAssemblea == 4) {
                if (cTipoVoto == u"I" || cTipoVoto == u"J") {
                    m_opt[9]->setText(QStringLiteral("Richiede Votazione per Appello Nominale"));
                    attiva = true;
                } else if (cTipoVoto == u"V" || cTipoVoto == u"W") {
                    m_opt[9]->setText(QStringLiteral("Richiede Verifica Numero Legale"));
                    attiva = true;
                }
            }
        } else {
            attiva = i != 7;
        }
        m_opt[size_t(i)]->setEnabled(attiva);
    }
}

void frmTasti::cmdTasti_Click(int Index)
{
    iTastoScelto = 0;
    if (Index == 0) iTastoScelto = Scelta(m_opt);
    done(Index == 0 ? QDialog::Accepted : QDialog::Rejected);
}

void frmTasti::reject()
{
    // Closed by its close box or Esc: nothing chosen.
    iTastoScelto = 0;
    QDialog::reject();
}

// ---------------------------------------------------------------------------

frmOspiti::frmOspiti(QWidget* padre) : QDialog(padre)
{
    TieneNelloSchermo(this);
    static const std::array<const char*, kOpzioni> testi = {
        "Inizio Intervento",
        "Cancellazione dalla Lista",
        "Sostituzione Consigliere",
        "Prenotazione a parlare",
    };
    m_box = Costruisce(this, QStringLiteral("Opzioni per Dibattito"), testi, m_opt, m_cmd);
    setModal(true);
    connect(m_cmd[0], &QPushButton::clicked, this, [this] { cmdTasti_Click(0); });
    connect(m_cmd[1], &QPushButton::clicked, this, [this] { cmdTasti_Click(1); });
    Form_Load();
}

QRadioButton* frmOspiti::optTasto(int i) const { return Elemento(m_opt, i); }
QPushButton* frmOspiti::cmdTasti(int i) const { return Elemento(m_cmd, i); }

void frmOspiti::Form_Load()
{
    for (int i = 0; i < kOpzioni; ++i) {
        bool attiva = iModoVoto == 0;
        if (attiva && i == 3) attiva = iPrenotazioni != 0;
        m_opt[size_t(i)]->setEnabled(attiva);
    }
    const QString nome = RTrimSpazi(cNomeOspite);
    if (!nome.isEmpty()) setWindowTitle(windowTitle() + QStringLiteral(" (") + nome + u')');
}

void frmOspiti::cmdTasti_Click(int Index)
{
    iTastoScelto = 0;
    if (Index == 0) iTastoScelto = Scelta(m_opt);
    done(Index == 0 ? QDialog::Accepted : QDialog::Rejected);
}

void frmOspiti::reject()
{
    iTastoScelto = 0;
    QDialog::reject();
}

}  // namespace obx
