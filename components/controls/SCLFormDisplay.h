#pragma once
// A beveled panel hosting whole forms as frameless child windows inside its
// bevel: a list of forms of which at most one (the active one) shows, and an
// older mode hosting one single form.
//
// Every operation runs on the user-interface thread, except
// ActiveFormSnapshot and GetActiveForm, which polling threads may call: they
// read a snapshot the user-interface thread publishes whenever the active
// form or the list changes, never the list itself.

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "components/controls/SCLCustomBevelPanel.h"
#include "platform/classlib/Forms.h"

enum TSCLFormDisplayPosition {
    fdpTopLeft, fdpTopCenter, fdpTopRight, fdpCenterLeft, fdpCenter, fdpCenterRight, fdpBottomLeft,
    fdpBottomCenter, fdpBottomRight, fdpClient
};

using TSCLFormDisplayChangeEvent = std::function<void(TObject* Sender, TCustomForm* NewForm, bool& Cancel)>;

// What a polling thread may know of the active form: its index and its
// identity, to compare with its own form (never to be used as a widget).
struct TSCLActiveFormSnapshot {
    int Index = -1;
    const TCustomForm* Form = nullptr;
};

class TSCLFormDisplay : public TSCLCustomBevelPanel {
public:
    explicit TSCLFormDisplay(TComponent* AOwner);
    ~TSCLFormDisplay() override;

    // List mode.
    int AddFormExt(TCustomForm* Form, bool Activate);
    template <class Form_Class>
    int AddFormClass(bool Activate)
    {
        return AddFormExt(new Form_Class(this), Activate);
    }
    // An index outside -1 .. count - 1 is refused: nothing changes, no event.
    void SetActiveFormIndex(int Index);
    void SetActiveForm(TCustomForm* Form);
    int ActiveFormIndex() const { return active_index; }
    // Safe from any thread.
    TCustomForm* GetActiveForm() const;
    TSCLActiveFormSnapshot ActiveFormSnapshot() const;
    int GetCount() const { return static_cast<int>(forms.size()); }
    // nullptr for an index outside the list.
    TCustomForm* GetForms(int Index) const;
    int GetFormIndex(TCustomForm* Form) const;
    TCustomForm* FindNextForm(TCustomForm* Form, bool GoForward) const;
    void SelectNextForm(bool GoForward);
    void HideForm(TCustomForm* Form);
    void MoveForm(TCustomForm* Form, int NewIndex);
    void RemoveForm(TCustomForm* Form, bool FreeIt);

    // Single-form mode. Execute raises Exception for a null form.
    bool Execute(TForm* Form);
    template <class Form_Class>
    TForm* ExecuteEnh()
    {
        auto* form = new Form_Class(this);
        if (Execute(form))
            return form;
        delete form;
        return nullptr;
    }
    void SetForm(TForm* Form) { Execute(Form); }
    TForm* Form() const { return single_form; }
    void Hide();
    void UnLoad();
    const std::string& FormName() const { return form_name; }
    void SetFormName(const std::string& Value);

    bool UseResForms() const { return use_res_forms; }
    void SetUseResForms(bool Value) { use_res_forms = Value; }
    bool SaveResources() const { return save_resources; }
    void SetSaveResources(bool Value) { save_resources = Value; }
    TSCLFormDisplayPosition Position() const { return position; }
    void SetPosition(TSCLFormDisplayPosition Value);

    TNotifyEvent OnChange;
    TSCLFormDisplayChangeEvent OnChanging;

    void GetChange(TObject* Sender) override;
    void Dispatch(TMessage& Message) override;

protected:
    void AlignControls(TControl* AControl, RECT& Rect) override;
    void Resize() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void Host_Window(TCustomForm* Form);
    void Place_Form(TCustomForm* Form);
    void Realign_Hosted();
    void Forget_Form(TCustomForm* Form);
    void Publish_Active();

    TForm* single_form = nullptr;
    std::string form_name;
    bool use_res_forms = false;
    bool save_resources = false;
    std::vector<TCustomForm*> forms;
    int active_index = -1;
    TSCLFormDisplayPosition position = fdpClient;
    mutable std::mutex snapshot_lock;
    TSCLActiveFormSnapshot snapshot;
};

// Destroys a control's window; it is made again when the control next shows.
void SCLFreeResources(TWinControl* Control);
