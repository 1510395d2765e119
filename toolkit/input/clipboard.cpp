// The clipboard's X connection: one thread owns the Display and does every
// X call; the loop thread hands it work under the mutex and wakes it through
// a pipe. Only that thread touches the connection, so Allegro's own
// connection and ours never wait on each other.
#include "input/clipboard.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace {

struct DisplayCloser {
   void operator()(Display *d) const { XCloseDisplay(d); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

// Both ends of a pipe that wakes the thread.
struct WakePipe {
   int ends[2] = {-1, -1};
   WakePipe()
   {
      if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
         ends[0] = ends[1] = -1;
   }
   ~WakePipe()
   {
      for (int fd : ends)
         if (fd >= 0)
            close(fd);
   }
   WakePipe(const WakePipe &) = delete;
   WakePipe &operator=(const WakePipe &) = delete;
   bool Opened() const { return ends[0] >= 0; }
   void Wake() const
   {
      const char byte = 1;
      [[maybe_unused]] const ssize_t n = write(ends[1], &byte, 1);  // full pipe: already woken
   }
   void Drain() const
   {
      char buf[64];
      while (read(ends[0], buf, sizeof buf) > 0) {
      }
   }
};

struct Atoms {
   Atom clipboard, targets, utf8, text, incr, paste_property;
};

// Errors on our connection (a requestor's window gone before we wrote to
// it) are expected and ignored; any other connection's errors go to the
// handler that was there before (Xlib's own, which ends the program).
struct ErrorRouting {
   std::atomic<Display *> ours{nullptr};
   std::atomic<XErrorHandler> previous{nullptr};
};

ErrorRouting &Routing()
{
   static ErrorRouting routing;
   return routing;
}

int OnXError(Display *d, XErrorEvent *e)
{
   if (d == Routing().ours.load())
      return 0;
   const XErrorHandler previous = Routing().previous.load();
   return previous ? previous(d, e) : 0;
}

void RouteErrors(Display *ours)
{
   Routing().ours = ours;
   const XErrorHandler before = XSetErrorHandler(OnXError);
   if (before != OnXError)
      Routing().previous = before;
}

class ClipboardServer {
 public:
   // Null when no X display can be opened.
   static std::unique_ptr<ClipboardServer> Open()
   {
      DisplayPtr display(XOpenDisplay(nullptr));
      if (!display)
         return nullptr;
      auto server = std::unique_ptr<ClipboardServer>(new ClipboardServer(std::move(display)));
      if (!server->wake_.Opened())
         return nullptr;
      server->thread_ = std::thread([s = server.get()] { s->Run(); });
      return server;
   }

   ~ClipboardServer()
   {
      {
         std::lock_guard lock(mutex_);
         stop_ = true;
      }
      wake_.Wake();
      if (thread_.joinable())
         thread_.join();
      XDestroyWindow(display_.get(), window_);
      XSync(display_.get(), False);
      Display *mine = display_.get();
      Routing().ours.compare_exchange_strong(mine, nullptr);
   }

   ClipboardServer(const ClipboardServer &) = delete;
   ClipboardServer &operator=(const ClipboardServer &) = delete;

   void Own(std::string_view bytes)
   {
      std::unique_lock lock(mutex_);
      owned_.assign(bytes);
      own_pending_ = true;
      wake_.Wake();
      changed_.wait_for(lock, std::chrono::milliseconds(kClipboardWaitMs), [this] { return !own_pending_; });
   }

   std::string Read()
   {
      std::unique_lock lock(mutex_);
      if (owning_ || own_pending_)
         return owned_;
      const unsigned long ticket = ++read_asked_;
      wake_.Wake();
      const bool answered =
         changed_.wait_for(lock, std::chrono::milliseconds(kClipboardWaitMs), [&] { return read_answered_ >= ticket; });
      return answered ? read_bytes_ : std::string();
   }

 private:
   explicit ClipboardServer(DisplayPtr display) : display_(std::move(display))
   {
      Display *d = display_.get();
      window_ = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
      atoms_ = {XInternAtom(d, "CLIPBOARD", False),   XInternAtom(d, "TARGETS", False),
                XInternAtom(d, "UTF8_STRING", False), XInternAtom(d, "TEXT", False),
                XInternAtom(d, "INCR", False),        XInternAtom(d, "KSTR_CLIPBOARD", False)};
      RouteErrors(d);
   }

   void Run()
   {
      Display *d = display_.get();
      std::array<pollfd, 2> fds = {{{ConnectionNumber(d), POLLIN, 0}, {wake_.ends[0], POLLIN, 0}}};
      for (;;) {
         if (!TakeWork())
            return;
         XFlush(d);
         while (XPending(d) > 0) {
            XEvent ev;
            XNextEvent(d, &ev);
            Handle(ev);
         }
         poll(fds.data(), fds.size(), -1);
         if (fds[1].revents)
            wake_.Drain();
      }
   }

   // Starts what the loop thread asked for. False when the thread is to end.
   bool TakeWork()
   {
      std::unique_lock lock(mutex_);
      if (stop_)
         return false;
      Display *d = display_.get();
      if (own_pending_) {
         lock.unlock();
         XSetSelectionOwner(d, atoms_.clipboard, window_, CurrentTime);
         const bool got = XGetSelectionOwner(d, atoms_.clipboard) == window_;
         lock.lock();
         owning_ = got;
         own_pending_ = false;
         changed_.notify_all();
      }
      if (read_asked_ > read_started_) {
         read_started_ = read_asked_;
         lock.unlock();
         Convert(atoms_.utf8);
      }
      return true;
   }

   void Convert(Atom target)
   {
      converting_ = target;
      XConvertSelection(display_.get(), atoms_.clipboard, target, atoms_.paste_property, window_, CurrentTime);
   }

   void Handle(const XEvent &ev)
   {
      switch (ev.type) {
      case SelectionRequest: Answer(ev.xselectionrequest); break;
      case SelectionClear:
         if (ev.xselectionclear.selection == atoms_.clipboard) {
            std::lock_guard lock(mutex_);
            owning_ = false;
         }
         break;
      case SelectionNotify: Received(ev.xselection); break;
      default: break;
      }
   }

   void Answer(const XSelectionRequestEvent &req)
   {
      Display *d = display_.get();
      XSelectionEvent reply{};
      reply.type = SelectionNotify;
      reply.display = req.display;
      reply.requestor = req.requestor;
      reply.selection = req.selection;
      reply.target = req.target;
      reply.time = req.time;
      reply.property = None;
      // Clients from before ICCCM 2 name no property: the target is used.
      const Atom property = req.property == None ? req.target : req.property;
      std::string bytes;
      bool owning;
      {
         std::lock_guard lock(mutex_);
         bytes = owned_;
         owning = owning_;
      }
      // Answers in parts (INCR) are not made: text this long is refused.
      const long room = XMaxRequestSize(d) * 4 - 256;
      if (owning && req.selection == atoms_.clipboard) {
         if (req.target == atoms_.targets) {
            const std::array<Atom, 4> targets = {atoms_.targets, atoms_.utf8, XA_STRING, atoms_.text};
            XChangeProperty(d, req.requestor, property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char *>(targets.data()), static_cast<int>(targets.size()));
            reply.property = property;
         } else if ((req.target == atoms_.utf8 || req.target == XA_STRING || req.target == atoms_.text) &&
                    static_cast<long>(bytes.size()) <= room) {
            const Atom type = req.target == atoms_.text ? atoms_.utf8 : req.target;
            XChangeProperty(d, req.requestor, property, type, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char *>(bytes.data()), static_cast<int>(bytes.size()));
            reply.property = property;
         }
      }
      XSendEvent(d, req.requestor, False, NoEventMask, reinterpret_cast<XEvent *>(&reply));
   }

   void Received(const XSelectionEvent &ev)
   {
      if (ev.selection != atoms_.clipboard || converting_ == None)
         return;
      // An owner without UTF8_STRING may still have STRING.
      if (ev.property == None && converting_ == atoms_.utf8) {
         Convert(XA_STRING);
         return;
      }
      converting_ = None;
      std::string bytes;
      if (ev.property != None)
         bytes = TakeProperty();
      std::lock_guard lock(mutex_);
      read_bytes_ = std::move(bytes);
      read_answered_ = read_started_;
      changed_.notify_all();
   }

   // Reads and deletes the pasted property: 8-bit text only.
   std::string TakeProperty()
   {
      Atom type = None;
      int format = 0;
      unsigned long count = 0, after = 0;
      unsigned char *data = nullptr;
      std::string bytes;
      if (XGetWindowProperty(display_.get(), window_, atoms_.paste_property, 0, LONG_MAX / 4, True, AnyPropertyType,
                             &type, &format, &count, &after, &data) == Success &&
          data && format == 8 && type != atoms_.incr)
         bytes.assign(reinterpret_cast<const char *>(data), count);
      if (data)
         XFree(data);
      return bytes;
   }

   DisplayPtr display_;
   Window window_ = None;
   Atoms atoms_{};
   WakePipe wake_;
   Atom converting_ = None;  // the target asked for; thread only

   std::mutex mutex_;
   std::condition_variable changed_;
   // Under mutex_:
   std::string owned_;         // what we offer
   bool own_pending_ = false;  // asked to take the selection
   bool owning_ = false;
   bool stop_ = false;
   unsigned long read_asked_ = 0, read_started_ = 0, read_answered_ = 0;
   std::string read_bytes_;

   std::thread thread_;  // last: starts after everything it uses exists
};

struct ClipboardState {
   std::mutex mutex;
   std::shared_ptr<ClipboardServer> server;
   bool tried = false;  // no display: not asked again until CloseClipboard
};

ClipboardState &State()
{
   static ClipboardState state;
   return state;
}

std::shared_ptr<ClipboardServer> Server()
{
   ClipboardState &s = State();
   std::lock_guard lock(s.mutex);
   if (!s.tried) {
      s.tried = true;
      s.server = ClipboardServer::Open();
   }
   return s.server;
}

}

void CopyToClipboard(std::string_view bytes)
{
   if (const std::shared_ptr<ClipboardServer> s = Server())
      s->Own(bytes);
}

std::string PasteFromClipboard()
{
   const std::shared_ptr<ClipboardServer> s = Server();
   return s ? s->Read() : std::string();
}

void CloseClipboard()
{
   ClipboardState &s = State();
   std::shared_ptr<ClipboardServer> closing;  // ends here, outside the lock
   {
      std::lock_guard lock(s.mutex);
      closing = std::move(s.server);
      s.tried = false;
   }
}
