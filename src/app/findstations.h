// The "Find Stations" window: a search of the public station directory by name,
// tag, country, language and codec, its results 50 at a time, and Play and Add for
// the one chosen; Check Stations asks the directory about the stations that came
// from it. The window is made for each showing and shown modally; what it finds goes
// to the configuration window through Add's rules.
#pragma once

#include <string>
#include <vector>

#include "app/directory_client.h"
#include "app/foundstations.h"
#include "gui/forms.h"
#include "gui/listcontrols.h"
#include "gui/listview.h"
#include "gui/stdctrls.h"

class TRadioForm;

class TFindStationsForm : public TForm {
  public:
    TFindStationsForm(TComponent* owner, TRadioForm& radio);
    ~TFindStationsForm() override;

    // ---- Controls, in tab order ------------------------------------------------------
    TLabel* NameLabel;
    TEdit* NameEdit;
    TLabel* TagLabel;
    TEdit* TagEdit;
    TLabel* CountryLabel;
    TEdit* CountryEdit;
    TLabel* LanguageLabel;
    TEdit* LanguageEdit;
    TLabel* CodecLabel;
    TComboBox* CodecCB;
    TLabel* OrderLabel;
    TComboBox* OrderCB;
    TButton* SearchButton;  // the default button
    TLabel* ResultsLabel;
    TListView* ResultList;
    TButton* PlayButton;
    TButton* AddButton;
    TButton* MoreButton;
    TButton* CheckButton;
    TButton* CloseButton;
    TLabel* StatusLabel;

    // ---- Handlers ----------------------------------------------------------------------
    void SearchButtonClick(TObject* sender);
    void MoreButtonClick(TObject* sender);
    void PlayButtonClick(TObject* sender);
    void AddButtonClick(TObject* sender);
    void CheckButtonClick(TObject* sender);
    void ResultListClick(TObject* sender);
    void ResultListEnter(TObject* sender);
    // Enter on a result plays it; anywhere else it presses the focused or default button.
    bool WndProc(plat::Message& m) override;

    // The stations of the result list, in its order.
    const std::vector<TFoundStation>& Found() const { return found_; }

  private:
    void CreateControls();
    void CreateSearchControls();
    void ConnectHandlers();
    TStationQuery QueryFromFields() const;
    void Ask(const TStationQuery& query);
    void PageArrived(const TDirectoryAnswer& answer);
    void ShowStatus(const std::string& text) { StatusLabel->SetCaption(text); }
    void EnableButtons();
    const TFoundStation* Selected() const;

    // Check Stations (findstations_check.cpp)
    std::vector<TKeptStation> KeptStations();
    void CheckAnswered(const std::vector<TKeptStation>& kept, const TDirectoryAnswer& answer);
    int OfferNewAddresses(const std::vector<TCheckFinding>& findings);
    void SummarizeCheck(const std::vector<TCheckFinding>& findings, int moved);

    TRadioForm& radio_;
    TStationQuery query_;  // the search the list shows
    std::vector<TFoundStation> found_;
    bool more_ = false;  // the last page was full: there may be more
    int search_ = 0;     // the directory's ticket of the search in flight
    int check_ = 0;      // and of Check Stations
};
