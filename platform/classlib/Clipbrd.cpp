#include "platform/classlib/Clipbrd.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

QClipboard* System_Clipboard() { return QGuiApplication::clipboard(); }

} // namespace

std::string TClipboard::AsText() const { return System_Clipboard()->text().toStdString(); }

void TClipboard::SetAsText(const std::string& Value)
{
    System_Clipboard()->setText(QString::fromUtf8(Value.data(), static_cast<qsizetype>(Value.size())));
}

bool TClipboard::HasFormat(UINT Format) const
{
    const QMimeData* data = System_Clipboard()->mimeData();
    if (!data)
        return false;
    if (Format == CF_TEXT)
        return data->hasText();
    if (Format == CF_BITMAP)
        return data->hasImage();
    return false;
}

void TClipboard::Clear() { System_Clipboard()->clear(); }

TClipboard* Clipboard()
{
    static TClipboard clipboard;
    return &clipboard;
}
