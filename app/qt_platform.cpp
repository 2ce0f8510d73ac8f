#include "app/qt_platform.h"

#include "app/help_window.h"
#include "dialogs/bgr_color.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QUrl>

namespace {

QMessageBox::StandardButton standard(Platform::Button b) {
    switch (b) {
    case Platform::Button::Ok:
        return QMessageBox::Ok;
    case Platform::Button::Cancel:
        return QMessageBox::Cancel;
    case Platform::Button::Yes:
        return QMessageBox::Yes;
    case Platform::Button::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

QString caption(Platform::Button b) {
    switch (b) {
    case Platform::Button::Ok:
        return QStringLiteral("OK");
    case Platform::Button::Cancel:
        return QStringLiteral("Annuler");
    case Platform::Button::Yes:
        return QStringLiteral("&Oui");
    case Platform::Button::No:
        return QStringLiteral("&Non");
    }
    return QString();
}

QMessageBox::Icon qtIcon(Platform::Icon i) {
    switch (i) {
    case Platform::Icon::None:
        return QMessageBox::NoIcon;
    case Platform::Icon::Information:
        return QMessageBox::Information;
    case Platform::Icon::Warning:
        return QMessageBox::Warning;
    case Platform::Icon::Error:
        return QMessageBox::Critical;
    case Platform::Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// Boxes without a title of their own show the application's title, as the program's other
// windows do.
QString boxTitle(const QString& title) {
    return title.isEmpty() ? QCoreApplication::applicationName() : title;
}

} // namespace

QtPlatform::QtPlatform() = default;

QtPlatform::~QtPlatform() {
    delete help_.data();
}

QString QtPlatform::displayText(const QString& text) {
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

QString QtPlatform::qtFilter(const QString& pipeFilter) {
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return filters.join(QStringLiteral(";;"));
}

QUrl QtPlatform::shellUrl(const QString& target) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(target).hasMatch())
        return QUrl(target);
    return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
}

Platform::Button QtPlatform::message(const Message& m) {
    QMessageBox box(qtIcon(m.icon), boxTitle(m.title), displayText(m.text), QMessageBox::NoButton,
                    parent_);
    box.setTextFormat(Qt::PlainText);
    // Without a window of its own (at start) the box must not hide behind the start-up box.
    if (!parent_)
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    QMessageBox::StandardButtons all;
    for (Button b : m.buttons)
        all |= standard(b);
    box.setStandardButtons(all);
    for (Button b : m.buttons)
        if (QAbstractButton* button = box.button(standard(b)))
            button->setText(caption(b));
    if (m.buttons.contains(m.defaultButton))
        box.setDefaultButton(standard(m.defaultButton));
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (Button b : m.buttons)
        if (clicked && clicked == box.button(standard(b)))
            return b;
    // Closed without a button.
    return m.escapeButton;
}

bool QtPlatform::usesNativeFileDialogs() {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return true;
#else
    return false;
#endif
}

void QtPlatform::setFrenchLabels(QFileDialog& dialog, bool save) {
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Dossier :"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("&Nom du fichier :"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("&Type :"));
    dialog.setLabelText(QFileDialog::Accept,
                        save ? QStringLiteral("&Enregistrer") : QStringLiteral("&Ouvrir"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Annuler"));
    // Qt's own dialog links its name label to the name field but not its type label to the
    // type list: without that link a label shows its "&" as it is instead of underlining the
    // access letter. Linked, Alt+T reaches the list as Alt+N reaches the name.
    auto* typeLabel = dialog.findChild<QLabel*>(QStringLiteral("fileTypeLabel"));
    auto* typeList = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    if (typeLabel && !typeLabel->buddy()) {
        if (typeList)
            typeLabel->setBuddy(typeList);
        else
            typeLabel->setText(QStringLiteral("Type :"));
    }
}

std::optional<QString> QtPlatform::runFileDialog(const FileDialog& d, bool save) {
    QFileDialog dialog(parent_);
    dialog.setOption(QFileDialog::DontUseNativeDialog, !usesNativeFileDialogs());
    dialog.setWindowTitle(!d.title.isEmpty() ? d.title
                          : save             ? QStringLiteral("Enregistrer sous")
                                             : QStringLiteral("Ouvrir"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Both dialogs accept a name that does not exist yet: opening one keeps the list in memory
    // under that name, saving one creates the file.
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!d.confirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    QString suffix = d.defaultSuffix;
    if (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    dialog.setNameFilter(qtFilter(d.filter));
    const QString dir = d.directory.isEmpty() ? QDir::currentPath() : d.directory;
    const QFileInfo initial(d.fileName);
    if (!d.fileName.isEmpty() && initial.isAbsolute())
        dialog.setDirectory(initial.absolutePath());
    else
        dialog.setDirectory(dir);
    if (!d.fileName.isEmpty() && !d.fileName.contains(QLatin1Char('*')))
        dialog.selectFile(initial.fileName());
    setFrenchLabels(dialog, save);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

std::optional<QString> QtPlatform::openFileName(const FileDialog& d) {
    return runFileDialog(d, false);
}

std::optional<QString> QtPlatform::saveFileName(const FileDialog& d) {
    return runFileDialog(d, true);
}

bool QtPlatform::shellOpen(const QString& target) {
    return QDesktopServices::openUrl(shellUrl(target));
}

void QtPlatform::showHelp(const QString& topic) {
    if (!help_)
        help_ = new HelpWindow;
    help_->showTopic(topic);
}

void QtPlatform::beep() {
    QApplication::beep();
}

QDate QtPlatform::fixedToday(const QByteArray& value) {
    return QDate::fromString(QString::fromLatin1(value).trimmed(), Qt::ISODate);
}

QDate QtPlatform::today() {
    // Read once: the day stays the same for the whole run.
    static const QDate fixed = fixedToday(qgetenv("KABIRO_TODAY"));
    return fixed.isValid() ? fixed : QDate::currentDate();
}

RegionalSettings QtPlatform::regional() {
    return RegionalSettings::system();
}

std::optional<quint32> QtPlatform::chooseColor(quint32 initial, const QList<quint32>& custom) {
    // The six colours go to the custom slots 8, 9, 10 and 12, 13, 14 of the sixteen, in the
    // order given.
    static constexpr int kSlots[] = {8, 9, 10, 12, 13, 14};
    int n = 0;
    for (int slot : kSlots) {
        if (n >= custom.size() || slot >= QColorDialog::customCount())
            break;
        QColorDialog::setCustomColor(slot, colorFromBgr(custom[n++]));
    }
    const QColor chosen =
        QColorDialog::getColor(colorFromBgr(initial), parent_, QStringLiteral("Couleur"));
    if (!chosen.isValid())
        return std::nullopt;
    return bgrFromColor(chosen);
}
