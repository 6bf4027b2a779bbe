#pragma once

#include "counting_file_system.h"
#include "platform/qt_platform.h"

#include <QStringList>

// The real platform, with prompt replies given in advance, problems kept
// instead of shown and an end of program that is only noted, so that a run
// can measure one command after another.
class BenchPlatform : public QtPlatform
{
public:
    QString prompt(const QString &) override
    {
        return replies.isEmpty() ? QString() : replies.takeFirst();
    }
    FileSystem &files() override { return counting; }
    void showProblem(const QString &message) override { problems.append(message); }
    void endProgram() override { ended = true; }
    void reportFatalError(const QString &message) override
    {
        problems.append(message);
        ended = true;
    }

    CountingFileSystem counting{QtPlatform::files()};
    QStringList replies;
    QStringList problems;
    bool ended = false;
};
