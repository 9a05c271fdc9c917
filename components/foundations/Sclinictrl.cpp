#include "components/foundations/Sclinictrl.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <vector>

#include "components/foundations/Sclclass.h"
#include "components/foundations/Sclstrings.h"
#include "components/foundations/Sclsysin.h"
#include "components/foundations/Sclutils.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/SysUtils.h"

namespace {

constexpr BYTE Max_Alpha_Entries = 26;
constexpr const char* Root_Section = "#ROOT";
constexpr const char* Common_Section = "Common";
constexpr const char* Path_Prefix_Names[] = {"ppWindows", "ppSystem", "ppProgram", "ppFixed"};

// Dates and times as texts: day/month/year and hours:minutes:seconds.
constexpr const char* Date_Format = "dd/mm/yyyy";
constexpr const char* Time_Format = "hh:nn:ss";

// The name after the last folder, with its extension.
std::string File_Part(const std::string& Path) { return Path.substr(Path.rfind('/') + 1); }

[[noreturn]] void Not_Valid(const std::string& Text, const char* What)
{
    throw EConvertError("'" + Text + "' is not a valid " + What);
}

double Text_To_Float(const std::string& Text)
{
    std::string text = Trim(Text);
    for (char& c : text)
        if (c == DecimalSeparator)
            c = '.';
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        Not_Valid(Text, "floating point value");
    return value;
}

// Numbers separated by Separator; empty when the text is anything else.
std::vector<int> Number_Fields(const std::string& Text, char Separator)
{
    std::vector<int> fields;
    std::size_t start = 0;
    while (start <= Text.size()) {
        const std::size_t end = std::min(Text.find(Separator, start), Text.size());
        int value = 0;
        const char* first = Text.data() + start;
        const char* last = Text.data() + end;
        const auto [stop, error] = std::from_chars(first, last, value);
        if (first == last || error != std::errc() || stop != last || value < 0)
            return {};
        fields.push_back(value);
        start = end + 1;
    }
    return fields;
}

TDateTime Text_To_Date(const std::string& Text)
{
    const std::vector<int> fields = Number_Fields(Trim(Text), '/');
    if (fields.size() != 3)
        Not_Valid(Text, "date");
    const int year = fields[2] < 100 ? 2000 + fields[2] : fields[2];
    try {
        return EncodeDate(year, fields[1], fields[0]);
    } catch (const EConvertError&) {
        Not_Valid(Text, "date");
    }
}

TDateTime Text_To_Time(const std::string& Text)
{
    const std::vector<int> fields = Number_Fields(Trim(Text), ':');
    if (fields.size() < 2 || fields.size() > 3)
        Not_Valid(Text, "time");
    try {
        return EncodeTime(fields[0], fields[1], fields.size() == 3 ? fields[2] : 0, 0);
    } catch (const EConvertError&) {
        Not_Valid(Text, "time");
    }
}

std::string Date_Time_Text(TDateTime Value)
{
    const std::string date = FormatDateTime(Date_Format, Value);
    const double whole = static_cast<double>(static_cast<std::int64_t>(Value));
    return Value == whole ? date : date + " " + FormatDateTime(Time_Format, Value);
}

TDateTime Text_To_Date_Time(const std::string& Text)
{
    const std::string text = Trim(Text);
    const std::size_t blank = text.find(' ');
    if (blank == std::string::npos)
        return text.find('/') != std::string::npos ? Text_To_Date(text) : Text_To_Time(text);
    const TDateTime date = Text_To_Date(text.substr(0, blank));
    const TDateTime time = Text_To_Time(text.substr(blank + 1));
    return date < 0 ? date - time : date + time;
}

// Every published property of Object, the most derived class's first; a
// name met again further up is the same property and is skipped.
template <class Visit>
void For_Each_Property(TObject* Object, Visit visit)
{
    const TClassInfo* info = Object ? Class_Info_Of(Object) : nullptr;
    if (!info)
        return;
    void* instance = info->Cast(Object);
    std::vector<std::string> seen;
    while (info) {
        for (const TPropInfo& prop : info->Properties()) {
            const std::string key = UpperCase(prop.Name);
            if (std::find(seen.begin(), seen.end(), key) != seen.end())
                continue;
            seen.push_back(key);
            visit(prop, instance);
        }
        const TClassInfo* parent = info->Parent();
        if (parent)
            instance = info->To_Parent(instance);
        info = parent;
    }
}

bool Is_Ordinal(TTypeKind Kind)
{
    return Kind == tkInteger || Kind == tkChar || Kind == tkEnumeration || Kind == tkSet;
}

bool Is_Stored(const TPropInfo& Prop, void* Instance)
{
    return Prop.Write && (!Prop.Stored || Prop.Stored(Instance));
}

// Forms may place an ini control; its settings are published.
const bool Ini_Ctrl_Registered = [] {
    RegisterComponentClass<TSCLIniCtrl, TComponent>("TSCLIniCtrl")
        .Property("About", String_Type(), [](TSCLIniCtrl& c) { return c.About; },
                  [](TSCLIniCtrl& c, const std::string& v) { c.About = v; }, std::string())
        .Property("AlphaCounter", Boolean_Type(), &TSCLIniCtrl::AlphaCounter, &TSCLIniCtrl::SetAlphaCounter, false)
        .Property("Common", Boolean_Type(), &TSCLIniCtrl::Common, &TSCLIniCtrl::SetCommon, true)
        .Property("IniFile", String_Type(), &TSCLIniCtrl::IniFile, &TSCLIniCtrl::SetIniFile, std::string())
        .Property("IniPrefix", Enum_Type<TSCLPathPrefix>(Path_Prefix_Names), &TSCLIniCtrl::IniPrefix,
                  &TSCLIniCtrl::SetIniPrefix, ppWindows)
        .Property("MaxEntries", Integer_Type(0, 255), [](TSCLIniCtrl& c) { return int{c.MaxEntries()}; },
                  [](TSCLIniCtrl& c, int v) { c.SetMaxEntries(static_cast<BYTE>(v)); }, 16)
        .Property("NetUser", Boolean_Type(), &TSCLIniCtrl::NetUser, &TSCLIniCtrl::SetNetUser, false)
        .Property("User", String_Type(), &TSCLIniCtrl::User, &TSCLIniCtrl::SetUser, std::string())
        .Property("RegPath", String_Type(), &TSCLIniCtrl::RegPath, &TSCLIniCtrl::SetRegPath, std::string())
        .Property("RegRoot", Enum_Type<TSCLRegRootKey>(SCLRegRootKeyNames), &TSCLIniCtrl::RegRoot,
                  &TSCLIniCtrl::SetRegRoot, rpCurrentUser)
        .Property("Target", Enum_Type<TSCLIniTarget>(SCLIniTargetNames), &TSCLIniCtrl::Target,
                  &TSCLIniCtrl::SetTarget, itAuto);
    return true;
}();

} // namespace

// ---- Registry roots and store ----------------------------------------------------

HKEY SCLGetRootKey(TSCLRegRootKey Root)
{
    // HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS,
    // HKEY_CURRENT_CONFIG and HKEY_DYN_DATA; HKEY_PERFORMANCE_DATA is not reachable.
    static constexpr std::uintptr_t roots[] = {0x80000000u, 0x80000001u, 0x80000002u,
                                               0x80000003u, 0x80000005u, 0x80000006u};
    const auto index = static_cast<std::size_t>(Root);
    return index < std::size(roots) ? reinterpret_cast<HKEY>(roots[index]) : nullptr;
}

TSCLRegIniFile::TSCLRegIniFile(HKEY RootKey, const std::string& Path, bool ReadOnly)
    : TRegIniFile(RootKey, Path, ReadOnly ? KEY_READ : KEY_ALL_ACCESS)
{
}

std::string GetNetUserName() { return SCLSIUserName(); }

// ---- TSCLIniCtrl: settings and names ---------------------------------------------

TSCLIniCtrl::TSCLIniCtrl(TComponent* AOwner) : TSCLCustomComponent(AOwner) {}

void TSCLIniCtrl::SetAlphaCounter(bool Value)
{
    if (Value == alpha_counter)
        return;
    alpha_counter = Value;
    if (max_entries > Max_Alpha_Entries)
        max_entries = Max_Alpha_Entries;
}

void TSCLIniCtrl::SetIniFile(const std::string& Value)
{
    // An empty name stays empty: the program's own name then stands for it.
    ini_file = !Value.empty() && File_Part(Value).find('.') == std::string::npos ? Value + ".INI" : Value;
}

void TSCLIniCtrl::SetMaxEntries(BYTE Value)
{
    if (alpha_counter && Value > Max_Alpha_Entries)
        return;
    max_entries = Value;
}

void TSCLIniCtrl::SetNetUser(bool Value)
{
    if (Value && !net_user)
        user = GetNetUserName();
    net_user = Value;
}

void TSCLIniCtrl::SetTarget(TSCLIniTarget Value)
{
    target = Value;
    effective_target = Value == itIniFile ? itIniFile : Value == itRegistry || Value == itAuto ? itRegistry : Value;
}

std::string TSCLIniCtrl::GetIniName()
{
    if (ini_file.empty()) {
        const std::string program = SCLAppExeName();
        const std::string name = File_Part(program);
        ini_file = program.substr(0, program.size() - name.size()) + name.substr(0, name.rfind('.')) + ".INI";
    }
    if (ini_prefix == ppFixed)
        return ini_file;
    return SCLCreatePathPrefix(ini_prefix, true) + File_Part(ini_file);
}

std::string TSCLIniCtrl::GetRegPath() const
{
    if (!SCLEmpty(reg_path))
        return SCLSlashAdd(reg_path);
    return SCLApplication ? SCLApplication->GetDefaultRegPath() : std::string();
}

std::string TSCLIniCtrl::GetSectionName(const std::string& Name)
{
    if (Name.empty()) {
        if (last_section.empty())
            last_section = Common_Section;
        return last_section;
    }
    if (effective_target == itRegistry)
        last_section = Name == Root_Section ? std::string() : Name;
    else if (common)
        last_section = Name;
    else
        last_section = Name + "." + (net_user ? GetNetUserName() : user);
    return last_section;
}

std::string TSCLIniCtrl::GetCounterIdent(int Index) const
{
    return alpha_counter ? std::string(1, static_cast<char>('A' + Index)) : IntToStr(Index);
}

std::unique_ptr<TCustomIniFile> TSCLIniCtrl::OpenStore(bool ForReading)
{
    if (effective_target == itIniFile)
        return std::make_unique<TIniFile>(GetIniName());
    if (effective_target == itRegistry)
        return std::make_unique<TSCLRegIniFile>(SCLGetRootKey(reg_root), GetRegPath(), ForReading);
    return nullptr;
}

std::unique_ptr<TCustomIniFile> TSCLIniCtrl::OpenObjectStore(bool ForReading)
{
    if (effective_target == itIniFile)
        return std::make_unique<TIniFile>(GetIniName());
    if (effective_target == itRegistry)
        return std::make_unique<TRegistryIniFile>(SCLGetRootKey(reg_root), GetRegPath(),
                                                  ForReading ? KEY_READ : KEY_ALL_ACCESS);
    return nullptr;
}

// ---- TSCLIniCtrl: typed values ---------------------------------------------------

std::string TSCLIniCtrl::ReadString(const std::string& Section, const std::string& Ident, const std::string& Default)
{
    auto store = OpenStore(true);
    return store ? store->ReadString(GetSectionName(Section), Ident, Default) : Default;
}

void TSCLIniCtrl::WriteString(const std::string& Section, const std::string& Ident, const std::string& Value)
{
    if (auto store = OpenStore(false))
        store->WriteString(GetSectionName(Section), Ident, Value);
}

int TSCLIniCtrl::ReadInteger(const std::string& Section, const std::string& Ident, int Default)
{
    auto store = OpenStore(true);
    return store ? store->ReadInteger(GetSectionName(Section), Ident, Default) : Default;
}

void TSCLIniCtrl::WriteInteger(const std::string& Section, const std::string& Ident, int Value)
{
    if (auto store = OpenStore(false))
        store->WriteInteger(GetSectionName(Section), Ident, Value);
}

bool TSCLIniCtrl::ReadBool(const std::string& Section, const std::string& Ident, bool Default)
{
    auto store = OpenStore(true);
    return store ? store->ReadBool(GetSectionName(Section), Ident, Default) : Default;
}

void TSCLIniCtrl::WriteBool(const std::string& Section, const std::string& Ident, bool Value)
{
    if (auto store = OpenStore(false))
        store->WriteBool(GetSectionName(Section), Ident, Value);
}

double TSCLIniCtrl::ReadFloat(const std::string& Section, const std::string& Ident, double Default)
{
    return Text_To_Float(ReadString(Section, Ident, FloatToStr(Default)));
}

void TSCLIniCtrl::WriteFloat(const std::string& Section, const std::string& Ident, double Value)
{
    WriteString(Section, Ident, FloatToStr(Value));
}

TDateTime TSCLIniCtrl::ReadDate(const std::string& Section, const std::string& Ident, TDateTime Default)
{
    return Text_To_Date(ReadString(Section, Ident, FormatDateTime(Date_Format, Default)));
}

void TSCLIniCtrl::WriteDate(const std::string& Section, const std::string& Ident, TDateTime Value)
{
    WriteString(Section, Ident, FormatDateTime(Date_Format, Value));
}

TDateTime TSCLIniCtrl::ReadTime(const std::string& Section, const std::string& Ident, TDateTime Default)
{
    return Text_To_Time(ReadString(Section, Ident, FormatDateTime(Time_Format, Default)));
}

void TSCLIniCtrl::WriteTime(const std::string& Section, const std::string& Ident, TDateTime Value)
{
    WriteString(Section, Ident, FormatDateTime(Time_Format, Value));
}

TDateTime TSCLIniCtrl::ReadDateTime(const std::string& Section, const std::string& Ident, TDateTime Default)
{
    return Text_To_Date_Time(ReadString(Section, Ident, Date_Time_Text(Default)));
}

void TSCLIniCtrl::WriteDateTime(const std::string& Section, const std::string& Ident, TDateTime Value)
{
    WriteString(Section, Ident, Date_Time_Text(Value));
}

TColor TSCLIniCtrl::ReadColor(const std::string& Section, const std::string& Ident, TColor Default)
{
    return StringToColor(ReadString(Section, Ident, ColorToString(Default)));
}

void TSCLIniCtrl::WriteColor(const std::string& Section, const std::string& Ident, TColor Value)
{
    WriteString(Section, Ident, ColorToString(Value));
}

bool TSCLIniCtrl::ReadFont(const std::string& Section, const std::string& Ident, TFont* Font)
{
    const std::string text = ReadString(Section, Ident, "");
    if (text.empty())
        return false;
    SCLStringToFont(text, Font);
    return true;
}

void TSCLIniCtrl::WriteFont(const std::string& Section, const std::string& Ident, TFont* Font)
{
    WriteString(Section, Ident, SCLFontToString(Font));
}

POINT TSCLIniCtrl::ReadPoint(const std::string& Section, const std::string& Ident, const POINT& Default)
{
    return SCLStringToPoint(ReadString(Section, Ident, SCLPointToString(Default)));
}

void TSCLIniCtrl::WritePoint(const std::string& Section, const std::string& Ident, const POINT& Value)
{
    WriteString(Section, Ident, SCLPointToString(Value));
}

RECT TSCLIniCtrl::ReadRect(const std::string& Section, const std::string& Ident, const RECT& Default)
{
    return SCLStringToRect(ReadString(Section, Ident, SCLRectToString(Default)));
}

void TSCLIniCtrl::WriteRect(const std::string& Section, const std::string& Ident, const RECT& Value)
{
    WriteString(Section, Ident, SCLRectToString(Value));
}

// ---- TSCLIniCtrl: sections and lists ---------------------------------------------

void TSCLIniCtrl::ReadSection(const std::string& Section, TStrings* Strings)
{
    if (auto store = OpenStore(true))
        store->ReadSection(GetSectionName(Section), Strings);
}

void TSCLIniCtrl::ReadSections(TStrings* Strings)
{
    if (auto store = OpenStore(true))
        store->ReadSections(Strings);
}

void TSCLIniCtrl::ReadSectionValues(const std::string& Section, TStrings* Strings)
{
    if (auto store = OpenStore(true))
        store->ReadSectionValues(GetSectionName(Section), Strings);
}

void TSCLIniCtrl::DeleteKey(const std::string& Section, const std::string& Ident)
{
    if (auto store = OpenStore(false))
        store->DeleteKey(GetSectionName(Section), Ident);
}

void TSCLIniCtrl::EraseSection(const std::string& Section)
{
    if (auto store = OpenStore(false))
        store->EraseSection(GetSectionName(Section));
}

void TSCLIniCtrl::ReadStringsExt(const std::string& Section, const std::string& Ident, TStrings* List, int Count)
{
    List->Clear();
    for (int i = 0; i < Count; ++i) {
        const std::string value = ReadString(Section, Ident + GetCounterIdent(i), "");
        if (value.empty())
            return;
        List->Add(value);
    }
}

void TSCLIniCtrl::WriteStringsExt(const std::string& Section, const std::string& Ident, TStrings* List, int Count)
{
    EraseSection(Section);
    const int written = std::min(List->Count(), Count);
    for (int i = 0; i < written; ++i)
        WriteString(Section, Ident + GetCounterIdent(i), List->Strings(i));
    // The registry cannot erase the older, longer list: an empty entry ends this one.
    if (effective_target == itRegistry && written < Count)
        WriteString(Section, Ident + GetCounterIdent(written), "");
}

void TSCLIniCtrl::ReadStrings(const std::string& Section, const std::string& Ident, TStrings* List)
{
    ReadStringsExt(Section, Ident, List, max_entries);
}

void TSCLIniCtrl::WriteStrings(const std::string& Section, const std::string& Ident, TStrings* List)
{
    WriteStringsExt(Section, Ident, List, max_entries);
}

void TSCLIniCtrl::ReadColorList(const std::string& Section, TStrings* List)
{
    if (auto store = OpenStore(true))
        store->ReadSectionValues(Section, List);
}

void TSCLIniCtrl::WriteColorList(const std::string& Section, TStrings* List)
{
    auto store = OpenStore(false);
    if (!store)
        return;
    for (int i = 0; i < List->Count(); ++i) {
        const std::string line = List->Strings(i);
        const std::size_t equal = line.find('=');
        if (equal != std::string::npos)
            store->WriteString(Section, line.substr(0, equal), line.substr(equal + 1));
    }
}

// ---- Objects ---------------------------------------------------------------------

void TSCLIniCtrl::WriteObject(const std::string& Section, TObject* Object)
{
    if (auto store = OpenObjectStore(false))
        SCLSaveObjectProperties(store.get(), GetSectionName(Section), Object);
}

void TSCLIniCtrl::ReadObject(const std::string& Section, TObject* Object)
{
    if (auto store = OpenObjectStore(true))
        SCLLoadObjectProperties(store.get(), GetSectionName(Section), Object);
}

void SCLSaveObjectProperties(TCustomIniFile* Ini, const std::string& Section, TObject* Object)
{
    For_Each_Property(Object, [&](const TPropInfo& prop, void* instance) {
        if (!Is_Stored(prop, instance))
            return;
        if (Is_Ordinal(prop.Kind) && prop.Get_Ordinal) {
            const std::int64_t value = prop.Get_Ordinal(instance);
            if (!prop.Default_Ordinal || value != *prop.Default_Ordinal)
                Ini->WriteInteger(Section, prop.Name, static_cast<int>(value));
        } else if (prop.Kind == tkFloat && prop.Get_Float) {
            if (const double value = prop.Get_Float(instance); value != 0)
                Ini->WriteString(Section, prop.Name, FloatToStr(value));
        } else if (prop.Kind == tkString && prop.Get_String) {
            if (const std::string value = prop.Get_String(instance); !value.empty())
                Ini->WriteString(Section, prop.Name, value);
        }
    });
}

void SCLLoadObjectProperties(TCustomIniFile* Ini, const std::string& Section, TObject* Object)
{
    For_Each_Property(Object, [&](const TPropInfo& prop, void* instance) {
        try {
            if (Is_Ordinal(prop.Kind) && prop.Get_Ordinal && prop.Set_Ordinal) {
                const auto current = static_cast<int>(prop.Get_Ordinal(instance));
                const int value = Ini->ReadInteger(Section, prop.Name, current);
                // A set keeps its bits unsigned.
                const std::int64_t ordinal =
                    prop.Kind == tkSet ? std::int64_t{static_cast<std::uint32_t>(value)} : std::int64_t{value};
                prop.Set_Ordinal(instance, ordinal);
            } else if (prop.Kind == tkFloat && prop.Get_Float && prop.Set_Float) {
                const std::string text = Ini->ReadString(Section, prop.Name, FloatToStr(prop.Get_Float(instance)));
                prop.Set_Float(instance, Text_To_Float(text));
            } else if (prop.Kind == tkString && prop.Get_String && prop.Set_String) {
                prop.Set_String(instance, Ini->ReadString(Section, prop.Name, prop.Get_String(instance)));
            }
        } catch (const Exception&) {
            // A stored value this property cannot take (out of range, not a
            // number, a name taken): it keeps its own.
        }
    });
}

// ---- The application's settings control ------------------------------------------

TSCLIniCtrl* TSCLApplication::IniCtrl()
{
    if (!ini_ctrl)
        ini_ctrl = {new TSCLIniCtrl(nullptr), [](TSCLIniCtrl* control) { delete control; }};
    return ini_ctrl.get();
}
