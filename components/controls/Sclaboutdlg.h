#pragma once
// The about box: a form built at run time from the component's texts, the
// program's version facts and a few facts of the machine (memory, processor
// count and type), with a web and a mail link, placed and shown modally by
// the base dialog. Style bsStandard shows the shell's about box, which on
// Linux is a box of our own with the same texts and icon.

#include <array>
#include <memory>
#include <string>

#include "components/controls/Sclbasedialog.h"
#include "platform/classlib/Graphics_Bitmap.h"

class TSCLSimpleLabel;

enum TSCLAboutIconStyle { isNone, isStandard, isExtended };
template <>
struct TSCLEnumInfo<TSCLAboutIconStyle> {
    static constexpr const char* TypeName = "TSCLAboutIconStyle";
    static constexpr std::array<const char*, 3> Names{"isNone", "isStandard", "isExtended"};
};
enum TSCLAboutStyle { bsStandard, bsSCL };
template <>
struct TSCLEnumInfo<TSCLAboutStyle> {
    static constexpr const char* TypeName = "TSCLAboutStyle";
    static constexpr std::array<const char*, 2> Names{"bsStandard", "bsSCL"};
};

class TSCLAboutDlg : public TSCLBaseDialog {
public:
    explicit TSCLAboutDlg(TComponent* AOwner);
    ~TSCLAboutDlg() override;

    std::string Appname;
    std::string Copyright;
    // Web and mail addresses shown as links.
    std::string Jump;
    std::string EMail;
    std::string Description;
    // Fall back to the library application object's texts.
    bool UseDefault = false;
    // Empty: the application's icon.
    TIcon* Icon() const { return icon.get(); }
    void SetIcon(TIcon* Value) { icon->Assign(Value); }
    TSCLAboutIconStyle IconStyle = isExtended;
    int AppNameSize = 22;
    TSCLAboutStyle Style = bsSCL;
    std::string Version;
    // Fall back to the program's version facts.
    bool UseResInfo = false;

    bool Execute() override;
    // Builds and shows the about box (relative to OwnerForm when given);
    // true once shown. With bsStandard, whether the shell's box opened.
    bool ExecuteEnh(TCustomForm* OwnerForm);

    // The application's icon: the program window icon, else the standard
    // program icon drawn here.
    static void ApplicationIcon(TIcon* Icon);

protected:
    // The shell's about box with the name (and "#" + caption title) and the
    // copyright, shown modally: true once closed.
    virtual bool ShellAbout(HWND Owner, const std::string& Name, const std::string& Copyright, TIcon* Icon);

private:
    class Builder;

    std::string Name_Text() const;
    std::string Copyright_Text() const;
    bool Execute_Standard(TCustomForm* OwnerForm, std::string Name, std::string Copyright_Lines);

    std::unique_ptr<TIcon> icon;
};
