#include "components/controls/Sclaboutdlg.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>

#include <algorithm>

#include "components/controls/SCLBack.h"
#include "components/controls/SCLSimpleLabel.h"
#include "components/controls/Sclaboutdlg_Picture.h"
#include "components/controls/Sclaboutdlg_Shell.h"
#include "components/controls/Sclformstyler.h"
#include "components/foundations/Sclclass.h"
#include "components/foundations/Sclsysin.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Classes_Streams.h"
#include "platform/classlib/StdCtrls.h"

namespace {

template <class T>
auto Field_Getter(T TSCLAboutDlg::*Field)
{
    return [Field](TSCLAboutDlg& dialog) { return dialog.*Field; };
}

template <class T>
auto Field_Setter(T TSCLAboutDlg::*Field)
{
    return [Field](TSCLAboutDlg& dialog, const T& value) { dialog.*Field = value; };
}

void Register_Icon()
{
    if (Find_Class_Info(typeid(TIcon)))
        return;
    RegisterClass<TIcon>("TIcon").DefineProperties([](TIcon& icon, TFiler& filer) {
        filer.DefineBinaryProperty(
            "Data", [&icon](TStream& stream) { icon.LoadFromStream(stream); },
            [&icon](TStream& stream) { icon.SaveToStream(stream); }, !icon.Empty());
    });
}

const bool About_Dialog_Registered = [] {
    Register_Icon();
    RegisterComponentClass<TSCLAboutDlg, TSCLBaseDialog>("TSCLAboutDlg")
        .Property("Appname", String_Type(), Field_Getter(&TSCLAboutDlg::Appname),
                  Field_Setter(&TSCLAboutDlg::Appname), "")
        .Property("Copyright", String_Type(), Field_Getter(&TSCLAboutDlg::Copyright),
                  Field_Setter(&TSCLAboutDlg::Copyright), "")
        .Property("Jump", String_Type(), Field_Getter(&TSCLAboutDlg::Jump), Field_Setter(&TSCLAboutDlg::Jump), "")
        .Property("EMail", String_Type(), Field_Getter(&TSCLAboutDlg::EMail), Field_Setter(&TSCLAboutDlg::EMail), "")
        .Property("Description", String_Type(), Field_Getter(&TSCLAboutDlg::Description),
                  Field_Setter(&TSCLAboutDlg::Description), "")
        .Property("UseDefault", Boolean_Type(), Field_Getter(&TSCLAboutDlg::UseDefault),
                  Field_Setter(&TSCLAboutDlg::UseDefault), false)
        .Object("Icon", &TSCLAboutDlg::Icon)
        .Property("IconStyle", Enum_Type<TSCLAboutIconStyle>(TSCLEnumInfo<TSCLAboutIconStyle>::Names),
                  Field_Getter(&TSCLAboutDlg::IconStyle), Field_Setter(&TSCLAboutDlg::IconStyle), isExtended)
        .Property("AppNameSize", Integer_Type(1, 500), Field_Getter(&TSCLAboutDlg::AppNameSize),
                  Field_Setter(&TSCLAboutDlg::AppNameSize), 22)
        .Property("Style", Enum_Type<TSCLAboutStyle>(TSCLEnumInfo<TSCLAboutStyle>::Names),
                  Field_Getter(&TSCLAboutDlg::Style), Field_Setter(&TSCLAboutDlg::Style), bsSCL)
        .Property("Version", String_Type(), Field_Getter(&TSCLAboutDlg::Version),
                  Field_Setter(&TSCLAboutDlg::Version), "")
        .Property("UseResInfo", Boolean_Type(), Field_Getter(&TSCLAboutDlg::UseResInfo),
                  Field_Setter(&TSCLAboutDlg::UseResInfo), false);
    return true;
}();

// The library's own texts.
constexpr const char* Info_Caption = "Info ";
constexpr const char* Copyright_By = "Copyright \xC2\xA9 by ";
constexpr const char* Available_Memory = "Available Memory:";
constexpr const char* Platform_Cpu = "Platform, CPU:";
constexpr const char* System_Resources = "System Resources:";
constexpr const char* Or_Compatible = "or compatible";
constexpr const char* Free_Text = "free";

constexpr int Designed_Pixels_Per_Inch = 96;
constexpr TColor Link_Color = static_cast<TColor>(0xFF0000);
constexpr TColor Frame_Shadow = static_cast<TColor>(0x808080);

// The standard program icon: a window with a blue title bar.
QImage Standard_Program_Icon()
{
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.fillRect(QRect(2, 4, 28, 24), QColor(255, 255, 255));
    painter.fillRect(QRect(2, 4, 28, 6), QColor(0, 0, 128));
    painter.fillRect(QRect(24, 5, 4, 4), QColor(192, 192, 192));
    painter.setPen(QColor(0, 0, 0));
    painter.drawRect(QRect(2, 4, 27, 23));
    return image;
}

} // namespace

// The about form and its controls, and the layout's cursor.
class TSCLAboutDlg::Builder {
public:
    explicit Builder(const TSCLAboutDlg& Dialog) : dialog(Dialog), form(std::make_unique<TForm>(Application))
    {
        form->SetBorderStyle(bsDialog);
        form->Font()->SetName("MS Sans Serif");
        form->Font()->SetHeight(-11);
        form->Font()->SetColor(clWindowText);
        form->SetPosition(poDefault);
        Create_Controls();
    }

    TForm* Form() const { return form.get(); }
    TButton* Extra_Button() const { return extra_button; }
    TSCLFormStyler* Styler() const { return styler; }
    TSCLBack* Back() const { return back; }

    void Lay_Out(const std::string& Name, const std::string& Copyright)
    {
        form->SetWidth(440 * Designed_Pixels_Per_Inch / 96);
        Place_Heading(Name);
        Place_Texts(Copyright);
        Place_Links();
        separator->SetBounds(x, y, w, 2);
        y += 9;
        Place_Information();
        Place_Buttons();
        Give_Hints();
        form->SetClientHeight(ok_button->Top() + ok_button->Height() + 6);
    }

private:
    template <class Control>
    Control* Make(const char* Name)
    {
        auto* control = new Control(form.get());
        control->SetName(Name);
        if constexpr (std::is_base_of_v<TControl, Control>)
            control->SetParent(form.get());
        return control;
    }

    TSCLSimpleLabel* Make_Label(const char* Name)
    {
        auto* label = Make<TSCLSimpleLabel>(Name);
        label->SetAutoSize(false);
        label->SetMultiLine(true);
        label->SetShowAccelChar(false);
        return label;
    }

    TSCLSimpleLabel* Make_Link(const char* Name)
    {
        TSCLSimpleLabel* label = Make_Label(Name);
        label->Font()->SetColor(Link_Color);
        label->Font()->SetStyle(TFontStyles{fsUnderline});
        label->SetJumpMode(jmInternet);
        return label;
    }

    void Create_Controls()
    {
        image = About_Make_Image(form.get(), "Image");
        image->SetBounds(15, 7, 105, 105);
        ok_button = Make<TButton>("OKButton");
        ok_button->SetCaption("OK");
        ok_button->SetModalResult(mrOk);
        ok_button->SetDefault(true);
        ok_button->SetCancel(true);
        ok_button->SetTabOrder(0);
        // The class library takes an active control only on a shown form.
        form->OnShow = [this](TObject*) { form->SetActiveControl(ok_button); };
        extra_button = Make<TButton>("CustomButton");
        extra_button->SetTabOrder(1);
        extra_button->SetVisible(false);
        separator = About_Make_Separator(form.get(), "Separator");
        separator->SetBounds(96, 181, 153, 3);
        name_label = Make_Label("NameLabel");
        name_label->SetLeft(93);
        name_label->SetTop(18);
        name_label->Font()->SetName("Arial");
        name_label->Font()->SetStyle(TFontStyles{fsBold});
        name_label->Font()->SetSize(dialog.AppNameSize);
        name_label->Font3D()->SetStyle(tdSunken);
        version_label = Make_Label("VersionLabel");
        version_label->Font()->SetStyle(TFontStyles{fsBold});
        description_label = Make_Label("DescriptionLabel");
        copyright_label = Make_Label("CopyrightLabel");
        info_labels[0] = Make_Label("InfoLabel1");
        info_labels[1] = Make_Label("InfoLabel2");
        jump_label = Make_Link("JumpLabel");
        mail_label = Make_Link("EMailLabel");
        styler = Make<TSCLFormStyler>("Styler");
        styler->SetEnabled(false);
        styler->SetOptions(TSCLFormStyleOptions{fsAdjustRect, fsUseDefaultFont, fsUseFormCaption});
        back = Make<TSCLBack>("Back");
        back->SetEnabled(false);
    }

    // Places Label with Text at the cursor; a gap moves the cursor below it.
    void Place(TSCLSimpleLabel* Label, const std::string& Text, int Gap)
    {
        if (Text.empty())
            return;
        Label->SetCaption(Text);
        const int client_width = form->ClientWidth();
        const int width = x + w > client_width ? client_width - x - 6 : w;
        RECT measured{0, 0, width, 0};
        SCLDrawTextCalc(Text, Label->Font3D(), measured, Label->Font(), true, false, 0, 0);
        Label->SetBounds(x, y, width, measured.bottom - measured.top);
        if (Gap != 0)
            y += Label->Height() + Gap;
    }

    void Place_Heading(const std::string& Name)
    {
        switch (dialog.IconStyle) {
        case isNone:
            form->SetWidth(340);
            image->SetVisible(false);
            x = 10;
            y = 10;
            w = form->ClientWidth() - 20;
            Place(name_label, Name, 10);
            y = std::max(y, 60);
            break;
        case isStandard:
            image->SetLeft(13);
            About_Show_Picture(image, Shown_Icon(), false);
            form->SetWidth(form->Width() - 30);
            x = 60;
            y = 12;
            w = form->ClientWidth() - 70;
            Place(name_label, Name, 10);
            y = std::max(y, 66);
            break;
        case isExtended:
            Show_Framed_Icon();
            x = image->Left() + image->Width() + 8;
            y = 24;
            w = form->ClientWidth() - x - 6;
            Place(name_label, Name, 10);
            y = std::max(y, image->Top() + image->Height());
            break;
        }
    }

    TIcon* Shown_Icon()
    {
        if (!dialog.Icon()->Empty())
            return dialog.Icon();
        ApplicationIcon(&application_icon);
        return &application_icon;
    }

    // The icon doubled on a button-face card with a grey shadow and a black frame.
    void Show_Framed_Icon()
    {
        TIcon* shown = Shown_Icon();
        TBitmap icon_bitmap;
        SCLIcon2Bitmap(&icon_bitmap, shown, clBtnFace);
        TBitmap card;
        const int width = shown->Width() * 2 + 8;
        const int height = shown->Height() * 2 + 8;
        card.SetSize(width, height);
        TCanvas* canvas = card.Canvas();
        canvas->Brush()->SetColor(clBtnFace);
        canvas->FillRect(RECT{0, 0, width, height});
        canvas->Brush()->SetColor(Frame_Shadow);
        canvas->FillRect(RECT{6, height - 6, width, height});
        canvas->FillRect(RECT{width - 6, 6, width, height});
        canvas->StretchDraw(RECT{1, 1, width - 6, height - 6}, &icon_bitmap);
        canvas->Brush()->SetColor(clBlack);
        canvas->FrameRect(RECT{0, 0, width - 5, height - 5});
        About_Show_Picture(image, &card, true);
    }

    void Place_Texts(const std::string& Copyright)
    {
        std::string version = dialog.Version;
        if (version.empty() && dialog.UseResInfo)
            version = "Version " + SCLSIVersionInfo(viVersion);
        else if (version.empty() && dialog.UseDefault)
            version = "Version " + SCLApplication->Version;
        Place(version_label, version, 4);
        if (!dialog.Description.empty())
            Place(description_label, dialog.Description, 24);
        else if (dialog.UseResInfo)
            Place(description_label, SCLSIVersionInfo(viDescription), 24);
        else
            y += 24;
        Place(copyright_label, Copyright, 1);
    }

    void Place_Links()
    {
        const int link_gap = dialog.EMail.empty() ? 6 : 3;
        Place_Link(jump_label, dialog.Jump, link_gap);
        Place_Link(mail_label, dialog.EMail, 6);
    }

    void Place_Link(TSCLSimpleLabel* Label, const std::string& Text, int Gap)
    {
        if (Text.empty()) {
            Label->SetVisible(false);
            y += Gap;
            return;
        }
        Place(Label, Text, Gap);
    }

    void Place_Information()
    {
        w = static_cast<int>(Round(150.0 * Designed_Pixels_Per_Inch / 96));
        std::string titles;
        std::string values;
        const auto memory_kb = static_cast<int>(Round(static_cast<double>(SCLSIMemTotal()) / 1024));
        if (SCLSIWindowsNT) {
            titles = Format("%s\r%s", Available_Memory, Platform_Cpu);
            values = Format("%d KB\r%dx %s", memory_kb, SCLSIProcessorCount(),
                            SCLSIProcessorTypeStr() + " " + Or_Compatible);
        } else {
            titles = Format("%s\r%s", Available_Memory, System_Resources);
            values = Format("%d KB\r%d%% %s", memory_kb, SCLSIFreeSysRes(), Free_Text);
        }
        Place(info_labels[0], titles, 0);
        x += info_labels[0]->Width();
        Place(info_labels[1], values, 0);
        y += std::max(info_labels[0]->Height(), info_labels[1]->Height()) + 24;
    }

    void Place_Buttons()
    {
        ok_button->SetLeft(form->ClientWidth() - ok_button->Width() - 6);
        ok_button->SetTop(y);
        extra_button->SetLeft(ok_button->Left() - extra_button->Width() - 6);
        extra_button->SetTop(y);
    }

    void Give_Hints()
    {
        TStrings* hints = dialog.Hints();
        if (!dialog.ShowHints || hints->Count() == 0)
            return;
        form->SetShowHint(true);
        ok_button->SetHint((*hints)[0]);
        if (hints->Count() > 1)
            extra_button->SetHint((*hints)[1]);
        if (hints->Count() > 2)
            image->SetHint((*hints)[2]);
    }

    const TSCLAboutDlg& dialog;
    std::unique_ptr<TForm> form;
    TIcon application_icon;
    TGraphicControl* image = nullptr;
    TButton* ok_button = nullptr;
    TButton* extra_button = nullptr;
    TGraphicControl* separator = nullptr;
    TSCLSimpleLabel* name_label = nullptr;
    TSCLSimpleLabel* version_label = nullptr;
    TSCLSimpleLabel* description_label = nullptr;
    TSCLSimpleLabel* copyright_label = nullptr;
    std::array<TSCLSimpleLabel*, 2> info_labels{};
    TSCLSimpleLabel* jump_label = nullptr;
    TSCLSimpleLabel* mail_label = nullptr;
    TSCLFormStyler* styler = nullptr;
    TSCLBack* back = nullptr;
    int x = 0;
    int y = 0;
    int w = 0;
};

TSCLAboutDlg::TSCLAboutDlg(TComponent* AOwner) : TSCLBaseDialog(AOwner), icon(std::make_unique<TIcon>()) {}

TSCLAboutDlg::~TSCLAboutDlg() = default;

bool TSCLAboutDlg::Execute() { return ExecuteEnh(nullptr); }

void TSCLAboutDlg::ApplicationIcon(TIcon* Icon)
{
    const QIcon window_icon = QGuiApplication::windowIcon();
    const QImage image = window_icon.isNull() ? Standard_Program_Icon() : window_icon.pixmap(32, 32).toImage();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "ICO");
    TMemoryStream stream;
    stream.WriteBuffer(bytes.constData(), static_cast<int>(bytes.size()));
    stream.SetPosition(0);
    Icon->LoadFromStream(stream);
}

bool TSCLAboutDlg::ShellAbout(HWND Owner, const std::string& Name, const std::string& Copyright_Lines, TIcon* Icon)
{
    return About_Shell_Box(Owner, Name, Copyright_Lines, Icon);
}

std::string TSCLAboutDlg::Name_Text() const
{
    if (!Appname.empty())
        return Appname;
    return UseResInfo ? SCLSIVersionInfo(viName) : Application->Title();
}

std::string TSCLAboutDlg::Copyright_Text() const
{
    std::string text = Copyright;
    if (text.empty() && UseResInfo)
        text = "\r" + SCLSIVersionInfo(viCopyright);
    if (text.empty() && UseDefault)
        text = std::string("\r") + Copyright_By + SCLApplication->CompanyName;
    return text;
}

bool TSCLAboutDlg::Execute_Standard(TCustomForm* OwnerForm, std::string Name, std::string Copyright_Lines)
{
    if (!CaptionTitle.empty())
        Name += "#" + CaptionTitle;
    Name.resize(std::min<std::size_t>(Name.size(), 255));
    Copyright_Lines.resize(std::min<std::size_t>(Copyright_Lines.size(), 255));
    TIcon shown;
    if (icon->Empty())
        ApplicationIcon(&shown);
    return ShellAbout(OwnerForm ? OwnerForm->Handle() : nullptr, Name, Copyright_Lines,
                      icon->Empty() ? &shown : icon.get());
}

bool TSCLAboutDlg::ExecuteEnh(TCustomForm* OwnerForm)
{
    const std::string name = Name_Text();
    const std::string copyright = Copyright_Text();
    if (Style == bsStandard)
        return Execute_Standard(OwnerForm, name, copyright);
    // The form and its pictures go with the builder, also when an exception passes.
    Builder builder(*this);
    builder.Lay_Out(name, copyright);
    BaseExecute(builder.Form(), OwnerForm, builder.Extra_Button(), builder.Styler(), builder.Back(),
                Info_Caption + Application->Title() + "...");
    return true;
}
