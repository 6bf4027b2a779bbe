#pragma once

#include "session/panes.h"

// The two panes as plain texts, for commands tested without a window.
class FakePanes : public Panes
{
public:
    QString questionText() const override { return question; }
    void setQuestionText(const QString &text) override { question = text; }
    QString answerText() const override { return answer; }
    void setAnswerText(const QString &text) override { answer = text; }

    QString question;
    QString answer = QStringLiteral(" ");
};
