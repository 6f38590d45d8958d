#include "panels/RetryTiming.h"

namespace torvane {

// Kept whole in the program even where the compiler has folded the values
// into the code that reads them (link-time optimisation does), so that the
// build check finds them behind their tag.

#ifdef TORVANE_SHORT_RETRY_WAITS
// The end-to-end tests' copy only: 21 attempts on a locked client run in
// seconds instead of more than five minutes.
[[gnu::used]] extern const RetryTiming kRetryTiming = {"torvane-retries", 15, 50};
#else
[[gnu::used]] extern const RetryTiming kRetryTiming = {"torvane-retries", 15, 1000};
#endif

}  // namespace torvane
