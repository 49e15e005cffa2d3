#pragma once

#include <string_view>

// The address check of the reflector dialogs. The text is split at dots (a
// run of dots is one separator, dots at either end are ignored); each piece
// is read as atoi reads it: white space skipped, an optional sign, then the
// leading digits, 0 when there are none. Valid exactly when there are four
// pieces and none of them is above 255. Nothing else is tested, so "w.x.y.z"
// and "-1.2.3.4" pass: stored files rely on this leniency.
bool IsValidIPAddress(std::string_view text);
