// Where start-up spends its time, for bench/linux_desktop.sh: with ZEL_STARTUP_TRACE set,
// each stage prints "zelvora-startup <ms> <stage>" to stderr; without it a mark costs one
// test of a flag. A value that is a number is the starter's clock (CLOCK_REALTIME in
// nanoseconds, `date +%s%N`), so that the times count from before the program was loaded;
// any other value counts from the first mark.
#pragma once

namespace qtb {

void StartupMark(const char* stage);
bool StartupTraced();

}  // namespace qtb
