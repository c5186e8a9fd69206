// What the line scanner carries while it works: the line being scanned, the scan position in
// it and the marked span left open at the end of a line; and its yield point to the user
// interface with the stop request.
#pragma once

#include <QString>

#include "run/event_pump.h"
#include "run/run_state.h"

namespace lxt {

struct ScanState {
    QString line;                // the line, one blank appended as a sentinel
    qsizetype scanPosition = 0;  // 0-based position in `line`
    int withinComment = -1;      // -1 outside a marked span, else the open pair's index
};

// Lets the user interface run at the scanner's yield points (throttled by the pump, and only
// once start-up is complete) and tells whether a stop was requested.
class ScanEvents {
  public:
    ScanEvents(Ui& ui, EventPump& pump, const bool& stop, bool pumping)
        : ui_(ui), pump_(pump), stop_(stop), pumping_(pumping) {}
    void LetEventsRun() {
        if (pumping_) pump_.Pump(ui_);
    }
    bool StopRequested() const { return stop_; }

  private:
    Ui& ui_;
    EventPump& pump_;
    const bool& stop_;
    bool pumping_;
};

// The yield point of a scan of `run`: its pump and Ui, blnStop, pumping once start-up is
// complete.
inline ScanEvents ScanEventsOf(RunState& run) {
    return ScanEvents(run.ui, run.eventPump, run.blnStop, run.blnStartUpCompleted);
}

}  // namespace lxt
