#pragma once

#include <QString>

// The two text panes of the window as the commands see them: whole texts
// with CR LF line breaks, read and replaced.
class Panes
{
public:
    virtual ~Panes() = default;

    virtual QString questionText() const = 0;
    virtual void setQuestionText(const QString &text) = 0;
    virtual QString answerText() const = 0;
    virtual void setAnswerText(const QString &text) = 0;
};
