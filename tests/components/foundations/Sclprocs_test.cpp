#include "components/foundations/Sclprocs.h"
#include "platform/winapi/Kernel.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace {

TEST(SclprocsGeometry, RectangleArithmetic)
{
    RECT r{};
    SCLExpandRect({10, 20, 30, 40}, 3, r);
    EXPECT_EQ(r, (RECT{7, 17, 33, 43}));
    SCLAdjustRect(r, -3, 2);
    EXPECT_EQ(r, (RECT{7, 17, 30, 45}));
    SCLAdjustRectExt(r, 1, 2, 3, 4);
    EXPECT_EQ(r, (RECT{8, 19, 33, 49}));
    int w = 0;
    int h = 0;
    SCLGetRectWH(r, w, h);
    EXPECT_EQ(w, 25);
    EXPECT_EQ(h, 30);
}

TEST(SclprocsGeometry, AffineRectFitsProportions)
{
    struct Case {
        RECT source;
        RECT dest;
        RECT expected;
    };
    const std::array<Case, 5> cases{{
        {{0, 0, 200, 100}, {10, 20, 60, 70}, {10, 20, 60, 45}},
        {{0, 0, 100, 200}, {0, 0, 50, 50}, {0, 0, 25, 50}},
        {{5, 5, 9, 7}, {0, 0, 10, 20}, {0, 0, 10, 5}},
        // A source without extent has nothing to scale.
        {{0, 0, 0, 0}, {4, 4, 50, 50}, {4, 4, 4, 4}},
        {{0, 0, 0, 10}, {4, 4, 50, 50}, {4, 4, 4, 4}},
    }};
    for (const auto& c : cases) {
        RECT result{};
        SCLAffineRect(c.source, c.dest, result);
        EXPECT_EQ(result, c.expected);
    }
}

TEST(SclprocsGeometry, RectInRectIncludesTheEdges)
{
    const RECT outer{0, 0, 100, 50};
    EXPECT_TRUE(SCLRectinRect(outer, outer));
    EXPECT_TRUE(SCLRectinRect({10, 10, 20, 20}, outer));
    EXPECT_FALSE(SCLRectinRect({10, 10, 101, 20}, outer));
    EXPECT_FALSE(SCLRectinRect({-1, 10, 20, 20}, outer));
    EXPECT_FALSE(SCLRectinRect({10, 10, 20, 51}, outer));
}

TEST(SclprocsGeometry, RotatedBoundingBoxes)
{
    struct Case {
        RECT r;
        int angle;
        RECT expected;
    };
    const std::array<Case, 4> cases{{
        {{0, 0, 100, 50}, 90, {0, 0, 50, 100}},
        {{0, 0, 100, 50}, 180, {0, 0, 100, 50}},
        {{10, 10, 110, 60}, 0, {10, 10, 110, 60}},
        // 45 degrees: p = Round(35.36 - 17.68) = 18, q = 53, u = 18, v = 53.
        {{0, 0, 100, 50}, 45, {0, 0, 106, 106}},
    }};
    for (auto c : cases) {
        SCLCalcRotRect(c.r, c.angle);
        EXPECT_EQ(c.r, c.expected) << c.angle;
    }
}

TEST(SclprocsGeometry, RotatedTextOffsets)
{
    struct Case {
        int angle;
        int x;
        int y;
    };
    // W = 40, H = 10.
    const std::array<Case, 6> cases{{
        {0, 0, 10},
        {90, 10, 10},
        {180, 40, 0},
        {270, 30, 0},
        {45, 7, 14},
        {-90, -10, 0},
    }};
    for (const auto& c : cases) {
        EXPECT_EQ(SCLRotatedXPos(c.angle, 40, 10), c.x) << c.angle;
        EXPECT_EQ(SCLRotatedYPos(c.angle, 999, 10), c.y) << c.angle;
    }
}

TEST(SclprocsGeometry, PointsMidpointOffsetAndNull)
{
    std::array<POINT, 3> points{{{0, 0}, {10, 4}, {-4, 8}}};
    POINT mid{99, 99};
    SCLMidpoint(points, mid);
    EXPECT_EQ(mid, (POINT{2, 4}));
    SCLMidpoint(std::span(points).first(1), mid);
    EXPECT_EQ(mid, (POINT{0, 0}));
    mid = {7, 7};
    SCLMidpoint(std::span<const POINT>(), mid);
    EXPECT_EQ(mid, (POINT{7, 7}));
    // Truncation toward zero.
    const std::array<POINT, 2> negative{{{-3, -1}, {0, 0}}};
    SCLMidpoint(negative, mid);
    EXPECT_EQ(mid, (POINT{-1, 0}));

    SCLOffsetPoints(points, 2, -1);
    EXPECT_EQ(points[2], (POINT{-2, 7}));
    SCLNullPoints(std::span(points).first(2));
    EXPECT_EQ(points[0], POINT{});
    EXPECT_EQ(points[1], POINT{});
    EXPECT_EQ(points[2], (POINT{-2, 7}));
}

TEST(SclprocsNumbers, MinMaxAndMidpoints)
{
    const std::array<int, 1> single{42};
    const std::array<int, 3> values{5, -3, 7};
    EXPECT_EQ(SCLMax(single), 42);
    EXPECT_EQ(SCLMin(values), -3);
    EXPECT_EQ(SCLMax(values), 7);
    EXPECT_EQ(SCLMax(std::span<const int>()), 0);
    EXPECT_EQ(SCLMin(std::span<const int>()), 0);
    const std::array<double, 3> reals{1.5, -2.25, 1.5};
    EXPECT_EQ(SCLMaxR(reals), 1.5);
    EXPECT_EQ(SCLMinR(reals), -2.25);
    EXPECT_EQ(SCLMaxR(std::span<const double>()), 0.0);

    EXPECT_EQ(SCLMidI(-3, 0), -1);
    EXPECT_EQ(SCLMidI(3, 4), 3);
    EXPECT_EQ(SCLMidI(2147483647, 2147483647), 2147483647);

    int a = 1;
    int b = 2;
    SCLSwapInt(a, b);
    EXPECT_EQ(a, 2);
    std::string s = "x";
    std::string t = "y";
    SCLSwapString(s, t);
    EXPECT_EQ(s + t, "yx");
}

TEST(SclprocsNumbers, BitOperations)
{
    struct Case {
        BYTE before;
        int bit;
        bool value;
        BYTE after;
    };
    const std::array<Case, 6> cases{{
        {0x00, 2, false, 0x00},
        {0x04, 2, false, 0x00},
        {0x00, 2, true, 0x04},
        {0x04, 2, true, 0x04},
        {0xFF, 7, false, 0x7F},
        {0x12, 8, true, 0x12},
    }};
    for (const auto& c : cases) {
        BYTE b = c.before;
        SCLSetBit(b, c.bit, c.value);
        EXPECT_EQ(b, c.after) << int(c.before) << " bit " << c.bit;
    }
    BYTE b = 0x80;
    SCLSetBitUpTo(b, 2);
    EXPECT_EQ(b, 0x87);
    SCLSetBitUpTo(b, 12);
    EXPECT_EQ(b, 0xFF);
    EXPECT_TRUE(SCLGetBit(0x04, 2));
    EXPECT_FALSE(SCLGetBit(0x04, 1));
    EXPECT_FALSE(SCLGetBit(0xFF, 8));
}

TEST(SclprocsNumbers, ExpWrapsIn32Bits)
{
    EXPECT_EQ(SCLExp(2, 0), 1);
    EXPECT_EQ(SCLExp(2, -5), 1);
    EXPECT_EQ(SCLExp(3, 4), 81);
    EXPECT_EQ(static_cast<std::uint32_t>(SCLExp(2, 31)), 0x80000000u);
    EXPECT_EQ(SCLExp(2, 32), 0);
    EXPECT_EQ(SCLExp(-2, 3), -8);
}

TEST(SclprocsNumbers, DelayWaitsAtLeastItsTime)
{
    using namespace std::chrono;
    const auto start = steady_clock::now();
    SCLDelay(0);
    SCLDelay(3);
    EXPECT_GE(steady_clock::now() - start, milliseconds(3));
}

TEST(SclprocsPaths, ProgramAndSystemFolders)
{
    const auto program = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(SCLAppPath(), program.parent_path().string() + "/");
    EXPECT_EQ(SCLAppIniName(), "SOFTWARE\\" + program.stem().string());
    EXPECT_EQ(SCLCreatePathPrefix(ppProgram, true), SCLAppPath());
    EXPECT_EQ(SCLCreatePathPrefix(ppProgram, false), program.parent_path().string());
    EXPECT_EQ(SCLCreatePathPrefix(ppWindows, true), SCLWindowsDirectory() + "/");
    EXPECT_EQ(SCLCreatePathPrefix(ppSystem, false), SCLSystemDirectory());
    EXPECT_TRUE(std::filesystem::is_directory(SCLWindowsDirectory()));
    EXPECT_TRUE(std::filesystem::is_directory(SCLSystemDirectory()));
    EXPECT_EQ(SCLCreatePathPrefix(ppFixed, true), "");
    EXPECT_EQ(SCLExtractFileName("/opt/app/tool.bin.ini"), "tool.bin");
    EXPECT_EQ(SCLExtractFileName("plain"), "plain");
}

TEST(SclprocsPaths, ShrunkFileNameDropsFoldersOneByOne)
{
    const std::string name = "/home/user/data/file.txt";
    const std::array<std::pair<int, const char*>, 6> steps{{
        {100, "/home/user/data/file.txt"},
        {23, "/.../user/data/file.txt"},
        {19, "/.../data/file.txt"},
        {14, "/.../file.txt"},
        {12, ".../file.txt"},
        {3, "file.txt"},
    }};
    for (const auto& [max_len, expected] : steps)
        EXPECT_EQ(SCLShrunkFileName(name, max_len), expected) << max_len;
    EXPECT_EQ(SCLShrunkFileName("file.txt", 2), "file.txt");
    EXPECT_EQ(SCLShrunkFileName("/file.txt", 2), "file.txt");
    EXPECT_EQ(SCLShrunkFileName(".config/x/f", 8), ".../x/f");
}

TEST(SclprocsSystemMenu, DeletionsKeepOnlyTheEntriesAskedFor)
{
    const TSCLSysMenuEntries all{smRestore, smMove, smSize, smMinimize, smMaximize, smClose, smSwitch};
    const TSCLSysMenuEntries close_only{smClose};
    const struct {
        const char* name;
        TSCLSysMenuEntries entries;
        bool short_menu;
        bool new_style;
        std::vector<UINT> positions;
    } cases[] = {
        {"everything kept", all, false, true, {}},
        {"full, nothing kept, new", {}, false, true, {6, 5, 4, 3, 2, 1, 0}},
        {"full, nothing kept, old", {}, false, false, {8, 7, 6, 5, 4, 3, 2, 1, 0}},
        {"full, close only", close_only, false, true, {5, 4, 3, 2, 1, 0}},
        {"full, no maximize nor switch, old", all - TSCLSysMenuEntries{smMaximize, smSwitch}, false, false, {8, 7, 4}},
        {"short, nothing kept, new", {}, true, true, {3, 2, 1, 0}},
        {"short, nothing kept, old", {}, true, false, {6, 5, 4, 3, 2, 1, 0}},
        {"short, close only, new", close_only, true, true, {2, 1, 0}},
        {"short, close only, old", close_only, true, false, {6, 5, 3, 2, 1, 0}},
        {"short, no move, new", all - TSCLSysMenuEntries{smMove}, true, true, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SCLSysMenuDeletions(c.entries, c.short_menu, c.new_style), c.positions) << c.name;
}

TEST(SclprocsSystemMenu, WindowsOnLinuxHaveNoMenuToPrune)
{
    EXPECT_EQ(GetSystemMenu(nullptr, FALSE), nullptr);
    SetLastError(0);
    SCLCheckSystemMenu({}, nullptr, false); // Menu 0: nothing happens
    SCLCheckSystemMenu({}, nullptr, true);
    EXPECT_EQ(GetLastError(), 0u);
    EXPECT_FALSE(DeleteMenu(nullptr, 0, MF_BYPOSITION));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_MENU_HANDLE);
}

} // namespace
