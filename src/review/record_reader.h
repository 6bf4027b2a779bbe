#pragma once

#include "file_check.h"
#include "record.h"

#include <QIODevice>

// Reads every record of the device in order and hands each record and each
// region that is not a whole record to the sink. Returns why the device
// could not be read to its end, or an empty string when it was.
QString readRecords(QIODevice &device, const FileCheck &check, RecordSink &sink);
