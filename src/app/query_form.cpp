#include "query_form.h"

#include "answer_pane.h"
#include "caption_button.h"
#include "figures/figure_description.h"
#include "figures/graphs.h"
#include "figures/picture_box.h"
#include "figures/routines.h"
#include "navigation/next_question.h"
#include "platform/platform.h"
#include "records/file_viewers.h"
#include "records/notes.h"
#include "records/rescue.h"
#include "records/response_entry.h"
#include "start_up.h"
#include "start_up_texts.h"
#include "storage/native_path.h"
#include "window_controls.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QShortcut>

namespace {

QFont paneFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9.75);
    font.setWeight(QFont::Normal);
    return font;
}

template <typename T> T *placed(T *control, const WindowControl &place)
{
    control->setObjectName(QLatin1String(place.name));
    control->setGeometry(toPixels(place.twips));
    return control;
}

QPlainTextEdit *setUpPane(QPlainTextEdit *pane, const WindowControl &place)
{
    pane->setFont(paneFont());
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pane->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    pane->setTabChangesFocus(true);
    pane->setPlainText(QString::fromLatin1(place.caption));
    return placed(pane, place);
}

QPlainTextEdit *makePane(QWidget *parent, const WindowControl &place)
{
    return setUpPane(new QPlainTextEdit(parent), place);
}

QPushButton *makeButton(QWidget *parent, const WindowControl &place)
{
    auto *button = new CaptionButton(QString::fromLatin1(place.caption), parent);
    button->setAutoDefault(false);
    button->setDefault(false);
    return placed(button, place);
}

QLabel *makeLabel(QWidget *parent, const WindowControl &place)
{
    auto *label = new QLabel(QString::fromLatin1(place.caption), parent);
    label->setTextFormat(Qt::PlainText);
    // One line of 13 pixels: a caption that does not fit is cut, not wrapped away.
    label->setWordWrap(place.kind != ControlKind::OneLineLabel);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return placed(label, place);
}

QWidget *makeControl(QWidget *parent, const WindowControl &place)
{
    switch (place.kind) {
    case ControlKind::Pane:
        return makePane(parent, place);
    case ControlKind::Button:
        return makeButton(parent, place);
    case ControlKind::Picture:
        return placed(new PictureBox(parent), place);
    case ControlKind::Label:
    case ControlKind::OneLineLabel:
        return makeLabel(parent, place);
    case ControlKind::List:
        return placed(new QListWidget(parent), place);
    case ControlKind::Field:
        return placed(new QLineEdit(QString::fromLatin1(place.caption), parent), place);
    }
    return nullptr;
}

template <typename T> T *child(const QWidget *window, const QString &name)
{
    return window->findChild<T *>(name, Qt::FindDirectChildrenOnly);
}

} // namespace

QueryForm::QueryForm(Platform &platform, QWidget *parent)
    : QWidget(parent), m_platform(platform),
      m_txt_question(makePane(this, windowControl("txt_question"))),
      m_txt_answer(setUpPane(
          new AnswerPane([this] { return m_panes.answerText() == m_session.responsePrompt; }, this),
          windowControl("txt_answer"))),
      m_panes(m_txt_question, m_txt_answer),
      m_ending(platform, [this] { endSession(m_endReason, false); }), m_autosave([this] {
          const QString answer = m_panes.answerText();
          const bool held =
              holdsStudentText(answer) && !m_keeper.isWaiting(m_session.currentLine, answer);
          return AutosaveContent{m_session.currentLine, held ? answer : QString(),
                                 m_keeper.waiting()};
      }),
      m_keeper(m_session, platform, m_autosave)
{
    setWindowTitle(QStringLiteral("Form1"));
    // The buttons and labels take a small sans-serif dialog font, so that
    // the narrow captions fit as the layout intends.
    QFont controlsFont(QStringLiteral("Arial"));
    controlsFont.setPointSize(8);
    setFont(controlsFont);
    setObjectName(QStringLiteral("QueryForm"));
    resize(toPixels(windowTwips));
    buildControls();
    setTabOrder();
    wireControls();
    setAccessibleTexts();
    installShortcuts();
    m_txt_question->setFocus();
}

void QueryForm::buildControls()
{
    // The panes are made first, for the panes interface.
    for (const WindowControl &place : windowControls) {
        if (place.kind != ControlKind::Pane)
            makeControl(this, place);
    }
    m_cmdNextQuestion = child<QPushButton>(this, QStringLiteral("cmdNextQuestion"));
    m_cmd_display_note_file = child<QPushButton>(this, QStringLiteral("cmd_display_note_file"));
    m_cmd_displayCumulativeText =
        child<QPushButton>(this, QStringLiteral("cmd_displayCumulativeText"));
    m_cmd_enter_response = child<QPushButton>(this, QStringLiteral("cmd_enter_response"));
    m_cmd_save_as_notes = child<QPushButton>(this, QStringLiteral("cmd_save_as_notes"));
    m_cmd_clr_answer = child<QPushButton>(this, QStringLiteral("cmd_clr_answer"));
    m_cmd_quit = child<QPushButton>(this, QStringLiteral("cmd_quit"));
    m_Picture1 = child<PictureBox>(this, QStringLiteral("Picture1"));
    m_Picture2 = child<PictureBox>(this, QStringLiteral("Picture2"));
    m_lbl_only_if_prompted = child<QLabel>(this, QStringLiteral("lbl_only_if_prompted"));
    m_cmd_next_picture = child<QPushButton>(this, QStringLiteral("cmd_next_picture"));
    m_cmd_copy_picture = child<QPushButton>(this, QStringLiteral("cmd_copy_picture"));
    m_cmd_timerTrigger = child<QPushButton>(this, QStringLiteral("cmd_timerTrigger"));
    m_List1 = child<QListWidget>(this, QStringLiteral("List1"));
    for (size_t i = 0; i < m_lbl_parameter.size(); ++i) {
        m_lbl_parameter[i] = child<QLabel>(this, QStringLiteral("lbl_parameter_%1").arg(i));
        m_txt_parameter[i] = child<QLineEdit>(this, QStringLiteral("txt_parameter_%1").arg(i));
    }
    m_cmd_pend_exp = child<QPushButton>(this, QStringLiteral("cmd_pend_exp"));

    m_tmr_pend_exp.setObjectName(QStringLiteral("tmr_pend_exp"));
    m_tmr_pend_exp.setInterval(15);
}

void QueryForm::setTabOrder()
{
    // The course's tab indexes, for the controls that take the focus.
    const QList<QWidget *> order = {
        m_txt_question,
        m_txt_answer,
        m_cmdNextQuestion,
        m_cmd_enter_response,
        m_Picture1,
        m_Picture2,
        m_cmd_save_as_notes,
        m_cmd_timerTrigger,
        m_List1,
        m_txt_parameter[0],
        m_txt_parameter[1],
        m_txt_parameter[2],
        m_txt_parameter[3],
        m_cmd_displayCumulativeText,
        m_cmd_display_note_file,
        m_cmd_quit,
        m_cmd_pend_exp,
        m_cmd_next_picture,
        m_cmd_copy_picture,
        m_cmd_clr_answer,
    };
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void QueryForm::wireControls()
{
    connect(m_cmdNextQuestion, &QPushButton::clicked, this, &QueryForm::cmdNextQuestion_Click);
    connect(m_cmd_enter_response, &QPushButton::clicked, this,
            &QueryForm::cmd_enter_response_Click);
    connect(m_cmd_save_as_notes, &QPushButton::clicked, this, &QueryForm::cmd_save_as_notes_Click);
    connect(m_cmd_display_note_file, &QPushButton::clicked, this,
            &QueryForm::cmd_display_note_file_Click);
    connect(m_cmd_displayCumulativeText, &QPushButton::clicked, this,
            &QueryForm::cmd_displayCumulativeText_Click);
    connect(m_cmd_next_picture, &QPushButton::clicked, this, &QueryForm::cmd_next_picture_Click);
    connect(m_cmd_copy_picture, &QPushButton::clicked, this, &QueryForm::cmd_copy_picture_Click);
    connect(m_cmd_pend_exp, &QPushButton::clicked, this, &QueryForm::cmd_pend_exp_Click);
    connect(&m_tmr_pend_exp, &QTimer::timeout, this, &QueryForm::tmr_pend_exp_Timer);
    connect(m_cmd_quit, &QPushButton::clicked, this, &QueryForm::cmd_quit_Click);
    connect(m_cmd_clr_answer, &QPushButton::clicked, this, &QueryForm::cmd_clr_answer_Click);
    connect(m_txt_answer, &QPlainTextEdit::textChanged, &m_autosave, &AnswerAutosave::paneChanged);
    for (QPushButton *button : {m_cmd_enter_response, m_cmd_save_as_notes, m_cmd_clr_answer})
        connect(button, &QPushButton::clicked, this, &QueryForm::focusAnswerWhenEmptied);
}

// Names and descriptions for screen readers; nothing here shows on screen.
void QueryForm::setAccessibleTexts()
{
    m_txt_question->setAccessibleName(QStringLiteral("Questions and worked answers"));
    m_txt_question->setAccessibleDescription(
        QStringLiteral("The assignment's questions and worked answers, the newest at the end. "
                       "The notes file and the SEND file are shown here too."));
    m_txt_answer->setAccessibleName(QStringLiteral("Your answer"));
    m_txt_answer->setAccessibleDescription(QStringLiteral(
        "Type your response here. Enter starts a new line; Ctrl+Enter records the response."));
    m_Picture1->setAccessibleName(QStringLiteral("Picture"));
    describeEmptyPicture(*m_Picture1);
    m_Picture2->setAccessibleName(QStringLiteral("Copied picture"));
    describeEmptyPicture(*m_Picture2);
    m_List1->setAccessibleName(QStringLiteral("List"));
    m_List1->setAccessibleDescription(QStringLiteral("Not used by the course; it stays empty."));
    for (size_t i = 0; i < m_txt_parameter.size(); ++i) {
        m_txt_parameter[i]->setAccessibleName(m_lbl_parameter[i]->text());
        m_txt_parameter[i]->setAccessibleDescription(
            QStringLiteral("Not used by the course; what you type here has no effect."));
    }
    const QList<QWidget *> captioned = {
        m_cmdNextQuestion,    m_cmd_display_note_file, m_cmd_displayCumulativeText,
        m_cmd_enter_response, m_cmd_save_as_notes,     m_cmd_clr_answer,
        m_cmd_quit,           m_cmd_next_picture,      m_cmd_copy_picture,
        m_cmd_timerTrigger,   m_cmd_pend_exp,
    };
    for (QWidget *button : captioned)
        button->setAccessibleName(static_cast<QPushButton *>(button)->text());
    m_lbl_only_if_prompted->setAccessibleName(m_lbl_only_if_prompted->text());
    for (QLabel *label : m_lbl_parameter)
        label->setAccessibleName(label->text());
}

// Every key needs Ctrl, so typing an answer cannot set one off, and plain
// Enter stays a new line. "quit program" has none: it ends at once.
void QueryForm::installShortcuts()
{
    struct Binding
    {
        QPushButton *button;
        QList<QKeySequence> keys;
    };
    const QList<Binding> bindings = {
        {m_cmd_enter_response,
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}},
        {m_cmdNextQuestion, {QKeySequence(Qt::CTRL | Qt::Key_N)}},
        {m_cmd_save_as_notes, {QKeySequence(Qt::CTRL | Qt::Key_S)}},
        {m_cmd_clr_answer, {QKeySequence(Qt::CTRL | Qt::Key_L)}},
        {m_cmd_display_note_file, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N)}},
        {m_cmd_displayCumulativeText, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}},
    };
    for (const Binding &binding : bindings) {
        for (const QKeySequence &key : binding.keys) {
            auto *shortcut = new QShortcut(key, this);
            connect(shortcut, &QShortcut::activated, binding.button, &QPushButton::click);
        }
        const QString key = binding.keys.first().toString(QKeySequence::NativeText);
        binding.button->setToolTip(binding.button->text() + QStringLiteral(" (") + key +
                                   QLatin1Char(')'));
        binding.button->setAccessibleDescription(QStringLiteral("Shortcut: ") + key);
    }
}

// After a command that empties the panes the student types next.
void QueryForm::focusAnswerWhenEmptied()
{
    if (m_panes.answerText().isEmpty())
        m_txt_answer->setFocus();
}

bool QueryForm::Form_Load()
{
    m_session.courseTitle = StartUpTexts::courseTitle;
    scalePictureBoxes();
    ::startSession(m_session, m_platform);
    const int records = recoverCutOffRecords(m_session, m_platform);
    const int answers = rescueLeftAutosaves(m_session, m_platform);
    tellWhatWasRescued(answers, records);
    if (!openAssignment())
        return false;
    const NativePath folder = toNativePath(m_session.workFolder);
    if (folder.ok())
        m_autosave.start(m_platform.files(), folder.path,
                         QStringLiteral("%1_%2")
                             .arg(QCoreApplication::applicationPid())
                             .arg(QRandomGenerator::system()->generate(), 8, 16, QLatin1Char('0')));
    return true;
}

void QueryForm::tellWhatWasRescued(int answers, int records)
{
    if (answers == 0 && records == 0)
        return;
    QStringList kept;
    if (answers > 0)
        kept.append(answers == 1
                        ? QStringLiteral("one answer you had typed and not recorded")
                        : QStringLiteral("%1 answers you had typed and not recorded").arg(answers));
    if (records > 0)
        kept.append(records == 1
                        ? QStringLiteral("one record that was not finished")
                        : QStringLiteral("%1 records that were not finished").arg(records));
    m_platform.showProblem(
        QStringLiteral("From the last time the program ran, %1 %2 kept in "
                       "the file %3.")
            .arg(kept.join(QStringLiteral(" and ")),
                 answers + records == 1 ? QStringLiteral("was") : QStringLiteral("were"),
                 toNativePath(draftsFilePath(m_session)).path));
}

void QueryForm::scalePictureBoxes()
{
    for (PictureBox *box : {m_Picture1, m_Picture2}) {
        box->setScaleHeight(1000);
        box->setScaleWidth(1000);
    }
}

bool QueryForm::openAssignment()
{
    return ::openAssignment(m_session, m_platform);
}

bool QueryForm::runRoutine(const QString &routine)
{
    m_endReason = RescueReasons::unknownRoutine;
    const bool known = ::runRoutine(routine, *m_Picture1, m_ending);
    m_endReason = RescueReasons::endOfAssignment;
    return known;
}

bool QueryForm::holdsStudentText(const QString &answer) const
{
    return answer != m_session.responsePrompt && answer != QLatin1String(" ") &&
           !answer.isEmpty() && answer != m_lastTaken;
}

std::optional<AnswerKeeper::Text> QueryForm::studentText(const QString &reason) const
{
    const QString answer = m_panes.answerText();
    if (!holdsStudentText(answer))
        return std::nullopt;
    return AnswerKeeper::Text{m_session.currentLine, answer,
                              answer == m_unsavedText ? m_unsavedReason : reason};
}

void QueryForm::keepAnswer(const QString &reason)
{
    // A failure here does not stop the command: the autosave holds the text.
    m_keeper.keep(studentText(reason));
}

bool QueryForm::endSession(const QString &reason, bool mayStay)
{
    return m_keeper.end(studentText(reason), mayStay);
}

void QueryForm::rememberRecord(const QString &answer, bool written, const QString &failedReason)
{
    if (answer == m_session.responsePrompt)
        return;
    if (written) {
        m_lastTaken = answer;
        m_unsavedText.clear();
        m_keeper.recorded();
    } else {
        m_unsavedText = answer;
        m_unsavedReason = failedReason;
    }
}

void QueryForm::graph1()
{
    ::graph1(*m_Picture1);
}

void QueryForm::graph2()
{
    ::graph2(*m_Picture1);
}

void QueryForm::graph3()
{
    ::graph3(*m_Picture1);
}

void QueryForm::cmdNextQuestion_Click()
{
    if (m_session.promptDue)
        keepAnswer(RescueReasons::nextQuestion);
    m_endReason = RescueReasons::endOfAssignment;
    ::cmdNextQuestion_Click(m_session, m_panes, m_ending,
                            [this](const QString &name) { return runRoutine(name); });
}

void QueryForm::cmd_enter_response_Click()
{
    const QString answer = m_panes.answerText();
    rememberRecord(answer, ::cmd_enter_response_Click(m_session, m_panes, m_platform),
                   RescueReasons::responseNotRecorded);
}

void QueryForm::cmd_save_as_notes_Click()
{
    const QString answer = m_panes.answerText();
    rememberRecord(answer, ::cmd_save_as_notes_Click(m_session, m_panes, m_platform),
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
    m_endReason = RescueReasons::unknownRoutine;
    ::cmd_next_picture_Click(m_session, *m_Picture1, m_ending);
}

void QueryForm::cmd_copy_picture_Click()
{
    ::cmd_copy_picture_Click(*m_Picture1, *m_Picture2, m_platform);
}

void QueryForm::cmd_pend_exp_Click()
{
    if (!m_tmr_pend_exp.isActive())
        m_tmr_pend_exp.start();
}

void QueryForm::tmr_pend_exp_Timer()
{
    // A prompt or message runs its own event loop inside a click handler;
    // ticks that fall due while one is open are dropped, so that no tick
    // interrupts the handler.
    if (QApplication::activeModalWidget())
        return;
    ::tmr_pend_exp_Timer(*m_Picture1, m_platform);
}

void QueryForm::cmd_quit_Click()
{
    if (endSession(RescueReasons::quitProgram, true))
        m_platform.endProgram();
}

void QueryForm::cmd_clr_answer_Click()
{
    keepAnswer(RescueReasons::clearAnswer);
    m_panes.setAnswerText(QString());
}

void QueryForm::closeEvent(QCloseEvent *event)
{
    if (!endSession(RescueReasons::windowClosed, true)) {
        event->ignore();
        return;
    }
    event->accept();
    m_platform.endProgram();
}
