#pragma once

#include <QByteArrayView>

#include <cstring>

// The fixed texts of the tutor's records, as its writer puts them in files.
namespace RecordTexts {
inline constexpr QByteArrayView sectionRule = "......!!!!!!!!...................................";
inline constexpr QByteArrayView closingRule = ".................................................";
inline constexpr QByteArrayView timeIndent = "                                    ";
inline constexpr QByteArrayView numberMarker = "`questionNumber ";
inline constexpr QByteArrayView responseLabel = "RESPONSE -->  ";
inline constexpr QByteArrayView notesLabel = "NOTES -------> ";
inline constexpr QByteArrayView keptLabel = "KEPT --------> ";
inline constexpr QByteArrayView confidenceLabel = "confidence assessment:  ";
inline constexpr QByteArrayView selfCritiqueLabel = "self critique assessment: ";
inline constexpr QByteArrayView assignmentLabel = "assignment #";
inline constexpr QByteArrayView courseTitle = "Dravonic II";

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
} // namespace RecordTexts
