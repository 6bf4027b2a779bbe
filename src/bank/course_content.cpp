#include "course_content.h"

#include "course_format.h"

#include <cstddef>
#include <stdexcept>

extern const unsigned char courseContentData[];
extern const std::size_t courseContentSize;

const QStringList &courseContentLines()
{
    static const QStringList lines = [] {
        const CourseData data = parseCourseData(QByteArrayView(
            reinterpret_cast<const char *>(courseContentData), qsizetype(courseContentSize)));
        if (!data.error.isEmpty())
            throw std::runtime_error("course content: " + data.error.toStdString());
        return data.lines;
    }();
    return lines;
}
