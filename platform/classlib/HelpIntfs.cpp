#include "platform/classlib/HelpIntfs.h"

#include "platform/classlib/Forms.h"

#include <map>
#include <vector>

std::shared_ptr<IWinHelpTester>& WinHelpTester()
{
    static std::shared_ptr<IWinHelpTester> tester;
    return tester;
}

namespace {

class Help_Manager final : public IHelpSystem, public IHelpManager {
public:
    Help_Manager() = default;
    ~Help_Manager() override
    {
        for (auto& [id, viewer] : Viewers_Copy())
            viewer->SoftShutDown();
    }
    Help_Manager(const Help_Manager&) = delete;
    Help_Manager& operator=(const Help_Manager&) = delete;

    int Register(std::shared_ptr<ICustomHelpViewer> viewer)
    {
        const int id = ++last_id;
        viewers[id] = viewer;
        viewer->NotifyID(id);
        return id;
    }

    bool ShowHelp(const std::string& HelpKeyword, const std::string& /*HelpFileName*/) override
    {
        std::vector<std::shared_ptr<ICustomHelpViewer>> owners;
        TStringList choices;
        for (auto& [id, viewer] : Viewers_Copy()) {
            if (viewer->UnderstandsKeyword(HelpKeyword) <= 0)
                continue;
            const auto strings = viewer->GetHelpStrings(HelpKeyword);
            for (int i = 0; strings && i < strings->Count(); ++i) {
                choices.Add(strings->Strings(i));
                owners.push_back(viewer);
            }
            if (!strings || strings->Count() == 0) {
                choices.Add(HelpKeyword);
                owners.push_back(viewer);
            }
        }
        const int chosen = Choose(owners.size(), [&] { return selector->SelectKeyword(&choices); });
        if (chosen < 0)
            return false;
        owners[static_cast<std::size_t>(chosen)]->ShowHelp(HelpKeyword);
        return true;
    }

    bool ShowContextHelp(int ContextID, const std::string& HelpFileName) override
    {
        for (auto& [id, viewer] : Viewers_Copy())
            if (auto* extended = dynamic_cast<IExtendedHelpViewer*>(viewer.get());
                extended && extended->UnderstandsContext(ContextID, HelpFileName)) {
                extended->DisplayHelpContext(ContextID, HelpFileName);
                return true;
            }
        return false;
    }

    bool ShowTopicHelp(const std::string& Topic, const std::string& /*HelpFileName*/) override
    {
        for (auto& [id, viewer] : Viewers_Copy())
            if (auto* extended = dynamic_cast<IExtendedHelpViewer*>(viewer.get());
                extended && extended->UnderstandsTopic(Topic)) {
                extended->DisplayTopic(Topic);
                return true;
            }
        return false;
    }

    bool ShowTableOfContents() override
    {
        std::vector<std::shared_ptr<ICustomHelpViewer>> owners;
        TStringList names;
        for (auto& [id, viewer] : Viewers_Copy())
            if (viewer->CanShowTableOfContents()) {
                names.Add(viewer->GetViewerName());
                owners.push_back(viewer);
            }
        const int chosen = Choose(owners.size(), [&] { return selector->TableOfContents(&names); });
        if (chosen < 0)
            return false;
        owners[static_cast<std::size_t>(chosen)]->ShowTableOfContents();
        return true;
    }

    void AssignHelpSelector(std::shared_ptr<IHelpSelector> Selector) override { selector = std::move(Selector); }

    std::string GetHelpFile() override { return Application ? Application->HelpFile() : std::string(); }

    void Release(int ViewerID) override { viewers.erase(ViewerID); }

private:
    // Viewers may leave while a request runs.
    std::map<int, std::shared_ptr<ICustomHelpViewer>> Viewers_Copy() const { return viewers; }

    // The one candidate, the selector's choice among several, or -1.
    template <typename Ask>
    int Choose(std::size_t candidates, Ask ask) const
    {
        if (candidates == 0)
            return -1;
        if (candidates == 1 || !selector)
            return 0;
        const int chosen = ask();
        return chosen >= 0 && static_cast<std::size_t>(chosen) < candidates ? chosen : -1;
    }

    std::map<int, std::shared_ptr<ICustomHelpViewer>> viewers;
    std::shared_ptr<IHelpSelector> selector;
    int last_id = 0;
};

Help_Manager& Manager()
{
    static Help_Manager manager;
    return manager;
}

} // namespace

bool RegisterViewer(std::shared_ptr<ICustomHelpViewer> Viewer, IHelpManager*& Manager_Out)
{
    Manager().Register(std::move(Viewer));
    Manager_Out = &Manager();
    return true;
}

bool GetHelpSystem(IHelpSystem*& System)
{
    System = &Manager();
    return true;
}
