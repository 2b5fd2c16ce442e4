#include "framework/TokenReader.h"

#include <locale.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <istream>

namespace {
constexpr int kEof = std::char_traits<char>::eof();

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads an optionally signed run of digits at word[pos...]; clamps to int.
bool ParseIntAt(const std::string& word, size_t pos, int& value) {
    bool negative = false;
    if (pos < word.size() && (word[pos] == '+' || word[pos] == '-')) negative = word[pos++] == '-';
    if (pos >= word.size() || !IsDigit(word[pos])) return false;
    long long v = 0;
    for (; pos < word.size() && IsDigit(word[pos]); ++pos) {
        v = v * 10 + (word[pos] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1) v = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) v = -v;
    value = v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
    return true;
}

// The "C" locale, so that a decimal point is always a point whatever the process locale is.
locale_t CLocale() {
    static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}
}  // namespace

TokenReader::TokenReader(std::istream& in, size_t maxTokenLength)
    : buf_(in.rdbuf()), maxTokenLength_(maxTokenLength) {}

// A read error (the file buffer throws, for instance on a folder or a failing disk) ends the
// stream like the end of the file.
int TokenReader::Get() {
    if (buf_ == nullptr) return -1;
    try {
        int c = buf_->sbumpc();
        if (c == kEof) return -1;
        if (c == '\r' && buf_->sgetc() == '\n') c = buf_->sbumpc();
        return static_cast<unsigned char>(c);
    } catch (...) {
        buf_ = nullptr;
        return -1;
    }
}

// May return the CR of a CR LF pair; both are whitespace, so no caller needs to tell them apart.
int TokenReader::Peek() {
    if (buf_ == nullptr) return -1;
    try {
        int c = buf_->sgetc();
        return c == kEof ? -1 : static_cast<unsigned char>(c);
    } catch (...) {
        buf_ = nullptr;
        return -1;
    }
}

void TokenReader::PutBack(const std::string& word) {
    if (heldCount_ < 2) held_[heldCount_++] = word;
}

bool TokenReader::Next(std::string& token) {
    if (heldCount_ > 0) {
        last_ = held_[--heldCount_];
        token = last_;
        return true;
    }
    int c = Peek();
    while (c >= 0 && IsSpaceChar(c)) {
        Get();
        c = Peek();
    }
    if (c < 0) return false;
    last_.clear();
    while (c >= 0 && !IsSpaceChar(c)) {
        Get();
        if (last_.size() < maxTokenLength_) last_.push_back(static_cast<char>(c));
        c = Peek();
    }
    token = last_;
    return true;
}

bool TokenReader::ReadInt(int& value) {
    int c = Peek();
    while (c >= 0 && IsSpaceChar(c)) {
        Get();
        c = Peek();
    }
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        Get();
        c = Peek();
    }
    if (c < 0 || !IsDigit(static_cast<char>(c))) return false;
    long long v = 0;
    while (c >= 0 && IsDigit(static_cast<char>(c))) {
        v = v * 10 + (c - '0');
        if (v > static_cast<long long>(INT_MAX) + 1) v = static_cast<long long>(INT_MAX) + 1;
        Get();
        c = Peek();
    }
    if (negative) v = -v;
    value = v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
    return true;
}

bool ParseIntPrefix(const std::string& word, int& value) { return ParseIntAt(word, 0, value); }

bool ParseDoublePrefix(const std::string& word, double& value) {
    // The longest prefix of the form [sign] digits [. digits] [e [sign] digits].
    size_t i = 0;
    if (i < word.size() && (word[i] == '+' || word[i] == '-')) ++i;
    size_t digits = 0;
    while (i < word.size() && IsDigit(word[i])) ++i, ++digits;
    if (i < word.size() && word[i] == '.') {
        ++i;
        while (i < word.size() && IsDigit(word[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < word.size() && (word[i] == 'e' || word[i] == 'E')) {
        size_t j = i + 1;
        if (j < word.size() && (word[j] == '+' || word[j] == '-')) ++j;
        if (j < word.size() && IsDigit(word[j])) {
            while (j < word.size() && IsDigit(word[j])) ++j;
            i = j;
        }
    }
    std::string number = word.substr(0, i);
    double v = strtod_l(number.c_str(), nullptr, CLocale());
    if (!std::isfinite(v)) v = std::copysign(DBL_MAX, v);
    value = v;
    return true;
}

int AtoiClamped(const std::string& word) {
    size_t pos = 0;
    while (pos < word.size() && IsSpaceChar(static_cast<unsigned char>(word[pos]))) ++pos;
    int value = 0;
    return ParseIntAt(word, pos, value) ? value : 0;
}
