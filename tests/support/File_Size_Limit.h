#pragma once
// Files of this process may grow to `limit` bytes only while the object
// lives: a write beyond it fails with EFBIG instead of raising SIGXFSZ. This
// fails a write even for root, whom folder permissions do not stop.

#include <sys/resource.h>

class File_Size_Limit {
public:
    explicit File_Size_Limit(rlim_t limit);
    ~File_Size_Limit();
    File_Size_Limit(const File_Size_Limit&) = delete;
    File_Size_Limit& operator=(const File_Size_Limit&) = delete;

private:
    rlimit saved_limit{};
    void (*saved_handler)(int) = nullptr;
};
