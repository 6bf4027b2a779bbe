#include "bare_window.h"

#include "app/window_controls.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

QWidget *makeBareControl(QWidget *parent, const WindowControl &place)
{
    const QString caption = QString::fromLatin1(place.caption);
    switch (place.kind) {
    case ControlKind::Pane:
        return new QPlainTextEdit(caption, parent);
    case ControlKind::Button:
        return new QPushButton(caption, parent);
    case ControlKind::Picture: {
        auto *box = new QFrame(parent);
        box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return box;
    }
    case ControlKind::Label:
    case ControlKind::OneLineLabel:
        return new QLabel(caption, parent);
    case ControlKind::List:
        return new QListWidget(parent);
    case ControlKind::Field:
        return new QLineEdit(caption, parent);
    }
    return nullptr;
}

} // namespace

BareWindow::BareWindow()
{
    resize(toPixels(windowTwips));
    for (const WindowControl &place : windowControls)
        makeBareControl(this, place)->setGeometry(toPixels(place.twips));
}
