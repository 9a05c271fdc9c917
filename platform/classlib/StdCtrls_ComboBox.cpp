#include "platform/classlib/StdCtrls_ComboBox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QStylePainter>

#include <algorithm>
#include <cstring>

namespace {

// The order of sorted items: case-insensitive.
int Compare_Items(const std::string& a, const std::string& b)
{
    return QString::compare(Qt_Text(a), Qt_Text(b), Qt::CaseInsensitive);
}

} // namespace

// The items: a string list that tells the combo box of every change and
// keeps itself sorted when the box is.
class Combo_Items : public TStrings {
public:
    explicit Combo_Items(TCustomComboBox* owner) : combo(owner) {}

    int Count() const override { return list.Count(); }
    std::string Strings(int index) const override { return list.Strings(index); }
    void Put(int index, const std::string& text) override
    {
        list.Put(index, text);
        Changed();
    }
    void* Objects(int index) const override { return list.Objects(index); }
    void PutObject(int index, void* object) override { list.PutObject(index, object); }
    int Add(const std::string& text) override
    {
        int index = list.Count();
        if (combo->Sorted())
            while (index > 0 && Compare_Items(list.Strings(index - 1), text) > 0)
                --index;
        list.Insert(index, text);
        Changed();
        return index;
    }
    void Insert(int index, const std::string& text) override
    {
        list.Insert(index, text);
        Changed();
    }
    void Delete(int index) override
    {
        list.Delete(index);
        Changed();
    }
    void Clear() override
    {
        list.Clear();
        Changed();
    }
    void Sort()
    {
        std::vector<std::pair<std::string, void*>> entries;
        for (int index = 0; index < list.Count(); ++index)
            entries.emplace_back(list.Strings(index), list.Objects(index));
        std::stable_sort(entries.begin(), entries.end(),
                         [](const auto& a, const auto& b) { return Compare_Items(a.first, b.first) < 0; });
        list.Clear();
        for (const auto& [text, object] : entries)
            list.AddObject(text, object);
        Changed();
    }

protected:
    void SetUpdateState(bool updating) override
    {
        if (!updating)
            combo->Items_Changed();
    }

private:
    void Changed()
    {
        if (UpdateCount() == 0)
            combo->Items_Changed();
    }

    TCustomComboBox* combo;
    TStringList list;
};

namespace {

QImage Bitmap_Image(TBitmap* bitmap)
{
    QImage image(bitmap->Width(), bitmap->Height(), QImage::Format_RGB32);
    for (int row = 0; row < bitmap->Height(); ++row)
        std::memcpy(image.scanLine(row), bitmap->ScanLine(row), static_cast<std::size_t>(bitmap->Width()) * 4);
    return image;
}

// Draws owner-drawn entries of the drop-down list through the control.
class Owner_Draw_Delegate : public QStyledItemDelegate {
public:
    Owner_Draw_Delegate(TCustomComboBox* owner, QObject* parent) : QStyledItemDelegate(parent), combo(owner) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        TOwnerDrawState state;
        if (option.state & QStyle::State_Selected)
            state.Include(odSelected);
        if (!(option.state & QStyle::State_Enabled))
            state.Include(odDisabled);
        painter->drawImage(option.rect.topLeft(), Picture(index.row(), option.rect.size(), state));
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QSize(option.rect.width(), combo->Item_Height_Of(index.row()));
    }

    QImage Picture(int row, QSize size, TOwnerDrawState state) const
    {
        if (size.isEmpty())
            return {};
        combo->Paint_Item(row, RECT{0, 0, size.width(), size.height()}, state);
        return Bitmap_Image(bitmap);
    }

    void Set_Bitmap(TBitmap* value) { bitmap = value; }

private:
    TCustomComboBox* combo;
    TBitmap* bitmap = nullptr;
};

// A combo box whose closed face shows the chosen item owner-drawn too.
class Owner_Drawn_Combo : public QComboBox {
public:
    Owner_Drawn_Combo(TCustomComboBox* owner, QWidget* parent) : QComboBox(parent), combo(owner) {}

    Owner_Draw_Delegate* delegate = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        if (!delegate) {
            QComboBox::paintEvent(event);
            return;
        }
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        option.currentText.clear();
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        const QRect face = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
        if (combo->ItemIndex() < 0)
            return;
        TOwnerDrawState state{odComboBoxEdit};
        if (hasFocus())
            state.Include(odSelected).Include(odFocused);
        painter.drawImage(face.topLeft(), delegate->Picture(combo->ItemIndex(), face.size(), state));
    }

private:
    TCustomComboBox* combo;
};

} // namespace

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWidget_Control(AOwner), items(std::make_unique<Combo_Items>(this)), item_bitmap(std::make_unique<TBitmap>())
{
    SetBounds(0, 0, 145, 24);
    SetColor(clWindow);
    SetParentColor(false);
    item_bitmap->SetPixelFormat(pf32bit);
}

TCustomComboBox::~TCustomComboBox()
{
    // The widget goes first: it calls back into the items while it lives.
    delete Content();
}

QComboBox* TCustomComboBox::Combo() const { return static_cast<QComboBox*>(Content()); }

QWidget* TCustomComboBox::Create_Content(QWidget* Parent)
{
    auto* combo = new Owner_Drawn_Combo(this, Parent);
    combo->setEditable(style == csDropDown || style == csSimple);
    if (Owner_Drawn()) {
        combo->delegate = new Owner_Draw_Delegate(this, combo);
        combo->delegate->Set_Bitmap(item_bitmap.get());
        combo->setItemDelegate(combo->delegate);
    }
    combo->setMaxVisibleItems(std::max(1, drop_down_count));
    Fill(combo);
    if (QLineEdit* editor = combo->lineEdit()) {
        editor->setText(Qt_Text(stored));
        if (max_length > 0)
            editor->setMaxLength(max_length);
        QObject::connect(editor, &QLineEdit::textEdited, combo, [this] { Change(); });
    }
    QObject::connect(combo, &QComboBox::activated, combo, [this](int index) {
        item_index = index;
        Change();
    });
    return combo;
}

void TCustomComboBox::Save_Content()
{
    if (Combo()->lineEdit())
        stored = Combo()->currentText().toStdString();
}

void TCustomComboBox::Fill(QComboBox* combo)
{
    filling = true;
    combo->clear();
    for (int index = 0; index < items->Count(); ++index)
        combo->addItem(Qt_Text(items->Strings(index)));
    combo->setCurrentIndex(item_index);
    filling = false;
}

void TCustomComboBox::Items_Changed()
{
    if (item_index >= items->Count())
        item_index = -1;
    if (Combo())
        Fill(Combo());
}

void TCustomComboBox::SetItemIndex(int Value)
{
    item_index = Value >= 0 && Value < items->Count() ? Value : -1;
    if (Combo())
        Combo()->setCurrentIndex(item_index);
}

std::string TCustomComboBox::Text() const
{
    if (Combo() && Combo()->lineEdit())
        return Combo()->currentText().toStdString();
    if (style == csDropDown || style == csSimple)
        return stored;
    return item_index >= 0 ? items->Strings(item_index) : std::string();
}

void TCustomComboBox::SetText(const std::string& Value)
{
    const int found = items->IndexOf(Value);
    if (style != csDropDown && style != csSimple) {
        SetItemIndex(found);
        return;
    }
    item_index = found;
    stored = Value;
    if (Combo()) {
        Combo()->setCurrentIndex(found);
        Combo()->setEditText(Qt_Text(Value));
    }
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value)
{
    style = Value;
    RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int Value)
{
    drop_down_count = Value;
    if (Combo())
        Combo()->setMaxVisibleItems(std::max(1, Value));
}

void TCustomComboBox::SetItemHeight(int Value)
{
    if (Value > 0)
        item_height = Value;
}

void TCustomComboBox::SetSorted(bool Value)
{
    sorted = Value;
    if (sorted)
        static_cast<Combo_Items*>(items.get())->Sort();
}

void TCustomComboBox::SetMaxLength(int Value)
{
    max_length = std::max(0, Value);
    if (Combo() && Combo()->lineEdit())
        Combo()->lineEdit()->setMaxLength(max_length > 0 ? max_length : 32767);
}

bool TCustomComboBox::DroppedDown() const { return Combo() && Combo()->view()->isVisible(); }

void TCustomComboBox::SetDroppedDown(bool Value)
{
    if (!Combo())
        return;
    if (Value)
        Combo()->showPopup();
    else
        Combo()->hidePopup();
}

TCanvas* TCustomComboBox::Canvas() { return item_bitmap->Canvas(); }

int TCustomComboBox::Item_Height_Of(int Index)
{
    int height = item_height;
    if (style == csOwnerDrawFixed || style == csOwnerDrawVariable || OnMeasureItem)
        MeasureItem(Index, height);
    return height;
}

void TCustomComboBox::MeasureItem(int Index, int& Height)
{
    if (OnMeasureItem)
        OnMeasureItem(this, Index, Height);
}

void TCustomComboBox::Paint_Item(int Index, const RECT& Rect, TOwnerDrawState State)
{
    item_bitmap->SetSize(Rect.right, Rect.bottom);
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(State.Contains(odSelected) ? clHighlight : Color());
    canvas->Font()->SetColor(State.Contains(odSelected) ? clHighlightText : Font()->Color());
    DrawItem(Index, Rect, State);
}

void TCustomComboBox::DrawItem(int Index, const RECT& Rect, TOwnerDrawState State)
{
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    Canvas()->FillRect(Rect);
    if (Index >= 0 && Index < items->Count())
        Canvas()->TextOut(Rect.left + 2, Rect.top, items->Strings(Index));
}

void TCustomComboBox::Change()
{
    if (filling)
        return;
    if (OnChange)
        OnChange(this);
}

void TCustomComboBox::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = DLGC_WANTARROWS | (style == csDropDownList ? 0 : DLGC_WANTCHARS);
        return;
    }
    TWidget_Control::Dispatch(Message);
}
