#pragma once

#include "record.h"

#include <QList>

// Hands every record and damage to each of its sinks in turn.
class SinkList : public RecordSink
{
public:
    void add(RecordSink &sink) { m_sinks.append(&sink); }
    void record(const Record &record) override
    {
        for (RecordSink *sink : std::as_const(m_sinks))
            sink->record(record);
    }
    void damage(const Damage &damage) override
    {
        for (RecordSink *sink : std::as_const(m_sinks))
            sink->damage(damage);
    }

private:
    QList<RecordSink *> m_sinks;
};
