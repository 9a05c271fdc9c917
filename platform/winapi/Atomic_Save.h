#pragma once
// The program's one way of writing a whole file. The data goes to a new file
// beside the target, is flushed to the disk, then renamed over the target, and
// the folder is synced so that the rename itself lasts. A failure at any step
// removes the new file and leaves the old one whole.
//
// The new file is created exclusively under a unique name, never through a
// link. It takes the mode of the file it replaces when that file is the
// user's own; otherwise (no file, or another user's file put in its place)
// it gets new_file_mode when given, else 0666 less the umask.

#include <sys/types.h>

#include <cstddef>
#include <optional>
#include <string>

struct Save_Failure {
    enum Step { Create, Write } step; // Create: the new file could not be made
    int error;                        // the errno of the failing call
};

// Who may write the saved file. Settings and logs are Owner_Only: whatever
// mode they keep or are given, group and others never get write permission.
enum class Write_Access { As_Mode, Owner_Only };

std::optional<Save_Failure> Save_File_Atomically(const std::string& file_name, const void* data, std::size_t size,
                                                 std::optional<mode_t> new_file_mode = std::nullopt,
                                                 Write_Access access = Write_Access::As_Mode);

// The call that flushes the new file to the disk, fsync unless a test put
// another in its place to make it fail (a full or failing disk can first
// show there). Answers the call it replaces.
using Flush_Call = int (*)(int descriptor);
Flush_Call Set_Flush_Call(Flush_Call call);
