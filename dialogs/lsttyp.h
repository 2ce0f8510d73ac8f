#pragma once

#include "model/list_type_file.h"
#include "model/list_types.h"

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class ShoppingData;

// The box shown when a list type is applied, titled with its name. The first time it becomes
// active it puts the list type's products on the shopping list (one unit each, through the
// add step given) and shows how many were added; later activations add nothing. "Ok" closes it
// accepted (the main window then checks the menu entry), the close box rejected.
class Tfrm_liste : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 229;
    static constexpr int kHeight = 84;

    Tfrm_liste(const QString& name, ShoppingData& data, const QString& listTypePath,
               listtypes::AddCurrent add, QWidget* parent = nullptr);

    bool applied() const { return applied_; }
    int addedCount() const { return count_; }

public slots:
    void FormActivate();

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    QString name_;
    ShoppingData& data_;
    ListTypeFile file_;
    listtypes::AddCurrent add_;
    bool applied_ = false;
    int count_ = 0;

    QLabel* Label2 = nullptr;
    QPushButton* Button1 = nullptr;
};
