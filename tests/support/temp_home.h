#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary folder that stands for the student's home folder while it
// lives, so that "c:\kestrafo" lands inside it.
class TempHome
{
public:
    TempHome();
    ~TempHome();

    QString path() const { return m_dir.path(); }
    QString kestrafoFolder() const { return m_dir.path() + QStringLiteral("/kestrafo"); }
    // The whole content of a file below the home folder; empty when missing.
    QByteArray read(const QString &relativePath) const;
    bool exists(const QString &relativePath) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome;
};
