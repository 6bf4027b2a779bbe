#pragma once

#include "review.h"

#include <QString>

// Why a report may not be written to the given file, or an empty string: a
// report never replaces a file that is read, nor any file of the tutor's
// records, whether named on the command line or not.
QString outputRefusal(const QString &output, const Inputs &inputs);
