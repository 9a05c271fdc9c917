#include "platform/classlib/Form_Writer.h"

#include <algorithm>
#include <charconv>

namespace {

bool Contains(const std::vector<TComponent*>& list, TComponent* component)
{
    return std::find(list.begin(), list.end(), component) != list.end();
}

// The code point of the UTF-8 sequence at text[pos] and its length, or
// length 0 for a byte that does not start a valid sequence.
std::pair<std::uint32_t, std::size_t> Decode_Utf8(const std::string& text, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = lead >= 0xF0 && lead < 0xF5 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
    if (length == 0 || pos + length > text.size())
        return {0, 0};
    std::uint32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80)
            return {0, 0};
        code = (code << 6) | (next & 0x3F);
    }
    const std::uint32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return {0, 0};
    return {code, length};
}

// Printable ASCII between quotes, every other character as #nnn; bytes
// that are not UTF-8 stay as they are, between quotes.
std::string Quote(const std::string& text)
{
    if (text.empty())
        return "''";
    std::string out;
    bool quoted = false;
    for (std::size_t pos = 0; pos < text.size();) {
        const auto c = static_cast<unsigned char>(text[pos]);
        const auto [code, length] = c < 0x80 ? std::pair<std::uint32_t, std::size_t>{c, 1} : Decode_Utf8(text, pos);
        const bool plain = length == 0 || (code >= 0x20 && code < 0x7F);
        if (plain != quoted) {
            out += '\'';
            quoted = plain;
        }
        if (!plain) {
            out += '#' + std::to_string(code);
            pos += length;
        } else {
            out += c == '\'' ? "''" : std::string(1, static_cast<char>(c));
            ++pos;
        }
    }
    if (quoted)
        out += '\'';
    return out;
}

std::string Float_Text(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    if (text.find_first_of(".e") == std::string::npos)
        text += ".0";
    return text;
}

std::string Hex_Lines(const std::vector<unsigned char>& bytes, const std::string& indent)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i % 32 == 0)
            out += '\n' + indent;
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 0x0F];
    }
    return out;
}

void Append_Properties(std::string& out, const std::vector<TFormProperty>& properties, const std::string& indent);

std::string Value_Text(const TFormValue& value, const std::string& indent)
{
    switch (value.Kind) {
    case TFormValue::TKind::Integer: return std::to_string(value.Integer);
    case TFormValue::TKind::Float: return Float_Text(value.Float);
    case TFormValue::TKind::String: return Quote(value.Text);
    case TFormValue::TKind::Ident: return value.Text;
    case TFormValue::TKind::Set: {
        std::string out = "[";
        for (std::size_t i = 0; i < value.Names.size(); ++i)
            out += (i ? ", " : "") + value.Names[i];
        return out + "]";
    }
    case TFormValue::TKind::List: {
        std::string out = "(";
        for (const TFormValue& item : value.Items)
            out += '\n' + indent + "  " + Value_Text(item, indent + "  ");
        return out + ")";
    }
    case TFormValue::TKind::Collection: {
        std::string out = "<";
        for (const TFormItem& item : value.Collection) {
            out += '\n' + indent + "  item\n";
            Append_Properties(out, item.Properties, indent + "    ");
            out += indent + "  end";
        }
        return out + ">";
    }
    case TFormValue::TKind::Binary: return "{" + Hex_Lines(value.Bytes, indent + "  ") + "}";
    }
    return {};
}

void Append_Properties(std::string& out, const std::vector<TFormProperty>& properties, const std::string& indent)
{
    for (const TFormProperty& property : properties)
        out += indent + property.Name + " = " + Value_Text(property.Value, indent) + '\n';
}

void Append_Object(std::string& out, const TFormObject& object, const std::string& indent)
{
    out += indent + (object.Inherited ? "inherited " : "object ");
    out += object.Name.empty() ? object.Class_Name : object.Name + ": " + object.Class_Name;
    out += '\n';
    Append_Properties(out, object.Properties, indent + "  ");
    for (const TFormObject& child : object.Children)
        Append_Object(out, child, indent + "  ");
    out += indent + "end\n";
}

const TForm_Table& Empty_Table()
{
    static const TForm_Table table;
    return table;
}

} // namespace

// ---- Services for the property tables ---------------------------------------

std::optional<std::string> Handler_Name(TWriter& Writer, const void* Event, std::type_index Event_Type)
{
    return Writer.Handler_Name(Event, Event_Type);
}

std::vector<TFormProperty> Write_Object_Properties(TWriter& Writer, const TClassInfo& Info, void* Instance)
{
    return Writer.Write_Properties(Info, Instance);
}

TComponent* Writer_Root(TWriter& Writer) { return Writer.Root(); }

// ---- TWriter -------------------------------------------------------------------

TWriter::TWriter(TComponent* Root, const TForm_Table& Table) : root(Root), table(Table) {}

TFormObject TWriter::Write_Root()
{
    TFormObject object = Write_Object(root);
    // Owned components outside the tree of controls (menus, dialogs) are
    // written at the root, unless another component writes them.
    std::vector<TComponent*> inside;
    for (int i = 0; i < root->ComponentCount(); ++i)
        for (TComponent* child : Children(root->Components(i)))
            inside.push_back(child);
    for (int i = 0; i < root->ComponentCount(); ++i) {
        TComponent* component = root->Components(i);
        if (!Contains(written, component) && !Contains(inside, component))
            object.Children.push_back(Write_Object(component));
    }
    return object;
}

std::vector<TComponent*> TWriter::Children(TComponent* Component) const
{
    const TClassInfo* info = Class_Info_Of(Component);
    std::vector<TComponent*> children = info ? info->Children(Component) : std::vector<TComponent*>{};
    // Children owned by the component itself (the items of a list) go inside it too.
    std::erase_if(children, [this, Component](TComponent* child) {
        return child->Owner() != root && child->Owner() != Component;
    });
    return children;
}

TFormObject TWriter::Write_Object(TComponent* Component)
{
    written.push_back(Component);
    const TClassInfo* info = Class_Info_Of(Component);
    if (!info)
        throw EWriteError("Error writing " + Component->Name() + ": class " + Component->ClassName() +
                          " is not registered");
    TFormObject object;
    object.Name = Component->Name();
    object.Class_Name = Component->ClassName();
    object.Properties = Write_Properties(*info, info->Cast(Component));
    for (TComponent* child : Children(Component))
        object.Children.push_back(Write_Object(child));
    return object;
}

std::vector<TFormProperty> TWriter::Write_Properties(const TClassInfo& Info, void* Instance)
{
    std::vector<TFormProperty> out;
    Write_Into(Info, Instance, "", out);
    return out;
}

void TWriter::Write_Into(const TClassInfo& Info, void* Instance, const std::string& Prefix,
                         std::vector<TFormProperty>& Out)
{
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* info = &Info; info; info = info->Parent())
        chain.push_back(info);
    // Root class first; a property a descendant registers again (with its
    // own default) is written where the root class put it.
    std::vector<std::string> done;
    for (auto level = chain.rbegin(); level != chain.rend(); ++level)
        for (const TPropInfo& declared : (*level)->Properties()) {
            if (std::find(done.begin(), done.end(), declared.Name) != done.end())
                continue;
            done.push_back(declared.Name);
            void* target = Instance;
            const TPropInfo* prop = Info.Find_Property(declared.Name, target);
            if (prop->Stored && !prop->Stored(target))
                continue;
            if (prop->Sub_Type) {
                const TClassInfo* sub_info = Find_Class_Info(*prop->Sub_Type);
                if (void* sub = prop->Sub_Object(target); sub && sub_info)
                    Write_Into(*sub_info, sub, Prefix + prop->Name + ".", Out);
            } else if (prop->Write) {
                if (auto value = prop->Write(target, *this))
                    Out.push_back({Prefix + prop->Name, std::move(*value), 0});
            }
        }
    auto* outer_out = defined_out;
    const std::string outer_prefix = defined_prefix;
    defined_out = &Out;
    defined_prefix = Prefix;
    Info.Define_Properties(Instance, *this);
    defined_out = outer_out;
    defined_prefix = outer_prefix;
}

std::optional<std::string> TWriter::Handler_Name(const void* Event, std::type_index Event_Type) const
{
    for (const TForm_Table::THandler& handler : table.Handlers())
        if (handler.Event_Type == Event_Type && handler.Holds(Event, root))
            return handler.Name;
    return std::nullopt;
}

void TWriter::Put(TFormValue Value)
{
    if (lists.empty())
        values.push_back(std::move(Value));
    else
        lists.back().Items.push_back(std::move(Value));
}

void TWriter::WriteInteger(std::int64_t Value)
{
    TFormValue value;
    value.Integer = Value;
    Put(std::move(value));
}

void TWriter::WriteString(const std::string& Value) { Put(String_Type().To(Value)); }
void TWriter::WriteIdent(const std::string& Value) { Put(Ident_Value(Value)); }
void TWriter::WriteBoolean(bool Value) { Put(Boolean_Type().To(Value)); }
void TWriter::WriteFloat(double Value) { Put(Float_Type().To(Value)); }

void TWriter::WriteListBegin()
{
    TFormValue list;
    list.Kind = TFormValue::TKind::List;
    lists.push_back(std::move(list));
}

void TWriter::WriteListEnd()
{
    if (lists.empty())
        throw EWriteError("WriteListEnd without WriteListBegin");
    TFormValue list = std::move(lists.back());
    lists.pop_back();
    Put(std::move(list));
}

void TWriter::Add_Defined(const std::string& Name, TFormValue Value)
{
    defined_out->push_back({defined_prefix + Name, std::move(Value), 0});
}

void TWriter::DefineProperty(const std::string& Name, const TReaderProc& /*ReadData*/, const TWriterProc& WriteData,
                             bool HasData)
{
    if (!defined_out || !HasData || !WriteData)
        return;
    values.clear();
    lists.clear();
    WriteData(*this);
    if (values.size() != 1 || !lists.empty())
        throw EWriteError("Error writing property " + Name + ": it must write one value");
    Add_Defined(Name, std::move(values.front()));
    values.clear();
}

void TWriter::DefineBinaryProperty(const std::string& Name, const TStreamProc& /*ReadData*/,
                                   const TStreamProc& WriteData, bool HasData)
{
    if (!defined_out || !HasData || !WriteData)
        return;
    TMemoryStream stream;
    WriteData(stream);
    TFormValue value;
    value.Kind = TFormValue::TKind::Binary;
    const auto* bytes = static_cast<const unsigned char*>(stream.Memory());
    value.Bytes.assign(bytes, bytes + stream.Size());
    Add_Defined(Name, std::move(value));
}

// ---- Text ------------------------------------------------------------------------

std::string Form_Text(const TFormObject& Object)
{
    std::string out;
    Append_Object(out, Object, "");
    return out;
}

std::string WriteComponentText(TComponent* Component) { return WriteComponentText(Component, Empty_Table()); }

std::string WriteComponentText(TComponent* Component, const TForm_Table& Table)
{
    return Form_Text(TWriter(Component, Table).Write_Root());
}
