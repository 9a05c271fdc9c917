#pragma once
// The clipboard: the program's text on the system clipboard (Qt's), in the
// 8-bit UTF-8 strings the library uses.

#include <string>

#include "platform/winapi/WinTypes.h"

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_BITMAP = 2;

class TClipboard {
public:
    std::string AsText() const;
    void SetAsText(const std::string& Value);
    // CF_TEXT: text is there; CF_BITMAP: an image is there.
    bool HasFormat(UINT Format) const;
    void Clear();
};

// The one clipboard object; made on first use. UI thread only.
TClipboard* Clipboard();
