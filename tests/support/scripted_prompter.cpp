#include "support/scripted_prompter.h"

#include <QFileInfo>

namespace ssq::test {

void ScriptedPrompter::clear() {
    m_messages.clear();
    m_questions.clear();
}

void ScriptedPrompter::message(QWidget*, const QString& text, Icon) {
    m_messages.append(text);
}

bool ScriptedPrompter::question(QWidget*, const QString& text) {
    m_questions.append(text);
    return !m_questionAnswers.isEmpty() && m_questionAnswers.takeFirst();
}

std::optional<QString> ScriptedPrompter::input(QWidget*, const QString& prompt, const QString&,
                                               const QString&) {
    m_questions.append(prompt);
    return m_inputAnswers.isEmpty() ? std::nullopt : m_inputAnswers.takeFirst();
}

QString ScriptedPrompter::openFileName(QWidget*, const QString& caption, const QString&) {
    return nextFileName(caption);
}

QString ScriptedPrompter::saveFileName(QWidget*, const QString& caption, const QString&,
                                       const QString& defaultSuffix) {
    m_saveSuffixes.append(defaultSuffix);
    const QString typed = nextFileName(caption);
    if (typed.isEmpty() || defaultSuffix.isEmpty() || !QFileInfo(typed).suffix().isEmpty())
        return typed;
    return typed + u'.' + defaultSuffix;
}

QString ScriptedPrompter::nextFileName(const QString& caption) {
    m_questions.append(caption);
    return m_fileAnswers.isEmpty() ? QString() : m_fileAnswers.takeFirst();
}

} // namespace ssq::test
