#include "shell/services/Onhelpfix.h"

#include "shell/services/Hh_funcs.h"

#include "platform/classlib/Forms.h"
#include "platform/classlib/Menus.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>

namespace {

constexpr const char* Viewer_Name = "OnHelpFix";
constexpr std::size_t Max_Keyword = 255;

struct Bridge {
    std::shared_ptr<THTMLHelpViewer> viewer;
    std::shared_ptr<THelpSelector> selector;
    bool started = false;
};

Bridge& The_Bridge()
{
    static Bridge bridge;
    return bridge;
}

TControl* First_With_Help(TControl* Control)
{
    for (TControl* control = Control; control; control = control->Parent())
        if (control->HasHelp())
            return control;
    return nullptr;
}

TControl* Focused_Control()
{
    if (!Screen)
        return nullptr;
    if (Screen->ActiveControl())
        return Screen->ActiveControl();
    return Screen->ActiveForm();
}

bool Help_Command(WORD Command, std::intptr_t Data)
{
    return Application && Application->HelpCommand(Command, Data);
}

bool Help_Key(const std::string& Keyword)
{
    const std::string text = Keyword.substr(0, Max_Keyword);
    return Help_Command(HELP_KEY, reinterpret_cast<std::intptr_t>(text.c_str()));
}

// The entry under the keyboard in the open popup menu the key went to, else
// the focused control.
void Help_For_Focus(const QObject* receiver)
{
    const auto* menu = qobject_cast<const QMenu*>(receiver);
    if (!menu)
        menu = qobject_cast<const QMenu*>(QApplication::activePopupWidget());
    if (menu)
        if (TMenuItem* item = Menu_Item_Of(menu->activeAction())) {
            Help_For_Menu_Item(item);
            return;
        }
    Help_For_Control(Focused_Control());
}

// F1 anywhere in the program. A key event travels up the widget tree, each
// step seen again here: only its first sight counts.
class F1_Filter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
            event != last_event) {
            last_event = event;
            Help_For_Focus(watched);
        } else if (event->type() != QEvent::KeyPress) {
            if (event == last_event)
                last_event = nullptr;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QEvent* last_event = nullptr;
};

void Install_F1_Handler()
{
    QCoreApplication* application = QCoreApplication::instance();
    application->installEventFilter(new F1_Filter(application));
}

} // namespace

// ---- Viewer --------------------------------------------------------------------------

std::string THTMLHelpViewer::GetViewerName()
{
    return Viewer_Name;
}

int THTMLHelpViewer::UnderstandsKeyword(const std::string& /*HelpString*/)
{
    return 1;
}

std::unique_ptr<TStringList> THTMLHelpViewer::GetHelpStrings(const std::string& HelpString)
{
    auto strings = std::make_unique<TStringList>();
    strings->Add(GetViewerName() + ": " + HelpString);
    return strings;
}

bool THTMLHelpViewer::CanShowTableOfContents()
{
    return true;
}

void THTMLHelpViewer::ShowTableOfContents()
{
    Help_Command(HELP_CONTENTS, 0);
}

void THTMLHelpViewer::ShowHelp(const std::string& HelpString)
{
    Set_Popup_Position();
    Help_Key(HelpString);
}

void THTMLHelpViewer::NotifyID(int ViewerID)
{
    viewer_id = ViewerID;
}

void THTMLHelpViewer::SoftShutDown()
{
    manager = nullptr;
}

void THTMLHelpViewer::ShutDown()
{
    if (IHelpManager* leaving = manager) {
        manager = nullptr;
        leaving->Release(viewer_id);
    }
}

bool THTMLHelpViewer::UnderstandsTopic(const std::string& /*Topic*/)
{
    return true;
}

void THTMLHelpViewer::DisplayTopic(const std::string& Topic)
{
    Set_Popup_Position();
    Help_Key(Topic + "zzz");
}

bool THTMLHelpViewer::UnderstandsContext(int /*ContextID*/, const std::string& /*HelpFileName*/)
{
    return true;
}

void THTMLHelpViewer::DisplayHelpContext(int ContextID, const std::string& /*HelpFileName*/)
{
    Set_Popup_Position();
    // The library's own WinHelp handling is kept out of this request.
    const std::shared_ptr<IWinHelpTester> tester = WinHelpTester();
    WinHelpTester().reset();
    Help_Command(HELP_CONTEXT, ContextID);
    WinHelpTester() = tester;
}

std::string THTMLHelpViewer::HelpFile(const std::string& Name)
{
    if (!Name.empty() || !manager)
        return Name;
    return manager->GetHelpFile();
}

// ---- Selector and tester ---------------------------------------------------------------

int THelpSelector::SelectKeyword(TStrings* /*Keywords*/)
{
    return 0;
}

int THelpSelector::TableOfContents(TStrings* Contents)
{
    int found = 0;
    for (int i = 0; Contents && i < Contents->Count(); ++i)
        if (Contents->Strings(i) == Viewer_Name)
            found = i;
    return found;
}

bool TWinHelpTester::CanShowALink(const std::string&, const std::string&)
{
    return false;
}

bool TWinHelpTester::CanShowTopic(const std::string&, const std::string&)
{
    return false;
}

bool TWinHelpTester::CanShowContext(int, const std::string&)
{
    return false;
}

std::unique_ptr<TStringList> TWinHelpTester::GetHelpStrings(const std::string&)
{
    return std::make_unique<TStringList>();
}

std::string TWinHelpTester::GetHelpPath()
{
    return {};
}

std::string TWinHelpTester::GetDefaultHelpFile()
{
    THTMLHelpViewer* viewer = HTML_Help_Viewer();
    return viewer ? viewer->HelpFile("") : std::string();
}

void WinHelpTester_Enable(bool Enable)
{
    if (Enable)
        WinHelpTester() = std::make_shared<TWinHelpTester>();
    else
        WinHelpTester().reset();
}

// ---- Requests -----------------------------------------------------------------------------

void Set_Popup_Position()
{
    TControl* control = First_With_Help(Focused_Control());
    if (!control)
        return;
    const POINT origin = control->ClientToScreen(POINT{0, 0});
    const DWORD position = (static_cast<DWORD>(static_cast<WORD>(origin.y)) << 16) | static_cast<WORD>(origin.x);
    Help_Command(HELP_SETPOPUP_POS, static_cast<std::intptr_t>(position));
}

bool Help_For_Control(TControl* Control)
{
    TControl* control = First_With_Help(Control);
    IHelpSystem* help_system = nullptr;
    if (!control || !GetHelpSystem(help_system))
        return false;
    const std::string file = Application ? Application->HelpFile() : std::string();
    if (control->HelpType() == htContext)
        return help_system->ShowContextHelp(control->HelpContext(), file);
    return help_system->ShowHelp(control->HelpKeyword(), file);
}

bool Help_For_Menu_Item(TMenuItem* Item)
{
    TMenuItem* item = Item;
    while (item && item->HelpContext() == 0)
        item = item->Parent();
    IHelpSystem* help_system = nullptr;
    if (!item || !GetHelpSystem(help_system))
        return false;
    return help_system->ShowContextHelp(item->HelpContext(), Application ? Application->HelpFile() : std::string());
}

// ---- Start and end ------------------------------------------------------------------------

void Onhelpfix_Start()
{
    Bridge& bridge = The_Bridge();
    if (bridge.started)
        return;
    bridge.started = true;
    WinHelpTester_Enable(true);
    IHelpSystem* help_system = nullptr;
    bridge.selector = std::make_shared<THelpSelector>();
    if (GetHelpSystem(help_system))
        help_system->AssignHelpSelector(bridge.selector);
    bridge.viewer = std::make_shared<THTMLHelpViewer>();
    IHelpManager* manager = nullptr;
    RegisterViewer(bridge.viewer, manager);
    bridge.viewer->Set_Manager(manager);
    if (QCoreApplication::instance())
        Install_F1_Handler();
    else
        qAddPreRoutine(Install_F1_Handler);
}

void Onhelpfix_End()
{
    Bridge& bridge = The_Bridge();
    if (!bridge.started)
        return;
    IHelpSystem* help_system = nullptr;
    if (GetHelpSystem(help_system))
        help_system->AssignHelpSelector(nullptr);
    if (bridge.viewer && bridge.viewer->Registered())
        bridge.viewer->ShutDown();
    bridge.viewer.reset();
    bridge.selector.reset();
    WinHelpTester_Enable(false);
    bridge.started = false;
}

THTMLHelpViewer* HTML_Help_Viewer()
{
    return The_Bridge().viewer.get();
}
