#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

// A file's whole content as bytes; empty when it cannot be read.
inline std::string File_Text(const std::filesystem::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}
