#include "dialogs/saiprod.h"

#include "dialogs/calc_edit.h"
#include "dialogs/readable_colours.h"
#include "model/platform.h"
#include "model/text_compare.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <algorithm>

using product_edit::FormField;

namespace {

// A shopping basket with a loaf and leaves sticking out.
QPixmap basketPicture() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // handle
    p.setPen(QPen(QColor(120, 72, 30), 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(7, 2, 18, 22), 0, 180 * 16);
    // loaf and leaves
    p.setPen(QPen(QColor(150, 95, 30), 1));
    p.setBrush(QColor(230, 170, 80));
    p.drawRoundedRect(QRectF(6, 7, 7, 10), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 150, 60));
    p.drawEllipse(QRectF(15, 8, 6, 8));
    p.drawEllipse(QRectF(19, 9, 6, 7));
    // basket
    QPainterPath body;
    body.moveTo(3, 14);
    body.lineTo(29, 14);
    body.lineTo(25, 29);
    body.lineTo(7, 29);
    body.closeSubpath();
    p.setPen(QPen(QColor(110, 65, 25), 1));
    p.setBrush(QColor(200, 140, 70));
    p.drawPath(body);
    p.setPen(QPen(QColor(140, 88, 38), 1));
    for (int y = 18; y <= 26; y += 4)
        p.drawLine(QPointF(4 + (y - 14) * 0.27, y), QPointF(28 - (y - 14) * 0.27, y));
    for (int x = 10; x <= 22; x += 4)
        p.drawLine(QPointF(x, 15), QPointF(x + (x < 16 ? 1 : -1), 28));
    p.setPen(QPen(QColor(110, 65, 25), 2));
    p.drawLine(QPointF(2, 14), QPointF(30, 14));
    return pm;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, QRect place,
              Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(place);
    l->setAlignment(align);
    return l;
}

// Sorted like the lists of the original dialog (without case), each text once.
QStringList sortedNames(QStringList names) {
    std::stable_sort(names.begin(), names.end(),
                     [](const QString& a, const QString& b) { return text::lessNoCase(a, b); });
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

void setupNameBox(QComboBox* box, int width) {
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    // The text is kept as typed: no completion that would change it to a list item's case.
    box->setCompleter(nullptr);
    box->lineEdit()->setMaxLength(width);
}

} // namespace

Tfrm_saiprod::Tfrm_saiprod(const ProductDialogInput& input, Platform& platform, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      platform_(platform), tree_(input.tree), checks_(input.checks) {
    setObjectName(QStringLiteral("frm_saiprod"));
    readable::mendSelection(this);
    setWindowTitle(QString::fromUtf8("Définition d'un nouveau produit "));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(12);
    setFont(f);
    setLocale(input.locale);
    setFixedSize(kWidth, kHeight);
    buildControls();
    FormCreate(input);

    // Titles chosen by the user in the main window.
    Label1->setText(input.sectorTitle);
    Label5->setText(input.aisleTitle);
    Label2->setText(input.productTitle);

    int period = input.defaultPeriod;
    if (input.edited) {
        const ProductDialogInput::Edited& e = *input.edited;
        setWindowTitle(QStringLiteral("Correction d'un produit"));
        Edit1->setText(e.product);
        Label6->setText(QString::number(e.id));
        RxCalcEdit1->setValue(e.price);
        CheckBox1->setChecked(e.reminder);
        period = e.period;
    } else {
        Edit1->setText(QStringLiteral("?"));
    }
    // A period outside the accepted range is shown as it is, and OK then says what is wrong,
    // rather than being silently changed.
    SpinEdit1->setRange(std::min(0, period), std::max(product_edit::kMaxPeriod, period));
    SpinEdit1->setValue(period);

    Edit1Change();
    connect(Edit1, &QLineEdit::textChanged, this, &Tfrm_saiprod::Edit1Change);
    connect(ComboBox2, &QComboBox::currentTextChanged, this, &Tfrm_saiprod::ComboBox2Change);
    connect(BitBtn2, &QPushButton::clicked, this, &Tfrm_saiprod::BitBtn2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);

    Edit1->setFocus();
    Edit1->selectAll();
}

void Tfrm_saiprod::buildControls() {
    auto* Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(6, 6, 32, 32);
    Image1->setPixmap(basketPicture());

    auto* Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setGeometry(83, 6, 5, kHeight - 12);
    Bevel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Bevel1->setLineWidth(1);

    constexpr int x = 94, w = kWidth - x - 6, h = 22;
    Label2 = label(this, "Label2", QStringLiteral("Produit"), QRect(40, 8, 38, h));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(x, 8, w, h);
    Edit1->setMaxLength(product_edit::kProductWidth);

    Label5 = label(this, "Label5", QStringLiteral("Rayon"), QRect(4, 38, 74, h));
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setGeometry(x, 38, w, h);
    setupNameBox(ComboBox2, product_edit::kAisleWidth);
    QString hint = QString::fromUtf8("C'est seulement si vous \r\ndésignez un nouveau rayon\r\nque "
                                     "vous pourrez désigner \r\nun  nouveau secteur");
    ComboBox2->setToolTip(hint.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

    Label1 = label(this, "Label1", QStringLiteral("Secteur"), QRect(4, 68, 74, h));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setGeometry(x, 68, w, h);
    setupNameBox(ComboBox1, product_edit::kSectorWidth);
    ComboBox1->setEnabled(false);

    Label4 = label(this, "Label4", QStringLiteral("Prix "), QRect(4, 98, 74, h));
    RxCalcEdit1 = new CalcEdit(this);
    RxCalcEdit1->setObjectName(QStringLiteral("RxCalcEdit1"));
    RxCalcEdit1->setGeometry(x, 98, 104, h);
    Label3 = label(this, "Label3", QStringLiteral("unite"), QRect(x + 108, 98, w - 108, h),
                   Qt::AlignLeft | Qt::AlignVCenter);

    CheckBox1 = new QCheckBox(QString::fromUtf8("A rappeler après "), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(x, 128, 112, h);
    CheckBox1->setChecked(false);
    SpinEdit1 = new QSpinBox(this);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setGeometry(x + 112, 128, w - 112, h);
    SpinEdit1->setRange(0, product_edit::kMaxPeriod);
    SpinEdit1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    BitBtn1 = new QPushButton(QStringLiteral("Annuler"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    BitBtn1->setGeometry(x, 162, (w - 6) / 2, 26);
    BitBtn2 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtn2->setGeometry(x + (w - 6) / 2 + 6, 162, (w - 6) / 2, 26);
    BitBtn2->setDefault(true);
    BitBtn2->setEnabled(false);

    Label6 = label(this, "Label6", QStringLiteral("id_prod"), QRect(6, 170, 74, 14),
                   Qt::AlignLeft | Qt::AlignVCenter);

    // Each field is named by its label, for screen readers (the labels follow the titles the
    // user chose); the picture is decoration.
    Label2->setBuddy(Edit1);
    Label5->setBuddy(ComboBox2);
    Label1->setBuddy(ComboBox1);
    Label4->setBuddy(RxCalcEdit1);
    SpinEdit1->setAccessibleName(QString::fromUtf8("Période de rappel, en jours"));
    Image1->setAccessibleName(QStringLiteral("Panier"));
    Label6->setAccessibleDescription(QStringLiteral("Numéro du produit"));

    // Tab order: product, aisle, sector, price, reminder, Cancel, OK, then the period.
    QWidget::setTabOrder(Edit1, ComboBox2);
    QWidget::setTabOrder(ComboBox2, ComboBox1);
    QWidget::setTabOrder(ComboBox1, RxCalcEdit1);
    QWidget::setTabOrder(RxCalcEdit1, CheckBox1);
    QWidget::setTabOrder(CheckBox1, BitBtn1);
    QWidget::setTabOrder(BitBtn1, BitBtn2);
    QWidget::setTabOrder(BitBtn2, SpinEdit1);
}

void Tfrm_saiprod::FormCreate(const ProductDialogInput& input) {
    QStringList sectors, aisles;
    for (const auto& e : tree_.walk()) {
        if (e.depth == 0)
            sectors << e.node->text;
        else
            aisles << e.node->text;
    }
    ComboBox1->clear();
    ComboBox2->clear();
    ComboBox1->addItems(sortedNames(sectors));
    ComboBox2->addItems(sortedNames(aisles));

    // Without the right to create sectors, an existing tree only offers its aisles.
    aisleTyped_ = tree_.isEmpty() || input.newSectorsAllowed;
    if (!aisleTyped_)
        ComboBox2->setEditable(false);

    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText(input.selectedSector);
    const int aisleItem = ComboBox2->findText(input.selectedAisle, Qt::MatchFixedString);
    ComboBox2->setCurrentIndex(aisleItem);
    if (aisleTyped_)
        ComboBox2->setEditText(input.selectedAisle);
}

void Tfrm_saiprod::Edit1Change() {
    BitBtn2->setEnabled(product_edit::productNameAcceptable(Edit1->text()));
}

void Tfrm_saiprod::ComboBox2Change() {
    ComboBox1->setEnabled(false);
    if (const auto sector = product_edit::sectorOfAisle(tree_, ComboBox2->currentText())) {
        ComboBox1->setEditText(*sector);
        return;
    }
    // A new aisle: its sector may be chosen or typed (never when aisles can only be picked).
    ComboBox1->setEnabled(aisleTyped_);
}

product_edit::ProductForm Tfrm_saiprod::values() const {
    product_edit::ProductForm f;
    f.product = Edit1->text();
    f.aisle = ComboBox2->currentText();
    f.sector = ComboBox1->currentText();
    f.price = RxCalcEdit1->value();
    f.reminder = CheckBox1->isChecked();
    // What is typed counts, also before the spin box has taken it in.
    bool ok = false;
    const qint64 days = SpinEdit1->locale().toLongLong(SpinEdit1->cleanText(), &ok);
    if (ok)
        f.period = days;
    else
        f.period.reset();
    return f;
}

QWidget* Tfrm_saiprod::fieldWidget(FormField f) const {
    switch (f) {
    case FormField::Product:
        return Edit1;
    case FormField::Aisle:
        return ComboBox2;
    case FormField::Sector:
        return ComboBox1;
    case FormField::Price:
        return RxCalcEdit1;
    case FormField::Period:
        return SpinEdit1;
    case FormField::None:
        break;
    }
    return nullptr;
}

void Tfrm_saiprod::BitBtn2Click() {
    const auto error = product_edit::checkForm(values(), checks_);
    if (!error) {
        accept();
        return;
    }
    platform_.error(error->message);
    if (QWidget* w = fieldWidget(error->focus)) {
        // A sector refused while the field is locked (its aisle exists) is corrected through
        // the aisle.
        if (!w->isEnabled())
            w = ComboBox2;
        w->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            edit->selectAll();
        else if (auto* box = qobject_cast<QComboBox*>(w); box && box->lineEdit())
            box->lineEdit()->selectAll();
        else if (auto* spin = qobject_cast<QSpinBox*>(w))
            spin->selectAll();
    }
}
