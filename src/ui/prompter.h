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
    // `defaultSuffix` ("txt", "ssqpanel.json") is added by the dialog itself to a name typed
    // without one, so its question about replacing a file sees the name that will be written.
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& filter,
                                 const QString& defaultSuffix) = 0;
};

// Asks where to save; a name that does not end in `extension` (".png") gets `appended` added, or
// the extension itself when none is given. Empty when cancelled, or when the name became one of
// an existing file and the user would not replace it.
QString askSavePath(QWidget* parent, const QString& caption, const QString& filter,
                    const QString& extension, const QString& appended = {});

// `path` is the name the dialog returned (`chosen`) with an extension added after it: when a file
// of that name exists, which the dialog never asked about, the user is asked whether to replace
// it. `path`, or empty when they say no.
QString confirmChangedSavePath(QWidget* parent, const QString& chosen, const QString& path);

// The program's message-box title.
QString programTitle();

// The prompter in use: the Qt dialogs unless a test installed another one.
Prompter& prompter();
// Installs `p` (not owned); nullptr restores the Qt dialogs.
void setPrompter(Prompter* p);

} // namespace ssq
