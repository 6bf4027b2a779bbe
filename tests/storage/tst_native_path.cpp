#include "storage/native_path.h"
#include "storage/record_writer.h"
#include "support/temp_home.h"

#include <QtTest>

class TestNativePath : public QObject
{
    Q_OBJECT

private slots:
    // "<home>" in the expected path stands for the home folder; an empty one
    // for a text that names no path.
    void pathTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
#ifdef Q_OS_WIN
        // The text is the path, drive letter and doubled backslash alike.
        for (const char *text :
             {"c:\\kestrafo", "C:\\kestrafo\\masterFile.txt", "c:\\work\\\\masterFile.txt",
              "d:\\work\\masterFile.txt", "\\\\server\\share\\calc", "calc"})
            QTest::newRow(text) << QString::fromLatin1(text) << QString::fromLatin1(text);
#else
        QTest::newRow("c:") << "c:\\kestrafo"
                            << "<home>/kestrafo";
        QTest::newRow("C:") << "C:\\kestrafo\\masterFile.txt"
                            << "<home>/kestrafo/masterFile.txt";
        QTest::newRow("c: without a backslash") << "c:kestrafo"
                                                << "<home>/kestrafo";
        QTest::newRow("doubled backslash kept") << "c:\\work\\\\masterFile.txt"
                                                << "<home>/work//masterFile.txt";
        QTest::newRow("another drive") << "d:\\work\\masterFile.txt" << QString();
        QTest::newRow("no drive") << "/home/ann/calc\\masterFile.txt"
                                  << "/home/ann/calc/masterFile.txt";
        QTest::newRow("relative") << "calc"
                                  << "calc";
        QTest::newRow("tilde alone") << "~"
                                     << "<home>";
        QTest::newRow("tilde and slash") << "~/calc\\masterFile.txt"
                                         << "<home>/calc/masterFile.txt";
        QTest::newRow("tilde and backslash") << "~\\masterFile.txt"
                                             << "<home>/masterFile.txt";
        // Another user's folder, and a tilde inside a name, are left alone.
        QTest::newRow("another user's folder") << "~ann/calc"
                                               << "~ann/calc";
        QTest::newRow("tilde inside a name") << "calc/~"
                                             << "calc/~";
#endif
    }

    void pathTexts()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        TempHome home;
        const FileStatus native = toNativePath(text);
        if (expected.isEmpty()) {
            QVERIFY(!native.ok());
            QVERIFY(native.missing);
            QCOMPARE(native.path, text);
            QVERIFY2(native.reason.contains(text.left(2)), qPrintable(native.reason));
            return;
        }
        QVERIFY2(native.ok(), qPrintable(native.reason));
        expected.replace(QStringLiteral("<home>"), home.path());
        QCOMPARE(native.path, expected);
    }

    // The journal lies beside the first file of its records, in the folder
    // the path names once it is absolute and clean.
    void theJournalBesideTheFirstFile_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("journal"); // "." stands for the current folder
#ifdef Q_OS_WIN
        QTest::newRow("plain") << "c:\\kestrafo\\masterFile.txt"
                               << "c:\\kestrafo\\.masterFile.txt.journal";
        QTest::newRow("upper-case drive, slashes and dots")
            << "C:/work//calc/../kestrafo/drafts_.txt"
            << "c:\\work\\kestrafo\\.drafts_.txt.journal";
        QTest::newRow("name alone") << "masterFile.txt"
                                    << ".\\.masterFile.txt.journal";
#else
        QTest::newRow("plain") << "/home/ann/kestrafo/masterFile.txt"
                               << "/home/ann/kestrafo/.masterFile.txt.journal";
        QTest::newRow("doubled slash and dots") << "/home//ann/./calc/../kestrafo/drafts_.txt"
                                                << "/home/ann/kestrafo/.drafts_.txt.journal";
        QTest::newRow("relative") << "kestrafo/masterFile.txt"
                                  << "./kestrafo/.masterFile.txt.journal";
        QTest::newRow("name alone") << "masterFile.txt"
                                    << "./.masterFile.txt.journal";
        QTest::newRow("top folder") << "/masterFile.txt"
                                    << "/.masterFile.txt.journal";
#endif
    }

    void theJournalBesideTheFirstFile()
    {
        QFETCH(QString, first);
        QFETCH(QString, journal);
        if (journal.startsWith(u'.'))
            journal.replace(0, 1, absolutePathOf(QDir::currentPath()));
        QCOMPARE(journalPathFor(first), journal);
    }
};

QTEST_APPLESS_MAIN(TestNativePath)
#include "tst_native_path.moc"
