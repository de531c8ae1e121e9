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

}  // namespace
