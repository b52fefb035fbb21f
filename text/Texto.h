#pragma once
// Small operations on narrow text (Windows-1252 bytes). A blank is the space character only:
// tabs, line breaks and the no-break space (0xA0) are not blanks for any of them.

#include <cstdint>
#include <string>

namespace rt {

std::string TrimLeading(std::string s);
std::string TrimTrailing(std::string s);
std::string TrimBoth(std::string s);
// The first n characters, or the whole text when n is not less than its length (none for n <= 0).
std::string LeftPart(std::string s, std::int32_t n);
// The last n characters, or the whole text when n is not less than its length (none for n <= 0).
std::string RightPart(std::string s, std::int32_t n);
// The characters A to Z of the text, in order; accented capitals are not among them.
std::string CapitalsOnly(std::string s);
// The character that follows each blank, in order; the first character is never taken.
std::string LettersAfterBlanks(std::string s);

}  // namespace rt
