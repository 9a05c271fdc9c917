#pragma once
// The root of the library components that must see the window messages of
// the form that owns them (form fill, form shape, form shadow, form styler):
// it subclasses the owner form's window once loading ends, passes every
// message through its WndProc while installed, and unsubclasses when it is
// freed or removed.
//
// Several such components may hook one form. Each is a link in the window's
// chain of procedures; unhooking a link in any order keeps the rest of the
// chain whole, so that no freed procedure is ever put back.

#include <memory>

#include "components/foundations/Sclcustomcomponent.h"
#include "platform/classlib/Forms.h"

struct TSCLWndProcHook;

class TSCLWndProcComponent : public TSCLCustomComponent {
public:
    // OwnerKind from the owner form's style: 1 for an MDI child, 2 for an
    // MDI parent, 0 otherwise.
    explicit TSCLWndProcComponent(TComponent* AOwner);
    ~TSCLWndProcComponent() override;

    bool Enabled() const { return enabled; }
    // Outside design mode, true hooks the form (Init) and false undoes the
    // component's visual effect (RestoreState) but keeps the hook.
    void SetEnabled(bool Value);
    // Whether the hook also runs while the form is being designed.
    bool DesignEnabled() const { return design_enabled; }
    void SetDesignEnabled(bool Value);
    BYTE OwnerKind() const { return owner_kind; }
    bool Removing() const { return removing; }
    bool Destroying() const { return destroying; }
    // Whether the hook also takes the application window's messages to
    // AppWndProc; it can be changed only while designed or loaded.
    bool HandleApp() const { return handle_app; }
    void SetHandleApp(bool Value);
    // The application window's hook is installed.
    bool AppHooked() const { return app_hooked; }
    // For an MDI parent form: hook the form's own window rather than its
    // MDI client's. Forms here have no MDI client window, so both are the
    // form's window.
    bool UseFormWindow() const { return use_form_window; }

    // The procedure messages are passed on to; null while not hooked.
    WNDPROC OldWndProc() const;
    TCustomForm* GetOwnerForm() const;
    // The owner form's window (its MDI client's for an MDI parent without
    // UseFormWindow), made if need be; 0 without an owner form, while the
    // owner is being freed, or when making it fails.
    HWND GetOwnerHandle() const;
    // The owner's window exists and neither is being loaded or freed.
    bool ValidOwner() const;

    void Loaded() override;
    // With HandleApp, sees the application window's messages first; true
    // means handled, and the application window does nothing more with it.
    // The base handles every message: a descendant that sets HandleApp
    // answers false for what it leaves to the application.
    virtual bool AppWndProc(TMessage& Message);
    // Hooks the form when Enabled and not hooked yet.
    virtual void Init();
    // Undoes the component's visual effect; nothing here.
    virtual void RestoreState() {}
    // Descendants handle what they need and call this for the rest: after
    // WM_DESTROY messages are dropped (an MDI child unhooks at once); every
    // other message goes to the previous procedure.
    virtual void WndProc(TMessage& Message);
    virtual void DesignEnabledChanged();

    // Installs the hook; false when there is no owner window, a hook is
    // already in place, or the form is designed with DesignEnabled false.
    bool NewWndProc();
    // Takes the hook out of the window's chain, wherever it stands in it.
    bool RestoreWndProc();
    // Unhooks and disables without restoring the visual state first.
    void SilentRemove();

protected:
    void SetUseFormWindow(bool Value) { use_form_window = Value; }

private:
    bool Designing() const { return ComponentState().Contains(csDesigning); }
    void Hook_Application();
    void Unhook_Application();
    LRESULT Hooked_Message(UINT Message, WPARAM WParam, LPARAM LParam);

    bool enabled = true;
    bool design_enabled = false;
    bool removing = false;
    bool destroying = false;
    bool handle_app = false;
    bool app_hooked = false;
    bool use_form_window = false;
    BYTE owner_kind = 0;
    std::shared_ptr<TSCLWndProcHook> hook;
};
