#include "shell/SceltaCartella.h"

#include <QDir>
#include <QFileSystemModel>
#include <QScrollBar>
#include <QTimer>

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
    // The model reads and sorts the folders in the background: rows come
    // after the folder was set, and would push it out of sight.
    connect(m_cartelle, &QFileSystemModel::directoryLoaded, this, [this] {
        MostraScelta();
        QTimer::singleShot(0, this, &SceltaCartella::MostraScelta);
    });
    connect(m_cartelle, &QFileSystemModel::layoutChanged, this, &SceltaCartella::MostraScelta);
    connect(verticalScrollBar(), &QScrollBar::sliderPressed, this, [this] { m_inVista = false; });
}

void SceltaCartella::MostraScelta()
{
    if (m_inVista && currentIndex().isValid()) scrollTo(currentIndex(), QAbstractItemView::PositionAtCenter);
}

void SceltaCartella::mousePressEvent(QMouseEvent* e)
{
    m_inVista = false;
    QTreeView::mousePressEvent(e);
}

void SceltaCartella::keyPressEvent(QKeyEvent* e)
{
    m_inVista = false;
    QTreeView::keyPressEvent(e);
}

void SceltaCartella::wheelEvent(QWheelEvent* e)
{
    m_inVista = false;
    QTreeView::wheelEvent(e);
}

void SceltaCartella::ImpostaCartella(const QString& cartella)
{
    const QModelIndex i = m_cartelle->index(QDir(cartella).absolutePath());
    setCurrentIndex(i);
    m_inVista = true;
    MostraScelta();
}

QString SceltaCartella::CartellaScelta() const
{
    QString c = m_cartelle->filePath(currentIndex());
    if (c.isEmpty()) c = QDir::currentPath();
    if (!c.endsWith(u'/')) c += u'/';
    return c;
}

}  // namespace obx
