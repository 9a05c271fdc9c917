#include "link/Pc_wcu_link.h"

#include "platform/winapi/Kernel.h"
#include "tests/support/Simulated_Wcu.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <utility>

namespace {

std::string Text(const std::vector<BYTE>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

St_System& With_Port(St_System& state, int port)
{
    state.Settings.Port_Number = port;
    return state;
}

constexpr std::int64_t Ms = 1'000'000;

// A camera whose port setting names the simulator's COM port, an in-process
// line answering on simulated time.
class Wcu_Link : public ::testing::Test {
protected:
    Wcu_Simulator& Simulator() { return wcu.Simulator(); }

    void Load(const Sd_Wcu& model) { model.Load(Simulator()); }

    // Identifies the WCU and forgets the requests so far.
    void Connect()
    {
        ASSERT_TRUE(link.Ask_Wcu_Type(state));
        state.Settings.Connected = true;
        ASSERT_TRUE(Simulator().Wait_Idle());
        Simulator().Clear_Requests();
    }

    // The requests of the last polls, once the simulator has answered them.
    std::string Requests_Since_Connect()
    {
        EXPECT_TRUE(Simulator().Wait_Idle());
        std::string requests = Text(Simulator().Requests());
        Simulator().Clear_Requests();
        return requests;
    }

    Simulated_Wcu wcu {3, Wcu_Line::In_Process};
    St_System state {0};
    PC_WCU_Link link {With_Port(state, wcu.Com_Number())};
};

} // namespace

TEST_F(Wcu_Link, IdentifiesEveryTypeWordAndKnowsTheFiveKnownOnes)
{
    ASSERT_TRUE(link.Is_Open());
    struct Type_Case {
        WORD word;
        bool known;
        bool hd;
    };
    for (Type_Case type : {Type_Case {0x100, true, false}, Type_Case {0x101, true, false},
                           Type_Case {0x200, true, true}, Type_Case {0x201, true, true}, Type_Case {0x202, true, true},
                           Type_Case {0x102, false, false}, Type_Case {0x1FF, false, false},
                           Type_Case {0x0000, false, false}}) {
        Simulator().Set_Answer('?', {'*', HIBYTE(type.word), LOBYTE(type.word)});
        ASSERT_TRUE(link.Ask_Wcu_Type(state)) << std::hex << type.word;
        EXPECT_EQ(state.Type.Wcu_Major * 256 + state.Type.Wcu_Minor, type.word);
        EXPECT_EQ(state.Type.Is_Known_Wcu(), type.known) << std::hex << type.word;
        EXPECT_EQ(state.Type.Is_Hd_Wcu(), type.hd) << std::hex << type.word;
        EXPECT_EQ(link.Get_Answer_Length(), 0);
    }
}

TEST_F(Wcu_Link, BadIdentificationAnswersLeaveTheTypeAndConnection)
{
    Simulator().Set_Answer('?', {'*', 0x01, 0x01});
    ASSERT_TRUE(link.Ask_Wcu_Type(state));
    state.Settings.Connected = true;
    const std::vector<std::vector<BYTE>> bad = {{'*', 2, 0, 0}, {'#', 2, 0}, {'*', 2}, {}};
    for (const auto& answer : bad) {
        Simulator().Set_Answer('?', answer);
        EXPECT_FALSE(link.Ask_Wcu_Type(state)) << answer.size();
        ASSERT_TRUE(Simulator().Wait_Idle());
    }
    for (Wcu_Fault fault : {Wcu_Fault::Late, Wcu_Fault::Chunked, Wcu_Fault::Garbage}) {
        Simulator().Set_Answer('?', {'*', 2, 0});
        Simulator().Queue_Fault('?', fault);
        EXPECT_FALSE(link.Ask_Wcu_Type(state));
        ASSERT_TRUE(Simulator().Wait_Idle());
    }
    EXPECT_EQ(state.Type.Wcu_Major, 1);
    EXPECT_EQ(state.Type.Wcu_Minor, 1);
    EXPECT_TRUE(state.Settings.Connected);
    EXPECT_TRUE(link.Is_Open());
}

namespace {

struct Sd_Case {
    const char* name;
    WORD type_word;
    std::function<void(Sd_Wcu&)> model;
    BYTE fault_request;
    Wcu_Fault fault;
    bool ok;
    const char* requests;
};

void PrintTo(const Sd_Case& sd_case, std::ostream* out)
{
    *out << sd_case.name;
}

void No_Amu2(Sd_Wcu& wcu)
{
    wcu.Status[0] &= static_cast<BYTE>(~0x02);
    wcu.Status[1] &= static_cast<BYTE>(~0x0A);
}

void No_Amu(Sd_Wcu& wcu)
{
    No_Amu2(wcu);
    wcu.Status[0] &= static_cast<BYTE>(~0x01);
    wcu.Status[1] &= static_cast<BYTE>(~0x05);
}

const Sd_Case Sd_Cases[] = {
    {"both AMUs polled", 0x101, nullptr, 0, Wcu_Fault::None, true, "%!\"#"},
    {"AMU2 not polled", 0x101, No_Amu2, 0, Wcu_Fault::None, true, "%!#"},
    {"no AMU polled", 0x101, No_Amu, 0, Wcu_Fault::None, true, "%#"},
    {"AMU polled on its data bit alone", 0x101,
     [](Sd_Wcu& wcu) {
         No_Amu(wcu);
         wcu.Status[1] |= 0x04;
     },
     0, Wcu_Fault::None, true, "%!#"},
    {"WCU 1.0 with its 9-byte status", 0x100, nullptr, 0, Wcu_Fault::None, true, "%!\"#"},
    {"AMU1 without data", 0x101, [](Sd_Wcu& wcu) { wcu.Amu1_No_Data = true; }, 0, Wcu_Fault::None, true, "%!\"#"},
    {"paced at the line rate", 0x101, nullptr, 0, Wcu_Fault::None, true, "%!\"#"},
    {"AMU answer with another head", 0x101, [](Sd_Wcu& wcu) { wcu.Amu1[0] = 0x29; }, 0, Wcu_Fault::None, false,
     "%!"},
    {"status silent", 0x101, nullptr, '%', Wcu_Fault::Silence, false, "%"},
    {"status short", 0x101, nullptr, '%', Wcu_Fault::Short, false, "%"},
    {"status long", 0x101, nullptr, '%', Wcu_Fault::Long, false, "%"},
    {"status late", 0x101, nullptr, '%', Wcu_Fault::Late, false, "%"},
    {"status chunked", 0x101, nullptr, '%', Wcu_Fault::Chunked, false, "%"},
    {"status garbage of the right length", 0x101, nullptr, '%', Wcu_Fault::Garbage, true, "%!\"#"},
    {"AMU1 silent", 0x101, nullptr, '!', Wcu_Fault::Silence, false, "%!"},
    {"AMU1 short", 0x101, nullptr, '!', Wcu_Fault::Short, false, "%!"},
    {"AMU1 long", 0x101, nullptr, '!', Wcu_Fault::Long, false, "%!"},
    {"AMU1 late", 0x101, nullptr, '!', Wcu_Fault::Late, false, "%!"},
    {"AMU1 chunked", 0x101, nullptr, '!', Wcu_Fault::Chunked, false, "%!"},
    {"AMU1 garbage", 0x101, nullptr, '!', Wcu_Fault::Garbage, false, "%!"},
    {"AMU2 silent", 0x101, nullptr, '"', Wcu_Fault::Silence, false, "%!\""},
    {"flags silent", 0x101, nullptr, '#', Wcu_Fault::Silence, false, "%!\"#"},
    {"flags long", 0x101, nullptr, '#', Wcu_Fault::Long, false, "%!\"#"},
    {"flags late", 0x101, nullptr, '#', Wcu_Fault::Late, false, "%!\"#"},
};

class Sd_Poll : public Wcu_Link, public ::testing::WithParamInterface<Sd_Case> {};

} // namespace

TEST_P(Sd_Poll, OutcomeAndRequests)
{
    const Sd_Case& sd_case = GetParam();
    Sd_Wcu model = Typical_Sd_Wcu();
    model.Type_Word = sd_case.type_word;
    if (sd_case.model) {
        sd_case.model(model);
    }
    Load(model);
    Simulator().Set_Paced(std::string(sd_case.name) == "paced at the line rate");
    Connect();
    if (sd_case.fault != Wcu_Fault::None) {
        Simulator().Queue_Fault(sd_case.fault_request, sd_case.fault);
    }
    EXPECT_EQ(link.Poll_SD(state, state.SD), sd_case.ok);
    EXPECT_EQ(state.Settings.Connected, sd_case.ok);
    EXPECT_EQ(link.Get_Answer_Length(), sd_case.ok ? 1 : 0);
    EXPECT_TRUE(link.Is_Open());
    EXPECT_EQ(Requests_Since_Connect(), sd_case.requests);

    // Whatever a spoiled answer left on the line is not read into the next.
    Sd_Wcu good = Typical_Sd_Wcu();
    good.Type_Word = sd_case.type_word;
    Load(good);
    EXPECT_TRUE(link.Poll_SD(state, state.SD));
    EXPECT_EQ(state.SD.WCU.Video_Qos, 95);
    EXPECT_EQ(state.SD.AMU1.Identifier, 1);
    EXPECT_EQ(state.SD.AMU2.Identifier, 2);
}

std::string Case_Name(const ::testing::TestParamInfo<Sd_Case>& param_info)
{
    std::string name;
    for (char c : std::string(param_info.param.name)) {
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, Sd_Poll, ::testing::ValuesIn(Sd_Cases), Case_Name);

TEST_F(Wcu_Link, WrongStatusLengthForTheWcuTypeFails)
{
    Sd_Wcu model = Typical_Sd_Wcu();
    model.Type_Word = 0x100;
    Load(model);
    Connect();
    Simulator().Set_Answer('%', std::vector<BYTE>(model.Status.begin(), model.Status.end()));
    EXPECT_FALSE(link.Poll_SD(state, state.SD));
    EXPECT_FALSE(state.Settings.Connected);
    EXPECT_TRUE(link.Is_Open());

    model.Type_Word = 0x101;
    Load(model);
    Connect();
    Simulator().Set_Answer('%', std::vector<BYTE>(model.Status.begin(), model.Status.begin() + 9));
    EXPECT_FALSE(link.Poll_SD(state, state.SD));
    EXPECT_TRUE(link.Is_Open());
}

TEST_F(Wcu_Link, AnAmuIsPolledUntilThe20thStatusWithBothBitsClear)
{
    Sd_Wcu model = Typical_Sd_Wcu();
    No_Amu(model);
    model.Status[0] |= 0x01;
    Load(model);
    Connect();
    ASSERT_TRUE(link.Poll_SD(state, state.SD));
    EXPECT_EQ(Requests_Since_Connect(), "%!#");

    No_Amu(model);
    Load(model);
    for (int poll = 1; poll <= 19; ++poll) {
        ASSERT_TRUE(link.Poll_SD(state, state.SD)) << poll;
        EXPECT_EQ(state.SD.AMU1.Poll_Counter_Status, 20 - poll);
        EXPECT_EQ(Requests_Since_Connect(), "%!#") << poll;
    }
    ASSERT_TRUE(link.Poll_SD(state, state.SD));
    EXPECT_EQ(Requests_Since_Connect(), "%#");
    EXPECT_FALSE(state.SD.AMU1.Is_Polled());
}

TEST_F(Wcu_Link, AmuWithoutDataKeepsItsRecords)
{
    Load(Typical_Sd_Wcu());
    Connect();
    ASSERT_TRUE(link.Poll_SD(state, state.SD));
    Sd_Wcu changed = Typical_Sd_Wcu();
    changed.Amu1_No_Data = true;
    changed.Amu2[13] = 0xF6;
    Load(changed);
    Simulator().Set_Answer('!', {'(', 0x01, 0x02});
    ASSERT_TRUE(link.Poll_SD(state, state.SD));
    EXPECT_EQ(state.SD.AMU1.Temperature, 35);
    EXPECT_EQ(state.SD.AMU2.Temperature, -10);
}

TEST_F(Wcu_Link, HangUpDuringAPollClosesThePort)
{
    Load(Typical_Sd_Wcu());
    Connect();
    Simulator().Queue_Fault('!', Wcu_Fault::Hang_Up);
    EXPECT_FALSE(link.Poll_SD(state, state.SD));
    EXPECT_FALSE(link.Is_Open());
    EXPECT_FALSE(state.Settings.Connected);
    EXPECT_FALSE(link.Poll_SD(state, state.SD));
    EXPECT_FALSE(link.Ask_Wcu_Type(state));
}

TEST_F(Wcu_Link, FullCycleDecodesEveryFieldFromTheSimulatorsBytes)
{
    const Sd_Wcu model = Typical_Sd_Wcu();
    Load(model);
    Connect();
    ASSERT_TRUE(link.Poll_SD(state, state.SD));
    const St_System_SD& sd = state.SD;
    const St_System_SD_WCU& wcu = sd.WCU;
    // Status 0xE7 0x1F: both AMUs polled, present and channelled; AMU1 active.
    EXPECT_TRUE(wcu.Wcu_Flag);
    EXPECT_FALSE(wcu.Data_Toggle_A);
    EXPECT_FALSE(wcu.Data_Toggle_B);
    EXPECT_TRUE(wcu.Video_Standard_Pal);
    EXPECT_EQ(wcu.Wcu_Code, 3);
    EXPECT_EQ(wcu.Video_Qos, 95);
    EXPECT_EQ(wcu.Production_Mode, 1);
    EXPECT_FALSE(wcu.Wcu_Flag_2);
    EXPECT_TRUE(wcu.Diversity_Dual);
    EXPECT_TRUE(wcu.Link_Flag);
    EXPECT_FALSE(wcu.Audio_Option_On);
    EXPECT_EQ(wcu.Intercom_Volume_1, 160);
    EXPECT_EQ(wcu.Intercom_Volume_2, 128);
    EXPECT_EQ(wcu.Intercom_Volume_3, 96);
    EXPECT_EQ(wcu.Data_Qos, 95);
    EXPECT_EQ(wcu.Audio_1_Level, 0x12 * 256 + 0x34);
    EXPECT_EQ(wcu.Audio_2_Level, 0x05 * 256 + 0x67);
    EXPECT_TRUE(wcu.Audio_Levels_Valid);
    EXPECT_EQ(wcu.Icom_Level_1, 100);
    EXPECT_EQ(wcu.Icom_Level_2, 50);
    EXPECT_EQ(wcu.Status_Byte_15, 0x15);
    EXPECT_EQ(wcu.Status_Byte_16, 0x16);
    EXPECT_EQ(wcu.Video_Channel_Index, 3);
    EXPECT_EQ(wcu.Data_Channel_Index, 5);
    EXPECT_EQ(wcu.Wcu_Cofdm_Mode, 2);

    for (const St_System_SD_AMU* amu : {&sd.AMU1, &sd.AMU2}) {
        EXPECT_EQ(amu->Poll_Counter_Status, 20);
        EXPECT_EQ(amu->Poll_Counter_Data, 20);
        EXPECT_TRUE(amu->Present && amu->Channel_Present);
        // AMU byte 1 = 0x78: flags 1 to 3 set, no state.
        EXPECT_TRUE(amu->Receiver_Flag_1 && amu->Receiver_Flag_2 && amu->Receiver_Flag_3);
        EXPECT_FALSE(amu->Receiver_State_1 || amu->Receiver_State_2 || amu->Receiver_State_3);
        EXPECT_TRUE(amu->Video_Channel_Valid);
        EXPECT_EQ(amu->Status_Code, 1);
        EXPECT_FALSE(amu->Error);
        EXPECT_EQ(amu->Version_Major, 1);
        EXPECT_EQ(amu->Version_Minor, 2);
        // Byte 6 = 0x13 with firmware 1.2.
        EXPECT_FALSE(amu->Sw1_2_Test);
        EXPECT_FALSE(amu->Flag_6_3);
        EXPECT_FALSE(amu->Sw3_2_Off);
        EXPECT_TRUE(amu->Long_Triax);
        EXPECT_EQ(amu->Sw2_Setting, 0);
        EXPECT_FALSE(amu->Data_Step_100_Khz);
        EXPECT_EQ(amu->Data_Channel, 5);
        EXPECT_EQ(amu->Synth_Byte_8, 0x00);
        EXPECT_EQ(amu->Synth_Byte_9, 0xC7);
        EXPECT_EQ(amu->Synth_Byte_10, 0x43);
        EXPECT_EQ(amu->Video_Channel_Code, 46);
        EXPECT_EQ(amu->Cofdm_Mode, 2);
        EXPECT_TRUE(amu->Sw3_1_Off);
        EXPECT_EQ(amu->Temperature, 35);
        EXPECT_EQ(amu->Voltage_Raw, 120);
        EXPECT_EQ(amu->Status_Byte_15, 0xA1);
        EXPECT_EQ(amu->Status_Byte_16, 0xA2);
        EXPECT_EQ(amu->Status_Byte_17, 0xA3);
        EXPECT_EQ(amu->Video_Quality, 75);
        EXPECT_EQ(amu->Nibble_19_Low, 0);
        EXPECT_EQ(amu->Rc2_Setting, 0);
    }
    EXPECT_TRUE(sd.AMU1.Active);
    EXPECT_FALSE(sd.AMU2.Active);
    EXPECT_EQ(sd.AMU1.Identifier, 1);
    EXPECT_EQ(sd.AMU2.Identifier, 2);
    EXPECT_TRUE(sd.DE1.De_Flag && sd.DE1.State && sd.DE2.De_Flag && sd.DE2.State);
    EXPECT_TRUE(sd.Flags.Flag_1);
    EXPECT_FALSE(sd.Flags.Flag_2);
    EXPECT_TRUE(sd.Flags.Flag_3);
    EXPECT_EQ(link.Get_Answer()[0], model.Flags);
}

TEST(Sd_Decoding, ActiveFollowsItsBitOnlyWhenBothAmusArePresent)
{
    struct Active_Case {
        BYTE byte1;
        bool amu1_active;
        bool amu2_active;
    };
    Temp_Settings settings;
    St_System_SD sd(0);
    for (Active_Case active : {Active_Case {0x03, false, false}, Active_Case {0x13, true, false},
                               Active_Case {0x23, false, true}, Active_Case {0x01, true, false},
                               Active_Case {0x21, true, false}, Active_Case {0x12, false, true},
                               Active_Case {0x30, false, false}}) {
        BYTE status[19] = {0, active.byte1};
        PC_WCU_Link::Decode_SD_Status(status, true, sd);
        EXPECT_EQ(sd.AMU1.Active, active.amu1_active) << int(active.byte1);
        EXPECT_EQ(sd.AMU2.Active, active.amu2_active) << int(active.byte1);
    }
}

TEST(Sd_Decoding, QualitiesNeedAValidClearAmu)
{
    Temp_Settings settings;
    St_System_SD sd(0);
    BYTE status[9] = {0x00, 0x01, 0, 200, 0, 0, 0, 0, 150};
    PC_WCU_Link::Decode_SD_Status(status, false, sd); // present, never polled
    EXPECT_EQ(sd.WCU.Video_Qos, 0);
    EXPECT_EQ(sd.WCU.Data_Qos, 0);

    status[0] = 0x01; // polled and present: valid and clear
    PC_WCU_Link::Decode_SD_Status(status, false, sd);
    EXPECT_EQ(sd.WCU.Video_Qos, 200);
    EXPECT_EQ(sd.WCU.Data_Qos, 150);

    status[3] = 0; // no video quality, no data quality
    PC_WCU_Link::Decode_SD_Status(status, false, sd);
    EXPECT_EQ(sd.WCU.Data_Qos, 0);

    sd.AMU1.Error = true;
    status[3] = 200;
    PC_WCU_Link::Decode_SD_Status(status, false, sd);
    EXPECT_EQ(sd.WCU.Video_Qos, 0);

    // A 9-byte status keeps the audio levels and marks them invalid.
    sd.WCU.Audio_1_Level = 1234;
    sd.WCU.Audio_Levels_Valid = true;
    PC_WCU_Link::Decode_SD_Status(status, false, sd);
    EXPECT_EQ(sd.WCU.Audio_1_Level, 1234);
    EXPECT_FALSE(sd.WCU.Audio_Levels_Valid);
}

TEST(Sd_Decoding, AmuSwitchesFollowTheFirmware)
{
    St_System_SD_AMU amu;
    St_System_SD_DE de;
    BYTE answer[31] = {0x27};
    answer[3] = 1;
    answer[4] = 0; // firmware 1.0: Long_Triax from bit 2, the rest kept
    answer[6] = 0x7C;
    answer[13] = 0xF6;
    answer[19] = 0x3A;
    amu.Rc2_Setting = 5;
    PC_WCU_Link::Decode_SD_AMU(answer, amu, de);
    EXPECT_TRUE(amu.Long_Triax);
    EXPECT_FALSE(amu.Sw1_2_Test);
    EXPECT_EQ(amu.Sw2_Setting, 0);
    EXPECT_EQ(amu.Rc2_Setting, 5);
    EXPECT_TRUE(amu.Sw3_2_Off);
    EXPECT_EQ(amu.Temperature, -10);

    answer[4] = 1; // firmware 1.1
    PC_WCU_Link::Decode_SD_AMU(answer, amu, de);
    EXPECT_TRUE(amu.Sw1_2_Test);
    EXPECT_TRUE(amu.Flag_6_3);
    EXPECT_TRUE(amu.Long_Triax);
    EXPECT_EQ(amu.Sw2_Setting, 0x60);
    EXPECT_EQ(amu.Nibble_19_Low, 0x0A);
    for (auto [high, value] : {std::pair {0xF, 0}, std::pair {0x8, 7}, std::pair {0x7, -8}, std::pair {0x0, -1},
                               std::pair {0x3, -4}}) {
        answer[19] = static_cast<BYTE>(high << 4);
        PC_WCU_Link::Decode_SD_AMU(answer, amu, de);
        EXPECT_EQ(amu.Rc2_Setting, value) << high;
    }
}

TEST_F(Wcu_Link, LongAnswerIsReadWholeAndRefusedFrom1024Bytes)
{
    std::vector<BYTE> frame(500);
    for (std::size_t i = 0; i < frame.size(); ++i) {
        frame[i] = static_cast<BYTE>(i + 1);
    }
    ASSERT_TRUE(Simulator().Send_Unasked(frame));
    ASSERT_EQ(link.Read_Long_Answer(), 500);
    EXPECT_TRUE(std::equal(frame.begin(), frame.end(), link.Get_Answer()));

    ASSERT_TRUE(Simulator().Send_Unasked(std::vector<BYTE>(1030, 0x5A)));
    EXPECT_EQ(link.Read_Long_Answer(), 0);
    EXPECT_EQ(link.Get_Answer()[0], 0);

    EXPECT_EQ(link.Read_Long_Answer(), 0);
}

// The long answer's first bytes are awaited on the port for 40 ms: bytes
// that come within that are read whole, from the moment they come.
TEST_F(Wcu_Link, ALongAnswerIsAwaitedOnThePortAndReadWholeWhenItsFirstBytesCome)
{
    std::vector<BYTE> frame(450);
    for (std::size_t i = 0; i < frame.size(); ++i) {
        frame[i] = static_cast<BYTE>(i * 3 + 1);
    }
    const std::int64_t start = Kernel_Time_Ns();
    Simulator().In_Process()->Deliver(frame.data(), frame.size(), start + 25 * Ms);
    ASSERT_EQ(link.Read_Long_Answer(), 450);
    EXPECT_TRUE(std::equal(frame.begin(), frame.end(), link.Get_Answer()));
    // Woken by the bytes, then read 200 bytes at a time 30 ms apart, until
    // a read brought nothing.
    EXPECT_EQ(Kernel_Time_Ns() - start, 25 * Ms + 3 * 30 * Ms);

    Simulator().In_Process()->Deliver(frame.data(), frame.size(), Kernel_Time_Ns() + 41 * Ms);
    EXPECT_EQ(link.Read_Long_Answer(), 0);
}

namespace {

// A reader that wakes late, as on a loaded machine.
struct Late_Wake {
    std::int64_t answer_at_ms;
    std::int64_t lateness_ms;
    bool read;
};

class Late_Reader : public Wcu_Link, public ::testing::WithParamInterface<Late_Wake> {
protected:
    void SetUp() override { Set_Simulated_Lateness(GetParam().lateness_ms * Ms); }
};

} // namespace

// The link reads whatever the line holds once its pause is over: an answer
// that came within the pause is read however late the reader wakes, and one
// that came only after the reader woke is not.
TEST_P(Late_Reader, ReadsWhatCameBeforeItWoke)
{
    const Late_Wake wake = GetParam();
    const std::vector<BYTE> answer = {0x27, 0x7B, 0x01};
    Simulator().In_Process()->Deliver(answer.data(), answer.size(), Kernel_Time_Ns() + wake.answer_at_ms * Ms);
    EXPECT_EQ(link.Read_Answer(), wake.read ? 3 : 0);
    // An answer that came after the reader woke is taken before the next.
    Simulator().Wait_Idle();
    link.Read_Answer();

    std::vector<BYTE> frame(300, 0x44);
    Simulator().In_Process()->Deliver(frame.data(), frame.size(), Kernel_Time_Ns() + wake.answer_at_ms * Ms);
    EXPECT_EQ(link.Read_Long_Answer(), wake.read ? 300 : 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, Late_Reader,
                         ::testing::Values(Late_Wake {5, 0, true}, Late_Wake {5, 15, true}, Late_Wake {5, 500, true},
                                           Late_Wake {19, 0, true}, Late_Wake {60, 15, false}),
                         [](const ::testing::TestParamInfo<Late_Wake>& param_info) {
                             return "AnswerAt" + std::to_string(param_info.param.answer_at_ms) + "MsReaderLateBy" +
                                    std::to_string(param_info.param.lateness_ms) + "Ms";
                         });

// A whole poll, paced at the line rate, on a machine that wakes every sleep
// late: every answer that came in its window is taken.
TEST_F(Wcu_Link, APollIsGoodWhenEveryWakeIsLate)
{
    Load(Typical_Sd_Wcu());
    Simulator().Set_Paced(true);
    Connect();
    Set_Simulated_Lateness(15 * Ms);
    EXPECT_TRUE(link.Poll_SD(state, state.SD));
    EXPECT_EQ(Requests_Since_Connect(), "%!\"#");
    EXPECT_EQ(state.SD.AMU2.Identifier, 2);
}

TEST(Wcu_Link_Without_Port, EveryRequestFails)
{
    Temp_Settings settings;
    St_System state(1);
    ASSERT_EQ(state.Settings.Port_Number, 0);
    PC_WCU_Link link(state);
    EXPECT_FALSE(link.Is_Open());
    state.Settings.Connected = true;
    EXPECT_FALSE(link.Ask_Wcu_Type(state));
    EXPECT_TRUE(state.Settings.Connected);
    EXPECT_FALSE(link.Poll_SD(state, state.SD));
    EXPECT_FALSE(state.Settings.Connected);
    EXPECT_EQ(link.Read_Answer(), 0);
    EXPECT_EQ(link.Read_Long_Answer(), 0);
}
