#include "platform/classlib/ActnList.h"

#include <algorithm>

#include "platform/classlib/Class_Registry.h"

// ---- TBasicActionLink ------------------------------------------------------------

TBasicActionLink::~TBasicActionLink() { SetAction(nullptr); }

void TBasicActionLink::SetAction(TBasicAction* Value)
{
    if (Value == action)
        return;
    if (action)
        action->UnRegisterChanges(this);
    if (Value)
        Value->RegisterChanges(this);
}

// ---- TBasicAction ----------------------------------------------------------------

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction()
{
    Destroying();
    while (!clients.empty()) {
        TBasicActionLink* link = clients.back();
        UnRegisterChanges(link);
        if (link->OnFree)
            link->OnFree(this);
    }
}

bool TBasicAction::Execute()
{
    if (!OnExecute)
        return false;
    OnExecute(this);
    return true;
}

void TBasicAction::SetOnExecute(TNotifyEvent Value)
{
    OnExecute = std::move(Value);
    Change();
}

void TBasicAction::RegisterChanges(TBasicActionLink* Link)
{
    if (Link->action == this)
        return;
    if (Link->action)
        Link->action->UnRegisterChanges(Link);
    clients.push_back(Link);
    Link->action = this;
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* Link)
{
    if (!Link || Link->action != this)
        return;
    std::erase(clients, Link);
    Link->action = nullptr;
}

void TBasicAction::Change()
{
    // A client may leave while it is told.
    const std::vector<TBasicActionLink*> told = clients;
    for (TBasicActionLink* link : told)
        if (link->action == this && link->OnChange)
            link->OnChange(this);
}

// ---- TContainedAction --------------------------------------------------------------

TContainedAction::~TContainedAction() { SetActionList(nullptr); }

void TContainedAction::SetActionList(TCustomActionList* Value)
{
    if (Value == action_list)
        return;
    if (action_list)
        action_list->Remove_Action(this);
    if (Value)
        Value->Add_Action(this);
}

void TContainedAction::SetCategory(const std::string& Value)
{
    if (Value == category)
        return;
    category = Value;
    Change();
}

int TContainedAction::Index() const
{
    if (!action_list)
        return -1;
    const auto& list = action_list->actions;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

// ---- TCustomAction -----------------------------------------------------------------

bool TCustomAction::Execute() { return enabled && TContainedAction::Execute(); }

// ---- TCustomActionList -------------------------------------------------------------

TCustomActionList::TCustomActionList(TComponent* AOwner) : TComponent(AOwner)
{
    image_change_link.OnChange = [this](TObject*) { Change(); };
}

TCustomActionList::~TCustomActionList()
{
    Destroying();
    while (!actions.empty())
        Remove_Action(actions.back());
    SetImages(nullptr);
}

TContainedAction* TCustomActionList::Actions(int Index) const
{
    if (Index < 0 || Index >= ActionCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return actions[static_cast<std::size_t>(Index)];
}

void TCustomActionList::SetImages(TCustomImageList* Value)
{
    if (Value == images)
        return;
    if (images) {
        images->UnRegisterChanges(&image_change_link);
        images->RemoveFreeNotification(this);
    }
    images = Value;
    if (images) {
        images->RegisterChanges(&image_change_link);
        images->FreeNotification(this);
    }
    // While a form is read its controls take the action once they are
    // loaded, keeping what the form gave them.
    if (!ComponentState().Contains(csDestroying) && !ComponentState().Contains(csLoading))
        Change();
}

void TCustomActionList::Change()
{
    const std::vector<TContainedAction*> told = actions;
    for (TContainedAction* action : told)
        action->Change();
}

void TCustomActionList::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == images) {
        // Only the component is left of the image list now: it has
        // dropped its links itself.
        images = nullptr;
        if (!ComponentState().Contains(csDestroying))
            Change();
    } else if (auto* action = dynamic_cast<TContainedAction*>(AComponent); action && action->action_list == this)
        Remove_Action(action);
}

void TCustomActionList::Add_Action(TContainedAction* Action)
{
    actions.push_back(Action);
    Action->action_list = this;
}

void TCustomActionList::Remove_Action(TContainedAction* Action)
{
    std::erase(actions, Action);
    Action->action_list = nullptr;
}

// ---- Registration ------------------------------------------------------------------

void Register_Action_Classes()
{
    RegisterClass<TBasicAction, TComponent>("TBasicAction").Event("OnExecute", &TBasicAction::OnExecute);
    RegisterClass<TContainedAction, TBasicAction>("TContainedAction")
        .Property("Category", String_Type(), &TContainedAction::Category, &TContainedAction::SetCategory, "")
        .Parent_Rule([](TContainedAction& action, TComponent* parent) {
            auto* list = dynamic_cast<TCustomActionList*>(parent);
            if (!list)
                throw EPropertyError(action.Name() + " cannot be placed on " + parent->Name());
            action.SetActionList(list);
        });
    RegisterClass<TCustomAction, TContainedAction>("TCustomAction")
        .Property("Caption", String_Type(), &TCustomAction::Caption, &TCustomAction::SetCaption, "")
        .Property("Checked", Boolean_Type(), &TCustomAction::Checked, &TCustomAction::SetChecked, false)
        .Property("Enabled", Boolean_Type(), &TCustomAction::Enabled, &TCustomAction::SetEnabled, true)
        .Property("HelpContext", Integer_Type(), &TCustomAction::HelpContext, &TCustomAction::SetHelpContext, 0)
        .Property("Hint", String_Type(), &TCustomAction::Hint, &TCustomAction::SetHint, "")
        .Property("ImageIndex", Integer_Type(), &TCustomAction::ImageIndex, &TCustomAction::SetImageIndex, -1)
        .Property("ShortCut", Integer_Type(0, 0xFFFF), &TCustomAction::ShortCut, &TCustomAction::SetShortCut, 0)
        .Property("Visible", Boolean_Type(), &TCustomAction::Visible, &TCustomAction::SetVisible, true);
    RegisterComponentClass<TAction, TCustomAction>("TAction");
    RegisterClass<TCustomActionList, TComponent>("TCustomActionList")
        .Component<TCustomImageList>("Images", &TCustomActionList::Images, &TCustomActionList::SetImages)
        .Children_Rule([](TCustomActionList& list) {
            std::vector<TComponent*> held;
            for (int i = 0; i < list.ActionCount(); ++i)
                held.push_back(list.Actions(i));
            return held;
        });
    RegisterComponentClass<TActionList, TCustomActionList>("TActionList");
}
