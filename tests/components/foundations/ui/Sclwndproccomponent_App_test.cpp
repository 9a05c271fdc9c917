// The application window's hook of the window-procedure component, and the
// one-instance check's data-module owners.
#include "components/foundations/Sclwndproccomponent.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/foundations/Sclclass.h"
#include "platform/classlib/DataModule.h"

namespace {

constexpr UINT App_Probe = WM_USER + 23;

// Keeps the application messages it sees; handles only App_Probe with
// wParam 1.
class App_Hook : public TSCLWndProcComponent {
public:
    explicit App_Hook(TComponent* AOwner) : TSCLWndProcComponent(AOwner) {}
    std::vector<WPARAM> Seen;

    bool AppWndProc(TMessage& Message) override
    {
        if (Message.Msg != App_Probe)
            return false;
        Seen.push_back(Message.WParam);
        if (Message.WParam != 1)
            return false;
        Message.Result = 42;
        return true;
    }
};

// A component read from a form: HandleApp set while loading, then Loaded.
App_Hook* Loaded_Hook(TForm& form, bool handle_app)
{
    auto* hook = new App_Hook(&form);
    hook->SetLoading(true);
    hook->SetHandleApp(handle_app);
    hook->Loaded();
    return hook;
}

LRESULT Send_App(WPARAM w_param)
{
    return SendMessageA(Application->Handle(), App_Probe, w_param, 0);
}

} // namespace

TEST(Sclwndproccomponent_App, HandleAppHooksTheApplicationWindowWhileTheFormIsHooked)
{
    TForm form(nullptr);
    App_Hook* hook = Loaded_Hook(form, true);
    EXPECT_TRUE(hook->HandleApp());
    EXPECT_TRUE(hook->AppHooked());
    EXPECT_EQ(Send_App(1), 42) << "handled by the component";
    EXPECT_EQ(Send_App(2), 0) << "left to the application window";
    EXPECT_EQ(hook->Seen, (std::vector<WPARAM>{1, 2}));

    hook->SetHandleApp(false);
    EXPECT_TRUE(hook->HandleApp()) << "fixed once loaded";
    hook->RestoreWndProc();
    EXPECT_FALSE(hook->AppHooked());
    EXPECT_EQ(Send_App(1), 0);
    EXPECT_EQ(hook->Seen.size(), 2u);

    hook->Init();
    EXPECT_TRUE(hook->AppHooked());
    delete hook;
    EXPECT_EQ(Send_App(1), 0) << "a freed component is no longer asked";
}

TEST(Sclwndproccomponent_App, WithoutHandleAppTheApplicationWindowIsLeftAlone)
{
    TForm form(nullptr);
    App_Hook* hook = Loaded_Hook(form, false);
    EXPECT_NE(hook->OldWndProc(), nullptr);
    EXPECT_FALSE(hook->AppHooked());
    EXPECT_EQ(Send_App(1), 0);
    EXPECT_TRUE(hook->Seen.empty());
}

TEST(Sclwndproccomponent_App, TheBaseAnswerHandlesEveryApplicationMessage)
{
    TForm form(nullptr);
    auto* hook = new TSCLWndProcComponent(&form);
    TMessage message{App_Probe, 0, 0, 0};
    EXPECT_TRUE(hook->AppWndProc(message));
}

TEST(Sclwndproccomponent_App, TheApplicationWindowCanBeSubclassedBelowItsHooks)
{
    TForm form(nullptr);
    App_Hook* hook = Loaded_Hook(form, true);
    const HWND window = Application->Handle();
    WNDPROC below = nullptr;
    std::vector<std::string> trail;
    const WNDPROC above = Make_Window_Procedure([&](HWND w, UINT message, WPARAM w_param, LPARAM l_param) {
        if (message == App_Probe)
            trail.push_back("subclass");
        return CallWindowProcA(below, w, message, w_param, l_param);
    });
    below = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(above)));
    EXPECT_EQ(Send_App(1), 42);
    EXPECT_EQ(trail, std::vector<std::string>{"subclass"});
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(below));
    Free_Window_Procedure(above);
    delete hook;
}

TEST(Sclwndproccomponent_App, FormComponentsThatHookTheFormsOwnWindow)
{
    TForm form(nullptr);
    TSCLWndProcComponent plain(&form);
    EXPECT_FALSE(plain.UseFormWindow());
    form.SetFormStyle(fsMDIForm);
    TSCLWndProcComponent mdi(&form);
    EXPECT_EQ(mdi.OwnerKind(), 2);
    EXPECT_EQ(mdi.GetOwnerHandle(), form.Handle()) << "no MDI client: the form's own window";
}

class Sole_Module_Component : public TComponent {
public:
    using TComponent::TComponent;
};

TEST(Sclclass_DataModule, ADataModuleOwnerIsAllowedOnlyWhenAsked)
{
    TDataModule module(nullptr);
    new Sole_Module_Component(&module);
    EXPECT_TRUE(SCLCheckForSameClass<Sole_Module_Component>(&module));
    EXPECT_FALSE(SCLCheckForSameClass<Sole_Module_Component>(&module, true));
    new Sole_Module_Component(&module);
    EXPECT_TRUE(SCLCheckForSameClass<Sole_Module_Component>(&module, true)) << "a second one";
    TComponent plain(nullptr);
    EXPECT_TRUE(SCLCheckForSameClass<Sole_Module_Component>(&plain, true));
}
