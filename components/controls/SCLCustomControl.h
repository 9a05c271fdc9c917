#pragma once
// The root of the library's windowed controls: an image-list link, the
// background effect object, mouse enter and exit events, flat borders that
// show while the mouse is over the control or it has the focus, and the
// back-bitmap services through which a parent hands its transparent
// children the background under them.
//
// Transparency never lets the parent show through: a transparent control
// copies the part of an ancestor's back bitmap that lies under it, found
// through the chain of BackBitmapCheck, BackBitmap, BackMapPoint and
// BackDrawArea; where no ancestor offers one, it fills with its Color.

#include <cstdint>
#include <string>

#include "components/controls/Sclbitmapeffectobject.h"
#include "components/foundations/Sclclass.h"
#include "components/foundations/Sclcont.h"
#include "platform/classlib/Controls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Graphics_Bitmap.h"

// What a control that supplies a background to its transparent children
// answers: the library's windowed controls, its scroll box and a form's
// shape component. Points and rectangles are in the supplier's client
// coordinates.
class TSCLBackProvider {
public:
    TSCLBackProvider() = default;
    virtual ~TSCLBackProvider() = default;
    TSCLBackProvider(const TSCLBackProvider&) = delete;
    TSCLBackProvider& operator=(const TSCLBackProvider&) = delete;

    // The bitmap transparent children copy from, or nullptr.
    virtual TBitmap* BackBitmap() = 0;
    // Whether BackBitmap can be used.
    virtual bool BackBitmapCheck() = 0;
    // Copies the background under Dest moved by Src into Dest of Canvas;
    // false when nothing was drawn.
    virtual bool BackDrawArea(TCanvas* Canvas, const RECT& Dest, POINT Src, WORD Flags) = 0;
    // A client point in BackBitmap's coordinates.
    virtual POINT BackMapPoint(POINT P) = 0;
};

// The role of a form's shape component: the background of the whole form,
// in the form's client coordinates.
class TSCLFormBackProvider : public TSCLBackProvider {};

// The index of the first component owned by Component (a form) for which
// IsOfClass answers true; -1 when Component is no form or has none.
int SCLCheckForFormComponent(const TComponent* Component, const TSCLClassTest& IsOfClass);

template <class C>
int SCLCheckForFormComponent(const TComponent* Component)
{
    return SCLCheckForFormComponent(Component,
                                    [](const TComponent* c) { return dynamic_cast<const C*>(c) != nullptr; });
}

// The form's shape component when Form is a form with a window that owns
// one; else nullptr.
TSCLFormBackProvider* SCLFormBackProvider(TControl* Form);
// Who supplies the background of a control's parent: the parent itself
// when it is a library control or scroll box with a window, the form's
// shape when the parent is a form holding one; else nullptr.
TSCLBackProvider* SCLParentBackProvider(const TControl* Control);

class TSCLCustomControl : public TCustomControl, public TSCLBackProvider {
public:
    explicit TSCLCustomControl(TComponent* AOwner);
    ~TSCLCustomControl() override;

    // Informational only; descendants publish it.
    std::string About;
    TNotifyEvent OnAfterEnter;
    TNotifyEvent OnAfterExit;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;

    bool Flat() const { return flat; }
    void SetFlat(bool Value);
    bool Transparent() const { return transparent; }
    // Toggles the opaque style and recreates the window.
    void SetTransparent(bool Value);
    bool MouseAbove() const { return mouse_above; }
    void SetMouseAbove() { mouse_above = true; }
    bool Entered() const { return entered; }
    // The entered flag; clearing it while Flat takes the flat border away.
    void SetBoolean(bool Value);

    TSCLCustomImageList* ImageList() const { return image_list; }
    void SetImageList(TSCLCustomImageList* Value);
    std::int32_t ImageIndex() const { return image_index; }
    std::int32_t ListIndex() const { return list_index; }
    void SetImageIndex(std::int32_t Value) { SetIndex(0, Value); }
    void SetListIndex(std::int32_t Value) { SetIndex(1, Value); }
    // 0 ImageIndex, 1 ListIndex; a negative or unchanged value is ignored.
    void SetIndex(int Index, std::int32_t Value);
    // No list, or the list has no item (ListIndex, ImageIndex).
    bool IMLEmpty();
    // The stored-ness of ImageList: lists of the global container are
    // stored as "Internal" instead.
    bool HasControl() const;
    bool CheckCont() const;
    // Streams "Internal", the global list's identifier.
    void DefineProperties(TFiler& Filer);

    TSCLBitmapEffectObject* BackFX() const { return back_fx; }
    void SetBackFXObject(TSCLBitmapEffectObject* Value);

    // ---- Overridable operations of the library's windowed controls
    virtual void DoFlatChanged() {}
    // Transparent, and an ancestor offers its back bitmap.
    virtual bool CheckOptimized();
    // The client background: the ancestor's back bitmap when it can be
    // used, else Color.
    virtual void FillControl();
    virtual void GetChange(TObject* Sender);
    virtual bool GetEmpty() { return true; }
    virtual void GetIMLChange(TObject* Sender) { GetChange(Sender); }
    virtual void MouseEnter();
    virtual void MouseExit();
    TBitmap* BackBitmap() override { return nullptr; }
    bool BackBitmapCheck() override { return false; }
    bool BackDrawArea(TCanvas*, const RECT&, POINT, WORD) override { return false; }
    POINT BackMapPoint(POINT P) override { return P; }
    virtual HPALETTE BackBitmapPalette();

    virtual void RestoreBorderFront();
    virtual void RestoreBorderBack();

    // The control's rectangle invalidated in the parent's window, erased.
    void InvalidateFrame();
    RECT GetScreenRect(const RECT& R);
    // The background of R painted as FillControl paints the client area.
    void RepBack(const RECT& R);
    void DrawDashedFrame();

    void Dispatch(TMessage& Message) override;
    void Loaded() override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void DoEnter() override;
    void DoExit() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    bool Loading() const { return ComponentState().Contains(csLoading); }
    bool Designing() const { return ComponentState().Contains(csDesigning); }
    bool Destroying_State() const { return ComponentState().Contains(csDestroying); }
    // Tells every child that the background under it changed.
    void Notify_Back_Changed();
    void Set_Repaint_On_Change(bool Value) { repaint_on_change = Value; }
    // WM_SIZE: the platform's handling, then the background follows.
    virtual void WMSize(TMessage& Message);

    // Raised when a descendant dropped its back bitmap and must build it anew.
    bool rebuild_back = false;

private:
    bool Dispatch_Library_Message(TMessage& Message);
    void Moved();
    void Back_Changed();
    void Paint_Flat_Frame(bool Front);

    bool mouse_above = false;
    bool entered = false;
    bool flat = false;
    bool transparent = false;
    bool repaint_on_change = true;
    TSCLCustomImageList* image_list = nullptr;
    std::int32_t image_index = 0;
    std::int32_t list_index = 0;
    TSCLChangeLink link;
    TSCLBitmapEffectObject* back_fx;
};
