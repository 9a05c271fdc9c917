#include "platform/winapi/In_Process_Line.h"

#include "platform/winapi/Serial.h"
#include "tests/support/Simulated_Time.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

constexpr std::int64_t Ms = 1'000'000;

HANDLE Open_Com(const char* name)
{
    return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

DWORD Queued(HANDLE port)
{
    COMSTAT status {};
    return ClearCommError(port, nullptr, &status) ? status.cbInQue : 0xFFFFFFFF;
}

// COM7 is an in-process line whose far end answers each byte with two
// bytes, 5 ms after it was written.
class In_Process_Port_Calls : public ::testing::Test {
protected:
    void SetUp() override
    {
        Attach_In_Process_Line(7, line);
        port = Open_Com("\\\\.\\COM7");
        ASSERT_NE(port, INVALID_HANDLE_VALUE);
    }
    void TearDown() override
    {
        CloseHandle(port);
        Detach_In_Process_Line(7, line.get());
    }

    Simulated_Time simulated;
    std::vector<BYTE> received;
    std::shared_ptr<In_Process_Line> line = std::make_shared<In_Process_Line>([this](BYTE byte) {
        received.push_back(byte);
        const BYTE answer[] = {byte, static_cast<BYTE>(byte + 1)};
        line->Deliver(answer, 2, Kernel_Time_Ns() + 5 * Ms);
    });
    HANDLE port = INVALID_HANDLE_VALUE;
};

} // namespace

TEST(Simulated_Clock, SleepsAndTimedWaitsMoveOnlyTheCallingThreadsClock)
{
    Simulated_Time simulated;
    const std::int64_t start = Kernel_Time_Ns();
    Sleep(20);
    EXPECT_EQ(Kernel_Time_Ns(), start + 20 * Ms);
    LARGE_INTEGER counter {};
    ASSERT_TRUE(QueryPerformanceCounter(&counter));
    EXPECT_EQ(counter.QuadPart, start + 20 * Ms);

    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 40), WAIT_TIMEOUT);
    EXPECT_EQ(Kernel_Time_Ns(), start + 60 * Ms);
    SetEvent(event);
    EXPECT_EQ(WaitForSingleObject(event, 40), WAIT_OBJECT_0);
    EXPECT_EQ(Kernel_Time_Ns(), start + 60 * Ms);
    CloseHandle(event);

    // Another thread's sleeps are its own.
    std::thread([] { Sleep(1000); }).join();
    EXPECT_EQ(Kernel_Time_Ns(), start + 60 * Ms);

    // A loaded machine wakes every sleep and wait late.
    Set_Simulated_Lateness(15 * Ms);
    Sleep(20);
    EXPECT_EQ(Kernel_Time_Ns(), start + 95 * Ms);
    Set_Simulated_Lateness(0);
}

TEST_F(In_Process_Port_Calls, TheFarEndAnswersAtTheWriteAndItsBytesComeAtTheirMoment)
{
    EXPECT_EQ(Open_Com("\\\\.\\COM7"), INVALID_HANDLE_VALUE) << "a second open of the line";
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);

    const BYTE request = 0x40;
    DWORD count = 0;
    const std::int64_t written_at = Kernel_Time_Ns();
    ASSERT_TRUE(WriteFile(port, &request, 1, &count, nullptr));
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(received, std::vector<BYTE>({0x40}));
    EXPECT_EQ(Queued(port), 0u);

    // The wait ends when the answer is due, not at its time-out.
    EXPECT_EQ(WaitForSingleObject(port, 40), WAIT_OBJECT_0);
    EXPECT_EQ(Kernel_Time_Ns(), written_at + 5 * Ms);
    EXPECT_EQ(Queued(port), 2u);
    BYTE answer[4] = {};
    ASSERT_TRUE(ReadFile(port, answer, 4, &count, nullptr));
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(answer[1], 0x41);
    EXPECT_EQ(WaitForSingleObject(port, 40), WAIT_TIMEOUT);
    EXPECT_EQ(Kernel_Time_Ns(), written_at + 45 * Ms);
}

TEST_F(In_Process_Port_Calls, APurgeDropsWhatCameAndNotWhatIsStillOnItsWay)
{
    const BYTE request = 0x10;
    DWORD count = 0;
    ASSERT_TRUE(WriteFile(port, &request, 1, &count, nullptr));
    Sleep(10);
    ASSERT_TRUE(WriteFile(port, &request, 1, &count, nullptr));
    EXPECT_TRUE(PurgeComm(port, PURGE_RXCLEAR | PURGE_TXCLEAR));
    EXPECT_EQ(Queued(port), 0u);
    Sleep(5);
    EXPECT_EQ(Queued(port), 2u);
}

TEST_F(In_Process_Port_Calls, AHangUpFailsEveryCallAndTheLineOpensNoMore)
{
    DCB dcb {};
    dcb.DCBlength = sizeof dcb;
    ASSERT_TRUE(GetCommState(port, &dcb));
    dcb.BaudRate = 38400;
    ASSERT_TRUE(SetCommState(port, &dcb));
    ASSERT_TRUE(GetCommState(port, &dcb));
    EXPECT_EQ(dcb.BaudRate, 38400u);

    line->Hang_Up();
    EXPECT_EQ(WaitForSingleObject(port, INFINITE), WAIT_OBJECT_0);
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(Queued(port), 0xFFFFFFFF);
    EXPECT_EQ(GetLastError(), ERROR_DEVICE_NOT_CONNECTED);
    const BYTE request = 0x10;
    DWORD count = 0;
    EXPECT_FALSE(WriteFile(port, &request, 1, &count, nullptr));
    BYTE answer = 0;
    EXPECT_FALSE(ReadFile(port, &answer, 1, &count, nullptr));
    EXPECT_FALSE(PurgeComm(port, PURGE_RXCLEAR));
    CloseHandle(port);
    port = Open_Com("\\\\.\\COM7");
    EXPECT_EQ(port, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}
