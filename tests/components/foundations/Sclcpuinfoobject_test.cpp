#include "components/foundations/Sclcpuinfoobject.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/classlib/SysUtils.h"

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

TEST(Sclcpuinfoobject, TheObjectShowsTheRecordReadAtItsMaking)
{
    TSCLCPUInfo info;
    SCLGetCPUInfo(info);
    const TSCLCPUInfoObject object;
    EXPECT_EQ(object.IDString(), info.IDString);
    EXPECT_EQ(object.Family(), info.Family);
    EXPECT_EQ(object.Model(), info.Model);
    EXPECT_EQ(object.MMX(), info.MMX);
    EXPECT_EQ(object.AMD3DNow(), info.AMD3DNow);
    EXPECT_EQ(object.CPUName(), info.CPUName);
    EXPECT_EQ(object.ExistCPUInfo(), SCLExistCPUInfo());
}

} // namespace
