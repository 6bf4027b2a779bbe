#pragma once

#include "records/record_labels.h"

#include <QByteArrayView>

#include <cstring>

// The tutor's fixed record texts as bytes, and quick comparisons with them.
namespace RecordTexts {
inline constexpr QByteArrayView sectionRule = RecordLabels::sectionRule;
inline constexpr QByteArrayView closingRule = RecordLabels::closingRule;
inline constexpr QByteArrayView timeIndent = RecordLabels::timeIndent;
inline constexpr QByteArrayView numberMarker = RecordLabels::numberMarker;
inline constexpr QByteArrayView responseLabel = RecordLabels::responseLabel;
inline constexpr QByteArrayView notesLabel = RecordLabels::notesLabel;
inline constexpr QByteArrayView keptLabel = RecordLabels::keptLabel;
inline constexpr QByteArrayView confidenceLabel = RecordLabels::confidenceLabel;
inline constexpr QByteArrayView selfCritiqueLabel = RecordLabels::selfCritiqueLabel;
inline constexpr QByteArrayView assignmentLabel = RecordLabels::assignmentLabel;
inline constexpr QByteArrayView courseTitle = RecordLabels::courseTitle;

// Comparisons with a fixed text of known length, which the compiler turns
// into a few word compares instead of a call.
inline bool startsWith(QByteArrayView line, QByteArrayView text)
{
    return line.size() >= text.size() &&
           std::memcmp(line.data(), text.data(), size_t(text.size())) == 0;
}

inline bool endsWith(QByteArrayView line, QByteArrayView text)
{
    return line.size() >= text.size() && startsWith(line.last(text.size()), text);
}

inline bool equals(QByteArrayView line, QByteArrayView text)
{
    return line.size() == text.size() && startsWith(line, text);
}

// The master file's number line: the marker, a space, the number.
inline bool isNumberLine(QByteArrayView line)
{
    return startsWith(line, numberMarker) && line.size() > numberMarker.size() &&
           line[numberMarker.size()] == ' ';
}
} // namespace RecordTexts
