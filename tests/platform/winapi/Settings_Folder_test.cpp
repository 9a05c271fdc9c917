#include "platform/winapi/Settings_Folder.h"
#include "tests/support/Temp_Settings.h"

#include <gtest/gtest.h>

TEST(Settings_Folder, FollowsXdgConfigHome)
{
    Temp_Settings settings;
    EXPECT_EQ(Settings_Folder(), settings.Config_Home() / "Quorvale" / "Ravivida Ordexia");
    std::filesystem::path created;
    ASSERT_TRUE(Ensure_Settings_Folder(created));
    EXPECT_TRUE(std::filesystem::is_directory(created));
}
