#include "platform/classlib/String_Table.h"
#include "platform/classlib/SysUtils.h"

#include <gtest/gtest.h>

TEST(String_Table_Library, MissingLibraryMessageNamesTheLinuxFiles)
{
    EXPECT_EQ(LoadStr(2004), "Error loading library \"libOrdexia.so\"\n\n"
                             "Check that file \"libOrdexia.so\" exists in the same directory as \"Wireless_Ordexia\"");
}
