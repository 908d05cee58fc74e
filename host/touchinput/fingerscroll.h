#pragma once

class QAbstractScrollArea;

// A finger drags the area's contents, which run on a little when flicked; a mouse drags them
// the same way. The press reaches the contents only once the finger lifts without having moved:
// a drag never selects or taps, a tap still does.
void ScrollByFinger(QAbstractScrollArea* area);
