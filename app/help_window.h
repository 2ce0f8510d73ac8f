#pragma once

#include <QWidget>

class QTextBrowser;

// The program's help: a window showing the French help document compiled into the program
// (resources/help/aide.html), opened at a named topic, that is an anchor of the document.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // The help document's address.
    static QUrl documentUrl();

    // Shows the window (raising it when already open) at the topic.
    void showTopic(const QString& topic);
    QString currentTopic() const { return topic_; }
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
    QString topic_;
};
