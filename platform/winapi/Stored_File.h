#pragma once
// Reading a file the program stored (settings and the like) so that nothing
// in its place can block or flood the program: the file is opened without
// blocking and without following a link, and must then be a regular file of
// sane size. A FIFO, a device, a folder, a link or a file over the limit
// counts as damaged. A file the user names (a sound, say) may be reached
// through a link: Links::Follow.
//
// Files the program appends to (logs) follow the same rules: opened without
// following a link or blocking, and only a regular file of the user's own is
// written, since another user may have placed a name in the folder first.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Stored files are small; anything over a mebibyte is not one of ours.
constexpr std::size_t Stored_File_Limit = 1 << 20;

enum class Stored_Read {
    Read,    // the whole file is in the text
    Missing, // there is no file of that name
    Damaged, // something is there, but not a file of ours, or unreadable;
             // of a regular file over the limit (EFBIG), the text holds its
             // head: the first `limit` bytes, so that what reads there is kept
    Busy,    // a failure of the moment (no descriptors or memory left)
};

enum class Links { Refuse, Follow };

struct Stored_Read_Result {
    Stored_Read State;
    int Error; // the errno behind a failure (as Open_Stored_File sets it), 0 when read
};

Stored_Read_Result Read_Stored_File(const std::filesystem::path& path, std::string& text,
                                    std::size_t limit = Stored_File_Limit, Links links = Links::Refuse);

// Opens a stored file for reading as above; the descriptor (close-on-exec,
// set back to blocking) or -1 with errno set: EINVAL for a file that is not
// regular, EFBIG for one over the limit, ELOOP for a link.
int Open_Stored_File(const std::filesystem::path& path, std::size_t limit = Stored_File_Limit,
                     Links links = Links::Refuse);

// Appends the text to a regular file of the user's own. A missing file is
// created with create_mode (less the umask) when one is given, else the call
// fails. True only when the whole text was written and the file closed.
bool Append_To_Own_File(const std::filesystem::path& path, std::string_view text,
                        std::optional<std::filesystem::perms> create_mode = std::nullopt);

// Gives the user read and write permission on a regular file of their own,
// through its descriptor, so that a link put in its place changes nothing.
// False when there is no such file or its mode cannot be changed.
bool Make_Own_File_Writable(const std::filesystem::path& path);

// Whether the user (by effective identity) may create names in the folder,
// as the system's permission rules answer it. Nothing is tried: a probe file
// of a fixed name in a shared folder could be another user's link.
bool Is_Folder_Writable(const std::filesystem::path& folder);
