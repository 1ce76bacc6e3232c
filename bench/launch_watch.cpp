// Starts a program and times, on its X server, the two moments of its launch:
// its window mapped, and the first picture drawn into that window. Polling for
// the window from a script costs milliseconds of its own and cannot see the
// first picture at all; the X server reports both as they happen.
//
//   qv_launch_watch <result file> <program> [arguments...]
//
// The program is exec'd in this process, so that a shell's $! is the program
// itself. A watcher detached from it keeps the connection to the X server and,
// once both moments are seen, writes "<mapped ms> <painted ms>" to the result
// file (through a temporary name, so that a reader never sees half a line),
// counted from just before the exec. It gives up after 30 s.
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::optional<uint32_t> windowPid(xcb_connection_t* c, xcb_window_t window, xcb_atom_t pidAtom) {
    const auto cookie = xcb_get_property(c, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(c, cookie, nullptr), &std::free);
    if (!reply || xcb_get_property_value_length(reply.get()) != 4)
        return std::nullopt;
    uint32_t pid = 0;
    std::memcpy(&pid, xcb_get_property_value(reply.get()), sizeof pid);
    return pid;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    const auto cookie = xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(c, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

void writeResult(const std::string& path, double mapped, double painted) {
    const std::string partial = path + ".part";
    if (FILE* f = std::fopen(partial.c_str(), "w")) {
        std::fprintf(f, "%.1f %.1f\n", mapped, painted);
        if (std::fclose(f) == 0)
            std::rename(partial.c_str(), path.c_str());
    }
}

// Runs in the detached watcher: follows the windows created on the root until
// the program's own window is mapped and painted.
int watch(xcb_connection_t* c, uint8_t damageEvent, pid_t program, Clock::time_point start,
          const std::string& result) {
    const xcb_atom_t pidAtom = atom(c, "_NET_WM_PID");
    // The first picture of each window created on the root, once drawn.
    std::map<xcb_window_t, std::optional<double>> painted;
    std::optional<xcb_window_t> ours;
    std::optional<double> mapped;
    while (msSince(start) < 30000) {
        std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(xcb_poll_for_event(c),
                                                                         &std::free);
        if (!event) {
            if (xcb_connection_has_error(c))
                return 1;
            pollfd readable{xcb_get_file_descriptor(c), POLLIN, 0};
            poll(&readable, 1, 100);
            continue;
        }
        const double now = msSince(start);
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event.get());
            const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
            xcb_change_window_attributes(c, created->window, XCB_CW_EVENT_MASK, &mask);
            xcb_damage_create(c, xcb_generate_id(c), created->window,
                              XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
            xcb_flush(c);
            painted[created->window];
        } else if (type == XCB_MAP_NOTIFY) {
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event.get());
            if (!ours && map->event == map->window && painted.contains(map->window) &&
                windowPid(c, map->window, pidAtom) == static_cast<uint32_t>(program)) {
                ours = map->window;
                mapped = now;
            }
        } else if (type == damageEvent + XCB_DAMAGE_NOTIFY) {
            const auto* damage = reinterpret_cast<xcb_damage_notify_event_t*>(event.get());
            auto found = painted.find(damage->drawable);
            if (found != painted.end() && !found->second)
                found->second = now;
        }
        if (ours && painted[*ours]) {
            writeResult(result, *mapped, *painted[*ours]);
            return 0;
        }
    }
    std::fprintf(stderr, "qv_launch_watch: no mapped and painted window within 30 s\n");
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: qv_launch_watch <result file> <program> [arguments...]\n");
        return 2;
    }
    const std::string result = argv[1];
    std::remove(result.c_str());
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "qv_launch_watch: no X server\n");
        return 1;
    }
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(c, &xcb_damage_id);
    if (!damage || !damage->present) {
        std::fprintf(stderr, "qv_launch_watch: the X server has no DAMAGE extension\n");
        return 1;
    }
    std::free(xcb_damage_query_version_reply(
        c, xcb_damage_query_version(c, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
        nullptr));
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    std::free(xcb_request_check(
        c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask)));

    // The watcher is a grandchild, so that nothing waits on the program for it;
    // the start moment reaches it through a pipe once the program is to start.
    int ready[2];
    if (pipe(ready) != 0)
        return 1;
    const pid_t program = getpid();
    const pid_t child = fork();
    if (child < 0)
        return 1;
    if (child == 0) {
        if (fork() != 0)
            _exit(0);
        close(ready[1]);
        int64_t startNs = 0;
        ssize_t got;
        do
            got = read(ready[0], &startNs, sizeof startNs);
        while (got < 0 && errno == EINTR);
        if (got != static_cast<ssize_t>(sizeof startNs))
            _exit(1);
        const Clock::time_point start{std::chrono::nanoseconds(startNs)};
        _exit(watch(c, damage->first_event, program, start, result));
    }
    waitpid(child, nullptr, 0);
    close(ready[0]);
    close(xcb_get_file_descriptor(c));
    const int64_t startNs =
        std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
            .count();
    if (write(ready[1], &startNs, sizeof startNs) != static_cast<ssize_t>(sizeof startNs))
        return 1;
    close(ready[1]);
    execvp(argv[2], argv + 2);
    std::perror("qv_launch_watch: exec");
    return 127;
}
