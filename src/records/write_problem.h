#pragma once

#include "storage/file_system.h"

#include <QString>

// What the student reads when a record could not be saved.
QString recordNotSavedMessage(const FileStatus &failure);
