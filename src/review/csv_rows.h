#pragma once

#include "record.h"

#include <QByteArray>
#include <QIODevice>

// One row a record, RFC 4180 quoting, UTF-8 with a byte-order mark so that
// spreadsheets take the accents as they are. Dates are yyyy-mm-dd; the place
// is the item's as the course numbers it ("005 Q2"), empty for a text the
// course does not hold.
void writeCsvHeader(QIODevice &out);
void appendCsvRow(QByteArray &rows, const RecordFile &file, const Record &record);
