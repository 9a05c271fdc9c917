#include "platform/classlib/String_Table.h"

#include "platform/classlib/SysUtils.h"

#include <QFile>

#include <climits>

namespace {

const char* const table_resource = ":/strings";

class Line_Parser {
public:
    Line_Parser(const std::string& text, int number) : line(text), line_number(number) {}

    // Adds the line's entry to the table, if it has one.
    void Parse_Into(std::map<int, std::string>& table);

private:
    int Identifier();
    std::string Quoted_Text();
    char Escape(char code) const;
    void Skip_Blanks();
    [[noreturn]] void Fault(const std::string& what) const;

    const std::string& line;
    int line_number;
    std::size_t pos = 0;
};

void Line_Parser::Fault(const std::string& what) const
{
    throw Exception("String table line " + std::to_string(line_number) + ": " + what);
}

void Line_Parser::Skip_Blanks()
{
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
        ++pos;
}

int Line_Parser::Identifier()
{
    const std::size_t start = pos;
    long long value = 0;
    while (pos < line.size() && line[pos] >= '0' && line[pos] <= '9') {
        value = value * 10 + (line[pos++] - '0');
        if (value > INT_MAX)
            Fault("identifier out of range");
    }
    if (pos == start)
        Fault("identifier expected");
    return static_cast<int>(value);
}

char Line_Parser::Escape(char code) const
{
    switch (code) {
    case 'n':
        return '\n';
    case 'r':
        return '\r';
    case 't':
        return '\t';
    case '"':
    case '\\':
        return code;
    default:
        Fault(std::string("unknown escape \\") + code);
    }
}

std::string Line_Parser::Quoted_Text()
{
    if (pos >= line.size() || line[pos] != '"')
        Fault("opening quote expected");
    ++pos;
    std::string text;
    while (pos < line.size() && line[pos] != '"') {
        if (line[pos] == '\\') {
            if (++pos == line.size())
                Fault("escape at end of line");
            text += Escape(line[pos]);
        } else {
            text += line[pos];
        }
        ++pos;
    }
    if (pos == line.size())
        Fault("closing quote missing");
    ++pos;
    return text;
}

void Line_Parser::Parse_Into(std::map<int, std::string>& table)
{
    Skip_Blanks();
    if (pos == line.size() || line[pos] == '#')
        return;
    const int identifier = Identifier();
    const std::size_t before_blanks = pos;
    Skip_Blanks();
    if (pos == before_blanks)
        Fault("blank expected after the identifier");
    std::string text = Quoted_Text();
    Skip_Blanks();
    if (pos != line.size())
        Fault("unexpected text after the closing quote");
    if (!table.emplace(identifier, std::move(text)).second)
        Fault("identifier " + std::to_string(identifier) + " repeated");
}

std::string Compiled_Table()
{
    QFile file(table_resource);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception("The string table is missing from the program");
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

const std::map<int, std::string>& Table()
{
    // Parsed on first use; a malformed table raises on every use.
    static const std::map<int, std::string> table = Parse_String_Table(Compiled_Table());
    return table;
}

} // namespace

std::map<int, std::string> Parse_String_Table(const std::string& table)
{
    std::map<int, std::string> entries;
    std::size_t start = 0;
    for (int line_number = 1; start < table.size(); ++line_number) {
        std::size_t end = table.find('\n', start);
        if (end == std::string::npos)
            end = table.size();
        std::string line = table.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        Line_Parser(line, line_number).Parse_Into(entries);
        start = end + 1;
    }
    return entries;
}

std::string LoadStr(int identifier)
{
    const auto& table = Table();
    const auto found = table.find(identifier);
    return found == table.end() ? std::string() : found->second;
}
