// Every command letter on every LED display type, against the frames the
// board simulator decodes.  Each case starts from a new driver that has
// shown the item ("G"), so the rows a command keeps are known and the
// attendance map is not due.
#include "Banco.h"
#include "shell/Configurazione.h"

using namespace obx;
using namespace obx::test;

namespace {

struct Caso {
    const char* lettera;
    std::vector<const char*> frame;  // expected, in the notation of Codici()
};

// Rows after "G", for reference:
//  1: "12 OdG 7"   2: ids 1 [][BILANCIO 2026][VARIAZIONE N. 3][], 3 [PRESENTI 12 ], 4 [][][]
//  3: "12 BILANCIO 2026"   4: "2 OdG7          "   6: "12 OdG 7" / "BILANCIO 2026"
const std::vector<Caso> kTipo1 = {
    {"0", {"TEXT 1 [      GIO 15-01-26]"}},
    {"1", {"TEXT 1 [     {0}PROVA VOTATORI{0}]"}},
    {"2", {"TEXT 1 [12 ]"}},
    {"4", {"TEXT 1 [     {0}APPELLO{0}]"}},
    {"6", {"TEXT 1 [{0}VERIFICA VOTO PRECEDENTE{0}]"}},
    {"7", {"TEXT 1 [{0}VERIFICA NUMERO LEGALE{0}]"}},
    {"8", {"TEXT 1 [12 OdG 7]"}},
    {"9", {"TEXT 1 []"}},
    {"A", {"TEXT 1 [12  APERTURA SEDUTA]"}},
    {"C", {"TEXT 1 [    CHIUSURA SEDUTA]"}},
    {"S", {"TEXT 1 [    {0}SEDUTA SOSPESA{0}]"}},
    {"R", {"TEXT 1 [12]"}},
    {"E", {"TEXT 1 [12 OdG 7]"}},
    {"U", {"TEXT 1 [12 OdG 7]"}},
    {"G", {"TEXT 1 [12 OdG 7]"}},
    {"F", {"TEXT 1 [12 OdG 7]"}},
    {"H", {"TEXT 1 [12 OdG 7]"}},
    {"D", {"TEXT 1 [12  04,5 ROSSI MARI]"}},
    {"d", {"TEXT 1 [12 {0} 04,5 {0}ROSSI MARI]"}},
    {"V", {"TEXT 1 [12 OdG 7   {0} Votaz.Aperta{0}]"}},
    {"e", {"TEXT 1 [12 OdG 7   {0} Votaz.Aperta{0}]"}},
    {"u", {"TEXT 1 [12 OdG 7   {0} Votaz.Aperta{0}]"}},
    {"I", {"TEXT 1 [12 OdG 7{0}VOTAZ.NULLA{0}]"}},
    {"T", {"TEXT 1 [12 OdG 7  07 10 03 01]"}},
    {"W", {}},
    {"w", {}},
    {"M", {}},
    {"m", {}},
};

const char* const kVuote1 = "TEXT 1 [][][][]";
const char* const kVuote4 = "TEXT 4 [][][]";
const char* const kTitoli = "TEXT 1 [][BILANCIO 2026][VARIAZIONE N. 3][]";

const std::vector<Caso> kTipo2 = {
    {"0", {"CLOCK 09:30:05 15-01-26 day=5", "TEXT 1 [  {S}gg {S}G {S}LL {S}o:{S}m][][][]", "TEXT 3 []", kVuote4}},
    {"1", {kVuote1, "TEXT 3 [   PROVA VOTATORI]", kVuote4}},
    {"2", {"TEXT 3 [PRESENTI 12 ]"}},
    {"4", {kVuote1, "TEXT 3 [   APPELLO]", "TEXT 4 [][{0}  VOTAZIONE APERTA{0}][]"}},
    {"6", {kVuote1, "TEXT 3 [{0}VERIFICA VOTO PREC.{0}]", kVuote4}},
    {"7", {kVuote1, "TEXT 3 [{0}VERIFICA N. LEGALE{0}]", "TEXT 4 [][{0}  VOTAZIONE APERTA{0}][]"}},
    {"8", {kTitoli, "TEXT 3 [PRESENTI 12 ]", "TEXT 4 [][][{0}ROSSI MARIO     {0}]"}},
    {"9", {kVuote1, "TEXT 3 []", kVuote4}},
    {"A", {"TEXT 1 [][][APERTURA SEDUTA][]"}},
    {"C", {kVuote1, "TEXT 3 [{0}CHIUSURA SEDUTA{0}]", kVuote4}},
    {"S", {"TEXT 3 [   SEDUTA SOSPESA]"}},
    {"R", {"TEXT 3 [PRESENTI 12 ]"}},
    {"E", {"TEXT 3 [PRESENTI 12 ]"}},
    {"U", {"TEXT 3 [PRESENTI 12 ]"}},
    {"G", {kTitoli, "TEXT 3 [PRESENTI 12 ]", kVuote4}},
    {"F", {kTitoli, "TEXT 3 [PRESENTI 12 ]", kVuote4}},
    {"H", {"CHRONO stop", kVuote4}},
    {"D", {"TEXT 4 [][ROSSI MARIO       PD][TEMPO {C}]", "CHRONO start"}},
    {"d", {"TEXT 4 [][ROSSI MARIO       PD][TEMPO {C}]", "CHRONO start"}},
    {"V", {"TEXT 3 [PRESENTI 12 QUOR. 07]", "TEXT 4 [][{0}  VOTAZIONE APERTA{0}][]"}},
    {"e", {"TEXT 3 [PRESENTI 12 QUOR. 07]"}},
    {"u", {"TEXT 3 [PRESENTI 12 QUOR. 07]"}},
    {"I", {"TEXT 4 [][{0}VOTAZIONE ANNULLATA{0}][]"}},
    {"T", {"TEXT 4 [FAVOREVOLI 10][CONTRARI    3][ASTENUTI    1]"}},
    {"W", {"TEXT 4 [{0}IMMED. ESECUTIVITA'{0}][][]"}},
    {"w", {kVuote4}},
    {"M", {}},
    {"m", {}},
};

const std::vector<Caso> kTipo3 = {
    {"0", {"TEXT 1 [GIO 15-01-26]"}},
    {"1", {"TEXT 1 [ PROVA VOTATORI]"}},
    {"2", {"TEXT 1 [12 ]"}},
    {"4", {"TEXT 1 [ APPELLO]"}},
    {"6", {"TEXT 1 [{0}VER. VOTO PREC.{0}]"}},
    {"7", {"TEXT 1 [{0}VER. NUM. LEGALE{0}]"}},
    {"8", {"TEXT 1 [12 BILANCIO 2026]"}},
    {"9", {"TEXT 1 []"}},
    {"A", {"TEXT 1 [12 ]"}},
    {"C", {"TEXT 1 [CHIUSURA SEDUTA]"}},
    {"S", {"TEXT 1 [ SEDUTA SOSPESA]"}},
    {"R", {"TEXT 1 [12]"}},
    {"E", {"TEXT 1 [12 BILANCIO 2026]"}},
    {"U", {"TEXT 1 [12 BILANCIO 2026]"}},
    {"G", {"TEXT 1 [12 BILANCIO 2026]"}},
    {"F", {"TEXT 1 [12 BILANCIO 2026]"}},
    {"H", {"TEXT 1 [12 BILANCIO 2026]"}},
    {"D", {"TEXT 1 [12 05 BILANCIO 2]"}},
    {"d", {"TEXT 1 [12{0} 05{0} BILANCIO 2]"}},
    {"V", {"TEXT 1 [12 07 {0}VOT.APERTA{0}]"}},
    {"e", {"TEXT 1 [12 07 {0}VOT.APERTA{0}]"}},
    {"u", {"TEXT 1 [12 07 {0}VOT.APERTA{0}]"}},
    {"I", {"TEXT 1 [12 {0}VOTAZ. NULLA{0}]"}},
    {"T", {"TEXT 1 [12 07  10 03 01 ]"}},
    {"W", {"TEXT 1 [{0}IMMED. ESECUT.{0}]"}},
    {"w", {"TEXT 1 [12 BILANCIO 2026]"}},
    {"M", {}},
    {"m", {}},
};

const std::vector<Caso> kTipo4 = {
    {"0", {"TEXT 1 [  GIO 15-01-26]"}},
    {"1", {"TEXT 1 [ PROVA VOTATORI]"}},
    {"2", {"TEXT 1 [2 ]"}},
    {"4", {"TEXT 1 [ APPELLO]"}},
    {"6", {"TEXT 1 [{0}VER. VOTO PREC.{0}]"}},
    {"7", {"TEXT 1 [{0}VER. NUM. LEGALE{0}]"}},
    {"8", {"TEXT 1 [2 OdG7          ]"}},
    {"9", {"TEXT 1 []"}},
    {"A", {"TEXT 1 [2 APERT. SEDUTA]"}},
    {"C", {"TEXT 1 [CHIUSURA SEDUTA]"}},
    {"S", {"TEXT 1 [ SEDUTA SOSPESA]"}},
    {"R", {"TEXT 1 [2 ]"}},
    {"E", {"TEXT 1 [2 OdG7          ]"}},
    {"U", {"TEXT 1 [2 OdG7          ]"}},
    {"G", {"TEXT 1 [2 OdG7          ]"}},
    {"F", {"TEXT 1 [2 OdG7          ]"}},
    {"H", {"TEXT 1 [2 OdG7          ]"}},
    {"D", {"TEXT 1 [2  04,5 ROSSI M]"}},
    {"d", {"TEXT 1 [2 {0} 04,5 {0}ROSSI M]"}},
    {"V", {"TEXT 1 [2 OdG7   7 {0}APERT{0}]"}},
    {"e", {"TEXT 1 [2 OdG7   7 {0}APERT{0}]"}},
    {"u", {"TEXT 1 [2 OdG7   7 {0}APERT{0}]"}},
    {"I", {"TEXT 1 [2 OdG7  {0} NULLA {0}]"}},
    {"T", {"TEXT 1 [2 OdG7   7 10 3 1]"}},
    {"W", {"TEXT 1 [2 OdG7       {0} IE{0}]"}},
    {"w", {"TEXT 1 [2 OdG7          ]"}},
    {"M", {}},
    {"m", {}},
};

const std::vector<Caso> kTipo6 = {
    {"0", {"TEXT 1 [      GIO 15-01-26][BILANCIO 2026]"}},
    {"1", {"TEXT 1 [     {0}PROVA VOTATORI{0}][]"}},
    {"2", {"TEXT 1 [12 ][]"}},
    {"4", {"TEXT 1 [12 ][     APPELLO]"}},
    {"6", {"TEXT 1 [{0}VERIFICA VOTO PRECEDENTE{0}][BILANCIO 2026]"}},
    {"7", {"TEXT 1 [12 ][{0}VERIFICA NUMERO LEGALE{0}]"}},
    {"8", {"TEXT 1 [ROSSI MARIO     ][BILANCIO 2026]"}},
    {"9", {"TEXT 1 [][]"}},
    {"A", {"TEXT 1 [12  APERTURA SEDUTA][]"}},
    {"C", {"TEXT 1 [    CHIUSURA SEDUTA][]"}},
    {"S", {"TEXT 1 [    {0}SEDUTA SOSPESA{0}][]"}},
    {"R", {"TEXT 1 [12][BILANCIO 2026]"}},
    {"E", {"TEXT 1 [12 OdG 7][BILANCIO 2026]"}},
    {"U", {"TEXT 1 [12 OdG 7][BILANCIO 2026]"}},
    {"G", {"TEXT 1 [12 OdG 7][BILANCIO 2026]"}},
    {"F", {"TEXT 1 [12 OdG 7][BILANCIO 2026]"}},
    {"H", {"TEXT 1 [12 ][BILANCIO 2026]"}},
    {"D", {"TEXT 1 [ 04,5 ROSSI MARIO][BILANCIO 2026]"}},
    {"d", {"TEXT 1 [{0} 04,5 {0}ROSSI MARIO][BILANCIO 2026]"}},
    {"V", {"TEXT 1 [12 {0}    VOTAZIONE APERTA{0}][BILANCIO 2026]"}},
    {"e", {"TEXT 1 [12 {0}    VOTAZIONE APERTA{0}][BILANCIO 2026]"}},
    {"u", {"TEXT 1 [12 {0}    VOTAZIONE APERTA{0}][BILANCIO 2026]"}},
    {"I", {"TEXT 1 [{0}  VOTAZIONE ANNULLATA{0}][BILANCIO 2026]"}},
    {"T", {"TEXT 1 [Qu=07 Pr=10 Co=03 As=01][{0}APPROVATA{0}]"}},
    {"W", {"TEXT 1 [12 OdG 7][BILANCIO 2026        {0} IE{0}]"}},
    {"w", {"TEXT 1 [12 OdG 7][BILANCIO 2026]"}},
    {"M", {}},
    {"m", {}},
};

class Comandi : public BoardTest {
protected:
    void Verifica(int tipo, const std::vector<Caso>& casi)
    {
        ASSERT_EQ(casi.size(), 28u) << "every command letter";
        AvviaTabellone();
        for (const Caso& c : casi) {
            NuovoDriver(tipo);
            Frame([] { oTabellone->DettaglioTesto(QStringLiteral("G")); });
            const QString lettera = QString::fromLatin1(c.lettera);
            const QStringList visti = Frame([&] { oTabellone->DettaglioTesto(lettera); });
            QStringList attesi;
            for (const char* f : c.frame) attesi << QStringLiteral("BOARD ") + Codici(QString::fromLatin1(f));
            EXPECT_EQ(visti, attesi) << "type " << tipo << ", command \"" << c.lettera << "\"";
        }
        EXPECT_EQ(sim->Conta(QStringLiteral("BOARD ERR")), 0);
    }
};

}  // namespace

TEST_F(Comandi, Tipo1UnaRigaDa24) { Verifica(1, kTipo1); }
TEST_F(Comandi, Tipo2OttoRigheDa20) { Verifica(2, kTipo2); }
TEST_F(Comandi, Tipo3UnaRigaDa16) { Verifica(3, kTipo3); }
TEST_F(Comandi, Tipo4Demo) { Verifica(4, kTipo4); }
TEST_F(Comandi, Tipo6DueRigheDa24) { Verifica(6, kTipo6); }

TEST_F(Comandi, Tipo5NonMandaNullaAUnTabellone)
{
    AvviaTabellone();
    NuovoDriver(5);
    const char* lettere[] = {"0", "1", "2", "4", "6", "7", "8", "9", "A", "C", "D", "d", "E", "U", "e",
                             "u", "F", "G", "H", "I", "M", "m", "R", "S", "T", "V", "W", "w", "X"};
    const QStringList visti = Frame([&] {
        for (const char* l : lettere) oTabellone->DettaglioTesto(QString::fromLatin1(l));
        oTabellone->DettaglioLed(QString(48, u'2'));
    });
    EXPECT_TRUE(visti.isEmpty()) << visti.join(u'\n').toStdString();
    EXPECT_FALSE(QFile::exists(cFileLog)) << "nothing was transmitted, nothing is logged";
    EXPECT_EQ(oTabellone->UltimoComando(), QString()) << "no board: no command kept";
}

TEST_F(Comandi, UnaLetteraSconosciutaRimandaLeRigheTenute)
{
    AvviaTabellone();
    NuovoDriver(6);
    Frame([] { oTabellone->DettaglioTesto(QStringLiteral("G")); });
    EXPECT_EQ(Frame([] { oTabellone->DettaglioTesto(QStringLiteral("Z")); }),
              QStringList{QStringLiteral("BOARD TEXT 1 [12 OdG 7][BILANCIO 2026]")});
    EXPECT_EQ(oTabellone->UltimoComando(), QStringLiteral("Z"));
}

// The edge cases of the written behaviour, each on the board.
TEST_F(Comandi, Tipo2GConDodiciPresentiTreFrame)
{
    AvviaTabellone();
    NuovoDriver(2);
    Frame([] { oTabellone->DettaglioTesto(QStringLiteral("T")); });  // a result kept: the next command sends the map
    const QStringList visti = Frame([] { oTabellone->DettaglioTesto(QStringLiteral("G")); });
    ASSERT_EQ(visti.size(), 4);
    EXPECT_TRUE(visti[0].startsWith(QStringLiteral("BOARD LED 2 ")));
    EXPECT_EQ(visti[1], QStringLiteral("BOARD TEXT 1 [][BILANCIO 2026][VARIAZIONE N. 3][]"));
    EXPECT_EQ(visti[2], QStringLiteral("BOARD TEXT 3 [PRESENTI 12 ]"));
    EXPECT_EQ(visti[3], QStringLiteral("BOARD TEXT 4 [][][]"));
}

TEST_F(Comandi, Tipo1RisultatiDopoIlNumeroDiPresenti)
{
    AvviaTabellone();
    NuovoDriver(1);
    iPresenti = 15;
    iQuorum[3] = 8;
    cArgomentoPendente = QStringLiteral("   EME12");
    Frame([] {
        oTabellone->DettaglioTesto(QStringLiteral("G"));
        oTabellone->DettaglioTesto(QStringLiteral("V"));
    });
    const QString f0 = QString(QChar(14)) + u'0';
    EXPECT_EQ(oTabellone->RigaLed(1), QStringLiteral("15 OdG 7EME") + f0 + QStringLiteral(" Votaz.Aperta") + f0);
    EXPECT_EQ(Frame([] { oTabellone->DettaglioTesto(QStringLiteral("T")); }),
              QStringList{QStringLiteral("BOARD TEXT 1 [15 OdG 7EME  08 10 03 01]")});
}

TEST_F(Comandi, RigaCronometroTipo2SoloUnaVoltaConDAggiornamento)
{
    AvviaTabellone();
    NuovoDriver(2);
    Frame([] { oTabellone->DettaglioTesto(QStringLiteral("G")); });
    EXPECT_EQ(Frame([] { oTabellone->DettaglioTesto(QStringLiteral("D")); }),
              (QStringList{QStringLiteral("BOARD TEXT 4 [][ROSSI MARIO       PD][TEMPO \\x0ECONT]"),
                           QStringLiteral("BOARD CHRONO start")}));
    // A speech on the board: "D" leaves it, "d" turns it into the running
    // field once, and the chronometer is not started again.
    EXPECT_EQ(Frame([] { oTabellone->DettaglioTesto(QStringLiteral("D")); }),
              QStringList{QStringLiteral("BOARD TEXT 4 [][ROSSI MARIO       PD][TEMPO \\x0ECONT]")});
    const QString corrente = Codici(QStringLiteral("BOARD TEXT 4 [][ROSSI MARIO       PD][{0}TEMPO {0}{C}]"));
    EXPECT_EQ(Frame([] { oTabellone->DettaglioTesto(QStringLiteral("d")); }), QStringList{corrente});
    EXPECT_EQ(Frame([] { oTabellone->DettaglioTesto(QStringLiteral("d")); }), QStringList{corrente});
    // The end of the speech stops the chronometer and clears the rows.
    EXPECT_EQ(Frame([] { oTabellone->DettaglioTesto(QStringLiteral("H")); }),
              (QStringList{QStringLiteral("BOARD CHRONO stop"), QStringLiteral("BOARD TEXT 4 [][][]")}));
}

TEST_F(Comandi, NomeEGruppoLunghiTipo2)
{
    AvviaTabellone();
    NuovoDriver(2);
    cOratore = QStringLiteral("DE SANCTIS ANNA ");
    cGruppoOratore = QStringLiteral("FDI-A");
    EXPECT_EQ(Frame([] { oTabellone->DettaglioTesto(QStringLiteral("D")); }).value(1),
              QStringLiteral("BOARD TEXT 4 [][DE SANCTIS ANNA FDI-][TEMPO \\x0ECONT]"));
}

TEST_F(Comandi, RisultatiDiAppelloENumeroLegale)
{
    AvviaTabellone();
    struct R {
        int tipo;
        const char* voto;
        int config;
        int quorum;
        const char* frame;
    };
    // 12 present (the "yes" count) out of 15 seats: 3 absent; 12 + 3 no = 15 voters.
    const R casi[] = {
        {1, "V", 0, 7, "TEXT 1 [12 OdG 7  07 12 ]"},
        {2, "A", 0, 7, "TEXT 4 [PRESENTI 12][APPROVATA][]"},
        {3, "W", 0, 7, "TEXT 1 [12 07  12 ]"},
        {4, "V", 0, 7, "TEXT 1 [2 OdG7   7 12]"},
        {6, "A", 0, 7, "TEXT 1 [Quorum=07  Presenti=12][{0}APPROVATA{0}]"},
        {6, "V", 0x100, 7, "TEXT 1 [Quorum=07 Pres=12 Ass=03][{0}APPROVATA{0}]"},
        {6, "V", 0, 7, "TEXT 1 [Qu=07 Vo=15 Pr=12 As=03][{0}APPROVATA{0}]"},
        {6, "W", 0x100, 0, "TEXT 1 [Presenti=12 Assenti=03][{0}APPROVATA{0}]"},
        {6, "W", 0, 0, "TEXT 1 [Votanti=15 Pre=12 Ass=03][{0}APPROVATA{0}]"},
        {6, "P", 0, 0, "TEXT 1 [Fav=10 Con=03 Ast=01][{0}APPROVATA{0}]"},
    };
    for (const R& c : casi) {
        NuovoDriver(c.tipo);
        iFavorevoli = c.voto == QLatin1String("P") ? 10 : 12;
        iConfigOBX = c.config;
        iQuorum[3] = c.quorum;
        cTipoVoto = QString::fromLatin1(c.voto);
        Frame([] { oTabellone->DettaglioTesto(QStringLiteral("G")); });
        const QStringList visti = Frame([] { oTabellone->DettaglioTesto(QStringLiteral("T")); });
        EXPECT_EQ(visti, QStringList{QStringLiteral("BOARD ") + Codici(QString::fromLatin1(c.frame))})
            << "type " << c.tipo << " kind " << c.voto << " config " << c.config;
    }
}

TEST_F(Comandi, QuorumDellImmediataEseguibilita)
{
    AvviaTabellone();
    NuovoDriver(2);
    Frame([] { oTabellone->DettaglioTesto(QStringLiteral("G")); });
    iModoVoto = 1;
    iFlagQuorum = kQuorumVotoImmEsec | kQuorumDatiPendenti;
    EXPECT_EQ(Frame([] { oTabellone->DettaglioTesto(QStringLiteral("e")); }),
              QStringList{QStringLiteral("BOARD TEXT 3 [PRESENTI 12 QUOR. 09]")});
    // The immediate-executability row stays while the vote opens.
    Frame([] { oTabellone->DettaglioTesto(QStringLiteral("W")); });
    const QStringList visti = Frame([] { oTabellone->DettaglioTesto(QStringLiteral("V")); });
    ASSERT_EQ(visti.size(), 2);
    EXPECT_EQ(visti[1], Codici(QStringLiteral("BOARD TEXT 4 [{0}IMMED. ESECUTIVITA'{0}][{0}  VOTAZIONE APERTA{0}][]")));
}

TEST_F(Comandi, AssembleaRegionaleSenzaConteggio)
{
    AvviaTabellone();
    iTipoAssemblea = 4;
    NuovoDriver(6);
    EXPECT_EQ(Frame([] { oTabellone->DettaglioTesto(QStringLiteral("G")); }).last(),
              QStringLiteral("BOARD TEXT 1 [   ][BILANCIO 2026]"));
    NuovoDriver(1);
    EXPECT_EQ(Frame([] { oTabellone->DettaglioTesto(QStringLiteral("G")); }).last(),
              QStringLiteral("BOARD TEXT 1 [   OdG 7]"));
}

TEST_F(Comandi, SenzaNumeroDiArgomentoIlTipoDiAtto)
{
    AvviaTabellone();
    ImpostaVocabolari();
    iDelibera = 0;
    cTipoArg = QStringLiteral("M");
    NuovoDriver(1);
    EXPECT_EQ(Frame([] { oTabellone->DettaglioTesto(QStringLiteral("G")); }).last(),
              QStringLiteral("BOARD TEXT 1 [12 Mozio]"));
}
