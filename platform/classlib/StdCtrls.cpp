#include "platform/classlib/StdCtrls.h"

#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

#include "platform/winapi/Gdi_Text.h"

// ---- Label -----------------------------------------------------------------

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque, csReplicatable});
    SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAutoSize(bool Value)
{
    auto_size = Value;
    Changed();
}

void TCustomLabel::SetAlignment(TAlignment Value)
{
    alignment = Value;
    Changed();
}

void TCustomLabel::SetLayout(TTextLayout Value)
{
    layout = Value;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value)
{
    word_wrap = Value;
    Changed();
}

void TCustomLabel::SetTransparent(bool Value)
{
    transparent = Value;
    TControlStyle style = ControlStyle();
    SetControlStyle(Value ? style.Exclude(csOpaque) : style.Include(csOpaque));
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value)
{
    show_accel_char = Value;
    Changed();
}

void TCustomLabel::SetFocusControl(TWinControl* Value)
{
    focus_control = Value;
    if (Value)
        Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == focus_control)
        focus_control = nullptr;
}

UINT TCustomLabel::Text_Flags() const
{
    UINT flags = DT_EXPANDTABS;
    if (word_wrap)
        flags |= DT_WORDBREAK;
    if (!show_accel_char)
        flags |= DT_NOPREFIX;
    if (alignment == taRightJustify)
        flags |= DT_RIGHT;
    else if (alignment == taCenter)
        flags |= DT_CENTER;
    return flags;
}

void TCustomLabel::Changed()
{
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::AdjustBounds()
{
    if (!auto_size || ComponentState().Contains(csLoading))
        return;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font()->Handle());
    RECT rect{0, 0, word_wrap ? Width() : 0, 0};
    // An empty caption still takes one line's height.
    const std::string text = Caption().empty() ? std::string(" ") : Caption();
    DrawTextA(dc, text.c_str(), -1, &rect, Text_Flags() | DT_CALCRECT);
    SelectObject(dc, old);
    DeleteDC(dc);
    int left = Left();
    if (alignment == taRightJustify && !word_wrap)
        left += Width() - rect.right;
    SetBounds(left, Top(), rect.right, rect.bottom);
}

void TCustomLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::Paint()
{
    TCanvas* canvas = Canvas();
    RECT rect = ClientRect();
    if (!transparent) {
        canvas->Brush()->SetColor(Color());
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(rect);
    }
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetFont(Font());
    UINT flags = Text_Flags();
    if (layout != tlTop) {
        RECT measured = rect;
        DrawTextA(canvas->Handle(), Caption().c_str(), -1, &measured, flags | DT_CALCRECT);
        const int room = rect.bottom - measured.bottom;
        rect.top += layout == tlCenter ? room / 2 : room;
    }
    if (!Enabled()) {
        RECT shifted{rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1};
        canvas->Font()->SetColor(clBtnHighlight);
        DrawTextA(canvas->Handle(), Caption().c_str(), -1, &shifted, flags);
        canvas->Font()->SetColor(clBtnShadow);
    }
    DrawTextA(canvas->Handle(), Caption().c_str(), -1, &rect, flags);
}

void TCustomLabel::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED: Changed(); break;
    case CM_DIALOGCHAR:
        if (focus_control && Enabled() && show_accel_char && IsAccel(static_cast<WORD>(Message.WParam), Caption()) &&
            focus_control->CanFocus()) {
            focus_control->SetFocus();
            Message.Result = 1;
            return;
        }
        break;
    default: break;
    }
    TGraphicControl::Dispatch(Message);
}

// ---- Button ----------------------------------------------------------------

TButton::TButton(TComponent* AOwner) : TWidget_Control(AOwner)
{
    // Qt's button reports clicks; the mouse messages must not click again.
    SetControlStyle(ControlStyle().Exclude(csClickEvents).Include(csDoubleClicks));
    SetBounds(0, 0, 75, 25);
}

QPushButton* TButton::Button() const { return static_cast<QPushButton*>(Content()); }

QWidget* TButton::Create_Content(QWidget* Parent)
{
    auto* button = new QPushButton(Qt_Text(Caption()), Parent);
    button->setDefault(is_default);
    QObject::connect(button, &QPushButton::clicked, button, [this] { Click(); });
    return button;
}

void TButton::ChangedText()
{
    if (Button())
        Button()->setText(Qt_Text(Caption()));
}

void TButton::SetDefault(bool Value)
{
    is_default = Value;
    if (Button())
        Button()->setDefault(Value);
}

void TButton::Click()
{
    if (modal_result != mrNone)
        if (TCustomForm* form = GetParentForm(this))
            form->SetModalResult(modal_result);
    TWidget_Control::Click();
}

void TButton::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_DIALOGCHAR && Enabled() && Showing()) {
        const auto key = static_cast<WORD>(Message.WParam);
        if ((key == VK_RETURN && Takes_Return()) || (key == VK_ESCAPE && cancel) || IsAccel(key, Caption())) {
            Click();
            Message.Result = 1;
            return;
        }
    }
    TWidget_Control::Dispatch(Message);
}

// The focused button, else the default one while no button has the focus.
bool TButton::Takes_Return()
{
    if (Focused())
        return true;
    return is_default && !dynamic_cast<TButton*>(FindControl(GetFocus()));
}

// ---- Edit ------------------------------------------------------------------

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWidget_Control(AOwner)
{
    SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
    SetParentColor(false);
}

QLineEdit* TCustomEdit::Editor() const { return static_cast<QLineEdit*>(Content()); }

void TCustomEdit::CreateParams(TCreateParams& Params)
{
    TWidget_Control::CreateParams(Params);
    Params.ExStyle |= WS_EX_CLIENTEDGE;
}

QWidget* TCustomEdit::Create_Content(QWidget* Parent)
{
    auto* editor = new QLineEdit(Qt_Text(stored), Parent);
    editor->setFrame(false);
    editor->setReadOnly(read_only);
    editor->setMaxLength(max_length > 0 ? max_length : 32767);
    QObject::connect(editor, &QLineEdit::textChanged, editor, [this] { Change(); });
    return editor;
}

void TCustomEdit::Save_Content() { stored = Editor()->text().toStdString(); }

std::string TCustomEdit::Text() const { return Editor() ? Editor()->text().toStdString() : stored; }

void TCustomEdit::SetText(const std::string& Value)
{
    if (Value == Text())
        return;
    if (Editor()) {
        Editor()->setText(Qt_Text(Value)); // reports the change itself
        return;
    }
    stored = Value;
    Change();
}

void TCustomEdit::ChangedText() { SetText(TControl::Text()); }

void TCustomEdit::SetReadOnly(bool Value)
{
    read_only = Value;
    if (Editor())
        Editor()->setReadOnly(Value);
}

void TCustomEdit::SetMaxLength(int Value)
{
    max_length = std::max(0, Value);
    if (Editor())
        Editor()->setMaxLength(max_length > 0 ? max_length : 32767);
}

int TCustomEdit::SelStart() const
{
    if (!Editor())
        return 0;
    return Editor()->hasSelectedText() ? Editor()->selectionStart() : Editor()->cursorPosition();
}

void TCustomEdit::SetSelStart(int Value)
{
    if (Editor())
        Editor()->setCursorPosition(Value);
}

int TCustomEdit::SelLength() const { return Editor() ? static_cast<int>(Editor()->selectedText().size()) : 0; }

void TCustomEdit::SetSelLength(int Value)
{
    if (Editor())
        Editor()->setSelection(SelStart(), Value);
}

std::string TCustomEdit::SelText() const { return Editor() ? Editor()->selectedText().toStdString() : std::string(); }

void TCustomEdit::SelectAll()
{
    if (Editor())
        Editor()->selectAll();
}

void TCustomEdit::CopyToClipboard()
{
    if (Editor())
        Editor()->copy();
}

void TCustomEdit::CutToClipboard()
{
    if (Editor())
        Editor()->cut();
}

void TCustomEdit::PasteFromClipboard()
{
    if (Editor())
        Editor()->paste();
}

void TCustomEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCustomEdit::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
        return;
    }
    TWidget_Control::Dispatch(Message);
}
