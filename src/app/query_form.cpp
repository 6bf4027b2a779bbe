#include "query_form.h"

#include "figures/picture_box.h"
#include "figures/routines.h"
#include "form_access.h"
#include "format/record_texts.h"
#include "navigation/next_question.h"
#include "platform/platform.h"
#include "records/file_viewers.h"
#include "records/notes.h"
#include "records/rescue.h"
#include "records/response_entry.h"
#include "start_up.h"
#include "storage/native_path.h"
#include "window_controls.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

QueryForm::QueryForm(Platform &platform, PictureClipboard &clipboard, QWidget *parent)
    : QWidget(parent), m_platform(platform), m_clipboard(clipboard),
      m_controls(this, [this] { return m_panes.answerText() == m_session.responsePrompt; }),
      m_panes(m_controls.txt_question, m_controls.txt_answer),
      m_autosave([this] { return m_keeper.autosaveContent(); }),
      m_keeper(m_session, m_panes, platform, m_autosave)
{
    setWindowTitle(QStringLiteral("Form1"));
    // The buttons and labels take a small sans-serif dialog font, so that
    // the narrow captions fit as the layout intends.
    QFont controlsFont(QStringLiteral("Arial"));
    controlsFont.setPointSize(8);
    setFont(controlsFont);
    setObjectName(QStringLiteral("QueryForm"));
    resize(toPixels(windowTwips));
    m_controls.setTabOrder();
    wireControls();
    setAccessibleTexts(m_controls);
    installShortcuts(this, m_controls);
    m_controls.txt_question->setFocus();
}

void QueryForm::wireControls()
{
    const FormControls &c = m_controls;
    connect(c.cmdNextQuestion, &QPushButton::clicked, this, &QueryForm::cmdNextQuestion_Click);
    connect(c.cmd_enter_response, &QPushButton::clicked, this,
            &QueryForm::cmd_enter_response_Click);
    connect(c.cmd_save_as_notes, &QPushButton::clicked, this, &QueryForm::cmd_save_as_notes_Click);
    connect(c.cmd_display_note_file, &QPushButton::clicked, this,
            &QueryForm::cmd_display_note_file_Click);
    connect(c.cmd_displayCumulativeText, &QPushButton::clicked, this,
            &QueryForm::cmd_displayCumulativeText_Click);
    connect(c.cmd_next_picture, &QPushButton::clicked, this, &QueryForm::cmd_next_picture_Click);
    connect(c.cmd_copy_picture, &QPushButton::clicked, this, &QueryForm::cmd_copy_picture_Click);
    connect(c.cmd_pend_exp, &QPushButton::clicked, this, &QueryForm::cmd_pend_exp_Click);
    connect(c.tmr_pend_exp, &QTimer::timeout, this, &QueryForm::tmr_pend_exp_Timer);
    connect(c.cmd_quit, &QPushButton::clicked, this, &QueryForm::cmd_quit_Click);
    connect(c.cmd_clr_answer, &QPushButton::clicked, this, &QueryForm::cmd_clr_answer_Click);
    connect(c.txt_answer, &QPlainTextEdit::textChanged, &m_autosave, &AnswerAutosave::paneChanged);
    for (QPushButton *button : {c.cmd_enter_response, c.cmd_save_as_notes, c.cmd_clr_answer})
        connect(button, &QPushButton::clicked, this, &QueryForm::focusAnswerWhenEmptied);
}

// After a command that empties the panes the student types next.
void QueryForm::focusAnswerWhenEmptied()
{
    if (m_panes.answerText().isEmpty())
        m_controls.txt_answer->setFocus();
}

bool QueryForm::Form_Load()
{
    m_session.courseTitle = RecordTexts::courseTitle;
    scalePictureBoxes();
    ::startSession(m_session, m_platform);
    m_keeper.rescueLastRun();
    if (!::openAssignment(m_session, m_platform))
        return false;
    m_keeper.startAutosave();
    return true;
}

void QueryForm::scalePictureBoxes()
{
    for (PictureBox *box : {m_controls.Picture1, m_controls.Picture2}) {
        box->setScaleHeight(1000);
        box->setScaleWidth(1000);
    }
}

bool QueryForm::runRoutine(const QString &routine)
{
    EndingPlatform ending = m_keeper.endingFor(RescueReasons::unknownRoutine);
    return ::runRoutine(routine, *m_controls.Picture1, ending);
}

void QueryForm::cmdNextQuestion_Click()
{
    if (m_session.promptDue)
        m_keeper.keep(RescueReasons::nextQuestion);
    EndingPlatform ending = m_keeper.endingFor(RescueReasons::endOfAssignment);
    ::cmdNextQuestion_Click(m_session, m_panes, ending,
                            [this](const QString &name) { return runRoutine(name); });
}

void QueryForm::cmd_enter_response_Click()
{
    m_keeper.record([this] { return ::cmd_enter_response_Click(m_session, m_panes, m_platform); },
                    RescueReasons::responseNotRecorded);
}

void QueryForm::cmd_save_as_notes_Click()
{
    m_keeper.record([this] { return ::cmd_save_as_notes_Click(m_session, m_panes, m_platform); },
                    RescueReasons::noteNotSaved);
}

void QueryForm::cmd_display_note_file_Click()
{
    ::cmd_display_note_file_Click(m_session, m_panes, m_platform);
}

void QueryForm::cmd_displayCumulativeText_Click()
{
    ::cmd_displayCumulativeText_Click(m_session, m_panes, m_platform);
}

void QueryForm::cmd_next_picture_Click()
{
    EndingPlatform ending = m_keeper.endingFor(RescueReasons::unknownRoutine);
    ::cmd_next_picture_Click(m_session, *m_controls.Picture1, ending);
}

void QueryForm::cmd_copy_picture_Click()
{
    ::cmd_copy_picture_Click(*m_controls.Picture1, *m_controls.Picture2, m_clipboard);
}

void QueryForm::cmd_pend_exp_Click()
{
    if (!m_controls.tmr_pend_exp->isActive())
        m_controls.tmr_pend_exp->start();
}

void QueryForm::tmr_pend_exp_Timer()
{
    // A prompt or message runs its own event loop inside a click handler;
    // ticks that fall due while one is open are dropped, so that no tick
    // interrupts the handler.
    if (QApplication::activeModalWidget())
        return;
    ::tmr_pend_exp_Timer(*m_controls.Picture1, m_platform);
}

void QueryForm::cmd_quit_Click()
{
    if (m_keeper.end(RescueReasons::quitProgram, true))
        m_platform.endProgram();
}

void QueryForm::cmd_clr_answer_Click()
{
    m_keeper.keep(RescueReasons::clearAnswer);
    m_panes.setAnswerText(QString());
}

void QueryForm::closeEvent(QCloseEvent *event)
{
    if (!m_keeper.end(RescueReasons::windowClosed, true)) {
        event->ignore();
        return;
    }
    event->accept();
    m_platform.endProgram();
}
