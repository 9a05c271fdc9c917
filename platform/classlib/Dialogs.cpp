#include "platform/classlib/Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QPointer>
#include <QStandardPaths>
#include <QTreeView>

#include "platform/classlib/Dialog_Registry.h"

namespace {

QString Qt_String(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// "Text file (*.txt)|*.txt" as Qt's name filters ("Text file (*.txt)"): Qt
// reads the patterns from the parentheses that end a filter.
QStringList Name_Filters(const std::string& filter)
{
    const QStringList parts = Qt_String(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype index = 0; index + 1 < parts.size(); index += 2) {
        const QString description = parts[index].trimmed();
        const QString patterns = parts[index + 1].trimmed().replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString shown = QStringLiteral("(") + patterns + QStringLiteral(")");
        filters << (description.endsWith(shown) ? description : description + QLatin1Char(' ') + shown);
    }
    return filters;
}

// The folder of the file the program's file dialogs last confirmed: a
// dialog that names no folder of its own opens there.
QString last_folder;

// Where a dialog that names no folder opens: the folder last used, else
// the user's documents folder, else the home folder; never the program's
// working folder, which is the user's only by chance.
QString Default_Folder()
{
    if (!last_folder.isEmpty() && QFileInfo(last_folder).isDir())
        return last_folder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

// Qt sizes the date column for a short American date; the locale's dates
// may be longer, and are cut then: the column takes its dates' width.
void Fit_Date_Column(QFileDialog& dialog)
{
    constexpr int Date_Column = 3;
    if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView")))
        details->header()->setSectionResizeMode(Date_Column, QHeaderView::ResizeToContents);
}

// Asks a dialog shown on the user-interface thread to close, from any thread.
void Reject_Later(const QPointer<QFileDialog>& dialog)
{
    QMetaObject::invokeMethod(
        qApp,
        [dialog] {
            if (dialog)
                dialog->reject();
        },
        Qt::QueuedConnection);
}

} // namespace

bool TOpenDialog::Execute()
{
    if (Modal_Dialogs_Ended())
        return false; // the program is closing
    QFileDialog dialog(nullptr, Qt_String(title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(Saving() ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(Saving() || !options.Contains(ofFileMustExist) ? QFileDialog::AnyFile
                                                                       : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.Contains(ofOverwritePrompt));
    dialog.setDefaultSuffix(Qt_String(default_ext));
    const QStringList filters = Name_Filters(filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        if (filter_index >= 1 && filter_index <= filters.size())
            dialog.selectNameFilter(filters[filter_index - 1]);
    }
    const QFileInfo proposed(Qt_String(file_name));
    if (!initial_dir.empty())
        dialog.setDirectory(Qt_String(initial_dir));
    else if (!file_name.empty() && proposed.path() != QLatin1String("."))
        dialog.setDirectory(proposed.path());
    else
        dialog.setDirectory(Default_Folder());
    if (!file_name.empty())
        dialog.selectFile(proposed.fileName());
    Fit_Date_Column(dialog);

    const QPointer<QFileDialog> guard(&dialog);
    Modal_Dialog_Registration registration(
        Modal_Dialog{0, Dialog_Owner_Thread(), nullptr, "#32770", [guard] { Reject_Later(guard); }});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    file_name = dialog.selectedFiles().constFirst().toStdString();
    last_folder = QFileInfo(Qt_String(file_name)).absolutePath();
    if (!filters.isEmpty())
        filter_index = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    const QString extension = QFileInfo(Qt_String(file_name)).suffix();
    if (!default_ext.empty() && extension.compare(Qt_String(default_ext), Qt::CaseInsensitive) != 0)
        options.Include(ofExtensionDifferent);
    else
        options.Exclude(ofExtensionDifferent);
    return true;
}
