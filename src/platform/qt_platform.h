#pragma once

#include "platform.h"
#include "posix_file_system.h"

#include <random>

class QtPlatform : public Platform
{
public:
    QtPlatform();

    QString prompt(const QString &text) override;
    QDateTime now() override;
    void seedRandom(float seed) override;
    float nextRandom() override;
    FileSystem &files() override;
    void beep() override;
    void setClipboardImage(const QImage &image) override;
    QImage clipboardImage() override;
    void showProblem(const QString &message) override;
    void endProgram() override;
    void reportFatalError(const QString &message) override;

private:
    PosixFileSystem m_files;
    std::mt19937 m_generator;
};
