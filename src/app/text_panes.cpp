#include "text_panes.h"

#include <QPlainTextEdit>

TextPanes::TextPanes(QPlainTextEdit *question, QPlainTextEdit *answer)
    : m_question(question), m_answer(answer)
{
}

QString TextPanes::fromWidgetText(QString text)
{
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

QString TextPanes::toWidgetText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

// toRawText, unlike toPlainText, keeps non-breaking spaces as typed.
QString TextPanes::questionText() const
{
    return fromWidgetText(m_question->document()->toRawText());
}

void TextPanes::setQuestionText(const QString &text)
{
    m_question->setPlainText(toWidgetText(text));
}

QString TextPanes::answerText() const
{
    return fromWidgetText(m_answer->document()->toRawText());
}

void TextPanes::setAnswerText(const QString &text)
{
    m_answer->setPlainText(toWidgetText(text));
}
