// The acts register across the archive work that closes the database under
// the windows ("Copia Archivi", the repair): unlike the registers with a
// browsing bar it is not in the way of that work, and an act loaded before
// it is saved after it, into the archive opened again.
#include <QPointer>

#include "Registri.h"
#include "platform/Albero.h"
#include "platform/Testo.h"
#include "registers/frmLeggi.h"
#include "shell/frmMain.h"

using namespace obx;
using namespace obx::test;

namespace {

class LeggiArchivio : public RegistroProva {
protected:
    void SetUp() override
    {
        RegistroProva::SetUp();
        Prepara(4);
        archivio->Atti();
    }
    void ChiudeFinestre() override { Chiude(frmLeggi::Aperta()); }
};

TEST_F(LeggiArchivio, UnAttoCaricatoPrimaSiSalvaDopo)
{
    frmMain m;
    for (int voce : {9, 11}) {
        SCOPED_TRACE(voce);
        ChiudeCopia copia;
        m.mnuArchivi_Click(0);
        QPointer<frmLeggi> f = frmLeggi::Aperta();
        ASSERT_FALSE(f.isNull());
        f->oAlbero().SetSelectedItem(f->oAlbero().Find(QStringLiteral("B1\\")));
        f->cmdLeggi_Click(0);  // "Varia": the law on the panel

        if (voce == 11) {
            (*ui)->AttendiMsg(QStringLiteral("Riorganizzazione Completata"));
            (*ui)->AttendiMsg(QStringLiteral("Ristrutturazione Completata"));
        }
        m.mnuArchivi_Click(voce);
        EXPECT_TRUE((*ui)->Restanti().empty());
        EXPECT_EQ(copia.vista, voce == 9);
        EXPECT_TRUE(dbArchivio.IsOpen());

        // The register stays open and opens its table again by itself.
        ASSERT_FALSE(f.isNull());
        const QString testo = QStringLiteral("Disciplina dopo la voce %1").arg(voce);
        Digita(f->getLegge(1), testo);
        f->cmdLeggi_Click(5);  // "Salva"
        EXPECT_TRUE((*ui)->Restanti().empty());
        EXPECT_EQ(RTrimSpazi(Riga(cTabelle[5], 1)[QStringLiteral("cDescLeggeLG")].toString()),
                  testo + QStringLiteral(" ."));
        Chiude(f);
    }
}

}  // namespace
