#pragma once

#include <QString>
#include <QtGlobal>

#include <clocale>

// The ctest entries that end in _de_DE run a test under a locale with a
// decimal comma. Empty when that locale is in force, or when the run does
// not ask for it; otherwise the reason to skip.
inline QString decimalCommaMissing()
{
    if (!qEnvironmentVariableIsSet("KESTRAFO_DECIMAL_COMMA"))
        return {};
    if (std::localeconv()->decimal_point[0] == ',')
        return {};
    return QStringLiteral("the locale %1 gives no decimal comma here (is it installed? "
                          "scripts/setup.sh makes de_DE.UTF-8), so this run cannot be made")
        .arg(qEnvironmentVariable("LC_ALL"));
}
