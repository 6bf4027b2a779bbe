#pragma once

#include <QDate>
#include <QList>
#include <QString>

// A class's record files, made by the tutor's own commands: each student
// works sessions in a working folder of their own, and the files it holds
// afterwards (SEND files, master file, notes file) are copied to a folder of
// the student's name.

// What the student records at one click of "Next Question / Answer" (the
// first click shows the first item).
struct SampleResponse
{
    int step = 1;
    QString text;
    QString rating; // the reply typed into the rating prompt
    QString note;   // saved as notes after the response, when not empty
};

// One run of the tutor on one assignment; it stops at the assignment's end.
struct SampleSession
{
    QString assignment; // as typed at start-up: "5"
    QDate date;
    QList<SampleResponse> responses; // in the order of their steps
};

struct SampleStudent
{
    QString name;
    QList<SampleSession> sessions;
};

// Writes FOLDER/NAME/ for every student; an error text, or empty.
QString writeSampleClass(const QString &folder, const QList<SampleStudent> &students);

// A semester of the whole course: every student works every assignment over
// two days, with responses of about responseLength characters, a question
// to the instructor now and then and a note now and then.
QList<SampleStudent> sampleSemester(int students, int responseLength);
