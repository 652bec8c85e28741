// The default playback device of the PulseAudio server (PipeWire's pulse server alike),
// which answers the auxiliary wave device on Linux. A client thread of libpulse keeps
// the sink's volume as the server last reported it, through a subscription to sink
// and server events: reading it costs no round trip, so the floating window's poll
// wakes nothing but itself, and changes made elsewhere (pactl, the desktop's sound
// settings) are there at the next poll.
//
// The GUI thread never waits on the server, apart from the first connection, which
// is given a fraction of a second so that the volume bar works from the start. A
// server that goes away leaves no device; the next question starts a new connection
// (at most about once a second) and its answer comes with a later question.
#pragma once

#include <pulse/channelmap.h>
#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/thread-mainloop.h>
#include <pulse/volume.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

namespace qtb {

struct DefaultSink {
    std::string name;
    std::string description;
    pa_channel_map channels{};
    pa_cvolume volume{};
};

class PulseVolume {
  public:
    PulseVolume();  // starts connecting and returns at once
    ~PulseVolume();
    PulseVolume(const PulseVolume&) = delete;
    PulseVolume& operator=(const PulseVolume&) = delete;

    // The default sink as last reported; nothing while no server or no sink answers.
    std::optional<DefaultSink> Sink();
    // Sets the default sink to the level word (pulse_levels.h); the server's answer
    // is not waited for. Refused: the connection is going down.
    enum class SetResult { sent, noSink, refused };
    SetResult SetLevels(std::uint32_t word);

  private:
    enum class Link { down, connecting, up };

    void Connect();
    void DropContext();
    void Query();
    void Settle(Link link, std::optional<DefaultSink> sink);
    static void OnState(pa_context* context, void* self);
    static void OnEvent(pa_context* context, pa_subscription_event_type_t event,
                        std::uint32_t index, void* self);
    static void OnSinkInfo(pa_context* context, const pa_sink_info* info, int eol, void* self);
    static void OnSetDone(pa_context* context, int success, void* self);

    pa_threaded_mainloop* loop_ = nullptr;
    // Touched only with the client thread's lock held (its callbacks hold it).
    pa_context* context_ = nullptr;
    bool querying_ = false;  // a sink query is on its way
    bool requery_ = false;   // and another is wanted when it is answered
    int setsInFlight_ = 0;   // answers to them would bring back levels already replaced
    std::optional<DefaultSink> reading_;  // the answer being put together

    // What the GUI thread reads; the client thread's lock is taken before this one.
    std::mutex mutex_;
    std::condition_variable settled_;
    Link link_ = Link::down;
    bool firstSettled_ = false;
    std::optional<DefaultSink> sink_;
    std::chrono::steady_clock::time_point lastAttempt_{};
};

}  // namespace qtb
