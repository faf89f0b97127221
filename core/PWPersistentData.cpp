// The typed persistent settings over the host's preference store.
#include "core/PWPersistentData.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/PlotwisePrefs.h"
#include "core/PlotwiseSuites.h"

namespace {

AIErr NoStore() { return kBadParameterErr; }

}  // namespace

PWPersistentDataType::PWPersistentDataType(const char* prefix, const char* key)
    : _prefix(prefix ? prefix : ""), _key(key ? key : "") {}

// --- bool

PWPersistentBool::PWPersistentBool(const char* prefix, const char* key, bool defaultValue)
    : PWPersistentDataType(prefix, key), _default(defaultValue), _value(defaultValue) {}

AIErr PWPersistentBool::read() {
    _value = _default;
    if (!sAIPreference) return NoStore();
    AIBoolean stored = _value;
    AIErr err = sAIPreference->GetBooleanPreference(_prefix.c_str(), _key.c_str(), &stored);
    if (!err) _value = stored != 0;
    return err;
}

AIErr PWPersistentBool::write() const {
    if (!sAIPreference) return NoStore();
    return sAIPreference->PutBooleanPreference(_prefix.c_str(), _key.c_str(), _value);
}

// --- int32

PWPersistentInt32::PWPersistentInt32(const char* prefix, const char* key, int32_t defaultValue)
    : PWPersistentDataType(prefix, key), _default(defaultValue), _value(defaultValue) {}

AIErr PWPersistentInt32::read() {
    _value = _default;
    if (!sAIPreference) return NoStore();
    int32_t stored = _value;
    AIErr err = sAIPreference->GetIntegerPreference(_prefix.c_str(), _key.c_str(), &stored);
    if (!err) _value = stored;
    return err;
}

AIErr PWPersistentInt32::write() const {
    if (!sAIPreference) return NoStore();
    return sAIPreference->PutIntegerPreference(_prefix.c_str(), _key.c_str(), _value);
}

// --- double

PWPersistentDouble::PWPersistentDouble(const char* prefix, const char* key, double defaultValue, Stored stored)
    : PWPersistentDataType(prefix, key), _default(defaultValue), _value(defaultValue), _stored(stored) {}

double PWPersistentDouble::storedScale() const { return _stored == Stored::kDrawn ? StoredLengthScale() : 1.0; }

AIErr PWPersistentDouble::read() {
    _value = _default;
    if (!sAIPreference) return NoStore();
    char text[64] = {};
    AIErr err = sAIPreference->GetStringPreference(_prefix.c_str(), _key.c_str(), text, sizeof text);
    if (err || !text[0]) return err;
    char* end = nullptr;
    errno = 0;
    const double value = FullSizeLength(std::strtod(text, &end), storedScale());
    // Only a whole, finite number replaces the default.
    if (end && *end == '\0' && errno == 0 && std::isfinite(value)) _value = value;
    return kNoErr;
}

AIErr PWPersistentDouble::write() const {
    if (!sAIPreference) return NoStore();
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", DrawnLength(_value, storedScale()));
    return sAIPreference->PutStringPreference(_prefix.c_str(), _key.c_str(), text);
}

// --- string

PWPersistentString::PWPersistentString(const char* prefix, const char* key, const char* defaultValue)
    : PWPersistentDataType(prefix, key),
      _default(std::string(defaultValue ? defaultValue : "").substr(0, kMaxLength)),
      _value(_default) {}

AIErr PWPersistentString::read() {
    _value = _default;
    if (!sAIPreference) return NoStore();
    char text[kMaxLength + 1];
    const std::string fallback = _default;
    std::snprintf(text, sizeof text, "%s", fallback.c_str());
    AIErr err = sAIPreference->GetStringPreference(_prefix.c_str(), _key.c_str(), text, sizeof text);
    if (!err) _value = text;
    return err;
}

AIErr PWPersistentString::write() const {
    if (!sAIPreference) return NoStore();
    return sAIPreference->PutStringPreference(_prefix.c_str(), _key.c_str(), _value.c_str());
}
