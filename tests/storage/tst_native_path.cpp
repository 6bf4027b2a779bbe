#include "storage/native_path.h"
#include "support/temp_home.h"

#include <QtTest>

class TestNativePath : public QObject
{
    Q_OBJECT

private slots:
    void driveCIsTheHomeFolderInEitherCase()
    {
        TempHome home;
        QCOMPARE(toNativePath(QStringLiteral("c:\\kestrafo")).path, home.path() + "/kestrafo");
        QCOMPARE(toNativePath(QStringLiteral("C:\\kestrafo\\masterFile.txt")).path,
                 home.path() + "/kestrafo/masterFile.txt");
        QCOMPARE(toNativePath(QStringLiteral("c:kestrafo")).path, home.path() + "/kestrafo");
    }

    void aDoubledBackslashIsKeptAsTheStudentTypedIt()
    {
        TempHome home;
        QCOMPARE(toNativePath(QStringLiteral("c:\\work\\\\masterFile.txt")).path,
                 home.path() + "/work//masterFile.txt");
    }

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

    void otherDrivesDoNotExist()
    {
        const NativePath d = toNativePath(QStringLiteral("d:\\work\\masterFile.txt"));
        QVERIFY(!d.ok());
        QVERIFY(d.error.contains("d:"));
    }

    void pathsWithoutADriveAreUsedAsTyped()
    {
        QCOMPARE(toNativePath(QStringLiteral("/home/ann/calc\\masterFile.txt")).path,
                 QStringLiteral("/home/ann/calc/masterFile.txt"));
        QCOMPARE(toNativePath(QStringLiteral("calc")).path, QStringLiteral("calc"));
    }
};

QTEST_APPLESS_MAIN(TestNativePath)
#include "tst_native_path.moc"
