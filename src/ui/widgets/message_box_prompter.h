#pragma once
// The Prompter of the running program: Qt's message boxes, input boxes and file dialogs,
// each titled with the program's title.

#include "ui/prompter.h"

namespace ssq {

class MessageBoxPrompter : public Prompter {
public:
    void message(QWidget* parent, const QString& text, Icon icon = Icon::None) override;
    bool question(QWidget* parent, const QString& text) override;
    std::optional<QString> input(QWidget* parent, const QString& prompt, const QString& title = {},
                                 const QString& initial = {}) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& caption, const QString& filter,
                         const QString& defaultSuffix) override;
};

} // namespace ssq
