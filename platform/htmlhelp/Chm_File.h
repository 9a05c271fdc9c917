#pragma once
// A compiled HTML Help file (.chm) read with chmlib: its entries, its title
// and default topic, its contents file, and its context map.
//
// The context map is the file's own: /#IVB holds (context id, offset into
// /#STRINGS) pairs, and the string at that offset names the topic. The help
// compiler writes that name as the topic's path on the machine that built
// the file, so a name is matched to the archive entry it ends with (the
// longest such entry, without regard to case), which does not depend on the
// folder the file was built in.
//
// A damaged, truncated or hostile file is simply not open: its structure is
// checked (Chm_Layout) before chmlib sees it, chmlib then reads a private
// copy of the checked bytes, and every length read from the file is
// bounded.

#include "platform/htmlhelp/Chm_Layout.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct chmFile;

class Chm_File {
public:
    // Opens the file; Is_Open is false for a missing, unreadable or
    // damaged one, or one that is not a regular file of sane size.
    explicit Chm_File(const std::string& path);
    // The same for the bytes of a file.
    static std::unique_ptr<Chm_File> From_Bytes(std::string bytes);
    // Why a help file cannot be shown at all: nothing when it opens; else
    // the errno that opening or reading it failed with (EISDIR for a
    // folder), or 0 when it reads but is damaged.
    static std::optional<int> Fault(const std::string& path);
    ~Chm_File();
    Chm_File(const Chm_File&) = delete;
    Chm_File& operator=(const Chm_File&) = delete;

    bool Is_Open() const { return file != nullptr; }
    const std::string& Path() const { return path; }

    // Entry names start with '/' ("/wcu.htm"); a name without it is taken
    // from the root.
    bool Contains(const std::string& name) const;
    // The topics, pictures and other content entries.
    std::vector<std::string> Content_Names() const;
    std::optional<std::string> Read(const std::string& name) const;

    // The entry of the topic mapped to a context id; empty when unmapped.
    std::string Topic_Of_Context(std::uint32_t context) const;
    // The archive entry a path written into the file stands for; empty
    // when none matches.
    std::string Entry_For(const std::string& written_path) const;

    // From /#SYSTEM; empty when the file does not say.
    const std::string& Title() const { return title; }
    const std::string& Default_Topic() const { return default_topic; }
    const std::string& Contents_File() const { return contents_file; }

private:
    Chm_File(std::string file_path, std::optional<std::string> file_bytes);
    void Open(std::optional<std::string> file_bytes);
    void Read_Names();
    void Read_System();
    void Read_Context_Map();

    std::string path;
    std::string bytes;
    Chm_Layout layout;
    chmFile* file = nullptr;
    // Content entries by their lower-case names.
    std::map<std::string, std::string> names;
    std::map<std::uint32_t, std::string> contexts;
    std::string title;
    std::string default_topic;
    std::string contents_file;
};

// One line of a contents file: its text, its topic (as written) and its
// depth in the tree (0 for the top level).
struct Sitemap_Entry {
    std::string Name;
    std::string Local;
    int Depth = 0;
};

// The entries of a contents (.hhc) file in document order.
std::vector<Sitemap_Entry> Parse_Sitemap(const std::string& text);
