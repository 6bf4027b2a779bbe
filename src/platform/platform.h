#pragma once

#include <QDateTime>
#include <QString>

class FileSystem;

// Everything the tutor asks of the operating system and the desktop, but the
// clipboard's pictures (PictureClipboard). The program uses QtPlatform; tests
// script a fake.
class Platform
{
public:
    virtual ~Platform() = default;

    // A modal prompt with an empty field, OK and Cancel; Cancel and closing
    // the prompt give the empty text.
    virtual QString prompt(const QString &text) = 0;

    virtual QDateTime now() = 0;

    // Uniform single-precision values in [0, 1).
    virtual void seedRandom(float seed) = 0;
    virtual float nextRandom() = 0;

    // A name for the files of this copy of the program that no other copy
    // sharing the working folder has.
    virtual QString copyName() = 0;

    virtual FileSystem &files() = 0;

    virtual void beep() = 0;

    // Tells the student about a failure; the session goes on.
    virtual void showProblem(const QString &message) = 0;
    // Tells the student why ending now would lose something and offers to
    // stay or to quit anyway; true for quit anyway.
    virtual bool quitAnyway(const QString &message) = 0;

    // Ends the program at once with exit status 0. Callers return straight
    // after it, so that a fake that only records the end stops the handler too.
    virtual void endProgram() = 0;
    // Shows what failed, then ends the program with exit status 1.
    virtual void reportFatalError(const QString &message) = 0;
};
