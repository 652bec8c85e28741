// The open-file and save-file dialogs.
#pragma once

#include <string>

#include "gui/component.h"
#include "platform/platform.h"

class TFileDialog : public TComponent {
  public:
    explicit TFileDialog(TComponent* owner) : TComponent(owner) {}

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

  protected:
    // The dialog owned by the application window; false when cancelled.
    bool Run(bool (plat::Platform::*dialog)(plat::OpenFileRequest&), const std::string& defaultExt);

  private:
    std::string filter_, title_, initialDir_, fileName_;
};

class TOpenDialog : public TFileDialog {
  public:
    using TFileDialog::TFileDialog;
    // Shows the dialog; only an existing file can be chosen. False when cancelled.
    bool Execute();
};

class TSaveDialog : public TFileDialog {
  public:
    using TFileDialog::TFileDialog;
    // Added to a name typed without an extension ("m3u8", no dot).
    const std::string& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const std::string& ext) { defaultExt_ = ext; }
    // Shows the dialog; replacing an existing file is asked first. False when cancelled.
    bool Execute();

  private:
    std::string defaultExt_;
};
