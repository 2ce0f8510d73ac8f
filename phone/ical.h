#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

// iCalendar text (RFC 5545) as the task lists of CalDAV servers hold it: components made of
// content lines "NAME;PARAM=value:value". Reading unfolds the lines and splits each one into its
// name, its parameters and its value; the value and the parameters stay exactly as they were
// written, so that a property this program does not know (a phone app's X- property, an alarm)
// is written back unchanged. Writing folds every line at 75 octets without cutting a UTF-8
// sequence and ends lines with CR LF.
namespace ical {

// TEXT escapes: "\" ";" "," and line breaks (CR LF, CR or LF become "\n").
QString escapeText(QStringView text);
// "\n" and "\N" give a line feed; "\\", "\;", "\," their character; any other "\x" gives x.
QString unescapeText(QStringView text);

struct Property {
    QString name;   // in capitals
    QString params; // as written, from the first ";" after the name up to the ":" (may be empty)
    QString value;  // as written (TEXT values still escaped)

    // The parameter's value (quotes removed), or nothing when the property has none of that name.
    std::optional<QString> param(QStringView paramName) const;
};

struct Component {
    QString name; // "VCALENDAR", "VTODO", "VALARM"...
    QList<Property> properties;
    QList<Component> children;

    const Property* find(QStringView propName) const;
    bool has(QStringView propName) const { return find(propName) != nullptr; }
    // The raw value of the first property of that name; empty when it has none.
    QString raw(QStringView propName) const;
    // The first property of that name read as TEXT (escapes resolved).
    QString text(QStringView propName) const;
    // Replaces the first property of that name (keeping its place and dropping its parameters)
    // and removes the others, or appends it. `rawValue` is written as given.
    void setRaw(const QString& propName, const QString& rawValue);
    void setText(const QString& propName, QStringView text) { setRaw(propName, escapeText(text)); }
    void remove(QStringView propName);

    // The first child component of that name, or null.
    Component* child(QStringView childName);
    const Component* child(QStringView childName) const;
};

// One content line, folded: no physical line is longer than 75 octets, continuation lines begin
// with one blank, every line ends with CR LF.
QByteArray foldLine(QByteArrayView line);

// Reads an iCalendar object. Lines may end with CR LF or LF alone; a line beginning with a blank
// or a TAB continues the previous one. The answer is the outermost component (normally
// VCALENDAR); nothing, with a French reason in *error, when the text is not iCalendar.
std::optional<Component> parse(QByteArrayView text, QString* error = nullptr);
// The component and its children as iCalendar text.
QByteArray serialize(const Component& c);

} // namespace ical
