#pragma once
// The library's self-drawn editing engine: it keeps the text itself and
// manages selection, caret, insert and overwrite typing, undo and redo, the
// clipboard, word navigation and search, and answers the edit-control
// messages from its own state (a single line at this level). A concrete
// editor supplies the drawing and the hit testing. Positions are 1-based
// character indexes; the caret lies in [1, length + 1].

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "components/controls/SCLCaret.h"
#include "components/controls/SCLCustomBevelPanel.h"
#include "components/foundations/Scl3dcaption.h"
#include "components/foundations/Scldynlifobuffer.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/StdCtrls.h"

enum TSCLSearchStart { stTop, stBottom, stCursor };
enum TSCLSearchDirection { sdUp, sdDown };
enum TSCLImeMode { imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata, imKata, imChinese,
                   imSHanguel, imHanguel };
inline const char* const SCLImeModeNames[] = {"imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha",
                                             "imHira", "imSKata", "imKata", "imChinese", "imSHanguel", "imHanguel"};
using TSCLTextChangeEvent = std::function<void(TObject* Sender, int Position)>;

// One change of the text, enough to take it back.
struct TSCLUndoEntry {
    std::string Inserted;
    std::string Removed;
    int SelStart = 1;
    int SelLength = 0;
    int InsertedLength = 0;
    int CaretPos = 1;
};

class TSCLBaseEdit : public TSCLCustomBevelPanel {
public:
    explicit TSCLBaseEdit(TComponent* AOwner);
    ~TSCLBaseEdit() override;

    // ---- Text and selection
    const std::string& GetText() const { return text; }
    void SetText(const std::string& Value);
    int GetLength() const { return static_cast<int>(text.size()); }
    // 0 maximum length (0 unlimited), 1 SelStart, 2 SelLength, 5 caret position.
    int GetInteger(int Index) const;
    void SetInteger(int Index, int Value);
    int MaxLength() const { return max_length; }
    int SelStart() const { return sel_start; }
    int SelLength() const { return sel_length; }
    int CaretPos() const { return caret_pos; }
    int PrevCaretPos() const { return prev_caret_pos; }
    void SetSelStart(int Value) { SetInteger(1, Value); }
    void SetSelLength(int Value) { SetInteger(2, Value); }
    void SetCaretPos(int Value) { SetInteger(5, Value); }
    void SetMaxLength(int Value) { SetInteger(0, Value); }
    // 0 hide selection unfocused, 1 read-only, 2 modified, 3 none,
    // 4 select all on focus, 5 OEM conversion, 6 focus on mouse above.
    bool GetBoolean(int Index) const;
    void SetBoolean(int Index, bool Value);
    bool ReadOnly() const { return read_only; }
    bool Modified() const { return modified; }
    bool FocusOnMouseAbove() const { return focus_on_mouse_above; }
    TEditCharCase CharCase() const { return char_case; }
    void SetCharCase(TEditCharCase Value) { char_case = Value; }
    TAlignment Alignment() const { return alignment; }
    void SetAlignment(TAlignment Value);
    TColor HighlightBack() const { return highlight_back; }
    void SetHighlightBack(TColor Value);
    TColor HighlightText() const { return highlight_text; }
    void SetHighlightText(TColor Value);
    TSCLCaret* Caret() const { return caret.get(); }
    void SetCaretObject(TSCLCaret* Value) { caret->Assign(Value); }
    TSCL3DCaption* Font3D() const { return font_3d.get(); }
    void SetFont3D(TSCL3DCaption* Value) { font_3d->Assign(Value); }
    std::set<char> WordDelimiters{' '};
    bool TextDrag = true;
    bool WordSelect = true;
    bool Dragging() const { return dragging; }
    TSCLImeMode ImeMode = imDontCare;
    std::string ImeName;

    // The one path of every change of the text.
    void SetSelText(const std::string& S);
    std::string GetSelText() const;
    void SelectAll();
    void ClearSelection();
    virtual void Clear();
    // Selects Length characters from Start (clamped to the text).
    void Select(int Start, int Length);
    // Operations on a range: each is one change of the text.
    void Cut(int Start, int Length);
    std::string Copy(int Start, int Length) const;
    void Insert(int Position, const std::string& S);
    void Add(const std::string& S);
    void Replace(int Start, int Length, const std::string& S);
    void Upper(int Start, int Length);
    void Lower(int Start, int Length);
    int CountWords() const;
    std::string GetCurrentWord() const;
    // Copies at most BufSize - 1 characters of the selection and a zero;
    // answers the characters copied.
    virtual int GetSelTextBuf(char* Buffer, int BufSize);
    void SetSelTextBuf(const char* Buffer);

    void CopyToClipboard();
    virtual void CutToClipboard();
    virtual void PasteFromClipboard();

    void Undo();
    void Redo();
    void ClearUndo();
    bool CanUndo() const { return can_undo; }
    bool CanRedo() const { return can_redo; }
    int UndoCount() const { return undo_buffer.Count(); }
    int RedoCount() const { return redo_buffer.Count(); }
    void DoUndo(TObject*) { Undo(); }
    void DoCopy(TObject*) { CopyToClipboard(); }
    void DoCut(TObject*) { CutToClipboard(); }
    void DoPaste(TObject*) { PasteFromClipboard(); }
    void DoClear(TObject*) { ClearSelection(); }
    void DoSelectAll(TObject*) { SelectAll(); }

    void GotoParaStart();
    void GotoParaEnd();
    void GotoNextWord();
    void GotoPrevWord();
    void SelectLeftWord();
    void SelectRightWord();
    virtual void SelectCurrentWord();

    // Selects the first match from Start in Direction and puts the caret on
    // it; IgnoreCase compares upper-cased texts, WholeWord wants delimiters
    // (or the text's ends) around the match.
    bool Search(const std::string& What, TSCLSearchStart Start, bool IgnoreCase, bool WholeWord,
                TSCLSearchDirection Direction);
    // Replaces the first match (every match with All); answers how many.
    int SearchAndReplace(const std::string& What, const std::string& With, TSCLSearchStart Start, bool IgnoreCase,
                         bool WholeWord, TSCLSearchDirection Direction, bool All);

    void BeginUpdate() { ++update_count; }
    void EndUpdate();

    // The context menu shown on a right click without a PopupMenu; the
    // caller owns it.
    std::unique_ptr<TPopupMenu> CreateEditMenu();
    // The width of the first Count characters in the control's font.
    int RowWidth(int Count);
    RECT TextRect() const { return text_rect; }

    TNotifyEvent OnModified;
    TNotifyEvent OnCursorPosChanged;
    TSCLTextChangeEvent OnTextChangedAt;
    TNotifyEvent OnChange;

    void Dispatch(TMessage& Message) override;
    void GetChange(TObject* Sender) override;

protected:
    // ---- What a concrete editor supplies
    virtual int CalcMouseCol(int X) = 0;
    virtual int CalcMouseRow(int Y) = 0;
    // Puts the caret object where the caret position is drawn.
    virtual void SetCaret() = 0;
    // The display takes the engine's new text / answers the text it shows.
    virtual void SetNewText(const std::string& S) = 0;
    virtual std::string GetNewText() = 0;
    // Paints the text from a character index; -1 everything.
    virtual void DrawText(int From) = 0;
    // The caret position under a client point.
    virtual int CalcMousePos(POINT P) = 0;

    // ---- Further hooks
    virtual void SetupRects();
    virtual void CreateBack() {}
    virtual void DoAlignmentChange() {}
    virtual int RowHeight();
    virtual void CursorPosChanged();
    using TControl::ChangedText;
    virtual void ChangedText(int Position);
    virtual void BeforeChangeText() {}
    virtual void HandleInsertText(int Position, std::string& S);
    virtual void HandleReplaceText(const std::string& S);
    virtual void RepaintBack() { Invalidate(); }
    virtual bool AllowedOperation(const std::string& S);
    virtual bool AllowCopyPaste() { return true; }
    virtual void ModifyTextRect(RECT&) {}
    virtual void ModifyPaintRect(RECT&) {}

    void Paint() override;
    void DoEnter() override;
    void DoExit() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    void MouseEnter() override;

    void GetCommandKey(WORD& Key);
    // The left-button selection step at the stored mouse point.
    void DoLeftMouseBtn();
    RECT PaintRect() const { return paint_rect; }
    bool Selecting() const { return selecting; }
    POINT MousePoint() const { return mouse_point; }

private:
    void SetSelection();
    bool Extends_Selection() const;
    void Move_Caret(int Position);
    void Step_Caret(int Delta);
    bool Is_Delimiter(int Position) const;
    // The word the caret stands in or just after: its start and length.
    std::pair<int, int> Current_Word() const;
    char Char_At(int Position) const;
    void Keep_Line_Breaks_Whole();
    TSCLUndoEntry* Record_Change();
    void Take_Back(TSCLDynLIFOBuffer& Buffer, bool& Flag, bool& Can);
    void Set_Modified(bool Value);
    void Drop_Text(int Position);
    void Free_Selection_Timer();
    void Edit_Mode_From(TShiftState Shift);
    int Anchor() const;
    LRESULT Answer_Edit_Message(TMessage& Message, bool& Handled);

    std::string text;
    int caret_pos = 1;
    int prev_caret_pos = 1;
    int sel_start = 1;
    int sel_length = 0;
    int max_length = 0;
    int update_count = 0;
    bool hide_selection = true;
    bool read_only = false;
    bool modified = false;
    bool auto_select = false;
    bool oem_convert = false;
    bool focus_on_mouse_above = false;
    bool dragging = false;
    bool selecting = false;
    bool undoing = false;
    bool redoing = false;
    bool can_undo = false;
    bool can_redo = false;
    TCursor saved_cursor = crDefault;
    TEditCharCase char_case = ecNormal;
    TAlignment alignment = taLeftJustify;
    TColor highlight_back = clHighlight;
    TColor highlight_text = clHighlightText;
    std::unique_ptr<TSCLCaret> caret;
    std::unique_ptr<TSCL3DCaption> font_3d;
    TSCLDynLIFOBuffer undo_buffer;
    TSCLDynLIFOBuffer redo_buffer;
    RECT text_rect{0, 0, 0, 0};
    RECT paint_rect{0, 0, 0, 0};
    RECT layout_rect{-1, -1, -1, -1};
    POINT mouse_point{0, 0};
    WORD selection_timer = 0;
};
