#include "shell/frmGetFile.h"

#include <QDir>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>

#include "platform/Testo.h"

namespace obx {

frmGetFile::frmGetFile(bool list, QWidget* parent) : QDialog(parent), xList(list)
{
    setObjectName(QStringLiteral("frmGetFile"));
    setWindowTitle(QStringLiteral("Selezione Archivio"));

    m_cartelle = new QFileSystemModel(this);
    m_cartelle->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_cartelle->setRootPath(QStringLiteral("/"));
    dirDestinaz = new QTreeView(this);
    dirDestinaz->setObjectName(QStringLiteral("dirDestinaz"));
    dirDestinaz->setModel(m_cartelle);
    for (int c = 1; c < m_cartelle->columnCount(); ++c) dirDestinaz->hideColumn(c);
    dirDestinaz->setHeaderHidden(true);

    lstFile = new QListWidget(this);
    lstFile->setObjectName(QStringLiteral("lstFile"));
    getNuovoNome = new QLineEdit(this);
    getNuovoNome->setObjectName(QStringLiteral("getNuovoNome"));
    getNuovoNome->setMaxLength(30);
    cmdOK = new QPushButton(QStringLiteral("Ok"), this);
    cmdOK->setDefault(true);
    cmdFine = new QPushButton(QStringLiteral("Annulla"), this);

    auto* g = new QGridLayout(this);
    g->addWidget(new QLabel(QStringLiteral("Cartella:"), this), 0, 0);
    g->addWidget(dirDestinaz, 1, 0, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Archivio:"), this), 2, 0);
    g->addWidget(lstFile, 3, 0, 1, 2);
    g->addWidget(getNuovoNome, 4, 0, 1, 2);
    auto* b = new QHBoxLayout;
    b->addStretch();
    b->addWidget(cmdOK);
    b->addWidget(cmdFine);
    g->addLayout(b, 5, 0, 1, 2);

    lstFile->setVisible(xList);
    getNuovoNome->setVisible(!xList);
    resize(520, xList ? 420 : 300);
    cFile.clear();

    connect(dirDestinaz->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { RiempiFile(); });
    connect(cmdOK, &QPushButton::clicked, this, &frmGetFile::cmdOK_Click);
    connect(cmdFine, &QPushButton::clicked, this, &frmGetFile::cmdFine_Click);
    ImpostaCartella(QDir::currentPath());
}

void frmGetFile::ImpostaCartella(const QString& cartella)
{
    const QModelIndex i = m_cartelle->index(QDir(cartella).absolutePath());
    dirDestinaz->setCurrentIndex(i);
    dirDestinaz->scrollTo(i);
    RiempiFile();
}

QString frmGetFile::CartellaScelta() const
{
    QString c = m_cartelle->filePath(dirDestinaz->currentIndex());
    if (c.isEmpty()) c = QDir::currentPath();
    if (!c.endsWith(u'/')) c += u'/';
    return c;
}

void frmGetFile::RiempiFile()
{
    lstFile->clear();
    const QDir d(CartellaScelta());
    lstFile->addItems(d.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void frmGetFile::cmdOK_Click()
{
    const QString cartella = CartellaScelta();
    QString nome;
    if (xList) {
        if (lstFile->currentItem() && lstFile->currentItem()->isSelected())
            nome = lstFile->currentItem()->text();
    } else {
        nome = RTrimSpazi(getNuovoNome->text());
    }
    if (!nome.isEmpty()) cFile = cartella + nome;
    accept();
}

void frmGetFile::cmdFine_Click()
{
    cFile.clear();
    reject();
}

}  // namespace obx
