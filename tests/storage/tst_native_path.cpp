#include "storage/native_path.h"
#include "storage/record_writer.h"
#include "support/temp_home.h"

#include <QtTest>

class TestNativePath : public QObject
{
    Q_OBJECT

private slots:
    // "~" in the expected path stands for the home folder; an empty one for
    // a text that names no path.
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
                            << "~/kestrafo";
        QTest::newRow("C:") << "C:\\kestrafo\\masterFile.txt"
                            << "~/kestrafo/masterFile.txt";
        QTest::newRow("c: without a backslash") << "c:kestrafo"
                                                << "~/kestrafo";
        QTest::newRow("doubled backslash kept") << "c:\\work\\\\masterFile.txt"
                                                << "~/work//masterFile.txt";
        QTest::newRow("another drive") << "d:\\work\\masterFile.txt" << QString();
        QTest::newRow("no drive") << "/home/ann/calc\\masterFile.txt"
                                  << "/home/ann/calc/masterFile.txt";
        QTest::newRow("relative") << "calc"
                                  << "calc";
#endif
    }

    void pathTexts()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        TempHome home;
        const NativePath native = toNativePath(text);
        if (expected.isEmpty()) {
            QVERIFY(!native.ok());
            QVERIFY2(native.error.contains(text.left(2)), qPrintable(native.error));
            return;
        }
        QVERIFY2(native.ok(), qPrintable(native.error));
        if (expected.startsWith(u'~'))
            expected.replace(0, 1, home.path());
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

#ifndef Q_OS_WIN
    void aLeadingTildeIsTheHomeFolder()
    {
        TempHome home;
        QCOMPARE(toNativePath(QStringLiteral("~")).path, home.path());
        QCOMPARE(toNativePath(QStringLiteral("~/calc\\masterFile.txt")).path,
                 home.path() + "/calc/masterFile.txt");
        QCOMPARE(toNativePath(QStringLiteral("~\\masterFile.txt")).path,
                 home.path() + "/masterFile.txt");
        // Another user's folder, and a tilde inside a name, are left alone.
        QCOMPARE(toNativePath(QStringLiteral("~ann/calc")).path, QStringLiteral("~ann/calc"));
        QCOMPARE(toNativePath(QStringLiteral("calc/~")).path, QStringLiteral("calc/~"));
    }
#endif
};

QTEST_APPLESS_MAIN(TestNativePath)
#include "tst_native_path.moc"
