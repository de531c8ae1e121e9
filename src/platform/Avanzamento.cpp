#include "platform/Avanzamento.h"

#include <QApplication>
#include <QProgressDialog>

#include "platform/Dialoghi.h"

namespace obx {

Avanzamento::Avanzamento(const QString& testo, int totale)
{
    if (totale < kMinimo || !qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    m_dlg = std::make_unique<QProgressDialog>(testo, QString(), 0, totale, QApplication::activeWindow());
    m_dlg->setWindowTitle(kTitoloOBX);
    m_dlg->setWindowModality(Qt::ApplicationModal);
    m_dlg->setMinimumDuration(700);
    m_dlg->setAutoClose(false);
    m_dlg->setValue(0);
}

Avanzamento::~Avanzamento() = default;

void Avanzamento::Passo(int n)
{
    if (m_dlg && n % kOgni == 0) m_dlg->setValue(n);
}

}  // namespace obx
