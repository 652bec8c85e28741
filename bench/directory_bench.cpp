// A search answer of 1,000 stations (the recorded ones, over and over, each with an id
// of its own) read and shown in the result list, on the headless platform. The aim:
// well under the tenth of a second in which a list that fills looks immediate.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "app/directory_stations.h"
#include "app/foundstations.h"
#include "gui/application.h"
#include "gui/forms.h"
#include "gui/listview.h"
#include "platform/headless/headless.h"

namespace {

struct Answer {
    Answer() {
        root = std::filesystem::temp_directory_path() / "zel-bench-directory";
        std::filesystem::create_directories(root);
        plat::Install(std::make_unique<plat::headless::HeadlessPlatform>(root.string()));
        std::ifstream in(std::string(ZEL_SOURCE_DIR) + "/tests/directory/stations.json");
        std::stringstream bytes;
        bytes << in.rdbuf();
        const auto recorded = nlohmann::json::parse(bytes.str());
        nlohmann::json stations = nlohmann::json::array();
        for (int i = 0; i < 1000; ++i) {
            nlohmann::json s = recorded[i % recorded.size()];
            s["stationuuid"] = "bench-" + std::to_string(i);
            s["lastcheckok"] = 1;
            stations.push_back(s);
        }
        json = stations.dump();
    }
    ~Answer() {
        plat::Uninstall();
        std::filesystem::remove_all(root);
    }
    std::filesystem::path root;
    std::string json;
};

Answer& TheAnswer() {
    static Answer answer;
    return answer;
}

void BM_ThousandResultsReadAndShown(benchmark::State& state) {
    const std::string& json = TheAnswer().json;
    TForm form(nullptr);
    auto* list = new TListView(&form);
    list->SetParent(&form);
    list->SetColumns({{"Name", 180},
                      {"Country", 90},
                      {"Codec", 50},
                      {"Bitrate", 50, true},
                      {"Tags", 120},
                      {"Votes", 50, true}});
    form.Handle();
    for (auto _ : state) {
        const TStationList read = ParseStations(json);
        list->Items()->Clear();
        for (const auto& s : read.stations) list->Items()->Add(ResultRow(s));
        if (list->Items()->Count() != 1000) state.SkipWithError("not every station was shown");
        // The headless platform logs every call; a real one keeps nothing of it.
        static_cast<plat::headless::HeadlessPlatform&>(plat::Current()).log.clear();
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}

BENCHMARK(BM_ThousandResultsReadAndShown)->Unit(benchmark::kMillisecond);

}  // namespace
