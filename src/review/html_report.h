#pragma once

#include "review.h"

#include <QByteArray>
#include <QList>

// One page that needs nothing else: styles inline, charts as inline SVG,
// no scripts; what unfolds is a <details>. The progress grid, each
// assignment's items with their spreads and every response, each student's
// questions and low ratings, notes and kept drafts, and the files with their
// damage.
QByteArray htmlReport(const Review &review);
