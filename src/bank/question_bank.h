#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The course in memory: 5001 lines with the indexes 0 to 5000. Index 0 is
// never filled. Every access is checked; readers test contains() before they
// step onto an index.
class QuestionBank
{
public:
    static constexpr int firstIndex = 0;
    static constexpr int lastIndex = 5000;

    QuestionBank();

    static bool contains(int index) { return index >= firstIndex && index <= lastIndex; }

    // Throws std::out_of_range outside 0..5000.
    const QString &at(int index) const;
    void store(int index, const QString &line);

private:
    std::vector<QString> m_lines;
};

// Stores the lines at 1, 2, 3, ..., raising bankIndex before each store, and
// leaves bankIndex at 0. Lines beyond index 5000 are not stored.
void loadQuestionBank(QuestionBank &bank, int &bankIndex, const QStringList &lines);
