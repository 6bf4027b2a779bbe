#pragma once

#include "app/query_form.h"
#include "figures/picture_box.h"
#include "session/session_state.h"
#include "support/fake_platform.h"

#include <QImage>
#include <QPushButton>
#include <QStringList>

// A window as start-up leaves its picture boxes, for drawing into them.
struct FigureWindow
{
    FakePlatform platform;
    QueryForm form{platform};

    FigureWindow() { form.scalePictureBoxes(); }

    SessionState &session() { return form.session(); }
    QImage picture() const { return form.picture1()->picture(); }

    // Lines stored from index first on.
    void store(int first, const QStringList &lines)
    {
        for (int i = 0; i < lines.size(); ++i)
            session().questionBank.store(first + i, lines[i]);
    }

    void click(const char *name) { form.findChild<QPushButton *>(QLatin1String(name))->click(); }
};
