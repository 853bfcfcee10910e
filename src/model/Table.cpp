#include "model/Table.h"

#include <cassert>
#include <utility>

void ExchangeRows(Table& table, int s, int t) {
    assert(s >= 1 && s <= kRowCount && t >= 1 && t <= kRowCount);
    std::swap(table.Row(s), table.Row(t));
}
