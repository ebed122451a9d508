#pragma once
// Messages that the image libraries print themselves on the C standard error stream (libpng prints
// "libpng error: ..." before reporting the same error to OpenImageIO), taken into fxhost's own one-line
// message instead of appearing raw around it, or glued onto a progress line on a terminal.
//
// The C stream `stderr` is routed once through fxhost: text printed by a thread that has a
// LibraryMessages open is kept there; any other text goes on to standard error unchanged. fxhost's own
// messages (std::cerr, written to the file descriptor) are not affected. Where the C library cannot
// route the stream, nothing is captured and the libraries print as before.

#include <string>
#include <string_view>
#include <vector>

namespace fxhost {

// Routes `stderr` through fxhost (once; later calls do nothing). Called before threads start, and by
// the first LibraryMessages.
void RouteLibraryMessages();

// Captures what the image libraries print on this thread while it lives. Not nested.
class LibraryMessages {
 public:
  LibraryMessages();
  ~LibraryMessages();
  LibraryMessages(const LibraryMessages&) = delete;
  LibraryMessages& operator=(const LibraryMessages&) = delete;

  // What was printed so far.
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// One line from library messages: each piece split into lines, trimmed, libpng's "libpng error: " and
// "libpng warning: " dropped, empty lines and lines that another line already contains left out, the
// rest joined with "; ". Empty when nothing is left.
std::string OneLineMessage(const std::vector<std::string_view>& pieces);

}  // namespace fxhost
