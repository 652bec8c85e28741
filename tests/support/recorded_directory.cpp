#include "support/recorded_directory.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

std::string RecordedStations() {
    std::ifstream in(std::string(ZEL_SOURCE_DIR) + "/tests/directory/stations.json",
                     std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string RecordedPage(int offset, int limit) {
    const auto all = nlohmann::json::parse(RecordedStations());
    nlohmann::json page = nlohmann::json::array();
    for (int i = offset; i < offset + limit && i < static_cast<int>(all.size()); ++i)
        page.push_back(all[i]);
    return page.dump();
}
