#pragma once

#include <QString>

// The number with which a text begins (leading blanks skipped, an optional
// sign, digits with an optional decimal point and exponent); 0 when the text
// does not begin with a number.
double numericValue(const QString &text);

// A number in general format: integral values as plain digits, others with at
// most 15 significant digits, no leading blank.
QString generalNumber(double value);

// "5" becomes "005" and "12" "012"; other lengths stay as they are.
QString padAssignmentNumber(const QString &number);
