#include "common/CNoCaseString.h"
#include <gtest/gtest.h>
#include <map>

TEST(CNoCaseString, ConstructsFromEverySource)
{
    EXPECT_EQ(CNoCaseString(), L"");
    EXPECT_EQ(CNoCaseString(L"Wide"), L"Wide");
    EXPECT_EQ(CNoCaseString("Narrow"), L"Narrow");
    CNoCaseString other(L"Other");
    EXPECT_EQ(CNoCaseString(&other), L"Other");
    EXPECT_EQ(CNoCaseString(static_cast<const CNoCaseString*>(nullptr)), L"");
    EXPECT_EQ(CNoCaseString(CString(L"Str")), L"Str");

    CNoCaseString s;
    s = L"w";
    EXPECT_EQ(s, L"w");
    s = "n";
    EXPECT_EQ(s, L"n");
    s = &other;
    EXPECT_EQ(s, L"Other");
    s = static_cast<const CNoCaseString*>(nullptr);
    EXPECT_EQ(s, L"");
    s = CString(L"c");
    EXPECT_EQ(s, L"c");
}

TEST(CNoCaseString, KeysDifferingOnlyInCaseAreOneKey)
{
    std::map<CNoCaseString, int> settings;
    settings[CNoCaseString(L"ServerPort")] = 1;
    settings[CNoCaseString(L"SERVERPORT")] = 2;
    settings[CNoCaseString(L"serverport")] = 3;
    settings[CNoCaseString(L"Language")] = 4;
    EXPECT_EQ(settings.size(), 2u);
    EXPECT_EQ(settings[CNoCaseString(L"ServerPORT")], 3);
    EXPECT_EQ(settings.begin()->first, L"Language"); // ordered ignoring case: L < S
    EXPECT_TRUE(CNoCaseString(L"apple") < CNoCaseString(L"BANANA"));
    EXPECT_FALSE(CNoCaseString(L"BANANA") < CNoCaseString(L"apple"));
    EXPECT_FALSE(CNoCaseString(L"a") < CNoCaseString(L"A"));
}
