#include "platform/classlib/IniFiles.h"

#include <vector>

#include "platform/classlib/SysUtils.h"

namespace {

bool Same_Text(const std::string& a, const std::string& b) { return UpperCase(a) == UpperCase(b); }

bool Has_Line_Break(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

void Check_Section(const std::string& Section)
{
    if (Has_Line_Break(Section) || Section.find(']') != std::string::npos)
        throw EIniFileException("Ini file: section name '" + Section + "' cannot be stored");
}

void Check_Entry(const std::string& Ident, const std::string& Value)
{
    const std::string ident = Trim(Ident);
    if (ident.empty() || Has_Line_Break(Ident) || Ident.find('=') != std::string::npos || ident.front() == '[' ||
        ident.front() == ';')
        throw EIniFileException("Ini file: ident '" + Ident + "' cannot be stored");
    if (Has_Line_Break(Value))
        throw EIniFileException("Ini file: the value of '" + Ident + "' holds a line break");
}

bool Is_Header(const std::string& line)
{
    const std::string text = Trim(line);
    return text.size() >= 2 && text.front() == '[' && text.back() == ']';
}

std::string Header_Name(const std::string& line)
{
    const std::string text = Trim(line);
    return Trim(text.substr(1, text.size() - 2));
}

// The ident of an "ident=value" line; empty for comments and other lines.
std::string Line_Ident(const std::string& line)
{
    const std::string text = Trim(line);
    const std::size_t equal = text.find('=');
    if (equal == std::string::npos || text.front() == ';')
        return {};
    return Trim(text.substr(0, equal));
}

std::string Line_Value(const std::string& line) { return Trim(line.substr(line.find('=') + 1)); }

} // namespace

// ---- TCustomIniFile --------------------------------------------------------------

int TCustomIniFile::ReadInteger(const std::string& Section, const std::string& Ident, int Default)
{
    return StrToIntDef(ReadString(Section, Ident, ""), Default);
}

void TCustomIniFile::WriteInteger(const std::string& Section, const std::string& Ident, int Value)
{
    WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const std::string& Section, const std::string& Ident, bool Default)
{
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const std::string& Section, const std::string& Ident, bool Value)
{
    WriteInteger(Section, Ident, Value ? 1 : 0);
}

// ---- TIniFile --------------------------------------------------------------------

TIniFile::TIniFile(const std::string& AFileName) : TCustomIniFile(AFileName)
{
    if (!FileExists(AFileName))
        return;
    try {
        lines.LoadFromFile(AFileName);
    } catch (const EStreamError&) {
        lines.Clear();
        readable = false;
    }
}

int TIniFile::Find_Section(const std::string& Section) const
{
    for (int i = 0; i < lines.Count(); ++i)
        if (Is_Header(lines[i]) && Same_Text(Header_Name(lines[i]), Trim(Section)))
            return i;
    return -1;
}

int TIniFile::Section_End(int Header) const
{
    int end = Header + 1;
    while (end < lines.Count() && !Is_Header(lines[end]))
        ++end;
    return end;
}

int TIniFile::Find_Key(int Header, const std::string& Ident) const
{
    if (Header < 0)
        return -1;
    const int end = Section_End(Header);
    for (int i = Header + 1; i < end; ++i)
        if (Same_Text(Line_Ident(lines[i]), Trim(Ident)))
            return i;
    return -1;
}

void TIniFile::Save()
{
    if (!readable)
        throw EFCreateError("Ini file " + FileName() + " could not be read and is not replaced");
    lines.SaveToFile(FileName());
}

std::string TIniFile::ReadString(const std::string& Section, const std::string& Ident, const std::string& Default)
{
    const int key = Find_Key(Find_Section(Section), Ident);
    return key < 0 ? Default : Line_Value(lines[key]);
}

void TIniFile::WriteString(const std::string& Section, const std::string& Ident, const std::string& Value)
{
    Check_Section(Section);
    Check_Entry(Ident, Value);
    const std::string line = Trim(Ident) + "=" + Value;
    int header = Find_Section(Section);
    if (header < 0) {
        if (lines.Count() > 0 && !Trim(lines[lines.Count() - 1]).empty())
            lines.Add("");
        header = lines.Add("[" + Trim(Section) + "]");
    }
    const int key = Find_Key(header, Ident);
    if (key >= 0) {
        lines.Put(key, line);
    } else {
        // After the section's last line, before the blank lines that part it from the next.
        int at = Section_End(header);
        while (at > header + 1 && Trim(lines[at - 1]).empty())
            --at;
        lines.Insert(at, line);
    }
    Save();
}

void TIniFile::ReadSection(const std::string& Section, TStrings* Strings)
{
    Strings->Clear();
    const int header = Find_Section(Section);
    if (header < 0)
        return;
    for (int i = header + 1; i < Section_End(header); ++i)
        if (const std::string ident = Line_Ident(lines[i]); !ident.empty())
            Strings->Add(ident);
}

void TIniFile::ReadSections(TStrings* Strings)
{
    Strings->Clear();
    for (int i = 0; i < lines.Count(); ++i)
        if (Is_Header(lines[i]))
            Strings->Add(Header_Name(lines[i]));
}

void TIniFile::ReadSectionValues(const std::string& Section, TStrings* Strings)
{
    Strings->Clear();
    const int header = Find_Section(Section);
    if (header < 0)
        return;
    for (int i = header + 1; i < Section_End(header); ++i)
        if (const std::string ident = Line_Ident(lines[i]); !ident.empty())
            Strings->Add(ident + "=" + Line_Value(lines[i]));
}

void TIniFile::EraseSection(const std::string& Section)
{
    const int header = Find_Section(Section);
    if (header < 0)
        return;
    const int end = Section_End(header);
    for (int i = end - 1; i >= header; --i)
        lines.Delete(i);
    Save();
}

void TIniFile::DeleteKey(const std::string& Section, const std::string& Ident)
{
    const int key = Find_Key(Find_Section(Section), Ident);
    if (key < 0)
        return;
    lines.Delete(key);
    Save();
}

// ---- TRegIniFile -----------------------------------------------------------------

namespace {

// An open registry key, closed with the object.
class Open_Key {
public:
    Open_Key(HKEY root, const std::string& path, REGSAM access, bool create)
    {
        const LONG result = create ? RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                                     nullptr, &key, nullptr)
                                   : RegOpenKeyExA(root, path.c_str(), 0, access, &key);
        if (result != ERROR_SUCCESS)
            key = nullptr;
    }
    ~Open_Key()
    {
        if (key)
            RegCloseKey(key);
    }
    Open_Key(const Open_Key&) = delete;
    Open_Key& operator=(const Open_Key&) = delete;
    HKEY Handle() const { return key; }

private:
    HKEY key = nullptr;
};

struct Stored_Value {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

bool Query(HKEY key, const std::string& name, Stored_Value& value)
{
    DWORD size = 0;
    if (!key || RegQueryValueExA(key, name.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    value.data.resize(size);
    return RegQueryValueExA(key, name.c_str(), nullptr, &value.type, value.data.data(), &size) == ERROR_SUCCESS;
}

std::string Text_Of(const Stored_Value& value)
{
    if (value.type == REG_DWORD && value.data.size() == sizeof(DWORD)) {
        DWORD number = 0;
        std::copy(value.data.begin(), value.data.end(), reinterpret_cast<BYTE*>(&number));
        return IntToStr(static_cast<std::int32_t>(number));
    }
    std::string text(value.data.begin(), value.data.end());
    return text.substr(0, text.find('\0'));
}

} // namespace

TRegIniFile::TRegIniFile(HKEY RootKey, const std::string& Path, REGSAM Access)
    : TCustomIniFile(Path), root_key(RootKey), access(Access)
{
    if ((Access & ~KEY_READ) != 0)
        Open_Key path(root_key, Path, access, true);
}

std::string TRegIniFile::Key_Path(const std::string& Section) const
{
    return Section.empty() ? FileName() : FileName() + "\\" + Section;
}

std::string TRegIniFile::ReadString(const std::string& Section, const std::string& Ident, const std::string& Default)
{
    Open_Key key(root_key, Key_Path(Section), KEY_READ, false);
    Stored_Value value;
    return Query(key.Handle(), Ident, value) ? Text_Of(value) : Default;
}

int TRegIniFile::ReadInteger(const std::string& Section, const std::string& Ident, int Default)
{
    return StrToIntDef(ReadString(Section, Ident, ""), Default);
}

void TRegIniFile::Write_Value(const std::string& Section, const std::string& Ident, DWORD Type, const BYTE* Data,
                              DWORD Size)
{
    Open_Key key(root_key, Key_Path(Section), access, true);
    if (!key.Handle() || RegSetValueExA(key.Handle(), Ident.c_str(), 0, Type, Data, Size) != ERROR_SUCCESS)
        throw ERegistryException("Failed to set data for '" + Ident + "'");
}

void TRegIniFile::WriteString(const std::string& Section, const std::string& Ident, const std::string& Value)
{
    Write_Value(Section, Ident, REG_SZ, reinterpret_cast<const BYTE*>(Value.c_str()),
                static_cast<DWORD>(Value.size() + 1));
}

void TRegIniFile::WriteInteger(const std::string& Section, const std::string& Ident, int Value)
{
    const auto number = static_cast<DWORD>(Value);
    Write_Value(Section, Ident, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}

void TRegIniFile::ReadSection(const std::string&, TStrings* Strings) { Strings->Clear(); }
void TRegIniFile::ReadSections(TStrings* Strings) { Strings->Clear(); }
void TRegIniFile::ReadSectionValues(const std::string&, TStrings* Strings) { Strings->Clear(); }
void TRegIniFile::EraseSection(const std::string&) {}
void TRegIniFile::DeleteKey(const std::string&, const std::string&) {}

// ---- TRegistryIniFile ------------------------------------------------------------

TRegistryIniFile::TRegistryIniFile(HKEY RootKey, const std::string& Path, REGSAM Access)
    : TCustomIniFile(Path), reg_ini_file(RootKey, Path, Access)
{
}

std::string TRegistryIniFile::ReadString(const std::string& Section, const std::string& Ident,
                                         const std::string& Default)
{
    return reg_ini_file.ReadString(Section, Ident, Default);
}

void TRegistryIniFile::WriteString(const std::string& Section, const std::string& Ident, const std::string& Value)
{
    reg_ini_file.WriteString(Section, Ident, Value);
}

int TRegistryIniFile::ReadInteger(const std::string& Section, const std::string& Ident, int Default)
{
    return reg_ini_file.ReadInteger(Section, Ident, Default);
}

void TRegistryIniFile::WriteInteger(const std::string& Section, const std::string& Ident, int Value)
{
    reg_ini_file.WriteInteger(Section, Ident, Value);
}

void TRegistryIniFile::ReadSection(const std::string& Section, TStrings* Strings)
{
    reg_ini_file.ReadSection(Section, Strings);
}

void TRegistryIniFile::ReadSections(TStrings* Strings) { reg_ini_file.ReadSections(Strings); }

void TRegistryIniFile::ReadSectionValues(const std::string& Section, TStrings* Strings)
{
    reg_ini_file.ReadSectionValues(Section, Strings);
}

void TRegistryIniFile::EraseSection(const std::string& Section) { reg_ini_file.EraseSection(Section); }

void TRegistryIniFile::DeleteKey(const std::string& Section, const std::string& Ident)
{
    reg_ini_file.DeleteKey(Section, Ident);
}
