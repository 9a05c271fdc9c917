#include "link/Pc_wcu_file_sd.h"

#include "link/Link_errors.h"
#include "link/Thread_polling_wcu.h"
#include "platform/classlib/Dialogs.h"
#include "platform/classlib/StdCtrls_Memo.h"
#include "platform/classlib/String_Table.h"

namespace {

constexpr int Product_Title = 1000;
constexpr int Error_Creating_File = 2015;

} // namespace

void Set_Save_Filter(TSaveDialog& save_dialog, const std::string& description, const std::string& extension)
{
    save_dialog.SetFilter(description + " (*." + extension + ")|*." + extension);
    save_dialog.SetDefaultExt(extension);
}

bool Ask_File_Name(Thread_Polling_WCU& thread, int camera_index, TSaveDialog& save_dialog)
{
    // The chosen file is replaced: the user confirms that first.
    TOpenOptions options = save_dialog.Options();
    options.Include(ofOverwritePrompt);
    save_dialog.SetOptions(options);
    Shell_Services& shell = thread.Get_Shell();
    if (shell.Is_Busy(camera_index) || !save_dialog.Execute()) {
        shell.Post_Pending_Change(camera_index);
        return false;
    }
    return !shell.Post_Pending_Change(camera_index);
}

void Report_File_Error(Thread_Polling_WCU& thread, const St_System& state, const std::string& file_name)
{
    Shell_Services& shell = thread.Get_Shell();
    if (shell.Is_Busy(state.Camera_Index)) {
        return;
    }
    int name = 0;
    {
        const auto locked = thread.Lock_State(); // `state` may be the thread's own
        name = state.Settings.Name;
    }
    shell.Message_Box(Report_Prefix(thread.Get_Camera_Count(), name) + LoadStr(Error_Creating_File) + file_name,
                      LoadStr(Product_Title), MB_ICONERROR | MB_OK);
    shell.Post_Pending_Change(state.Camera_Index);
}

PC_WCU_File_SD::PC_WCU_File_SD(Thread_Polling_WCU& thread, St_System& state, TMemo& memo, TSaveDialog& save_dialog)
    : Thread(thread), State(state), Memo(memo), Save_Dialog(save_dialog)
{
}

void PC_WCU_File_SD::Save_Memo()
{
    if (Memo.Text().empty()) {
        return;
    }
    Set_Save_Filter(Save_Dialog, "Text file", "txt");
    if (!Ask_File_Name(Thread, State.Camera_Index, Save_Dialog)) {
        return;
    }
    // Written beside the old file, which it replaces only once complete.
    try {
        Memo.Lines()->SaveToFile(Save_Dialog.FileName());
    } catch (const Exception&) {
        Report_File_Error(Thread, State, Save_Dialog.FileName());
    }
}
