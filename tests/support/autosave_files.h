#pragma once

#include "storage/autosave_file.h"
#include "support/temp_home.h"

#include <QDir>
#include <QStringList>

// The autosaves in the default folder of the home folder.
inline QStringList autosavesIn(const TempHome &home)
{
    return QDir(home.kestrafoFolder())
        .entryList({autosavePrefix + u'*'}, QDir::Files | QDir::Hidden);
}

// What the one autosave there holds; nothing when there is not exactly one.
inline AutosaveContent autosaveIn(const TempHome &home)
{
    const QStringList names = autosavesIn(home);
    AutosaveContent content;
    if (names.size() == 1)
        Autosave::decode(home.read(QStringLiteral("kestrafo/") + names.first()), &content);
    return content;
}
