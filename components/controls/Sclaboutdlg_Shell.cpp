#include "components/controls/Sclaboutdlg_Shell.h"

#include <algorithm>
#include <memory>

#include "components/controls/Sclaboutdlg_Picture.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/StdCtrls.h"

namespace {

constexpr int Margin = 12;
constexpr int Text_Left = 60;
constexpr int Text_Width = 300;

// Title and first line of the box from the name.
std::pair<std::string, std::string> Split_Name(const std::string& Name)
{
    const std::size_t separator = Name.find('#');
    if (separator == std::string::npos)
        return {"About " + Name, "About " + Name};
    return {Name.substr(0, separator), Name.substr(separator + 1)};
}

// A carriage return starts a line; a CR LF pair counts once.
std::string Lines_Of(std::string Text)
{
    std::string lines;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '\r') {
            lines += '\n';
            if (i + 1 < Text.size() && Text[i + 1] == '\n')
                ++i;
        } else {
            lines += Text[i];
        }
    }
    return lines;
}

TLabel* Make_Label(TForm* Form, const char* Name, const std::string& Text, int Top)
{
    auto* label = new TLabel(Form);
    label->SetName(Name);
    label->SetParent(Form);
    label->SetShowAccelChar(false);
    label->SetWordWrap(true);
    label->SetAutoSize(true);
    label->SetBounds(Text_Left, Top, Text_Width, 13);
    label->SetCaption(Text);
    return label;
}

// Centred over Owner's window, else in the screen.
void Place_Over(TForm* Form, HWND Owner)
{
    RECT owner{};
    if (!Owner || !GetWindowRect(Owner, &owner)) {
        Form->SetPosition(poScreenCenter);
        return;
    }
    Form->SetPosition(poDesigned);
    Form->SetLeft(owner.left + (owner.right - owner.left - Form->Width()) / 2);
    Form->SetTop(owner.top + (owner.bottom - owner.top - Form->Height()) / 2);
}

} // namespace

bool About_Shell_Box(HWND Owner, const std::string& Name, const std::string& Copyright, TIcon* Icon)
{
    const auto [title, first_line] = Split_Name(Name);
    auto form = std::make_unique<TForm>(Application);
    form->SetName("ShellAboutBox");
    form->SetBorderStyle(bsDialog);
    form->SetCaption(title);
    form->SetClientWidth(Text_Left + Text_Width + Margin);

    TGraphicControl* image = About_Make_Image(form.get(), "Image");
    image->SetBounds(Margin, Margin, 32, 32);
    if (Icon && !Icon->Empty())
        About_Show_Picture(image, Icon, false);
    TLabel* heading = Make_Label(form.get(), "NameLabel", first_line, Margin);
    heading->Font()->SetStyle(TFontStyles{fsBold});
    TLabel* copyright = Make_Label(form.get(), "CopyrightLabel", Lines_Of(Copyright), heading->Top() + heading->Height() + 8);

    auto* ok_button = new TButton(form.get());
    ok_button->SetName("OKButton");
    ok_button->SetParent(form.get());
    ok_button->SetCaption("OK");
    ok_button->SetModalResult(mrOk);
    ok_button->SetDefault(true);
    ok_button->SetCancel(true);
    const int bottom = std::max(image->Top() + image->Height(), copyright->Top() + copyright->Height());
    ok_button->SetBounds(form->ClientWidth() - 75 - Margin, bottom + Margin, 75, 25);
    form->SetClientHeight(ok_button->Top() + ok_button->Height() + Margin);
    Place_Over(form.get(), Owner);
    form->ShowModal();
    return true;
}
