// The about box: the product's introduction, shown modally once per run at the
// first showing of a window, and on demand; and the way help opens at a topic.
#pragma once

#include <string>

#include "gui/buttons.h"
#include "gui/comctrls.h"
#include "gui/forms.h"
#include "gui/stdctrls.h"

// Topics of the help file.
inline constexpr const char* kContentsHelpTopic = "Table_Of_Contents";
inline constexpr const char* kPublisherHelpTopic = "About_The_Publisher";

class TAboutBox : public TForm {
  public:
    explicit TAboutBox(TComponent* owner);
    ~TAboutBox() override;

    TLabel* Label1;  // the heading
    TBitBtn* VisitPublisherBtn;
    TButton* Button1;  // "Go To Main Window"
    TPageControl* PageControl1;
    TTabSheet* TabSheet1;  // "About Zelvora!"
    TRichEdit* RichEdit1;

    void FormCreate(TObject* sender);
    void Button1Click(TObject* sender);
    void VisitPublisherClick(TObject* sender);

  private:
    void CreateControls();
};

// What the introduction says when there is no intro.rtf beside the program.
extern const char* const kBuiltInIntroduction;

// Asks the help viewer for the help file's contents and then for the topic. Does
// nothing when the application has no help file.
void ShowHelpTopic(const std::string& topic);

extern TAboutBox* AboutBox;
