#include "platform/classlib/Registry.h"
#include "platform/winapi/Registry_Store.h"
#include "tests/support/Temp_Settings.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

const std::string Key = "\\Software\\Quorvale\\Ravivida Ordexia";

TEST(Registry, WrittenIntegersReadBackThroughAnotherObject)
{
    Temp_Settings settings;
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(Key, true));
        registry.WriteInteger("Camera_Count", -7);
    }
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(Key, false));
    EXPECT_EQ(registry.ReadInteger("Camera_Count"), -7);
}

TEST(Registry, KeysOpenFromTheRootOrFromTheOpenKey)
{
    Temp_Settings settings;
    TRegistry registry;
    EXPECT_FALSE(registry.OpenKey(Key, false));
    EXPECT_EQ(registry.CurrentKey(), nullptr);
    ASSERT_TRUE(registry.OpenKey("\\Software", true));
    ASSERT_TRUE(registry.OpenKey("Quorvale", true));
    registry.WriteInteger("Value", 1);

    // A failed open keeps the key that was open.
    EXPECT_FALSE(registry.OpenKey("Missing", false));
    EXPECT_EQ(registry.CurrentPath(), "\\Software\\Quorvale");
    EXPECT_EQ(registry.ReadInteger("Value"), 1);
    EXPECT_TRUE(registry.OpenKey("\\Software\\Quorvale", false));
}

TEST(Registry, FailuresRaiseRegistryExceptions)
{
    Temp_Settings settings;
    std::ofstream(settings.Program_Folder() / Registry_Store::File_Path().filename()) << "[Software\\Quorvale\\Ravivida Ordexia]\nName_Cam1=\"one\"\n";
    TRegistry registry;
    EXPECT_THROW(registry.ReadInteger("Name_Cam1"), ERegistryException);
    EXPECT_THROW(registry.WriteInteger("Name_Cam1", 1), ERegistryException);
    ASSERT_TRUE(registry.OpenKey(Key, false));
    EXPECT_THROW(registry.ReadInteger("Name_Cam1"), ERegistryException);
    EXPECT_THROW(registry.ReadInteger("Port_Number_Cam1"), ERegistryException);
    EXPECT_THROW(registry.WriteInteger("Bad=Name", 1), ERegistryException);
    registry.WriteInteger("Name_Cam1", 4);
    EXPECT_EQ(registry.ReadInteger("Name_Cam1"), 4);
}

} // namespace
