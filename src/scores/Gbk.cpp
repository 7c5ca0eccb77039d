#include "scores/Gbk.h"

#include <cerrno>
#include <iconv.h>

namespace kelvarn::gbk {
namespace {

constexpr std::string_view Replacement = "\xEF\xBF\xBD"; // U+FFFD

// One iconv conversion descriptor, closed with the object.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) {
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // (iconv_t)-1 is how iconv_open reports failure.
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of `in` as it can, appending to `out`. Returns false at the first byte
    // that cannot be converted (or a sequence cut off by the end), leaving `in` pointing at it.
    bool convert(std::string_view& in, std::string& out) {
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        bool clean = true;
        while (srcLeft > 0) {
            char buffer[64];
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t result = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, std::size_t(dst - buffer));
            if (result == std::size_t(-1) && errno != E2BIG) {
                clean = false;
                break;
            }
        }
        in.remove_prefix(in.size() - srcLeft);
        reset();
        return clean;
    }

    void reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

  private:
    iconv_t cd_;
};

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// The length of the UTF-8 character starting at the front of `s`: the lead byte and the
// continuation bytes that follow it, as far as its lead byte announces. A stray byte is one long.
std::size_t characterLength(std::string_view s) {
    const auto lead = static_cast<unsigned char>(s.front());
    std::size_t expected = 1;
    if (lead >= 0xF0 && lead <= 0xF7) {
        expected = 4;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        expected = 3;
    } else if (lead >= 0xC0 && lead <= 0xDF) {
        expected = 2;
    }
    std::size_t length = 1;
    while (length < expected && length < s.size() &&
           isContinuation(static_cast<unsigned char>(s[length]))) {
        ++length;
    }
    return length;
}

} // namespace

std::string toUtf8(std::string_view gbkBytes) {
    std::string out;
    Converter converter("UTF-8", "GBK");
    while (!gbkBytes.empty()) {
        if (converter.ok() && converter.convert(gbkBytes, out)) {
            break;
        }
        // Not GBK here (or no converter at all): keep plain ASCII, replace anything else byte by
        // byte, and try again after it.
        const auto c = static_cast<unsigned char>(gbkBytes.front());
        if (c < 0x80) {
            out.push_back(char(c));
        } else {
            out.append(Replacement);
        }
        gbkBytes.remove_prefix(1);
    }
    return out;
}

std::optional<std::string> fromUtf8(std::string_view utf8) {
    Converter converter("GBK", "UTF-8");
    if (!converter.ok()) {
        return std::nullopt;
    }
    std::string out;
    if (!converter.convert(utf8, out)) {
        return std::nullopt;
    }
    return out;
}

std::string fromUtf8Fitted(std::string_view utf8, std::size_t maxBytes) {
    Converter converter("GBK", "UTF-8");
    std::string out;
    while (!utf8.empty()) {
        const std::size_t length = characterLength(utf8);
        std::string_view character = utf8.substr(0, length);
        std::string piece;
        if (!converter.ok() || !converter.convert(character, piece)) {
            piece.assign(1, '?');
        }
        if (out.size() + piece.size() > maxBytes) {
            break;
        }
        out += piece;
        utf8.remove_prefix(length);
    }
    return out;
}

std::size_t characterCount(std::string_view utf8) {
    std::size_t count = 0;
    while (!utf8.empty()) {
        utf8.remove_prefix(characterLength(utf8));
        ++count;
    }
    return count;
}

} // namespace kelvarn::gbk
