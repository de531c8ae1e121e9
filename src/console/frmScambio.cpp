#include "console/frmScambio.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <utility>

#include "board/Etichetta.h"
#include "board/frmVideo.h"
#include "console/frmCons.h"
#include "platform/Elenchi.h"
#include "platform/Schermo.h"
#include "shell/Globali.h"

namespace obx {

namespace {

QString NomeRuolo(const QString& lettera)
{
    const int k = lettera.size() == 1 ? int(cLettereRuoli.indexOf(lettera)) : -1;
    if (k < 0 || size_t(k) >= cNomiRuoli.size()) return QString();
    return cNomiRuoli[size_t(k)];
}

// The first seat whose stored full name equals the text.
int PostoDiNome(const QString& nome)
{
    for (size_t j = 1; j < aPosti.size(); ++j)
        if (aPosti[j].cNomeAN == nome) return int(j);
    return 0;
}

// Puts seat i's labels on both boards at the seat's places.
void SpostaEtichette(int i)
{
    const Posto& p = aPosti[size_t(i)];
    if (frmCons* f = frmConsAperto()) {
        if (Etichetta* e = f->txtAnag(p.iPulsanteAN); e && p.iPulsanteAN != 0) {
            e->SetTop(p.nTopAN);
            e->SetLeft(p.nLeftAN);
        }
    }
    if (FrmVideo* v = frmVideoCaricato()) {
        if (Etichetta* e = v->txtAnag(p.iPulsanteAN); e && p.iPulsanteAN != 0) {
            e->SetTop(p.nTopTvAN);
            e->SetLeft(p.nSinTvAN);
        }
    }
}

void ScambiaPosti(Posto& a, Posto& b)
{
    std::swap(a.nTopAN, b.nTopAN);
    std::swap(a.nLeftAN, b.nLeftAN);
    std::swap(a.nTopTvAN, b.nTopTvAN);
    std::swap(a.nSinTvAN, b.nSinTvAN);
}

}  // namespace

frmScambio::frmScambio(QWidget* padre) : QDialog(padre)
{
    TieneNelloSchermo(this);
    setWindowTitle(QStringLiteral("Sostituzione"));
    setModal(true);
    auto* g = new QGridLayout(this);
    m_lbl[0] = new QLabel(QStringLiteral("Sostituito:"), this);
    m_lbl[1] = new QLabel(QStringLiteral("Subentra:"), this);
    m_cmb[0] = new ElencoCombo(this);
    m_cmb[1] = new ElencoCombo(this);
    m_chkEsce = new QCheckBox(QStringLiteral("Consigliere sostituito ESCE"), this);
    m_cmdConferma = new QPushButton(QStringLiteral("Conferma"), this);
    m_cmdAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    m_cmdConferma->setAutoDefault(false);
    m_cmdAnnulla->setAutoDefault(false);
    for (ElencoCombo* c : m_cmb) c->setMinimumWidth(260);
    g->addWidget(m_lbl[0], 0, 0);
    g->addWidget(m_cmb[0], 0, 1);
    g->addWidget(m_lbl[1], 1, 0);
    g->addWidget(m_cmb[1], 1, 1);
    g->addWidget(m_chkEsce, 2, 0, 1, 2);
    g->addWidget(m_cmdConferma, 3, 0);
    g->addWidget(m_cmdAnnulla, 3, 1);
    connect(m_cmdConferma, &QPushButton::clicked, this, [this] { cmdScambio_Click(0); });
    connect(m_cmdAnnulla, &QPushButton::clicked, this, [this] { cmdScambio_Click(4); });
}

ElencoCombo* frmScambio::cmbScambio(int i) const { return i == 0 || i == 1 ? m_cmb[size_t(i)] : nullptr; }
QLabel* frmScambio::lblScambio(int i) const { return i == 0 || i == 1 ? m_lbl[size_t(i)] : nullptr; }
QPushButton* frmScambio::cmdScambio(int i) const { return i == 0 ? m_cmdConferma : i == 4 ? m_cmdAnnulla : nullptr; }

void frmScambio::showEvent(QShowEvent* e)
{
    if (!m_attivato) {
        m_attivato = true;
        Form_Activate();
    }
    QDialog::showEvent(e);
}

void frmScambio::Form_Activate()
{
    m_cmb[0]->Clear();
    m_cmb[1]->Clear();
    iPostoUscente = iPostoEntrante = 0;
    cSegretari = {};

    auto presente = [](const Posto& p) { return InAula(p); };
    auto elenca = [this, &presente](int k, const QString& ruoli) {
        for (size_t i = 1; i < aPosti.size(); ++i) {
            const Posto& p = aPosti[i];
            if (presente(p) && p.cTipoAN.size() == 1 && ruoli.contains(p.cTipoAN)) m_cmb[size_t(k)]->AddItem(p.cNomeAN);
        }
    };
    switch (iModo) {
    case 0: {
        const QString ruolo = SeggioValido(iCodCons) ? NomeRuolo(aPosti[size_t(iCodCons)].cTipoAN) : QString();
        m_lbl[0]->setText(ruolo + QStringLiteral(" da sostituire:"));
        m_lbl[1]->setText(ruolo + QStringLiteral(" che subentra:"));
        for (size_t i = 1; i < aPosti.size(); ++i) {
            const Posto& p = aPosti[i];
            if (!presente(p)) continue;
            if (int(i) == iCodCons) {
                m_cmb[0]->AddItem(p.cNomeAN);
                m_cmb[0]->SetListIndex(m_cmb[0]->ListCount() - 1);
            } else {
                m_cmb[1]->AddItem(p.cNomeAN);
            }
        }
        break;
    }
    case 1:
        m_lbl[0]->setText(QStringLiteral("Segretario da sostituire:"));
        m_lbl[1]->setText(QStringLiteral("Segretario che subentra:"));
        elenca(0, QStringLiteral("G"));
        elenca(1, QStringLiteral("C"));
        break;
    case 2:
        m_lbl[0]->setText(QStringLiteral("Presidente da sostituire:"));
        m_lbl[1]->setText(QStringLiteral("Presidente che subentra:"));
        elenca(0, QStringLiteral("PST"));
        elenca(1, QStringLiteral("C"));
        break;
    default: break;
    }
}

void frmScambio::cmdScambio_Click(int Index)
{
    if (Index != 0) {
        done(QDialog::Rejected);
        return;
    }
    for (int k = 0; k < 2; ++k) {
        if (m_cmb[size_t(k)]->ListIndex() < 0) continue;
        const QString nome = m_cmb[size_t(k)]->Text();
        const int j = PostoDiNome(nome);
        if (j == 0) continue;
        (k == 0 ? iPostoUscente : iPostoEntrante) = j;
        cSegretari[size_t(k)] = nome;
    }
    if (!SeggioValido(iPostoUscente) || !SeggioValido(iPostoEntrante) || iPostoUscente == iPostoEntrante) {
        // Nothing to exchange: the caller finds no pair and does nothing.
        iPostoUscente = iPostoEntrante = 0;
        cSegretari = {};
        done(QDialog::Rejected);
        return;
    }
    Posto& u = aPosti[size_t(iPostoUscente)];
    Posto& e = aPosti[size_t(iPostoEntrante)];
    std::swap(u.cTipoAN, e.cTipoAN);
    std::swap(u.iVotatoreAN, e.iVotatoreAN);
    std::swap(u.iSmartCardAN, e.iSmartCardAN);
    ScambiaPosti(u, e);
    std::swap(u.iStato, e.iStato);
    std::swap(u.iInterventi, e.iInterventi);
    SpostaEtichette(iPostoEntrante);
    SpostaEtichette(iPostoUscente);

    iEsce = m_chkEsce->isChecked();
    if (!iEsce) {
        // The person replaced stays in the chamber with the unit in use.
        if (u.iVotatoreAN != u.iVotatoreUso && u.iVotatoreUso != e.iVotatoreAN) {
            for (size_t j = 1; j < aPosti.size(); ++j) {
                if (aPosti[j].iVotatoreAN != u.iVotatoreUso) continue;
                Posto& pj = aPosti[j];
                pj.iVotatoreAN = u.iVotatoreAN;
                u.iVotatoreAN = u.iVotatoreUso;
                ScambiaPosti(pj, u);
                SpostaEtichette(int(j));
                SpostaEtichette(iPostoUscente);
                break;
            }
        }
    }
    done(QDialog::Accepted);
}

}  // namespace obx
