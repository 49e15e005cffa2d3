#pragma once

#include <QString>

// Why the program cannot show windows here, or an empty string. Asked
// before the application object exists, so that a missing display gets a
// plain explanation instead of the toolkit's abort.
QString MissingDisplayReason(int argc, char **argv);

// The advice printed with it.
QString MissingDisplayAdvice();
