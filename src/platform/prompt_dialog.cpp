#include "prompt_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

PromptDialog::PromptDialog(const QString &text, QWidget *parent)
    : QDialog(parent), m_field(new QLineEdit(this))
{
    setWindowTitle(QApplication::applicationName());
    setObjectName(QStringLiteral("promptDialog"));

    auto *label = new QLabel(text, this);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setMinimumWidth(420);
    m_field->setObjectName(QStringLiteral("promptField"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_field);
    layout->addWidget(buttons);
    m_field->setFocus();
}

QString PromptDialog::reply() const
{
    return m_field->text();
}

QString askPrompt(const QString &text)
{
    PromptDialog dialog(text);
    return dialog.exec() == QDialog::Accepted ? dialog.reply() : QString();
}
