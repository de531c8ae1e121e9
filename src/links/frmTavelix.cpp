#include "links/frmTavelix.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "links/ComSeriali.h"
#include "links/Votatori.h"
#include "platform/Documenti.h"
#include "platform/Schermo.h"
#include "platform/Testo.h"
#include "shell/Globali.h"

namespace obx {

namespace {

constexpr int32_t kRosso = 0xFF;
constexpr int32_t kGiallo = 0xFFFF;
constexpr int32_t kVerde = 0xFF00;
constexpr int32_t kVerdeScuro = 0x7E00;

constexpr int kUnita = 4096;
constexpr double kVoltPerCodice = 0.0441977;
constexpr double kBatteriaScarica = 6.1;

// Blue-green-red value as a style-sheet colour.
QString Css(int32_t bgr)
{
    return QStringLiteral("#%1%2%3")
        .arg(bgr & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((bgr >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((bgr >> 16) & 0xFF, 2, 16, QLatin1Char('0'));
}

QString Byte(int b) { return QString(QChar(b)); }

QString Destra5(const QString& s) { return s.rightJustified(5, u' '); }

// Volts with two decimals, rounded half away from zero ("##0.00").
QString Volt(double v) { return QString::number(std::round(v * 100.0) / 100.0, 'f', 2); }

}  // namespace

frmTavelix::frmTavelix(QWidget* parent) : QDialog(parent)
{
    TieneNelloSchermo(this);
    setWindowTitle(QStringLiteral("Verifica Votatori"));
    setModal(true);

    boxSlave = new QGroupBox(QStringLiteral("Antenne"), this);
    auto* righeAntenne = new QHBoxLayout(boxSlave);
    for (int k = 0; k < 8; ++k) {
        txtSlave[size_t(k)] = new QLabel(QString::number(k + 1), boxSlave);
        txtSlave[size_t(k)]->setAlignment(Qt::AlignCenter);
        txtSlave[size_t(k)]->setMinimumSize(28, 28);
        txtSlave[size_t(k)]->setFrameShape(QFrame::Panel);
        txtSlave[size_t(k)]->setFrameShadow(QFrame::Sunken);
        righeAntenne->addWidget(txtSlave[size_t(k)]);
    }
    static const char* didascalie[] = {"Reset", "Antenne", "Batterie"};
    auto* bottoni = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        cmdTest[size_t(i)] = new QPushButton(QString::fromLatin1(didascalie[i]), this);
        connect(cmdTest[size_t(i)], &QPushButton::clicked, this, [this, i] { cmdTest_Click(i); });
        bottoni->addWidget(cmdTest[size_t(i)]);
    }
    txtInfo = new QLabel(this);
    txtInfo->setAlignment(Qt::AlignCenter);
    txtInfo->setMinimumHeight(48);
    txtInfo->setWordWrap(true);
    txtInfo->setAutoFillBackground(true);

    auto* l = new QVBoxLayout(this);
    l->addWidget(boxSlave);
    l->addLayout(bottoni);
    l->addWidget(txtInfo);

    TutteRosse();
    Info(QString(), kGiallo);
    cMappaRilievo = QByteArray(2 * kUnita, '\0');
    croAsta.setInterval(50);
    croAsta.setSingleShot(false);
    connect(&croAsta, &QTimer::timeout, this, [this] { croAsta_Timer(); });
}

frmTavelix::~frmTavelix()
{
    croAsta.stop();
    if (iStatoRilievo == 1) {
        // Gone without a stop (its owner was destroyed): the central is told
        // to stop and the port given back, without asking anybody.
        iStatoRilievo = 0;
        if (oComTLV.PortOpen()) {
            oComTLV.Output(Byte(0xAA));
            oComTLV.SetPortOpen(false);
        }
    }
    xRilievoRadio = false;
}

void frmTavelix::Antenna(int k, int32_t colore)
{
    m_coloreAntenna[size_t(k)] = colore;
    txtSlave[size_t(k)]->setStyleSheet(QStringLiteral("background-color: %1; color: black;").arg(Css(colore)));
}

void frmTavelix::TutteRosse()
{
    for (int k = 0; k < 8; ++k) Antenna(k, kRosso);
}

void frmTavelix::Info(const QString& testo, int32_t colore)
{
    m_coloreInfo = colore;
    txtInfo->setStyleSheet(QStringLiteral("background-color: black; color: %1;").arg(Css(colore)));
    txtInfo->setText(testo);
}

void frmTavelix::Esito(const QString& testo, bool ok) { Info(testo, ok ? kVerdeScuro : kRosso); }

void frmTavelix::Tiene() { xRilievoRadio = (iStatoRilievo == 1); }

QString frmTavelix::FileRapporto()
{
    const QString cartella = cCartella.isEmpty() ? QDir::tempPath() + u'/' : cCartella;
    return cartella + QStringLiteral("LogInfo.txt");
}

void frmTavelix::FineRilievo()
{
    croAsta.stop();
    iStatoRilievo = 0;
    ++m_generazione;
    cmdTest[0]->setText(QStringLiteral("Reset"));
    cmdTest[1]->setEnabled(true);
}

void frmTavelix::cmdTest_Click(int Index)
{
    // The port is held for the whole button's work: between the steps the
    // event loop turns and the console's timer may tick.
    xRilievoRadio = true;
    const QString apertura = QStringLiteral("Apertura COM") + QString::number(iPortaTLV) + QStringLiteral(" Fallita");

    if (Index == 0) {
        const bool rilievo = (iStatoRilievo == 1);
        TutteRosse();
        if (!oComTLV.PortOpen() && !ApreComVotatori(iPortaTLV, true)) {
            QString nota;
            if (rilievo) {
                int n = 0;
                FineRilievo();
                nota = RapportoEApertura(n);
            }
            Esito(apertura + nota, false);
            Tiene();
            return;
        }
        if (!TrasmetteVotatori(Byte(0xAA), 0, QString())) {
            // The survey is over all the same: what was heard goes into the
            // report, and the close below sends the stop once more.
            QString nota;
            if (rilievo) {
                int n = 0;
                FineRilievo();
                nota = RapportoEApertura(n);
            }
            ChiudeComVotatori(0);
            Esito(QStringLiteral("Trasmissione Fallita (0xAA)") + nota, false);
            Tiene();
            return;
        }
        bool ok = true;
        QString msg;
        if (rilievo) {
            FineRilievo();
            int trovati = 0;
            const QString nota = RapportoEApertura(trovati);
            if (trovati > 0) {
                msg = QStringLiteral("Trovati ") + QString::number(trovati) + QStringLiteral(" Votatori");
            } else {
                msg = QStringLiteral("Nessun Votatore");
                ok = false;
            }
            msg += nota;
        } else {
            msg = QStringLiteral("Comando Eseguito");
        }
        iStatoRilievo = 0;
        ChiudeComVotatori(0);
        Esito(msg, ok);
        Tiene();
        return;
    }

    if (Index == 1) {
        TutteRosse();
        Info(QStringLiteral("Prego Attendere..."), kGiallo);
        cmdTest[0]->setEnabled(false);
        cmdTest[2]->setEnabled(false);
        bool ok = false;
        QString msg;
        if (!ApreComVotatori(iPortaTLV, true)) {
            msg = apertura;
        } else {
            int trovate = 0;
            bool fallita = false;
            for (int k = 1; k <= 8; ++k) {
                Antenna(k - 1, kGiallo);
                // A byte left over is no answer of this antenna.
                oComTLV.SvuotaIngresso();
                if (!TrasmetteVotatori(Byte(0x11 * k), 0, QString())) {
                    msg = QStringLiteral("Trasmissione Fallita (0x%1%1)").arg(k);
                    ok = false;
                    fallita = true;
                    Antenna(k - 1, kRosso);
                    break;
                }
                if (RiceveVotatori(1, 1).size() == 1) {
                    Antenna(k - 1, kVerde);
                    ok = true;
                    ++trovate;
                } else {
                    Antenna(k - 1, kRosso);
                }
            }
            ChiudeComVotatori(0);
            if (!fallita)
                msg = trovate == 0 ? QStringLiteral("Nessuna Antenna")
                                   : QStringLiteral("Trovate") + Str(trovate) + QStringLiteral(" Antenne");
        }
        Esito(msg, ok);
        cmdTest[0]->setEnabled(true);
        cmdTest[2]->setEnabled(true);
        Tiene();
        return;
    }

    if (Index == 2) {
        cmdTest[1]->setEnabled(false);
        // A survey already running is replaced by the new one.
        croAsta.stop();
        iStatoRilievo = 0;
        ++m_generazione;
        xRilievoRadio = true;
        auto nonParte = [&](const QString& msg) {
            FineRilievo();
            Esito(msg, false);
            Tiene();
        };
        if (!ApreComVotatori(iPortaTLV, true)) return nonParte(apertura);
        if (!TrasmetteVotatori(Byte(0xAA), 0, QString())) {
            oComTLV.SetPortOpen(false);
            return nonParte(QStringLiteral("Trasmissione Fallita (0xAA)"));
        }
        Attende(0.5);
        cMappaRilievo = QByteArray(2 * kUnita, '\0');
        lRicevuti = 0;
        if (!TrasmetteVotatori(Byte(0xEE), 0, QString())) {
            // Left stopped and the port given back.
            ChiudeComVotatori(0);
            return nonParte(QStringLiteral("Trasmissione Fallita (0xEE)"));
        }
        cResiduoRilievo.clear();
        croAsta.setInterval(50);
        iStatoRilievo = 1;
        ++m_generazione;
        croAsta.start();
        cmdTest[0]->setText(QStringLiteral("Stop"));
        Esito(QStringLiteral("Premere i tasti C e ON"), true);
        Tiene();
        return;
    }
}

void frmTavelix::croAsta_Timer()
{
    croAsta.stop();
    if (iStatoRilievo != 1) return;
    const int generazione = m_generazione;
    const QString residuo = cResiduoRilievo;
    QPointer<frmTavelix> vivo(this);
    const QString letto = RiceveVotatori(0, 2);
    if (!vivo) return;
    // Stopped or started anew during the wait: these bytes are not this
    // survey's any more.
    if (generazione != m_generazione) return;
    AnalizzaRilievo(residuo + letto);
    if (iStatoRilievo == 1) croAsta.start();
}

void frmTavelix::AnalizzaRilievo(const QString& buffer)
{
    if (cMappaRilievo.size() != 2 * kUnita) cMappaRilievo = QByteArray(2 * kUnita, '\0');
    const qsizetype n = buffer.size();
    cResiduoRilievo.clear();
    for (qsizetype i = 0; i < n; ++i) {
        const int b0 = buffer.at(i).unicode() & 0xFF;
        if (b0 < 0xF0) continue;
        if (n - i - 1 < 5) {
            cResiduoRilievo = buffer.mid(i);
            break;
        }
        auto b = [&](int j) { return int(buffer.at(i + j).unicode() & 15); };
        const int u = b(1) + 16 * b(2) + 256 * b(3);
        const int codice = b(4) + 16 * b(5);
        if (cMappaRilievo.at(2 * u + 1) == 0) {
            ++lRicevuti;
            txtInfo->setText(QStringLiteral("Ricevuti") + Str(lRicevuti));
        }
        cMappaRilievo[2 * u + 1] = char(codice);
        const int antenna = b0 & 15;
        if (antenna >= 1 && antenna <= 8)
            cMappaRilievo[2 * u] = char((static_cast<unsigned char>(cMappaRilievo.at(2 * u))) | (1 << (antenna - 1)));
    }
}

bool frmTavelix::ScriveRapporto(int& trovati, int& nonRicevuti, int& scarichi)
{
    trovati = nonRicevuti = scarichi = 0;
    QStringList righe;
    righe << QStringLiteral("TLV      Volt     Antenne") << QStringLiteral("-----    -----    --------------------");
    for (int u = 0; u < kUnita; ++u) {
        if (u < iPrimoTLV || u > iUltimoTLV) continue;
        const int codice = static_cast<unsigned char>(cMappaRilievo.at(2 * u + 1));
        const QString numero = Destra5(QString::number(u));
        if (codice != 0) {
            const double volt = codice * kVoltPerCodice;
            QString r = numero + QStringLiteral("    ") + Destra5(Volt(volt)) + QStringLiteral("   ");
            const int maschera = static_cast<unsigned char>(cMappaRilievo.at(2 * u));
            for (int k = 1; k <= 8; ++k)
                if (maschera & (1 << (k - 1))) r += u' ' + QString::number(k);
            righe << r;
            ++trovati;
            if (volt < kBatteriaScarica) ++scarichi;
        } else {
            righe << numero + QStringLiteral("    ") + QString(9, u' ') + QStringLiteral("NON TROVATO");
            ++nonRicevuti;
        }
    }
    righe << QString() << QString();
    righe << Destra5(QString::number(trovati)) + QStringLiteral(" Votatori trovati");
    righe << Destra5(QString::number(nonRicevuti)) + QStringLiteral(" Votatori non ricevuti");
    righe << QString(15, u'-');
    righe << Destra5(QString::number(scarichi)) + QStringLiteral(" Votatori con batteria scarica");

    QFile f(FileRapporto());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    for (const QString& r : righe) {
        f.write(ToCp1252(r));
        f.write("\r\n");
    }
    return f.error() == QFileDevice::NoError;
}

// Writes and opens the report; the text to add to the outcome message when
// it could not be written or shown.
QString frmTavelix::RapportoEApertura(int& trovati)
{
    int nonRicevuti = 0, scarichi = 0;
    const QString percorso = FileRapporto();
    if (!ScriveRapporto(trovati, nonRicevuti, scarichi))
        return QStringLiteral("\nImpossibile scrivere ") + QDir::toNativeSeparators(percorso);
    if (!MostraDocumento(percorso, QStringLiteral("il rapporto dei votatori")))
        return QStringLiteral("\nRapporto in ") + QDir::toNativeSeparators(percorso);
    return QString();
}

void frmTavelix::closeEvent(QCloseEvent* e)
{
    // Closing the window ends a survey as its Stop button does.
    if (iStatoRilievo == 1) cmdTest_Click(0);
    QDialog::closeEvent(e);
}

void frmTavelix::reject()
{
    if (iStatoRilievo == 1) cmdTest_Click(0);
    QDialog::reject();
}

}  // namespace obx
