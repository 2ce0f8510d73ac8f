#include "app/help_window.h"

#include "resources/pictures.h"
#include "resources/resources.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    kabiroInitResources();
    setObjectName(QStringLiteral("frm_aide"));
    // Closing the main window ends the program even while the help is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Aide de Paniva"));
    setWindowIcon(pictures::windowIcon());
    resize(640, 560);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("brw_aide"));
    // Links to other sites go to the desktop's browser; links inside the document stay here.
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({QStringLiteral(":/help")});

    auto* back = new QPushButton(QStringLiteral("< &Précédent"), this);
    back->setObjectName(QStringLiteral("btn_precedent"));
    auto* contents = new QPushButton(QStringLiteral("&Sommaire"), this);
    contents->setObjectName(QStringLiteral("btn_sommaire"));
    auto* close = new QPushButton(QStringLiteral("&Fermer"), this);
    close->setObjectName(QStringLiteral("btn_fermer"));
    back->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(contents, &QPushButton::clicked, this,
            [this] { showTopic(QStringLiteral("Sommaire")); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(contents);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);
}

QUrl HelpWindow::documentUrl() {
    return QUrl(QStringLiteral("qrc:/help/aide.html"));
}

void HelpWindow::showTopic(const QString& topic) {
    topic_ = topic;
    QUrl url = documentUrl();
    url.setFragment(topic);
    browser_->setSource(url);
    browser_->scrollToAnchor(topic);
    show();
    raise();
    activateWindow();
}
