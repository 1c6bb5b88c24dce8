#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

// One option of a sub-command: its name, the value it takes (empty for a flag) and its line of help.
struct CliOption
{
    QString name;   // "--from"
    QString value;  // "YYYY-MM-DD", "FILE"; empty: a flag
    QString help;   // for --help; a line break starts an indented line
    bool required = false;
    bool repeatable = false;  // may be given more than once ("--unit 001 --unit 002")
};

// The arguments of a run as its options table reads them.
class CliArguments
{
public:
    // The value of an option given once; nothing when it was not given.
    std::optional<QString> value(const QString &name) const;
    QString valueOr(const QString &name, const QString &fallback = {}) const;
    // Every value of a repeatable option, in the order given.
    QStringList values(const QString &name) const { return m_values.value(name); }
    bool isSet(const QString &name) const { return m_values.contains(name); }
    const QStringList &positional() const { return m_positional; }
    bool wantsHelp() const { return m_help; }

private:
    friend class CliSyntax;
    QHash<QString, QStringList> m_values;  // a flag holds one empty value
    QStringList m_positional;
    bool m_help = false;
};

// What a sub-command takes: its options and its positional arguments. The one table makes the
// usage lines, the help (and so the manual pages) and the parser.
class CliSyntax
{
public:
    CliSyntax(QString command, QList<QList<CliOption>> groups, QString positional = {});

    // "usage: selvoro-cli COMMAND [--a X] ..." wrapped at 100 columns.
    QString usage() const;
    // The options, one a line, with their help, group by group.
    QString optionsHelp() const;
    // The arguments, or the usage error to print: an unknown option, one given twice, a missing
    // value or a value that looks like an option, a missing required option, too many or too few
    // positional arguments. --help and -h as options ask for help, and nothing else is checked.
    std::variant<CliArguments, QString> parse(const QStringList &args) const;

    const QString &command() const { return m_command; }

private:
    const CliOption *find(const QString &name) const;

    QString m_command;
    QList<QList<CliOption>> m_groups;
    QString m_positional;  // "FILE": exactly one; empty: none
};

// The connection and login options every sub-command takes.
const QList<CliOption> &sessionOptionList();
