#pragma once

#include "figures/picture_box.h"
#include "support/scripted_window.h"

#include <QImage>
#include <QStringList>

// A window as start-up leaves its picture boxes, for drawing into them.
struct FigureWindow : ScriptedWindow
{
    FigureWindow() { form.scalePictureBoxes(); }

    QImage picture() const { return picture1()->picture(); }

    // Lines stored from index first on.
    void store(int first, const QStringList &lines)
    {
        for (int i = 0; i < lines.size(); ++i)
            session().questionBank.store(first + i, lines[i]);
    }
};
