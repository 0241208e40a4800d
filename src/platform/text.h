// Text helpers for the program's in-memory form, UTF-16: conversion to and from UTF-8 (file
// system names, messages) and Unicode letter case, never the C locale.
#pragma once

#include <string>
#include <string_view>

namespace lorvane {

std::u16string fromUtf8(std::string_view utf8);
// A lone surrogate, which UTF-8 cannot carry, becomes `loneSurrogate`.
std::string toUtf8(std::u16string_view text, char32_t loneSurrogate = 0xFFFD);

std::u16string toLower(std::u16string_view text);
std::u16string toUpper(std::u16string_view text);

// Comparison under Unicode simple case folding.
bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b);
bool startsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix);
int compareIgnoringCase(std::u16string_view a, std::u16string_view b);
// Position of the first occurrence of needle at or after from, ignoring letter case, or npos.
std::size_t findIgnoringCase(std::u16string_view text, std::u16string_view needle,
                             std::size_t from = 0);

// Spaces (not tabs) removed at both ends, as the program's own trimming does.
std::u16string_view trimSpaces(std::u16string_view text);

// Decimal text of a number, as the program writes numbers into documents and settings.
std::u16string decimal(long long value);

// Every occurrence of `from` replaced by `to`, left to right, without re-scanning the inserted
// text. An empty `from` changes nothing. Returns the number of replacements.
std::size_t replaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to);

}  // namespace lorvane
