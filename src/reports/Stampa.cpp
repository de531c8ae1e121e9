#include "reports/Stampa.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>
#include <filesystem>
#include <memory>
#include <system_error>

#include "platform/Dialoghi.h"
#include "platform/Servizi.h"
#include "platform/Testo.h"
#include "shell/FileProtetti.h"
#include "shell/Globali.h"

namespace obx {

namespace {

struct StatoStampa {
    std::unique_ptr<QPrinter> stampante;
    std::unique_ptr<QPainter> pittore = std::make_unique<QPainter>();
    QFont font;
    int pagina = 0;  // pages of the current job, for the observer
    OsservatoreStampa osservatore;
    std::function<QStringList()> elencoStampanti;

    bool pronta = false;        // set up: the job starts with the first text
    bool fallita = false;       // the job could not start: nothing more is tried
    bool sceltaTenuta = false;  // the dialog's choice holds for the next set-up
    QString fileNostro;         // the last file the program or the dialog gave the printer
    QString fileDaDire;         // the file of the job, told at its end (empty: printer or caller's file)
    QString ultimoFile;
    // The PDF file of the job under way, written meanwhile under a
    // provisional name beside it: the file appears whole at the end of the
    // job, and a job stopped or failed leaves none (nor touches one there).
    QString fileFinale;
};

StatoStampa& Stato()
{
    // Never destroyed: the printer must not outlive the application's
    // platform services at exit.
    static StatoStampa* s = new StatoStampa;
    return *s;
}

QFont FontReport()
{
    // The reports are laid out on the metrics of "Courier New"; where it is
    // not installed, Liberation Mono has the same metrics.
    static const bool sostituito = [] {
        QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
        return true;
    }();
    (void)sostituito;
    QFont f(QStringLiteral("Courier New"));
    f.setPointSizeF(10);
    f.setBold(false);
    f.setItalic(false);
    // Any other face that stands in must still be fixed-pitch: the grid
    // needs every character one column wide.
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    return f;
}

// Printer units per twip.
double Scala(const QPrinter& p) { return p.resolution() / 1440.0; }

QString Nativo(const QString& percorso) { return QDir::toNativeSeparators(percorso); }

QStringList Stampanti()
{
    const StatoStampa& s = Stato();
    return s.elencoStampanti ? s.elencoStampanti() : QPrinterInfo::availablePrinterNames();
}

// True when the printer is the operator's: one of the installed printers
// (the system's default one when it named none or one that has gone).
bool StampanteInstallata(QPrinter& p)
{
    const QStringList nomi = Stampanti();
    if (nomi.isEmpty() || p.outputFormat() != QPrinter::NativeFormat) return false;
    if (!nomi.contains(p.printerName())) {
        QString predefinita = QPrinterInfo::defaultPrinterName();
        if (!nomi.contains(predefinita)) predefinita = nomi.first();
        p.setPrinterName(predefinita);
    }
    return p.outputFormat() == QPrinter::NativeFormat;
}

// A new file in the reports' folder, named after the report and the time.
// A folder that cannot be made is reported when xAvvisa.
bool NuovoFile(const StatoStampa& s, const QString& nome, QString& file, bool xAvvisa = true)
{
    const QString cartella = CartellaStampe();
    if (!QDir().mkpath(cartella)) {
        if (xAvvisa)
            UI().MsgBox(QStringLiteral("Impossibile creare la cartella ") + Nativo(cartella), vbCritical, kTitoloOBX);
        return false;
    }
    QString base = TrimSpazi(nome).isEmpty() ? QStringLiteral("Stampa") : TrimSpazi(nome);
    for (QChar& c : base)
        if (!c.isLetterOrNumber() && c != u'_' && c != u'-') c = u'_';
    const QString ora = Clock().Adesso().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    file = cartella + base + u'_' + ora + QStringLiteral(".pdf");
    for (int n = 2; QFileInfo::exists(file) || file == s.fileNostro; ++n)
        file = cartella + base + u'_' + ora + u'-' + QString::number(n) + QStringLiteral(".pdf");
    return true;
}

// Where the next job goes, without asking: a file the caller set stays; the
// operator's printer when there is one; else a new file of its own.
bool Destinazione(StatoStampa& s, const QString& nome)
{
    QPrinter& p = Stampante();
    s.fileDaDire.clear();
    const QString attuale = p.outputFileName();
    if (p.outputFormat() == QPrinter::PdfFormat && !attuale.isEmpty() && attuale != s.fileNostro) return true;
    if (StampanteInstallata(p)) {
        // Not a file left over from an earlier choice: the printer itself.
        if (!attuale.isEmpty()) p.setOutputFileName(QString());
        if (p.outputFormat() == QPrinter::NativeFormat) return true;
    }
    QString file;
    if (!NuovoFile(s, nome, file)) return false;
    p.setOutputFileName(file);
    s.fileNostro = s.fileDaDire = file;
    return true;
}

// The printer dialog, offering the destination Destinazione chose.
bool Dialogo(StatoStampa& s, const QString& nome)
{
    QPrinter& p = Stampante();
    if (!Destinazione(s, nome)) return false;
    const bool fileDelChiamante = p.outputFormat() == QPrinter::PdfFormat && s.fileDaDire.isEmpty();
    QString file;
    if (p.outputFormat() == QPrinter::NativeFormat && NuovoFile(s, nome, file, false)) {
        // The printer stays chosen; should the operator pick the file
        // instead, the dialog offers this one (a printer drops it).
        const QString stampante = p.printerName();
        p.setOutputFileName(file);
        p.setOutputFormat(QPrinter::NativeFormat);
        p.setPrinterName(stampante);
        s.fileNostro = file;
    }
    const QString prima = p.outputFileName();
    p.setDocName(nome);
    const bool scelta = UI().ScegliStampante(p);
    if (p.outputFormat() == QPrinter::PdfFormat) {
        file = p.outputFileName();
        // The operator chose (or kept) a file: told where it went.
        if (!fileDelChiamante || file != prima) s.fileNostro = s.fileDaDire = file;
    } else {
        // A printer prints, to no file.
        if (!p.outputFileName().isEmpty()) p.setOutputFileName(QString());
        s.fileDaDire.clear();
    }
    return scelta;
}

QString Provvisorio(const QString& file) { return file + QStringLiteral(".parziale"); }

// The printer back on the job's own file; the provisional one is removed
// when bTieni is false, else it takes the file's place.  False when it
// could not.
bool LasciaProvvisorio(StatoStampa& s, bool bTieni)
{
    if (s.fileFinale.isEmpty()) return true;
    QPrinter& p = Stampante();
    const QString provvisorio = p.outputFileName();
    p.setOutputFileName(s.fileFinale);
    const QString finale = s.fileFinale;
    s.fileFinale.clear();
    if (bTieni) {
        // Over a file the caller set, in one step: never half of either.
        std::error_code e;
        std::filesystem::rename(std::filesystem::path(provvisorio.toStdU16String()),
                                std::filesystem::path(finale.toStdU16String()), e);
        if (!e) return true;
    }
    QFile::remove(provvisorio);
    return !bTieni;
}

void Inizia(StatoStampa& s)
{
    if (s.pittore->isActive() || !s.pronta || s.fallita) return;
    QPrinter& p = Stampante();
    const QString file = p.outputFormat() == QPrinter::PdfFormat ? p.outputFileName() : QString();
    // A file named in the printer dialog is never one the program holds:
    // the finished job would take the open archive's place.
    if (const QString avviso = file.isEmpty() ? QString() : AvvisoFileProtetto(file); !avviso.isEmpty()) {
        s.fallita = true;
        UI().MsgBox(avviso, vbCritical, kTitoloOBX);
        return;
    }
    if (!file.isEmpty()) {
        s.fileFinale = file;
        p.setOutputFileName(Provvisorio(file));
    }
    if (!s.pittore->begin(&p)) {
        s.fallita = true;
        LasciaProvvisorio(s, false);
        UI().MsgBox(file.isEmpty() ? QStringLiteral("Stampante non disponibile")
                                   : QStringLiteral("Impossibile scrivere il file ") + Nativo(file),
                    vbCritical, kTitoloOBX);
        return;
    }
    s.pittore->setFont(s.font);
    s.pittore->setPen(Qt::black);
}

// Ends the job, if one started, and tells the operator its file.
void ChiudeLavoro(StatoStampa& s)
{
    s.pronta = false;
    if (!s.pittore->isActive()) return;  // nothing was printed: no job, nothing to tell
    bool scritto = s.pittore->end();
    scritto = LasciaProvvisorio(s, scritto) && scritto;
    const QString file = s.fileDaDire;
    s.fileDaDire.clear();
    if (!scritto) {
        UI().MsgBox(file.isEmpty() ? QStringLiteral("Stampa non riuscita")
                                   : QStringLiteral("Impossibile scrivere il file ") + Nativo(file),
                    vbCritical, kTitoloOBX);
    } else if (!file.isEmpty()) {
        UI().MsgBox(QStringLiteral("Stampa salvata nel file:\n") + Nativo(file), vbInformation, kTitoloOBX);
    }
}

// A printer whose driver cannot take back what it was sent: the job is
// left unfinished, never ended, so that it is never handed to the spooler,
// and the program goes on with a new printer of the same settings.
void AbbandonaLavoro(StatoStampa& s)
{
    QPrinter& vecchia = Stampante();
    auto nuova = std::make_unique<QPrinter>(QPrinter::HighResolution);
    nuova->setPrinterName(vecchia.printerName());
    nuova->setPageLayout(vecchia.pageLayout());
    nuova->setCopyCount(vecchia.copyCount());
    nuova->setDuplex(vecchia.duplex());
    nuova->setColorMode(vecchia.colorMode());
    (void)s.pittore.release();
    (void)s.stampante.release();
    s.pittore = std::make_unique<QPainter>();
    s.stampante = std::move(nuova);
}

}  // namespace

QPrinter& Stampante()
{
    StatoStampa& s = Stato();
    if (!s.stampante) s.stampante = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *s.stampante;
}

void ImpostaOsservatoreStampa(OsservatoreStampa osservatore) { Stato().osservatore = std::move(osservatore); }

void ImpostaElencoStampanti(std::function<QStringList()> f) { Stato().elencoStampanti = std::move(f); }

QString CartellaStampe()
{
    QString base = cCartella.isEmpty() ? QDir::currentPath() : cCartella;
    if (!base.endsWith(u'/') && !base.endsWith(u'\\')) base += u'/';
    return base + QStringLiteral("Stampe/");
}

QString FileStampa() { return Stato().ultimoFile; }

bool ScegliDestinazioneStampa(const QString& cNomeStampa)
{
    StatoStampa& s = Stato();
    ChiudeLavoro(s);
    s.sceltaTenuta = Dialogo(s, cNomeStampa);
    return s.sceltaTenuta;
}

bool ImpostaStampante(int iOpzioni, const QString& cNomeStampa)
{
    StatoStampa& s = Stato();
    QPrinter& p = Stampante();
    const bool tenuta = s.sceltaTenuta;
    s.sceltaTenuta = false;
    ChiudeLavoro(s);
    s.fallita = false;

    if (iOpzioni & 2) {
        if (!Dialogo(s, cNomeStampa)) return false;  // cancelled: nothing to say
    } else if (!tenuta) {
        if (!Destinazione(s, cNomeStampa)) return false;
    }
    p.setDocName(TrimSpazi(cNomeStampa).isEmpty() ? QStringLiteral("Stampa") : cNomeStampa);
    s.ultimoFile = p.outputFormat() == QPrinter::PdfFormat ? p.outputFileName() : QString();

    p.setPageOrientation((iOpzioni & 1) ? QPageLayout::Landscape : QPageLayout::Portrait);
    s.font = FontReport();

    // Measures in twips, as the reports count them.
    const QFontMetricsF fm(s.font, &p);
    // The height of a printed "P" is that of a line of the font.
    iAltezzaRiga = int(std::lround(fm.height() / Scala(p) * 12.0 / 10.0));
    // Rows are counted from the top of the printable area, so the pages'
    // rows are those of that area, not of the paper.
    const double altezzaStampabile = p.pageRect(QPrinter::Point).height() * 20.0;  // points to twips
    const int h = int(std::lround(altezzaStampabile * 90.0 / 100.0));
    iRighePagina = iAltezzaRiga > 0 ? int(std::floor(double(h) / iAltezzaRiga - 2)) : 0;
    iRigaStampa = 0;
    iPaginaStampa = 1;
    s.pagina = 1;

    if (iAltezzaRiga <= 0 || (p.outputFormat() == QPrinter::NativeFormat && !p.isValid())) {
        UI().MsgBox(QStringLiteral("Stampante non disponibile"), vbCritical, kTitoloOBX);
        s.fileDaDire.clear();
        return false;
    }
    s.pronta = true;
    return true;
}

void StampaXY(int iRiga, int iColonna, const QString& cTesto)
{
    StatoStampa& s = Stato();
    if (s.osservatore) s.osservatore(s.pagina, iRiga, iColonna, cTesto);
    Inizia(s);
    if (!s.pittore->isActive()) return;
    QPrinter& p = Stampante();
    const QFontMetricsF fm(s.font, &p);
    const double x = fm.horizontalAdvance(QString(std::max(iColonna, 0), u'A'));
    const double y = double(iRiga) * iAltezzaRiga * Scala(p);
    s.pittore->drawText(QPointF(x, y + fm.ascent()), cTesto);
}

QStringList DivideTestoACapo(const QString& cTesto, int iLarghezza)
{
    QStringList righe;
    QString resto = RTrimSpazi(cTesto);
    const qsizetype w = std::max(iLarghezza, 1);
    while (!resto.isEmpty()) {
        // The part up to the first line break, and where the text goes on
        // after it (a CR LF is one break).
        qsizetype a = 0;
        while (a < resto.size() && resto.at(a) != u'\r' && resto.at(a) != u'\n') ++a;
        qsizetype seguito = a;
        if (a < resto.size())
            seguito += (resto.at(a) == u'\r' && a + 1 < resto.size() && resto.at(a + 1) == u'\n') ? 2 : 1;
        const QString parte = resto.left(a);

        const qsizetype dopo = parte.indexOf(u' ', w);  // a blank after position w
        if (parte.size() <= w || dopo < 0) {
            // It fits, or no blank follows the width: the whole part.
            righe << parte;
            resto = resto.mid(seguito);
            continue;
        }
        // Last blank at or before position w, from position 2 on.
        qsizetype b = parte.left(w).lastIndexOf(u' ') + 1;
        // A first word longer than the width takes its row whole, up to the
        // blank that follows it.
        if (b < 2) b = dopo + 1;
        righe << parte.left(b - 1);
        resto = resto.mid(b);
    }
    return righe;
}

void StampaTestoACapo(int iRiga, int iColonna, const QString& cTesto, int iLarghezza)
{
    iRigaStampa = iRiga;
    for (const QString& riga : DivideTestoACapo(cTesto, iLarghezza)) {
        StampaXY(iRigaStampa, iColonna, riga);
        ++iRigaStampa;
    }
}

void NuovaPagina()
{
    StatoStampa& s = Stato();
    ++s.pagina;
    Inizia(s);
    if (s.pittore->isActive()) Stampante().newPage();
}

void FineStampa()
{
    StatoStampa& s = Stato();
    s.sceltaTenuta = false;
    ChiudeLavoro(s);
}

void InterrompeStampa()
{
    StatoStampa& s = Stato();
    s.sceltaTenuta = false;
    s.pronta = false;
    s.fileDaDire.clear();
    if (s.pittore->isActive()) {
        if (!s.fileFinale.isEmpty()) {
            s.pittore->end();
            LasciaProvvisorio(s, false);
        } else if (Stampante().abort()) {
            s.pittore->end();
        } else {
            AbbandonaLavoro(s);
        }
    }
    UI().MsgBox(kStampaInterrotta, vbExclamation, kTitoloOBX);
}

QString DataDiStampa(const QDateTime& d)
{
    static const QLocale italiano(QLocale::Italian, QLocale::Italy);
    return italiano.toString(d.date(), QStringLiteral("dddd, dd MMMM yyyy"));
}

}  // namespace obx
