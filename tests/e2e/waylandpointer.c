/* A pointer for a headless Wayland compositor, as a mouse moves it: creates
 * a virtual pointer, moves it to a point of the output layout, optionally
 * clicks the left button there, and keeps the device for a while so that the
 * window under it shows its pointer (for a screenshot with grim -c).
 *   waylandpointer X Y WIDTH HEIGHT SECONDS [click]
 * WIDTH and HEIGHT are the layout's logical size. Used by the end-to-end
 * tests on Wayland, where nothing else moves a pointer. */
#include <linux/input-event-codes.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>
#include <wayland-client.h>

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

static struct wl_seat* seat;
static struct zwlr_virtual_pointer_manager_v1* manager;

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                   uint32_t version) {
    (void)data;
    (void)version;
    if (strcmp(interface, wl_seat_interface.name) == 0) {
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
    } else if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
        manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
    }
}

static void global_remove(void* data, struct wl_registry* registry, uint32_t name) {
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener registry_listener = {global, global_remove};

static uint32_t now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (uint32_t)(t.tv_sec * 1000 + t.tv_nsec / 1000000);
}

int main(int argc, char** argv) {
    if (argc < 6) {
        fprintf(stderr, "usage: waylandpointer X Y WIDTH HEIGHT SECONDS [click]\n");
        return 2;
    }
    const uint32_t x = (uint32_t)strtoul(argv[1], NULL, 10);
    const uint32_t y = (uint32_t)strtoul(argv[2], NULL, 10);
    const uint32_t width = (uint32_t)strtoul(argv[3], NULL, 10);
    const uint32_t height = (uint32_t)strtoul(argv[4], NULL, 10);
    const double seconds = strtod(argv[5], NULL);
    const int click = argc > 6 && strcmp(argv[6], "click") == 0;

    struct wl_display* display = wl_display_connect(NULL);
    if (display == NULL) {
        fprintf(stderr, "waylandpointer: cannot connect to the compositor\n");
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, NULL);
    wl_display_roundtrip(display);
    if (manager == NULL) {
        fprintf(stderr, "waylandpointer: the compositor offers no virtual pointer\n");
        return 1;
    }
    struct zwlr_virtual_pointer_v1* pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, seat);
    wl_display_roundtrip(display);
    /* Once elsewhere first, so the move is one the window sees. */
    zwlr_virtual_pointer_v1_motion_absolute(pointer, now_ms(), 0, 0, width, height);
    zwlr_virtual_pointer_v1_frame(pointer);
    wl_display_roundtrip(display);
    usleep(100000);
    /* The last few pixels step by step: a window takes the first position as
     * the pointer's entry and the later ones as moves over it. */
    for (uint32_t step = 4; step != (uint32_t)-1; --step) {
        const uint32_t at = x >= step * 2 ? x - step * 2 : x;
        zwlr_virtual_pointer_v1_motion_absolute(pointer, now_ms(), at, y, width, height);
        zwlr_virtual_pointer_v1_frame(pointer);
        wl_display_roundtrip(display);
        usleep(20000);
    }
    if (click) {
        usleep(100000);
        zwlr_virtual_pointer_v1_button(pointer, now_ms(), BTN_LEFT,
                                       WL_POINTER_BUTTON_STATE_PRESSED);
        zwlr_virtual_pointer_v1_frame(pointer);
        zwlr_virtual_pointer_v1_button(pointer, now_ms(), BTN_LEFT,
                                       WL_POINTER_BUTTON_STATE_RELEASED);
        zwlr_virtual_pointer_v1_frame(pointer);
        wl_display_roundtrip(display);
    }
    usleep((useconds_t)(seconds * 1e6));
    zwlr_virtual_pointer_v1_destroy(pointer);
    zwlr_virtual_pointer_manager_v1_destroy(manager);
    if (seat != NULL) wl_seat_destroy(seat);
    wl_registry_destroy(registry);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
