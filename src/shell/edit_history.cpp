#include "shell/edit_history.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace vorn {
namespace {

CellTable& tableAt(ScenarioTables& tables, int table) {
    switch (table) {
        case 1:
            return tables.totals;
        case 2:
            return tables.policy;
        default:
            return tables.trend;
    }
}

const CellTable& tableAt(const ScenarioTables& tables, int table) {
    return tableAt(const_cast<ScenarioTables&>(tables), table);
}

}  // namespace

void EditHistory::begin(const ScenarioTables& tables, const ItemCount& cats) {
    m_before = tables;  // reuses the snapshot's storage from the last step
    m_beforeCats = cats;
    m_pending = true;
}

std::optional<EditHistory::TableState> EditHistory::difference(int table, const CellTable& before,
                                                               const CellTable& after) {
    TableState state;
    state.table = table;
    state.rows = before.rows();
    state.columns = before.columns();
    // A cell outside a table counts as empty and colourless.
    const int rows = std::max(before.rows(), after.rows());
    const int columns = std::max(before.columns(), after.columns());
    for (int r = 0; r < rows; ++r) {
        const bool derivedText = table == 1 && r == kNetGrowthRow;
        for (int c = 0; c < columns; ++c) {
            const std::string& text = before.text(r, c);
            const std::optional<Rgb> color = before.color(r, c);
            if ((derivedText || text == after.text(r, c)) && color == after.color(r, c)) {
                continue;
            }
            state.texts += text;
            state.cells.push_back({static_cast<std::uint16_t>(r), static_cast<std::uint16_t>(c),
                                   static_cast<std::uint32_t>(state.texts.size()),
                                   color.value_or(Rgb{}), color.has_value()});
        }
    }
    if (state.cells.empty() && before.rows() == after.rows() &&
        before.columns() == after.columns()) {
        return std::nullopt;
    }
    state.cells.shrink_to_fit();
    state.texts.shrink_to_fit();
    return state;
}

bool EditHistory::commit(std::string name, const ScenarioTables& tables, const ItemCount& cats) {
    if (!m_pending) {
        return false;
    }
    m_pending = false;
    Step step;
    for (int table = 0; table < 3; ++table) {
        if (std::optional<TableState> state =
                difference(table, tableAt(m_before, table), tableAt(tables, table))) {
            step.tables.push_back(std::move(*state));
        }
    }
    if (step.tables.empty() && cats == m_beforeCats) {
        return false;
    }
    step.name = std::move(name);
    step.cats = m_beforeCats;
    push(std::move(step));
    return true;
}

void EditHistory::push(Step step) {
    m_steps.erase(m_steps.begin() + static_cast<std::ptrdiff_t>(m_position), m_steps.end());
    if (m_clean && *m_clean > m_position) {
        m_clean.reset();  // it lay on the branch just dropped
    }
    m_steps.push_back(std::move(step));
    ++m_position;
    if (m_steps.size() > kCapacity) {
        m_steps.pop_front();
        --m_position;
        if (m_clean) {
            m_clean = *m_clean == 0 ? std::nullopt : std::optional<std::size_t>(*m_clean - 1);
        }
    }
}

void EditHistory::rollback(ScenarioTables& tables, ItemCount& cats) {
    if (!m_pending) {
        return;
    }
    m_pending = false;
    // Cell by cell rather than by assignment, so that every table counts the change and a
    // view redraws it.
    for (int table = 0; table < 3; ++table) {
        if (std::optional<TableState> state =
                difference(table, tableAt(m_before, table), tableAt(tables, table))) {
            exchange(tables, *state);
        }
    }
    cats = m_beforeCats;
}

void EditHistory::exchange(ScenarioTables& tables, TableState& stored) {
    CellTable& table = tableAt(tables, stored.table);
    TableState shown;
    shown.table = stored.table;
    shown.rows = table.rows();
    shown.columns = table.columns();
    shown.cells.reserve(stored.cells.size());
    for (const CellRecord& cell : stored.cells) {
        const std::optional<Rgb> color = table.color(cell.row, cell.column);
        shown.texts += table.text(cell.row, cell.column);
        shown.cells.push_back({cell.row, cell.column,
                               static_cast<std::uint32_t>(shown.texts.size()),
                               color.value_or(Rgb{}), color.has_value()});
    }
    table.resize(stored.rows, stored.columns);
    std::size_t start = 0;
    const std::string_view texts = stored.texts;
    for (const CellRecord& cell : stored.cells) {
        table.setText(cell.row, cell.column,
                      std::string(texts.substr(start, cell.textEnd - start)));
        table.setColor(cell.row, cell.column,
                       cell.hasColor ? std::optional<Rgb>(cell.color) : std::nullopt);
        start = cell.textEnd;
    }
    stored = std::move(shown);
}

void EditHistory::exchange(ScenarioTables& tables, ItemCount& cats, Step& step) {
    for (TableState& state : step.tables) {
        exchange(tables, state);
    }
    std::swap(cats, step.cats);
}

std::string EditHistory::undoName() const {
    return canUndo() ? m_steps[m_position - 1].name : std::string();
}

std::string EditHistory::redoName() const {
    return canRedo() ? m_steps[m_position].name : std::string();
}

bool EditHistory::undo(ScenarioTables& tables, ItemCount& cats) {
    if (!canUndo()) {
        return false;
    }
    --m_position;
    exchange(tables, cats, m_steps[m_position]);
    return true;
}

bool EditHistory::redo(ScenarioTables& tables, ItemCount& cats) {
    if (!canRedo()) {
        return false;
    }
    exchange(tables, cats, m_steps[m_position]);
    ++m_position;
    return true;
}

void EditHistory::clear() {
    m_steps.clear();
    m_position = 0;
    m_clean = 0;
    m_pending = false;
}

std::size_t EditHistory::storedBytes() const {
    std::size_t bytes = sizeof(*this);
    for (const Step& step : m_steps) {
        bytes += sizeof(Step) + step.name.capacity() + step.cats.text.capacity() +
                 step.tables.capacity() * sizeof(TableState);
        for (const TableState& state : step.tables) {
            bytes += state.cells.capacity() * sizeof(CellRecord) + state.texts.capacity();
        }
    }
    return bytes;
}

}  // namespace vorn
