// Host Unicode strings and file paths as the plug-in uses them: ai::UnicodeString and
// ai::FilePath are header-only classes; every conversion between the platform encoding
// (Windows-1252 bytes plus the shaku pair 0x8E 0xDA) and Unicode goes through the host's
// "AI Unicode String Suite". The plug-in acquires that suite at start-up and stores it in
// `sAIUnicodeString` (declared here); until then conversions give empty strings.
#pragma once

#include <string>
#include <string_view>

#include "AITypes.h"

#define kAIUnicodeStringSuite "AI Unicode String Suite"
#define kAIUnicodeStringSuiteVersion 1

struct AIUnicodeStringSuite {
    // Platform bytes to code points; writes at most `capacity` code points (one per byte is
    // always enough) and sets *written.
    AIErr (*PlatformToUnicode)(const char* bytes, ai_int32 byteCount, char32_t* out, ai_int32 capacity,
                               ai_int32* written);
    // Code points to platform bytes; writes only whole characters that fit in `capacity`
    // bytes (two per code point is always enough), sets *written; no terminator.
    // Characters the platform encoding lacks become '?'.
    AIErr (*UnicodeToPlatform)(const char32_t* text, ai_int32 count, char* out, ai_int32 capacity,
                               ai_int32* written);
    // UTF-8 to code points (malformed bytes become U+FFFD) and back, same buffer rules;
    // four bytes per code point are always enough for UTF-8.
    AIErr (*UTF8ToUnicode)(const char* utf8, ai_int32 byteCount, char32_t* out, ai_int32 capacity,
                           ai_int32* written);
    AIErr (*UnicodeToUTF8)(const char32_t* text, ai_int32 count, char* out, ai_int32 capacity, ai_int32* written);
};

// Set by the plug-in from AcquireSuite(kAIUnicodeStringSuite, ...) at start-up, cleared at
// shut-down. One variable for the whole program (inline), so the plug-in does not define it.
inline const AIUnicodeStringSuite* sAIUnicodeString = nullptr;

namespace ai {

class UnicodeString {
public:
    UnicodeString() = default;
    // Platform bytes, NUL-terminated; null gives the empty string.
    explicit UnicodeString(const char* platform) : UnicodeString(platform, platform ? std::char_traits<char>::length(platform) : 0) {}
    UnicodeString(const char* platform, size_t byteCount) {
        if (!platform || byteCount == 0 || !sAIUnicodeString) return;
        text_.resize(byteCount);
        ai_int32 n = 0;
        if (sAIUnicodeString->PlatformToUnicode(platform, static_cast<ai_int32>(byteCount), text_.data(),
                                                static_cast<ai_int32>(text_.size()), &n) != kNoErr)
            n = 0;
        text_.resize(static_cast<size_t>(n));
    }
    explicit UnicodeString(const std::string& platform) : UnicodeString(platform.data(), platform.size()) {}
    // A length-prefixed (Pascal) string of platform bytes.
    static UnicodeString FromPascal(const unsigned char* pascal) {
        if (!pascal) return {};
        return UnicodeString(reinterpret_cast<const char*>(pascal + 1), pascal[0]);
    }
    static UnicodeString FromUTF8(std::string_view utf8) {
        UnicodeString s;
        if (utf8.empty() || !sAIUnicodeString) return s;
        s.text_.resize(utf8.size());
        ai_int32 n = 0;
        if (sAIUnicodeString->UTF8ToUnicode(utf8.data(), static_cast<ai_int32>(utf8.size()), s.text_.data(),
                                            static_cast<ai_int32>(s.text_.size()), &n) != kNoErr)
            n = 0;
        s.text_.resize(static_cast<size_t>(n));
        return s;
    }
    static UnicodeString FromUTF32(std::u32string text) {
        UnicodeString s;
        s.text_ = std::move(text);
        return s;
    }

    std::string as_Platform() const { return toPlatform(text_.size() * 2); }
    std::string as_UTF8() const {
        std::string out(text_.size() * 4, '\0');
        ai_int32 n = 0;
        if (!sAIUnicodeString || text_.empty() ||
            sAIUnicodeString->UnicodeToUTF8(text_.data(), static_cast<ai_int32>(text_.size()), out.data(),
                                            static_cast<ai_int32>(out.size()), &n) != kNoErr)
            n = 0;
        out.resize(static_cast<size_t>(n));
        return out;
    }
    const std::u32string& as_UTF32() const { return text_; }

    // Length-prefixed platform bytes into out[0..outSize): at most 255 bytes and never more
    // than fit, whole characters only. Returns the byte count (also out[0]).
    size_t getToPascal(unsigned char* out, size_t outSize) const {
        if (!out || outSize == 0) return 0;
        const size_t limit = outSize - 1 < 255 ? outSize - 1 : 255;
        const std::string bytes = toPlatform(limit);
        out[0] = static_cast<unsigned char>(bytes.size());
        bytes.copy(reinterpret_cast<char*>(out + 1), bytes.size());
        return bytes.size();
    }
    // NUL-terminated platform bytes into out[0..outSize), whole characters only. Returns the
    // byte count without the terminator.
    size_t getToCString(char* out, size_t outSize) const {
        if (!out || outSize == 0) return 0;
        const std::string bytes = toPlatform(outSize - 1);
        bytes.copy(out, bytes.size());
        out[bytes.size()] = '\0';
        return bytes.size();
    }

    size_t length() const { return text_.size(); }
    bool empty() const { return text_.empty(); }
    UnicodeString& append(const UnicodeString& s) {
        text_ += s.text_;
        return *this;
    }
    bool operator==(const UnicodeString& o) const { return text_ == o.text_; }
    bool operator!=(const UnicodeString& o) const { return text_ != o.text_; }

private:
    std::string toPlatform(size_t capacity) const {
        std::string out(capacity, '\0');
        ai_int32 n = 0;
        if (!sAIUnicodeString || text_.empty() || capacity == 0 ||
            sAIUnicodeString->UnicodeToPlatform(text_.data(), static_cast<ai_int32>(text_.size()), out.data(),
                                                static_cast<ai_int32>(capacity), &n) != kNoErr)
            n = 0;
        out.resize(static_cast<size_t>(n));
        return out;
    }

    std::u32string text_;
};

// A file path; components are joined with '/'.
class FilePath {
public:
    FilePath() = default;
    explicit FilePath(const UnicodeString& path) : path_(path) {}
    void AddComponent(const UnicodeString& name) {
        if (name.empty()) return;
        if (!path_.empty() && path_.as_UTF32().back() != U'/') path_.append(UnicodeString::FromUTF32(U"/"));
        path_.append(name);
    }
    // The display form is the same path on this platform.
    UnicodeString GetFullPath(bool displayName = false) const {
        (void)displayName;
        return path_;
    }
    bool IsEmpty() const { return path_.empty(); }
    bool operator==(const FilePath& o) const { return path_ == o.path_; }
    bool operator!=(const FilePath& o) const { return !(path_ == o.path_); }

private:
    UnicodeString path_;
};

}  // namespace ai
