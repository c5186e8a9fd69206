#include "run/event_pump.h"

#include "run/run_state.h"
#include "support/ui.h"

namespace lxt {

void EventPump::PumpIfDue(Ui& ui) {
    if (started_) {
        calls_ = 0;
        if (timer_.elapsed() < kPumpIntervalMs) return;
    }
    started_ = true;
    timer_.start();
    ui.DoEvents();
}

void LetEventsRun(RunState& run) {
    if (run.blnStartUpCompleted) run.eventPump.Pump(run.ui);
}

}  // namespace lxt
