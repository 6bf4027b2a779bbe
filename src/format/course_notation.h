#pragma once

#include <QByteArrayView>

// How the course writes, in plain characters of its code page, the
// mathematics that a student may paste from elsewhere: "`theta" for a Greek
// theta, "`sqrt" for a root sign, "<=" for a less-or-equal sign, "^4" for a
// superscript four. Empty for a character that has no spelling here.
QByteArrayView courseSpelling(char32_t codePoint);
