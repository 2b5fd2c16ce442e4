#pragma once
#include <string>

// printf-style formatting of a language text. A missing text (nullptr) formats nothing; the
// result is cut at kMaxTextLength bytes.
constexpr size_t kMaxTextLength = 9999;
std::string FormatText(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
// Appends a formatted text to out, keeping out within kMaxTextLength bytes.
void AppendText(std::string& out, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
// Numbers with a fraction are shown with a decimal comma while this is set (German texts) and
// with a point otherwise. Only what is shown goes through these functions; files keep points.
void SetDecimalComma(bool comma);
bool DecimalComma();
