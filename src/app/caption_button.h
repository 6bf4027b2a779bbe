#pragma once

#include <QPushButton>

// A command button whose caption wraps onto as many lines as the button's
// width needs, as the course's narrow buttons expect.
class CaptionButton : public QPushButton
{
    Q_OBJECT

public:
    explicit CaptionButton(const QString &caption, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
