#include "platform/classlib/Version.h"

#include <gtest/gtest.h>

TEST(Version, ShowsMajorAndBuildWords)
{
    EXPECT_EQ(Program_Version_Text(), "2.3");
}
