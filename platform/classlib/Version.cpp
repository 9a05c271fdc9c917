#include "platform/classlib/Version.h"

#if !defined(ORDEXIA_VERSION_MAJOR) || !defined(ORDEXIA_VERSION_MINOR) || !defined(ORDEXIA_VERSION_BUILD) ||          \
    !defined(ORDEXIA_VERSION_SUB_BUILD)
#error "The build gives the program's version from the project version (CMakeLists.txt)"
#endif

const TFileVersion ProgramFileVersion{ORDEXIA_VERSION_MAJOR, ORDEXIA_VERSION_MINOR, ORDEXIA_VERSION_BUILD,
                                        ORDEXIA_VERSION_SUB_BUILD};

std::string FileVersionText(const TFileVersion& version)
{
    return std::to_string(version.Major) + "." + std::to_string(version.Build);
}

std::string ProgramVersionText() { return FileVersionText(ProgramFileVersion); }
