#include "dialogs/paracha.h"

#include "dialogs/readable_colours.h"
#include "model/platform.h"

#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>

namespace {

// Colours are 0x00BBGGRR, as the settings file holds them.
QColor toQColor(quint32 bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

quint32 toBgr(const QColor& c) {
    const QColor rgb = c.toRgb();
    return static_cast<quint32>(rgb.red()) | (static_cast<quint32>(rgb.green()) << 8) |
           (static_cast<quint32>(rgb.blue()) << 16);
}

// The colour of a colour field is its background; the dialog keeps no other copy. Its text
// takes the colour that reads best on it.
void setBackground(QLineEdit* e, quint32 bgr) {
    const QColor colour = toQColor(bgr);
    QPalette p = e->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Base, colour);
        p.setColor(group, QPalette::Text, readable::textOn(colour));
    }
    e->setPalette(p);
}

quint32 background(const QLineEdit* e) {
    return toBgr(e->palette().color(QPalette::Base));
}

template <typename W> W* place(W* w, const char* name, int x, int y, int width, int height) {
    if (name)
        w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(x, y, width, height);
    return w;
}

QLabel* label(QWidget* parent, const QString& text, int x, int y, int w, int h) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(x, y, w, h);
    return l;
}

// The glyph of the colour buttons: a small palette of three swatches.
QIcon colourGlyph() {
    QPixmap pm(14, 14);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::black);
    const QColor swatches[] = {Qt::red, Qt::yellow, Qt::blue, Qt::green};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(swatches[i]);
        p.drawRect((i % 2) * 7, (i / 2) * 7, 6, 6);
    }
    return QIcon(pm);
}

} // namespace

Tfrm_param::Tfrm_param(Platform& platform, double euroRate, const QString& listFileName,
                       QWidget* parent, const QString& directory)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      platform_(platform), directory_(directory.isEmpty() ? QDir::currentPath() : directory),
      listTypes_(listTypeFilePath(directory_, listFileName)) {
    setObjectName(QStringLiteral("frm_param"));
    readable::mendSelection(this);
    setWindowTitle(QStringLiteral("Paramétrages"));
    setFixedSize(kWidth, kHeight);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(12);
    setFont(f);
    buildControls();
    IniFile ini(settingsPath());
    FormCreate(AppSettings::readForDialog(ini, euroRate), listFileName);
}

QString Tfrm_param::settingsPath() const {
    return settings::filePath(directory_);
}

void Tfrm_param::buildControls() {
    // Two columns: input and display, titles and printing on the left; reminders, colour
    // states and list types on the right, above the buttons.
    auto* saisie = place(new QGroupBox(QStringLiteral(" Saisie et présentation "), this),
                         "GroupBox1", 4, 2, 236, 148);
    auto checkRow = [&](const QString& text, const char* name, int row, int width = 228) {
        return place(new QCheckBox(text, saisie), name, 6, 18 + 18 * row, width, 17);
    };
    CheckBox1 = checkRow(QStringLiteral("Création nouveaux secteurs ou rayons"), "CheckBox1", 0);
    CheckBox2 = checkRow(QStringLiteral("Création/Suppresion de produits"), "CheckBox2", 1);
    CheckBox4 = checkRow(QStringLiteral("Barre d'outils visible"), "CheckBox4", 2);
    CheckBox3 = checkRow(QStringLiteral("Fiche produit visible"), "CheckBox3", 3);
    chk_box_edition = checkRow(QStringLiteral("Export"), "chk_box_edition", 4, 62);
    chk_box_edition->setChecked(true);
    rdb_edit_txt = place(new QRadioButton(QStringLiteral("ASCII TXT"), saisie), "rdb_edit_txt", 72,
                         18 + 18 * 4, 84, 17);
    rdb_edit_htm = place(new QRadioButton(QStringLiteral("HTML"), saisie), "rdb_edit_htm", 160,
                         18 + 18 * 4, 70, 17);
    CheckBox6 = checkRow(QStringLiteral("Outil de requêtes globales"), "CheckBox6", 5);
    CheckBox7 = checkRow(QStringLiteral("Convertisseur Franc/Euro"), "CheckBox7", 6, 162);
    valeuroEdit = place(new QDoubleSpinBox(saisie), "valeuroEdit", 168, 18 + 18 * 6 - 2, 62, 20);
    valeuroEdit->setDecimals(5);
    valeuroEdit->setRange(0.0, 99999.99999);
    valeuroEdit->setButtonSymbols(QAbstractSpinBox::NoButtons);
    valeuroEdit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    valeuroEdit->setToolTip(QStringLiteral("Valeur d'1 euro"));
    valeuroEdit->setAccessibleName(QStringLiteral("Valeur d'1 euro"));
    QLocale loc = platform_.regional().locale();
    loc.setNumberOptions(QLocale::OmitGroupSeparator);
    valeuroEdit->setLocale(loc);

    const QIcon glyph = colourGlyph();
    // Each colour button is named after the field whose colour it chooses.
    auto colourButton = [&](QWidget* parent, const QString& name, int number, int x, int y,
                            const QString& of) {
        auto* b = place(new QToolButton(parent), nullptr, x, y, 20, 20);
        b->setObjectName(name);
        b->setIcon(glyph);
        b->setAutoRaise(true);
        b->setToolTip(QStringLiteral("Choisir la couleur"));
        b->setAccessibleName(QStringLiteral("Choisir la couleur : ") + of);
        connect(b, &QToolButton::clicked, this, [this, number] { spdbtn_colorClick(number); });
    };

    // --- titles
    auto* titres =
        place(new QGroupBox(QStringLiteral(" Titres "), this), "GroupBox4", 4, 154, 236, 156);
    label(titres, QStringLiteral("Couleur"), 190, 14, 44, 14)->setAlignment(Qt::AlignCenter);
    auto titleRow = [&](const QString& caption, const char* name, int row) {
        const int y = 28 + 21 * row;
        QLabel* l = label(titres, caption, 6, y + 2, 108, 16);
        auto* e = place(new QLineEdit(titres), name, 115, y, 92, 20);
        l->setBuddy(e);
        return e;
    };
    Edit6 = titleRow(QStringLiteral("Titre de l'application"), "Edit6", 0);
    Edit[0] = titleRow(QStringLiteral("Titre fenêtre gauche"), "Edit1", 1);
    Edit[1] = titleRow(QStringLiteral("Titre fenêtre droite"), "Edit2", 2);
    Edit[2] = titleRow(QStringLiteral("Titre vue Secteur"), "Edit3", 3);
    Edit4 = titleRow(QStringLiteral("Colonne Rayons"), "Edit4", 4);
    Edit5 = titleRow(QStringLiteral("Colonne Produits"), "Edit5", 5);
    const QString titleNames[3] = {QStringLiteral("Titre fenêtre gauche"),
                                   QStringLiteral("Titre fenêtre droite"),
                                   QStringLiteral("Titre vue Secteur")};
    for (int i = 0; i < 3; ++i)
        colourButton(titres, QStringLiteral("spdbtn_color_titre%1").arg(i + 1), 1 + i, 210,
                     28 + 21 * (i + 1), titleNames[i]);

    // --- printing
    auto* RadioG_imprime = place(new QGroupBox(QStringLiteral(" Impression par défaut "), this),
                                 "RadioG_imprime", 4, 314, 236, 58);
    portrait =
        place(new QRadioButton(QStringLiteral("Portrait    (sur 2 colonnes)"), RadioG_imprime),
              "RadioG_imprime_0", 10, 18, 220, 17);
    landscape = place(new QRadioButton(QStringLiteral("Paysage (sur 3 colonnes)"), RadioG_imprime),
                      "RadioG_imprime_1", 10, 36, 220, 17);

    // --- reminders
    auto* rappels =
        place(new QGroupBox(QStringLiteral(" Rappels "), this), "GroupBox2", 244, 2, 203, 98);
    auto* l = label(rappels, QStringLiteral("Réapprovisionnement\npar défaut  (en jours)"), 6, 16,
                    136, 30);
    l->setObjectName(QStringLiteral("Label4"));
    SpinEdit2 = place(new QSpinBox(rappels), "SpinEdit2", 148, 20, 48, 22);
    SpinEdit2->setRange(1, 30); // at most two digits
    l->setBuddy(SpinEdit2);
    l = label(rappels, QStringLiteral("Tolérance délai"), 6, 50, 120, 16);
    l->setObjectName(QStringLiteral("Label5"));
    QLabel* tolerance = l;
    Label6 = place(new QLabel(rappels), "Label6", 148, 50, 48, 16);
    Label6->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    TrackBar1 = place(new QSlider(Qt::Horizontal, rappels), "TrackBar1", 6, 66, 191, 26);
    TrackBar1->setRange(0, 10);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setTickInterval(1);
    TrackBar1->setPageStep(1);
    tolerance->setBuddy(TrackBar1);
    connect(TrackBar1, &QSlider::valueChanged, this, &Tfrm_param::TrackBar1Change);

    // --- colour states
    auto* etats = place(new QGroupBox(QStringLiteral(" Couleurs des produits "), this), "GroupBox3",
                        244, 104, 203, 86);
    const QString stateLabels[3] = {QStringLiteral("Produit sélectionné"),
                                    QStringLiteral("A renouveler"),
                                    QStringLiteral("avec tolérance délai")};
    for (int i = 0; i < 3; ++i) {
        const int y = 20 + 21 * i;
        QLabel* l = label(etats, stateLabels[i], 6, y + 2, 108, 16);
        edt_pnl[i] = place(new QLineEdit(etats), nullptr, 115, y, 64, 20);
        edt_pnl[i]->setObjectName(QStringLiteral("edt_pnl%1").arg(i + 1));
        l->setBuddy(edt_pnl[i]);
        // The field's colour is that of the state, its text the state's caption.
        edt_pnl[i]->setAccessibleDescription(QStringLiteral("Légende et couleur de l'état"));
        colourButton(etats, QStringLiteral("spdbtn_color_prod%1").arg(i + 1), 4 + i, 180, y,
                     stateLabels[i]);
    }

    // --- list types
    auto* listes = place(new QGroupBox(QStringLiteral(" Listes types pour "), this), "GroupBox5",
                         244, 194, 203, 150);
    Label14 = place(new QLabel(listes), "Label14", 6, 16, 191, 16);
    QFont bold = font();
    bold.setBold(true);
    Label14->setFont(bold);
    ListBox1 = place(new QListWidget(listes), "ListBox1", 6, 34, 118, 108);
    ListBox1->setAccessibleName(QStringLiteral("Listes types"));
    SpeedButton1 = place(new QToolButton(listes), "SpeedButton1", 146, 38, 26, 26);
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    SpeedButton1->setToolTip(QStringLiteral("Supprimer la liste type choisie"));
    SpeedButton1->setAccessibleName(QStringLiteral("Supprimer cette liste"));
    auto* del = label(listes, QStringLiteral(" Supprimer cette liste"), 128, 66, 72, 34);
    del->setWordWrap(true);
    del->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    connect(SpeedButton1, &QToolButton::clicked, this, &Tfrm_param::SpeedButton1Click);

    // --- buttons
    BitBtn2 = place(new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                                    QStringLiteral("OK"), this),
                    "BitBtn2", 260, 354, 90, 26);
    BitBtn1 = place(new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                                    QStringLiteral("Annuler"), this),
                    "BitBtn1", 356, 354, 90, 26);
    BitBtn2->setDefault(true);
    connect(BitBtn2, &QPushButton::clicked, this, &Tfrm_param::BitBtn2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    // "Export" cannot be cleared: every click checks it again.
    connect(chk_box_edition, &QCheckBox::clicked, this, &Tfrm_param::chk_box_editionClick);
}

void Tfrm_param::FormCreate(const AppSettings& s, const QString& listFileName) {
    CheckBox1->setChecked(s.newSectors);
    CheckBox2->setChecked(s.productCommands);
    TrackBar1->setValue(s.delayCoef);
    TrackBar1Change(TrackBar1->value());
    SpinEdit2->setValue(s.renewDays);
    CheckBox4->setChecked(s.toolbar);
    CheckBox3->setChecked(s.productSheet);
    CheckBox6->setChecked(s.euro);
    CheckBox7->setChecked(s.converter);
    valeuroEdit->setValue(s.euroRate);
    Edit6->setText(s.appTitle);
    for (int i = 0; i < 3; ++i) {
        Edit[i]->setText(s.titles[i]);
        setBackground(Edit[i], s.titleColours[i]);
        edt_pnl[i]->setText(s.stateCaptions[i]);
        setBackground(edt_pnl[i], s.stateColours[i]);
    }
    Edit4->setText(s.column1);
    Edit5->setText(s.column2);
    for (QLineEdit* e : findChildren<QLineEdit*>())
        e->setCursorPosition(0);
    (s.orientation == 1 ? landscape : portrait)->setChecked(true);
    rdb_edit_htm->setChecked(s.html);
    rdb_edit_txt->setChecked(!s.html);

    Label14->setText(listFileName);
    ListBox1->addItems(listTypes_.names());
    SpeedButton1->setEnabled(ListBox1->count() > 0);
}

AppSettings Tfrm_param::settings() const {
    AppSettings s;
    s.newSectors = CheckBox1->isChecked();
    s.productCommands = CheckBox2->isChecked();
    s.delayCoef = TrackBar1->value();
    s.renewDays = SpinEdit2->value();
    s.toolbar = CheckBox4->isChecked();
    s.productSheet = CheckBox3->isChecked();
    s.euro = CheckBox6->isChecked();
    s.converter = CheckBox7->isChecked();
    s.euroRate = valeuroEdit->value();
    s.appTitle = Edit6->text();
    for (int i = 0; i < 3; ++i) {
        s.titles[i] = Edit[i]->text();
        s.titleColours[i] = background(Edit[i]);
        s.stateCaptions[i] = edt_pnl[i]->text();
        s.stateColours[i] = background(edt_pnl[i]);
    }
    s.column1 = Edit4->text();
    s.column2 = Edit5->text();
    s.orientation = landscape->isChecked() ? 1 : 0;
    s.html = rdb_edit_htm->isChecked();
    return s;
}

void Tfrm_param::TrackBar1Change(int position) {
    Label6->setText(QString::number(position * 10) + u'%');
}

void Tfrm_param::chk_box_editionClick() {
    chk_box_edition->setChecked(true);
}

QLineEdit* Tfrm_param::colourField(int number) const {
    if (number >= 1 && number <= 3)
        return Edit[static_cast<size_t>(number - 1)];
    if (number >= 4 && number <= 6)
        return edt_pnl[static_cast<size_t>(number - 4)];
    return nullptr;
}

void Tfrm_param::spdbtn_colorClick(int number) {
    QLineEdit* field = colourField(number);
    if (!field)
        return;
    // The chooser offers the six current colours as its custom colours, in the order
    // Edit1, Edit2, Edit3, edt_pnl1, edt_pnl2, edt_pnl3.
    QList<quint32> custom;
    for (int n = 1; n <= 6; ++n)
        custom << background(colourField(n));
    const std::optional<quint32> chosen = platform_.chooseColor(background(field), custom);
    if (chosen)
        setBackground(field, *chosen);
}

void Tfrm_param::SpeedButton1Click() {
    QListWidgetItem* item = ListBox1->currentItem();
    if (!item || !item->isSelected())
        return;
    const QString name = item->text();
    Platform::Message m;
    m.title = QStringLiteral("Confirmer la suppression définitive");
    m.text = QStringLiteral("Etes-vous sûr de vouloir supprimer cette liste-type ?");
    m.icon = Platform::Icon::Question;
    m.buttons = {Platform::Button::Yes, Platform::Button::No};
    m.defaultButton = Platform::Button::No;
    m.escapeButton = Platform::Button::No;
    if (platform_.message(m) != Platform::Button::Yes)
        return;
    QString error;
    if (!listTypes_.remove(name, &error)) {
        // The line is still in the file: keep it listed and say why.
        platform_.error(error);
        return;
    }
    delete ListBox1->takeItem(ListBox1->row(item));
    emit listTypeDeleted(name);
    SpeedButton1->setEnabled(ListBox1->count() > 0);
}

void Tfrm_param::BitBtn2Click() {
    IniFile ini(settingsPath());
    QString error;
    if (!writeOptions(ini, settings(), &error)) {
        platform_.error(error.isEmpty()
                            ? QStringLiteral("Impossible d'écrire dans %1").arg(settingsPath())
                            : error);
        return;
    }
    accept();
}
