#pragma once

#include "record.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The tutor's mm-dd-yyyy as yyyy-mm-dd; any other text as it stands.
QString isoDate(QByteArrayView date);

// A text of a file in Windows-1252, as the tutor writes it, or in UTF-8 when
// it was re-encoded after.
QString fileText(QByteArrayView bytes, bool utf8);

// The session a file's records belong to: its last opening block's.
struct OpenedSession
{
    QByteArray assignment;
    QString date; // yyyy-mm-dd

    // Opens the session of an opening block; returns the record's own date,
    // or else the session's.
    QString follow(const Record &record);
};
