#pragma once

#include "figures/picture_clipboard.h"
#include "platform/platform.h"
#include "storage/native_file_system.h"

#include <QStringList>

// The platform and the clipboard as tests script them: prompt replies in
// order, a fixed clock that can step, random values in order, a clipboard
// that may give nothing back, and an end of program that is recorded instead
// of taken.
class FakePlatform : public Platform, public PictureClipboard
{
public:
    FakePlatform();

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

    // Scripts
    QStringList replies;      // taken from the front; Cancel is ""
    QDateTime clock;          // what now() gives
    int clockStepSeconds = 0; // added after each reading
    QList<float> randoms;     // taken from the front
    float randomWhenEmpty = 0.5f;
    bool clipboardWorks = true;
    QList<bool> quitAnywayReplies;       // taken from the front; quit anyway when empty
    FileSystem *fileSystem = &realFiles; // tests may put a failing layer here
    FileSystem &nativeFiles() { return realFiles; }

    // Records
    QStringList promptsAsked;
    int unexpectedPrompts = 0;
    QList<float> seeds;
    int randomsDrawn = 0;
    int beeps = 0;
    QStringList problems;
    QStringList quitQuestions;
    QStringList fatalErrors;
    bool ended = false;
    int exitStatus = -1;
    QImage clipboard;

private:
    NativeFileSystem realFiles;
};
