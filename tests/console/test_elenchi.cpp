// Lists whose selection set from code runs the handler at once, also when
// the index does not change; filling and emptying never run it.
#include <gtest/gtest.h>

#include "platform/Elenchi.h"
#include "support/QtApp.h"

namespace obx::test {
namespace {

template <typename L>
void Prova()
{
    EnsureQApp();
    L l;
    std::vector<int> visti;
    l.Click = [&] { visti.push_back(l.ListIndex()); };
    l.AddItem(QStringLiteral("uno"));
    l.AddItem(QStringLiteral("due"));
    EXPECT_EQ(l.ListIndex(), -1);
    EXPECT_TRUE(visti.empty());

    l.SetListIndex(1);
    l.SetListIndex(1);  // same index: the handler runs again
    l.SetListIndex(-1);
    l.SetListIndex(5);  // outside the list: nothing selected
    EXPECT_EQ(visti, (std::vector<int>{1, 1, -1, -1}));

    // The handler runs nested: a selection made inside it is seen at once.
    visti.clear();
    bool dentro = false;
    l.Click = [&] {
        visti.push_back(l.ListIndex());
        if (!dentro && l.ListIndex() == 0) {
            dentro = true;
            l.SetListIndex(1);
        }
    };
    l.SetListIndex(0);
    EXPECT_EQ(visti, (std::vector<int>{0, 1}));
    EXPECT_EQ(l.ListIndex(), 1);

    visti.clear();
    l.RemoveItem(0);
    l.Clear();
    EXPECT_TRUE(visti.empty());
    EXPECT_EQ(l.ListCount(), 0);
}

TEST(Elenchi, ComboEseguePerOgniSelezioneDaCodice) { Prova<ElencoCombo>(); }
TEST(Elenchi, ListaEseguePerOgniSelezioneDaCodice) { Prova<ElencoLista>(); }

TEST(Elenchi, ListaRimuoveIlPrimoTestoUguale)
{
    EnsureQApp();
    ElencoLista l;
    for (const char* s : {"ROSSI M.", "VERDI A.", "ROSSI M."}) l.AddItem(QString::fromLatin1(s));
    EXPECT_TRUE(l.RimuoviTesto(QStringLiteral("ROSSI M.")));
    EXPECT_EQ(l.ListCount(), 2);
    EXPECT_EQ(l.List(0), QStringLiteral("VERDI A."));
    EXPECT_FALSE(l.RimuoviTesto(QStringLiteral("BIANCHI L.")));
}

}  // namespace
}  // namespace obx::test
