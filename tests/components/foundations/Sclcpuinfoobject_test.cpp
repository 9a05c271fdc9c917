#include "components/foundations/Sclcpuinfoobject.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <string>

#include "platform/classlib/SysUtils.h"
#include "platform/winapi/Processor.h"

namespace {

std::string Cpuinfo_Vendor()
{
    std::ifstream cpuinfo("/proc/cpuinfo");
    for (std::string line; std::getline(cpuinfo, line);)
        if (line.starts_with("vendor_id"))
            return Trim(line.substr(line.find(':') + 1));
    return {};
}

TEST(Sclcpuinfoobject, IdentifiesThisProcessor)
{
    const std::string vendor = Cpuinfo_Vendor();
    if (vendor.empty())
        GTEST_SKIP() << "no x86 processor identification here";
    TSCLCPUInfo info;
    ASSERT_TRUE(SCLGetCPUInfo(info));
    EXPECT_EQ(info.IDString, vendor);
    EXPECT_GT(info.Family, 0);
    EXPECT_TRUE(info.FPU);
    EXPECT_TRUE(info.TimeStampCoutner);
    EXPECT_EQ(SCLExistMMX(), info.MMX);
    EXPECT_EQ(SCLExist3DNow(), info.AMD3DNow);
    if (vendor == "AuthenticAMD") {
        EXPECT_FALSE(info.CPUName.empty());
    } else {
        EXPECT_FALSE(info.SysCallAndSysRet);
        EXPECT_FALSE(info.FPCond_MOVE_Instruct);
        EXPECT_FALSE(info.AMD3DNow);
        EXPECT_EQ(info.CPUName, "");
    }
}

// A processor of the test's own: the registers of each function from a
// table, all zero for any other function.
class SclcpuinfoobjectFake : public testing::Test {
protected:
    void TearDown() override { Set_Cpuid_Source({}); }
    void Use(std::map<DWORD, Cpuid_Registers> table)
    {
        Set_Cpuid_Source([table = std::move(table)](DWORD function) {
            const auto found = table.find(function);
            return found == table.end() ? Cpuid_Registers{} : found->second;
        });
    }
};

// "GenuineIntel" / "AuthenticAMD" as EBX, EDX, ECX hold them.
constexpr Cpuid_Registers Intel{1, 0x756E6547, 0x6C65746E, 0x49656E69};
constexpr Cpuid_Registers Amd{1, 0x68747541, 0x444D4163, 0x69746E65};
// Stepping 3, model 10, family 6; FPU, TSC, CMPXCHG8B, CMOV, MMX.
constexpr Cpuid_Registers Features{0x000006A3, 0, 0, (1u << 0) | (1u << 4) | (1u << 8) | (1u << 15) | (1u << 23)};

Cpuid_Registers Name_Part(const char (&text)[17])
{
    Cpuid_Registers r{};
    std::memcpy(r.data(), text, 16);
    return r;
}

TEST_F(SclcpuinfoobjectFake, StandardFunctionsGiveVendorVersionAndFlags)
{
    Use({{0, Intel}, {1, Features}, {0x80000000, {0x80000004, 0, 0, 0}}, {0x80000001, {0, 0, 0, 0xFFFFFFFF}}});
    TSCLCPUInfo info;
    ASSERT_TRUE(SCLGetCPUInfo(info));
    EXPECT_EQ(info.IDString, "GenuineIntel");
    EXPECT_EQ(info.Stepping, 3);
    EXPECT_EQ(info.Model, 10);
    EXPECT_EQ(info.Family, 6);
    EXPECT_TRUE(info.FPU);
    EXPECT_FALSE(info.VirtualModeExtensions);
    EXPECT_TRUE(info.TimeStampCoutner);
    EXPECT_TRUE(info.CMP_XCHG_8B);
    EXPECT_FALSE(info.APIC);
    EXPECT_TRUE(info.Cond_MOVE_Instruct);
    EXPECT_TRUE(info.MMX);
    EXPECT_TRUE(SCLExistMMX());
    // Not an AMD processor: its extended functions are never read.
    EXPECT_FALSE(info.SysCallAndSysRet);
    EXPECT_FALSE(info.AMD3DNow);
    EXPECT_FALSE(SCLExist3DNow());
    EXPECT_EQ(info.CPUName, "");
}

TEST_F(SclcpuinfoobjectFake, AmdExtendedFunctionsGiveFlagsAndName)
{
    Use({{0, Amd},
         {1, Features},
         {0x80000000, {0x80000004, 0, 0, 0}},
         {0x80000001, {0, 0, 0, (1u << 11) | (1u << 31)}},
         {0x80000002, Name_Part("AMD Test Process")},
         {0x80000003, Name_Part("or 3000+\0\0\0\0\0\0\0\0")},
         {0x80000004, {}}});
    TSCLCPUInfo info;
    ASSERT_TRUE(SCLGetCPUInfo(info));
    EXPECT_EQ(info.IDString, "AuthenticAMD");
    EXPECT_TRUE(info.SysCallAndSysRet);
    EXPECT_FALSE(info.FPCond_MOVE_Instruct);
    EXPECT_TRUE(info.AMD3DNow);
    EXPECT_EQ(info.CPUName, "AMD Test Processor 3000+");
}

TEST_F(SclcpuinfoobjectFake, AmdWithoutTheNameFunctionsHasNoName)
{
    Use({{0, Amd}, {1, Features}, {0x80000000, {0x80000001, 0, 0, 0}}, {0x80000001, {0, 0, 0, 1u << 16}}});
    TSCLCPUInfo info;
    ASSERT_TRUE(SCLGetCPUInfo(info));
    EXPECT_TRUE(info.FPCond_MOVE_Instruct);
    EXPECT_EQ(info.CPUName, "");
}

TEST_F(SclcpuinfoobjectFake, TheObjectKeepsWhatItReadAtItsMaking)
{
    Use({{0, Amd}, {1, Features}});
    const TSCLCPUInfoObject object;
    Use({{0, Intel}, {1, {0x00000F21, 0, 0, 0}}});
    EXPECT_EQ(object.IDString(), "AuthenticAMD");
    EXPECT_EQ(object.Family(), 6);
    EXPECT_EQ(object.Model(), 10);
    EXPECT_EQ(object.Stepping(), 3);
    EXPECT_TRUE(object.MMX());
    EXPECT_TRUE(object.FPU());
    EXPECT_EQ(TSCLCPUInfoObject().IDString(), "GenuineIntel");
    EXPECT_FALSE(TSCLCPUInfoObject().MMX());
}

} // namespace
