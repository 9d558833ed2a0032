/* What the end-to-end test does to an X window from outside, as a person's desktop would:
 *   x_window close WINDOW-ID       closes it the way a window manager's close button does: a
 *                                  WM_DELETE_WINDOW message of the WM_PROTOCOLS kind, which the
 *                                  program answers by closing itself (under Xvfb there is no
 *                                  window manager to send it, and destroying the window from
 *                                  outside is no close)
 *   x_window shot WINDOW-ID FILE   a screenshot of the window as a PNG file */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <png.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static int Close(Display* display, Window window) {
  XEvent event;
  memset(&event, 0, sizeof event);
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
  event.xclient.data.l[1] = CurrentTime;
  const Status sent = XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
  return sent != 0 ? 0 : 1;
}

/* The shift that brings a colour mask's lowest bit to bit 0. */
static int Shift(unsigned long mask) {
  int shift = 0;
  while (mask != 0 && (mask & 1) == 0) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}

static int Shot(Display* display, Window window, const char* path) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) return 1;
  XImage* image =
      XGetImage(display, window, 0, 0, (unsigned)attributes.width, (unsigned)attributes.height, AllPlanes, ZPixmap);
  if (image == NULL) return 1;
  FILE* file = fopen(path, "wb");
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, NULL, NULL, NULL);
  png_infop info = png != NULL ? png_create_info_struct(png) : NULL;
  unsigned char* row = malloc((size_t)image->width * 3);
  int status = 1;
  if (file != NULL && info != NULL && row != NULL && !setjmp(png_jmpbuf(png))) {
    png_init_io(png, file);
    png_set_IHDR(png, info, (png_uint_32)image->width, (png_uint_32)image->height, 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const int rs = Shift(image->red_mask), gs = Shift(image->green_mask), bs = Shift(image->blue_mask);
    for (int y = 0; y < image->height; ++y) {
      for (int x = 0; x < image->width; ++x) {
        const unsigned long p = XGetPixel(image, x, y);
        row[x * 3] = (unsigned char)((p & image->red_mask) >> rs);
        row[x * 3 + 1] = (unsigned char)((p & image->green_mask) >> gs);
        row[x * 3 + 2] = (unsigned char)((p & image->blue_mask) >> bs);
      }
      png_write_row(png, row);
    }
    png_write_end(png, NULL);
    status = 0;
  }
  free(row);
  if (png != NULL) png_destroy_write_struct(&png, info != NULL ? &info : NULL);
  if (file != NULL) fclose(file);
  XDestroyImage(image);
  return status;
}

int main(int argc, char** argv) {
  const int close = argc == 3 && strcmp(argv[1], "close") == 0;
  const int shot = argc == 4 && strcmp(argv[1], "shot") == 0;
  if (!close && !shot) {
    fprintf(stderr, "usage: x_window close WINDOW-ID | x_window shot WINDOW-ID FILE.png\n");
    return 2;
  }
  Display* display = XOpenDisplay(NULL);
  if (display == NULL) {
    fprintf(stderr, "x_window: no display\n");
    return 1;
  }
  const Window window = (Window)strtoul(argv[2], NULL, 0);
  const int status = close ? Close(display, window) : Shot(display, window, argv[3]);
  XCloseDisplay(display);
  return status;
}
