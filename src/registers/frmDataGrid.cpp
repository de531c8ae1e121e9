#include "registers/frmDataGrid.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Database.h"
#include "platform/Dialoghi.h"
#include "platform/GrigliaDati.h"
#include "platform/Schermo.h"
#include "platform/Servizi.h"
#include "platform/Testo.h"
#include "shell/Globali.h"
#include "shell/VotoInCorso.h"

namespace obx {

namespace {

QPointer<frmDataGrid> g_finestra;

// The hourglass while the table is read again.
class Clessidra {
public:
    Clessidra() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Clessidra() { Ripristina(); }
    void Ripristina()
    {
        if (m_attiva) QApplication::restoreOverrideCursor();
        m_attiva = false;
    }

private:
    bool m_attiva = true;
};

bool TabellaArchivio(const QString& nome)
{
    for (size_t i = 1; i < cTabelle.size(); ++i)
        if (cTabelle[i] == nome) return true;
    return false;
}

void MostraErrore(const Errore& e) { UI().MsgBox(TestoErrore(e), vbOKOnly, kTitoloOBX); }

}  // namespace

frmDataGrid::frmDataGrid(QWidget* padre) : QDialog(padre)
{
    TieneNelloSchermo(this);
    setObjectName(QStringLiteral("frmDataGrid"));
    setAttribute(Qt::WA_DeleteOnClose);
    setSizeGripEnabled(true);

    grdDataGrid = new GrigliaDati(this);
    grdDataGrid->setObjectName(QStringLiteral("grdDataGrid"));
    grdDataGrid->PrimaDiEliminare = [this] { return grdDataGrid_BeforeDelete(); };
    grdDataGrid->PrimaDiSalvare = [this] { return grdDataGrid_BeforeUpdate(); };
    grdDataGrid->ClicIntestazione = [this](int c) { grdDataGrid_HeadClick(c); };

    picButtons = new QWidget(this);
    picButtons->setObjectName(QStringLiteral("picButtons"));
    dbfVelmora = new QLabel(picButtons);
    dbfVelmora->setObjectName(QStringLiteral("dbfVelmora"));
    dbfVelmora->setFrameShape(QFrame::Panel);
    dbfVelmora->setFrameShadow(QFrame::Sunken);
    auto bottone = [this](const char* nome, const char* testo) {
        auto* b = new QPushButton(QString::fromUtf8(testo), picButtons);
        b->setObjectName(QString::fromLatin1(nome));
        b->setAutoDefault(false);
        return b;
    };
    cmdFilter = bottone("cmdFilter", "&Filtra");
    cmdSort = bottone("cmdSort", "&Ordina");
    cmdRefresh = bottone("cmdRefresh", "&Aggiorna");
    cmdClose = bottone("cmdClose", "&Chiudi");
    connect(cmdFilter, &QPushButton::clicked, this, [this] { cmdFilter_Click(); });
    connect(cmdSort, &QPushButton::clicked, this, [this] { cmdSort_Click(); });
    connect(cmdRefresh, &QPushButton::clicked, this, [this] { cmdRefresh_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });

    auto* striscia = new QHBoxLayout(picButtons);
    striscia->setContentsMargins(0, 0, 0, 0);
    striscia->addWidget(dbfVelmora, 1);
    for (QPushButton* b : {cmdFilter, cmdSort, cmdRefresh, cmdClose}) striscia->addWidget(b);

    // The grid takes the height the strip leaves.
    auto* tutto = new QVBoxLayout(this);
    tutto->addWidget(grdDataGrid, 1);
    tutto->addWidget(picButtons);
    resize(900, 520);

    Form_Load();
}

frmDataGrid::~frmDataGrid()
{
    if (g_finestra == this) g_finestra = nullptr;
}

frmDataGrid* frmDataGrid::Aperta() { return g_finestra.data(); }

void frmDataGrid::MostraModale(QWidget* padre)
{
    if (RifiutaDuranteVoto()) return;
    if (bConsoleAperta && UI().MsgBox(QStringLiteral("Riunione Consiliare aperta: le modifiche dirette agli archivi "
                                                     "possono alterare la seduta in corso.\r\nProseguire ?"),
                                      vbOKCancel + vbExclamation + vbDefaultButton2, kTitoloOBX) != vbOK)
        return;
    if (g_finestra) {
        g_finestra->raise();
        g_finestra->activateWindow();
        return;
    }
    QPointer<frmDataGrid> w = new frmDataGrid(padre);
    g_finestra = w;
    w->setModal(true);
    w->exec();
}

void frmDataGrid::Form_Load()
{
    dbfVelmora->setText(cTabellaGriglia);
    setWindowTitle(QStringLiteral("Manutenzione ") + cTabellaGriglia);
    cColonnaOrdine.clear();
    cFiltro.clear();
    cOrdine.clear();
    if (!TabellaArchivio(cTabellaGriglia)) {
        MostraErrore(Errore(errdb::kTabellaNonTrovata,
                            QStringLiteral("Impossibile trovare la tabella '%1'.").arg(cTabellaGriglia)));
        return;
    }
    try {
        grdDataGrid->ApriTabella(cTabellaGriglia);
        grdDataGrid->ConsentiModifica(true);
        grdDataGrid->ConsentiAggiunta(true);
        grdDataGrid->ConsentiEliminazione(true);
    } catch (const Errore& e) {
        MostraErrore(e);
    }
}

// Reads the table again with that condition and sort; on a failure the grid
// keeps its rows and the ones in force stay.
bool frmDataGrid::Riapre(const QString& filtro, const QString& ordine)
{
    if (!TabellaArchivio(cTabellaGriglia)) return false;
    // A changed row is stored (or dropped) before the rows go.
    if (!grdDataGrid->SalvaModifiche()) return false;
    Clessidra clessidra;
    try {
        grdDataGrid->ApriTabella(cTabellaGriglia, QStringLiteral("TAG_A"), filtro, ordine);
    } catch (const Errore& e) {
        clessidra.Ripristina();
        MostraErrore(e);
        return false;
    }
    cFiltro = filtro;
    cOrdine = ordine;
    return true;
}

void frmDataGrid::cmdFilter_Click()
{
    QString risposta;
    if (!UI().InputBox(QStringLiteral("Filtro:"), kTitoloOBX, QString(), risposta)) return;
    if (TrimSpazi(risposta).isEmpty()) return;
    // A filter narrows the rows shown: it adds to the one in force.
    try {
        Database::ControllaEspressione(risposta, false);
    } catch (const Errore& e) {
        MostraErrore(e);
        return;
    }
    const QString filtro = cFiltro.isEmpty() ? risposta : u'(' + cFiltro + QStringLiteral(") AND (") + risposta + u')';
    Riapre(filtro, cOrdine);
}

void frmDataGrid::cmdSort_Click()
{
    if (cColonnaOrdine.isEmpty()) {
        QString risposta;
        if (!UI().InputBox(QStringLiteral("Colonna di Ordinamento:"), kTitoloOBX, QString(), risposta)) return;
        cColonnaOrdine = risposta;
        if (TrimSpazi(risposta).isEmpty()) return;
    }
    Riapre(cFiltro, cColonnaOrdine);
}

void frmDataGrid::cmdRefresh_Click()
{
    if (!grdDataGrid->SalvaModifiche()) return;
    try {
        if (grdDataGrid->Aperta())
            grdDataGrid->Aggiorna();
        else
            grdDataGrid->ApriTabella(cTabellaGriglia, QStringLiteral("TAG_A"), cFiltro, cOrdine);
    } catch (const Errore& e) {
        MostraErrore(e);
    }
}

void frmDataGrid::cmdClose_Click() { close(); }

bool frmDataGrid::grdDataGrid_BeforeDelete()
{
    return UI().MsgBox(QStringLiteral("Eliminare la riga corrente?"), vbYesNo + vbQuestion + vbDefaultButton2,
                       kTitoloOBX) == vbYes;
}

bool frmDataGrid::grdDataGrid_BeforeUpdate()
{
    return UI().MsgBox(QStringLiteral("Salvare le modifiche?"), vbYesNo + vbQuestion, kTitoloOBX) == vbYes;
}

void frmDataGrid::grdDataGrid_HeadClick(int ColIndex)
{
    const QString campo = grdDataGrid->CampoColonna(ColIndex);
    if (campo.isEmpty()) return;
    cColonnaOrdine = u'[' + campo + u']';
    if (Tasti().CtrlPremuto()) cColonnaOrdine += QStringLiteral(" desc");
    cmdSort_Click();
    cColonnaOrdine.clear();
}

void frmDataGrid::closeEvent(QCloseEvent* e)
{
    // A changed row is stored or dropped as the operator says; one the
    // archive refuses keeps the window open.
    if (grdDataGrid->InModifica() && !grdDataGrid->SalvaModifiche()) {
        e->ignore();
        return;
    }
    grdDataGrid->Chiudi();
    e->accept();
}

// Esc (the grid keeps it while a row has changes, to drop them) closes the
// window as "Chiudi" does.
void frmDataGrid::reject() { close(); }

}  // namespace obx
