// How long after a frame reaches the port the screen shows it, measured from
// outside the panel. The virtual board (virtualboard --steps) makes PAD0 jump
// between two levels and logs when each jump was written; this program reads
// the X server's screen, where the Osciloscope draws PAD0 in pure red, and
// stamps when the line at the plot's right edge (the newest sample of the
// rolling view) first stands at the new level. Both use the system's
// monotonic clock. Plain xcb, so that the watcher costs the X server one
// small image per poll and nothing else.
//
//   pixelwatch --seconds S --steps BOARD_LOG [--poll-us US] [--colour RRGGBB]
//
// Prints one line: "latency STEPS SEEN MISSED MEDIAN_MS P99_MS MAX_MS POLLS_PER_S".
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

int64_t nowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

void sleepUntil(int64_t ns)
{
    const timespec ts{time_t(ns / 1000000000), long(ns % 1000000000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

[[noreturn]] void fail(const std::string &why)
{
    std::fprintf(stderr, "pixelwatch: %s\n", why.c_str());
    std::exit(1);
}

// A rectangle of the root window, as 32-bit pixels (the only layout of a
// 24-bit screen that Xvfb and common servers use).
class Screen
{
public:
    Screen()
    {
        connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection))
            fail("cannot connect to the X server (is DISPLAY set?)");
        const xcb_setup_t *setup = xcb_get_setup(connection);
        const xcb_screen_t *screen = xcb_setup_roots_iterator(setup).data;
        root = screen->root;
        width = screen->width_in_pixels;
        height = screen->height_in_pixels;
        if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST)
            fail("the screen's pixels are not in the order this program reads");
        for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it)) {
            if (it.data->depth == screen->root_depth && it.data->bits_per_pixel != 32)
                fail("the screen does not keep 32 bits a pixel");
        }
    }
    ~Screen() { xcb_disconnect(connection); }
    Screen(const Screen &) = delete;
    Screen &operator=(const Screen &) = delete;

    // The pixels of x..x+w, y..y+h as 0xRRGGBB, row by row.
    std::vector<uint32_t> grab(int x, int y, int w, int h)
    {
        const xcb_get_image_cookie_t cookie = xcb_get_image(
            connection, XCB_IMAGE_FORMAT_Z_PIXMAP, root, int16_t(x), int16_t(y), uint16_t(w),
            uint16_t(h), ~0u);
        std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> reply(
            xcb_get_image_reply(connection, cookie, nullptr), &std::free);
        if (!reply)
            fail("the X server gave no image");
        std::vector<uint32_t> pixels(size_t(w) * size_t(h));
        const size_t bytes = std::min<size_t>(pixels.size() * 4,
                                              size_t(xcb_get_image_data_length(reply.get())));
        std::memcpy(pixels.data(), xcb_get_image_data(reply.get()), bytes);
        for (uint32_t &pixel : pixels)
            pixel &= 0xffffff;
        return pixels;
    }

    int width = 0;
    int height = 0;

private:
    xcb_connection_t *connection = nullptr;
    xcb_window_t root = 0;
};

// Where the plot's line ends, at the plot's right edge: the rightmost pixel
// of the colour, once a run of it at least 30 pixels long shows that the line
// is drawn (the channel's label under the plot, left of its right edge, is in
// that colour too, in short strokes).
std::optional<int> lineEnd(Screen &screen, uint32_t colour)
{
    const std::vector<uint32_t> pixels = screen.grab(0, 0, screen.width, screen.height);
    int longestRun = 0;
    int rightmost = -1;
    for (int y = 0; y < screen.height; ++y) {
        int run = 0;
        for (int x = 0; x < screen.width; ++x) {
            run = pixels[size_t(y) * size_t(screen.width) + size_t(x)] == colour ? run + 1 : 0;
            longestRun = std::max(longestRun, run);
            if (run > 0)
                rightmost = std::max(rightmost, x);
        }
    }
    if (longestRun < 30)
        return std::nullopt;
    return rightmost;
}

// The line's mean height in the strip's rightmost column that holds the
// colour, as a screen row; none when no column does.
std::optional<double> lineRow(const std::vector<uint32_t> &strip, int w, int h, uint32_t colour)
{
    for (int x = w - 1; x >= 0; --x) {
        double sum = 0;
        int count = 0;
        for (int y = 0; y < h; ++y) {
            if (strip[size_t(y) * size_t(w) + size_t(x)] == colour) {
                sum += y;
                ++count;
            }
        }
        if (count > 0)
            return sum / count;
    }
    return std::nullopt;
}

// A look at the screen: the line's row, and when the request went out and
// its answer came back (the server took the picture in between).
struct Poll
{
    int64_t sentNs = 0;
    int64_t replyNs = 0;
    double row = 0;
};

struct Change
{
    bool high = false;
    int64_t estimateNs = 0; // halfway between the poll before and this one
    int64_t replyNs = 0;    // the poll that showed it had its answer by then
};

struct Step
{
    int millivolts = 0;
    int64_t ns = 0;
};

std::vector<Step> readSteps(const std::string &path)
{
    std::ifstream file(path);
    if (!file)
        fail("cannot read " + path);
    std::vector<Step> steps;
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream words(line);
        std::string word;
        Step step;
        if (words >> word && word == "step" && words >> step.millivolts >> step.ns)
            steps.push_back(step);
    }
    return steps;
}

double percentile(const std::vector<double> &sorted, double share)
{
    // Nearest rank: the smallest value with at least this share at or below it.
    const size_t rank = size_t(std::ceil(share * double(sorted.size())));
    return sorted[std::clamp<size_t>(rank, 1, sorted.size()) - 1];
}

} // namespace

int main(int argc, char *argv[])
{
    double seconds = 0;
    std::string stepsPath;
    int pollUs = 1000;
    uint32_t colour = 0xff0000;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--seconds")
            seconds = std::atof(argv[i + 1]);
        else if (option == "--steps")
            stepsPath = argv[i + 1];
        else if (option == "--poll-us")
            pollUs = std::max(100, std::atoi(argv[i + 1]));
        else if (option == "--colour")
            colour = uint32_t(std::strtoul(argv[i + 1], nullptr, 16));
        else
            fail("unknown option " + option);
    }
    if (seconds <= 0 || stepsPath.empty())
        fail("usage: pixelwatch --seconds S --steps BOARD_LOG [--poll-us US] [--colour RRGGBB]");

    Screen screen;
    // The window opens and draws within a few seconds of the panel's start.
    std::optional<int> edge;
    for (int tries = 0; tries < 100 && !edge; ++tries) {
        edge = lineEnd(screen, colour);
        if (!edge)
            sleepUntil(nowNs() + 100000000);
    }
    if (!edge)
        fail("no line of that colour on the screen");
    // A strip a few columns wide, in case the line's last pixel moves by one.
    const int stripWidth = std::min(3, *edge + 1);
    const int stripX = *edge + 1 - stripWidth;

    const int64_t pollNs = int64_t(pollUs) * 1000;
    const int64_t calibrationNs = 1500000000;
    const int64_t start = nowNs();
    const int64_t end = start + calibrationNs + int64_t(seconds * 1e9);
    std::vector<Poll> polls;
    for (int64_t next = start; next < end; next += pollNs) {
        sleepUntil(next);
        const int64_t before = nowNs();
        const std::vector<uint32_t> strip = screen.grab(stripX, 0, stripWidth, screen.height);
        const int64_t after = nowNs();
        if (const std::optional<double> row = lineRow(strip, stripWidth, screen.height, colour))
            polls.push_back({before, after, *row});
        // Behind by more than a poll (the watcher was not run): no catching up.
        next = std::max(next, nowNs() - pollNs);
    }

    // The two levels from the first 1.5 s, which hold steps: the line above
    // the middle between its highest and lowest row is at the high level.
    double top = 1e9, bottom = -1e9;
    for (const Poll &poll : polls) {
        if (poll.replyNs >= start + calibrationNs)
            break;
        top = std::min(top, poll.row);
        bottom = std::max(bottom, poll.row);
    }
    if (bottom - top < 10)
        fail("the line did not step within the first 1.5 s");
    const double middle = (top + bottom) / 2;

    std::vector<Change> changes;
    for (size_t i = 1; i < polls.size(); ++i) {
        const bool high = polls[i].row < middle;
        if (high == (polls[i - 1].row < middle))
            continue;
        const int64_t previous = (polls[i - 1].sentNs + polls[i - 1].replyNs) / 2;
        const int64_t current = (polls[i].sentNs + polls[i].replyNs) / 2;
        changes.push_back({high, (previous + current) / 2, polls[i].replyNs});
    }

    const std::vector<Step> allSteps = readSteps(stepsPath);
    int highMv = 0;
    for (const Step &step : allSteps)
        highMv = std::max(highMv, step.millivolts);
    // Steps after the calibration, with time left to be seen before the end.
    std::vector<Step> steps;
    for (const Step &step : allSteps) {
        if (step.ns >= start + calibrationNs && step.ns < end - 200000000)
            steps.push_back(step);
    }
    std::vector<double> latencies;
    int missed = 0;
    for (size_t i = 0; i < steps.size(); ++i) {
        const bool high = steps[i].millivolts == highMv;
        const int64_t until = i + 1 < steps.size() ? steps[i + 1].ns : end;
        const auto shown = std::find_if(changes.begin(), changes.end(), [&](const Change &c) {
            return c.replyNs > steps[i].ns && c.high == high;
        });
        if (shown == changes.end() || shown->replyNs > until) {
            ++missed;
            continue;
        }
        latencies.push_back(double(std::max<int64_t>(0, shown->estimateNs - steps[i].ns)) / 1e6);
    }
    if (latencies.empty())
        fail("no step was seen on the screen");
    std::sort(latencies.begin(), latencies.end());
    std::printf("latency %zu %zu %d %.1f %.1f %.1f %.0f\n", steps.size(), latencies.size(), missed,
                percentile(latencies, 0.5), percentile(latencies, 0.99), latencies.back(),
                double(polls.size()) / (double(end - start) / 1e9));
    return 0;
}
