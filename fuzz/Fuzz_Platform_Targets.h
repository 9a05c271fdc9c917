#pragma once
// The bodies of the fuzz targets for the platform layer's readers of stored
// data: the settings file, wave sounds and form resources (their text
// parser, and the reader that builds components from it). Errors the
// readers report (Exception) are the expected answer to damaged data; a
// crash, an out-of-bounds access, any other exception or a saved file that
// no longer reads cleanly is a finding.

#include "fuzz/Fuzz_Settings_Folder.h"
#include "platform/classlib/Form_Parser.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/winapi/Registry.h"
#include "platform/winapi/Registry_Store.h"
#include "platform/winapi/Settings_Folder.h"
#include "platform/winapi/Sound.h"

#include <QCoreApplication>
#include <QEvent>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

namespace fuzz {

inline std::string Text_Of(const std::uint8_t* Data, std::size_t Size)
{
    return std::string(reinterpret_cast<const char*>(Data), Size);
}

inline void Reset_Settings_Folder()
{
    std::error_code ignored;
    std::filesystem::remove_all(Private_Config_Home(), ignored);
    // Made as the program makes it, so that it is used whatever the umask.
    std::filesystem::path folder;
    Ensure_Settings_Folder(folder);
}

} // namespace fuzz

// Data as the settings file: loaded, read, changed and saved; what was
// saved must then load without a repair.
inline int Fuzz_Settings(const std::uint8_t* Data, std::size_t Size)
{
    fuzz::Reset_Settings_Folder();
    std::ofstream(Registry_Store::File_Path(), std::ios::binary).write(reinterpret_cast<const char*>(Data),
                                                                       static_cast<std::streamsize>(Size));
    const std::string key = "Software\\Quorvale\\Ravivida Ordexia";
    bool saved = false;
    {
        Registry_Store store;
        store.Has_Key(key);
        store.Find_Value(key, "Camera_Count");
        store.Set_Value(key, "Camera_Count", Registry_Value{REG_DWORD, {2, 0, 0, 0}});
        saved = store.Save();
    }
    Take_Registry_Repair();
    if (saved) {
        const Registry_Store again;
        if (Take_Registry_Repair() || !again.Find_Value(key, "Camera_Count"))
            std::abort();
    }
    return 0;
}

// Data as a wave file image in memory.
inline int Fuzz_Wave(const std::uint8_t* Data, std::size_t Size)
{
    Is_Playable_Wave(Data, Size);
    return 0;
}

// Data as a form's text.
inline int Fuzz_Form_Parser(const std::uint8_t* Data, std::size_t Size)
{
    try {
        Parse_Form_Text(fuzz::Text_Of(Data, Size), "fuzz");
    } catch (const Exception&) {
        // a fault in the text, reported with its line
    }
    return 0;
}

// Data as a form's text, read into the components it names; what they
// leave for the event loop to delete is deleted before the next input.
inline int Fuzz_Form_Reader(const std::uint8_t* Data, std::size_t Size)
{
    try {
        std::unique_ptr<TComponent> read(CreateComponentFromText(fuzz::Text_Of(Data, Size), "fuzz", nullptr));
    } catch (const Exception&) {
        // a fault in the text or a value a property cannot take
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
