#pragma once

#include <QPlainTextEdit>

#include <functional>

// The answer pane. While it holds exactly the instructions, what the student
// types, pastes or drops takes their place instead of joining them; Ctrl+Z
// brings them back.
class AnswerPane : public QPlainTextEdit
{
public:
    using HoldsInstructions = std::function<bool()>;

    AnswerPane(HoldsInstructions holdsInstructions, QWidget *parent);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    void selectInstructions();

    HoldsInstructions m_holdsInstructions;
};
