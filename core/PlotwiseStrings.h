// Bounded string helpers: copies into fixed-size fields, conversions between the host's
// Unicode strings, length-prefixed strings and NUL-terminated platform strings, and the
// string-table lookup every alert uses.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>

#include "AITypes.h"
#include "AIUnicodeString.h"

// Copies at most size - 1 bytes of src and terminates; a null src gives "". Returns the
// number of bytes copied.
size_t CopyCString(char* dest, size_t size, const char* src);
// The same into a fixed-size field.
template <size_t N>
size_t CopyCString(char (&dest)[N], const char* src) {
    return CopyCString(dest, N, src);
}

// A length-prefixed string of at most 255 platform characters; the caller copies it at once
// (the buffer is reused by the next call).
const unsigned char* UStrToPStr(const ai::UnicodeString& text);
ai::UnicodeString PStrToUStr(const unsigned char* pstr);

// Copies the characters of a length-prefixed string and terminates them; dest must hold the
// length plus one byte.
void whyDoIAlwaysHaveToConvertPtoCStrings(const unsigned char* pstr, char* dest);
// Bounded form: at most destSize - 1 characters are copied.
void whyDoIAlwaysHaveToConvertPtoCStrings(const unsigned char* pstr, char* dest, size_t destSize);
// Writes a length-prefixed string; text beyond 255 characters is cut, so the length byte
// never wraps. dest must hold 256 bytes.
void whyDoIAlwaysHaveToConvertCtoPStrings(const char* cstr, unsigned char* dest);
void whyDoIAlwaysHaveToConvertCtoPStrings(const char* cstr, unsigned char* dest, size_t destSize);

// The text of entry `index` of string list `listID` (e.g. 17000 + n), bounded and terminated;
// "" when the list or entry is missing.
AIErr GetPlotwiseString(int32_t listID, int32_t index, char* out, size_t size);
// Entry `index` of a string list with ^0, ^1, ... replaced by the texts given.
std::string FilledText(int32_t list, int32_t index, std::initializer_list<std::string> fill = {});
