#pragma once
// Actions: a command with its caption, state and handler kept in one place,
// which the controls bound to it (their Action) follow. An action tells its
// client links of every change; an action list holds actions and the image
// list their image indexes refer to.

#include <string>
#include <vector>

#include "platform/classlib/Classes.h"
#include "platform/classlib/ImgList.h"
#include "platform/classlib/Menus.h"

class TBasicAction;
class TCustomActionList;

// A client's tie to an action: told of each change and of the action's free.
class TBasicActionLink : public TObject {
public:
    // A registered link unregisters itself.
    ~TBasicActionLink() override;

    TBasicAction* Action() const { return action; }
    // Registers with Value (unregisters from the former action first).
    void SetAction(TBasicAction* Value);

    // Sender: the action.
    TNotifyEvent OnChange;
    // The action is being freed; the link is already unregistered.
    TNotifyEvent OnFree;

private:
    friend class TBasicAction;
    TBasicAction* action = nullptr;
};

class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* AOwner);
    // Tells every client link that the action goes.
    ~TBasicAction() override;

    // Runs OnExecute; false when there is none.
    virtual bool Execute();
    TNotifyEvent OnExecute;
    void SetOnExecute(TNotifyEvent Value);

    void RegisterChanges(TBasicActionLink* Link);
    // A link not registered here is ignored.
    void UnRegisterChanges(TBasicActionLink* Link);
    int ClientCount() const { return static_cast<int>(clients.size()); }

    // Every client link's OnChange.
    virtual void Change();

private:
    std::vector<TBasicActionLink*> clients;
};

class TContainedAction : public TBasicAction {
public:
    using TBasicAction::TBasicAction;
    ~TContainedAction() override;

    TCustomActionList* ActionList() const { return action_list; }
    // Leaves the former list and joins Value (nullptr: none).
    void SetActionList(TCustomActionList* Value);
    const std::string& Category() const { return category; }
    void SetCategory(const std::string& Value);
    // The position in the list, -1 without one.
    int Index() const;

private:
    friend class TCustomActionList;
    TCustomActionList* action_list = nullptr;
    std::string category;
};

// Each setter tells the clients only when the value changes.
class TCustomAction : public TContainedAction {
public:
    using TContainedAction::TContainedAction;

    const std::string& Caption() const { return caption; }
    void SetCaption(const std::string& Value) { Set_Value(caption, Value); }
    bool Checked() const { return checked; }
    void SetChecked(bool Value) { Set_Value(checked, Value); }
    bool Enabled() const { return enabled; }
    void SetEnabled(bool Value) { Set_Value(enabled, Value); }
    int HelpContext() const { return help_context; }
    void SetHelpContext(int Value) { Set_Value(help_context, Value); }
    const std::string& Hint() const { return hint; }
    void SetHint(const std::string& Value) { Set_Value(hint, Value); }
    int ImageIndex() const { return image_index; }
    void SetImageIndex(int Value) { Set_Value(image_index, Value); }
    TShortCut ShortCut() const { return short_cut; }
    void SetShortCut(TShortCut Value) { Set_Value(short_cut, Value); }
    bool Visible() const { return visible; }
    void SetVisible(bool Value) { Set_Value(visible, Value); }

    // A disabled action does not run.
    bool Execute() override;

private:
    template <class T>
    void Set_Value(T& Field, const T& Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        Change();
    }

    std::string caption;
    bool checked = false;
    bool enabled = true;
    int help_context = 0;
    std::string hint;
    int image_index = -1;
    TShortCut short_cut = 0;
    bool visible = true;
};

class TAction : public TCustomAction {
public:
    using TCustomAction::TCustomAction;
};

class TCustomActionList : public TComponent {
public:
    explicit TCustomActionList(TComponent* AOwner);
    // The actions still held leave the list (they are not freed: their
    // owner frees them).
    ~TCustomActionList() override;

    int ActionCount() const { return static_cast<int>(actions.size()); }
    // Raises EListError for a bad index.
    TContainedAction* Actions(int Index) const;

    TCustomImageList* Images() const { return images; }
    // The actions' clients hear of the new images, and of every change of them.
    void SetImages(TCustomImageList* Value);

    // Every action's Change.
    void Change();

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TContainedAction;
    void Add_Action(TContainedAction* Action);
    void Remove_Action(TContainedAction* Action);

    std::vector<TContainedAction*> actions;
    TCustomImageList* images = nullptr;
    TChangeLink image_change_link;
};

class TActionList : public TCustomActionList {
public:
    using TCustomActionList::TCustomActionList;
};

// Registers the action classes with the form reader (from the class
// library's own registration).
void Register_Action_Classes();
