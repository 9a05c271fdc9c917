#include "link/Serie.h"

#include "tests/support/Temp_Settings.h"
#include "tools/Pseudo_Terminal.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

ComPort* New_Port(int number, char handshake = 'N')
{
    return new ComPort(number, 38400, 0, 8, 0, handshake);
}

// The far end's bytes cross the pseudo-terminal asynchronously.
bool Wait_Delivered(const Pseudo_Terminal& line, std::size_t count)
{
    for (int i = 0; i < 2000 && line.Delivered() < count; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return line.Delivered() == count;
}

std::vector<BYTE> Wait_Sent(Pseudo_Terminal& line, std::size_t count)
{
    for (int i = 0; i < 2000 && line.Queued() < count; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return line.Read_Queued();
}

class Com_Port : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(line.Publish(2));
        port.reset(New_Port(2));
        ASSERT_TRUE(port->Is_Open());
    }

    Temp_Settings settings;
    Pseudo_Terminal line;
    std::unique_ptr<ComPort> port;
};

} // namespace

TEST(Com_Port_Closed, PortZeroTouchesNothingAndStaysClosed)
{
    Temp_Settings settings;
    ComPort port(0, 38400, 0, 8, 0, 'N');
    EXPECT_FALSE(port.Is_Open());
    BYTE destination[inputstream::Buffer_Size + 1];
    destination[0] = 0x55;
    EXPECT_EQ(port.read(destination), 0);
    EXPECT_EQ(destination[0], 0);
    port << BYTE {'?'};
    EXPECT_EQ(port.good(), 0);
    EXPECT_FALSE(port.Purge());
}

TEST(Com_Port_Closed, MissingDeviceOrUnknownHandshakeLeavesItClosed)
{
    Temp_Settings settings;
    Pseudo_Terminal line;
    ASSERT_TRUE(line.Publish(2));
    std::unique_ptr<ComPort> odd(New_Port(2, 'Q'));
    EXPECT_FALSE(odd->Is_Open());
    // The refused port still holds the device until it is destroyed.
    EXPECT_FALSE(std::unique_ptr<ComPort>(New_Port(2))->Is_Open());
    odd.reset();
    EXPECT_TRUE(std::unique_ptr<ComPort>(New_Port(2, 'X'))->Is_Open());

    std::filesystem::create_symlink(settings.Config_Home() / "nowhere", settings.Program_Folder() / "ports" / "COM9");
    EXPECT_FALSE(std::unique_ptr<ComPort>(New_Port(9))->Is_Open());
}

TEST_F(Com_Port, SecondPortOnTheSameDeviceIsRefused)
{
    EXPECT_FALSE(std::unique_ptr<ComPort>(New_Port(2))->Is_Open());
    EXPECT_TRUE(port->Is_Open());
}

TEST_F(Com_Port, ReadTakesAtMost200QueuedBytesEachEndingWithZero)
{
    BYTE destination[inputstream::Buffer_Size + 1];
    destination[0] = 0x55;
    EXPECT_EQ(port->read(destination), 0);
    EXPECT_EQ(destination[0], 0);
    EXPECT_TRUE(port->Is_Open());

    std::vector<BYTE> sent(250, 0x41);
    sent[199] = 0x42;
    sent[249] = 0x43;
    ASSERT_TRUE(line.Write(sent));
    ASSERT_TRUE(Wait_Delivered(line, 250));
    ASSERT_EQ(port->read(destination), 200);
    EXPECT_EQ(destination[199], 0x42);
    EXPECT_EQ(destination[200], 0);
    ASSERT_EQ(port->read(destination), 50);
    EXPECT_EQ(destination[49], 0x43);
    EXPECT_EQ(destination[50], 0);
}

TEST_F(Com_Port, WritesAndPurges)
{
    *port << BYTE {'%'};
    EXPECT_EQ(port->good(), 1);
    const BYTE pair[] = {0xC0, 0x07};
    EXPECT_TRUE(port->write(pair, 2));
    EXPECT_EQ(Wait_Sent(line, 3), (std::vector<BYTE> {'%', 0xC0, 0x07}));

    ASSERT_TRUE(line.Write({1, 2, 3}));
    ASSERT_TRUE(Wait_Delivered(line, 3));
    EXPECT_TRUE(port->Purge());
    EXPECT_EQ(line.Delivered(), 0u);
    EXPECT_EQ(port->fill(), 0);
}

TEST_F(Com_Port, HangUpClosesItForGood)
{
    line.Hang_Up();
    EXPECT_EQ(port->fill(), 0);
    EXPECT_FALSE(port->Is_Open());
    *port << BYTE {'%'};
    EXPECT_EQ(port->good(), 0);
    EXPECT_FALSE(port->Is_Open());
}
