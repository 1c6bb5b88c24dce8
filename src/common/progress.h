#pragma once

#include <functional>

// How far a long job (generation, print, export) has got: `done` of `total` items, `total` 0 while
// it is not known. Returning false asks the job to stop; it stops before the next item and keeps
// nothing half-made. The windows pass one that keeps the window alive and shows the figures; the
// headless command passes none.
using Progress = std::function<bool(int done, int total)>;

// Reports to `progress` when there is one; false when it asks to stop.
inline bool goOn(const Progress &progress, int done, int total) { return !progress || progress(done, total); }
