// Function keys and the guest speakers list: the keys refused while a vote
// runs, the help box, and the guest dialog's options.
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include "BancoPosti.h"
#include "platform/Temporizzatore.h"
#include "registers/frmDelib.h"

namespace obx::test {
namespace {

class Tasti : public BancoPosti {};

void Premi(frmCons* f, int tasto, int shift = 0)
{
    int k = tasto;
    f->Form_KeyDown(k, shift);
}

TEST_F(Tasti, KeysThatChangeDevicesOrTheRollDoNothingDuringAVote)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    // The central's port names a device that is not there: the handshake's
    // failure to open it is the sign that Ctrl+F11 tried.
    {
        QFile porte(cCartella + QStringLiteral("Porte.txt"));
        ASSERT_TRUE(porte.open(QIODevice::WriteOnly));
        porte.write("9=/nonexistent/obx-central\r\n");
    }
    iPortaTLV = 9;
    servizi->keys.ctrl = true;
    int eventiLista = 0;
    frmCons::MostraListaEventi = [&eventiLista] { ++eventiLista; };
    const bool presenze = PresenzeCostruite(f);

    iModoVoto = 1;
    Premi(f, 122, 2);  // Ctrl+F11
    Premi(f, 123);     // F12
    Premi(f, 117, 2);  // Ctrl+F6
    Premi(f, 119);     // F8
    Premi(f, 119, 2);
    EXPECT_EQ(eventiLista, 0);
    for (size_t i = 1; i < aPosti.size(); ++i) EXPECT_EQ(aPosti[i].iStato & 1, 0) << i;
    EXPECT_TRUE(EventiDopoApertura().empty());

    // A test vote blocks the handshake and F12 but not the event list.
    iModoVoto = 2;
    Premi(f, 122, 2);
    Premi(f, 123);
    Premi(f, 117, 2);
    EXPECT_EQ(eventiLista, 1);
    for (size_t i = 1; i < aPosti.size(); ++i) EXPECT_EQ(aPosti[i].iStato & 1, 0) << i;

    iModoVoto = 0;
    (*ui)->AttendiMsg(QStringLiteral("Errore su COM9"), vbOK, true);
    Premi(f, 122, 2);
    // Without Ctrl held, or with units not wired, nothing.
    servizi->keys.ctrl = false;
    Premi(f, 122, 2);
    servizi->keys.ctrl = true;
    iModoOBX = 0;
    Premi(f, 122, 2);
    iModoOBX = kCablaggioVotatori;

    // F12 with the attendance lock does nothing either.
    iOpzioniConsole |= kConsolePresenzeBloccate;
    Premi(f, 123);
    for (size_t i = 1; i < aPosti.size(); ++i) EXPECT_EQ(aPosti[i].iStato & 1, 0) << i;
    iOpzioniConsole &= ~4;
    frmCons::MostraListaEventi = nullptr;
    if (!presenze) GTEST_SKIP() << "attendance changes not built in this tree";
    // Outside a vote every absent seat enters, but not one declared absent.
    aPosti[7].iStato |= 16;
    Premi(f, 123);
    for (size_t i = 1; i < aPosti.size(); ++i) EXPECT_EQ(aPosti[i].iStato & 1, i == 7 ? 0 : 1) << i;
}

TEST_F(Tasti, EventListAndAgendaRegisterAreShownModal)
{
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    int mostrata = 0;
    frmCons::MostraListaEventi = [&mostrata] {
        ++mostrata;
        EXPECT_EQ(iModoAttivazione, 32);
    };
    Premi(f, 117);  // F6 without Ctrl is not ours
    EXPECT_EQ(mostrata, 0);
    Premi(f, 117, 2);
    EXPECT_EQ(mostrata, 1);
    EXPECT_TRUE(f->rsEventi.IsOpen());
    frmCons::MostraListaEventi = nullptr;

    bool registro = false;
    AlComparire<frmDelib>([&registro](frmDelib* d) {
        registro = true;
        EXPECT_EQ(iModoAttivazione, 32);
        d->close();
    });
    Premi(f, 119);
    EXPECT_TRUE(registro);
    Gira(20);
    EXPECT_TRUE(f->rsDelibere.IsOpen());
}

TEST_F(Tasti, HelpBoxLines)
{
    frmCons* f = Apre();
    ASSERT_NE(f, nullptr);
    const QString dieci(10, u' ');
    const QString testo = QStringLiteral("ENTRATA-USCITA Consiglieri\r\n") + dieci +
                          QStringLiteral("- Pulsante SIN\r\n") +
                          QStringLiteral("PRENDE LA PAROLA\r\nSOSTITUISCE IL PRESIDENTE\r\nE' NOMINATO SCRUTATORE\r\n"
                                         "E' REVOCATO DA SCRUTATORE\r\nVIENE SOSTITUITO DAL NUOVO CONSIGLIERE\r\n"
                                         "RICEVE UN VOTATORE DI RISERVA\r\nSI DICHIARA PRESENTE NON VOTANTE\r\n") +
                          dieci + QStringLiteral("- Ctrl + Pulsante SIN\r\nSOSTITUISCE IL SEGRETARIO\r\n") + dieci +
                          QStringLiteral("- Tasto Funzione F5\r\nSTAMPA LISTA EVENTI\r\n") + dieci +
                          QStringLiteral("- Ctrl + Tasto Funzione F6\r\nAGGIUNGE NUOVE DELIBERE\r\n") + dieci +
                          QStringLiteral("- Ctrl + Tasto Funzione F8\r\nRITIRO Emendamenti\r\n") + dieci +
                          QStringLiteral("- Ctrl + Pulsante SIN su descrizione Emendamento");
    (*ui)->AttendiMsg(testo);
    Premi(f, 112);
    EXPECT_EQ((*ui)->Storia().back().stile, vbInformation);
}

TEST_F(Tasti, GuestGivenTheFloorRemovedOrBooked)
{
    iPrenotazioni = kPrenotazioniPannello;
    frmCons* f = ApreConSeduta();
    ASSERT_NE(f, nullptr);
    const int g = Ospite(10);
    ASSERT_GT(g, 0);
    const QString nome = aOspiti[size_t(g)].cNomeAN;
    auto elenca = [&] {
        f->lstParola()->Clear();
        f->lstParola()->AddItem(nome);
        f->lstParola()->SetListIndex(0);
        cOspitiPresenti[g - 1] = QChar(10);
    };

    // A plain or right click, or no entry selected: no dialog.
    elenca();
    f->OperazioniOspite(1, 0);
    f->OperazioniOspite(2, 2);
    f->lstParola()->SetListIndex(-1);
    f->OperazioniOspite(1, 2);

    // Cancelled: the console still takes back its record sets and timer.
    elenca();
    SceltaOspiti(-1);
    f->OperazioniOspite(1, 2);
    EXPECT_EQ(f->lstParola()->ListCount(), 1);
    EXPECT_TRUE(f->rsEventi.IsOpen());
    EXPECT_TRUE(f->croTimer().Enabled());

    // Removed from the list.
    f->cmdParola(1)->setEnabled(false);
    SceltaOspiti(1);
    f->OperazioniOspite(1, 2);
    EXPECT_EQ(f->lstParola()->ListCount(), 0);
    EXPECT_EQ(cOspitiPresenti[g - 1], QChar(0));
    EXPECT_TRUE(f->cmdParola(1)->isEnabled());

    // Booked, then given the floor: both are the speaking turns' work; what
    // they do with the guest is seen where they are built.
    elenca();
    SceltaOspiti(3);
    f->OperazioniOspite(1, 2);
    EXPECT_EQ(f->lstParola()->ListCount(), 1);
    cOratore.clear();
    SceltaOspiti(0);
    f->OperazioniOspite(1, 2);
    EXPECT_EQ(f->lstParola()->ListCount(), 1);
    iPrenotazioni = 0;
    if (cOratore.isEmpty()) GTEST_SKIP() << "speaking turns not built in this tree";
    EXPECT_EQ(cOratore, QStringLiteral("GIALLI V."));
    const auto ev = EventiDopoApertura();
    ASSERT_FALSE(ev.empty());
    EXPECT_EQ(ev.back().lettera, QStringLiteral("D"));
    EXPECT_EQ(ev.back().nome, nome);
}

}  // namespace
}  // namespace obx::test
