#pragma once

#include "model/list_type_file.h"
#include "model/settings.h"

#include <QDialog>
#include <QString>
#include <array>

class Platform;
class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QSlider;
class QSpinBox;
class QToolButton;
class QPushButton;

// The Options dialog "Paramétrages": every preference of kabiro.ini but the window layout, and
// the list types of the current list file, which can be deleted here.
//
// It reads kabiro.ini of the working directory as it is when the dialog opens (missing keys show
// the dialog's defaults) and shows the euro rate the main window holds. OK writes every key in
// one go and closes the dialog accepted; settings() then gives what the main window must apply.
// Cancel writes nothing. A deleted list type is gone at once, whatever the dialog's end.
class Tfrm_param : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 451;
    static constexpr int kHeight = 388;

    // `listFileName` is the current list file as the main window shows it; `directory` the
    // dialog's directory, the working directory when empty.
    Tfrm_param(Platform& platform, double euroRate, const QString& listFileName,
               QWidget* parent = nullptr, const QString& directory = QString());

    // The settings shown by the controls (after OK: the ones written).
    AppSettings settings() const;
    const QString& directory() const { return directory_; }
    QString settingsPath() const;
    QString listTypePath() const { return listTypes_.path(); }

signals:
    // A list type was deleted: the main window removes its menu entries of that exact caption.
    void listTypeDeleted(const QString& name);

public slots:
    void TrackBar1Change(int position);
    void chk_box_editionClick();
    // The six colour buttons: 1 Edit1, 2 Edit2, 3 Edit3, 4 edt_pnl1, 5 edt_pnl2, 6 edt_pnl3.
    void spdbtn_colorClick(int number);
    void SpeedButton1Click(); // delete the selected list type
    void BitBtn2Click();      // OK

private:
    void buildControls();
    void FormCreate(const AppSettings& s, const QString& listFileName);
    QLineEdit* colourField(int number) const;

    Platform& platform_;
    QString directory_;
    ListTypeFile listTypes_;

    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QCheckBox* chk_box_edition = nullptr;
    QRadioButton* rdb_edit_txt = nullptr;
    QRadioButton* rdb_edit_htm = nullptr;
    QCheckBox* CheckBox6 = nullptr;
    QCheckBox* CheckBox7 = nullptr;
    QDoubleSpinBox* valeuroEdit = nullptr;
    QSpinBox* SpinEdit2 = nullptr;
    QSlider* TrackBar1 = nullptr;
    QLabel* Label6 = nullptr;
    std::array<QLineEdit*, 3> edt_pnl{};
    QLineEdit* Edit6 = nullptr;
    std::array<QLineEdit*, 3> Edit{}; // Edit1..Edit3
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QRadioButton* portrait = nullptr;
    QRadioButton* landscape = nullptr;
    QLabel* Label14 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};
