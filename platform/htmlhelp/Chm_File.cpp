#include "platform/htmlhelp/Chm_File.h"

#include <chm_lib.h>

#include <algorithm>
#include <cctype>
#include <regex>

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

// A zero-terminated string inside a block, or up to its end.
std::string String_At(const std::string& block, std::size_t offset)
{
    if (offset >= block.size())
        return {};
    const std::size_t end = block.find('\0', offset);
    return block.substr(offset, end == std::string::npos ? std::string::npos : end - offset);
}

// Archive entries that are topics, pictures or other content, not the
// archive's own bookkeeping.
bool Is_Content(const std::string& name)
{
    return name.size() > 1 && name.front() == '/' && name[1] != '#' && name[1] != '$' && name.back() != '/';
}

int Collect_Name(chmFile*, chmUnitInfo* unit, void* context)
{
    static_cast<std::vector<std::string>*>(context)->emplace_back(unit->path);
    return CHM_ENUMERATOR_CONTINUE;
}

} // namespace

Chm_File::Chm_File(const std::string& file_path) : path(file_path)
{
    file = chm_open(file_path.c_str());
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
    if (!file)
        return false;
    chmUnitInfo unit{};
    return chm_resolve_object(file, Rooted(name).c_str(), &unit) == CHM_RESOLVE_SUCCESS;
}

std::optional<std::string> Chm_File::Read(const std::string& name) const
{
    if (!file)
        return std::nullopt;
    chmUnitInfo unit{};
    if (chm_resolve_object(file, Rooted(name).c_str(), &unit) != CHM_RESOLVE_SUCCESS)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(unit.length), '\0');
    if (unit.length == 0)
        return bytes;
    const LONGINT64 read = chm_retrieve_object(file, &unit, reinterpret_cast<unsigned char*>(bytes.data()), 0,
                                               static_cast<LONGINT64>(unit.length));
    if (read != static_cast<LONGINT64>(unit.length))
        return std::nullopt;
    return bytes;
}

std::string Chm_File::Topic_Of_Context(std::uint32_t context) const
{
    const auto found = contexts.find(context);
    return found == contexts.end() ? std::string() : found->second;
}

std::string Chm_File::Entry_For(const std::string& written_path) const
{
    const std::string wanted = Lower(Rooted(written_path));
    std::string best;
    for (const std::string& name : names) {
        const std::string entry = Lower(name);
        if (entry.size() <= wanted.size() && entry.size() > best.size() &&
            wanted.compare(wanted.size() - entry.size(), entry.size(), entry) == 0)
            best = name;
    }
    return best;
}

void Chm_File::Read_Names()
{
    std::vector<std::string> all;
    chm_enumerate(file, CHM_ENUMERATE_ALL, Collect_Name, &all);
    std::copy_if(all.begin(), all.end(), std::back_inserter(names), Is_Content);
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
    const std::size_t end = std::min<std::size_t>(map.size(), 4 + std::size_t{Little_Endian_32(map, 0)});
    for (std::size_t offset = 4; offset + 8 <= end; offset += 8) {
        const std::string topic = Entry_For(String_At(strings, Little_Endian_32(map, offset + 4)));
        if (!topic.empty())
            contexts[Little_Endian_32(map, offset)] = topic;
    }
}

std::vector<Sitemap_Entry> Parse_Sitemap(const std::string& text)
{
    static const std::regex tag(R"(<\s*(/?)\s*(ul|object|param)\b([^>]*)>)", std::regex::icase);
    static const std::regex attribute(R"re((name|value)\s*=\s*"([^"]*)")re", std::regex::icase);
    std::vector<Sitemap_Entry> entries;
    int depth = -1;
    std::optional<Sitemap_Entry> object;
    for (auto match = std::sregex_iterator(text.begin(), text.end(), tag); match != std::sregex_iterator();
         ++match) {
        const bool closing = !(*match)[1].str().empty();
        const std::string element = Lower((*match)[2].str());
        if (element == "ul") {
            depth += closing ? -1 : 1;
        } else if (element == "object") {
            if (!closing)
                object = Sitemap_Entry{{}, {}, std::max(depth, 0)};
            else if (object && !object->Name.empty())
                entries.push_back(*object);
            if (closing)
                object.reset();
        } else if (object) {
            std::string name, value;
            const std::string attributes = (*match)[3].str();
            for (auto part = std::sregex_iterator(attributes.begin(), attributes.end(), attribute);
                 part != std::sregex_iterator(); ++part)
                (Lower((*part)[1].str()) == "name" ? name : value) = (*part)[2].str();
            if (Lower(name) == "name")
                object->Name = value;
            else if (Lower(name) == "local")
                object->Local = value;
        }
    }
    return entries;
}
