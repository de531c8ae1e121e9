#include <gtest/gtest.h>

#include "platform/Testo.h"

using namespace obx;

struct CasoFormato {
    double v;
    const char* modello;
    const char* atteso;
};

TEST(Formato, Patterns)
{
    const CasoFormato casi[] = {
        {0, "####", ""},    {7, "####", "7"},          {5, "00", "05"},   {12, "0 0", "1 2"},
        {5, "0 0", "0 5"},  {123456, "##0", "123456"}, {0, "##0", "0"},   {-5, "###0", "-5"},
        {2.5, "####", "3"}, {1, " ####", " 1"},        {0, " ####", " "}, {12345, "####0", "12345"},
    };
    for (const auto& c : casi)
        EXPECT_EQ(Formato(c.v, QString::fromUtf8(c.modello)), QString::fromUtf8(c.atteso)) << c.v << " " << c.modello;
}

TEST(Val, LeadingNumber)
{
    EXPECT_EQ(Val(QStringLiteral("")), 0);
    EXPECT_EQ(Val(QStringLiteral("abc")), 0);
    EXPECT_EQ(Val(QStringLiteral("  42abc")), 42);
    EXPECT_EQ(Val(QStringLiteral("-3")), -3);
    EXPECT_EQ(Val(QStringLiteral("101-148")), 101);
    EXPECT_DOUBLE_EQ(Val(QStringLiteral("1.5e2x")), 150);
    EXPECT_EQ(Val(QStringLiteral("&HFF")), 255);
    int v = 7;
    EXPECT_FALSE(Val16(QStringLiteral("40000"), v));
    EXPECT_EQ(v, 7);
    EXPECT_TRUE(Val16(QStringLiteral("-32768"), v));
    EXPECT_EQ(v, -32768);
}

TEST(Cp1252, RoundTripsEveryByte)
{
    QByteArray tutti;
    for (int i = 0; i < 256; ++i) tutti.append(char(i));
    EXPECT_EQ(ToCp1252(FromCp1252(tutti)), tutti);
    EXPECT_EQ(FromCp1252(QByteArray("\x80\xE0", 2)), QString::fromUtf8("€à"));
    EXPECT_EQ(ToCp1252(QString::fromUtf8("è€Ω")), QByteArray("\xE8\x80?"));
}

TEST(Testo, TrimPadStrElapsed)
{
    EXPECT_EQ(TrimSpazi(QStringLiteral("  a b  ")), QStringLiteral("a b"));
    EXPECT_EQ(TrimSpazi(QStringLiteral("\ta ")), QStringLiteral("\ta"));
    EXPECT_EQ(PadTaglia(QStringLiteral("abc"), 5), QStringLiteral("abc  "));
    EXPECT_EQ(PadTaglia(QStringLiteral("abcdef"), 3), QStringLiteral("abc"));
    EXPECT_EQ(Str(12), QStringLiteral(" 12"));
    EXPECT_EQ(Str(-3), QStringLiteral("-3"));
    EXPECT_DOUBLE_EQ(Trascorso(86390, 10), 20);
    EXPECT_DOUBLE_EQ(Trascorso(10, 70), 60);
}
