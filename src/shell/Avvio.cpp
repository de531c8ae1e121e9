#include "shell/Avvio.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "board/Video.h"
#include "board/frmVideo.h"
#include "links/ComSeriali.h"
#include "links/Tabellone.h"
#include "links/Votatori.h"
#include "links/frmTavelix.h"
#include "platform/Database.h"
#include "platform/Dialoghi.h"
#include "shell/AgganciConfig.h"
#include "shell/Anagrafe.h"
#include "shell/Configurazione.h"
#include "shell/FileComandi.h"
#include "shell/Globali.h"
#include "shell/IstanzaUnica.h"
#include "shell/Manutenzione.h"
#include "shell/frmLogin.h"
#include "shell/frmMain.h"

namespace obx {

QString ScegliFile(int iModo, const QString& cTitolo, const QString& cCartellaIniziale)
{
    const bool comandi = (iModo & 0x70) == 16;
    const QString filtro = comandi ? QStringLiteral("File comandi (*.txt)") : QStringLiteral("Archivio (*.db)");
    const QString estensione = comandi ? QStringLiteral(".txt") : QStringLiteral(".db");
    const bool archivio = (iModo & 0xF) == 0;
    QString f = UI().ApriFile(cTitolo, cCartellaIniziale, filtro, archivio);
    if (f.isEmpty()) return f;
    // The default extension, as the dialog adds it to a bare name.
    if (QFileInfo(f).suffix().isEmpty() && !QFileInfo(f).fileName().isEmpty() && !QFileInfo::exists(f)) f += estensione;
    return f;
}

bool ImpostaPercorsi(const QString& percorso)
{
    const QString assoluto = QFileInfo(percorso).absoluteFilePath();
    const int barra = int(assoluto.lastIndexOf(u'/'));
    const QString cartella = assoluto.left(barra + 1);
    QString nome = assoluto.mid(barra + 1);
    const int punto = int(nome.indexOf(u'.'));
    if (punto >= 0) nome = nome.left(punto);
    if (nome.isEmpty()) return false;
    cCartella = cartella;
    cNomeArchivio = nome;
    cPathArchivio = cCartella + cNomeArchivio + QStringLiteral(".db");
    cFileConfig = cCartella + cNomeArchivio + QStringLiteral(".ini");
    cFileLog = cCartella + QStringLiteral("LogFile.txt");
    return true;
}

namespace {

// The error that keeps the archive from being opened for the program.
void SegnalaApertura(const Errore& e)
{
    UI().MsgBox(QStringLiteral("Apertura di ") + cPathArchivio + QStringLiteral(" Fallita\n") + e.Descrizione(),
                vbCritical, QStringLiteral("Errore ") + QString::number(e.Numero()));
}

// A damaged archive: what the engine found, and where the last good one is.
void SegnalaGuasto(const QString& guasto)
{
    QStringList righe = guasto.split(u'\n', Qt::SkipEmptyParts);
    const bool altre = righe.size() > 5;
    if (altre) righe = righe.mid(0, 5);
    QString testo = QStringLiteral("Archivio danneggiato: %1\n%2%3\n\n")
                        .arg(cPathArchivio, righe.join(u'\n'), altre ? QStringLiteral("\n...") : QString());
    testo += QStringLiteral("L'archivio è stato lasciato com'era, senza scriverci nulla.\n");
    const QString old = PercorsoCopiaOld(cPathArchivio);
    const QFileInfo copia(old);
    if (copia.isFile()) {
        testo += QStringLiteral("L'ultimo archivio integro è la copia %1, fatta all'avvio del %2: non "
                                "contiene quanto registrato dopo. Per riprendere il lavoro da quella, "
                                "copiarla con il nome %3.\n")
                     .arg(old, copia.lastModified().toString(QStringLiteral("dd/MM/yyyy HH:mm")),
                          QFileInfo(cPathArchivio).fileName());
    } else {
        testo += QStringLiteral("Non esiste la copia %1 di un archivio integro.\n").arg(old);
    }
    testo += QStringLiteral("Il programma termina.");
    UI().MsgBox(testo, vbCritical, kTitoloOBX);
}

}  // namespace

bool ApriArchivio()
{
    try {
        dbArchivio.Close();
        dbArchivio.Open(cPathArchivio, true);
        return true;
    } catch (const Errore& e) {
        SegnalaApertura(e);
        return false;
    }
}

bool ManutieneArchivio(bool xSilenzioso)
{
    // An archive that cannot be written stops here, before the repair
    // would replace it with a compacted copy.
    try {
        Database::VerificaScrittura(cPathArchivio);
    } catch (const Errore& e) {
        SegnalaApertura(e);
        return false;
    }
    QString guasto;
    GestisceArchivi(QStringLiteral("I"), xSilenzioso, &guasto);
    if (!guasto.isEmpty()) {
        // Restructured or run, it would be written: it is left as it is.
        SegnalaGuasto(guasto);
        return false;
    }
    // Other failures were reported; the open that follows decides.
    GestisceArchivi(QStringLiteral("R"), xSilenzioso);
    return true;
}

std::unique_ptr<frmMain> EseguiAvvio(std::unique_ptr<IstanzaUnica>& lock, const QString& percorsoLock)
{
    lock = std::make_unique<IstanzaUnica>(percorsoLock);
    if (!lock->Acquisita()) {
        UI().MsgBox(QString::fromUtf8("O.B.X. già in esecuzione"), vbOKOnly);
        return nullptr;
    }

    ImpostaTabelleFisse();
    RilevaMonitor();
    iLenRisposta = 1;

    if (cCartellaProgramma.isEmpty()) cCartellaProgramma = QApplication::applicationDirPath() + u'/';

    // The archive: a name without a base ("".db") is refused and asked again.
    for (;;) {
        const QString scelto = ScegliFile(0, QStringLiteral("Selezione Archivio di Riferimento"), cCartellaProgramma);
        if (scelto.isEmpty()) return nullptr;
        if (ImpostaPercorsi(scelto)) break;
        UI().MsgBox(QStringLiteral("Nome di archivio non valido: ") + QFileInfo(scelto).fileName(), vbExclamation);
    }

    iTraccia = 14;
    GestisceConfig(true);

    // Archive upkeep, silent: created when missing, else repaired, compacted
    // and brought to the schema.  Failures were reported; the open below
    // decides, but a damaged archive or one that cannot be written ends
    // the program untouched.
    if (!QFileInfo::exists(cPathArchivio))
        GestisceArchivi(QStringLiteral("C"), true);
    else if (!ManutieneArchivio(true))
        return nullptr;

    // The update command file runs on the archive the program holds open,
    // so its statements reach a new archive too.
    if (!ApriArchivio()) return nullptr;
    EsegueFileComandi(cCartellaProgramma + QStringLiteral("ListaPro.txt"), true);

    oTabellone = std::make_unique<Tabellone>();
    // The configuration dialogs reach the ports and the radio diagnostics
    // through these entries; no port is opened here.
    AgganciDialoghiConfig().TestaPorta = TestaPorta;
    AgganciDialoghiConfig().TestaCentralina = TestaCentralina;
    AgganciDialoghiConfig().MostraDiagnosticaRadio = [](QWidget* padre) {
        frmTavelix f(padre);
        f.exec();
    };
    FrmVideo::CaricaAnagrafe = [] { return GestisceAnagrafe(true); };

    cLedQuadro = QString(48, u'0');
    cLedPresenze = QString(48, u'0');

    if (xPassword) {
        frmLogin login;
        login.exec();
        if (!login.xOKPassword) {
            dbArchivio.Close();
            return nullptr;
        }
    }

    auto w = std::make_unique<frmMain>();
    w->show();
    return w;
}

int Avvia(QApplication& app)
{
    std::unique_ptr<IstanzaUnica> lock;
    auto w = EseguiAvvio(lock);
    if (!w) return 0;
    QObject::connect(&app, &QApplication::lastWindowClosed, &app, &QApplication::quit);
    const int r = app.exec();
    dbArchivio.Close();
    return r;
}

}  // namespace obx
