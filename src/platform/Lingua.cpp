#include "platform/Lingua.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstring>

namespace obx {

namespace {

// The texts of Qt's dialogs its Italian catalogue does not translate.  In
// the file dialog the kinds of entry were moved to a context of their own
// that the catalogue does not have yet, and the name of the computer's
// root it leaves as it is; in the printer dialog a few texts were
// reworded after the catalogue was made ("Duplex Printing" became "Double
// Sided Printing"), and those keep the catalogue's wording of the old
// text.  Consulted before Qt's catalogue.
class TestiMancanti : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* contesto, const char* testo, const char* /*distinzione*/,
                      int /*n*/) const override
    {
        struct Voce {
            const char* contesto;
            const char* testo;
            const char* italiano;
        };
        static const Voce voci[] = {
            {"QAbstractFileIconProvider", "Folder", "Cartella"},
            {"QAbstractFileIconProvider", "File Folder", "Cartella di file"},
            {"QAbstractFileIconProvider", "Drive", "Unità"},
            {"QFileSystemModel", "Computer", "Il mio computer"},
            {"QPrintSettingsOutput", "Pages", "Pagine"},
            {"QPrintSettingsOutput",
             "Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a "
             "hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.",
             "Indicare le pagine o gli intervalli separati da virgole. Un intervallo si indica con due numeri "
             "separati da un trattino. Es.: 3,5-7,9 stampa le pagine 3, 5, 6, 7 e 9."},
            {"QPrintSettingsOutput", "Double Sided Printing", "Stampa fronte/retro"},
            {"QPrintSettingsOutput", "Off", "Nessuno"},
            {"QPrintSettingsOutput", "Long side binding", "Lato lungo"},
            {"QPrintSettingsOutput", "Short side binding", "Lato corto"},
            {"QPrintDialog", "Invalid Pages Definition", "Definizione delle pagine non valida"},
            {"QPrintDialog",
             "%1 does not follow the correct syntax. Please use ',' to separate ranges and pages, '-' to define "
             "ranges and make sure ranges do not intersect with each other.",
             "%1 non segue la sintassi corretta. Usare ',' per separare intervalli e pagine, '-' per indicare gli "
             "intervalli, e fare in modo che gli intervalli non si sovrappongano."},
            {"QPrintPropertiesWidget", "Advanced", "Avanzate"},
            {"QPrintPropertiesWidget", "There are conflicts in some options. Please fix them.",
             "Alcune opzioni sono in conflitto. Correggerle."},
        };
        if (!contesto || !testo) return QString();
        for (const Voce& v : voci)
            if (std::strcmp(contesto, v.contesto) == 0 && std::strcmp(testo, v.testo) == 0)
                return QString::fromUtf8(v.italiano);
        return QString();
    }
};

}  // namespace

void ImpostaLocaleItaliano()
{
    // Qt takes the desktop's locale from LC_ALL before any other variable;
    // it is put back once Qt has read it.
    const bool presente = qEnvironmentVariableIsSet("LC_ALL");
    const QByteArray prima = qgetenv("LC_ALL");
    qputenv("LC_ALL", QByteArrayLiteral("it_IT.UTF-8"));
    (void)QLocale::system();
    if (presente)
        qputenv("LC_ALL", prima);
    else
        qunsetenv("LC_ALL");
}

bool ImpostaItaliano()
{
    const QLocale italiano(QLocale::Italian, QLocale::Italy);
    QLocale::setDefault(italiano);
    auto* app = QCoreApplication::instance();
    if (!app) return false;
    static bool installato = false;
    static bool caricato = false;
    if (installato) return caricato;
    installato = true;
    auto* t = new QTranslator(app);
    caricato = t->load(italiano, QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (caricato)
        QCoreApplication::installTranslator(t);
    else
        delete t;
    // Installed last, so consulted first.
    QCoreApplication::installTranslator(new TestiMancanti(app));
    return caricato;
}

}  // namespace obx
