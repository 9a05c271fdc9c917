#pragma once
// The class library's help system: help viewers register with the help
// manager, which hands each request (a context, a keyword, a topic, the
// table of contents) to a viewer that understands it, asking the help
// selector to choose where several could. The WinHelp tester, when one is
// set, answers what the library's own WinHelp handling could show; on Linux
// there is no WinHelp.
//
// Viewers, selectors and testers are reference counted (shared_ptr).

#include "platform/classlib/Classes.h"

#include <memory>
#include <string>

class ICustomHelpViewer {
public:
    virtual ~ICustomHelpViewer() = default;
    virtual std::string GetViewerName() = 0;
    // How many help strings the viewer has for the keyword (0: none).
    virtual int UnderstandsKeyword(const std::string& HelpString) = 0;
    virtual std::unique_ptr<TStringList> GetHelpStrings(const std::string& HelpString) = 0;
    virtual bool CanShowTableOfContents() = 0;
    virtual void ShowTableOfContents() = 0;
    virtual void ShowHelp(const std::string& HelpString) = 0;
    // The number the manager knows the viewer by.
    virtual void NotifyID(int ViewerID) = 0;
    // The manager is going: drop its reference.
    virtual void SoftShutDown() = 0;
    virtual void ShutDown() = 0;
};

class IExtendedHelpViewer {
public:
    virtual ~IExtendedHelpViewer() = default;
    virtual bool UnderstandsTopic(const std::string& Topic) = 0;
    virtual void DisplayTopic(const std::string& Topic) = 0;
    virtual bool UnderstandsContext(int ContextID, const std::string& HelpFileName) = 0;
    virtual void DisplayHelpContext(int ContextID, const std::string& HelpFileName) = 0;
};

class IHelpSelector {
public:
    virtual ~IHelpSelector() = default;
    // The index of the chosen entry, -1 for none.
    virtual int SelectKeyword(TStrings* Keywords) = 0;
    virtual int TableOfContents(TStrings* Contents) = 0;
};

class IWinHelpTester {
public:
    virtual ~IWinHelpTester() = default;
    virtual bool CanShowALink(const std::string& ALink, const std::string& FileName) = 0;
    virtual bool CanShowTopic(const std::string& Topic, const std::string& FileName) = 0;
    virtual bool CanShowContext(int Context, const std::string& FileName) = 0;
    virtual std::unique_ptr<TStringList> GetHelpStrings(const std::string& ALink) = 0;
    virtual std::string GetHelpPath() = 0;
    virtual std::string GetDefaultHelpFile() = 0;
};

// What the help system offers the program. Each request answers whether a
// viewer took it.
class IHelpSystem {
public:
    virtual ~IHelpSystem() = default;
    virtual bool ShowHelp(const std::string& HelpKeyword, const std::string& HelpFileName) = 0;
    virtual bool ShowContextHelp(int ContextID, const std::string& HelpFileName) = 0;
    virtual bool ShowTopicHelp(const std::string& Topic, const std::string& HelpFileName) = 0;
    virtual bool ShowTableOfContents() = 0;
    virtual void AssignHelpSelector(std::shared_ptr<IHelpSelector> Selector) = 0;
};

// What the manager offers its viewers.
class IHelpManager {
public:
    virtual ~IHelpManager() = default;
    // The program's current help file (the application's).
    virtual std::string GetHelpFile() = 0;
    // The viewer leaves the manager.
    virtual void Release(int ViewerID) = 0;
};

// Registers a viewer; Manager receives the manager. Always true.
bool RegisterViewer(std::shared_ptr<ICustomHelpViewer> Viewer, IHelpManager*& Manager);
// The help system; always true.
bool GetHelpSystem(IHelpSystem*& System);

// The library's WinHelp tester; empty when none is set. Reached through a
// function so that it outlives the units that set it at their start.
std::shared_ptr<IWinHelpTester>& WinHelpTester();
