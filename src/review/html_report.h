#pragma once

#include "summary.h"

#include <QByteArray>
#include <QList>

// One page that needs nothing else: styles inline, charts as inline SVG,
// no scripts.
QByteArray htmlReport(const QList<FileSummary> &files);
