// Damaged, truncated and hostile help files: each is made here from the HD
// help file the build compiled, changed at a named place, and must read as
// a file that is not open (the program's "help not available"), never as a
// crash, a hang or a huge allocation.
#include "platform/htmlhelp/Chm_File.h"
#include "platform/htmlhelp/HtmlHelp.h"

#include "platform/htmlhelp/Help_Window.h"
#include "tests/platform/htmlhelp/Help_Files.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <sys/stat.h>

#include <fstream>
#include <functional>
#include <iterator>

namespace {

constexpr const char* Control_Data = "::DataSpace/Storage/MSCompressed/ControlData";
constexpr const char* Content_Name = "::DataSpace/Storage/MSCompressed/Content";
constexpr const char* Reset_Table = "::DataSpace/Storage/MSCompressed/Transform/"
                                    "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable";

std::string Read_Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint64_t Get(const std::string& bytes, std::size_t at, int size)
{
    std::uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

void Put(std::string& bytes, std::size_t at, std::uint64_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void Put_Encoded(std::string& out, std::uint64_t value)
{
    std::string reversed(1, static_cast<char>(value & 0x7F));
    while (value >>= 7)
        reversed += static_cast<char>(0x80 | (value & 0x7F));
    out.append(reversed.rbegin(), reversed.rend());
}

// The HD help file and the places in it that the cases change.
struct Help_Image {
    std::string bytes = Read_Bytes(HD_Help_File());
    Chm_Layout layout = Check_Chm_Layout(bytes).value();
    std::size_t directory = static_cast<std::size_t>(Get(bytes, 0x48, 8));
    std::size_t first_chunk = directory + 0x54;
    std::size_t chunk_length = static_cast<std::size_t>(Get(bytes, directory + 0x10, 4));

    std::size_t Object(const char* name) const
    {
        return static_cast<std::size_t>(layout.Data_Offset + layout.Find(name)->Start);
    }

    // The one listing chunk written again from entries.
    void Rewrite_Listing(const std::vector<Chm_Entry>& entries)
    {
        std::string used;
        for (const Chm_Entry& entry : entries) {
            Put_Encoded(used, entry.Name.size());
            used += entry.Name;
            Put_Encoded(used, entry.Section);
            Put_Encoded(used, entry.Start);
            Put_Encoded(used, entry.Length);
        }
        ASSERT_LE(used.size() + 0x14, chunk_length);
        bytes.replace(first_chunk + 0x14, used.size(), used);
        std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(first_chunk + 0x14 + used.size()),
                    chunk_length - 0x14 - used.size(), '\0');
        Put(bytes, first_chunk + 4, chunk_length - 0x14 - used.size(), 4);
    }

    void Change_Entry(const char* name, const std::function<void(Chm_Entry&)>& change)
    {
        std::vector<Chm_Entry> entries = layout.Entries;
        for (Chm_Entry& entry : entries)
            if (entry.Name == name)
                change(entry);
        Rewrite_Listing(entries);
    }

    // An index chunk with one entry: every name from the first on lies in
    // the child chunk.
    std::string Index_Chunk(std::uint64_t child, const char* signature = "PMGI") const
    {
        std::string used;
        const std::string name = "/";
        Put_Encoded(used, name.size());
        used += name;
        Put_Encoded(used, child);
        std::string chunk = signature + std::string(4, '\0') + used;
        chunk.resize(chunk_length, '\0');
        Put(chunk, 4, chunk_length - 8 - used.size(), 4);
        return chunk;
    }

    // A listing chunk of no entries, the last of its chain.
    std::string Empty_Listing_Chunk() const
    {
        std::string chunk = "PMGL" + std::string(chunk_length - 4, '\0');
        Put(chunk, 4, chunk_length - 0x14, 4);
        Put(chunk, 0x0C, 0xFFFFFFFF, 4);
        Put(chunk, 0x10, 0xFFFFFFFF, 4);
        return chunk;
    }

    std::uint32_t Chunk_Count() const { return static_cast<std::uint32_t>(Get(bytes, directory + 0x2C, 4)); }

    // Puts chunks after the last one, moving the data sections behind them
    // (the image is a version 3 file, which names where its data begins).
    void Add_Chunks(const std::vector<std::string>& chunks)
    {
        ASSERT_EQ(Get(bytes, 4, 4), 3u);
        std::string added;
        for (const std::string& chunk : chunks)
            added += chunk;
        const std::size_t end = directory + static_cast<std::size_t>(Get(bytes, 0x50, 8));
        bytes.insert(end, added);
        Put(bytes, 0x50, Get(bytes, 0x50, 8) + added.size(), 8);
        Put(bytes, 0x58, Get(bytes, 0x58, 8) + added.size(), 8);
        Put(bytes, directory + 0x2C, Chunk_Count() + chunks.size(), 4);
    }

    // levels index chunks, each naming the next, the last the listing
    // chunk; the first is the root.
    void Add_Index_Chain(int levels)
    {
        const std::uint32_t root = Chunk_Count();
        std::vector<std::string> chain;
        for (int level = 0; level < levels; ++level)
            chain.push_back(Index_Chunk(level + 1 < levels ? root + static_cast<std::uint32_t>(level) + 1 : 0));
        Add_Chunks(chain);
        Put(bytes, directory + 0x18, static_cast<std::uint64_t>(levels) + 1, 4);
        Put(bytes, directory + 0x1C, root, 4);
    }

    void Add_Index_Root(const std::string& chunk)
    {
        const std::uint32_t root = Chunk_Count();
        Add_Chunks({chunk});
        Put(bytes, directory + 0x18, 2, 4);
        Put(bytes, directory + 0x1C, root, 4);
    }

    // From the reset table's last entry to the end of the compressed data.
    std::size_t Last_Frame_Length() const
    {
        const std::size_t table = Object(Reset_Table);
        const std::size_t last = table + static_cast<std::size_t>(Get(bytes, table + 12, 4)) +
                                 8 * (static_cast<std::size_t>(Get(bytes, table + 4, 4)) - 1);
        return static_cast<std::size_t>(Get(bytes, table + 24, 8) - Get(bytes, last, 8));
    }

    // The compressed data grown by length bytes at its end (it is the last
    // object of the file), all of them part of the last frame.
    void Grow_Last_Frame(std::size_t length)
    {
        const std::size_t table = Object(Reset_Table);
        Put(bytes, table + 24, Get(bytes, table + 24, 8) + length, 8);
        bytes.append(length, '\0');
        Change_Entry(Content_Name, [&](Chm_Entry& e) { e.Length += length; });
    }
};

// The longest frame the reader takes: its 32 KB and the room it keeps for a
// frame that grew.
constexpr std::size_t Longest_Frame = 0x8000 + 6144;

struct Damage {
    const char* what;
    std::function<void(Help_Image&)> make;
};

const std::vector<Damage>& Damages()
{
    static const std::vector<Damage> damages = {
        {"directory chunk size zero", [](Help_Image& h) { Put(h.bytes, h.directory + 0x10, 0, 4); }},
        {"directory chunk size huge", [](Help_Image& h) { Put(h.bytes, h.directory + 0x10, 0x40000000, 4); }},
        {"directory chunk count huge", [](Help_Image& h) { Put(h.bytes, h.directory + 0x2C, 0xFFFFFFFF, 4); }},
        {"directory past the end of the file", [](Help_Image& h) { Put(h.bytes, 0x50, 0xFFFFFFFFFFFF0000, 8); }},
        {"stored section past the end of the file", [](Help_Image& h) { Put(h.bytes, 0x58, 1u << 30, 8); }},
        {"index root outside the directory", [](Help_Image& h) { Put(h.bytes, h.directory + 0x1C, 7, 4); }},
        {"first listing chunk outside the directory", [](Help_Image& h) { Put(h.bytes, h.directory + 0x20, 3, 4); }},
        {"listing chunk whose next is itself", [](Help_Image& h) { Put(h.bytes, h.first_chunk + 0x10, 0, 4); }},
        {"free space larger than the chunk", [](Help_Image& h) { Put(h.bytes, h.first_chunk + 4, 0xFFFFFF, 4); }},
        {"last entry cut by the free space", [](Help_Image& h) {
             Put(h.bytes, h.first_chunk + 4, Get(h.bytes, h.first_chunk + 4, 4) + 3, 4);
         }},
        {"window size zero", [](Help_Image& h) { Put(h.bytes, h.Object(Control_Data) + 16, 0, 4); }},
        {"window size not a power of two", [](Help_Image& h) { Put(h.bytes, h.Object(Control_Data) + 16, 3, 4); }},
        {"reset interval zero", [](Help_Image& h) { Put(h.bytes, h.Object(Control_Data) + 12, 0, 4); }},
        {"windows per reset zero", [](Help_Image& h) { Put(h.bytes, h.Object(Control_Data) + 20, 0, 4); }},
        {"compression signature lost", [](Help_Image& h) { h.bytes[h.Object(Control_Data) + 4] = 'X'; }},
        {"reset table frame length zero", [](Help_Image& h) { Put(h.bytes, h.Object(Reset_Table) + 32, 0, 8); }},
        {"reset table frame count huge", [](Help_Image& h) { Put(h.bytes, h.Object(Reset_Table) + 4, 0xFFFFFFF, 4); }},
        {"reset table entries past the table", [](Help_Image& h) {
             Put(h.bytes, h.Object(Reset_Table) + 12, 0x7FFFFFFF, 4);
         }},
        {"expanded length huge", [](Help_Image& h) { Put(h.bytes, h.Object(Reset_Table) + 16, 1ull << 40, 8); }},
        {"compressed length past its object", [](Help_Image& h) { Put(h.bytes, h.Object(Reset_Table) + 24, 1u << 20, 8); }},
        {"reset table frame past the compressed data", [](Help_Image& h) {
             Put(h.bytes, h.Object(Reset_Table) + 0x28 + 8, 1u << 20, 8);
         }},
        {"frame longer than the reader's buffer", [](Help_Image& h) {
             h.Grow_Last_Frame(Longest_Frame + 1 - h.Last_Frame_Length());
         }},
        {"index child number out of range", [](Help_Image& h) {
             // The child is a sound chunk in the directory's bytes, but past
             // the chunks the directory counts.
             const std::uint32_t count = h.Chunk_Count();
             h.Add_Index_Root(h.Index_Chunk(count + 1));
             h.Add_Chunks({h.Empty_Listing_Chunk()});
             Put(h.bytes, h.directory + 0x2C, count + 1, 4);
         }},
        {"index chunk without its signature", [](Help_Image& h) { h.Add_Index_Root(h.Index_Chunk(0, "PMGX")); }},
        {"index tree too deep", [](Help_Image& h) { h.Add_Index_Chain(8); }},
        {"compressed object longer than its section", [](Help_Image& h) {
             h.Change_Entry("/#SYSTEM", [&](Chm_Entry& e) { e.Length = h.layout.Expanded_Length + 1; });
         }},
        {"compressed object length huge", [](Help_Image& h) {
             h.Change_Entry("/#STRINGS", [](Chm_Entry& e) { e.Length = 0x7FFFFFFFFFFF; });
         }},
        {"stored object past the end of the file", [](Help_Image& h) {
             h.Change_Entry(Control_Data, [](Chm_Entry& e) { e.Start = 0xFFFFFFFFFFFFFFF0; });
         }},
        {"object in a section that does not exist", [](Help_Image& h) {
             h.Change_Entry("/wca.htm", [](Chm_Entry& e) { e.Section = 5; });
         }},
        {"two entries of one name", [](Help_Image& h) {
             h.Change_Entry("/wca.htm", [](Chm_Entry& e) { e.Name = "/WCU.htm"; });
         }},
    };
    return damages;
}

std::string Write_Temporary(const QTemporaryDir& folder, const std::string& name, const std::string& bytes)
{
    const std::string path = folder.path().toStdString() + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

} // namespace

TEST(Chm_Damage, TheUndamagedImageOpens)
{
    // The cases change a file that reads; each changes what it names.
    Help_Image image;
    image.Rewrite_Listing(image.layout.Entries);
    const auto file = Chm_File::From_Bytes(image.bytes);
    ASSERT_TRUE(file->Is_Open());
    EXPECT_EQ(file->Topic_Of_Context(1005), "/wca.htm");
    EXPECT_TRUE(file->Read("/wca.htm").has_value());
}

TEST(Chm_Damage, AnIndexTreeOfSoundDepthAndALongFrameThatFitsOpen)
{
    // The damaged trees and frames below differ from these in one number.
    const std::vector<Damage> sound = {
        {"one index level", [](Help_Image& h) { h.Add_Index_Chain(1); }},
        {"seven index levels", [](Help_Image& h) { h.Add_Index_Chain(7); }},
        {"frame as long as the reader's buffer", [](Help_Image& h) {
             h.Grow_Last_Frame(Longest_Frame - h.Last_Frame_Length());
         }},
    };
    for (const Damage& image_case : sound) {
        Help_Image image;
        image_case.make(image);
        const auto file = Chm_File::From_Bytes(image.bytes);
        ASSERT_TRUE(file->Is_Open()) << image_case.what;
        EXPECT_EQ(file->Topic_Of_Context(1005), "/wca.htm") << image_case.what;
        EXPECT_TRUE(file->Read("/wca.htm").has_value()) << image_case.what;
    }
}

TEST(Chm_Damage, EveryDamagedFileIsNotOpen)
{
    for (const Damage& damage : Damages()) {
        Help_Image image;
        damage.make(image);
        EXPECT_FALSE(Chm_File::From_Bytes(image.bytes)->Is_Open()) << damage.what;
    }
}

TEST(Chm_Damage, HelpOnADamagedFileShowsNothing)
{
    QTemporaryDir folder;
    for (const Damage& damage : Damages()) {
        Help_Image image;
        damage.make(image);
        const std::string path = Write_Temporary(folder, "damaged.chm", image.bytes);
        EXPECT_EQ(hhctrl::HtmlHelpA(nullptr, path.c_str(), HH_HELP_CONTEXT, 1000), nullptr) << damage.what;
        EXPECT_EQ(hhctrl::HtmlHelpA(nullptr, path.c_str(), HH_DISPLAY_TOPIC, 0), nullptr) << damage.what;
    }
    EXPECT_EQ(Help_Window::Handle(), nullptr);
}

TEST(Chm_Damage, TruncatedFilesNeverReadPastTheirEnd)
{
    const std::string whole = Read_Bytes(HD_Help_File());
    for (std::size_t part = 0; part < 32; ++part) {
        const auto file = Chm_File::From_Bytes(whole.substr(0, whole.size() * part / 32));
        EXPECT_FALSE(file->Is_Open()) << part;
    }
}

TEST(Chm_Damage, SomethingOtherThanARegularFileIsNotRead)
{
    // A fifo in the help file's place would block a plain open for ever.
    QTemporaryDir folder;
    const std::string fifo = folder.path().toStdString() + "/fifo.chm";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(Chm_File(fifo).Is_Open());
    EXPECT_FALSE(Chm_File(folder.path().toStdString()).Is_Open());
}

TEST(Chm_Damage, ALongTagInTheContentsIsReadWithoutDeepRecursion)
{
    const std::string name(30000, 'n');
    const std::string text = "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" + name +
                             "\"><param name=\"Local\" value=\"a.htm\"></OBJECT></UL>";
    const auto entries = Parse_Sitemap(text);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Name, name);
    EXPECT_EQ(entries[0].Local, "a.htm");
}

TEST(Chm_Damage, ContentsNestingIsBounded)
{
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += "<ul>";
    text += "<object><param name=\"Name\" value=\"Deep\"></object>";
    const auto entries = Parse_Sitemap(text);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Depth, 32);
}

TEST(Chm_Damage, UnclosedTagsCostTimeInProportionToTheText)
{
    // Every '<' without a '>' after it, then every '<' sharing one '>'.
    EXPECT_TRUE(Parse_Sitemap(std::string(1 << 20, '<')).empty());
    EXPECT_TRUE(Parse_Sitemap(std::string(1 << 20, '<') + ">").empty());
}
