// The balloon over the tray icon: the shell's own notification, one at a time.
#include <cstring>

#include "components/PGTray95.h"
#include "platform/platform.h"

namespace {

// The text into the field, cut so that it never ends inside a UTF-8 character.
template <std::size_t N>
void Fill(char (&field)[N], const std::string& text) {
    std::size_t size = std::min(text.find('\0'), std::min(text.size(), N - 1));
    if (size < text.size())
        while (size > 0 && (static_cast<unsigned char>(text[size]) & 0xC0) == 0x80) --size;
    std::memcpy(field, text.data(), size);
    field[size] = '\0';
}

}  // namespace

bool TPGTrayIcon95::ShowBalloon(const std::string& title, const std::string& text) {
    if (!active_ || Reading() || Designing()) return false;
    // Only the balloon's fields: the icon and the tip stay as the shell has them.
    plat::NOTIFYICONDATA data = record_;
    data.cbSize = kNotifyIconDataV2Size;
    data.uFlags = plat::NIF_INFO;
    data.dwInfoFlags = plat::NIIF_INFO | plat::NIIF_NOSOUND;
    Fill(data.szInfoTitle, title);
    Fill(data.szInfo, text);
    balloon_.title = data.szInfoTitle;
    balloon_.text = data.szInfo;
    balloon_.shown = plat::Current().Shell_NotifyIconA(plat::NIM_MODIFY, data) != 0;
    return balloon_.shown;
}
