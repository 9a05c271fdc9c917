#include "tests/support/Pixel_Map.h"

std::string Pixel_Map(int width, int height, const std::function<char(int x, int y)>& pixel)
{
    std::string map;
    for (int y = 0; y < height; ++y) {
        if (y > 0)
            map += '\n';
        for (int x = 0; x < width; ++x)
            map += pixel(x, y);
    }
    return map;
}

std::string Picture(std::initializer_list<const char*> rows)
{
    std::string picture;
    for (const char* row : rows) {
        if (!picture.empty())
            picture += '\n';
        picture += row;
    }
    return picture;
}
