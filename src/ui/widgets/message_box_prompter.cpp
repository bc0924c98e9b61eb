#include "ui/widgets/message_box_prompter.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QIdentityProxyModel>
#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>
#include <QSpacerItem>

using namespace Qt::StringLiterals;

namespace ssq {

namespace {

Prompter* g_installed = nullptr;

QMessageBox::Icon boxIcon(Prompter::Icon icon) {
    switch (icon) {
    case Prompter::Icon::Information:
        return QMessageBox::Information;
    case Prompter::Icon::Warning:
        return QMessageBox::Warning;
    case Prompter::Icon::Critical:
        return QMessageBox::Critical;
    case Prompter::Icon::Question:
        return QMessageBox::Question;
    case Prompter::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The file list of Qt's own file dialog with the program's Chinese: Qt's model names a folder
// "Folder" where its translations lack the text, and dates the files in the desktop's locale.
class ChineseFileColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (files && role == Qt::DisplayRole && index.isValid()) {
            const QModelIndex source = mapToSource(index);
            if (index.column() == kTypeColumn && files->isDir(source))
                return u"文件夹"_s;
            if (index.column() == kDateColumn)
                return QLocale().toString(files->lastModified(source), u"yyyy/M/d HH:mm"_s);
        }
        return QIdentityProxyModel::data(index, role);
    }

private:
    static constexpr int kTypeColumn = 2;
    static constexpr int kDateColumn = 3;
};

// Qt's own dialog rather than the desktop's: the desktop's speaks the desktop's language,
// Qt's speaks the program's translations and locale. The default suffix is added before the
// dialog asks whether to replace an existing file, so the question sees the final name.
QString askFileName(QWidget* parent, const QString& caption, const QString& filter,
                    QFileDialog::AcceptMode mode, const QString& defaultSuffix) {
    QFileDialog dialog(parent, caption, {}, filter);
    dialog.setObjectName(u"ssqFileDialog"_s);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setProxyModel(new ChineseFileColumns(&dialog));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

// A message box wide enough for its title: a narrow box gets its title cut by the window
// manager ("R...ko"). The title bar's buttons take about as much again as the title.
void fitTitle(QMessageBox& box) {
    const int wanted = box.fontMetrics().horizontalAdvance(box.windowTitle()) * 2 + 160;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace

QString programTitle() {
    return u"Ravelko"_s;
}

QString askSavePath(QWidget* parent, const QString& caption, const QString& filter,
                    const QString& extension, const QString& appended) {
    const QString added = appended.isEmpty() ? extension : appended;
    const QString chosen = prompter().saveFileName(parent, caption, filter, added.mid(1));
    if (chosen.isEmpty() || chosen.endsWith(extension, Qt::CaseInsensitive))
        return chosen;
    return confirmChangedSavePath(parent, chosen, chosen + added);
}

QString confirmChangedSavePath(QWidget* parent, const QString& chosen, const QString& path) {
    if (path == chosen || !QFileInfo::exists(path))
        return path;
    if (!prompter().question(
            parent, u"文件“%1”已经存在。要替换它吗？"_s.arg(QDir::toNativeSeparators(path))))
        return {};
    return path;
}

Prompter& prompter() {
    static MessageBoxPrompter qtPrompter;
    return g_installed ? *g_installed : qtPrompter;
}

void setPrompter(Prompter* p) {
    g_installed = p;
}

void MessageBoxPrompter::message(QWidget* parent, const QString& text, Icon icon) {
    QMessageBox box(boxIcon(icon), programTitle(), text, QMessageBox::Ok, parent);
    fitTitle(box);
    box.exec();
}

bool MessageBoxPrompter::question(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, programTitle(), text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    fitTitle(box);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> MessageBoxPrompter::input(QWidget* parent, const QString& prompt,
                                                 const QString& title, const QString& initial) {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title.isEmpty() ? programTitle() : title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initial);
    dialog.setMinimumWidth(dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()) * 2 + 160);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QString MessageBoxPrompter::openFileName(QWidget* parent, const QString& caption,
                                         const QString& filter) {
    return askFileName(parent, caption, filter, QFileDialog::AcceptOpen, {});
}

QString MessageBoxPrompter::saveFileName(QWidget* parent, const QString& caption,
                                         const QString& filter, const QString& defaultSuffix) {
    return askFileName(parent, caption, filter, QFileDialog::AcceptSave, defaultSuffix);
}

} // namespace ssq
