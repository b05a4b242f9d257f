// SPDX-License-Identifier: GPL-3.0-or-later
// Starts a program on the X display and watches it from the X server's side: the time from
// just before the program is started to the moment the server has drawn its main window whole
// for the first time, then the program's resident memory a while later.
//
//   frame_watch [--rss-after-ms N] [--timeout-ms N] [--verbose] -- PROGRAM [ARGUMENT...]
//
// The main window is the first top-level window that is mapped without override-redirect (on a
// display with no window manager, as under Xvfb, it is a child of the root). Every top-level
// window gets a Damage object as soon as the server reports its creation; the damage reported
// on the main window is added up, pixel by pixel, and the first complete frame is the damage
// event that makes it cover the window's whole area. Qt creates its windows without a
// background, so the server paints nothing of its own there: all damage is the program's
// drawing.
//
// Prints one line, "frame_ms=<ms> rss_kib=<KiB>", and ends the program with SIGTERM.

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

double NowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1.0e6;
}

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "frame_watch: %s\n", what);
    std::exit(1);
}

long ResidentKib(pid_t pid)
{
    const std::string path = "/proc/" + std::to_string(pid) + "/status";
    FILE* file = std::fopen(path.c_str(), "r");
    if (!file)
        return -1;
    char line[256];
    long kib = -1;
    while (std::fgets(line, sizeof line, file)) {
        if (std::sscanf(line, "VmRSS: %ld kB", &kib) == 1)
            break;
    }
    std::fclose(file);
    return kib;
}

void Stop(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        usleep(10'000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// The pixels of one window that damage has covered so far.
class Coverage {
public:
    void reset(int width, int height)
    {
        width_ = width;
        height_ = height;
        covered_ = 0;
        pixels_.assign(static_cast<size_t>(width) * height, 0);
    }
    void add(int x, int y, int w, int h)
    {
        for (int row = std::max(y, 0); row < std::min(y + h, height_); ++row) {
            for (int col = std::max(x, 0); col < std::min(x + w, width_); ++col) {
                unsigned char& pixel = pixels_[static_cast<size_t>(row) * width_ + col];
                covered_ += pixel == 0;
                pixel = 1;
            }
        }
    }
    bool complete() const { return width_ > 0 && covered_ == pixels_.size(); }

private:
    int width_ = 0;
    int height_ = 0;
    size_t covered_ = 0;
    std::vector<unsigned char> pixels_;
};

struct Options {
    int rssAfterMs = 1000;
    int timeoutMs = 30000;
    bool verbose = false; // every event of the watched windows on stderr
    char** command = nullptr;
};

Options Parse(int argc, char** argv)
{
    Options options;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (i + 1 < argc && std::strcmp(argv[i], "--rss-after-ms") == 0)
            options.rssAfterMs = std::atoi(argv[++i]);
        else if (i + 1 < argc && std::strcmp(argv[i], "--timeout-ms") == 0)
            options.timeoutMs = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--verbose") == 0)
            options.verbose = true;
        else
            fail("usage: frame_watch [--rss-after-ms N] [--timeout-ms N] [--verbose] -- PROGRAM "
                 "[ARG...]");
    }
    if (i + 1 >= argc)
        fail("no program given");
    options.command = argv + i + 1;
    return options;
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = Parse(argc, argv);

    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        fail("cannot open the display");
    fcntl(xcb_get_file_descriptor(connection), F_SETFD, FD_CLOEXEC);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;

    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection, &xcb_damage_id);
    if (!damage || !damage->present)
        fail("the display has no DAMAGE extension");
    free(xcb_damage_query_version_reply(
        connection,
        xcb_damage_query_version(connection, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
        nullptr));
    const uint32_t rootEvents = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    // Checked, so that the selection is in force before the program starts.
    if (xcb_generic_error_t* error =
            xcb_request_check(connection, xcb_change_window_attributes_checked(
                                              connection, root, XCB_CW_EVENT_MASK, &rootEvents))) {
        free(error);
        fail("cannot watch the root window");
    }

    const double start = NowMs();
    const pid_t pid = fork();
    if (pid < 0)
        fail("fork failed");
    if (pid == 0) {
        execvp(options.command[0], options.command);
        std::perror("frame_watch: exec");
        _exit(127);
    }

    struct Window {
        int width = 0;
        int height = 0;
    };
    std::map<xcb_window_t, Window> windows;
    xcb_window_t mainWindow = XCB_NONE;
    Coverage coverage;
    double frameMs = -1;

    while (frameMs < 0) {
        const double left = options.timeoutMs - (NowMs() - start);
        if (left <= 0 || waitpid(pid, nullptr, WNOHANG) == pid) {
            Stop(pid);
            fail(left <= 0 ? "no complete frame before the time-out" : "the program ended");
        }
        xcb_generic_event_t* event = xcb_poll_for_event(connection);
        if (!event) {
            if (xcb_connection_has_error(connection))
                fail("lost the display");
            pollfd fd{xcb_get_file_descriptor(connection), POLLIN, 0};
            poll(&fd, 1, static_cast<int>(std::min(left, 100.0)));
            continue;
        }
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
            if (created->parent == root) {
                xcb_damage_create(connection, xcb_generate_id(connection), created->window,
                                  XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
                xcb_flush(connection);
                windows[created->window] = {created->width, created->height};
                if (options.verbose)
                    std::fprintf(stderr, "%8.2f create 0x%x %dx%d%s\n", NowMs() - start,
                                 created->window, created->width, created->height,
                                 created->override_redirect ? " override-redirect" : "");
            }
        } else if (type == XCB_CONFIGURE_NOTIFY) {
            auto* configured = reinterpret_cast<xcb_configure_notify_event_t*>(event);
            if (auto found = windows.find(configured->window); found != windows.end()) {
                found->second = {configured->width, configured->height};
                if (options.verbose)
                    std::fprintf(stderr, "%8.2f configure 0x%x %dx%d\n", NowMs() - start,
                                 configured->window, configured->width, configured->height);
                if (configured->window == mainWindow)
                    coverage.reset(configured->width, configured->height);
            }
        } else if (type == XCB_MAP_NOTIFY) {
            auto* mapped = reinterpret_cast<xcb_map_notify_event_t*>(event);
            const auto found = windows.find(mapped->window);
            if (options.verbose)
                std::fprintf(stderr, "%8.2f map 0x%x\n", NowMs() - start, mapped->window);
            if (mainWindow == XCB_NONE && !mapped->override_redirect && found != windows.end()) {
                mainWindow = mapped->window;
                coverage.reset(found->second.width, found->second.height);
            }
        } else if (type == damage->first_event + XCB_DAMAGE_NOTIFY) {
            auto* damaged = reinterpret_cast<xcb_damage_notify_event_t*>(event);
            if (options.verbose)
                std::fprintf(stderr, "%8.2f damage 0x%x %d,%d %dx%d\n", NowMs() - start,
                             damaged->drawable, damaged->area.x, damaged->area.y,
                             damaged->area.width, damaged->area.height);
            if (damaged->drawable == mainWindow) {
                coverage.add(damaged->area.x, damaged->area.y, damaged->area.width,
                             damaged->area.height);
                if (coverage.complete())
                    frameMs = NowMs() - start;
            }
        }
        free(event);
    }
    xcb_disconnect(connection);

    usleep(static_cast<useconds_t>(options.rssAfterMs) * 1000);
    const long rss = ResidentKib(pid);
    Stop(pid);
    if (rss < 0)
        fail("the program ended before its memory was read");
    std::printf("frame_ms=%.2f rss_kib=%ld\n", frameMs, rss);
    return 0;
}
