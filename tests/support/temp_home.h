#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Where "c:\kestrafo" lands while it lives. On Linux, where "c:" stands for
// the home folder, a temporary folder takes the home folder's place. On
// Windows "c:\kestrafo" is that folder itself: there must be none when a test
// begins, so that no student's files are touched, and the test's is removed
// at the end.
class TempHome
{
public:
    TempHome();
    ~TempHome();

    QString path() const;
    // As the program names it: "c:\\kestrafo" on Windows.
    QString kestrafoFolder() const;
    // The whole content of a file below the home folder; empty when missing.
    QByteArray read(const QString &relativePath) const;
    bool exists(const QString &relativePath) const;
    // What came into the home folder while the test ran.
    QStringList newEntries() const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome;
    QStringList m_formerEntries;
};
