#include "question_bank.h"

#include <stdexcept>
#include <string>

namespace {

void checkIndex(int index)
{
    if (!QuestionBank::contains(index))
        throw std::out_of_range("question bank index " + std::to_string(index) +
                                " is outside 0 to 5000");
}

} // namespace

QuestionBank::QuestionBank() : m_lines(lastIndex + 1) {}

const QString &QuestionBank::at(int index) const
{
    checkIndex(index);
    return m_lines[size_t(index)];
}

void QuestionBank::store(int index, const QString &line)
{
    checkIndex(index);
    m_lines[size_t(index)] = line;
}

void loadQuestionBank(QuestionBank &bank, int &bankIndex, const QStringList &lines)
{
    for (const QString &line : lines) {
        if (bankIndex + 1 > QuestionBank::lastIndex)
            break;
        ++bankIndex;
        bank.store(bankIndex, line);
    }
    bankIndex = 0;
}
