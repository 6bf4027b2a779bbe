#pragma once

#include "app/start_up.h"
#include "format/record_texts.h"
#include "navigation/next_question.h"
#include "navigation/question_reader.h"
#include "session/session_state.h"
#include "storage/native_path.h"
#include "support/crlf_lines.h"
#include "support/fake_panes.h"
#include "support/fake_platform.h"
#include "support/temp_home.h"

#include <QByteArray>
#include <QStringList>

#include <initializer_list>

// The bank holds the header, then the given lines, with the reader on the
// header as the opening of an assignment leaves it.
inline void positionAfterHeader(SessionState &session, const QString &header,
                                const QStringList &afterHeader)
{
    session.questionBank = QuestionBank();
    session.bankIndex = 0;
    loadQuestionBank(session.questionBank, session.bankIndex, QStringList{header} + afterHeader);
    session.bankIndex = 1;
}

// A session started through the start-up dialogue on 12-07-2026 at
// 14:03:27, with the default folder inside a temporary home folder. The
// opening block is not written, so the files start out missing and a record
// test can compare whole files with the record alone.
struct RecordSession
{
    explicit RecordSession(const QString &assignmentReply = QStringLiteral("5"))
    {
        platform.replies = {QStringLiteral("Ann"), QString(), assignmentReply};
        platform.randoms = {0.0f}; // code number 19
        startSession(session, platform);
        session.courseTitle = RecordTexts::courseTitle;
        platform.promptsAsked.clear();
    }

    // The session on a small bank, the reader on its header.
    RecordSession(const QString &assignmentReply, const QStringList &afterHeader)
        : RecordSession(assignmentReply)
    {
        useBank(afterHeader);
    }

    // A small bank in place of the course: the header of the session's
    // assignment, then the given lines, with the reader on the header.
    void useBank(const QStringList &afterHeader)
    {
        positionAfterHeader(session, session.assignmentNbr + QStringLiteral(".  `query"),
                            afterHeader);
    }

    // A small bank, its first item shown and the answer box holding typed.
    void atFirstItem(const QStringList &afterHeader, const QString &typed)
    {
        useBank(afterHeader);
        next();
        panes.answer = typed;
    }

    // One click of "Next Question / Answer", by default with every routine known.
    void next(const RoutineRunner &runRoutine = [](const QString &) { return true; })
    {
        cmdNextQuestion_Click(session, panes, platform, runRoutine);
    }

    // One step of the reader alone; false when it ended the program.
    bool read() { return readNextQuestion(session, panes, platform); }

    QString folder() const { return home.kestrafoFolder(); }
    QString masterPath() const { return pathInFolder(folder(), QStringLiteral("masterFile.txt")); }
    QString sendPath() const { return pathInFolder(folder(), QStringLiteral("send_1207.txt")); }
    QString notesPath() const { return pathInFolder(folder(), QStringLiteral("notes_.txt")); }
    QByteArray master() const { return home.read(QStringLiteral("kestrafo/masterFile.txt")); }
    QByteArray send() const { return home.read(QStringLiteral("kestrafo/send_1207.txt")); }
    QByteArray notes() const { return home.read(QStringLiteral("kestrafo/notes_.txt")); }
    bool hasMaster() const { return home.exists(QStringLiteral("kestrafo/masterFile.txt")); }
    bool hasSend() const { return home.exists(QStringLiteral("kestrafo/send_1207.txt")); }
    bool hasNotes() const { return home.exists(QStringLiteral("kestrafo/notes_.txt")); }

    TempHome home;
    FakePlatform platform;
    SessionState session;
    FakePanes panes;
};
