#include "components/foundations/Sclwndproccomponent.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace {

constexpr UINT Probe = WM_USER + 17;

// Every procedure a probe message passes, outermost first; the form itself
// writes "form".
std::vector<std::string> trail;

class Probe_Form : public TForm {
public:
    Probe_Form() : TForm(nullptr) {}

protected:
    void WndProc(TMessage& Message) override
    {
        if (Message.Msg == Probe) {
            trail.push_back("form");
            Message.Result = 7;
            return;
        }
        TForm::WndProc(Message);
    }
};

class Probe_Hook : public TSCLWndProcComponent {
public:
    Probe_Hook(TComponent* AOwner, std::string Name) : TSCLWndProcComponent(AOwner), name(std::move(Name)) {}

    void RestoreState() override { ++restored; }
    void WndProc(TMessage& Message) override
    {
        if (Message.Msg == Probe)
            trail.push_back(name);
        TSCLWndProcComponent::WndProc(Message);
    }

    int restored = 0;

private:
    std::string name;
};

std::vector<std::string> Send_Probe(TForm& form)
{
    trail.clear();
    EXPECT_EQ(SendMessageA(form.Handle(), Probe, 0, 0), 7);
    return trail;
}

TEST(Sclwndproccomponent, HooksUnhookInAnyOrder)
{
    std::array<int, 3> order{0, 1, 2};
    do {
        Probe_Form form;
        const WNDPROC original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(form.Handle(), GWLP_WNDPROC));
        std::vector<Probe_Hook*> hooks;
        std::vector<std::string> expected{"form"};
        for (const char* name : {"a", "b", "c"}) {
            hooks.push_back(new Probe_Hook(&form, name));
            hooks.back()->Loaded();
            expected.insert(expected.begin(), name);
        }
        EXPECT_EQ(Send_Probe(form), expected);
        for (int index : order) {
            delete hooks[static_cast<std::size_t>(index)];
            std::erase(expected, std::string(1, static_cast<char>('a' + index)));
            EXPECT_EQ(Send_Probe(form), expected) << order[0] << order[1] << order[2];
        }
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(form.Handle(), GWLP_WNDPROC)), original);
    } while (std::ranges::next_permutation(order).found);
}

TEST(Sclwndproccomponent, AForeignProcedureAboveKeepsItsChain)
{
    Probe_Form form;
    auto* hook = new Probe_Hook(&form, "a");
    hook->Loaded();
    WNDPROC below = nullptr;
    const WNDPROC foreign = Make_Window_Procedure([&](HWND window, UINT message, WPARAM w, LPARAM l) {
        if (message == Probe)
            trail.push_back("foreign");
        return CallWindowProcA(below, window, message, w, l);
    });
    below = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(form.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(foreign)));
    EXPECT_EQ(Send_Probe(form), (std::vector<std::string>{"foreign", "a", "form"}));
    delete hook; // cannot reach the foreign procedure: its link only passes on
    EXPECT_EQ(Send_Probe(form), (std::vector<std::string>{"foreign", "form"}));
    SetWindowLongPtrA(form.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(below));
    Free_Window_Procedure(foreign);
}

TEST(Sclwndproccomponent, EnablingAndRemoving)
{
    Probe_Form form;
    auto* hook = new Probe_Hook(&form, "a");
    EXPECT_EQ(hook->OwnerKind(), 0);
    EXPECT_EQ(hook->OldWndProc(), nullptr);
    EXPECT_FALSE(hook->ValidOwner()); // the form has no window yet
    hook->SetEnabled(true); // unchanged: nothing
    EXPECT_EQ(hook->OldWndProc(), nullptr);
    hook->Loaded();
    EXPECT_TRUE(hook->ValidOwner());
    EXPECT_NE(hook->OldWndProc(), nullptr);
    EXPECT_FALSE(hook->NewWndProc()); // already hooked

    hook->SetEnabled(false); // the visual state goes, the hook stays
    EXPECT_EQ(hook->restored, 1);
    EXPECT_EQ(Send_Probe(form), (std::vector<std::string>{"a", "form"}));
    hook->SetEnabled(true);
    hook->SilentRemove();
    EXPECT_FALSE(hook->Enabled());
    EXPECT_FALSE(hook->Removing());
    EXPECT_EQ(hook->OldWndProc(), nullptr);
    EXPECT_EQ(Send_Probe(form), std::vector<std::string>{"form"});

    TComponent plain_owner(nullptr);
    Probe_Hook orphan(&plain_owner, "o");
    EXPECT_EQ(orphan.GetOwnerHandle(), nullptr);
    EXPECT_FALSE(orphan.NewWndProc());
}

TEST(Sclwndproccomponent, TheFormMayGoFirst)
{
    auto* form = new Probe_Form;
    auto* first = new Probe_Hook(form, "a");
    auto* second = new Probe_Hook(form, "b");
    first->Loaded();
    second->Loaded();
    const HWND window = form->Handle();
    form->DestroyHandle(); // WM_DESTROY then WM_NCDESTROY pass both hooks
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(first->OldWndProc(), nullptr);
    EXPECT_EQ(second->OldWndProc(), nullptr);
    first->Init(); // hooks the new window
    EXPECT_EQ(Send_Probe(*form), (std::vector<std::string>{"a", "form"}));
    delete form; // frees both hooks with it
}

TEST(Sclwndproccomponent, OwnerKindFollowsTheFormStyle)
{
    Probe_Form child;
    child.SetFormStyle(fsMDIChild);
    Probe_Form parent;
    parent.SetFormStyle(fsMDIForm);
    EXPECT_EQ(Probe_Hook(&child, "c").OwnerKind(), 1);
    EXPECT_EQ(Probe_Hook(&parent, "p").OwnerKind(), 2);
}

} // namespace
