// The vocabularies of act types, roles and vote kinds of each assembly kind.
#include <gtest/gtest.h>

#include "shell/Configurazione.h"
#include "shell/Globali.h"

using namespace obx;

namespace {

struct Ripristino {
    ~Ripristino()
    {
        iTipoAssemblea = 1;
        ImpostaVocabolari();
    }
};

struct CasoStringhe {
    int tipo;
    const char *atti, *votabili, *nonVotabili, *ruoli, *seggio, *senzaVoto, *ufficio, *voti;
    const char* menu0;
    bool importa, verbale;
};

}  // namespace

TEST(Vocabolari, LettersAndMenuEntriesByKind)
{
    Ripristino r;
    const CasoStringhe casi[] = {
        {1, "DMCOVIGRAP", "DMCOVRAP", "IG", "PSCAGXUVR", "PSCURN", "AGXVR", "PSCU", "PMH-----A--",
         "Registrazione Argomenti OdG", true, false},
        {2, "DMCOVIGRAP", "DMCOVRAP", "IG", "PSCAGXUVR", "PSCURN", "AGXVR", "PSCU", "PMH-----A--",
         "Registrazione Argomenti OdG", true, false},
        {4, "DOMJVAHIGBQFUXPELCWYSZNRKT9", "DOMJVAHBQFUXPELCWYSZNRKT9", "IG", "PSCAGXUT", "PSCUGTN", "AX", "PSCUGT",
         "PMHCIJVW-RS", "Registrazione Atti", false, true},
    };
    for (const auto& c : casi) {
        iTipoAssemblea = c.tipo;
        ImpostaVocabolari();
        EXPECT_EQ(cLettereAtti, QString::fromUtf8(c.atti)) << c.tipo;
        EXPECT_EQ(cLettereAttiVotabili, QString::fromUtf8(c.votabili)) << c.tipo;
        EXPECT_EQ(cLettereAttiNonVotabili, QString::fromUtf8(c.nonVotabili)) << c.tipo;
        EXPECT_EQ(cLettereRuoli, QString::fromUtf8(c.ruoli)) << c.tipo;
        EXPECT_EQ(cRuoliSeggio, QString::fromUtf8(c.seggio)) << c.tipo;
        EXPECT_EQ(cRuoliSenzaVoto, QString::fromUtf8(c.senzaVoto)) << c.tipo;
        EXPECT_EQ(cRuoliUfficio, QString::fromUtf8(c.ufficio)) << c.tipo;
        EXPECT_EQ(cLettereVoti, QString::fromUtf8(c.voti)) << c.tipo;
        EXPECT_EQ(cMenuArchivi0, QString::fromUtf8(c.menu0)) << c.tipo;
        EXPECT_EQ(xMenuImportaVisibile, c.importa) << c.tipo;
        EXPECT_EQ(xMenuVerbaleVisibile, c.verbale) << c.tipo;
        // Every votable and non-votable letter is an act type of the kind.
        for (QChar l : cLettereAttiVotabili + cLettereAttiNonVotabili)
            EXPECT_TRUE(cLettereAtti.contains(l)) << c.tipo << " " << l.toLatin1();
    }
}

struct CasoNome {
    char lettera;
    const char* nome;
};

TEST(Vocabolari, ActNamesFollowTheirLetters)
{
    Ripristino r;
    const CasoNome regionale[] = {{'D', "Articolo Aggiuntivo"},
                                  {'O', "OdG"},
                                  {'M', "Mozione"},
                                  {'J', "Articolo"},
                                  {'V', "Modifica sequenza OdG"},
                                  {'A', "OdG non Passaggio Articoli"},
                                  {'H', "Iscrizione Nuovo Atto OdG"},
                                  {'I', "Interpellanza"},
                                  {'G', "Interrogazione"},
                                  {'B', "Proposta di Legge"},
                                  {'Q', "Proposta Atto Amministrativo"},
                                  {'F', "Proposta di Regolamento"},
                                  {'U', "Proposta di Legge Statutaria"},
                                  {'X', "Proposta di Risoluzione"},
                                  {'P', "Proposta di Deliberazione"},
                                  {'E', "Emendamento"},
                                  {'L', "Sub-Emendamento"},
                                  {'C', "Sub-Sub-Emendamento"},
                                  {'W', "Rinvio Atto in Commissione"},
                                  {'Y', "Rinvio Atto ad altra Seduta"},
                                  {'S', "Sospensiva"},
                                  {'Z', "Coordinamento tecnico"},
                                  {'N', "Pregiudiziale"},
                                  {'R', "Richiamo"},
                                  {'K', "Dichiarazione improponibilità"},
                                  {'T', "Dichiarazione di urgenza"},
                                  {'9', "Sub-Sub-Sub-Emendamento"}};
    const CasoNome consiglio[] = {
        {'D', "Delibera"},         {'M', "Mozione"},       {'C', "Comunicazione"},  {'O', "OdG"},
        {'V', "Mod.sequenza OdG"}, {'I', "Interpellanza"}, {'G', "Interrogazione"}, {'R', "Regolamento"},
        {'A', "Articolo"},         {'P', "Pregiudiziale"}};

    iTipoAssemblea = 4;
    ImpostaVocabolari();
    for (const auto& c : regionale) {
        const int p = int(cLettereAtti.indexOf(QLatin1Char(c.lettera))) + 1;
        ASSERT_GT(p, 0) << c.lettera;
        EXPECT_EQ(cNomiAtti[size_t(p)], QString::fromUtf8(c.nome)) << c.lettera;
    }
    EXPECT_TRUE(cNomiAtti[0].isEmpty());
    EXPECT_TRUE(cNomiAtti[28].isEmpty());

    // Going back to a council clears the names it does not have.
    iTipoAssemblea = 1;
    ImpostaVocabolari();
    for (const auto& c : consiglio) {
        const int p = int(cLettereAtti.indexOf(QLatin1Char(c.lettera))) + 1;
        ASSERT_GT(p, 0) << c.lettera;
        EXPECT_EQ(cNomiAtti[size_t(p)], QString::fromUtf8(c.nome)) << c.lettera;
    }
    for (int i = 11; i <= 28; ++i) EXPECT_TRUE(cNomiAtti[size_t(i)].isEmpty()) << i;
}

TEST(Vocabolari, RoleNamesByKind)
{
    Ripristino r;
    struct Caso {
        int tipo;
        const char* nomi[9];
    };
    const Caso casi[] = {
        {1,
         {"Presidente Consiglio", "Sindaco", "Consigliere", "Assessore", "Segretario", "Altro", "CapoGruppo",
          "ViceSegretario", "Consigliere Aggiunto"}},
        {2,
         {"Presidente Consiglio", "Presidente Giunta", "Consigliere", "Assessore", "Segretario", "Altro", "CapoGruppo",
          "ViceSegretario", "Consigliere Aggiunto"}},
        {4,
         {"Presidente Assemblea", "Presidente Giunta", "Consigliere", "Assessore", "Consigliere Segretario", "Altro",
          "CapoGruppo", "Presidente di Turno", ""}},
    };
    for (const auto& c : casi) {
        iTipoAssemblea = c.tipo;
        ImpostaVocabolari();
        for (int k = 0; k < 9; ++k)
            EXPECT_EQ(cNomiRuoli[size_t(k)], QString::fromUtf8(c.nomi[k])) << c.tipo << " " << k;
        // The name of the letter at position k (from 1) is at k - 1.
        EXPECT_EQ(cNomiRuoli[size_t(cLettereRuoli.indexOf(u'S'))], QString::fromUtf8(c.nomi[1]));
        // The seat letter N has no role name.
        EXPECT_FALSE(cLettereRuoli.contains(u'N'));
    }
}

TEST(Vocabolari, VoteNamesGoWithTheLetterAfterTheirIndex)
{
    Ripristino r;
    struct Caso {
        int tipo;
        char lettera;
        const char* nome;
    };
    const Caso casi[] = {
        {1, 'P', "Palese"},
        {1, 'M', "Mod.seq.OdG"},
        {1, 'H', "Segreto"},
        {1, 'A', "Appello"},
        {2, 'A', "Appello"},
        {4, 'P', "Palese"},
        {4, 'M', "Mod.seq.OdG"},
        {4, 'H', "Segreto"},
        {4, 'C', "Controprova"},
        {4, 'I', "Nominale"},
        {4, 'J', "Nominale per chiamata"},
        {4, 'V', "Verifica N.Legale"},
        {4, 'W', "Ver.N.Leg. per chiamata"},
        {4, 'R', "Rinvio Commissione"},
        {4, 'S', "Rinvio altra Seduta"},
    };
    for (const auto& c : casi) {
        iTipoAssemblea = c.tipo;
        ImpostaVocabolari();
        const int posizione = int(cLettereVoti.indexOf(QLatin1Char(c.lettera))) + 1;  // from 1
        ASSERT_GT(posizione, 0) << c.lettera;
        EXPECT_EQ(cNomiVoti[size_t(posizione - 1)], QString::fromUtf8(c.nome)) << c.tipo << " " << c.lettera;
    }
    // A kind the installation does not offer ("-") has no name.
    for (int tipo : {1, 4}) {
        iTipoAssemblea = tipo;
        ImpostaVocabolari();
        ASSERT_EQ(cLettereVoti.size(), 11);
        for (int i = 0; i < 11; ++i)
            EXPECT_EQ(cLettereVoti[i] == u'-', cNomiVoti[size_t(i)].isEmpty()) << tipo << " " << i;
    }
}
