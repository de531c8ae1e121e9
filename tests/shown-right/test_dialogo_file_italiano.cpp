// The file dialogs the program shows speak Italian, every text of them:
// labels, buttons and their tips, the columns of the detailed view, the
// kind of each entry, the places of the side bar, the context menu, and
// the dates, which Qt writes in the desktop's locale rather than the
// default one.  With OBX_SCREENSHOT_DIR set each dialog is saved there.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTreeView>

#include "platform/Dialoghi.h"
#include "support/QtApp.h"

using namespace obx;
using namespace obx::test;

namespace {

// Every text the dialog shows or can show from its own menu, with where
// it was found.
QStringList Testi(QFileDialog& dlg)
{
    QStringList testi;
    auto aggiungi = [&testi](const QString& dove, const QString& t) {
        if (!t.isEmpty()) testi << dove + QStringLiteral(": ") + t;
    };
    for (QWidget* w : dlg.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&dlg)) continue;
        const QString nome = QString::fromLatin1(w->metaObject()->className()) + u' ' + w->objectName();
        aggiungi(nome + QStringLiteral(" suggerimento"), w->toolTip());
        aggiungi(nome + QStringLiteral(" descrizione"), w->accessibleName());
        if (auto* l = qobject_cast<QLabel*>(w)) aggiungi(nome, l->text());
        if (auto* b = qobject_cast<QAbstractButton*>(w)) aggiungi(nome, b->text());
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i) aggiungi(nome, c->itemText(i));
        if (auto* v = qobject_cast<QAbstractItemView*>(w)) {
            QAbstractItemModel* m = v->model();
            if (!m) continue;
            const QModelIndex radice = v->rootIndex();
            for (int c = 0; c < m->columnCount(radice); ++c)
                aggiungi(nome + QStringLiteral(" colonna"), m->headerData(c, Qt::Horizontal).toString());
            for (int r = 0; r < m->rowCount(radice); ++r)
                for (int c = 0; c < m->columnCount(radice); ++c) {
                    const QModelIndex i = m->index(r, c, radice);
                    aggiungi(nome, i.data().toString());
                    aggiungi(nome + QStringLiteral(" suggerimento"), i.data(Qt::ToolTipRole).toString());
                }
        }
    }
    for (QAction* a : dlg.findChildren<QAction*>()) aggiungi(QStringLiteral("menu"), a->text());
    return testi;
}

TEST(DialogoFileItaliano, EveryTextOfTheOpenAndSaveDialogsIsItalian)
{
    EnsureQApp();
    QTemporaryDir cartella;
    ASSERT_TRUE(cartella.isValid());
    ASSERT_TRUE(QDir(cartella.path()).mkdir(QStringLiteral("verbali")));
    const QString file = cartella.filePath(QStringLiteral("odg.txt"));
    const QDateTime dicembre(QDate(2025, 12, 15), QTime(10, 30));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("1@P@1@Bilancio\r\n");
    }
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        ASSERT_TRUE(f.setFileTime(dicembre, QFileDevice::FileModificationTime));
    }
    // Whole words of Qt's English texts, month names included.
    const QRegularExpression inglese(
        QStringLiteral("\\b(Folder|Folders|Drive|Computer|Date Modified|Size|Type|Name|Open|Save|Cancel|Look in|"
                       "File name|Files of type|All Files|bytes|Back|Forward|Parent Directory|Detail View|List View|"
                       "Create New Folder|New Folder|Rename|Delete|Show hidden files|Jan|Feb|Mar|Apr|May|Jun|Jul|"
                       "Aug|Sep|Oct|Nov|Dec|January|February|March|April|June|July|August|September|October|"
                       "November|December|AM|PM)\\b"));
    const QString data = QLocale(QLocale::Italian, QLocale::Italy).toString(dicembre, QLocale::ShortFormat);
    struct Caso {
        const char* nome;
        ModoFile modo;
        QString accetta;
    };
    const Caso casi[] = {
        {"apri", ModoFile::Apri, QStringLiteral("Apri")},
        {"apri o crea", ModoFile::ApriOCrea, QStringLiteral("Apri")},
        {"salva", ModoFile::Salva, QStringLiteral("Salva")},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        const auto dlg = DialogoFile(QStringLiteral("Importa Argomenti OdG"), cartella.path(),
                                     QStringLiteral("File di testo (*.txt);;Tutti i file (*.*)"), c.modo);
        ASSERT_TRUE(dlg->testOption(QFileDialog::DontUseNativeDialog));
        dlg->setViewMode(QFileDialog::Detail);
        dlg->show();
        // The folder is read in the background.
        auto* vista = dlg->findChild<QTreeView*>(QStringLiteral("treeView"));
        ASSERT_NE(vista, nullptr);
        QElapsedTimer t;
        t.start();
        while (vista->model()->rowCount(vista->rootIndex()) < 2 && t.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        ASSERT_EQ(vista->model()->rowCount(vista->rootIndex()), 2);

        const QStringList testi = Testi(*dlg);
        for (const QString& testo : testi) EXPECT_FALSE(inglese.match(testo).hasMatch()) << testo.toStdString();
        auto trovato = [&testi](const QString& atteso) {
            for (const QString& testo : testi)
                if (testo.endsWith(QStringLiteral(": ") + atteso)) return true;
            return false;
        };
        // What the operator reads, as the program names it.
        for (const QString& atteso :
             {c.accetta, QStringLiteral("Annulla"), QStringLiteral("Cerca in:"), QStringLiteral("Nome file:"),
              QStringLiteral("Tipo file:"), QStringLiteral("Nome"), QStringLiteral("Dimensione"), QStringLiteral("Tipo"),
              QStringLiteral("Data di modifica"), QStringLiteral("Cartella"), QStringLiteral("Il mio computer"), data})
            EXPECT_TRUE(trovato(atteso)) << atteso.toStdString() << "\n" << testi.join(u'\n').toStdString();
        // The date is a December one, written with numbers only.
        EXPECT_EQ(data, QStringLiteral("15/12/25 10:30"));

        const QString foto = qEnvironmentVariable("OBX_SCREENSHOT_DIR");
        if (!foto.isEmpty())
            EXPECT_TRUE(dlg->grab().save(foto + QStringLiteral("/dialogo_file_") +
                                         QString::fromLatin1(c.nome).replace(u' ', u'_') + QStringLiteral(".png")));
        dlg->reject();
    }
}

}  // namespace
