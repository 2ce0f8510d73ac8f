#pragma once

#include <QDialog>

class Platform;
class QFrame;
class QLabel;
class QPushButton;

// The small borderless box shown as the start-up box (tag 0) while the main window is being
// created, and as the About box (tag 1) with an e-mail link, a web link and an OK button.
class Tfrm_spash : public QDialog {
    Q_OBJECT
public:
    enum Tag { StartUp = 0, About = 1 };

    static constexpr int kWidth = 270;
    static constexpr int kStartUpHeight = 101;
    static constexpr int kAboutHeight = 145;

    // The platform opens the links; the start-up box, which shows none, may go without it.
    Tfrm_spash(int tag, Platform* platform, QWidget* parent = nullptr);

    int tag() const { return tag_; }

    // The author's addresses, shown by the links and by the toolbar's e-mail button.
    static QString emailAddress();
    static QString webAddress();
    static QString authorLine();
    static QString emailSubject(); // "A propos du logiciel Ma Paniva"
    // "mailto:" + address + "?subject=" + subject, percent-encoded.
    static QString mailtoUrl(const QString& address);

public slots:
    void Label3Click(); // e-mail link
    void Label4Click(); // web link

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void turnRed(QLabel* link);

    int tag_;
    Platform* platform_;
    QFrame* Panel1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};
