#include "answer_pane.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace {

// A key that puts text into the pane, as the text control itself decides;
// Ctrl keys are commands and Backspace or Delete only take away.
bool typesText(const QKeyEvent *event)
{
    if (event->modifiers() & Qt::ControlModifier)
        return false;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return true;
    const QString text = event->text();
    return !text.isEmpty() && text.front().isPrint();
}

} // namespace

AnswerPane::AnswerPane(HoldsInstructions holdsInstructions, QWidget *parent)
    : QPlainTextEdit(parent), m_holdsInstructions(std::move(holdsInstructions))
{
}

// Selected whole, the instructions are replaced by the next insertion in one
// step, which is the step that Ctrl+Z takes back.
void AnswerPane::selectInstructions()
{
    if (!m_holdsInstructions())
        return;
    QTextCursor cursor = textCursor();
    cursor.select(QTextCursor::Document);
    setTextCursor(cursor);
}

void AnswerPane::keyPressEvent(QKeyEvent *event)
{
    if (typesText(event))
        selectInstructions();
    QPlainTextEdit::keyPressEvent(event);
}

void AnswerPane::inputMethodEvent(QInputMethodEvent *event)
{
    if (!event->commitString().isEmpty() || !event->preeditString().isEmpty())
        selectInstructions();
    QPlainTextEdit::inputMethodEvent(event);
}

// Pasting and dropping both come here.
void AnswerPane::insertFromMimeData(const QMimeData *source)
{
    if (canInsertFromMimeData(source))
        selectInstructions();
    QPlainTextEdit::insertFromMimeData(source);
}
