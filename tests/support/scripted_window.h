#pragma once

#include "app/query_form.h"
#include "figures/picture_box.h"
#include "session/session_state.h"
#include "support/fake_platform.h"

#include <QList>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTimer>

// The window on the scripted platform, as its constructor leaves it.
struct ScriptedWindow
{
    FakePlatform platform;
    QueryForm form{platform, platform};

    SessionState &session() { return form.session(); }
    PictureBox *picture1() const { return control<PictureBox>(QStringLiteral("Picture1")); }
    PictureBox *picture2() const { return control<PictureBox>(QStringLiteral("Picture2")); }
    QTimer &pendExpTimer() const { return *control<QTimer>(QStringLiteral("tmr_pend_exp")); }

    template <class Control = QWidget> Control *control(const QString &name) const
    {
        return form.findChild<Control *>(name);
    }
    void click(const QString &name) { control<QPushButton>(name)->click(); }

    // Form_Load with the start-up replies; the first random value gives the
    // code number (19 for 0).
    bool load(const QStringList &replies, const QList<float> &randoms = {0.0f})
    {
        platform.replies = replies;
        platform.randoms = randoms;
        return form.Form_Load();
    }
    // Ann, the default folder and the assignment.
    bool load(const QString &assignment)
    {
        return load({QStringLiteral("Ann"), QString(), assignment});
    }
};
