#pragma once
// A list of points packed into 32-bit entries (X in the high half, Y in the
// low half, each a signed 16-bit value), as the library's shapes keep their
// outlines. Every change notifies OnChange unless an update is open.

#include "platform/classlib/Classes.h"
#include "platform/winapi/WinTypes.h"

// A TObject too, so that it can be the sender of a notify event.
class TSCLPointList : public TObject, public TList {
public:
    // An index outside the list reads as (0, 0) and is ignored on writing.
    POINT GetPoint(int Index) const;
    void PutPoint(int Index, const POINT& P);
    POINT Points(int Index) const { return GetPoint(Index); }

    void AddPoint(const POINT& P);
    void DeletePoint(int Index);
    // Dest is emptied and gets every point, in order, through AddPoint.
    void Clone(TSCLPointList* Dest) const;

    void BeginUpdate();
    // Closes one BeginUpdate; with Notify, a notification follows.
    void EndUpdate(bool Notify);
    void GetChange(TObject* Sender);

    TNotifyEvent OnChange;

private:
    int update_count = 0;
};
