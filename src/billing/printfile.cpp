#include "billing/printfile.h"

#include "common/deployment.h"
#include "common/messages.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>

using namespace Qt::Literals::StringLiterals;

namespace {

// Lines are encoded straight into a fixed block that goes to the file when full; a print of
// thousands of bills is then little more than a few large writes.
constexpr qsizetype BlockSize = 1 << 18;

}  // namespace

PrintFile::PrintFile(const QString &path) : m_own(std::make_unique<OutputFile>(path)), m_output(m_own.get()) {}

PrintFile::PrintFile(OutputFile &output) : m_output(&output) {}

PrintFile::~PrintFile() = default;

void PrintFile::fail(const QString &failure)
{
    if (!m_failed)
        m_failure = failure;
    m_failed = true;
}

bool PrintFile::open()
{
    m_lines = 0;
    m_used = 0;
    m_failed = false;
    m_failure.clear();
    if (m_capacity < BlockSize) {
        m_block = std::make_unique_for_overwrite<char[]>(BlockSize);
        m_capacity = BlockSize;
    }
    const std::optional<QString> failure = m_own ? m_own->open() : std::nullopt;
    m_open = !failure;
    if (failure)
        fail(*failure);
    return m_open;
}

void PrintFile::makeRoom(qsizetype size)
{
    flush();
    if (size > m_capacity) {
        m_block = std::make_unique_for_overwrite<char[]>(size);
        m_capacity = size;
    }
}

void PrintFile::flush()
{
    if (!m_failed && m_used > 0 && m_open && m_output->device().write(m_block.get(), m_used) != m_used)
        fail(m_output->failure());
    m_used = 0;
}

bool PrintFile::close()
{
    if (m_open) {
        flush();
        m_open = false;
        if (!m_failed && !m_output->device().flush())
            fail(m_output->failure());
        if (m_own) {
            if (m_failed)
                m_own->discard();
            else if (const std::optional<QString> failure = m_own->commit())
                fail(*failure);
        }
    }
    return !m_failed;
}

QString printAmount(QStringView cellText) { return PrintAmount(cellText).text().toString(); }

namespace {

// The grid's own date form, dd-MMM-yyyy with English months, as dd-MM-yy; read without the
// general date parser, since every invoice prints one. Nothing when the text is not such a date.
std::optional<QString> fromShortForm(QStringView text)
{
    static constexpr QStringView Months = u"JanFebMarAprMayJunJulAugSepOctNovDec";
    if (text.size() != 11 || text[2] != u'-' || text[6] != u'-')
        return std::nullopt;
    const auto digits = [&text](qsizetype from, qsizetype count) {
        int value = 0;
        for (qsizetype i = from; i < from + count; ++i) {
            const char16_t c = text[i].unicode();
            if (c < u'0' || c > u'9')
                return -1;
            value = value * 10 + (c - u'0');
        }
        return value;
    };
    const auto isMonth = [&text](int month) {
        const qsizetype at = 3 * (month - 1);
        return text[3] == Months[at] && text[4] == Months[at + 1] && text[5] == Months[at + 2];
    };
    int month = 1;
    while (month <= 12 && !isMonth(month))
        ++month;
    const int day = digits(0, 2);
    const int year = digits(7, 4);
    if (year < 0 || !QDate::isValid(year, month, day))
        return std::nullopt;
    const int parts[] = {day, month, year % 100};
    QString printed(8, u'-');
    for (int i = 0; i < 3; ++i) {
        printed[3 * i] = QChar(u'0' + parts[i] / 10);
        printed[3 * i + 1] = QChar(u'0' + parts[i] % 10);
    }
    return printed;
}

}  // namespace

QString printShortDate(QStringView cellText)
{
    if (std::optional<QString> printed = fromShortForm(cellText))
        return *std::move(printed);
    // The grid holds dates in the short-date form; the other forms are what a user may have typed.
    static const QStringList Forms = {u"dd-MMM-yyyy"_s, u"d-MMM-yyyy"_s, u"yyyy-MM-dd"_s,
                                      u"dd-MM-yyyy"_s,  u"dd/MM/yyyy"_s, u"d/M/yyyy"_s};
    const QString text = cellText.trimmed().toString();
    const QLocale c = QLocale::c();
    for (const QString &form : Forms) {
        const QDate date = c.toDate(text, form);
        if (date.isValid())
            return c.toString(date, u"dd-MM-yy"_s);
    }
    return cellText.toString();
}

QString printFilePath(const Deployment &deployment, const QString &fileName)
{
    return QDir(deployment.applicationFolder()).filePath(fileName);
}

bool startSpooler(const QString &printPath, int pageLines, const Deployment &deployment, Spool spool)
{
    const QString program = deployment.spoolerProgram();
    QProcess spooler;
    spooler.setProgram(program);
    spooler.setArguments(
        {u"--page-lines"_s, QString::number(pageLines), u"--"_s, QFileInfo(printPath).absoluteFilePath()});
    spooler.setStandardInputFile(QProcess::nullDevice());
    if (spool == Spool::StartAndWait) {
        spooler.setProcessChannelMode(QProcess::ForwardedChannels);
        spooler.start();
        return spooler.waitForFinished(-1) && spooler.exitStatus() == QProcess::NormalExit && spooler.exitCode() == 0;
    }
    // The spooler runs on its own; nothing waits for it, and its window (where it has one) stays
    // out of the way.
    return spooler.startDetached();
}

std::optional<QString> printLayout(const QString &path, int pageLines,
                                   const std::function<bool(PrintFile &)> &writeLayout, const Deployment &deployment,
                                   Spool spool)
{
    PrintFile file(path);
    if (!file.open())
        return Msg::FileCannotBePrinted;
    if (!writeLayout(file))
        return Msg::PrintStopped;
    if (!file.close())
        return Msg::FileCannotBePrinted;
    if (spool != Spool::Skip && !startSpooler(path, pageLines, deployment, spool))
        return Msg::FileCannotBePrinted;
    return std::nullopt;
}
