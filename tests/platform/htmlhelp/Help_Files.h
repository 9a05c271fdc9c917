#pragma once
// The program's help files as the build compiled them.

#include <string>

inline std::string SD_Help_File()
{
    return std::string(ORDEXIA_HELP_FILE_DIR) + "/Wireless_Ordexia_SD_Help.chm";
}

inline std::string HD_Help_File()
{
    return std::string(ORDEXIA_HELP_FILE_DIR) + "/Wireless_Ordexia_HD_Help.chm";
}
