#pragma once

#include "session/panes.h"

class QPlainTextEdit;

// The window's two panes as the commands see them. The widgets keep their
// own line breaks; the commands see and give CR LF.
class TextPanes : public Panes
{
public:
    TextPanes(QPlainTextEdit *question, QPlainTextEdit *answer);

    QString questionText() const override;
    void setQuestionText(const QString &text) override;
    QString answerText() const override;
    void setAnswerText(const QString &text) override;

    static QString fromWidgetText(QString text);
    static QString toWidgetText(QString text);

private:
    QPlainTextEdit *m_question;
    QPlainTextEdit *m_answer;
};
