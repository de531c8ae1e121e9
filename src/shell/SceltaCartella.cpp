#include "shell/SceltaCartella.h"

#include <QDir>
#include <QFileSystemModel>

namespace obx {

SceltaCartella::SceltaCartella(QWidget* parent) : QTreeView(parent)
{
    setObjectName(QStringLiteral("dirDestinaz"));
    m_cartelle = new QFileSystemModel(this);
    m_cartelle->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_cartelle->setRootPath(QStringLiteral("/"));
    setModel(m_cartelle);
    for (int c = 1; c < m_cartelle->columnCount(); ++c) hideColumn(c);
    setHeaderHidden(true);
}

void SceltaCartella::ImpostaCartella(const QString& cartella)
{
    const QModelIndex i = m_cartelle->index(QDir(cartella).absolutePath());
    setCurrentIndex(i);
    scrollTo(i);
}

QString SceltaCartella::CartellaScelta() const
{
    QString c = m_cartelle->filePath(currentIndex());
    if (c.isEmpty()) c = QDir::currentPath();
    if (!c.endsWith(u'/')) c += u'/';
    return c;
}

}  // namespace obx
