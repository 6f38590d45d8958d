#include "panels/RetryTiming.h"

namespace torvane {

#ifdef TORVANE_SHORT_RETRY_WAITS
// The end-to-end tests' copy only: 21 attempts on a locked client run in
// seconds instead of more than five minutes.
extern const RetryTiming kRetryTiming = {"torvane-retries", 15, 50};
#else
extern const RetryTiming kRetryTiming = {"torvane-retries", 15, 1000};
#endif

}  // namespace torvane
