#include "platform/winapi/Printers.h"

#include <cups/cups.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/winapi/System_Info.h"

namespace {

constexpr DWORD ERROR_INVALID_LEVEL = 124;

struct Destination {
    std::string name;
    bool remote = false;
};

std::vector<Destination> Destinations()
{
    cups_dest_t* list = nullptr;
    const int count = cupsGetDests(&list);
    std::vector<Destination> destinations;
    for (int i = 0; i < count; ++i) {
        const cups_dest_t& dest = list[i];
        if (dest.instance != nullptr || dest.name == nullptr)
            continue; // an instance is the same printer with other options
        const char* uri = cupsGetOption("device-uri", dest.num_options, dest.options);
        destinations.push_back({dest.name, uri != nullptr && std::strncmp(uri, "ipp", 3) == 0});
    }
    cupsFreeDests(count, list);
    return destinations;
}

} // namespace

BOOL EnumPrintersA(DWORD, LPSTR Name, DWORD Level, LPBYTE Buffer, DWORD BufferSize, LPDWORD Needed,
                   LPDWORD Returned)
{
    if (Level != 4 || Name != nullptr || Needed == nullptr || Returned == nullptr) {
        SetLastError(Level != 4 ? ERROR_INVALID_LEVEL : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::vector<Destination> destinations = Destinations();
    std::size_t size = destinations.size() * sizeof(PRINTER_INFO_4A);
    for (const Destination& destination : destinations)
        size += destination.name.size() + 1;
    *Needed = static_cast<DWORD>(size);
    *Returned = 0;
    if (BufferSize < size || (Buffer == nullptr && size > 0)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    auto* records = reinterpret_cast<PRINTER_INFO_4A*>(Buffer);
    char* texts = reinterpret_cast<char*>(Buffer + destinations.size() * sizeof(PRINTER_INFO_4A));
    for (const Destination& destination : destinations) {
        std::memcpy(texts, destination.name.c_str(), destination.name.size() + 1);
        records[*Returned] = {texts, nullptr,
                              destination.remote ? PRINTER_ATTRIBUTE_NETWORK : PRINTER_ATTRIBUTE_LOCAL};
        texts += destination.name.size() + 1;
        ++*Returned;
    }
    return TRUE;
}
