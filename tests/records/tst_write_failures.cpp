#include "navigation/next_question.h"
#include "records/notes.h"
#include "records/response_entry.h"
#include "support/record_session.h"

#include <QtTest>

#include <unistd.h>

namespace {

enum class Breakage
{
    Removed,
    ReplacedByFile,
    ReadOnly
};

// Makes the working folder unusable; false when this machine lets the
// process write there regardless (a read-only folder, to root).
bool breakFolder(const QString &folder, Breakage how)
{
    switch (how) {
    case Breakage::Removed:
        return QDir(folder).removeRecursively();
    case Breakage::ReplacedByFile: {
        if (!QDir(folder).removeRecursively())
            return false;
        QFile file(folder);
        return file.open(QIODevice::WriteOnly);
    }
    case Breakage::ReadOnly:
        if (!QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner))
            return false;
        return ::access(QFile::encodeName(folder).constData(), W_OK) != 0;
    }
    return false;
}

void mendFolder(const QString &folder)
{
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (QFileInfo(folder).isFile())
        QFile::remove(folder);
    QDir().mkpath(folder);
}

} // namespace

class TestWriteFailures : public QObject
{
    Q_OBJECT

private slots:
    void anUnusableFolderKeepsTheStudentsText_data()
    {
        QTest::addColumn<Breakage>("how");
        QTest::addColumn<bool>("notes");
        QTest::newRow("removed, response") << Breakage::Removed << false;
        QTest::newRow("removed, note") << Breakage::Removed << true;
        QTest::newRow("a file in its place, response") << Breakage::ReplacedByFile << false;
        QTest::newRow("a file in its place, note") << Breakage::ReplacedByFile << true;
#ifndef Q_OS_WIN
        // A folder's read-only attribute does not keep files out on Windows.
        QTest::newRow("read-only, response") << Breakage::ReadOnly << false;
        QTest::newRow("read-only, note") << Breakage::ReadOnly << true;
#endif
    }

    void anUnusableFolderKeepsTheStudentsText()
    {
        QFETCH(Breakage, how);
        QFETCH(bool, notes);
        RecordSession s;
        s.atFirstItem({"`qWhat is x?", "`aIt is 3."}, QStringLiteral("x is 3\r\nsurely"));
        const QString pane = s.panes.question;
        if (!breakFolder(s.folder(), how)) {
            mendFolder(s.folder());
            QSKIP("this user may write into a read-only folder");
        }

        auto enter = [&] {
            if (notes) {
                cmd_save_as_notes_Click(s.session, s.panes, s.platform);
            } else {
                s.platform.replies = {"2"};
                cmd_enter_response_Click(s.session, s.panes, s.platform);
            }
        };
        enter();
        const bool readOnly = how == Breakage::ReadOnly;
        QCOMPARE(s.platform.problems.size(), 1);
        QVERIFY2(s.platform.problems[0].contains(s.masterPath()),
                 qPrintable(s.platform.problems[0]));
        QCOMPARE(s.panes.question, pane);
        QCOMPARE(s.panes.answer, QStringLiteral("x is 3\r\nsurely"));
        QVERIFY(!s.platform.ended);
        mendFolder(s.folder());
        QCOMPARE(s.master(), QByteArray());
        QCOMPARE(s.send(), QByteArray());
        QCOMPARE(s.notes(), QByteArray());
        if (!readOnly)
            QCOMPARE(QDir(s.folder()).entryList(QDir::Files), QStringList());

        // Once the folder is back, the same text is recorded, and only once.
        enter();
        QCOMPARE(s.platform.problems.size(), 1);
        QCOMPARE(s.panes.question, QString());
        QCOMPARE(s.panes.answer, QString());
        QVERIFY(s.master().contains("x is 3\r\nsurely\r\n"));
        QCOMPARE(s.master().count("x is 3"), 1);
        QCOMPARE(s.send().count("x is 3"), 1);
        if (notes)
            QCOMPARE(s.notes(), s.send());

        // And the reader goes on as after any record.
        s.next();
        QCOMPARE(s.session.currentText, QString());
        QCOMPARE(s.session.currentLine, QStringLiteral("It is 3."));
        QCOMPARE(s.panes.question, QStringLiteral("\r\n\r\nIt is 3."));
    }

    void aFileThatCannotBeOpenedLeavesTheOthersAsTheyWere()
    {
        RecordSession s;
        QVERIFY(openAssignment(s.session, s.platform));
        s.useBank({"`qQ"});
        s.next();
        const QByteArray master = s.master();
        const QByteArray send = s.send();

        // notes_.txt taken by a folder: the note goes nowhere.
        const QString notesPath = s.notesPath();
        QVERIFY(QDir().mkdir(notesPath));
        s.panes.answer = QStringLiteral("a note");
        cmd_save_as_notes_Click(s.session, s.panes, s.platform);
        QCOMPARE(s.platform.problems.size(), 1);
        QVERIFY2(s.platform.problems[0].contains(notesPath), qPrintable(s.platform.problems[0]));
        QCOMPARE(s.master(), master);
        QCOMPARE(s.send(), send);
        QCOMPARE(s.panes.answer, QStringLiteral("a note"));

        // The SEND file taken by a folder: the response goes nowhere either.
        const QString sendPath = s.sendPath();
        QVERIFY(QFile::remove(sendPath));
        QVERIFY(QDir().mkdir(sendPath));
        s.platform.replies = {"1"};
        cmd_enter_response_Click(s.session, s.panes, s.platform);
        QCOMPARE(s.platform.problems.size(), 2);
        QVERIFY2(s.platform.problems[1].contains(sendPath), qPrintable(s.platform.problems[1]));
        QCOMPARE(s.master(), master);
        QCOMPARE(s.panes.answer, QStringLiteral("a note"));
    }
};

QTEST_GUILESS_MAIN(TestWriteFailures)
#include "tst_write_failures.moc"
