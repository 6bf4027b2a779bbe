#pragma once

#include <QLatin1String>

// The fixed texts of the records, in plain ASCII: the tutor builds its lines
// from them, and the instructor's program compares the bytes it reads with
// the same constants.
namespace RecordTexts {
inline constexpr QLatin1String sectionRule("......!!!!!!!!...................................");
inline constexpr QLatin1String closingRule(".................................................");
inline constexpr QLatin1String timeIndent("                                    ");
inline constexpr QLatin1String numberMarker("`questionNumber");
inline constexpr QLatin1String responseLabel("RESPONSE -->  ");
inline constexpr QLatin1String confidenceLabel("confidence assessment:  ");
inline constexpr QLatin1String selfCritiqueLabel("self critique assessment: ");
inline constexpr QLatin1String notesLabel("NOTES -------> ");
inline constexpr QLatin1String keptLabel("KEPT --------> ");
inline constexpr QLatin1String assignmentLabel("assignment #");
inline constexpr QLatin1String courseTitle("Dravonic II");

inline constexpr QLatin1String confidencePrompt(
    "Assess your level of confidence in your answer on a scale from 0 to 3, where 0 means you "
    "have no confidence in your answer, 1 means you have some confidence, 2 means you are pretty "
    "confident and 3 means you are certain of your answer:");
inline constexpr QLatin1String selfCritiquePrompt(
    "Rate the quality of your self-critique on a 0-3 scale, where 0 indicates that self-critique "
    "was necessary on this question but was not given, 1 indicates that self-critique was "
    "necessary but the given self-critique was not adequate, 2 indicates that self-critique was "
    "necessary and was mostly adequate, and 3 indicates that either self-critique was not "
    "necessary or that after reading the solution everything was completely obvious so you "
    "skipped the self-critique.");
} // namespace RecordTexts
