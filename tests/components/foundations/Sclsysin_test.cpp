#include "components/foundations/Sclsysin.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "platform/classlib/SysUtils.h"
#include "platform/winapi/System_Info.h"
#include "tests/support/Scoped_Variable.h"
#include "tests/support/Temp_Settings.h"

namespace fs = std::filesystem;

namespace {

void Write_File(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

// Points the fact files at a fresh folder for one test.
class SclsysinFacts : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = Make_Temp_Folder("sysin");
        Set_System_Fact_Root(root.string());
    }
    void TearDown() override
    {
        Set_System_Fact_Root("/");
        fs::remove_all(root);
    }
    void Fact(const std::string& relative, const std::string& text) { Write_File(root / relative, text); }

    fs::path root;
};

TEST(Sclsysin, PlausibleFactsOfThisMachine)
{
    EXPECT_GT(SCLSIMemTotal(), 64u << 20);
    EXPECT_LE(SCLSIMemFree(), SCLSIMemTotal());
    EXPECT_LE(SCLSIMemLoaded(), 100u);
    EXPECT_GE(SCLSIMemPageTotal(), SCLSIMemTotal());
    EXPECT_GT(SCLSIMemVirtTotal(), 0u);
    EXPECT_LT(SCLSIMemVirtFree(), SCLSIMemVirtTotal());
    EXPECT_GE(SCLSIMajorVersionNr(), 3u);
    EXPECT_EQ(SCLSIVersionStr(), std::to_string(SCLSIMajorVersionNr()) + "." + std::to_string(SCLSIMinorVersionNr()));
    EXPECT_EQ(SCLSIPlatformStr(), "Windows NT");
    EXPECT_EQ(SCLSIPlatformID(), 2u);
    EXPECT_FALSE(SCLSIVersionString().empty());
    EXPECT_EQ(SCLSIProcessorCount(), static_cast<int>(sysconf(_SC_NPROCESSORS_ONLN)));
#if defined(__x86_64__) || defined(__i386__)
    EXPECT_EQ(SCLSIProcessorTypeStr(), "Intel Pentium");
#endif

    // A name longer than the 15 characters of a computer name is refused.
    std::array<char, 256> host{};
    gethostname(host.data(), host.size());
    EXPECT_EQ(SCLSIComputerName(), std::string(host.data()).size() <= 15 ? host.data() : SCLSIUnknown);
    EXPECT_NE(SCLSIUserName(), SCLSIUnknown);
    EXPECT_EQ(SCLSIRegisteredOwner(), SCLSIUnknown);

    EXPECT_EQ(SCLSIColorDepth(), 32);
    EXPECT_EQ(SCLSIFreeSysRes(), 100);
    EXPECT_EQ(SCLSIVersionInfo(viVersion), "2.0.3.0");
    EXPECT_EQ(SCLSIVersionInfo(viName), "");
    EXPECT_EQ(GetSystemInfoString(itMemSize, 1024, ""), IntToStr(static_cast<std::int64_t>(SCLSIMemTotal() / 1024)));
    EXPECT_EQ(GetSystemInfoString(itMemSize, 0, ""), IntToStr(static_cast<std::int64_t>(SCLSIMemTotal())));
    EXPECT_EQ(GetSystemInfoString(itCurrentDir32, 1, ""), fs::current_path().string());
    EXPECT_GT(StrToInt(GetSystemInfoString(itCurrentDiskSize32, 1 << 20, "")), 0);
}

TEST_F(SclsysinFacts, MissingSourcesGiveFixedValues)
{
    EXPECT_EQ(SCLSIMemTotal(), 0u);
    EXPECT_EQ(SCLSIMemFree(), 0u);
    EXPECT_EQ(SCLSIMemLoaded(), 0u);
    EXPECT_EQ(SCLSIMemPageTotal(), 0u);
    EXPECT_EQ(SCLSIMemVirtTotal(), 0u);
    EXPECT_EQ(SCLSIMemVirtFree(), 0u);
    EXPECT_EQ(SCLSIMajorVersionNr(), 0u);
    EXPECT_EQ(SCLSIBuildNr(), 0);
    EXPECT_EQ(SCLSIVersionStr(), "0.0");
    EXPECT_EQ(SCLSIVersionNr(), 0.0);
    EXPECT_EQ(SCLSIVersionString(), "");
    EXPECT_EQ(SCLSIPlatformStr(), "Windows NT");
    EXPECT_EQ(SCLSIComputerName(), SCLSIUnknown);
}

TEST_F(SclsysinFacts, FactsAreReadFromTheirFiles)
{
    Fact("proc/meminfo", "MemTotal:        1000 kB\nMemFree:          100 kB\nMemAvailable:     250 kB\n"
                         "SwapTotal:        500 kB\nSwapFree:         400 kB\n");
    Fact("proc/self/status", "Name:\ttest\nVmSize:\t    2048 kB\n");
    Fact("proc/sys/kernel/osrelease", "4.10.3-custom\n");
    Fact("proc/sys/kernel/ostype", "Linux\n");
    Fact("proc/sys/kernel/hostname", "camera-pc\n");
    Fact("proc/sys/kernel/version", "#1 SMP Debian\n");

    EXPECT_EQ(SCLSIMemTotal(), 1000u * 1024);
    EXPECT_EQ(SCLSIMemFree(), 250u * 1024);
    EXPECT_EQ(SCLSIMemLoaded(), 75u);
    EXPECT_EQ(SCLSIMemPageTotal(), 1500u * 1024);
    EXPECT_EQ(SCLSIMemPageFree(), 650u * 1024);
    EXPECT_EQ(SCLSIMemVirtTotal() - SCLSIMemVirtFree(), 2048u * 1024);
    EXPECT_EQ(SCLSIMajorVersionNr(), 4u);
    EXPECT_EQ(SCLSIMinorVersionNr(), 10u);
    EXPECT_EQ(SCLSIBuildNr(), 3);
    EXPECT_EQ(SCLSIVersionStr(), "4.10");
    EXPECT_DOUBLE_EQ(SCLSIVersionNr(), 4.1);
    EXPECT_EQ(SCLSIVersionString(), "#1 SMP Debian");
    EXPECT_EQ(SCLSIComputerName(), "camera-pc");
    EXPECT_EQ(GetSystemInfoString(itMemLoaded32, 0, ""), "75");
    EXPECT_EQ(GetSystemInfoString(itMemFree32, 1024, ""), "250");
    EXPECT_EQ(GetSystemInfoString(itPlatform32, 1, ""), "Windows NT");
    EXPECT_EQ(GetSystemInfoString(itMajorVerNr32, 1, ""), "4");
}

TEST_F(SclsysinFacts, ComputerNamesBeyondFifteenCharactersAreUnknown)
{
    Fact("proc/sys/kernel/hostname", "exactly-15-char\n");
    EXPECT_EQ(SCLSIComputerName(), "exactly-15-char");
    Fact("proc/sys/kernel/hostname", "sixteen-char-pc1\n");
    EXPECT_EQ(SCLSIComputerName(), SCLSIUnknown);
}

// The clock estimate counts cycles over half a second: called once.
TEST(Sclsysin, CpuSpeedFromTheCycleCounter)
{
#if defined(__x86_64__) || defined(__i386__)
    const double speed = SCLSIGetCPUSpeed();
    EXPECT_GT(speed, 50.0);
    EXPECT_LT(speed, 8590.0); // the low 32 bits of the count over 500000
#else
    EXPECT_EQ(SCLSIGetCPUSpeed(), 0.0);
#endif
}

TEST_F(SclsysinFacts, VersionNumbers)
{
    const std::array<std::pair<const char*, double>, 4> cases{{
        {"5.1", 5.1}, {"4.10.0", 4.1}, {"6.0.12-rt", 6.0}, {"6.123.0", 6.123}}};
    for (const auto& [release, number] : cases) {
        Fact("proc/sys/kernel/osrelease", release);
        EXPECT_DOUBLE_EQ(SCLSIVersionNr(), number) << release;
    }
}

TEST(Sclsysin, TempFilesGoToTheUsersPrivateFolderOrNowhere)
{
    const fs::path folder = Make_Temp_Folder("sysin-tmp");
    {
        Scoped_Variable runtime("XDG_RUNTIME_DIR", folder.string());
        EXPECT_EQ(SCLSITempPath(), folder.string() + "/");
        const std::string file = SCLSITempFile();
        EXPECT_EQ(fs::path(file).parent_path(), folder);
        EXPECT_TRUE(fs::path(file).filename().string().starts_with("tmp"));
        EXPECT_TRUE(fs::is_regular_file(file));
    }
    {
        // Neither a private runtime folder nor a cache folder that can be made.
        Write_File(folder / "file", "");
        Scoped_Variable runtime("XDG_RUNTIME_DIR", (folder / "missing").string());
        Scoped_Variable cache("XDG_CACHE_HOME", (folder / "file").string());
        Scoped_Variable shared("TMPDIR", folder.string());
        EXPECT_EQ(SCLSITempFile(), "");
    }
    fs::remove_all(folder);
}

TEST(Sclsysin, LabelsAndFixedTexts)
{
    EXPECT_EQ(SCLSIInfoToString(itUser), "Username");
    EXPECT_EQ(SCLSIInfoToString(itColorDepth), "Colordepth (in bits)");
    EXPECT_EQ(SCLSIInfoToString(itProgCompany), "CompanyName");
    EXPECT_EQ(SCLSIInfoToString(itCPUSpeed), "CPU Speed");
    EXPECT_EQ(GetSystemInfoString(itDOSVersion, 1, ""), "Win32");
    EXPECT_EQ(GetSystemInfoString(itFreeGDIRes, 0, ""), "100");
    EXPECT_EQ(GetSystemInfoString(itProgVersion, 1, ""), "2.0.3.0");
    Set_Clock([] { return EncodeDate(2024, 3, 9) + EncodeTime(7, 5, 0, 0); });
    EXPECT_EQ(GetSystemInfoString(itCurrentDateTime, 1, "yyyy-mm-dd hh:nn"), "2024-03-09 07:05");
    Set_Clock({});
}

} // namespace

namespace {

TEST(Sclsysin, TimeZoneFromTheEnvironment)
{
    const char* previous = std::getenv("TZ");
    const std::string saved = previous != nullptr ? previous : "";
    struct Case {
        const char* tz;
        const char* name;
        int bias;
    };
    for (const Case c : {Case{"CET-1CEST", "CET", -60}, Case{"EST5EDT", "EST", 300}, Case{"UTC0", "UTC", 0}}) {
        setenv("TZ", c.tz, 1);
        EXPECT_EQ(SCLSIGetTimeZone(), c.name) << c.tz;
        EXPECT_EQ(SCLSIGetTimeZoneBias(), c.bias) << c.tz;
    }
    if (previous != nullptr)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

TEST(Sclsysin, ListsWithoutAListAreLeftAlone)
{
    SCLSIEnvironment(nullptr);
    SCLSIDriveList(nullptr);
    TStringList environment;
    environment.Add("stale");
    SCLSIEnvironment(&environment);
    EXPECT_EQ(environment.IndexOf("stale"), -1);
    EXPECT_GT(environment.Count(), 0);
}

} // namespace
