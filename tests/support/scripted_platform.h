#pragma once

#include "model/platform.h"

#include <QDate>
#include <QList>
#include <QQueue>
#include <QString>
#include <functional>
#include <optional>

// A platform for tests: answers from a script, records what was asked, keeps its own today.
class ScriptedPlatform : public Platform {
public:
    ScriptedPlatform();

    // --- scripting
    // Answers for the next message boxes, in order. When none is queued, the box's default
    // button is the answer.
    void answer(Button b) { answers.enqueue(b); }
    // Answers for the next open and save dialogs: a path, or nothing for cancel.
    void openAnswer(std::optional<QString> path) { openAnswers.enqueue(path); }
    void saveAnswer(std::optional<QString> path) { saveAnswers.enqueue(path); }
    void colorAnswer(std::optional<quint32> c) { colorAnswers.enqueue(c); }
    // Run while a message box is up, to do what a real box does meanwhile (take the focus,
    // receive keys).
    std::function<void(const Message&)> whileMessage;

    // --- records
    QList<Message> messages;
    QList<FileDialog> openDialogs;
    QList<FileDialog> saveDialogs;
    QStringList opened; // shellOpen targets
    QStringList helpTopics;
    int beeps = 0;
    QList<QList<quint32>> colorCustoms;
    Message lastMessage() const { return messages.isEmpty() ? Message{} : messages.last(); }

    QDate day;
    RegionalSettings regionalSettings;

    // --- Platform
    Button message(const Message& m) override;
    std::optional<QString> openFileName(const FileDialog& d) override;
    std::optional<QString> saveFileName(const FileDialog& d) override;
    bool shellOpen(const QString& target) override;
    void showHelp(const QString& topic) override;
    void beep() override { ++beeps; }
    QDate today() override { return day; }
    RegionalSettings regional() override { return regionalSettings; }
    std::optional<quint32> chooseColor(quint32 initial, const QList<quint32>& custom) override;

private:
    QQueue<Button> answers;
    QQueue<std::optional<QString>> openAnswers;
    QQueue<std::optional<QString>> saveAnswers;
    QQueue<std::optional<quint32>> colorAnswers;
};
