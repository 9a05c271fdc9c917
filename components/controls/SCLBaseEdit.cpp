#include "components/controls/SCLBaseEdit.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include <QString>

#include "components/foundations/Sclclass.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Clipbrd.h"
#include "platform/winapi/Edit_Messages.h"

namespace {

constexpr char CR = '\r';
constexpr char LF = '\n';
constexpr WORD Selection_Interval = 200;

const bool Base_Edit_Registered = [] {
    RegisterClass<TSCLBaseEdit, TSCLCustomBevelPanel>("TSCLBaseEdit")
        .Object("Caret", &TSCLBaseEdit::Caret)
        .Property("FocusOnMouseAbove", Boolean_Type(), &TSCLBaseEdit::FocusOnMouseAbove,
                  [](TSCLBaseEdit& e, bool v) { e.SetBoolean(6, v); }, false)
        .Property("Flat", Boolean_Type(), &TSCLBaseEdit::Flat, &TSCLBaseEdit::SetFlat, false)
        .Property("HighlightBack", Color_Type(), &TSCLBaseEdit::HighlightBack, &TSCLBaseEdit::SetHighlightBack,
                  clHighlight)
        .Property("HighlightText", Color_Type(), &TSCLBaseEdit::HighlightText, &TSCLBaseEdit::SetHighlightText,
                  clHighlightText)
        .Property("ImeMode", Enum_Type<TSCLImeMode>(SCLImeModeNames), [](TSCLBaseEdit& e) { return e.ImeMode; },
                  [](TSCLBaseEdit& e, TSCLImeMode v) { e.ImeMode = v; }, imDontCare)
        .Property("ImeName", String_Type(), [](TSCLBaseEdit& e) { return e.ImeName; },
                  [](TSCLBaseEdit& e, const std::string& v) { e.ImeName = v; }, "")
        .Event("OnChange", &TSCLBaseEdit::OnChange)
        .Event("OnModified", &TSCLBaseEdit::OnModified)
        .Event("OnCursorPosChanged", &TSCLBaseEdit::OnCursorPosChanged)
        .Event("OnAfterEnter", &TSCLCustomControl::OnAfterEnter)
        .Event("OnAfterExit", &TSCLCustomControl::OnAfterExit)
        .Event("OnMouseEnter", &TSCLCustomControl::OnMouseEnter)
        .Event("OnMouseExit", &TSCLCustomControl::OnMouseExit);
    return true;
}();

// Text typed or pasted with OEM conversion: what has no place in the OEM
// (Western) code page does not survive the round trip.
std::string Oem_Round_Trip(const std::string& S)
{
    const QString wide = QString::fromUtf8(S.data(), static_cast<qsizetype>(S.size()));
    QString out;
    for (const QChar c : wide)
        out += c.unicode() < 0x100 ? c : QChar('?');
    return out.toUtf8().toStdString();
}

TSCLEditModes With_Mode(TSCLEditModes Modes, TSCLEditMode Mode, bool On)
{
    if (On)
        Modes.Include(Mode);
    else
        Modes.Exclude(Mode);
    return Modes;
}

void Delete_Entry(TObject*, void* Item)
{
    delete static_cast<TSCLUndoEntry*>(Item);
}

} // namespace

TSCLBaseEdit::TSCLBaseEdit(TComponent* AOwner)
    : TSCLCustomBevelPanel(AOwner), caret(std::make_unique<TSCLCaret>(this)),
      font_3d(std::make_unique<TSCL3DCaption>())
{
    TControlStyle style = ControlStyle();
    style.Exclude(csAcceptsControls);
    SetControlStyle(style);
    SetBounds(Left(), Top(), Width(), 21);
    Bevel()->SetMode(bmWindows);
    SetColor(clWhite);
    SetCursor(crIBeam);
    SetTabStop(true);
    font_3d->OnChange = [this](TObject* Sender) { GetChange(Sender); };
    undo_buffer.OnDestroyItem = Delete_Entry;
    redo_buffer.OnDestroyItem = Delete_Entry;
}

TSCLBaseEdit::~TSCLBaseEdit()
{
    Free_Selection_Timer();
    font_3d->OnChange = nullptr;
}

// ---- Settings --------------------------------------------------------------

int TSCLBaseEdit::GetInteger(int Index) const
{
    switch (Index) {
    case 0: return max_length;
    case 1: return sel_start;
    case 2: return sel_length;
    case 5: return caret_pos;
    default: return 0;
    }
}

void TSCLBaseEdit::SetInteger(int Index, int Value)
{
    switch (Index) {
    case 0: max_length = std::max(0, Value); break;
    case 1: sel_start = std::clamp(Value, 1, GetLength() + 1); break;
    case 2: {
        const int length = std::clamp(Value, 0, GetLength() + 1 - sel_start);
        if (length != sel_length) {
            sel_length = length;
            DrawText(-1);
        }
        break;
    }
    case 5:
        prev_caret_pos = caret_pos;
        caret_pos = std::clamp(Value, 1, GetLength() + 1);
        SetSelection();
        CursorPosChanged();
        break;
    default: break;
    }
}

bool TSCLBaseEdit::GetBoolean(int Index) const
{
    switch (Index) {
    case 0: return hide_selection;
    case 1: return read_only;
    case 2: return modified;
    case 4: return auto_select;
    case 5: return oem_convert;
    case 6: return focus_on_mouse_above;
    default: return false;
    }
}

void TSCLBaseEdit::SetBoolean(int Index, bool Value)
{
    switch (Index) {
    case 0: hide_selection = Value; break;
    case 1: read_only = Value; break;
    case 2: Set_Modified(Value); break;
    case 4: auto_select = Value; break;
    case 5: oem_convert = Value; break;
    case 6: focus_on_mouse_above = Value; break;
    default: break;
    }
}

void TSCLBaseEdit::Set_Modified(bool Value)
{
    if (modified == Value)
        return;
    modified = Value;
    if (OnModified)
        OnModified(this);
}

void TSCLBaseEdit::SetAlignment(TAlignment Value)
{
    if (Value == alignment)
        return;
    alignment = Value;
    DoAlignmentChange();
    Invalidate();
}

void TSCLBaseEdit::SetHighlightBack(TColor Value)
{
    highlight_back = Value;
    DrawText(-1);
}

void TSCLBaseEdit::SetHighlightText(TColor Value)
{
    highlight_text = Value;
    DrawText(-1);
}

void TSCLBaseEdit::GetChange(TObject* Sender)
{
    TSCLCustomBevelPanel::GetChange(Sender);
    SetupRects();
}

void TSCLBaseEdit::EndUpdate()
{
    if (update_count > 0)
        --update_count;
}

// ---- Caret and selection ---------------------------------------------------

// Shift held, or the left button selecting: the selection follows the caret.
bool TSCLBaseEdit::Extends_Selection() const
{
    return selecting || SCLApplication->EditMode().Contains(emShift);
}

// The end of the selection that stays put while the caret moves.
int TSCLBaseEdit::Anchor() const
{
    if (sel_length == 0)
        return prev_caret_pos;
    return prev_caret_pos == sel_start ? sel_start + sel_length : sel_start;
}

void TSCLBaseEdit::SetSelection()
{
    if (update_count > 0)
        return;
    const int old_length = sel_length;
    if (Extends_Selection()) {
        const int anchor = std::clamp(Anchor(), 1, GetLength() + 1);
        sel_start = std::min(anchor, caret_pos);
        sel_length = std::abs(caret_pos - anchor);
    } else {
        sel_start = caret_pos;
        sel_length = 0;
    }
    if (old_length != sel_length || old_length != 0)
        DrawText(-1);
}

void TSCLBaseEdit::CursorPosChanged()
{
    SetCaret();
    if (OnCursorPosChanged)
        OnCursorPosChanged(this);
}

void TSCLBaseEdit::Move_Caret(int Position)
{
    SetInteger(5, Position);
}

char TSCLBaseEdit::Char_At(int Position) const
{
    return Position >= 1 && Position <= GetLength() ? text[static_cast<std::size_t>(Position - 1)] : '\0';
}

bool TSCLBaseEdit::Is_Delimiter(int Position) const
{
    return WordDelimiters.count(Char_At(Position)) != 0;
}

void TSCLBaseEdit::Select(int Start, int Length)
{
    sel_start = std::clamp(Start, 1, GetLength() + 1);
    sel_length = std::clamp(Length, 0, GetLength() + 1 - sel_start);
    prev_caret_pos = caret_pos;
    caret_pos = sel_start + sel_length;
    DrawText(-1);
}

void TSCLBaseEdit::SelectAll()
{
    Select(1, GetLength());
}

std::string TSCLBaseEdit::GetSelText() const
{
    return text.substr(static_cast<std::size_t>(sel_start - 1), static_cast<std::size_t>(sel_length));
}

void TSCLBaseEdit::ClearSelection()
{
    if (sel_length > 0)
        SetSelText("");
}

void TSCLBaseEdit::Clear()
{
    SelectAll();
    SetSelText("");
}

void TSCLBaseEdit::SetText(const std::string& Value)
{
    SelectAll();
    SetSelText(Value);
    SetNewText(text);
}

// ---- Changing the text -----------------------------------------------------

bool TSCLBaseEdit::AllowedOperation(const std::string&)
{
    return !read_only;
}

void TSCLBaseEdit::HandleInsertText(int, std::string&) {}

void TSCLBaseEdit::HandleReplaceText(const std::string&) {}

void TSCLBaseEdit::ChangedText(int Position)
{
    if (OnTextChangedAt)
        OnTextChangedAt(this, Position);
    if (OnChange)
        OnChange(this);
    DrawText(Position);
}

// A CR/LF pair is never split by a selection or by overwriting.
void TSCLBaseEdit::Keep_Line_Breaks_Whole()
{
    if (sel_length > 0) {
        if (Char_At(sel_start + sel_length - 1) == CR && Char_At(sel_start + sel_length) == LF)
            ++sel_length;
        if (Char_At(sel_start) == LF && Char_At(sel_start - 1) == CR) {
            --sel_start;
            ++sel_length;
        }
        return;
    }
    if (Char_At(sel_start) == LF && Char_At(sel_start - 1) == CR)
        --sel_start;
    if (!SCLApplication->EditMode().Contains(emInsert) && sel_start <= GetLength())
        sel_length = Char_At(sel_start) == CR && Char_At(sel_start + 1) == LF ? 2 : 1;
}

// The entry goes on the redo stack while undoing, else on the undo stack
// (a new edit outside a redo forgets what could be redone).
TSCLUndoEntry* TSCLBaseEdit::Record_Change()
{
    auto* entry = new TSCLUndoEntry;
    entry->CaretPos = caret_pos;
    if (undoing) {
        redo_buffer.Put(entry);
        can_redo = true;
        return entry;
    }
    undo_buffer.Put(entry);
    can_undo = true;
    if (!redoing) {
        redo_buffer.Clear();
        can_redo = false;
    }
    return entry;
}

void TSCLBaseEdit::SetSelText(const std::string& Value)
{
    if (!AllowedOperation(Value))
        return;
    std::string s = oem_convert ? Oem_Round_Trip(Value) : Value;
    Keep_Line_Breaks_Whole();
    HandleInsertText(sel_start, s);
    const bool fits = max_length == 0 || GetLength() - sel_length + static_cast<int>(s.size()) <= max_length;
    if (!fits)
        s.clear();
    if (sel_length == 0 && s.empty())
        return; // nothing removed, nothing inserted: no change to record
    BeforeChangeText();
    TSCLUndoEntry* entry = Record_Change();
    const int start = sel_start;
    entry->SelStart = start;
    entry->SelLength = sel_length;
    entry->Removed = GetSelText();
    HandleReplaceText(entry->Removed);
    text.erase(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(sel_length));
    sel_length = 0;
    text.insert(static_cast<std::size_t>(start - 1), s);
    entry->Inserted = s;
    entry->InsertedLength = static_cast<int>(s.size());
    Set_Modified(true);
    ChangedText(start);
    BeginUpdate();
    Move_Caret(start + static_cast<int>(s.size()));
    sel_length = 0;
    EndUpdate();
    sel_start = caret_pos;
}

void TSCLBaseEdit::Take_Back(TSCLDynLIFOBuffer& Buffer, bool& Flag, bool& Can)
{
    if (!Can || Buffer.isEmpty())
        return;
    Flag = true;
    auto* entry = static_cast<TSCLUndoEntry*>(Buffer.Get());
    sel_start = entry->SelStart;
    sel_length = entry->InsertedLength;
    const bool insert_mode = SCLApplication->EditMode().Contains(emInsert);
    if (!insert_mode)
        SCLApplication->SetEditMode(With_Mode(SCLApplication->EditMode(), emInsert, true));
    SetSelText(entry->Removed);
    if (!insert_mode)
        SCLApplication->SetEditMode(With_Mode(SCLApplication->EditMode(), emInsert, false));
    Flag = false;
    Can = !Buffer.isEmpty();
    BeginUpdate();
    Move_Caret(entry->CaretPos);
    EndUpdate();
    sel_start = entry->SelStart;
    sel_length = std::min(entry->SelLength, GetLength() + 1 - sel_start);
    DrawText(-1);
    delete entry;
}

void TSCLBaseEdit::Undo()
{
    Take_Back(undo_buffer, undoing, can_undo);
}

void TSCLBaseEdit::Redo()
{
    Take_Back(redo_buffer, redoing, can_redo);
}

void TSCLBaseEdit::ClearUndo()
{
    undo_buffer.Clear();
    redo_buffer.Clear();
    can_undo = false;
    can_redo = false;
}

// ---- Ranges ----------------------------------------------------------------

void TSCLBaseEdit::Cut(int Start, int Length)
{
    Select(Start, Length);
    SetSelText("");
}

std::string TSCLBaseEdit::Copy(int Start, int Length) const
{
    if (Start < 1 || Start > GetLength() || Length <= 0)
        return {};
    return text.substr(static_cast<std::size_t>(Start - 1), static_cast<std::size_t>(Length));
}

void TSCLBaseEdit::Insert(int Position, const std::string& S)
{
    Select(Position, 0);
    SetSelText(S);
}

void TSCLBaseEdit::Add(const std::string& S)
{
    Insert(GetLength() + 1, S);
}

void TSCLBaseEdit::Replace(int Start, int Length, const std::string& S)
{
    Select(Start, Length);
    SetSelText(S);
}

void TSCLBaseEdit::Upper(int Start, int Length)
{
    std::string part = Copy(Start, Length);
    std::transform(part.begin(), part.end(), part.begin(), [](unsigned char c) { return std::toupper(c); });
    Replace(Start, Length, part);
}

void TSCLBaseEdit::Lower(int Start, int Length)
{
    std::string part = Copy(Start, Length);
    std::transform(part.begin(), part.end(), part.begin(), [](unsigned char c) { return std::tolower(c); });
    Replace(Start, Length, part);
}

int TSCLBaseEdit::CountWords() const
{
    int words = 0;
    bool in_word = false;
    for (int i = 1; i <= GetLength(); ++i) {
        const bool delimiter = Is_Delimiter(i) || Char_At(i) == CR || Char_At(i) == LF;
        if (!delimiter && !in_word)
            ++words;
        in_word = !delimiter;
    }
    return words;
}

std::string TSCLBaseEdit::GetCurrentWord() const
{
    int from = caret_pos;
    if (Is_Delimiter(from) && from > 1)
        --from;
    int start = from;
    while (start > 1 && !Is_Delimiter(start - 1))
        --start;
    int end = from;
    while (end <= GetLength() && !Is_Delimiter(end))
        ++end;
    return Copy(start, end - start);
}

int TSCLBaseEdit::GetSelTextBuf(char* Buffer, int BufSize)
{
    if (!Buffer || BufSize <= 0)
        return 0;
    const std::string selected = GetSelText();
    const int count = std::min(static_cast<int>(selected.size()), BufSize - 1);
    std::memcpy(Buffer, selected.data(), static_cast<std::size_t>(count));
    Buffer[count] = '\0';
    return count;
}

void TSCLBaseEdit::SetSelTextBuf(const char* Buffer)
{
    SetSelText(Buffer ? std::string(Buffer) : std::string());
}

// ---- Clipboard -------------------------------------------------------------

void TSCLBaseEdit::CopyToClipboard()
{
    if (AllowCopyPaste() && sel_length > 0)
        Clipboard()->SetAsText(GetSelText());
}

void TSCLBaseEdit::CutToClipboard()
{
    if (!AllowCopyPaste() || sel_length == 0)
        return;
    CopyToClipboard();
    SetSelText("");
}

void TSCLBaseEdit::PasteFromClipboard()
{
    if (AllowCopyPaste())
        SetSelText(Clipboard()->AsText());
}

// ---- Navigation ------------------------------------------------------------

void TSCLBaseEdit::GotoParaStart()
{
    int position = caret_pos;
    while (position > 1 && Char_At(position - 1) != LF)
        --position;
    Move_Caret(position);
}

void TSCLBaseEdit::GotoParaEnd()
{
    int position = caret_pos;
    while (position <= GetLength() && Char_At(position) != CR)
        ++position;
    Move_Caret(position);
}

void TSCLBaseEdit::GotoNextWord()
{
    int position = caret_pos;
    if (Is_Delimiter(position))
        ++position;
    while (position <= GetLength() && !Is_Delimiter(position))
        ++position;
    Move_Caret(position);
}

void TSCLBaseEdit::GotoPrevWord()
{
    int position = caret_pos;
    if (Is_Delimiter(position - 1))
        --position;
    while (position > 1 && !Is_Delimiter(position - 1))
        --position;
    Move_Caret(position);
}

void TSCLBaseEdit::SelectCurrentWord()
{
    int from = caret_pos;
    if (Is_Delimiter(from) && from > 1)
        --from;
    int start = from;
    while (start > 1 && !Is_Delimiter(start - 1))
        --start;
    int end = from;
    while (end <= GetLength() && !Is_Delimiter(end))
        ++end;
    Select(start, end - start);
}

void TSCLBaseEdit::SelectLeftWord()
{
    int start = caret_pos;
    while (start > 1 && !Is_Delimiter(start - 1))
        --start;
    const int end = caret_pos;
    Select(start, end - start);
}

void TSCLBaseEdit::SelectRightWord()
{
    int end = caret_pos;
    while (end <= GetLength() && !Is_Delimiter(end))
        ++end;
    if (end <= GetLength())
        ++end; // the delimiter belongs to the word on its left
    Select(caret_pos, end - caret_pos);
}

// ---- Search ----------------------------------------------------------------

bool TSCLBaseEdit::Search(const std::string& What, TSCLSearchStart Start, bool IgnoreCase, bool WholeWord,
                          TSCLSearchDirection Direction)
{
    if (What.empty() || What.size() > text.size())
        return false;
    const auto fold = [IgnoreCase](std::string s) {
        if (IgnoreCase)
            std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
        return s;
    };
    const std::string haystack = fold(text);
    const std::string needle = fold(What);
    const int last = GetLength() - static_cast<int>(What.size()) + 1;
    int position = Start == stTop ? 1 : Start == stBottom ? last : caret_pos;
    if (Start == stCursor && Direction == sdUp)
        position = std::min(caret_pos - 1, last);
    const int step = Direction == sdDown ? 1 : -1;
    for (; position >= 1 && position <= last; position += step) {
        if (haystack.compare(static_cast<std::size_t>(position - 1), needle.size(), needle) != 0)
            continue;
        const int after = position + static_cast<int>(What.size());
        if (WholeWord && ((position > 1 && !Is_Delimiter(position - 1)) || (after <= GetLength() && !Is_Delimiter(after))))
            continue;
        Select(position, static_cast<int>(What.size()));
        CursorPosChanged();
        return true;
    }
    return false;
}

int TSCLBaseEdit::SearchAndReplace(const std::string& What, const std::string& With, TSCLSearchStart Start,
                                   bool IgnoreCase, bool WholeWord, TSCLSearchDirection Direction, bool All)
{
    int count = 0;
    while (Search(What, Start, IgnoreCase, WholeWord, Direction)) {
        SetSelText(With);
        ++count;
        if (!All)
            break;
        Start = stCursor;
        if (Direction == sdUp)
            Move_Caret(caret_pos - static_cast<int>(With.size()));
    }
    return count;
}

// ---- Keys ------------------------------------------------------------------

void TSCLBaseEdit::Edit_Mode_From(TShiftState Shift)
{
    TSCLEditModes modes = SCLApplication->EditMode();
    const auto put = [&modes](TSCLEditMode mode, bool on) { modes = With_Mode(modes, mode, on); };
    put(emShift, Shift.Contains(ssShift));
    put(emCtrl, Shift.Contains(ssCtrl));
    put(emAlt, Shift.Contains(ssAlt));
    SCLApplication->SetEditMode(modes);
}

void TSCLBaseEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    TSCLCustomBevelPanel::KeyDown(Key, Shift);
    Edit_Mode_From(Shift);
    if (Key != 0)
        GetCommandKey(Key);
}

void TSCLBaseEdit::KeyUp(WORD& Key, TShiftState Shift)
{
    TSCLCustomBevelPanel::KeyUp(Key, Shift);
    Edit_Mode_From(Shift);
}

void TSCLBaseEdit::KeyPress(char& Key)
{
    TSCLCustomBevelPanel::KeyPress(Key);
    const auto code = static_cast<unsigned char>(Key);
    if (code <= 31)
        return;
    char typed = Key;
    if (char_case == ecUpperCase && code < 0x80)
        typed = static_cast<char>(std::toupper(code));
    else if (char_case == ecLowerCase && code < 0x80)
        typed = static_cast<char>(std::tolower(code));
    SetSelText(std::string(1, typed));
}

void TSCLBaseEdit::Step_Caret(int Delta)
{
    int target = caret_pos + Delta;
    if (Delta < 0 && Char_At(target) == LF && Char_At(target - 1) == CR)
        --target;
    if (Delta > 0 && Char_At(caret_pos) == CR && Char_At(caret_pos + 1) == LF)
        ++target;
    Move_Caret(target);
}

void TSCLBaseEdit::GetCommandKey(WORD& Key)
{
    if (!Enabled())
        return;
    const TSCLEditModes modes = SCLApplication->EditMode();
    const bool shift = modes.Contains(emShift);
    const bool ctrl = modes.Contains(emCtrl);
    const bool alt = modes.Contains(emAlt);
    const int old_length = sel_length;
    switch (Key) {
    case VK_INSERT:
        if (shift)
            PasteFromClipboard();
        else if (ctrl)
            CopyToClipboard();
        else if (!alt)
            SCLApplication->SetEditMode(With_Mode(modes, emInsert, !modes.Contains(emInsert)));
        break;
    case VK_DELETE:
        if (shift) {
            CutToClipboard();
        } else if (!read_only && !text.empty()) {
            if (sel_length == 0 && caret_pos > GetLength())
                break; // nothing after the caret: no change, nothing to undo
            if (sel_length == 0)
                Select(caret_pos, 1);
            SetSelText("");
        }
        break;
    case VK_BACK:
        if (read_only || (caret_pos == 1 && sel_length == 0))
            break;
        if (sel_length == 0) {
            const int back = Char_At(caret_pos - 1) == LF && Char_At(caret_pos - 2) == CR ? 2 : 1;
            Select(caret_pos - back, back);
        }
        SetSelText("");
        break;
    case 'A':
    case 'C':
    case 'V':
    case 'X':
        if (!ctrl)
            return;
        if (Key == 'A')
            SelectAll();
        else if (Key == 'C')
            CopyToClipboard();
        else if (Key == 'V')
            PasteFromClipboard();
        else
            CutToClipboard();
        Key = 0;
        break;
    case VK_LEFT:
        Step_Caret(-1);
        if (ctrl)
            GotoPrevWord();
        break;
    case VK_RIGHT:
        Step_Caret(1);
        if (ctrl)
            GotoNextWord();
        break;
    case VK_HOME:
        if (ctrl)
            Move_Caret(1);
        else
            GotoParaStart();
        break;
    case VK_END: GotoParaEnd(); break;
    case VK_ESCAPE: SetInteger(2, 0); break;
    default: return;
    }
    if (old_length != sel_length)
        DrawText(caret_pos);
}

// ---- Mouse and focus -------------------------------------------------------

void TSCLBaseEdit::Free_Selection_Timer()
{
    if (selection_timer)
        SCLApplication->RemoveTimer(selection_timer);
    selection_timer = 0;
}

void TSCLBaseEdit::DoLeftMouseBtn()
{
    const int position = CalcMousePos(mouse_point);
    if (TextDrag && !dragging && !selecting && sel_length > 0 && position > sel_start &&
        position < sel_start + sel_length) {
        dragging = true;
        saved_cursor = Screen->Cursor();
        Screen->SetCursor(crDrag);
        return;
    }
    if (position != caret_pos)
        Move_Caret(position);
}

void TSCLBaseEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TSCLCustomBevelPanel::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled())
        return;
    if (CanFocus())
        SetFocus();
    mouse_point = POINT{X, Y};
    if (Shift.Contains(ssDouble))
        return; // the double click's word selection stands
    DoLeftMouseBtn();
    selecting = !dragging;
    Free_Selection_Timer();
    selection_timer = SCLApplication->AddTimer(Selection_Interval, [this](TObject*) {
        if (selecting)
            DoLeftMouseBtn();
    });
}

void TSCLBaseEdit::MouseMove(TShiftState Shift, int X, int Y)
{
    TSCLCustomBevelPanel::MouseMove(Shift, X, Y);
    if (!Shift.Contains(ssLeft) || Shift.Contains(ssRight) || Shift.Contains(ssMiddle))
        return;
    mouse_point = POINT{X, Y};
    if (dragging)
        return;
    const int position = CalcMousePos(mouse_point);
    if (position != caret_pos) {
        Move_Caret(position);
        DrawText(caret_pos);
    }
}

void TSCLBaseEdit::Drop_Text(int Position)
{
    if (Position >= sel_start && Position <= sel_start + sel_length) {
        Move_Caret(Position);
        return;
    }
    const std::string moved = GetSelText();
    const int length = sel_length;
    SetSelText("");
    if (Position > sel_start) {
        Position -= length;
        if (Char_At(Position) == LF)
            --Position;
    }
    Select(Position, 0);
    SetSelText(moved);
}

void TSCLBaseEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TSCLCustomBevelPanel::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft) {
        Free_Selection_Timer();
        selecting = false;
        if (dragging) {
            dragging = false;
            Screen->SetCursor(saved_cursor);
            Drop_Text(CalcMousePos(POINT{X, Y}));
        }
        return;
    }
    if (Button != mbRight || !Enabled() || PopupMenu())
        return;
    std::unique_ptr<TPopupMenu> menu = CreateEditMenu();
    const POINT at = ClientToScreen(POINT{X, Y});
    menu->Popup(at.x, at.y);
    Application->ProcessMessages();
}

std::unique_ptr<TPopupMenu> TSCLBaseEdit::CreateEditMenu()
{
    auto menu = std::make_unique<TPopupMenu>(nullptr);
    const auto add = [&menu](const char* caption, bool enabled, TNotifyEvent action) {
        auto* item = new TMenuItem(menu.get());
        item->SetCaption(caption);
        item->SetEnabled(enabled);
        item->OnClick = std::move(action);
        menu->Items()->Add(item);
    };
    const bool selection = sel_length > 0;
    add("&Undo", can_undo, [this](TObject* s) { DoUndo(s); });
    add("-", true, nullptr);
    add("&Cut", selection && !read_only, [this](TObject* s) { DoCut(s); });
    add("&Copy", selection, [this](TObject* s) { DoCopy(s); });
    add("&Insert", Clipboard()->HasFormat(CF_TEXT) && !read_only, [this](TObject* s) { DoPaste(s); });
    add("&Delete", selection, [this](TObject* s) { DoClear(s); });
    add("-", true, nullptr);
    add("Select all", !text.empty(), [this](TObject* s) { DoSelectAll(s); });
    return menu;
}

void TSCLBaseEdit::DblClick()
{
    TSCLCustomBevelPanel::DblClick();
    if (Enabled() && WordSelect)
        SelectCurrentWord();
}

void TSCLBaseEdit::MouseEnter()
{
    TSCLCustomBevelPanel::MouseEnter();
    if (focus_on_mouse_above && Enabled() && CanFocus())
        SetFocus();
}

void TSCLBaseEdit::DoEnter()
{
    TSCLCustomBevelPanel::DoEnter();
    if (caret->Style() == csDefault) {
        Canvas()->Font()->Assign(Font());
        caret->SetWord(4, static_cast<WORD>(Canvas()->TextHeight("Qp")));
    }
    caret->BuildCaret();
    SetCaret();
    caret->Enable();
    if (auto_select)
        SelectAll();
    if (sel_length > 0)
        DrawText(-1);
}

void TSCLBaseEdit::DoExit()
{
    TSCLCustomBevelPanel::DoExit();
    if (hide_selection && sel_length > 0)
        DrawText(-1);
    caret->DestroyCaret();
}

// ---- Layout and painting ---------------------------------------------------

void TSCLBaseEdit::SetupRects()
{
    text_rect = BeveledRect();
    ModifyTextRect(text_rect);
    paint_rect = ClientRect();
    ModifyPaintRect(paint_rect);
}

int TSCLBaseEdit::RowHeight()
{
    Canvas()->Font()->Assign(Font());
    return Canvas()->TextHeight("Qp");
}

int TSCLBaseEdit::RowWidth(int Count)
{
    Canvas()->Font()->Assign(Font());
    return Canvas()->TextWidth(text.substr(0, static_cast<std::size_t>(std::clamp(Count, 0, GetLength()))));
}

void TSCLBaseEdit::Paint()
{
    SetupRects();
    TSCLCustomBevelPanel::Paint();
    DrawText(-1);
    caret->Paint(Canvas());
}

// ---- Messages --------------------------------------------------------------

LRESULT TSCLBaseEdit::Answer_Edit_Message(TMessage& Message, bool& Handled)
{
    Handled = true;
    const auto w = static_cast<int>(Message.WParam);
    const auto l = static_cast<int>(Message.LParam);
    switch (Message.Msg) {
    case EM_CANUNDO: return can_undo;
    case EM_UNDO: Undo(); return can_undo;
    case EM_EMPTYUNDOBUFFER: undo_buffer.Clear(); can_undo = false; return 0;
    case EM_GETSEL: {
        const DWORD start = static_cast<DWORD>(sel_start - 1);
        const DWORD end = static_cast<DWORD>(sel_start + sel_length - 1);
        if (Message.WParam)
            *reinterpret_cast<DWORD*>(Message.WParam) = start;
        if (Message.LParam)
            *reinterpret_cast<DWORD*>(Message.LParam) = end;
        return MAKELONG(static_cast<WORD>(start), static_cast<WORD>(end));
    }
    case EM_SETSEL:
        if (w == -1)
            SetInteger(2, 0);
        else if (w == 0 && l == -1)
            SelectAll();
        else
            Select(std::min(w, l) + 1, std::abs(l - w));
        return 0;
    case EM_REPLACESEL:
        SetSelText(Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "");
        if (Message.WParam == 0) {
            undo_buffer.Clear();
            can_undo = false;
        }
        return 0;
    case EM_GETMODIFY: return modified;
    case EM_SETMODIFY: Set_Modified(Message.WParam != 0); return 0;
    case EM_SETREADONLY: read_only = Message.WParam != 0; return 1;
    case EM_LIMITTEXT: SetInteger(0, w); return 0;
    case EM_GETLIMITTEXT: return max_length;
    case EM_GETLINE: {
        // The first word of the buffer tells how many characters it holds.
        auto* buffer = reinterpret_cast<char*>(Message.LParam);
        if (!buffer)
            return 0;
        WORD size = 0;
        std::memcpy(&size, buffer, sizeof size);
        const int count = std::min<int>(size, GetLength());
        std::memcpy(buffer, text.data(), static_cast<std::size_t>(count));
        return count;
    }
    case EM_GETLINECOUNT: return 1;
    case EM_LINEFROMCHAR:
    case EM_LINEINDEX: return 0;
    case EM_LINELENGTH: return GetLength();
    case EM_GETRECT:
        if (Message.LParam)
            *reinterpret_cast<RECT*>(Message.LParam) = text_rect;
        return 0;
    case EM_CHARFROMPOS: {
        const POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
        return MAKELONG(static_cast<WORD>(CalcMouseCol(p.x)), static_cast<WORD>(CalcMouseRow(p.y)));
    }
    case EM_POSFROMCHAR: return MAKELONG(static_cast<WORD>(RowWidth(w) + text_rect.left), 0);
    case EM_GETFIRSTVISIBLELINE:
    case EM_GETHANDLE:
    case EM_GETMARGINS:
    case EM_GETPASSWORDCHAR:
    case EM_GETTHUMB:
    case EM_GETWORDBREAKPROC:
    case EM_FMTLINES:
    case EM_LINESCROLL:
    case EM_SCROLL:
    case EM_SCROLLCARET:
    case EM_SETHANDLE:
    case EM_SETMARGINS:
    case EM_SETPASSWORDCHAR:
    case EM_SETRECT:
    case EM_SETRECTNP:
    case EM_SETTABSTOPS:
    case EM_SETWORDBREAKPROC: return 0;
    case WM_SETTEXT: SetText(Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : ""); return TRUE;
    case WM_GETTEXT: {
        auto* buffer = reinterpret_cast<char*>(Message.LParam);
        if (!buffer || w <= 0)
            return 0;
        const int count = std::min(GetLength(), w - 1);
        std::memcpy(buffer, text.data(), static_cast<std::size_t>(count));
        buffer[count] = '\0';
        return count;
    }
    case WM_GETTEXTLENGTH: return GetLength();
    case WM_CLEAR: ClearSelection(); return 0;
    case WM_COPY: CopyToClipboard(); return 0;
    case WM_CUT: CutToClipboard(); return 0;
    case WM_PASTE: PasteFromClipboard(); return 0;
    default: Handled = false; return 0;
    }
}

void TSCLBaseEdit::Dispatch(TMessage& Message)
{
    bool handled = false;
    const LRESULT result = Answer_Edit_Message(Message, handled);
    if (handled) {
        Message.Result = result;
        return;
    }
    TSCLCustomBevelPanel::Dispatch(Message);
    if (Message.Msg == WM_GETDLGCODE)
        Message.Result |= DLGC_WANTARROWS | DLGC_WANTCHARS;
}
