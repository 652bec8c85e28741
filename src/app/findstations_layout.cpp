// The controls of the Find Stations window and where they stand. They are made in
// tab order, each label just before the control its access key leads to.
#include "app/findstations.h"

#include "app/layout.h"

namespace {

const char* const kCodecs[] = {"Any", "MP3", "AAC", "AAC+", "OGG", "FLAC", "OPUS"};
// In the order of TStationOrder.
const char* const kOrders[] = {"Most votes", "Most listened", "Trending", "Name", "Bitrate"};

TComboBox* MakeChoice(TFindStationsForm* form, const char* name, Place p,
                      const std::vector<std::string>& items) {
    auto* box = MakeControl<TComboBox>(form, name, p);
    for (const auto& item : items) box->Items()->Add(item);
    box->SetItemIndex(0);
    return box;
}

}  // namespace

void TFindStationsForm::CreateControls() {
    CreateSearchControls();
    ResultsLabel = MakeControl<TLabel>(this, "ResultsLabel", {8, 100, 300, 13}, "R&esults:");
    ResultList = MakeControl<TListView>(this, "ResultList", {8, 116, 544, 200});
    ResultList->SetColumns({{"Name", 180},
                            {"Country", 90},
                            {"Codec", 50},
                            {"Bitrate", 50, true},
                            {"Tags", 120},
                            {"Votes", 50, true}});
    PlayButton = MakeControl<TButton>(this, "PlayButton", {8, 346, 88, 25}, "&Play");
    AddButton = MakeControl<TButton>(this, "AddButton", {104, 346, 88, 25}, "&Add");
    MoreButton = MakeControl<TButton>(this, "MoreButton", {200, 346, 88, 25}, "&More");
    CheckButton = MakeControl<TButton>(this, "CheckButton", {344, 346, 112, 25}, "C&heck Stations");
    CloseButton = MakeControl<TButton>(this, "CloseButton", {464, 346, 88, 25}, "&Close");
    CloseButton->SetModalResult(mrCancel);
    StatusLabel = MakeControl<TLabel>(this, "StatusLabel", {8, 322, 544, 16});
}

void TFindStationsForm::CreateSearchControls() {
    NameLabel = MakeControl<TLabel>(this, "NameLabel", {8, 12, 60, 13}, "&Name:");
    NameEdit = MakeControl<TEdit>(this, "NameEdit", {72, 8, 200, 21});
    TagLabel = MakeControl<TLabel>(this, "TagLabel", {288, 12, 60, 13}, "&Tag:");
    TagEdit = MakeControl<TEdit>(this, "TagEdit", {352, 8, 200, 21});
    CountryLabel = MakeControl<TLabel>(this, "CountryLabel", {8, 40, 60, 13}, "C&ountry:");
    CountryEdit = MakeControl<TEdit>(this, "CountryEdit", {72, 36, 200, 21});
    LanguageLabel = MakeControl<TLabel>(this, "LanguageLabel", {288, 40, 60, 13}, "&Language:");
    LanguageEdit = MakeControl<TEdit>(this, "LanguageEdit", {352, 36, 200, 21});
    CodecLabel = MakeControl<TLabel>(this, "CodecLabel", {8, 68, 60, 13}, "Co&dec:");
    CodecCB = MakeChoice(this, "CodecCB", {72, 64, 100, 21},
                         std::vector<std::string>(std::begin(kCodecs), std::end(kCodecs)));
    OrderLabel = MakeControl<TLabel>(this, "OrderLabel", {184, 68, 40, 13}, "O&rder:");
    OrderCB = MakeChoice(this, "OrderCB", {228, 64, 124, 21},
                         std::vector<std::string>(std::begin(kOrders), std::end(kOrders)));
    SearchButton = MakeControl<TButton>(this, "SearchButton", {464, 63, 88, 25}, "&Search");
    SearchButton->SetDefault(true);
}

TStationQuery TFindStationsForm::QueryFromFields() const {
    TStationQuery q;
    q.name = NameEdit->Text();
    q.tag = TagEdit->Text();
    q.country = CountryEdit->Text();
    q.language = LanguageEdit->Text();
    if (CodecCB->ItemIndex() > 0) q.codec = CodecCB->Items()->Strings(CodecCB->ItemIndex());
    if (OrderCB->ItemIndex() >= 0) q.order = static_cast<TStationOrder>(OrderCB->ItemIndex());
    q.limit = kDirectoryPage;
    return q;
}
