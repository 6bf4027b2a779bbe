#pragma once

#include "answer_autosave.h"
#include "answer_keeper.h"
#include "ending_platform.h"
#include "session/session_state.h"
#include "text_panes.h"

#include <QTimer>
#include <QWidget>

#include <array>

class Platform;
class PictureBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// The tutor's one window. It owns the controls and the session state, and
// wires each button to the subsystem that does the work.
class QueryForm : public QWidget
{
    Q_OBJECT

public:
    explicit QueryForm(Platform &platform, QWidget *parent = nullptr);

    // The whole start-up, before the window is first shown. False when it
    // ended the program.
    bool Form_Load();
    // Both picture boxes 1000 x 1000 units, as start-up leaves them.
    void scalePictureBoxes();

    // False when the name ended the program.
    bool runRoutine(const QString &routine);
    void graph1();
    void graph2();
    void graph3();

    void cmdNextQuestion_Click();
    void cmd_enter_response_Click();
    void cmd_save_as_notes_Click();
    void cmd_display_note_file_Click();
    void cmd_displayCumulativeText_Click();
    void cmd_next_picture_Click();
    void cmd_copy_picture_Click();
    void cmd_pend_exp_Click();
    void tmr_pend_exp_Timer();
    void cmd_quit_Click();
    void cmd_clr_answer_Click();

    const SessionState &session() const { return m_session; }
    SessionState &session() { return m_session; }
    Panes &panes() { return m_panes; }
    PictureBox *picture1() const { return m_Picture1; }
    PictureBox *picture2() const { return m_Picture2; }
    QTimer &pendExpTimer() { return m_tmr_pend_exp; }
    AnswerAutosave &autosave() { return m_autosave; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    bool holdsStudentText(const QString &answer) const;
    // The answer pane's text, unless it holds nothing of the student's.
    std::optional<AnswerKeeper::Text> studentText(const QString &reason) const;
    // Keeps the answer pane's text in the rescue file before it is replaced
    // or dropped.
    void keepAnswer(const QString &reason);
    // The program is about to end normally; false when the student chose to
    // stay, which only quit and closing the window offer.
    bool endSession(const QString &reason, bool mayStay);
    void tellWhatWasRescued(int answers, int records);
    void rememberRecord(const QString &answer, bool written, const QString &failedReason);
    void buildControls();
    void setTabOrder();
    void wireControls();
    void setAccessibleTexts();
    void installShortcuts();
    void focusAnswerWhenEmptied();
    bool openAssignment();

    Platform &m_platform;
    SessionState m_session;

    QPushButton *m_cmdNextQuestion;
    QPushButton *m_cmd_display_note_file;
    QPushButton *m_cmd_displayCumulativeText;
    QPushButton *m_cmd_enter_response;
    QPushButton *m_cmd_save_as_notes;
    QPushButton *m_cmd_clr_answer;
    QPushButton *m_cmd_quit;
    QPlainTextEdit *m_txt_question;
    QPlainTextEdit *m_txt_answer;
    PictureBox *m_Picture1;
    PictureBox *m_Picture2;
    QLabel *m_lbl_only_if_prompted;
    QPushButton *m_cmd_next_picture;
    QPushButton *m_cmd_copy_picture;
    QPushButton *m_cmd_timerTrigger;
    QListWidget *m_List1;
    std::array<QLabel *, 4> m_lbl_parameter;
    std::array<QLineEdit *, 4> m_txt_parameter;
    QPushButton *m_cmd_pend_exp;
    QTimer m_tmr_pend_exp;

    TextPanes m_panes;
    EndingPlatform m_ending;
    QString m_endReason;
    QString m_lastTaken;   // what the last response or note took
    QString m_unsavedText; // what a failed response or note left in the pane
    QString m_unsavedReason;
    AnswerAutosave m_autosave;
    AnswerKeeper m_keeper;
};
