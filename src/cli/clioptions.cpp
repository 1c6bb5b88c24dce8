#include "cli/clioptions.h"

#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int UsageWidth = 100;
constexpr int HelpColumn = 27;

const QString HelpOption = u"--help"_s;
const QString ShortHelpOption = u"-h"_s;

// An argument that reads as an option rather than a value: a dash and then not a number ("-5"
// and "-0.5" are values).
bool looksLikeOption(const QString &argument)
{
    static const QRegularExpression number(u"^-[0-9.]"_s);
    return argument.startsWith(u'-') && argument.size() > 1 && !number.match(argument).hasMatch();
}

QString usageItem(const CliOption &option)
{
    QString item = option.value.isEmpty() ? option.name : option.name + u' ' + option.value;
    if (option.repeatable)
        item += u" ..."_s;
    return option.required ? item : u'[' + item + u']';
}

}  // namespace

std::optional<QString> CliArguments::value(const QString &name) const
{
    if (const auto found = m_values.constFind(name); found != m_values.cend())
        return found->first();
    return std::nullopt;
}

QString CliArguments::valueOr(const QString &name, const QString &fallback) const
{
    return value(name).value_or(fallback);
}

CliSyntax::CliSyntax(QString command, QList<QList<CliOption>> groups, QString positional)
    : m_command(std::move(command)), m_groups(std::move(groups)), m_positional(std::move(positional))
{
}

const CliOption *CliSyntax::find(const QString &name) const
{
    for (const QList<CliOption> &group : m_groups)
        for (const CliOption &option : group)
            if (option.name == name)
                return &option;
    return nullptr;
}

QString CliSyntax::usage() const
{
    const QString head = u"usage: selvoro-cli "_s + m_command;
    const QString indent(11, u' ');
    QString text = head;
    qsizetype lineStart = 0;
    bool firstOfGroup = false;
    const auto add = [&](const QString &item) {
        if (text.size() - lineStart + 1 + item.size() > UsageWidth || firstOfGroup) {
            text += u'\n' + indent;
            lineStart = text.size() - indent.size();
        } else {
            text += u' ';
        }
        text += item;
        firstOfGroup = false;
    };
    for (qsizetype g = 0; g < m_groups.size(); ++g) {
        // Every group after the session options starts a line of its own.
        firstOfGroup = g > 0;
        for (const CliOption &option : m_groups.at(g))
            add(usageItem(option));
    }
    if (!m_positional.isEmpty())
        add(m_positional);
    return text;
}

QString CliSyntax::optionsHelp() const
{
    QStringList lines;
    for (const QList<CliOption> &group : m_groups) {
        for (const CliOption &option : group) {
            QString head = u"  "_s + option.name + (option.value.isEmpty() ? QString() : u' ' + option.value);
            const QStringList help = option.help.split(u'\n');
            head = head.size() < HelpColumn - 1 ? head.leftJustified(HelpColumn - 1)
                                                : head + u"\n"_s + QString(HelpColumn - 1, u' ');
            lines << head + u' ' + help.first();
            for (qsizetype i = 1; i < help.size(); ++i)
                lines << QString(HelpColumn, u' ') + help.at(i);
        }
    }
    lines << u"  --help, -h"_s.leftJustified(HelpColumn - 1) + u" print this help"_s;
    return lines.join(u'\n');
}

std::variant<CliArguments, QString> CliSyntax::parse(const QStringList &args) const
{
    const QString prefix = u"selvoro-cli "_s + m_command + u": "_s;
    CliArguments parsed;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &argument = args.at(i);
        if (!looksLikeOption(argument)) {
            parsed.m_positional << argument;
            continue;
        }
        if (argument == HelpOption || argument == ShortHelpOption) {
            parsed.m_help = true;
            continue;
        }
        const CliOption *option = find(argument);
        if (!option)
            return prefix + u"unknown option "_s + argument;
        if (parsed.isSet(argument) && !option->repeatable)
            return prefix + argument + u" is given twice"_s;
        QString value;
        if (!option->value.isEmpty()) {
            if (i + 1 >= args.size())
                return prefix + argument + u" needs a value: "_s + option->value;
            value = args.at(++i);
            if (looksLikeOption(value))
                return prefix + argument + u" needs a value ("_s + option->value + u"), not the option "_s + value;
        }
        parsed.m_values[argument].append(value);
    }
    if (parsed.m_help)
        return parsed;
    for (const QList<CliOption> &group : m_groups)
        for (const CliOption &option : group)
            if (option.required && !parsed.isSet(option.name))
                return prefix + option.name + u' ' + option.value + u" is required"_s;
    const qsizetype wanted = m_positional.isEmpty() ? 0 : 1;
    if (parsed.m_positional.size() > wanted)
        return prefix + u"unexpected argument "_s + parsed.m_positional.at(wanted);
    if (parsed.m_positional.size() < wanted)
        return prefix + m_positional + u" is missing"_s;
    return parsed;
}

const QList<CliOption> &sessionOptionList()
{
    static const QList<CliOption> options = {
        {u"--server"_s, u"A"_s, u"the database server (default: the ServerIP setting)"_s},
        {u"--port"_s, u"N"_s, u"its port (default: the deployment file's)"_s},
        {u"--user"_s, u"NAME"_s, u"the user who logs in"_s, true},
        {u"--unit"_s, u"CODE"_s, u"work for this unit (default: the workstation's unit)"_s},
    };
    return options;
}
