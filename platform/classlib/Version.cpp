#include "platform/classlib/Version.h"

#if !defined(ORDEXIA_VERSION_MAJOR) || !defined(ORDEXIA_VERSION_MINOR) || !defined(ORDEXIA_VERSION_BUILD) ||          \
    !defined(ORDEXIA_VERSION_SUB_BUILD)
#error "The build gives the program's version from the project version (CMakeLists.txt)"
#endif

const TFileVersion Program_File_Version{ORDEXIA_VERSION_MAJOR, ORDEXIA_VERSION_MINOR, ORDEXIA_VERSION_BUILD,
                                        ORDEXIA_VERSION_SUB_BUILD};

std::string File_Version_Text(const TFileVersion& version)
{
    return std::to_string(version.Major) + "." + std::to_string(version.Build);
}

std::string Program_Version_Text() { return File_Version_Text(Program_File_Version); }
