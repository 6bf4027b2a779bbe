#pragma once

#include "platform/platform.h"
#include "platform/posix_file_system.h"

#include <QStringList>

#include <random>

// The real clock and files, with prompt replies given in advance and an end
// of program that is only noted, so that a run can measure one command after
// another.
class BenchPlatform : public Platform
{
public:
    QString prompt(const QString &) override
    {
        return replies.isEmpty() ? QString() : replies.takeFirst();
    }
    QDateTime now() override { return QDateTime::currentDateTime(); }
    void seedRandom(float seed) override { m_generator.seed(unsigned(seed)); }
    float nextRandom() override { return float(m_generator() >> 8) / 16777216.0f; }
    FileSystem &files() override { return m_files; }
    void beep() override {}
    void setClipboardImage(const QImage &) override {}
    QImage clipboardImage() override { return {}; }
    void showProblem(const QString &message) override { problems.append(message); }
    void endProgram() override { ended = true; }
    void reportFatalError(const QString &message) override
    {
        problems.append(message);
        ended = true;
    }

    QStringList replies;
    QStringList problems;
    bool ended = false;

private:
    PosixFileSystem m_files;
    std::mt19937 m_generator;
};
