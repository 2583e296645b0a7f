// Inputs that fuzzing found mishandled, kept so that they stay mended.
#include <gtest/gtest.h>

#include "cli/KeyInput.h"

TEST(FuzzFindings, KeyWhoseLastCharacterIsCutOffIsRefused)
{
    // A key file ending inside a multi-byte character once gave the key without it, and a
    // file holding only such a fragment gave an empty key.
    for (const QByteArray &bytes :
         {QByteArray("\xF0\n"), QByteArray("abc\xF0\x9F"), QByteArray("\xC3")}) {
        const KeyResult key = keyFromBytes(bytes);
        EXPECT_FALSE(key.key.has_value()) << bytes.toHex().toStdString();
        EXPECT_EQ(key.error, "the key is not valid UTF-8 text");
    }
    EXPECT_EQ(keyFromBytes("caf\xC3\xA9\n").key, QString::fromUtf8("café"));
}
