#include "platform/Elenchi.h"

#include <QSignalBlocker>

namespace obx {

// ---------------------------------------------------------------------------
// ElencoCombo

ElencoCombo::ElencoCombo(QWidget* genitore) : QComboBox(genitore)
{
    setEditable(false);
    setMaxVisibleItems(20);
    // `activated` is the operator's choice, also of the entry already shown.
    connect(this, &QComboBox::activated, this, [this](int) {
        if (!m_daCodice && Click) Click();
    });
}

void ElencoCombo::SetListIndex(int i)
{
    if (i < -1 || i >= count()) i = -1;
    {
        const QSignalBlocker blocco(this);
        setCurrentIndex(i);
    }
    if (Click) Click();
}

void ElencoCombo::AddItem(const QString& testo)
{
    const int prima = currentIndex();
    const QSignalBlocker blocco(this);
    addItem(testo);
    // The first entry of an empty combo would become the selection.
    if (prima < 0) setCurrentIndex(-1);
}

void ElencoCombo::RemoveItem(int i)
{
    if (i < 0 || i >= count()) return;
    const QSignalBlocker blocco(this);
    removeItem(i);
}

void ElencoCombo::Clear()
{
    const QSignalBlocker blocco(this);
    clear();
}

// ---------------------------------------------------------------------------
// ElencoLista

ElencoLista::ElencoLista(QWidget* genitore) : QListWidget(genitore)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::currentRowChanged, this, [this](int) {
        if (!m_daCodice && Click) Click();
    });
}

void ElencoLista::SetListIndex(int i)
{
    if (i < -1 || i >= count()) i = -1;
    m_daCodice = true;
    setCurrentRow(i);
    if (i < 0) clearSelection();
    m_daCodice = false;
    if (Click) Click();
}

QString ElencoLista::List(int i) const
{
    const QListWidgetItem* r = item(i);
    return r ? r->text() : QString();
}

QString ElencoLista::Text() const { return List(currentRow()); }

void ElencoLista::AddItem(const QString& testo)
{
    m_daCodice = true;
    addItem(testo);
    m_daCodice = false;
}

void ElencoLista::RemoveItem(int i)
{
    if (i < 0 || i >= count()) return;
    m_daCodice = true;
    delete takeItem(i);
    m_daCodice = false;
}

bool ElencoLista::RimuoviTesto(const QString& testo)
{
    for (int i = 0; i < count(); ++i) {
        if (item(i)->text() == testo) {
            RemoveItem(i);
            return true;
        }
    }
    return false;
}

void ElencoLista::Clear()
{
    m_daCodice = true;
    clear();
    m_daCodice = false;
}

}  // namespace obx
