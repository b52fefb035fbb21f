#include "text/Texto.h"

namespace rt {

std::string TrimLeading(std::string s) {
    const auto primero = s.find_first_not_of(' ');
    if (primero == std::string::npos) return {};
    s.erase(0, primero);
    return s;
}

std::string TrimTrailing(std::string s) {
    const auto ultimo = s.find_last_not_of(' ');
    if (ultimo == std::string::npos) return {};
    s.erase(ultimo + 1);
    return s;
}

std::string TrimBoth(std::string s) { return TrimLeading(TrimTrailing(std::move(s))); }

std::string LeftPart(std::string s, std::int32_t n) {
    if (n <= 0) return {};
    if (static_cast<std::size_t>(n) < s.size()) s.resize(static_cast<std::size_t>(n));
    return s;
}

std::string RightPart(std::string s, std::int32_t n) {
    if (n <= 0) return {};
    if (static_cast<std::size_t>(n) < s.size()) s.erase(0, s.size() - static_cast<std::size_t>(n));
    return s;
}

std::string CapitalsOnly(std::string s) {
    std::string r;
    for (const char c : s) {
        // Compared as bytes: the accented capitals of the code page are above 127 and stay out.
        if (c >= 'A' && c <= 'Z') r += c;
    }
    return r;
}

std::string LettersAfterBlanks(std::string s) {
    std::string r;
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
        if (s[i] == ' ') r += s[i + 1];
    }
    return r;
}

}  // namespace rt
