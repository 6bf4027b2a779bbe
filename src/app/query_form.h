#pragma once

#include "answer_autosave.h"
#include "answer_keeper.h"
#include "form_controls.h"
#include "session/session_state.h"
#include "text_panes.h"

#include <QWidget>

class Platform;
class PictureClipboard;

// The tutor's one window. It owns the controls and the session state, and
// wires each button to the subsystem that does the work.
class QueryForm : public QWidget
{
    Q_OBJECT

public:
    QueryForm(Platform &platform, PictureClipboard &clipboard, QWidget *parent = nullptr);

    // The whole start-up, before the window is first shown. False when it
    // ended the program.
    bool Form_Load();
    // Both picture boxes 1000 x 1000 units, as start-up leaves them.
    void scalePictureBoxes();

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
    AnswerAutosave &autosave() { return m_autosave; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void wireControls();
    void focusAnswerWhenEmptied();
    // False when the name ended the program.
    bool runRoutine(const QString &routine);

    Platform &m_platform;
    PictureClipboard &m_clipboard;
    SessionState m_session;
    FormControls m_controls;
    TextPanes m_panes;
    AnswerAutosave m_autosave;
    AnswerKeeper m_keeper;
};
