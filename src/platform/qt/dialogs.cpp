// Message boxes and the open-file dialog.
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSortFilterProxyModel>

#include "platform/qt/qt_platform.h"
#include "platform/qt/widgets.h"

namespace qtb {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QMessageBox::Icon BoxIcon(UINT type) {
    switch (type & 0xF0) {
        case plat::MB_ICONSTOP:
            return QMessageBox::Critical;
        case plat::MB_ICONQUESTION:
            return QMessageBox::Question;
        case plat::MB_ICONWARNING:
            return QMessageBox::Warning;
        case plat::MB_ICONINFORMATION:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons ButtonsOf(UINT type) {
    switch (type & 0x0F) {
        case plat::MB_OKCANCEL:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case plat::MB_YESNO:
            return QMessageBox::Yes | QMessageBox::No;
        default:
            return QMessageBox::Ok;
    }
}

int IdOf(int button) {
    switch (button) {
        case QMessageBox::Cancel:
            return plat::IDCANCEL;
        case QMessageBox::Yes:
            return plat::IDYES;
        case QMessageBox::No:
            return plat::IDNO;
        default:
            return plat::IDOK;
    }
}

// Programs have no name extension here: the filter for Windows programs (*.exe) shows
// the files that may be run.
constexpr char kProgramPattern[] = "*.exe";

class ProgramsOnly final : public QSortFilterProxyModel {
  public:
    bool active = false;

  protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        if (!active) return true;
        auto* files = dynamic_cast<QFileSystemModel*>(sourceModel());
        if (!files) return true;
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        return info.isDir() || info.isExecutable();
    }
};

struct Filters {
    QStringList names;
    QString programs;  // the name standing for kProgramPattern, if any
};

// A description that ends in its own list of patterns, as Windows filters often do
// ("Playlists (*.m3u, *.pls)"), without that list: Qt adds the list it filters by.
QString WithoutPatterns(const QString& description) {
    const qsizetype open = description.lastIndexOf(" (");
    if (open < 0 || !description.endsWith(')')) return description;
    const QString inside = description.mid(open + 2, description.size() - open - 3);
    const QStringList words = inside.split(QRegularExpression("[,; ]+"), Qt::SkipEmptyParts);
    if (words.isEmpty()) return description;
    for (const QString& word : words)
        if (!word.contains('*') && !word.contains('?')) return description;
    return description.left(open);
}

// "Applications|*.exe|All Files|*.*" as Qt writes filters: "Applications (*)", one
// list of patterns to each.
Filters FiltersOf(const std::string& filter) {
    Filters out;
    const QStringList parts = Q(filter).split('|');
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        const bool programs = pattern == kProgramPattern;
        pattern.replace(kProgramPattern, "*").replace("*.*", "*").replace(';', ' ');
        out.names << WithoutPatterns(parts[i]) + " (" + pattern + ")";
        if (programs) out.programs = out.names.back();
    }
    return out;
}

}  // namespace

// The window a box belongs to, so that the desktop keeps it above that window and
// places it there: the owner's window while it shows, else the program's active one.
// Only as its transient parent, not its parent widget: a window that goes while the box
// is open would take the box with it.
void QtPlatform::BelongTo(QWidget& box, HWND owner) {
    Window* w = windows_.Find(owner);
    QWidget* widget = w && w->widget ? w->widget->window() : nullptr;
    if (!widget || !widget->isVisible()) widget = QApplication::activeWindow();
    if (widget) SetOwner(box, widget);
}

int QtPlatform::MessageBoxA(HWND owner, const std::string& text, const std::string& caption,
                            UINT type) {
    QMessageBox box(BoxIcon(type), Q(caption), Q(text), ButtonsOf(type));
    BelongTo(box, owner);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    return IdOf(box.exec());
}

namespace {

// What both file dialogs take from the request: Qt's own dialog on every desktop (so
// that the programs filter works everywhere), the folder and the filters. A folder that
// is not there on this system (a Windows path) gives the place where the files of the
// first filter are: programs in /usr/bin, others in the home folder.
void Prepare(QFileDialog& dialog, const plat::OpenFileRequest& request) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const Filters filters = FiltersOf(request.filter);
    const bool programsFirst =
        !filters.names.isEmpty() && filters.names.first() == filters.programs;
    const QString dir = Q(request.initialDir);
    dialog.setDirectory(!dir.isEmpty() && QDir(dir).exists() ? dir
                        : programsFirst                      ? QString("/usr/bin")
                                                             : QDir::homePath());
    auto* proxy = new ProgramsOnly;  // the dialog owns it
    dialog.setProxyModel(proxy);
    if (!filters.names.isEmpty()) {
        dialog.setNameFilters(filters.names);
        proxy->active = programsFirst;
        QObject::connect(&dialog, &QFileDialog::filterSelected, proxy,
                         [proxy, filters](const QString& chosen) {
                             proxy->active = chosen == filters.programs;
                             proxy->invalidate();
                         });
    }
    if (!request.fileName.empty()) dialog.selectFile(Q(request.fileName));
}

bool Run(QFileDialog& dialog, plat::OpenFileRequest& request) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    request.fileName = QDir::toNativeSeparators(dialog.selectedFiles().first()).toStdString();
    return true;
}

}  // namespace

bool QtPlatform::GetOpenFileNameA(plat::OpenFileRequest& request) {
    QFileDialog dialog(nullptr, Q(request.title));
    BelongTo(dialog, request.owner);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    Prepare(dialog, request);
    return Run(dialog, request);
}

// Qt's dialog asks before an existing file is replaced.
bool QtPlatform::GetSaveFileNameA(plat::OpenFileRequest& request) {
    QFileDialog dialog(nullptr, Q(request.title));
    BelongTo(dialog, request.owner);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(Q(request.defaultExt));
    Prepare(dialog, request);
    return Run(dialog, request);
}

}  // namespace qtb
