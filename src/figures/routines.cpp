#include "routines.h"

#include "bank/line_kind.h"
#include "figure_description.h"
#include "graphs.h"
#include "picture_box.h"
#include "picture_clipboard.h"
#include "platform/platform.h"
#include "session/session_state.h"

bool runRoutine(const QString &routine, PictureBox &picture1, Platform &platform)
{
    if (routine == QLatin1String("graph1"))
        graph1(picture1);
    else if (routine == QLatin1String("graph2"))
        graph2(picture1);
    else if (routine == QLatin1String("graph3"))
        graph3(picture1);
    else {
        platform.endProgram();
        return false;
    }
    return true;
}

void cmd_next_picture_Click(SessionState &session, PictureBox &picture1, Platform &platform)
{
    for (int i = 1; i <= 2; ++i) {
        const int k = session.bankIndex + i;
        // A look-ahead past the bank finds no routine line.
        if (!QuestionBank::contains(k))
            continue;
        const QString &line = session.questionBank.at(k);
        if (!isRoutineLine(line))
            continue;
        if (!runRoutine(routineName(line), picture1, platform))
            return;
        session.bankIndex += i;
    }
}

void cmd_copy_picture_Click(PictureBox &picture1, PictureBox &picture2, PictureClipboard &clipboard)
{
    clipboard.setClipboardImage(picture1.picture());
    const QImage fromClipboard = clipboard.clipboardImage();
    picture2.setPicture(fromClipboard.isNull() ? picture1.picture() : fromClipboard);
    copyDescription(picture1, picture2);
}

void tmr_pend_exp_Timer(PictureBox &picture1, Platform &platform)
{
    platform.beep();
    const float r = platform.nextRandom();
    picture1.drawCircle(500, 500, r * 500.0f);
    describeFigure(picture1, Figure::PendExpCircles);
}
