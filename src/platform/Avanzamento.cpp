#include "platform/Avanzamento.h"

#include <QApplication>
#include <QProgressDialog>

#include "platform/Dialoghi.h"

namespace obx {

namespace {

Avanzamento::Arresto& ArrestoImpostato()
{
    static Avanzamento::Arresto a;
    return a;
}

}  // namespace

void Avanzamento::ImpostaArresto(Arresto arresto) { ArrestoImpostato() = std::move(arresto); }

QString Avanzamento::Conteggio(int n, int totale) { return QStringLiteral("%1 di %2").arg(n).arg(totale); }

Avanzamento::Avanzamento(const QString& testo, int totale) : m_testo(testo), m_totale(totale)
{
    if (totale < kMinimo || !qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    m_dlg = std::make_unique<QProgressDialog>(testo + u'\n' + Conteggio(0, totale), QStringLiteral("Interrompi"), 0,
                                              totale, QApplication::activeWindow());
    m_dlg->setWindowTitle(kTitoloOBX);
    m_dlg->setWindowModality(Qt::ApplicationModal);
    m_dlg->setMinimumDuration(700);
    m_dlg->setAutoClose(false);
    m_dlg->setAutoReset(false);
    m_dlg->setValue(0);
}

Avanzamento::~Avanzamento() = default;

void Avanzamento::Passo(int n)
{
    if (m_dlg && n % kOgni == 0) {
        m_dlg->setLabelText(m_testo + u'\n' + Conteggio(n, m_totale));
        m_dlg->setValue(n);
    }
    if (const Arresto& a = ArrestoImpostato(); a && a(n, m_totale)) m_fermato = true;
}

bool Avanzamento::Fermato() const { return m_fermato || (m_dlg && m_dlg->wasCanceled()); }

}  // namespace obx
