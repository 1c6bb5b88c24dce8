#include "billrowcells.h"

BillRow billRowOf(const BillCells &cells)
{
    BillRow bill;
    for (const auto &[column, text] : cells) {
        const BillColumnSpec &spec = columnSpec(column);
        if (spec.text)
            bill.*spec.text = text;
        else if (!text.isEmpty())
            bill.*spec.number = text.toDouble();
    }
    return bill;
}
