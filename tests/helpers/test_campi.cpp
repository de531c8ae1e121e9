// Field and text helpers, act-type labels and sound signals.
#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "shell/Campi.h"
#include "shell/Configurazione.h"
#include "shell/Globali.h"
#include "support/ScriptedUI.h"

using namespace obx;

namespace {

// Puts back the shared state the helpers read.
struct Ripristino {
    ~Ripristino()
    {
        iTipoAssemblea = 1;
        ImpostaVocabolari();
        iTipoTAB = 0;
        cSepara = QStringLiteral("\\");
        cTipoArg.clear();
        iDelibera = 0;
        cArgomentoPendente.clear();
        cCartellaProgramma.clear();
    }
};

void Assemblea(int tipo)
{
    iTipoAssemblea = tipo;
    ImpostaVocabolari();
}

}  // namespace

TEST(LeggeCampo, Cases)
{
    struct Caso {
        QVariant v;
        int modo;
        const char* predefinito;
        const char* atteso;
    };
    const Caso casi[] = {
        {QVariant(), 1, "0", "0"},
        {QVariant(), 0, "", ""},
        {QVariant(QMetaType::fromType<int>()), 1, "def", "def"},  // typed Null of a query
        {QVariant(QMetaType::fromType<QString>()), 0, "def", "def"},
        {QVariant(0), 1, "x", ""},
        {QVariant(qlonglong(1234)), 1, "", "1234"},
        {QVariant(12.6), 1, "", "13"},
        {QVariant(QStringLiteral(" 42 ")), 1, "", "42"},
        {QVariant(QStringLiteral("  Rossi Mario  ")), 0, "", "Rossi Mario"},
        {QVariant(QStringLiteral("")), 0, "def", ""},
        {QVariant(7), 0, "", "7"},
        {QVariant(QStringLiteral(" a ")), 2, "", "a"},
    };
    for (const auto& c : casi)
        EXPECT_EQ(LeggeCampo(c.v, c.modo, QString::fromUtf8(c.predefinito)), QString::fromUtf8(c.atteso))
            << c.v.toString().toStdString() << " modo " << c.modo;
}

TEST(PreparaCampo, Cases)
{
    struct Caso {
        const char* testo;
        int modo;
        int larghezza;
        QVariant atteso;
    };
    const Caso casi[] = {
        {"  abc ", 0, 5, QVariant(QStringLiteral("abc  "))},
        {"abcdefgh", 0, 3, QVariant(QStringLiteral("abc"))},
        {" ab ", 0, 0, QVariant(QStringLiteral("ab "))},
        {"", 0, 0, QVariant(QStringLiteral(" "))},
        {"   ", 0, 0, QVariant(QStringLiteral(" "))},
        {"  12  ", 1, 0, QVariant(12.0)},
        {"", 1, 0, QVariant(0.0)},
        {"abc", 1, 0, QVariant(0.0)},
        {"7x", 1, 4, QVariant(7.0)},
        {"3.5", 1, 0, QVariant(3.5)},
    };
    for (const auto& c : casi) {
        const QVariant r = PreparaCampo(QString::fromUtf8(c.testo), c.modo, c.larghezza);
        EXPECT_EQ(r.metaType(), c.atteso.metaType()) << c.testo;
        EXPECT_EQ(r, c.atteso) << c.testo;
    }
    EXPECT_FALSE(PreparaCampo(QStringLiteral("x"), 2, 5).isValid());
}

TEST(AllineaDestra, Cases)
{
    struct Caso {
        QVariant v;
        int larghezza;
        const char* atteso;
    };
    const Caso casi[] = {
        {QVariant(7), 4, "   7"},
        {QVariant(123456), 4, "3456"},
        {QVariant(QStringLiteral("abc")), 4, "    "},
        {QVariant(QStringLiteral("12")), 3, "   "},  // a text is not a number
        {QVariant(), 3, "   "},
        {QVariant(QMetaType::fromType<int>()), 3, "   "},
        {QVariant(QDate(2024, 1, 2)), 5, "     "},
        {QVariant(true), 2, "  "},
        {QVariant(short(-5)), 4, "  -5"},
        {QVariant(qlonglong(12)), 3, " 12"},  // integers as the archive returns them
        {QVariant(1.5), 4, " 1.5"},
        {QVariant(2.25f), 5, " 2.25"},
        {QVariant(uchar(7)), 3, "  7"},  // person codes are bytes
        {QVariant(7), 0, ""},
    };
    for (const auto& c : casi)
        EXPECT_EQ(AllineaDestra(c.v, c.larghezza), QString::fromUtf8(c.atteso)) << c.v.toString().toStdString();
}

TEST(AbbreviaTesto, Cases)
{
    Ripristino r;
    struct Caso {
        int tipoTAB;
        const char* testo;
        const char* atteso;
    };
    const Caso casi[] = {
        // Fits: unchanged, blanks and all.
        {1, "Mozione 12", "Mozione 12"},
        {1, "abcdefghijklmnopqrstuvwx", "abcdefghijklmnopqrstuvwx"},
        // Fits once the blanks are gone.
        {1, "Proposta di legge n. 1234", "Propostadileggen.1234"},
        // No separator: the two ends joined by "....".
        {1, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123", "ABCDEFGHIJ....UVWXYZ0123"},
        {2, "ABCDEFGHIJKLMNOPQRSTUVWXY", "ABCDEFGH....RSTUVWXY"},
        {3, "ABCDEFGHIJKLMNOPQ", "ABCDEF....LMNOPQ"},
        {4, "ABCDEFGHIJKLMNOPQ", "ABCDEF....LMNOPQ"},
        {6, "ABCDEFGHIJKLMNOPQRSTUVWXY", "ABCDEFGHIJ....PQRSTUVWXY"},
        // After the first separator letters go, from the left, until it fits;
        // the initial after each separator and every digit stay.
        {1, "Legge 12\\Articolo 3\\Emendamento 4", "Legge12\\Ao3\\Emendamento4"},
        {1, "Legge\\Art 1\\Emendamento 10\\Sub 2", "Legge\\A1\\Edamento10\\Sub2"},
        {3, "Legge\\Art 1\\Emendamento 10\\Sub 2", "Legge\\A1\\E10\\Sb2"},
        // Even the shortest form too long: the two ends.
        {3, "Legge regionale\\Art 1\\Emendamento 10\\Sub 2", "Legger....E10\\S2"},
    };
    for (const auto& c : casi) {
        iTipoTAB = c.tipoTAB;
        const QString a = AbbreviaTesto(QString::fromUtf8(c.testo));
        EXPECT_EQ(a, QString::fromUtf8(c.atteso)) << c.tipoTAB << " " << c.testo;
    }

    // The separator is the configured one.
    iTipoTAB = 3;
    cSepara = QStringLiteral("/");
    EXPECT_EQ(AbbreviaTesto(QStringLiteral("Legge 5/Articolo 12/Comma")), QStringLiteral("Legge5/A12/Comma"));
}

TEST(DescriveTipoAtto, Councils)
{
    Ripristino r;
    struct Caso {
        int tipo;
        const char* lettera;
        int numero;
        const char* pendente;
        int larghezza;
        bool riempi;
        const char* atteso;
    };
    const Caso casi[] = {
        {1, "D", 12, "", 30, false, "Delibera n. 12"},
        {1, "D", 12, "", 5, false, "Delib"},
        {1, "D", 12, "", 20, true, "Delibera n. 12      "},
        {1, "D", 12, "   ", 30, false, "Delibera n. 12"},
        {1, "D", 12, "Bilancio di previsione", 30, false, "Delibera n. 12 (Bilanc)"},
        {1, "M", 3, "", 5, false, "Mozio"},
        {1, "M", 3, "", 30, false, "Mozione n. 3"},
        {1, "C", 3, "", 30, false, "Comunicazione"},
        {1, "C", 3, "", 5, false, "Comun"},
        {1, "O", 0, "", 2, false, "OdG"},  // no short form
        {1, "O", 0, "", 2, true, "Od"},
        {1, "V", 0, "", 5, false, "msOdG"},
        {1, "I", 0, "", 5, false, "Intrp"},
        {1, "G", 0, "", 5, false, "Intrg"},
        {1, "R", 0, "", 5, false, "Regol"},
        {1, "A", 0, "", 5, false, "Artic"},
        {1, "P", 0, "", 5, false, "Prgdz"},
        {2, "A", 0, "", 8, false, "Articolo"},
        {1, "Z", 0, "", 30, false, ""},  // not an act type of the kind
        {1, "", 0, "", 30, false, ""},   // no current item
        {1, "", 0, "", 5, true, "     "},
        {1, "Z", 0, "Bilancio", 30, false, " (Bilanc)"},
    };
    for (const auto& c : casi) {
        Assemblea(c.tipo);
        cTipoArg = QString::fromUtf8(c.lettera);
        iDelibera = c.numero;
        cArgomentoPendente = QString::fromUtf8(c.pendente);
        EXPECT_EQ(DescriveTipoAtto(c.larghezza, c.riempi), QString::fromUtf8(c.atteso))
            << c.lettera << " " << c.larghezza;
    }
}

TEST(DescriveTipoAtto, RegionalAssembly)
{
    Ripristino r;
    Assemblea(4);
    iDelibera = 12;
    cArgomentoPendente = QStringLiteral("Pendente");  // not shown in this kind
    struct Caso {
        const char* lettera;
        int larghezza;
        bool riempi;
        const char* atteso;
    };
    const Caso casi[] = {
        {"A", 5, false, "OGnPA"},
        {"A", 21, false, "OdG non Pass.Articoli"},
        {"A", 10, false, "OdG non Passaggio Articoli"},  // two forms, other width
        {"A", 10, true, "OdG non Pa"},
        {"A", 30, false, "OdG non Passaggio Articoli"},
        {"E", 5, false, "Emend"},
        {"E", 10, false, "Emend"},  // one form, any width
        {"E", 30, false, "Emendamento"},
        {"D", 5, false, "ArtAg"},  // no number in this kind
        {"O", 2, false, "OdG"},
        {"9", 5, false, "SSSub"},
        {"K", 21, false, "Dichiaraz. Improponib"},
        {"R", 5, false, "Rich."},
        {"Y", 21, false, "Rinvio Atto altra Sed"},
        {"Q", 5, true, "ProAA"},
    };
    for (const auto& c : casi) {
        cTipoArg = QString::fromUtf8(c.lettera);
        EXPECT_EQ(DescriveTipoAtto(c.larghezza, c.riempi), QString::fromUtf8(c.atteso))
            << c.lettera << " " << c.larghezza;
    }
}

TEST(TipoAtto, Cases)
{
    Ripristino r;
    struct Caso {
        int tipo;
        const char* valore;
        int modo;
        const char* atteso;
    };
    const Caso casi[] = {
        {4, "D", 0, "ArtAg"},
        {4, "9", 0, "SSSub"},
        {4, "E", 0, "Eme"},
        {4, "DO", 0, ""},                     // not one character
        {4, "DO", 3, "Articolo Aggiuntivo"},  // where the two letters start
        {4, "", 0, ""},
        {4, "", 3, ""},
        {4, "1", 0, ""},
        {4, "Emendamento", 1, "Eme"},
        {4, "Sub-Sub-Sub-Emendamento", 1, "SSSub"},
        {4, "Emendamento", 2, "E"},
        {4, "emendamento", 2, ""},
        {4, "", 1, ""},
        {4, "", 2, ""},
        {4, "E", 3, "Emendamento"},
        {4, "E", 4, ""},
        {4, "E", -1, ""},
        // The labels go by position, in the councils too.
        {1, "D", 0, "ArtAg"},
        {1, "Q", 0, ""},
        {1, "Delibera", 2, "D"},
        {1, "Pregiudiziale", 1, "PdL"},
        {1, "Emendamento", 1, ""},
        {1, "P", 3, "Pregiudiziale"},
    };
    for (const auto& c : casi) {
        Assemblea(c.tipo);
        EXPECT_EQ(TipoAtto(QString::fromUtf8(c.valore), c.modo), QString::fromUtf8(c.atteso))
            << c.tipo << " " << c.valore << " " << c.modo;
    }
}

TEST(Suona, PlaysTheFileOrBeeps)
{
    Ripristino r;
    test::FakeServices servizi;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        QFile f(dir.filePath(QStringLiteral("beepAV.wav")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("RIFF");
    }

    // The folder without its trailing separator gets one.
    cCartellaProgramma = dir.path();
    Suona(QStringLiteral("AV"));
    ASSERT_EQ(servizi.sound.riprodotti.size(), 1);
    EXPECT_EQ(servizi.sound.riprodotti[0], dir.filePath(QStringLiteral("beepAV.wav")));
    EXPECT_EQ(servizi.sound.beep, 0);

    cCartellaProgramma = dir.path() + u'/';
    Suona(QStringLiteral("CV"));
    EXPECT_EQ(servizi.sound.riprodotti.size(), 1);
    EXPECT_EQ(servizi.sound.beep, 1);

    // A folder named like the sound is not a sound.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("beepTS.wav")));
    Suona(QStringLiteral("TS"));
    EXPECT_EQ(servizi.sound.riprodotti.size(), 1);
    EXPECT_EQ(servizi.sound.beep, 2);
}
