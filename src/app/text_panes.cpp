#include "text_panes.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

namespace {

// The symbol for line feed stands for a lone LF; only a mark that the pane
// itself put there carries the property, so a typed symbol stays a symbol.
constexpr QChar lineFeedMark = u'\u240A';
constexpr int loneLineFeed = QTextFormat::UserProperty;

} // namespace

TextPanes::TextPanes(QPlainTextEdit *question, QPlainTextEdit *answer)
    : m_question(question), m_answer(answer)
{
}

// toRawText, unlike toPlainText, keeps non-breaking spaces as typed.
QString TextPanes::readPane(const QPlainTextEdit *pane)
{
    QTextDocument *document = pane->document();
    QString text = document->toRawText();
    QTextCursor cursor(document);
    for (qsizetype i = text.indexOf(lineFeedMark); i >= 0; i = text.indexOf(lineFeedMark, i + 1)) {
        cursor.setPosition(int(i) + 1);
        if (cursor.charFormat().hasProperty(loneLineFeed))
            text[i] = u'\n';
    }
    QString result;
    result.reserve(text.size());
    for (const QChar c : std::as_const(text)) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            result += QStringLiteral("\r\n");
        else
            result += c;
    }
    return result;
}

void TextPanes::writePane(QPlainTextEdit *pane, const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    QList<int> marks;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            shown += u'\n';
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else if (text[i] == u'\n') {
            marks.append(int(shown.size()));
            shown += lineFeedMark;
        } else {
            shown += text[i];
        }
    }
    pane->setPlainText(shown);
    if (marks.isEmpty())
        return;
    QTextCharFormat marked;
    marked.setProperty(loneLineFeed, true);
    QTextCursor cursor(pane->document());
    for (const int at : std::as_const(marks)) {
        cursor.setPosition(at);
        cursor.setPosition(at + 1, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(marked);
    }
}

QString TextPanes::questionText() const
{
    return readPane(m_question);
}

// The question pane grows only by appending (the next item, a file shown),
// or is emptied. When it grows, the first line of what was added goes to the
// top of the view, or as far down as the pane scrolls, so that the newest
// item is the one in sight.
void TextPanes::setQuestionText(const QString &text)
{
    const QString before = readPane(m_question);
    writePane(m_question, text);
    if (text.size() <= before.size() || !text.startsWith(before))
        return;
    qsizetype added = before.size();
    while (added < text.size() && (text[added] == u'\r' || text[added] == u'\n'))
        ++added;
    // A CR LF pair is one character of the pane.
    showAtTop(m_question, int(added - text.first(added).count(QStringLiteral("\r\n"))));
}

void TextPanes::showAtTop(QPlainTextEdit *pane, int position)
{
    const QTextBlock block = pane->document()->findBlock(position);
    int line = block.firstLineNumber();
    if (const QTextLayout *layout = block.layout(); layout && layout->lineCount() > 0)
        line += layout->lineForTextPosition(position - block.position()).lineNumber();
    pane->verticalScrollBar()->setValue(line);
}

QString TextPanes::answerText() const
{
    return readPane(m_answer);
}

void TextPanes::setAnswerText(const QString &text)
{
    writePane(m_answer, text);
}
