#include "platform/htmlhelp/Chm_Layout.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace {

// Header sizes and signatures of the container format.
constexpr std::uint64_t Itsf_V2_Length = 0x58;
constexpr std::uint64_t Itsf_V3_Length = 0x60;
constexpr std::uint64_t Itsp_Length = 0x54;
constexpr std::uint64_t Listing_Header = 0x14;
constexpr std::uint64_t Index_Header = 0x08;
constexpr std::uint64_t Min_Chunk = 0x100;
constexpr std::uint64_t Max_Chunk = 0x10000;
constexpr std::uint32_t Max_Chunks = 4096;
constexpr int Max_Index_Depth = 8;
constexpr std::size_t Max_Name = 512; // chmlib's path buffer
constexpr std::size_t Max_Entries = 65536;

// The compressed section: an LZX stream in 32 KB frames.
constexpr std::uint64_t Frame = 0x8000;
constexpr std::uint64_t Frame_Slack = 6144; // chmlib's room for a frame that grew
constexpr std::uint64_t Max_Expanded = 32u << 20;
constexpr std::uint64_t Max_Control_Data = 256;
constexpr std::uint64_t Control_Data_Length = 0x1C;
constexpr std::uint64_t Reset_Table_Header = 0x28;
constexpr const char* Content_Name = "::DataSpace/Storage/MSCompressed/Content";
constexpr const char* Control_Name = "::DataSpace/Storage/MSCompressed/ControlData";
constexpr const char* Reset_Table_Name = "::DataSpace/Storage/MSCompressed/Transform/"
                                         "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable";

bool Fits(std::uint64_t offset, std::uint64_t length, std::uint64_t limit)
{
    return offset <= limit && length <= limit - offset;
}

std::uint64_t Little_Endian(std::string_view bytes, std::size_t offset, int size)
{
    std::uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]);
    return value;
}

std::uint32_t U32(std::string_view bytes, std::size_t offset)
{
    return static_cast<std::uint32_t>(Little_Endian(bytes, offset, 4));
}

std::uint64_t U64(std::string_view bytes, std::size_t offset)
{
    return Little_Endian(bytes, offset, 8);
}

bool Equal_Ignoring_Case(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// The entries of a directory chunk's used part; every field must end
// inside it.
class Entry_Cursor {
public:
    explicit Entry_Cursor(std::string_view used_part) : used(used_part) {}

    bool At_End() const { return position >= used.size(); }

    // A variable-length number: seven bits a byte, most significant first,
    // the high bit set on every byte but the last.
    bool Number(std::uint64_t& value)
    {
        value = 0;
        for (int count = 0; count < 9 && position < used.size(); ++count) {
            const auto byte = static_cast<unsigned char>(used[position++]);
            value = (value << 7) | (byte & 0x7Fu);
            if (byte < 0x80)
                return true;
        }
        return false;
    }

    bool Name(std::string& name)
    {
        std::uint64_t length = 0;
        if (!Number(length) || length == 0 || length > Max_Name || length > used.size() - position)
            return false;
        name.assign(used.substr(position, static_cast<std::size_t>(length)));
        position += static_cast<std::size_t>(length);
        return name.find('\0') == std::string::npos;
    }

private:
    std::string_view used;
    std::size_t position = 0;
};

class Layout_Check {
public:
    explicit Layout_Check(std::string_view file_bytes) : bytes(file_bytes) {}

    std::optional<Chm_Layout> Run()
    {
        if (!Read_Headers() || !Read_Listing_Chain() || !Read_Index_Tree() || !Check_Names() ||
            !Check_Compression() || !Check_Entries())
            return std::nullopt;
        return layout;
    }

private:
    bool Read_Headers()
    {
        if (bytes.size() < Itsf_V2_Length || bytes.size() > Chm_Max_File_Size || bytes.substr(0, 4) != "ITSF")
            return false;
        const std::uint32_t version = U32(bytes, 4);
        const std::uint64_t header_length = U32(bytes, 8);
        if (!(version == 2 && header_length == Itsf_V2_Length) &&
            !(version == 3 && header_length == Itsf_V3_Length && bytes.size() >= Itsf_V3_Length))
            return false;
        const std::uint64_t directory_offset = U64(bytes, 0x48);
        const std::uint64_t directory_length = U64(bytes, 0x50);
        if (!Fits(directory_offset, directory_length, bytes.size()) || directory_length < Itsp_Length)
            return false;
        layout.Data_Offset = version == 3 ? U64(bytes, 0x58) : directory_offset + directory_length;
        if (layout.Data_Offset > bytes.size())
            return false;
        return Read_Directory_Header(bytes.substr(directory_offset, directory_length));
    }

    bool Read_Directory_Header(std::string_view directory)
    {
        if (directory.substr(0, 4) != "ITSP" || U32(directory, 4) != 1 || U32(directory, 8) != Itsp_Length)
            return false;
        chunk_length = U32(directory, 0x10);
        index_root = static_cast<std::int32_t>(U32(directory, 0x1C));
        listing_head = U32(directory, 0x20);
        chunk_count = U32(directory, 0x2C);
        if (chunk_length < Min_Chunk || chunk_length > Max_Chunk || chunk_count == 0 || chunk_count > Max_Chunks ||
            listing_head >= chunk_count || (index_root != -1 && (index_root < 0 || std::uint32_t(index_root) >= chunk_count)))
            return false;
        chunks = directory.substr(Itsp_Length);
        return std::uint64_t{chunk_count} * chunk_length <= chunks.size();
    }

    std::string_view Chunk(std::uint32_t number) const
    {
        return chunks.substr(std::size_t{number} * chunk_length, chunk_length);
    }

    // The part of a chunk before its free space and quick-reference area.
    std::optional<std::string_view> Used_Part(std::string_view chunk, std::uint64_t header) const
    {
        const std::uint64_t free_space = U32(chunk, 4);
        if (free_space > chunk_length - header)
            return std::nullopt;
        return chunk.substr(header, chunk_length - header - free_space);
    }

    // Every listing chunk from the first by their next links, each once.
    bool Read_Listing_Chain()
    {
        std::set<std::uint32_t> seen;
        for (std::uint32_t number = listing_head;;) {
            if (!seen.insert(number).second || !Read_Listing(number))
                return false;
            const auto next = static_cast<std::int32_t>(U32(Chunk(number), 0x10));
            if (next == -1)
                return true;
            if (next < 0 || std::uint32_t(next) >= chunk_count)
                return false;
            number = std::uint32_t(next);
        }
    }

    bool Read_Listing(std::uint32_t number)
    {
        if (!read_listings.insert(number).second)
            return true;
        const std::string_view chunk = Chunk(number);
        if (chunk.substr(0, 4) != "PMGL")
            return false;
        const auto used = Used_Part(chunk, Listing_Header);
        if (!used)
            return false;
        Entry_Cursor cursor(*used);
        while (!cursor.At_End()) {
            Chm_Entry entry;
            std::uint64_t section = 0;
            if (layout.Entries.size() >= Max_Entries || !cursor.Name(entry.Name) || !cursor.Number(section) ||
                !cursor.Number(entry.Start) || !cursor.Number(entry.Length) || section > 1)
                return false;
            entry.Section = static_cast<std::uint32_t>(section);
            layout.Entries.push_back(std::move(entry));
        }
        return true;
    }

    // The index chunks level by level from the root: each names chunks of
    // the next level, and the tree ends in listing chunks within a bounded
    // depth, so that no lookup can go round in a circle.
    bool Read_Index_Tree()
    {
        if (index_root == -1)
            return true;
        std::set<std::uint32_t> level{std::uint32_t(index_root)};
        for (int depth = 0; depth < Max_Index_Depth && !level.empty(); ++depth) {
            std::set<std::uint32_t> next;
            for (std::uint32_t number : level)
                if (!Read_Index_Or_Listing(number, next))
                    return false;
            level = std::move(next);
        }
        return level.empty();
    }

    bool Read_Index_Or_Listing(std::uint32_t number, std::set<std::uint32_t>& children)
    {
        const std::string_view chunk = Chunk(number);
        if (chunk.substr(0, 4) == "PMGL")
            return Read_Listing(number);
        if (chunk.substr(0, 4) != "PMGI")
            return false;
        const auto used = Used_Part(chunk, Index_Header);
        if (!used)
            return false;
        Entry_Cursor cursor(*used);
        while (!cursor.At_End()) {
            std::string name;
            std::uint64_t child = 0;
            if (!cursor.Name(name) || !cursor.Number(child) || child >= chunk_count)
                return false;
            children.insert(static_cast<std::uint32_t>(child));
        }
        return true;
    }

    // chmlib finds names without regard to case: each must be unique so.
    bool Check_Names() const
    {
        std::vector<std::string> names;
        names.reserve(layout.Entries.size());
        for (const Chm_Entry& entry : layout.Entries)
            names.push_back(Lower(entry.Name));
        std::sort(names.begin(), names.end());
        return std::adjacent_find(names.begin(), names.end()) == names.end();
    }

    std::string_view Stored(const Chm_Entry& entry) const
    {
        return bytes.substr(static_cast<std::size_t>(layout.Data_Offset + entry.Start),
                            static_cast<std::size_t>(entry.Length));
    }

    bool Is_Stored(const Chm_Entry* entry) const
    {
        return entry && entry->Section == 0 && Fits(entry->Start, entry->Length, bytes.size() - layout.Data_Offset);
    }

    bool Check_Compression()
    {
        const Chm_Entry* content = layout.Find(Content_Name);
        const Chm_Entry* control = layout.Find(Control_Name);
        const Chm_Entry* reset_table = layout.Find(Reset_Table_Name);
        if (!content && !control && !reset_table)
            return true;
        if (!Is_Stored(content) || !Is_Stored(control) || !Is_Stored(reset_table))
            return false;
        return Check_Control_Data(Stored(*control)) && Check_Reset_Table(Stored(*reset_table), content->Length);
    }

    // "LZXC", its version, the reset interval, the window size and the
    // windows per reset: chmlib divides by the window and by the frames per
    // reset it works out from them.
    bool Check_Control_Data(std::string_view control)
    {
        if (control.size() < Control_Data_Length || control.size() > Max_Control_Data || control.substr(4, 4) != "LZXC")
            return false;
        const std::uint32_t version = U32(control, 8);
        if (version != 1 && version != 2)
            return false;
        const std::uint64_t unit = version == 2 ? Frame : 1;
        const std::uint64_t reset_interval = std::uint64_t{U32(control, 12)} * unit;
        const std::uint64_t window = std::uint64_t{U32(control, 16)} * unit;
        const std::uint64_t windows_per_reset = U32(control, 20);
        const bool power_of_two = window != 0 && (window & (window - 1)) == 0;
        if (!power_of_two || window < (1u << 15) || window > (1u << 21) || reset_interval == 0 ||
            reset_interval > Max_Expanded || reset_interval % (window / 2) != 0 || windows_per_reset == 0)
            return false;
        return reset_interval / (window / 2) * windows_per_reset <= 0xFFFF;
    }

    // A header, then one 64-bit offset into the compressed data per frame:
    // each frame must lie inside the compressed data and be no longer than
    // chmlib's buffer for it.
    bool Check_Reset_Table(std::string_view table, std::uint64_t content_length)
    {
        if (table.size() < Reset_Table_Header || U32(table, 0) != 2)
            return false;
        const std::uint64_t count = U32(table, 4);
        const std::uint64_t table_offset = U32(table, 12);
        const std::uint64_t expanded = U64(table, 16);
        const std::uint64_t compressed = U64(table, 24);
        const std::uint64_t frames = (expanded + Frame - 1) / Frame;
        if (U64(table, 32) != Frame || expanded > Max_Expanded || compressed > content_length ||
            count < frames || count > frames + 1 || table_offset < Reset_Table_Header ||
            !Fits(table_offset, count * 8, table.size()))
            return false;
        std::uint64_t start = 0;
        for (std::uint64_t frame = 0; frame < count; ++frame) {
            const std::uint64_t at = U64(table, static_cast<std::size_t>(table_offset + frame * 8));
            const std::uint64_t end = frame + 1 < count ? U64(table, static_cast<std::size_t>(table_offset + frame * 8 + 8))
                                                        : compressed;
            if ((frame == 0 && at != 0) || at < start || end < at || end > compressed || end - at > Frame + Frame_Slack)
                return false;
            start = at;
        }
        layout.Expanded_Length = expanded;
        return true;
    }

    bool Check_Entries() const
    {
        const std::uint64_t stored_length = bytes.size() - layout.Data_Offset;
        return std::all_of(layout.Entries.begin(), layout.Entries.end(), [&](const Chm_Entry& entry) {
            return Fits(entry.Start, entry.Length, entry.Section == 0 ? stored_length : layout.Expanded_Length);
        });
    }

    std::string_view bytes;
    Chm_Layout layout;
    std::string_view chunks;
    std::uint64_t chunk_length = 0;
    std::uint32_t chunk_count = 0;
    std::uint32_t listing_head = 0;
    std::int32_t index_root = -1;
    std::set<std::uint32_t> read_listings;
};

} // namespace

const Chm_Entry* Chm_Layout::Find(std::string_view Name) const
{
    const auto found = std::find_if(Entries.begin(), Entries.end(),
                                    [&](const Chm_Entry& entry) { return Equal_Ignoring_Case(entry.Name, Name); });
    return found == Entries.end() ? nullptr : &*found;
}

std::optional<Chm_Layout> Check_Chm_Layout(std::string_view Bytes)
{
    return Layout_Check(Bytes).Run();
}
