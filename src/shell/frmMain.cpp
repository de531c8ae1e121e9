#include "shell/frmMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QUrl>

#include "board/frmDisplay.h"
#include "board/frmPosti.h"
#include "console/frmCons.h"
#include "links/ComSeriali.h"
#include "links/Tabellone.h"
#include "links/Votatori.h"
#include "platform/Database.h"
#include "platform/Dialoghi.h"
#include "platform/Documenti.h"
#include "platform/Schermo.h"
#include "platform/Testo.h"
#include "registers/frmAnag.h"
#include "registers/frmDataGrid.h"
#include "registers/frmDelib.h"
#include "registers/frmLeggi.h"
#include "reports/Scambio.h"
#include "reports/Statistica.h"
#include "reports/VerbaleSeduta.h"
#include "reports/frmEvent.h"
#include "reports/frmVoti.h"
#include "shell/Avvio.h"
#include "shell/ControlloDati.h"
#include "shell/FileComandi.h"
#include "shell/Globali.h"
#include "shell/Manutenzione.h"
#include "shell/VotoInCorso.h"
#include "shell/frmConfig.h"
#include "shell/frmCopia.h"
#include "shell/frmGetFile.h"
#include "shell/frmParam.h"

namespace obx {

namespace {
QAction* Voce(QMenu* m, const QString& testo, bool attiva = true)
{
    QAction* a = m->addAction(testo);
    a->setEnabled(attiva);
    return a;
}
}  // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    TieneNelloSchermo(this);
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Orbexia (") + cConsiglio + u')');
    resize(800, 560);

    lblVersione = new QLabel(TestoVersione(), this);
    lblVersione->setObjectName(QStringLiteral("lblVersione"));
    // 240/120/240/2400 twips at 15 twips per pixel.
    lblVersione->setGeometry(8, 16 + menuBar()->sizeHint().height(), 160, 16);
    lblVersione->setVisible(true);

    QMenu* config = menuBar()->addMenu(QStringLiteral("&Configurazioni"));
    mnuConfig[0] = Voce(config, QStringLiteral("Configurazione di Sistema"));
    config->addSeparator();
    mnuConfig[2] = Voce(config, QStringLiteral("Anagrafe Consiglieri"));
    QMenu* video = config->addMenu(QStringLiteral("Disposizione Consiglieri"));
    mnuConfig[3] = video->menuAction();
    mnuConfigVideo[0] = Voce(video, QStringLiteral("su Monitor di Controllo"));
    mnuConfigVideo[1] = Voce(video, QStringLiteral("su Tabellone per VideoProiezione"));
    mnuConfig[4] = Voce(config, QStringLiteral("Parametri Generali"));
    config->addSeparator();
    mnuConfig[6] = Voce(config, QStringLiteral("Informazioni"));
    config->addSeparator();
    mnuConfig[8] = Voce(config, QStringLiteral("Fine Lavoro"));

    QMenu* archivi = menuBar()->addMenu(QStringLiteral("&Archivi"));
    mnuArchivi[0] = Voce(archivi, QStringLiteral("Registrazione Argomenti OdG"), false);
    mnuArchivi[1] = Voce(archivi, QStringLiteral("Importazione Argomenti OdG"));
    archivi->addSeparator();
    mnuArchivi[3] = Voce(archivi, QStringLiteral("Lista Eventi"));
    mnuArchivi[4] = Voce(archivi, QStringLiteral("Lista Voti"));
    QMenu* esporta = archivi->addMenu(QStringLiteral("Esportazione Voti"));
    mnuArchivi[5] = esporta->menuAction();
    mnuArchiviEsporta[0] = Voce(esporta, QStringLiteral("Sintesi"));
    mnuArchiviEsporta[1] = Voce(esporta, QStringLiteral("Dettaglio"));
    mnuArchivi[6] = Voce(archivi, QStringLiteral("Verbale di Voto"));
    mnuArchivi[7] = Voce(archivi, QStringLiteral("Statistica Votazioni"));
    archivi->addSeparator();
    mnuArchivi[9] = Voce(archivi, QStringLiteral("Copia Archivi"));
    archivi->addSeparator();
    mnuArchivi[11] = Voce(archivi, QStringLiteral("Ristrutturazione Archivi"));
    QMenu* man = archivi->addMenu(QStringLiteral("Manutenzione Archivi"));
    mnuArchivi[12] = man->menuAction();
    const char* tabelle[] = {"Anagrafe", "Delibere", "Eventi", "Voti", "Leggi"};
    for (int i = 0; i < 5; ++i) mnuArchiviMan[i] = Voce(man, QString::fromLatin1(tabelle[i]));
    archivi->addSeparator();
    mnuArchivi[14] = Voce(archivi, QStringLiteral("Mostra LogFile tabellone"));
    mnuArchivi[15] = Voce(archivi, QStringLiteral("Esegui File Comandi"));

    QMenu* consiglio = menuBar()->addMenu(QStringLiteral("&Consiglio"));
    mnuConsiglio[0] = Voce(consiglio, QStringLiteral("Riunione Consiliare"));

    auto collega = [this](auto& voci, void (frmMain::*h)(int)) {
        for (int i = 0; i < int(voci.size()); ++i)
            if (voci[i] && !voci[i]->menu())
                connect(voci[i], &QAction::triggered, this, [this, h, i] { (this->*h)(i); });
    };
    collega(mnuConfig, &frmMain::mnuConfig_Click);
    collega(mnuConfigVideo, &frmMain::mnuConfigVideo_Click);
    collega(mnuArchivi, &frmMain::mnuArchivi_Click);
    collega(mnuArchiviEsporta, &frmMain::mnuArchiviEsporta_Click);
    collega(mnuArchiviMan, &frmMain::mnuArchiviMan_Click);
    collega(mnuConsiglio, &frmMain::mnuConsiglio_Click);
    AggiornaMenu();
}

void frmMain::AggiornaMenu()
{
    if (!cMenuArchivi0.isEmpty()) mnuArchivi[0]->setText(cMenuArchivi0);
    mnuArchivi[0]->setEnabled(true);  // kind 4: the acts tree, otherwise the agenda items
    mnuArchivi[1]->setVisible(xMenuImportaVisibile);
    mnuArchivi[6]->setVisible(xMenuVerbaleVisibile);
}

QString frmMain::TestoVersione()
{
    return QStringLiteral("Rel.") + Formato(kVersioneMajor, QStringLiteral(" ####")) + u'.' +
           Formato(kVersioneMinor, QStringLiteral("####")) + QStringLiteral(" rev. ") +
           Formato(kVersioneRev, QStringLiteral("####"));
}

QString frmMain::TestoInformazioni()
{
    return QStringLiteral("O.B.X.  versione") + Str(kVersioneMajor) + u'.' + LTrimSpazi(Str(kVersioneMinor)) + u'.' +
           LTrimSpazi(Str(kVersioneRev)) + QStringLiteral("\nOrbexia");
}

QString frmMain::MessaggioMonitor()
{
    QString msg;
    for (int i = 0; i < 2; ++i) {
        const DatiMonitor& m = lMonitor[i];
        if (m.hMonitor == 0 || (m.nAlt >= 600 && m.nLar >= 800)) continue;
        if (!msg.isEmpty()) msg += u'\n';
        msg += QStringLiteral("Risoluzione Monitor ") +
               (i == 0 ? QStringLiteral("Primario") : QStringLiteral("Secondario")) + QStringLiteral(" consigliata:") +
               u'\n' + QString(15, u' ') + QStringLiteral("800x600 punti, ") +
               QStringLiteral("con caratteri grandi e 65000 colori");
    }
    return msg;
}

void frmMain::mnuConfig_Click(int index)
{
    switch (index) {
    case 2: frmAnag::Mostra(this); break;
    case 0:
        // Listing the ports tries each of them: never while a vote holds one.
        if (RifiutaDuranteVoto()) return;
        frmConfig::Mostra(this);
        AggiornaMenu();
        setWindowTitle(QStringLiteral("Orbexia (") + cConsiglio + u')');
        break;
    case 4: frmParam::Mostra(this); break;
    case 6: UI().MsgBox(TestoInformazioni(), vbInformation); break;
    case 8: FineLavoro(); break;
    default: break;
    }
}

void frmMain::mnuConfigVideo_Click(int index)
{
    if (index == 0)
        frmPosti::Mostra(this);
    else if (index == 1)
        frmDisplay::Mostra(this);
}

void frmMain::mnuArchivi_Click(int index)
{
    switch (index) {
    case 0:
        if (iTipoAssemblea == 4)
            frmLeggi::Mostra(this);
        else
            frmDelib::Mostra(this);
        break;
    case 1: {
        if (ScambioRifiutato(true)) return;
        const QString f = ScegliFileScambio(true);
        if (!f.isEmpty()) ImportaOdG(f, kFormatoIride);
        break;
    }
    case 9: {
        if (RifiutaDuranteVoto() || RifiutaConArchiviAperti()) return;
        dbArchivio.Close();
        {
            frmCopia copia(this);
            copia.exec();
        }
        ApriArchivio();
        break;
    }
    case 11:
        if (RifiutaDuranteVoto() || RifiutaConArchiviAperti()) return;
        // A damaged archive, or one that cannot be written, is not worked on.
        if (!ManutieneArchivio(false)) {
            FineLavoro();
            return;
        }
        ApriArchivio();
        break;
    case 15: {
        if (RifiutaDuranteVoto()) return;
        const QString f = ScegliFile(17, QStringLiteral("File Comandi"), cCartellaProgramma);
        if (!f.isEmpty()) EsegueFileComandi(f, false);
        break;
    }
    case 3: frmEvent::Mostra(this); break;
    case 6:
        // Its question would hold up the vote's key collection.
        if (RifiutaDuranteVoto()) return;
        if (UI().MsgBox(QStringLiteral("Confermi stampa Verbale di Voto ?"), vbOKCancel + vbQuestion) == vbOK)
            StampaVerbaleSeduta();
        break;
    case 4: frmVoti::Mostra(this); break;
    case 7:
        // Its question would hold up the vote's key collection.
        if (RifiutaDuranteVoto()) return;
        if (UI().MsgBox(QStringLiteral("Confermi stampa Statistiche di Voto ?"), vbOKCancel + vbQuestion) == vbOK)
            StampaStatistica();
        break;
    case 14: {
        MostraDocumento(cFileLog, QStringLiteral("il LogFile tabellone"));
        break;
    }
    default: break;
    }
}

QString frmMain::ScegliFileScambio(bool xList)
{
    // The picker of the exchange files: an existing agenda file from the
    // list, or the new name of an export, in the archive's folder first.
    frmGetFile picker(xList, this);
    picker.ImpostaCartella(cCartella);
    picker.exec();
    return picker.cFile;
}

void frmMain::mnuArchiviEsporta_Click(int index)
{
    if (index < 0 || index > 1 || ScambioRifiutato(false)) return;
    const bool sintesi = index == 0;
    const QString f = ScegliFileScambio(false);
    if (!f.isEmpty()) EsportaVoti(f, kFormatoIride, sintesi);
}

void frmMain::mnuArchiviMan_Click(int index)
{
    if (index < 0 || index > 4) return;
    cTabellaGriglia = cTabelle[size_t(index + 1)];
    frmDataGrid::MostraModale(this);
}
void frmMain::mnuConsiglio_Click(int index)
{
    if (index != 0) return;
    // A monitor below the advised size is reported; the console opens anyway.
    const QString msg = MessaggioMonitor();
    if (!msg.isEmpty()) UI().MsgBox(msg);
    ApreConsole();
}

bool frmMain::FineLavoro()
{
    if (RifiutaDuranteVoto()) return false;
    m_chiusuraConsentita = true;
    close();
    return true;
}

void frmMain::closeEvent(QCloseEvent* e)
{
    if (!m_chiusuraConsentita && RifiutaDuranteVoto()) {
        e->ignore();
        return;
    }
    m_chiusuraConsentita = false;
    // The links first, then the archive.
    ChiudeComVotatori(0);
    if (oComCARD.PortOpen()) oComCARD.SetPortOpen(false);
    if (oTabellone) oTabellone->ChiudeCom();
    dbArchivio.Close();
    e->accept();
}

}  // namespace obx
