#include "scripted_platform.h"

ScriptedPlatform::ScriptedPlatform()
    : day(2026, 12, 9), regionalSettings(RegionalSettings::french()) {}

Platform::Button ScriptedPlatform::message(const Message& m) {
    messages << m;
    if (whileMessage)
        whileMessage(m);
    if (!answers.isEmpty())
        return answers.dequeue();
    return m.defaultButton;
}

std::optional<QString> ScriptedPlatform::openFileName(const FileDialog& d) {
    openDialogs << d;
    if (!openAnswers.isEmpty())
        return openAnswers.dequeue();
    return std::nullopt;
}

std::optional<QString> ScriptedPlatform::saveFileName(const FileDialog& d) {
    saveDialogs << d;
    if (!saveAnswers.isEmpty())
        return saveAnswers.dequeue();
    return std::nullopt;
}

bool ScriptedPlatform::shellOpen(const QString& target) {
    opened << target;
    return true;
}

void ScriptedPlatform::showHelp(const QString& topic) {
    helpTopics << topic;
}

std::optional<quint32> ScriptedPlatform::chooseColor(quint32, const QList<quint32>& custom) {
    colorCustoms << custom;
    if (!colorAnswers.isEmpty())
        return colorAnswers.dequeue();
    return std::nullopt;
}
