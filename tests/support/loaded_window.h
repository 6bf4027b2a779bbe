#pragma once

#include "support/scripted_window.h"
#include "support/temp_home.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Made before the window and gone after it, so that the window only ever
// sees the temporary home folder.
struct WithTempHome
{
    TempHome home;
};

// The window in the default folder inside a temporary home folder, on
// 12-07-2026 at 14:03:27; load() runs Form_Load.
struct LoadedWindow : WithTempHome, ScriptedWindow
{
    QByteArray master() const { return home.read(QStringLiteral("kestrafo/masterFile.txt")); }
    QByteArray send() const { return home.read(QStringLiteral("kestrafo/send_1207.txt")); }

    // The index of the first bank line that begins with the text, or -1.
    int indexOfLineStarting(const QString &start) const
    {
        for (int i = 1; i <= QuestionBank::lastIndex; ++i) {
            if (form.session().questionBank.at(i).startsWith(start))
                return i;
        }
        return -1;
    }

    // The first count lines that are not empty after the reader's position.
    QStringList linesAhead(int count) const
    {
        QStringList lines;
        for (int i = form.session().bankIndex + 1;
             lines.size() < count && i <= QuestionBank::lastIndex; ++i) {
            if (!form.session().questionBank.at(i).isEmpty())
                lines.append(form.session().questionBank.at(i));
        }
        return lines;
    }

    // "Next Question / Answer", the response typed, "Enter Response" and the
    // reply to the rating prompt.
    void answerNext(const QString &response, const QString &rating)
    {
        form.cmdNextQuestion_Click();
        form.panes().setAnswerText(response);
        platform.replies = {rating};
        form.cmd_enter_response_Click();
    }
};
