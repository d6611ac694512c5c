#pragma once
// String: the one text and byte-buffer type of the system.
//
// Byte-oriented: it counts bytes, may hold any byte value including NUL, and folds case for
// the 26 ASCII letters only. All positions and counts are signed 32-bit and 0-based.
// kNoLimit (0x7fffffff) means "up to the end" / "no limit" where a count or maximum is asked
// for, and "measure the NUL-terminated text" where a source length is asked for.
//
// Invariants: data is null (length 0, capacity 0) or holds length bytes followed by a NUL,
// with capacity >= length + 1. Every length change goes through SetLength, which allocates
// exactly n + 21 bytes when it must grow, and shrinks in place until the string is more than
// 512 bytes below its capacity.
//
// Arguments out of range are not errors: each operation says what it returns (false, -1, 0,
// an empty result) and then leaves the string unchanged. Allocation failures go to the
// out-of-memory handler (core/OutOfMemory.h) and do not come back, except in TrySetLength,
// AssignBytes and Reserve, which report them.

#include <cstdarg>
#include <cstdint>

class Stream;

constexpr int kNoLimit = 0x7fffffff;

// Flags of Find (and of Replace, FindChar, CutFrom where they say so).
enum : int {
    kFindIgnoreCase = 0x0001,  // ASCII case folding
    kFindWholeWord = 0x0002,   // match only between non-word characters (letter, digit, '_')
    kFindWildcard = 0x0004,    // '?' in the needle matches any one byte
    kFindFirstOnly = 0x0008,   // Replace: stop after the first, return its position
    kFindSkipQuoted = 0x0010,  // text between double quotes is skipped
    kFindBackwards = 0x0020,   // scan from min(start - 1, length - needleLength) towards 0
                               // (with kFindSkipQuoted, quoting is judged from the text's start)
    kFindBehindMatch = 0x2000, // return the position just behind the match
    kFindCharSet = 0x4000,     // the needle is a set of bytes; a match is one byte of it
};

// Flags of FindLineEnd (with kFindSkipQuoted).
enum : int {
    kLineEndAtBreak = 0x40,  // return the position of the break itself
    kLineEndOrLength = 0x80, // return the length instead of -1 when no break follows
};

// Flags of RemoveChars (with kFindIgnoreCase, kFindFirstOnly, kFindSkipQuoted, kFindBackwards).
enum : int {
    kRemoveStopAtKept = 0x40, // stop at the first byte that stays (a trim of that end)
    kRemoveNotInSet = 0x80,   // delete the bytes that are not in the set
};

class String {
public:
    // ---------------------------------------------------------------- construction
    constexpr String() : data_(nullptr), length_(0), capacity_(0) {}   // null data
    String(const char* text);                                // as Assign(text)
    String(const String& other);                             // copies the bytes
    String(String&& other) noexcept;                         // takes the buffer; other empty
    String(const char* bytes, int n);                        // as Assign(bytes, n)
    explicit String(char c);                                 // one byte (also NUL)
    ~String();

    String& operator=(const String& other);                  // as Assign(other)
    String& operator=(String&& other) noexcept;              // takes the buffer; other empty
    String& operator=(const char* text);                     // as Assign(text)

    // n in decimal, with a leading '-' for negatives.
    static String FromInteger(long long n);
    // x with "%.*f" and the given decimals; decimals < 0: "%.6f" with trailing '0's and a
    // trailing '.' stripped.
    static String FromDouble(double x, int decimals);

    // ---------------------------------------------------------------- size and buffer
    // Releases the buffer: data null, length 0, capacity 0.
    void Clear();
    // The text; a static empty text when data is null. Never null.
    const char* CStr() const { return data_ ? data_ : emptyText(); }
    // The buffer itself; null for a string without one.
    char* Data() { return data_; }
    const char* Data() const { return data_; }
    int Length() const { return length_; }
    int Capacity() const { return capacity_; }
    bool IsEmpty() const { return length_ < 1; }

    // n < 1 releases the buffer. Otherwise length becomes n, the NUL is written at n, the first
    // min(old length, n) bytes are kept, new bytes are uninitialised. Reallocates to exactly
    // n + 21 bytes when n >= capacity or n < capacity - 512. Allocation failure: fatal.
    void SetLength(int n);
    // As SetLength, but an allocation failure returns false and leaves the string unchanged.
    bool TrySetLength(int n);
    // n < capacity: raises the length to n when below it (NUL written), returns false.
    // Otherwise SetLength(n) and returns true.
    bool EnsureLength(int n);
    // TrySetLength(length + extra); pointer to the first new byte, null for extra < 0 or
    // an allocation failure (string unchanged).
    char* Reserve(int extra);
    // SetLength(length - n).
    void Shrink(int n);
    // Hands the buffer (may be null) to the caller, who releases it with releaseMemory
    // (core/OutOfMemory.h); the string is left empty.
    char* Detach();

    // ---------------------------------------------------------------- assigning
    // The NUL-terminated text; null or "" clears.
    void Assign(const char* text);
    // n bytes of source (kNoLimit: measure the NUL-terminated source); n < 1 or null clears.
    // The source may lie inside this string's own buffer.
    void Assign(const char* source, int n);
    void Assign(const String& other);
    // Exactly n bytes (NULs included), the length set with TrySetLength. False on allocation
    // failure (string unchanged); n < 1 or null bytes clears and returns true.
    bool AssignBytes(const void* bytes, int n);
    // At most max bytes of text, stopping at a NUL.
    void AssignMax(const char* text, int max);

    // ---------------------------------------------------------------- splicing
    // Replaces the count bytes at pos with sourceLength bytes from source (null counts as
    // length 0). False, nothing changed, unless 0 <= pos <= length; with count > 0 also when
    // sourceLength < 0 (count is clipped to length - pos); with count <= 0 when
    // sourceLength < 1. Splice(pos, count, nullptr, 0) deletes. The source may lie inside
    // this string's own buffer.
    bool Splice(int pos, int count, const char* source, int sourceLength);

    // Splice(length, 0, ...): false when nothing was appended (empty source).
    bool Append(char c);
    bool Append(const char* text);
    bool Append(const String& other);
    bool Append(const char* bytes, int n);
    // Splice(0, 0, text, length of text); returns the number of bytes inserted (0 on failure).
    int Prepend(const char* text);
    // Inserts c at 0 unless the first byte already is c; true when inserted.
    bool PrependCharOnce(char c);
    // Inserts min(source length, max) bytes at pos; false for pos outside 0..length or nothing
    // to insert.
    bool Insert(int pos, const String& source, int max = kNoLimit);
    bool Insert(int pos, const char* source, int max = kNoLimit);
    // Inserts count copies of c at pos; false for count < 1 or pos outside 0..length.
    bool InsertChars(char c, int pos, int count);

    // ---------------------------------------------------------------- removing
    // Splice(pos, count, nullptr, 0): count bytes (clipped) at pos; nothing when out of range.
    void Delete(int pos, int count);
    // Remove min(n, length) bytes at the front / the end (nothing for n < 1); return the count.
    int DropFirst(int n);
    int DropLast(int n);
    // Remove the first / last byte when it equals c; true when removed.
    bool RemoveFirstIf(char c);
    bool RemoveLastIf(char c);
    // Remove the first byte when it is one of the bytes of set; true when removed.
    bool RemoveFirstIfAnyOf(const char* set);
    // The first byte (0 when empty), which is removed.
    char PopFirst();
    // n = min(length of text, max); requires 1 <= n <= length. When the first n bytes equal
    // the first n bytes of text ignoring case, removes them and returns true.
    bool StripPrefix(const char* text, int max = kNoLimit);
    // n = min(length of text, max); requires max >= 1 and n <= length (an empty text succeeds
    // and removes nothing). When the last n bytes equal the last n bytes of text ignoring
    // case, removes them and returns true.
    bool StripSuffix(const char* text, int max = kNoLimit);
    // n = min(length of text, max), 1 <= n <= length required; true when the first n bytes
    // equal text exactly.
    bool StartsWith(const char* text, int max = kNoLimit) const;
    // When the first and the last byte are both c (and the string has two bytes or more),
    // removes both and returns true.
    bool Unquote(char c = '"');
    // Inserts '"' at 0 and appends one; true.
    bool Quote();
    // Appends "\r\n" unless the last byte is CR or LF; true when appended (an empty string
    // gets one).
    bool EnsureTrailingLineBreak();
    // The last byte is CR or LF.
    bool EndsWithLineBreak() const;

    // ---------------------------------------------------------------- single bytes
    // 0 when empty or i outside the string.
    char First() const;
    char Last() const;
    char CharAt(int i) const;
    bool IsFirst(char c) const;
    bool IsLast(char c) const;
    bool Contains(char c) const;
    // Pointer to byte i; an index outside 0..length-1 is an internal error (module Core).
    char* ByteAt(int i);
    const char* ByteAt(int i) const;
    // Little-endian word at offset; 0xFFFFFFFF when offset < 0 or offset > length - 4.
    uint32_t ReadU32At(int offset) const;
    // Store little-endian; false (unchanged) when the field does not fit inside the length.
    bool WriteU16At(int offset, uint16_t value);
    bool WriteU32At(int offset, uint32_t value);

    // ---------------------------------------------------------------- pieces
    // out receives min(count, length - p) bytes from p = max(pos, 0); false and out cleared
    // when that is < 1.
    bool Mid(String& out, int pos, int count) const;
    // Mid(out, pos, count), then Delete(pos, count).
    void Cut(String& out, int pos, int count);
    // Find(needle, 0, flags); when found, cuts from there to the end into out, else out empty.
    void CutFrom(String& out, const char* needle, int flags = 0);
    // out receives the text before the first c, which is removed together with c; without c,
    // out receives the whole string and the string is cleared.
    void TakeUntil(String& out, char c);
    // out receives the text up to the first line break (or NUL); the line and its break
    // (CR LF, LF CR, or a single CR, LF or NUL) are removed; without a break, all.
    // out must not be this string (nothing happens then); the same holds for Cut, CutFrom
    // and TakeUntil.
    void TakeLine(String& out);
    // The next word of a command line in source: leading whitespace trimmed, bytes collected
    // up to a whitespace byte (consumed) or the end; a '"' starts a quoted part collected with
    // its quotes, in which "" stands for one '"'. The word is removed from source.
    static String NextToken(String& source);
    // When the byte at pos is quote: returns the text up to the closing quote (a doubled
    // quote inside collapses to one) and removes the quoted section, quotes included (an
    // unclosed section runs to the end). Otherwise returns empty, string unchanged.
    String ExtractQuoted(char quote, int pos);

    // ---------------------------------------------------------------- comparing
    // Compares with a NUL-terminated text. Null or empty text: 0 if this is empty, else 1.
    // No buffer: -1. Else n = min(min(length, text length) + 1, maxCount) bytes (so a proper
    // prefix differs) are compared as unsigned bytes, or with ASCII folding when caseSensitive
    // is false; n < 1 gives -1. Result negative, zero or positive.
    int Compare(const char* text, bool caseSensitive = true, int maxCount = kNoLimit) const;
    // Compare(text, true, kNoLimit) == 0 / != 0.
    bool Equals(const char* text) const;
    bool Differs(const char* text) const;
    // Same length and same bytes (NULs included) / not.
    bool Equals(const String& other) const;
    bool NotEquals(const String& other) const;

    // ---------------------------------------------------------------- finding
    // Position of the first match of needle (needleLength kNoLimit: NUL-terminated) or -1;
    // -1 when this is empty, needle is null or its length < 1. Flags: kFind*.
    int Find(const char* needle, int start = 0, int flags = 0, int needleLength = kNoLimit) const;
    // Forwards from max(start, 0) for c (kFindIgnoreCase, kFindSkipQuoted); position or -1.
    int FindChar(char c, int start = 0, int flags = 0) const;
    // Backwards from min(start, length - 1) for c; with kFindSkipQuoted, double quotes and the
    // bytes between them (as read from the text's start) are ignored; kFindIgnoreCase folds.
    // Position or -1.
    int FindCharReverse(char c, int start = kNoLimit, int flags = 0) const;
    // First position >= start whose byte is in set; -1 when none, for a null or empty set or
    // a start at or beyond the end.
    int FindAnyOf(const char* set, int start = 0) const;
    // First position >= start whose byte is not in set (null set: every byte); -1 when none.
    int FindNotOf(const char* set, int start = 0) const;
    // FindAnyOf(" \r\n\t", 0).
    int FindWhitespace() const;
    // First position >= start holding a digit, '+', '-' or '.'; -1 when none.
    int FindNumberStart(int start = 0) const;
    // From pos, the position behind the next line break (CR, CR LF, LF, LF CR); flags
    // kFindSkipQuoted, kLineEndAtBreak, kLineEndOrLength. -1 (or the length) when none.
    int FindLineEnd(int pos, int flags = 0) const;

    // ---------------------------------------------------------------- replacing
    // Replaces occurrences of needle (NUL-terminated, length >= 1) by replacement (null: "")
    // from start, passing over the first skip, replacing at most maxCount; occurrences do not
    // overlap and replaced text is not scanned again. Flags of Find (kFindBackwards and
    // kFindBehindMatch ignored); kFindWildcard also copies the byte matched by the k-th '?'
    // of the needle into the k-th '?' of the replacement. Returns the number found (skipped
    // ones included); with kFindFirstOnly the position of the replacement instead (-1 when
    // none, also for an empty needle or maxCount < 1).
    int Replace(const char* needle, const char* replacement, int flags = 0, int start = 0,
                int maxCount = kNoLimit, int skip = 0);
    // Replaces every byte equal to from (folding both sides when caseSensitive is false) by
    // to; returns the count.
    int ReplaceChar(char from, char to, bool caseSensitive = true);
    // Deletes needle repeatedly, each search from the last position, at most maxCount times;
    // returns the count.
    int RemoveAll(const char* needle, int maxCount = kNoLimit, bool caseSensitive = true);
    // Deletes up to min(maxCount, length - start) occurrences of c at or after start;
    // returns the count.
    int RemoveChar(char c, int start = 0, int maxCount = kNoLimit);
    // Walks from start (kFindBackwards: backwards from min(start, length - 1)) deleting each
    // byte in set (kRemoveNotInSet: not in set; kFindIgnoreCase folds); kFindFirstOnly stops
    // after the first deletion, kRemoveStopAtKept at the first byte that stays,
    // kFindSkipQuoted skips quoted text with its quotes. Returns the number deleted.
    int RemoveChars(const char* set, int start = 0, int flags = 0);
    // Remove leading / trailing bytes that are in set (default " \r\n\t"); return the count.
    int TrimLeft(const char* set);
    int TrimRight(const char* set);
    int TrimLeft();
    int TrimRight();
    // TrimLeft() + TrimRight().
    int Trim();
    // Removes trailing bytes equal to c; returns the count.
    int TrimTrailing(char c);
    // ASCII upper-case folding in place.
    void ToUpper();
    // Every line break becomes CR LF (LF CR swaps, lone LF gets a CR before it, lone CR gets
    // an LF after it). Returns the number of changes.
    int NormaliseLineBreaks();

    // ---------------------------------------------------------------- numbers
    // Optional '+' / '-' then decimal digits from pos; pos advances past what was read.
    // Returns the value (negated after '-'); 0x80000000 (INT_MIN) when pos is outside the
    // string (pos unchanged).
    int ParseIntAt(int& pos) const;
    // The first number: from the first digit, '+', '-' or '.', ',' removed, converted as
    // decimal (sign, digits up to the first other byte). 0 when there is none.
    int FirstNumber() const;
    long long FirstNumber64() const;

    // ---------------------------------------------------------------- formatting
    // printf-style expansion (the conversions of core/FormatExpansion.h), cleared first /
    // appended. One expansion appends at most 65,535 bytes: a longer result is truncated.
    // When the expansion fails, the format text itself is appended unexpanded.
    void Format(const char* format, ...);
    void AppendFormat(const char* format, ...);
    void FormatArgs(const char* format, va_list args);
    void AppendFormatArgs(const char* format, va_list args);

    // ---------------------------------------------------------------- binary blocks
    // 0x79E2BC9D plus every little-endian 32-bit word (wrapping), plus each remaining byte as
    // a signed 8-bit value, plus the length; 0x79E2BC9D for an empty string.
    uint32_t Checksum() const;
    // XORs every 4-byte group with key (little-endian), remaining byte i with byte i of key.
    void XorWithKey(uint32_t key);

private:
    static const char* emptyText();
    bool resize(int n, bool fatalOnFailure);

    char* data_;
    int length_;
    int capacity_;
};

// Compares two version texts ("4.0.1", "2.5b"): number lists element by element (a - b at
// the first difference), then the suffix letters as signed bytes; -1 / +1 when a / b ends
// first. Null counts as "".
int CompareVersions(const char* a, const char* b);
// v when n < 2; otherwise v rounded up to the next multiple of n.
int RoundUpToMultiple(int v, int n);
// x + 0.5 (x - 0.5 for negative x), truncated toward zero.
long long RoundHalfAway(double x);

// New strings; operands unchanged.
String operator+(const String& a, char c);
String operator+(const String& a, const char* b);
String operator+(const String& a, const String& b);
String operator+(const char* a, const String& b);

// ---------------------------------------------------------------- strings on a byte stream
// Each read returns false on failure: when the length cannot be read, out is left as it was;
// when the bytes cannot be read, out is cleared.

// One unsigned byte n, then n bytes (n = 0: empty string).
bool ReadByteString(Stream& stream, String& out);
// An unsigned 16-bit little-endian n, then n bytes.
bool ReadWordString(Stream& stream, String& out);
// A signed 32-bit little-endian n (negative fails, out unchanged), then n bytes.
bool ReadLongString(Stream& stream, String& out);
// Bytes one at a time up to and without a NUL (a failure before the NUL clears out).
bool ReadZString(Stream& stream, String& out);
// One byte n = min(max, 255, length of text), then n bytes.
bool WriteByteString(Stream& stream, const String& text, int max = kNoLimit);
// The bytes of text without terminator or length.
bool WriteText(Stream& stream, const String& text);
// Appends n bytes to out; on a failed read the appended part is taken off again and false is
// returned. n < 1 appends nothing and returns true.
bool ReadBytes(Stream& stream, String& out, int n);
