#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// Reads the course data file (its format is described at the top of
// course_content.txt) into one text per bank line.
struct CourseData
{
    QStringList lines;
    QString error; // names the file line at fault; empty when the data is sound
};

CourseData parseCourseData(QByteArrayView data);
