#pragma once

// The fixed texts of the records, in plain ASCII: the tutor writes them and
// the instructor's program, which has no Qt Gui, reads them from here too.
namespace RecordLabels {
inline constexpr char sectionRule[] = "......!!!!!!!!...................................";
inline constexpr char closingRule[] = ".................................................";
inline constexpr char timeIndent[] = "                                    ";
inline constexpr char numberMarker[] = "`questionNumber";
inline constexpr char responseLabel[] = "RESPONSE -->  ";
inline constexpr char confidenceLabel[] = "confidence assessment:  ";
inline constexpr char selfCritiqueLabel[] = "self critique assessment: ";
inline constexpr char notesLabel[] = "NOTES -------> ";
inline constexpr char keptLabel[] = "KEPT --------> ";
inline constexpr char assignmentLabel[] = "assignment #";
inline constexpr char courseTitle[] = "Dravonic II";
} // namespace RecordLabels
