#pragma once
// Reading of the program's text files (settings, statistics, language texts): a stream of
// whitespace-separated words. Every word is bounded: characters beyond the limit are read
// and dropped, so a huge word costs time in proportion to its size and no more memory.
// A CR LF pair is read as a single LF, as the files are Windows text files.
#include <iosfwd>
#include <string>

class TokenReader {
public:
    TokenReader(std::istream& in, size_t maxTokenLength);

    // The next word (leading whitespace skipped), cut to maxTokenLength characters; false at
    // the end of the stream.
    bool Next(std::string& token);
    // Hands the word last returned by Next out once more on the next call.
    void PutBack() { PutBack(last_); }
    // Hands word out on the next call, before any word put back earlier (at most two words are
    // held; a third is dropped).
    void PutBack(const std::string& word);

    // Formatted integer input straight from the stream: whitespace, an optional sign and
    // digits. Stops right behind the last digit, so the character after the number is still
    // unread. False (nothing stored) when no digit follows. Out-of-range values are clamped.
    bool ReadInt(int& value);

    // One raw character (no whitespace skipping), or -1 at the end of the stream.
    int Get();
    int Peek();

private:
    std::streambuf* buf_;
    size_t maxTokenLength_;
    std::string last_;
    std::string held_[2];  // words put back, the next one to hand out last
    int heldCount_ = 0;
};

// Whitespace in the sense of the C library's isspace in the "C" locale.
inline bool IsSpaceChar(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Number conversions of a word, as formatted numeric input reads the start of it: a decimal
// integer or a decimal floating-point number (no hex, no "nan" or "inf"); the rest of the
// word is ignored. False when the word does not start with a number. Values out of range are
// clamped to the largest value of the type (like the C++ streams); the result is always finite.
bool ParseIntPrefix(const std::string& word, int& value);
bool ParseDoublePrefix(const std::string& word, double& value);
// The C library's atoi: optional sign and digits, anything else gives 0; clamped to int.
int AtoiClamped(const std::string& word);
