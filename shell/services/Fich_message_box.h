#pragma once
// The program's own message box: shown without a modal loop, so that the
// caller goes on at once and the screens keep refreshing while it is open.
// Icon, text, OK (or Yes and No) as a standard box; the text in the
// system's message font, preceded by the camera number when several
// cameras are configured, and broken into lines of at most 284 pixels. It
// brings itself to the front when another window takes it. The caller
// shows it, owns it and deletes it, also after the user closed it.

#include "components/controls/SCLLImage.h"
#include "link/Shell_Services.h"
#include "link/St_system.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/StdCtrls.h"

#include <atomic>
#include <memory>
#include <string>

class TForm_Message_Box : public TForm, public Modeless_Message_Box {
public:
    // The settings are read for the camera number here only.
    TForm_Message_Box(TComponent* owner, const std::string& text, const std::string& caption,
                      const St_System_Settings* settings, const std::atomic<int>* camera_count, UINT flags);

    void Dispatch(TMessage& Message) override;

    TSCLLImage* ImageIcon = nullptr;
    TLabel* LabelMessage = nullptr;
    TButton* ButtonYes = nullptr;
    TButton* ButtonOK = nullptr;
    TButton* ButtonNo = nullptr;

private:
    static constexpr int Text_Width = 284;

    static const TForm_Table& Table();
    void FormShow(TObject* Sender);
    void ButtonClick(TObject* Sender);
    void Keep_Foreground();

    void Take_Message_Font();
    void Place_Text(const std::string& text);
    void Wrap_Text(std::string text);
    void Place_Buttons();
    // Yes in a Yes and No box, else OK.
    TButton* First_Button() const;
    void Choose_Icon();

    const St_System_Settings* Settings;
    UINT Flags;
    const std::atomic<int>* Camera_Count_Ref;
};

// What the shell's services answer for a modeless box: a TForm_Message_Box,
// owned by the caller, shown.
std::unique_ptr<Modeless_Message_Box> Show_Form_Message_Box(const std::string& text, const std::string& caption,
                                                            UINT flags, const St_System_Settings& settings,
                                                            const std::atomic<int>* camera_count);
