#pragma once

#include "model/record_table.h"

#include <QObject>
#include <QString>
#include <cstddef>
#include <memory>
#include <vector>

class ShoppingData;

// The undo history of the shopping data: a list of steps, each one user action, that can be
// undone and redone in order.
//
// A step journals the changes as they happen rather than copying the data: the fields written
// with the values they held, the records added or taken out (kept alive by the step, with
// their positions), the tree nodes added, and the few values of the data beside the tables
// (validation text, list total, label, tree selection, current records) as they were before and
// after. Undoing exchanges the journalled values with the present ones and puts records back
// or takes them out, so a step costs in proportion to what it changed; redoing does the same
// the other way. Records are followed by identity, so sorting the tables between steps does
// not disturb the history.
//
// Steps are opened and closed by UndoStep guards; steps opened inside another belong to it.
// A change made with no step open goes into a step named "Modification", closed before the
// history is next used.
//
// The modified flag follows the history: undoing or redoing to the state last saved (or
// loaded) clears it, any other state sets it.
class UndoHistory : public QObject, private RecordJournal {
    Q_OBJECT
public:
    explicit UndoHistory(ShoppingData& data);
    ~UndoHistory() override;
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    // --- steps
    void begin(const QString& name);
    void end();
    // The tree node added at roots()[sector] (aisle -1) or roots()[sector].children[aisle].
    void treeNodeAdded(int sector, int aisle);

    // --- undo and redo
    bool canUndo();
    bool canRedo();
    // The name of the step undo (redo) would take back (do again); empty when there is none.
    QString undoName();
    QString redoName();
    bool undo();
    bool redo();
    int undoCount();
    int redoCount();

    // --- the history's bounds
    // A new list, a list opened or read back: the history starts again from this state, which
    // is the saved one.
    void clear();
    // The data were saved: this state is the saved one.
    void markSaved();
    // At most maxSteps steps, and no more than about maxBytes held beyond the latest step: the
    // oldest steps go first.
    void setLimits(int maxSteps, std::size_t maxBytes);
    int maxSteps() const { return maxSteps_; }
    // Switches the journal off (and clears the history) or back on: for measuring what
    // recording costs, and for work that starts the history again afterwards anyway.
    void setRecording(bool on);
    bool recording() const { return recording_; }
    // An estimate of the memory the steps hold (records taken out included).
    std::size_t memoryUsed();

    // Default bounds.
    static constexpr int kDefaultMaxSteps = 1000;
    static constexpr std::size_t kDefaultMaxBytes = std::size_t(128) << 20;

signals:
    // The steps or the position in them changed (menu texts and enabled states follow).
    void changed();
    // A step was undone or redone: the data changed under the views, the tree and the
    // validation text included.
    void applied();

private:
    struct Step;

    void fieldWritten(RecordTable& table, Record* r, int f, const FieldValue& before) override;
    void recordAdded(RecordTable& table, Record* r) override;
    void recordsRemoved(RecordTable& table, std::vector<HeldRecord>&& gone) override;
    void recordsReplaced(RecordTable& table) override;

    Step* openStep();
    void closeStep();
    void closeLoose();
    void push(std::unique_ptr<Step> step);
    void trim();
    void apply(Step& s, bool undoing);
    int tableIndex(const RecordTable& t) const;
    void freeSteps(std::size_t from);

    ShoppingData& data_;
    std::vector<std::unique_ptr<Step>> steps_;
    std::size_t index_ = 0;   // steps_[0, index_) are done
    long long savePoint_ = 0; // index_ of the saved state; -1 when it can no longer be reached
    std::unique_ptr<Step> open_;
    int depth_ = 0;
    bool loose_ = false;
    bool applying_ = false;
    bool recording_ = true;
    quint32 serial_ = 0;
    int maxSteps_ = kDefaultMaxSteps;
    std::size_t maxBytes_ = kDefaultMaxBytes;
    std::size_t bytes_ = 0; // estimate for steps_
};

// Opens a step for its lifetime.
class UndoStep {
public:
    UndoStep(UndoHistory& history, const QString& name) : h_(history) { h_.begin(name); }
    ~UndoStep() { h_.end(); }
    UndoStep(const UndoStep&) = delete;
    UndoStep& operator=(const UndoStep&) = delete;

private:
    UndoHistory& h_;
};
