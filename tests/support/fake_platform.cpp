#include "fake_platform.h"

#include <QCoreApplication>

FakePlatform::FakePlatform() : clock(QDate(2026, 12, 7), QTime(14, 3, 27)) {}

QString FakePlatform::prompt(const QString &text)
{
    promptsAsked.append(text);
    if (replies.isEmpty()) {
        ++unexpectedPrompts;
        return {};
    }
    return replies.takeFirst();
}

QDateTime FakePlatform::now()
{
    const QDateTime reading = clock;
    clock = clock.addSecs(clockStepSeconds);
    return reading;
}

void FakePlatform::seedRandom(float seed)
{
    seeds.append(seed);
}

float FakePlatform::nextRandom()
{
    ++randomsDrawn;
    return randoms.isEmpty() ? randomWhenEmpty : randoms.takeFirst();
}

// Each window of a test its own name, as each copy of the program has.
QString FakePlatform::copyName()
{
    static int copies = 0;
    return QStringLiteral("%1_copy%2").arg(QCoreApplication::applicationPid()).arg(++copies);
}

FileSystem &FakePlatform::files()
{
    return *fileSystem;
}

void FakePlatform::beep()
{
    ++beeps;
}

void FakePlatform::setClipboardImage(const QImage &image)
{
    if (clipboardWorks)
        clipboard = image;
}

QImage FakePlatform::clipboardImage()
{
    return clipboardWorks ? clipboard : QImage();
}

void FakePlatform::showProblem(const QString &message)
{
    problems.append(message);
}

bool FakePlatform::quitAnyway(const QString &message)
{
    quitQuestions.append(message);
    return quitAnywayReplies.isEmpty() || quitAnywayReplies.takeFirst();
}

void FakePlatform::endProgram()
{
    if (!ended)
        exitStatus = 0;
    ended = true;
}

void FakePlatform::reportFatalError(const QString &message)
{
    fatalErrors.append(message);
    if (!ended)
        exitStatus = 1;
    ended = true;
}
