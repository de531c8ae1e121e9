#include "shell/frmGetFile.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "platform/Dialoghi.h"
#include "platform/Schermo.h"
#include "platform/Testo.h"
#include "shell/FileProtetti.h"

namespace obx {

frmGetFile::frmGetFile(bool list, QWidget* parent) : QDialog(parent), xList(list)
{
    TieneNelloSchermo(this);
    setObjectName(QStringLiteral("frmGetFile"));
    setWindowTitle(QStringLiteral("Selezione Archivio"));

    dirDestinaz = new SceltaCartella(this);

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

    connect(dirDestinaz->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { RiempiFile(); });
    connect(cmdOK, &QPushButton::clicked, this, &frmGetFile::cmdOK_Click);
    connect(cmdFine, &QPushButton::clicked, this, &frmGetFile::cmdFine_Click);
    ImpostaCartella(QDir::currentPath());
}

void frmGetFile::ImpostaCartella(const QString& cartella)
{
    dirDestinaz->ImpostaCartella(cartella);
    RiempiFile();
}

QString frmGetFile::CartellaScelta() const { return dirDestinaz->CartellaScelta(); }

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
        if (lstFile->currentItem() && lstFile->currentItem()->isSelected()) nome = lstFile->currentItem()->text();
    } else {
        nome = RTrimSpazi(getNuovoNome->text());
    }
    if (!nome.isEmpty()) {
        // A new name is a file to be written: never one the program holds.
        // The operator types another one.
        if (const QString avviso = xList ? QString() : AvvisoFileProtetto(cartella + nome); !avviso.isEmpty()) {
            UI().MsgBox(avviso, vbExclamation, kTitoloOBX);
            return;
        }
        cFile = cartella + nome;
    }
    accept();
}

void frmGetFile::cmdFine_Click()
{
    cFile.clear();
    reject();
}

}  // namespace obx
