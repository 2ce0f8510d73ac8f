#pragma once

class QSplitter;
class QWidget;

// The widths the user gives the main window's splitters: the left part beside the cart and the
// list, the sector view beside the catalogue. They are kept while the window is not on screen
// (splitters only share out space they have) and while the sector view is hidden, and given to
// the splitters as soon as they can take them.
class SplitterWidths {
public:
    // `outer` splits `left` from the rest; `inner`, inside `left`, splits `tree` from the rest.
    SplitterWidths(const QWidget& window, QSplitter& outer, QWidget& left, QSplitter& inner,
                   QWidget& tree);

    int left() const;
    int tree() const;
    void setLeft(int width);
    void setTree(int width);
    // Gives the widths to the splitters, or keeps them for when the window is on screen.
    void apply();
    bool pending() const { return pending_; }
    // Before the sector view hides: its width is kept for when it shows again.
    void keepTree() { tree_ = tree(); }

private:
    const QWidget& window_;
    QSplitter& outer_;
    QWidget& leftPart_;
    QSplitter& inner_;
    QWidget& treePart_;
    int left_ = 260; // while the window is not on screen
    int tree_ = 76;  // also while the sector view is hidden
    bool pending_ = true;
};
