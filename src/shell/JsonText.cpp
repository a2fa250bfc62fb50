#include "shell/JsonText.h"

#include "platform/Cp1252.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace exo {

std::string JsonNumber(long double x) {
    if (!std::isfinite(x))
        return "null";
    char buffer[128];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
    return std::string(buffer, result.ptr);
}

std::string JsonString(std::string_view utf8) {
    std::string out = "\"";
    for (const char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (u < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

void JsonObject::key(std::string_view name) {
    if (!body_.empty())
        body_ += ',';
    body_ += JsonString(name) + ':';
}

JsonObject& JsonObject::add(std::string_view name, long double number) {
    return addRaw(name, JsonNumber(number));
}

JsonObject& JsonObject::add(std::string_view name, std::string_view utf8Text) {
    return addRaw(name, JsonString(utf8Text));
}

JsonObject& JsonObject::add(std::string_view name, bool value) {
    return addRaw(name, value ? "true" : "false");
}

JsonObject& JsonObject::add(std::string_view name, const std::vector<long double>& numbers) {
    std::string array = "[";
    for (std::size_t i = 0; i < numbers.size(); ++i)
        array += (i ? "," : "") + JsonNumber(numbers[i]);
    return addRaw(name, array + "]");
}

JsonObject& JsonObject::add(std::string_view name, const std::vector<std::string>& utf8Texts) {
    std::string array = "[";
    for (std::size_t i = 0; i < utf8Texts.size(); ++i)
        array += (i ? "," : "") + JsonString(utf8Texts[i]);
    return addRaw(name, array + "]");
}

JsonObject& JsonObject::addRaw(std::string_view name, std::string_view json) {
    key(name);
    body_ += json;
    return *this;
}

std::string JsonArray(const std::vector<std::string>& jsonValues) {
    std::string array = "[";
    for (std::size_t i = 0; i < jsonValues.size(); ++i)
        array += (i ? "," : "") + jsonValues[i];
    return array + "]";
}

std::vector<std::string> Utf8Lines(const std::vector<std::string>& lines) {
    std::vector<std::string> utf8;
    for (const std::string& line : lines)
        utf8.push_back(Utf8FromCp1252(line));
    return utf8;
}

} // namespace exo
