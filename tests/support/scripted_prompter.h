#pragma once
// A Prompter for window tests: records every message, question, input prompt and file dialog,
// and answers input boxes and file dialogs from queues filled by the test. Installs itself while
// it lives.

#include "ui/prompter.h"

#include <QList>
#include <QStringList>

#include <optional>

namespace ssq::test {

class ScriptedPrompter : public Prompter {
public:
    ScriptedPrompter() { setPrompter(this); }
    ~ScriptedPrompter() override { setPrompter(nullptr); }
    ScriptedPrompter(const ScriptedPrompter&) = delete;
    ScriptedPrompter& operator=(const ScriptedPrompter&) = delete;

    // Answers, used in order. A question with no answer left gets No; an input box or dialog
    // with no answer left is cancelled.
    void answerQuestion(bool yes) { m_questionAnswers.append(yes); }
    void answerInput(std::optional<QString> text) { m_inputAnswers.append(text); }
    void answerFileName(const QString& path) { m_fileAnswers.append(path); }

    const QStringList& messageTexts() const { return m_messages; }
    // Every question text, input prompt and dialog caption, in order.
    const QStringList& questions() const { return m_questions; }
    void clear();

    void message(QWidget* parent, const QString& text, Icon icon = Icon::None) override;
    bool question(QWidget* parent, const QString& text) override;
    std::optional<QString> input(QWidget* parent, const QString& prompt, const QString& title = {},
                                 const QString& initial = {}) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& filter) override;
    // The answer is the name as typed; the default suffix is added as the dialog would (to a name
    // with no suffix) and recorded in saveSuffixes().
    QString saveFileName(QWidget* parent, const QString& caption, const QString& filter,
                         const QString& defaultSuffix) override;
    const QStringList& saveSuffixes() const { return m_saveSuffixes; }

private:
    QString nextFileName(const QString& caption);

    QStringList m_messages;
    QStringList m_questions;
    QList<bool> m_questionAnswers;
    QList<std::optional<QString>> m_inputAnswers;
    QStringList m_fileAnswers;
    QStringList m_saveSuffixes;
};

} // namespace ssq::test
