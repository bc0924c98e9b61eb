#include "support/scripted_prompter.h"

namespace ssq::test {

ScriptedPrompter::ScriptedPrompter() {
    setPrompter(this);
}

ScriptedPrompter::~ScriptedPrompter() {
    setPrompter(nullptr);
}

QStringList ScriptedPrompter::messageTexts() const {
    QStringList texts;
    for (const Message& m : m_messages)
        texts.append(m.text);
    return texts;
}

void ScriptedPrompter::clear() {
    m_messages.clear();
    m_questions.clear();
    m_unanswered.clear();
}

void ScriptedPrompter::message(QWidget*, const QString& text, Icon icon) {
    m_messages.append({text, icon});
}

bool ScriptedPrompter::question(QWidget*, const QString& text) {
    m_questions.append(text);
    if (m_questionAnswers.isEmpty()) {
        m_unanswered.append(text);
        return false;
    }
    return m_questionAnswers.takeFirst();
}

std::optional<QString> ScriptedPrompter::input(QWidget*, const QString& prompt, const QString&,
                                               const QString&) {
    m_questions.append(prompt);
    if (m_inputAnswers.isEmpty()) {
        m_unanswered.append(prompt);
        return std::nullopt;
    }
    return m_inputAnswers.takeFirst();
}

QString ScriptedPrompter::openFileName(QWidget*, const QString& caption, const QString&) {
    return nextFileName(caption);
}

QString ScriptedPrompter::saveFileName(QWidget*, const QString& caption, const QString&) {
    return nextFileName(caption);
}

QString ScriptedPrompter::nextFileName(const QString& caption) {
    m_questions.append(caption);
    if (m_fileAnswers.isEmpty()) {
        m_unanswered.append(caption);
        return {};
    }
    return m_fileAnswers.takeFirst();
}

} // namespace ssq::test
