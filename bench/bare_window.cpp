#include "bare_window.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

QRect twips(int left, int top, int width, int height)
{
    return {left / 15, top / 15, width / 15, height / 15};
}

} // namespace

BareWindow::BareWindow()
{
    resize(725, 573);
    const struct
    {
        const char *caption;
        QRect at;
    } buttons[] = {
        {"Next Question / Answer", twips(240, 0, 975, 735)},
        {"display notes", twips(2400, 240, 135, 495)},
        {"display SEND file", twips(4440, 240, 915, 495)},
        {"Enter Response", twips(5640, 240, 855, 495)},
        {"Save as Notes", twips(6480, 240, 855, 495)},
        {"clear answer", twips(8880, 240, 735, 495)},
        {"quit program", twips(10200, 0, 735, 495)},
        {"next picture", twips(1200, 7560, 855, 495)},
        {"copy picture", twips(1200, 8160, 855, 495)},
        {"Trigger Timer", twips(2400, 7560, 735, 495)},
        {"pend exp", twips(8640, 7560, 495, 375)},
    };
    for (const auto &b : buttons)
        (new QPushButton(QString::fromLatin1(b.caption), this))->setGeometry(b.at);
    (new QPlainTextEdit(this))->setGeometry(twips(240, 720, 5175, 3255));
    (new QPlainTextEdit(QStringLiteral(" "), this))->setGeometry(twips(5640, 720, 5055, 3255));
    for (const QRect &at : {twips(240, 4080, 5175, 3375), twips(5640, 4080, 5055, 3375)}) {
        auto *box = new QFrame(this);
        box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        box->setGeometry(at);
    }
    (new QLabel(QStringLiteral("click only if prompted"), this))
        ->setGeometry(twips(240, 7560, 855, 495));
    (new QListWidget(this))->setGeometry(twips(3120, 7680, 1695, 840));
    const QRect labels[] = {twips(5640, 7680, 900, 195), twips(5640, 8160, 855, 195),
                            twips(7200, 7680, 1005, 195), twips(7200, 8160, 900, 195)};
    const QRect boxes[] = {twips(6720, 7680, 300, 285), twips(6720, 8160, 300, 285),
                           twips(8205, 7680, 300, 285), twips(8205, 8160, 300, 285)};
    for (int i = 0; i < 4; ++i) {
        (new QLabel(QStringLiteral("Parameter %1").arg(i + 1), this))->setGeometry(labels[i]);
        (new QLineEdit(QStringLiteral("1"), this))->setGeometry(boxes[i]);
    }
}
