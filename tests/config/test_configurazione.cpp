// The configuration file: reading fixture files as stored on site, writing
// and reading back, and the failures the operator must hear about.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/Testo.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"
#include "support/ScriptedUI.h"

using namespace obx;

namespace {

// Settings as a freshly started program holds them.
void StatoIniziale()
{
    iTipoAssemblea = 1;
    iProtocolloTLV = 4010;
    iPrenotazioni = 0;
    iOpzioniConsole = 0;
    xEsitoVideo = xIdEsterno = xColoriVoto = xLampo = xVerbaleEsteso = xPassword = false;
    cConsiglio.clear();
    iVotanti = 0;
    cTLVLista.clear();
    cTLVRiserva.clear();
    iPrimoTLV = iUltimoTLV = iRiservaProssima = iRiservaUltima = 0;
    iPortaTLV = iPortaRAD = iPortaTAB = 0;
    iModoOBX = iTipoTAB = iRiservato = iConfigOBX = 0;
    iNMaxInterventi = 9999;
    iTempoRelatore = 10;
    iTempoMaxPartito = 9999;
    cColoriTabVideo = kColoriTabVideoPredefiniti;
    cFont = {};
    cSepara = QStringLiteral("\\");
    cLastIDAgg.clear();
}

QByteArray Leggi(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Scrivi(const QString& file, const QByteArray& dati)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(dati);
}

class Config : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        StatoIniziale();
        cFileConfig = dir.filePath(QStringLiteral("sede.ini"));
    }
    void TearDown() override { StatoIniziale(); }

    // Copies a stored fixture in place of the configuration file.
    void Fixture(const char* nome)
    {
        const QString da = QStringLiteral(OBX_TEST_DATA "/fixtures/") + QString::fromUtf8(nome);
        ASSERT_TRUE(QFileInfo::exists(da)) << nome;
        QFile::remove(cFileConfig);
        ASSERT_TRUE(QFile::copy(da, cFileConfig));
    }
    void Testo(const char* contenuto) { Scrivi(cFileConfig, QByteArray(contenuto)); }

    QTemporaryDir dir;
    test::ScriptedUI ui;
};

}  // namespace

TEST_F(Config, ReadsEveryKeyOfAStoredCrlfFile)
{
    Fixture("completo_crlf.ini");
    GestisceConfig(true);

    EXPECT_EQ(iTipoAssemblea, 4);
    EXPECT_EQ(iProtocolloTLV, 7777);
    EXPECT_EQ(iPrenotazioni, 3);
    EXPECT_EQ(iOpzioniConsole, 2);
    EXPECT_TRUE(xEsitoVideo);
    EXPECT_FALSE(xIdEsterno);
    EXPECT_TRUE(xColoriVoto);
    EXPECT_TRUE(xLampo);  // any value but 0 is on
    EXPECT_TRUE(xVerbaleEsteso);
    EXPECT_FALSE(xPassword);
    // Windows-1252 accents and dash decoded, no CR left at the end; the key
    // spelt in capitals and the unknown key change nothing.
    EXPECT_EQ(cConsiglio, QString::fromUtf8("Consiglio Comunale di Forlì – Città"));
    EXPECT_EQ(iVotanti, 41);
    EXPECT_EQ(iPrimoTLV, 101);
    EXPECT_EQ(iUltimoTLV, 148);
    EXPECT_EQ(iRiservaProssima, 150);
    EXPECT_EQ(iRiservaUltima, 155);
    EXPECT_EQ(iPortaTLV, 1);
    EXPECT_EQ(iPortaRAD, 2);
    EXPECT_EQ(iPortaTAB, 3);
    EXPECT_EQ(iModoOBX, 14);
    EXPECT_EQ(iTipoTAB, 6);
    EXPECT_EQ(iRiservato, 0);
    EXPECT_EQ(iConfigOBX, 1796);
    EXPECT_EQ(iNMaxInterventi, 2);
    EXPECT_EQ(iTempoRelatore, 15);
    EXPECT_EQ(iTempoMaxPartito, 30);
    EXPECT_EQ(cColoriTabVideo[7], int32_t(0x80000008u));
    EXPECT_LT(cColoriTabVideo[7], 0);
    EXPECT_EQ(cColoriTabVideo[12], int32_t(0x80000012u));
    EXPECT_EQ(cColoriTabVideo[4], 0xFFFF);
    EXPECT_EQ(cColoriTabVideo[22], 0x123456);
    EXPECT_EQ(cFont[0], QStringLiteral("Arial,B,16"));
    EXPECT_EQ(cFont[2], QStringLiteral("Times New Roman,B,14"));
    EXPECT_EQ(cFont[4], QStringLiteral("Arial,S,10"));
    EXPECT_EQ(cSepara, QStringLiteral("/"));
    EXPECT_EQ(cLastIDAgg, QStringLiteral("2024-03-01 a=b"));  // only the first "=" splits
    // The vocabularies follow the kind just read.
    EXPECT_EQ(cLettereVoti, QStringLiteral("PMHCIJVW-RS"));
    EXPECT_EQ(cMenuArchivi0, QStringLiteral("Registrazione Atti"));
}

TEST_F(Config, MissingKeysTakeTheirDefaultsOrKeepWhatTheyHeld)
{
    // Values left by an earlier reading.
    iNMaxInterventi = 5;
    iTempoRelatore = 3;
    iConfigOBX = 4;
    xPassword = true;
    cFont[3] = QStringLiteral("Arial,B,8");
    cLastIDAgg = QStringLiteral("X1");
    iPortaTLV = 3;
    iTipoTAB = 2;
    iPrimoTLV = 7;
    cColoriTabVideo[0] = 0x111111;

    Fixture("chiavi_mancanti.ini");
    GestisceConfig(true);

    EXPECT_EQ(cConsiglio, QStringLiteral("Provincia"));
    EXPECT_EQ(iTipoAssemblea, 2);
    EXPECT_EQ(iVotanti, 24);
    EXPECT_EQ(cSepara, QStringLiteral("\\"));  // empty value
    // Keys with a default return to it.
    EXPECT_EQ(iProtocolloTLV, 4010);
    EXPECT_EQ(iNMaxInterventi, 9999);
    EXPECT_EQ(iTempoRelatore, 10);
    EXPECT_EQ(iTempoMaxPartito, 9999);
    EXPECT_EQ(iConfigOBX, 0);
    EXPECT_FALSE(xPassword);
    EXPECT_EQ(cFont[0], QStringLiteral("MS Sans Serif,B,14"));
    EXPECT_EQ(cFont[3], QStringLiteral("MS Sans Serif,B,28"));
    EXPECT_EQ(cFont[4], QStringLiteral("MS Sans Serif,S,14"));
    EXPECT_EQ(cLastIDAgg, QString());
    EXPECT_EQ(iPrimoTLV, 0);
    EXPECT_EQ(iUltimoTLV, 0);
    // No colour line: the defaults.
    EXPECT_EQ(cColoriTabVideo, kColoriTabVideoPredefiniti);
    // Keys without a default keep their value.
    EXPECT_EQ(iPortaTLV, 3);
    EXPECT_EQ(iTipoTAB, 2);
    // Kind 2 names the S role "Presidente Giunta".
    EXPECT_EQ(cNomiRuoli[1], QStringLiteral("Presidente Giunta"));
}

TEST_F(Config, ShortColourLineChangesOnlyTheEntriesItGives)
{
    // First reading: the entries not given keep their defaults.
    Fixture("colori_corti.ini");
    GestisceConfig(true);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(cColoriTabVideo[size_t(i)], i + 1) << i;
    for (int i = 5; i < 23; ++i) EXPECT_EQ(cColoriTabVideo[size_t(i)], kColoriTabVideoPredefiniti[size_t(i)]) << i;

    // A later reading: they keep what they held.
    for (int i = 0; i < 23; ++i) cColoriTabVideo[size_t(i)] = 0x100 + i;
    GestisceConfig(true);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(cColoriTabVideo[size_t(i)], i + 1) << i;
    for (int i = 5; i < 23; ++i) EXPECT_EQ(cColoriTabVideo[size_t(i)], 0x100 + i) << i;
}

TEST_F(Config, ColourLineWithoutTrailingCommaTakesItsLastItem)
{
    Fixture("colori_senza_virgola.ini");
    GestisceConfig(true);
    EXPECT_EQ(cColoriTabVideo[0], 0xA);
    EXPECT_EQ(cColoriTabVideo[1], 0xB);
    EXPECT_EQ(cColoriTabVideo[2], -1);
    EXPECT_EQ(cColoriTabVideo[3], kColoriTabVideoPredefiniti[3]);
}

TEST_F(Config, NumbersOutOfRangeKeepTheDefaultOrPreviousValue)
{
    iVotanti = 30;
    iPortaTLV = 2;
    cColoriTabVideo[1] = 0x222;
    Fixture("fuori_intervallo.ini");
    GestisceConfig(true);

    EXPECT_EQ(iTipoAssemblea, 1);     // undefined kind: the default
    EXPECT_EQ(iProtocolloTLV, 4010);  // undefined model: the default
    EXPECT_EQ(iVotanti, 30);
    EXPECT_EQ(iPortaTLV, 2);
    EXPECT_EQ(iNMaxInterventi, 9999);
    EXPECT_EQ(iTempoRelatore, 32767);  // the limits themselves fit
    EXPECT_EQ(iTempoMaxPartito, -32768);
    EXPECT_FALSE(xLampo);
    EXPECT_EQ(iPrimoTLV, 0);
    EXPECT_EQ(iUltimoTLV, 5);
    // A colour above 32 bits or without hexadecimal digits keeps its value.
    EXPECT_EQ(cColoriTabVideo[0], kColoriTabVideoPredefiniti[0]);
    EXPECT_EQ(cColoriTabVideo[1], 0x222);
    EXPECT_EQ(cColoriTabVideo[2], 3);
    EXPECT_EQ(cLettereAtti, QStringLiteral("DMCOVIGRAP"));
}

TEST_F(Config, UnitRangesAndSeparatorCases)
{
    struct Caso {
        const char* riga;
        int primo, ultimo;
    };
    const Caso casi[] = {
        {"cTLVLista=101-148", 101, 148}, {"cTLVLista=101/148", 101, 148}, {"cTLVLista=101", 0, 0}, {"cTLVLista=", 0, 0},
        {"cTLVLista=-148", 0, 148},      {"cTLVLista=1-2-3", 1, 2},
    };
    for (const auto& c : casi) {
        iPrimoTLV = iUltimoTLV = 9;
        Testo(c.riga);
        GestisceConfig(true);
        EXPECT_EQ(iPrimoTLV, c.primo) << c.riga;
        EXPECT_EQ(iUltimoTLV, c.ultimo) << c.riga;
    }

    Testo("cTLVRiserva=150-155\r\n");
    GestisceConfig(true);
    EXPECT_EQ(iRiservaProssima, 150);
    EXPECT_EQ(iRiservaUltima, 155);

    struct CasoSep {
        const char* riga;
        const char* atteso;
    };
    const CasoSep sep[] = {
        {"cSepara=", "\\"}, {"cSepara=   ", "\\"}, {"cSepara= ;x", ";"}, {"cSepara=|", "|"}, {"cSepara=\\", "\\"}};
    for (const auto& c : sep) {
        Testo(c.riga);
        GestisceConfig(true);
        EXPECT_EQ(cSepara, QString::fromUtf8(c.atteso)) << c.riga;
    }
}

TEST_F(Config, KeysAreComparedWithTheirCase)
{
    cConsiglio = QStringLiteral("Prima");
    Testo("CCONSIGLIO=Altro\r\ncconsiglio=Altro\r\n cConsiglio=Altro\r\niVOTANTI=5\r\n");
    GestisceConfig(true);
    EXPECT_EQ(cConsiglio, QStringLiteral("Prima"));
    EXPECT_EQ(iVotanti, 0);
}

TEST_F(Config, WrittenFileReadsBackToTheSameValues)
{
    iTipoAssemblea = 4;
    iProtocolloTLV = 7777;
    iPrenotazioni = 3;
    iOpzioniConsole = 1;
    xEsitoVideo = true;
    xIdEsterno = true;
    xColoriVoto = false;
    xLampo = true;
    xVerbaleEsteso = false;
    xPassword = true;
    cConsiglio = QString::fromUtf8("Assemblea Legislativa – Sessione d'Aosta è  ");
    iVotanti = 50;
    iPrimoTLV = 1;
    iUltimoTLV = 60;
    iRiservaProssima = 61;
    iRiservaUltima = 70;
    iPortaTLV = 4;
    iPortaRAD = 5;
    iPortaTAB = 6;
    iModoOBX = 30;
    iTipoTAB = 5;
    iRiservato = 1;
    iConfigOBX = 0x7FF;
    iNMaxInterventi = 3;
    iTempoRelatore = 20;
    iTempoMaxPartito = 45;
    for (int i = 0; i < 23; ++i) cColoriTabVideo[size_t(i)] = 0x10203 * i;
    cColoriTabVideo[0] = int32_t(0x80000005u);
    cColoriTabVideo[22] = -1;
    cColoriTabVideo[5] = 0;
    cFont = {QStringLiteral("A,B,1"), QStringLiteral("B,S,2"), QStringLiteral("C,B,3"), QStringLiteral("D,B,4"),
             QStringLiteral("E,S,5")};
    cSepara = QStringLiteral("#");
    cLastIDAgg = QStringLiteral("1.2.3");

    GestisceConfig(false);
    const auto colori = cColoriTabVideo;
    const auto font = cFont;

    StatoIniziale();
    GestisceConfig(true);

    EXPECT_EQ(iTipoAssemblea, 4);
    EXPECT_EQ(iProtocolloTLV, 7777);
    EXPECT_EQ(iPrenotazioni, 3);
    EXPECT_EQ(iOpzioniConsole, 1);
    EXPECT_TRUE(xEsitoVideo);
    EXPECT_TRUE(xIdEsterno);
    EXPECT_FALSE(xColoriVoto);
    EXPECT_TRUE(xLampo);
    EXPECT_FALSE(xVerbaleEsteso);
    EXPECT_TRUE(xPassword);
    // Trailing blanks are not kept.
    EXPECT_EQ(cConsiglio, QString::fromUtf8("Assemblea Legislativa – Sessione d'Aosta è"));
    EXPECT_EQ(iVotanti, 50);
    EXPECT_EQ(iPrimoTLV, 1);
    EXPECT_EQ(iUltimoTLV, 60);
    EXPECT_EQ(iRiservaProssima, 61);
    EXPECT_EQ(iRiservaUltima, 70);
    EXPECT_EQ(iPortaTLV, 4);
    EXPECT_EQ(iPortaRAD, 5);
    EXPECT_EQ(iPortaTAB, 6);
    EXPECT_EQ(iModoOBX, 30);
    EXPECT_EQ(iTipoTAB, 5);
    EXPECT_EQ(iRiservato, 1);
    EXPECT_EQ(iConfigOBX, 0x7FF);
    EXPECT_EQ(iNMaxInterventi, 3);
    EXPECT_EQ(iTempoRelatore, 20);
    EXPECT_EQ(iTempoMaxPartito, 45);
    EXPECT_EQ(cColoriTabVideo, colori);
    EXPECT_EQ(cFont, font);
    EXPECT_EQ(cSepara, QStringLiteral("#"));
    EXPECT_EQ(cLastIDAgg, QStringLiteral("1.2.3"));
}

TEST_F(Config, WrittenFileLayout)
{
    cConsiglio = QString::fromUtf8("Città");
    iPrimoTLV = 101;
    iUltimoTLV = 148;
    cSepara = QStringLiteral(" ");
    GestisceConfig(false);

    const QByteArray dati = Leggi(cFileConfig);
    const QList<QByteArray> righe = dati.split('\n');
    ASSERT_EQ(righe.size(), 65);  // 32 pairs and the end after the last break
    EXPECT_TRUE(righe.last().isEmpty());
    for (int i = 0; i < 64; ++i) {
        ASSERT_TRUE(righe[i].endsWith('\r')) << i;
        EXPECT_EQ(righe[i].startsWith("'---- "), i % 2 == 0) << i;
    }

    const char* chiavi[] = {
        "iTipoAssemblea",  "iProtocolloTLV", "iPrenotazioni",  "iOpzioniConsole", "xEsitoVideo",    "xIdEsterno",
        "xColoriVoto",     "xLampo",         "xVerbaleEsteso", "xPassword",       "cConsiglio",     "iVotanti",
        "cTLVLista",       "cTLVRiserva",    "iPortaTLV",      "iPortaRAD",       "iPortaTAB",      "iModoOBX",
        "iTipoTAB",        "iRiservato",     "iConfigOBX",     "iNMaxInterventi", "iTempoRelatore", "iTempoMaxPartito",
        "cColoriTabVideo", "cFont0",         "cFont1",         "cFont2",          "cFont3",         "cFont4",
        "cSepara",         "cLastIDAgg"};
    for (int i = 0; i < 32; ++i) EXPECT_TRUE(righe[2 * i + 1].startsWith(QByteArray(chiavi[i]) + '=')) << chiavi[i];

    EXPECT_EQ(righe[0], QByteArray("'---- iTipoAssemblea\r"));
    EXPECT_EQ(righe[1], QByteArray("iTipoAssemblea=1\r"));
    EXPECT_EQ(righe[20], QByteArray("'---- Consiglio\r"));
    EXPECT_EQ(righe[21], QByteArray("cConsiglio=Citt\xE0\r"));  // one byte for the accent
    EXPECT_EQ(righe[25], QByteArray("cTLVLista=101-148\r"));
    EXPECT_EQ(righe[27], QByteArray("cTLVRiserva=0-0\r"));
    EXPECT_EQ(righe[42], QByteArray("'---- Numero Max interventi per Argomento per Consigliere\r"));
    EXPECT_EQ(righe[43], QByteArray("iNMaxInterventi=9999\r"));
    EXPECT_EQ(righe[49], QByteArray("cColoriTabVideo=C0C0C0,FF8080,EF00,FF,FFFF,FFCCC3,C00000,"
                                    "80000008,FF00CC,80000008,C00000,FF,80000008,C00000,C0C0C0,"
                                    "C0C0C0,80000008,C00000,EF00,FF,FFFF,FFCCC3,C00000,\r"));
    EXPECT_EQ(righe[61], QByteArray("cSepara=\\\r"));  // a blank separator
    EXPECT_EQ(righe[62], QByteArray("'---- ID Ultimo aggiornamento\r"));
}

TEST_F(Config, WritingReplacesTheWholeOldFile)
{
    Scrivi(cFileConfig, QByteArray(20000, '~') + "\r\ncConsiglio=Vecchio\r\n");
    cConsiglio = QStringLiteral("Nuovo");
    GestisceConfig(false);
    const QByteArray dati = Leggi(cFileConfig);
    EXPECT_TRUE(dati.startsWith("'---- iTipoAssemblea\r\n"));
    EXPECT_FALSE(dati.contains("Vecchio"));
    EXPECT_FALSE(dati.contains('~'));
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("sede.ini")});
}

TEST_F(Config, OldFileIsNeverTruncatedInPlace)
{
    // The new content is a new file renamed over the old one: whoever still
    // holds the old file sees it whole, as a crash mid-write would leave it.
    const QByteArray vecchio = "'---- Consiglio\r\ncConsiglio=Vecchio\r\n";
    Scrivi(cFileConfig, vecchio);
    QFile aperto(cFileConfig);
    ASSERT_TRUE(aperto.open(QIODevice::ReadOnly));

    cConsiglio = QStringLiteral("Nuovo");
    GestisceConfig(false);

    EXPECT_EQ(aperto.readAll(), vecchio);
    EXPECT_TRUE(Leggi(cFileConfig).contains("cConsiglio=Nuovo\r\n"));
}

TEST_F(Config, TextValuesStayOnOneLine)
{
    cConsiglio = QStringLiteral("Consiglio\r\niTipoAssemblea=4");
    GestisceConfig(false);
    StatoIniziale();
    GestisceConfig(true);
    EXPECT_EQ(iTipoAssemblea, 1);
    EXPECT_EQ(cConsiglio, QStringLiteral("Consiglio  iTipoAssemblea=4"));
}

TEST_F(Config, RunTimeBitsSurviveReadingAndAreNeverWritten)
{
    iPrenotazioni = 64 | 2;
    iOpzioniConsole = 4 | 1;
    GestisceConfig(false);
    const QByteArray dati = Leggi(cFileConfig);
    EXPECT_TRUE(dati.contains("\r\niPrenotazioni=2\r\n"));
    EXPECT_TRUE(dati.contains("\r\niOpzioniConsole=1\r\n"));

    // The console's bits stay set over a re-read of the file...
    GestisceConfig(true);
    EXPECT_EQ(iPrenotazioni, 64 | 2);
    EXPECT_EQ(iOpzioniConsole, 4 | 1);

    // ...and stay clear when the file carries them by hand.
    iPrenotazioni = 0;
    iOpzioniConsole = 0;
    Testo("iPrenotazioni=67\r\niOpzioniConsole=7\r\n");
    GestisceConfig(true);
    EXPECT_EQ(iPrenotazioni, 3);
    EXPECT_EQ(iOpzioniConsole, 3);

    // A file without the keys keeps only the run-time bits.
    iPrenotazioni = 64 | 1;
    iOpzioniConsole = 4 | 2;
    Testo("cConsiglio=x\r\n");
    GestisceConfig(true);
    EXPECT_EQ(iPrenotazioni, 64);
    EXPECT_EQ(iOpzioniConsole, 4);
}

TEST_F(Config, MissingFileIsReportedAndTheDefaultsAreWrittenFirst)
{
    iTipoAssemblea = 4;
    cColoriTabVideo.fill(7);
    ui->AttendiMsg(cFileConfig + QStringLiteral(" non trovato"));
    GestisceConfig(true);
    ASSERT_EQ(ui->Storia().size(), 1u);
    EXPECT_EQ(ui->Storia()[0].stile, vbCritical);
    EXPECT_EQ(ui->Storia()[0].titolo, QStringLiteral("O.B.X."));

    EXPECT_EQ(cColoriTabVideo, kColoriTabVideoPredefiniti);
    EXPECT_EQ(iTipoAssemblea, 1);
    EXPECT_EQ(cLettereVoti, QStringLiteral("PMH-----A--"));
    EXPECT_EQ(cRuoliUfficio, QStringLiteral("PSCU"));

    GestisceConfig(false);
    cColoriTabVideo.fill(0);
    GestisceConfig(true);
    EXPECT_EQ(cColoriTabVideo, kColoriTabVideoPredefiniti);
    EXPECT_EQ(cFont[3], QStringLiteral("MS Sans Serif,B,28"));
}

TEST_F(Config, FailedWriteIsReportedAndTheProgramGoesOn)
{
    // The configuration path names a folder, then a folder that does not exist.
    const QString cartella = dir.filePath(QStringLiteral("cartella.ini"));
    ASSERT_TRUE(QDir().mkpath(cartella));
    const QString assente = dir.filePath(QStringLiteral("manca/sede.ini"));
    for (const QString& percorso : {cartella, assente}) {
        cFileConfig = percorso;
        iTipoAssemblea = 4;
        ui->AttendiMsg(QStringLiteral("Scrittura di ") + percorso +
                       QStringLiteral(" Fallita: le impostazioni non sono state salvate"));
        GestisceConfig(false);
        // The settings in memory are untouched and the vocabularies set.
        EXPECT_EQ(iTipoAssemblea, 4);
        EXPECT_EQ(cLettereVoti, QStringLiteral("PMHCIJVW-RS"));
        EXPECT_EQ(ui->Storia().back().stile, vbCritical);
        EXPECT_EQ(ui->Storia().back().titolo, QStringLiteral("O.B.X."));
    }
    EXPECT_TRUE(QFileInfo(cartella).isDir());
    EXPECT_FALSE(QFileInfo::exists(assente));

    // A later write to a good path works as usual.
    cFileConfig = dir.filePath(QStringLiteral("sede.ini"));
    GestisceConfig(false);
    EXPECT_TRUE(QFileInfo(cFileConfig).isFile());
}

TEST_F(Config, UnreadableFileIsReported)
{
    cFileConfig = dir.filePath(QStringLiteral("cartella.ini"));
    ASSERT_TRUE(QDir().mkpath(cFileConfig));
    ui->AttendiMsg(cFileConfig + QStringLiteral(" non leggibile"));
    GestisceConfig(true);
    EXPECT_EQ(cColoriTabVideo, kColoriTabVideoPredefiniti);
}
