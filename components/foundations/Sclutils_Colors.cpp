// Custom colour lists in ini files and registry-ini objects.

#include "components/foundations/Sclutils.h"

#include "platform/classlib/IniFiles.h"
#include "platform/winapi/Settings_Folder.h"

namespace {

constexpr const char* Custom_Color_Section = "Couleurs personnalisées";

} // namespace

void SCLLoadCustomColorList(TObject* IniObject, const std::string& Section, TStrings* List)
{
    auto* ini = dynamic_cast<TCustomIniFile*>(IniObject);
    if (ini && List)
        ini->ReadSectionValues(Section, List);
}

void SCLSaveCustomColorList(TObject* IniObject, const std::string& Section, TStrings* List)
{
    auto* ini = dynamic_cast<TCustomIniFile*>(IniObject);
    if (!ini || !List)
        return;
    for (int i = 0; i < List->Count(); ++i) {
        const std::string line = List->Strings(i);
        const std::size_t equal = line.find('=');
        if (equal != std::string::npos)
            ini->WriteString(Section, line.substr(0, equal), line.substr(equal + 1));
    }
}

void SCLLoadCustomColorFromIniFile(const std::string& FileName, const std::string& Section, TStrings* List)
{
    TIniFile ini(FileName);
    SCLLoadCustomColorList(&ini, Section, List);
}

void SCLSaveCustomColorToIniFile(const std::string& FileName, const std::string& Section, TStrings* List)
{
    TIniFile ini(FileName);
    SCLSaveCustomColorList(&ini, Section, List);
}

std::string SCLCustomColorIniName() { return (Settings_Folder() / "Custom_Colors.ini").string(); }

void SCLLoadCustomColors(TStrings* List)
{
    // Another user's folder in the settings folder's place is not read.
    if (Is_Own_Settings_Folder())
        SCLLoadCustomColorFromIniFile(SCLCustomColorIniName(), Custom_Color_Section, List);
}

void SCLSaveCustomColors(TStrings* List)
{
    std::filesystem::path folder;
    if (!Ensure_Settings_Folder(folder))
        throw EFCreateError("Cannot create the settings folder, or it is not the user's own: " + folder.string());
    SCLSaveCustomColorToIniFile(SCLCustomColorIniName(), Custom_Color_Section, List);
}
