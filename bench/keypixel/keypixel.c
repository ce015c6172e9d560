// SPDX-License-Identifier: MIT
// Key-to-pixel meter: sends keys to an X window with XTest and polls one text row with
// XGetImage until it changes, then prints the median and spread of the delays.

#define _POSIX_C_SOURCE 200809L

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static double now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec * 1e3 + (double)t.tv_nsec / 1e6;
}

static void sleep_ms(int ms)
{
    struct timespec t = {ms / 1000, (long)(ms % 1000) * 1000000L};
    nanosleep(&t, NULL);
}

// The first mapped window, depth first, whose name contains the given text.
static Window find_by_name(Display* d, Window w, const char* name)
{
    char* wm = NULL;
    XWindowAttributes a;
    if (XFetchName(d, w, &wm) && wm) {
        const int hit = strstr(wm, name) != NULL;
        XFree(wm);
        if (hit && XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable)
            return w;
    }
    Window root, parent, *children = NULL;
    unsigned int n = 0;
    Window found = 0;
    if (XQueryTree(d, w, &root, &parent, &children, &n)) {
        for (unsigned int i = 0; i < n && !found; ++i)
            found = find_by_name(d, children[i], name);
        if (children)
            XFree(children);
    }
    return found;
}

static void send_key(Display* d, KeyCode code)
{
    XTestFakeKeyEvent(d, code, True, CurrentTime);
    XTestFakeKeyEvent(d, code, False, CurrentTime);
    XFlush(d);
}

static int same_image(const XImage* a, const XImage* b)
{
    return a->height == b->height && a->bytes_per_line == b->bytes_per_line &&
           memcmp(a->data, b->data, (size_t)a->bytes_per_line * (size_t)a->height) == 0;
}

static int compare_doubles(const void* a, const void* b)
{
    const double x = *(const double*)a, y = *(const double*)b;
    return (x > y) - (x < y);
}

static void usage(void)
{
    fprintf(stderr, "usage: keypixel (-name TEXT | -id WINDOW) [-n KEYS] [-key KEYSYM] [-gap MS]\n"
                    "  sends KEYS keys (default 50: KEYSYM, default x, and BackSpace in turn) to the\n"
                    "  window, GAP ms apart (default 100), and times each until one row of the\n"
                    "  window changes: the first row that two warm-up keys both changed.\n");
    exit(2);
}

int main(int argc, char** argv)
{
    const char* name = NULL;
    Window win = 0;
    int keys = 50, gap = 100;
    const char* keyname = "x";
    for (int i = 1; i < argc; ++i) {
        if (i + 1 >= argc)
            usage();
        if (!strcmp(argv[i], "-name"))
            name = argv[++i];
        else if (!strcmp(argv[i], "-id"))
            win = (Window)strtoul(argv[++i], NULL, 0);
        else if (!strcmp(argv[i], "-n"))
            keys = atoi(argv[++i]);
        else if (!strcmp(argv[i], "-key"))
            keyname = argv[++i];
        else if (!strcmp(argv[i], "-gap"))
            gap = atoi(argv[++i]);
        else
            usage();
    }
    if ((!name && !win) || keys < 1)
        usage();

    Display* d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "keypixel: cannot open the display\n");
        return 1;
    }
    int ev, er, maj, min;
    if (!XTestQueryExtension(d, &ev, &er, &maj, &min)) {
        fprintf(stderr, "keypixel: the X server has no XTest\n");
        return 1;
    }
    if (name)
        win = find_by_name(d, DefaultRootWindow(d), name);
    XWindowAttributes a;
    if (!win || !XGetWindowAttributes(d, win, &a)) {
        fprintf(stderr, "keypixel: no window %s\n", name ? name : "with that id");
        return 1;
    }
    const KeyCode code = XKeysymToKeycode(d, XStringToKeysym(keyname));
    // Every second key erases the one before, so the line never grows and scrolls: a row of
    // one repeated glyph shifted by one glyph would look unchanged.
    const KeyCode erase = XKeysymToKeycode(d, XK_BackSpace);
    if (!code || !erase) {
        fprintf(stderr, "keypixel: no key for keysym %s\n", keyname);
        return 1;
    }
    XRaiseWindow(d, win);
    XSetInputFocus(d, win, RevertToParent, CurrentTime);
    XSync(d, False);
    sleep_ms(200);

    // Two warm-up keys, one typed and one erased, show which row the typing changes: the
    // first row both changed (a "modified" mark in a title changes with the first only).
    XImage* shot[3];
    shot[0] = XGetImage(d, win, 0, 0, (unsigned)a.width, (unsigned)a.height, AllPlanes, ZPixmap);
    send_key(d, code);
    sleep_ms(300);
    shot[1] = XGetImage(d, win, 0, 0, (unsigned)a.width, (unsigned)a.height, AllPlanes, ZPixmap);
    send_key(d, erase);
    sleep_ms(300);
    shot[2] = XGetImage(d, win, 0, 0, (unsigned)a.width, (unsigned)a.height, AllPlanes, ZPixmap);
    const size_t line = (size_t)shot[0]->bytes_per_line;
    int row = -1;
    for (int y = 0; y < a.height && row < 0; ++y) {
        const size_t at = (size_t)y * line;
        if (memcmp(shot[0]->data + at, shot[1]->data + at, line) &&
            memcmp(shot[1]->data + at, shot[2]->data + at, line))
            row = y;
    }
    for (int i = 0; i < 3; ++i)
        XDestroyImage(shot[i]);
    if (row < 0) {
        fprintf(stderr, "keypixel: no row changed with both warm-up keys\n");
        return 1;
    }

    double* delays = calloc((size_t)keys, sizeof(double));
    int timeouts = 0;
    for (int k = 0; k < keys; ++k) {
        sleep_ms(gap);
        XImage* base = XGetImage(d, win, 0, row, (unsigned)a.width, 1, AllPlanes, ZPixmap);
        send_key(d, k % 2 ? erase : code);
        const double t0 = now_ms();
        double t = t0;
        for (;;) {
            XImage* cur = XGetImage(d, win, 0, row, (unsigned)a.width, 1, AllPlanes, ZPixmap);
            t = now_ms();
            const int same = same_image(base, cur);
            XDestroyImage(cur);
            if (!same)
                break;
            if (t - t0 > 2000) {
                ++timeouts;
                break;
            }
        }
        XDestroyImage(base);
        delays[k] = t - t0;
    }
    qsort(delays, (size_t)keys, sizeof(double), compare_doubles);
    const double median = keys % 2 ? delays[keys / 2] : (delays[keys / 2 - 1] + delays[keys / 2]) / 2;
    printf("window 0x%lx %dx%d, row %d, %d keys: median %.3f ms, min %.3f, p10 %.3f, p90 %.3f, max %.3f ms",
           (unsigned long)win, a.width, a.height, row, keys, median, delays[0], delays[keys / 10],
           delays[keys - 1 - keys / 10], delays[keys - 1]);
    if (timeouts)
        printf(", %d keys changed nothing within 2 s", timeouts);
    printf("\n");
    free(delays);
    XCloseDisplay(d);
    return timeouts ? 1 : 0;
}
