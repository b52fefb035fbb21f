#pragma once
// The core keeps text as Windows-1252 bytes; the XML library speaks UTF-8. These two functions are
// the only crossing between them.

#include <string>
#include <string_view>

namespace rt {

// A character that Windows-1252 cannot hold becomes "?", as Windows does; so does a malformed
// UTF-8 sequence.
std::string Utf8AAnsi(std::string_view utf8);
// Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D, which Windows-1252 leaves undefined, map to U+0081 and
// so on, as Windows does.
std::string AnsiAUtf8(std::string_view ansi);

}  // namespace rt
