#include "platform/Dialoghi.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QInputDialog>
#include <QListView>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTreeView>
#include <QtDebug>

#include "platform/Lingua.h"
#include "platform/Schermo.h"
#include "platform/Misure.h"
#include "platform/Testo.h"

namespace obx {

namespace {
Dialoghi* g_ui = nullptr;
DialoghiQt& Qt_()
{
    static DialoghiQt d;
    return d;
}

QWidget* Genitore() { return QApplication::activeWindow(); }

const char* NomeTipo(DialoghiScriptati::Tipo t)
{
    switch (t) {
    case DialoghiScriptati::Tipo::Msg: return "MsgBox";
    case DialoghiScriptati::Tipo::Input: return "InputBox";
    case DialoghiScriptati::Tipo::Apri: return "ApriFile";
    case DialoghiScriptati::Tipo::Salva: return "SalvaFile";
    case DialoghiScriptati::Tipo::Stampante: return "Stampante";
    case DialoghiScriptati::Tipo::Colore: return "Colore";
    case DialoghiScriptati::Tipo::Font: return "Font";
    }
    return "?";
}
}  // namespace

Dialoghi& UI() { return g_ui ? *g_ui : Qt_(); }
void ImpostaUI(Dialoghi* d) { g_ui = d; }

// ---------------------------------------------------------------------------
// Qt

int DialoghiQt::MsgBox(const QString& testo, int stile, const QString& titolo)
{
    QMessageBox box(Genitore());
    box.setWindowTitle(titolo);
    box.setText(testo);
    switch (stile & 0x70) {
    case vbCritical: box.setIcon(QMessageBox::Critical); break;
    case vbQuestion: box.setIcon(QMessageBox::Question); break;
    case vbExclamation: box.setIcon(QMessageBox::Warning); break;
    case vbInformation: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    struct B {
        QMessageBox::StandardButton q;
        int r;
    };
    std::vector<B> bottoni;
    switch (stile & 0x7) {
    case vbOKCancel: bottoni = {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}}; break;
    case vbAbortRetryIgnore:
        bottoni = {{QMessageBox::Abort, vbAbort}, {QMessageBox::Retry, vbRetry}, {QMessageBox::Ignore, vbIgnore}};
        break;
    case vbYesNoCancel:
        bottoni = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
        break;
    case vbYesNo: bottoni = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}}; break;
    case vbRetryCancel: bottoni = {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}}; break;
    default: bottoni = {{QMessageBox::Ok, vbOK}}; break;
    }
    QMessageBox::StandardButtons insieme;
    for (auto& b : bottoni) insieme |= b.q;
    box.setStandardButtons(insieme);
    // The operators read Italian whatever the desktop's language.
    const std::pair<QMessageBox::StandardButton, const char*> testi[] = {
        {QMessageBox::Ok, "OK"},        {QMessageBox::Cancel, "Annulla"},   {QMessageBox::Yes, "Sì"},
        {QMessageBox::No, "No"},        {QMessageBox::Abort, "Interrompi"}, {QMessageBox::Retry, "Riprova"},
        {QMessageBox::Ignore, "Ignora"}};
    for (const auto& [b, t] : testi)
        if (QAbstractButton* p = box.button(b)) p->setText(QString::fromUtf8(t));
    const int predef = (stile & 0x300) >> 8;
    if (predef < int(bottoni.size())) box.setDefaultButton(bottoni[predef].q);
    // Escape answers Cancel (or No) where the set has it.
    for (auto& b : bottoni)
        if (b.r == vbCancel) box.setEscapeButton(b.q);
    const auto scelto = QMessageBox::StandardButton(box.exec());
    for (auto& b : bottoni)
        if (b.q == scelto) return b.r;
    // Closed without a button: the escape answer.
    for (auto& b : bottoni)
        if (b.r == vbCancel) return vbCancel;
    return bottoni.back().r;
}

bool DialoghiQt::InputBox(const QString& prompt, const QString& titolo, const QString& predefinito, QString& risposta)
{
    // Qt's own texts of the box in Italian, whatever the desktop's language.
    ImpostaItaliano();
    bool ok = false;
    const QString t = QInputDialog::getText(Genitore(), titolo, prompt, QLineEdit::Normal, predefinito, &ok);
    if (ok) risposta = t;
    return ok;
}

namespace {
// The file dialog's own labels in Italian, whatever the desktop's language;
// set once its mode is, which puts back the default ones.
void EtichetteFile(QFileDialog& dlg, const QString& accetta)
{
    dlg.setLabelText(QFileDialog::Accept, accetta);
    dlg.setLabelText(QFileDialog::Reject, QStringLiteral("Annulla"));
    dlg.setLabelText(QFileDialog::FileName, QStringLiteral("Nome file:"));
    dlg.setLabelText(QFileDialog::FileType, QStringLiteral("Tipo file:"));
    dlg.setLabelText(QFileDialog::LookIn, QStringLiteral("Cerca in:"));
}

bool ConfermaFile(QWidget* genitore, const QString& titolo, const QString& testo, bool noPredefinito)
{
    QMessageBox conferma(QMessageBox::Question, titolo, testo, QMessageBox::Yes | QMessageBox::No, genitore);
    conferma.button(QMessageBox::Yes)->setText(QString::fromUtf8("Sì"));
    if (noPredefinito) conferma.setDefaultButton(QMessageBox::No);
    return conferma.exec() == QMessageBox::Yes;
}
}  // namespace

std::unique_ptr<QFileDialog> DialogoFile(const QString& titolo, const QString& cartella, const QString& filtro,
                                         ModoFile modo)
{
    // Qt's own texts of the dialog in Italian, whatever the desktop's language.
    ImpostaItaliano();
    auto dlg = std::make_unique<QFileDialog>(Genitore(), titolo, cartella, filtro);
    // Qt's own dialog, never the desktop's: its texts are the program's.
    dlg->setOption(QFileDialog::DontUseNativeDialog, true);
    if (modo == ModoFile::Apri) {
        dlg->setOption(QFileDialog::ReadOnly, true);
        dlg->setAcceptMode(QFileDialog::AcceptOpen);
        dlg->setFileMode(QFileDialog::ExistingFile);
    } else {
        if (modo == ModoFile::ApriOCrea) dlg->setOption(QFileDialog::ReadOnly, true);
        dlg->setAcceptMode(QFileDialog::AcceptSave);
        dlg->setOption(QFileDialog::DontConfirmOverwrite, true);
        dlg->setFileMode(QFileDialog::AnyFile);
    }
    EtichetteFile(*dlg, modo == ModoFile::Salva ? QStringLiteral("Salva") : QStringLiteral("Apri"));
    // The columns of the detailed view as wide as their (Italian) titles.
    for (QHeaderView* h : dlg->findChildren<QHeaderView*>()) AdattaIntestazioni(h);
    // The places of the side bar whole ("Il mio computer" is longer than
    // the width Qt gives the bar).
    if (auto* luoghi = dlg->findChild<QListView*>(QStringLiteral("sidebar"))) {
        const int serve = luoghi->sizeHintForColumn(0);
        if (serve > 0)
            luoghi->setMinimumWidth(std::max(luoghi->minimumWidth(),
                                             serve + 2 * luoghi->frameWidth() + 2 * luoghi->spacing() +
                                                 luoghi->style()->pixelMetric(QStyle::PM_ScrollBarExtent)));
    }
    // The names and the kind of every entry whole ("Documento in testo
    // semplice"), once the folder is read, never narrower than the column's
    // title; the dialog grows to show every column, as far as the screen
    // allows.
    auto* vista = dlg->findChild<QTreeView*>(QStringLiteral("treeView"));
    auto* modello = dlg->findChild<QFileSystemModel*>();
    if (vista && modello) {
        QFileDialog* finestra = dlg.get();
        QObject::connect(modello, &QFileSystemModel::directoryLoaded, vista, [finestra, vista] {
            const int minimoNome = 16 * vista->fontMetrics().averageCharWidth();
            for (const int colonna : {0, 2, 3}) {
                const int prima = vista->columnWidth(colonna);
                vista->resizeColumnToContents(colonna);
                const int minimo = colonna == 0 ? minimoNome : prima;
                if (vista->columnWidth(colonna) < minimo) vista->setColumnWidth(colonna, minimo);
            }
            int colonne = 0;
            for (int c = 0; c < vista->header()->count(); ++c)
                if (!vista->isColumnHidden(c)) colonne += vista->columnWidth(c);
            const int manca = colonne - vista->viewport()->width();
            if (manca <= 0 || !finestra->isVisible()) return;
            const QScreen* schermo = finestra->screen();
            if (!schermo) return;
            const QRect area = schermo->availableGeometry();
            const QRect cornice = finestra->frameGeometry();
            const int larga = std::min(finestra->width() + manca, area.width() - (cornice.width() - finestra->width()));
            if (larga <= finestra->width()) return;
            finestra->resize(larga, finestra->height());
            // Still inside the screen.
            AdattaAlloSchermo(finestra);
        });
    }
    return dlg;
}

QString DialoghiQt::ApriFile(const QString& titolo, const QString& cartella, const QString& filtro, bool creaNuovo)
{
    const auto dlg = DialogoFile(titolo, cartella, filtro, creaNuovo ? ModoFile::ApriOCrea : ModoFile::Apri);
    while (dlg->exec() == QDialog::Accepted && !dlg->selectedFiles().isEmpty()) {
        const QString f = dlg->selectedFiles().first();
        if (!creaNuovo || QFileInfo::exists(f)) return f;
        if (ConfermaFile(dlg.get(), titolo, f + QStringLiteral("\nIl file non esiste. Crearlo?"), false)) return f;
    }
    return QString();
}

QString DialoghiQt::SalvaFile(const QString& titolo, const QString& cartella, const QString& filtro)
{
    const auto dlg = DialogoFile(titolo, cartella, filtro, ModoFile::Salva);
    while (dlg->exec() == QDialog::Accepted && !dlg->selectedFiles().isEmpty()) {
        const QString f = dlg->selectedFiles().first();
        if (!QFileInfo::exists(f)) return f;
        if (ConfermaFile(dlg.get(), titolo, f + QString::fromUtf8("\nIl file esiste già. Sostituirlo?"), true))
            return f;
    }
    return QString();
}

bool DialoghiQt::ScegliStampante(QPrinter& stampante)
{
    // Qt's own texts of the dialog in Italian, whatever the desktop's language.
    ImpostaItaliano();
    QPrintDialog dlg(&stampante, Genitore());
    return dlg.exec() == QDialog::Accepted;
}

bool DialoghiQt::ScegliColore(int32_t& colore, const QString& titolo)
{
    // Qt's own texts of the dialog in Italian, whatever the desktop's language.
    ImpostaItaliano();
    const uint32_t c = uint32_t(colore);
    const QColor iniziale((c & 0xFF), (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    const QColor scelto = QColorDialog::getColor(iniziale, Genitore(), titolo);
    if (!scelto.isValid()) return false;
    colore = int32_t(scelto.red() | (scelto.green() << 8) | (scelto.blue() << 16));
    return true;
}

bool DialoghiQt::ScegliFont(QString& font, const QString& titolo)
{
    // Qt's own texts of the dialog in Italian, whatever the desktop's language.
    ImpostaItaliano();
    const QStringList parti = font.split(u',');
    const QString nome = parti.value(0);
    QFont iniziale(nome);
    const QString stili = parti.value(1).toUpper();
    iniziale.setBold(stili.contains(u'B'));
    iniziale.setItalic(stili.contains(u'I'));
    iniziale.setUnderline(stili.contains(u'U'));
    iniziale.setStrikeOut(stili.contains(u'S'));
    const double dim = Val(parti.value(2));
    if (dim > 0) iniziale.setPointSizeF(dim);
    // The dialog opens on the font that stands in for the face named when
    // that one is not installed ("MS Sans Serif" on most desktops), with
    // the style by its own name: given a face it does not list, or a style
    // name it lacks ("Normal" where the face says "Book"), it would show
    // another style, and a font confirmed unchanged would lose its bold or
    // turn italic.
    const QString sostituto = QFontInfo(iniziale).family();
    iniziale.setFamily(sostituto);
    iniziale.setStyleName(QFontInfo(iniziale).styleName());
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, iniziale, Genitore(), titolo);
    if (!ok) return false;
    QString s;
    if (f.bold()) s += u'B';
    if (f.italic()) s += u'I';
    if (f.underline()) s += u'U';
    if (f.strikeOut()) s += u'S';
    // The face left as it was keeps its stored name, so the configuration
    // still names it where it is installed.
    const QString scelto = f.family() == sostituto && !nome.isEmpty() ? nome : f.family();
    font = scelto + u',' + s + u',' + QString::number(f.pointSizeF());
    return true;
}

// ---------------------------------------------------------------------------
// Scripted

void DialoghiScriptati::AttendiMsg(const QString& testo, int risposta, bool frammento)
{
    m_attesi.push_back({Tipo::Msg, testo, frammento, risposta, {}, 0});
}
void DialoghiScriptati::AttendiInput(const QString& prompt, const QString& valore, bool ok, bool frammento)
{
    m_attesi.push_back({Tipo::Input, prompt, frammento, ok ? 1 : 0, valore, 0});
}
void DialoghiScriptati::AttendiApri(const QString& titolo, const QString& percorso)
{
    m_attesi.push_back({Tipo::Apri, titolo, false, 1, percorso, 0});
}
void DialoghiScriptati::AttendiSalva(const QString& titolo, const QString& percorso)
{
    m_attesi.push_back({Tipo::Salva, titolo, false, 1, percorso, 0});
}
void DialoghiScriptati::AttendiStampante(bool ok)
{
    m_attesi.push_back({Tipo::Stampante, {}, true, ok ? 1 : 0, {}, 0});
}
void DialoghiScriptati::AttendiColore(int32_t colore, bool ok, const QString& titolo)
{
    m_attesi.push_back({Tipo::Colore, titolo, titolo.isEmpty(), ok ? 1 : 0, {}, colore});
}
void DialoghiScriptati::AttendiFont(const QString& font, bool ok, const QString& titolo)
{
    m_attesi.push_back({Tipo::Font, titolo, titolo.isEmpty(), ok ? 1 : 0, font, 0});
}

const DialoghiScriptati::Atteso* DialoghiScriptati::Prendi(Tipo t, const QString& testo, const QString& titolo,
                                                           int stile)
{
    m_storia.push_back({t, testo, titolo, stile, {}});
    if (!m_attesi.empty()) {
        const Atteso& a = m_attesi.front();
        const bool ugualeTesto = a.frammento ? testo.contains(a.testo) : testo == a.testo;
        if (a.tipo == t && ugualeTesto) {
            m_corrente = a;
            m_attesi.pop_front();
            return &m_corrente;
        }
    }
    QString atteso = m_attesi.empty()
                         ? QStringLiteral("nessuno")
                         : QStringLiteral("%1 \"%2\"")
                               .arg(QString::fromLatin1(NomeTipo(m_attesi.front().tipo)), m_attesi.front().testo);
    const QString msg = QStringLiteral("Dialogo inatteso: %1 \"%2\" (titolo \"%3\"); atteso: %4")
                            .arg(QString::fromLatin1(NomeTipo(t)), testo, titolo, atteso);
    if (Fallimento)
        Fallimento(msg);
    else
        qCritical().noquote() << msg;
    return nullptr;
}

int DialoghiScriptati::MsgBox(const QString& testo, int stile, const QString& titolo)
{
    const Atteso* a = Prendi(Tipo::Msg, testo, titolo, stile);
    if (a) return a->risposta;
    // Unexpected: the safest answer of the set (Cancel or No where present).
    switch (stile & 0x7) {
    case vbOKCancel:
    case vbRetryCancel:
    case vbYesNoCancel: return vbCancel;
    case vbYesNo: return vbNo;
    case vbAbortRetryIgnore: return vbAbort;
    default: return vbOK;
    }
}

bool DialoghiScriptati::InputBox(const QString& prompt, const QString& titolo, const QString&, QString& risposta)
{
    const Atteso* a = Prendi(Tipo::Input, prompt, titolo, 0);
    if (!a || !a->risposta) return false;
    risposta = a->valore;
    return true;
}

QString DialoghiScriptati::ApriFile(const QString& titolo, const QString&, const QString&, bool)
{
    const Atteso* a = Prendi(Tipo::Apri, titolo, titolo, 0);
    return a ? a->valore : QString();
}

QString DialoghiScriptati::SalvaFile(const QString& titolo, const QString&, const QString&)
{
    const Atteso* a = Prendi(Tipo::Salva, titolo, titolo, 0);
    return a ? a->valore : QString();
}

bool DialoghiScriptati::ScegliStampante(QPrinter&)
{
    const Atteso* a = Prendi(Tipo::Stampante, QString(), QString(), 0);
    return a && a->risposta;
}

bool DialoghiScriptati::ScegliColore(int32_t& colore, const QString& titolo)
{
    const Atteso* a = Prendi(Tipo::Colore, titolo, titolo, 0);
    m_storia.back().valore = QString::number(uint32_t(colore), 16).toUpper();
    if (!a || !a->risposta) return false;
    colore = a->colore;
    return true;
}

bool DialoghiScriptati::ScegliFont(QString& font, const QString& titolo)
{
    const Atteso* a = Prendi(Tipo::Font, titolo, titolo, 0);
    m_storia.back().valore = font;
    if (!a || !a->risposta) return false;
    // An empty answer confirms the font the dialog opened on.
    if (!a->valore.isEmpty()) font = a->valore;
    return true;
}

}  // namespace obx
