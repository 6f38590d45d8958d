// Stands in for the C++ run-time's verbose terminate handler in the programs
// we ship. That handler writes the type of an uncaught exception to stderr,
// which a GUI program does not have, and it brings the run-time's demangler
// along to do so: 49 KiB of each of our static programs. Defining the
// handler here keeps the run-time's own out of the link; the end is the same
// abort(). No exception is meant to get this far: every window procedure,
// timer and thread entry hands its failures to the one failure handler.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
