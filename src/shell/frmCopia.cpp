#include "shell/frmCopia.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
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
    lblDestinazione = new QLabel(this);
    lblDestinazione->setObjectName(QStringLiteral("lblDestinazione"));
    lblDestinazione->setTextFormat(Qt::PlainText);
    lblDestinazione->setMinimumWidth(1);
    getNuovoNome = new QLineEdit(this);
    getNuovoNome->setObjectName(QStringLiteral("getNuovoNome"));
    getNuovoNome->setMaxLength(30);
    cmdCopia = new QPushButton(QStringLiteral("Copia"), this);
    cmdFine = new QPushButton(QStringLiteral("Fine"), this);

    auto* g = new QGridLayout(this);
    g->addWidget(new QLabel(QStringLiteral("Cartella:"), this), 0, 0);
    g->addWidget(dirDestinaz, 1, 0, 1, 2);
    g->addWidget(lblDestinazione, 2, 0, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Nuovo Nome:"), this), 3, 0);
    g->addWidget(getNuovoNome, 3, 1);
    auto* b = new QHBoxLayout;
    b->addStretch();
    b->addWidget(cmdCopia);
    b->addWidget(cmdFine);
    g->addLayout(b, 4, 0, 1, 2);
    resize(520, 400);

    connect(cmdCopia, &QPushButton::clicked, this, [this] { cmdCopia_Click(); });
    connect(cmdFine, &QPushButton::clicked, this, &frmCopia::cmdFine_Click);
    connect(dirDestinaz->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { MostraDestinazione(); });
    ImpostaCartella(cCartella.isEmpty() ? QDir::currentPath() : cCartella);
}

void frmCopia::ImpostaCartella(const QString& cartella)
{
    dirDestinaz->ImpostaCartella(cartella);
    MostraDestinazione();
}

void frmCopia::MostraDestinazione()
{
    const QString cartella = QDir::toNativeSeparators(CartellaScelta());
    lblDestinazione->setToolTip(cartella);
    lblDestinazione->setText(
        lblDestinazione->fontMetrics().elidedText(cartella, Qt::ElideMiddle, lblDestinazione->contentsRect().width()));
}

void frmCopia::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    MostraDestinazione();
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
            CopiaFile(cCartella + cNomeArchivio + QStringLiteral(".ini"), cartella + nome + QStringLiteral(".ini"),
                      false);
        }
    }
    // The operator reads where the copy went.
    UI().MsgBox(ok ? QStringLiteral("Copia Terminata\n") + QDir::toNativeSeparators(destinazione)
                   : QStringLiteral("Copia Fallita (archivi aperti)"),
                vbOKOnly);
    return ok;
}

void frmCopia::cmdFine_Click() { accept(); }

}  // namespace obx
