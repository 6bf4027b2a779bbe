#pragma once

#include "figures/picture_clipboard.h"
#include "platform.h"

#include <memory>
#include <random>

class QtPlatform : public Platform, public PictureClipboard
{
public:
    QtPlatform();
    ~QtPlatform() override;

    QString prompt(const QString &text) override;
    QDateTime now() override;
    void seedRandom(float seed) override;
    float nextRandom() override;
    QString copyName() override;
    FileSystem &files() override;
    void beep() override;
    void setClipboardImage(const QImage &image) override;
    QImage clipboardImage() override;
    void showProblem(const QString &message) override;
    bool quitAnyway(const QString &message) override;
    void endProgram() override;
    void reportFatalError(const QString &message) override;

private:
    std::unique_ptr<FileSystem> m_files;
    std::mt19937 m_engine;
};
