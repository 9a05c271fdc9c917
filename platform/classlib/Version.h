#pragma once
// The program's file version, the one place it is set. The shell shows it as
// "major.build" (2.0.3.0 shows as 2.3), as the version resource did.

#include <string>

struct TFileVersion {
    unsigned Major;
    unsigned Minor;
    unsigned Build;
    unsigned SubBuild;
};

inline constexpr TFileVersion Program_File_Version{2, 0, 3, 0};

// The short text the about box and the firmware message show.
std::string Program_Version_Text();
