#include "form_controls.h"

#include "answer_pane.h"
#include "caption_button.h"
#include "figures/picture_box.h"
#include "window_controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace {

QFont paneFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9.75);
    font.setWeight(QFont::Normal);
    return font;
}

template <typename T> T *placed(T *control, const QByteArray &name)
{
    const WindowControl &place = windowControl(name.constData());
    control->setObjectName(QLatin1String(place.name));
    control->setGeometry(toPixels(place.twips));
    return control;
}

QString captionOf(const QByteArray &name)
{
    return QString::fromLatin1(windowControl(name.constData()).caption);
}

QPlainTextEdit *setUpPane(QPlainTextEdit *pane, const QByteArray &name)
{
    pane->setFont(paneFont());
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pane->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    pane->setTabChangesFocus(true);
    pane->setPlainText(captionOf(name));
    return placed(pane, name);
}

QPushButton *makeButton(QWidget *window, const QByteArray &name)
{
    auto *button = new CaptionButton(captionOf(name), window);
    button->setAutoDefault(false);
    button->setDefault(false);
    return placed(button, name);
}

QLabel *makeLabel(QWidget *window, const QByteArray &name)
{
    auto *label = new QLabel(captionOf(name), window);
    label->setTextFormat(Qt::PlainText);
    // One line of 13 pixels: a caption that does not fit is cut, not wrapped away.
    label->setWordWrap(windowControl(name.constData()).kind != ControlKind::OneLineLabel);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return placed(label, name);
}

QLineEdit *makeField(QWidget *window, const QByteArray &name)
{
    return placed(new QLineEdit(captionOf(name), window), name);
}

} // namespace

FormControls::FormControls(QWidget *window, AnswerPane::HoldsInstructions holdsInstructions)
    : txt_question(setUpPane(new QPlainTextEdit(window), "txt_question")),
      txt_answer(setUpPane(new AnswerPane(std::move(holdsInstructions), window), "txt_answer")),
      cmdNextQuestion(makeButton(window, "cmdNextQuestion")),
      cmd_display_note_file(makeButton(window, "cmd_display_note_file")),
      cmd_displayCumulativeText(makeButton(window, "cmd_displayCumulativeText")),
      cmd_enter_response(makeButton(window, "cmd_enter_response")),
      cmd_save_as_notes(makeButton(window, "cmd_save_as_notes")),
      cmd_clr_answer(makeButton(window, "cmd_clr_answer")),
      cmd_quit(makeButton(window, "cmd_quit")),
      Picture1(placed(new PictureBox(window), "Picture1")),
      Picture2(placed(new PictureBox(window), "Picture2")),
      lbl_only_if_prompted(makeLabel(window, "lbl_only_if_prompted")),
      cmd_next_picture(makeButton(window, "cmd_next_picture")),
      cmd_copy_picture(makeButton(window, "cmd_copy_picture")),
      cmd_timerTrigger(makeButton(window, "cmd_timerTrigger")),
      List1(placed(new QListWidget(window), "List1")), lbl_parameter{}, txt_parameter{}
{
    // Label and box in turn, as the table has them.
    for (size_t i = 0; i < lbl_parameter.size(); ++i) {
        lbl_parameter[i] = makeLabel(window, "lbl_parameter_" + QByteArray::number(qulonglong(i)));
        txt_parameter[i] = makeField(window, "txt_parameter_" + QByteArray::number(qulonglong(i)));
    }
    cmd_pend_exp = makeButton(window, "cmd_pend_exp");
    tmr_pend_exp = new QTimer(window);
    tmr_pend_exp->setObjectName(QStringLiteral("tmr_pend_exp"));
    tmr_pend_exp->setInterval(15);
}

void FormControls::setTabOrder() const
{
    const QList<QWidget *> order = {
        txt_question,
        txt_answer,
        cmdNextQuestion,
        cmd_enter_response,
        Picture1,
        Picture2,
        cmd_save_as_notes,
        cmd_timerTrigger,
        List1,
        txt_parameter[0],
        txt_parameter[1],
        txt_parameter[2],
        txt_parameter[3],
        cmd_displayCumulativeText,
        cmd_display_note_file,
        cmd_quit,
        cmd_pend_exp,
        cmd_next_picture,
        cmd_copy_picture,
        cmd_clr_answer,
    };
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}
