#pragma once

#include "app/query_form.h"
#include "support/fake_platform.h"
#include "support/temp_home.h"

#include <QByteArray>
#include <QString>

// The window after Form_Load on 12-07-2026 at 14:03:27, in the default
// folder inside a temporary home folder, with the code number 19.
struct LoadedWindow
{
    TempHome home;
    FakePlatform platform;
    QueryForm form{platform};

    bool load(const QString &assignment)
    {
        platform.replies = {QStringLiteral("Ann"), QString(), assignment};
        platform.randoms = {0.0f};
        return form.Form_Load();
    }

    QByteArray master() const { return home.read(QStringLiteral("kestrafo/masterFile.txt")); }
    QByteArray send() const { return home.read(QStringLiteral("kestrafo/send_1207.txt")); }

    // The index of the first bank line that begins with the text, or -1.
    int indexOfLineStarting(const QString &start) const
    {
        for (int i = 1; i <= QuestionBank::lastIndex; ++i) {
            if (form.session().questionBank.at(i).startsWith(start))
                return i;
        }
        return -1;
    }
};
