#pragma once
// For the help tests: the help files the build compiled, a debug log of
// their own in a temporary folder (the kit's log put back afterwards), and
// the lines a log file holds.

#include "shell/services/Hh_funcs.h"

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// The build puts the help files in its bin folder, beside the program; the
// test program lies somewhere below the same build folder.
inline std::string Help_File_Folder()
{
    std::error_code error;
    for (std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
         !folder.empty() && folder != folder.root_path(); folder = folder.parent_path())
        if (std::filesystem::exists(folder / "bin" / "Wireless_Ordexia_SD_Help.chm", error))
            return (folder / "bin").string();
    return {};
}

inline std::string SD_Help_File()
{
    return Help_File_Folder() + "/Wireless_Ordexia_SD_Help.chm";
}

inline std::string HD_Help_File()
{
    return Help_File_Folder() + "/Wireless_Ordexia_HD_Help.chm";
}

// The lines of a file, without their CR LF ends.
inline std::vector<std::string> Log_Lines(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// Switches the kit's log on into a temporary folder, without time stamps
// or header, for as long as it lives.
class Temporary_Help_Log {
public:
    Temporary_Help_Log() : saved(_HHDbgObj)
    {
        _HHDbgObj = new TDLogFile(Path(), true, false, false, false);
    }
    ~Temporary_Help_Log()
    {
        delete _HHDbgObj;
        _HHDbgObj = saved;
    }
    Temporary_Help_Log(const Temporary_Help_Log&) = delete;
    Temporary_Help_Log& operator=(const Temporary_Help_Log&) = delete;

    std::string Path() const { return folder.path().toStdString() + "/HHDebug.txt"; }
    std::vector<std::string> Lines() const { return Log_Lines(Path()); }

private:
    QTemporaryDir folder;
    TDLogFile* saved;
};
