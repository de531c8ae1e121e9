// What the register tests share: a fixture archive with scripted dialogs, an
// operator who types into the fields, and the rows read back from the file.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVariantMap>
#include <memory>

#include "platform/Database.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"
#include "support/ArchivioProva.h"
#include "support/QtApp.h"
#include "support/ScriptedUI.h"

namespace obx::test {

// The row of the table whose "TAG_A" key is `chiave`, every field by name
// (Null fields are invalid variants); empty when there is none.
inline QVariantMap Riga(const QString& tabella, const QVariant& chiave)
{
    QVariantMap m;
    Recordset rs = dbArchivio.OpenTable(tabella, QStringLiteral("TAG_A"));
    if (rs.RecordCount() == 0) return m;
    rs.Seek(QStringLiteral("="), chiave);
    if (rs.NoMatch()) return m;
    for (const QString& f : rs.FieldNames()) m.insert(f, rs.Field(f));
    return m;
}

inline void ScriveCampi(const QString& tabella, const QVariant& chiave, const QVariantMap& campi)
{
    Recordset rs = dbArchivio.OpenTable(tabella, QStringLiteral("TAG_A"));
    rs.Seek(QStringLiteral("="), chiave);
    ASSERT_FALSE(rs.NoMatch());
    rs.Edit();
    for (auto it = campi.begin(); it != campi.end(); ++it) rs.SetField(it.key(), it.value());
    rs.Update();
}

// The operator types `testo` over what the field holds.
inline void Digita(QWidget* campo, const QString& testo)
{
    if (auto* e = qobject_cast<QLineEdit*>(campo))
        e->selectAll();
    else if (auto* t = qobject_cast<QPlainTextEdit*>(campo))
        t->selectAll();
    if (testo.isEmpty()) {
        QKeyEvent canc(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QApplication::sendEvent(campo, &canc);
        return;
    }
    for (QChar c : testo) {
        QKeyEvent k(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(campo, &k);
    }
}

// The focus comes to the field, or leaves it, as with the Tab key.
inline void Entra(QWidget* campo)
{
    QFocusEvent e(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(campo, &e);
}
inline void Esce(QWidget* campo)
{
    QFocusEvent e(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(campo, &e);
}

inline void CtrlClic(QWidget* campo)
{
    QMouseEvent e(QEvent::MouseButtonPress, QPointF(2, 2), campo->mapToGlobal(QPointF(2, 2)), Qt::LeftButton,
                  Qt::LeftButton, Qt::ControlModifier);
    QApplication::sendEvent(campo, &e);
}

// Closes a window and lets it be destroyed.
inline void Chiude(QWidget* w)
{
    if (!w) return;
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// While it lives, the archive copy's window ("frmCopia") is closed as soon
// as it comes up; vista tells whether it came up.
class ChiudeCopia {
public:
    ChiudeCopia()
    {
        m_guardia.setInterval(20);
        QObject::connect(&m_guardia, &QTimer::timeout, [this] {
            if (QWidget* d = QApplication::activeModalWidget(); d && d->objectName() == QStringLiteral("frmCopia")) {
                vista = true;
                d->close();
            }
        });
        m_guardia.start();
    }
    bool vista = false;

private:
    QTimer m_guardia;
};

class RegistroProva : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureQApp();
        ImpostaConfigurazionePredefinita();
        AzzeraStatoSeduta();
        ui = std::make_unique<ScriptedUI>();
        Prepara(1);
    }
    void TearDown() override
    {
        ChiudeFinestre();
        archivio.reset();
        ui.reset();
    }
    virtual void ChiudeFinestre() {}

    // A new archive for the assembly kind, with the settings the registers read.
    void Prepara(int tipoAssemblea)
    {
        ChiudeFinestre();
        archivio.reset();
        archivio = std::make_unique<ArchivioProva>(tipoAssemblea);
        ASSERT_TRUE(archivio->Valido());
        iPrimoTLV = 1;
        iUltimoTLV = 48;
        iTipoTAB = 2;
        xIdEsterno = true;
        cConsiglio = QStringLiteral("Consiglio Comunale di Prova");
    }

    // The last message box shown, and its style.
    const DialoghiScriptati::Visto& UltimoDialogo()
    {
        static const DialoghiScriptati::Visto nessuno{DialoghiScriptati::Tipo::Msg, {}, {}, 0};
        return (*ui)->Storia().empty() ? nessuno : (*ui)->Storia().back();
    }

    std::unique_ptr<ScriptedUI> ui;
    std::unique_ptr<ArchivioProva> archivio;
};

}  // namespace obx::test
