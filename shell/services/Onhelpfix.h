#pragma once
// The F1 bridge: a help viewer and a help selector registered with the
// class library's help manager, which turn the manager's requests (F1 on a
// control with a help context or keyword, the table of contents) into
// application help commands, which reach the help object (THookHelpSystem)
// when one is loaded, and an application-wide F1 handler that asks the help
// manager for the help of the menu entry under the keyboard, or of the
// focused control or its nearest parent that has help.

#include "platform/classlib/Controls.h"
#include "platform/classlib/HelpIntfs.h"
#include "platform/classlib/Menus.h"

#include <memory>
#include <string>

class THTMLHelpViewer final : public ICustomHelpViewer, public IExtendedHelpViewer {
public:
    std::string GetViewerName() override;
    int UnderstandsKeyword(const std::string& HelpString) override;
    std::unique_ptr<TStringList> GetHelpStrings(const std::string& HelpString) override;
    bool CanShowTableOfContents() override;
    void ShowTableOfContents() override;
    void ShowHelp(const std::string& HelpString) override;
    void NotifyID(int ViewerID) override;
    void SoftShutDown() override;
    void ShutDown() override;

    bool UnderstandsTopic(const std::string& Topic) override;
    void DisplayTopic(const std::string& Topic) override;
    bool UnderstandsContext(int ContextID, const std::string& HelpFileName) override;
    void DisplayHelpContext(int ContextID, const std::string& HelpFileName) override;

    // The help file given, else the help manager's current one.
    std::string HelpFile(const std::string& Name);
    // Whether the manager still knows the viewer.
    bool Registered() const { return manager != nullptr; }
    void Set_Manager(IHelpManager* Manager) { manager = Manager; }

private:
    IHelpManager* manager = nullptr;
    int viewer_id = 0;
};

class THelpSelector final : public IHelpSelector {
public:
    int SelectKeyword(TStrings* Keywords) override;
    int TableOfContents(TStrings* Contents) override;
};

class TWinHelpTester final : public IWinHelpTester {
public:
    bool CanShowALink(const std::string& ALink, const std::string& FileName) override;
    bool CanShowTopic(const std::string& Topic, const std::string& FileName) override;
    bool CanShowContext(int Context, const std::string& FileName) override;
    std::unique_ptr<TStringList> GetHelpStrings(const std::string& ALink) override;
    std::string GetHelpPath() override;
    std::string GetDefaultHelpFile() override;
};

// Creates the tester into the class library's WinHelpTester, or releases it.
void WinHelpTester_Enable(bool Enable);

// Sends HELP_SETPOPUP_POS with the screen position of the first control
// with help, from the screen's active control up its parents.
void Set_Popup_Position();

// F1 on Control: asks the help manager for the context or keyword of the
// first control with help from Control up its parents. False when none has
// help or no viewer took the request.
bool Help_For_Control(TControl* Control);
// F1 on an entry of an open menu: the help context of the entry or of its
// nearest parent entry that has one.
bool Help_For_Menu_Item(TMenuItem* Item);

// The bridge's start (registering the viewer and the selector, enabling the
// tester, installing the F1 handler once the application exists) and its
// end; the help kit runs them at its own start and end.
void Onhelpfix_Start();
void Onhelpfix_End();
// The registered viewer, null after the end.
THTMLHelpViewer* HTML_Help_Viewer();
