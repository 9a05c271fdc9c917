#include "platform/winapi/Serial.h"

#include "platform/winapi/In_Process_Line.h"
#include "platform/winapi/Settings_Folder.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <poll.h>
#include <set>
#include <string>
#include <string_view>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class Serial_Device final : public Kernel_Object {
public:
    explicit Serial_Device(int descriptor) : fd(descriptor) {}
    ~Serial_Device() override
    {
        ioctl(fd, TIOCNXCL);
        close(fd);
    }

    // Readable while input is queued; a hang-up wakes the wait too.
    int Wait_Descriptor() const override { return fd; }

    const int fd;
    // The link ports/COMn the device was opened through, empty for a fixed
    // device: the port is that link for the rest of its life.
    fs::path link;
    // A pseudo-terminal hands written bytes to its far end's queue at once:
    // they count as sent, and a transmit purge must not take them back.
    bool pseudo_terminal = false;
    // Windows keeps these modes; termios has no place for them.
    DWORD dtr_control = DTR_CONTROL_ENABLE;
    DWORD rts_control = RTS_CONTROL_ENABLE;
};

struct Speed {
    DWORD baud;
    speed_t code;
};

constexpr Speed Speeds[] = {
    {110, B110},     {300, B300},     {600, B600},     {1200, B1200},   {2400, B2400},    {4800, B4800},
    {9600, B9600},   {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200},
};

constexpr tcflag_t Size_Flags[] = {CS5, CS6, CS7, CS8};

BOOL Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

DWORD Error_From_Errno(int error)
{
    switch (error) {
    case ENOENT:
    case ENXIO:
    case ENODEV:
    case ENOTDIR:
        return ERROR_FILE_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EBUSY:
    case EWOULDBLOCK:
        return ERROR_ACCESS_DENIED;
    case EIO:
    case EPIPE:
        return ERROR_DEVICE_NOT_CONNECTED;
    default:
        return ERROR_GEN_FAILURE;
    }
}

// n of "\\.\COMn" (1..255), 0 for any other name.
int Com_Number(std::string_view name)
{
    constexpr std::string_view prefix = "\\\\.\\COM";
    if (!name.starts_with(prefix)) {
        return 0;
    }
    name.remove_prefix(prefix.size());
    int number = 0;
    auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
    bool whole = error == std::errc() && end == name.data() + name.size() && name.front() != '0';
    return whole && number >= 1 && number <= 255 ? number : 0;
}

fs::path Port_Link(int com_number)
{
    return Settings_Folder() / "ports" / ("COM" + std::to_string(com_number));
}

bool Is_Linked(const fs::path& link)
{
    std::error_code error;
    return fs::exists(fs::symlink_status(link, error));
}

struct Device_Range {
    int first_com;
    const char* device_prefix;
    int first_device;
};

// Four COM numbers each, from COM1.
constexpr Device_Range Default_Devices[] = {
    {1, "/dev/ttyS", 0},
    {5, "/dev/ttyUSB", 0},
    {9, "/dev/ttyACM", 0},
    {13, "/dev/ttyS", 4},
};
constexpr int Ports_Per_Range = 4;

fs::path Default_Device(int com_number)
{
    for (const Device_Range& range : Default_Devices) {
        if (com_number >= range.first_com && com_number < range.first_com + Ports_Per_Range) {
            return range.device_prefix + std::to_string(range.first_device + com_number - range.first_com);
        }
    }
    return {};
}

// The links that ports were opened through. Such a name stays that link:
// while it is gone (an adapter unplugged) its COM number opens nothing,
// instead of falling back to the fixed device, an unrelated port.
class Linked_Ports {
public:
    void Add(const fs::path& link)
    {
        std::lock_guard lock(mutex);
        links.insert(link);
    }
    bool Contains(const fs::path& link)
    {
        std::lock_guard lock(mutex);
        return links.count(link) != 0;
    }

private:
    std::mutex mutex;
    std::set<fs::path> links;
};

Linked_Ports& Ever_Linked()
{
    static Linked_Ports linked;
    return linked;
}

// The link itself is opened, so that a chain of links is followed whole.
// Empty for a link that vanished, and while the settings folder is not the
// user's own: its links are not the user's, and which device the user
// meant is unknown, so neither they nor the fixed device are opened.
fs::path Opened_Path(int com_number)
{
    if (!Is_Own_Settings_Folder())
        return {};
    fs::path link = Port_Link(com_number);
    if (Is_Linked(link)) {
        return link;
    }
    return Ever_Linked().Contains(link) ? fs::path() : Default_Device(com_number);
}

int Open_Flags(DWORD access)
{
    bool reading = (access & GENERIC_READ) != 0;
    bool writing = (access & GENERIC_WRITE) != 0;
    int mode = reading && writing ? O_RDWR : writing ? O_WRONLY : O_RDONLY;
    return mode | O_NOCTTY | O_NONBLOCK | O_CLOEXEC;
}

// The lock first: setting TIOCEXCL on a device that another holder owns
// would be undone by our own close.
bool Take_Exclusive(int fd)
{
    return flock(fd, LOCK_EX | LOCK_NB) == 0 && ioctl(fd, TIOCEXCL) == 0;
}

// The device ends of Unix 98 pseudo-terminals have majors 136 to 143.
bool Is_Pseudo_Terminal(int fd)
{
    constexpr unsigned First_Pty_Major = 136;
    constexpr unsigned Pty_Majors = 8;
    struct stat status {};
    return fstat(fd, &status) == 0 && S_ISCHR(status.st_mode) && major(status.st_rdev) >= First_Pty_Major &&
           major(status.st_rdev) < First_Pty_Major + Pty_Majors;
}

// A hang-up swaps the terminal's operations for ones that fail (EIO, or a
// read of 0 bytes), so a call learns of it from its own system call; this
// check, one system call more, is for the calls that make none. When no
// input is waiting its poll also has the kernel hand over the bytes that
// reached the driver.
bool Hung_Up(int fd)
{
    pollfd line {fd, 0, 0};
    return poll(&line, 1, 0) < 0 || (line.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

// A device whose link vanished is gone, as after a hang-up, even while its
// descriptor still works.
std::shared_ptr<Serial_Device> Find_Line(HANDLE handle)
{
    auto device = Find_Handle<Serial_Device>(handle);
    if (device && !device->link.empty() && !Is_Linked(device->link)) {
        SetLastError(ERROR_DEVICE_NOT_CONNECTED);
        return nullptr;
    }
    return device;
}

std::shared_ptr<In_Process_Port> In_Process(HANDLE handle)
{
    return std::dynamic_pointer_cast<In_Process_Port>(Find_Handle_Object(handle));
}

// An in-process line that hung up fails every call, as a device does.
BOOL Port_Up(const In_Process_Port& port)
{
    return port.Line().Is_Hung_Up() ? Fail(ERROR_DEVICE_NOT_CONNECTED) : TRUE;
}

void Fill_Dcb(const In_Process_Port& port, DCB& dcb)
{
    std::memset(&dcb, 0, sizeof dcb);
    dcb.DCBlength = sizeof(DCB);
    dcb.BaudRate = port.baud_rate;
    dcb.fBinary = 1;
    dcb.fDtrControl = port.dtr_control;
    dcb.fRtsControl = port.rts_control;
    dcb.ByteSize = port.byte_size;
    dcb.Parity = port.parity;
    dcb.StopBits = port.stop_bits;
}

void Store_Dcb(const DCB& dcb, In_Process_Port& port)
{
    port.baud_rate = dcb.BaudRate;
    port.byte_size = dcb.ByteSize;
    port.parity = dcb.Parity;
    port.stop_bits = dcb.StopBits;
    port.dtr_control = dcb.fDtrControl;
    port.rts_control = dcb.fRtsControl;
}

HANDLE Open_In_Process(std::shared_ptr<In_Process_Line> line)
{
    if (!line->Open()) {
        SetLastError(line->Is_Hung_Up() ? ERROR_FILE_NOT_FOUND : ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    std::shared_ptr<In_Process_Port> port;
    try {
        port = std::make_shared<In_Process_Port>(line);
    } catch (const std::bad_alloc&) {
        line->Close();
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return INVALID_HANDLE_VALUE;
    }
    HANDLE handle = Register_Handle(std::move(port));
    return handle ? handle : INVALID_HANDLE_VALUE;
}

BOOL Line_Up(const Serial_Device& device)
{
    return Hung_Up(device.fd) ? Fail(ERROR_DEVICE_NOT_CONNECTED) : TRUE;
}

std::shared_ptr<Serial_Device> Find_Line_Up(HANDLE handle)
{
    auto device = Find_Line(handle);
    if (device && Hung_Up(device->fd)) {
        SetLastError(ERROR_DEVICE_NOT_CONNECTED);
        return nullptr;
    }
    return device;
}

// Absent modem lines (a pseudo-terminal) are not an error.
bool Set_Modem_Line(int fd, int line, bool raised)
{
    int bits = line;
    int result = ioctl(fd, raised ? TIOCMBIS : TIOCMBIC, &bits);
    return result == 0 || errno == ENOTTY || errno == EINVAL;
}

bool Valid_Line_Setup(const DCB& dcb)
{
    bool known_speed = false;
    for (const Speed& speed : Speeds) {
        known_speed = known_speed || speed.baud == dcb.BaudRate;
    }
    return known_speed && dcb.ByteSize >= 5 && dcb.ByteSize <= 8 && dcb.Parity <= EVENPARITY &&
           (dcb.StopBits == ONESTOPBIT || dcb.StopBits == TWOSTOPBITS);
}

speed_t Speed_Code(DWORD baud)
{
    for (const Speed& speed : Speeds) {
        if (speed.baud == baud) {
            return speed.code;
        }
    }
    return B0;
}

DWORD Baud_Rate(speed_t code)
{
    for (const Speed& speed : Speeds) {
        if (speed.code == code) {
            return speed.baud;
        }
    }
    return 0;
}

bool Uses_Rts_Handshake(const DCB& dcb)
{
    return dcb.fOutxCtsFlow != 0 || dcb.fRtsControl == RTS_CONTROL_HANDSHAKE;
}

termios Raw_Settings(termios settings, const DCB& dcb)
{
    cfmakeraw(&settings);
    settings.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    settings.c_cflag |= CLOCAL | CREAD | Size_Flags[dcb.ByteSize - 5];
    if (dcb.Parity != NOPARITY) {
        settings.c_cflag |= PARENB | (dcb.Parity == ODDPARITY ? PARODD : 0);
    }
    if (dcb.StopBits == TWOSTOPBITS) {
        settings.c_cflag |= CSTOPB;
    }
    if (Uses_Rts_Handshake(dcb)) {
        settings.c_cflag |= CRTSCTS;
    }
    settings.c_iflag &= ~(IXON | IXOFF | IXANY);
    settings.c_iflag |= (dcb.fOutX ? IXON : 0) | (dcb.fInX ? IXOFF : 0);
    if (dcb.XonChar != 0) {
        settings.c_cc[VSTART] = static_cast<cc_t>(dcb.XonChar);
    }
    if (dcb.XoffChar != 0) {
        settings.c_cc[VSTOP] = static_cast<cc_t>(dcb.XoffChar);
    }
    // With O_NONBLOCK, VMIN 1 makes an empty read EAGAIN, so 0 means hang-up.
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    cfsetispeed(&settings, Speed_Code(dcb.BaudRate));
    cfsetospeed(&settings, Speed_Code(dcb.BaudRate));
    return settings;
}

// tcsetattr succeeds when any part was applied; a driver that refused part
// of the set-up must fail the call as Windows would.
bool Settings_Took(int fd, const termios& wanted)
{
    termios now {};
    constexpr tcflag_t checked = CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS;
    return tcgetattr(fd, &now) == 0 && (now.c_cflag & checked) == (wanted.c_cflag & checked) &&
           cfgetospeed(&now) == cfgetospeed(&wanted);
}

void Fill_Dcb(const termios& settings, const Serial_Device& device, DCB& dcb)
{
    std::memset(&dcb, 0, sizeof dcb);
    dcb.DCBlength = sizeof(DCB);
    dcb.BaudRate = Baud_Rate(cfgetospeed(&settings));
    dcb.fBinary = 1;
    dcb.fParity = (settings.c_iflag & INPCK) != 0;
    dcb.fOutxCtsFlow = (settings.c_cflag & CRTSCTS) != 0;
    dcb.fDtrControl = device.dtr_control;
    dcb.fRtsControl = (settings.c_cflag & CRTSCTS) != 0 ? RTS_CONTROL_HANDSHAKE : device.rts_control;
    dcb.fOutX = (settings.c_iflag & IXON) != 0;
    dcb.fInX = (settings.c_iflag & IXOFF) != 0;
    const tcflag_t size = settings.c_cflag & CSIZE;
    dcb.ByteSize = size == CS5 ? 5 : size == CS6 ? 6 : size == CS7 ? 7 : 8;
    const bool parity = (settings.c_cflag & PARENB) != 0;
    dcb.Parity = !parity ? NOPARITY : (settings.c_cflag & PARODD) != 0 ? ODDPARITY : EVENPARITY;
    dcb.StopBits = (settings.c_cflag & CSTOPB) != 0 ? TWOSTOPBITS : ONESTOPBIT;
    dcb.XonChar = static_cast<char>(settings.c_cc[VSTART]);
    dcb.XoffChar = static_cast<char>(settings.c_cc[VSTOP]);
}

bool Wait_Writable(int fd)
{
    for (;;) {
        pollfd line {fd, POLLOUT, 0};
        int ready = poll(&line, 1, -1);
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        return ready > 0 && (line.revents & (POLLHUP | POLLERR | POLLNVAL)) == 0;
    }
}

} // namespace

fs::path Com_Port_Device(int com_number)
{
    const fs::path link = Port_Link(com_number);
    if (!Is_Linked(link)) {
        return Ever_Linked().Contains(link) ? link : Default_Device(com_number);
    }
    std::error_code error;
    const fs::path target = fs::read_symlink(link, error);
    if (error) {
        return link; // not a link: the entry itself is the device
    }
    return target.is_absolute() ? target : link.parent_path() / target;
}

HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD creation, DWORD flags, HANDLE)
{
    if (name == nullptr || creation != OPEN_EXISTING || (flags & FILE_FLAG_OVERLAPPED) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    int com_number = Com_Number(name);
    if (auto line = com_number != 0 ? Attached_In_Process_Line(com_number) : nullptr) {
        return Open_In_Process(std::move(line));
    }
    const fs::path path = com_number != 0 ? Opened_Path(com_number) : fs::path();
    if (path.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    int fd = open(path.c_str(), Open_Flags(access));
    if (fd < 0) {
        SetLastError(Error_From_Errno(errno));
        return INVALID_HANDLE_VALUE;
    }
    if (!isatty(fd) || !Take_Exclusive(fd)) {
        DWORD error = isatty(fd) ? ERROR_ACCESS_DENIED : ERROR_FILE_NOT_FOUND;
        close(fd);
        SetLastError(error);
        return INVALID_HANDLE_VALUE;
    }
    std::shared_ptr<Serial_Device> device;
    try {
        device = std::make_shared<Serial_Device>(fd);
        device->pseudo_terminal = Is_Pseudo_Terminal(fd);
        if (path == Port_Link(com_number)) {
            device->link = path;
            Ever_Linked().Add(path);
        }
    } catch (const std::bad_alloc&) {
        close(fd);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return INVALID_HANDLE_VALUE;
    }
    HANDLE handle = Register_Handle(std::move(device));
    return handle ? handle : INVALID_HANDLE_VALUE;
}

BOOL GetCommState(HANDLE handle, LPDCB dcb)
{
    if (auto port = In_Process(handle)) {
        if (dcb == nullptr) {
            return Fail(ERROR_INVALID_PARAMETER);
        }
        Fill_Dcb(*port, *dcb);
        return Port_Up(*port);
    }
    auto device = Find_Line(handle);
    if (!device) {
        return FALSE;
    }
    termios settings {};
    if (dcb == nullptr) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    if (tcgetattr(device->fd, &settings) != 0) {
        return Fail(Error_From_Errno(errno));
    }
    Fill_Dcb(settings, *device, *dcb);
    return TRUE;
}

BOOL SetCommState(HANDLE handle, LPDCB dcb)
{
    if (auto port = In_Process(handle)) {
        if (dcb == nullptr || !Valid_Line_Setup(*dcb)) {
            return Fail(ERROR_INVALID_PARAMETER);
        }
        Store_Dcb(*dcb, *port);
        return Port_Up(*port);
    }
    auto device = Find_Line(handle);
    if (!device) {
        return FALSE;
    }
    if (dcb == nullptr || !Valid_Line_Setup(*dcb)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    termios settings {};
    if (tcgetattr(device->fd, &settings) != 0) {
        return Fail(Error_From_Errno(errno));
    }
    termios wanted = Raw_Settings(settings, *dcb);
    if (tcsetattr(device->fd, TCSANOW, &wanted) != 0) {
        return Fail(Error_From_Errno(errno));
    }
    if (!Settings_Took(device->fd, wanted)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    bool rts_raised = dcb->fRtsControl != RTS_CONTROL_DISABLE;
    if (!Set_Modem_Line(device->fd, TIOCM_DTR, dcb->fDtrControl != DTR_CONTROL_DISABLE) ||
        (!Uses_Rts_Handshake(*dcb) && !Set_Modem_Line(device->fd, TIOCM_RTS, rts_raised))) {
        return Fail(Error_From_Errno(errno));
    }
    device->dtr_control = dcb->fDtrControl;
    device->rts_control = dcb->fRtsControl;
    return TRUE;
}

BOOL ClearCommError(HANDLE handle, LPDWORD errors, LPCOMSTAT status)
{
    if (auto port = In_Process(handle)) {
        if (!Port_Up(*port)) {
            return FALSE;
        }
        if (errors != nullptr) {
            *errors = 0;
        }
        if (status != nullptr) {
            *status = COMSTAT {0, static_cast<DWORD>(port->Line().Queued(Kernel_Time_Ns())), 0};
        }
        return TRUE;
    }
    // Checked first, so that the input count includes every byte that
    // reached the driver.
    auto device = Find_Line_Up(handle);
    if (!device) {
        return FALSE;
    }
    int queued_in = 0;
    int queued_out = 0;
    if (ioctl(device->fd, FIONREAD, &queued_in) != 0 || ioctl(device->fd, TIOCOUTQ, &queued_out) != 0) {
        return Fail(Error_From_Errno(errno));
    }
    if (errors != nullptr) {
        *errors = 0;
    }
    if (status != nullptr) {
        *status = COMSTAT {0, static_cast<DWORD>(queued_in), static_cast<DWORD>(queued_out)};
    }
    return TRUE;
}

BOOL ReadFile(HANDLE handle, LPVOID buffer, DWORD to_read, LPDWORD read_count, LPOVERLAPPED overlapped)
{
    if (read_count != nullptr) {
        *read_count = 0;
    }
    auto port = In_Process(handle);
    auto device = port ? nullptr : Find_Line(handle);
    if (!port && !device) {
        return FALSE;
    }
    if (read_count == nullptr || overlapped != nullptr || (buffer == nullptr && to_read > 0)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    if (port) {
        if (!Port_Up(*port)) {
            return FALSE;
        }
        *read_count = static_cast<DWORD>(port->Line().Read(static_cast<BYTE*>(buffer), to_read, Kernel_Time_Ns()));
        return TRUE;
    }
    if (to_read == 0) {
        return Line_Up(*device);
    }
    ssize_t count = read(device->fd, buffer, to_read);
    if (count < 0 && (errno == EAGAIN || errno == EINTR)) {
        return TRUE;
    }
    if (count <= 0) {
        return Fail(count == 0 ? ERROR_DEVICE_NOT_CONNECTED : Error_From_Errno(errno));
    }
    *read_count = static_cast<DWORD>(count);
    return TRUE;
}

BOOL WriteFile(HANDLE handle, LPCVOID buffer, DWORD to_write, LPDWORD written, LPOVERLAPPED overlapped)
{
    if (written != nullptr) {
        *written = 0;
    }
    auto port = In_Process(handle);
    auto device = port ? nullptr : Find_Line(handle);
    if (!port && !device) {
        return FALSE;
    }
    if (written == nullptr || overlapped != nullptr || (buffer == nullptr && to_write > 0)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    if (port) {
        if (!Port_Up(*port)) {
            return FALSE;
        }
        port->Line().Write(static_cast<const BYTE*>(buffer), to_write);
        *written = to_write;
        return TRUE;
    }
    if (to_write == 0) {
        return Line_Up(*device);
    }
    const auto* bytes = static_cast<const BYTE*>(buffer);
    while (*written < to_write) {
        ssize_t count = write(device->fd, bytes + *written, to_write - *written);
        if (count > 0) {
            *written += static_cast<DWORD>(count);
        } else if (count < 0 && errno != EAGAIN && errno != EINTR) {
            return Fail(Error_From_Errno(errno));
        } else if (!Wait_Writable(device->fd)) {
            return Fail(ERROR_DEVICE_NOT_CONNECTED);
        }
    }
    return TRUE;
}

BOOL PurgeComm(HANDLE handle, DWORD flags)
{
    auto port = In_Process(handle);
    auto device = port ? nullptr : Find_Line(handle);
    if (!port && !device) {
        return FALSE;
    }
    if ((flags & ~(PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR)) != 0) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    if (port) {
        // Written bytes reached the far end at once: nothing to take back.
        if (Port_Up(*port) && (flags & PURGE_RXCLEAR) != 0) {
            port->Line().Purge_Input(Kernel_Time_Ns());
        }
        return Port_Up(*port);
    }
    // Nothing is ever pending (no overlapped I/O), so the aborts have no work.
    const bool clear_input = (flags & PURGE_RXCLEAR) != 0;
    const bool clear_output = (flags & PURGE_TXCLEAR) != 0 && !device->pseudo_terminal;
    if ((clear_input && tcflush(device->fd, TCIFLUSH) != 0) || (clear_output && tcflush(device->fd, TCOFLUSH) != 0)) {
        return Fail(Error_From_Errno(errno));
    }
    return clear_input || clear_output ? TRUE : Line_Up(*device);
}

BOOL GetCommModemStatus(HANDLE handle, LPDWORD status)
{
    // An in-process line has no modem lines.
    if (auto port = In_Process(handle)) {
        if (status == nullptr) {
            return Fail(ERROR_INVALID_PARAMETER);
        }
        *status = 0;
        return Port_Up(*port);
    }
    auto device = Find_Line(handle);
    if (!device) {
        return FALSE;
    }
    if (status == nullptr) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    int lines = 0;
    if (ioctl(device->fd, TIOCMGET, &lines) != 0) {
        if (errno != ENOTTY && errno != EINVAL) {
            return Fail(Error_From_Errno(errno));
        }
        lines = 0;
    }
    *status = ((lines & TIOCM_CTS) ? MS_CTS_ON : 0) | ((lines & TIOCM_DSR) ? MS_DSR_ON : 0) |
              ((lines & TIOCM_RNG) ? MS_RING_ON : 0) | ((lines & TIOCM_CAR) ? MS_RLSD_ON : 0);
    return TRUE;
}
