#include "app/codepage.h"

#include <string_view>

#include "platform/platform.h"

namespace {

bool IsAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

std::string Convert(plat::UINT from, plat::UINT to, const std::string& text) {
    if (IsAscii(text)) return text;
    auto& p = plat::Current();
    const int length = static_cast<int>(text.size());
    const int n = p.MultiByteToWideChar(from, 0, text.data(), length, nullptr, 0);
    if (n <= 0) return {};
    std::u16string wide(static_cast<std::size_t>(n), u'\0');
    p.MultiByteToWideChar(from, 0, text.data(), length, wide.data(), n);
    const int m = p.WideCharToMultiByte(to, 0, wide.data(), n, nullptr, 0, nullptr);
    if (m <= 0) return {};
    std::string out(static_cast<std::size_t>(m), '\0');
    p.WideCharToMultiByte(to, 0, wide.data(), n, out.data(), m, nullptr);
    return out;
}

}  // namespace

std::string SystemFromUtf8(const std::string& utf8) {
    return Convert(plat::CP_UTF8, plat::CP_ACP, utf8);
}

std::string Utf8FromSystem(const std::string& text) {
    return Convert(plat::CP_ACP, plat::CP_UTF8, text);
}
