// Qt's own dialogs the program shows through its dialog layer speak
// Italian, every text the operator can see: the printer dialog with its
// options opened, its properties and its refusal of a wrong page range,
// the message boxes with every set of buttons, the input box, the colour
// and font dialogs.  Each is shown by the program's own code and read
// while it waits for the operator.  With OBX_SCREENSHOT_DIR set each
// dialog is saved there.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>
#include <functional>

#include "platform/Dialoghi.h"
#include "support/QtApp.h"

using namespace obx;
using namespace obx::test;

namespace {

// Every text the dialog shows, with where it was found.  The names of the
// font dialog's lists are the installed fonts' own.
void Testi(QWidget* dlg, QStringList& testi)
{
    auto aggiungi = [&testi](const QString& dove, const QString& t) {
        if (!t.isEmpty()) testi << dove + QStringLiteral(": ") + t;
    };
    aggiungi(QStringLiteral("titolo"), dlg->windowTitle());
    for (QWidget* w : dlg->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(dlg)) continue;
        const QString nome = QString::fromLatin1(w->metaObject()->className()) + u' ' + w->objectName();
        aggiungi(nome + QStringLiteral(" suggerimento"), w->toolTip());
        if (auto* l = qobject_cast<QLabel*>(w)) aggiungi(nome, l->text());
        if (auto* b = qobject_cast<QAbstractButton*>(w)) aggiungi(nome, b->text());
        if (auto* g = qobject_cast<QGroupBox*>(w)) aggiungi(nome, g->title());
        if (auto* t = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < t->count(); ++i) aggiungi(nome + QStringLiteral(" scheda"), t->tabText(i));
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i) aggiungi(nome, c->itemText(i));
        if (auto* s = qobject_cast<QSpinBox*>(w)) {
            aggiungi(nome, s->suffix());
            aggiungi(nome, s->specialValueText());
        }
        if (auto* s = qobject_cast<QDoubleSpinBox*>(w)) aggiungi(nome, s->suffix());
        if (auto* v = qobject_cast<QAbstractItemView*>(w)) {
            if (qstrcmp(w->metaObject()->className(), "QFontListView") == 0) continue;
            QAbstractItemModel* m = v->model();
            if (!m) continue;
            for (int r = 0; r < m->rowCount(); ++r) aggiungi(nome, m->index(r, 0).data().toString());
        }
    }
}

// Plays the operator: each step runs once on the next modal dialog that
// appears (a nested one, or the same one again once a nested one closed).
// A step that opens a nested dialog clicks through the event loop, so the
// step after it finds that dialog.
class Operatore {
public:
    using Passo = std::function<void(QWidget*)>;
    explicit Operatore(std::deque<Passo> passi) : m_passi(std::move(passi))
    {
        m_timer.setInterval(30);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w || !w->isVisible() || w == m_ultimo || m_passi.empty()) return;
            m_ultimo = w;
            Passo p = std::move(m_passi.front());
            m_passi.pop_front();
            p(w);
        });
        m_timer.start();
    }
    bool Finito() const { return m_passi.empty(); }

private:
    std::deque<Passo> m_passi;
    QPointer<QWidget> m_ultimo;
    QTimer m_timer;
};

QAbstractButton* Bottone(QWidget* dlg, const QString& testo)
{
    for (QAbstractButton* b : dlg->findChildren<QAbstractButton*>())
        if (b->isVisibleTo(dlg) && b->text().remove(u'&') == testo) return b;
    return nullptr;
}

void Premi(QWidget* dlg, const QString& testo)
{
    QAbstractButton* b = Bottone(dlg, testo);
    ASSERT_NE(b, nullptr) << testo.toStdString();
    QMetaObject::invokeMethod(b, &QAbstractButton::click, Qt::QueuedConnection);
}

void Foto(QWidget* dlg, const QString& nome)
{
    const QString foto = qEnvironmentVariable("OBX_SCREENSHOT_DIR");
    if (foto.isEmpty()) return;
    // The layout a click asked for, done first: the picture is the dialog
    // as the operator sees it, not half laid out.
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
    EXPECT_TRUE(dlg->grab().save(foto + QStringLiteral("/dialogo_") + nome + QStringLiteral(".png")));
}

void Chiudi(QWidget* dlg)
{
    if (auto* d = qobject_cast<QDialog*>(dlg)) QMetaObject::invokeMethod(d, &QDialog::reject, Qt::QueuedConnection);
}

TEST(DialoghiQtItaliano, EveryTextOfQtsOwnDialogsIsItalian)
{
    EnsureQApp();
    QTemporaryDir cartella;
    ASSERT_TRUE(cartella.isValid());
    // Whole words of Qt's English texts in these dialogs.
    const QRegularExpression inglese(QStringLiteral(
        "\\b(Print|Printer|Properties|Options|Copies|Pages|Page|Double Sided|Duplex|Off|Long side|Short side|binding|"
        "Specify|ranges|Collate|Reverse|Color|Colors|Grayscale|Output|Settings|Location|Type|Name|Local file|Write|"
        "Selection|Current|Even|Odd|All|Advanced|conflicts|Paper|Orientation|Portrait|Landscape|Margins|Width|"
        "Height|Custom|Letter|Envelope|Job|None|Invalid|Definition|syntax|Yes|Cancel|Abort|Retry|Ignore|Select|"
        "Basic|Hue|Red|Green|Blue|Alpha|Pick|Screen|Add|Style|Size|Effects|Strikeout|Underline|Sample|Writing|"
        "System|Any|Latin|Greek|Symbol|Close|Apply|Reset|Help|Save|Open|Details|Layout|sheet|order|Top|Bottom|"
        "Left|Right|the|and|of|to|from|with|Please)\\b"));
    struct Caso {
        const char* nome;
        std::function<void()> mostra;
        std::deque<Operatore::Passo> passi;
        QStringList attesi;
    };
    QStringList testi;
    const auto leggi = [&testi](const QString& foto) {
        return [&testi, foto](QWidget* w) {
            Testi(w, testi);
            Foto(w, foto);
            Chiudi(w);
        };
    };
    QPrinter stampante;
    stampante.setOutputFormat(QPrinter::PdfFormat);
    stampante.setOutputFileName(cartella.filePath(QStringLiteral("verbale.pdf")));
    stampante.setDocName(QStringLiteral("Verbale"));
    int32_t colore = 0x00336699;
    QString font = QStringLiteral("MS Sans Serif,B,10");
    QString risposta;
    std::vector<Caso> casi;
    casi.push_back(
        {"stampante",
         [&] { UI().ScegliStampante(stampante); },
         {
             [&](QWidget* w) {
                 // The options too, and a range of pages it refuses.
                 if (QAbstractButton* opzioni = Bottone(w, QStringLiteral("Opzioni >>"))) opzioni->click();
                 auto* pagine = w->findChild<QRadioButton*>(QStringLiteral("pagesRadioButton"));
                 auto* intervallo = w->findChild<QLineEdit*>(QStringLiteral("pagesLineEdit"));
                 ASSERT_TRUE(pagine && intervallo);
                 pagine->setChecked(true);
                 intervallo->setText(QStringLiteral("9-3"));
                 Testi(w, testi);
                 // Printing on both sides is offered by printers that can,
                 // never for a file: its texts are read all the same.
                 auto* fronteRetro = w->findChild<QGroupBox*>(QStringLiteral("duplex"));
                 ASSERT_NE(fronteRetro, nullptr);
                 testi << QStringLiteral("fronte/retro: ") + fronteRetro->title();
                 for (QAbstractButton* b : fronteRetro->findChildren<QAbstractButton*>())
                     testi << QStringLiteral("fronte/retro: ") + b->text();
                 Foto(w, QStringLiteral("stampante"));
                 Premi(w, QStringLiteral("Proprietà"));
             },
             [&](QWidget* w) {
                 Testi(w, testi);
                 Foto(w, QStringLiteral("stampante_proprieta"));
                 Chiudi(w);
             },
             [&](QWidget* w) { Premi(w, QStringLiteral("Stampa")); },
             [&](QWidget* w) {
                 Testi(w, testi);
                 Foto(w, QStringLiteral("stampante_pagine_errate"));
                 Chiudi(w);
             },
             [&](QWidget* w) { Chiudi(w); },
         },
         {QStringLiteral("Stampa fronte/retro"), QStringLiteral("Nessuno"), QStringLiteral("Lato lungo"),
          QStringLiteral("Lato corto"), QStringLiteral("Pagine"), QStringLiteral("Avanzate"),
          QStringLiteral("Definizione delle pagine non valida"), QStringLiteral("Stam&pa"), QStringLiteral("Annulla")}});
    const struct {
        const char* nome;
        int stile;
        QStringList bottoni;
    } messaggi[] = {
        {"ok", vbOKOnly + vbInformation, {QStringLiteral("OK")}},
        {"ok_annulla", vbOKCancel + vbQuestion, {QStringLiteral("OK"), QStringLiteral("Annulla")}},
        {"interrompi_riprova_ignora",
         vbAbortRetryIgnore + vbCritical,
         {QStringLiteral("Interrompi"), QStringLiteral("Riprova"), QStringLiteral("Ignora")}},
        {"si_no_annulla",
         vbYesNoCancel + vbExclamation,
         {QString::fromUtf8("Sì"), QStringLiteral("No"), QStringLiteral("Annulla")}},
        {"si_no", vbYesNo + vbQuestion, {QString::fromUtf8("Sì"), QStringLiteral("No")}},
        {"riprova_annulla", vbRetryCancel + vbExclamation, {QStringLiteral("Riprova"), QStringLiteral("Annulla")}},
    };
    for (const auto& m : messaggi) {
        const int stile = m.stile;
        casi.push_back({m.nome,
                        [stile] { UI().MsgBox(QStringLiteral("Confermare la chiusura della seduta?"), stile); },
                        {[&testi, nome = QString::fromLatin1(m.nome)](QWidget* w) {
                            Testi(w, testi);
                            Foto(w, QStringLiteral("messaggio_") + nome);
                            // The box closes on its last button.
                            QList<QPushButton*> b = w->findChildren<QPushButton*>();
                            ASSERT_FALSE(b.isEmpty());
                            QMetaObject::invokeMethod(b.back(), &QAbstractButton::click, Qt::QueuedConnection);
                        }},
                        m.bottoni});
    }
    casi.push_back({"input",
                    [&] { UI().InputBox(QStringLiteral("Numero della seduta:"), kTitoloOBX, QStringLiteral("1"), risposta); },
                    {leggi(QStringLiteral("input"))},
                    {QStringLiteral("OK"), QStringLiteral("Annulla")}});
    casi.push_back({"colore",
                    [&] { UI().ScegliColore(colore, QStringLiteral("Colore")); },
                    {leggi(QStringLiteral("colore"))},
                    {QStringLiteral("Colori di &base"), QStringLiteral("&Rosso:"), QStringLiteral("Annulla")}});
    casi.push_back({"font",
                    [&] { UI().ScegliFont(font, QStringLiteral("Carattere")); },
                    {leggi(QStringLiteral("font"))},
                    {QStringLiteral("Effetti"), QStringLiteral("Esempio"), QStringLiteral("Annulla")}});

    for (Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        testi.clear();
        Operatore operatore(std::move(c.passi));
        c.mostra();
        EXPECT_TRUE(operatore.Finito());
        ASSERT_FALSE(testi.isEmpty());
        for (const QString& testo : testi) EXPECT_FALSE(inglese.match(testo).hasMatch()) << testo.toStdString();
        for (const QString& atteso : c.attesi) {
            bool trovato = false;
            for (const QString& testo : testi) trovato = trovato || testo.endsWith(QStringLiteral(": ") + atteso);
            EXPECT_TRUE(trovato) << atteso.toStdString() << "\n" << testi.join(u'\n').toStdString();
        }
    }
}

}  // namespace
