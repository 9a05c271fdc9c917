#include "platform/classlib/Version.h"

std::string Program_Version_Text()
{
    return std::to_string(Program_File_Version.Major) + "." + std::to_string(Program_File_Version.Build);
}
