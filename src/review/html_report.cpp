#include "html_report.h"

#include "class_views.h"

#include <QTextStream>

namespace {

QString esc(const QString &text)
{
    return text.toHtmlEscaped();
}

// Grouped bars: confidence and self-critique for each of 0, 1, 2, 3, other.
QString ratingChart(const QString &title, const RatingCounts &confidence,
                    const RatingCounts &selfCritique)
{
    const int width = 420, height = 200, base = 160, left = 40, group = 72;
    const struct
    {
        const RatingCounts &counts;
        const char *name;
        const char *colour;
        const char *legend;
    } series[] = {{confidence, "confidence", "#2b6cb0", "confidence"},
                  {selfCritique, "critique", "#dd6b20", "self critique"}};
    qint64 top = 1;
    for (size_t i = 0; i < 5; ++i)
        top = std::max({top, confidence[i], selfCritique[i]});
    QString svg;
    QTextStream s(&svg);
    s << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height
      << "\" role=\"img\" aria-label=\"" << esc(title) << "\">"
      << "<title>" << esc(title) << "</title>"
      << "<line x1=\"" << left << "\" y1=\"" << base << "\" x2=\"" << width - 10 << "\" y2=\""
      << base << "\" stroke=\"#444\"/>";
    const char *labels[] = {"0", "1", "2", "3", "other"};
    for (int i = 0; i < 5; ++i) {
        const int x = left + 8 + i * group;
        for (int k = 0; k < 2; ++k) {
            const qint64 value = series[k].counts[size_t(i)];
            const int h = int(value * 130 / top);
            s << "<rect class=\"" << series[k].name << "\" x=\"" << x + k * 28 << "\" y=\""
              << base - h << "\" width=\"26\" height=\"" << h << "\" fill=\"" << series[k].colour
              << "\"/>"
              << "<text x=\"" << x + k * 28 + 13 << "\" y=\"" << base - h - 4
              << "\" font-size=\"11\" text-anchor=\"middle\">" << value << "</text>";
        }
        s << "<text x=\"" << x + 27 << "\" y=\"" << base + 16
          << "\" font-size=\"12\" text-anchor=\"middle\">" << labels[i] << "</text>";
    }
    for (int k = 0; k < 2; ++k)
        s << "<rect x=\"" << left + k * 110 << "\" y=\"182\" width=\"12\" height=\"12\" fill=\""
          << series[k].colour << "\"/>"
          << "<text x=\"" << left + k * 110 + 16 << "\" y=\"192\" font-size=\"12\">"
          << series[k].legend << "</text>";
    s << "</svg>";
    return svg;
}

const char *const style =
    "body{font-family:sans-serif;margin:2em;color:#222;max-width:80em}"
    "table{border-collapse:collapse;margin:.5em 0 1.5em}"
    "td,th{border:1px solid #bbb;padding:.25em .6em;text-align:left;vertical-align:top}"
    "th{background:#eee}td.empty{background:#f6f6f6}.damage{color:#a00}"
    ".chart{display:inline-block;margin:0 1em 1em 0}"
    "details{margin:.2em 0}summary{cursor:pointer}"
    ".place{display:inline-block;min-width:5.5em;font-weight:bold}"
    ".count{display:inline-block;min-width:7em}"
    ".spread{display:inline-block;width:12em;height:.9em;background:#eee;vertical-align:middle}"
    ".spread span{display:inline-block;height:100%}"
    ".r0{background:#c53030}.r1{background:#ed8936}.r2{background:#68d391}"
    ".r3{background:#2f855a}.r4{background:#a0aec0}"
    ".numbers{display:inline-block;min-width:13em;margin-left:.5em;font-size:90%}"
    ".low>summary{background:#fff5f5}.lowmark{color:#c53030;font-weight:bold}"
    ".itemtext{color:#555}"
    "pre{white-space:pre-wrap;font-family:inherit;margin:.2em 0 .6em 1em}"
    "li{margin:.2em 0}.rating{display:inline-block;min-width:4.5em}";

QString ratingName(int rating)
{
    if (rating < 0)
        return QStringLiteral("not rated");
    return rating == 4 ? QStringLiteral("other") : QStringLiteral("rated %1").arg(rating);
}

void writeGrid(QTextStream &page, const ClassReport &report)
{
    const ProgressGrid grid = progressGrid(report);
    page << "<h2>Progress</h2>\n<p>Responses recorded by each student in each assignment, "
            "and the date of the last; an empty cell is an assignment not yet sent.</p>\n"
         << "<table class=\"grid\">\n<tr><th>student</th>";
    for (const QString &assignment : grid.assignments)
        page << "<th>" << esc(assignment) << "</th>";
    page << "</tr>\n";
    for (qsizetype student : studentOrder(report)) {
        page << "<tr><th>" << esc(report.students[student]) << "</th>";
        for (const QString &assignment : grid.assignments) {
            const GridCell cell = grid.cells.value(gridKey(student, assignment));
            if (cell.responses == 0) {
                page << "<td class=\"empty\"></td>";
                continue;
            }
            page << "<td>" << cell.responses << " <small>" << esc(cell.lastDate) << "</small></td>";
        }
        page << "</tr>\n";
    }
    page << "</table>\n";
}

void writeItem(QTextStream &page, const ClassReport &report, const ItemSpread &spread)
{
    const CourseItem &item = report.items[spread.item];
    page << (spread.low ? "<details class=\"item low\"><summary>"
                        : "<details class=\"item\"><summary>")
         << "<span class=\"place\">"
         << esc(placeOf(report, report.entries[spread.responses.constFirst()]))
         << "</span><span class=\"count\">" << spread.students
         << (spread.students == 1 ? " student" : " students") << "</span><span class=\"spread\">";
    for (size_t r = 0; r < spread.ratings.size(); ++r) {
        if (spread.ratings[r] > 0)
            page << "<span class=\"r" << qint64(r) << "\" style=\"width:"
                 << QString::number(100.0 * double(spread.ratings[r]) / double(spread.rated), 'f',
                                    1)
                 << "%\"></span>";
    }
    page << "</span><span class=\"numbers\">" << (spread.selfCritique ? "critique " : "confidence ")
         << ratingCountsText(spread.ratings) << "</span>"
         << (spread.low ? " <span class=\"lowmark\">mostly 0 or 1</span>" : "")
         << " <span class=\"itemtext\">";
    QString brief = item.text.simplified();
    if (brief.size() > 90)
        brief = brief.left(87) + QStringLiteral("...");
    page << esc(brief) << "</span></summary>\n<pre class=\"item\">" << esc(item.text)
         << "</pre>\n<ol>\n";
    for (qsizetype index : spread.responses) {
        const Entry &entry = report.entries[index];
        page << "<li><span class=\"rating\">" << ratingName(entry.rating) << "</span> <b>"
             << esc(report.students[entry.student]) << "</b> " << esc(entry.date) << "<pre>"
             << esc(entry.text) << "</pre></li>\n";
    }
    page << "</ol></details>\n";
}

void writeAssignments(QTextStream &page, const Review &review)
{
    // The charts count each record once, as the items do.
    QHash<QString, std::pair<RatingCounts, RatingCounts>> charts;
    for (const Entry &entry : review.classReport.entries) {
        if (entry.rating < 0 || entry.item < 0)
            continue;
        auto &chart = charts[review.classReport.items[entry.item].assignment];
        ++(entry.ratingKind == RatingKind::SelfCritique ? chart.second
                                                        : chart.first)[size_t(entry.rating)];
    }
    page << "<h2>Assignments</h2>\n<p>Each item of the course in course order: how many "
            "students responded and how they rated themselves (confidence after a question, "
            "self critique after a worked answer), lowest ratings in red. Items where most "
            "ratings were 0 or 1 are marked; open an item for every response, lowest rating "
            "first.</p>\n";
    for (const AssignmentItems &assignment : itemSpreads(review.classReport)) {
        page << "<h3>Assignment " << esc(assignment.assignment) << "</h3>\n";
        const auto chart = charts.constFind(assignment.assignment);
        if (chart != charts.cend())
            page << "<div class=\"chart\">"
                 << ratingChart(QStringLiteral("Ratings of assignment ") + assignment.assignment,
                                chart->first, chart->second)
                 << "</div>\n";
        for (const ItemSpread &spread : assignment.items)
            writeItem(page, review.classReport, spread);
    }
}

void writeStudents(QTextStream &page, const ClassReport &report)
{
    const QList<StudentQuestions> students = studentQuestions(report);
    page << "<h2>Questions for the instructor</h2>\n<p>Per student, every sentence of a "
            "response or a note that asks something, with the item it belongs to, and every "
            "response rated 0 or 1.</p>\n";
    for (const StudentQuestions &student : students) {
        if (student.asked.isEmpty() && student.lowRated.isEmpty())
            continue;
        page << "<h3>" << esc(report.students[student.student]) << "</h3>\n";
        if (!student.asked.isEmpty()) {
            page << "<ul class=\"asked\">\n";
            for (const Asked &asked : student.asked)
                page << "<li><span class=\"place\">"
                     << esc(placeOf(report, report.entries[asked.entry])) << "</span> "
                     << esc(asked.sentence) << "</li>\n";
            page << "</ul>\n";
        }
        if (!student.lowRated.isEmpty()) {
            page << "<details open class=\"lowrated\"><summary>Rated 0 or 1</summary><ul>\n";
            for (qsizetype index : student.lowRated) {
                const Entry &entry = report.entries[index];
                page << "<li><span class=\"place\">" << esc(placeOf(report, entry))
                     << "</span> <span class=\"rating\">" << ratingName(entry.rating)
                     << "</span><pre>" << esc(entry.text) << "</pre></li>\n";
            }
            page << "</ul></details>\n";
        }
    }
    page << "<h2>Notes and kept drafts</h2>\n<p>Notes the students saved, and answers the "
            "tutor kept because they were typed and never recorded.</p>\n";
    for (const StudentQuestions &student : students) {
        if (student.notes.isEmpty() && student.drafts.isEmpty())
            continue;
        page << "<details><summary><b>" << esc(report.students[student.student])
             << "</b>: " << student.notes.size()
             << (student.notes.size() == 1 ? " note, " : " notes, ") << student.drafts.size()
             << (student.drafts.size() == 1 ? " kept draft" : " kept drafts") << "</summary><ul>\n";
        for (const QList<qsizetype> *list : {&student.notes, &student.drafts}) {
            for (qsizetype index : *list) {
                const Entry &entry = report.entries[index];
                page << "<li>" << (entry.kind == RecordKind::Notes ? "note " : "kept draft ")
                     << esc(entry.date) << " " << esc(entry.time) << " <span class=\"place\">"
                     << esc(placeOf(report, entry)) << "</span>";
                if (!entry.reason.isEmpty())
                    page << " (" << esc(entry.reason) << ")";
                page << "<pre>" << esc(entry.text) << "</pre></li>\n";
            }
        }
        page << "</ul></details>\n";
    }
}

void writeFiles(QTextStream &page, const Review &review)
{
    page << "<h2>Files</h2>\n<table>\n<tr><th>file</th><th>student</th><th>sessions</th>"
            "<th>responses</th><th>notes</th><th>kept drafts</th><th>state</th></tr>\n";
    for (const FileSummary &file : review.files) {
        RecordCounts counts;
        for (const SessionSummary &session : file.sessions)
            counts.add(session);
        page << "<tr><td>" << esc(file.path) << "</td><td>" << esc(file.student) << "</td><td>"
             << counts.sessions << "</td><td>" << counts.responses << "</td><td>" << counts.notes
             << "</td><td>" << counts.drafts << "</td><td>";
        const QStringList flaws = file.flaws();
        if (!file.problem.isEmpty()) {
            page << "<span class=\"damage\">cannot read: " << esc(file.problem) << "</span>";
        } else if (flaws.isEmpty()) {
            page << "whole";
        } else {
            page << "<ul class=\"damage\">";
            for (const QString &flaw : flaws)
                page << "<li>" << esc(flaw) << "</li>";
            page << "</ul>";
        }
        page << "</td></tr>\n";
    }
    for (const QString &path : review.withoutRecords)
        page << "<tr><td>" << esc(path)
             << "</td><td></td><td></td><td></td><td></td><td></td>"
                "<td>holds no records of the tutor's</td></tr>\n";
    page << "</table>\n";
}

} // namespace

QByteArray htmlReport(const Review &review)
{
    QString out;
    QTextStream page(&out);
    page << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
         << "<title>kestrafo-review</title><style>" << style
         << "</style></head><body>\n<h1>Dravonic II: the class's records</h1>\n";
    const ClassReport &report = review.classReport;
    qint64 responses = 0, notes = 0, drafts = 0;
    for (const Entry &entry : report.entries) {
        responses += entry.kind == RecordKind::Response;
        notes += entry.kind == RecordKind::Notes;
        drafts += entry.kind == RecordKind::Rescue;
    }
    page << "<p>" << report.students.size() << " students, " << review.files.size()
         << " files: " << responses << " responses, " << notes << " notes, " << drafts
         << " kept drafts (a record in both the master file and a SEND "
         << "file counted once).</p>\n";
    writeGrid(page, report);
    writeAssignments(page, review);
    writeStudents(page, report);
    writeFiles(page, review);
    page << "</body></html>\n";
    page.flush();
    return out.toUtf8();
}
