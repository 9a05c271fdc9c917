#include "tests/shell/host/program/Form_Layout.h"

#include <fstream>
#include <vector>

namespace {

std::string Trimmed(const std::string& line)
{
    const auto first = line.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : line.substr(first);
}

bool Starts_With(const std::string& text, const std::string& start)
{
    return text.compare(0, start.size(), start) == 0;
}

struct Open_Block {
    std::string Name; // empty for a collection item
    Rectangle_On_Screen Area;
};

// The block's own Left/Top/Width/Height line.
void Read_Geometry(const std::string& line, Rectangle_On_Screen& area)
{
    static const std::vector<std::pair<std::string, int Rectangle_On_Screen::*>> fields = {
        {"Left = ", &Rectangle_On_Screen::Left},
        {"Top = ", &Rectangle_On_Screen::Top},
        {"Width = ", &Rectangle_On_Screen::Width},
        {"Height = ", &Rectangle_On_Screen::Height}};
    for (const auto& [start, field] : fields)
        if (Starts_With(line, start))
            area.*field = std::stoi(line.substr(start.size()));
}

} // namespace

Form_Layout Read_Form_Layout(const std::filesystem::path& form_text)
{
    Form_Layout layout;
    std::ifstream stream(form_text);
    std::vector<Open_Block> open;
    std::string line;
    while (std::getline(stream, line)) {
        line = Trimmed(line);
        if (Starts_With(line, "object ")) {
            const auto colon = line.find(':');
            open.push_back({line.substr(7, colon - 7), {}});
        } else if (line == "item") {
            open.push_back({});
        } else if ((line == "end" || line == "end>") && !open.empty()) {
            const Open_Block block = open.back();
            open.pop_back();
            if (block.Name.empty() || open.empty())
                continue;
            Rectangle_On_Screen area = block.Area;
            for (std::size_t parent = 1; parent < open.size(); ++parent) {
                area.Left += open[parent].Area.Left;
                area.Top += open[parent].Area.Top;
            }
            layout[block.Name] = area;
        } else if (!open.empty() && !open.back().Name.empty()) {
            Read_Geometry(line, open.back().Area);
        }
    }
    return layout;
}
