#pragma once
// Small exact pixel pictures for drawing tests: one character per pixel, rows
// separated by newlines, so a failing comparison shows both pictures.

#include <functional>
#include <string>

// The picture of a width x height area; `pixel` answers the character of (x, y).
std::string Pixel_Map(int width, int height, const std::function<char(int x, int y)>& pixel);

// Rows joined with newlines, to write expected pictures one row per line.
std::string Picture(std::initializer_list<const char*> rows);
