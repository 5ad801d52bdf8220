/* floor-locker: the least an X11 locker must do to be locked, and nothing
 * more: connect, grab the keyboard and the pointer on the root, map one black
 * override-redirect window over the root, then wait. The benchmark runs it as
 * the floor its figures are held against. It is NOT a locker: it takes no
 * password, never lets go, and ends only when killed or when the server goes
 * away. Nobody should use it to lock anything. */
#include <stdlib.h>
#include <xcb/xcb.h>

int main(void) {
    xcb_connection_t *c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) return 1;
    xcb_screen_t *s = xcb_setup_roots_iterator(xcb_get_setup(c)).data;

    /* Both grab requests go out before either reply is awaited. */
    xcb_grab_keyboard_cookie_t kc =
        xcb_grab_keyboard(c, 0, s->root, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    xcb_grab_pointer_cookie_t pc = xcb_grab_pointer(c, 0, s->root, 0, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC,
                                                    XCB_NONE, XCB_NONE, XCB_CURRENT_TIME);
    xcb_grab_keyboard_reply_t *kr = xcb_grab_keyboard_reply(c, kc, NULL);
    xcb_grab_pointer_reply_t *pr = xcb_grab_pointer_reply(c, pc, NULL);
    const int held = kr && pr && kr->status == XCB_GRAB_STATUS_SUCCESS && pr->status == XCB_GRAB_STATUS_SUCCESS;
    free(kr);
    free(pr);
    if (!held) return 1; /* never show a lock that is not held */

    const uint32_t values[] = {s->black_pixel, 1};
    const xcb_window_t w = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, w, s->root, 0, 0, s->width_in_pixels, s->height_in_pixels, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, s->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT,
                      values);
    xcb_map_window(c, w);
    xcb_flush(c);
    /* Held until killed, or until the server goes away. */
    xcb_generic_event_t *e;
    while ((e = xcb_wait_for_event(c))) free(e);
    return 0;
}
