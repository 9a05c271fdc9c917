// The clipboard, and the context menu that offers it with undo, delete and
// select all.

#include "components/controls/SCLBaseEdit.h"

#include "platform/classlib/Clipbrd.h"

void TSCLBaseEdit::CopyToClipboard()
{
    if (AllowCopyPaste() && sel_length > 0)
        Clipboard()->SetAsText(GetSelText());
}

void TSCLBaseEdit::CutToClipboard()
{
    if (!AllowCopyPaste() || sel_length == 0)
        return;
    CopyToClipboard();
    SetSelText("");
}

void TSCLBaseEdit::PasteFromClipboard()
{
    if (AllowCopyPaste())
        SetSelText(Clipboard()->AsText());
}

// ---- The edit menu ---------------------------------------------------------

std::unique_ptr<TPopupMenu> TSCLBaseEdit::CreateEditMenu()
{
    auto menu = std::make_unique<TPopupMenu>(nullptr);
    const auto add = [&menu](const char* caption, bool enabled, TNotifyEvent action) {
        auto* item = new TMenuItem(menu.get());
        item->SetCaption(caption);
        item->SetEnabled(enabled);
        item->OnClick = std::move(action);
        menu->Items()->Add(item);
    };
    const bool selection = sel_length > 0;
    add("&Undo", can_undo, [this](TObject* s) { DoUndo(s); });
    add("-", true, nullptr);
    add("&Cut", selection && !read_only, [this](TObject* s) { DoCut(s); });
    add("&Copy", selection, [this](TObject* s) { DoCopy(s); });
    add("&Insert", Clipboard()->HasFormat(CF_TEXT) && !read_only, [this](TObject* s) { DoPaste(s); });
    add("&Delete", selection, [this](TObject* s) { DoClear(s); });
    add("-", true, nullptr);
    add("Select all", !text.empty(), [this](TObject* s) { DoSelectAll(s); });
    return menu;
}
