#pragma once
// A windowed control whose window shows a Qt widget of its own (an editor,
// a button, a list) over its whole client area, so that editing, selection,
// scrolling and the clipboard are the widget's. The window stays the
// control's: it keeps its messages, and the widget's mouse and key input is
// also passed to the window as the window's own input (so OnKeyDown,
// OnMouseDown and OnDblClick fire); while the window or one of its parents
// is disabled, the widget takes no input. The window's focus is the widget's, and
// the widget's own context menu gives way to the control's PopupMenu,
// which the right button's messages pop up.

#include <QPointer>
#include <QWidget>

#include "platform/classlib/Controls.h"

class TWidget_Control : public TWinControl {
public:
    explicit TWidget_Control(TComponent* AOwner);
    ~TWidget_Control() override;

    // The widget while the window exists, else nullptr.
    QWidget* Content() const { return content.data(); }

    void WndProc(TMessage& Message) override;

protected:
    // Makes the widget, a child of the window's widget.
    virtual QWidget* Create_Content(QWidget* Parent) = 0;
    // The window goes: keep what the widget holds.
    virtual void Save_Content() {}
    // The control's font and colours changed: give them to the widget.
    virtual void Style_Content();
    void CreateWnd() override;
    void DestroyWnd() override;

private:
    friend class Content_Input_Filter;

    void Place_Content();

    QPointer<QWidget> content;
};

// The Qt font the control's font stands for.
QFont Qt_Font(TFont* Font);
QString Qt_Text(const std::string& Text);
