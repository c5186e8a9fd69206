// Lets pending user-interface events run during long loops without letting the pumping
// dominate them: the first call after Restart pumps, later calls pump at most once every
// kPumpIntervalMs (the clock is read only every kCallsPerClockCheck calls).
#pragma once

#include <QElapsedTimer>

namespace lxt {

class Ui;
struct RunState;

class EventPump {
  public:
    static constexpr int kCallsPerClockCheck = 256;
    static constexpr qint64 kPumpIntervalMs = 50;

    // Calls ui.DoEvents() when due.
    void Pump(Ui& ui) {
        if (started_ && ++calls_ < kCallsPerClockCheck) return;
        PumpIfDue(ui);
    }
    // Makes the next Pump call pump at once.
    void Restart() {
        started_ = false;
        calls_ = 0;
    }

  private:
    void PumpIfDue(Ui& ui);

    QElapsedTimer timer_;
    bool started_ = false;
    int calls_ = 0;
};

// The scans' yield point: pumps through run.eventPump once start-up is complete.
void LetEventsRun(RunState& run);

}  // namespace lxt
