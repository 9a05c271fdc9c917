#include "components/foundations/Sclprocs.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/classlib/SysUtils.h"

namespace {

constexpr double Pi = 3.141592653589793;

double Sin_Degrees(int Angle)
{
    return std::sin(Angle * Pi / 180.0);
}

double Cos_Degrees(int Angle)
{
    return std::cos(Angle * Pi / 180.0);
}

int Round_Int(double Value)
{
    return static_cast<int>(Round(Value));
}

// ---- Paths ----

std::string Path_Add_Delimiter(const std::string& Path)
{
    return !Path.empty() && Path.back() == '/' ? Path : Path + '/';
}

std::string Path_Remove_Delimiter(const std::string& Path)
{
    return Path.size() > 1 && Path.back() == '/' ? Path.substr(0, Path.size() - 1) : Path;
}

// Cuts the first folder of a shortened folder part: "/a/b/" gives "/.../b/",
// "/.../b/" gives "/.../", ".../" gives "".
std::string Cut_First_Directory(std::string Dir)
{
    if (Dir == "/")
        return {};
    const bool rooted = Dir.front() == '/';
    if (rooted)
        Dir.erase(0, 1);
    if (Dir.starts_with(".../"))
        Dir.erase(0, 4);
    const auto slash = Dir.find('/');
    Dir = slash == std::string::npos ? std::string() : ".../" + Dir.substr(slash + 1);
    return rooted ? '/' + Dir : Dir;
}

// ---- LZRW ----

constexpr BYTE Flag_Compressed = 0x40;
constexpr BYTE Flag_Stored = 0x80;
constexpr std::size_t Max_Run = 4095;
constexpr std::size_t Min_Run = 16;
constexpr std::size_t Min_Match = 3;
constexpr std::size_t Max_Match = 18;
constexpr long Max_Distance = 4095;
constexpr WORD Empty_Slot = 0xFFFF;

using Hash_Table = std::array<WORD, 4096>;

void Put_Big_Endian(std::span<BYTE> Dest, std::size_t At, unsigned Word)
{
    Dest[At] = static_cast<BYTE>((Word >> 8) & 0xFF);
    Dest[At + 1] = static_cast<BYTE>(Word & 0xFF);
}

std::size_t Run_Length(std::span<const BYTE> Source, std::size_t X)
{
    std::size_t size = 1;
    while (X + size < Source.size() && size < Max_Run && Source[X + size] == Source[X])
        ++size;
    return size;
}

unsigned Hash_At(std::span<const BYTE> Source, std::size_t X)
{
    const std::uint32_t key = (((static_cast<std::uint32_t>(Source[X]) << 4) ^ Source[X + 1]) << 4) ^ Source[X + 2];
    return ((key * 40543u) >> 4) & 0x0FFF;
}

struct Match {
    std::size_t position = 0;
    std::size_t size = 0;
};

// The one candidate of the hash slot, when it lies within reach; the slot
// then takes X. Fewer than three bytes left can never match, so those
// positions are not hashed (their hash would need bytes past the input).
Match Find_Match(std::span<const BYTE> Source, std::size_t X, Hash_Table& Hash)
{
    if (X + Min_Match > Source.size())
        return {};
    WORD& slot = Hash[Hash_At(Source, X)];
    const WORD candidate = slot;
    slot = static_cast<WORD>(X);
    // The slot is read as a signed 16-bit position, so positions of 32768
    // and above never qualify: the stored format depends on it.
    if (candidate == Empty_Slot || static_cast<long>(X) - static_cast<std::int16_t>(candidate) > Max_Distance)
        return {};
    Match match{candidate, 0};
    while (match.size < Max_Match && X + match.size < Source.size()
           && Source[X + match.size] == Source[candidate + match.size])
        ++match.size;
    return match.size >= Min_Match ? match : Match{};
}

[[noreturn]] void Raise_Damaged(const std::string& Fault)
{
    throw Exception("Damaged LZRW block: " + Fault);
}

// Unpacks the items of a compressed block, every read and write checked.
class Block_Reader {
public:
    Block_Reader(std::span<const BYTE> Source, std::span<BYTE> Dest) : source(Source), dest(Dest) {}

    std::size_t Unpack()
    {
        Need(3, "control word");
        unsigned command = Source_Word(1);
        int bits = 16;
        x = 3;
        while (x < source.size()) {
            if (bits == 0) {
                Need(2, "control word");
                command = Source_Word(x);
                bits = 16;
                x += 2;
                Need(1, "item after control word");
            }
            if (command & 0x8000)
                Copy_Item();
            else
                Literal_Item();
            command = (command << 1) & 0xFFFF;
            --bits;
        }
        return y;
    }

private:
    void Need(std::size_t Count, const char* What) const
    {
        if (source.size() - std::min(x, source.size()) < Count)
            Raise_Damaged(std::string("truncated ") + What + " at offset " + std::to_string(x));
    }

    void Room(std::size_t Count) const
    {
        if (dest.size() - y < Count)
            Raise_Damaged("output of more than " + std::to_string(dest.size()) + " bytes");
    }

    unsigned Source_Word(std::size_t At) const { return (source[At] << 8) | source[At + 1]; }

    void Literal_Item()
    {
        Room(1);
        dest[y++] = source[x++];
    }

    void Copy_Item()
    {
        Need(2, "copy item");
        const std::size_t distance = (source[x] << 4) | (source[x + 1] >> 4);
        if (distance == 0)
            Run_Item();
        else
            Match_Item(distance);
    }

    void Run_Item()
    {
        Need(4, "run item");
        const std::size_t count = ((source[x + 1] << 8) | source[x + 2]) + Min_Run;
        Room(count);
        std::fill_n(dest.begin() + static_cast<std::ptrdiff_t>(y), count, source[x + 3]);
        x += 4;
        y += count;
    }

    void Match_Item(std::size_t Distance)
    {
        if (Distance > y)
            Raise_Damaged("copy distance " + std::to_string(Distance) + " before the start of the output at "
                          + std::to_string(y));
        const std::size_t length = (source[x + 1] & 0x0F) + Min_Match;
        Room(length);
        // Byte by byte forwards: a distance below the length repeats a pattern.
        for (std::size_t k = 0; k < length; ++k)
            dest[y + k] = dest[y - Distance + k];
        x += 2;
        y += length;
    }

    std::span<const BYTE> source;
    std::span<BYTE> dest;
    std::size_t x = 0;
    std::size_t y = 0;
};

} // namespace

// ---- Rectangles and points ----------------------------------------------

void SCLExpandRect(const RECT& R, int Delta, RECT& Result)
{
    Result = {R.left - Delta, R.top - Delta, R.right + Delta, R.bottom + Delta};
}

void SCLAdjustRect(RECT& R, int DX, int DY)
{
    R.right += DX;
    R.bottom += DY;
}

void SCLAdjustRectExt(RECT& R, int DL, int DT, int DR, int DB)
{
    R = {R.left + DL, R.top + DT, R.right + DR, R.bottom + DB};
}

void SCLAffineRect(const RECT& Source, const RECT& Dest, RECT& Result)
{
    const long double sw = Source.right - Source.left;
    const long double sh = Source.bottom - Source.top;
    Result = {Dest.left, Dest.top, Dest.left, Dest.top};
    if (sw <= 0 || sh <= 0)
        return;
    const long double f = std::min((Dest.right - Dest.left) / sw, (Dest.bottom - Dest.top) / sh);
    Result.right += static_cast<LONG>(std::trunc(sw * f));
    Result.bottom += static_cast<LONG>(std::trunc(sh * f));
}

void SCLGetRectWH(const RECT& R, int& W, int& H)
{
    W = R.right - R.left;
    H = R.bottom - R.top;
}

bool SCLRectinRect(const RECT& R, const RECT& Outer)
{
    return R.left >= Outer.left && R.top >= Outer.top && R.right <= Outer.right && R.bottom <= Outer.bottom;
}

void SCLCalcRotRect(RECT& R, int Angle)
{
    if (Angle == 0)
        return;
    const double a = Angle * 0.017453292519943295;
    const double s = std::sin(a);
    const double c = std::cos(a);
    const int hw = (R.right - R.left) / 2;
    const int hh = (R.bottom - R.top) / 2;
    const int cx = R.left + hw;
    const int cy = R.top + hh;
    const int p = Round_Int(hw * c - hh * s);
    const int q = Round_Int(hw * c + hh * s);
    const int u = Round_Int(hw * s - hh * c);
    const int v = Round_Int(hw * s + hh * c);
    const std::array<int, 4> xs{cx - p, cx - q, cx + q, cx + p};
    const std::array<int, 4> ys{cy + u, cy + v, cy - v, cy - u};
    const auto [left, right] = std::minmax_element(xs.begin(), xs.end());
    const auto [top, bottom] = std::minmax_element(ys.begin(), ys.end());
    R = {0, 0, *right - *left, *bottom - *top};
}

int SCLRotatedXPos(int Angle, int W, int H)
{
    const unsigned angle = static_cast<unsigned>(Angle);
    int d = 0;
    if (angle >= 91 && angle <= 180)
        d = Round_Int(Sin_Degrees(Angle - 90) * W);
    else if (angle >= 181 && angle <= 270)
        d = W;
    else if (angle >= 271 && angle <= 359)
        d = Round_Int(Sin_Degrees(Angle - 90) * W) + W;
    return Round_Int(H * Sin_Degrees(Angle) + d);
}

int SCLRotatedYPos(int Angle, int /*Ignored*/, int H)
{
    const unsigned angle = static_cast<unsigned>(Angle);
    int d = 0;
    if (angle <= 90)
        d = Round_Int(Sin_Degrees(Angle) * H);
    else if (angle <= 180)
        d = H;
    else if (angle <= 270)
        d = Round_Int(Sin_Degrees(Angle) * H) + H;
    return Round_Int(H * Cos_Degrees(Angle) + d);
}

void SCLMidpoint(std::span<const POINT> Points, POINT& P)
{
    if (Points.empty())
        return;
    std::int64_t sx = 0;
    std::int64_t sy = 0;
    for (const POINT& point : Points) {
        sx += point.x;
        sy += point.y;
    }
    const auto n = static_cast<std::int64_t>(Points.size());
    P = {static_cast<LONG>(sx / n), static_cast<LONG>(sy / n)};
}

void SCLOffsetPoints(std::span<POINT> Points, int DX, int DY)
{
    for (POINT& point : Points) {
        point.x += DX;
        point.y += DY;
    }
}

void SCLNullPoints(std::span<POINT> Points)
{
    std::fill(Points.begin(), Points.end(), POINT{});
}

// ---- Numbers and bits ---------------------------------------------------

int SCLMax(std::span<const int> Values)
{
    return Values.empty() ? 0 : *std::max_element(Values.begin(), Values.end());
}

int SCLMin(std::span<const int> Values)
{
    return Values.empty() ? 0 : *std::min_element(Values.begin(), Values.end());
}

double SCLMaxR(std::span<const double> Values)
{
    return Values.empty() ? 0.0 : *std::max_element(Values.begin(), Values.end());
}

double SCLMinR(std::span<const double> Values)
{
    return Values.empty() ? 0.0 : *std::min_element(Values.begin(), Values.end());
}

int SCLMidI(int A, int B)
{
    return static_cast<int>((static_cast<std::int64_t>(A) + B) / 2);
}

void SCLSwapInt(int& A, int& B)
{
    std::swap(A, B);
}

void SCLSwapString(std::string& A, std::string& B)
{
    std::swap(A, B);
}

void SCLSetBit(BYTE& B, int Bit, bool Value)
{
    if (Bit < 0 || Bit > 7)
        return;
    const auto mask = static_cast<BYTE>(1u << Bit);
    B = Value ? static_cast<BYTE>(B | mask) : static_cast<BYTE>(B & ~mask);
}

void SCLSetBitUpTo(BYTE& B, int Bit)
{
    if (Bit < 0)
        return;
    B = static_cast<BYTE>(B | ((2u << std::min(Bit, 7)) - 1));
}

bool SCLGetBit(BYTE B, int Bit)
{
    return Bit >= 0 && Bit <= 7 && ((B >> Bit) & 1) != 0;
}

int SCLExp(int Base, int Exponent)
{
    // Square and multiply: the same wrapped product as repeated
    // multiplication, without a loop of Exponent steps.
    std::uint32_t result = 1;
    std::uint32_t factor = static_cast<std::uint32_t>(Base);
    for (unsigned remaining = Exponent > 0 ? static_cast<unsigned>(Exponent) : 0; remaining != 0; remaining >>= 1) {
        if (remaining & 1)
            result *= factor;
        factor *= factor;
    }
    return static_cast<int>(result);
}

void SCLDelay(DWORD Milliseconds)
{
    using namespace std::chrono;
    const auto tick = [] {
        return static_cast<DWORD>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    };
    if (Milliseconds == 0)
        return;
    // The 32-bit difference keeps counting across the tick counter's wrap.
    const DWORD start = tick();
    while (static_cast<DWORD>(tick() - start) <= Milliseconds) {
    }
}

// ---- Folders and names --------------------------------------------------

std::string SCLAppExeName()
{
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

std::string SCLAppPath()
{
    const std::string program = SCLAppExeName();
    const auto slash = program.rfind('/');
    return slash == std::string::npos ? std::string("./") : program.substr(0, slash + 1);
}

std::string SCLAppIniName()
{
    return "SOFTWARE\\" + SCLExtractFileName(SCLAppExeName());
}

std::string SCLExtractFileName(const std::string& FileName)
{
    const auto slash = FileName.rfind('/');
    const std::string name = slash == std::string::npos ? FileName : FileName.substr(slash + 1);
    return name.substr(0, name.rfind('.'));
}

std::string SCLWindowsDirectory()
{
    return "/usr";
}

std::string SCLSystemDirectory()
{
    return "/usr/lib";
}

std::string SCLCreatePathPrefix(TSCLPathPrefix Prefix, bool WithSlash)
{
    std::string folder;
    switch (Prefix) {
    case ppWindows:
        folder = SCLWindowsDirectory();
        break;
    case ppSystem:
        folder = SCLSystemDirectory();
        break;
    case ppProgram:
        folder = SCLAppPath();
        break;
    case ppFixed:
        return {};
    }
    return WithSlash ? Path_Add_Delimiter(folder) : Path_Remove_Delimiter(folder);
}

std::string SCLShrunkFileName(const std::string& FileName, int MaxLen)
{
    const auto slash = FileName.rfind('/');
    std::string dir = slash == std::string::npos ? std::string() : FileName.substr(0, slash + 1);
    const std::string name = FileName.substr(dir.size());
    std::string result = FileName;
    while (!dir.empty() && static_cast<int>(result.size()) > MaxLen) {
        dir = dir == "/.../" ? std::string(".../") : Cut_First_Directory(dir);
        result = dir + name;
    }
    return result;
}

// ---- System menu ---------------------------------------------------------

std::vector<UINT> SCLSysMenuDeletions(TSCLSysMenuEntries Entries, bool ShortMenu, bool NewStyle)
{
    std::vector<UINT> positions;
    const auto pair = [&](UINT position) { positions.insert(positions.end(), {position, position - 1}); };
    const auto absent = [&](TSCLSysMenuEntry entry) { return !Entries.Contains(entry); };
    const bool only_close = Entries == TSCLSysMenuEntries{smClose};
    if (absent(smSwitch) && !NewStyle)
        pair(ShortMenu ? 6 : 8);
    if (absent(smClose))
        pair(ShortMenu ? (NewStyle ? 3 : 4) : 6);
    else if (only_close)
        positions.push_back(ShortMenu ? (NewStyle ? 2 : 3) : 5);
    if (!ShortMenu) {
        constexpr std::pair<TSCLSysMenuEntry, UINT> single[] = {
            {smMaximize, 4}, {smMinimize, 3}, {smSize, 2}, {smMove, 1}};
        for (const auto& [entry, position] : single)
            if (absent(entry))
                positions.push_back(position);
    } else {
        if (absent(smMinimize))
            positions.push_back(NewStyle ? 1 : 2);
        if (absent(smMove) && !NewStyle)
            positions.push_back(1);
    }
    if (absent(smRestore))
        positions.push_back(0);
    return positions;
}

void SCLCheckSystemMenu(TSCLSysMenuEntries Entries, HMENU Menu, bool ShortMenu)
{
    if (Menu == nullptr)
        return;
    // Linux window menus never had the task-switch entry.
    constexpr bool new_style = true;
    for (const UINT position : SCLSysMenuDeletions(Entries, ShortMenu, new_style))
        DeleteMenu(Menu, position, MF_BYPOSITION);
}

// ---- LZRW block compression ---------------------------------------------

WORD SCLLZRWCompress(std::span<const BYTE> Source, std::span<BYTE> Dest)
{
    const std::size_t size = Source.size();
    if (size > SCLLZRWMaxInput || Dest.size() < size + SCLLZRWDestSlack)
        throw Exception("LZRW Error! " + std::to_string(size) + " bytes need a block of at most "
                        + std::to_string(SCLLZRWMaxInput) + " bytes and " + std::to_string(SCLLZRWDestSlack)
                        + " bytes of room beyond it");
    Hash_Table hash;
    hash.fill(Empty_Slot);
    Dest[0] = Flag_Compressed;
    std::size_t x = 0;
    std::size_t y = 3;
    std::size_t z = 1;
    int bits = 0;
    unsigned command = 0;
    while (x < size && y <= size) {
        if (bits > 15) {
            Put_Big_Endian(Dest, z, command);
            z = y;
            y += 2;
            bits = 0;
        }
        const std::size_t run = Run_Length(Source, x);
        if (run >= Min_Run) {
            Dest[y] = 0x00;
            Dest[y + 1] = static_cast<BYTE>((run - Min_Run) >> 8);
            Dest[y + 2] = static_cast<BYTE>((run - Min_Run) & 0xFF);
            Dest[y + 3] = Source[x];
            y += 4;
            x += run;
            command = (command << 1) | 1;
        } else if (const Match match = Find_Match(Source, x, hash); match.size > 0) {
            Put_Big_Endian(Dest, y, static_cast<unsigned>(((x - match.position) << 4) + (match.size - Min_Match)));
            y += 2;
            x += match.size;
            command = (command << 1) | 1;
        } else {
            Dest[y++] = Source[x++];
            command <<= 1;
        }
        command &= 0xFFFF;
        ++bits;
    }
    Put_Big_Endian(Dest, z, (command << (16 - bits)) & 0xFFFF);
    if (y > size) {
        Dest[0] = Flag_Stored;
        std::copy(Source.begin(), Source.end(), Dest.begin() + 1);
        y = size + 1;
    }
    return static_cast<WORD>(y);
}

WORD SCLLZRWDecompress(std::span<const BYTE> Source, std::span<BYTE> Dest)
{
    if (Source.empty())
        Raise_Damaged("empty block");
    const std::span<BYTE> output = Dest.first(std::min(Dest.size(), SCLLZRWMaxInput));
    if (Source[0] == Flag_Stored) {
        const std::size_t count = Source.size() - 1;
        if (count > output.size())
            Raise_Damaged("stored block of " + std::to_string(count) + " bytes exceeds "
                          + std::to_string(output.size()));
        std::copy(Source.begin() + 1, Source.end(), output.begin());
        return static_cast<WORD>(count);
    }
    if (Source[0] != Flag_Compressed)
        Raise_Damaged("unknown block flag " + IntToHex(Source[0], 2));
    return static_cast<WORD>(Block_Reader(Source, output).Unpack());
}
