#pragma once
// The root of the library's non-visual components: the About text that
// descendants publish, and change notification that works as the settings
// objects' does (nested updates, OnChange silent while one is open).

#include <string>

#include "platform/classlib/Classes.h"

class TSCLCustomComponent : public TComponent {
public:
    explicit TSCLCustomComponent(TComponent* AOwner) : TComponent(AOwner) {}

    // Informational only; descendants publish it as "About".
    std::string About;
    TNotifyEvent OnChange;

    virtual void GetChange(TObject* Sender);
    // Notifies OnChange (the component as sender) unless an update is open.
    virtual void Change();

    void BeginUpdate();
    // Closes one BeginUpdate; with DoChange, Change follows.
    void EndUpdate(bool DoChange);
    int UpdateCount() const { return update_count; }

private:
    int update_count = 0;
};
