#pragma once

#include <QDialog>
#include <functional>

class Platform;
class QLineEdit;
class QPushButton;
class QToolButton;
class ShoppingData;

// "Requêtes globales": changes applied at once to every planned product of the catalogue as
// the main window shows it (planned flags, reminders, due dates, prices). The dialog itself
// keeps no copy: the undo of Cancel is the caller's, by reading the list file back.
class Tfrm_requete : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 371;
    static constexpr int kHeight = 255;

    // The euro rate and the tolerance (Coef_delai) as the main window holds them;
    // `recomputeTotal` runs after prices changed.
    Tfrm_requete(ShoppingData& data, Platform& platform, double euroRate, int coefDelai,
                 std::function<void()> recomputeTotal, QWidget* parent = nullptr);

public slots:
    // Shared handlers; each reads the "tag" property of the button that was pressed.
    void SpeedButton1Click(); // 1 select all, 2 deselect all
    void SpeedButton7Click(); // 1 reminder on, 2 reminder off
    void SpeedButton3Click(); // 1 due today, 2 due within the tolerance
    void SpeedButton5Click(); // 1 divide by the euro rate, 3 multiply by Edit1

private:
    int senderTag() const;
    void select(int tag);
    void reminder(int tag);
    void dueDate(int tag);
    void price(int tag);

    ShoppingData& data_;
    Platform& platform_;
    double euroRate_;
    int coefDelai_;
    std::function<void()> recomputeTotal_;

    QLineEdit* Edit1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};
