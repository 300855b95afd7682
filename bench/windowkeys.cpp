// Acts on the panel's windows as a user at the keyboard and mouse would, from
// outside, so that a benchmark can start a window's recording (Ctrl+R and the
// file dialog) or its publishing (the plot's context menu) with the real
// program. Plain xcb: key and button events sent to a window as the X server
// would deliver them; the window takes the input focus first.
//
//   windowkeys list                      "ID TITLE" of each top-level window shown
//   windowkeys wait TEXT SECONDS         the ID of a shown window whose title holds TEXT
//   windowkeys keys ID KEY...            focus ID, then press and release each KEY:
//                                        a letter or digit, Return, Escape, Down, Up,
//                                        Tab, Menu, with "ctrl+" or "shift+" before it
//   windowkeys rightclick ID FX FY       right button at FX, FY (0..1) of ID's size
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

xcb_connection_t *connection = nullptr;
xcb_screen_t *screen = nullptr;

[[noreturn]] void fail(const std::string &why)
{
    std::fprintf(stderr, "windowkeys: %s\n", why.c_str());
    std::exit(1);
}

void pause(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

xcb_atom_t atom(const char *name)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

std::string title(xcb_window_t window)
{
    static const xcb_atom_t netName = atom("_NET_WM_NAME");
    for (const xcb_atom_t property : {netName, xcb_atom_t(XCB_ATOM_WM_NAME)}) {
        xcb_get_property_reply_t *reply = xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
            nullptr);
        std::string text;
        if (reply)
            text.assign(static_cast<const char *>(xcb_get_property_value(reply)),
                        size_t(xcb_get_property_value_length(reply)));
        std::free(reply);
        if (!text.empty())
            return text;
    }
    return {};
}

// The root's children that are mapped and have a title: the top-level windows.
std::vector<std::pair<xcb_window_t, std::string>> shownWindows()
{
    std::vector<std::pair<xcb_window_t, std::string>> windows;
    xcb_query_tree_reply_t *tree =
        xcb_query_tree_reply(connection, xcb_query_tree(connection, screen->root), nullptr);
    if (!tree)
        return windows;
    const xcb_window_t *children = xcb_query_tree_children(tree);
    for (int i = 0; i < xcb_query_tree_children_length(tree); ++i) {
        xcb_get_window_attributes_reply_t *attributes = xcb_get_window_attributes_reply(
            connection, xcb_get_window_attributes(connection, children[i]), nullptr);
        const bool mapped = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(attributes);
        std::string text = mapped ? title(children[i]) : std::string();
        if (!text.empty())
            windows.emplace_back(children[i], text);
    }
    std::free(tree);
    return windows;
}

// The keycode and shift for a keysym, from the server's keyboard map.
std::pair<xcb_keycode_t, bool> keycodeOf(uint32_t keysym)
{
    const xcb_setup_t *setup = xcb_get_setup(connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t *map = xcb_get_keyboard_mapping_reply(
        connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, uint8_t(count)), nullptr);
    if (!map)
        fail("no keyboard map");
    const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(map);
    const int per = map->keysyms_per_keycode;
    for (int code = 0; code < count; ++code) {
        for (int column = 0; column < std::min(per, 2); ++column) {
            if (syms[code * per + column] == keysym) {
                std::free(map);
                return {xcb_keycode_t(setup->min_keycode + code), column == 1};
            }
        }
    }
    std::free(map);
    fail("no key for keysym " + std::to_string(keysym));
}

uint32_t keysymOf(const std::string &name)
{
    static const std::map<std::string, uint32_t> named = {
        {"Return", 0xff0d}, {"Escape", 0xff1b}, {"Down", 0xff54}, {"Up", 0xff52},
        {"Tab", 0xff09},    {"Menu", 0xff67},   {"space", 0x20}};
    if (const auto found = named.find(name); found != named.end())
        return found->second;
    if (name.size() == 1)
        return uint32_t(static_cast<unsigned char>(name[0]));
    fail("unknown key " + name);
}

void send(xcb_window_t window, uint8_t type, uint8_t detail, uint16_t state, int16_t x, int16_t y)
{
    // Key and button events share this layout.
    xcb_key_press_event_t event{};
    event.response_type = type;
    event.detail = detail;
    event.root = screen->root;
    event.event = window;
    event.state = state;
    event.event_x = x;
    event.event_y = y;
    event.same_screen = 1;
    xcb_translate_coordinates_reply_t *place = xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, window, screen->root, x, y), nullptr);
    if (place) {
        event.root_x = place->dst_x;
        event.root_y = place->dst_y;
    }
    std::free(place);
    const uint32_t mask = type == XCB_KEY_PRESS || type == XCB_KEY_RELEASE
                              ? XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE
                              : XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE;
    xcb_send_event(connection, 0, window, mask, reinterpret_cast<const char *>(&event));
    xcb_flush(connection);
}

void pressKey(xcb_window_t window, const std::string &keyName)
{
    uint16_t state = 0;
    std::string key = keyName;
    for (const auto &[prefix, mask] : {std::pair<std::string, uint16_t>{"ctrl+", XCB_MOD_MASK_CONTROL},
                                       {"shift+", XCB_MOD_MASK_SHIFT}}) {
        if (key.rfind(prefix, 0) == 0 && key.size() > prefix.size()) {
            state |= mask;
            key = key.substr(prefix.size());
        }
    }
    const auto [code, shifted] = keycodeOf(keysymOf(key));
    if (shifted)
        state |= XCB_MOD_MASK_SHIFT;
    send(window, XCB_KEY_PRESS, code, state, 0, 0);
    pause(30);
    send(window, XCB_KEY_RELEASE, code, state, 0, 0);
    pause(120); // a menu or dialog opens in its own time
}

xcb_window_t windowArg(const char *text)
{
    return xcb_window_t(std::strtoul(text, nullptr, 0));
}

} // namespace

int main(int argc, char *argv[])
{
    connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        fail("cannot reach the X server");
    screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "list") {
        for (const auto &[id, text] : shownWindows())
            std::printf("0x%x %s\n", id, text.c_str());
    } else if (command == "wait" && argc == 4) {
        const auto deadline = std::chrono::steady_clock::now()
                              + std::chrono::milliseconds(long(std::atof(argv[3]) * 1000));
        while (std::chrono::steady_clock::now() < deadline) {
            for (const auto &[id, text] : shownWindows()) {
                if (text.find(argv[2]) != std::string::npos) {
                    std::printf("0x%x\n", id);
                    return 0;
                }
            }
            pause(100);
        }
        fail(std::string("no window titled ") + argv[2]);
    } else if (command == "keys" && argc >= 3) {
        const xcb_window_t window = windowArg(argv[2]);
        xcb_set_input_focus(connection, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
        xcb_flush(connection);
        pause(200);
        for (int i = 3; i < argc; ++i)
            pressKey(window, argv[i]);
    } else if (command == "rightclick" && argc == 5) {
        const xcb_window_t window = windowArg(argv[2]);
        xcb_get_geometry_reply_t *size =
            xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
        if (!size)
            fail("no such window");
        const auto x = int16_t(size->width * std::atof(argv[3]));
        const auto y = int16_t(size->height * std::atof(argv[4]));
        std::free(size);
        xcb_set_input_focus(connection, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
        xcb_warp_pointer(connection, XCB_NONE, window, 0, 0, 0, 0, x, y);
        xcb_flush(connection);
        pause(200);
        send(window, XCB_BUTTON_PRESS, 3, 0, x, y);
        pause(30);
        send(window, XCB_BUTTON_RELEASE, 3, XCB_BUTTON_MASK_3, x, y);
        pause(200);
    } else {
        fail("usage: windowkeys list | wait TEXT SECONDS | keys ID KEY... | rightclick ID FX FY");
    }
    xcb_disconnect(connection);
    return 0;
}
