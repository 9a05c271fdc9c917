#pragma once
// The body of the help file fuzz target, shared by the libFuzzer program and
// the corpus test: Data as a whole compiled help file, everything the help
// window would read from it, and Data as a contents file. A damaged file is
// simply not open; a crash, a hang or an out-of-bounds access is a finding.

#include "platform/htmlhelp/Chm_File.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline int Fuzz_Help(const std::uint8_t* Data, std::size_t Size)
{
    const std::string bytes(reinterpret_cast<const char*>(Data), Size);
    Parse_Sitemap(bytes);
    const auto file = Chm_File::From_Bytes(bytes);
    if (!file->Is_Open())
        return 0;
    for (std::uint32_t context = 1000; context <= 1010; ++context)
        file->Contains(file->Topic_Of_Context(context));
    Parse_Sitemap(file->Read(file->Contents_File()).value_or(std::string()));
    for (const std::string& name : file->Content_Names())
        file->Entry_For(file->Read(name).value_or(std::string()).substr(0, 64));
    return 0;
}
