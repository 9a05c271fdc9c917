#pragma once
// The standard controls: the label (windowless, drawn by its parent), and
// the button, edit, memo and combo box, whose windows show Qt's own
// widgets (StdCtrls_Host.h). The memo and the combo box are in
// StdCtrls_Memo.h and StdCtrls_ComboBox.h, included at the end.

#include <string>

#include "platform/classlib/Forms.h"
#include "platform/classlib/StdCtrls_Host.h"

class QLineEdit;
class QPushButton;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* AOwner);

    // The label takes the size of its text (its width too, unless WordWrap).
    bool AutoSize() const { return auto_size; }
    void SetAutoSize(bool Value);
    TAlignment Alignment() const { return alignment; }
    void SetAlignment(TAlignment Value);
    TTextLayout Layout() const { return layout; }
    void SetLayout(TTextLayout Value);
    bool WordWrap() const { return word_wrap; }
    void SetWordWrap(bool Value);
    // A transparent label paints its text alone over its parent.
    bool Transparent() const { return transparent; }
    void SetTransparent(bool Value);
    // "&" marks an accelerator that gives FocusControl the focus.
    bool ShowAccelChar() const { return show_accel_char; }
    void SetShowAccelChar(bool Value);
    TWinControl* FocusControl() const { return focus_control; }
    void SetFocusControl(TWinControl* Value);

    void Dispatch(TMessage& Message) override;
    void Loaded() override;

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void AdjustBounds();

private:
    UINT Text_Flags() const;
    void Changed();

    bool auto_size = true;
    TAlignment alignment = taLeftJustify;
    TTextLayout layout = tlTop;
    bool word_wrap = false;
    bool transparent = false;
    bool show_accel_char = true;
    TWinControl* focus_control = nullptr;
};

class TLabel : public TCustomLabel {
public:
    using TCustomLabel::TCustomLabel;
};

// A push button. A click sets its form's ModalResult to the button's; a
// focused button is clicked by Space and Enter, a Default button by Enter
// while no button has the focus, and a Cancel button by Escape anywhere on
// the form (where the focused control takes no characters itself).
class TButton : public TWidget_Control {
public:
    explicit TButton(TComponent* AOwner);

    TModalResult ModalResult() const { return modal_result; }
    void SetModalResult(TModalResult Value) { modal_result = Value; }
    bool Default() const { return is_default; }
    void SetDefault(bool Value);
    bool Cancel() const { return cancel; }
    void SetCancel(bool Value) { cancel = Value; }

    void Click() override;
    void Dispatch(TMessage& Message) override;

protected:
    QWidget* Create_Content(QWidget* Parent) override;
    void ChangedText() override;

private:
    QPushButton* Button() const;
    bool Takes_Return();

    TModalResult modal_result = mrNone;
    bool is_default = false;
    bool cancel = false;
};

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// A one-line editor.
class TCustomEdit : public TWidget_Control {
public:
    explicit TCustomEdit(TComponent* AOwner);

    std::string Text() const;
    void SetText(const std::string& Value);
    bool ReadOnly() const { return read_only; }
    void SetReadOnly(bool Value);
    // 0: no limit.
    int MaxLength() const { return max_length; }
    void SetMaxLength(int Value);
    int SelStart() const;
    void SetSelStart(int Value);
    int SelLength() const;
    void SetSelLength(int Value);
    std::string SelText() const;
    void SelectAll();
    void Clear() { SetText({}); }
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();

    TNotifyEvent OnChange;
    void Dispatch(TMessage& Message) override;

protected:
    virtual void Change();
    QWidget* Create_Content(QWidget* Parent) override;
    void Save_Content() override;
    void CreateParams(TCreateParams& Params) override;
    void ChangedText() override;

private:
    QLineEdit* Editor() const;

    std::string stored; // the text while there is no window
    bool read_only = false;
    int max_length = 0;
};

class TEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
};

#include "platform/classlib/StdCtrls_ComboBox.h"
#include "platform/classlib/StdCtrls_Memo.h"
