// TControl's action: the link that keeps the control following its action
// and tells it of the action's free.

#include "platform/classlib/ActnList.h"
#include "platform/classlib/Controls.h"

namespace {

// What OnClick holds while it runs the action, recognisable again so that
// it can be given back when the action goes.
struct Action_Click {
    TBasicAction* Action;
    void operator()(TObject*) const { Action->Execute(); }
};

bool Runs_Action(const TNotifyEvent& Event, const TBasicAction* Action)
{
    const Action_Click* click = Event.target<Action_Click>();
    return click && click->Action == Action;
}

} // namespace

TBasicAction* TControl::Action() const { return action_link ? action_link->Action() : nullptr; }

void TControl::SetAction(TBasicAction* Value)
{
    TBasicAction* former = Action();
    if (Value == former)
        return;
    if (former) {
        action_link->SetAction(nullptr);
        Action_Freed(former);
    }
    if (!Value)
        return;
    if (!action_link) {
        action_link = new TBasicActionLink;
        action_link->OnChange = [this](TObject* Sender) { ActionChange(Sender, false); };
        action_link->OnFree = [this](TObject* Sender) { Action_Freed(static_cast<TBasicAction*>(Sender)); };
    }
    action_link->SetAction(Value);
    ActionChange(Value, Value->ComponentState().Contains(csLoading));
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults)
{
    auto* action = dynamic_cast<TCustomAction*>(Sender);
    if (!action)
        return;
    if (!CheckDefaults || Caption().empty() || Caption() == Name())
        SetCaption(action->Caption());
    if (!CheckDefaults || Enabled())
        SetEnabled(action->Enabled());
    if (!CheckDefaults || Hint().empty())
        SetHint(action->Hint());
    if (!CheckDefaults || Visible())
        SetVisible(action->Visible());
    if (!CheckDefaults || HelpContext() == 0)
        SetHelpContext(action->HelpContext());
    if (!CheckDefaults || !OnClick)
        OnClick = Action_Click{action};
}

// Only the basic action's own part is left when this runs from its
// destructor: OnClick gets back the action's handler itself.
void TControl::Action_Freed(TBasicAction* Freed)
{
    if (Runs_Action(OnClick, Freed))
        OnClick = Freed->OnExecute;
}

void TControl::Follow_Loaded_Action()
{
    if (TBasicAction* action = Action())
        ActionChange(action, true);
}

void TControl::Drop_Action_Link()
{
    SetAction(nullptr);
    delete action_link;
    action_link = nullptr;
}
