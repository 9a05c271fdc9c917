#include "tools/Pseudo_Terminal.h"

#include "platform/winapi/Settings_Folder.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <system_error>
#include <termios.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

[[noreturn]] void Throw_Errno(const char* what)
{
    throw std::system_error(errno, std::generic_category(), what);
}

fs::path Port_Link(int com_number)
{
    return Settings_Folder() / "ports" / ("COM" + std::to_string(com_number));
}

} // namespace

Pseudo_Terminal::Pseudo_Terminal()
{
    master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master < 0) {
        Throw_Errno("posix_openpt");
    }
    char name[PATH_MAX] = {};
    if (grantpt(master) != 0 || unlockpt(master) != 0 || ptsname_r(master, name, sizeof name) != 0) {
        int error = errno;
        close(master);
        throw std::system_error(error, std::generic_category(), "pseudo-terminal set-up");
    }
    device_path = name;
    device_end = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    termios raw {};
    if (device_end < 0 || tcgetattr(device_end, &raw) != 0) {
        int error = errno;
        Hang_Up();
        throw std::system_error(error, std::generic_category(), "pseudo-terminal device end");
    }
    // No echo or line editing before the program sets its own line up.
    cfmakeraw(&raw);
    tcsetattr(device_end, TCSANOW, &raw);
}

Pseudo_Terminal::~Pseudo_Terminal()
{
    if (!published.empty()) {
        std::error_code ignored;
        fs::remove(published, ignored);
    }
    Hang_Up();
}

bool Pseudo_Terminal::Publish(int com_number)
{
    fs::path folder;
    if (!published.empty() || !Ensure_Settings_Folder(folder)) {
        return false;
    }
    std::error_code error;
    fs::create_directories(folder / "ports", error);
    fs::path link = Port_Link(com_number);
    fs::create_symlink(device_path, link, error);
    if (error) {
        return false;
    }
    published = link;
    return true;
}

bool Pseudo_Terminal::Is_Port_Taken(int com_number)
{
    std::error_code error;
    return fs::exists(fs::symlink_status(Port_Link(com_number), error));
}

std::size_t Pseudo_Terminal::Queued() const
{
    // The poll first lets the kernel hand over what the program just wrote.
    pollfd far_end {master, 0, 0};
    if (master >= 0) {
        poll(&far_end, 1, 0);
    }
    int count = 0;
    return master >= 0 && ioctl(master, FIONREAD, &count) == 0 && count > 0 ? static_cast<std::size_t>(count) : 0;
}

std::size_t Pseudo_Terminal::Delivered() const
{
    int count = 0;
    return device_end >= 0 && ioctl(device_end, FIONREAD, &count) == 0 && count > 0 ? static_cast<std::size_t>(count)
                                                                                      : 0;
}

// A poll of the device end waits for the kernel's pending hand-over.
void Pseudo_Terminal::Wait_Delivered() const
{
    if (device_end >= 0) {
        pollfd device {device_end, 0, 0};
        poll(&device, 1, 0);
    }
}

std::vector<BYTE> Pseudo_Terminal::Read_Queued()
{
    std::vector<BYTE> bytes(Queued());
    ssize_t count = bytes.empty() ? 0 : read(master, bytes.data(), bytes.size());
    bytes.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
    return bytes;
}

bool Pseudo_Terminal::Write(const BYTE* bytes, std::size_t count)
{
    if (master < 0) {
        return false;
    }
    ssize_t written = count == 0 ? 0 : write(master, bytes, count);
    return written >= 0 || errno == EAGAIN;
}

void Pseudo_Terminal::Hang_Up()
{
    if (master >= 0) {
        close(master);
        master = -1;
    }
    if (device_end >= 0) {
        close(device_end);
        device_end = -1;
    }
}
