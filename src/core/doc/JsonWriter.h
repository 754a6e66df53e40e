#pragma once

// A small streaming JSON writer for the document dump.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vardo {

/// Writes one JSON value into a string, indented by two spaces per level. Containers opened as compact are
/// written on one line. Strings must be UTF-8; invalid bytes are written as U+FFFD. Calls must nest
/// properly (a key before each value inside an object); that is the caller's contract.
class JsonWriter {
public:
    void BeginObject(bool compact = false) { Open('{', compact); }
    void EndObject() { Close('}'); }
    void BeginArray(bool compact = false) { Open('[', compact); }
    void EndArray() { Close(']'); }

    /// The key of the next value inside an object.
    void Key(std::string_view key);

    void String(std::string_view utf8);
    void Int(std::int64_t value);
    void Bool(bool value);
    void Null();

    /// Shorthands for a key followed by its value.
    void Field(std::string_view key, std::string_view value) {
        Key(key);
        String(value);
    }
    void Field(std::string_view key, const char* value) { Field(key, std::string_view(value)); }
    void Field(std::string_view key, std::int64_t value) {
        Key(key);
        Int(value);
    }
    void Field(std::string_view key, int value) { Field(key, static_cast<std::int64_t>(value)); }
    void Field(std::string_view key, bool value) {
        Key(key);
        Bool(value);
    }

    /// The text written so far; complete once every container is closed. Ends with a line break.
    std::string Take();

    /// A UTF-8 text as a quoted JSON string.
    static std::string Quote(std::string_view utf8);

private:
    struct Level {
        bool compact;
        bool empty = true;
    };

    void Open(char bracket, bool compact);
    void Close(char bracket);
    void BeforeValue();
    void NewLine();

    std::string m_out;
    std::vector<Level> m_levels;
    bool m_afterKey = false;
};

} // namespace vardo
