#pragma once
// The structure of a compiled HTML Help file, read and checked before chmlib
// is given the file.
//
// chmlib trusts every number in the file: it divides by header fields,
// allocates what a length says, follows chunk numbers without end and reads
// directory entries past their chunk. Check_Chm_Layout walks the headers,
// the directory (listing and index chunks), the compression control data
// and the reset table itself, with every offset, length and count bounded
// by the bytes at hand, and answers the directory only when all of it is
// sound; a file it accepts gives chmlib nothing to trip on.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The largest help file read; the program's own are well under 100 KB.
inline constexpr std::uint64_t Chm_Max_File_Size = 16u << 20;

struct Chm_Entry {
    std::string Name;
    std::uint32_t Section = 0; // 0 stored, 1 compressed
    std::uint64_t Start = 0;   // within its section
    std::uint64_t Length = 0;
};

struct Chm_Layout {
    std::vector<Chm_Entry> Entries;
    // Where the stored section begins in the file.
    std::uint64_t Data_Offset = 0;
    // Length of the compressed section once expanded; 0 when it has none.
    std::uint64_t Expanded_Length = 0;

    const Chm_Entry* Find(std::string_view Name) const;
};

std::optional<Chm_Layout> Check_Chm_Layout(std::string_view Bytes);
