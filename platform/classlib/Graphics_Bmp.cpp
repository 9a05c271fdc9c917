#include "platform/classlib/Graphics_Bmp.h"

#include <cstdlib>
#include <unordered_map>

#include "platform/classlib/Graphics.h"

namespace {

constexpr int file_header_size = 14;
constexpr int info_header_size = 40;
// Larger pictures are refused rather than allocated: no picture of the
// program comes near this.
constexpr std::int64_t max_pixels = std::int64_t(1) << 26;
constexpr int max_side = 65535;

[[noreturn]] void Invalid() { throw EInvalidGraphic("Bitmap image is not valid"); }

std::uint32_t U16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t U32(const std::uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::int32_t I32(const std::uint8_t* p) { return static_cast<std::int32_t>(U32(p)); }

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

std::int64_t Stride(int width, int bits) { return ((static_cast<std::int64_t>(width) * bits + 31) / 32) * 4; }

std::uint32_t Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return (static_cast<std::uint32_t>(red) << 16) | (green << 8) | blue;
}
std::uint32_t Rgb(const RGBQUAD& q) { return Rgb(q.rgbRed, q.rgbGreen, q.rgbBlue); }
RGBQUAD Quad(std::uint32_t rgb)
{
    return RGBQUAD{static_cast<BYTE>(rgb), static_cast<BYTE>(rgb >> 8), static_cast<BYTE>(rgb >> 16), 0};
}

struct Info {
    std::uint32_t header_size = 0;
    std::uint32_t bits_offset = 0;
    int width = 0;
    int rows = 0;
    bool bottom_up = true;
    int bits = 0;
    std::uint32_t colors_used = 0;
};

Info Read_Info(TStream& stream, std::int64_t available)
{
    std::uint8_t head[file_header_size + 4];
    if (available < static_cast<std::int64_t>(sizeof head))
        Invalid();
    stream.ReadBuffer(head, sizeof head);
    std::uint32_t header_size = U32(head + file_header_size);
    if (head[0] != 'B' || head[1] != 'M' || header_size < info_header_size || header_size > 256 ||
        available < file_header_size + static_cast<std::int64_t>(header_size))
        Invalid();
    std::vector<std::uint8_t> info(header_size);
    stream.ReadBuffer(info.data() + 4, static_cast<int>(header_size - 4));
    Info result;
    result.header_size = header_size;
    result.bits_offset = U32(head + 10);
    result.width = I32(&info[4]);
    std::int32_t height = I32(&info[8]);
    result.bits = static_cast<int>(U16(&info[14]));
    result.colors_used = U32(&info[32]);
    bool known_bits = result.bits == 1 || result.bits == 4 || result.bits == 8 || result.bits == 24 || result.bits == 32;
    if (U16(&info[12]) != 1 || !known_bits || U32(&info[16]) != BI_RGB)
        Invalid();
    if (result.width <= 0 || result.width > max_side || height == 0 || height < -max_side || height > max_side)
        Invalid();
    result.rows = std::abs(height);
    result.bottom_up = height > 0;
    if (static_cast<std::int64_t>(result.width) * result.rows > max_pixels)
        Invalid();
    return result;
}

std::vector<RGBQUAD> Read_Table(TStream& stream, const Info& info, std::int64_t room)
{
    if (info.bits > 8)
        return {};
    std::uint32_t count = info.colors_used ? info.colors_used : (1u << info.bits);
    if (count > (1u << info.bits) || static_cast<std::int64_t>(count) * 4 > room)
        Invalid();
    std::vector<RGBQUAD> table(count);
    stream.ReadBuffer(table.data(), static_cast<int>(count * 4));
    for (RGBQUAD& entry : table)
        entry.rgbReserved = 0;
    return table;
}

std::uint32_t Pixel_At(const std::uint8_t* row, int x, const Info& info, const std::vector<RGBQUAD>& table)
{
    std::uint32_t index = 0;
    switch (info.bits) {
    case 1: index = (row[x >> 3] >> (7 - (x & 7))) & 1; break;
    case 4: index = (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F; break;
    case 8: index = row[x]; break;
    case 24: return Rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    default: return Rgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
    }
    return index < table.size() ? Rgb(table[index]) : 0; // an index beyond the table reads as black
}

std::uint8_t Nearest_Index(std::uint32_t rgb, const std::vector<RGBQUAD>& table)
{
    int best = 0;
    int best_distance = 1 << 30;
    for (std::size_t i = 0; i < table.size(); ++i) {
        int dr = static_cast<int>((rgb >> 16) & 0xFF) - table[i].rgbRed;
        int dg = static_cast<int>((rgb >> 8) & 0xFF) - table[i].rgbGreen;
        int db = static_cast<int>(rgb & 0xFF) - table[i].rgbBlue;
        int distance = dr * dr + dg * dg + db * db;
        if (distance < best_distance) {
            best_distance = distance;
            best = static_cast<int>(i);
        }
    }
    return static_cast<std::uint8_t>(best);
}

class Index_Map {
public:
    explicit Index_Map(const std::vector<RGBQUAD>& color_table) : table(color_table) {}
    std::uint8_t operator()(std::uint32_t rgb)
    {
        auto found = cache.find(rgb);
        if (found != cache.end())
            return found->second;
        std::uint8_t index = Nearest_Index(rgb, table);
        cache.emplace(rgb, index);
        return index;
    }

private:
    const std::vector<RGBQUAD>& table;
    std::unordered_map<std::uint32_t, std::uint8_t> cache;
};

void Encode_Row(const std::uint32_t* pixels, int width, int bits, Index_Map& index_of, std::uint8_t* row)
{
    for (int x = 0; x < width; ++x) {
        std::uint32_t rgb = pixels[x];
        switch (bits) {
        case 1: row[x >> 3] |= static_cast<std::uint8_t>((index_of(rgb) & 1) << (7 - (x & 7))); break;
        case 4: row[x >> 1] |= static_cast<std::uint8_t>((index_of(rgb) & 0x0F) << ((x & 1) ? 0 : 4)); break;
        case 8: row[x] = index_of(rgb); break;
        case 24:
            row[3 * x] = static_cast<std::uint8_t>(rgb);
            row[3 * x + 1] = static_cast<std::uint8_t>(rgb >> 8);
            row[3 * x + 2] = static_cast<std::uint8_t>(rgb >> 16);
            break;
        default:
            row[4 * x] = static_cast<std::uint8_t>(rgb);
            row[4 * x + 1] = static_cast<std::uint8_t>(rgb >> 8);
            row[4 * x + 2] = static_cast<std::uint8_t>(rgb >> 16);
            break;
        }
    }
}

std::vector<RGBQUAD> Standard_Table(int bits)
{
    static const std::uint32_t vga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                          0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                          0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    std::vector<RGBQUAD> table;
    if (bits == 1) {
        table = {Quad(0x000000), Quad(0xFFFFFF)};
    } else if (bits == 4) {
        for (std::uint32_t rgb : vga)
            table.push_back(Quad(rgb));
    } else {
        for (int i = 0; i < 256; ++i)
            table.push_back(Quad(Rgb(static_cast<std::uint8_t>((i >> 5) * 255 / 7),
                                     static_cast<std::uint8_t>(((i >> 2) & 7) * 255 / 7),
                                     static_cast<std::uint8_t>((i & 3) * 255 / 3))));
    }
    return table;
}

} // namespace

Bmp_Picture Read_Bmp(TStream& stream)
{
    std::int64_t start = stream.Position();
    std::int64_t available = stream.Size() - start;
    Info info = Read_Info(stream, available);
    std::int64_t table_start = file_header_size + static_cast<std::int64_t>(info.header_size);
    Bmp_Picture picture;
    picture.color_table = Read_Table(stream, info, available - table_start);
    std::int64_t stride = Stride(info.width, info.bits);
    std::int64_t data_size = stride * info.rows;
    if (info.bits_offset < table_start || info.bits_offset + data_size > available)
        Invalid();
    std::vector<std::uint8_t> data(static_cast<std::size_t>(data_size));
    stream.SetPosition(start + info.bits_offset);
    stream.ReadBuffer(data.data(), static_cast<int>(data_size));

    picture.width = info.width;
    picture.height = info.rows;
    picture.bits_per_pixel = info.bits;
    picture.pixels.resize(static_cast<std::size_t>(info.width) * info.rows);
    for (int y = 0; y < info.rows; ++y) {
        const std::uint8_t* row = data.data() + stride * (info.bottom_up ? info.rows - 1 - y : y);
        std::uint32_t* out = picture.pixels.data() + static_cast<std::size_t>(y) * info.width;
        for (int x = 0; x < info.width; ++x)
            out[x] = Pixel_At(row, x, info, picture.color_table);
    }
    return picture;
}

void Write_Bmp(TStream& stream, const Bmp_Picture& picture)
{
    int bits = picture.bits_per_pixel;
    std::vector<RGBQUAD> table;
    if (bits <= 8)
        table = picture.color_table.empty() ? Bmp_Color_Table(picture.pixels, bits) : picture.color_table;
    std::int64_t stride = Stride(picture.width, bits);
    std::uint32_t data_size = static_cast<std::uint32_t>(stride * picture.height);
    std::uint32_t bits_offset = file_header_size + info_header_size + static_cast<std::uint32_t>(table.size() * 4);

    std::vector<std::uint8_t> out;
    out.reserve(bits_offset + data_size);
    out.push_back('B');
    out.push_back('M');
    Put32(out, bits_offset + data_size);
    Put32(out, 0);
    Put32(out, bits_offset);
    for (std::uint32_t value : {std::uint32_t(info_header_size), std::uint32_t(picture.width),
                                std::uint32_t(picture.height)})
        Put32(out, value);
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(bits));
    for (std::uint32_t value : {std::uint32_t(BI_RGB), data_size, 0u, 0u, std::uint32_t(table.size()), 0u})
        Put32(out, value);
    for (const RGBQUAD& entry : table)
        Put32(out, Rgb(entry));

    Index_Map index_of(table);
    std::size_t rows_start = out.size();
    out.resize(rows_start + data_size, 0);
    for (int y = 0; y < picture.height; ++y) {
        std::uint8_t* row = out.data() + rows_start + stride * (picture.height - 1 - y);
        Encode_Row(picture.pixels.data() + static_cast<std::size_t>(y) * picture.width, picture.width, bits, index_of, row);
    }
    stream.WriteBuffer(out.data(), static_cast<int>(out.size()));
}

std::vector<RGBQUAD> Bmp_Color_Table(const std::vector<std::uint32_t>& pixels, int bits,
                                     const std::vector<RGBQUAD>& preferred)
{
    std::size_t limit = std::size_t(1) << bits;
    std::unordered_map<std::uint32_t, bool> in_preferred;
    for (const RGBQUAD& entry : preferred)
        in_preferred.emplace(Rgb(entry), true);
    bool covered = !preferred.empty() && preferred.size() <= limit;
    std::vector<RGBQUAD> table;
    std::unordered_map<std::uint32_t, bool> seen;
    for (std::uint32_t rgb : pixels) {
        if (!seen.emplace(rgb & 0xFFFFFF, true).second)
            continue;
        covered = covered && in_preferred.count(rgb & 0xFFFFFF);
        if (table.size() < limit + 1)
            table.push_back(Quad(rgb));
    }
    if (covered)
        return preferred;
    if (table.empty() || table.size() > limit)
        return Standard_Table(bits);
    return table;
}

void Bmp_Reduce(std::vector<std::uint32_t>& pixels, const std::vector<RGBQUAD>& table)
{
    Index_Map index_of(table);
    for (std::uint32_t& rgb : pixels)
        rgb = Rgb(table[index_of(rgb)]);
}
