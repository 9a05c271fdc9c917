#pragma once
// The common file dialogs, on Qt's own (non-native) file dialog so that the
// program can close it: every one shown registers as an open modal dialog,
// and closing it that way makes Execute answer false. The message boxes
// are in Dialogs_Message_Box.h, included at the end.

#include <string>

#include "platform/classlib/Classes.h"

enum TOpenOption {
    ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate, ofAllowMultiSelect,
    ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn,
    ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks,
    ofEnableIncludeNotify, ofEnableSizing
};
using TOpenOptions = TSet<TOpenOption>;

class TCommonDialog : public TComponent {
public:
    using TComponent::TComponent;

    int HelpContext() const { return help_context; }
    void SetHelpContext(int Value) { help_context = Value; }
    // Shows the dialog and waits; true when the user accepted it.
    virtual bool Execute() = 0;

private:
    int help_context = 0;
};

class TOpenDialog : public TCommonDialog {
public:
    using TCommonDialog::TCommonDialog;

    // Pairs of description and patterns, all separated by "|":
    // "Text file (*.txt)|*.txt|All files|*.*"; patterns separated by ";".
    const std::string& Filter() const { return filter; }
    void SetFilter(const std::string& Value) { filter = Value; }
    // 1 for the first pair.
    int FilterIndex() const { return filter_index; }
    void SetFilterIndex(int Value) { filter_index = Value; }
    // Added to a file name typed without an extension.
    const std::string& DefaultExt() const { return default_ext; }
    void SetDefaultExt(const std::string& Value) { default_ext = Value; }
    // Proposed when the dialog opens; the chosen file (full path) after it.
    const std::string& FileName() const { return file_name; }
    void SetFileName(const std::string& Value) { file_name = Value; }
    // Where the dialog opens; empty: the folder of FileName, else the
    // folder of the file a file dialog last confirmed, else the user's
    // documents folder.
    const std::string& InitialDir() const { return initial_dir; }
    void SetInitialDir(const std::string& Value) { initial_dir = Value; }
    TOpenOptions Options() const { return options; }
    void SetOptions(TOpenOptions Value) { options = Value; }
    const std::string& Title() const { return title; }
    void SetTitle(const std::string& Value) { title = Value; }

    bool Execute() override;

protected:
    virtual bool Saving() const { return false; }

private:
    std::string filter;
    int filter_index = 1;
    std::string default_ext;
    std::string file_name;
    std::string initial_dir;
    TOpenOptions options{ofHideReadOnly, ofEnableSizing};
    std::string title;
};

// With ofOverwritePrompt, choosing an existing file asks first.
class TSaveDialog : public TOpenDialog {
public:
    using TOpenDialog::TOpenDialog;

protected:
    bool Saving() const override { return true; }
};

#include "platform/classlib/Dialogs_Message_Box.h"
