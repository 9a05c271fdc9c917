#include "platform/winapi/System_Metrics.h"

#include "platform/winapi/Kernel.h"
#include "platform/winapi/X11_Desktop.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyleHints>

#include <cstring>
#include <map>

namespace {

QRect Screen_Geometry()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

QRect Work_Area()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : Screen_Geometry();
}

QRect Virtual_Screen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->virtualGeometry() : Screen_Geometry();
}

// The frame and control sizes of a classic desktop at 96 dots per inch.
int Fixed_Metric(int index)
{
    static const std::map<int, int> metrics = {
        {SM_CXVSCROLL, 16},   {SM_CYHSCROLL, 16},    {SM_CYCAPTION, 19},   {SM_CXBORDER, 1},
        {SM_CYBORDER, 1},     {SM_CXDLGFRAME, 3},    {SM_CYDLGFRAME, 3},   {SM_CYVTHUMB, 16},
        {SM_CXHTHUMB, 16},    {SM_CXICON, 32},       {SM_CYICON, 32},      {SM_CXCURSOR, 32},
        {SM_CYCURSOR, 32},    {SM_CYMENU, 19},       {SM_MOUSEPRESENT, 1}, {SM_CYVSCROLL, 16},
        {SM_CXHSCROLL, 16},   {SM_SWAPBUTTON, 0},    {SM_CXMIN, 112},      {SM_CYMIN, 27},
        {SM_CXSIZE, 18},      {SM_CYSIZE, 18},       {SM_CXFRAME, 4},      {SM_CYFRAME, 4},
        {SM_CXMINTRACK, 112}, {SM_CYMINTRACK, 27},   {SM_CXDOUBLECLK, 4},  {SM_CYDOUBLECLK, 4},
        {SM_CMOUSEBUTTONS, 3}, {SM_CXEDGE, 2},       {SM_CYEDGE, 2},       {SM_CXSMICON, 16},
        {SM_CYSMICON, 16},    {SM_CYSMCAPTION, 16},  {SM_CXSMSIZE, 12},    {SM_CYSMSIZE, 15},
        {SM_CXMENUSIZE, 18},  {SM_CYMENUSIZE, 18},   {SM_CXDRAG, 4},       {SM_CYDRAG, 4},
        {SM_CXMENUCHECK, 13}, {SM_CYMENUCHECK, 13},  {SM_MOUSEWHEELPRESENT, 1},
    };
    auto found = metrics.find(index);
    return found == metrics.end() ? 0 : found->second;
}

LOGFONTA Font(LONG height, LONG weight)
{
    LOGFONTA font;
    font.lfHeight = height;
    font.lfWeight = weight;
    std::strncpy(font.lfFaceName, "Tahoma", LF_FACESIZE - 1);
    return font;
}

NONCLIENTMETRICSA Non_Client_Metrics()
{
    NONCLIENTMETRICSA metrics;
    metrics.iBorderWidth = 1;
    metrics.iScrollWidth = 16;
    metrics.iScrollHeight = 16;
    metrics.iCaptionWidth = 18;
    metrics.iCaptionHeight = 18;
    metrics.lfCaptionFont = Font(-11, 700);
    metrics.iSmCaptionWidth = 12;
    metrics.iSmCaptionHeight = 15;
    metrics.lfSmCaptionFont = Font(-11, 700);
    metrics.iMenuWidth = 18;
    metrics.iMenuHeight = 18;
    metrics.lfMenuFont = Font(-11, 400);
    metrics.lfStatusFont = Font(-11, 400);
    metrics.lfMessageFont = Font(-11, 400);
    return metrics;
}

BOOL Answer_Bool(void* value, bool answer)
{
    if (!value) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *static_cast<BOOL*>(value) = answer ? TRUE : FALSE;
    return TRUE;
}

BOOL Answer_Int(void* value, int answer)
{
    if (!value) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *static_cast<int*>(value) = answer;
    return TRUE;
}

} // namespace

int GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXSCREEN:
        return Screen_Geometry().width();
    case SM_CYSCREEN:
        return Screen_Geometry().height();
    case SM_CXFULLSCREEN:
        return Work_Area().width();
    case SM_CYFULLSCREEN:
        return Work_Area().height() - Fixed_Metric(SM_CYCAPTION);
    case SM_CXMAXIMIZED:
        return Work_Area().width() + 2 * Fixed_Metric(SM_CXFRAME);
    case SM_CYMAXIMIZED:
        return Work_Area().height() + 2 * Fixed_Metric(SM_CYFRAME);
    case SM_CXMAXTRACK:
        return Virtual_Screen().width() + 2 * Fixed_Metric(SM_CXFRAME);
    case SM_CYMAXTRACK:
        return Virtual_Screen().height() + 2 * Fixed_Metric(SM_CYFRAME);
    case SM_XVIRTUALSCREEN:
        return Virtual_Screen().x();
    case SM_YVIRTUALSCREEN:
        return Virtual_Screen().y();
    case SM_CXVIRTUALSCREEN:
        return Virtual_Screen().width();
    case SM_CYVIRTUALSCREEN:
        return Virtual_Screen().height();
    case SM_CMONITORS:
        return static_cast<int>(QGuiApplication::screens().size());
    case SM_SAMEDISPLAYFORMAT:
        return 1;
    default:
        return Fixed_Metric(index);
    }
}

BOOL SystemParametersInfoA(UINT action, UINT param, void* value, UINT)
{
    if (const std::optional<BOOL> answer = X11_Desktop_Parameter(action, param, value))
        return *answer;
    switch (action) {
    case SPI_GETWORKAREA: {
        if (!value)
            break;
        const QRect area = Work_Area();
        *static_cast<RECT*>(value) = RECT{area.x(), area.y(), area.x() + area.width(), area.y() + area.height()};
        return TRUE;
    }
    case SPI_GETNONCLIENTMETRICS: {
        auto* metrics = static_cast<NONCLIENTMETRICSA*>(value);
        if (!metrics || metrics->cbSize != sizeof(NONCLIENTMETRICSA))
            break;
        *metrics = Non_Client_Metrics();
        return TRUE;
    }
    case SPI_GETANIMATION: {
        auto* animation = static_cast<ANIMATIONINFO*>(value);
        if (!animation || animation->cbSize != sizeof(ANIMATIONINFO))
            break;
        animation->iMinAnimate = 0;
        return TRUE;
    }
    case SPI_GETDRAGFULLWINDOWS:
    case SPI_GETFONTSMOOTHING:
        return Answer_Bool(value, true);
    case SPI_GETSNAPTODEFBUTTON:
    case SPI_GETWINDOWSEXTENSION:
        return Answer_Bool(value, false);
    case SPI_GETWHEELSCROLLLINES:
        return Answer_Int(value, 3);
    default:
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

UINT GetDoubleClickTime()
{
    const QStyleHints* hints = QGuiApplication::styleHints();
    return hints ? static_cast<UINT>(hints->mouseDoubleClickInterval()) : 500;
}
