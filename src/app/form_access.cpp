#include "form_access.h"

#include "figures/figure_description.h"
#include "figures/picture_box.h"
#include "form_controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

// Buttons and labels need nothing here: a screen reader names them by their
// captions.
void setAccessibleTexts(const FormControls &controls)
{
    controls.txt_question->setAccessibleName(QStringLiteral("Questions and worked answers"));
    controls.txt_question->setAccessibleDescription(
        QStringLiteral("The assignment's questions and worked answers, the newest at the end. "
                       "The notes file and the SEND file are shown here too."));
    controls.txt_answer->setAccessibleName(QStringLiteral("Your answer"));
    controls.txt_answer->setAccessibleDescription(QStringLiteral(
        "Type your response here. Enter starts a new line; Ctrl+Enter records the response."));
    controls.Picture1->setAccessibleName(QStringLiteral("Picture"));
    describeEmptyPicture(*controls.Picture1);
    controls.Picture2->setAccessibleName(QStringLiteral("Copied picture"));
    describeEmptyPicture(*controls.Picture2);
    controls.List1->setAccessibleName(QStringLiteral("List"));
    controls.List1->setAccessibleDescription(
        QStringLiteral("Not used by the course; it stays empty."));
    for (size_t i = 0; i < controls.txt_parameter.size(); ++i) {
        controls.txt_parameter[i]->setAccessibleName(controls.lbl_parameter[i]->text());
        controls.txt_parameter[i]->setAccessibleDescription(
            QStringLiteral("Not used by the course; what you type here has no effect."));
    }
}

// Every key needs Ctrl, so typing an answer cannot set one off, and plain
// Enter stays a new line. "quit program" has none: it ends at once.
void installShortcuts(QWidget *window, const FormControls &controls)
{
    struct Binding
    {
        QPushButton *button;
        QList<QKeySequence> keys;
    };
    const QList<Binding> bindings = {
        {controls.cmd_enter_response,
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}},
        {controls.cmdNextQuestion, {QKeySequence(Qt::CTRL | Qt::Key_N)}},
        {controls.cmd_save_as_notes, {QKeySequence(Qt::CTRL | Qt::Key_S)}},
        {controls.cmd_clr_answer, {QKeySequence(Qt::CTRL | Qt::Key_L)}},
        {controls.cmd_display_note_file, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N)}},
        {controls.cmd_displayCumulativeText, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}},
    };
    for (const Binding &binding : bindings) {
        for (const QKeySequence &key : binding.keys) {
            auto *shortcut = new QShortcut(key, window);
            QObject::connect(shortcut, &QShortcut::activated, binding.button, &QPushButton::click);
        }
        const QString key = binding.keys.first().toString(QKeySequence::NativeText);
        binding.button->setToolTip(binding.button->text() + QStringLiteral(" (") + key +
                                   QLatin1Char(')'));
        binding.button->setAccessibleDescription(QStringLiteral("Shortcut: ") + key);
    }
}
