// mpv's JSON IPC as Zelvora uses it: the player is told on its command line where to
// open its channel, Zelvora connects once it is there, observes the stream's title
// and asks the player to quit through it. One JSON object a line, both ways.
#pragma once

#include <optional>
#include <string>

#include "platform/types.h"

class TMpvChannel {
  public:
    // A fresh address for the next mpv Zelvora starts.
    static std::string NewAddress();
    explicit TMpvChannel(std::string address) : address_(std::move(address)) {}
    ~TMpvChannel();
    TMpvChannel(const TMpvChannel&) = delete;
    TMpvChannel& operator=(const TMpvChannel&) = delete;

    // The option that tells mpv where to open the channel.
    std::string Option() const { return "--input-ipc-server=" + address_; }
    // Connects while not yet connected, then reads what the player told since: true
    // when the title changed. Bounded: a player that floods the channel costs one
    // read of kMaxPumpBytes a call.
    bool Pump();
    bool Connected() const { return channel_ != 0; }
    // The title the player tells: the stream's own (ICY) title when it has one, else
    // its media title; nothing until it has told one or after the channel closed.
    std::optional<std::string> Title() const;
    // Asks the player to end; false when there is no channel to ask on.
    bool Quit();

    // One line from the player, without its line break (public for the tests).
    void Take(const std::string& line);

  private:
    void Close();
    void Split(std::string& bytes);

    std::string address_;
    plat::CHANNEL channel_ = 0;
    bool closed_ = false;    // connected once and then lost
    std::string pending_;    // the start of a line not yet ended
    bool skipping_ = false;  // inside a line too long to keep, up to its end
    bool told_ = false;
    std::string mediaTitle_, icyTitle_;
};

// Lines longer than this are dropped unread: no title is this long.
inline constexpr std::size_t kMaxMpvLine = 64 * 1024;
inline constexpr std::size_t kMaxPumpBytes = 256 * 1024;
