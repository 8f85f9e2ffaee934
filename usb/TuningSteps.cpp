#include "usb/TuningSteps.h"

TuningSteps::TuningSteps(TuningState &state)
    : m_state(state)
{
    m_state.resetForDialog();
}

void TuningSteps::resetBaseLevel()
{
    m_state.command = TuningState::CommandStart;
    m_state.grabState = TuningState::Live;
    m_state.current.fill(0.0);
    m_enabled = { true, false, false, true };
}

void TuningSteps::getBaseLevel()
{
    m_state.base = m_state.current;
    m_enabled.getBaseLevel = false;
    m_enabled.getSuppression = true;
    m_enabled.savePattern = false;
}

TuningState::Grab TuningSteps::getSuppression()
{
    const TuningState::Grab grab = m_state.grabCheck();
    if (grab == TuningState::GrabRefused)
        return grab;
    m_state.grabState = TuningState::Grabbed;
    m_enabled = { false, false, true, false };
    return grab;
}

void TuningSteps::savePattern()
{
    m_state.command = TuningState::CommandSave;
    m_state.saveAcknowledged = 0;
    m_enabled.getBaseLevel = m_enabled.getSuppression = m_enabled.savePattern = false;
}
