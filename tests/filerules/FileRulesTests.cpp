#include <gtest/gtest.h>

#include "globals/filerules/KeyString.h"
#include "globals/filerules/OutputNames.h"

TEST(KeyString, IsTheFixedWordFollowedByTheWholeKey)
{
    EXPECT_EQ(keyStringFor("hunter2"), "Corvantidehunter2");
    // Keys that share only their first character give different key strings.
    EXPECT_NE(keyStringFor("h"), keyStringFor("hunter2"));
    EXPECT_NE(keyStringFor("hunter2"), keyStringFor("hunter3"));
    EXPECT_EQ(keyStringFor(QString::fromUtf8("ключ 🔑")), QString::fromUtf8("Corvantideключ 🔑"));
}

TEST(OutputNames, EncryptedNameAppendsUpperCaseExtension)
{
    EXPECT_EQ(encryptedNameFor("report.txt"), "report.txt.ECX");
    EXPECT_EQ(encryptedNameFor("/a b/report"), "/a b/report.ECX");
}

TEST(OutputNames, DecryptedNameDropsFourCharactersWhateverTheyAre)
{
    EXPECT_EQ(decryptedNameFor("report.txt.ECX"), "report.txt");
    EXPECT_EQ(decryptedNameFor("notes.txt"), "notes");
    EXPECT_EQ(decryptedNameFor("abcd"), "");
    EXPECT_EQ(decryptedNameFor("abc"), std::nullopt);
    EXPECT_EQ(decryptedNameFor(""), std::nullopt);
    // Counted in UTF-16 code units: an emoji is two of them.
    EXPECT_EQ(decryptedNameFor(QString::fromUtf8("ab🔑xy")), "ab");
}
