#pragma once
// Every message box, question, input box and file dialog goes through a Prompter, so window
// tests can install a scripted one, answer every question and read every message.

#include <QString>

#include <optional>

class QWidget;

namespace ssq {

class Prompter {
public:
    enum class Icon { None, Information, Warning, Critical, Question };

    virtual ~Prompter() = default;

    // A message box with an OK button, titled with the program's title.
    virtual void message(QWidget* parent, const QString& text, Icon icon = Icon::None) = 0;
    // A Yes/No question; true for Yes.
    virtual bool question(QWidget* parent, const QString& text) = 0;
    // An input box; nullopt when cancelled.
    virtual std::optional<QString> input(QWidget* parent, const QString& prompt,
                                         const QString& title = {},
                                         const QString& initial = {}) = 0;
    // File dialogs; an empty string when cancelled.
    virtual QString openFileName(QWidget* parent, const QString& caption,
                                 const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& caption,
                                 const QString& filter) = 0;
};

// Asks where to save; a name that does not end in `extension` (".png") gets `appended` added, or
// the extension itself when none is given. Empty when cancelled.
QString askSavePath(QWidget* parent, const QString& caption, const QString& filter,
                    const QString& extension, const QString& appended = {});

// The program's message-box title.
QString programTitle();

// The prompter in use: the Qt dialogs unless a test installed another one.
Prompter& prompter();
// Installs `p` (not owned); nullptr restores the Qt dialogs.
void setPrompter(Prompter* p);

} // namespace ssq
