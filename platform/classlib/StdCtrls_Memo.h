#pragma once
// The memo: a multi-line editor over Qt's plain-text editor. Its text uses
// CR LF line breaks as the library's text does; positions (SelStart,
// SelLength) count characters, a line break as two. Without a window (a
// memo on a form never shown) the memo keeps its text itself.

#include <memory>
#include <string>

#include "platform/classlib/StdCtrls_Host.h"

class QPlainTextEdit;

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomMemo : public TWidget_Control {
public:
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;

    // The lines, read and changed in place; a final empty line does not count.
    TStrings* Lines() const { return lines.get(); }
    void SetLines(TStrings* Value) { lines->Assign(*Value); }
    std::string Text() const;
    void SetText(const std::string& Value);
    bool ReadOnly() const { return read_only; }
    void SetReadOnly(bool Value);
    TScrollStyle ScrollBars() const { return scroll_bars; }
    void SetScrollBars(TScrollStyle Value);
    bool WordWrap() const { return word_wrap; }
    void SetWordWrap(bool Value);

    int SelStart() const;
    void SetSelStart(int Value);
    int SelLength() const;
    void SetSelLength(int Value);
    std::string SelText() const;
    void SelectAll();
    void Clear() { SetText({}); }
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();

    TNotifyEvent OnChange;
    void Dispatch(TMessage& Message) override;

protected:
    virtual void Change();
    QWidget* Create_Content(QWidget* Parent) override;
    void Save_Content() override;
    void CreateParams(TCreateParams& Params) override;
    void ChangedText() override;

private:
    friend class Memo_Lines;

    QPlainTextEdit* Editor() const;
    void Apply_Scroll_Bars(QPlainTextEdit* Editor) const;
    void Apply_Read_Only(QPlainTextEdit* Editor) const;
    // Adds a line at the end, keeping the view at the end.
    void Append_Line(const std::string& Line);

    std::unique_ptr<TStrings> lines;
    std::string stored; // the text while there is no window
    bool read_only = false;
    TScrollStyle scroll_bars = ssNone;
    bool word_wrap = true;
};

class TMemo : public TCustomMemo {
public:
    using TCustomMemo::TCustomMemo;
};
