#include "query_form.h"

#include "bank/line_kind.h"
#include "caption_button.h"
#include "figures/graphs.h"
#include "figures/picture_box.h"
#include "figures/routines.h"
#include "navigation/next_question.h"
#include "navigation/question_reader.h"
#include "platform/native_path.h"
#include "platform/platform.h"
#include "records/file_viewers.h"
#include "records/notes.h"
#include "records/record_code.h"
#include "records/rescue.h"
#include "records/response_entry.h"
#include "start_up.h"
#include "start_up_texts.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// The layout is given in twips, 15 to a pixel.
QRect twips(int left, int top, int width, int height)
{
    return {left / 15, top / 15, width / 15, height / 15};
}

QFont paneFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9.75);
    font.setWeight(QFont::Normal);
    return font;
}

QPlainTextEdit *makePane(QWidget *parent, const char *name, const QString &text, const QRect &at)
{
    auto *pane = new QPlainTextEdit(parent);
    pane->setObjectName(QLatin1String(name));
    pane->setFont(paneFont());
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pane->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    pane->setTabChangesFocus(true);
    pane->setPlainText(text);
    pane->setGeometry(at);
    return pane;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, const QRect &at)
{
    auto *button = new CaptionButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setGeometry(at);
    return button;
}

QLabel *makeLabel(QWidget *parent, const QString &name, const QString &caption, const QRect &at)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(at);
    return label;
}

PictureBox *makePictureBox(QWidget *parent, const char *name, const QRect &at)
{
    auto *box = new PictureBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(at);
    return box;
}

} // namespace

QueryForm::QueryForm(Platform &platform, QWidget *parent)
    : QWidget(parent), m_platform(platform),
      m_txt_question(makePane(this, "txt_question", QString(), twips(240, 720, 5175, 3255))),
      m_txt_answer(makePane(this, "txt_answer", QStringLiteral(" "), twips(5640, 720, 5055, 3255))),
      m_panes(m_txt_question, m_txt_answer), m_ending(platform, [this] { keepAnswer(m_endReason); })
{
    setWindowTitle(QStringLiteral("Form1"));
    // The buttons and labels take a small sans-serif dialog font, so that
    // the narrow captions fit as the layout intends.
    QFont controlsFont(QStringLiteral("Arial"));
    controlsFont.setPointSize(8);
    setFont(controlsFont);
    setObjectName(QStringLiteral("QueryForm"));
    resize(10875 / 15, 8595 / 15);
    buildControls();
    setTabOrder();
    wireControls();
    m_txt_question->setFocus();
}

void QueryForm::buildControls()
{
    m_cmdNextQuestion = makeButton(
        this, "cmdNextQuestion", QStringLiteral("Next Question / Answer"), twips(240, 0, 975, 735));
    m_cmd_display_note_file = makeButton(
        this, "cmd_display_note_file", QStringLiteral("display notes"), twips(2400, 240, 135, 495));
    m_cmd_displayCumulativeText =
        makeButton(this, "cmd_displayCumulativeText", QStringLiteral("display SEND file"),
                   twips(4440, 240, 915, 495));
    m_cmd_enter_response = makeButton(this, "cmd_enter_response", QStringLiteral("Enter Response"),
                                      twips(5640, 240, 855, 495));
    m_cmd_save_as_notes = makeButton(this, "cmd_save_as_notes", QStringLiteral("Save as Notes"),
                                     twips(6480, 240, 855, 495));
    m_cmd_clr_answer = makeButton(this, "cmd_clr_answer", QStringLiteral("clear answer"),
                                  twips(8880, 240, 735, 495));
    m_cmd_quit =
        makeButton(this, "cmd_quit", QStringLiteral("quit program"), twips(10200, 0, 735, 495));

    m_Picture1 = makePictureBox(this, "Picture1", twips(240, 4080, 5175, 3375));
    m_Picture2 = makePictureBox(this, "Picture2", twips(5640, 4080, 5055, 3375));

    m_lbl_only_if_prompted =
        makeLabel(this, QStringLiteral("lbl_only_if_prompted"),
                  QStringLiteral("click only if prompted"), twips(240, 7560, 855, 495));
    m_cmd_next_picture = makeButton(this, "cmd_next_picture", QStringLiteral("next picture"),
                                    twips(1200, 7560, 855, 495));
    m_cmd_copy_picture = makeButton(this, "cmd_copy_picture", QStringLiteral("copy picture"),
                                    twips(1200, 8160, 855, 495));
    m_cmd_timerTrigger = makeButton(this, "cmd_timerTrigger", QStringLiteral("Trigger Timer"),
                                    twips(2400, 7560, 735, 495));

    m_List1 = new QListWidget(this);
    m_List1->setObjectName(QStringLiteral("List1"));
    m_List1->setGeometry(twips(3120, 7680, 1695, 840));

    // The parameter boxes: index 0 and 1 on the left, 2 and 3 on the right.
    struct ParameterPlace
    {
        QRect label;
        QRect box;
    };
    const std::array<ParameterPlace, 4> places = {{
        {twips(5640, 7680, 900, 195), twips(6720, 7680, 300, 285)},
        {twips(5640, 8160, 855, 195), twips(6720, 8160, 300, 285)},
        {twips(7200, 7680, 1005, 195), twips(8205, 7680, 300, 285)},
        {twips(7200, 8160, 900, 195), twips(8205, 8160, 300, 285)},
    }};
    for (size_t i = 0; i < places.size(); ++i) {
        m_lbl_parameter[i] = makeLabel(this, QStringLiteral("lbl_parameter_%1").arg(i),
                                       QStringLiteral("Parameter %1").arg(i + 1), places[i].label);
        // One line of 13 pixels: a caption that does not fit is cut, not wrapped away.
        m_lbl_parameter[i]->setWordWrap(false);
        m_txt_parameter[i] = new QLineEdit(QStringLiteral("1"), this);
        m_txt_parameter[i]->setObjectName(QStringLiteral("txt_parameter_%1").arg(i));
        m_txt_parameter[i]->setGeometry(places[i].box);
    }

    m_cmd_pend_exp =
        makeButton(this, "cmd_pend_exp", QStringLiteral("pend exp"), twips(8640, 7560, 495, 375));

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
}

bool QueryForm::Form_Load()
{
    m_session.courseTitle = StartUpTexts::courseTitle;
    startSession();
    const int kept = recoverCutOffRecords(m_session, m_platform);
    if (kept > 0)
        m_platform.showProblem(
            QStringLiteral("The program did not end normally last time. %1 that it had not "
                           "finished saving %2 kept in the file %3.")
                .arg(kept == 1 ? QStringLiteral("One record")
                               : QStringLiteral("%1 records").arg(kept),
                     kept == 1 ? QStringLiteral("was") : QStringLiteral("were"),
                     toNativePath(draftsFilePath(m_session)).path));
    return openAssignment();
}

void QueryForm::startSession()
{
    ::startSession(m_session, m_platform, [this] {
        m_Picture1->setScaleHeight(1000);
        m_Picture1->setScaleWidth(1000);
        m_Picture2->setScaleHeight(1000);
        m_Picture2->setScaleWidth(1000);
    });
}

bool QueryForm::openAssignment()
{
    return ::openAssignment(m_session, m_platform);
}

QString QueryForm::makeCodeLine(int &codeNbr)
{
    return ::makeCodeLine(codeNbr, m_platform);
}

QString QueryForm::code(QString &a, int &codeNbr)
{
    return ::code(a, codeNbr);
}

QString QueryForm::remSpaces(QString &text)
{
    return ::remSpaces(text);
}

bool QueryForm::readNextQuestion()
{
    m_endReason = RescueReasons::endOfAssignment;
    return ::readNextQuestion(m_session, m_panes, m_ending);
}

bool QueryForm::runRoutine(QString &routine)
{
    m_endReason = RescueReasons::unknownRoutine;
    const bool known = ::runRoutine(routine, *m_Picture1, m_ending);
    m_endReason = RescueReasons::endOfAssignment;
    return known;
}

void QueryForm::keepAnswer(const QString &reason)
{
    const QString answer = m_panes.answerText();
    if (answer == m_session.responsePrompt || answer == QLatin1String(" ") || answer.isEmpty() ||
        answer == m_lastTaken)
        return;
    // A failure here is left alone: the command goes on, and the autosave
    // keeps the text for the next start.
    keepText(m_session, m_platform, m_session.currentLine,
             answer == m_unsavedText ? m_unsavedReason : reason, answer);
}

void QueryForm::rememberRecord(const QString &answer, bool written, const QString &failedReason)
{
    if (answer == m_session.responsePrompt)
        return;
    if (written) {
        m_lastTaken = answer;
        m_unsavedText.clear();
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
    ::cmdNextQuestion_Click(m_session, m_panes, m_ending, [this](const QString &name) {
        QString routine = name;
        return runRoutine(routine);
    });
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
    ::cmd_next_picture_Click(m_session, *m_Picture1, m_platform);
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
    ::tmr_pend_exp_Timer(*m_Picture1, m_platform);
}

void QueryForm::cmd_quit_Click()
{
    keepAnswer(RescueReasons::quitProgram);
    m_platform.endProgram();
}

void QueryForm::cmd_clr_answer_Click()
{
    keepAnswer(RescueReasons::clearAnswer);
    m_panes.setAnswerText(QString());
}

void QueryForm::closeEvent(QCloseEvent *event)
{
    event->accept();
    keepAnswer(RescueReasons::windowClosed);
    m_platform.endProgram();
}
