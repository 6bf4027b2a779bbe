#include "prompt_dialog.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

QString askPrompt(const QString &text)
{
    QDialog dialog;
    dialog.setWindowTitle(QApplication::applicationName());
    dialog.setObjectName(QStringLiteral("promptDialog"));

    auto *label = new QLabel(text, &dialog);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setMinimumWidth(420);
    auto *field = new QLineEdit(&dialog);
    field->setObjectName(QStringLiteral("promptField"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(field);
    layout->addWidget(buttons);
    field->setFocus();
    return dialog.exec() == QDialog::Accepted ? field->text() : QString();
}
