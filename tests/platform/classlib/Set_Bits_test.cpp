// A property set's stored ordinal is the set's own bits: no ordinal past the
// enumeration's last value is ever made into a value of it (the
// undefined-behaviour sanitizer flags such a value as soon as the font's
// properties are registered).
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Graphics.h"

#include <gtest/gtest.h>

TEST(Set_Bits, AreTheSetsOwnBits)
{
    EXPECT_EQ(Set_Bits(TFontStyles{}), 0);
    EXPECT_EQ(Set_Bits(TFontStyles{fsBold, fsStrikeOut}), 0b1001);
    EXPECT_EQ(Set_Bits(TFontStyles{fsItalic, fsUnderline}), 0b0110);
    EXPECT_EQ(Set_Bits(TFontStyles{fsBold, fsItalic, fsUnderline, fsStrikeOut}), 0b1111);
}
