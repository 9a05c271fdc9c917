#include "platform/classlib/Dialogs_Message_Box.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QThread>

#include <algorithm>
#include <vector>

#include "platform/classlib/Dialog_Registry.h"
#include "platform/classlib/ExtCtrls_Controls.h"
#include "platform/classlib/Resources.h"
#include "platform/classlib/Thread.h"
#include "platform/winapi/Kernel.h"

BOOL MessageBeep(UINT /*Type*/)
{
    QApplication::beep();
    return TRUE;
}

namespace {

struct Button_Kind {
    int id;
    const char* caption;
    const char* name;
};

std::vector<Button_Kind> Buttons_Of(UINT type)
{
    const Button_Kind ok{IDOK, "OK", "ButtonOK"};
    const Button_Kind cancel{IDCANCEL, "Cancel", "ButtonCancel"};
    const Button_Kind abort{IDABORT, "&Abort", "ButtonAbort"};
    const Button_Kind retry{IDRETRY, "&Retry", "ButtonRetry"};
    const Button_Kind ignore{IDIGNORE, "&Ignore", "ButtonIgnore"};
    const Button_Kind yes{IDYES, "&Yes", "ButtonYes"};
    const Button_Kind no{IDNO, "&No", "ButtonNo"};
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {ok, cancel};
    case MB_ABORTRETRYIGNORE: return {abort, retry, ignore};
    case MB_YESNOCANCEL: return {yes, no, cancel};
    case MB_YESNO: return {yes, no};
    case MB_RETRYCANCEL: return {retry, cancel};
    default: return {ok};
    }
}

// The icon's component name and Qt's picture of it; a null name for none.
std::pair<const char*, QStyle::StandardPixmap> Icon_Of(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return {"IconError", QStyle::SP_MessageBoxCritical};
    case MB_ICONQUESTION: return {"IconQuestion", QStyle::SP_MessageBoxQuestion};
    case MB_ICONEXCLAMATION: return {"IconWarning", QStyle::SP_MessageBoxWarning};
    case MB_ICONASTERISK: return {"IconInformation", QStyle::SP_MessageBoxInformation};
    default: return {nullptr, QStyle::SP_MessageBoxInformation};
    }
}

constexpr int margin = 12;
constexpr int icon_size = 32;
constexpr int button_width = 75;
constexpr int button_height = 23;
constexpr int button_gap = 6;
constexpr int wrap_width = 400;

class Message_Box_Form : public TForm {
public:
    Message_Box_Form(const std::string& text, const std::string& caption, UINT type)
        : TForm(nullptr), buttons(Buttons_Of(type))
    {
        SetBorderStyle(bsDialog);
        SetBorderIcons(TBorderIcons{biSystemMenu});
        SetPosition(poScreenCenter);
        SetCaption(caption);
        int left = margin;
        if (const auto [name, picture] = Icon_Of(type); name) {
            Make_Icon(name, picture);
            left += icon_size + margin;
        }
        Make_Label(text, left);
        Make_Buttons(type);
    }

    // Shows the box and answers the button's ID.
    int Run(UINT type)
    {
        OnShow = [this](TObject*) {
            if (default_button)
                default_button->SetFocus();
        };
        if (type & MB_ICONMASK)
            MessageBeep(type & MB_ICONMASK);
        const TModalResult result = ShowModal();
        if (result != mrCancel || Has(IDCANCEL))
            return result;
        for (int id : {IDOK, IDNO})
            if (Has(id))
                return id;
        return IDABORT;
    }

protected:
    // The standard dialog class, by which the shell finds an open box and
    // closes it before it replaces the forms the box belongs to.
    void CreateParams(TCreateParams& Params) override
    {
        TForm::CreateParams(Params);
        Params.WinClassName = "#32770";
    }

private:
    bool Has(int id) const
    {
        return std::any_of(buttons.begin(), buttons.end(), [id](const Button_Kind& kind) { return kind.id == id; });
    }

    void Make_Icon(const char* name, QStyle::StandardPixmap picture)
    {
        auto* image = new TImage(this);
        image->SetName(name);
        image->SetParent(this);
        image->SetBounds(margin, margin, icon_size, icon_size);
        // Over the face colour: the picture's own transparency is not ours to use.
        const COLORREF face = ColorToRGB(clBtnFace);
        QImage composed(icon_size, icon_size, QImage::Format_RGB32);
        composed.fill(QColor(GetRValue(face), GetGValue(face), GetBValue(face)));
        QPainter painter(&composed);
        painter.drawPixmap(0, 0, QApplication::style()->standardIcon(picture).pixmap(icon_size, icon_size));
        painter.end();
        Image_To_Bitmap(composed, image->Picture()->Bitmap());
        icon_bottom = margin + icon_size;
    }

    void Make_Label(const std::string& text, int left)
    {
        label = new TLabel(this);
        label->SetName("LabelMessage");
        label->SetParent(this);
        label->SetShowAccelChar(false);
        label->SetLeft(left);
        label->SetTop(margin);
        label->SetCaption(text);
        if (label->Width() > wrap_width) {
            label->SetWidth(wrap_width);
            label->SetWordWrap(true); // measured again at the wrapping width
        }
        if (label->Height() < icon_bottom - margin)
            label->SetTop(margin + (icon_bottom - margin - label->Height()) / 2);
    }

    void Make_Buttons(UINT type)
    {
        const int count = static_cast<int>(buttons.size());
        const int row_width = count * button_width + (count - 1) * button_gap;
        const int width = std::max({label->Left() + label->Width() + margin, row_width + 2 * margin, 160});
        const int top = std::max(label->Top() + label->Height(), icon_bottom) + 2 * margin;
        int left = (width - row_width) / 2;
        const int default_index = std::min(static_cast<int>((type & MB_DEFMASK) >> 8), count - 1);
        for (int index = 0; index < count; ++index) {
            auto* button = new TButton(this);
            button->SetName(buttons[static_cast<std::size_t>(index)].name);
            button->SetParent(this);
            button->SetBounds(left, top, button_width, button_height);
            button->SetCaption(buttons[static_cast<std::size_t>(index)].caption);
            button->SetModalResult(buttons[static_cast<std::size_t>(index)].id);
            button->SetCancel(buttons[static_cast<std::size_t>(index)].id == IDCANCEL || count == 1);
            if (index == default_index) {
                button->SetDefault(true);
                default_button = button;
            }
            left += button_width + button_gap;
        }
        SetClientWidth(width);
        SetClientHeight(top + button_height + margin);
    }

    std::vector<Button_Kind> buttons;
    TLabel* label = nullptr;
    TButton* default_button = nullptr;
    int icon_bottom = 0;
};

int Show_Box(LPCSTR text, LPCSTR caption, UINT type)
{
    Message_Box_Form box(text ? text : "", caption ? caption : "Error", type);
    return box.Run(type);
}

// Reaches Synchronize for a thread the class library did not start.
class Foreign_Thread_Caller : public TThread {
public:
    Foreign_Thread_Caller() : TThread(true) {}
    using TThread::Synchronize;

protected:
    void Execute() override {}
};

bool On_Ui_Thread()
{
    const QCoreApplication* application = QCoreApplication::instance();
    return !application || QThread::currentThread() == application->thread();
}

} // namespace

int MessageBoxA(HWND /*Owner*/, LPCSTR Text, LPCSTR Caption, UINT Type)
{
    if (On_Ui_Thread())
        return Show_Box(Text, Caption, Type);
    const DWORD asking_thread = GetCurrentThreadId();
    int answer = 0;
    Foreign_Thread_Caller caller;
    caller.Synchronize([&] {
        Dialog_Owner_Scope scope(asking_thread);
        answer = Show_Box(Text, Caption, Type);
    });
    return answer;
}

int Application_MessageBox(LPCSTR Text, LPCSTR Caption, UINT Flags)
{
    const std::string title = Application ? Application->Title() : std::string();
    return MessageBoxA(nullptr, Text, Caption ? Caption : title.c_str(), Flags);
}
