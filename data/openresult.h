#pragma once

// How opening a database file ended, in every layer from reading the file
// to the Open command.
enum class OpenResult {
    Opened,
    NotOpenable, // the file cannot be read; the document is as it was
    Malformed,   // not a reflector list; nothing of it was loaded
    Cancelled,   // given up before reading (a kept change, no memory); may open another time
};
