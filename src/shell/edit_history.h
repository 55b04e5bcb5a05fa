#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "tables/item_count.h"
#include "tables/scenario_tables.h"

namespace vorn {

// The names of the steps, as the Edit menu shows them ("Undo Remove Item").
inline constexpr const char* kChangeCellStep = "Change Cell";
inline constexpr const char* kRescaleNetGrowthStep = "Rescale Net Growth";
inline constexpr const char* kRenameItemStep = "Rename Item";
inline constexpr const char* kAddItemStep = "Add Item";
inline constexpr const char* kRemoveItemStep = "Remove Item";
inline constexpr const char* kClearStep = "Clear";
inline constexpr const char* kOpenStep = "Open";
inline constexpr const char* kTypedEntryStep = "Typed Entry";

/// The undo and redo history of a scenario: the three tables (cell texts and colours, shapes)
/// and the item count. A step keeps only the cells it changed, with their values on the side
/// of the step that the tables do not show; undoing or redoing swaps them with the tables.
/// The Net Growth texts are left out: every recalculation writes them again.
///
/// A clean position, the state last opened or saved, tells whether the scenario is modified.
class EditHistory {
  public:
    /// Steps kept at most; the oldest goes first.
    static constexpr std::size_t kCapacity = 1000;

    /// Remembers the scenario before a change.
    void begin(const ScenarioTables& tables, const ItemCount& cats);
    /// Ends the change begun last: what differs becomes one step named `name`, and the steps
    /// that could be redone are dropped. False, with no step, when nothing differs.
    bool commit(std::string name, const ScenarioTables& tables, const ItemCount& cats);
    /// Puts the scenario back as begin saw it; for a change that failed half-way.
    void rollback(ScenarioTables& tables, ItemCount& cats);

    bool canUndo() const { return m_position > 0; }
    bool canRedo() const { return m_position < m_steps.size(); }
    /// The name of the step that undo (redo) would reverse (repeat); empty when none.
    std::string undoName() const;
    std::string redoName() const;
    /// Brings the tables and the count back to before the last step; false when none.
    bool undo(ScenarioTables& tables, ItemCount& cats);
    /// Repeats the step undone last; false when none.
    bool redo(ScenarioTables& tables, ItemCount& cats);

    /// Forgets every step; the present scenario is the clean one.
    void clear();
    /// The present scenario is the one last opened or saved.
    void setClean() { m_clean = m_position; }
    bool isClean() const { return m_clean == m_position; }

    std::size_t undoCount() const { return m_position; }
    std::size_t redoCount() const { return m_steps.size() - m_position; }
    /// Memory the steps hold, in bytes.
    std::size_t storedBytes() const;

  private:
    struct CellRecord {
        std::uint16_t row = 0;
        std::uint16_t column = 0;
        std::uint32_t textEnd = 0;  // the text runs from the previous record's end
        Rgb color;
        bool hasColor = false;
    };
    // The cells of one table that a step changed, as they are on the other side of it.
    struct TableState {
        int table = 0;  // 0 Trend, 1 Totals, 2 Policy
        int rows = 0;
        int columns = 0;
        std::vector<CellRecord> cells;
        std::string texts;
    };
    struct Step {
        std::string name;
        ItemCount cats;
        std::vector<TableState> tables;
    };

    static std::optional<TableState> difference(int table, const CellTable& before,
                                                const CellTable& after);
    static void exchange(ScenarioTables& tables, TableState& stored);
    static void exchange(ScenarioTables& tables, ItemCount& cats, Step& step);
    void push(Step step);

    std::deque<Step> m_steps;
    std::size_t m_position = 0;  // steps done; the next undo reverses step m_position - 1
    std::optional<std::size_t> m_clean = 0;  // nothing: the clean scenario can no longer be reached
    bool m_pending = false;
    ScenarioTables m_before;
    ItemCount m_beforeCats;
};

}  // namespace vorn
