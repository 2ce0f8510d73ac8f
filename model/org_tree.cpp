#include "model/org_tree.h"

#include "model/text_compare.h"

#include <algorithm>

namespace {

void sortNodes(std::vector<OrgNode>& nodes) {
    std::stable_sort(nodes.begin(), nodes.end(), [](const OrgNode& a, const OrgNode& b) {
        return text::lessNoCase(a.text, b.text);
    });
    for (auto& n : nodes)
        sortNodes(n.children);
}

int countNodes(const std::vector<OrgNode>& nodes) {
    int n = 0;
    for (const auto& c : nodes)
        n += 1 + countNodes(c.children);
    return n;
}

void linesOf(const std::vector<OrgNode>& nodes, int depth, QStringList& out) {
    for (const auto& n : nodes) {
        out << QString(depth, u'\t') + n.text;
        linesOf(n.children, depth + 1, out);
    }
}

void walkNodes(const std::vector<OrgNode>& nodes, const OrgNode* parent, int depth,
               std::vector<OrgTree::Entry>& out) {
    for (const auto& n : nodes) {
        out.push_back({&n, parent, depth});
        walkNodes(n.children, &n, depth + 1, out);
    }
}

int insertSorted(std::vector<OrgNode>& nodes, const QString& name) {
    auto it =
        std::upper_bound(nodes.begin(), nodes.end(), name, [](const QString& v, const OrgNode& n) {
            return text::lessNoCase(v, n.text);
        });
    it = nodes.insert(it, OrgNode{name, {}});
    return static_cast<int>(it - nodes.begin());
}

} // namespace

bool operator==(const OrgNode& a, const OrgNode& b) {
    return a.text == b.text && a.children == b.children;
}

bool operator==(const OrgTree& a, const OrgTree& b) {
    return a.roots_ == b.roots_;
}

int OrgTree::nodeCount() const {
    return countNodes(roots_);
}

void OrgTree::sort() {
    sortNodes(roots_);
}

int OrgTree::addSector(const QString& name) {
    return insertSorted(roots_, name);
}

void OrgTree::addAisle(int sectorIndex, const QString& name) {
    if (sectorIndex < 0 || sectorIndex >= static_cast<int>(roots_.size()))
        return;
    insertSorted(roots_[static_cast<size_t>(sectorIndex)].children, name);
}

QStringList OrgTree::toLines() const {
    QStringList out;
    linesOf(roots_, 0, out);
    return out;
}

std::vector<OrgTree::Entry> OrgTree::walk() const {
    std::vector<Entry> out;
    walkNodes(roots_, nullptr, 0, out);
    return out;
}

std::optional<OrgTree> OrgTree::fromLines(const QStringList& lines, QString* error) {
    OrgTree tree;
    // path[d] is the list that receives nodes of depth d; the node added last at depth d is
    // its back().
    std::vector<std::vector<OrgNode>*> path;
    int prevLevel = -1;
    for (const QString& line : lines) {
        int level = 0;
        while (level < line.size() && (line[level] == u'\t' || line[level] == u' '))
            ++level;
        const QString name = line.mid(level);
        if (prevLevel < 0) {
            tree.roots_.push_back(OrgNode{name, {}});
            path = {&tree.roots_};
            prevLevel = 0;
            continue;
        }
        if (level > prevLevel + 1) {
            if (error)
                *error = QString::fromUtf8("Niveau incorrect (%1) pour l'élément \"%2\"")
                             .arg(level)
                             .arg(name);
            return std::nullopt;
        }
        if (level == prevLevel + 1) {
            path.push_back(&path.back()->back().children);
        } else {
            path.resize(static_cast<size_t>(level) + 1);
        }
        path.back()->push_back(OrgNode{name, {}});
        prevLevel = level;
    }
    tree.sort();
    return tree;
}
