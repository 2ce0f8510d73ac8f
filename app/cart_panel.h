#pragma once

#include <QColor>
#include <QFrame>
#include <array>

class QLabel;
class QPushButton;

// The cart panel between the catalogue and the list (Panel9): the three colour panels that
// move their products in a block, the trolley, and the buttons that move one product, empty
// the list, validate it and print it. It tells what the user did; the window decides. The
// colour panels and the trolley are also drag sources and drop targets, which DragGesture
// handles with those of the grids.
class CartPanel : public QFrame {
    Q_OBJECT
public:
    explicit CartPanel(QWidget* parent = nullptr);

    // The colour panels by index: 0 cpanel1 "Prévu", 1 cpanel2 "Rappel", 2 cpanel3
    // "Rappel(+)"; their colours are those of the products' states.
    QLabel* statePanel(size_t index) const { return panels_[index]; }
    QColor stateColour(size_t index) const;
    QLabel* trolley() const { return trolley_; } // image_chariot
    // A panel shows pressed while the pointer holds it.
    void setPanelSunken(QLabel* panel, bool sunken);
    void raisePanels();

signals:
    void addClicked();      // SpeedButton2 ">"
    void removeClicked();   // spd_btn_retire "<"
    void emptyClicked();    // SpeedButton3 "Annule"
    void validateClicked(); // spd_btn_valide "Valide"
    void printClicked();    // SpeedButton4 "Liste"
    // A double click on a colour panel, by its tag (1 to 3).
    void panelDoubleClicked(int tag);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<QLabel*, 3> panels_{};
    QLabel* trolley_ = nullptr;
};
