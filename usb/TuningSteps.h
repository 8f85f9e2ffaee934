#pragma once
// The four tuning steps of a configuration dialog (reset the base level, take
// it, take the suppression parameters, save the pattern): what each does to
// the unit's state and which controls it leaves enabled.

#include "usb/TuningState.h"

class TuningSteps
{
public:
    // The step buttons and the parameter controls (factor, both errors, averaging).
    struct Enabled
    {
        bool getBaseLevel = false;
        bool getSuppression = false;
        bool savePattern = false;
        bool parameters = true;
    };

    // Starts the state afresh for a dialog.
    explicit TuningSteps(TuningState &state);

    // The unit starts over with a live spectrum from nothing.
    void resetBaseLevel();
    // The live spectrum becomes the base level.
    void getBaseLevel();
    // Refused below 50 % shown quality (nothing changes), else grabbed.
    TuningState::Grab getSuppression();
    // The next poll asks the unit to save; its answer acknowledges it later.
    void savePattern();

    const Enabled &enabled() const { return m_enabled; }

private:
    TuningState &m_state;
    Enabled m_enabled;
};
