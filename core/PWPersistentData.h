// Typed persistent settings of the class-based tools: each setting knows its preference
// prefix, key and default, and reads and writes itself through the host's preference
// store. A missing or mistyped stored value leaves the default.
#pragma once

#include <cstdint>
#include <string>

#include "AITypes.h"

class PWPersistentDataType {
public:
    PWPersistentDataType(const char* prefix, const char* key);
    virtual ~PWPersistentDataType() = default;
    PWPersistentDataType(const PWPersistentDataType&) = delete;
    PWPersistentDataType& operator=(const PWPersistentDataType&) = delete;

    const std::string& prefix() const { return _prefix; }
    const std::string& key() const { return _key; }
    // Sets the default, then reads the stored value over it.
    virtual AIErr read() = 0;
    virtual AIErr write() const = 0;
    virtual void reset() = 0;  // back to the default

protected:
    std::string _prefix;
    std::string _key;
};

class PWPersistentBool final : public PWPersistentDataType {
public:
    PWPersistentBool(const char* prefix, const char* key, bool defaultValue);
    AIErr read() override;
    AIErr write() const override;
    void reset() override { _value = _default; }
    bool get() const { return _value; }
    void set(bool value) { _value = value; }

private:
    bool _default;
    bool _value;
};

class PWPersistentInt32 final : public PWPersistentDataType {
public:
    PWPersistentInt32(const char* prefix, const char* key, int32_t defaultValue);
    AIErr read() override;
    AIErr write() const override;
    void reset() override { _value = _default; }
    int32_t get() const { return _value; }
    void set(int32_t value) { _value = value; }

private:
    int32_t _default;
    int32_t _value;
};

// Stored as text with every digit, so the value reads back exactly. A length at full size (a
// door's width, typed as the real one) is stored as its drawn size at the scale the store
// holds (StoredLengthScale), as it always was.
class PWPersistentDouble final : public PWPersistentDataType {
public:
    enum class Stored { kAsIs, kDrawn };
    PWPersistentDouble(const char* prefix, const char* key, double defaultValue, Stored stored = Stored::kAsIs);
    AIErr read() override;
    AIErr write() const override;
    void reset() override { _value = _default; }
    double get() const { return _value; }
    void set(double value) { _value = value; }

private:
    double storedScale() const;
    double _default;
    double _value;
    Stored _stored;
};

// At most kMaxLength bytes; longer text is cut.
class PWPersistentString final : public PWPersistentDataType {
public:
    static constexpr size_t kMaxLength = 255;
    PWPersistentString(const char* prefix, const char* key, const char* defaultValue);
    AIErr read() override;
    AIErr write() const override;
    void reset() override { _value = _default; }
    const std::string& get() const { return _value; }
    void set(const std::string& value) { _value = value.substr(0, kMaxLength); }

private:
    std::string _default;
    std::string _value;
};
