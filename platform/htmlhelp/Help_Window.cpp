#include "platform/htmlhelp/Help_Window.h"

#include "platform/htmlhelp/Chm_File.h"
#include "platform/winapi/Sys_Colors.h"
#include "platform/winapi/Window.h"

#include <QHeaderView>
#include <QImage>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>
#include <QUrl>

#include <vector>

namespace {

constexpr const char* Window_Class = "HH Parent";
constexpr const char* Scheme = "help";
constexpr int Contents_Width = 260;

QUrl Url_Of(const std::string& entry)
{
    QUrl url;
    url.setScheme(Scheme);
    url.setPath(QString::fromStdString(entry));
    return url;
}

// A text browser whose documents, pictures and style sheets come from the
// help file shown.
class Topic_Browser : public QTextBrowser {
public:
    explicit Topic_Browser(QWidget* parent) : QTextBrowser(parent) { setOpenExternalLinks(false); }

    void Set_File(std::shared_ptr<const Chm_File> chm) { file = std::move(chm); }
    const Chm_File* File() const { return file.get(); }

    QVariant loadResource(int type, const QUrl& name) override
    {
        const QUrl url = name.isRelative() ? base.resolved(name) : name;
        if (!file || url.scheme() != Scheme)
            return {};
        const auto bytes = file->Read(url.path().toStdString());
        if (!bytes)
            return {};
        const QByteArray data(bytes->data(), static_cast<qsizetype>(bytes->size()));
        switch (type) {
        case QTextDocument::HtmlResource:
            base = url;
            return QString::fromUtf8(data);
        case QTextDocument::ImageResource:
            return QImage::fromData(data);
        default:
            return QString::fromUtf8(data);
        }
    }

private:
    std::shared_ptr<const Chm_File> file;
    QUrl base;
};

struct Window_State {
    HWND handle = nullptr;
    QSplitter* splitter = nullptr;
    QTreeWidget* tree = nullptr;
    Topic_Browser* browser = nullptr;
};

Window_State& State()
{
    static Window_State state;
    return state;
}

void Fill_Contents(QTreeWidget* tree, const Chm_File& file)
{
    tree->clear();
    const auto text = file.Read(file.Contents_File());
    std::vector<QTreeWidgetItem*> parents;
    for (const Sitemap_Entry& entry : Parse_Sitemap(text.value_or(std::string()))) {
        parents.resize(static_cast<std::size_t>(std::min<int>(entry.Depth, static_cast<int>(parents.size()))));
        auto* item = parents.empty() ? new QTreeWidgetItem(tree) : new QTreeWidgetItem(parents.back());
        item->setText(0, QString::fromStdString(entry.Name));
        if (!entry.Local.empty())
            item->setData(0, Qt::UserRole, QString::fromStdString(file.Entry_For(entry.Local)));
        parents.push_back(item);
    }
    tree->expandAll();
}

void Select_Contents_Item(QTreeWidget* tree, const QUrl& source)
{
    const QString entry = source.path();
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toString().compare(entry, Qt::CaseInsensitive) == 0) {
            tree->setCurrentItem(*it);
            return;
        }
}

void Build_Contents_Widgets(HWND window)
{
    Window_State& state = State();
    state.splitter = new QSplitter(Qt::Horizontal, Window_Widget(window));
    state.tree = new QTreeWidget(state.splitter);
    state.tree->setHeaderHidden(true);
    state.browser = new Topic_Browser(state.splitter);
    state.splitter->setSizes({Contents_Width, 920 - Contents_Width});
    state.splitter->setStretchFactor(1, 1);
    QObject::connect(state.tree, &QTreeWidget::itemClicked, state.browser, [](QTreeWidgetItem* item) {
        const QString entry = item->data(0, Qt::UserRole).toString();
        if (!entry.isEmpty())
            State().browser->setSource(Url_Of(entry.toStdString()));
    });
    QObject::connect(state.browser, &QTextBrowser::sourceChanged, state.tree,
                     [](const QUrl& source) { Select_Contents_Item(State().tree, source); });
    RECT client{};
    GetClientRect(window, &client);
    state.splitter->setGeometry(0, 0, client.right, client.bottom);
    state.splitter->show();
}

LRESULT Help_Window_Procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param)
{
    Window_State& state = State();
    switch (message) {
    case WM_SIZE:
        if (state.splitter && window == state.handle)
            state.splitter->setGeometry(0, 0, LOWORD(static_cast<DWORD>(l_param)),
                                        HIWORD(static_cast<DWORD>(l_param)));
        return 0;
    case WM_DESTROY:
        if (window == state.handle) {
            delete state.splitter;
            state = Window_State{};
        }
        return 0;
    default:
        return DefWindowProcA(window, message, w_param, l_param);
    }
}

bool Register_Window_Class()
{
    WNDCLASSA existing{};
    if (GetClassInfoA(nullptr, Window_Class, &existing))
        return true;
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = Help_Window_Procedure;
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(COLOR_BTNFACE + 1));
    window_class.lpszClassName = Window_Class;
    return RegisterClassA(&window_class) != 0;
}

HWND Create_Window()
{
    if (!Register_Window_Class())
        return nullptr;
    HWND window = CreateWindowExA(0, Window_Class, "Help", WS_OVERLAPPEDWINDOW, 60, 40, 920, 600, nullptr, nullptr,
                                  nullptr, nullptr);
    if (!window)
        return nullptr;
    State().handle = window;
    Build_Contents_Widgets(window);
    return window;
}

} // namespace

namespace Help_Window {

HWND Show_Topic(std::shared_ptr<const Chm_File> File, const std::string& Topic)
{
    Window_State& state = State();
    if (!state.handle && !Create_Window())
        return nullptr;
    const bool new_file = state.browser->File() != File.get();
    if (new_file) {
        SetWindowTextA(state.handle, File->Title().empty() ? "Help" : File->Title().c_str());
        Fill_Contents(state.tree, *File);
        state.browser->Set_File(File);
    }
    const QUrl url = Url_Of(Topic);
    if (state.browser->source() == url && new_file)
        state.browser->reload();
    else
        state.browser->setSource(url);
    Select_Contents_Item(state.tree, url);
    ShowWindow(state.handle, SW_SHOWNORMAL);
    SetForegroundWindow(state.handle);
    return state.handle;
}

void Close()
{
    if (State().handle)
        DestroyWindow(State().handle);
}

HWND Handle()
{
    return State().handle;
}

QTextBrowser* Browser()
{
    return State().browser;
}

QTreeWidget* Contents()
{
    return State().tree;
}

} // namespace Help_Window
