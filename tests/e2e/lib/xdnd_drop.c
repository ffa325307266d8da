/* Drops one file onto an X window the way a file manager does, through the XDND protocol:
 * the test's stand-in for a user dragging a file from a file manager onto a window.
 *
 *   xdnd_drop WINDOW X Y URI...
 *
 * WINDOW is the XDND-aware X window under the drop point, X and Y the point in root coordinates,
 * each URI a file:// address to drop, all in one drop. Exits 0 once the target has taken the drop and said it is
 * finished, 1 when it refused the drop or stayed silent for 10 seconds. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <time.h>

static Display* dpy;
static Window source, target;
static Atom aSelection, aEnter, aPosition, aStatus, aDrop, aFinished, aLeave, aCopy, aUriList, aAware;
static const char* payload;

static void SendClientMessage(Atom type, long l1, long l2, long l3, long l4) {
  XEvent ev;
  memset(&ev, 0, sizeof ev);
  ev.xclient.type = ClientMessage;
  ev.xclient.display = dpy;
  ev.xclient.window = target;
  ev.xclient.message_type = type;
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = (long)source;
  ev.xclient.data.l[1] = l1;
  ev.xclient.data.l[2] = l2;
  ev.xclient.data.l[3] = l3;
  ev.xclient.data.l[4] = l4;
  XSendEvent(dpy, target, False, NoEventMask, &ev);
  XFlush(dpy);
}

/* The target reads the dropped data from our selection, at any time during the drag. */
static void AnswerSelectionRequest(XSelectionRequestEvent* req) {
  XEvent reply;
  memset(&reply, 0, sizeof reply);
  reply.xselection.type = SelectionNotify;
  reply.xselection.display = req->display;
  reply.xselection.requestor = req->requestor;
  reply.xselection.selection = req->selection;
  reply.xselection.target = req->target;
  reply.xselection.time = req->time;
  reply.xselection.property = None;
  if (req->target == aUriList) {
    Atom property = req->property != None ? req->property : req->target;
    XChangeProperty(dpy, req->requestor, property, aUriList, 8, PropModeReplace, (const unsigned char*)payload,
                    (int)strlen(payload));
    reply.xselection.property = property;
  }
  XSendEvent(dpy, req->requestor, False, NoEventMask, &reply);
  XFlush(dpy);
}

/* Serves selection requests until a client message of the given type arrives; 0 on time-out. */
static int WaitFor(Atom type, XClientMessageEvent* out) {
  time_t end = time(NULL) + 10;
  while (time(NULL) < end) {
    while (XPending(dpy)) {
      XEvent ev;
      XNextEvent(dpy, &ev);
      if (ev.type == SelectionRequest) AnswerSelectionRequest(&ev.xselectionrequest);
      if (ev.type == ClientMessage && ev.xclient.message_type == type) {
        *out = ev.xclient;
        return 1;
      }
    }
    fd_set fds;
    FD_ZERO(&fds);
    FD_SET(ConnectionNumber(dpy), &fds);
    struct timeval tv = {0, 100000};
    select(ConnectionNumber(dpy) + 1, &fds, NULL, NULL, &tv);
  }
  return 0;
}

int main(int argc, char** argv) {
  if (argc < 5) {
    fprintf(stderr, "usage: %s WINDOW X Y URI...\n", argv[0]);
    return 2;
  }
  target = (Window)strtoul(argv[1], NULL, 0);
  const long x = atol(argv[2]), y = atol(argv[3]);
  /* text/uri-list: one address a line, each ended by CR LF. */
  size_t size = 1;
  for (int i = 4; i < argc; ++i) size += strlen(argv[i]) + 2;
  char* list = malloc(size);
  list[0] = '\0';
  for (int i = 4; i < argc; ++i) {
    strcat(list, argv[i]);
    strcat(list, "\r\n");
  }
  payload = list;

  dpy = XOpenDisplay(NULL);
  if (!dpy) {
    fprintf(stderr, "xdnd_drop: no display\n");
    return 1;
  }
  aSelection = XInternAtom(dpy, "XdndSelection", False);
  aEnter = XInternAtom(dpy, "XdndEnter", False);
  aPosition = XInternAtom(dpy, "XdndPosition", False);
  aStatus = XInternAtom(dpy, "XdndStatus", False);
  aDrop = XInternAtom(dpy, "XdndDrop", False);
  aFinished = XInternAtom(dpy, "XdndFinished", False);
  aLeave = XInternAtom(dpy, "XdndLeave", False);
  aCopy = XInternAtom(dpy, "XdndActionCopy", False);
  aUriList = XInternAtom(dpy, "text/uri-list", False);
  aAware = XInternAtom(dpy, "XdndAware", False);

  Atom type;
  int format;
  unsigned long count, rest;
  unsigned char* data = NULL;
  if (XGetWindowProperty(dpy, target, aAware, 0, 1, False, AnyPropertyType, &type, &format, &count, &rest, &data) !=
          Success ||
      count == 0) {
    fprintf(stderr, "xdnd_drop: window 0x%lx takes no drops\n", (unsigned long)target);
    return 1;
  }
  long version = *(long*)data;
  XFree(data);
  if (version > 5) version = 5;

  source = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), -10, -10, 1, 1, 0, 0, 0);
  XSetSelectionOwner(dpy, aSelection, source, CurrentTime);

  XClientMessageEvent reply;
  SendClientMessage(aEnter, version << 24, (long)aUriList, 0, 0);
  SendClientMessage(aPosition, 0, (x << 16) | y, CurrentTime, (long)aCopy);
  if (!WaitFor(aStatus, &reply)) {
    fprintf(stderr, "xdnd_drop: no status from the target\n");
    return 1;
  }
  if (!(reply.data.l[1] & 1)) {
    fprintf(stderr, "xdnd_drop: the target refused the drop here\n");
    SendClientMessage(aLeave, 0, 0, 0, 0);
    return 1;
  }
  SendClientMessage(aDrop, 0, CurrentTime, 0, 0);
  if (!WaitFor(aFinished, &reply)) {
    fprintf(stderr, "xdnd_drop: the target did not finish the drop\n");
    return 1;
  }
  XCloseDisplay(dpy);
  return 0;
}
