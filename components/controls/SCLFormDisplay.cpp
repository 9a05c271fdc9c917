#include "components/controls/SCLFormDisplay.h"

#include <algorithm>
#include <array>

#include "components/controls/SCLResWinControl.h"
#include "components/foundations/Sclutils.h"
#include "platform/classlib/Class_Registry.h"

namespace {

constexpr std::array<const char*, 10> Position_Names{
    "fdpTopLeft", "fdpTopCenter",    "fdpTopRight",    "fdpCenterLeft", "fdpCenter",
    "fdpCenterRight", "fdpBottomLeft", "fdpBottomCenter", "fdpBottomRight", "fdpClient"};

// A hosted form's window: a plain child clipping its siblings and children.
constexpr LONG Hosted_Style = 0x46000000;

const bool Form_Display_Registered = [] {
    RegisterComponentClass<TSCLFormDisplay, TSCLCustomBevelPanel>("TSCLFormDisplay")
        .Property("FormName", String_Type(), &TSCLFormDisplay::FormName, &TSCLFormDisplay::SetFormName,
                  std::string())
        .Property("UseResForms", Boolean_Type(), &TSCLFormDisplay::UseResForms, &TSCLFormDisplay::SetUseResForms,
                  false)
        .Property("SaveResources", Boolean_Type(), &TSCLFormDisplay::SaveResources,
                  &TSCLFormDisplay::SetSaveResources, false)
        .Property("Position", Enum_Type<TSCLFormDisplayPosition>(Position_Names), &TSCLFormDisplay::Position,
                  &TSCLFormDisplay::SetPosition, fdpClient)
        .Event("OnChange", &TSCLFormDisplay::OnChange)
        .Event("OnChanging", &TSCLFormDisplay::OnChanging);
    return true;
}();

} // namespace

void SCLFreeResources(TWinControl* Control)
{
    TSCLResWinControl::FreeResources(Control);
}

TSCLFormDisplay::TSCLFormDisplay(TComponent* AOwner) : TSCLCustomBevelPanel(AOwner)
{
    Bevel()->BeginUpdate();
    Bevel()->SetMode(bmWindows);
    Bevel()->EndUpdate(false);
}

TSCLFormDisplay::~TSCLFormDisplay()
{
    for (TCustomForm* form : forms)
        form->RemoveFreeNotification(this);
    if (single_form)
        single_form->RemoveFreeNotification(this);
}

int TSCLFormDisplay::AddFormExt(TCustomForm* Form, bool Activate)
{
    forms.push_back(Form);
    const int index = GetCount() - 1;
    Form->FreeNotification(this);
    if (!use_res_forms)
        Form->SetParent(this);
    Form->SetVisible(false);
    Form->SetIsControl(true);
    Form->SetBorderStyle(bsNone);
    Form->SetBorderIcons(TBorderIcons{});
    Form->SetPosition(poDefault);
    Form->SetTabStop(false);
    Publish_Active();
    if (Activate)
        SetActiveFormIndex(index);
    else if (save_resources)
        SCLFreeResources(Form);
    return index;
}

void TSCLFormDisplay::SetActiveFormIndex(int Index)
{
    if (Index == active_index || Index < -1 || Index >= GetCount())
        return;
    bool cancel = false;
    if (OnChanging)
        OnChanging(this, GetForms(Index), cancel);
    if (cancel)
        return;
    if (active_index != -1)
        HideForm(GetForms(active_index));
    active_index = Index;
    Publish_Active();
    if (Index == -1)
        return;
    TCustomForm* form = GetForms(Index);
    Host_Window(form);
    Place_Form(form);
    form->BringToFront();
    form->SetVisible(true);
    form->SetFocus();
    if (OnChange)
        OnChange(this);
}

void TSCLFormDisplay::SetActiveForm(TCustomForm* Form)
{
    const int index = GetFormIndex(Form);
    if (index != -1)
        SetActiveFormIndex(index);
}

TCustomForm* TSCLFormDisplay::GetActiveForm() const
{
    std::lock_guard lock(snapshot_lock);
    return const_cast<TCustomForm*>(snapshot.Form);
}

TSCLActiveFormSnapshot TSCLFormDisplay::ActiveFormSnapshot() const
{
    std::lock_guard lock(snapshot_lock);
    return snapshot;
}

TCustomForm* TSCLFormDisplay::GetForms(int Index) const
{
    return Index >= 0 && Index < GetCount() ? forms[static_cast<size_t>(Index)] : nullptr;
}

int TSCLFormDisplay::GetFormIndex(TCustomForm* Form) const
{
    const auto found = std::find(forms.begin(), forms.end(), Form);
    return found == forms.end() ? -1 : static_cast<int>(found - forms.begin());
}

TCustomForm* TSCLFormDisplay::FindNextForm(TCustomForm* Form, bool GoForward) const
{
    const int index = Form ? GetFormIndex(Form) : -1;
    if (index == -1)
        return nullptr;
    const int step = GoForward ? 1 : -1;
    for (int i = index + step; i >= 0 && i < GetCount(); i += step)
        if (forms[static_cast<size_t>(i)])
            return forms[static_cast<size_t>(i)];
    return nullptr;
}

void TSCLFormDisplay::SelectNextForm(bool GoForward)
{
    TCustomForm* next = FindNextForm(GetForms(active_index), GoForward);
    if (next)
        SetActiveForm(next);
}

void TSCLFormDisplay::HideForm(TCustomForm* Form)
{
    if (!Form || GetFormIndex(Form) != active_index)
        return;
    Form->SetAlign(alNone);
    Form->SetVisible(false);
    if (save_resources)
        SCLFreeResources(Form);
    active_index = -1;
    Publish_Active();
}

void TSCLFormDisplay::MoveForm(TCustomForm* Form, int NewIndex)
{
    const int index = GetFormIndex(Form);
    if (index == -1)
        return;
    NewIndex = std::clamp(NewIndex, 0, GetCount() - 1);
    const int active = active_index;
    if (active != -1)
        HideForm(GetForms(active));
    forms.erase(forms.begin() + index);
    forms.insert(forms.begin() + NewIndex, Form);
    Publish_Active();
    SetActiveFormIndex(active);
}

void TSCLFormDisplay::RemoveForm(TCustomForm* Form, bool FreeIt)
{
    if (GetFormIndex(Form) == -1)
        return;
    HideForm(Form);
    Forget_Form(Form);
    Form->RemoveFreeNotification(this);
    if (FreeIt)
        delete Form;
}

// Takes a listed form out of the list; the active index keeps naming the
// form that shows.
void TSCLFormDisplay::Forget_Form(TCustomForm* Form)
{
    const int index = GetFormIndex(Form);
    forms.erase(forms.begin() + index);
    if (index == active_index)
        active_index = -1;
    else if (index < active_index)
        --active_index;
    Publish_Active();
}

void TSCLFormDisplay::Publish_Active()
{
    std::lock_guard lock(snapshot_lock);
    snapshot = TSCLActiveFormSnapshot{active_index, GetForms(active_index)};
}

void TSCLFormDisplay::Host_Window(TCustomForm* Form)
{
    Form->HandleNeeded();
    SetWindowLongA(Form->Handle(), GWL_STYLE, Hosted_Style);
    SetWindowLongA(Form->Handle(), GWL_EXSTYLE, 0);
    ::SetParent(Form->Handle(), Handle());
}

void TSCLFormDisplay::Place_Form(TCustomForm* Form)
{
    if (position == fdpClient) {
        Form->SetAlign(alClient);
        return;
    }
    Form->SetAlign(alNone);
    Form->SetBoundsRect(SCLAlignRect(static_cast<TSCLAlignment>(position), Form->ClientRect(), BeveledRect()));
}

void TSCLFormDisplay::SetPosition(TSCLFormDisplayPosition Value)
{
    if (Value == position)
        return;
    position = Value;
    TCustomForm* active = GetForms(active_index);
    if (!active)
        return;
    active->SetAlign(position == fdpClient ? alClient : alNone);
    Realign();
}

void TSCLFormDisplay::AlignControls(TControl* AControl, RECT& Rect)
{
    TSCLCustomBevelPanel::AlignControls(AControl, Rect);
    if (ComponentState().Contains(csDesigning) || position == fdpClient)
        return;
    if (TCustomForm* active = GetForms(active_index))
        Place_Form(active);
}

void TSCLFormDisplay::Realign_Hosted()
{
    if (ComponentState().Contains(csDesigning))
        return;
    if (GetForms(active_index))
        Realign();
    else if (single_form)
        single_form->SetBoundsRect(BeveledRect());
}

void TSCLFormDisplay::Resize()
{
    TSCLCustomBevelPanel::Resize();
    Realign_Hosted();
}

void TSCLFormDisplay::GetChange(TObject* Sender)
{
    TSCLCustomBevelPanel::GetChange(Sender);
    if (!Loading())
        Realign_Hosted();
}

void TSCLFormDisplay::Dispatch(TMessage& Message)
{
    TSCLCustomBevelPanel::Dispatch(Message);
    if (Message.Msg != WM_SETFOCUS || !TabStop())
        return;
    TCustomForm* active = GetForms(active_index);
    if (active && active->ActiveControl())
        active->SetFocus();
}

void TSCLFormDisplay::Notification(TComponent* AComponent, TOperation Operation)
{
    TSCLCustomBevelPanel::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    // A hosted form freed by its owner leaves the display. Compared as
    // components: a form being freed is no longer a TCustomForm.
    const auto listed = std::find_if(forms.begin(), forms.end(),
                                     [AComponent](TCustomForm* form) { return form == AComponent; });
    if (listed != forms.end())
        Forget_Form(*listed);
    if (single_form && AComponent == single_form) {
        single_form = nullptr;
        form_name.clear();
    }
}

bool TSCLFormDisplay::Execute(TForm* Form)
{
    if (!Form)
        throw Exception("TSCLFormDisplay: Form not instanced!");
    if (Form == single_form)
        return false;
    UnLoad();
    if (ComponentState().Contains(csDestroying))
        return false;
    Form->HandleNeeded();
    Form->SetVisible(false);
    if (!use_res_forms)
        Form->SetParent(this);
    Form->SetIsControl(true);
    Host_Window(Form);
    Form->SetBoundsRect(BeveledRect());
    Form->BringToFront();
    single_form = Form;
    Form->FreeNotification(this);
    form_name = Form->Name();
    Form->SetVisible(true);
    Form->SetFocus();
    return true;
}

void TSCLFormDisplay::Hide()
{
    if (!single_form)
        return;
    single_form->SetAlign(alNone);
    single_form->SetVisible(false);
    if (save_resources)
        SCLFreeResources(single_form);
    single_form->RemoveFreeNotification(this);
    single_form = nullptr;
    form_name.clear();
}

void TSCLFormDisplay::UnLoad()
{
    TForm* form = single_form;
    single_form = nullptr;
    form_name.clear();
    if (form) {
        form->RemoveFreeNotification(this);
        delete form;
    }
}

void TSCLFormDisplay::SetFormName(const std::string& Value)
{
    if (Value == form_name)
        return;
    const TComponentState state = ComponentState();
    if (state.Contains(csDesigning) || state.Contains(csReading) || state.Contains(csLoading)) {
        form_name = Value;
        return;
    }
    if (Value.empty()) {
        UnLoad();
        return;
    }
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (auto* form = dynamic_cast<TForm*>(Screen->Forms(i)); form && form->Name() == Value) {
            Execute(form);
            return;
        }
}
