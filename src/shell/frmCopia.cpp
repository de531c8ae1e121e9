#include "shell/frmCopia.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/Dialoghi.h"
#include "platform/Servizi.h"
#include "platform/Testo.h"
#include "shell/Globali.h"

namespace obx {

frmCopia::frmCopia(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCopia"));
    setWindowTitle(QStringLiteral("Copia di ") + cPathArchivio);
    dirDestinaz = new SceltaCartella(this);
    getNuovoNome = new QLineEdit(this);
    getNuovoNome->setObjectName(QStringLiteral("getNuovoNome"));
    getNuovoNome->setMaxLength(30);
    cmdCopia = new QPushButton(QStringLiteral("Copia"), this);
    cmdFine = new QPushButton(QStringLiteral("Fine"), this);

    auto* g = new QGridLayout(this);
    g->addWidget(new QLabel(QStringLiteral("Cartella:"), this), 0, 0);
    g->addWidget(dirDestinaz, 1, 0, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Nuovo Nome:"), this), 2, 0);
    g->addWidget(getNuovoNome, 2, 1);
    auto* b = new QHBoxLayout;
    b->addStretch();
    b->addWidget(cmdCopia);
    b->addWidget(cmdFine);
    g->addLayout(b, 3, 0, 1, 2);
    resize(520, 400);

    connect(cmdCopia, &QPushButton::clicked, this, [this] { cmdCopia_Click(); });
    connect(cmdFine, &QPushButton::clicked, this, &frmCopia::cmdFine_Click);
    ImpostaCartella(cCartella.isEmpty() ? QDir::currentPath() : cCartella);
}

void frmCopia::ImpostaCartella(const QString& cartella)
{
    dirDestinaz->ImpostaCartella(cartella);
}

QString frmCopia::CartellaScelta() const { return dirDestinaz->CartellaScelta(); }

bool frmCopia::cmdCopia_Click()
{
    const QString cartella = CartellaScelta();
    QString nome = RTrimSpazi(getNuovoNome->text());
    if (nome.isEmpty()) nome = QStringLiteral("Copia") + cNomeArchivio;

    const QString sorgente = cCartella + cNomeArchivio + QStringLiteral(".db");
    const QString destinazione = cartella + nome + QStringLiteral(".db");

    // The archive itself, in any letter case or through another spelling of
    // its folder, is never a destination.
    const auto canonico = [](const QString& p) {
        const QFileInfo fi(p);
        const QString dir = QFileInfo(fi.absolutePath()).canonicalFilePath();
        return (dir.isEmpty() ? fi.absolutePath() : dir) + u'/' + fi.fileName();
    };
    bool ok = canonico(sorgente).compare(canonico(destinazione), Qt::CaseInsensitive) != 0;
    if (ok) {
        QString errore;
        ok = CopiaFile(sorgente, destinazione, false, &errore);
        if (ok) {
            // The configuration follows the database; its outcome is not checked.
            CopiaFile(cCartella + cNomeArchivio + QStringLiteral(".ini"),
                      cartella + nome + QStringLiteral(".ini"), false);
        }
    }
    UI().MsgBox(ok ? QStringLiteral("Copia Terminata") : QStringLiteral("Copia Fallita (archivi aperti)"),
                vbOKOnly);
    return ok;
}

void frmCopia::cmdFine_Click() { accept(); }

}  // namespace obx
