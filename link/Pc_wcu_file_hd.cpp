#include "link/Pc_wcu_file_hd.h"

#include "link/Thread_polling_wcu.h"
#include "platform/classlib/Dialogs.h"
#include "platform/classlib/String_Table.h"
#include "platform/classlib/SysUtils.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <ctime>

namespace {

constexpr int Product_Title = 1000;
constexpr int Error_Writing_File = 2021;
constexpr int Frames_Recorded_In = 4023;

// Decimal, zero-filled to `width` digits.
std::string Number_Field(int value, int width)
{
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", width, value);
    return text;
}

std::string Time_Field()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

} // namespace

PC_WCU_File_HD::PC_WCU_File_HD(Thread_Polling_WCU& thread, St_System& state, TMemo& memo, TSaveDialog& save_dialog,
                               const std::atomic<int>* camera_count)
    : Thread(thread), State(state), Camera_Count(camera_count), Save_Dialog(save_dialog),
      Log_Saver(thread, state, memo, save_dialog)
{
}

PC_WCU_File_HD::~PC_WCU_File_HD()
{
    Stop_Recording(true);
}

bool PC_WCU_File_HD::Start_Recording()
{
    Set_Save_Filter(Save_Dialog, "HD wireless file", "hdw");
    if (!Ask_File_Name(Thread, State.Camera_Index, Save_Dialog)) {
        return Is_Recording();
    }
    File_Name = Save_Dialog.FileName();
    Frame_Counter = 1;
    // A file that cannot be opened leaves an old one of that name untouched.
    File_Handle = FileCreate(File_Name);
    Last_Frame_Number = Thread.Get_Frame_Number();
    if (File_Handle == -1) {
        Report_File_Error(Thread, State, File_Name);
    }
    return Is_Recording();
}

void PC_WCU_File_HD::Stop_Recording(bool with_message)
{
    if (!Is_Recording()) {
        return;
    }
    const int frames = Frame_Counter - 1;
    const bool ended = frames == 0 || Write_Trailer(frames);
    Close_File();
    if (!ended) {
        Show_Box(LoadStr(Error_Writing_File) + File_Name, MB_ICONERROR);
    } else if (with_message) {
        Show_Box(std::to_string(frames) + LoadStr(Frames_Recorded_In) + File_Name, MB_ICONINFORMATION);
    }
}

bool PC_WCU_File_HD::Write_Frame(const BYTE* bytes, int length)
{
    if (Frame_Counter > Frame_Limit) {
        Stop_Recording(true);
        return false;
    }
    if (!Is_Recording()) {
        return false;
    }
    if (length <= 0) {
        return true;
    }
    if ((Frame_Counter == 1 && !Write_Header()) || !Write_Record(bytes, length)) {
        Fail_Recording();
        return false;
    }
    return true;
}

void PC_WCU_File_HD::Record_Frame()
{
    if (!Is_Recording()) {
        return;
    }
    bool connected = false;
    bool new_frame = false;
    {
        const auto locked = Thread.Lock_State();
        connected = State.Settings.Is_Connected();
        new_frame = connected && Take_New_Frame();
    }
    if (!connected) {
        Stop_Recording(true);
    } else if (new_frame) {
        Write_Frame(Frame.data(), static_cast<int>(Frame.size()));
    }
}

bool PC_WCU_File_HD::Take_New_Frame()
{
    const unsigned number = Thread.Get_Frame_Number();
    if (number == Last_Frame_Number) {
        return false;
    }
    Last_Frame_Number = number;
    const BYTE* bytes = Thread.Get_Frame();
    const int length = bytes != nullptr ? Thread.Get_Frame_Length() : 0;
    Frame.assign(bytes, bytes + std::max(length, 0));
    return true;
}

bool PC_WCU_File_HD::Write_Header()
{
    int type = 0;
    {
        const auto locked = Thread.Lock_State();
        type = State.Type.Wcu_Major * 1000 + State.Type.Wcu_Minor;
    }
    return Write_Text("HDW") && Write_Text(Number_Field(type, 6));
}

bool PC_WCU_File_HD::Write_Record(const BYTE* bytes, int length)
{
    const std::string number_and_time = Number_Field(Frame_Counter, 8) + Time_Field();
    if (!Write_Text("FRAME") || !Write_Text(number_and_time)) {
        return false;
    }
    ++Frame_Counter;
    return Write_Text("LENGTH") && Write_Text(Number_Field(length, 6)) &&
        Write_Bytes(bytes, static_cast<std::size_t>(length));
}

bool PC_WCU_File_HD::Write_Trailer(int frames)
{
    return Write_Text("END") && Write_Text(Number_Field(frames, 8));
}

bool PC_WCU_File_HD::Write_Text(const std::string& text)
{
    return Write_Bytes(text.data(), text.size());
}

// A short write is taken up where it stopped; one that writes nothing fails.
bool PC_WCU_File_HD::Write_Bytes(const void* bytes, std::size_t length)
{
    const char* next = static_cast<const char*>(bytes);
    while (length > 0) {
        const int count = static_cast<int>(std::min<std::size_t>(length, INT_MAX));
        const int written = FileWrite(File_Handle, next, count);
        if (written <= 0) {
            return false;
        }
        next += written;
        length -= static_cast<std::size_t>(written);
    }
    return true;
}

void PC_WCU_File_HD::Close_File()
{
    FileClose(File_Handle);
    File_Handle = -1;
    Frame_Counter = 1;
}

// A trailer after a broken record would make a reader take it for data:
// the file keeps only what was written.
void PC_WCU_File_HD::Fail_Recording()
{
    Close_File();
    Show_Box(LoadStr(Error_Writing_File) + File_Name, MB_ICONERROR);
}

void PC_WCU_File_HD::Show_Box(const std::string& text, UINT flags)
{
    Shell_Services& shell = Thread.Get_Shell();
    if (shell.Is_Busy(State.Camera_Index)) {
        return;
    }
    Message_Box.reset();
    // The box reads the camera number now: hand it a copy taken locked.
    const St_System_Settings settings = [this] {
        const auto locked = Thread.Lock_State();
        return State.Settings;
    }();
    Message_Box = shell.Show_Message_Box(text, LoadStr(Product_Title), flags, settings, Camera_Count);
}
