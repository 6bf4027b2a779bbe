#pragma once

#include "platform/platform.h"

#include <functional>

// The platform as the commands that may end the program see it: just before
// the program ends, the window gets a last word (to keep what the student
// typed). Everything else goes straight through.
class EndingPlatform : public Platform
{
public:
    EndingPlatform(Platform &real, std::function<void()> beforeEnd)
        : m_real(real), m_beforeEnd(std::move(beforeEnd))
    {
    }

    QString prompt(const QString &text) override { return m_real.prompt(text); }
    QDateTime now() override { return m_real.now(); }
    void seedRandom(float seed) override { m_real.seedRandom(seed); }
    float nextRandom() override { return m_real.nextRandom(); }
    QString copyName() override { return m_real.copyName(); }
    FileSystem &files() override { return m_real.files(); }
    void beep() override { m_real.beep(); }
    void showProblem(const QString &message) override { m_real.showProblem(message); }
    bool quitAnyway(const QString &message) override { return m_real.quitAnyway(message); }
    void endProgram() override
    {
        m_beforeEnd();
        m_real.endProgram();
    }
    void reportFatalError(const QString &message) override { m_real.reportFatalError(message); }

private:
    Platform &m_real;
    std::function<void()> m_beforeEnd;
};
