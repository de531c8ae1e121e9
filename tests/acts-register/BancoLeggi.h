// The acts-tree register opened on a regional-assembly archive holding the
// fixture's law B 1 "12/2026" with its article J 3 and the article's
// amendment E 2 (codes 1, 2, 3), with scripted dialogs and a fake Ctrl key.
#pragma once

#include <QComboBox>
#include <QPointer>

#include "platform/Albero.h"
#include "platform/Testo.h"
#include "registers/Registri.h"
#include "registers/frmLeggi.h"
#include "shell/AlberoAtti.h"

namespace obx::test {

class BancoLeggi : public RegistroProva {
protected:
    void SetUp() override
    {
        RegistroProva::SetUp();
        servizi = std::make_unique<FakeServices>();
        Prepara(4);
        archivio->Atti();
    }
    void TearDown() override
    {
        RegistroProva::TearDown();
        servizi.reset();
    }
    void ChiudeFinestre() override
    {
        if (f) Chiude(f);
        f = nullptr;
    }

    frmLeggi* Apre()
    {
        ChiudeFinestre();
        f = new frmLeggi;
        f->show();
        return f;
    }

    // Selects the node of that key (the root is "*"); nullptr: nothing.
    NodoAlbero* Sceglie(const QString& chiave)
    {
        NodoAlbero* n = chiave.isEmpty() ? nullptr : f->oAlbero().Find(chiave);
        if (!chiave.isEmpty()) EXPECT_NE(n, nullptr) << chiave.toStdString();
        f->oAlbero().SetSelectedItem(n);
        return n;
    }

    // Chooses the entry of that name in the type list as the operator does.
    void SceglieTipo(const QString& nome)
    {
        QComboBox* c = f->cmbLegge(0);
        const int i = c->findText(nome);
        ASSERT_GE(i, 0) << nome.toStdString();
        c->setCurrentIndex(i);
        f->cmbLegge_LostFocus(0);
    }
    void SceglieStato(const QString& nome)
    {
        const int i = f->cmbLegge(1)->findText(nome);
        ASSERT_GE(i, 0) << nome.toStdString();
        f->cmbLegge(1)->setCurrentIndex(i);
    }

    static QVariantMap Atto(int codice) { return Riga(cTabelle[5], codice); }
    static QString Testo(const QVariantMap& m, const char* campo)
    {
        return m.value(QString::fromLatin1(campo)).toString();
    }
    static int Righe() { return ArchivioProva::Righe(cTabelle[5]); }

    // The code of the act whose tree key, without trailing blanks, is that.
    static int CodiceDaChiave(const QString& chiave)
    {
        Recordset rs = dbArchivio.OpenQuery(QStringLiteral("SELECT iCodLeggeLG FROM LEGGI WHERE rtrim(cTreeKeyLG) = ?"),
                                            {RTrimSpazi(chiave)});
        return rs.Eof() ? 0 : rs.Field(QStringLiteral("iCodLeggeLG")).toInt();
    }

    std::unique_ptr<FakeServices> servizi;
    QPointer<frmLeggi> f;
};

}  // namespace obx::test
