#pragma once
// The class library's text form format, parsed into a tree:
//
//   object Form_Main: TForm_Main          (or "inherited Name: TClass")
//     Caption = 'Ready'#13#10'to go'      strings: '...' with '' for a quote,
//     Left = 12                           #nnn characters, joined by +
//     Ratio = 1.5
//     Align = alClient                    identifiers
//     Font.Style = [fsBold, fsItalic]     sets
//     Lines.Strings = ('one' 'two')       lists
//     Items = <item Caption = 'A' end>    collections
//     Data = {0A1B2C}                     binary data
//     object Panel1: TPanel ... end
//   end
//
// A fault raises EParserError naming the source and the line.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/classlib/SysUtils.h"

class EParserError : public Exception {
    using Exception::Exception;
};

struct TFormProperty;

// One <item ... end> of a collection.
struct TFormItem {
    std::vector<TFormProperty> Properties;
};

struct TFormValue {
    enum class TKind { Integer, Float, String, Ident, Set, List, Collection, Binary };

    TKind Kind = TKind::Integer;
    std::int64_t Integer = 0;
    double Float = 0;
    // The string (UTF-8) or the identifier.
    std::string Text;
    std::vector<std::string> Names;
    std::vector<TFormValue> Items;
    std::vector<TFormItem> Collection;
    std::vector<unsigned char> Bytes;
    int Line = 0;
};

struct TFormProperty {
    // Possibly dotted: "Font.Name".
    std::string Name;
    TFormValue Value;
    int Line = 0;
};

struct TFormObject {
    bool Inherited = false;
    std::string Name;
    std::string Class_Name;
    std::vector<TFormProperty> Properties;
    std::vector<TFormObject> Children;
    int Line = 0;
};

// Names in the format (keywords, classes, properties, values of
// enumerations, handlers) compare without regard to case.
bool Same_Ident(const std::string& A, const std::string& B);

// The one root object of Text; Source names the text in error messages.
TFormObject Parse_Form_Text(const std::string& Text, const std::string& Source);
