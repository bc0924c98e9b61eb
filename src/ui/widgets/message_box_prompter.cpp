#include "ui/widgets/message_box_prompter.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

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
    box.exec();
}

bool MessageBoxPrompter::question(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, programTitle(), text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> MessageBoxPrompter::input(QWidget* parent, const QString& prompt,
                                                 const QString& title, const QString& initial) {
    bool ok = false;
    const QString text = QInputDialog::getText(parent, title.isEmpty() ? programTitle() : title,
                                               prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString MessageBoxPrompter::openFileName(QWidget* parent, const QString& caption,
                                         const QString& filter) {
    return QFileDialog::getOpenFileName(parent, caption, {}, filter);
}

QString MessageBoxPrompter::saveFileName(QWidget* parent, const QString& caption,
                                         const QString& filter, const QString& defaultSuffix) {
    // A dialog of its own rather than getSaveFileName, which has no default suffix.
    QFileDialog dialog(parent, caption, {}, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace ssq
