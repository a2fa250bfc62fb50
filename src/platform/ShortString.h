#pragma once
// A length-prefixed string of capacity N: one length byte and N character bytes, the form
// of record fields and most working strings. Assigning a longer text cuts it to N bytes.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace exo {

template <std::size_t N> class ShortString {
    static_assert(N >= 1 && N <= 255, "a length byte holds at most 255");

  public:
    static constexpr std::size_t kCapacity = N;
    // Bytes the string takes in a record: the length byte and the N character bytes.
    static constexpr std::size_t kStoredSize = N + 1;

    ShortString() = default;
    ShortString(std::string_view text) { assign(text); }
    ShortString& operator=(std::string_view text) {
        assign(text);
        return *this;
    }

    void assign(std::string_view text) {
        length_ = static_cast<std::uint8_t>(std::min(text.size(), N));
        std::copy_n(text.data(), length_, chars_.data());
    }

    std::string_view view() const { return {chars_.data(), length_}; }
    std::string str() const { return std::string(view()); }
    operator std::string_view() const { return view(); }
    std::size_t size() const { return length_; }
    bool empty() const { return length_ == 0; }

    // Writes the stored form: the length byte, the characters, zeros up to N.
    void writeTo(char* out) const {
        out[0] = static_cast<char>(length_);
        std::copy_n(chars_.data(), length_, out + 1);
        std::fill(out + 1 + length_, out + kStoredSize, '\0');
    }

    // Reads the stored form. Bytes after the length are ignored whatever they hold; a
    // length byte above N (a damaged record) is taken as N.
    static ShortString readFrom(const char* in) {
        ShortString s;
        s.length_ = std::min<std::uint8_t>(static_cast<std::uint8_t>(in[0]), N);
        std::copy_n(in + 1, s.length_, s.chars_.data());
        return s;
    }

    friend bool operator==(const ShortString& a, const ShortString& b) {
        return a.view() == b.view();
    }
    friend bool operator==(const ShortString& a, std::string_view b) { return a.view() == b; }

  private:
    std::uint8_t length_ = 0;
    std::array<char, N> chars_{};
};

} // namespace exo
