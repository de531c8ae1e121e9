// The registry list printed from "Anagrafe Consiglieri": it reaches a file
// named after it where no printer is installed, laid on the grid of the
// printable area.
#include <QCoreApplication>
#include <QFileInfo>

#include "BancoStampa.h"
#include "registers/frmAnag.h"

using namespace obx;
using namespace obx::test;

namespace {

class StampaAnagrafe : public BancoStampa {};

TEST_F(StampaAnagrafe, TheRegistryListGoesToAFileNamedAfterIt)
{
    Archivio(1);
    Registro(3);
    frmAnag* w = frmAnag::Mostra();
    ASSERT_NE(w, nullptr);
    (*ui)->AttendiStampante(true);
    AttendeFile();
    w->cmdAnag_Click(2);
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_EQ(QFileInfo(FileStampa()).fileName(), QStringLiteral("Anagrafe_Consiglieri_20260505-090712.pdf"));
    const Pdf pdf(FileStampa());
    ASSERT_TRUE(pdf.Valido());
    const Griglia g = Griglia::DellaStampante();
    const auto titolo = pdf.Trova(cConsiglio + QStringLiteral(" - Archivio Anagrafico"));
    ASSERT_EQ(titolo.size(), 1u) << pdf.Tutto().toStdString();
    EXPECT_EQ(g.Colonna(titolo[0]), 5);
    EXPECT_EQ(g.Riga(titolo[0]), 2);
    for (int i = 1; i <= 3; ++i) {
        const auto nome = pdf.Trova(Nome(i));
        ASSERT_EQ(nome.size(), 1u) << Nome(i).toStdString() << "\n" << pdf.Tutto().toStdString();
        EXPECT_EQ(g.Colonna(nome[0]), 9);
        EXPECT_EQ(g.Riga(nome[0]), 5 + i);
    }
    for (const ParolaPdf& p : pdf.Parole()) EXPECT_TRUE(g.Dentro(p)) << p.testo.toStdString();
}

// A registry that fills its first page exactly ends there: no second page
// holding only its header.  One person more starts the second page, with
// its header, at the first row under it.
TEST_F(StampaAnagrafe, AFullPageEndsTheListWithoutABareHeader)
{
    Archivio(1);
    Registro(1);
    frmAnag* w = frmAnag::Mostra();
    ASSERT_NE(w, nullptr);
    const auto stampa = [&] {
        (*ui)->AttendiStampante(true);
        AttendeFile();
        w->cmdAnag_Click(2);
        return Pdf(FileStampa());
    };
    // The first job tells how many rows the printable area holds.
    ASSERT_TRUE(stampa().Valido());
    const int perPagina = iRighePagina - 5;
    ASSERT_GT(perPagina, 3);
    ASSERT_LT(perPagina, 120);

    int scritti = 1;
    for (const int n : {perPagina, perPagina + 1}) {
        SCOPED_TRACE(n);
        Registro(n, scritti + 1);
        scritti = n;
        const Pdf pdf = stampa();
        ASSERT_TRUE(pdf.Valido());
        EXPECT_EQ(pdf.Pagine(), n == perPagina ? 1 : 2) << pdf.Tutto().toStdString();
        const auto ultimo = pdf.Trova(Nome(n));
        ASSERT_EQ(ultimo.size(), 1u);
        const Griglia g = Griglia::DellaStampante();
        EXPECT_EQ(ultimo[0].pagina, n == perPagina ? 1 : 2);
        EXPECT_EQ(g.Riga(ultimo[0]), n == perPagina ? iRighePagina : 6);
        EXPECT_EQ(pdf.Trova(cConsiglio + QStringLiteral(" - Archivio Anagrafico")).size(), size_t(pdf.Pagine()));
    }
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
