// Starts a program and reports how long it took to map its first top-level window of a
// given title on the X display, by listening for the root window's map notifications (no
// polling, so the timer neither misses nor delays the moment, nor takes the processor
// from the program it times). Prints three numbers on one line: the milliseconds from the
// exec to the map, the processor time the program had used by then (all its threads, in
// milliseconds) and its resident size then (KiB); then ends the program. With --dump the
// program runs under callgrind, which is told to write its counts at that moment (the
// instructions up to the first mapped window, bench/startup.sh --instructions).
//   mx_window_timer [--dump] TITLE PROGRAM [ARG...]
// Exits with 1, printing nothing, when the program ends or maps no such window within ten
// seconds (five minutes with --dump), and with 2 when the display cannot be opened.
#include <xcb/xcb.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double nowMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The processor time of the whole process, its threads that have ended included.
double cpuMs(pid_t pid)
{
    clockid_t clock{};
    timespec t{};
    if (clock_getcpuclockid(pid, &clock) != 0 || clock_gettime(clock, &t) != 0)
        return -1;
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

long rssKib(pid_t pid)
{
    FILE* f = std::fopen(("/proc/" + std::to_string(pid) + "/status").c_str(), "r");
    if (!f)
        return -1;
    char line[256];
    long kib = -1;
    while (std::fgets(line, sizeof line, f))
        if (std::sscanf(line, "VmRSS: %ld", &kib) == 1)
            break;
    std::fclose(f);
    return kib;
}

std::string windowName(xcb_connection_t* c, xcb_window_t w, xcb_atom_t netName, xcb_atom_t utf8)
{
    for (const auto& [atom, type] : {std::pair{netName, utf8},
                                     std::pair{xcb_atom_t(XCB_ATOM_WM_NAME), xcb_atom_t(XCB_ATOM_ANY)}}) {
        auto* reply = xcb_get_property_reply(
            c, xcb_get_property(c, 0, w, atom, type, 0, 1024), nullptr);
        if (!reply)
            continue;
        std::string name(static_cast<const char*>(xcb_get_property_value(reply)),
                         size_t(xcb_get_property_value_length(reply)));
        std::free(reply);
        if (!name.empty())
            return name;
    }
    return {};
}

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    auto* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return a;
}

void end(pid_t pid)
{
    kill(pid, SIGTERM);
    // A program that does not heed the request within a second is killed.
    for (int i = 0; i < 100; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

} // namespace

int main(int argc, char** argv)
{
    const bool dump = argc > 1 && std::strcmp(argv[1], "--dump") == 0;
    if (dump) {
        --argc;
        ++argv;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: mx_window_timer [--dump] TITLE PROGRAM [ARG...]\n");
        return 2;
    }
    const std::string title = argv[1];
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "cannot open the display\n");
        return 2;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t netName = atom(c, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(c, "UTF8_STRING");
    xcb_flush(c);

    const double start = nowMs();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        execvp(argv[2], argv + 2);
        std::perror(argv[2]);
        _exit(127);
    }

    pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
    // Under callgrind a start takes fifty times as long.
    const double limitMs = dump ? 300000 : 10000;
    while (nowMs() - start < limitMs) {
        while (xcb_generic_event_t* e = xcb_poll_for_event(c)) {
            if ((e->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                const double mapped = nowMs();
                const double cpu = cpuMs(pid);
                const long rss = rssKib(pid);
                const xcb_window_t w = reinterpret_cast<xcb_map_notify_event_t*>(e)->window;
                if (windowName(c, w, netName, utf8) == title) {
                    std::printf("%.1f %.1f %ld\n", mapped - start, cpu, rss);
                    std::fflush(stdout);
                    if (dump) {
                        const std::string command = "callgrind_control --dump=first-window " +
                                                    std::to_string(pid) + " >/dev/null";
                        if (std::system(command.c_str()) != 0)
                            std::fprintf(stderr, "callgrind_control failed\n");
                    }
                    std::free(e);
                    end(pid);
                    return 0;
                }
            }
            std::free(e);
        }
        if (xcb_connection_has_error(c) || waitpid(pid, nullptr, WNOHANG) == pid)
            return 1;
        poll(&fd, 1, 10);
    }
    end(pid);
    return 1;
}
