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
#include "platform/Schermo.h"
#include "platform/Servizi.h"
#include "platform/Testo.h"
#include "shell/FileProtetti.h"
#include "shell/Globali.h"

namespace obx {

frmCopia::frmCopia(QWidget* parent) : QDialog(parent)
{
    TieneNelloSchermo(this);
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
    // The extension is the program's: one typed with the name is not doubled.
    if (nome.endsWith(QStringLiteral(".db"), Qt::CaseInsensitive)) nome = RTrimSpazi(nome.chopped(3));
    if (nome.isEmpty()) nome = QStringLiteral("Copia") + cNomeArchivio;

    const QString sorgente = cCartella + cNomeArchivio + QStringLiteral(".db");
    const QString destinazione = cartella + nome + QStringLiteral(".db");
    const QString configurazione = cartella + nome + QStringLiteral(".ini");

    // The archive itself, in any letter case, through another spelling of
    // its folder or a link, is never a destination.
    if (PercorsoReale(sorgente).compare(PercorsoReale(destinazione), Qt::CaseInsensitive) == 0 ||
        StessoFile(sorgente, destinazione)) {
        UI().MsgBox(QStringLiteral("Copia Fallita (archivi aperti)"), vbOKOnly);
        return false;
    }
    // Nor any other file the program holds, for the database or its ".ini".
    for (const QString& f : {destinazione, configurazione}) {
        if (const QString avviso = AvvisoFileProtetto(f); !avviso.isEmpty()) {
            UI().MsgBox(QStringLiteral("Copia Fallita\n") + avviso, vbCritical, kTitoloOBX);
            return false;
        }
    }
    // An earlier copy is replaced only when the operator says so.
    QStringList esistenti;
    for (const QString& f : {destinazione, configurazione})
        if (QFileInfo::exists(f) || QFileInfo(f).isSymLink()) esistenti << QDir::toNativeSeparators(f);
    if (!esistenti.isEmpty() &&
        UI().MsgBox((esistenti.size() == 1 ? QStringLiteral("Il file ") + esistenti.front() +
                                                 QStringLiteral(" esiste già.")
                                           : QStringLiteral("I file ") + esistenti.join(QStringLiteral(" e ")) +
                                                 QStringLiteral(" esistono già.")) +
                        QStringLiteral("\nConfermi la sostituzione ?"),
                    vbOKCancel + vbQuestion + vbDefaultButton2, kTitoloOBX) != vbOK)
        return false;

    QString errore;
    const bool ok = CopiaFile(sorgente, destinazione, false, &errore);
    if (ok) {
        // The configuration follows the database; its outcome is not checked.
        CopiaFile(cCartella + cNomeArchivio + QStringLiteral(".ini"), configurazione, false);
    }
    // The operator reads where the copy went.
    UI().MsgBox(ok ? QStringLiteral("Copia Terminata\n") + QDir::toNativeSeparators(destinazione)
                   : QStringLiteral("Copia Fallita (archivi aperti)"),
                vbOKOnly);
    return ok;
}

void frmCopia::cmdFine_Click() { accept(); }

}  // namespace obx
