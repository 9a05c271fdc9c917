#pragma once
// Reading a file the program stored (settings and the like) so that nothing
// in its place can block or flood the program: the file is opened without
// blocking and without following a link, and must then be a regular file of
// sane size. A FIFO, a device, a folder, a link or a file over the limit
// counts as damaged. A file the user names (a sound, say) may be reached
// through a link: Links::Follow.

#include <cstddef>
#include <filesystem>
#include <string>

// Stored files are small; anything over a mebibyte is not one of ours.
constexpr std::size_t Stored_File_Limit = 1 << 20;

enum class Stored_Read {
    Read,    // the whole file is in the text
    Missing, // there is no file of that name
    Damaged, // something is there, but not a file of ours, or unreadable
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
