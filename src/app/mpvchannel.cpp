#include "app/mpvchannel.h"

#include <nlohmann/json.hpp>

#include "platform/platform.h"

namespace {

using nlohmann::json;

// The properties observed, by the ids the requests give them.
constexpr int kMediaTitleId = 1, kIcyTitleId = 2;
const char* const kMediaTitle = "media-title";
const char* const kIcyTitle = "metadata/by-key/icy-title";
// A title is kept to this many bytes; the tip and the notification show less.
constexpr std::size_t kMaxTitle = 1024;
constexpr std::size_t kReadChunk = 16 * 1024;

std::string Request(const json& command) {
    return json{{"command", command}}.dump() + "\n";
}

// mpv speaks UTF-8; the program's texts are in the system code page.
std::string FromUtf8(const std::string& text) {
    auto& p = plat::Current();
    const int length = static_cast<int>(text.size());
    const int wide = p.MultiByteToWideChar(plat::CP_UTF8, 0, text.data(), length, nullptr, 0);
    if (wide <= 0) return {};
    std::u16string units(static_cast<std::size_t>(wide), u'\0');
    p.MultiByteToWideChar(plat::CP_UTF8, 0, text.data(), length, units.data(), wide);
    const int narrow =
        p.WideCharToMultiByte(plat::CP_ACP, 0, units.data(), wide, nullptr, 0, nullptr);
    if (narrow <= 0) return {};
    std::string out(static_cast<std::size_t>(narrow), '\0');
    p.WideCharToMultiByte(plat::CP_ACP, 0, units.data(), wide, out.data(), narrow, nullptr);
    return out;
}

// A string member, or nothing when it is missing or no string.
std::optional<std::string> Text(const json& object, const char* key) {
    auto it = object.find(key);
    if (it == object.end() || !it->is_string()) return std::nullopt;
    return it->get<std::string>();
}

}  // namespace

std::string TMpvChannel::NewAddress() {
    return plat::Current().NewPlayerChannelAddress("zelvora-mpv");
}

TMpvChannel::~TMpvChannel() {
    Close();
}

void TMpvChannel::Close() {
    if (channel_) plat::Current().ClosePlayerChannel(channel_);
    channel_ = 0;
}

bool TMpvChannel::Pump() {
    auto& p = plat::Current();
    const std::optional<std::string> before = Title();
    if (!channel_ && !closed_) {
        channel_ = p.ConnectPlayerChannel(address_);
        if (!channel_) return false;
        // Each observation is answered at once with the value it has now.
        p.WritePlayerChannel(channel_, Request({"observe_property", kMediaTitleId, kMediaTitle}) +
                                           Request({"observe_property", kIcyTitleId, kIcyTitle}));
    }
    for (std::size_t read = 0; channel_ && read < kMaxPumpBytes; read += kReadChunk) {
        std::string bytes;
        const bool open = p.ReadPlayerChannel(channel_, bytes, kReadChunk) != 0;
        Split(bytes);
        if (!open) {
            Close();
            closed_ = true;
        }
        if (bytes.empty() || !open) break;
    }
    return Title() != before;
}

// Whole lines are taken; a line that grows past the limit is skipped to its end.
void TMpvChannel::Split(std::string& bytes) {
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1) {
        if (!skipping_) {
            pending_.append(bytes, start, end - start);
            Take(pending_);
        }
        pending_.clear();
        skipping_ = false;
    }
    if (skipping_) return;
    pending_.append(bytes, start, std::string::npos);
    if (pending_.size() > kMaxMpvLine) {
        pending_.clear();
        skipping_ = true;
    }
}

void TMpvChannel::Take(const std::string& line) {
    const json message = json::parse(line, nullptr, false);
    if (!message.is_object() || Text(message, "event") != "property-change") return;
    const std::optional<std::string> name = Text(message, "name");
    if (name != kMediaTitle && name != kIcyTitle) return;
    // No data, or null: the property has no value now (a stream without ICY titles).
    auto data = message.find("data");
    if (data != message.end() && !data->is_string() && !data->is_null()) return;
    std::string value = FromUtf8(Text(message, "data").value_or("")).substr(0, kMaxTitle);
    (name == kMediaTitle ? mediaTitle_ : icyTitle_) = std::move(value);
    told_ = true;
}

std::optional<std::string> TMpvChannel::Title() const {
    if (!told_ || !channel_) return std::nullopt;
    return icyTitle_.empty() ? mediaTitle_ : icyTitle_;
}

bool TMpvChannel::Quit() {
    return channel_ && plat::Current().WritePlayerChannel(channel_, Request({"quit"})) != 0;
}
