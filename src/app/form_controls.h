#pragma once

#include "answer_pane.h"

#include <array>

class PictureBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QWidget;

// The window's controls, made as the control table places them. They are
// declared in the table's order, which is the order they are made in and so
// their stacking order where they touch.
struct FormControls
{
    FormControls(QWidget *window, AnswerPane::HoldsInstructions holdsInstructions);
    FormControls(const FormControls &) = delete;
    FormControls &operator=(const FormControls &) = delete;

    // The course's tab indexes, for the controls that take the focus.
    void setTabOrder() const;

    QPlainTextEdit *txt_question;
    QPlainTextEdit *txt_answer;
    QPushButton *cmdNextQuestion;
    QPushButton *cmd_display_note_file;
    QPushButton *cmd_displayCumulativeText;
    QPushButton *cmd_enter_response;
    QPushButton *cmd_save_as_notes;
    QPushButton *cmd_clr_answer;
    QPushButton *cmd_quit;
    PictureBox *Picture1;
    PictureBox *Picture2;
    QLabel *lbl_only_if_prompted;
    QPushButton *cmd_next_picture;
    QPushButton *cmd_copy_picture;
    QPushButton *cmd_timerTrigger;
    QListWidget *List1;
    std::array<QLabel *, 4> lbl_parameter;
    std::array<QLineEdit *, 4> txt_parameter;
    QPushButton *cmd_pend_exp;
    QTimer *tmr_pend_exp;
};
