// Sitting commands: open, suspend, resume, close with their events and
// captions; refused confirmations; a vote dropped by a suspension; the
// attendance refresh; closing the window.
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "board/Etichetta.h"
#include "board/frmVideo.h"
#include "platform/Elenchi.h"
#include "platform/Temporizzatore.h"
#include "shell/Globali.h"
#include "support/BancoConsole.h"

namespace obx::test {
namespace {

class Seduta : public BancoConsole {};

TEST_F(Seduta, AperturaSospensioneRipresaChiusura)
{
    // The board log of the previous sitting goes at the opening.
    {
        QFile log(cFileLog);
        ASSERT_TRUE(log.open(QIODevice::WriteOnly));
        log.write("vecchio\r\n");
    }
    iOpzioniConsole = kConsolePresenzeBloccabili;
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);

    f->cmdConsiglio(0)->click();
    EXPECT_FALSE(QFile::exists(cFileLog));
    EXPECT_EQ(f->cmdConsiglio(0)->text(), QStringLiteral("Chiusura"));
    EXPECT_TRUE(f->cmdConsiglio(1)->isEnabled());
    EXPECT_TRUE(f->cmdVoto(0)->isEnabled());
    EXPECT_TRUE(f->cmdVoto(5)->isEnabled());
    for (int b : {1, 2, 3}) EXPECT_TRUE(f->boxConsiglio(b)->isEnabled());
    EXPECT_TRUE(f->cmbArgo(0)->isEnabled());
    EXPECT_TRUE(f->cmbArgo(1)->isEnabled());
    EXPECT_TRUE(f->SedutaAperta());
    EXPECT_FALSE(f->SedutaSospesa());
    EXPECT_EQ(iOpzioniConsole, 2 | 4);

    (*ui)->AttendiMsg(QStringLiteral("Confermi Sospensione Seduta"), vbOK);
    f->cmdConsiglio(1)->click();
    EXPECT_EQ(f->cmdConsiglio(1)->text(), QStringLiteral("Ripresa"));
    EXPECT_FALSE(f->boxConsiglio(3)->isEnabled());
    EXPECT_FALSE(f->boxConsiglio(2)->isEnabled());
    EXPECT_TRUE(f->boxConsiglio(1)->isEnabled());
    EXPECT_TRUE(f->SedutaSospesa());
    EXPECT_EQ(iOpzioniConsole, 2);

    f->cmdConsiglio(1)->click();
    EXPECT_EQ(f->cmdConsiglio(1)->text(), QStringLiteral("Sospesa"));
    EXPECT_TRUE(f->boxConsiglio(3)->isEnabled());
    EXPECT_TRUE(f->boxConsiglio(2)->isEnabled());
    EXPECT_EQ(iOpzioniConsole, 2 | 4);

    (*ui)->AttendiMsg(QStringLiteral("Confermi Chiusura Seduta"), vbOK);
    (*ui)->AttendiMsg(QStringLiteral("Seduta Conclusa"), vbOK);
    f->cmdConsiglio(0)->click();
    Gira(20);
    EXPECT_EQ(frmConsAperto(), nullptr);
    EXPECT_FALSE(bConsoleAperta);
    EXPECT_EQ(iOpzioniConsole, 2);
    EXPECT_EQ(iModoAttivazione, 0);
    EXPECT_EQ(frmVideoCaricato(), nullptr);

    struct Atteso {
        const char* lettera;
        const char* descrizione;
    };
    const Atteso attesi[] = {
        {"A", "Apertura Seduta"}, {"S", "Sospens. Consiglio"}, {"R", "Ripresa Consiglio"}, {"C", "Chiusura Seduta"}};
    const auto ev = Eventi();
    ASSERT_EQ(ev.size(), std::size(attesi));
    for (size_t i = 0; i < ev.size(); ++i) {
        EXPECT_EQ(ev[i].lettera, QString::fromLatin1(attesi[i].lettera));
        EXPECT_EQ(ev[i].descrizione, QString::fromLatin1(attesi[i].descrizione).leftJustified(20));
        EXPECT_EQ(ev[i].nome, QString(30, u' '));
        EXPECT_EQ(ev[i].extra, QString(90, u' '));
        EXPECT_EQ(ev[i].delibera, 0);
        EXPECT_EQ(ev[i].codVoto, 0);
        EXPECT_EQ(ev[i].data, servizi->clock.Adesso());
        if (i > 0) EXPECT_GT(ev[i].codice, ev[i - 1].codice);
    }
    // The sitting's questions have Cancel where the operator may refuse.
    for (const auto& v : (*ui)->Storia())
        if (v.testo.startsWith(QStringLiteral("Confermi")))
            EXPECT_EQ(v.stile, vbOKCancel + vbQuestion) << v.testo.toStdString();
}

TEST_F(Seduta, ConfermeRifiutateNonCambianoNulla)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    ApreSeduta(f);
    (*ui)->AttendiMsg(QStringLiteral("Confermi Sospensione Seduta"), vbCancel);
    f->cmdConsiglio(1)->click();
    (*ui)->AttendiMsg(QStringLiteral("Confermi Chiusura Seduta"), vbCancel);
    f->cmdConsiglio(0)->click();
    EXPECT_EQ(f->cmdConsiglio(1)->text(), QStringLiteral("Sospesa"));
    EXPECT_EQ(f->cmdConsiglio(0)->text(), QStringLiteral("Chiusura"));
    EXPECT_EQ(frmConsAperto(), f);
    EXPECT_EQ(Eventi().size(), 1u);
}

TEST_F(Seduta, ChiusuraDaSospesaRegistraSoloC)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    ApreSeduta(f);
    (*ui)->AttendiMsg(QStringLiteral("Confermi Sospensione Seduta"), vbOK);
    f->cmdConsiglio(1)->click();
    (*ui)->AttendiMsg(QStringLiteral("Confermi Chiusura Seduta"), vbOK);
    (*ui)->AttendiMsg(QStringLiteral("Seduta Conclusa"), vbOK);
    f->cmdConsiglio(0)->click();
    Gira(10);
    const auto ev = Eventi();
    ASSERT_EQ(ev.size(), 3u);
    EXPECT_EQ(ev[2].lettera, QStringLiteral("C"));
}

TEST_F(Seduta, SospensioneConVotoInCorsoLoScarta)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    ApreSeduta(f);
    iModoVoto = 1;
    (*ui)->AttendiMsg(QStringLiteral("Confermi Sospensione Seduta"), vbOK);
    f->cmdConsiglio(1)->click();
    EXPECT_EQ(iModoVoto, 0);
    EXPECT_EQ(ArchivioProva::Righe(cTabelle[4]), 0);
    const auto ev = Eventi();
    ASSERT_EQ(ev.size(), 2u);
    EXPECT_EQ(ev[1].lettera, QStringLiteral("S"));
}

TEST_F(Seduta, AggiornamentoPresenze)
{
    iTipoAssemblea = 1;
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    ApreSeduta(f);
    // States: 1 present, 65 present but absent at the last roll call,
    // 17 declared absent, 0 absent; seat 8 has no LED position.
    aPosti[1].iStato = 8 | 1;
    aPosti[2].iStato = 65;
    aPosti[3].iStato = 17;
    aPosti[4].iStato = 8;
    aPosti[8].iStato = 9;
    aPosti[8].iPannelloAN = 0;
    iStatoConsole = 1 | 16 | 64;
    f->lblEsito()->show();
    f->cmdVoto(0)->hide();

    f->cmdConsiglio_Click(99);
    EXPECT_EQ(cLedPresenze.left(8), QStringLiteral("20000000"));
    EXPECT_EQ(iStatoConsole, 1);
    EXPECT_TRUE(f->lblEsito()->isHidden());
    EXPECT_FALSE(f->cmdVoto(0)->isHidden());
    // 99 never brings up the projected board.
    EXPECT_EQ(frmVideoCaricato(), nullptr);

    // In the regional assembly 65 counts as present.
    iTipoAssemblea = 4;
    f->cmdConsiglio_Click(2);
    EXPECT_EQ(cLedPresenze.left(8), QStringLiteral("22000000"));
    FrmVideo* board = frmVideoCaricato();
    ASSERT_NE(board, nullptr);
    EXPECT_TRUE(board->isVisible());
    for (int n : {4, 7, 9, 10, 11, 12, 13}) EXPECT_EQ(board->txtTitolo(n)->BackStyle(), 0);
    iTipoAssemblea = 1;

    // Ctrl on the button only brings up the board.
    cLedPresenze = QString(48, u'0');
    servizi->keys.ctrl = true;
    f->cmdConsiglio_Click(2);
    servizi->keys.ctrl = false;
    EXPECT_EQ(cLedPresenze, QString(48, u'0'));

    // Other indexes do nothing.
    f->cmdConsiglio_Click(3);
    EXPECT_EQ(Eventi().size(), 1u);
}

TEST_F(Seduta, ChiusuraDellaFinestra)
{
    // No sitting: nothing asked, nothing logged.
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->Chiude());
    Gira(10);
    EXPECT_EQ(frmConsAperto(), nullptr);
    EXPECT_FALSE(bConsoleAperta);
    EXPECT_TRUE(Eventi().empty());

    // A sitting open: refused keeps everything, confirmed closes it with "C".
    f = Apre();
    ASSERT_NE(f, nullptr);
    ApreSeduta(f);
    (*ui)->AttendiMsg(QStringLiteral("Confermi Chiusura Seduta"), vbCancel);
    EXPECT_FALSE(f->Chiude());
    EXPECT_EQ(frmConsAperto(), f);
    EXPECT_TRUE(bConsoleAperta);
    EXPECT_EQ(Eventi().size(), 1u);

    (*ui)->AttendiMsg(QStringLiteral("Confermi Chiusura Seduta"), vbOK);
    (*ui)->AttendiMsg(QStringLiteral("Seduta Conclusa"), vbOK);
    EXPECT_TRUE(f->Chiude());
    Gira(10);
    EXPECT_EQ(frmConsAperto(), nullptr);
    const auto ev = Eventi();
    ASSERT_EQ(ev.size(), 2u);
    EXPECT_EQ(ev[1].lettera, QStringLiteral("C"));
    EXPECT_EQ(iModoAttivazione, 0);
}

TEST_F(Seduta, FinestraNonSiChiudeDuranteUnVoto)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    ApreSeduta(f);
    iModoVoto = 1;
    (*ui)->AttendiMsg(QStringLiteral("Votazione in corso: operazione non consentita"), vbOK);
    EXPECT_FALSE(f->Chiude());
    EXPECT_EQ(frmConsAperto(), f);
    EXPECT_TRUE(f->croTimer().Enabled());
    iModoVoto = 0;
}

}  // namespace
}  // namespace obx::test
