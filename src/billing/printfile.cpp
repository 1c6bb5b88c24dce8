#include "billing/printfile.h"

#include "common/deployment.h"
#include "common/messages.h"
#include "common/numbers.h"

#include <QDate>
#include <QDir>
#include <QLocale>
#include <QProcess>

#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace {

// Lines are encoded straight into a fixed block that goes to the file when full; a print of
// thousands of bills is then little more than a few large writes.
constexpr qsizetype FlushSize = 1 << 18;

} // namespace

PrintFile::PrintFile(const QString &path) : m_path(path), m_file(path)
{
}

PrintFile::~PrintFile()
{
    close();
}

bool PrintFile::open()
{
    m_lines = 0;
    m_used = 0;
    m_buffer.resize(FlushSize);
    m_failed = !m_file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    return !m_failed;
}

char *PrintFile::reserve(qsizetype size)
{
    if (m_used + size > m_buffer.size()) {
        flush();
        if (size > m_buffer.size())
            m_buffer.resize(size);
    }
    char *at = m_buffer.data() + m_used;
    m_used += size;
    return at;
}

void PrintFile::writeLine(const PrintLine &line)
{
    char *at = reserve(line.size() + 2);
    std::memcpy(at, line.data(), size_t(line.size()));
    at[line.size()] = '\r';
    at[line.size() + 1] = '\n';
    ++m_lines;
}

void PrintFile::writeBlankLines(int count)
{
    for (int i = 0; i < count; ++i) {
        char *at = reserve(2);
        at[0] = '\r';
        at[1] = '\n';
        ++m_lines;
    }
}

void PrintFile::flush()
{
    if (!m_failed && m_used > 0 && m_file.isOpen() && m_file.write(m_buffer.constData(), m_used) != m_used)
        m_failed = true;
    m_used = 0;
}

bool PrintFile::close()
{
    if (m_file.isOpen()) {
        flush();
        if (!m_file.flush())
            m_failed = true;
        m_file.close();
        if (m_file.error() != QFileDevice::NoError)
            m_failed = true;
    }
    return !m_failed;
}

QString printAmount(QStringView cellText)
{
    const QString formatted = twoDecimals(cellText);
    return formatted.isEmpty() ? cellText.toString() : formatted;
}

namespace {

// The grid's own date form, dd-MMM-yyyy with English months, read without the general parser:
// every invoice prints one.
QDate shortFormDate(QStringView text)
{
    static const QString Months = u"JanFebMarAprMayJunJulAugSepOctNovDec"_s;
    if (text.size() != 11 || text[2] != u'-' || text[6] != u'-')
        return {};
    const auto digits = [&text](qsizetype from, qsizetype count) {
        int value = 0;
        for (qsizetype i = from; i < from + count; ++i) {
            if (!text[i].isDigit())
                return -1;
            value = value * 10 + text[i].digitValue();
        }
        return value;
    };
    const qsizetype month = Months.indexOf(text.mid(3, 3));
    const int day = digits(0, 2);
    const int year = digits(7, 4);
    if (month < 0 || month % 3 != 0 || day < 0 || year < 0)
        return {};
    return QDate(year, int(month / 3) + 1, day);
}

} // namespace

QString printShortDate(QStringView cellText)
{
    if (const QDate date = shortFormDate(cellText); date.isValid()) {
        const int parts[] = {date.day(), date.month(), date.year() % 100};
        QString text(8, u'-');
        for (int i = 0; i < 3; ++i) {
            text[3 * i] = QChar(u'0' + parts[i] / 10);
            text[3 * i + 1] = QChar(u'0' + parts[i] % 10);
        }
        return text;
    }
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

bool startSpooler(const QString &printPath, const Deployment &deployment)
{
    const QString program = QDir(deployment.applicationFolder()).filePath(QString::fromUtf16(SpoolerProgram));
    // The spooler runs on its own; nothing waits for it, and its window (where it has one) stays
    // out of the way.
    QProcess spooler;
    spooler.setProgram(program);
    spooler.setArguments({printPath});
    spooler.setStandardInputFile(QProcess::nullDevice());
    return spooler.startDetached();
}

std::optional<QString> printLayout(const QString &path, const std::function<void(PrintFile &)> &writeLayout,
                                   const Deployment &deployment, Spool spool)
{
    PrintFile file(path);
    if (!file.open())
        return Msg::FileCannotBePrinted;
    writeLayout(file);
    if (!file.close())
        return Msg::FileCannotBePrinted;
    if (spool == Spool::Start && !startSpooler(path, deployment))
        return Msg::FileCannotBePrinted;
    return std::nullopt;
}
