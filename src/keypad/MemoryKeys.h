#pragma once

namespace mx {

class CalcCore;
class Sequencer;

// The memory register's keys. M+ is the two-operand step with the memory as its input.
class MemoryKeys
{
public:
    MemoryKeys(CalcCore& core, Sequencer& sequencer) : m_core(core), m_sequencer(sequencer) {}

    void btCMClick();
    void btMRClick();
    void btMSClick();
    void btMPlusClick();

private:
    void writeMemoryLine();

    CalcCore& m_core;
    Sequencer& m_sequencer;
};

} // namespace mx
