#pragma once

#include <QDialog>

class QLineEdit;

// The start-up and rating prompts: a wrapped prompt text, an entry field,
// OK and Cancel, the application's name as the title.
class PromptDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PromptDialog(const QString &text, QWidget *parent = nullptr);

    QString reply() const;

private:
    QLineEdit *m_field;
};

// Shows the prompt modally; the empty text on Cancel or close.
QString askPrompt(const QString &text);
