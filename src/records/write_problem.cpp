#include "write_problem.h"

QString recordNotSavedMessage(const FileStatus &failure)
{
    return QStringLiteral("Your record was NOT saved: the file %1 could not be written (%2).\n\n"
                          "Your text is still in the answer pane, so you can try again once the "
                          "problem is solved.")
        .arg(failure.path, failure.reason);
}
