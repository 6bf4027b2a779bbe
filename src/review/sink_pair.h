#pragma once

#include "record.h"

// Hands every record and damage to two sinks in turn.
class SinkPair : public RecordSink
{
public:
    SinkPair(RecordSink &first, RecordSink &second) : m_first(first), m_second(second) {}
    void record(const Record &record) override
    {
        m_first.record(record);
        m_second.record(record);
    }
    void damage(const Damage &damage) override
    {
        m_first.damage(damage);
        m_second.damage(damage);
    }

private:
    RecordSink &m_first;
    RecordSink &m_second;
};
