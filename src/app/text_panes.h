#pragma once

#include "session/panes.h"

class QPlainTextEdit;

// The window's two panes as the commands see them. The widgets keep their
// own line breaks; the commands see and give CR LF. A lone LF belongs to its
// line: the pane shows it as a mark and gives it back as LF.
class TextPanes : public Panes
{
public:
    TextPanes(QPlainTextEdit *question, QPlainTextEdit *answer);

    QString questionText() const override;
    void setQuestionText(const QString &text) override;
    QString answerText() const override;
    void setAnswerText(const QString &text) override;

private:
    static QString readPane(const QPlainTextEdit *pane);
    static void writePane(QPlainTextEdit *pane, const QString &text);
    // Scrolls the line that holds the position to the top of the view.
    static void showAtTop(QPlainTextEdit *pane, int position);

    QPlainTextEdit *m_question;
    QPlainTextEdit *m_answer;
};
