#include "platform/runtime/Ordexia_Library.h"

#include "platform/runtime/Waitable_Timer.h"
#include "platform/winapi/Kernel.h"

#include <atomic>
#include <dlfcn.h>
#include <mutex>

namespace fs = std::filesystem;

namespace {

struct Entry_Points {
    decltype(&Ordexia_Timer_Create) Create;
    decltype(&Ordexia_Timer_Destroy) Destroy;
    decltype(&Ordexia_Timer_Get_Handle) Get_Handle;
    decltype(&Ordexia_Timer_Init) Init;
    decltype(&Ordexia_Timer_Stop) Stop;
};

// The library registers its timers in this process's handle table.
const Ordexia_Kernel_Calls Kernel_Calls {&Register_Handle, &CloseHandle, &SetLastError};

std::mutex Load_Mutex;
Entry_Points Bound_Entry_Points {};
std::atomic<const Entry_Points*> Entries {nullptr};

const Entry_Points* Bound()
{
    return Entries.load(std::memory_order_acquire);
}

template <typename Function>
bool Resolve(void* library, const char* name, Function& function, std::string& reason)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    if (function == nullptr) {
        reason = std::string("The library has no entry point ") + name;
    }
    return function != nullptr;
}

bool Bind(void* library, std::string& reason)
{
    decltype(&Ordexia_Attach_Kernel) attach = nullptr;
    Entry_Points entries {};
    if (!Resolve(library, "Ordexia_Attach_Kernel", attach, reason)
        || !Resolve(library, "Ordexia_Timer_Create", entries.Create, reason)
        || !Resolve(library, "Ordexia_Timer_Destroy", entries.Destroy, reason)
        || !Resolve(library, "Ordexia_Timer_Get_Handle", entries.Get_Handle, reason)
        || !Resolve(library, "Ordexia_Timer_Init", entries.Init, reason)
        || !Resolve(library, "Ordexia_Timer_Stop", entries.Stop, reason)) {
        return false;
    }
    if (!attach(&Kernel_Calls)) {
        reason = "The library refused the kernel calls";
        return false;
    }
    Bound_Entry_Points = entries;
    Entries.store(&Bound_Entry_Points, std::memory_order_release);
    return true;
}

} // namespace

bool Load_Ordexia_Library(std::string& reason)
{
    std::error_code error;
    fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error) {
        reason = "Cannot find the program's folder: " + error.message();
        return false;
    }
    return Load_Ordexia_Library(program.parent_path(), reason);
}

bool Load_Ordexia_Library(const fs::path& folder, std::string& reason)
{
    const fs::path file = folder / Ordexia_Library_Name;
    std::lock_guard lock(Load_Mutex);
    void* library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* why = dlerror();
        reason = "Cannot load " + file.string() + (why ? std::string(": ") + why : std::string());
        return false;
    }
    if (Bound() != nullptr) {
        dlclose(library); // the library in use stays; this load only proved the file
        return true;
    }
    if (!Bind(library, reason)) {
        reason = file.string() + ": " + reason;
        dlclose(library);
        return false;
    }
    return true;
}

TWaitable_Timer::TWaitable_Timer()
    : timer(Bound() != nullptr ? Bound()->Create() : nullptr)
{
}

TWaitable_Timer::~TWaitable_Timer()
{
    if (timer != nullptr) {
        Bound()->Destroy(timer);
    }
}

HANDLE TWaitable_Timer::Get_Handle() const
{
    return timer != nullptr ? Bound()->Get_Handle(timer) : nullptr;
}

bool TWaitable_Timer::Init_Timer(const LARGE_INTEGER* due_time, LONG period)
{
    if (timer == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    return Bound()->Init(timer, due_time, period) != FALSE;
}

bool TWaitable_Timer::Stop_Timer()
{
    if (timer == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    return Bound()->Stop(timer) != FALSE;
}
