/* Watches pixels of the X screen for scripts/desktop-bench.sh, polling every half
 * millisecond, and prints wall-clock times in nanoseconds (CLOCK_REALTIME, as date +%s%N).
 *   screen-watch shown X Y SECONDS   when the pixel first shows something other than black
 *   screen-watch last X Y0 Y1 SECONDS QUIET  the last change of the column X, Y0..Y1: once
 *                                            it has changed, QUIET seconds without change end
 *                                            the watch, as do SECONDS in all
 * Prints 0 when nothing happened in time. */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static long long now_ns(void) {
    struct timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

static void nap(void) {
    struct timespec t = {0, 500000};
    nanosleep(&t, NULL);
}

int main(int argc, char** argv) {
    Display* d = XOpenDisplay(NULL);
    if (!d || argc < 5) return 2;
    Window root = DefaultRootWindow(d);
    const int x = atoi(argv[2]);
    if (strcmp(argv[1], "shown") == 0) {
        const int y = atoi(argv[3]);
        const long long end = now_ns() + (long long)(atof(argv[4]) * 1e9);
        long long seen = 0;
        while (!seen && now_ns() < end) {
            XImage* image = XGetImage(d, root, x, y, 1, 1, AllPlanes, ZPixmap);
            if (image && (XGetPixel(image, 0, 0) & 0xFFFFFF) != 0) seen = now_ns();
            if (image) XDestroyImage(image);
            if (!seen) nap();
        }
        printf("%lld\n", seen);
        return 0;
    }
    if (strcmp(argv[1], "last") == 0 && argc >= 7) {
        const int y0 = atoi(argv[3]);
        const int h = atoi(argv[4]) - y0 + 1;
        const long long end = now_ns() + (long long)(atof(argv[5]) * 1e9);
        const long long quiet = (long long)(atof(argv[6]) * 1e9);
        unsigned long* before = calloc((size_t)h, sizeof *before);
        long long last = 0;
        int first = 1;
        while (now_ns() < end && !(last > 0 && now_ns() - last > quiet)) {
            XImage* image = XGetImage(d, root, x, y0, 1, (unsigned)h, AllPlanes, ZPixmap);
            if (!image) break;
            int changed = 0;
            for (int i = 0; i < h; ++i) {
                const unsigned long p = XGetPixel(image, 0, i);
                if (p != before[i]) changed = 1;
                before[i] = p;
            }
            XDestroyImage(image);
            if (changed && !first) last = now_ns();
            first = 0;
            nap();
        }
        free(before);
        printf("%lld\n", last);
        return 0;
    }
    return 2;
}
