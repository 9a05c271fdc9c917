#include "platform/classlib/Class_Registry.h"

#include "platform/classlib/Published_Properties.h"

#include <algorithm>
#include <charconv>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace {

struct Registry {
    std::vector<std::unique_ptr<TClassInfo>> classes;
    std::unordered_map<std::type_index, TClassInfo*> by_type;
};

Registry& The_Registry()
{
    static Registry registry;
    return registry;
}

// The class library registers its own classes before the first look-up.
Registry& Filled_Registry()
{
    static std::once_flag filled;
    std::call_once(filled, Register_Class_Library);
    return The_Registry();
}

int Depth(const TClassInfo* info)
{
    int depth = 0;
    for (; info; info = info->Parent())
        ++depth;
    return depth;
}

std::string Describe(const TFormValue& value)
{
    switch (value.Kind) {
    case TFormValue::TKind::Integer: return "the number " + std::to_string(value.Integer);
    case TFormValue::TKind::Float: return "a real number";
    case TFormValue::TKind::String: return "a string";
    case TFormValue::TKind::Ident: return "'" + value.Text + "'";
    case TFormValue::TKind::Set: return "a set";
    case TFormValue::TKind::List: return "a list";
    case TFormValue::TKind::Collection: return "a collection";
    case TFormValue::TKind::Binary: return "binary data";
    }
    return "a value";
}

[[noreturn]] void Wrong_Value(const TFormValue& value, const std::string& expected)
{
    throw EPropertyError("invalid property value: " + Describe(value) + " where " + expected + " was expected");
}

TFormValue Integer_Value(std::int64_t number)
{
    TFormValue value;
    value.Kind = TFormValue::TKind::Integer;
    value.Integer = number;
    return value;
}

} // namespace

// ---- Value types -----------------------------------------------------------

void Raise_Kind_Error(const char* expected)
{
    throw EPropertyError(std::string("invalid property value: ") + expected + " expected");
}

void Raise_Class_Mismatch(TComponent* Component)
{
    throw EPropertyError(Component->Name() + " is a " + Component->ClassName() + ", which does not fit");
}

TFormValue Ident_Value(const std::string& Name)
{
    TFormValue value;
    value.Kind = TFormValue::TKind::Ident;
    value.Text = Name;
    return value;
}

TFormValue Set_Value(std::vector<std::string> Names)
{
    TFormValue value;
    value.Kind = TFormValue::TKind::Set;
    value.Names = std::move(Names);
    return value;
}

TValue_Type<int> Integer_Type(int Min, int Max)
{
    return {[Min, Max](const TFormValue& value) {
                if (value.Kind != TFormValue::TKind::Integer)
                    Wrong_Value(value, "an integer");
                if (value.Integer < Min || value.Integer > Max)
                    throw EPropertyError("value " + std::to_string(value.Integer) + " out of range " +
                                         std::to_string(Min) + ".." + std::to_string(Max));
                return static_cast<int>(value.Integer);
            },
            [](const int& number) { return Integer_Value(number); }};
}

TValue_Type<bool> Boolean_Type()
{
    return {[](const TFormValue& value) {
                if (value.Kind == TFormValue::TKind::Ident && Same_Ident(value.Text, "True"))
                    return true;
                if (value.Kind == TFormValue::TKind::Ident && Same_Ident(value.Text, "False"))
                    return false;
                Wrong_Value(value, "True or False");
            },
            [](const bool& flag) { return Ident_Value(flag ? "True" : "False"); }};
}

TValue_Type<double> Float_Type()
{
    return {[](const TFormValue& value) {
                if (value.Kind == TFormValue::TKind::Integer)
                    return static_cast<double>(value.Integer);
                if (value.Kind != TFormValue::TKind::Float)
                    Wrong_Value(value, "a number");
                return value.Float;
            },
            [](const double& number) {
                TFormValue value;
                value.Kind = TFormValue::TKind::Float;
                value.Float = number;
                return value;
            }};
}

TValue_Type<std::string> String_Type()
{
    return {[](const TFormValue& value) {
                if (value.Kind != TFormValue::TKind::String)
                    Wrong_Value(value, "a string");
                return value.Text;
            },
            [](const std::string& text) {
                TFormValue value;
                value.Kind = TFormValue::TKind::String;
                value.Text = text;
                return value;
            }};
}

TValue_Type<TColor> Color_Type()
{
    return {[](const TFormValue& value) -> TColor {
                if (value.Kind == TFormValue::TKind::Integer) {
                    if (value.Integer < INT32_MIN || value.Integer > static_cast<std::int64_t>(UINT32_MAX))
                        throw EPropertyError("colour value out of range");
                    return static_cast<TColor>(value.Integer);
                }
                const bool named = value.Kind == TFormValue::TKind::Ident && value.Text.size() > 2;
                if (named && Same_Ident(value.Text.substr(0, 2), "cl")) {
                    try {
                        return StringToColor(value.Text);
                    } catch (const EConvertError&) {
                    }
                }
                Wrong_Value(value, "a colour");
            },
            [](const TColor& color) {
                const std::string name = ColorToString(color);
                return name[0] == '$' ? Integer_Value(static_cast<std::int32_t>(color)) : Ident_Value(name);
            }};
}

TValue_Type<std::vector<std::string>> String_List_Type()
{
    return {[](const TFormValue& value) {
                if (value.Kind != TFormValue::TKind::List)
                    Wrong_Value(value, "a list of strings");
                std::vector<std::string> lines;
                for (const TFormValue& item : value.Items) {
                    if (item.Kind != TFormValue::TKind::String)
                        Wrong_Value(item, "a string");
                    lines.push_back(item.Text);
                }
                return lines;
            },
            [](const std::vector<std::string>& lines) {
                TFormValue value;
                value.Kind = TFormValue::TKind::List;
                for (const std::string& line : lines)
                    value.Items.push_back(String_Type().To(line));
                return value;
            }};
}

TValue_Type<int> Ident_Integer_Type(std::span<const TIdent_Value> Idents)
{
    return {[Idents](const TFormValue& value) {
                if (value.Kind == TFormValue::TKind::Ident) {
                    for (const TIdent_Value& ident : Idents)
                        if (Same_Ident(ident.Name, value.Text))
                            return ident.Value;
                }
                return Integer_Type().From(value);
            },
            [Idents](const int& number) {
                for (const TIdent_Value& ident : Idents)
                    if (ident.Value == number)
                        return Ident_Value(ident.Name);
                return Integer_Value(number);
            }};
}

int Enum_Ordinal(std::span<const char* const> Names, const std::string& Name)
{
    for (std::size_t i = 0; i < Names.size(); ++i)
        if (Same_Ident(Names[i], Name))
            return static_cast<int>(i);
    return -1;
}

int Enum_Value_Ordinal(std::span<const char* const> Names, const TFormValue& value)
{
    const int ordinal = value.Kind == TFormValue::TKind::Ident ? Enum_Ordinal(Names, value.Text) : -1;
    if (ordinal < 0)
        Wrong_Value(value, "one of " + std::string(Names.empty() ? "" : Names[0]) + "...");
    return ordinal;
}

std::vector<int> Set_Ordinals(std::span<const char* const> Names, const TFormValue& Value)
{
    if (Value.Kind != TFormValue::TKind::Set)
        Wrong_Value(Value, "a set");
    std::vector<int> ordinals;
    for (const std::string& name : Value.Names)
        ordinals.push_back(Enum_Value_Ordinal(Names, Ident_Value(name)));
    return ordinals;
}

// ---- Classes -------------------------------------------------------------------

const TClassInfo* TClassInfo::Parent() const
{
    if (!parent_type)
        return nullptr;
    const TClassInfo* parent = Find_Class_Info(*parent_type);
    if (!parent)
        throw EPropertyError("the parent class of " + name + " is not registered");
    return parent;
}

TComponent* TClassInfo::Create(TComponent* Owner) const
{
    if (!create)
        throw EPropertyError("class " + name + " cannot be created by name");
    return create(Owner);
}

const TPropInfo* TClassInfo::Find_Property(const std::string& Name, void*& Instance) const
{
    for (const TClassInfo* info = this; info; info = info->Parent()) {
        for (const TPropInfo& prop : info->properties)
            if (Same_Ident(prop.Name, Name))
                return &prop;
        if (info->parent_type)
            Instance = info->to_parent(Instance);
    }
    return nullptr;
}

void TClassInfo::Define_Properties(void* Instance, TFiler& Filer) const
{
    if (const TClassInfo* parent = Parent())
        parent->Define_Properties(to_parent(Instance), Filer);
    if (define_properties)
        define_properties(Instance, Filer);
}

void TClassInfo::Set_Parent(TComponent* Child, TComponent* Parent_Component) const
{
    for (const TClassInfo* info = this; info; info = info->Parent())
        if (info->set_parent) {
            info->set_parent(Child, Parent_Component);
            return;
        }
}

std::vector<TComponent*> TClassInfo::Children(TComponent* Component) const
{
    for (const TClassInfo* info = this; info; info = info->Parent())
        if (info->children)
            return info->children(Component);
    return {};
}

TClassInfo& Add_Class_Info(std::string Name, std::type_index Type)
{
    Registry& registry = The_Registry();
    auto found = registry.by_type.find(Type);
    if (found != registry.by_type.end())
        throw EPropertyError("class " + Name + " is registered twice");
    registry.classes.push_back(std::make_unique<TClassInfo>(std::move(Name), Type));
    registry.by_type[Type] = registry.classes.back().get();
    return *registry.classes.back();
}

const TClassInfo* FindClass(const std::string& Name)
{
    for (const auto& info : Filled_Registry().classes)
        if (Same_Ident(info->Name(), Name))
            return info.get();
    return nullptr;
}

const TClassInfo* Find_Class_Info(std::type_index Type)
{
    const Registry& registry = Filled_Registry();
    auto found = registry.by_type.find(Type);
    return found == registry.by_type.end() ? nullptr : found->second;
}

const TClassInfo* Class_Info_Of(TObject* Object)
{
    if (const TClassInfo* exact = Find_Class_Info(typeid(*Object)))
        return exact;
    // A class of its own without published properties (a form class):
    // the deepest registered class it derives from.
    const TClassInfo* best = nullptr;
    for (const auto& info : Filled_Registry().classes)
        if (info->Cast(Object) && (!best || Depth(info.get()) > Depth(best)))
            best = info.get();
    return best;
}

const TForm_Table::THandler* TForm_Table::Find_Handler(const std::string& Name) const
{
    for (const THandler& handler : handlers)
        if (Same_Ident(handler.Name, Name))
            return &handler;
    return nullptr;
}
