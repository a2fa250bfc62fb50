#pragma once
// One-line JSON objects for the command-line tool. Texts given here are UTF-8.
#include <string>
#include <string_view>
#include <vector>

namespace exo {

// A number as JSON: the shortest text that reads back as the same extended real.
std::string JsonNumber(long double x);
std::string JsonString(std::string_view utf8);
// A JSON array of values already written as JSON.
std::string JsonArray(const std::vector<std::string>& jsonValues);
// Windows-1252 lines as UTF-8, for printing and for JSON texts.
std::vector<std::string> Utf8Lines(const std::vector<std::string>& lines);

class JsonObject {
  public:
    JsonObject& add(std::string_view key, long double number);
    JsonObject& add(std::string_view key, std::string_view utf8Text);
    JsonObject& add(std::string_view key, const char* utf8Text) {
        return add(key, std::string_view(utf8Text));
    }
    JsonObject& add(std::string_view key, bool value);
    JsonObject& add(std::string_view key, const std::vector<long double>& numbers);
    JsonObject& add(std::string_view key, const std::vector<std::string>& utf8Texts);
    // A value already written as JSON.
    JsonObject& addRaw(std::string_view key, std::string_view json);
    std::string text() const { return "{" + body_ + "}"; }

  private:
    void key(std::string_view name);
    std::string body_;
};

} // namespace exo
