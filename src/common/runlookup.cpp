#include "common/runlookup.h"

namespace {

QStringList rowTexts(const ResultSet &rows, int firstColumn)
{
    QStringList row;
    row.reserve(rows.columnCount() - firstColumn);
    for (int column = firstColumn; column < rows.columnCount(); ++column)
        row.append(rows.textOrEmpty(column));
    return row;
}

}  // namespace

QString firstValue(const LookUpRows &rows) { return rows.isEmpty() ? QString() : rows.first().value(0); }

RunLookUp::RunLookUp(Db &db, RunLookUpStatements statements) : m_db(db), m_statements(std::move(statements)) {}

void RunLookUp::fetch()
{
    if (m_fetched)
        return;
    m_found.clear();
    QList<QString> repeated;
    {
        ResultSet rows = m_db.query(m_statements.keyed.text, m_statements.keyed.values);
        while (rows.next()) {
            LookUpRows &found = m_found[rows.textOrEmpty(0)];
            found.append(rowTexts(rows, 1));
            if (found.size() == 2)
                repeated.append(rows.textOrEmpty(0));
        }
    }
    // The join may give a code's rows in another order than the statement of that code.
    if (!repeated.isEmpty() && !m_statements.single.isEmpty()) {
        PreparedQuery single = m_db.prepare(m_statements.single);
        for (const QString &code : std::as_const(repeated)) {
            ResultSet rows = single.run({code});
            LookUpRows found;
            while (rows.next())
                found.append(rowTexts(rows, 0));
            m_found.insert(code, found);
        }
    }
    m_fetched = true;
}

const LookUpRows &RunLookUp::rows(const QString &code) const
{
    static const LookUpRows none;
    const auto found = m_found.constFind(code);
    return found == m_found.cend() ? none : *found;
}
