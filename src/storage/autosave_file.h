#pragma once

#include "storage/file_system.h"

#include <QList>
#include <QString>

#include <functional>

// A text the student typed, and the item it answers.
struct TypedText
{
    QString item;
    QString text;
    bool operator==(const TypedText &) const = default;
};

// What the answer pane held when it was last saved, and the item it answers.
// The text is empty when the pane held nothing of the student's. Before it,
// oldest first, the texts that the rescue file refused: they stay in the
// autosave, whatever the pane holds later, until the rescue file takes them.
struct AutosaveContent
{
    QString item;
    QString text;
    QList<TypedText> refused;
    bool operator==(const AutosaveContent &) const = default;
};

// The autosave file of one copy of the program: a hidden file in the working
// folder named after the copy, always replaced as a whole (a new file beside
// it, written, synced and renamed over it). The copy holds the lock of the
// file at that name as long as it runs, which tells other copies that it is
// still there: each new file is locked before it takes the old one's place.
class Autosave
{
public:
    // held: the lock of the file at that name when it is taken already (a
    // copy that no longer runs, whose file is rewritten); it is the
    // Autosave's from now on.
    Autosave(FileSystem &files, const QString &folder, const QString &copyId,
             FileSystem::Handle held = FileSystem::noHandle);
    ~Autosave();
    Autosave(const Autosave &) = delete;
    Autosave &operator=(const Autosave &) = delete;

    QString path() const { return m_path; }
    // Whether a file of this copy is in place.
    bool exists() const { return m_handle != FileSystem::noHandle; }

    // False when the file could not be replaced; the one before stays.
    bool save(const AutosaveContent &content);
    // What the file holds went to the rescue file: it is emptied at once,
    // without waiting for a sync, so that a crash now does not keep it twice.
    void forget();
    // The copy ends normally and has kept what needed keeping.
    void remove();

    static QByteArray encode(const AutosaveContent &content);
    // False when the bytes are not a whole autosave.
    static bool decode(const QByteArray &bytes, AutosaveContent *content);

private:
    void holdAgain();

    FileSystem &m_files;
    QString m_path;
    FileSystem::Handle m_handle = FileSystem::noHandle;
};

inline const QString autosavePrefix = QStringLiteral(".autosave_");
inline const QString autosaveNewSuffix = QStringLiteral(".new");

// The texts that a copy which no longer runs left in its autosave, oldest
// first, the pane's last; the number of them, from the first, that were
// taken somewhere safe.
using LeftTextKeeper = std::function<qsizetype(const QList<TypedText> &)>;

// Hands the autosave of each copy in the folder that no longer runs to keep,
// and removes it once keep took every text; one that keep took only some of
// is replaced by one that holds the rest, so that no text is kept twice. An
// autosave whose lock is held belongs to a running copy and is left alone.
void takeLeftAutosaves(FileSystem &files, const QString &folder, const LeftTextKeeper &keep);
