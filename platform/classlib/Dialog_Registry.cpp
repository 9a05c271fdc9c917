#include "platform/classlib/Dialog_Registry.h"

#include <QCoreApplication>

#include <algorithm>
#include <atomic>
#include <mutex>

#include "platform/winapi/Kernel.h"

namespace {

std::mutex registry_lock;
std::vector<Modal_Dialog> open_dialogs;
int last_id = 0;
std::atomic<bool> all_ended{false};
thread_local DWORD owner_override = 0;

} // namespace

int Register_Modal_Dialog(Modal_Dialog dialog)
{
    std::lock_guard guard(registry_lock);
    dialog.Id = ++last_id;
    open_dialogs.push_back(std::move(dialog));
    return last_id;
}

void Unregister_Modal_Dialog(int id)
{
    std::lock_guard guard(registry_lock);
    std::erase_if(open_dialogs, [id](const Modal_Dialog& dialog) { return dialog.Id == id; });
}

std::vector<Modal_Dialog> Find_Modal_Dialogs(DWORD owner_thread)
{
    std::lock_guard guard(registry_lock);
    std::vector<Modal_Dialog> found;
    std::copy_if(open_dialogs.begin(), open_dialogs.end(), std::back_inserter(found),
                 [owner_thread](const Modal_Dialog& dialog) { return dialog.Owner_Thread == owner_thread; });
    return found;
}

int Close_Modal_Dialogs(DWORD owner_thread)
{
    // Closed outside the lock: a dialog that ends at once unregisters itself.
    const std::vector<Modal_Dialog> found = Find_Modal_Dialogs(owner_thread);
    for (const Modal_Dialog& dialog : found)
        if (dialog.Close)
            dialog.Close();
    return static_cast<int>(found.size());
}

void End_All_Modal_Dialogs()
{
    all_ended = true;
    std::vector<Modal_Dialog> found;
    {
        std::lock_guard guard(registry_lock);
        found = open_dialogs;
    }
    for (const Modal_Dialog& dialog : found)
        if (dialog.Close)
            dialog.Close();
    // Wakes whichever loop runs, so that it sees the flag.
    if (QCoreApplication* application = QCoreApplication::instance())
        QMetaObject::invokeMethod(application, [] {}, Qt::QueuedConnection);
}

bool Modal_Dialogs_Ended() { return all_ended; }

bool Any_Modal_Dialog_Open()
{
    std::lock_guard guard(registry_lock);
    return !open_dialogs.empty();
}

void Allow_Modal_Dialogs() { all_ended = false; }

DWORD Dialog_Owner_Thread() { return owner_override ? owner_override : GetCurrentThreadId(); }

Dialog_Owner_Scope::Dialog_Owner_Scope(DWORD owner_thread) : previous(owner_override)
{
    owner_override = owner_thread;
}

Dialog_Owner_Scope::~Dialog_Owner_Scope() { owner_override = previous; }
