#pragma once
// Typed settings in an ini file or under a registry key behind one set of
// read and write operations, and the published properties of any object
// written to and read from such a store.
//
// Every operation opens its store, does one thing and closes it again:
// nothing is cached between calls. The registry store keeps each section as
// a sub-key of the path; the ini file keeps it as a section, with the user's
// suffix unless the settings are common.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "components/foundations/Sclcustomcomponent.h"
#include "components/foundations/Sclprocs.h"
#include "platform/classlib/DateUtils.h"
#include "platform/classlib/Graphics.h"
#include "platform/classlib/IniFiles.h"

class TFont;

enum TSCLIniTarget { itIniFile, itRegistry, itAuto };
enum TSCLRegRootKey { rpClassesRoot, rpCurrentUser, rpLocalMachine, rpUsers, rpCurrentConfig, rpDynData };
// For the components that link to an ini control.
enum TSCLIniUse { ioUseLink, ioUseGlobal, ioNone };

inline constexpr const char* SCLIniTargetNames[] = {"itIniFile", "itRegistry", "itAuto"};
inline constexpr const char* SCLRegRootKeyNames[] = {"rpClassesRoot", "rpCurrentUser", "rpLocalMachine",
                                                     "rpUsers",       "rpCurrentConfig", "rpDynData"};

class TSCLIniCtrl;
using TSCLIniCtrlEvent = std::function<void(TObject* Sender, TSCLIniCtrl* aIniCtrl, const std::string& Section)>;

// The registry root of a root choice; 0 for a value outside the choices.
HKEY SCLGetRootKey(TSCLRegRootKey Root);

// A registry store opened read-only (KEY_READ) or with creation of its path
// (KEY_ALL_ACCESS).
class TSCLRegIniFile : public TRegIniFile {
public:
    TSCLRegIniFile(HKEY RootKey, const std::string& Path, bool ReadOnly);
};

class TSCLIniCtrl : public TSCLCustomComponent {
public:
    explicit TSCLIniCtrl(TComponent* AOwner);

    bool AlphaCounter() const { return alpha_counter; }
    // Turning it on limits MaxEntries to 26 (the letters A to Z).
    void SetAlphaCounter(bool Value);
    bool Common() const { return common; }
    void SetCommon(bool Value) { common = Value; }
    const std::string& IniFile() const { return ini_file; }
    // A name without extension gets ".INI".
    void SetIniFile(const std::string& Value);
    TSCLPathPrefix IniPrefix() const { return ini_prefix; }
    void SetIniPrefix(TSCLPathPrefix Value) { ini_prefix = Value; }
    BYTE MaxEntries() const { return max_entries; }
    // Refused above 26 while AlphaCounter is on.
    void SetMaxEntries(BYTE Value);
    bool NetUser() const { return net_user; }
    // Turning it on makes User the login name.
    void SetNetUser(bool Value);
    const std::string& User() const { return user; }
    void SetUser(const std::string& Value) { user = Value; }
    const std::string& RegPath() const { return reg_path; }
    void SetRegPath(const std::string& Value) { reg_path = Value; }
    TSCLRegRootKey RegRoot() const { return reg_root; }
    void SetRegRoot(TSCLRegRootKey Value) { reg_root = Value; }
    TSCLIniTarget Target() const { return target; }
    // itAuto works on the registry.
    void SetTarget(TSCLIniTarget Value);
    // Where the settings go: itIniFile or itRegistry.
    TSCLIniTarget EffectiveTarget() const { return effective_target; }

    // The section last used, and setting it as the next default section.
    const std::string& Section() const { return last_section; }
    void SetSection(const std::string& Value) { GetSectionName(Value); }

    // The ini file's full name: IniFile (the program's name with ".INI"
    // when empty) in the prefix's folder, or as it stands for ppFixed.
    std::string GetIniName();
    // RegPath with a trailing backslash, or the application's default path.
    std::string GetRegPath() const;
    // The store's section for Name; empty Name: the last section, else
    // "Common". The result becomes the last section.
    std::string GetSectionName(const std::string& Name);
    // List entry i: decimal, or the letter 'A' + i with AlphaCounter.
    std::string GetCounterIdent(int Index) const;

    std::string ReadString(const std::string& Section, const std::string& Ident, const std::string& Default);
    void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value);
    int ReadInteger(const std::string& Section, const std::string& Ident, int Default);
    void WriteInteger(const std::string& Section, const std::string& Ident, int Value);
    bool ReadBool(const std::string& Section, const std::string& Ident, bool Default);
    void WriteBool(const std::string& Section, const std::string& Ident, bool Value);
    // Stored as texts; a stored text that does not convert raises EConvertError.
    double ReadFloat(const std::string& Section, const std::string& Ident, double Default);
    void WriteFloat(const std::string& Section, const std::string& Ident, double Value);
    TDateTime ReadDate(const std::string& Section, const std::string& Ident, TDateTime Default);
    void WriteDate(const std::string& Section, const std::string& Ident, TDateTime Value);
    TDateTime ReadTime(const std::string& Section, const std::string& Ident, TDateTime Default);
    void WriteTime(const std::string& Section, const std::string& Ident, TDateTime Value);
    TDateTime ReadDateTime(const std::string& Section, const std::string& Ident, TDateTime Default);
    void WriteDateTime(const std::string& Section, const std::string& Ident, TDateTime Value);
    TColor ReadColor(const std::string& Section, const std::string& Ident, TColor Default);
    void WriteColor(const std::string& Section, const std::string& Ident, TColor Value);
    // True only when a font text was stored; Font is then set from it.
    bool ReadFont(const std::string& Section, const std::string& Ident, TFont* Font);
    void WriteFont(const std::string& Section, const std::string& Ident, TFont* Font);
    POINT ReadPoint(const std::string& Section, const std::string& Ident, const POINT& Default);
    void WritePoint(const std::string& Section, const std::string& Ident, const POINT& Value);
    RECT ReadRect(const std::string& Section, const std::string& Ident, const RECT& Default);
    void WriteRect(const std::string& Section, const std::string& Ident, const RECT& Value);

    void ReadSection(const std::string& Section, TStrings* Strings);
    void ReadSections(TStrings* Strings);
    void ReadSectionValues(const std::string& Section, TStrings* Strings);
    void DeleteKey(const std::string& Section, const std::string& Ident);
    void EraseSection(const std::string& Section);

    // Lists as Ident + counter entries; reading stops at the first empty one.
    void ReadStringsExt(const std::string& Section, const std::string& Ident, TStrings* List, int Count);
    void WriteStringsExt(const std::string& Section, const std::string& Ident, TStrings* List, int Count);
    void ReadStrings(const std::string& Section, const std::string& Ident, TStrings* List);
    void WriteStrings(const std::string& Section, const std::string& Ident, TStrings* List);
    // A section's ident=value lines, under the section name as given.
    void ReadColorList(const std::string& Section, TStrings* List);
    void WriteColorList(const std::string& Section, TStrings* List);

    // The object's published properties under the section.
    void WriteObject(const std::string& Section, TObject* Object);
    void ReadObject(const std::string& Section, TObject* Object);

private:
    // The store of the effective target; nullptr for none.
    std::unique_ptr<TCustomIniFile> OpenStore(bool ForReading);
    std::unique_ptr<TCustomIniFile> OpenObjectStore(bool ForReading);

    bool alpha_counter = false;
    bool common = true;
    std::string ini_file;
    TSCLPathPrefix ini_prefix = ppWindows;
    BYTE max_entries = 16;
    bool net_user = false;
    std::string user;
    std::string reg_path;
    TSCLRegRootKey reg_root = rpCurrentUser;
    TSCLIniTarget target = itAuto;
    TSCLIniTarget effective_target = itRegistry;
    std::string last_section;
};

// The user's login name, the suffix of NetUser sections.
std::string GetNetUserName();

// Published properties of Object under Section: integer, character,
// enumeration and set properties as integers when they differ from their
// declared default, floats when not zero, strings when not empty; other
// kinds are left out, and so are properties not stored.
void SCLSaveObjectProperties(TCustomIniFile* Ini, const std::string& Section, TObject* Object);
// Every published property of those kinds read back, its current value the
// default. A stored value the property cannot take leaves it unchanged.
void SCLLoadObjectProperties(TCustomIniFile* Ini, const std::string& Section, TObject* Object);
