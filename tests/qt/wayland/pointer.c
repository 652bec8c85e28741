/* A mouse for a Wayland desktop that has none: one virtual pointer device (the
 * compositor's zwlr_virtual_pointer_manager_v1, as wlroots desktops offer it), held for
 * as long as this program runs, so that the seat keeps a pointer and open popups keep
 * their grab between clicks. Commands come one per line on standard input:
 *
 *   move X Y          the cursor to (X, Y) in the output's logical pixels
 *   click BUTTON      press and release: left, right or middle
 *
 * and each is answered "ok" once the compositor has handled it. The output's size comes
 * from the command line (zel-wl-pointer WIDTH HEIGHT), as absolute motion needs it.
 *
 * The two interfaces are described here by hand: they are all the protocol needs, and
 * no Debian package carries the wlroots protocol files. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <wayland-client.h>

/* Request signatures in the order the protocol numbers them. */
static const struct wl_interface pointer_interface;
static const struct wl_interface* manager_types[] = {&wl_seat_interface, &pointer_interface};
static const struct wl_message manager_requests[] = {
    {"create_virtual_pointer", "?on", manager_types},
    {"destroy", "", NULL},
};
static const struct wl_interface manager_interface = {
    "zwlr_virtual_pointer_manager_v1", 1, 2, manager_requests, 0, NULL};

static const struct wl_interface* no_types[] = {NULL, NULL, NULL, NULL, NULL};
static const struct wl_message pointer_requests[] = {
    {"motion", "uff", no_types},          {"motion_absolute", "uuuuu", no_types},
    {"button", "uuu", no_types},          {"axis", "uuf", no_types},
    {"frame", "", no_types},              {"axis_source", "u", no_types},
    {"axis_stop", "uu", no_types},        {"axis_discrete", "uufi", no_types},
    {"destroy", "", no_types},
};
static const struct wl_interface pointer_interface = {
    "zwlr_virtual_pointer_v1", 1, 9, pointer_requests, 0, NULL};

enum { MOTION_ABSOLUTE = 1, BUTTON = 2, FRAME = 4 };

/* Event times in milliseconds, as a real device gives them: toolkits compare them (a
 * menu ignores the release of the click that opened it for a moment). */
static unsigned now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (unsigned)(t.tv_sec * 1000u + t.tv_nsec / 1000000u);
}

static struct wl_proxy* manager;
static struct wl_seat* seat;

static void global(void* data, struct wl_registry* registry, uint32_t name,
                   const char* interface, uint32_t version) {
    (void)data;
    (void)version;
    if (strcmp(interface, manager_interface.name) == 0)
        manager = wl_registry_bind(registry, name, &manager_interface, 1);
    else if (strcmp(interface, "wl_seat") == 0 && !seat)
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
}

static void global_remove(void* data, struct wl_registry* registry, uint32_t name) {
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener registry_listener = {global, global_remove};

/* Linux input event codes of the buttons. */
static int button_code(const char* name) {
    if (strcmp(name, "left") == 0) return 0x110;
    if (strcmp(name, "right") == 0) return 0x111;
    if (strcmp(name, "middle") == 0) return 0x112;
    return 0;
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: zel-wl-pointer WIDTH HEIGHT\n");
        return 2;
    }
    const unsigned width = (unsigned)atoi(argv[1]), height = (unsigned)atoi(argv[2]);
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "zel-wl-pointer: no Wayland display\n");
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, NULL);
    wl_display_roundtrip(display);
    if (!manager) {
        fprintf(stderr, "zel-wl-pointer: the compositor offers no virtual pointer\n");
        return 1;
    }
    struct wl_proxy* pointer = wl_proxy_marshal_constructor(manager, 0, &pointer_interface,
                                                            seat, NULL);
    wl_display_roundtrip(display);
    setvbuf(stdout, NULL, _IOLBF, 0);
    char line[128], word[16];
    while (fgets(line, sizeof line, stdin)) {
        int x, y;
        if (sscanf(line, "move %d %d", &x, &y) == 2 && x >= 0 && y >= 0) {
            wl_proxy_marshal(pointer, MOTION_ABSOLUTE, now_ms(), (unsigned)x, (unsigned)y, width,
                             height);
            wl_proxy_marshal(pointer, FRAME);
        } else if (sscanf(line, "click %15s", word) == 1 && button_code(word)) {
            for (unsigned state = 1;; state = 0) {
                wl_proxy_marshal(pointer, BUTTON, now_ms(), button_code(word), state);
                wl_proxy_marshal(pointer, FRAME);
                wl_display_roundtrip(display);
                if (!state) break;
            }
        } else {
            printf("error: %s", line);
            continue;
        }
        if (wl_display_roundtrip(display) < 0) return 1;
        printf("ok\n");
    }
    return 0;
}
