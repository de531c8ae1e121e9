// A secret vote run at the console against obx-sim stores who keyed, not
// what: "+" in cVotiVT at the place of each member who keyed, the rest as
// an open vote leaves it; who took part (cVotantiVT), the totals and the
// outcome are those the same keys give in an open vote.  The "Dettaglio"
// export of a secret vote then says who took part and no vote letter.
#include "exchange/BancoScambio.h"
#include "reports/Scambio.h"
#include "vote/BancoVoto.h"

using namespace obx;
using namespace obx::test;

namespace {

class VotoSegretoPiu : public BancoVoto {
protected:
    // One vote of the kind given: the units named key as the command says,
    // then the vote is closed; returns its row and outcome.
    std::pair<RigaVoto, QString> UnVoto(const QString& tipo, const QString& tasti, int quanti)
    {
        // Everybody in again: the close of the previous vote sent out the
        // members who did not key.
        TuttiPresentiArgomentoAperto();
        cTipoVoto = tipo;
        const size_t righe = Voti().size();
        VotaATurni({{tasti, quanti, {}}});
        const auto v = Voti();
        EXPECT_EQ(v.size(), righe + 1);
        if (v.size() != righe + 1) return {};
        EXPECT_EQ(iModoVoto, 0);
        return {v.back(), cEsito};
    }
};

TEST_F(VotoSegretoPiu, StoresAPlusForEachMemberWhoKeyedAndTheSameCountsAsAnOpenVote)
{
    struct Caso {
        const char* tasti;   // the simulator's command
        std::vector<int> unita;  // the units that key
        int favorevoli, contrari, astenuti;
    };
    const Caso casi[] = {
        {"key 1 yes 2 no 3 abstain", {1, 2, 3}, 1, 1, 1},
        {"key 2 yes 4 yes 5 yes 7 no", {2, 4, 5, 7}, 3, 1, 0},
        {"key 8 abstain", {8}, 0, 0, 1},
        {"key 1 no 2 no 3 no 4 no 5 no 6 yes 7 yes 8 abstain", {1, 2, 3, 4, 5, 6, 7, 8}, 2, 5, 1},
    };
    std::vector<std::vector<int>> segreti;
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.tasti);
        const auto [palese, esitoPalese] = UnVoto(QStringLiteral("P"), QString::fromLatin1(c.tasti), int(c.unita.size()));
        if (HasFatalFailure()) return;
        const auto [segreto, esitoSegreto] =
            UnVoto(QStringLiteral("H"), QString::fromLatin1(c.tasti), int(c.unita.size()));
        if (HasFatalFailure()) return;

        // The open vote stores the keys; the secret one "+" in their place.
        QString piu(120, u'0');
        for (const int u : c.unita) {
            const int codice = aPosti[size_t(u)].bCodiceAN;
            EXPECT_NE(palese.voti.at(codice - 1), u'0') << "unita " << u;
            piu[codice - 1] = u'+';
        }
        EXPECT_EQ(segreto.tipo, QStringLiteral("H"));
        EXPECT_EQ(palese.tipo, QStringLiteral("P"));
        ASSERT_EQ(segreto.voti.size(), 120);
        EXPECT_EQ(segreto.voti, piu);
        EXPECT_NE(segreto.voti, palese.voti);
        for (int i = 0; i < 120; ++i)
            if (palese.voti.at(i) == u'0') EXPECT_EQ(segreto.voti.at(i), u'0') << i;

        // Who took part, the totals and the outcome as the open vote has them.
        EXPECT_EQ(segreto.votanti, palese.votanti);
        EXPECT_EQ(segreto.votanti.size() - segreto.votanti.count(QChar(0)), qsizetype(c.unita.size()));
        EXPECT_EQ(segreto.favorevoli, c.favorevoli);
        EXPECT_EQ(segreto.contrari, c.contrari);
        EXPECT_EQ(segreto.astenuti, c.astenuti);
        EXPECT_EQ(palese.favorevoli, c.favorevoli);
        EXPECT_EQ(palese.contrari, c.contrari);
        EXPECT_EQ(palese.astenuti, c.astenuti);
        EXPECT_EQ(segreto.delibera, palese.delibera);
        EXPECT_FALSE(esitoSegreto.isEmpty());
        EXPECT_EQ(esitoSegreto, esitoPalese);
        segreti.push_back(c.unita);
    }

    // The "Dettaglio": one record a seat a vote; a secret vote's records
    // say "S" for who keyed and carry no vote letter, an open vote's do.
    const QString file = archivio->Cartella() + QStringLiteral("dettaglio.txt");
    (*ui)->AttendiMsg(QStringLiteral("Esportazione Voti Terminata"));
    EsportaVoti(file, kFormatoIride, false);
    const auto voti = Voti();
    const auto record = Record(file);
    const size_t seggi = 8;
    ASSERT_EQ(record.size(), voti.size() * seggi);
    for (size_t v = 0; v < voti.size(); ++v) {
        int s = 0, lettere = 0;
        for (size_t k = 0; k < seggi; ++k) {
            const QStringList& r = record[v * seggi + k];
            ASSERT_EQ(r.size(), 6);
            if (r[3] == u"S") ++s;
            if (!r[4].isEmpty() || !r[5].isEmpty()) ++lettere;
        }
        const size_t caso = v / 2;
        SCOPED_TRACE(casi[caso].tasti);
        EXPECT_EQ(s, int(segreti[caso].size()));
        EXPECT_EQ(lettere, voti[v].tipo == u"H" ? 0 : s);
    }
}

}  // namespace
