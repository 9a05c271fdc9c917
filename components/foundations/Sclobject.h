#pragma once
// The root of the library's settings objects (bevels, gradients, captions,
// shadows, fills, layouts). An owner points each sub-object's OnChange at
// its own GetChange, so a change inside a sub-object climbs to the control
// that repaints.
//
// Updates nest: BeginUpdate counts up, EndUpdate counts down, and OnChange
// stays silent while any update is open. A burst of changes bracketed by
// BeginUpdate and EndUpdate(true) therefore notifies once, when the
// outermost update ends.

#include <string>

#include "platform/classlib/Classes.h"

class TSCLObject : public TPersistent {
public:
    TSCLObject() = default;

    TNotifyEvent OnChange;

    // The handler owners assign to their sub-objects' OnChange.
    virtual void GetChange(TObject* Sender);
    // Notifies OnChange (self as sender) unless an update is open.
    // Descendants recompute here before notifying.
    virtual void Change();
    // A one-line summary of the settings for a property list; empty here.
    virtual std::string GetSetStr();

    void BeginUpdate();
    // Closes one BeginUpdate (an unmatched call changes nothing); with
    // DoChange, Change follows.
    void EndUpdate(bool DoChange);
    int UpdateCount() const { return update_count; }

protected:
    // A setter's store: only a different value is stored, and it notifies.
    template <typename T>
    void Store(T& Field, const T& Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        Change();
    }

private:
    int update_count = 0;
};
