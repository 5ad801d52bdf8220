// Probing the grabs and the screen through XCB, so that many requests go out
// before the first reply is awaited.
#include "Probe.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace bench {
namespace {

constexpr int kSampleLines = 16;
// An hour ahead of the server's clock: the server answers a grab request
// with a time in its future GrabInvalidTime while nobody else holds the
// grab, but AlreadyGrabbed while another client does, so the probe never
// takes a grab a locker might be reaching for at that moment.
constexpr std::uint32_t kAhead = 3'600'000;

template <typename T>
struct Reply {
    T* p;
    explicit Reply(T* reply) : p(reply) {}
    ~Reply() { std::free(p); }
    Reply(const Reply&) = delete;
    Reply& operator=(const Reply&) = delete;
};

}  // namespace

Probe::Probe(const std::string& display) {
    int number = 0;
    c_ = xcb_connect(display.c_str(), &number);
    if (xcb_connection_has_error(c_)) throw std::runtime_error("probe cannot connect to " + display);
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c_));
    for (int i = 0; i < number; ++i) xcb_screen_next(&it);
    screen_ = it.data;

    const std::uint32_t marker = kMarker;
    xcb_change_window_attributes(c_, screen_->root, XCB_CW_BACK_PIXEL, &marker);
    xcb_clear_area(c_, 0, screen_->root, 0, 0, 0, 0);
    future_ = ServerTime() + kAhead;

    const int w = width(), h = height();
    for (int i = 0; i < kSampleLines; ++i) {
        samples_.push_back({0, i * (h - 1) / (kSampleLines - 1), w, 1});
        samples_.push_back({i * (w - 1) / (kSampleLines - 1), 0, 1, h});
    }
}

Probe::~Probe() { xcb_disconnect(c_); }

// The time of a PropertyNotify on a window of our own: the server's clock.
std::uint32_t Probe::ServerTime() {
    const xcb_window_t w = xcb_generate_id(c_);
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(c_, 0, w, screen_->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
    xcb_change_property(c_, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 5, "probe");
    xcb_flush(c_);
    std::uint32_t time = 0;
    while (xcb_generic_event_t* e = xcb_wait_for_event(c_)) {
        const bool found = (e->response_type & 0x7F) == XCB_PROPERTY_NOTIFY;
        if (found) time = reinterpret_cast<xcb_property_notify_event_t*>(e)->time;
        std::free(e);
        if (found) break;
    }
    xcb_destroy_window(c_, w);
    return time;
}

bool Probe::Locked() {
    const xcb_window_t root = screen_->root;
    auto kb = xcb_grab_keyboard(c_, 0, root, future_, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    auto ptr = xcb_grab_pointer(c_, 0, root, 0, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC, XCB_NONE,
                                XCB_NONE, future_);
    std::vector<xcb_get_image_cookie_t> images;
    for (const Rect& r : samples_)
        images.push_back(xcb_get_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, root, static_cast<int16_t>(r.x),
                                       static_cast<int16_t>(r.y), static_cast<uint16_t>(r.w),
                                       static_cast<uint16_t>(r.h), ~0u));
    bool held = true;
    for (int i = 0; i < 2; ++i) {
        Reply<xcb_grab_keyboard_reply_t> reply(
            i == 0 ? xcb_grab_keyboard_reply(c_, kb, nullptr)
                   : reinterpret_cast<xcb_grab_keyboard_reply_t*>(xcb_grab_pointer_reply(c_, ptr, nullptr)));
        if (!reply.p || reply.p->status != XCB_GRAB_STATUS_ALREADY_GRABBED) held = false;
        // Should a server ever grant the probe's grab, give it back at once.
        if (reply.p && reply.p->status == XCB_GRAB_STATUS_SUCCESS) {
            if (i == 0) xcb_ungrab_keyboard(c_, XCB_CURRENT_TIME);
            else xcb_ungrab_pointer(c_, XCB_CURRENT_TIME);
        }
    }
    bool covered = true;
    for (xcb_get_image_cookie_t cookie : images) {
        Reply<xcb_get_image_reply_t> reply(xcb_get_image_reply(c_, cookie, nullptr));
        if (!reply.p) {
            covered = false;
            continue;
        }
        const auto* data = reinterpret_cast<const std::uint32_t*>(xcb_get_image_data(reply.p));
        const int n = xcb_get_image_data_length(reply.p) / 4;
        for (int i = 0; covered && i < n; ++i)
            if ((data[i] & 0xFFFFFF) == kMarker) covered = false;
    }
    return held && covered;
}

bool Probe::FindDialog(Rect* where) {
    Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c_, xcb_query_tree(c_, screen_->root), nullptr));
    if (!tree.p) return false;
    const xcb_window_t* children = xcb_query_tree_children(tree.p);
    const int count = xcb_query_tree_children_length(tree.p);
    std::vector<xcb_get_property_cookie_t> classes, names;
    for (int i = 0; i < count; ++i) {
        classes.push_back(xcb_get_property(c_, 0, children[i], XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 64));
        names.push_back(xcb_get_property(c_, 0, children[i], XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 0, 64));
    }
    xcb_window_t found = XCB_NONE;
    for (int i = 0; i < count; ++i) {
        Reply<xcb_get_property_reply_t> cls(xcb_get_property_reply(c_, classes[static_cast<std::size_t>(i)], nullptr));
        Reply<xcb_get_property_reply_t> name(xcb_get_property_reply(c_, names[static_cast<std::size_t>(i)], nullptr));
        if (!cls.p || !name.p || found) continue;
        const int length = xcb_get_property_value_length(cls.p);
        const char* value = static_cast<const char*>(xcb_get_property_value(cls.p));
        if (length >= 9 && std::memcmp(value, "umbrafold", 9) == 0 && xcb_get_property_value_length(name.p) == 0)
            found = children[i];
    }
    if (!found) return false;
    Reply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(c_, xcb_get_geometry(c_, found), nullptr));
    if (!geometry.p) return false;
    *where = {geometry.p->x, geometry.p->y, geometry.p->width, geometry.p->height};
    return true;
}

Image Probe::Grab(const Rect& r) {
    Image image;
    image.rect = r;
    Reply<xcb_get_image_reply_t> reply(xcb_get_image_reply(
        c_, xcb_get_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, screen_->root, static_cast<int16_t>(r.x),
                          static_cast<int16_t>(r.y), static_cast<uint16_t>(r.w), static_cast<uint16_t>(r.h), ~0u),
        nullptr));
    if (!reply.p) return image;
    const auto* data = reinterpret_cast<const std::uint32_t*>(xcb_get_image_data(reply.p));
    image.pixels.assign(data, data + r.w * r.h);
    for (std::uint32_t& p : image.pixels) p &= 0xFFFFFF;
    return image;
}

bool FindCaret(const Image& image, int* x, int* y, int* height) {
    if (image.pixels.empty()) return false;
    const int w = image.rect.w, h = image.rect.h;
    for (int cx = 1; cx + 1 < w; ++cx) {
        int run = 0;
        for (int cy = 0; cy < h; ++cy) {
            const bool caret = image.at(cx, cy) == 0 && image.at(cx - 1, cy) == 0xFFFFFF &&
                               image.at(cx + 1, cy) == 0xFFFFFF;
            run = caret ? run + 1 : 0;
            if (run >= 8 && (cy + 1 == h || image.at(cx, cy + 1) != 0)) {
                *x = cx;
                *y = cy - run + 1;
                *height = run;
                return true;
            }
        }
    }
    return false;
}

}  // namespace bench
