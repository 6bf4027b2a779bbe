#include "support/autosave_files.h"
#include "support/faulty_file_system.h"
#include "support/loaded_window.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QtTest>

// The answer pane's autosave: written a second behind the typing, never in
// part, held under its lock while the copy runs, gone when the copy ends
// after keeping the text, and left to the next start when it could not.
class TestAutosave : public QObject
{
    Q_OBJECT

private slots:
    void followsThePane_data();
    void followsThePane();
    void replacedWholeOrNotAtAll();
};

namespace {

// Whether a running copy holds the lock of the file at path.
bool lockHeld(FileSystem &files, const QString &path)
{
    FileSystem::Handle handle = FileSystem::noHandle;
    bool created = false;
    if (!files.openForAppend(path, FileSystem::Creation::Never, &handle, &created).ok())
        return false;
    const bool held = !files.lockExclusive(handle, 0).ok();
    files.close(handle);
    return held;
}

} // namespace

void TestAutosave::followsThePane_data()
{
    QTest::addColumn<QString>("ending");
    QTest::addColumn<bool>("draftsBroken");
    QTest::addColumn<bool>("autosaveStays");
    QTest::newRow("quit") << "quit" << false << false;
    QTest::newRow("window closed") << "close" << false << false;
    QTest::newRow("quit, rescue file refused") << "quit" << true << true;
    QTest::newRow("window closed, rescue file refused") << "close" << true << true;
    QTest::newRow("recorded, then quit") << "record" << true << false;
    QTest::newRow("cleared, then killed") << "clear" << false << true;
}

void TestAutosave::followsThePane()
{
    QFETCH(QString, ending);
    QFETCH(bool, draftsBroken);
    QFETCH(bool, autosaveStays);
    NativeFileSystem native;
    FaultyFileSystem faulty(native); // outlives the window, which holds the autosave
    LoadedWindow w;
    w.platform.fileSystem = &faulty;
    QVERIFY(w.load(QStringLiteral("1")));
    w.form.cmdNextQuestion_Click();
    auto *pane = w.form.findChild<QPlainTextEdit *>(QStringLiteral("txt_answer"));
    pane->selectAll();
    QTest::keyClicks(pane, QStringLiteral("dy/dx = 2x"));

    // Typing writes nothing; the timer runs at most a second.
    QCOMPARE(autosavesIn(w.home), QStringList());
    QVERIFY(w.form.autosave().timer().isActive());
    QVERIFY(w.form.autosave().timer().interval() <= 1000);
    w.form.autosave().saveNow();
    QVERIFY(!w.form.autosave().timer().isActive());
    QCOMPARE(autosavesIn(w.home).size(), 1);
    QCOMPARE(autosaveIn(w.home).text, QStringLiteral("dy/dx = 2x"));
    QCOMPARE(autosaveIn(w.home).item, w.form.session().currentLine);
    QVERIFY(lockHeld(w.platform.nativeFiles(), w.form.autosave().file()->path()));

    // Nothing changed: nothing written again.
    const int calls = faulty.calls();
    w.form.autosave().saveNow();
    QCOMPARE(faulty.calls(), calls);

    QTest::keyClicks(pane, QStringLiteral(", so 4 at 2"));
    const QString typed = QStringLiteral("dy/dx = 2x, so 4 at 2");
    if (draftsBroken)
        QVERIFY(QDir(w.home.kestrafoFolder()).mkdir(QStringLiteral("drafts_.txt")));
    if (ending == QLatin1String("clear")) {
        // Kept by the command: a kill now must not keep it a second time
        // from the autosave, which the timer has not replaced yet.
        w.form.cmd_clr_answer_Click();
        QVERIFY(w.home.read(QStringLiteral("kestrafo/drafts_.txt")).contains(typed.toLatin1()));
        QCOMPARE(autosavesIn(w.home).size(), 1);
        QVERIFY(!w.home.read(QStringLiteral("kestrafo/") + autosavesIn(w.home).first())
                     .contains("dy/dx"));
        return;
    }
    if (ending == QLatin1String("record")) {
        w.platform.replies = {QStringLiteral("2")};
        w.form.cmd_enter_response_Click();
        QVERIFY(w.platform.problems.isEmpty());
        w.form.cmd_quit_Click();
    } else if (ending == QLatin1String("close")) {
        w.form.show();
        w.form.close();
    } else {
        w.form.cmd_quit_Click();
    }
    QVERIFY(w.platform.ended);

    if (autosaveStays) {
        // The last keystrokes too, for the next start, as a refused text.
        QCOMPARE(autosavesIn(w.home).size(), 1);
        const QList<TypedText> refused = {{w.form.session().currentLine, typed}};
        QCOMPARE(autosaveIn(w.home).refused, refused);
    } else {
        QCOMPARE(autosavesIn(w.home), QStringList());
        if (ending != QLatin1String("record"))
            QVERIFY(w.home.read(QStringLiteral("kestrafo/drafts_.txt")).contains(typed.toLatin1()));
    }
}

// Each call of a replacement failing in turn: the file at the name is the
// former autosave or the new one, whole, and still under this copy's lock.
void TestAutosave::replacedWholeOrNotAtAll()
{
    TempHome home;
    QVERIFY(QDir(home.path()).mkdir(QStringLiteral("kestrafo")));
    FakePlatform platform;
    const AutosaveContent before{QStringLiteral("What is x?"), QStringLiteral("x = 3")};
    const AutosaveContent after{QStringLiteral("What is x?"), QString(200000, QLatin1Char('y'))};
    for (int n = 1;; ++n) {
        FaultyFileSystem faulty(platform.nativeFiles());
        Autosave autosave(faulty, home.kestrafoFolder(), QStringLiteral("copy"));
        QVERIFY(autosave.save(before));
        const int callsBefore = faulty.calls();
        faulty.inject(FaultyFileSystem::Fault::FailOnce, callsBefore + n);
        const bool saved = autosave.save(after);
        if (!faulty.triggered()) {
            QVERIFY(saved);
            // The new text is on the disk before it takes the old one's name:
            // a sync comes between its last write and the rename.
            QList<FaultyFileSystem::Call> calls;
            for (const FaultyFileSystem::Entry &entry : faulty.log)
                calls.append(entry.call);
            const qsizetype renamed = calls.lastIndexOf(FaultyFileSystem::Call::Rename);
            QVERIFY(renamed > 0);
            QVERIFY(calls.lastIndexOf(FaultyFileSystem::Call::Sync, renamed) >
                    calls.lastIndexOf(FaultyFileSystem::Call::Write, renamed));
            break;
        }
        AutosaveContent found;
        QVERIFY2(Autosave::decode(home.read(QStringLiteral("kestrafo/.autosave_copy")), &found),
                 qPrintable(QStringLiteral("call %1").arg(n)));
        QVERIFY(found == before || found == after);
        FaultyFileSystem::Call failed = FaultyFileSystem::Call::MakeFolder;
        for (const FaultyFileSystem::Entry &entry : faulty.log)
            if (entry.failed)
                failed = entry.call;
        // Only the folder's sync comes after the new file took the name.
        QCOMPARE(found == after, saved || failed == FaultyFileSystem::Call::SyncFolder);
        QVERIFY(!home.exists(QStringLiteral("kestrafo/.autosave_copy.new")));
        QVERIFY(lockHeld(platform.nativeFiles(), autosave.path()));
        QCOMPARE(faulty.openHandles(), 1);
        autosave.remove();
        QCOMPARE(faulty.openHandles(), 0);
        QVERIFY(!home.exists(QStringLiteral("kestrafo/.autosave_copy")));
    }
}

QTEST_MAIN(TestAutosave)
#include "tst_autosave.moc"
