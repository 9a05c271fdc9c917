#pragma once
// The program's one way of writing a whole file. The data goes to a new file
// beside the target, is flushed to the disk, then renamed over the target, and
// the folder is synced so that the rename itself lasts. A failure at any step
// removes the new file and leaves the old one whole.
//
// The new file is created exclusively under a unique name, never through a
// link. It takes the mode of the file it replaces; a file that is new gets
// new_file_mode when given, else 0666 less the umask.

#include <sys/types.h>

#include <cstddef>
#include <optional>
#include <string>

struct Save_Failure {
    enum Step { Create, Write } step; // Create: the new file could not be made
    int error;                        // the errno of the failing call
};

std::optional<Save_Failure> Save_File_Atomically(const std::string& file_name, const void* data, std::size_t size,
                                                 std::optional<mode_t> new_file_mode = std::nullopt);
