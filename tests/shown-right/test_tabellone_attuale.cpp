// What the projected board shows is the sitting as it stands: a board built
// late (one monitor, first shown by "Presenze Tabellone") or rebuilt after
// it was closed takes the captions the sitting gave its cells; every press
// of a sitting button ends the outcome's display and the title clearing;
// an annulled vote leaves nothing of the earlier vote's outcome or figures
// on the projected board nor on the LED board.
//
// With OBX_FOTO_MOSTRATO naming a folder (and a real X server, e.g.
// xvfb-run), the board after an annulled vote and after a suspension is
// saved there as PNG files for the eye.
#include <QDir>
#include <QPushButton>

#include "BancoMostrato.h"
#include "board/Etichetta.h"
#include "board/frmVideo.h"
#include "links/Tabellone.h"
#include "links/frmLED.h"
#include "platform/Testo.h"

namespace obx::test {
namespace {

constexpr int32_t kVerdeLed = 0x00FF00;

class TabelloneAttuale : public BancoMostrato {
protected:
    static QString Cella(int n) { return frmVideo().txtTitolo(n)->Caption(); }
    static void Foto(const char* nome)
    {
        const QString cartella = qEnvironmentVariable("OBX_FOTO_MOSTRATO");
        if (cartella.isEmpty()) return;
        // The fixture's seats have no place on the board: four to a row,
        // on a board built again (as after a close from outside).
        for (size_t i = 1; i < aPosti.size(); ++i) {
            aPosti[i].nTopTvAN = 300 + 600 * int((i - 1) / 4);
            aPosti[i].nSinTvAN = 300 + 3600 * int((i - 1) % 4);
        }
        frmVideo().close();
        Gira(10);
        FrmVideo& b = frmVideo();
        b.Mostra();
        Gira(50);
        EXPECT_TRUE(b.grab().save(QDir(cartella).filePath(QString::fromLatin1(nome)), "PNG"));
    }
};

TEST_F(TabelloneAttuale, CostruitoTardiORicostruitoMostraLaSeduta)
{
    EntranoTutti();
    const QString presenti = QStringLiteral("Presenti ") + Formato(iPresenti, QStringLiteral("00"));
    ASSERT_GT(iPresenti, 1);
    (*ui)->AttendiMsg(QStringLiteral("Confermi Sospensione Seduta"), vbOK);
    f->cmdConsiglio(1)->click();
    f->cmdConsiglio(1)->click();  // resumed
    // One monitor: no board yet.
    ASSERT_EQ(frmVideoCaricato(), nullptr);

    f->cmdConsiglio(2)->click();
    ASSERT_NE(frmVideoCaricato(), nullptr);
    EXPECT_EQ(Cella(4), presenti);
    for (size_t i = 1; i < aPosti.size(); ++i)
        EXPECT_EQ(frmVideo().txtAnag(aPosti[i].iPulsanteAN)->ForeColor(), cColoriTabVideo[1]) << i;

    // Suspended, then the board closed from outside and built again.
    (*ui)->AttendiMsg(QStringLiteral("Confermi Sospensione Seduta"), vbOK);
    f->cmdConsiglio(1)->click();
    EXPECT_EQ(Cella(8), QStringLiteral("SEDUTA SOSPESA"));
    frmVideo().close();
    Gira(10);
    ASSERT_EQ(frmVideoCaricato(), nullptr);
    EXPECT_EQ(Cella(4), presenti);
    EXPECT_EQ(Cella(8), QStringLiteral("SEDUTA SOSPESA"));
    EXPECT_EQ(Cella(5), cConsiglio);

    // The console's own take-down forgets them: the next sitting's board
    // starts from its own captions.
    ScaricaFrmVideo();
    Gira(10);
    iPresenti = 0;
    EXPECT_EQ(Cella(4), QStringLiteral("Presenti 00"));
    EXPECT_TRUE(Cella(8).isEmpty());
}

TEST_F(TabelloneAttuale, OgniPulsanteDellaSedutaChiudeLEsitoEPulizia)
{
    const int bits = kStatoEsito | kStatoPulisciTitolo;
    struct Caso {
        const char* pulsante;
        int indice;
        const char* domanda;
        int risposta;
    };
    // Opened already by SetUp: suspend, resume, a refused close, the close.
    const Caso casi[] = {
        {"Sospesa", 1, "Confermi Sospensione Seduta", vbOK},
        {"Ripresa", 1, nullptr, 0},
        {"Chiusura rifiutata", 0, "Confermi Chiusura Seduta", vbCancel},
        {"Sospesa rifiutata", 1, "Confermi Sospensione Seduta", vbCancel},
    };
    for (const Caso& c : casi) {
        iStatoConsole |= bits;
        if (c.domanda) (*ui)->AttendiMsg(QString::fromLatin1(c.domanda), c.risposta);
        f->cmdConsiglio(c.indice)->click();
        EXPECT_EQ(iStatoConsole & bits, 0) << c.pulsante;
        EXPECT_EQ(iStatoConsole & kStatoOrologio, kStatoOrologio) << c.pulsante;
    }
}

TEST_F(TabelloneAttuale, SospensioneDopoUnVotoAnnullatoResta)
{
    EntranoTutti();
    frmVideo();
    Vota("1=3\r\n", 1, true);
    // The annulment asks the engine to clear the title cell.
    EXPECT_NE(iStatoConsole & kStatoPulisciTitolo, 0);
    (*ui)->AttendiMsg(QStringLiteral("Confermi Sospensione Seduta"), vbOK);
    f->cmdConsiglio(1)->click();
    f->croTimer_Timer();
    f->croTimer_Timer();
    EXPECT_EQ(Cella(8), QStringLiteral("SEDUTA SOSPESA"));
    Foto("tabellone_sospeso.png");
}

TEST_F(TabelloneAttuale, VotoAnnullatoNonLasciaEsitoNeCifre)
{
    EntranoTutti();
    frmVideo();
    // A vote carried with every yes: its counts and outcome on the board.
    QByteArray si;
    for (size_t i = 1; i < aPosti.size(); ++i) si += QByteArray::number(qulonglong(i)) + "=3\r\n";
    const int tutti = int(aPosti.size()) - 1;
    Vota(si, tutti);
    ASSERT_FALSE(cEsito.isEmpty());
    EXPECT_EQ(Cella(9), QStringLiteral("Favorevoli ") + Formato(tutti, QStringLiteral("00")));
    EXPECT_EQ(frmVideo().txtTitolo(9)->BackStyle(), 1);
    f->croTimer_Timer();  // the outcome blinks in cell 13

    // The next vote, straight away, with every no, annulled.
    QByteArray no;
    for (size_t i = 1; i < aPosti.size(); ++i) no += QByteArray::number(qulonglong(i)) + "=6\r\n";
    Vota(no, tutti, true);
    for (int n = 9; n <= 13; ++n) {
        EXPECT_TRUE(Cella(n).isEmpty()) << n << " " << Cella(n).toStdString();
        EXPECT_EQ(frmVideo().txtTitolo(n)->BackStyle(), 0) << n;
    }
    for (int i = 0; i < 3; ++i) {
        f->croTimer_Timer();
        EXPECT_TRUE(Cella(13).isEmpty());
    }
    // The seats show attendance, not the keys of either vote; so does the
    // LED board.
    for (size_t i = 1; i < aPosti.size(); ++i) {
        const Posto& p = aPosti[i];
        EXPECT_EQ(frmVideo().txtAnag(p.iPulsanteAN)->ForeColor(), cColoriTabVideo[1]) << i;
        if (p.iPannelloAN > 0 && frmLEDCaricato())
            EXPECT_EQ(frmLEDCaricato()->lblAnag(p.iPannelloAN - 1)->BackColor(), kVerdeLed) << i;
    }
    ASSERT_NE(frmLEDCaricato(), nullptr);
    Foto("tabellone_annullato.png");
}

}  // namespace
}  // namespace obx::test
