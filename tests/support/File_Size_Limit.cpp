#include "tests/support/File_Size_Limit.h"

#include <csignal>

File_Size_Limit::File_Size_Limit(rlim_t limit)
{
    getrlimit(RLIMIT_FSIZE, &saved_limit);
    saved_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lower = saved_limit;
    lower.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &lower);
}

File_Size_Limit::~File_Size_Limit()
{
    setrlimit(RLIMIT_FSIZE, &saved_limit);
    std::signal(SIGXFSZ, saved_handler);
}
