#pragma once
// Settings files of the class library: one interface (TCustomIniFile) over
// an ini file with sections (TIniFile) and over registry keys, where each
// section is a sub-key of the path and each ident a value (TRegIniFile,
// TRegistryIniFile).
//
// An ini file is read when the object is made; every write goes to the file
// at once, as a new file renamed over the old one, so that a failed write
// leaves the old file whole.

#include <memory>
#include <string>

#include "platform/classlib/Classes.h"
#include "platform/classlib/Registry.h"

class EIniFileException : public Exception {
    using Exception::Exception;
};

class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(std::string AFileName) : file_name(std::move(AFileName)) {}

    // The file, or the registry path.
    const std::string& FileName() const { return file_name; }

    virtual std::string ReadString(const std::string& Section, const std::string& Ident,
                                   const std::string& Default) = 0;
    virtual void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) = 0;
    // A missing value or one that is not a number gives Default.
    virtual int ReadInteger(const std::string& Section, const std::string& Ident, int Default);
    virtual void WriteInteger(const std::string& Section, const std::string& Ident, int Value);
    // Stored as the integers 1 and 0; any other number reads as true.
    bool ReadBool(const std::string& Section, const std::string& Ident, bool Default);
    void WriteBool(const std::string& Section, const std::string& Ident, bool Value);

    // The idents of a section, the sections, and a section's ident=value
    // lines; each list is cleared first.
    virtual void ReadSection(const std::string& Section, TStrings* Strings) = 0;
    virtual void ReadSections(TStrings* Strings) = 0;
    virtual void ReadSectionValues(const std::string& Section, TStrings* Strings) = 0;
    virtual void EraseSection(const std::string& Section) = 0;
    virtual void DeleteKey(const std::string& Section, const std::string& Ident) = 0;

private:
    std::string file_name;
};

// Sections "[name]" and lines "ident=value"; names compare without regard
// to case, idents and values are taken without surrounding blanks. A
// section, ident or value that a line cannot hold (line breaks, '=' or a
// leading '[' or ';' in an ident, ']' in a section) raises
// EIniFileException and changes nothing.
class TIniFile : public TCustomIniFile {
public:
    // A missing file is an empty one. A file that exists but cannot be
    // read gives defaults, and writes raise EFCreateError rather than
    // replace it.
    explicit TIniFile(const std::string& AFileName);

    std::string ReadString(const std::string& Section, const std::string& Ident,
                           const std::string& Default) override;
    void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) override;
    void ReadSection(const std::string& Section, TStrings* Strings) override;
    void ReadSections(TStrings* Strings) override;
    void ReadSectionValues(const std::string& Section, TStrings* Strings) override;
    void EraseSection(const std::string& Section) override;
    void DeleteKey(const std::string& Section, const std::string& Ident) override;

private:
    int Find_Section(const std::string& Section) const;
    int Section_End(int Header) const;
    int Find_Key(int Header, const std::string& Ident) const;
    void Save();

    TStringList lines;
    bool readable = true;
};

// Registry keys below RootKey: the section is a sub-key of Path (the empty
// section Path itself), the ident a value. Integers are REG_DWORD values,
// texts REG_SZ; a number stored as text reads as a number too. Reads of a
// key or value that cannot be opened give the default; a write that fails
// raises ERegistryException. The registry here can neither list nor delete
// keys and values: the section lists come back empty and EraseSection and
// DeleteKey change nothing.
class TRegIniFile : public TCustomIniFile {
public:
    // Keys are opened with Access; with more than KEY_READ the path is
    // created at once.
    TRegIniFile(HKEY RootKey, const std::string& Path, REGSAM Access = KEY_ALL_ACCESS);

    HKEY RootKey() const { return root_key; }
    REGSAM Access() const { return access; }

    std::string ReadString(const std::string& Section, const std::string& Ident,
                           const std::string& Default) override;
    void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) override;
    int ReadInteger(const std::string& Section, const std::string& Ident, int Default) override;
    void WriteInteger(const std::string& Section, const std::string& Ident, int Value) override;
    void ReadSection(const std::string& Section, TStrings* Strings) override;
    void ReadSections(TStrings* Strings) override;
    void ReadSectionValues(const std::string& Section, TStrings* Strings) override;
    void EraseSection(const std::string& Section) override;
    void DeleteKey(const std::string& Section, const std::string& Ident) override;

private:
    std::string Key_Path(const std::string& Section) const;
    void Write_Value(const std::string& Section, const std::string& Ident, DWORD Type, const BYTE* Data, DWORD Size);

    HKEY root_key;
    REGSAM access;
};

// The registry behind the ini-file interface, for code written against
// TCustomIniFile.
class TRegistryIniFile : public TCustomIniFile {
public:
    TRegistryIniFile(HKEY RootKey, const std::string& Path, REGSAM Access = KEY_ALL_ACCESS);

    TRegIniFile& RegIniFile() { return reg_ini_file; }

    std::string ReadString(const std::string& Section, const std::string& Ident,
                           const std::string& Default) override;
    void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) override;
    int ReadInteger(const std::string& Section, const std::string& Ident, int Default) override;
    void WriteInteger(const std::string& Section, const std::string& Ident, int Value) override;
    void ReadSection(const std::string& Section, TStrings* Strings) override;
    void ReadSections(TStrings* Strings) override;
    void ReadSectionValues(const std::string& Section, TStrings* Strings) override;
    void EraseSection(const std::string& Section) override;
    void DeleteKey(const std::string& Section, const std::string& Ident) override;

private:
    TRegIniFile reg_ini_file;
};
