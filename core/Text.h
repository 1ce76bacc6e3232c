#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qv {

// Timer names are compared without regard to letter case. Letters are folded
// one code point at a time: ASCII, Latin-1, Latin Extended-A, Greek and
// Cyrillic capitals map to their small letters; everything else compares as
// it stands. Invalid UTF-8 bytes compare as themselves.
std::string foldCase(std::string_view utf8);

// <0, 0, >0 like strcmp, on the folded names (code point order).
int compareNames(std::string_view a, std::string_view b);

// The first `width` characters (code points) of a UTF-8 text.
std::string cutToWidth(std::string_view utf8, int width);

// Decodes the well-formed UTF-8 sequence that starts at byte i: its length in
// bytes, or 0 when the bytes there are not one (overlong forms, surrogates and
// code points past U+10FFFF included).
int decodeUtf8(std::string_view utf8, std::size_t i, char32_t& cp);
void appendUtf8(std::string& out, char32_t cp);

// Number of characters (code points) in a UTF-8 text.
int characterCount(std::string_view utf8);

} // namespace qv
