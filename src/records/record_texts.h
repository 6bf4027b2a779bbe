#pragma once

#include "record_labels.h"

#include <QString>

// The fixed texts of the records, exactly as the instructor's tools read them.
namespace RecordTexts {
inline const QString sectionRule = QString::fromLatin1(RecordLabels::sectionRule);
inline const QString closingRule = QString::fromLatin1(RecordLabels::closingRule);
inline const QString timeIndent = QString::fromLatin1(RecordLabels::timeIndent);
inline const QString numberMarker = QString::fromLatin1(RecordLabels::numberMarker);
inline const QString responseLabel = QString::fromLatin1(RecordLabels::responseLabel);
inline const QString confidenceLabel = QString::fromLatin1(RecordLabels::confidenceLabel);
inline const QString selfCritiqueLabel = QString::fromLatin1(RecordLabels::selfCritiqueLabel);
inline const QString notesLabel = QString::fromLatin1(RecordLabels::notesLabel);

inline const QString confidencePrompt = QStringLiteral(
    "Assess your level of confidence in your answer on a scale from 0 to 3, where 0 means you "
    "have no confidence in your answer, 1 means you have some confidence, 2 means you are pretty "
    "confident and 3 means you are certain of your answer:");
inline const QString selfCritiquePrompt = QStringLiteral(
    "Rate the quality of your self-critique on a 0-3 scale, where 0 indicates that self-critique "
    "was necessary on this question but was not given, 1 indicates that self-critique was "
    "necessary but the given self-critique was not adequate, 2 indicates that self-critique was "
    "necessary and was mostly adequate, and 3 indicates that either self-critique was not "
    "necessary or that after reading the solution everything was completely obvious so you "
    "skipped the self-critique.");
} // namespace RecordTexts
