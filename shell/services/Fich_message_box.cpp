#include "shell/services/Fich_message_box.h"

#include "platform/classlib/Dialogs_Message_Box.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/winapi/Message.h"
#include "platform/winapi/System_Metrics.h"
#include "platform/winapi/Window.h"

TForm_Message_Box::TForm_Message_Box(TComponent* owner, const std::string& text, const std::string& caption,
                                     const St_System_Settings* settings, const std::atomic<int>* camera_count,
                                     UINT flags)
    : TForm(owner), Settings(settings), Flags(flags), Camera_Count_Ref(camera_count)
{
    InitInheritedComponent(this, Table());
    Take_Message_Font();
    const bool one_camera = *Camera_Count_Ref == 1;
    Place_Text(one_camera ? text : "Camera " + std::to_string(Settings->Name) + "\n" + text);
    Place_Buttons();
    SetCaption(caption);
    SetHeight(ButtonOK->Top() + ButtonOK->Height() + 2 * GetSystemMetrics(SM_CYDLGFRAME) +
              GetSystemMetrics(SM_CYCAPTION) + 15);
    Choose_Icon();
}

const TForm_Table& TForm_Message_Box::Table()
{
    static const TForm_Table table = TForm_Table()
                                         .Field("ImageIcon", &TForm_Message_Box::ImageIcon)
                                         .Field("LabelMessage", &TForm_Message_Box::LabelMessage)
                                         .Field("ButtonYes", &TForm_Message_Box::ButtonYes)
                                         .Field("ButtonOK", &TForm_Message_Box::ButtonOK)
                                         .Field("ButtonNo", &TForm_Message_Box::ButtonNo)
                                         .Handler("FormShow", &TForm_Message_Box::FormShow)
                                         .Handler("ButtonClick", &TForm_Message_Box::ButtonClick);
    return table;
}

void TForm_Message_Box::Take_Message_Font()
{
    NONCLIENTMETRICSA metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        LabelMessage->Font()->SetName(metrics.lfMessageFont.lfFaceName);
        LabelMessage->Font()->SetHeight(metrics.lfMessageFont.lfHeight);
    }
}

void TForm_Message_Box::Place_Text(const std::string& text)
{
    LabelMessage->SetCaption(text);
    if (LabelMessage->Width() <= Text_Width) {
        LabelMessage->SetAutoSize(false);
        LabelMessage->SetLeft(ImageIcon->Left() + ImageIcon->Width() + 5);
        LabelMessage->SetWidth(Text_Width);
        LabelMessage->SetAlignment(taCenter);
        return;
    }
    Wrap_Text(text);
}

// Breaks the text between characters, one line a pass: the longest start
// of the text that fits gives the place of the next break.
void TForm_Message_Box::Wrap_Text(std::string text)
{
    while (LabelMessage->Width() > Text_Width) {
        std::string fitting = text;
        while (!fitting.empty() && LabelMessage->Width() > Text_Width) {
            fitting.pop_back();
            LabelMessage->SetCaption(fitting);
        }
        // A character wider than the limit alone cannot be broken further.
        if (fitting.empty() || fitting.back() == '\n') {
            LabelMessage->SetCaption(text);
            return;
        }
        text.insert(fitting.size(), "\n");
        LabelMessage->SetCaption(text);
    }
}

// As on a standard message box, Return takes the first button, Escape
// closes an OK box, and a Yes or No box must be answered.
void TForm_Message_Box::Place_Buttons()
{
    const int top = LabelMessage->Top() + LabelMessage->Height() + 15;
    const bool yes_no = (Flags & MB_TYPEMASK) == MB_YESNO;
    for (TButton* button : {ButtonYes, ButtonOK, ButtonNo}) {
        button->SetTop(top);
    }
    ButtonYes->SetVisible(yes_no);
    ButtonNo->SetVisible(yes_no);
    ButtonOK->SetVisible(!yes_no);
    First_Button()->SetDefault(true);
    ButtonOK->SetCancel(true);
}

TButton* TForm_Message_Box::First_Button() const
{
    return (Flags & MB_TYPEMASK) == MB_YESNO ? ButtonYes : ButtonOK;
}

// The global image list's message-box strip: the error picture, or the
// other one. Without that strip (no artwork loaded) the box has no icon.
void TForm_Message_Box::Choose_Icon()
{
    ImageIcon->SetIndexedImageIndex((Flags & MB_ICONMASK) == MB_ICONERROR ? 1 : 0);
}

// The first button has the keyboard, so that Space and Return answer it.
void TForm_Message_Box::FormShow(TObject*)
{
    SetActiveControl(First_Button());
    if ((Flags & MB_ICONMASK) == MB_ICONINFORMATION) {
        MessageBeep(MB_ICONINFORMATION);
    }
}

void TForm_Message_Box::ButtonClick(TObject*)
{
    Close();
}

// Two boxes open at once would take the front from each other without end:
// the one coming forward is not answered by the one it pushes back. A
// closed box stays hidden until its owner frees it: it loses the front as
// it hides, and taking it back then would leave the program's active
// window an invisible one, from which every other window's activation is
// taken back at once.
void TForm_Message_Box::Keep_Foreground()
{
    static bool coming_forward = false;
    if (coming_forward || !IsWindowVisible(Handle())) {
        return;
    }
    coming_forward = true;
    SetForegroundWindow(Handle());
    coming_forward = false;
}

void TForm_Message_Box::Dispatch(TMessage& Message)
{
    if ((Message.Msg == WM_ACTIVATEAPP && Message.WParam == 1) || (Message.Msg == WM_NCACTIVATE && Message.WParam == 0)) {
        Keep_Foreground();
    }
    TForm::Dispatch(Message);
}

std::unique_ptr<Modeless_Message_Box> Show_Form_Message_Box(const std::string& text, const std::string& caption,
                                                            UINT flags, const St_System_Settings& settings,
                                                            const std::atomic<int>* camera_count)
{
    auto box = std::make_unique<TForm_Message_Box>(nullptr, text, caption, &settings, camera_count, flags);
    box->Show();
    return box;
}
