// Tells the start-up benchmark, from the X server's own view, when a program's
// window was mapped and when its first frame was on screen.
//
//   tickora_watch                 watch; commands on stdin, findings on stdout
//   tickora_watch --calibrate N   draw N frames itself and say how late it saw them
//
// Commands, one a line:
//   watch PID KEY    the next window that process maps is measured; KEY names
//                    the program, so what its window settles to is kept for
//                    the next start of the same program
// Findings, one a line, times in microseconds of the wall clock (the shell's
// EPOCHREALTIME):
//   map PID WINDOW TIME
//   paint PID WINDOW TIME FRAMES known|settled     or   paint PID WINDOW none FRAMES
//
// The first frame is the first picture of the window, read back from the X
// server, that is identical to the window as it settles: everything that is
// on screen once the program has started, its pictures included, and nothing
// short of it. A program that shows its window first and fills it later is
// timed when it has filled it.
//
// How: the watcher is told by the X server of every window created and mapped
// on the screen (there is no window manager, so the programs' windows are the
// root's children) and follows each one's drawing through the DAMAGE
// extension from its creation on. Each batch of drawing on a watched window
// is answered by one GetImage of the whole window. Its time is the time the
// last damage notice it contains was read here: the X server sends the notice
// as it draws, and this process sleeps in poll() until it comes, so the time
// is the drawing's own to within the latency that --calibrate prints. A
// notice that came in while a GetImage was under way (its sequence number
// says it was drawn before the GetImage was served) dates that picture to the
// reply instead, which is late by at most that round trip.
// The picture is compared with the one this program's window settled to the
// last time ("known"); the first identical one is the first frame, and from
// then on the window is left alone. When none is identical (the first start,
// or the wall clock's minute has moved on since) the watcher waits until the
// window has drawn nothing for 200 ms, reads the settled window and takes the
// first of the pictures it kept that is identical ("settled").
// A picture is read through shared memory (MIT-SHM): the X server copies the
// window once, in some tens of microseconds, and only after the program has
// drawn; before its first drawing the program is not held up at all, and its
// map is only listened to.
#include <xcb/damage.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <poll.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Micros = long long;

constexpr Micros kQuietUs = 200'000;     // no drawing this long: the window has settled
constexpr Micros kEarliestSettleUs = 300'000;
constexpr Micros kGiveUpUs = 5'000'000;  // still drawing after this long: no first frame
constexpr std::size_t kMaxFrames = 64;

Micros Now()
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<Micros>(ts.tv_sec) * 1'000'000 + ts.tv_nsec / 1000;
}

struct Picture {
    std::uint16_t width = 0, height = 0;
    std::vector<std::uint8_t> pixels;
    bool operator==(const Picture &) const = default;
};

struct Frame {
    Micros time = 0;
    Picture picture;
};

struct Window {
    xcb_damage_damage_t damage = 0;
    bool watched = false, done = false;
    long pid = 0;
    std::string key;
    Micros mapped = 0, lastDrawn = 0;
    bool dirty = false;
    // While a GetImage is under way: its sequence number, and whether drawing
    // that it contains was only read after it had been sent.
    std::uint32_t capturing = 0;
    bool drawnDuringCapture = false;
    std::vector<Frame> frames;
};

class Watcher {
public:
    explicit Watcher(xcb_connection_t *connection)
        : m_c(connection), m_root(xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root)
    {
    }

    bool Init()
    {
        const xcb_query_extension_reply_t *damage = xcb_get_extension_data(m_c, &xcb_damage_id);
        if (damage == nullptr || !damage->present) {
            std::fprintf(stderr, "tickora_watch: the X server has no DAMAGE extension\n");
            return false;
        }
        m_damageEvent = damage->first_event + XCB_DAMAGE_NOTIFY;
        std::free(xcb_damage_query_version_reply(m_c, xcb_damage_query_version(m_c, 1, 1), nullptr));
        const char name[] = "_NET_WM_PID";
        xcb_intern_atom_reply_t *atom
            = xcb_intern_atom_reply(m_c, xcb_intern_atom(m_c, 0, sizeof name - 1, name), nullptr);
        m_pidAtom = atom != nullptr ? atom->atom : XCB_NONE;
        std::free(atom);
        AttachShared();
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_c, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_c);
        return true;
    }

    int Fd() const { return xcb_get_file_descriptor(m_c); }

    void Watch(long pid, const std::string &key) { m_expected[pid] = key; }

    // Follows a window's drawing from now on (raw rectangles: one notice per
    // drawing request, nothing to acknowledge).
    void Follow(xcb_window_t id)
    {
        Window &window = m_windows[id];
        if (window.damage != 0)
            return;
        window.damage = xcb_generate_id(m_c);
        xcb_damage_create(m_c, window.damage, id, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
    }

    // Handles every event xcb has read; "at" is when they were read.
    void Drain(bool readSocket, Micros at)
    {
        while (xcb_generic_event_t *event = readSocket ? xcb_poll_for_event(m_c) : xcb_poll_for_queued_event(m_c)) {
            Handle(event, at);
            std::free(event);
        }
    }

    void CaptureDirty()
    {
        for (auto &[id, window] : m_windows)
            if (window.watched && !window.done && window.dirty)
                Capture(id, window);
    }

    // Settles the windows that have drawn nothing for a while, and gives up on
    // those that never stop. Returns how long poll() may sleep.
    int Tick(Micros now)
    {
        Micros wait = -1;
        for (auto &[id, window] : m_windows) {
            if (!window.watched || window.done)
                continue;
            const Micros quietAt = std::max(window.mapped + kEarliestSettleUs, window.lastDrawn + kQuietUs);
            if (now >= window.mapped + kGiveUpUs) {
                Report(id, window, nullptr, "");
            } else if (now >= quietAt) {
                Settle(id, window);
            } else {
                const Micros left = std::min(quietAt, window.mapped + kGiveUpUs) - now;
                wait = wait < 0 ? left : std::min(wait, left);
            }
        }
        Forget();
        return wait < 0 ? -1 : static_cast<int>(wait / 1000 + 1);
    }

    void Forget()
    {
        for (auto it = m_windows.begin(); it != m_windows.end();)
            it = it->second.done ? m_windows.erase(it) : std::next(it);
    }

    std::optional<Picture> Read(xcb_window_t id, std::uint16_t width, std::uint16_t height, std::uint8_t depth,
                                Window *window)
    {
        const std::uint32_t planes = depth >= 32 ? 0xffffffffu : (1u << depth) - 1u;
        const std::size_t bytes = std::size_t{width} * height * 4;
        const bool shared = m_shared != nullptr && bytes <= m_sharedBytes;
        const unsigned sequence
            = shared ? xcb_shm_get_image(m_c, id, 0, 0, width, height, planes, XCB_IMAGE_FORMAT_Z_PIXMAP, m_segment, 0)
                           .sequence
                     : xcb_get_image(m_c, XCB_IMAGE_FORMAT_Z_PIXMAP, id, 0, 0, width, height, planes).sequence;
        if (window != nullptr) {
            window->capturing = sequence;
            window->drawnDuringCapture = false;
        }
        void *reply = shared ? static_cast<void *>(xcb_shm_get_image_reply(m_c, {sequence}, nullptr))
                             : static_cast<void *>(xcb_get_image_reply(m_c, {sequence}, nullptr));
        const Micros replied = Now();
        if (window != nullptr) {
            // What arrived with the reply: notices sent before it was served
            // belong to this picture.
            Drain(false, replied);
            window->capturing = 0;
        }
        if (reply == nullptr)
            return std::nullopt;
        Picture picture{width, height, {}};
        if (shared) {
            const auto *data = static_cast<const std::uint8_t *>(m_shared);
            picture.pixels.assign(data, data + static_cast<xcb_shm_get_image_reply_t *>(reply)->size);
        } else {
            auto *image = static_cast<xcb_get_image_reply_t *>(reply);
            const std::uint8_t *data = xcb_get_image_data(image);
            picture.pixels.assign(data, data + xcb_get_image_data_length(image));
        }
        std::free(reply);
        m_lastReplied = replied;
        return picture;
    }

    std::uint8_t Depth(xcb_window_t id, std::uint16_t *width, std::uint16_t *height)
    {
        xcb_get_geometry_reply_t *geometry = xcb_get_geometry_reply(m_c, xcb_get_geometry(m_c, id), nullptr);
        if (geometry == nullptr)
            return 0;
        *width = geometry->width;
        *height = geometry->height;
        const std::uint8_t depth = geometry->depth;
        std::free(geometry);
        return depth;
    }

    xcb_connection_t *Connection() const { return m_c; }
    std::uint8_t DamageEvent() const { return m_damageEvent; }

private:
    // One segment as large as the screen, marked for removal at once so that
    // it goes with the two processes that attached it, however they end.
    void AttachShared()
    {
        const xcb_query_extension_reply_t *shm = xcb_get_extension_data(m_c, &xcb_shm_id);
        if (shm == nullptr || !shm->present)
            return;
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data;
        m_sharedBytes = std::size_t{screen->width_in_pixels} * screen->height_in_pixels * 4;
        const int id = shmget(IPC_PRIVATE, m_sharedBytes, IPC_CREAT | 0600);
        if (id < 0)
            return;
        void *address = shmat(id, nullptr, SHM_RDONLY);
        m_segment = xcb_generate_id(m_c);
        xcb_generic_error_t *error = xcb_request_check(
            m_c, xcb_shm_attach_checked(m_c, m_segment, static_cast<std::uint32_t>(id), 0));
        shmctl(id, IPC_RMID, nullptr);
        if (address == reinterpret_cast<void *>(-1) || error != nullptr) {
            std::free(error);
            return;
        }
        m_shared = address;
    }

    void Handle(xcb_generic_event_t *event, Micros at)
    {
        const std::uint8_t type = event->response_type & 0x7f;
        if (type == 0)
            return; // an error: a window that went away while it was read or followed
        if (type == m_damageEvent) {
            const auto *notice = reinterpret_cast<xcb_damage_notify_event_t *>(event);
            const auto it = m_windows.find(notice->drawable);
            if (it == m_windows.end() || !it->second.watched || it->second.done)
                return;
            Window &window = it->second;
            window.lastDrawn = at;
            if (window.capturing != 0 && event->full_sequence < window.capturing)
                window.drawnDuringCapture = true;
            else
                window.dirty = true;
            return;
        }
        switch (type) {
        case XCB_CREATE_NOTIFY: {
            const auto *created = reinterpret_cast<xcb_create_notify_event_t *>(event);
            if (created->parent != m_root || created->override_redirect)
                break;
            // The X server hands out a gone window's number again.
            const auto it = m_windows.find(created->window);
            if (it != m_windows.end() && it->second.done)
                it->second = Window{};
            Follow(created->window);
            break;
        }
        case XCB_MAP_NOTIFY: {
            const auto *mapped = reinterpret_cast<xcb_map_notify_event_t *>(event);
            if (mapped->event == m_root && !mapped->override_redirect)
                Mapped(mapped->window, at);
            break;
        }
        case XCB_DESTROY_NOTIFY: {
            // Forgotten once no loop holds it: this may come in while the window is being read.
            const auto *destroyed = reinterpret_cast<xcb_destroy_notify_event_t *>(event);
            const auto it = m_windows.find(destroyed->window);
            if (destroyed->event == m_root && it != m_windows.end())
                it->second.done = true;
            break;
        }
        default:
            break;
        }
    }

    void Mapped(xcb_window_t id, Micros at)
    {
        Follow(id);
        Window &window = m_windows[id];
        if (window.watched)
            return;
        xcb_get_property_reply_t *property = xcb_get_property_reply(
            m_c, xcb_get_property(m_c, 0, id, m_pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
        long pid = 0;
        if (property != nullptr && xcb_get_property_value_length(property) == 4)
            pid = static_cast<long>(*static_cast<std::uint32_t *>(xcb_get_property_value(property)));
        std::free(property);
        const auto expected = m_expected.find(pid);
        if (expected == m_expected.end())
            return;
        window.watched = true;
        window.pid = pid;
        window.key = expected->second;
        window.mapped = window.lastDrawn = at;
        m_expected.erase(expected);
        std::printf("map %ld %u %lld\n", pid, id, at);
        std::fflush(stdout);
    }

    void Capture(xcb_window_t id, Window &window)
    {
        std::uint16_t width = 0, height = 0;
        const std::uint8_t depth = Depth(id, &width, &height);
        Micros time = window.lastDrawn;
        window.dirty = false;
        std::optional<Picture> picture = depth != 0 ? Read(id, width, height, depth, &window) : std::nullopt;
        if (!picture)
            return;
        if (window.drawnDuringCapture)
            time = m_lastReplied;
        const auto known = m_settled.find(window.key);
        if (known != m_settled.end() && known->second == *picture) {
            window.frames.push_back({time, std::move(*picture)});
            Report(id, window, &window.frames.back(), "known");
        } else if (window.frames.empty() || !(window.frames.back().picture == *picture)) {
            if (window.frames.size() < kMaxFrames)
                window.frames.push_back({time, std::move(*picture)});
        }
    }

    void Settle(xcb_window_t id, Window &window)
    {
        std::uint16_t width = 0, height = 0;
        const std::uint8_t depth = Depth(id, &width, &height);
        std::optional<Picture> settled = depth != 0 ? Read(id, width, height, depth, nullptr) : std::nullopt;
        if (!settled) {
            Report(id, window, nullptr, "");
            return;
        }
        const auto first = std::find_if(window.frames.begin(), window.frames.end(),
                                        [&](const Frame &frame) { return frame.picture == *settled; });
        m_settled[window.key] = std::move(*settled);
        Report(id, window, first == window.frames.end() ? nullptr : &*first, "settled");
    }

    void Report(xcb_window_t id, Window &window, const Frame *first, const char *how)
    {
        if (first != nullptr)
            std::printf("paint %ld %u %lld %zu %s\n", window.pid, id, first->time, window.frames.size(), how);
        else
            std::printf("paint %ld %u none %zu\n", window.pid, id, window.frames.size());
        std::fflush(stdout);
        window.done = true;
        window.frames.clear();
        // From here on the window's drawing costs the X server nothing on our account.
        xcb_damage_destroy(m_c, window.damage);
        xcb_flush(m_c);
    }

    xcb_connection_t *m_c;
    xcb_window_t m_root;
    std::uint8_t m_damageEvent = 0;
    xcb_atom_t m_pidAtom = XCB_NONE;
    std::map<long, std::string> m_expected;
    std::map<xcb_window_t, Window> m_windows;
    std::map<std::string, Picture> m_settled;
    Micros m_lastReplied = 0;
    std::size_t m_sharedBytes = 0;
    void *m_shared = nullptr;
    xcb_shm_seg_t m_segment = 0;
};

// Reads commands from stdin; false at its end.
bool ReadCommands(Watcher &watcher, std::string &pending)
{
    char buffer[4096];
    const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
    if (got <= 0)
        return false;
    pending.append(buffer, static_cast<std::size_t>(got));
    for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
        std::istringstream line(pending.substr(0, end));
        std::string verb, key;
        long pid = 0;
        if (line >> verb >> pid >> key && verb == "watch")
            watcher.Watch(pid, key);
        else
            std::fprintf(stderr, "tickora_watch: not a command: %s\n", pending.substr(0, end).c_str());
    }
    return true;
}

int Watch(Watcher &watcher)
{
    std::string pending;
    int timeout = -1;
    for (;;) {
        pollfd fds[2] = {{watcher.Fd(), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        if (poll(fds, 2, timeout) < 0)
            continue;
        const Micros at = Now();
        if (fds[1].revents != 0 && !ReadCommands(watcher, pending))
            return 0;
        watcher.Drain(true, at);
        if (xcb_connection_has_error(watcher.Connection())) {
            std::fprintf(stderr, "tickora_watch: lost the X display\n");
            return 1;
        }
        watcher.CaptureDirty();
        watcher.Forget();
        timeout = watcher.Tick(Now());
        xcb_flush(watcher.Connection());
    }
}

Micros Median(std::vector<Micros> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Draws frames on a window of its own through a second connection, as a
// program would, and times when the first connection hears of each and how
// long reading it back takes: the first is how late a first frame is seen,
// the second how late one can be dated when drawing comes in while a picture
// is being read.
int Calibrate(Watcher &watcher, int frames)
{
    xcb_connection_t *c = watcher.Connection();
    xcb_connection_t *painter = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(painter)) {
        std::fprintf(stderr, "tickora_watch: cannot open the display\n");
        return 1;
    }
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(painter)).data;
    constexpr std::uint16_t kWidth = 556, kHeight = 183, kRows = 16;
    const xcb_window_t window = xcb_generate_id(painter);
    xcb_create_window(painter, screen->root_depth, window, screen->root, 0, 0, kWidth, kHeight, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
    const xcb_gcontext_t gc = xcb_generate_id(painter);
    xcb_create_gc(painter, gc, window, 0, nullptr);
    xcb_map_window(painter, window);
    std::free(xcb_get_input_focus_reply(painter, xcb_get_input_focus(painter), nullptr));

    watcher.Follow(window);
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    watcher.Drain(true, Now());
    std::uint16_t width = 0, height = 0;
    const std::uint8_t depth = watcher.Depth(window, &width, &height);

    std::vector<std::uint8_t> band(std::size_t{kWidth} * kRows * 4);
    std::vector<Micros> seen, read;
    for (int i = 0; i < frames; ++i) {
        std::fill(band.begin(), band.end(), static_cast<std::uint8_t>(i * 37 + 1));
        for (std::uint16_t y = 0; y < kHeight; y += kRows) {
            const auto rows = static_cast<std::uint16_t>(std::min<int>(kRows, kHeight - y));
            xcb_put_image(painter, XCB_IMAGE_FORMAT_Z_PIXMAP, window, gc, kWidth, rows, 0,
                          static_cast<std::int16_t>(y), 0, screen->root_depth, std::uint32_t{kWidth} * rows * 4,
                          band.data());
        }
        xcb_flush(painter);
        const Micros sent = Now();
        // The last band's notice: the frame is whole.
        int notices = 0;
        const int expected = (kHeight + kRows - 1) / kRows;
        Micros last = 0;
        while (notices < expected) {
            xcb_generic_event_t *event = xcb_wait_for_event(c);
            if (event == nullptr)
                return 1;
            if ((event->response_type & 0x7f) == watcher.DamageEvent()) {
                ++notices;
                last = Now();
            }
            std::free(event);
        }
        seen.push_back(last - sent);
        const Micros asked = Now();
        if (!watcher.Read(window, width, height, depth, nullptr))
            return 1;
        read.push_back(Now() - asked);
    }
    std::printf("calibrate frames=%d seen_us_median=%lld seen_us_max=%lld read_us_median=%lld read_us_max=%lld\n",
                frames, Median(seen), *std::max_element(seen.begin(), seen.end()), Median(read),
                *std::max_element(read.begin(), read.end()));
    xcb_disconnect(painter);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "tickora_watch: cannot open the display\n");
        return 1;
    }
    Watcher watcher(connection);
    if (!watcher.Init())
        return 1;
    if (argc == 3 && std::strcmp(argv[1], "--calibrate") == 0)
        return Calibrate(watcher, std::max(1, std::atoi(argv[2])));
    return Watch(watcher);
}
