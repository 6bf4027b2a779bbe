#pragma once

#include "storage/record_writer.h"

#include <QString>

// What the student reads when a record could not be saved.
QString recordNotSavedMessage(const WriteFailure &failure);
