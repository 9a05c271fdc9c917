#pragma once
// The program's file version. Its one source is the project version in the
// top-level CMakeLists.txt, which the build hands to Version.cpp. The shell
// shows it as "major.build" (2.0.3.0 shows as 2.3), as the version resource did.

#include <string>

struct TFileVersion {
    unsigned Major;
    unsigned Minor;
    unsigned Build;
    unsigned SubBuild;
};

extern const TFileVersion ProgramFileVersion;

// "major.build" of a file version.
std::string FileVersionText(const TFileVersion& version);
// The short text the about box and the firmware message show.
std::string ProgramVersionText();
