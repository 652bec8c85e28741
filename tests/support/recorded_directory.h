// The recorded answers of the tests' own station directory (tests/directory), for
// tests that answer the program's requests themselves.
#pragma once

#include <string>

// The recorded stations: a list as the directory's search answers it, in full.
std::string RecordedStations();
// Its stations from offset, at most limit of them, as one answer.
std::string RecordedPage(int offset, int limit);
