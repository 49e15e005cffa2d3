# embed_file(INPUT OUTPUT NAME): writes a C++ source defining the function
# `NAME` that answers the file's bytes, so the program carries the text
# without a resource system to initialise. Runs at configure time and again
# whenever the input changes.
function(embed_file input output name)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${input})
    file(READ "${input}" hex HEX)
    string(LENGTH "${hex}" hexlen)
    math(EXPR size "${hexlen} / 2")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
    file(CONFIGURE OUTPUT "${output}" CONTENT "// Generated from ${input}; do not edit.
#include <QByteArrayView>
static const char kData[] = {${bytes} 0};
QByteArrayView ${name}() { return QByteArrayView(kData, ${size}); }
")
endfunction()
