#pragma once

#include <QString>

// The system's reason for a failed file operation, in French, from an errno value: what the
// program shows when a file cannot be created, opened, read or written.
QString frenchFileError(int errnoValue);
