// The open-file dialog.
#pragma once

#include <string>

#include "gui/component.h"

class TOpenDialog : public TComponent {
  public:
    explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}

    // Pairs of description and pattern: "Applications|*.exe|All Files|*.*".
    const std::string& Filter() const { return filter_; }
    void SetFilter(const std::string& filter) { filter_ = filter; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    const std::string& InitialDir() const { return initialDir_; }
    void SetInitialDir(const std::string& dir) { initialDir_ = dir; }
    // Proposed before Execute; the chosen file's full path after it returns true.
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& fileName) { fileName_ = fileName; }

    // Shows the dialog, owned by the application window; false when cancelled.
    bool Execute();

  private:
    std::string filter_, title_, initialDir_, fileName_;
};
