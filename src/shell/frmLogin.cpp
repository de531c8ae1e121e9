#include "shell/frmLogin.h"

#include <QCryptographicHash>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Dialoghi.h"
#include "platform/Schermo.h"

namespace obx {

namespace {
// The accepted passwords are held only as salted digests, so that reading the
// program does not reveal them.
const QByteArray kSale = "obx-accesso:";
const char* const kDigestCodice = "59640ef844963790df3248d25b29d2cf7e39eac7a572ca866fa96a5dc945d833";
const char* const kDigestParola = "f2f4ec9f37508954b3c795918e089795b86d81ab0959cb410a7154d62e6c9b3c";

QByteArray Digest(const QString& s)
{
    return QCryptographicHash::hash(kSale + s.toUtf8(), QCryptographicHash::Sha256).toHex();
}
}  // namespace

bool frmLogin::PasswordValida(const QString& testo)
{
    return Digest(testo) == kDigestCodice || Digest(testo.toLower()) == kDigestParola;
}

frmLogin::frmLogin(QWidget* parent) : QDialog(parent)
{
    TieneNelloSchermo(this);
    setWindowTitle(QStringLiteral("Accesso"));
    setObjectName(QStringLiteral("frmLogin"));
    lblLabels = new QLabel(QStringLiteral("&Password:"), this);
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    lblLabels->setBuddy(txtPassword);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Annulla"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* riga = new QHBoxLayout;
    riga->addWidget(lblLabels);
    riga->addWidget(txtPassword);
    auto* bottoni = new QHBoxLayout;
    bottoni->addStretch();
    bottoni->addWidget(cmdOK);
    bottoni->addWidget(cmdCancel);
    auto* v = new QVBoxLayout(this);
    v->addLayout(riga);
    v->addLayout(bottoni);

    connect(cmdOK, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLogin::cmdCancel_Click);
}

void frmLogin::cmdOK_Click()
{
    if (PasswordValida(txtPassword->text())) {
        xOKPassword = true;
        accept();
        return;
    }
    UI().MsgBox(QStringLiteral("Password non valida. Riprovare"), vbOKOnly, QStringLiteral("Accesso"));
    txtPassword->setFocus();
    txtPassword->selectAll();
}

void frmLogin::cmdCancel_Click()
{
    xOKPassword = false;
    QDialog::reject();
}

// Esc and the close box answer like "Annulla".
void frmLogin::reject() { cmdCancel_Click(); }

}  // namespace obx
