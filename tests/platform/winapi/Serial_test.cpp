#include "platform/winapi/Serial.h"

#include "tests/support/Temp_Settings.h"
#include "tools/Pseudo_Terminal.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

HANDLE Open_Com(const char* name)
{
    return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

DCB Line_Setup(DWORD baud, BYTE size, BYTE parity, BYTE stop_bits)
{
    DCB dcb {};
    dcb.DCBlength = sizeof dcb;
    dcb.BaudRate = baud;
    dcb.ByteSize = size;
    dcb.Parity = parity;
    dcb.StopBits = stop_bits;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    return dcb;
}

// A pseudo-terminal's transfer between its ends is asynchronous: wait for
// the bytes to show up, for at most two seconds.
DWORD Wait_Queued(HANDLE port, DWORD expected)
{
    COMSTAT status {};
    for (int i = 0; i < 2000; ++i) {
        if (!ClearCommError(port, nullptr, &status) || status.cbInQue >= expected) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return status.cbInQue;
}

std::vector<BYTE> Wait_Sent(Pseudo_Terminal& line, std::size_t expected)
{
    std::vector<BYTE> received;
    for (int i = 0; i < 2000 && received.size() < expected; ++i) {
        auto bytes = line.Read_Queued();
        received.insert(received.end(), bytes.begin(), bytes.end());
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return received;
}

// Capabilities belong to each thread: the calling thread alone loses root's
// way past file permissions, so that it meets them as a user does.
void Drop_Permission_Override()
{
    __user_cap_header_struct header {_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] {};
    if (syscall(SYS_capget, &header, data) != 0) {
        return;
    }
    for (int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER}) {
        data[capability / 32].effective &= ~(1u << (capability % 32));
    }
    syscall(SYS_capset, &header, data);
}

class Serial_Port : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(line.Publish(3));
        port = Open_Com("\\\\.\\COM3");
        ASSERT_NE(port, INVALID_HANDLE_VALUE);
    }
    void TearDown() override
    {
        if (port != INVALID_HANDLE_VALUE) {
            CloseHandle(port);
        }
    }

    Temp_Settings settings;
    Pseudo_Terminal line;
    HANDLE port = INVALID_HANDLE_VALUE;
};

} // namespace

TEST_F(Serial_Port, OpenIsExclusiveUntilClosed)
{
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(Open_Com("\\\\.\\COM3"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    ASSERT_TRUE(CloseHandle(port));
    port = Open_Com("\\\\.\\COM3");
    EXPECT_NE(port, INVALID_HANDLE_VALUE);
}

TEST_F(Serial_Port, LineSetupReadsBackAsSet)
{
    DCB wanted = Line_Setup(38400, 8, NOPARITY, ONESTOPBIT);
    ASSERT_TRUE(SetCommState(port, &wanted));
    DCB read_back {};
    ASSERT_TRUE(GetCommState(port, &read_back));
    EXPECT_EQ(read_back.DCBlength, 28u);
    EXPECT_EQ(read_back.BaudRate, 38400u);
    EXPECT_EQ(read_back.ByteSize, 8);
    EXPECT_EQ(read_back.Parity, NOPARITY);
    EXPECT_EQ(read_back.StopBits, ONESTOPBIT);
    EXPECT_EQ(read_back.fDtrControl, DTR_CONTROL_ENABLE);
    EXPECT_EQ(read_back.fRtsControl, RTS_CONTROL_ENABLE);
    EXPECT_FALSE(read_back.fOutxCtsFlow || read_back.fOutX || read_back.fInX);

    // A pseudo-terminal carries 8 bits without parity only.
    DCB other = Line_Setup(9600, 8, NOPARITY, TWOSTOPBITS);
    other.fOutX = other.fInX = 1;
    ASSERT_TRUE(SetCommState(port, &other));
    ASSERT_TRUE(GetCommState(port, &read_back));
    EXPECT_EQ(read_back.BaudRate, 9600u);
    EXPECT_EQ(read_back.StopBits, TWOSTOPBITS);
    EXPECT_TRUE(read_back.fOutX && read_back.fInX);

    SetLastError(ERROR_SUCCESS);
    DCB parity = Line_Setup(9600, 7, EVENPARITY, ONESTOPBIT);
    EXPECT_FALSE(SetCommState(port, &parity));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(Serial_Port, UnsupportedLineSetupIsRefused)
{
    for (DCB bad : {Line_Setup(12345, 8, NOPARITY, ONESTOPBIT), Line_Setup(38400, 9, NOPARITY, ONESTOPBIT),
                    Line_Setup(38400, 8, 5, ONESTOPBIT), Line_Setup(38400, 8, NOPARITY, 1)}) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(SetCommState(port, &bad));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    }
}

TEST_F(Serial_Port, ReadsWhatIsQueuedWithoutWaiting)
{
    DCB setup = Line_Setup(38400, 8, NOPARITY, ONESTOPBIT);
    ASSERT_TRUE(SetCommState(port, &setup));
    BYTE buffer[300] = {};
    DWORD count = 99;
    ASSERT_TRUE(ReadFile(port, buffer, sizeof buffer, &count, nullptr));
    EXPECT_EQ(count, 0u);

    std::vector<BYTE> sent(250);
    for (std::size_t i = 0; i < sent.size(); ++i) {
        sent[i] = static_cast<BYTE>(i); // raw: no byte is translated
    }
    ASSERT_TRUE(line.Write(sent));
    ASSERT_EQ(Wait_Queued(port, 250), 250u);
    ASSERT_TRUE(ReadFile(port, buffer, 200, &count, nullptr));
    ASSERT_EQ(count, 200u);
    ASSERT_TRUE(ReadFile(port, buffer + 200, 100, &count, nullptr));
    ASSERT_EQ(count, 50u);
    EXPECT_TRUE(std::equal(sent.begin(), sent.end(), buffer));
}

TEST_F(Serial_Port, WritesReachTheFarEndAndPurgeDropsTheInput)
{
    DCB setup = Line_Setup(38400, 8, NOPARITY, ONESTOPBIT);
    ASSERT_TRUE(SetCommState(port, &setup));
    const BYTE request[] = {'%', '\n', 0x00};
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(port, request, sizeof request, &written, nullptr));
    EXPECT_EQ(written, 3u);
    EXPECT_EQ(Wait_Sent(line, 3), std::vector<BYTE>(std::begin(request), std::end(request)));

    ASSERT_TRUE(line.Write({1, 2, 3, 4}));
    ASSERT_EQ(Wait_Queued(port, 4), 4u);
    ASSERT_TRUE(PurgeComm(port, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR));
    EXPECT_EQ(Wait_Queued(port, 0), 0u);
    EXPECT_FALSE(PurgeComm(port, 0x10));
}

TEST_F(Serial_Port, PseudoTerminalHasNoModemLines)
{
    DWORD status = 0xFFFF;
    ASSERT_TRUE(GetCommModemStatus(port, &status));
    EXPECT_EQ(status, 0u);
}

TEST_F(Serial_Port, HangUpFailsEveryCall)
{
    line.Hang_Up();
    BYTE buffer[8];
    DWORD count = 0;
    COMSTAT status {};
    DWORD modem = 0;
    DCB dcb {};
    EXPECT_FALSE(ClearCommError(port, nullptr, &status));
    EXPECT_EQ(GetLastError(), ERROR_DEVICE_NOT_CONNECTED);
    EXPECT_FALSE(ReadFile(port, buffer, sizeof buffer, &count, nullptr));
    EXPECT_FALSE(WriteFile(port, buffer, 1, &count, nullptr));
    // Calls that need no transfer learn of the hang-up all the same.
    EXPECT_FALSE(ReadFile(port, buffer, 0, &count, nullptr));
    EXPECT_FALSE(WriteFile(port, buffer, 0, &count, nullptr));
    EXPECT_FALSE(PurgeComm(port, PURGE_TXABORT));
    EXPECT_FALSE(PurgeComm(port, PURGE_RXCLEAR));
    EXPECT_FALSE(GetCommModemStatus(port, &modem));
    EXPECT_FALSE(GetCommState(port, &dcb));
    EXPECT_TRUE(CloseHandle(port));
    port = INVALID_HANDLE_VALUE;
}

TEST(Serial_Names, OnlyComDevicesThatAreTerminalsOpen)
{
    Temp_Settings settings;
    fs::path ports = settings.Program_Folder() / "ports";
    fs::create_directories(ports);
    fs::create_symlink(settings.Config_Home() / "nowhere", ports / "COM4");
    std::ofstream(settings.Config_Home() / "plain") << "not a device";
    fs::create_symlink(settings.Config_Home() / "plain", ports / "COM5");

    for (const char* name : {"\\\\.\\COM4", "\\\\.\\COM5", "\\\\.\\COM0", "\\\\.\\COM04", "\\\\.\\COM3x", "COM3",
                             "\\\\.\\COM256", "/dev/null"}) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(Open_Com(name), INVALID_HANDLE_VALUE) << name;
        EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND) << name;
    }
    EXPECT_EQ(Open_Com(nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(Serial_Names, CallsOnOtherHandlesFail)
{
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DCB dcb {};
    EXPECT_FALSE(GetCommState(event, &dcb));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(PurgeComm(INVALID_HANDLE_VALUE, PURGE_RXCLEAR));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    CloseHandle(event);
}

TEST_F(Serial_Port, PurgeKeepsWhatWasWrittenToAPseudoTerminal)
{
    DCB setup = Line_Setup(38400, 8, NOPARITY, ONESTOPBIT);
    ASSERT_TRUE(SetCommState(port, &setup));
    // Written bytes count as sent: a request purged at once still arrives,
    // however late the far end reads it.
    for (int i = 0; i < 50; ++i) {
        const BYTE request = static_cast<BYTE>('A' + i % 26);
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(port, &request, 1, &written, nullptr));
        ASSERT_TRUE(PurgeComm(port, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR));
        ASSERT_EQ(Wait_Sent(line, 1), std::vector<BYTE> {request}) << i;
    }
}

TEST_F(Serial_Port, AWaitOnThePortEndsWithInputOrAHangUp)
{
    EXPECT_EQ(WaitForSingleObject(port, 0), WAIT_TIMEOUT);
    ASSERT_TRUE(line.Write({0x2A}));
    EXPECT_EQ(WaitForSingleObject(port, INFINITE), WAIT_OBJECT_0);
    // Waiting takes nothing: the byte is still there to read.
    BYTE byte = 0;
    DWORD count = 0;
    ASSERT_TRUE(ReadFile(port, &byte, 1, &count, nullptr));
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(WaitForSingleObject(port, 0), WAIT_TIMEOUT);

    line.Hang_Up();
    EXPECT_EQ(WaitForSingleObject(port, INFINITE), WAIT_OBJECT_0);
    EXPECT_FALSE(ReadFile(port, &byte, 1, &count, nullptr));
}

TEST(Serial_Devices, EachComNumberReachesItsFixedDeviceUnlessItsLinkSaysOtherwise)
{
    Temp_Settings settings;
    const char* const fixed[16] = {
        "/dev/ttyS0",   "/dev/ttyS1",   "/dev/ttyS2",   "/dev/ttyS3",   "/dev/ttyUSB0", "/dev/ttyUSB1",
        "/dev/ttyUSB2", "/dev/ttyUSB3", "/dev/ttyACM0", "/dev/ttyACM1", "/dev/ttyACM2", "/dev/ttyACM3",
        "/dev/ttyS4",   "/dev/ttyS5",   "/dev/ttyS6",   "/dev/ttyS7",
    };
    for (int com = 1; com <= 16; ++com) {
        EXPECT_EQ(Com_Port_Device(com), fs::path(fixed[com - 1])) << "COM" << com;
    }
    EXPECT_EQ(Com_Port_Device(0), fs::path());
    EXPECT_EQ(Com_Port_Device(17), fs::path());

    // A link overrides every number, whether or not its device exists; a
    // relative one is read from the ports folder.
    const fs::path ports = settings.Program_Folder() / "ports";
    fs::create_directories(ports);
    for (int com = 1; com <= 16; ++com) {
        fs::create_symlink("/dev/serial/by-id/adapter-" + std::to_string(com), ports / ("COM" + std::to_string(com)));
    }
    for (int com = 1; com <= 16; ++com) {
        EXPECT_EQ(Com_Port_Device(com), fs::path("/dev/serial/by-id/adapter-" + std::to_string(com))) << com;
    }
    fs::create_symlink("../serial", ports / "COM17");
    EXPECT_EQ(Com_Port_Device(17), ports / "../serial");
}

TEST(Serial_Devices, ALinkThatPointsNowhereFailsWithoutFallingBackToTheFixedDevice)
{
    Temp_Settings settings;
    const fs::path ports = settings.Program_Folder() / "ports";
    fs::create_directories(ports);
    // Whatever the machine has at /dev/ttyS0, the link decides.
    fs::create_symlink(settings.Config_Home() / "unplugged", ports / "COM1");
    EXPECT_EQ(Com_Port_Device(1), settings.Config_Home() / "unplugged");
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(Open_Com("\\\\.\\COM1"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(Open_Com("\\\\.\\COM17"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

// The links of a settings folder that is not the user's own are another
// user's choice; the fixed device may be an unrelated port: neither opens.
TEST(Serial_Devices, NoPortOpensWhileTheSettingsFolderIsNotTheUsersOwn)
{
    Temp_Settings settings;
    Pseudo_Terminal line;
    ASSERT_TRUE(line.Publish(1));
    const fs::path quorvale = settings.Config_Home() / "Quorvale";
    fs::permissions(quorvale, fs::perms::others_write, fs::perm_options::add);
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(Open_Com("\\\\.\\COM1"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    fs::permissions(quorvale, fs::perms::others_write, fs::perm_options::remove);
    const HANDLE port = Open_Com("\\\\.\\COM1");
    EXPECT_NE(port, INVALID_HANDLE_VALUE) << "the user's own folder again";
    CloseHandle(port);
}

// A user outside the device's group: refused as a port held elsewhere, so
// that the program reports it as no valid or free port.
TEST(Serial_Devices, ADeviceWithoutPermissionIsRefusedAsAPortInUse)
{
    Temp_Settings settings;
    Pseudo_Terminal line;
    ASSERT_TRUE(line.Publish(3));
    ASSERT_EQ(chmod(line.Device_Path().c_str(), 0), 0);
    bool refused_to_user = false;
    HANDLE port = nullptr;
    DWORD error = ERROR_SUCCESS;
    std::thread user([&] {
        Drop_Permission_Override();
        const int fd = open(line.Device_Path().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        refused_to_user = fd < 0 && errno == EACCES;
        if (fd >= 0) {
            close(fd);
        }
        SetLastError(ERROR_SUCCESS);
        port = Open_Com("\\\\.\\COM3");
        error = GetLastError();
    });
    user.join();
    if (port != INVALID_HANDLE_VALUE) {
        CloseHandle(port);
    }
    if (!refused_to_user) {
        GTEST_SKIP() << "this process opens any device whatever its permissions";
    }
    EXPECT_EQ(port, INVALID_HANDLE_VALUE);
    EXPECT_EQ(error, ERROR_ACCESS_DENIED);
}

// An adapter unplugged: udev removes its link while the port is open.
TEST(Serial_Devices, APortOpenedThroughItsLinkVanishesWithItAndNeverFallsBackToTheFixedDevice)
{
    Temp_Settings settings;
    Pseudo_Terminal line;
    ASSERT_TRUE(line.Publish(1));
    const fs::path link = settings.Program_Folder() / "ports" / "COM1";
    HANDLE port = Open_Com("\\\\.\\COM1");
    ASSERT_NE(port, INVALID_HANDLE_VALUE);
    COMSTAT status {};
    ASSERT_TRUE(ClearCommError(port, nullptr, &status));

    fs::remove(link);
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(ClearCommError(port, nullptr, &status));
    EXPECT_EQ(GetLastError(), ERROR_DEVICE_NOT_CONNECTED);
    const BYTE request = '%';
    DWORD count = 0;
    EXPECT_FALSE(WriteFile(port, &request, 1, &count, nullptr));
    EXPECT_FALSE(PurgeComm(port, PURGE_RXCLEAR));
    EXPECT_TRUE(CloseHandle(port));
    // The number stays its link's, not /dev/ttyS0's, while the link is gone.
    EXPECT_EQ(Com_Port_Device(1), link);

    fs::create_symlink(line.Device_Path(), link);
    port = Open_Com("\\\\.\\COM1");
    ASSERT_NE(port, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(ClearCommError(port, nullptr, &status));
    CloseHandle(port);
}

// Past the fixed devices, so that only the link can open the number.
TEST(Serial_Devices, ANameIsResolvedAtEveryOpenSoALinkMadeLaterIsUsed)
{
    Temp_Settings settings;
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(Open_Com("\\\\.\\COM20"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    Pseudo_Terminal line;
    ASSERT_TRUE(line.Publish(20));
    HANDLE port = Open_Com("\\\\.\\COM20");
    ASSERT_NE(port, INVALID_HANDLE_VALUE);
    CloseHandle(port);

    // Gone while closed, after an open through it: it opens nothing.
    fs::remove(settings.Program_Folder() / "ports" / "COM20");
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(Open_Com("\\\\.\\COM20"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}
