#include "platform/htmlhelp/Chm_File.h"

#include <chm_lib.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <string_view>

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Rooted(std::string name)
{
    std::replace(name.begin(), name.end(), '\\', '/');
    if (name.empty() || name.front() != '/')
        name.insert(name.begin(), '/');
    return name;
}

std::uint32_t Little_Endian_32(const std::string& bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]);
    return value;
}

std::uint16_t Little_Endian_16(const std::string& bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[offset]) |
                                      (static_cast<unsigned char>(bytes[offset + 1]) << 8));
}

// No path or title the program uses is longer.
constexpr std::size_t Max_String = 1024;
// Far more topics than a help file of the program's has.
constexpr std::size_t Max_Contexts = 4096;

// A zero-terminated string inside a block, or up to its end; at most
// Max_String bytes.
std::string String_At(const std::string& block, std::size_t offset)
{
    if (offset >= block.size())
        return {};
    const std::size_t end = std::min(block.find('\0', offset), offset + Max_String);
    return block.substr(offset, end - offset);
}

// The whole file, when it is a regular file of sane size; opened without
// blocking so that a fifo or device put in its place cannot stall us.
std::optional<std::string> Read_Regular_File(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return std::nullopt;
    struct stat status {};
    std::optional<std::string> bytes;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
        static_cast<std::uint64_t>(status.st_size) <= Chm_Max_File_Size) {
        bytes.emplace();
        char buffer[65536];
        ssize_t got = 0;
        while ((got = ::read(fd, buffer, sizeof buffer)) > 0 && bytes->size() <= Chm_Max_File_Size)
            bytes->append(buffer, static_cast<std::size_t>(got));
        if (got < 0)
            bytes.reset();
    }
    ::close(fd);
    return bytes;
}

// chmlib opens files by name: it is given an anonymous in-memory copy of
// the bytes that were checked, which nobody else can change under it.
chmFile* Open_Private_Copy(const std::string& bytes)
{
    const int fd = ::memfd_create("help", MFD_CLOEXEC);
    if (fd < 0)
        return nullptr;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (put <= 0)
            break;
        written += static_cast<std::size_t>(put);
    }
    chmFile* file = written == bytes.size() ? chm_open(("/proc/self/fd/" + std::to_string(fd)).c_str()) : nullptr;
    ::close(fd);
    return file;
}

// Archive entries that are topics, pictures or other content, not the
// archive's own bookkeeping.
bool Is_Content(const std::string& name)
{
    return name.size() > 1 && name.front() == '/' && name[1] != '#' && name[1] != '$' && name.back() != '/';
}

} // namespace

Chm_File::Chm_File(const std::string& file_path) : Chm_File(file_path, Read_Regular_File(file_path)) {}

Chm_File::Chm_File(std::string file_path, std::optional<std::string> file_bytes) : path(std::move(file_path))
{
    Open(std::move(file_bytes));
}

std::optional<int> Chm_File::Fault(const std::string& path)
{
    const int file = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (file < 0)
        return errno;
    struct stat status {};
    const int error = fstat(file, &status) != 0 ? errno : S_ISDIR(status.st_mode) ? EISDIR : 0;
    ::close(file);
    if (error != 0)
        return error;
    if (!Chm_File(path).Is_Open())
        return 0;
    return std::nullopt;
}

std::unique_ptr<Chm_File> Chm_File::From_Bytes(std::string bytes)
{
    return std::unique_ptr<Chm_File>(new Chm_File(std::string(), std::move(bytes)));
}

void Chm_File::Open(std::optional<std::string> file_bytes)
{
    if (!file_bytes)
        return;
    auto checked = Check_Chm_Layout(*file_bytes);
    if (!checked)
        return;
    bytes = std::move(*file_bytes);
    layout = std::move(*checked);
    file = Open_Private_Copy(bytes);
    if (!file)
        return;
    Read_Names();
    Read_System();
    Read_Context_Map();
}

Chm_File::~Chm_File()
{
    if (file)
        chm_close(file);
}

bool Chm_File::Contains(const std::string& name) const
{
    return file && layout.Find(Rooted(name));
}

std::vector<std::string> Chm_File::Content_Names() const
{
    std::vector<std::string> content;
    for (const auto& [lower, name] : names)
        content.push_back(name);
    return content;
}

std::optional<std::string> Chm_File::Read(const std::string& name) const
{
    const Chm_Entry* entry = file ? layout.Find(Rooted(name)) : nullptr;
    if (!entry)
        return std::nullopt;
    // The layout check bounded the entry by its section.
    if (entry->Section == CHM_UNCOMPRESSED)
        return bytes.substr(static_cast<std::size_t>(layout.Data_Offset + entry->Start),
                            static_cast<std::size_t>(entry->Length));
    std::string object(static_cast<std::size_t>(entry->Length), '\0');
    if (entry->Length == 0)
        return object;
    chmUnitInfo unit{};
    unit.start = entry->Start;
    unit.length = entry->Length;
    unit.space = CHM_COMPRESSED;
    const LONGINT64 read = chm_retrieve_object(file, &unit, reinterpret_cast<unsigned char*>(object.data()), 0,
                                               static_cast<LONGINT64>(entry->Length));
    if (read != static_cast<LONGINT64>(entry->Length))
        return std::nullopt;
    return object;
}

std::string Chm_File::Topic_Of_Context(std::uint32_t context) const
{
    const auto found = contexts.find(context);
    return found == contexts.end() ? std::string() : found->second;
}

std::string Chm_File::Entry_For(const std::string& written_path) const
{
    // Entries start with '/': the ones the path ends with are its tails
    // from each '/', the longest first.
    const std::string wanted = Lower(Rooted(written_path));
    for (std::size_t slash = wanted.find('/'); slash != std::string::npos; slash = wanted.find('/', slash + 1))
        if (const auto found = names.find(wanted.substr(slash)); found != names.end())
            return found->second;
    return {};
}

void Chm_File::Read_Names()
{
    for (const Chm_Entry& entry : layout.Entries)
        if (Is_Content(entry.Name))
            names.emplace(Lower(entry.Name), entry.Name);
}

void Chm_File::Read_System()
{
    // A 32-bit version, then records of a 16-bit code, a 16-bit length and
    // that many bytes.
    constexpr std::uint16_t contents_code = 0, default_topic_code = 2, title_code = 3;
    const std::string system = Read("/#SYSTEM").value_or(std::string());
    std::size_t offset = 4;
    while (offset + 4 <= system.size()) {
        const std::uint16_t code = Little_Endian_16(system, offset);
        const std::size_t length = Little_Endian_16(system, offset + 2);
        offset += 4;
        if (offset + length > system.size())
            break;
        const std::string value = String_At(system.substr(offset, length), 0);
        if (code == contents_code)
            contents_file = Rooted(value);
        else if (code == default_topic_code)
            default_topic = Rooted(value);
        else if (code == title_code)
            title = value;
        offset += length;
    }
}

void Chm_File::Read_Context_Map()
{
    // A 32-bit byte count, then (context id, offset into /#STRINGS) pairs.
    const std::string map = Read("/#IVB").value_or(std::string());
    const std::string strings = Read("/#STRINGS").value_or(std::string());
    if (map.size() < 4)
        return;
    const std::size_t end = std::min<std::size_t>({map.size(), 4 + std::size_t{Little_Endian_32(map, 0)},
                                                   4 + Max_Contexts * 8});
    for (std::size_t offset = 4; offset + 8 <= end; offset += 8) {
        const std::string topic = Entry_For(String_At(strings, Little_Endian_32(map, offset + 4)));
        if (!topic.empty())
            contexts[Little_Endian_32(map, offset)] = topic;
    }
}

namespace {

// Deeper contents trees are shown at this depth.
constexpr int Max_Sitemap_Depth = 32;
constexpr std::size_t Max_Sitemap_Entries = 10000;

struct Sitemap_Tag {
    bool closing = false;
    std::string element;
    std::string_view attributes;
};

bool Is_Space(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool Is_Word(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

std::size_t Skip_Spaces(std::string_view text, std::size_t at)
{
    while (at < text.size() && Is_Space(text[at]))
        ++at;
    return at;
}

std::size_t Word_End(std::string_view text, std::size_t at)
{
    while (at < text.size() && Is_Word(text[at]))
        ++at;
    return at;
}

// Reads the tags of a contents file one at a time, in a single pass: every
// search moves forward only, so any text costs time in proportion to its
// length.
class Tag_Reader {
public:
    explicit Tag_Reader(std::string_view contents) : text(contents) {}

    // The next <ul>, <object> or <param> tag, opening or closing.
    std::optional<Sitemap_Tag> Next()
    {
        while ((position = text.find('<', position)) != std::string_view::npos) {
            const std::size_t open = ++position;
            if (close < open)
                close = text.find('>', open);
            if (close == std::string_view::npos)
                return std::nullopt;
            if (auto tag = Tag_At(open)) {
                position = close + 1;
                return tag;
            }
        }
        return std::nullopt;
    }

private:
    std::optional<Sitemap_Tag> Tag_At(std::size_t at) const
    {
        Sitemap_Tag tag;
        at = Skip_Spaces(text, at);
        tag.closing = at < close && text[at] == '/';
        at = Skip_Spaces(text, at + (tag.closing ? 1 : 0));
        const std::size_t end = std::min(Word_End(text, at), close);
        tag.element = Lower(std::string(text.substr(at, end - at)));
        if (tag.element != "ul" && tag.element != "object" && tag.element != "param")
            return std::nullopt;
        tag.attributes = text.substr(end, close - end);
        return tag;
    }

    std::string_view text;
    std::size_t position = 0;
    std::size_t close = 0;
};

// The name and value attributes of a <param> tag, quoted or not.
void Read_Param(std::string_view attributes, std::string& name, std::string& value)
{
    std::size_t at = 0;
    while (at < attributes.size()) {
        if (!Is_Word(attributes[at])) {
            ++at;
            continue;
        }
        const std::size_t word_end = Word_End(attributes, at);
        const std::string word = Lower(std::string(attributes.substr(at, word_end - at)));
        at = Skip_Spaces(attributes, word_end);
        if (at >= attributes.size() || attributes[at] != '=')
            continue;
        at = Skip_Spaces(attributes, at + 1);
        std::size_t value_end = 0;
        std::size_t value_start = at;
        if (at < attributes.size() && (attributes[at] == '"' || attributes[at] == '\'')) {
            value_start = at + 1;
            value_end = std::min(attributes.find(attributes[at], value_start), attributes.size());
            at = value_end + 1;
        } else {
            value_end = at;
            while (value_end < attributes.size() && !Is_Space(attributes[value_end]))
                ++value_end;
            at = value_end;
        }
        const std::string text(attributes.substr(value_start, value_end - value_start));
        if (word == "name")
            name = text;
        else if (word == "value")
            value = text;
    }
}

} // namespace

std::vector<Sitemap_Entry> Parse_Sitemap(const std::string& text)
{
    std::vector<Sitemap_Entry> entries;
    long depth = -1;
    std::optional<Sitemap_Entry> object;
    Tag_Reader reader(text);
    while (entries.size() < Max_Sitemap_Entries) {
        const auto tag = reader.Next();
        if (!tag)
            break;
        if (tag->element == "ul") {
            depth += tag->closing ? -1 : 1;
        } else if (tag->element == "object") {
            if (!tag->closing)
                object = Sitemap_Entry{{}, {}, static_cast<int>(std::clamp<long>(depth, 0, Max_Sitemap_Depth))};
            else if (object && !object->Name.empty())
                entries.push_back(*object);
            if (tag->closing)
                object.reset();
        } else if (object) {
            std::string name, value;
            Read_Param(tag->attributes, name, value);
            if (Lower(name) == "name")
                object->Name = value;
            else if (Lower(name) == "local")
                object->Local = value;
        }
    }
    return entries;
}
