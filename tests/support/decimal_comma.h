#pragma once

#include <QString>
#include <QTest>
#include <QtGlobal>

#include <clocale>
#include <cstdio>
#include <cstdlib>

// The exit status that ctest reports as a skip for the entries that end in
// _de_DE (their SKIP_RETURN_CODE).
inline constexpr int decimalCommaSkipStatus = 77;

// The ctest entries that end in _de_DE run a test once more under a locale
// with a decimal comma. When that locale is missing, the run cannot be made:
// it fails under CI, where setup makes the locale, and elsewhere ends at
// once with the status that ctest shows as a skip. Called first thing in
// initTestCase; does nothing in the ordinary runs.
inline void requireDecimalComma()
{
    if (!qEnvironmentVariableIsSet("KESTRAFO_DECIMAL_COMMA") ||
        std::localeconv()->decimal_point[0] == ',')
        return;
    const QString why =
        QStringLiteral("the locale %1 gives no decimal comma here (is it installed? "
                       "scripts/setup.sh makes de_DE.UTF-8), so this run cannot be made")
            .arg(qEnvironmentVariable("LC_ALL"));
    if (qEnvironmentVariableIsSet("CI"))
        QFAIL(qPrintable(why));
    std::fprintf(stderr, "SKIP: %s\n", qPrintable(why));
    std::fflush(nullptr);
    std::_Exit(decimalCommaSkipStatus);
}
