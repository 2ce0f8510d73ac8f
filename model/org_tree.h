#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The organisation of sectors (level 0) and their aisles (level 1), each level kept in
// alphabetical order.
struct OrgNode {
    QString text;
    std::vector<OrgNode> children;
};

class OrgTree {
public:
    std::vector<OrgNode>& roots() { return roots_; }
    const std::vector<OrgNode>& roots() const { return roots_; }
    bool isEmpty() const { return roots_.empty(); }
    int nodeCount() const;
    void clear() { roots_.clear(); }

    // Sorts every level by text (see text::compareNoCase).
    void sort();

    // Adds a sector (kept in order); returns its index. Adds an aisle under a sector.
    int addSector(const QString& name);
    void addAisle(int sectorIndex, const QString& name);

    // Text lines, depth first, parent before children, one TAB per level.
    QStringList toLines() const;

    // Builds a tree from indented lines: the level of a line is the number of its leading TAB or
    // blank characters. The first line is a top node whatever its level; a line one level deeper
    // than the previous node is its child; a line at the same or a lower level goes to the
    // ancestor at that level. A line more than one level deeper is an error, whose text is
    // returned in *error. The result is sorted.
    static std::optional<OrgTree> fromLines(const QStringList& lines, QString* error);

    // Every node in display order with its depth.
    struct Entry {
        const OrgNode* node;
        const OrgNode* parent;
        int depth;
    };
    std::vector<Entry> walk() const;

    friend bool operator==(const OrgTree& a, const OrgTree& b);

private:
    std::vector<OrgNode> roots_;
};

bool operator==(const OrgNode& a, const OrgNode& b);
