#include "platform/classlib/Form_Parser.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>

namespace {

// Deeper nesting than any form needs is taken for a broken resource, not
// followed until the stack runs out.
constexpr int max_depth = 200;

bool Is_Ident_Start(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool Is_Ident_Char(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
bool Is_Digit(char c) { return c >= '0' && c <= '9'; }


void Append_Utf8(std::string& text, std::uint32_t code)
{
    if (code < 0x80) {
        text += static_cast<char>(code);
    } else if (code < 0x800) {
        text += static_cast<char>(0xC0 | (code >> 6));
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        text += static_cast<char>(0xE0 | (code >> 12));
        text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (code >> 18));
        text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    }
}

class Parser {
public:
    Parser(const std::string& text, const std::string& source) : text(text), source(source) {}

    TFormObject Parse_Root();

private:
    TFormObject Parse_Object(int depth);
    TFormProperty Parse_Property(int depth);
    TFormValue Parse_Value(int depth);
    TFormValue Parse_Number();
    std::string Parse_String();
    void Parse_String_Piece(std::string& value);
    void Parse_Character(std::string& value);
    std::vector<std::string> Parse_Set();
    std::vector<TFormValue> Parse_List(int depth);
    std::vector<TFormItem> Parse_Collection(int depth);
    std::vector<unsigned char> Parse_Binary();

    std::string Ident();
    std::string Dotted_Ident();
    bool At_Keyword(const char* keyword);
    void Expect(char c);
    char Peek();
    void Skip_Blanks();
    [[noreturn]] void Fault(const std::string& what) const;

    const std::string& text;
    const std::string& source;
    std::size_t pos = 0;
    int line = 1;
};

void Parser::Fault(const std::string& what) const
{
    throw EParserError(source + " line " + std::to_string(line) + ": " + what);
}

void Parser::Skip_Blanks()
{
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) {
        if (text[pos] == '\n')
            ++line;
        ++pos;
    }
}

char Parser::Peek()
{
    Skip_Blanks();
    return pos < text.size() ? text[pos] : '\0';
}

void Parser::Expect(char c)
{
    if (Peek() != c)
        Fault(std::string("'") + c + "' expected");
    ++pos;
}

std::string Parser::Ident()
{
    if (!Is_Ident_Start(Peek()))
        Fault("identifier expected");
    const std::size_t start = pos;
    while (pos < text.size() && Is_Ident_Char(text[pos]))
        ++pos;
    return text.substr(start, pos - start);
}

std::string Parser::Dotted_Ident()
{
    std::string name = Ident();
    while (pos < text.size() && text[pos] == '.') {
        ++pos;
        name += '.' + Ident();
    }
    return name;
}

bool Parser::At_Keyword(const char* keyword)
{
    Skip_Blanks();
    std::size_t length = 0;
    while (pos + length < text.size() && Is_Ident_Char(text[pos + length]))
        ++length;
    if (length == 0 || !Same_Ident(text.substr(pos, length), keyword))
        return false;
    pos += length;
    return true;
}

TFormObject Parser::Parse_Root()
{
    if (text.starts_with("\xEF\xBB\xBF")) // a UTF-8 byte order mark
        pos = 3;
    TFormObject root = Parse_Object(0);
    if (Peek() != '\0')
        Fault("end of text expected");
    return root;
}

TFormObject Parser::Parse_Object(int depth)
{
    if (depth > max_depth)
        Fault("objects nested too deeply");
    TFormObject object;
    object.Line = line;
    if (At_Keyword("inherited"))
        object.Inherited = true;
    else if (!At_Keyword("object"))
        Fault("'object' or 'inherited' expected");
    object.Name = Ident();
    if (Peek() == ':') {
        ++pos;
        object.Class_Name = Ident();
    } else {
        // An unnamed object gives its class alone.
        object.Class_Name = std::move(object.Name);
        object.Name.clear();
    }
    for (;;) {
        if (At_Keyword("end"))
            return object;
        Skip_Blanks();
        const std::size_t mark = pos;
        const int mark_line = line;
        if (At_Keyword("object") || At_Keyword("inherited")) {
            pos = mark;
            line = mark_line;
            object.Children.push_back(Parse_Object(depth + 1));
        } else {
            if (Peek() == '\0')
                Fault("'end' expected");
            object.Properties.push_back(Parse_Property(depth));
        }
    }
}

TFormProperty Parser::Parse_Property(int depth)
{
    TFormProperty property;
    property.Name = Dotted_Ident();
    property.Line = line;
    Expect('=');
    property.Value = Parse_Value(depth);
    return property;
}

TFormValue Parser::Parse_Value(int depth)
{
    if (depth > max_depth)
        Fault("values nested too deeply");
    const char c = Peek();
    TFormValue value;
    value.Line = line;
    if (Is_Digit(c) || c == '-' || c == '$') {
        value = Parse_Number();
    } else if (c == '\'' || c == '#') {
        value.Kind = TFormValue::TKind::String;
        value.Text = Parse_String();
    } else if (Is_Ident_Start(c)) {
        value.Kind = TFormValue::TKind::Ident;
        value.Text = Dotted_Ident();
    } else if (c == '[') {
        value.Kind = TFormValue::TKind::Set;
        value.Names = Parse_Set();
    } else if (c == '(') {
        value.Kind = TFormValue::TKind::List;
        value.Items = Parse_List(depth);
    } else if (c == '<') {
        value.Kind = TFormValue::TKind::Collection;
        value.Collection = Parse_Collection(depth);
    } else if (c == '{') {
        value.Kind = TFormValue::TKind::Binary;
        value.Bytes = Parse_Binary();
    } else {
        Fault("property value expected");
    }
    value.Line = line;
    return value;
}

TFormValue Parser::Parse_Number()
{
    TFormValue value;
    const bool negative = text[pos] == '-';
    if (negative)
        ++pos;
    const bool hex = pos < text.size() && text[pos] == '$';
    if (hex)
        ++pos;
    const std::size_t start = pos;
    while (pos < text.size() && (Is_Ident_Char(text[pos]) || text[pos] == '.' ||
                                 ((text[pos] == '+' || text[pos] == '-') && (text[pos - 1] | 0x20) == 'e' && !hex)))
        ++pos;
    const std::string digits = text.substr(start, pos - start);
    const char* first = digits.data();
    const char* last = first + digits.size();
    const bool is_float = !hex && digits.find_first_of(".eE") != std::string::npos;
    if (is_float) {
        value.Kind = TFormValue::TKind::Float;
        const auto [end, error] = std::from_chars(first, last, value.Float);
        if (error != std::errc() || end != last || digits.empty() || !Is_Digit(digits[0]))
            Fault("invalid number '" + digits + "'");
        if (negative)
            value.Float = -value.Float;
        return value;
    }
    std::uint64_t magnitude = 0;
    const auto [end, error] = std::from_chars(first, last, magnitude, hex ? 16 : 10);
    if (error == std::errc::result_out_of_range)
        Fault("number '" + digits + "' out of range");
    if (error != std::errc() || end != last)
        Fault("invalid number '" + digits + "'");
    const std::uint64_t limit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + negative;
    if (magnitude > limit)
        Fault("number '" + digits + "' out of range");
    value.Integer = negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    return value;
}

std::string Parser::Parse_String()
{
    std::string value;
    for (;;) {
        Parse_String_Piece(value);
        // Long strings are written as pieces joined by '+'.
        if (Peek() != '+')
            return value;
        ++pos;
        const char next = Peek();
        if (next != '\'' && next != '#')
            Fault("string expected after '+'");
    }
}

void Parser::Parse_String_Piece(std::string& value)
{
    bool any = false;
    while (pos < text.size() && (text[pos] == '\'' || text[pos] == '#')) {
        any = true;
        if (text[pos] == '#') {
            Parse_Character(value);
            continue;
        }
        ++pos;
        for (;;) {
            if (pos >= text.size() || text[pos] == '\n' || text[pos] == '\r')
                Fault("unterminated string");
            if (text[pos] == '\'') {
                if (pos + 1 < text.size() && text[pos + 1] == '\'') {
                    value += '\'';
                    pos += 2;
                    continue;
                }
                ++pos;
                break;
            }
            value += text[pos++];
        }
    }
    if (!any)
        Fault("string expected");
}

void Parser::Parse_Character(std::string& value)
{
    ++pos; // '#'
    const bool hex = pos < text.size() && text[pos] == '$';
    if (hex)
        ++pos;
    const std::size_t start = pos;
    while (pos < text.size() && (hex ? std::isxdigit(static_cast<unsigned char>(text[pos])) : Is_Digit(text[pos])))
        ++pos;
    std::uint32_t code = 0;
    const auto [end, error] = std::from_chars(text.data() + start, text.data() + pos, code, hex ? 16 : 10);
    if (pos == start || error != std::errc() || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        Fault("invalid character code");
    (void)end;
    Append_Utf8(value, code);
}

std::vector<std::string> Parser::Parse_Set()
{
    Expect('[');
    std::vector<std::string> names;
    if (Peek() == ']') {
        ++pos;
        return names;
    }
    for (;;) {
        names.push_back(Ident());
        if (Peek() == ']') {
            ++pos;
            return names;
        }
        Expect(',');
    }
}

std::vector<TFormValue> Parser::Parse_List(int depth)
{
    Expect('(');
    std::vector<TFormValue> items;
    while (Peek() != ')') {
        if (Peek() == '\0')
            Fault("')' expected");
        items.push_back(Parse_Value(depth + 1));
    }
    ++pos;
    return items;
}

std::vector<TFormItem> Parser::Parse_Collection(int depth)
{
    Expect('<');
    std::vector<TFormItem> items;
    while (Peek() != '>') {
        if (!At_Keyword("item"))
            Fault("'item' or '>' expected");
        TFormItem item;
        while (!At_Keyword("end")) {
            if (Peek() == '\0')
                Fault("'end' expected");
            item.Properties.push_back(Parse_Property(depth + 1));
        }
        items.push_back(std::move(item));
    }
    ++pos;
    return items;
}

std::vector<unsigned char> Parser::Parse_Binary()
{
    Expect('{');
    std::vector<unsigned char> bytes;
    while (Peek() != '}') {
        if (pos + 1 >= text.size())
            Fault("'}' expected");
        unsigned value = 0;
        const auto [end, error] = std::from_chars(text.data() + pos, text.data() + pos + 2, value, 16);
        if (error != std::errc() || end != text.data() + pos + 2)
            Fault("invalid binary data");
        bytes.push_back(static_cast<unsigned char>(value));
        pos += 2;
    }
    ++pos;
    return bytes;
}

} // namespace

bool Same_Ident(const std::string& A, const std::string& B)
{
    return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

TFormObject Parse_Form_Text(const std::string& Text, const std::string& Source)
{
    return Parser(Text, Source).Parse_Root();
}
